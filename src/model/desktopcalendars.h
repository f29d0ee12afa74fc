#ifndef SCHEDULE_DESKTOPCALENDARS_H
#define SCHEDULE_DESKTOPCALENDARS_H

#include <QString>

// Whether the data server serves the desktop's calendars (Evolution Data Server), as the settings
// window switches them: $XDG_CONFIG_HOME/tasklist-dataserver/server.conf, "[Evolution] Enabled",
// on where the file or the key is missing. Not a line of calendars.conf: that file lists paths,
// and a server older than this line would serve one more, empty calendar by its name.
namespace DesktopCalendars {

QString filePath();
[[nodiscard]] bool enabled();
// False, with the reason in `error`, when the file cannot be written.
[[nodiscard]] bool setEnabled(bool on, QString *error);

// Akonadi's calendars (KDE's), "[Akonadi] Enabled" in the same file. Akonadi is heavy to start: the
// server serves its calendars while it runs, and starts it only when the user switched them on.
enum class AkonadiUse {
    Off,          // "false": never served
    WhileRunning, // no key: served while Akonadi runs, which something else started
    StartIt,      // "true": served, Akonadi started where it does not run
};
[[nodiscard]] AkonadiUse akonadi();
[[nodiscard]] bool setAkonadiEnabled(bool on, QString *error);

} // namespace DesktopCalendars

#endif
