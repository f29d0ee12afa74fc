#ifndef DATASERVER_SERVERCONFIG_H
#define DATASERVER_SERVERCONFIG_H

#include <QByteArray>
#include <QString>
#include <QStringList>

// The calendars served when the command line names none, listed in calendars.conf in the user's
// configuration directory: one .ics file or directory a line, '#' starting a comment line.
namespace ServerConfig {

// $XDG_CONFIG_HOME/tasklist-dataserver/calendars.conf
QString filePath();
// $XDG_DATA_HOME/tasklist-dataserver/calendar.ics, the calendar a new configuration names.
QString defaultCalendarPath();

// The paths the text names, in order: comment and blank lines skipped, surrounding blanks dropped,
// "~/" read as the home directory, relative paths taken relative to baseDir.
QStringList parse(const QByteArray &text, const QString &baseDir);

// What makes the text no list of paths, such as bytes that are not UTF-8, with the line it is on;
// empty when there is nothing wrong.
QString fault(const QByteArray &text, int *line);

// The text a first start writes: the explanation as comments, then the calendar it names.
QByteArray exampleText(const QString &calendar);

// The calendars of the configuration file. On first start writes the file and an empty default
// calendar; problems that leave a usable list are warned about, those that do not return false.
[[nodiscard]] bool load(QStringList &calendars, QString &error);

} // namespace ServerConfig

#endif
