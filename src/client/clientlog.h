#ifndef SCHEDULE_CLIENTLOG_H
#define SCHEDULE_CLIENTLOG_H

#include <QLoggingCategory>

// The data server client's failures and the repeats of them it logs at debug level only.
Q_DECLARE_LOGGING_CATEGORY(lcClient)

#endif
