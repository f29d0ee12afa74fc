#include "localtimes.h"

#include <QHash>

#include <limits>

namespace {

constexpr qint64 hourMs = 3600 * 1000;
constexpr qint64 dayMs = 24 * hourMs;
constexpr int changing = std::numeric_limits<int>::min(); // an hour the offset changes in
constexpr int keptHours = 100000;                         // some eleven years of hours

qint64 floorDiv(qint64 value, qint64 by)
{
    return value / by - (value % by < 0 ? 1 : 0);
}

QHash<qint64, int> &hours()
{
    static QHash<qint64, int> kept;
    return kept;
}

// Qt's answer, not localtime_r()'s: Qt 5 gives the years before 1970 the offsets of 1970.
int libraryOffset(qint64 ms)
{
    return QDateTime::fromMSecsSinceEpoch(ms).offsetFromUtc();
}

} // namespace

namespace LocalTimes {

int offsetAt(qint64 ms)
{
    const qint64 hour = floorDiv(ms, hourMs);
    QHash<qint64, int> &kept = hours();
    const auto found = kept.constFind(hour);
    if (found != kept.constEnd())
        return found.value() == changing ? libraryOffset(ms) : found.value();
    // Zones change their offset at most twice a year, never twice within an hour.
    const int first = libraryOffset(hour * hourMs);
    const int last = libraryOffset(hour * hourMs + hourMs - 1);
    if (kept.size() >= keptHours)
        kept.clear();
    kept.insert(hour, first == last ? first : changing);
    return first == last ? first : libraryOffset(ms);
}

QDateTime at(qint64 ms)
{
    return QDateTime::fromMSecsSinceEpoch(ms, Qt::UTC).toOffsetFromUtc(offsetAt(ms));
}

QDate dayOf(qint64 ms)
{
    const qint64 local = ms + offsetAt(ms) * qint64(1000);
    return QDate(1970, 1, 1).addDays(floorDiv(local, dayMs));
}

void forget()
{
    hours().clear();
}

} // namespace LocalTimes
