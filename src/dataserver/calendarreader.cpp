#include "calendarreader.h"

#include "icsdocument.h"
#include "icsdocument_p.h"
#include "indexcache.h"
#include "jobmapping.h"
#include "serverlog.h"
#include "timezonenames.h"

#include <KCalendarCore/Exceptions>
#include <KCalendarCore/ICalFormat>
#include <KCalendarCore/RecurrenceRule>
#include <kcalendarcore_version.h>

#include <QFile>
#include <QFileInfo>
#include <QSet>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <iterator>
#include <string_view>
#include <utility>

#include <unistd.h>

using namespace KCalendarCore;

namespace {

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

// Counted where they are: a copy of the text before an event near the end of a file of 100 MiB
// was most of an edit's memory.
int linesIn(const QByteArray &text, int from, int to)
{
    return int(std::count(text.constBegin() + from, text.constBegin() + to, '\n'));
}

// Text of the file in a message: stderr stays readable whatever the file holds.
QString shown(const QString &text)
{
    constexpr int longest = 60;
    return text.size() <= longest ? text : text.left(longest) + QStringLiteral("...");
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
        line += linesIn(text, counted, pos);
        counted = pos;
        qCWarning(lcDataServerFiles).noquote()
            << QStringLiteral("%1:%2: RRULE \"%3\" is no rule; the event is read without it")
                   .arg(path)
                   .arg(line)
                   .arg(shown(QString::fromUtf8(value.left(256))));
    }
}

bool isEvent(const IcsNode &node, const QString &uid)
{
    return node.component && node.name == QLatin1String("VEVENT") &&
           node.propertyValue(QStringLiteral("UID")).trimmed() == uid;
}

// To-dos are served as jobs of their day, as events of their file's calendar: IDs, the index and
// queries then take them as they take events. True when one without a date was served on today's.
// A job is known by its UID: of an event and a to-do that share one, the event is served.
bool addTodos(const QString &path, MemoryCalendar &calendar, Event::List &events, WarnOnce &said)
{
    QSet<QString> eventUids;
    for (const Event::Ptr &event : std::as_const(events))
        eventUids.insert(event->uid());
    const QDate today = QDate::currentDate();
    bool undated = false;
    const Todo::List todos = calendar.rawTodos();
    for (const Todo::Ptr &todo : todos) {
        if (eventUids.contains(todo->uid())) {
            const QString warning =
                QStringLiteral("%1: a to-do and an event share the UID %2; only the event is shown")
                    .arg(path, todo->uid());
            if (said.firstTime(warning))
                qCWarning(lcDataServerFiles).noquote() << warning;
            continue;
        }
        const Todo::Ptr master = todo->hasRecurrenceId() ? calendar.todo(todo->uid()) : Todo::Ptr();
        if (todo->hasRecurrenceId() && (!master || !master->recurs()))
            continue;
        if (const Event::Ptr event = JobMapping::eventOf(*todo, today, master.data())) {
            calendar.addEvent(event);
            events << event;
            undated |= !event->nonKDECustomProperty(JobMapping::noDateProperty().latin1()).isEmpty();
        }
    }
    return undated;
}

// What an incidence's text tells without the library: its UID, and for a VEVENT without a rule
// or RECURRENCE-ID whose DTSTART and DTEND (if any) are plain dates or date-times, the days its
// occurrence lies within whatever their zones. Anything less plain is left to the library at once.
struct Rough
{
    QByteArray uid; // as unfolded, with the ends and backslashes a reader may drop taken off
    bool single = false;
    qint64 fromMs = 0;
    qint64 toMs = 0;
};

// The Julian day of a DATE or DATE-TIME value; 0 for any other text.
qint64 dayOf(const char *value, int size)
{
    auto digits = [value](int from, int count) {
        int number = 0;
        for (int i = from; i < from + count; ++i) {
            if (value[i] < '0' || value[i] > '9')
                return -1;
            number = number * 10 + (value[i] - '0');
        }
        return number;
    };
    if (size != 8 && !(size == 15 && value[8] == 'T') && !(size == 16 && value[8] == 'T' && value[15] == 'Z'))
        return 0;
    const int year = digits(0, 4);
    const QDate day(year, digits(4, 2), digits(6, 2));
    if (year < 1 || !day.isValid())
        return 0;
    if (size > 8) {
        const int hour = digits(9, 2);
        const int minute = digits(11, 2);
        const int second = digits(13, 2);
        if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 60)
            return 0;
    }
    return day.toJulianDay();
}

// One physical line, without its line end; `at` moves on to the next.
struct PhysicalLine
{
    const char *text;
    int length;
};

PhysicalLine nextLine(const char *text, int size, int &at)
{
    const char *end = static_cast<const char *>(std::memchr(text + at, '\n', size_t(size - at)));
    const int next = end ? int(end - text) + 1 : size;
    int length = (end ? int(end - text) : size) - at;
    if (length > 0 && text[at + length - 1] == '\r')
        --length;
    const PhysicalLine line{text + at, length};
    at = next;
    return line;
}

// The name before `nameEnd`, upper case and without the blanks around it, in `buffer`; empty for a
// name longer than any looked for.
std::string_view upperName(const char *line, int nameEnd, char (&buffer)[16])
{
    int from = 0;
    int to = nameEnd;
    while (from < to && (line[from] == ' ' || line[from] == '\t'))
        ++from;
    while (to > from && (line[to - 1] == ' ' || line[to - 1] == '\t'))
        --to;
    for (int i = from; i < to && to - from < int(sizeof buffer); ++i)
        buffer[i - from] = char(std::toupper(uchar(line[i])));
    return std::string_view(buffer);
}

