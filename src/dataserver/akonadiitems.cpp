#include "akonadiitems.h"

#include "serverlog.h"

#include <KCalendarCore/Event>
#include <KCalendarCore/ICalFormat>
#include <KCalendarCore/MemoryCalendar>

#include <QTimeZone>

namespace {

bool startsAt(const QByteArray &text, int at, const char *word)
{
    return qstrncmp(text.constData() + at, word, qstrlen(word)) == 0;
}

// The components one level inside the VCALENDAR of `text`, each given to `take` whole.
template<typename Take> void eachComponent(const QByteArray &text, Take take)
{
    int depth = 0;
    int blockStart = -1;
    for (int at = 0; at < text.size();) {
        int next = text.indexOf('\n', at);
        next = next < 0 ? int(text.size()) : next + 1;
        if (startsAt(text, at, "BEGIN:")) {
            if (++depth == 2)
                blockStart = at;
        } else if (startsAt(text, at, "END:") && depth-- == 2 && blockStart >= 0) {
            take(text.mid(blockStart, next - blockStart));
            blockStart = -1;
        }
        at = next;
    }
}

// The TZIDs a component names in its parameters, each once.
QList<QByteArray> tzidsOf(const QByteArray &component)
{
    QByteArray text = component;
    text.replace("\r\n ", "").replace("\r\n\t", ""); // a parameter may be folded
    QList<QByteArray> out;
    const QByteArray key = ";TZID=";
    for (int at = text.indexOf(key); at >= 0; at = text.indexOf(key, at + 1)) {
        int from = at + key.size();
        int to;
        if (from < text.size() && text.at(from) == '"') {
            ++from;
            to = text.indexOf('"', from);
        } else {
            to = from;
            while (to < text.size() && text.at(to) != ':' && text.at(to) != ';')
                ++to;
        }
        if (to < 0)
            break;
        const QByteArray tzid = text.mid(from, to - from);
        if (!tzid.isEmpty() && !out.contains(tzid))
            out << tzid;
    }
    return out;
}

// The earliest day a zone is needed from. The library writes a zone's transitions from the day it
// is given on, and an item before the first of them is read in the wrong offset; a year before the
// start holds the transition into it. One block from 1970 on serves every later item of a zone.
QDate zoneStart(const KCalendarCore::Incidence &incidence)
{
    const QDate epoch(1970, 1, 1);
    const QDate start = incidence.dtStart().date();
    return start.isValid() && start.addYears(1) < epoch ? start.addYears(-1) : epoch;
}

} // namespace

QString AkonadiItems::recurrenceIdOf(const KCalendarCore::Incidence &incidence)
{
    return incidence.hasRecurrenceId() ? incidence.recurrenceId().toUTC().toString(Qt::ISODate) : QString();
}

bool AkonadiItems::needZone(const QByteArray &tzid, const QDate &from) const
{
    const auto known = m_zones.constFind(tzid);
    if (known != m_zones.cend() && known->from <= from)
        return true;
    const QTimeZone zone(tzid);
    if (!zone.isValid())
        return false;
    // A VTIMEZONE the library writes itself, with an event of that zone as the reason.
    auto calendar = KCalendarCore::MemoryCalendar::Ptr::create(QTimeZone::utc());
    KCalendarCore::Event::Ptr probe(new KCalendarCore::Event);
    probe->setDtStart(QDateTime(from, QTime(12, 0), zone));
    calendar->addEvent(probe);
    QByteArray block;
    eachComponent(KCalendarCore::ICalFormat().toString(calendar).toUtf8(), [&block](const QByteArray &c) {
        if (c.startsWith("BEGIN:VTIMEZONE"))
            block = c;
    });
    if (block.isEmpty())
        return false;
    m_zones.insert(tzid, {from, block});
    return true;
}

bool AkonadiItems::take(const Akonadi::Item &item)
{
    if (!item.hasPayload<KCalendarCore::Incidence::Ptr>())
        return remove(item.id()); // a change that left no incidence
    const KCalendarCore::Incidence::Ptr incidence = item.payload<KCalendarCore::Incidence::Ptr>();
    if (!incidence)
        return false;
    // The next edit must name the item's revision of now, or Akonadi refuses it.
    const auto held = m_entries.find(item.id());
    if (held != m_entries.end() && *held->incidence == *incidence) {
        held->item.setRevision(item.revision());
        held->item.setParentCollection(item.parentCollection());
        return false;
    }
    Entry entry;
    entry.item = Akonadi::Item(item.id());
    entry.item.setRevision(item.revision());
    entry.item.setMimeType(item.mimeType());
    entry.item.setParentCollection(item.parentCollection());
    entry.uid = incidence->uid();
    entry.recurrenceId = recurrenceIdOf(*incidence);
    entry.incidence = incidence;
    m_entries.insert(item.id(), entry);
    changed();
    return true;
}

