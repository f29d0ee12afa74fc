#ifndef SCHEDULE_EVENTDETAILS_H
#define SCHEDULE_EVENTDETAILS_H

#include <QJsonObject>
#include <QString>
#include <QVector>

namespace JsonText {
class Object;
} // namespace JsonText

// Someone an event names: its organizer or an attendee.
struct EventPerson
{
    QString name;
    QString email;
    // An attendee's: "chair", "required", "optional" or "non-participant"; a job leaves out
    // "required", iCalendar's own default, and its "Name" where there is none.
    QString role;
    // An attendee's answer: "accepted", "tentative", "declined", "needs-action" or "delegated".
    QString reply;

    bool isEmpty() const { return name.isEmpty() && email.isEmpty(); }
    bool operator==(const EventPerson &other) const;
};

// What an event says beyond its times and title. A job carries it in keys of its own, each only
// where the event has it ("Location", "Url", "Organizer", "Attendees", "MyReply", "Conference",
// "TimeZone"), so that the jobs of a plain calendar stay as they were and older readers skip them.
struct EventDetails
{
    QString location;
    QString url;
    EventPerson organizer;
    QVector<EventPerson> attendees;
    // The user's own answer among the attendees; empty where the user is not one of them.
    QString myReply;
    // The link that joins the event's online meeting.
    QString conference;
    // The IANA zone the event is written in, where its clock differs from the local one.
    QString timeZone;

    bool isEmpty() const;
    bool operator==(const EventDetails &other) const;
    bool operator!=(const EventDetails &other) const { return !(*this == other); }

    void writeTo(JsonText::Object &job) const;
    static EventDetails fromJob(const QJsonObject &job);

    // The answers the user may give to an invitation, as "MyReply" and the data server's
    // ReplyToJob spell them.
    static bool isReply(const QString &reply);
};

#endif
