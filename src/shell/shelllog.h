#ifndef SCHEDULE_SHELLLOG_H
#define SCHEDULE_SHELLLOG_H

#include <QLoggingCategory>

// The widget's process: signals from the session.
Q_DECLARE_LOGGING_CATEGORY(lcShell)

#endif