// Where the value's ':' is: the first one after the name that no quotes enclose; `length` if none.
int colonOf(const char *line, int nameEnd, int length)
{
    int colon = nameEnd;
    for (bool quoted = false; colon < length && (quoted || line[colon] != ':'); ++colon) {
        if (line[colon] == '"')
            quoted = !quoted;
    }
    return colon;
}

// The UID as the library reads it, whether the event is single, and the span of days it lies within.
void settle(Rough &out, bool plain, qint64 startDay, qint64 endDay)
{
    // A UID the library would read otherwise than it is written is left to it.
    bool plainUid = !out.uid.isEmpty();
    for (const char c : std::as_const(out.uid))
        plainUid = plainUid && c > ' ' && c < 0x7f && c != '\\';
    if (!plainUid)
        out.uid = out.uid.trimmed().replace('\\', QByteArray());
    out.single = plain && plainUid && startDay != 0;
    // Two days on either side hold any zone's offset, an all-day event's last day and a floating
    // time in the system's zone.
    constexpr qint64 unixEpochDay = 2440588;
    const qint64 low = endDay ? qMin(startDay, endDay) : startDay;
    const qint64 high = endDay ? qMax(startDay, endDay) : startDay;
    out.fromMs = (low - unixEpochDay - 2) * OccurrenceIndex::dayMs;
    out.toMs = (high - unixEpochDay + 3) * OccurrenceIndex::dayMs;
}

Rough roughOf(const char *text, int size)
{
    Rough out;
    bool plain = true;
    bool first = true;
    int depth = 0;
    QByteArray *continued = nullptr; // the UID, when a folded line goes on
    bool watched = false;            // DTSTART or DTEND, which a fold makes too costly to read here
    qint64 startDay = 0;
    qint64 endDay = 0;
    for (int at = 0; at < size;) {
        const auto [line, length] = nextLine(text, size, at);
        if (length > 0 && (line[0] == ' ' || line[0] == '\t')) {
            if (continued)
                continued->append(line + 1, length - 1);
            plain = plain && !watched;
            continue;
        }
        continued = nullptr;
        watched = false;
        int nameEnd = 0;
        while (nameEnd < length && line[nameEnd] != ';' && line[nameEnd] != ':')
            ++nameEnd;
        // Folded within its name, a line could hide a rule.
        plain = plain && nameEnd < length;
        char buffer[16] = {};
        const std::string_view name = upperName(line, nameEnd, buffer);
        const int colon = colonOf(line, nameEnd, length);
        const char *value = line + qMin(colon + 1, length);
        const int valueSize = qMax(0, length - colon - 1);
        if (first) {
            first = false;
            plain = plain && name == "BEGIN" && QByteArray(value, valueSize).trimmed().toUpper() == "VEVENT";
            depth = 1;
            continue;
        }
        if (name == "BEGIN" || name == "END") {
            depth += name == "BEGIN" ? 1 : -1;
            continue;
        }
        if (depth != 1)
            continue;
        if (name == "UID" && out.uid.isNull()) {
            out.uid = QByteArray(value, valueSize);
            continued = &out.uid;
        } else if (name == "DTSTART" || name == "DTEND") {
            qint64 &day = name == "DTSTART" ? startDay : endDay;
            plain = plain && day == 0;
            day = dayOf(value, valueSize);
            plain = plain && day != 0;
            watched = true;
        } else if (name == "RRULE" || name == "RDATE" || name == "EXRULE" || name == "EXDATE" ||
                   name == "RECURRENCE-ID" || name == "DURATION") {
            plain = false;
        }
    }
    settle(out, plain, startDay, endDay);
    return out;
}

#if KCALENDARCORE_VERSION < QT_VERSION_CHECK(5, 240, 0)
// KF5's calendars keep every incidence deleted from them; KF6's keep none.
class FileCalendar : public MemoryCalendar
{
public:
    explicit FileCalendar(const QTimeZone &zone)
        : MemoryCalendar(zone)
    {
        setDeletionTracking(false);
    }
};
#else
using FileCalendar = MemoryCalendar;
#endif

// A file's calendar. Events are taken out of it to be read again later: it must not keep them.
MemoryCalendar::Ptr calendarIn(const QTimeZone &zone)
{
    return MemoryCalendar::Ptr(new FileCalendar(zone));
}

