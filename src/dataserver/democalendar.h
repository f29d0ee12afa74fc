#ifndef DATASERVER_DEMOCALENDAR_H
#define DATASERVER_DEMOCALENDAR_H

#include "scheduledatainfo.h"

#include <QDateTime>
#include <QVector>

namespace DemoCalendar {

// The file in the demo directory that holds the demo jobs; it is written afresh on every start.
inline QString fileName()
{
    return QStringLiteral("demo.ics");
}

// A few jobs around `now`: some today and tomorrow, one within the next two hours, a daily one, an
// all-day one with a reminder, a multi-day one and one next week.
QVector<ScheduleDataInfo> jobs(const QDateTime &now);

} // namespace DemoCalendar

#endif
