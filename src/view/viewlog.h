#ifndef SCHEDULE_VIEWLOG_H
#define SCHEDULE_VIEWLOG_H

#include <QLoggingCategory>

// The widget's windows: the panel, its place and the settings window.
Q_DECLARE_LOGGING_CATEGORY(lcView)

#endif
