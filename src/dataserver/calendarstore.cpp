#include "calendarstore.h"

#include "jobmapping.h"
#include "timezonenames.h"

#include <KCalendarCore/Exceptions>
#include <KCalendarCore/ICalFormat>
#include <KCalendarCore/Recurrence>
#include <KCalendarCore/RecurrenceRule>

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>
#include <QSaveFile>
#include <QUuid>

#include <algorithm>
#include <limits>
#include <string_view>

using namespace KCalendarCore;
using namespace JobMapping;

namespace {

// A series yields at most this many occurrences per request, so a minutely rule cannot make one
// request run away.
constexpr int maxOccurrencesPerSeries = 5000;
constexpr int rangeCacheSize = 64;
// Longer physical lines are folded before the library reads them; it takes 27 s over one line of
// 16 MiB, and a few milliseconds over the same text folded.
constexpr int longestLine = 64 * 1024;

QString describe(const Exception *exception)
{
    if (!exception)
        return QStringLiteral("KCalendarCore could not read it");
    switch (exception->code()) {
    case Exception::ParseErrorIcal:
    case Exception::ParseErrorKcal:
    case Exception::ParseErrorUnableToParse:
        return QStringLiteral("not valid iCalendar data");
    case Exception::NoCalendar:
        return QStringLiteral("no VCALENDAR in it");
    case Exception::CalVersion1:
        return QStringLiteral("vCalendar 1.0 is not supported");
    case Exception::CalVersionUnknown:
    case Exception::ExpectedCalVersion2Unknown:
        return QStringLiteral("unknown calendar version");
    default:
        break;
    }
    return QStringLiteral("KCalendarCore could not read it (error %1)").arg(int(exception->code()));
}

bool isEvent(const IcsNode &node, const QString &uid)
{
    return node.component && node.name == QLatin1String("VEVENT") &&
           node.propertyValue(QStringLiteral("UID")).trimmed() == uid;
}

bool holdsIncidences(const IcsDocument &document)
{
    for (const IcsNode &node : document.components()) {
        if (node.component && (node.name == QLatin1String("VEVENT") || node.name == QLatin1String("VTODO") ||
                               node.name == QLatin1String("VJOURNAL")))
            return true;
    }
    return false;
}

// One component read on its own, with the time zones of its file, to learn its RECURRENCE-ID.
Event::Ptr readComponent(const IcsDocument &document, const IcsNode &component)
{
    IcsDocument single = IcsDocument::newCalendar();
    for (const IcsNode &node : document.components()) {
        if (node.component && node.name == QLatin1String("VTIMEZONE"))
            single.components() << node;
    }
    single.components() << component;
    MemoryCalendar::Ptr calendar(new MemoryCalendar(QTimeZone::systemTimeZone()));
    ICalFormat format;
    QStringList floating; // said when the file was read
    QVector<IcsFault> refolded;
    const QByteArray text = IcsDocument::refold(single.toByteArray(), longestLine, &refolded);
    if (!format.fromRawString(calendar, TimeZoneNames::resolve(text, &floating)))
        return Event::Ptr();
    const Event::List events = calendar->rawEvents();
    return events.isEmpty() ? Event::Ptr() : events.first();
}

bool isDisplayAlarm(const IcsNode &node)
{
    return node.component && node.name == QLatin1String("VALARM") &&
           node.propertyValue(QStringLiteral("ACTION"))
                   .trimmed()
                   .compare(QLatin1String("DISPLAY"), Qt::CaseInsensitive) == 0;
}

void setTimes(IcsNode &component, const QDateTime &begin, const QDateTime &end, bool allDay,
              const TimeStyle &startStyle, const TimeStyle &endStyle, bool useDuration)
{
    IcsNode startLine;
    IcsNode endLine;
    if (allDay) {
        const QDate first = begin.date();
        QDate last = end.date();
        // An end at midnight closes the day before, as an exclusive DTEND would.
        if (end.time() == QTime(0, 0) && last > first)
            last = last.addDays(-1);
        last = qMax(first, last);
        TimeStyle date;
        date.kind = TimeStyle::Date;
        startLine = timeProperty(QStringLiteral("DTSTART"), QDateTime(first, QTime(0, 0)), date);
        endLine = useDuration
                      ? IcsNode::property(QStringLiteral("DURATION:P%1D").arg(first.daysTo(last) + 1))
                      : timeProperty(QStringLiteral("DTEND"), QDateTime(last.addDays(1), QTime(0, 0)), date);
    } else {
        startLine = timeProperty(QStringLiteral("DTSTART"), begin, startStyle);
        endLine = useDuration
                      ? IcsNode::property(QStringLiteral("DURATION:") + durationText(begin.secsTo(end)))
                      : timeProperty(QStringLiteral("DTEND"), end, endStyle);
    }
    component.setProperties(QStringLiteral("DTSTART"), {startLine});
    component.removeProperties(useDuration ? QStringLiteral("DTEND") : QStringLiteral("DURATION"));
    component.setProperties(useDuration ? QStringLiteral("DURATION") : QStringLiteral("DTEND"), {endLine});
}

void stamp(IcsNode &component)
{
    const QString now = utcStamp(QDateTime::currentDateTimeUtc());
    component.setProperties(QStringLiteral("DTSTAMP"), {IcsNode::property(QStringLiteral("DTSTAMP:") + now)});
    component.setProperties(QStringLiteral("LAST-MODIFIED"),
                            {IcsNode::property(QStringLiteral("LAST-MODIFIED:") + now)});
}

QVector<qint64> instants(const QVector<QDateTime> &dateTimes, bool allDay)
{
    QVector<qint64> result;
    for (const QDateTime &dateTime : dateTimes)
        result << (allDay ? dateTime.date().toJulianDay() : dateTime.toMSecsSinceEpoch());
    std::sort(result.begin(), result.end());
    return result;
}

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

QDate localDay(qint64 ms)
{
    return QDateTime::fromMSecsSinceEpoch(ms).date();
}

// The last day an occurrence touches: one that ends at midnight is over before that day.
QDate lastDayOf(qint64 startMs, qint64 endMs)
{
    return localDay(endMs > startMs ? endMs - 1 : endMs);
}

// Tells a file's text from its next version, at a fraction of SHA-1's cost. Not qHashBits: that
// is CRC32 on most machines, 32 bits however it is seeded.
quint64 digestOf(const QByteArray &data)
{
    return std::hash<std::string_view>{}(std::string_view(data.constData(), size_t(data.size())));
}

// The library reads a rule it cannot parse as none, without a word: an event of a series would
// quietly show once.
void warnBadRules(const QString &path, const QByteArray &text, ICalFormat &format)
{
    int line = 1;
    int counted = 0;
    for (int pos = text.indexOf("RRULE"); pos >= 0; pos = text.indexOf("RRULE", pos + 5)) {
        if (pos > 0 && text.at(pos - 1) != '\n')
            continue;
        int end = pos;
        QByteArray value;
        bool started = false;
        while (end < text.size()) {
            const char c = text.at(end);
            if (c == '\n' && end + 1 < text.size() && (text.at(end + 1) == ' ' || text.at(end + 1) == '\t')) {
                end += 2;
                continue;
            }
            if (c == '\n')
                break;
            if (started && c != '\r')
                value += c;
            else if (c == ':')
                started = true;
            ++end;
        }
        // The same few rules recur in every file of a directory, those of its time zones first.
        static QSet<QByteArray> good;
        if (good.contains(value))
            continue;
        RecurrenceRule rule;
        if (format.fromString(&rule, QString::fromUtf8(value)) &&
            rule.recurrenceType() != RecurrenceRule::rNone) {
            if (good.size() > 10000)
                good.clear();
            good.insert(value);
            continue;
        }
        line += text.mid(counted, pos - counted).count('\n');
        counted = pos;
        const QString shown = value.size() > 60 ? QString::fromUtf8(value.left(60)) + QStringLiteral("...")
                                                : QString::fromUtf8(value);
        qWarning().noquote() << QStringLiteral("%1:%2: RRULE \"%3\" is no rule; the event is read without it")
                                    .arg(path)
                                    .arg(line)
                                    .arg(shown);
    }
}

CalendarStore::Result failure(CalendarStore::Status status, const QString &message)
{
    CalendarStore::Result result;
    result.status = status;
    result.message = message;
    return result;
}

// A series' window grows to cover the queries, but never beyond this many days: past it, the
// series is expanded afresh for the query alone, so a server asked about many months stays small.
constexpr qint64 dayMs = qint64(24) * 3600 * 1000;
constexpr qint64 maxWindowMs = 92 * dayMs;
// After a query, the windows of series that recur grow while the server is idle, to this many
// days past the query once fewer than half of them are left: a rule costs much the same to expand
// for one day as for many.
constexpr qint64 growAheadMs = 14 * dayMs;

CalendarStore::Result checkTimes(const ScheduleDataInfo &info)
{
    if (!info.isValid())
        return failure(CalendarStore::Status::InvalidArgument,
                       QStringLiteral("a job needs a valid Start and End and a Type from 1 to 3"));
    if (info.getEndDateTime() < info.getBeginDateTime())
        return failure(CalendarStore::Status::InvalidArgument,
                       QStringLiteral("the job ends before it starts"));
    return {};
}

} // namespace

