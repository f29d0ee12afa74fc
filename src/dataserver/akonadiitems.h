#ifndef DATASERVER_AKONADIITEMS_H
#define DATASERVER_AKONADIITEMS_H

#include "desktopsource.h"

#include <KCalendarCore/Incidence>

#include <Akonadi/Item>

#include <QByteArray>
#include <QDate>
#include <QHash>
#include <QMap>

// The items of one Akonadi collection: each item's incidence as Akonadi hands it over, the whole
// collection as the store takes it, made again only after a change, and as one VCALENDAR, written
// only when an edit asks for it. Finds the item of a UID and RECURRENCE-ID for an edit.
class AkonadiItems
{
public:
    // Takes the item in, or in place of its former self; an item without an incidence is skipped.
    // True when the collection's content changed: a resource's own bookkeeping (the remote ID it
    // gives an item it has just written) comes as a change of an item whose incidence is the same.
    bool take(const Akonadi::Item &item);
    // True when it was there.
    bool remove(Akonadi::Item::Id id);

    const DesktopSource::Parsed &parsed() const;
    QByteArray text() const;

    // The items of the series (its own and its moved occurrences').
    [[nodiscard]] Akonadi::Item::List itemsOf(const QString &uid) const;
    // The item of the incidence's UID and RECURRENCE-ID; an invalid one where there is none.
    [[nodiscard]] Akonadi::Item itemOf(const KCalendarCore::Incidence &incidence) const;

    // A component's text (a VEVENT, with or without its VCALENDAR) read into an incidence.
    [[nodiscard]] static KCalendarCore::Incidence::Ptr incidenceOf(const QByteArray &component);

private:
    struct Entry
    {
        Akonadi::Item item; // without its payload: its ID and revision, for an edit
        QString uid;
        QString recurrenceId;
        KCalendarCore::Incidence::Ptr incidence;
        // Written on first need: the components, without the VCALENDAR around them, and the TZIDs
        // they name.
        mutable QByteArray body;
        mutable QList<QByteArray> zones;
    };
    // One VTIMEZONE for every item of a zone: its transitions from `from` on.
    struct Zone
    {
        QDate from;
        QByteArray block;
    };
    static QString recurrenceIdOf(const KCalendarCore::Incidence &incidence);
    void write(const Entry &entry) const;
    // False where the zone is not one the library can write.
    bool needZone(const QByteArray &tzid, const QDate &from) const;
    void changed();

    QMap<Akonadi::Item::Id, Entry> m_entries;
    mutable QHash<QByteArray, Zone> m_zones;
    mutable DesktopSource::Parsed m_parsed;
    mutable QByteArray m_text;
    mutable bool m_textMade = false;
};

#endif
