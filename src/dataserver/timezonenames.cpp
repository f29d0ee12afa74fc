#include "timezonenames.h"

#include "icsdocument.h"

#include <KCalendarCore/ICalFormat>
#include <KCalendarCore/RecurrenceRule>

#include <QDate>
#include <QHash>
#include <QTimeZone>
#include <QVector>

#include <algorithm>
#include <climits>

namespace {

// Where a file names a zone: a TZID parameter, or the TZID of a VTIMEZONE.
struct Mention
{
    int start = 0; // a parameter's ';', or a definition's value
    int from = 0;  // the value, quotes included
    int to = 0;
    QByteArray name; // unfolded and unquoted
    bool definition = false;
};

int foldAt(const QByteArray &data, int i)
{
    const int size = data.size();
    int length = 0;
    if (i < size && data.at(i) == '\r')
        ++length;
    if (i + length < size && data.at(i + length) == '\n' && i + length + 1 < size &&
        (data.at(i + length + 1) == ' ' || data.at(i + length + 1) == '\t'))
        return length + 2;
    return 0;
}

// A VTIMEZONE's TZID is a text value, where Outlook writes "Bangkok\\, Hanoi" for the name its
// DTSTART parameters quote as "Bangkok, Hanoi": the two only match without the backslashes.
QByteArray unescaped(const QByteArray &name)
{
    if (!name.contains('\\'))
        return name;
    QByteArray out;
    out.reserve(name.size());
    for (int i = 0; i < name.size(); ++i) {
        const char c = name.at(i);
        if (c == '\\' && i + 1 < name.size()) {
            const char next = name.at(++i);
            out += next == 'n' || next == 'N' ? ' ' : next;
        } else {
            out += c;
        }
    }
    return out;
}

QVector<Mention> mentionsOf(const QByteArray &data)
{
    QVector<Mention> mentions;
    const int size = data.size();
    for (int pos = data.indexOf("TZID"); pos >= 0; pos = data.indexOf("TZID", pos + 4)) {
        const char before = pos > 0 ? data.at(pos - 1) : '\n';
        const char after = pos + 4 < size ? data.at(pos + 4) : '\0';
        Mention mention;
        if (before == ';' && after == '=')
            mention.start = pos - 1;
        else if (before == '\n' && after == ':')
            mention.definition = true;
        else
            continue;
        int i = pos + 5;
        mention.from = i;
        const bool quoted = !mention.definition && i < size && data.at(i) == '"';
        if (quoted)
            ++i;
        while (i < size) {
            if (const int fold = foldAt(data, i)) {
                i += fold;
                continue;
            }
            const char c = data.at(i);
            if (quoted && c == '"') {
                ++i;
                break;
            }
            if (c == '\r' || c == '\n' || (!quoted && !mention.definition && (c == ':' || c == ';')))
                break;
            mention.name += c;
            ++i;
        }
        mention.to = i;
        if (mention.definition)
            mention.start = mention.from;
        mention.name = unescaped(mention.name.trimmed());
        if (!mention.name.isEmpty())
            mentions << mention;
    }
    return mentions;
}

int offsetSeconds(const QString &text)
{
    const QString value = text.trimmed();
    if (value.size() < 5 || (value.at(0) != QLatin1Char('+') && value.at(0) != QLatin1Char('-')))
        return INT_MIN;
    const int seconds = value.mid(1, 2).toInt() * 3600 + value.mid(3, 2).toInt() * 60 +
                        (value.size() >= 7 ? value.mid(5, 2).toInt() : 0);
    return value.at(0) == QLatin1Char('-') ? -seconds : seconds;
}

QDateTime wallTime(const QString &text)
{
    QString value = text.trimmed();
    if (value.endsWith(QLatin1Char('Z')))
        value.chop(1);
    QDateTime result = QDateTime::fromString(value, QStringLiteral("yyyyMMdd'T'HHmmss"));
    result.setTimeSpec(Qt::UTC); // wall-clock time, counted as if it were UTC
    return result;
}

struct Transition
{
    qint64 ms = 0;
    int offset = 0;
};

// The onsets of a VTIMEZONE's phases between windowFrom and windowTo, each with the offset it
// brings, unsorted; `standard` is the offset of its standard time, INT_MIN when it has none.
QVector<Transition> transitionsOf(const IcsNode &definition, const QDateTime &windowFrom,
                                  const QDateTime &windowTo, int &standard)
{
    QVector<Transition> transitions;
    standard = INT_MIN;
    for (const IcsNode &phase : definition.children) {
        if (!phase.component)
            continue;
        const int from = offsetSeconds(phase.propertyValue(QStringLiteral("TZOFFSETFROM")));
        const int to = offsetSeconds(phase.propertyValue(QStringLiteral("TZOFFSETTO")));
        const QDateTime start = wallTime(phase.propertyValue(QStringLiteral("DTSTART")));
        if (from == INT_MIN || to == INT_MIN || !start.isValid())
            continue;
        if (phase.name == QLatin1String("STANDARD") || standard == INT_MIN)
            standard = to;
        QList<QDateTime> onsets{start};
        const QString rule = phase.propertyValue(QStringLiteral("RRULE"));
        if (!rule.isEmpty()) {
            KCalendarCore::RecurrenceRule recurrence;
            KCalendarCore::ICalFormat format;
            if (format.fromString(&recurrence, rule)) {
                recurrence.setStartDt(start);
                onsets += recurrence.timesInInterval(windowFrom, windowTo);
            }
        }
        for (const IcsNode &line : phase.children) {
            if (line.component || line.name != QLatin1String("RDATE"))
                continue;
            const QStringList dates = line.value().split(QLatin1Char(','));
            for (const QString &date : dates)
                onsets << wallTime(date);
        }
        for (const QDateTime &onset : std::as_const(onsets)) {
            if (onset.isValid())
                transitions.push_back({onset.toMSecsSinceEpoch() - qint64(from) * 1000, to});
        }
    }
    return transitions;
}

// The zone a VTIMEZONE describes: an IANA zone whose offsets agree with it over the years around
// this one, else its standard offset as a fixed one.
QByteArray zoneOf(const IcsNode &definition, const QString &name)
{
    const int year = QDate::currentDate().year();
    const QDateTime windowFrom(QDate(year - 3, 1, 1), QTime(0, 0), Qt::UTC);
    const QDateTime windowTo(QDate(year + 3, 1, 1), QTime(0, 0), Qt::UTC);
    int standard = INT_MIN;
    QVector<Transition> transitions = transitionsOf(definition, windowFrom, windowTo, standard);
    if (standard == INT_MIN)
        return {};
    std::sort(transitions.begin(), transitions.end(),
              [](const Transition &a, const Transition &b) { return a.ms < b.ms; });
    auto offsetAt = [&](qint64 ms) {
        int offset = standard;
        for (const Transition &transition : std::as_const(transitions)) {
            if (transition.ms > ms)
                break;
            offset = transition.offset;
        }
        return offset;
    };
    QVector<qint64> samples;
    for (QDate month(year - 2, 1, 1); month.year() <= year + 2; month = month.addMonths(1)) {
        samples << QDateTime(month, QTime(12, 0), Qt::UTC).toMSecsSinceEpoch()
                << QDateTime(month.addDays(15), QTime(12, 0), Qt::UTC).toMSecsSinceEpoch();
    }
    constexpr qint64 margin = 3 * 3600 * 1000;
    for (const Transition &transition : std::as_const(transitions)) {
        if (transition.ms > windowFrom.toMSecsSinceEpoch() + 365LL * 86400 * 1000)
            samples << transition.ms - margin << transition.ms + margin;
    }

    QByteArray best;
    bool bestNamed = false;
    const QList<QByteArray> candidates = QTimeZone::availableTimeZoneIds(standard);
    for (const QByteArray &id : candidates) {
        const QTimeZone zone(id);
        const bool agrees = std::all_of(samples.cbegin(), samples.cend(), [&](qint64 ms) {
            return zone.offsetFromUtc(QDateTime::fromMSecsSinceEpoch(ms, Qt::UTC)) == offsetAt(ms);
        });
        if (!agrees)
            continue;
        // "(UTC+07:00) Bangkok, Hanoi, Jakarta" is Asia/Bangkok rather than the first zone alike.
        const QString city =
            QString::fromLatin1(id.mid(id.lastIndexOf('/') + 1)).replace(QLatin1Char('_'), QLatin1Char(' '));
        const bool named = name.contains(city, Qt::CaseInsensitive);
        if (best.isEmpty() || (named && !bestNamed)) {
            best = id;
            bestNamed = named;
        }
    }
    // A zone of the file's own making: its standard time all year is the nearest the library
    // can keep.
    return best.isEmpty() ? QTimeZone(standard).id() : best;
}

QByteArray definitionText(const QByteArray &data, int at)
{
    const int begin = data.lastIndexOf("BEGIN:VTIMEZONE", at);
    const int end = data.indexOf("END:VTIMEZONE", at);
    return begin < 0 || end < 0 ? QByteArray() : data.mid(begin, end - begin) + "END:VTIMEZONE\r\n";
}

QByteArray zoneOfDefinition(const QByteArray &text, const QString &name)
{
    // A directory of one-event files repeats the same definition in every file.
    static QHash<QByteArray, QByteArray> known;
    const auto found = known.constFind(text);
    if (found != known.constEnd())
        return found.value();
    IcsDocument document;
    QByteArray zone;
    if (document.parse(text) && !document.top.isEmpty())
        zone = zoneOf(document.top.first(), name);
    known.insert(text, zone);
    return zone;
}

// Whether the library takes the name as it is. Qt lists every zone it has to answer, which cost
// more than the rest of reading a small file.
bool known(const QByteArray &name)
{
    static QHash<QByteArray, bool> verdicts;
    const auto found = verdicts.constFind(name);
    if (found != verdicts.constEnd())
        return found.value();
    const bool verdict = QTimeZone::isTimeZoneIdAvailable(name) || QTimeZone(name).isValid();
    verdicts.insert(name, verdict);
    return verdict;
}

} // namespace