CalendarStore::CalendarStore(const QStringList &paths, QObject *parent)
    : QObject(parent)
{
    for (const QString &path : paths) {
        const QFileInfo info(path);
        m_sources.push_back({info.absoluteFilePath(), info.isDir()});
    }
    m_format = std::make_unique<ICalFormat>();
    m_growAhead.setSingleShot(true);
    m_growAhead.setInterval(0);
    connect(&m_growAhead, &QTimer::timeout, this, &CalendarStore::growAhead);
    m_reload.setSingleShot(true);
    m_reload.setInterval(reloadDelayMs);
    connect(&m_reload, &QTimer::timeout, this, [this] {
        if (rescan())
            Q_EMIT jobsChanged();
    });
}

QFileSystemWatcher *CalendarStore::addWatcher()
{
    m_watchers.push_back(std::make_unique<QFileSystemWatcher>());
    QFileSystemWatcher *watcher = m_watchers.back().get();
    connect(watcher, &QFileSystemWatcher::fileChanged, this, [this](const QString &path) {
        m_touched.insert(path);
        m_reload.start();
    });
    connect(watcher, &QFileSystemWatcher::directoryChanged, this, [this] { m_reload.start(); });
    return watcher;
}

CalendarStore::~CalendarStore() = default;

void CalendarStore::load()
{
    for (const Source &source : qAsConst(m_sources)) {
        if (!QFileInfo::exists(source.path))
            qWarning().noquote()
                << QStringLiteral("%1: no such file; it starts as an empty calendar").arg(source.path);
    }
    rescan();
}

