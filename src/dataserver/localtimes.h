#ifndef DATASERVER_LOCALTIMES_H
#define DATASERVER_LOCALTIMES_H

#include <QDateTime>

// Moments as the local zone shows them, for the jobs of an answer. A local QDateTime asks the C
// library afresh for each, some 6,000 instructions: a third of a week's answer over a large
// calendar. A zone's offset holds for months, so it is kept by the hour; an hour in which it
// changes is asked moment by moment.
namespace LocalTimes {

// Seconds east of UTC at `ms`, as a local QDateTime tells them.
[[nodiscard]] int offsetAt(qint64 ms);

// The moment at its local offset: the date, time and offset a Qt::LocalTime date-time of it has.
[[nodiscard]] QDateTime at(qint64 ms);

[[nodiscard]] QDate dayOf(qint64 ms);

// The local zone changed: what is kept is of the old one.
void forget();

} // namespace LocalTimes

#endif