// `events`: the calendar's own, as rawEvents() gives them; it costs a microsecond an event.
// `deferred`: the series left unread, with their UIDs, each the only one of its UID.
void groupSeries(CalendarFile &file, const IcsOutline &outline, const Event::List &events,
                 QVector<OccurrenceIndex::Series> &deferred)
{
    Event::List kept = events + file.overrides;
    std::stable_sort(kept.begin(), kept.end(),
                     [](const Event::Ptr &a, const Event::Ptr &b) { return a->uid() < b->uid(); });
    for (const Event::Ptr &event : std::as_const(kept)) {
        if (file.series.isEmpty() || file.series.last().uid != event->uid()) {
            OccurrenceIndex::Series series;
            series.uid = event->uid();
            series.signature = outline.signatures.value(event->uid());
            file.series << series;
        }
        file.series.last().events << event;
    }
    if (!deferred.isEmpty()) {
        for (OccurrenceIndex::Series &series : deferred)
            series.signature = outline.signatures.value(series.uid);
        auto byUid = [](const OccurrenceIndex::Series &a, const OccurrenceIndex::Series &b) {
            return a.uid < b.uid;
        };
        std::sort(deferred.begin(), deferred.end(), byUid);
        QVector<OccurrenceIndex::Series> all;
        all.reserve(file.series.size() + deferred.size());
        std::merge(std::make_move_iterator(file.series.begin()), std::make_move_iterator(file.series.end()),
                   std::make_move_iterator(deferred.begin()), std::make_move_iterator(deferred.end()),
                   std::back_inserter(all), byUid);
        file.series = std::move(all);
    }
    file.series.squeeze();
}

// Of the incidences of one type, UID and RECURRENCE-ID, the first stands unless a later one has a
// higher SEQUENCE, as the library has it when it reads them from one text.
struct Latest
{
    Incidence::List all;
    QHash<QString, int> at;

    void add(const Incidence::List &incidences)
    {
        for (const Incidence::Ptr &incidence : incidences) {
            const QString key =
                QString::number(int(incidence->type())) + QLatin1Char('\n') + incidence->uid() +
                QLatin1Char('\n') +
                (incidence->hasRecurrenceId() ? QString::number(incidence->recurrenceId().toMSecsSinceEpoch())
                                              : QString());
            const auto known = at.constFind(key);
            if (known != at.constEnd()) {
                if (incidence->revision() > all.at(known.value())->revision())
                    all[known.value()] = incidence;
            } else {
                at.insert(key, int(all.size()));
                all << incidence;
            }
        }
    }
};

// The overrides of a series go beside the file's calendar (see CalendarReader::parseInParts), the
// rest into it.
void fileIncidences(const Incidence::List &all, CalendarFile &file)
{
    QSet<QString> masters;
    for (const Incidence::Ptr &incidence : all) {
        if (incidence->type() == Incidence::TypeEvent && !incidence->hasRecurrenceId())
            masters.insert(incidence->uid());
    }
    for (const Incidence::Ptr &incidence : all) {
        const Event::Ptr event = incidence.dynamicCast<Event>();
        if (event && event->hasRecurrenceId() && masters.contains(event->uid()))
            file.overrides << event;
        else
            file.calendar->addIncidence(incidence);
    }
}

} // namespace

CalendarReader::CalendarReader()
    : m_format(std::make_unique<ICalFormat>())
{
}

CalendarReader::~CalendarReader() = default;

// Not qHashBits: that is CRC32 on most machines, 32 bits however it is seeded.
quint64 CalendarReader::digestOf(const QByteArray &data)
{
    return std::hash<std::string_view>{}(std::string_view(data.constData(), size_t(data.size())));
}

FilePtr CalendarReader::read(const QString &path, const QFileInfo &info, QByteArray data, bool defer,
                             std::unique_ptr<QFile> opened)
{
    auto file = std::make_shared<CalendarFile>();
    file->path = path;
    file->calendar = calendarIn(m_zone);
    file->size = info.exists() ? info.size() : -1;
    file->modified = info.lastModified();
    file->digest = digestOf(data);
    if (data.trimmed().isEmpty()) {
        file->readable = true;
        return file;
    }
    file->header = CalendarSources::headerOf(data);
    IcsOutline outline;
    QByteArray text;
    FileLayout cached;
    const bool macLines = IcsSyntax::macLineEnds(data);
    const bool fromCache =
        defer && m_keepIndex && !macLines && IndexCache::load(file->digest, data.size(), cached);
    if (fromCache) {
        outline.bare = false;
        outline.signatures = cached.signatures;
        outline.incidences = cached.incidences;
        outline.uidHashes = cached.uidHashes;
        outline.mostPerUid = cached.mostPerUid;
        text = data;
    } else if (!repaired(path, macLines ? QByteArray(data).replace('\r', "\r\n") : data, text, outline)) {
        // Old Mac line ends, above: the library and the line scanner end a line at its LF.
        return file;
    }
    warnBadRules(path, text, *m_format);
    m_format->clearException();
    QByteArray forReading = forLibrary(path, text, outline.bare);
    QVector<OccurrenceIndex::Series> deferred;
    if (defer)
        forReading =
            deferSingles(data, text, forReading, fromCache ? &cached : nullptr, outline, *file, deferred);
    // Held while the series are parsed, the text of 100,000 events was a third of the peak.
    if (leaveOnDisk(*file, data, opened, deferred))
        data = text = QByteArray();
    const bool parsed = outline.mostPerUid > partSize ? parseInParts(forReading, *file, partSize, true)
                        : outline.incidences.size() > chunkSize
                            ? parseInParts(forReading, *file, chunkSize, false)
                            : m_format->fromRawString(file->calendar, forReading);
    if (!parsed) {
        qCWarning(lcDataServerFiles).noquote()
            << QStringLiteral("%1: %2; file skipped").arg(path, describe(m_format->exception()));
        file->calendar = calendarIn(m_zone);
        file->overrides.clear();
        file->deferredCount = 0;
        file->deferredText = file->deferredHead = file->deferredTail = QByteArray();
        file->deferredFile.reset();
        file->unsavedLayout.reset();
        file->layout.reset();
        return file;
    }
    Event::List events = file->calendar->rawEvents();
    dropUndated(
        path,
        [&text, &file] {
            if (text.isEmpty() && file->deferredFile && file->deferredFile->seek(0))
                text = file->deferredFile->readAll();
            return text;
        },
        *file, events);
    file->undated = addTodos(file->path, *file->calendar, events, m_said);
    file->readable = true;
    groupSeries(*file, outline, events, deferred);
    return file;
}