QStringList CalendarStore::filesOf(const Source &source)
{
    if (!source.directory)
        return {source.path};
    QStringList paths;
    // QDir::System: a link to nothing is no file, but its owner meant one.
    const QFileInfoList entries =
        QDir(source.path)
            .entryInfoList({QStringLiteral("*.ics")}, QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
    for (const QFileInfo &entry : entries) {
        if (entry.isSymLink() && !entry.exists()) {
            sayOnce(QStringLiteral("%1: a symbolic link to %2, which does not exist; skipped")
                        .arg(entry.absoluteFilePath(), entry.symLinkTarget()));
            continue;
        }
        if (entry.isFile())
            paths << entry.absoluteFilePath();
    }
    return paths;
}

CalendarStore::Result CalendarStore::documentOf(const CalendarFile &file, IcsDocument *document)
{
    *document = IcsDocument();
    if (file.size < 0 && !QFileInfo::exists(file.path))
        return {};
    QFile in(file.path);
    const bool opened = in.open(QIODevice::ReadOnly);
    const QByteArray data = opened ? in.readAll() : QByteArray();
    if (!opened || digestOf(data) != file.digest) {
        // An edit made on what the server read would undo the change on disk.
        m_touched.insert(file.path);
        m_reload.start();
        return failure(
            Status::WriteFailed,
            QStringLiteral("%1 changed on disk since it was read; it is read again").arg(file.path));
    }
    // A file read without its damaged lines would lose them to an edit: it is left alone.
    if (!data.isEmpty() && !document->parse(data))
        return failure(Status::Unreadable, QStringLiteral("%1:%2: %3; the file is left alone")
                                               .arg(file.path)
                                               .arg(document->errorLine)
                                               .arg(document->errorText));
    return {};
}

CalendarStore::FilePtr CalendarStore::fileAt(const QString &path) const
{
    return m_filesByPath.value(path);
}

CalendarStore::FilePtr CalendarStore::readFile(const QString &path, const QFileInfo &info,
                                               const QByteArray &data)
{
    auto file = std::make_shared<CalendarFile>();
    file->path = path;
    file->calendar = MemoryCalendar::Ptr(new MemoryCalendar(m_zone));
    file->size = info.exists() ? info.size() : -1;
    file->modified = info.lastModified();
    file->digest = digestOf(data);
    if (data.trimmed().isEmpty()) {
        file->readable = true;
        return file;
    }
    IcsOutline outline;
    QByteArray text = data;
    if (!IcsDocument::outline(data, outline)) {
        // One damaged line of an export costs that line or its component, not the whole file.
        QVector<IcsFault> faults;
        const QByteArray repaired = IcsDocument::repair(data, &faults);
        IcsOutline again;
        if (repaired.isEmpty() || !IcsDocument::outline(repaired, again)) {
            qWarning().noquote() << QStringLiteral("%1:%2: %3; file skipped")
                                        .arg(path)
                                        .arg(outline.errorLine)
                                        .arg(outline.errorText);
            return file;
        }
        for (const IcsFault &fault : qAsConst(faults))
            qWarning().noquote() << QStringLiteral("%1:%2: %3").arg(path).arg(fault.line).arg(fault.text);
        outline = again;
        text = repaired;
    }
    warnBadRules(path, text, *m_format);
    QByteArray forLibrary = text;
    if (outline.bare) {
        IcsDocument document;
        document.parse(text);
        document.wrapInCalendar();
        forLibrary = document.toByteArray();
    }
    QVector<IcsFault> refolded;
    forLibrary = IcsDocument::refold(forLibrary, longestLine, &refolded);
    for (const IcsFault &fault : qAsConst(refolded))
        sayOnce(QStringLiteral("%1:%2: %3, folded before reading").arg(path).arg(fault.line).arg(fault.text));
    QStringList floating;
    forLibrary = TimeZoneNames::resolve(forLibrary, &floating);
    for (const QString &name : qAsConst(floating))
        sayOnce(
            QStringLiteral("%1: no time zone \"%2\"; its times are read as floating time").arg(path, name));
    m_format->clearException();
    if (!m_format->fromRawString(file->calendar, forLibrary)) {
        qWarning().noquote()
            << QStringLiteral("%1: %2; file skipped").arg(path, describe(m_format->exception()));
        file->calendar = MemoryCalendar::Ptr(new MemoryCalendar(m_zone));
        return file;
    }
    const Event::List events = file->calendar->rawEvents();
    IcsDocument document; // only to tell where a bad event is
    for (const Event::Ptr &event : events) {
        if (event->dtStart().isValid())
            continue;
        int line = 0;
        if (document.top.isEmpty())
            document.parse(text);
        for (const IcsNode &node : document.components()) {
            if (isEvent(node, event->uid())) {
                const IcsNode *start = node.find(QStringLiteral("DTSTART"));
                line = start ? start->line : node.line;
                break;
            }
        }
        qWarning().noquote() << QStringLiteral("%1:%2: event \"%3\" has no valid DTSTART; event skipped")
                                    .arg(path)
                                    .arg(line)
                                    .arg(event->uid());
        file->calendar->deleteEvent(event);
    }
    file->readable = true;
    Event::List kept = file->calendar->rawEvents();
    std::stable_sort(kept.begin(), kept.end(),
                     [](const Event::Ptr &a, const Event::Ptr &b) { return a->uid() < b->uid(); });
    for (const Event::Ptr &event : qAsConst(kept)) {
        if (file->series.isEmpty() || file->series.last().uid != event->uid()) {
            Series series;
            series.uid = event->uid();
            series.signature = outline.signatures.value(event->uid());
            file->series << series;
        }
        file->series.last().events << event;
    }
    file->series.squeeze();
    return file;
}

void CalendarStore::sayOnce(const QString &warning)
{
    if (m_said.contains(warning))
        return;
    m_said.insert(warning);
    qWarning().noquote() << warning;
}

CalendarStore::Series *CalendarStore::seriesOf(CalendarFile &file, const QString &uid)
{
    const auto it =
        std::lower_bound(file.series.begin(), file.series.end(), uid,
                         [](const Series &series, const QString &key) { return series.uid < key; });
    return it != file.series.end() && it->uid == uid ? &*it : nullptr;
}

const CalendarStore::Series *CalendarStore::seriesOf(const CalendarFile &file, const QString &uid)
{
    const auto it =
        std::lower_bound(file.series.cbegin(), file.series.cend(), uid,
                         [](const Series &series, const QString &key) { return series.uid < key; });
    return it != file.series.cend() && it->uid == uid ? &*it : nullptr;
}

void CalendarStore::setFiles(const QVector<FilePtr> &files)
{
    m_files = files;
    m_filesByPath.clear();
    for (const FilePtr &file : files)
        m_filesByPath.insert(file->path, file);
}

void CalendarStore::adoptSeries(const CalendarFile &old, CalendarFile &fresh)
{
    for (auto it = fresh.series.begin(); it != fresh.series.end(); ++it) {
        const Series *before = seriesOf(old, it->uid);
        if (!before || !before->expanded || before->signature == 0 || before->signature != it->signature)
            continue;
        // Same text: the same occurrences, only on the re-read's event objects.
        Series series = *before;
        series.events = it->events;
        bool whole = true;
        for (Slot &slot : series.entries) {
            Occurrence &occurrence = slot.occurrence;
            const Event::Ptr master = fresh.calendar->event(it->uid, occurrence.master->recurrenceId());
            const Event::Ptr event = occurrence.event == occurrence.master
                                         ? master
                                         : fresh.calendar->event(it->uid, occurrence.event->recurrenceId());
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

bool CalendarStore::rescan()
{
    bool changed = false;
    QVector<FilePtr> next;
    QStringList renewed;
    m_zone = QTimeZone::systemTimeZone();
    for (int s = 0; s < m_sources.size(); ++s) {
        const Source &source = m_sources.at(s);
        for (const QString &path : filesOf(source)) {
            const FilePtr old = fileAt(path);
            const QFileInfo info(path);
            FilePtr current;
            if (!info.exists()) {
                if (old && old->size < 0) {
                    current = old;
                } else {
                    current = readFile(path, info, QByteArray());
                    changed = true;
                }
            } else if (old && !old->denied && !m_touched.contains(path) && old->size == info.size() &&
                       old->modified == info.lastModified()) {
                current = old;
            } else {
                QFile in(path);
                if (!in.open(QIODevice::ReadOnly)) {
                    qWarning().noquote()
                        << QStringLiteral("%1: %2; file skipped").arg(path, in.errorString());
                    current = readFile(path, info, QByteArray());
                    current->readable = false;
                    current->denied = true;
                    changed = true;
                } else {
                    const QByteArray data = in.readAll();
                    if (old && old->digest == digestOf(data)) {
                        old->size = info.size();
                        old->modified = info.lastModified();
                        current = old;
                    } else {
                        current = readFile(path, info, data);
                        if (old)
                            adoptSeries(*old, *current);
                        changed = true;
                    }
                }
                renewed << path;
            }
            current->source = s;
            current->inDirectory = source.directory;
            next << current;
        }
    }
    const QSet<const CalendarFile *> kept = [&next] {
        QSet<const CalendarFile *> set;
        for (const FilePtr &file : next)
            set.insert(file.get());
        return set;
    }();
    for (const FilePtr &file : qAsConst(m_files)) {
        if (!kept.contains(file.get()))
            changed = true;
    }
    m_touched.clear();
    setFiles(next);
    if (changed) {
        reindex();
        m_rangeCache.clear();
    }
    refreshWatches(renewed);
    return changed;
}

void CalendarStore::reindex()
{
    m_keys.clear();
    for (const FilePtr &file : qAsConst(m_files)) {
        if (!file->readable)
            continue;
        QStringList uids;
        const Event::List events = file->calendar->rawEvents();
        for (const Event::Ptr &event : events)
            uids << event->uid();
        uids.sort();
        uids.removeDuplicates();
        for (const QString &uid : qAsConst(uids)) {
            int id = stableId(uid);
            // Collisions are settled in file and UID order, so every start settles them alike.
            while (id == 0 || m_keys.contains(id))
                id = (id + 1) & 0x7fffffff;
            m_keys.insert(id, {file->path, uid});
            if (Series *series = seriesOf(*file, uid))
                series->id = id;
        }
    }
}

void CalendarStore::refreshWatches(const QStringList &renewed)
{
    QHash<QString, QFileSystemWatcher *> watched;
    for (const auto &watcher : m_watchers) {
        const QStringList paths = watcher->files() + watcher->directories();
        for (const QString &path : paths)
            watched.insert(path, watcher.get());
    }
    // A file replaced by a rename keeps a watch on the old inode: watch such paths afresh.
    QHash<QFileSystemWatcher *, QStringList> stale;
    for (const QString &path : renewed) {
        if (QFileSystemWatcher *watcher = watched.take(path))
            stale[watcher] << path;
    }
    for (auto it = stale.cbegin(); it != stale.cend(); ++it)
        it.key()->removePaths(it.value());

    QStringList wanted;
    for (const Source &source : qAsConst(m_sources))
        wanted << (source.directory ? source.path : QFileInfo(source.path).absolutePath());
    for (const FilePtr &file : qAsConst(m_files)) {
        if (file->size >= 0)
            wanted << file->path;
    }
    QSet<QString> seen;
    QStringList missing;
    for (const QString &path : qAsConst(wanted)) {
        if (!watched.contains(path) && !seen.contains(path) && QFileInfo::exists(path)) {
            seen.insert(path);
            missing << path;
        }
    }
    constexpr int watchChunk = 1024;
    for (const auto &watcher : m_watchers) {
        const int room = watchChunk - watcher->files().size() - watcher->directories().size();
        if (room > 0 && !missing.isEmpty()) {
            watcher->addPaths(missing.mid(0, room));
            missing = missing.mid(room);
        }
    }
    while (!missing.isEmpty()) {
        addWatcher()->addPaths(missing.mid(0, watchChunk));
        missing = missing.mid(watchChunk);
    }
}

void CalendarStore::changed()
{
    reindex();
    m_rangeCache.clear();
    Q_EMIT jobsChanged();
}

void CalendarStore::forEachOccurrence(const QDateTime &from, const QDateTime &to,
                                      const std::function<void(const Occurrence &)> &visit) const
{
    for (const FilePtr &file : m_files) {
        if (!file->readable)
            continue;
        const Event::List events = file->calendar->rawEvents();
        for (const Event::Ptr &event : events) {
            const Series *series = seriesOf(*file, event->uid());
            occurrencesOf(*file, event, series ? series->id : 0, from.toMSecsSinceEpoch(),
                          to.toMSecsSinceEpoch(), visit);
        }
    }
}

void CalendarStore::occurrencesOf(const CalendarFile &file, const Event::Ptr &event, int id, qint64 fromMs,
                                  qint64 toMs, const std::function<void(const Occurrence &)> &visit) const
{
    auto overlaps = [&](const Occurrence &occurrence) {
        return occurrence.startMs < toMs &&
               (occurrence.endMs > fromMs ||
                (occurrence.startMs == occurrence.endMs && occurrence.startMs >= fromMs));
    };
    Occurrence occurrence;
    occurrence.id = id;
    occurrence.event = event;
    occurrence.master = event;
    if (event->hasRecurrenceId()) {
        const Event::Ptr master = file.calendar->event(event->uid());
        if (master && master->recurs())
            return; // visited with its series
    }
    if (event->status() == Incidence::StatusCanceled)
        return;
    const Length length = lengthOf(*event);
    if (!event->recurs()) {
        occurrence.startMs = spanOf(length, event->dtStart(), &occurrence.endMs);
        if (overlaps(occurrence))
            visit(occurrence);
        return;
    }

    QSet<int> replaced;
    const Incidence::List instances = file.calendar->instances(event);
    for (const Incidence::Ptr &instance : instances) {
        const Event::Ptr exception = instance.dynamicCast<Event>();
        if (!exception)
            continue;
        Occurrence moved = occurrence;
        moved.recurId = recurrenceNumber(*event, exception->recurrenceId());
        replaced.insert(moved.recurId);
        if (exception->status() == Incidence::StatusCanceled || !exception->dtStart().isValid())
            continue;
        moved.event = exception;
        moved.startMs = spanOf(lengthOf(*exception), exception->dtStart(), &moved.endMs);
        if (overlaps(moved))
            visit(moved);
    }
    const Recurrence *recurrence = event->recurrence();
    qint64 probeEndMs = 0;
    const qint64 probeStartMs = spanOf(length, event->dtStart(), &probeEndMs);
    qint64 seconds = (probeEndMs - probeStartMs) / 1000;
    // An RDATE with a period lasts as long as its period says, not as the event.
    const bool periods = !event->allDay() && !recurrence->rDateTimes().isEmpty();
    if (periods) {
        const QList<QDateTime> dates = recurrence->rDateTimes();
        for (const QDateTime &date : dates) {
            const Period period = recurrence->rDateTimePeriod(date);
            if (period.isValid())
                seconds = qMax(seconds, period.start().secsTo(period.end()));
        }
    }
    const QDateTime from = QDateTime::fromMSecsSinceEpoch(fromMs - (seconds + 1) * 1000);
    QList<QDateTime> times = recurrence->timesInInterval(from, QDateTime::fromMSecsSinceEpoch(toMs));
    // A DTSTART its rule does not produce is still the first occurrence, and one of its COUNT, as
    // every other reader counts it (Apple's holidays, Exchange's weekday rules that start on
    // another day).
    const QDateTime start = event->dtStart();
    const bool startInWindow = event->allDay()
                                   ? start.date() >= from.toLocalTime().date() &&
                                         start.date() <= QDateTime::fromMSecsSinceEpoch(toMs).date()
                                   : start >= from && start.toMSecsSinceEpoch() <= toMs;
    const RecurrenceRule::List rules = recurrence->rRules();
    const bool counted = rules.size() == 1 && rules.first()->duration() > 0;
    if (startInWindow || counted) {
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
    int count = 0;
    for (const QDateTime &time : qAsConst(times)) {
        if (++count > maxOccurrencesPerSeries)
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
        if (overlaps(single))
            visit(single);
    }
}

void CalendarStore::expand(CalendarFile &file, Series &series, qint64 fromMs, qint64 toMs) const
{
    const bool once = series.events.size() == 1 && !series.events.first()->recurs();
    if (once && !series.spanned) {
        series.spanned = true;
        occurrencesOf(file, series.events.first(), 0, std::numeric_limits<qint64>::min(),
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
    auto overlaps = [](const Occurrence &occurrence, qint64 from, qint64 to) {
        return occurrence.startMs < to &&
               (occurrence.endMs > from ||
                (occurrence.startMs == occurrence.endMs && occurrence.startMs >= from));
    };
    auto add = [&](qint64 partFrom, qint64 partTo) {
        if (partFrom >= partTo)
            return;
        auto keep = [&](const Occurrence &occurrence) {
            // The window already holds it; the days added find it again at their edges.
            if (!afresh && overlaps(occurrence, oldFrom, oldTo))
                return;
            Slot slot;
            slot.occurrence = occurrence;
            series.entries << slot;
        };
        if (once) {
            Occurrence occurrence;
            occurrence.event = series.events.first();
            occurrence.master = occurrence.event;
            occurrence.startMs = series.spanStartMs;
            occurrence.endMs = series.spanEndMs;
            if (series.hasSpan && overlaps(occurrence, partFrom, partTo))
                keep(occurrence);
            return;
        }
        for (const Event::Ptr &event : qAsConst(series.events)) {
            int taken = 0;
            occurrencesOf(file, event, 0, partFrom, partTo, [&](const Occurrence &occurrence) {
                ++taken;
                keep(occurrence);
            });
            // A query takes at most so many occurrences of a rule; a window may hold more.
            if (event->recurs() && taken >= maxOccurrencesPerSeries)
                series.truncated = true;
        }
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
    if (series.entries.size() >= maxOccurrencesPerSeries)
        series.truncated = true;
    series.expanded = true;
}

void CalendarStore::makeJob(Slot &slot, int id) const
{
    Occurrence occurrence = slot.occurrence;
    occurrence.id = id;
    const ScheduleDataInfo info = toJob(occurrence);
    slot.jobId = id;
    slot.jobBegin = info.getBeginDateTime();
    slot.jobEnd = info.getEndDateTime();
    slot.title = info.getTitleName();
    slot.firstDay = localDay(occurrence.startMs);
    slot.lastDay = lastDayOf(occurrence.startMs, occurrence.endMs);
    slot.json = QJsonDocument(ScheduleDataInfo::ScheduleToJson(info)).toJson(QJsonDocument::Compact);
}

ScheduleDataInfo CalendarStore::toJob(const Occurrence &occurrence) const
{
    const Event &event = *occurrence.event;
    ScheduleDataInfo info;
    info.setID(occurrence.id);
    info.setRecurID(occurrence.recurId);
    info.setTitleName(event.summary());
    info.setDescription(event.description());
    info.setAllDay(event.allDay());
    if (event.allDay()) {
        // An all-day job ends at the last second of its last day, so it stays on its own days.
        info.setBeginDateTime(QDateTime(localDay(occurrence.startMs), QTime(0, 0)));
        info.setEndDateTime(QDateTime(localDay(occurrence.endMs - 1000), QTime(23, 59, 59)));
    } else {
        info.setBeginDateTime(QDateTime::fromMSecsSinceEpoch(occurrence.startMs));
        info.setEndDateTime(QDateTime::fromMSecsSinceEpoch(occurrence.endMs));
    }
    info.setType(typeOf(*occurrence.master));
    info.setRemindData(remindOf(event));
    info.setRepetitionRule(ruleOf(*occurrence.master));
    info.setIgnoreTime(ignoreOf(*occurrence.master));
    return info;
}

QString CalendarStore::rangeJson(const QDateTime &from, const QDateTime &to, const QString &key,
                                 bool everyDay) const
{
    QMap<QDate, QVector<ScheduleDataInfo>> days;
    const QDate firstDay = from.toLocalTime().date();
    const QDate lastDay = to.addMSecs(-1).toLocalTime().date();
    if (everyDay) {
        for (QDate day = firstDay; day <= lastDay; day = day.addDays(1))
            days[day];
    }
    forEachOccurrence(from, to, [&](const Occurrence &occurrence) {
        if (!key.isEmpty() && !occurrence.event->summary().contains(key, Qt::CaseInsensitive) &&
            !occurrence.event->description().contains(key, Qt::CaseInsensitive))
            return;
        const ScheduleDataInfo info = toJob(occurrence);
        const QDate end = qMin(lastDay, lastDayOf(occurrence.startMs, occurrence.endMs));
        for (QDate day = qMax(firstDay, localDay(occurrence.startMs)); day <= end; day = day.addDays(1))
            days[day] << info;
    });
    for (QVector<ScheduleDataInfo> &jobs : days) {
        std::sort(jobs.begin(), jobs.end(), [](const ScheduleDataInfo &a, const ScheduleDataInfo &b) {
            if (a.getBeginDateTime() != b.getBeginDateTime())
                return a.getBeginDateTime() < b.getBeginDateTime();
            if (a.getEndDateTime() != b.getEndDateTime())
                return a.getEndDateTime() < b.getEndDateTime();
            if (a.getTitleName() != b.getTitleName())
                return a.getTitleName() < b.getTitleName();
            return std::make_pair(a.getID(), a.getRecurID()) < std::make_pair(b.getID(), b.getRecurID());
        });
    }
    return ScheduleDataInfo::RangeInfoToStrJson(days);
}

QString CalendarStore::jobsJson(const QDate &first, const QDate &last)
{
    const QString key = first.toString(Qt::ISODate) + QLatin1Char('/') + last.toString(Qt::ISODate);
    const auto cached = m_rangeCache.constFind(key);
    if (cached != m_rangeCache.constEnd())
        return cached.value();

    const QDateTime from = first.startOfDay();
    const QDateTime to = last.addDays(1).startOfDay();
    const qint64 fromMs = from.toMSecsSinceEpoch();
    const qint64 toMs = to.toMSecsSinceEpoch();
    auto overlaps = [&](qint64 start, qint64 end) {
        return start < toMs && (end > fromMs || (start == end && start >= fromMs));
    };
    QMap<QDate, QVector<Slot *>> days;
    for (QDate day = first; day <= last; day = day.addDays(1))
        days[day];
    auto place = [&](Slot &slot, int id) {
        if (!overlaps(slot.occurrence.startMs, slot.occurrence.endMs))
            return;
        if (slot.jobId != id || slot.json.isEmpty())
            makeJob(slot, id);
        const QDate end = qMin(last, slot.lastDay);
        for (QDate day = qMax(first, slot.firstDay); day <= end; day = day.addDays(1))
            days[day] << &slot;
    };

    // Slots of series too dense for a window, made for this query alone.
    std::vector<std::unique_ptr<Slot>> transient;
    for (const FilePtr &file : qAsConst(m_files)) {
        if (!file->readable)
            continue;
        for (Series &series : file->series) {
            const int id = series.id;
            if (!series.expanded || series.fromMs > fromMs || series.toMs < toMs)
                expand(*file, series, fromMs, toMs);
            if (!series.truncated) {
                for (Slot &slot : series.entries)
                    place(slot, id);
                continue;
            }
            for (const Event::Ptr &event : qAsConst(series.events)) {
                occurrencesOf(*file, event, id, fromMs, toMs, [&](const Occurrence &occurrence) {
                    auto slot = std::make_unique<Slot>();
                    slot->occurrence = occurrence;
                    place(*slot, id);
                    transient.push_back(std::move(slot));
                });
            }
        }
    }

    // The range form, written as QJsonDocument writes it compact, from the jobs' own texts.
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
    const QString text = QString::fromUtf8(json);
    if (m_rangeCache.size() >= rangeCacheSize)
        m_rangeCache.clear();
    m_rangeCache.insert(key, text);
    m_aheadToMs = toMs + growAheadMs;
    m_aheadBelowMs = toMs + growAheadMs / 2;
    m_aheadFile = 0;
    m_aheadSeries = 0;
    m_growAhead.start();
    return text;
}

void CalendarStore::growAhead()
{
    // A call that arrives meanwhile waits for one slice at most.
    constexpr int slice = 25;
    int grown = 0;
    for (; m_aheadFile < m_files.size(); ++m_aheadFile, m_aheadSeries = 0) {
        CalendarFile &file = *m_files.at(m_aheadFile);
        while (file.readable && m_aheadSeries < file.series.size()) {
            Series &series = file.series[m_aheadSeries++];
            const bool once = series.events.size() == 1 && !series.events.first()->recurs();
            if (once || !series.expanded || series.truncated || series.toMs >= m_aheadBelowMs ||
                m_aheadToMs - series.fromMs > maxWindowMs)
                continue; // a window grown too wide is left for the next query to start afresh
            expand(file, series, series.fromMs, m_aheadToMs);
            if (++grown == slice) {
                m_growAhead.start();
                return;
            }
        }
    }
}

QString CalendarStore::queryJson(const QString &key, const QDateTime &start, const QDateTime &end)
{
    return rangeJson(start, end, key, false);
}

bool CalendarStore::findEvent(qint64 id, FilePtr *file, Event::Ptr *master) const
{
    if (id <= 0 || id > 0x7fffffff)
        return false;
    const auto key = m_keys.constFind(int(id));
    if (key == m_keys.constEnd())
        return false;
    *file = fileAt(key->path);
    if (!*file || !(*file)->readable)
        return false;
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
    if (!findEvent(id, &file, &master))
        return failure(Status::NotFound, QStringLiteral("no job with ID %1").arg(id));
    Occurrence occurrence;
    occurrence.id = int(id);
    occurrence.event = master;
    occurrence.master = master;
    occurrence.startMs = spanOf(lengthOf(*master), master->dtStart(), &occurrence.endMs);
    out = toJob(occurrence);
    return {};
}

bool CalendarStore::ensureTimezone(IcsDocument &document, const TimeStyle &style) const
{
    if (style.kind != TimeStyle::Zone)
        return true;
    QVector<IcsNode> &components = document.components();
    int insertAt = components.size();
    for (int i = 0; i < components.size(); ++i) {
        const IcsNode &node = components.at(i);
        if (!node.component)
            continue;
        if (node.name == QLatin1String("VTIMEZONE")) {
            if (node.propertyValue(QStringLiteral("TZID")).trimmed() == style.tzid)
                return true;
        } else if (insertAt == components.size()) {
            insertAt = i;
        }
    }
    const IcsNode timezone = timezoneComponent(style.zone, style.tzid);
    if (timezone.name.isEmpty())
        return false;
    components.insert(insertAt, timezone);
    return true;
}

CalendarStore::Result CalendarStore::write(const FilePtr &old, const QString &path,
                                           const IcsDocument &document, int source, bool inDirectory)
{
    IcsDocument complete = document;
    complete.wrapInCalendar(); // a bare VEVENT file is not iCalendar yet
    const QByteArray data = complete.toByteArray();
    QSaveFile out(path);
    if (!out.open(QIODevice::WriteOnly))
        return failure(Status::WriteFailed, QStringLiteral("%1: %2").arg(path, out.errorString()));
    if (out.write(data) != data.size() ||
        !out.flush()) { // flush: a full disk is not always reported otherwise
        out.cancelWriting();
        return failure(Status::WriteFailed, QStringLiteral("%1: %2").arg(path, out.errorString()));
    }
    if (!out.commit())
        return failure(Status::WriteFailed, QStringLiteral("%1: %2").arg(path, out.errorString()));

    m_zone = QTimeZone::systemTimeZone();
    const FilePtr fresh = readFile(path, QFileInfo(path), data);
    fresh->source = source;
    fresh->inDirectory = inDirectory;
    if (old)
        adoptSeries(*old, *fresh);
    QVector<FilePtr> files = m_files;
    const int at = old ? files.indexOf(old) : -1;
    if (at >= 0) {
        files[at] = fresh;
    } else {
        files << fresh;
        std::stable_sort(files.begin(), files.end(), [](const FilePtr &a, const FilePtr &b) {
            return a->source != b->source ? a->source < b->source : a->path < b->path;
        });
    }
    setFiles(files);
    m_touched.remove(path);
    changed();
    refreshWatches({path});
    return {};
}

CalendarStore::Result CalendarStore::createJob(const ScheduleDataInfo &info)
{
    Result check = checkTimes(info);
    if (!check.ok())
        return check;
    if (m_sources.isEmpty())
        return failure(Status::NoCalendar, QStringLiteral("no calendar to create the job in"));

    const Source &target = m_sources.first();
    const QString uid = QUuid::createUuid().toString(QUuid::WithoutBraces);
    const TimeStyle style = TimeStyle::system();

    IcsNode event = IcsNode::makeComponent(QStringLiteral("VEVENT"));
    const QString now = utcStamp(QDateTime::currentDateTimeUtc());
    event.children << IcsNode::property(QStringLiteral("UID:") + uid)
                   << IcsNode::property(QStringLiteral("DTSTAMP:") + now)
                   << IcsNode::property(QStringLiteral("CREATED:") + now)
                   << IcsNode::property(QStringLiteral("LAST-MODIFIED:") + now)
                   << textProperty(QStringLiteral("SUMMARY"), info.getTitleName());
    if (!info.getDescription().isEmpty())
        event.children << textProperty(QStringLiteral("DESCRIPTION"), info.getDescription());
    setTimes(event, info.getBeginDateTime(), info.getEndDateTime(), info.getAllDay(), style, style, false);
    event.children << ruleLines(info.getRepetitionRule(), info.getAllDay());
    if (info.getRepetitionRule().getRuleId() != RepetitionRule::NoRepeat)
        event.children << exceptionLines(info.getIgnoreTime(), info.getAllDay());
    if (info.getType() != 1)
        event.children << IcsNode::property(typeProperty() + QLatin1Char(':') +
                                            QString::number(info.getType()));
    if (info.getRemindData().getRemindNum() >= 0)
        event.children << displayAlarm(info.getRemindData(), info.getAllDay(), info.getTitleName());

    FilePtr file;
    QString path;
    IcsDocument document;
    if (target.directory) {
        path = QDir(target.path).filePath(uid + QLatin1String(".ics"));
        document = IcsDocument::newCalendar();
    } else {
        path = target.path;
        file = fileAt(path);
        if (file && !file->readable)
            return failure(Status::Unreadable,
                           QStringLiteral("%1 could not be read; it is left alone").arg(path));
        if (file) {
            const Result read = documentOf(*file, &document);
            if (!read.ok())
                return read;
        }
        if (document.top.isEmpty())
            document = IcsDocument::newCalendar();
        document.wrapInCalendar();
    }
    if (!info.getAllDay() && !ensureTimezone(document, style))
        return failure(Status::WriteFailed, QStringLiteral("no time zone definition for %1").arg(style.tzid));
    document.components() << event;
    Result result = write(file, path, document, 0, target.directory);
    if (result.ok())
        if (const FilePtr written = fileAt(path))
            if (const Series *series = seriesOf(*written, uid))
                result.id = series->id;
    return result;
}

CalendarStore::Result CalendarStore::updateJob(const ScheduleDataInfo &info)
{
    Result check = checkTimes(info);
    if (!check.ok())
        return check;
    FilePtr file;
    Event::Ptr master;
    if (!findEvent(info.getID(), &file, &master))
        return failure(Status::NotFound, QStringLiteral("no job with ID %1").arg(info.getID()));

    // The occurrence the job stands for, as GetJobs delivered it.
    Event::Ptr target = master;
    Occurrence occurrence;
    occurrence.id = info.getID();
    occurrence.master = master;
    occurrence.recurId = master->recurs() ? info.getRecurID() : 0;
    if (master->recurs()) {
        const Incidence::List instances = file->calendar->instances(master);
        for (const Incidence::Ptr &instance : instances) {
            const Event::Ptr exception = instance.dynamicCast<Event>();
            if (exception && recurrenceNumber(*master, exception->recurrenceId()) == occurrence.recurId)
                target = exception;
        }
    }
    occurrence.event = target;
    const QDateTime targetStart = target == master && master->recurs()
                                      ? occurrenceStart(*master, occurrence.recurId)
                                      : target->dtStart();
    occurrence.startMs = spanOf(lengthOf(*target), targetStart, &occurrence.endMs);
    const ScheduleDataInfo current = toJob(occurrence);

    IcsDocument document;
    const Result read = documentOf(*file, &document);
    if (!read.ok())
        return read;
    QVector<IcsNode> &components = document.components();
    int masterAt = -1;
    int targetAt = -1;
    const QString uid = master->uid();
    for (int i = 0; i < components.size(); ++i) {
        if (!isEvent(components.at(i), uid))
            continue;
        const bool isException = components.at(i).find(QStringLiteral("RECURRENCE-ID")) != nullptr;
        if (!isException || !master->recurs()) {
            if (masterAt < 0)
                masterAt = i;
        } else if (target != master) {
            const Event::Ptr parsed = readComponent(document, components.at(i));
            if (parsed && recurrenceNumber(*master, parsed->recurrenceId()) == occurrence.recurId)
                targetAt = i;
        }
    }
    if (target == master)
        targetAt = masterAt;
    if (masterAt < 0 || targetAt < 0)
        return failure(Status::WriteFailed,
                       QStringLiteral("the event %1 was not found in %2").arg(uid, file->path));

    bool touchedMaster = false;
    bool touchedTarget = false;
    TimeStyle zoneNeeded;
    {
        IcsNode &node = components[targetAt];
        if (info.getTitleName() != current.getTitleName()) {
            node.setProperties(QStringLiteral("SUMMARY"),
                               {textProperty(QStringLiteral("SUMMARY"), info.getTitleName())});
            touchedTarget = true;
        }
        if (info.getDescription() != current.getDescription()) {
            QVector<IcsNode> lines;
            if (!info.getDescription().isEmpty())
                lines << textProperty(QStringLiteral("DESCRIPTION"), info.getDescription());
            node.setProperties(QStringLiteral("DESCRIPTION"), lines);
            touchedTarget = true;
        }

        const bool sameTimes =
            info.getAllDay() == current.getAllDay() &&
            (info.getAllDay() ? info.getBeginDateTime().date() == current.getBeginDateTime().date() &&
                                    info.getEndDateTime().date() == current.getEndDateTime().date()
                              : info.getBeginDateTime() == current.getBeginDateTime() &&
                                    info.getEndDateTime() == current.getEndDateTime());
        if (!sameTimes) {
            QDateTime begin = info.getBeginDateTime();
            QDateTime end = info.getEndDateTime();
            if (target == master && master->recurs()) {
                // Moving one occurrence of a series moves the series by as much.
                if (info.getAllDay()) {
                    const qint64 days = current.getBeginDateTime().date().daysTo(master->dtStart().date());
                    begin = begin.addDays(days);
                    end = end.addDays(days);
                } else {
                    const qint64 seconds = current.getBeginDateTime().secsTo(master->dtStart());
                    begin = begin.addSecs(seconds);
                    end = end.addSecs(seconds);
                }
            }
            const TimeStyle startStyle =
                target->allDay() ? TimeStyle::system()
                                 : TimeStyle::of(target->dtStart(), node.find(QStringLiteral("DTSTART")));
            const IcsNode *endLine = node.find(QStringLiteral("DTEND"));
            const TimeStyle endStyle =
                target->allDay() || !endLine ? startStyle : TimeStyle::of(target->dtEnd(), endLine);
            const bool useDuration = node.find(QStringLiteral("DURATION")) && !endLine;
            setTimes(node, begin, end, info.getAllDay(), startStyle, endStyle, useDuration);
            if (!info.getAllDay())
                zoneNeeded = startStyle;
            touchedTarget = true;
        }
    }

    IcsNode &node = components[targetAt];
    if (info.getScheudleRemind() != current.getScheudleRemind()) {
        int first = -1;
        for (int i = 0; i < node.children.size() && first < 0; ++i) {
            if (isDisplayAlarm(node.children.at(i)))
                first = i;
        }
        if (info.getRemindData().getRemindNum() < 0) {
            node.children.erase(std::remove_if(node.children.begin(), node.children.end(), isDisplayAlarm),
                                node.children.end());
        } else if (first >= 0) {
            node.children[first].setProperties(
                QStringLiteral("TRIGGER"),
                {IcsNode::property(QStringLiteral("TRIGGER:") +
                                   triggerText(info.getRemindData(), info.getAllDay()))});
        } else {
            node.children << displayAlarm(info.getRemindData(), info.getAllDay(), info.getTitleName());
        }
        touchedTarget = true;
    }

    IcsNode &series = components[masterAt];
    const bool allDayChanged = info.getAllDay() != current.getAllDay();
    const bool ruleChanged = info.getScheduleRRule() != current.getScheduleRRule();
    if (ruleChanged) {
        const QVector<IcsNode> lines = ruleLines(info.getRepetitionRule(), info.getAllDay());
        series.setProperties(QStringLiteral("RRULE"), lines);
        if (lines.isEmpty()) {
            series.removeProperties(QStringLiteral("RDATE"));
            series.removeProperties(QStringLiteral("EXRULE"));
            series.removeProperties(QStringLiteral("EXDATE"));
        }
        touchedMaster = true;
    }
    const bool recurs =
        ruleChanged ? info.getRepetitionRule().getRuleId() != RepetitionRule::NoRepeat : master->recurs();
    if (recurs) {
        if (allDayChanged || instants(info.getIgnoreTime(), info.getAllDay()) !=
                                 instants(current.getIgnoreTime(), current.getAllDay())) {
            series.setProperties(QStringLiteral("EXDATE"),
                                 exceptionLines(info.getIgnoreTime(), info.getAllDay()));
            touchedMaster = true;
        }
    }
    if (info.getType() != current.getType()) {
        QVector<IcsNode> lines;
        if (info.getType() != 1)
            lines << IcsNode::property(typeProperty() + QLatin1Char(':') + QString::number(info.getType()));
        series.setProperties(typeProperty(), lines);
        touchedMaster = true;
    }

    if (!touchedMaster && !touchedTarget)
        return {};
    if (touchedTarget)
        stamp(components[targetAt]);
    if (touchedMaster)
        stamp(components[masterAt]);
    if (!ensureTimezone(document, zoneNeeded))
        return failure(Status::WriteFailed,
                       QStringLiteral("no time zone definition for %1").arg(zoneNeeded.tzid));
    return write(file, file->path, document, file->source, file->inDirectory);
}

CalendarStore::Result CalendarStore::deleteJob(qint64 id)
{
    FilePtr file;
    Event::Ptr master;
    if (!findEvent(id, &file, &master))
        return failure(Status::NotFound, QStringLiteral("no job with ID %1").arg(id));
    IcsDocument document;
    const Result read = documentOf(*file, &document);
    if (!read.ok())
        return read;
    QVector<IcsNode> &components = document.components();
    const QString uid = master->uid();
    components.erase(std::remove_if(components.begin(), components.end(),
                                    [&](const IcsNode &node) { return isEvent(node, uid); }),
                     components.end());
    if (file->inDirectory && !holdsIncidences(document)) {
        if (!QFile::remove(file->path))
            return failure(Status::WriteFailed, QStringLiteral("%1 could not be removed").arg(file->path));
        QVector<FilePtr> files = m_files;
        files.removeAll(file);
        setFiles(files);
        changed();
        return {};
    }
    return write(file, file->path, document, file->source, file->inDirectory);
}
