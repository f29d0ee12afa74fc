#ifndef SCHEDULE_DESKTOPLOG_H
#define SCHEDULE_DESKTOPLOG_H

#include <QLoggingCategory>

// The desktop around the widget: its calendar application, notifications, kept files.
Q_DECLARE_LOGGING_CATEGORY(lcDesktop)

#endif
