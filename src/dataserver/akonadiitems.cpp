#include "akonadiitems.h"

#include <KCalendarCore/ICalFormat>

namespace {

const QByteArray begin = "BEGIN:";
const QByteArray end = "END:";

// The TZID of a VTIMEZONE block.
QByteArray tzidOf(const QByteArray &block)
{
    const int at = block.indexOf("\nTZID:");
    if (at < 0)
        return {};
    const int from = at + 6;
    int to = block.indexOf('\n', from);
    if (to < 0)
        to = block.size();
    return block.mid(from, to - from).trimmed();
}

} // namespace

QString AkonadiItems::recurrenceIdOf(const KCalendarCore::Incidence &incidence)
{
    return incidence.hasRecurrenceId() ? incidence.recurrenceId().toUTC().toString(Qt::ISODate) : QString();
}

void AkonadiItems::take(const Akonadi::Item &item)
{
    if (!item.hasPayload<KCalendarCore::Incidence::Ptr>()) {
        remove(item.id()); // a change that left no incidence
        return;
    }
    const KCalendarCore::Incidence::Ptr incidence = item.payload<KCalendarCore::Incidence::Ptr>();
    if (!incidence)
        return;
    Entry entry;
    entry.item = Akonadi::Item(item.id());
    entry.item.setRevision(item.revision());
    entry.item.setMimeType(item.mimeType());
    entry.item.setParentCollection(item.parentCollection());
    entry.uid = incidence->uid();
    entry.recurrenceId = recurrenceIdOf(*incidence);
    KCalendarCore::ICalFormat format;
    const QByteArray text = format.toICalString(incidence).toUtf8();
    // The components one level inside the VCALENDAR, the zones apart: several items name the same.
    int depth = 0;
    int blockStart = -1;
    for (int at = 0; at < text.size();) {
        int next = text.indexOf('\n', at);
        next = next < 0 ? int(text.size()) : next + 1;
        const QByteArray line = text.mid(at, next - at);
        if (line.startsWith(begin)) {
            if (++depth == 2)
                blockStart = at;
        } else if (line.startsWith(end)) {
            if (depth-- == 2 && blockStart >= 0) {
                const QByteArray block = text.mid(blockStart, next - blockStart);
                if (block.startsWith("BEGIN:VTIMEZONE"))
                    entry.zones.insert(tzidOf(block), block);
                else
                    entry.body += block;
                blockStart = -1;
            }
        }
        at = next;
    }
    m_entries.insert(item.id(), entry);
    m_made = false;
}

bool AkonadiItems::remove(Akonadi::Item::Id id)
{
    if (!m_entries.remove(id))
        return false;
    m_made = false;
    return true;
}

QByteArray AkonadiItems::text() const
{
    if (m_made)
        return m_text;
    QMap<QByteArray, QByteArray> zones;
    qsizetype size = 0;
    for (const Entry &entry : m_entries) {
        size += entry.body.size();
        for (auto zone = entry.zones.cbegin(); zone != entry.zones.cend(); ++zone)
            zones.insert(zone.key(), zone.value());
    }
    m_text = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Norvale//tasklist-dataserver//EN\r\n";
    m_text.reserve(m_text.size() + size + 16);
    for (const QByteArray &zone : std::as_const(zones))
        m_text += zone;
    for (const Entry &entry : m_entries)
        m_text += entry.body;
    m_text += "END:VCALENDAR\r\n";
    m_made = true;
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