QByteArray CalendarReader::deferSingles(const QByteArray &data, const QByteArray &text,
                                        const QByteArray &forReading, const FileLayout *cached,
                                        const IcsOutline &outline, CalendarFile &file,
                                        QVector<OccurrenceIndex::Series> &deferred)
{
    const bool same = forReading.constData() == text.constData() || forReading == text;
    // Only a text read as it is: the layout then fits it at the next start, and an edit's splice.
    const bool asOnDisk = same && !outline.bare && text.constData() == data.constData();
    if (same && cached) {
        if (asOnDisk)
            file.layout = std::make_shared<const FileLayout>(*cached);
        return cutDeferred(forReading, outline, cached->deferred, file, deferred);
    }
    IcsOutline again;
    if (!same && !IcsDocument::outline(forReading, again))
        return forReading;
    const IcsOutline &used = same ? outline : again;
    QVector<FileLayout::Deferred> singles = singlesOf(forReading, used);
    const QByteArray kept = cutDeferred(forReading, used, singles, file, deferred);
    if (asOnDisk) {
        auto layout = std::make_shared<FileLayout>();
        layout->mostPerUid = outline.mostPerUid;
        layout->signatures = outline.signatures;
        layout->incidences = outline.incidences;
        layout->uidHashes = outline.uidHashes;
        if (!deferred.isEmpty())
            layout->deferred = std::move(singles);
        file.layout = layout;
        file.textLength = data.size();
        if (m_keepIndex && !deferred.isEmpty())
            file.unsavedLayout = std::move(layout);
    }
    return kept;
}

QVector<FileLayout::Deferred> CalendarReader::singlesOf(const QByteArray &text, const IcsOutline &outline)
{
    QVector<FileLayout::Deferred> singles;
    if (outline.bare || outline.incidences.isEmpty())
        return singles;
    QVector<Rough> rough;
    rough.reserve(outline.incidences.size());
    // A UID that two components share (a series' overrides, a to-do beside an event) is read at once.
    QHash<QByteArray, int> perUid;
    perUid.reserve(outline.incidences.size());
    for (const auto &span : outline.incidences) {
        rough << roughOf(text.constData() + span.first, span.second - span.first);
        ++perUid[rough.last().uid];
    }
    for (int i = 0; i < rough.size(); ++i) {
        const Rough &one = rough.at(i);
        if (one.single && perUid.value(one.uid) == 1)
            singles.append({i, QString::fromLatin1(one.uid), one.fromMs, one.toMs});
    }
    return singles;
}

QByteArray CalendarReader::cutDeferred(const QByteArray &text, const IcsOutline &outline,
                                       const QVector<FileLayout::Deferred> &singles, CalendarFile &file,
                                       QVector<OccurrenceIndex::Series> &deferred)
{
    if (outline.bare || singles.isEmpty())
        return text;
    QByteArray kept;
    kept.reserve(text.size());
    QByteArray context;
    int from = 0;
    auto next = singles.cbegin();
    for (int i = 0; i < outline.incidences.size(); ++i) {
        const auto &span = outline.incidences.at(i);
        context.append(text.constData() + from, span.first - from);
        if (next == singles.cend() || next->incidence != i) {
            kept.append(text.constData() + from, span.second - from);
        } else {
            kept.append(text.constData() + from, span.first - from);
            OccurrenceIndex::Series series;
            series.uid = next->uid;
            series.textFrom = span.first;
            series.textTo = span.second;
            series.roughFromMs = next->fromMs;
            series.roughToMs = next->toMs;
            deferred << series;
            ++next;
        }
        from = span.second;
    }
    context.append(text.constData() + from, text.size() - from);
    const int close = context.lastIndexOf("END:VCALENDAR");
    // Read apart, an event of one of several calendars in a file would be read in the last one,
    // with its zones.
    if (deferred.isEmpty() || close < 0 || context.toUpper().count("BEGIN:VCALENDAR") != 1) {
        deferred.clear();
        return text;
    }
    kept.append(text.constData() + from, text.size() - from);
    file.deferredCount = deferred.size();
    file.deferredText = text;
    file.deferredHead = context.left(close);
    file.deferredTail = context.mid(close);
    return kept;
}

bool CalendarReader::leaveOnDisk(CalendarFile &file, const QByteArray &data, std::unique_ptr<QFile> &opened,
                                 QVector<OccurrenceIndex::Series> &deferred)
{
    // A text repaired or rewritten for the library is not the file's.
    if (file.deferredText.size() < onDiskFrom || file.deferredText.constData() != data.constData() ||
        !opened || !opened->isOpen())
        return false;
    for (OccurrenceIndex::Series &series : deferred)
        series.textHash = digestOf(
            QByteArray::fromRawData(data.constData() + series.textFrom, series.textTo - series.textFrom));
    file.deferredFile = std::move(opened);
    file.deferredText.clear();
    return true;
}

