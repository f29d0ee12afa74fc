#ifndef SCHEDULE_AUTOSTART_H
#define SCHEDULE_AUTOSTART_H

#include <QString>

// Starting the widget when the user logs in, the freedesktop way: the package installs an entry in
// the system's autostart directory; the user turns it off with a copy of it that says Hidden=true
// in $XDG_CONFIG_HOME/autostart, and on again by removing that copy. Where no system entry exists
// (the widget run from its build tree), an entry of the user's own starts this program.
namespace Autostart {

constexpr const char *entryName = "nvx-calendar-desktop-widget.desktop";

[[nodiscard]] bool enabled();
// False, with the reason in `error`, when the user's entry could not be written or removed.
bool setEnabled(bool on, QString *error);

} // namespace Autostart

#endif
