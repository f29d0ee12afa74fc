#include "eventinfo.h"

#include "localtimes.h"
#include "meetinglinks.h"
#include "myaddresses.h"

#include <KCalendarCore/Attendee>
#include <KCalendarCore/Person>

#include <QTimeZone>

using namespace KCalendarCore;

namespace {

QString roleOf(Attendee::Role role)
{
    switch (role) {
    case Attendee::Chair:
        return QStringLiteral("chair");
    case Attendee::OptParticipant:
        return QStringLiteral("optional");
    case Attendee::NonParticipant:
        return QStringLiteral("non-participant");
    case Attendee::ReqParticipant:
        break;
    }
    return QStringLiteral("required");
}

QString replyOf(Attendee::PartStat status)
{
    switch (status) {
    case Attendee::Accepted:
    case Attendee::Completed:
    case Attendee::InProcess:
        return QStringLiteral("accepted");
    case Attendee::Tentative:
        return QStringLiteral("tentative");
    case Attendee::Declined:
        return QStringLiteral("declined");
    case Attendee::Delegated:
        return QStringLiteral("delegated");
    case Attendee::NeedsAction:
    case Attendee::None:
        break;
    }
    return QStringLiteral("needs-action");
}

// The zone the event is written in, where its clock that day is not the local one. UTC is how
// Exchange and most servers write every time, no place of the event's own.
QString ownZoneOf(const Incidence &incidence)
{
    const QDateTime start = incidence.dtStart();
    if (incidence.allDay() || !start.isValid() || start.timeSpec() != Qt::TimeZone)
        return {};
    // The local offset rather than the system's zone: a QTimeZone made for every job of an answer
    // read its zone file each time. The instant is asked once: a zoned date-time works it out anew
    // each time it is asked.
    const qint64 ms = start.toMSecsSinceEpoch();
    const QTimeZone zone = start.timeZone();
    const int offset = zone.offsetFromUtc(QDateTime::fromMSecsSinceEpoch(ms, Qt::UTC));
    if (!zone.isValid() || offset == LocalTimes::offsetAt(ms) || (offset == 0 && !zone.hasTransitions()))
        return {};
    return QString::fromLatin1(zone.id());
}

} // namespace

namespace EventInfo {

Attendee attendeeOf(const Incidence &incidence, const QStringList &myAddresses)
{
    if (myAddresses.isEmpty())
        return {};
    const Attendee::List attendees = incidence.attendees();
    for (const Attendee &attendee : attendees) {
        if (myAddresses.contains(MyAddresses::normalized(attendee.email())))
            return attendee;
    }
    return {};
}

EventDetails detailsOf(const Incidence &incidence, const QStringList &myAddresses)
{
    EventDetails details;
    details.location = incidence.location();
    details.url = incidence.url().toString();
    const Person organizer = incidence.organizer();
    details.organizer.name = organizer.name();
    details.organizer.email = organizer.email();
    const Attendee::List attendees = incidence.attendees();
    for (const Attendee &attendee : attendees) {
        EventPerson person;
        person.name = attendee.name();
        person.email = attendee.email();
        person.role = roleOf(attendee.role());
        person.reply = replyOf(attendee.status());
        details.attendees << person;
    }
    const Attendee mine = attendeeOf(incidence, myAddresses);
    if (!mine.isNull()) {
        // Whoever passed the invitation on does not come.
        const QString reply = replyOf(mine.status());
        details.myReply = reply == QLatin1String("delegated") ? QStringLiteral("declined") : reply;
    }
    details.conference = MeetingLinks::find(incidence);
    details.timeZone = ownZoneOf(incidence);
    return details;
}

QString partStatOf(const QString &reply)
{
    if (!EventDetails::isReply(reply))
        return {};
    return reply.toUpper();
}

} // namespace EventInfo
