#ifndef SCHEDULE_DATACENTERLOG_H
#define SCHEDULE_DATACENTERLOG_H

#include <QLoggingCategory>

// The widget's own task state and its data file.
Q_DECLARE_LOGGING_CATEGORY(lcDataCenter)

#endif
