#ifndef SCHEDULE_CALENDARSCONF_H
#define SCHEDULE_CALENDARSCONF_H

#include <QByteArray>
#include <QString>
#include <QStringList>

// The calendars that tasklist-dataserver serves, as its calendars.conf lists them: one .ics file
// or directory a line, '#' starting a comment. Edits keep the user's comments and order; the
// running server follows the file by itself.
class CalendarsConf
{
public:
    // $XDG_CONFIG_HOME/tasklist-dataserver/calendars.conf
    static QString defaultPath();

    explicit CalendarsConf(const QString &path = defaultPath());

    // False, with the reason in `error`, when the file exists and cannot be read; a missing file
    // lists nothing.
    bool load(QString *error);
    // The calendars as written in the file.
    QStringList calendars() const;

    // A path under the home directory is written as "~/…", as the user would type it.
    void add(const QString &calendar);
    void remove(const QString &calendar);
    bool save(QString *error);

private:
    QString filePath;
    QList<QByteArray> lines;
};

// Who owns the calendar data server's name on the session bus.
struct CalendarServer
{
    // "tasklist-dataserver", say; empty when no program owns the name.
    QString program;
    // A tasklist-dataserver serving calendars.conf, which it follows while it runs; one started on
    // calendars named on its command line (or a demo) does not read it.
    bool followsConf = false;
};
CalendarServer calendarServer();

#endif