bool CalendarReader::appendDeferred(const CalendarFile &file, const OccurrenceIndex::Series &series,
                                    QByteArray &part)
{
    const int length = series.textTo - series.textFrom;
    if (!file.deferredFile) {
        part.append(file.deferredText.constData() + series.textFrom, length);
        return true;
    }
    const int at = part.size();
    part.resize(at + length);
    const ssize_t got =
        ::pread(file.deferredFile->handle(), part.data() + at, size_t(length), series.textFrom);
    return got == length &&
           digestOf(QByteArray::fromRawData(part.constData() + at, length)) == series.textHash;
}

bool CalendarReader::readDeferred(CalendarFile &file,
                                  const std::function<bool(const OccurrenceIndex::Series &)> &wanted,
                                  const QString &key)
{
    if (file.deferredCount == 0)
        return true;
    QByteArray part = file.deferredHead;
    QVector<int> taken;
    for (int i = 0; i < file.series.size(); ++i) {
        const OccurrenceIndex::Series &series = file.series.at(i);
        // Its own fields before its events: the events of every series read are a cache miss each.
        if (series.textFrom < 0 || !wanted(series) || !series.deferred())
            continue;
        const int at = part.size();
        if (!appendDeferred(file, series, part))
            return false;
        if (!IcsDocument::mayHold(part.constData() + at, part.size() - at, key)) {
            part.truncate(at);
            continue;
        }
        taken << i;
    }
    if (taken.isEmpty())
        return true;
    part += file.deferredTail;
    file.deferredCount -= taken.size();
    const MemoryCalendar::Ptr piece(new MemoryCalendar(file.calendar->timeZone()));
    m_format->clearException();
    if (m_format->fromRawString(piece, part)) {
        for (const Event::Ptr &event : piece->rawEvents()) {
            OccurrenceIndex::Series *series = OccurrenceIndex::find(file.series, event->uid());
            // Read as its UID and DTSTART told, it is one of those taken here.
            if (!series || !series->events.isEmpty() || !event->dtStart().isValid() ||
                !std::binary_search(taken.cbegin(), taken.cend(), int(series - file.series.data())))
                continue;
            file.calendar->addEvent(event);
            series->events << event;
        }
    } else {
        qCWarning(lcDataServerFiles).noquote() << QStringLiteral("%1: %2; %3 events skipped")
                                                      .arg(file.path, describe(m_format->exception()))
                                                      .arg(taken.size());
    }
    ++m_reads;
    for (const int i : std::as_const(taken)) {
        OccurrenceIndex::Series &series = file.series[i];
        series.readIn = m_reads;
        // Only an event read from the file kept on disk can be read from it again.
        if (!file.deferredFile || series.events.isEmpty())
            series.textFrom = series.textTo = -1;
    }
    if (file.deferredCount == 0 && !file.deferredFile) {
        file.deferredText.clear();
        file.deferredHead.clear();
        file.deferredTail.clear();
    }
    return true;
}

void CalendarReader::letGo(CalendarFile &file,
                           const std::function<bool(const OccurrenceIndex::Series &)> &wanted)
{
    if (!file.deferredFile)
        return;
    qint64 held = 0;
    QVector<OccurrenceIndex::Series *> idle;
    for (OccurrenceIndex::Series &series : file.series) {
        if (!series.onDisk())
            continue;
        held += series.textTo - series.textFrom;
        if (!wanted(series))
            idle << &series;
    }
    if (held <= readKeptBytes)
        return;
    std::stable_sort(idle.begin(), idle.end(),
                     [](const OccurrenceIndex::Series *a, const OccurrenceIndex::Series *b) {
                         return a->readIn < b->readIn;
                     });
    for (OccurrenceIndex::Series *series : std::as_const(idle)) {
        if (held <= readKeptBytes)
            break;
        held -= series->textTo - series->textFrom;
        for (const Event::Ptr &event : std::as_const(series->events))
            file.calendar->deleteEvent(event);
        OccurrenceIndex::Series unread;
        unread.uid = series->uid;
        unread.id = series->id;
        unread.signature = series->signature;
        unread.textFrom = series->textFrom;
        unread.textTo = series->textTo;
        unread.textHash = series->textHash;
        unread.roughFromMs = series->roughFromMs;
        unread.roughToMs = series->roughToMs;
        *series = std::move(unread);
        ++file.deferredCount;
    }
}

CalendarReader::Spliced CalendarReader::splice(const FileLayout &layout, FilePart &part)
{
    const QVector<int> &parts = part.incidences;
    Spliced out;
    out.incidences.reserve(layout.incidences.size() + part.added.size() + 1);
    out.moved.resize(layout.incidences.size());
    int shift = 0;
    auto next = parts.cbegin();
    for (int i = 0; i < layout.incidences.size(); ++i) {
        const auto &span = layout.incidences.at(i);
        if (next == parts.cend() || *next != i) {
            out.moved[i] = out.incidences.size();
            out.incidences.push_back({span.first + shift, span.second + shift});
            continue;
        }
        out.moved[i] = -1;
        int at = span.first + shift;
        for (const QByteArray &text : part.replaced.at(int(next - parts.cbegin()))) {
            out.replacing << out.incidences.size();
            out.incidences.push_back({at, at + int(text.size())});
            at += text.size();
        }
        shift = at - span.second;
        ++next;
    }
    // In place, from the end on: the spans before each change stay where they were, and an edit
    // holds one copy of a text of 100 MiB, not two.
    QByteArray data = std::move(part.text);
    part.text = QByteArray();
    if (part.insertAt >= 0) {
        int at = part.insertAt + shift; // after every incidence
        QByteArray added;
        for (const QByteArray &text : std::as_const(part.added)) {
            out.replacing << out.incidences.size();
            out.incidences.push_back({at, at + int(text.size())});
            at += text.size();
            added += text;
        }
        data.insert(part.insertAt, added);
    }
    for (int j = parts.size() - 1; j >= 0; --j) {
        const auto &span = layout.incidences.at(parts.at(j));
        QByteArray text;
        for (const QByteArray &component : part.replaced.at(j))
            text += component;
        data.replace(span.first, span.second - span.first, text);
    }
    out.text = std::move(data);
    return out;
}

