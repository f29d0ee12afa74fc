#include "calendarstore.h"

#include "calendarstore_p.h"
#include "jobmapping.h"
#include "localtimes.h"
#include "occurrenceindex.h"

#include <KCalendarCore/MemoryCalendar>

#include <QDeadlineTimer>

#include <algorithm>
#ifdef __GLIBC__
#include <malloc.h>
#endif
#include <memory>
#include <vector>

using namespace KCalendarCore;
using OccurrenceIndex::Series;
using OccurrenceIndex::Slot;

namespace {

constexpr int rangeCacheSize = 64;
// Larger answers are made again when asked again: 64 of the largest would fill the memory.
constexpr int cachedAnswerBytes = 1024 * 1024;

// The slots of an answer on their days within first..last, counted against its bounds as they
// come, so that an answer past them costs no more than the bounds.
struct Answer
{
    Answer(const QDate &first, const QDate &last)
        : first(first)
        , last(last)
    {
    }

    QDate first;
    QDate last;
    QMap<QDate, QVector<Slot *>> days;
    qint64 jobs = 0;
    qint64 bytes = 0;
    bool full = false;

    void add(Slot &slot)
    {
        const QDate from = qMax(first, slot.firstDay);
        const QDate to = qMin(last, slot.lastDay);
        if (full || from > to)
            return;
        const qint64 count = from.daysTo(to) + 1;
        jobs += count;
        bytes += count * (slot.json.size() + 1);
        if (jobs > CalendarStore::maxAnswerJobs || bytes > CalendarStore::maxAnswerBytes) {
            full = true;
            return;
        }
        for (QDate day = from; day <= to; day = day.addDays(1))
            days[day] << &slot;
    }

    CalendarStore::Result failure() const
    {
        return CalendarStore::Result::failure(
            CalendarStore::Status::TooLarge,
            QStringLiteral(
                "the answer for %1 days would list more than %2 jobs or %3 MiB; ask for fewer days")
                .arg(first.daysTo(last) + 1)
                .arg(CalendarStore::maxAnswerJobs)
                .arg(CalendarStore::maxAnswerBytes / (1024 * 1024)));
    }
};

// glibc keeps what is freed in its heaps, to be used again, and gives back only the end of the
// main one: each year's answer from 100,000 events left the server's resident memory tens of MiB
// higher, though the events it had read were let go again.
void releaseFreed()
{
#ifdef __GLIBC__
    malloc_trim(0);
#endif
}

} // namespace

CalendarStore::Private::Private(CalendarStore *store, const QStringList &paths)
    : q(store)
    , files(paths)
{
    growTimer.setSingleShot(true);
    growTimer.setInterval(0);
    trimTimer.setSingleShot(true);
    trimTimer.setInterval(0);
    edsViewTimer.setSingleShot(true);
    edsViewTimer.setInterval(edsViewWaitMs);
    dayTimer.setSingleShot(true);
}

void CalendarStore::Private::armDayTimer()
{
    // A timer set anew each day, not one of 24 hours: a day of a clock change is not one.
    const QDateTime now = QDateTime::currentDateTime();
    const qint64 toMidnight = now.msecsTo(now.date().addDays(1).startOfDay());
    dayTimer.start(int(std::clamp<qint64>(toMidnight + 1000, 1000, qint64(25) * 3600 * 1000)));
}

CalendarStore::CalendarStore(const QStringList &paths, QObject *parent)
    : QObject(parent)
    , d(std::make_unique<Private>(this, paths))
{
    connect(&d->growTimer, &QTimer::timeout, this, [this] { d->growAhead(); });
    connect(&d->trimTimer, &QTimer::timeout, this, releaseFreed);
    connect(&d->files, &CalendarFiles::changedOnDisk, this, [this] { d->changed(); });
    connect(&d->dayTimer, &QTimer::timeout, this, [this] {
        if (d->files.renewUndated())
            d->changed();
        d->armDayTimer();
    });
    d->armDayTimer();
    // EDS took the change but its view has not told of it: the change is there all the same.
    connect(&d->edsViewTimer, &QTimer::timeout, this, [this] {
        if (!d->edsEdit)
            return;
        if (d->edsEdit->createdUid.isEmpty())
            d->finishEdsEdit({});
        else
            d->finishEdsEdit(Result::failure(
                Status::WriteFailed, QStringLiteral("the job was created in the %1 calendar %2, which has "
                                                    "not shown it within %3 s")
                                         .arg(d->edsEdit->service, d->edsEdit->name)
                                         .arg(edsViewWaitMs / 1000)));
    });
}

CalendarStore::~CalendarStore() = default;

void CalendarStore::load()
{
    d->files.load();
    d->reindex();
    d->rangeCache.clear();
    d->trimTimer.start();
}

void CalendarStore::setCalendars(const QStringList &paths)
{
    if (d->files.setSources(paths))
        d->changed();
}

void CalendarStore::setMyAddresses(const QStringList &addresses)
{
    if (d->files.setMyAddresses(addresses))
        d->changed();
}