bool AkonadiItems::remove(Akonadi::Item::Id id)
{
    if (!m_entries.remove(id))
        return false;
    changed();
    return true;
}

void AkonadiItems::changed()
{
    m_parsed = DesktopSource::Parsed();
    m_textMade = false;
    m_text.clear();
}

const DesktopSource::Parsed &AkonadiItems::parsed() const
{
    if (m_parsed.version != 0)
        return m_parsed;
    // Told apart from every calendar before it, those of an Akonadi that went and came back too.
    static quint64 versions = 0;
    m_parsed.version = ++versions;
    m_parsed.incidences.reserve(m_entries.size());
    for (const Entry &entry : m_entries) {
        m_parsed.incidences << entry.incidence;
        // Akonadi gives an item a new revision at every change of it.
        quint64 mixed = quint64(entry.item.id()) * 0x9e3779b97f4a7c15ULL ^ quint64(entry.item.revision());
        mixed = (mixed ^ (mixed >> 31)) * 0xbf58476d1ce4e5b9ULL;
        quint64 &signature = m_parsed.signatures[entry.uid];
        signature += mixed ^ (mixed >> 29);
    }
    for (quint64 &signature : m_parsed.signatures) {
        if (signature == 0)
            signature = 1;
    }
    return m_parsed;
}

void AkonadiItems::write(const Entry &entry) const
{
    // Through a calendar of its own: KCalendarCore 5.103's toRawString() and toString() of an
    // incidence never free the component they write, some 2.5 KB a call. Its zones are left out
    // here, one definition of each serving every item that names it.
    KCalendarCore::ICalFormat format;
    eachComponent(format.toICalString(entry.incidence).toUtf8(), [&entry](const QByteArray &component) {
        if (!component.startsWith("BEGIN:VTIMEZONE"))
            entry.body += component;
    });
    entry.zones = tzidsOf(entry.body);
    const QDate from = zoneStart(*entry.incidence);
    for (const QByteArray &tzid : std::as_const(entry.zones)) {
        if (!needZone(tzid, from))
            qCDebug(lcDataServer) << "no time zone definition for" << tzid << "of" << entry.uid;
    }
}

QByteArray AkonadiItems::text() const
{
    if (m_textMade)
        return m_text;
    QMap<QByteArray, QByteArray> zones;
    qsizetype size = 0;
    for (const Entry &entry : m_entries) {
        if (entry.body.isEmpty())
            write(entry);
        size += entry.body.size();
    }
    // Only once every item is written: an older item may have widened a zone's block.
    for (const Entry &entry : m_entries) {
        for (const QByteArray &tzid : entry.zones) {
            if (const auto zone = m_zones.constFind(tzid); zone != m_zones.cend())
                zones.insert(tzid, zone->block);
        }
    }
    m_text = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Norvale//tasklist-dataserver//EN\r\n";
    m_text.reserve(m_text.size() + size + 16);
    for (const QByteArray &zone : std::as_const(zones))
        m_text += zone;
    for (const Entry &entry : m_entries)
        m_text += entry.body;
    m_text += "END:VCALENDAR\r\n";
    m_textMade = true;
    return m_text;
}

Akonadi::Item::List AkonadiItems::itemsOf(const QString &uid) const
{
    Akonadi::Item::List out;
    for (const Entry &entry : m_entries) {
        if (entry.uid == uid)
            out << entry.item;
    }
    return out;
}

Akonadi::Item AkonadiItems::itemOf(const KCalendarCore::Incidence &incidence) const
{
    const QString recurrenceId = recurrenceIdOf(incidence);
    for (const Entry &entry : m_entries) {
        if (entry.uid == incidence.uid() && entry.recurrenceId == recurrenceId)
            return entry.item;
    }
    return {};
}

KCalendarCore::Incidence::Ptr AkonadiItems::incidenceOf(const QByteArray &component)
{
    QByteArray text = component;
    if (!text.trimmed().startsWith("BEGIN:VCALENDAR"))
        text = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Norvale//tasklist-dataserver//EN\r\n" + text +
               (text.endsWith('\n') ? "" : "\r\n") + "END:VCALENDAR\r\n";
    KCalendarCore::ICalFormat format;
    return format.readIncidence(text);
}