namespace {

// The spliced text with only the UID's new incidences left in its calendar, and their spans in
// the spliced text; empty where the rest is not one calendar.
QByteArray uidAlone(const CalendarReader::Spliced &spliced, QVector<QPair<int, int>> *spans)
{
    const QByteArray &text = spliced.text;
    const QByteArray around = IcsDocument::around(text, spliced.incidences);
    const int close = around.lastIndexOf("END:VCALENDAR");
    if (close < 0 || around.toUpper().count("BEGIN:VCALENDAR") != 1)
        return {};
    QByteArray part = around.left(close);
    for (const int at : spliced.replacing) {
        const auto &span = spliced.incidences.at(at);
        *spans << span;
        part.append(text.constData() + span.first, span.second - span.first);
    }
    return part + around.mid(close);
}

// The most incidences one UID has after the splice, counted again only where the UID had the most.
int mostPerUid(const FileLayout &before, const FileLayout &after, const CalendarReader::Spliced &spliced,
               int has)
{
    const int had = int(std::count(spliced.moved.cbegin(), spliced.moved.cend(), -1));
    if (has >= before.mostPerUid || had < before.mostPerUid)
        return qMax(before.mostPerUid, has);
    int most = 0;
    QHash<quint64, int> perUid;
    perUid.reserve(after.uidHashes.size());
    for (const quint64 hash : std::as_const(after.uidHashes))
        most = qMax(most, ++perUid[hash]);
    return most;
}

// The deferred single events after the splice, in their new places, the UID's among them where it
// is one.
QVector<FileLayout::Deferred> deferredAfter(const FileLayout &before, const CalendarReader::Spliced &spliced,
                                            const QVector<QPair<int, int>> &spans, const QString &uid)
{
    FileLayout::Deferred single;
    single.incidence = -1;
    if (spans.size() == 1) {
        const Rough rough = roughOf(spliced.text.constData() + spans.first().first,
                                    spans.first().second - spans.first().first);
        if (rough.single && QString::fromLatin1(rough.uid) == uid)
            single = {spliced.replacing.first(), uid, rough.fromMs, rough.toMs};
    }
    QVector<FileLayout::Deferred> out;
    out.reserve(before.deferred.size() + 1);
    for (const FileLayout::Deferred &one : before.deferred) {
        const int at = spliced.moved.at(one.incidence);
        if (at < 0)
            continue;
        if (single.incidence >= 0 && single.incidence < at) {
            out << single;
            single.incidence = -1;
        }
        out << one;
        out.last().incidence = at;
    }
    if (single.incidence >= 0)
        out << single;
    return out;
}

// The layout a read of the spliced text would keep.
std::shared_ptr<FileLayout> layoutAfter(const FileLayout &before, const CalendarReader::Spliced &spliced,
                                        const QVector<QPair<int, int>> &spans, const QString &uid,
                                        quint64 context)
{
    auto layout = std::make_shared<FileLayout>();
    layout->incidences = spliced.incidences;
    layout->uidHashes.resize(spliced.incidences.size());
    for (int i = 0; i < spliced.moved.size(); ++i) {
        if (spliced.moved.at(i) >= 0)
            layout->uidHashes[spliced.moved.at(i)] = before.uidHashes.at(i);
    }
    for (const int at : spliced.replacing)
        layout->uidHashes[at] = IcsDocument::uidHash(uid);
    layout->signatures = before.signatures;
    layout->signatures.remove(uid);
    if (!spans.isEmpty())
        layout->signatures.insert(uid, IcsDocument::signature(spliced.text, spans, context));
    layout->mostPerUid = mostPerUid(before, *layout, spliced, spans.size());
    layout->deferred = deferredAfter(before, spliced, spans, uid);
    return layout;
}

// The series of `uid` in the file replaced by `kept` (in its calendar) and `overrides` (beside it).
// After the server's own edit, the events not read yet are read from the file it wrote, where the
// edit moved them, and the file it replaced is let go; it stays open (and on disk) where one of
// them cannot be found there.
void followWritten(CalendarFile &file, const FileLayout &before, const CalendarReader::Spliced &spliced)
{
    QVector<QPair<int, int>> moved;
    for (const OccurrenceIndex::Series &series : std::as_const(file.series)) {
        if (series.textFrom < 0)
            continue;
        const auto at =
            std::lower_bound(before.incidences.cbegin(), before.incidences.cend(), series.textFrom,
                             [](const QPair<int, int> &span, int from) { return span.first < from; });
        const int i = int(at - before.incidences.cbegin());
        if (at == before.incidences.cend() || *at != qMakePair(series.textFrom, series.textTo) ||
            spliced.moved.value(i, -1) < 0)
            return;
        moved << spliced.incidences.at(spliced.moved.at(i));
    }
    auto written = std::make_shared<QFile>(file.path);
    if (!written->open(QIODevice::ReadOnly))
        return;
    auto next = moved.cbegin();
    for (OccurrenceIndex::Series &series : file.series) {
        if (series.textFrom >= 0) {
            series.textFrom = next->first;
            series.textTo = next->second;
            ++next;
        }
    }
    file.deferredFile = std::move(written);
}

void replaceSeries(CalendarFile &file, const QString &uid, const Event::List &kept,
                   const Event::List &overrides, quint64 signature)
{
    if (OccurrenceIndex::Series *old = OccurrenceIndex::find(file.series, uid)) {
        if (old->deferred())
            --file.deferredCount;
        for (const Event::Ptr &event : std::as_const(old->events)) {
            if (!file.overrides.removeOne(event))
                file.calendar->deleteEvent(event);
        }
        file.series.erase(file.series.begin() + (old - file.series.data()));
    }
    for (const Event::Ptr &event : kept)
        file.calendar->addEvent(event);
    file.overrides += overrides;
    if (!kept.isEmpty() || !overrides.isEmpty()) {
        OccurrenceIndex::Series series;
        series.uid = uid;
        series.events = kept + overrides;
        series.signature = signature;
        const auto at = std::lower_bound(
            file.series.begin(), file.series.end(), uid,
            [](const OccurrenceIndex::Series &one, const QString &key) { return one.uid < key; });
        file.series.insert(at, series);
    }
    if (file.deferredCount == 0 && !file.deferredFile) {
        file.deferredText.clear();
        file.deferredHead.clear();
        file.deferredTail.clear();
    }
}

} // namespace