void CalendarStore::localZoneChanged()
{
    LocalTimes::forget();
    d->changed();
}

void CalendarStore::followDesktopCalendars(bool on)
{
    if (on) {
        d->files.followEds();
        return;
    }
    if (d->edsEdit)
        d->finishEdsEdit(Result::failure(
            Status::WriteFailed, QStringLiteral("the desktop's calendars were switched off meanwhile")));
    if (d->files.stopEds())
        d->changed();
}

void CalendarStore::followAkonadi(DesktopCalendars::AkonadiUse use)
{
    if (use != DesktopCalendars::AkonadiUse::Off) {
        d->files.followAkonadi(use == DesktopCalendars::AkonadiUse::StartIt);
        return;
    }
    if (d->edsEdit && d->edsEdit->service == CalendarSources::serviceName(CalendarSources::Kind::Akonadi))
        d->finishEdsEdit(Result::failure(Status::WriteFailed,
                                         QStringLiteral("Akonadi's calendars were switched off meanwhile")));
    if (d->files.stopAkonadi())
        d->changed();
}

void CalendarStore::Private::reindex()
{
    keys.clear();
    for (const FilePtr &file : files.files()) {
        if (!file->readable)
            continue;
        // The series are the file's UIDs in order, each once: asking the calendar for its events
        // cost more than the rest of this.
        for (Series &series : file->series) {
            int id = JobMapping::stableId(series.uid);
            // Collisions are settled in file and UID order, so every start settles them alike.
            while (id == 0 || keys.contains(id))
                id = (id + 1) & 0x7fffffff;
            keys.insert(id, {file->path, series.uid});
            series.id = id;
        }
    }
}

void CalendarStore::Private::changed()
{
    reindex();
    rangeCache.clear();
    trimTimer.start();
    Q_EMIT q->jobsChanged();
    checkEdsEdit();
}

QString CalendarStore::jobsJson(const QDate &first, const QDate &last, Result *failure)
{
    const QString key = first.toString(Qt::ISODate) + QLatin1Char('/') + last.toString(Qt::ISODate);
    const auto cached = d->rangeCache.constFind(key);
    if (cached != d->rangeCache.constEnd())
        return cached.value();

    const qint64 fromMs = first.startOfDay().toMSecsSinceEpoch();
    const qint64 toMs = last.addDays(1).startOfDay().toMSecsSinceEpoch();
    Answer answer(first, last);
    for (QDate day = first; day <= last; day = day.addDays(1))
        answer.days[day];
    OccurrenceIndex::JobContext context;
    auto take = [&](Slot &slot, int id) {
        if (answer.full ||
            !Occurrences::overlaps(slot.occurrence.startMs, slot.occurrence.endMs, fromMs, toMs))
            return;
        OccurrenceIndex::makeJob(slot, id, context);
        answer.add(slot);
    };

    // Slots of series too dense for a window, made for this query alone; and those of every series
    // for days wider than a window, which would be made afresh for the next query anyway. Kept,
    // the jobs of a year's answer stayed in every series while it was sent, and after it.
    std::vector<std::unique_ptr<Slot>> transient;
    const bool wide = toMs - fromMs > OccurrenceIndex::maxWindowMs;
    bool complete = true;
    for (const FilePtr &file : d->files.files()) {
        if (!file->readable)
            continue;
        context = d->files.jobContextOf(*file);
        complete = d->files.readDeferred(*file, fromMs, toMs) && complete;
        for (Series &series : file->series) {
            if (answer.full)
                break;
            if (series.deferred())
                continue; // nowhere near these days
            const int id = series.id;
            const bool windowed = !wide || series.once();
            // As far ahead as growing would take it, in the same call: the library's cost is mostly
            // the call's. Asked week after week, each window was otherwise grown by the week.
            if (windowed && (!series.expanded || series.fromMs > fromMs || series.toMs < toMs))
                OccurrenceIndex::expand(*file->calendar, series, fromMs,
                                        series.once() ? toMs : toMs + OccurrenceIndex::growAheadMs);
            if (windowed && !series.truncated) {
                for (Slot &slot : series.entries)
                    take(slot, id);
                continue;
            }
            // Wider than a window: the series of other years are passed over by their bounds, as
            // a window passes over them.
            if (!windowed && !OccurrenceIndex::mayTouch(series, fromMs, toMs))
                continue;
            Occurrences::visitSeries(series.events, series.overrides, id, fromMs, toMs,
                                     [&](const Occurrences::Occurrence &occurrence) {
                                         if (answer.full)
                                             return;
                                         auto slot = std::make_unique<Slot>();
                                         slot->occurrence = occurrence;
                                         take(*slot, id);
                                         transient.push_back(std::move(slot));
                                     });
        }
    }
    if (answer.full) {
        if (failure)
            *failure = answer.failure();
        return QString();
    }

    const QString text = OccurrenceIndex::rangeJson(answer.days);
    if (d->rangeCache.size() >= rangeCacheSize)
        d->rangeCache.clear();
    if (answer.bytes <= cachedAnswerBytes && complete)
        d->rangeCache.insert(key, text);
    else
        d->trimTimer.start();
    d->aheadToMs = toMs + OccurrenceIndex::growAheadMs;
    d->aheadBelowMs = toMs + OccurrenceIndex::growAheadMs / 2;
    d->aheadFile = 0;
    d->aheadSeries = 0;
    d->growTimer.start();
    return text;
}

