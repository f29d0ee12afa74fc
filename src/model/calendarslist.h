#ifndef SCHEDULE_CALENDARSLIST_H
#define SCHEDULE_CALENDARSLIST_H

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// calendars.conf: the calendars the data server serves when its command line names none, one .ics
// file or directory, or URL of a subscription, a line, '#' starting a comment line. The server reads it and
// follows its changes; the widget's settings edit it line by line, keeping the user's comments and order.
namespace CalendarsList {

// $XDG_CONFIG_HOME/tasklist-dataserver/calendars.conf
QString filePath();
// $XDG_DATA_HOME/tasklist-dataserver/calendar.ics, the calendar a new configuration names.
QString defaultCalendarPath();

// The file's text. A missing file reads as empty with `*exists` false; one that cannot be opened
// is false, with "cannot read <path>: <reason>" in `error`.
[[nodiscard]] bool read(const QString &path, QByteArray &text, QString &error, bool *exists = nullptr);
// The text's lines, without the empty one after a final newline.
QList<QByteArray> linesOf(const QByteArray &text);
// The entry of one line as written, surrounding blanks dropped; empty for a blank or comment line.
QString entryOf(const QByteArray &line);
// The paths the text names, in order: "~/" read as the home directory, relative paths taken
// relative to baseDir.
QStringList parse(const QByteArray &text, const QString &baseDir);
// An entry that subscribes to a calendar on the web (https://, http:// or webcal://), kept as
// written by parse(), where a path would be made absolute.
[[nodiscard]] bool isUrl(const QString &entry);
// What makes the text no list of paths, such as bytes that are not UTF-8, with the line it is on;
// empty when there is nothing wrong.
QString fault(const QByteArray &text, int *line);

// A path under the home directory as "~/…": it stays valid when the home directory moves, and
// reads as the user would type it.
QString homeRelative(const QString &path);
// The text a first start writes: the explanation as comments, then the calendar it names.
QByteArray exampleText(const QString &calendar);

} // namespace CalendarsList

#endif
