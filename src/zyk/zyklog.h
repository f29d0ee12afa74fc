#ifndef SCHEDULE_ZYKLOG_H
#define SCHEDULE_ZYKLOG_H

#include <QLoggingCategory>

// How the windows reach the desktop: X11, Wayland's layer-shell or XWayland.
Q_DECLARE_LOGGING_CATEGORY(lcZyk)

#endif
