#ifndef SCHEDULE_SETTINGSLOG_H
#define SCHEDULE_SETTINGSLOG_H

#include <QLoggingCategory>

// The widget's settings file.
Q_DECLARE_LOGGING_CATEGORY(lcSettings)

#endif
