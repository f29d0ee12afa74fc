#ifndef SCHEDULE_WIDGETSETTINGS_H
#define SCHEDULE_WIDGETSETTINGS_H

#include <QSize>
#include <QString>
#include <QStringList>

class QSettings;

// The user's choices of the settings window, kept in one small INI file. Each is saved the moment
// it changes; a missing file gives the defaults, which are the widget as it always was.
class WidgetSettings
{
public:
    enum class Colours { FollowDesktop, Light, Dark };
    // How a task's date and time read: "MM.dd hh:mm" whatever the language (as the widget always
    // was), the language's own short forms, or the language's day and month with a 24- or 12-hour clock.
    enum class TimeFormat { Fixed, Locale, Hours24, Hours12 };
    // The invitations the user declined: left out of the panel, shown faintly, or shown as any task.
    enum class Declined { Hide, Dim, Show };

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
    // The data server's calendars, by ID, whose tasks the widget leaves out; the server still serves them.
    QStringList hiddenCalendars() const { return hidden; }
    // The calendar the editor's last new event went to, offered first for the next; empty: none yet.
    QString lastCalendar() const { return lastUsedCalendar; }
    TimeFormat timeFormat() const { return chosenTimeFormat; }
    Declined declined() const { return declinedShown; }
    // Whether the overview lists the to-dos without a date with its first day.
    bool undatedTodos() const { return undatedShown; }
    // The alpha (0 to 255) of the panel's tint.
    int opacity() const { return tintAlpha; }
    // The text size in points; 0 follows the desktop's font.
    int textSize() const { return textPoints; }
    // The panel's size; defaultPanelSize until the user drags its corner.
    QSize panelSize() const { return panel; }
    // The ISO week number beside the overview's first date.
    bool weekNumbers() const { return weekNumbersShown; }
    // The desktop-wide key that gives the panel the keyboard, as QKeySequence's portable text;
    // empty: none.
    QString focusShortcut() const { return focusKey; }

    // Saved at once; false, with the reason in `error`, when the file cannot be written.
    bool setColours(Colours colours, QString *error);
    bool setKeepPlace(bool keep, QString *error);
    bool setReminders(bool on, QString *error);
    bool setSnoozeMinutes(int minutes, QString *error);
    bool setReminderSound(bool on, QString *error);
    bool setRemindDesktopCalendars(bool on, QString *error);
    bool setCalendarHidden(const QString &id, bool hide, QString *error);
    bool setLastCalendar(const QString &id, QString *error);
    bool setTimeFormat(TimeFormat format, QString *error);
    bool setDeclined(Declined shown, QString *error);
    bool setUndatedTodos(bool shown, QString *error);
    // Kept within their bounds below.
    bool setOpacity(int alpha, QString *error);
    bool setTextSize(int points, QString *error);
    bool setPanelSize(const QSize &size, QString *error);
    bool setWeekNumbers(bool shown, QString *error);
    bool setFocusShortcut(const QString &key, QString *error);

    static constexpr int minSnoozeMinutes = 1;
    static constexpr int maxSnoozeMinutes = 24 * 60;
    static constexpr int defaultOpacity = 80;
    static constexpr int minTextSize = 6;
    static constexpr int maxTextSize = 32;
    static constexpr QSize defaultPanelSize{350, 400};
    // Small enough for a laptop's corner, yet room for the day buttons and a task; large enough
    // for a 4K screen at scale 1.
    static constexpr QSize minPanelSize{320, 300};
    static constexpr QSize maxPanelSize{2000, 2000};
    static const char defaultFocusShortcut[];

private:
    bool save(QString *error);
    void readReminders(const QSettings &file, QStringList &faults);
    void readAppearance(const QSettings &file, QStringList &faults);

    QString filePath;
    Colours chosenColours = Colours::FollowDesktop;
    bool keepingPlace = true;
    bool reminding = true;
    int snoozeLength = 10;
    bool sound = true;
    bool desktopCalendars = false;
    QStringList hidden;
    QString lastUsedCalendar;
    TimeFormat chosenTimeFormat = TimeFormat::Fixed;
    Declined declinedShown = Declined::Hide;
    bool undatedShown = true;
    int tintAlpha = defaultOpacity;
    int textPoints = 0;
    QSize panel = defaultPanelSize;
    bool weekNumbersShown = false;
    QString focusKey = QLatin1String(defaultFocusShortcut);
};

#endif
