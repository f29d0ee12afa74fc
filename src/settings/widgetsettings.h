#ifndef SCHEDULE_WIDGETSETTINGS_H
#define SCHEDULE_WIDGETSETTINGS_H

#include <QString>
#include <QStringList>

class QSettings;

// The user's choices of the settings window, kept in one small INI file. Each is saved the moment
// it changes; a missing file gives the defaults, which are the widget as it always was.
class WidgetSettings
{
public:
    enum class Colours { FollowDesktop, Light, Dark };

    // $XDG_CONFIG_HOME/TaskList/settings.conf, or TaskList-NAME for the instance NAME
    static QString defaultPath();

    // Reads the file; one that cannot be read, or holds what these settings cannot be, is reported
    // once and gives the defaults.
    explicit WidgetSettings(const QString &path = defaultPath());

    QString path() const { return filePath; }
    Colours colours() const { return chosenColours; }
    bool keepPlace() const { return keepingPlace; }
    bool reminders() const { return reminding; }
    int snoozeMinutes() const { return snoozeLength; }
    bool reminderSound() const { return sound; }
    // Also remind of the calendars the desktop's own alarm service reminds of (Evolution's).
    bool remindDesktopCalendars() const { return desktopCalendars; }

    // Saved at once; false, with the reason in `error`, when the file cannot be written.
    bool setColours(Colours colours, QString *error);
    bool setKeepPlace(bool keep, QString *error);
    bool setReminders(bool on, QString *error);
    bool setSnoozeMinutes(int minutes, QString *error);
    bool setReminderSound(bool on, QString *error);
    bool setRemindDesktopCalendars(bool on, QString *error);

    static constexpr int minSnoozeMinutes = 1;
    static constexpr int maxSnoozeMinutes = 24 * 60;

private:
    bool save(QString *error);
    void readReminders(const QSettings &file, QStringList &faults);

    QString filePath;
    Colours chosenColours = Colours::FollowDesktop;
    bool keepingPlace = true;
    bool reminding = true;
    int snoozeLength = 10;
    bool sound = true;
    bool desktopCalendars = false;
};

#endif