QByteArray TimeZoneNames::resolve(const QByteArray &data, QStringList *floating)
{
    if (!data.contains("TZID"))
        return data;
    const QVector<Mention> mentions = mentionsOf(data);
    QHash<QByteArray, QByteArray> definitions;
    QVector<QByteArray> names;
    for (const Mention &mention : mentions) {
        if (mention.definition && !definitions.contains(mention.name))
            definitions.insert(mention.name, definitionText(data, mention.from));
        if (!names.contains(mention.name))
            names << mention.name;
    }
    QHash<QByteArray, QByteArray> renamed; // an empty zone for floating time
    for (const QByteArray &name : std::as_const(names)) {
        if (known(name))
            continue;
        const QString text = QString::fromUtf8(name);
        const QByteArray windows = QTimeZone::windowsIdToDefaultIanaId(name);
        const auto definition = definitions.constFind(name);
        if (definition != definitions.constEnd()) {
            if (!windows.isEmpty())
                continue; // the library maps a defined Windows name itself
            const QByteArray zone = zoneOfDefinition(definition.value(), text);
            if (!zone.isEmpty())
                renamed.insert(name, zone);
        } else if (!windows.isEmpty()) {
            renamed.insert(name, windows);
        } else {
            renamed.insert(name, QByteArray());
            *floating << text;
        }
    }
    if (renamed.isEmpty())
        return data;

    QByteArray out;
    out.reserve(data.size());
    int copied = 0;
    for (const Mention &mention : mentions) {
        const auto zone = renamed.constFind(mention.name);
        if (zone == renamed.constEnd())
            continue;
        out += data.mid(copied, mention.start - copied);
        if (mention.definition)
            out += zone.value();
        else if (zone->contains(':'))
            out += ";TZID=\"" + zone.value() + '"';
        else if (!zone->isEmpty())
            out += ";TZID=" + zone.value();
        copied = mention.to;
    }
    out += data.mid(copied);
    return out;
}
