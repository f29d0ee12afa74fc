#include "calendarreader.h"

#include "icsdocument.h"
#include "icsdocument_p.h"
#include "jobmapping.h"
#include "serverlog.h"
#include "timezonenames.h"

#include <KCalendarCore/Exceptions>
#include <KCalendarCore/ICalFormat>
#include <KCalendarCore/RecurrenceRule>

#include <QFileInfo>

#include <algorithm>
#include <string_view>
#include <utility>

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
        line += text.mid(counted, pos - counted).count('\n');
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

// Open to-dos with a date are served as jobs of that day, as events of their file's calendar:
// IDs, the index and queries then take them as they take events.
void addOpenTodos(MemoryCalendar &calendar, Event::List &events)
{
    const Todo::List todos = calendar.rawTodos();
    for (const Todo::Ptr &todo : todos) {
        if (calendar.event(todo->uid()))
            continue;
        if (const Event::Ptr event = JobMapping::eventOf(*todo)) {
            calendar.addEvent(event);
            events << event;
        }
    }
}

// `events`: the calendar's own, as rawEvents() gives them; it costs a microsecond an event.
void groupSeries(CalendarFile &file, const IcsOutline &outline, const Event::List &events)
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
    file.series.squeeze();
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

FilePtr CalendarReader::read(const QString &path, const QFileInfo &info, const QByteArray &data)
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
    file->header = CalendarSources::headerOf(data);
    IcsOutline outline;
    QByteArray text;
    // Old Mac line ends: the library and the line scanner end a line at its LF.
    if (!repaired(path, IcsSyntax::macLineEnds(data) ? QByteArray(data).replace('\r', "\r\n") : data, text,
                  outline))
        return file;
    warnBadRules(path, text, *m_format);
    m_format->clearException();
    const QByteArray forReading = forLibrary(path, text, outline.bare);
    const bool parsed = outline.mostPerUid > partSize ? parseInParts(forReading, *file)
                                                      : m_format->fromRawString(file->calendar, forReading);
    if (!parsed) {
        qCWarning(lcDataServerFiles).noquote()
            << QStringLiteral("%1: %2; file skipped").arg(path, describe(m_format->exception()));
        file->calendar = MemoryCalendar::Ptr(new MemoryCalendar(m_zone));
        file->overrides.clear();
        return file;
    }
    Event::List events = file->calendar->rawEvents();
    dropUndated(path, text, *file, events);
    addOpenTodos(*file->calendar, events);
    file->readable = true;
    groupSeries(*file, outline, events);
    return file;
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

bool CalendarReader::parseInParts(const QByteArray &text, CalendarFile &file)
{
    IcsOutline outline;
    if (!IcsDocument::outline(text, outline) || outline.bare || outline.incidences.isEmpty())
        return false;
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

    // Later ones replace earlier ones of the same UID and RECURRENCE-ID, as the library does.
    Incidence::List all;
    QHash<QString, int> at;
    for (int first = 0; first < outline.incidences.size(); first += partSize) {
        QByteArray part = head;
        const int end = qMin(int(outline.incidences.size()), first + partSize);
        for (int i = first; i < end; ++i) {
            const auto &span = outline.incidences.at(i);
            part.append(text.constData() + span.first, span.second - span.first);
        }
        part += tail;
        const MemoryCalendar::Ptr piece(new MemoryCalendar(m_zone));
        if (!m_format->fromRawString(piece, part))
            return false;
        const Incidence::List incidences = piece->rawIncidences();
        for (const Incidence::Ptr &incidence : incidences) {
            const QString key =
                QString::number(int(incidence->type())) + QLatin1Char('\n') + incidence->uid() +
                QLatin1Char('\n') +
                (incidence->hasRecurrenceId() ? QString::number(incidence->recurrenceId().toMSecsSinceEpoch())
                                              : QString());
            const auto known = at.constFind(key);
            if (known != at.constEnd()) {
                all[known.value()] = incidence;
            } else {
                at.insert(key, int(all.size()));
                all << incidence;
            }
        }
    }
    QSet<QString> masters;
    for (const Incidence::Ptr &incidence : std::as_const(all)) {
        if (incidence->type() == Incidence::TypeEvent && !incidence->hasRecurrenceId())
            masters.insert(incidence->uid());
    }
    for (const Incidence::Ptr &incidence : std::as_const(all)) {
        const Event::Ptr event = incidence.dynamicCast<Event>();
        if (event && event->hasRecurrenceId() && masters.contains(event->uid()))
            file.overrides << event;
        else
            file.calendar->addIncidence(incidence);
    }
    return true;
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

void CalendarReader::dropUndated(const QString &path, const QByteArray &text, CalendarFile &file,
                                 Event::List &events)
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
            document.parse(text);
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
