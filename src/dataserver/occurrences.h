#ifndef DATASERVER_OCCURRENCES_H
#define DATASERVER_OCCURRENCES_H

#include "scheduledatainfo.h"

#include <KCalendarCore/Event>

#include <QDate>
#include <QHash>
#include <QSet>

#include <functional>
#include <memory>

namespace KCalendarCore {
class MemoryCalendar;
}

// The occurrences of an event as the widget lists them: its rules, exceptions and overrides
// expanded, each occurrence as a span of instants. How a series is read is decided here alone.
namespace Occurrences {

// A series yields at most this many occurrences per request, so a minutely rule cannot make one
// request run away.
constexpr int maxPerSeries = 5000;

struct Occurrence
{
    int id = 0;
    int recurId = 0;
    KCalendarCore::Event::Ptr event;  // the override where the occurrence has one
    KCalendarCore::Event::Ptr master; // the event that carries rule, exceptions and ID
    // Instants, as milliseconds since the epoch: a date-time in a named zone costs a zone
    // lookup for every comparison and every sum.
    qint64 startMs = 0;
    qint64 endMs = 0;
};

// Whether a span touches [fromMs, toMs); one without length counts where it starts.
[[nodiscard]] inline bool overlaps(qint64 startMs, qint64 endMs, qint64 fromMs, qint64 toMs)
{
    return startMs < toMs && (endMs > fromMs || (startMs == endMs && startMs >= fromMs));
}

[[nodiscard]] QDate localDay(qint64 ms);
// The last day a span touches: one that ends at midnight is over before that day.
[[nodiscard]] QDate lastDayOf(qint64 startMs, qint64 endMs);

// The occurrence of `master` that `event` (the master or an override) holds, starting at `start`.
[[nodiscard]] Occurrence at(const KCalendarCore::Event::Ptr &master, const KCalendarCore::Event::Ptr &event,
                            const QDateTime &start, int id, int recurId);

// The overrides of a recurring series by the occurrence each replaces, read once: looked up in the
// calendar for every window, a series of thousands of moved occurrences made each query quadratic.
struct Overrides
{
    QHash<int, Occurrence> moved; // by recurrence number, without the cancelled ones
    QSet<int> replaced;           // the numbers of all, cancelled ones included
};
[[nodiscard]] Overrides overridesOf(const KCalendarCore::Event::Ptr &master,
                                    const KCalendarCore::Event::List &exceptions);

// Calls `visit` for every occurrence of `event` that touches [fromMs, toMs). The overrides of a
// series are visited with it, not on their own.
void visit(const KCalendarCore::MemoryCalendar &calendar, const KCalendarCore::Event::Ptr &event, int id,
           qint64 fromMs, qint64 toMs, const std::function<void(const Occurrence &)> &visit);

// The same for the events of one UID, its master and its overrides, with the overrides read once;
// `overrides` is made on first use.
void visitSeries(const KCalendarCore::Event::List &events, std::shared_ptr<const Overrides> &overrides,
                 int id, qint64 fromMs, qint64 toMs, const std::function<void(const Occurrence &)> &visit);

// The occurrence as the widget's job record; `myAddresses` tell the user among its attendees.
[[nodiscard]] ScheduleDataInfo jobOf(const Occurrence &occurrence, const QStringList &myAddresses = {});

// What the job of an occurrence of `event`, of the series of `master`, says whichever occurrence
// it is: all of it but its ID and times.
[[nodiscard]] ScheduleDataInfo eventPartOf(const KCalendarCore::Event &event,
                                           const KCalendarCore::Event &master,
                                           const QStringList &myAddresses);

// The job of the occurrence from its event's part, made once for all occurrences of a series.
[[nodiscard]] ScheduleDataInfo jobOf(const Occurrence &occurrence, ScheduleDataInfo eventPart);

} // namespace Occurrences

#endif
