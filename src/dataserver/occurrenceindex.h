#ifndef DATASERVER_OCCURRENCEINDEX_H
#define DATASERVER_OCCURRENCEINDEX_H

#include "occurrences.h"

#include <QByteArray>
#include <QDateTime>
#include <QHash>
#include <QMap>
#include <QPair>
#include <QVector>

// Expanding a recurrence is the costly part of GetJobs, so the occurrences of each UID of a file
// are kept across queries, and across a re-read of the file for every UID whose text (and the
// file's time zones) did not change.
namespace OccurrenceIndex {

constexpr qint64 dayMs = qint64(24) * 3600 * 1000;
// A series' window grows to cover the queries, but never beyond this many days: past it, the
// series is expanded afresh for the query alone, so a server asked about many months stays small.
constexpr qint64 maxWindowMs = 92 * dayMs;
// After a query, the windows of series that recur grow while the server is idle, to this many
// days past the query once fewer than half of them are left: a rule costs much the same to expand
// for one day as for many.
constexpr qint64 growAheadMs = 14 * dayMs;

// One occurrence, with its job as GetJobs writes it, made on first use.
struct Slot
{
    Occurrences::Occurrence occurrence;
    int jobId = 0; // the ID the job text was made with; 0 before it was made
    QDateTime jobBegin;
    QDateTime jobEnd;
    QString title;
    QDate firstDay;
    QDate lastDay;
    QByteArray json;
    QByteArray calendarKeys; // those `json` was made with
    QStringList myAddresses; // and these
};

// The occurrences of one UID of a file within a window of time. The window is the first query's
// days alone, as start-up waits for it; it grows by the days later queries add, and ahead of them
// while the server is idle.
struct Series
{
    QString uid;
    int id = 0;
    KCalendarCore::Event::List events;                       // the master and its exceptions
    std::shared_ptr<const Occurrences::Overrides> overrides; // made on the first expansion
    quint64 signature = 0;                                   // 0 for none
    qint64 fromMs = 0;
    qint64 toMs = 0;
    bool expanded = false;
    bool truncated = false; // a rule with more occurrences in the window than a query may take
    // A single event that does not recur has one span for every window: worked out once, it
    // spares each new window the date-time arithmetic of thousands of events.
    bool spanned = false;
    bool hasSpan = false;
    qint64 spanStartMs = 0;
    qint64 spanEndMs = 0;
    // Where every occurrence of a series lies, overrides included, worked out on first use: a
    // window of a few days then passes over the thousands of series of other years unexpanded.
    bool bounded = false;
    qint64 boundFromMs = 0;
    qint64 boundToMs = 0;
    QVector<Slot> entries;
    // An event of its own, without a rule, is read only once a query reaches the days around it
    // (CalendarReader::readDeferred): until then `events` is empty, its text lies at
    // [textFrom, textTo) of the file's `deferredText`, and its occurrence within [roughFromMs,
    // roughToMs), days wider than it can be in any zone. One read from a file kept on disk keeps
    // its place there, to be let go again.
    int textFrom = -1;
    int textTo = -1;
    quint64 textHash = 0; // of that text, where it is read again from the file on disk
    qint64 roughFromMs = 0;
    qint64 roughToMs = 0;
    quint64 readIn = 0; // the read that took it, the later the higher

    // `spanned` first: a series is spanned only once found to be one event, and its events do not
    // change after. Asking the event costs a cache miss for each of thousands of single events at
    // every new window.
    [[nodiscard]] bool once() const { return spanned || (events.size() == 1 && !events.first()->recurs()); }
    [[nodiscard]] bool deferred() const { return textFrom >= 0 && events.isEmpty(); }
    [[nodiscard]] bool onDisk() const { return textFrom >= 0 && !events.isEmpty(); }
};

// Series are kept sorted by UID: a hash for each of thousands of one-event files cost more than
// its event.
[[nodiscard]] Series *find(QVector<Series> &series, const QString &uid);
[[nodiscard]] const Series *find(const QVector<Series> &series, const QString &uid);

// False when no occurrence of the series can touch [fromMs, toMs); it must not be deferred.
[[nodiscard]] bool mayTouch(Series &series, qint64 fromMs, qint64 toMs);

// Grows (or moves) the series' window to cover [fromMs, toMs).
void expand(const KCalendarCore::MemoryCalendar &calendar, Series &series, qint64 fromMs, qint64 toMs);

// Moves the windows of the series of `old` whose text did not change over to `fresh`, the same
// file read again.
void adopt(const QVector<Series> &old, QVector<Series> &fresh);

// What every job of one calendar carries beside its event's own: the calendar's keys
// (CalendarIdentity::jobKeys()), and the addresses that tell the user among its attendees.
struct JobContext
{
    QByteArray calendarKeys;
    QStringList myAddresses;
    // Each event's part of its jobs (Occurrences::eventPartOf), by event and master, made once for
    // all of a series' occurrences in an answer. The events live at least as long as the answer.
    mutable QHash<QPair<const KCalendarCore::Event *, const KCalendarCore::Event *>, ScheduleDataInfo>
        eventParts;
};

// Makes the slot's job for the series ID `id` of the calendar, unless it was made for it already.
void makeJob(Slot &slot, int id, const JobContext &context = {});

// The range form of the slots of each day, in the order the widget lists a day's jobs, written as
// QJsonDocument writes it compact but from the jobs' own texts.
[[nodiscard]] QString rangeJson(QMap<QDate, QVector<Slot *>> &days);

} // namespace OccurrenceIndex

#endif
