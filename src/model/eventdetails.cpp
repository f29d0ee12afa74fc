#include "eventdetails.h"

#include "jsontext.h"

#include <QJsonArray>

namespace {

EventPerson personOf(const QJsonObject &object)
{
    EventPerson person;
    person.name = object.value(QLatin1String("Name")).toString();
    person.email = object.value(QLatin1String("Email")).toString();
    person.role = object.value(QLatin1String("Role")).toString();
    person.reply = object.value(QLatin1String("Reply")).toString();
    return person;
}

QByteArray personText(const EventPerson &person, bool withAnswer)
{
    // Most invitations name their guests by address alone.
    JsonText::Object object;
    if (!person.name.isEmpty())
        object.add(QLatin1String("Name"), person.name);
    object.add(QLatin1String("Email"), person.email);
    if (withAnswer) {
        // A required guest is what iCalendar assumes where it says nothing.
        if (person.role != QLatin1String("required"))
            object.add(QLatin1String("Role"), person.role);
        object.add(QLatin1String("Reply"), person.reply);
    }
    return object.text();
}

void insertText(JsonText::Object &job, const char *key, const QString &text)
{
    if (!text.isEmpty())
        job.add(QLatin1String(key), text);
}

} // namespace

bool EventPerson::operator==(const EventPerson &other) const
{
    return name == other.name && email == other.email && role == other.role && reply == other.reply;
}

bool EventDetails::isEmpty() const
{
    return location.isEmpty() && url.isEmpty() && organizer.isEmpty() && attendees.isEmpty() &&
           myReply.isEmpty() && conference.isEmpty() && timeZone.isEmpty();
}

bool EventDetails::operator==(const EventDetails &other) const
{
    return location == other.location && url == other.url && organizer == other.organizer &&
           attendees == other.attendees && myReply == other.myReply && conference == other.conference &&
           timeZone == other.timeZone;
}

void EventDetails::writeTo(JsonText::Object &job) const
{
    insertText(job, "Location", location);
    insertText(job, "Url", url);
    if (!organizer.isEmpty())
        job.add(QLatin1String("Organizer"), personText(organizer, false));
    if (!attendees.isEmpty()) {
        QByteArray array = "[";
        for (const EventPerson &attendee : attendees) {
            if (array.size() > 1)
                array += ',';
            array += personText(attendee, true);
        }
        job.add(QLatin1String("Attendees"), array + ']');
    }
    insertText(job, "MyReply", myReply);
    insertText(job, "Conference", conference);
    insertText(job, "TimeZone", timeZone);
}

EventDetails EventDetails::fromJob(const QJsonObject &job)
{
    EventDetails details;
    details.location = job.value(QLatin1String("Location")).toString();
    details.url = job.value(QLatin1String("Url")).toString();
    details.organizer = personOf(job.value(QLatin1String("Organizer")).toObject());
    const QJsonArray attendees = job.value(QLatin1String("Attendees")).toArray();
    for (const QJsonValue &attendee : attendees) {
        if (!attendee.isObject())
            continue;
        EventPerson person = personOf(attendee.toObject());
        if (person.role.isEmpty())
            person.role = QStringLiteral("required");
        details.attendees << person;
    }
    details.myReply = job.value(QLatin1String("MyReply")).toString();
    if (!isReply(details.myReply))
        details.myReply.clear();
    details.conference = job.value(QLatin1String("Conference")).toString();
    details.timeZone = job.value(QLatin1String("TimeZone")).toString();
    return details;
}

bool EventDetails::isReply(const QString &reply)
{
    return reply == QLatin1String("accepted") || reply == QLatin1String("tentative") ||
           reply == QLatin1String("declined") || reply == QLatin1String("needs-action");
}
