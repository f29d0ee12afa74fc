#include "occurrences.h"

#include "eventinfo.h"
#include "jobmapping.h"
#include "localtimes.h"

#include <KCalendarCore/MemoryCalendar>
#include <KCalendarCore/Recurrence>
#include <KCalendarCore/RecurrenceRule>

#include <QSet>

#include <algorithm>
#include <utility>

using namespace KCalendarCore;
using namespace JobMapping;

namespace {

// How long an event lasts: in days for an all-day one, in seconds otherwise. The same for every
// occurrence, so a series works it out once.
struct Length
{
    bool allDay = false;
    qint64 amount = 0;
};

Length lengthOf(const Event &event)
{
    const QDateTime eventEnd = endOf(event);
    if (event.allDay())
        return {true, event.dtStart().date().daysTo(eventEnd.date())};
    return {false, event.dtStart().secsTo(eventEnd)};
}

// The occurrence that starts at `start`, as instants: an all-day one from the midnight before its
// first day to the midnight after its last.
qint64 spanOf(const Length &length, const QDateTime &start, qint64 *endMs)
{
    if (length.allDay) {
        const QDate first = start.toLocalTime().date();
        *endMs = first.addDays(length.amount + 1).startOfDay().toMSecsSinceEpoch();
        return first.startOfDay().toMSecsSinceEpoch();
    }
    const qint64 startMs = start.toMSecsSinceEpoch();
    *endMs = startMs + length.amount * 1000;
    return startMs;
}

// Visits the overrides that touch [fromMs, toMs).
void visitOverrides(const Occurrences::Overrides &overrides, const Occurrences::Occurrence &series,
                    qint64 fromMs, qint64 toMs,
                    const std::function<void(const Occurrences::Occurrence &)> &visit)
{
    for (const Occurrences::Occurrence &moved : overrides.moved) {
        if (!Occurrences::overlaps(moved.startMs, moved.endMs, fromMs, toMs))
            continue;
        Occurrences::Occurrence occurrence = moved;
        occurrence.id = series.id;
        visit(occurrence);
    }
}

// How far before a window an occurrence may start and still reach into it: the event's length,
// or an RDATE period's where one is longer.
qint64 longestSeconds(const Event &event, const Length &length)
{
    qint64 probeEndMs = 0;
    const qint64 probeStartMs = spanOf(length, event.dtStart(), &probeEndMs);
    qint64 seconds = (probeEndMs - probeStartMs) / 1000;
    const Recurrence *recurrence = event.recurrence();
    if (event.allDay() || recurrence->rDateTimes().isEmpty())
        return seconds;
    const QList<QDateTime> dates = recurrence->rDateTimes();
    for (const QDateTime &date : dates) {
        const Period period = recurrence->rDateTimePeriod(date);
        if (period.isValid())
            seconds = qMax(seconds, period.start().secsTo(period.end()));
    }
    return seconds;
}

// A DTSTART its rule does not produce is still the first occurrence, and one of its COUNT, as
// every other reader counts it (Apple's holidays, Exchange's weekday rules that start on another
// day): it joins `times` where it lies in the window, and the rule's last time gives way to it.
void addOffRuleStart(const Event &event, const QDateTime &from, qint64 toMs, QList<QDateTime> &times)
{
    const Recurrence *recurrence = event.recurrence();
    const QDateTime start = event.dtStart();
    const bool startInWindow = event.allDay()
                                   ? start.date() >= from.toLocalTime().date() &&
                                         start.date() <= QDateTime::fromMSecsSinceEpoch(toMs).date()
                                   : start >= from && start.toMSecsSinceEpoch() <= toMs;
    const RecurrenceRule::List rules = recurrence->rRules();
    const bool counted = rules.size() == 1 && rules.first()->duration() > 0;
    if (!startInWindow && !counted)
        return;
    auto produces = [&](const RecurrenceRule *rule) {
        return !rule->timesInInterval(start, start).isEmpty();
    };
    const bool offRule = !rules.isEmpty() && std::none_of(rules.cbegin(), rules.cend(), produces) &&
                         !recurrence->rDateTimes().contains(start) &&
                         !recurrence->rDates().contains(start.date());
    const bool excluded =
        recurrence->exDateTimes().contains(start) || recurrence->exDates().contains(start.date());
    if (offRule && startInWindow && !excluded && !times.contains(start))
        times.prepend(start);
    if (offRule && counted)
        times.removeAll(rules.first()->endDt());
}

// An EXDATE of an all-day series written as a midnight, in UTC or in a zone, leaves out the day it
// writes; the library compares it with the occurrences as an instant and keeps them all.
QSet<QDate> allDayExclusions(const Event &event)
{
    QSet<QDate> leftOut;
    if (!event.allDay())
        return leftOut;
    const QList<QDateTime> exceptions = event.recurrence()->exDateTimes();
    for (const QDateTime &exception : exceptions)
        leftOut.insert(exception.date());
    return leftOut;
}

} // namespace