bool CalendarReader::readUid(const QByteArray &part, const QString &uid, bool inParts, const QString &where,
                             Event::List *kept, Event::List *overrides)
{
    const MemoryCalendar::Ptr piece(new MemoryCalendar(m_zone));
    m_format->clearException();
    if (!m_format->fromRawString(piece, part) || !piece->rawTodos().isEmpty() ||
        !piece->rawJournals().isEmpty())
        return false;
    const Event::List events = piece->rawEvents();
    bool hasMaster = false;
    for (const Event::Ptr &event : events) {
        if (event->uid() != uid)
            return false;
        hasMaster |= !event->hasRecurrenceId();
    }
    // As a read of the whole text files them: overrides of a series read in parts beside the
    // calendar, and the events without a valid DTSTART left out of the calendar.
    for (const Event::Ptr &event : events) {
        if (inParts && hasMaster && event->hasRecurrenceId()) {
            *overrides << event;
        } else if (event->dtStart().isValid()) {
            *kept << event;
        } else {
            qCWarning(lcDataServerFiles).noquote()
                << QStringLiteral("%1: event \"%2\" has no valid DTSTART; event skipped")
                       .arg(where, shown(uid));
        }
    }
    return true;
}

bool CalendarReader::reread(CalendarFile &file, quint64 context, const Spliced &spliced, const QString &uid)
{
    if (!file.layout || !file.readable || file.calendar->timeZone() != m_zone)
        return false;
    const FileLayout &before = *file.layout;
    const QByteArray &text = spliced.text;
    // The text between incidences is hashed in the pieces they cut it into: where a removed one
    // joined two pieces, every UID's signature changes.
    if (context != IcsDocument::contextHash(text, spliced.incidences))
        return false;
    QVector<QPair<int, int>> spans;
    const QByteArray part = uidAlone(spliced, &spans);
    if (part.isEmpty())
        return false;
    // A text the library is given otherwise than it is written (a line folded, a zone renamed) is
    // laid out by a whole read.
    QVector<IcsFault> refolded;
    QStringList floating;
    if (IcsDocument::refold(part, Ics::longestLine, &refolded) != part ||
        TimeZoneNames::resolve(part, &floating) != part)
        return false;
    std::shared_ptr<FileLayout> layout = layoutAfter(before, spliced, spans, uid, context);
    const bool inParts = layout->mostPerUid > partSize;
    if (inParts != (before.mostPerUid > partSize))
        return false; // the other series were read the other way
    Event::List kept;
    Event::List overrides;
    const QString where =
        spans.isEmpty()
            ? file.path
            : QStringLiteral("%1:%2").arg(file.path).arg(linesIn(text, 0, spans.first().first) + 1);
    if (!readUid(part, uid, inParts, where, &kept, &overrides))
        return false;

    replaceSeries(file, uid, kept, overrides, layout->signatures.value(uid));
    if (file.deferredFile)
        followWritten(file, before, spliced);
    file.digest = digestOf(text);
    file.header = CalendarSources::headerOf(text);
    file.textLength = text.size();
    file.layout = layout;
    if (m_keepIndex && !layout->deferred.isEmpty())
        file.unsavedLayout = std::move(layout);
    else
        file.unsavedLayout.reset();
    return true;
}

