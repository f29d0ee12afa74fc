#ifndef SCHEDULE_WIDGETSETTINGS_H
#define SCHEDULE_WIDGETSETTINGS_H

#include <QString>

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

    // Saved at once; false, with the reason in `error`, when the file cannot be written.
    bool setColours(Colours colours, QString *error);
    bool setKeepPlace(bool keep, QString *error);

private:
    bool save(QString *error);

    QString filePath;
    Colours chosenColours = Colours::FollowDesktop;
    bool keepingPlace = true;
};

#endif
