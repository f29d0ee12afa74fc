#ifndef SCHEDULE_MODELLOG_H
#define SCHEDULE_MODELLOG_H

#include <QLoggingCategory>

// The schedule records and their JSON and rule forms, as the data server sends them.
Q_DECLARE_LOGGING_CATEGORY(lcModel)

#endif