namespace Occurrences {

QDate localDay(qint64 ms)
{
    return LocalTimes::dayOf(ms);
}

QDate lastDayOf(qint64 startMs, qint64 endMs)
{
    return localDay(endMs > startMs ? endMs - 1 : endMs);
}

Occurrence at(const Event::Ptr &master, const Event::Ptr &event, const QDateTime &start, int id, int recurId)
{
    Occurrence occurrence;
    occurrence.id = id;
    occurrence.recurId = recurId;
    occurrence.master = master;
    occurrence.event = event;
    occurrence.startMs = spanOf(lengthOf(*event), start, &occurrence.endMs);
    return occurrence;
}

Overrides overridesOf(const Event::Ptr &master, const Event::List &exceptions)
{
    Overrides overrides;
    for (const Event::Ptr &exception : exceptions) {
        if (!exception || exception == master || !exception->hasRecurrenceId())
            continue;
        const int number = recurrenceNumber(*master, exception->recurrenceId());
        overrides.replaced.insert(number);
        if (exception->status() == Incidence::StatusCanceled || !exception->dtStart().isValid()) {
            overrides.moved.remove(number);
            continue;
        }
        overrides.moved.insert(number, at(master, exception, exception->dtStart(), 0, number));
    }
    return overrides;
}

namespace {

// visit() of an event known to be no override of a recurring master.
void visitEvent(const Event::Ptr &event, const Overrides *overrides, int id, qint64 fromMs, qint64 toMs,
                const std::function<void(const Occurrence &)> &visit)
{
    if (event->status() == Incidence::StatusCanceled)
        return;
    Occurrence occurrence;
    occurrence.id = id;
    occurrence.event = event;
    occurrence.master = event;
    const Length length = lengthOf(*event);
    if (!event->recurs()) {
        occurrence.startMs = spanOf(length, event->dtStart(), &occurrence.endMs);
        if (overlaps(occurrence.startMs, occurrence.endMs, fromMs, toMs))
            visit(occurrence);
        return;
    }
    visitOverrides(*overrides, occurrence, fromMs, toMs, visit);
    const QSet<int> &replaced = overrides->replaced;
    const Recurrence *recurrence = event->recurrence();
    // An RDATE with a period lasts as long as its period says, not as the event.
    const bool periods = !event->allDay() && !recurrence->rDateTimes().isEmpty();
    // In UTC: the library turns both ends into the rule's zone, which from a local time asks the C
    // library first.
    const QDateTime from =
        QDateTime::fromMSecsSinceEpoch(fromMs - (longestSeconds(*event, length) + 1) * 1000, Qt::UTC);
    QList<QDateTime> times = recurrence->timesInInterval(from, QDateTime::fromMSecsSinceEpoch(toMs, Qt::UTC));
    addOffRuleStart(*event, from, toMs, times);
    const QSet<QDate> leftOut = allDayExclusions(*event);
    int count = 0;
    for (const QDateTime &time : std::as_const(times)) {
        if (!leftOut.isEmpty() && leftOut.contains(time.date()))
            continue;
        if (++count > maxPerSeries)
            break;
        const int number = recurrenceNumber(*event, time);
        if (replaced.contains(number))
            continue;
        Occurrence single = occurrence;
        single.recurId = number;
        const Period period = periods ? recurrence->rDateTimePeriod(time) : Period();
        if (period.isValid()) {
            single.startMs = time.toMSecsSinceEpoch();
            single.endMs = single.startMs + period.start().msecsTo(period.end());
        } else {
            single.startMs = spanOf(length, time, &single.endMs);
        }
        if (overlaps(single.startMs, single.endMs, fromMs, toMs))
            visit(single);
    }
}

} // namespace

void visit(const MemoryCalendar &calendar, const Event::Ptr &event, int id, qint64 fromMs, qint64 toMs,
           const std::function<void(const Occurrence &)> &visit)
{
    if (event->hasRecurrenceId()) {
        const Event::Ptr master = calendar.event(event->uid());
        if (master && master->recurs())
            return; // visited with its series
    }
    Overrides overrides;
    if (event->recurs()) {
        const Incidence::List instances = calendar.instances(event);
        Event::List exceptions;
        for (const Incidence::Ptr &instance : instances) {
            if (const Event::Ptr exception = instance.dynamicCast<Event>())
                exceptions << exception;
        }
        overrides = overridesOf(event, exceptions);
    }
    visitEvent(event, &overrides, id, fromMs, toMs, visit);
}

void visitSeries(const Event::List &events, std::shared_ptr<const Overrides> &overrides, int id,
                 qint64 fromMs, qint64 toMs, const std::function<void(const Occurrence &)> &visit)
{
    Event::Ptr master;
    for (const Event::Ptr &event : events) {
        if (!event->hasRecurrenceId()) {
            master = event;
            break;
        }
    }
    if (master && master->recurs()) {
        if (!overrides)
            overrides = std::make_shared<const Overrides>(overridesOf(master, events));
        visitEvent(master, overrides.get(), id, fromMs, toMs, visit);
        return;
    }
    // No series: each event stands on its own.
    const Overrides none;
    for (const Event::Ptr &event : events)
        visitEvent(event, &none, id, fromMs, toMs, visit);
}

ScheduleDataInfo jobOf(const Occurrence &occurrence, const QStringList &myAddresses)
{
    return jobOf(occurrence, eventPartOf(*occurrence.event, *occurrence.master, myAddresses));
}

ScheduleDataInfo eventPartOf(const Event &event, const Event &master, const QStringList &myAddresses)
{
    ScheduleDataInfo info;
    info.setTitleName(event.summary());
    info.setDescription(event.description());
    info.setAllDay(event.allDay());
    info.setType(typeOf(master));
    info.setRemindData(remindOf(event));
    info.setRepetitionRule(ruleOf(master));
    info.setIgnoreTime(ignoreOf(master));
    info.setDetails(EventInfo::detailsOf(event, myAddresses));
    info.setCompleted(!event.nonKDECustomProperty(JobMapping::completedProperty().latin1()).isEmpty());
    info.setNoDate(!event.nonKDECustomProperty(JobMapping::noDateProperty().latin1()).isEmpty());
    return info;
}

ScheduleDataInfo jobOf(const Occurrence &occurrence, ScheduleDataInfo eventPart)
{
    ScheduleDataInfo info = std::move(eventPart);
    info.setID(occurrence.id);
    info.setRecurID(occurrence.recurId);
    if (info.getAllDay()) {
        // An all-day job ends at the last second of its last day, so it stays on its own days.
        info.setBeginDateTime(QDateTime(localDay(occurrence.startMs), QTime(0, 0)));
        info.setEndDateTime(QDateTime(localDay(occurrence.endMs - 1000), QTime(23, 59, 59)));
    } else {
        info.setBeginDateTime(LocalTimes::at(occurrence.startMs));
        info.setEndDateTime(LocalTimes::at(occurrence.endMs));
    }
    return info;
}

} // namespace Occurrences
