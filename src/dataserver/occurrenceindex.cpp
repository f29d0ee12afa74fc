#include "occurrenceindex.h"

#include <KCalendarCore/MemoryCalendar>
#include <KCalendarCore/Recurrence>

#include <QLocale>

#include <algorithm>
#include <limits>

using namespace KCalendarCore;
using Occurrences::Occurrence;

namespace OccurrenceIndex {

Series *find(QVector<Series> &series, const QString &uid)
{
    const auto it = std::lower_bound(series.begin(), series.end(), uid,
                                     [](const Series &one, const QString &key) { return one.uid < key; });
    return it != series.end() && it->uid == uid ? &*it : nullptr;
}

const Series *find(const QVector<Series> &series, const QString &uid)
{
    const auto it = std::lower_bound(series.cbegin(), series.cend(), uid,
                                     [](const Series &one, const QString &key) { return one.uid < key; });
    return it != series.cend() && it->uid == uid ? &*it : nullptr;
}

namespace {

// Earlier and later than any occurrence: a day on either side holds a date's zone and its end.
void settleBound(Series &series)
{
    constexpr qint64 lowest = std::numeric_limits<qint64>::min() / 2;
    constexpr qint64 highest = std::numeric_limits<qint64>::max() / 2;
    qint64 from = highest;
    qint64 to = lowest;
    for (const Event::Ptr &event : std::as_const(series.events)) {
        const qint64 start = event->dtStart().toMSecsSinceEpoch();
        const qint64 length = qMax<qint64>(0, event->dtStart().msecsTo(event->dtEnd()));
        qint64 first = start;
        qint64 last = start;
        if (event->recurs()) {
            const Recurrence *recurrence = event->recurrence();
            for (const QDateTime &extra : recurrence->rDateTimes())
                first = qMin(first, extra.toMSecsSinceEpoch());
            for (const QDate &extra : recurrence->rDates())
                first = qMin(first, extra.startOfDay().toMSecsSinceEpoch());
            last = recurrence->duration() == -1 ? highest : recurrence->endDateTime().toMSecsSinceEpoch();
            if (!recurrence->endDateTime().isValid())
                last = highest;
        }
        from = qMin(from, first);
        to = qMax(to, last == highest ? highest : last + length);
    }
    series.boundFromMs = from == highest ? lowest : from - dayMs;
    series.boundToMs = to == lowest ? highest : (to == highest ? highest : to + dayMs);
    series.bounded = true;
}

} // namespace

bool mayTouch(Series &series, qint64 fromMs, qint64 toMs)
{
    if (series.bounded)
        return series.boundFromMs < toMs && series.boundToMs >= fromMs && !series.events.isEmpty();
    if (series.events.isEmpty())
        return false;
    settleBound(series);
    return series.boundFromMs < toMs && series.boundToMs >= fromMs;
}

namespace {

// Known from the series' own fields to have nothing in [fromMs, toMs). Every new window asks this
// of every series of the file, most of them of other years: their events, a cache miss each, are
// left alone.
bool missesWindow(const Series &series, qint64 fromMs, qint64 toMs)
{
    if (series.spanned)
        return !series.hasSpan || !Occurrences::overlaps(series.spanStartMs, series.spanEndMs, fromMs, toMs);
    return series.bounded && !(series.boundFromMs < toMs && series.boundToMs >= fromMs);
}

} // namespace

void expand(const MemoryCalendar &calendar, Series &series, qint64 fromMs, qint64 toMs)
{
    const bool missed = missesWindow(series, fromMs, toMs);
    const bool once = !missed && series.once();
    if (missed || (!once && !mayTouch(series, fromMs, toMs))) {
        // Nothing of it in these days, nor in the window before them: none is expanded.
        series.entries.clear();
        series.truncated = false;
        series.fromMs = fromMs;
        series.toMs = toMs;
        series.expanded = true;
        return;
    }
    if (once && !series.spanned) {
        series.spanned = true;
        Occurrences::visit(calendar, series.events.first(), 0, std::numeric_limits<qint64>::min(),
                           std::numeric_limits<qint64>::max(), [&](const Occurrence &occurrence) {
                               series.hasSpan = true;
                               series.spanStartMs = occurrence.startMs;
                               series.spanEndMs = occurrence.endMs;
                           });
    }
    const qint64 unionFrom = series.expanded ? qMin(fromMs, series.fromMs) : fromMs;
    const qint64 unionTo = series.expanded ? qMax(toMs, series.toMs) : toMs;
    const bool afresh = !series.expanded || series.truncated || unionTo - unionFrom > maxWindowMs;
    const qint64 oldFrom = series.fromMs;
    const qint64 oldTo = series.toMs;
    auto add = [&](qint64 partFrom, qint64 partTo) {
        if (partFrom >= partTo)
            return;
        auto keep = [&](const Occurrence &occurrence) {
            // The window already holds it; the days added find it again at their edges.
            if (!afresh && Occurrences::overlaps(occurrence.startMs, occurrence.endMs, oldFrom, oldTo))
                return;
            Slot slot;
            slot.occurrence = occurrence;
            series.entries << slot;
        };
        if (once) {
            if (!series.hasSpan ||
                !Occurrences::overlaps(series.spanStartMs, series.spanEndMs, partFrom, partTo))
                return;
            Occurrence occurrence;
            occurrence.event = series.events.first();
            occurrence.master = occurrence.event;
            occurrence.startMs = series.spanStartMs;
            occurrence.endMs = series.spanEndMs;
            keep(occurrence);
            return;
        }
        int taken = 0;
        Occurrences::visitSeries(series.events, series.overrides, 0, partFrom, partTo,
                                 [&](const Occurrence &occurrence) {
                                     ++taken;
                                     keep(occurrence);
                                 });
        // A query takes at most so many occurrences of a rule; a window may hold more.
        if (taken >= Occurrences::maxPerSeries)
            series.truncated = true;
    };
    if (afresh) {
        series.entries.clear();
        series.truncated = false;
        add(fromMs, toMs);
        series.fromMs = fromMs;
        series.toMs = toMs;
    } else {
        add(unionFrom, oldFrom);
        add(oldTo, unionTo);
        series.fromMs = unionFrom;
        series.toMs = unionTo;
    }
    if (series.entries.size() >= Occurrences::maxPerSeries)
        series.truncated = true;
    series.expanded = true;
}

void adopt(const QVector<Series> &old, QVector<Series> &fresh)
{
    for (auto it = fresh.begin(); it != fresh.end(); ++it) {
        const Series *before = find(old, it->uid);
        // A series not read yet has no events to move the window onto; it is read when asked for.
        if (!before || !before->expanded || before->signature == 0 || before->signature != it->signature ||
            it->deferred())
            continue;
        // Same text: the same occurrences, only on the re-read's event objects.
        Series series = *before;
        series.events = it->events;
        series.textFrom = it->textFrom; // where the text is now, if anywhere
        series.textTo = it->textTo;
        series.textHash = it->textHash;
        series.overrides.reset();
        // The calendar's own lookup compares RECURRENCE-IDs one by one, each in its zone.
        QHash<qint64, Event::Ptr> byRecurrence;
        Event::Ptr plain;
        for (const Event::Ptr &event : std::as_const(series.events)) {
            if (event->hasRecurrenceId())
                byRecurrence.insert(event->recurrenceId().toMSecsSinceEpoch(), event);
            else if (!plain)
                plain = event;
        }
        auto lookUp = [&](const Event::Ptr &old) {
            return old->hasRecurrenceId() ? byRecurrence.value(old->recurrenceId().toMSecsSinceEpoch())
                                          : plain;
        };
        bool whole = true;
        for (Slot &slot : series.entries) {
            Occurrence &occurrence = slot.occurrence;
            const Event::Ptr master = lookUp(occurrence.master);
            const Event::Ptr event =
                occurrence.event == occurrence.master ? master : lookUp(occurrence.event);
            if (!master || !event) {
                whole = false;
                break;
            }
            occurrence.master = master;
            occurrence.event = event;
        }
        if (whole)
            *it = series;
    }
}

namespace {

// Kept for the occurrences of series alone: a single event's part would be used once.
ScheduleDataInfo eventPartOf(const Occurrence &occurrence, const JobContext &context)
{
    if (!occurrence.master->recurs())
        return Occurrences::eventPartOf(*occurrence.event, *occurrence.master, context.myAddresses);
    const QPair<const Event *, const Event *> event(occurrence.event.get(), occurrence.master.get());
    auto part = context.eventParts.constFind(event);
    if (part == context.eventParts.constEnd())
        part = context.eventParts.insert(
            event, Occurrences::eventPartOf(*occurrence.event, *occurrence.master, context.myAddresses));
    return part.value();
}

} // namespace

void makeJob(Slot &slot, int id, const JobContext &context)
{
    const QByteArray &calendarKeys = context.calendarKeys;
    if (slot.jobId == id && !slot.json.isEmpty() && slot.calendarKeys == calendarKeys &&
        slot.myAddresses == context.myAddresses)
        return;
    Occurrence occurrence = slot.occurrence;
    occurrence.id = id;
    const ScheduleDataInfo info = Occurrences::jobOf(occurrence, eventPartOf(occurrence, context));
    slot.jobId = id;
    slot.jobBegin = info.getBeginDateTime();
    slot.jobEnd = info.getEndDateTime();
    slot.title = info.getTitleName();
    slot.firstDay = Occurrences::localDay(occurrence.startMs);
    slot.lastDay = Occurrences::lastDayOf(occurrence.startMs, occurrence.endMs);
    // The answer stays what QJsonDocument writes, keys in its order, calendar keys among them.
    slot.json = ScheduleDataInfo::ScheduleToJsonText(info, calendarKeys);
    slot.calendarKeys = calendarKeys;
    slot.myAddresses = context.myAddresses;
}

QString rangeJson(QMap<QDate, QVector<Slot *>> &days)
{
    QByteArray json = "[";
    for (auto it = days.begin(); it != days.end(); ++it) {
        QVector<Slot *> &jobs = it.value();
        std::sort(jobs.begin(), jobs.end(), [](const Slot *a, const Slot *b) {
            if (a->jobBegin != b->jobBegin)
                return a->jobBegin < b->jobBegin;
            if (a->jobEnd != b->jobEnd)
                return a->jobEnd < b->jobEnd;
            if (a->title != b->title)
                return a->title < b->title;
            return std::make_pair(a->jobId, a->occurrence.recurId) <
                   std::make_pair(b->jobId, b->occurrence.recurId);
        });
        if (json.size() > 1)
            json += ',';
        json += "{\"Date\":\"" + QLocale::c().toString(it.key(), QStringLiteral("yyyy-MM-dd")).toLatin1() +
                "\",\"Jobs\":[";
        for (int i = 0; i < jobs.size(); ++i) {
            if (i > 0)
                json += ',';
            json += jobs.at(i)->json;
        }
        json += "]}";
    }
    json += ']';
    return QString::fromUtf8(json);
}

} // namespace OccurrenceIndex