void CalendarStore::Private::growAhead()
{
    // A call that arrives meanwhile waits for one slice at most. Bounded by time, not by a count
    // of series: 25 series of many occurrences once took 14 ms, half of a week's whole answer.
    constexpr int sliceMs = 2;
    const QDeadlineTimer slice(sliceMs);
    const QVector<FilePtr> &all = files.files();
    for (; aheadFile < all.size(); ++aheadFile, aheadSeries = 0) {
        CalendarFile &file = *all.at(aheadFile);
        while (file.readable && aheadSeries < file.series.size()) {
            Series &series = file.series[aheadSeries++];
            // The series' own fields first: once() reads its event, a cache miss for each of
            // tens of thousands of single events at every slice.
            if (!series.expanded || series.truncated || series.toMs >= aheadBelowMs ||
                aheadToMs - series.fromMs > OccurrenceIndex::maxWindowMs || series.once())
                continue; // a window grown too wide is left for the next query to start afresh
            OccurrenceIndex::expand(*file.calendar, series, series.fromMs, aheadToMs);
            if (slice.hasExpired()) {
                growTimer.start();
                return;
            }
        }
    }
}

QString CalendarStore::queryJson(const QString &key, const QDateTime &start, const QDateTime &end,
                                 Result *failure)
{
    const qint64 fromMs = start.toMSecsSinceEpoch();
    const qint64 toMs = end.toMSecsSinceEpoch();
    Answer answer(start.toLocalTime().date(), end.addMSecs(-1).toLocalTime().date());
    const auto holdsKey = [&key](const Event &event) {
        return key.isEmpty() || event.summary().contains(key, Qt::CaseInsensitive) ||
               event.description().contains(key, Qt::CaseInsensitive);
    };
    std::vector<std::unique_ptr<Slot>> found;
    for (const FilePtr &file : d->files.files()) {
        if (!file->readable)
            continue;
        const OccurrenceIndex::JobContext context = d->files.jobContextOf(*file);
        d->files.readDeferred(*file, fromMs, toMs, key);
        for (Series &series : file->series) {
            if (answer.full)
                break;
            // Every occurrence bears the text of one of the series' events: a series none of whose
            // events holds the key is not expanded, its long descriptions not searched once more
            // for each occurrence.
            if (!OccurrenceIndex::mayTouch(series, fromMs, toMs) ||
                std::none_of(series.events.cbegin(), series.events.cend(),
                             [&](const Event::Ptr &event) { return holdsKey(*event); }))
                continue;
            const int id = series.id;
            Occurrences::visitSeries(series.events, series.overrides, id, fromMs, toMs,
                                     [&](const Occurrences::Occurrence &occurrence) {
                                         if (answer.full || !holdsKey(*occurrence.event))
                                             return;
                                         auto slot = std::make_unique<Slot>();
                                         slot->occurrence = occurrence;
                                         OccurrenceIndex::makeJob(*slot, id, context);
                                         answer.add(*slot);
                                         found.push_back(std::move(slot));
                                     });
        }
    }
    if (answer.full) {
        if (failure)
            *failure = answer.failure();
        return QString();
    }
    if (answer.bytes > cachedAnswerBytes)
        d->trimTimer.start();
    return OccurrenceIndex::rangeJson(answer.days);
}

bool CalendarStore::Private::findEvent(qint64 id, FilePtr *file, Event::Ptr *master)
{
    if (id <= 0 || id > 0x7fffffff)
        return false;
    const auto key = keys.constFind(int(id));
    if (key == keys.constEnd())
        return false;
    *file = files.fileAt(key->path);
    if (!*file || !(*file)->readable)
        return false;
    files.readDeferred(**file, key->uid);
    *master = (*file)->calendar->event(key->uid);
    if (!*master) {
        const Event::List events = (*file)->calendar->rawEvents();
        for (const Event::Ptr &event : events) {
            if (event->uid() == key->uid) {
                *master = event;
                break;
            }
        }
    }
    return bool(*master);
}

CalendarStore::Result CalendarStore::job(qint64 id, ScheduleDataInfo &out) const
{
    FilePtr file;
    Event::Ptr master;
    if (!d->findEvent(id, &file, &master))
        return Result::failure(Status::NotFound, QStringLiteral("no job with ID %1").arg(id));
    const CalendarFiles::Source &source = d->files.sourceOf(*file);
    out = Occurrences::jobOf(Occurrences::at(master, master, master->dtStart(), int(id), 0),
                             source.myAddresses);
    out.setCalendar(source.identity);
    return {};
}

QVector<CalendarIdentity> CalendarStore::calendars() const
{
    return d->files.identities();
}