bool CalendarReader::repaired(const QString &path, const QByteArray &data, QByteArray &text,
                              IcsOutline &outline)
{
    text = data;
    if (IcsDocument::outline(data, outline))
        return true;
    // One damaged line of an export costs that line or its component, not the whole file.
    QVector<IcsFault> faults;
    const QByteArray repaired = IcsDocument::repair(data, &faults);
    IcsOutline again;
    if (repaired.isEmpty() || !IcsDocument::outline(repaired, again)) {
        qCWarning(lcDataServerFiles).noquote() << QStringLiteral("%1:%2: %3; file skipped")
                                                      .arg(path)
                                                      .arg(outline.errorLine)
                                                      .arg(outline.errorText);
        return false;
    }
    for (const IcsFault &fault : std::as_const(faults))
        qCWarning(lcDataServerFiles).noquote()
            << QStringLiteral("%1:%2: %3").arg(path).arg(fault.line).arg(fault.text);
    outline = again;
    text = repaired;
    return true;
}

bool CalendarReader::parseInParts(const QByteArray &text, CalendarFile &file, int size, bool beside)
{
    IcsOutline outline;
    if (!IcsDocument::outline(text, outline) || outline.bare)
        return false;
    // Once a file's single events are set aside, what is left may be small, or nothing at all.
    if (!beside && outline.incidences.size() <= size)
        return m_format->fromRawString(file.calendar, text);
    QByteArray context;
    int from = 0;
    for (const auto &span : std::as_const(outline.incidences)) {
        context.append(text.constData() + from, span.first - from);
        from = span.second;
    }
    context.append(text.constData() + from, text.size() - from);
    const int close = context.lastIndexOf("END:VCALENDAR");
    if (close < 0)
        return false;
    const QByteArray head = context.left(close);
    const QByteArray tail = context.mid(close);

    Latest latest;
    for (int first = 0; first < outline.incidences.size(); first += size) {
        QByteArray part = head;
        const int end = qMin(int(outline.incidences.size()), first + size);
        for (int i = first; i < end; ++i) {
            const auto &span = outline.incidences.at(i);
            part.append(text.constData() + span.first, span.second - span.first);
        }
        part += tail;
        const MemoryCalendar::Ptr piece(new MemoryCalendar(m_zone));
        if (!m_format->fromRawString(piece, part))
            return false;
        latest.add(piece->rawIncidences());
    }
    if (beside) {
        fileIncidences(latest.all, file);
    } else {
        for (const Incidence::Ptr &incidence : std::as_const(latest.all))
            file.calendar->addIncidence(incidence);
    }
    return true;
}

FilePtr CalendarReader::read(const QString &path, const DesktopSource::Parsed &parsed)
{
    auto file = std::make_shared<CalendarFile>();
    file->path = path;
    file->calendar = calendarIn(m_zone);
    file->digest = parsed.version;
    file->readable = true;
    // Shared with the service, not copied: nothing the server does changes an incidence it read
    // (an edit writes text), a calendar only follows them, and a copy asks for a new random UID
    // before it takes the original's.
    Latest latest;
    latest.add(parsed.incidences);
    fileIncidences(latest.all, *file);
    Event::List events = file->calendar->rawEvents();
    dropUndated(
        path, [] { return QByteArray(); }, *file, events);
    file->undated = addTodos(file->path, *file->calendar, events, m_said);
    IcsOutline outline;
    outline.signatures = parsed.signatures;
    QVector<OccurrenceIndex::Series> none;
    groupSeries(*file, outline, events, none);
    return file;
}

QByteArray CalendarReader::forLibrary(const QString &path, const QByteArray &text, bool bare)
{
    QByteArray result = text;
    if (bare) {
        IcsDocument document;
        document.parse(text);
        document.wrapInCalendar();
        result = document.toByteArray();
    }
    QVector<IcsFault> refolded;
    result = IcsDocument::refold(result, Ics::longestLine, &refolded);
    for (const IcsFault &fault : std::as_const(refolded)) {
        const QString warning =
            QStringLiteral("%1:%2: %3, folded before reading").arg(path).arg(fault.line).arg(fault.text);
        if (m_said.firstTime(warning))
            qCWarning(lcDataServerFiles).noquote() << warning;
    }
    QStringList floating;
    result = TimeZoneNames::resolve(result, &floating);
    for (const QString &name : std::as_const(floating)) {
        const QString warning = QStringLiteral("%1: no time zone \"%2\"; its times are read as floating time")
                                    .arg(path, shown(name));
        if (m_said.firstTime(warning))
            qCWarning(lcDataServerFiles).noquote() << warning;
    }
    return result;
}

void CalendarReader::dropUndated(const QString &path, const std::function<QByteArray()> &text,
                                 CalendarFile &file, Event::List &events)
{
    IcsDocument document; // only to tell where a bad event is
    for (auto it = events.begin(); it != events.end();) {
        const Event::Ptr event = *it;
        if (event->dtStart().isValid()) {
            ++it;
            continue;
        }
        int line = 0;
        if (document.top.isEmpty())
            document.parse(text());
        for (const IcsNode &node : document.components()) {
            if (isEvent(node, event->uid())) {
                const IcsNode *start = node.find(QStringLiteral("DTSTART"));
                line = start ? start->line : node.line;
                break;
            }
        }
        qCWarning(lcDataServerFiles).noquote()
            << QStringLiteral("%1:%2: event \"%3\" has no valid DTSTART; event skipped")
                   .arg(path)
                   .arg(line)
                   .arg(shown(event->uid()));
        file.calendar->deleteEvent(event);
        it = events.erase(it);
    }
}
