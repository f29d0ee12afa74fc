#ifndef DATASERVER_EVENTINFO_H
#define DATASERVER_EVENTINFO_H

#include "eventdetails.h"

#include <KCalendarCore/Incidence>

#include <QStringList>

// What an event says beyond its times, as its jobs carry it: place, link, people, the user's own
// answer (found by the addresses the user goes by in its calendar) and how to join it online.
namespace EventInfo {

[[nodiscard]] EventDetails detailsOf(const KCalendarCore::Incidence &incidence,
                                     const QStringList &myAddresses);

// The user's attendee of the incidence; null where the user is not invited.
[[nodiscard]] KCalendarCore::Attendee attendeeOf(const KCalendarCore::Incidence &incidence,
                                                 const QStringList &myAddresses);

// A job's reply text as iCalendar's PARTSTAT ("accepted" is "ACCEPTED"); empty for no reply.
[[nodiscard]] QString partStatOf(const QString &reply);

} // namespace EventInfo

#endif
