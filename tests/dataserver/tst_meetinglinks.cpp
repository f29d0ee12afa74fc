#include "meetinglinks.h"

#include <KCalendarCore/Event>
#include <KCalendarCore/ICalFormat>
#include <KCalendarCore/MemoryCalendar>

#include <QtTest>

using namespace KCalendarCore;

// Invitations as Google Calendar, Outlook/Exchange, Zoom, Webex, GoTo and others write them: the link
// that joins the meeting, and none where an invitation carries only other links.
class TestMeetingLinks : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void find_data();
    void find();
    void inText_data();
    void inText();
    void unwrapped_data();
    void unwrapped();
};

namespace {

Event::Ptr parsedEvent(const QByteArray &vevent)
{
    QByteArray text = "BEGIN:VCALENDAR\nVERSION:2.0\nPRODID:-//Example//Invitation//EN\nMETHOD:REQUEST\n" +
                      vevent + "END:VCALENDAR\n";
    text.replace('\n', "\r\n");
    const MemoryCalendar::Ptr calendar(new MemoryCalendar(QTimeZone::utc()));
    ICalFormat format;
    if (!format.fromRawString(calendar, text))
        return {};
    const Event::List events = calendar->rawEvents();
    return events.size() == 1 ? events.first() : Event::Ptr();
}

const QString teamsJoin = QStringLiteral(
    "https://teams.microsoft.com/l/meetup-join/19%3ameeting_ZjI5MDk3NzUtNzQ5Ny00OTk2LWI0MjEtYjU5ZTg0ZGE3Nzk0"
    "%40thread.v2/0?context=%7b%22Tid%22%3a%2272f988bf-86f1-41af-91ab-2d7cd011db47%22%7d");
const QString teamsWrapped =
    QStringLiteral("https://nam12.safelinks.protection.outlook.com/"
                   "?url=https%3A%2F%2Fteams.microsoft.com%2Fl%2Fmeetup-join%2F19%"
                   "253ameeting_ZjI5MDk3NzUtNzQ5Ny00OTk2LWI0MjEtYjU5ZTg0ZGE3Nzk0%2540thread.v2%2F0%3Fcontext%"
                   "3D%257b%2522Tid%"
                   "2522%253a%252272f988bf-86f1-41af-91ab-2d7cd011db47%2522%257d&data=05%7C02%7C&reserved=0");

} // namespace

void TestMeetingLinks::find_data()
{
    QTest::addColumn<QByteArray>("vevent");
    QTest::addColumn<QString>("expected");

    QTest::newRow("Google Calendar invitation") << QByteArray(R"ics(BEGIN:VEVENT
UID:4q1f9l3c2kq8n6e0v5b7m2d1a0@google.com
DTSTAMP:20240605T091512Z
DTSTART:20240611T130000Z
DTEND:20240611T140000Z
SUMMARY:Release sync
ORGANIZER;CN=Jane Doe:mailto:jane.doe@example.com
ATTENDEE;CUTYPE=INDIVIDUAL;ROLE=REQ-PARTICIPANT;PARTSTAT=ACCEPTED;CN=Jane D
 oe;X-NUM-GUESTS=0:mailto:jane.doe@example.com
ATTENDEE;CUTYPE=INDIVIDUAL;ROLE=REQ-PARTICIPANT;PARTSTAT=NEEDS-ACTION;RSVP=
 TRUE;CN=max@example.org;X-NUM-GUESTS=0:mailto:max@example.org
X-GOOGLE-CONFERENCE:https://meet.google.com/kzw-pqrt-bnx
CREATED:20240605T091510Z
DESCRIPTION:Weekly sync on the release.\n\n-::~:~::~:~:~:~:~:~:~:~:~:~:~:~:
 ~:~:~:~:~:~:~:~:~:~:~:~:~:~:~:~:~:~:~:~:~:~::~:~::-\nJoin with Google Meet
 : https://meet.google.com/kzw-pqrt-bnx\nOr dial: (US) +1 650-555-0143 PIN:
  123456789#\nMore phone numbers: https://tel.meet/kzw-pqrt-bnx?pin=1234567
 890123\n\nLearn more about Meet at: https://support.google.com/a/users/ans
 wer/9282720\n\nPlease do not edit this section.\n-::~:~::~:~:~:~:~:~:~:~:~
 :~:~:~:~:~:~:~:~:~:~:~:~:~:~:~:~:~:~:~:~:~:~:~:~:~::~:~::-
LAST-MODIFIED:20240605T091512Z
LOCATION:
SEQUENCE:0
STATUS:CONFIRMED
TRANSP:OPAQUE
END:VEVENT
)ics") << QStringLiteral("https://meet.google.com/kzw-pqrt-bnx");
    QTest::newRow("Google Meet block, description alone") << QByteArray(R"ics(BEGIN:VEVENT
UID:7h2k0p9d3m1n5b8v6c4x2z0q1w@google.com
DTSTAMP:20240605T091512Z
DTSTART:20240611T130000Z
DTEND:20240611T140000Z
SUMMARY:Release sync
ORGANIZER;CN=Jane Doe:mailto:jane.doe@example.com
ATTENDEE;CUTYPE=INDIVIDUAL;ROLE=REQ-PARTICIPANT;PARTSTAT=ACCEPTED;CN=Jane D
 oe;X-NUM-GUESTS=0:mailto:jane.doe@example.com
ATTENDEE;CUTYPE=INDIVIDUAL;ROLE=REQ-PARTICIPANT;PARTSTAT=NEEDS-ACTION;RSVP=
 TRUE;CN=max@example.org;X-NUM-GUESTS=0:mailto:max@example.org
DESCRIPTION:Agenda: https://docs.google.com/document/d/1AbCdEfGhIjKlMnOp/ed
 it\n\n-::~:~::~:~:~:~:~:~:~:~:~:~:~:~:~:~:~:~:~:~:~:~:~:~:~:~:~:~:~:~:~:~:
 ~:~:~:~::~:~::-\nJoin with Google Meet: https://meet.google.com/kzw-pqrt-b
 nx\nOr dial: (US) +1 650-555-0143 PIN: 123456789#\nMore phone numbers: htt
 ps://tel.meet/kzw-pqrt-bnx?pin=1234567890123\n\nLearn more about Meet at: 
 https://support.google.com/a/users/answer/9282720\n\nPlease do not edit th
 is section.\n-::~:~::~:~:~:~:~:~:~:~:~:~:~:~:~:~:~:~:~:~:~:~:~:~:~:~:~:~:~
 :~:~:~:~:~:~:~::~:~::-
LOCATION:
END:VEVENT
)ics") << QStringLiteral("https://meet.google.com/kzw-pqrt-bnx");
    QTest::newRow("Meet only in X-GOOGLE-CONFERENCE") << QByteArray(R"ics(BEGIN:VEVENT
UID:2b3c4d5e6f7a8b9c0d1e2f3a4b@google.com
DTSTAMP:20240605T091512Z
DTSTART:20240611T130000Z
DTEND:20240611T140000Z
SUMMARY:Release sync
ORGANIZER;CN=Jane Doe:mailto:jane.doe@example.com
ATTENDEE;CUTYPE=INDIVIDUAL;ROLE=REQ-PARTICIPANT;PARTSTAT=ACCEPTED;CN=Jane D
 oe;X-NUM-GUESTS=0:mailto:jane.doe@example.com
ATTENDEE;CUTYPE=INDIVIDUAL;ROLE=REQ-PARTICIPANT;PARTSTAT=NEEDS-ACTION;RSVP=
 TRUE;CN=max@example.org;X-NUM-GUESTS=0:mailto:max@example.org
X-GOOGLE-CONFERENCE:https://meet.google.com/kzw-pqrt-bnx
DESCRIPTION:Notes: https://docs.google.com/document/d/1AbCdEfGhIjKlMnOp/edi
 t\nLast time we used https://acme.zoom.us/j/97412345678 - not this week.
END:VEVENT
)ics") << QStringLiteral("https://meet.google.com/kzw-pqrt-bnx");
    QTest::newRow("Google HTML description") << QByteArray(R"ics(BEGIN:VEVENT
UID:0c9b8a7d6e5f4a3b2c1d0e9f8a@google.com
DTSTAMP:20240605T091512Z
DTSTART:20240611T130000Z
DTEND:20240611T140000Z
SUMMARY:Quarterly review
ORGANIZER;CN=Jane Doe:mailto:jane.doe@example.com
ATTENDEE;CUTYPE=INDIVIDUAL;ROLE=REQ-PARTICIPANT;PARTSTAT=ACCEPTED;CN=Jane D
 oe;X-NUM-GUESTS=0:mailto:jane.doe@example.com
ATTENDEE;CUTYPE=INDIVIDUAL;ROLE=REQ-PARTICIPANT;PARTSTAT=NEEDS-ACTION;RSVP=
 TRUE;CN=max@example.org;X-NUM-GUESTS=0:mailto:max@example.org
DESCRIPTION:<p>Quarterly review. Slides: <a href="https://docs.google.com/p
 resentation/d/1xYzAbCdEf/edit?usp=sharing&amp\;ouid=1049">deck</a></p><br>
 -::~:~::~:~:~:~:~:~:~:~:~:~:~:~:~:~:~:~:~:~:~:~:~:~:~:~:~:~:~:~:~:~:~:~:~:
 ~::~:~::-<br>Join with Google Meet: <a href="https://meet.google.com/rbd-x
 mvq-tfa">meet.google.com/rbd-xmvq-tfa</a><br>Or dial: (DE) +49 30 5555 012
 3 PIN: 987654321#<br>More phone numbers: <a href="https://tel.meet/rbd-xmv
 q-tfa?pin=9876543210987&amp\;hs=7">https://tel.meet/rbd-xmvq-tfa?pin=98765
 43210987&amp\;hs=7</a><br><br>Learn more about Meet at: <a href="https://s
 upport.google.com/a/users/answer/9282720">https://support.google.com/a/use
 rs/answer/9282720</a><br><br>Please do not edit this section.<br>-::~:~::~
 :~:~:~:~:~:~:~:~:~:~:~:~:~:~:~:~:~:~:~:~:~:~:~:~:~:~:~:~:~:~:~:~:~::~:~::-
END:VEVENT
)ics") << QStringLiteral("https://meet.google.com/rbd-xmvq-tfa");
    QTest::newRow("Google invitation with a Zoom add-on") << QByteArray(R"ics(BEGIN:VEVENT
UID:5e4d3c2b1a0f9e8d7c6b5a4f3e@google.com
DTSTAMP:20240605T091512Z
DTSTART:20240611T130000Z
DTEND:20240611T140000Z
SUMMARY:Vendor call
ORGANIZER;CN=Jane Doe:mailto:jane.doe@example.com
ATTENDEE;CUTYPE=INDIVIDUAL;ROLE=REQ-PARTICIPANT;PARTSTAT=ACCEPTED;CN=Jane D
 oe;X-NUM-GUESTS=0:mailto:jane.doe@example.com
ATTENDEE;CUTYPE=INDIVIDUAL;ROLE=REQ-PARTICIPANT;PARTSTAT=NEEDS-ACTION;RSVP=
 TRUE;CN=max@example.org;X-NUM-GUESTS=0:mailto:max@example.org
X-GOOGLE-CONFERENCE:https://us02web.zoom.us/j/85123456789?pwd=bWZxT1hKc0VzR
 2lqcjRMQXBTZz09.1
DESCRIPTION:Jane Doe is inviting you to a scheduled Zoom meeting.\n\nJoin Z
 oom Meeting\nhttps://us02web.zoom.us/j/85123456789?pwd=bWZxT1hKc0VzR2lqcjR
 MQXBTZz09.1\n\nMeeting ID: 851 2345 6789\nPasscode: 472913\n\n---\n\nOne t
 ap mobile\n+16465588656\,\,85123456789#\,\,\,\,*472913# US (New York)\n+13
 017158592\,\,85123456789#\,\,\,\,*472913# US (Washington DC)\n\n---\n\nDia
 l by your location\n• +1 646 558 8656 US (New York)\n• +1 301 715 8592
  US (Washington DC)\n\nMeeting ID: 851 2345 6789\nPasscode: 472913\n\nFind
  your local number: https://us02web.zoom.us/u/kbXyZ12ab\n\n---\n\nJoin by 
 SIP\n• 85123456789@zoomcrc.com\n\n---\n\nJoin by H.323\n• 162.255.37.1
 1 (US West)\n• 162.255.36.11 (US East)\n\nMeeting ID: 851 2345 6789\nPas
 scode: 472913\n
LOCATION:https://us02web.zoom.us/j/85123456789?pwd=bWZxT1hKc0VzR2lqcjRMQXBT
 Zz09.1
END:VEVENT
)ics") << QStringLiteral("https://us02web.zoom.us/j/85123456789?pwd=bWZxT1hKc0VzR2lqcjRMQXBTZz09.1");
    QTest::newRow("Teams HTML description")
        << QByteArray(R"ics(BEGIN:VEVENT
UID:040000008200E00074C5B7101A82E00800000000A0B1C2D3E4F5DA01000000000000000
 010000000F1E2D3C4B5A697887766554433221100
DTSTAMP:20240605T091512Z
DTSTART:20240611T130000Z
DTEND:20240611T140000Z
SUMMARY:Budget 2025
CLASS:PUBLIC
PRIORITY:5
TRANSP:OPAQUE
STATUS:CONFIRMED
X-MICROSOFT-CDO-BUSYSTATUS:BUSY
X-MICROSOFT-CDO-IMPORTANCE:1
X-MICROSOFT-DISALLOW-COUNTER:FALSE
X-MS-OLK-CONFTYPE:0
ORGANIZER;CN="Doe, Jane":mailto:jane.doe@contoso.com
ATTENDEE;ROLE=REQ-PARTICIPANT;PARTSTAT=NEEDS-ACTION;RSVP=TRUE;CN=Max Muster
 mann:mailto:max@example.org
DESCRIPTION;LANGUAGE=en-US:<html><head><meta http-equiv="Content-Type" cont
 ent="text/html\; charset=utf-8"></head><body><div>Agenda attached.</div><d
 iv style="width:100%"><span style="white-space:nowrap\;color:#5F5F5F\;opac
 ity:.36">_________________________________________________________________
 _______________</span></div><div class="me-email-text" lang="en-US" style=
 "color:#242424\;font-family:'Segoe UI'\,'Helvetica Neue'\,Helvetica\,Arial
 \,sans-serif"><div style="margin-top:24px\;margin-bottom:20px"><span style
 ="font-size:24px\;font-weight:700\;color:#242424">Microsoft Teams</span> <
 a id="meet_invite_block.action.help" class="me-email-link" href="https://a
 ka.ms/JoinTeamsMeeting?omkt=en-US" style="font-size:14px\;text-decoration:
 underline\;color:#5B5FC7">Need help?</a></div><div style="margin-bottom:6p
 x"><a id="meet_invite_block.action.join_link" title="Meeting join link" cl
 ass="me-email-headline" href="https://teams.microsoft.com/l/meetup-join/19
 %3ameeting_ZjI5MDk3NzUtNzQ5Ny00OTk2LWI0MjEtYjU5ZTg0ZGE3Nzk0%40thread.v2/0?
 context=%7b%22Tid%22%3a%2272f988bf-86f1-41af-91ab-2d7cd011db47%22%2c%22Oid
 %22%3a%22e1d3b2a4-5c6d-4e7f-8a9b-0c1d2e3f4a5b%22%7d" target="_blank" rel="
 noreferrer noopener" style="font-size:20px\;font-weight:600\;text-decorati
 on:underline\;color:#5B5FC7">Join the meeting now</a></div><div style="mar
 gin-bottom:6px"><span style="font-size:14px\;color:#616161">Meeting ID: </
 span><span style="font-size:16px\;color:#242424">245 318 970 214</span></d
 iv><div style="margin-bottom:20px"><span style="font-size:14px\;color:#616
 161">Passcode: </span><span style="font-size:16px\;color:#242424">Xq7Lm2</
 span></div><div style="margin-bottom:24px\;max-width:532px\;width:100%\;he
 ight:1px\;background-color:#E0E0E0"></div><div><span style="font-size:14px
 \;color:#424242">For organizers: </span><a id="meet_invite_block.action.or
 ganizer_meet_options" class="me-email-link" href="https://teams.microsoft.
 com/meetingOptions/?organizerId=e1d3b2a4-5c6d-4e7f-8a9b-0c1d2e3f4a5b&amp\;
 tenantId=72f988bf-86f1-41af-91ab-2d7cd011db47&amp\;threadId=19_meeting_ZjI
 5MDk3NzUtNzQ5Ny00OTk2LWI0MjEtYjU5ZTg0ZGE3Nzk0@thread.v2&amp\;messageId=0&a
 mp\;language=en-US" style="font-size:14px\;text-decoration:underline\;colo
 r:#5B5FC7">Meeting options</a></div></div><div style="font-size:14px\;marg
 in-bottom:4px">___________________________________________________________
 _____________________</div></body></html>
LOCATION;LANGUAGE=en-US:Microsoft Teams Meeting
END:VEVENT
)ics")
        << QStringLiteral("https://teams.microsoft.com/l/meetup-join/"
                          "19%3ameeting_ZjI5MDk3NzUtNzQ5Ny00OTk2LWI0MjEtYjU5ZTg0ZGE3Nzk0%40thread.v2/"
                          "0?context=%7b%22Tid%22%3a%2272f988bf-86f1-41af-91ab-2d7cd011db47%22%2c%22Oid%22%"
                          "3a%22e1d3b2a4-5c6d-4e7f-8a9b-0c1d2e3f4a5b%22%7d");
    QTest::newRow("Teams plain-text invitation")
        << QByteArray(R"ics(BEGIN:VEVENT
UID:040000008200E00074C5B7101A82E00800000000B1C2D3E4F5A6DA01000000000000000
 010000000A1B2C3D4E5F60718293A4B5C6D7E8F90
DTSTAMP:20240605T091512Z
DTSTART:20240611T130000Z
DTEND:20240611T140000Z
SUMMARY:Budget 2025
CLASS:PUBLIC
PRIORITY:5
TRANSP:OPAQUE
STATUS:CONFIRMED
X-MICROSOFT-CDO-BUSYSTATUS:BUSY
X-MICROSOFT-CDO-IMPORTANCE:1
X-MICROSOFT-DISALLOW-COUNTER:FALSE
X-MS-OLK-CONFTYPE:0
ORGANIZER;CN="Doe, Jane":mailto:jane.doe@contoso.com
ATTENDEE;ROLE=REQ-PARTICIPANT;PARTSTAT=NEEDS-ACTION;RSVP=TRUE;CN=Max Muster
 mann:mailto:max@example.org
DESCRIPTION;LANGUAGE=en-US:\n______________________________________________
 __________________________________\nMicrosoft Teams meeting\nJoin on your 
 computer\, mobile app or room device\nClick here to join the meeting<https
 ://teams.microsoft.com/l/meetup-join/19%3ameeting_ZjI5MDk3NzUtNzQ5Ny00OTk2
 LWI0MjEtYjU5ZTg0ZGE3Nzk0%40thread.v2/0?context=%7b%22Tid%22%3a%2272f988bf-
 86f1-41af-91ab-2d7cd011db47%22%2c%22Oid%22%3a%22e1d3b2a4-5c6d-4e7f-8a9b-0c
 1d2e3f4a5b%22%7d>\nMeeting ID: 245 318 970 214\nPasscode: Xq7Lm2\nDownload
  Teams<https://www.microsoft.com/en-us/microsoft-teams/download-app> | Joi
 n on the web<https://www.microsoft.com/microsoft-teams/join-a-meeting>\nLe
 arn More<https://aka.ms/JoinTeamsMeeting> | Meeting options<https://teams.
 microsoft.com/meetingOptions/?organizerId=e1d3b2a4-5c6d-4e7f-8a9b-0c1d2e3f
 4a5b&tenantId=72f988bf-86f1-41af-91ab-2d7cd011db47&threadId=19_meeting_ZjI
 5MDk3NzUtNzQ5Ny00OTk2LWI0MjEtYjU5ZTg0ZGE3Nzk0@thread.v2&messageId=0&langua
 ge=en-US>\n_______________________________________________________________
 _________________\n
LOCATION;LANGUAGE=en-US:Microsoft Teams Meeting
END:VEVENT
)ics")
        << QStringLiteral("https://teams.microsoft.com/l/meetup-join/"
                          "19%3ameeting_ZjI5MDk3NzUtNzQ5Ny00OTk2LWI0MjEtYjU5ZTg0ZGE3Nzk0%40thread.v2/"
                          "0?context=%7b%22Tid%22%3a%2272f988bf-86f1-41af-91ab-2d7cd011db47%22%2c%22Oid%22%"
                          "3a%22e1d3b2a4-5c6d-4e7f-8a9b-0c1d2e3f4a5b%22%7d");
    QTest::newRow("Teams invitation through Safe Links")
        << QByteArray(R"ics(BEGIN:VEVENT
UID:040000008200E00074C5B7101A82E00800000000C2D3E4F5A6B7DA01000000000000000
 010000000B2C3D4E5F6071829304A5B6C7D8E9FA1
DTSTAMP:20240605T091512Z
DTSTART:20240611T130000Z
DTEND:20240611T140000Z
SUMMARY:Budget 2025
CLASS:PUBLIC
PRIORITY:5
TRANSP:OPAQUE
STATUS:CONFIRMED
X-MICROSOFT-CDO-BUSYSTATUS:BUSY
X-MICROSOFT-CDO-IMPORTANCE:1
X-MICROSOFT-DISALLOW-COUNTER:FALSE
X-MS-OLK-CONFTYPE:0
ORGANIZER;CN="Doe, Jane":mailto:jane.doe@contoso.com
ATTENDEE;ROLE=REQ-PARTICIPANT;PARTSTAT=NEEDS-ACTION;RSVP=TRUE;CN=Max Muster
 mann:mailto:max@example.org
DESCRIPTION;LANGUAGE=en-US:\n______________________________________________
 __________________________________\nMicrosoft Teams meeting\nJoin on your 
 computer\, mobile app or room device\nClick here to join the meeting<https
 ://nam12.safelinks.protection.outlook.com/?url=https%3A%2F%2Fteams.microso
 ft.com%2Fl%2Fmeetup-join%2F19%253ameeting_ZjI5MDk3NzUtNzQ5Ny00OTk2LWI0MjEt
 YjU5ZTg0ZGE3Nzk0%2540thread.v2%2F0%3Fcontext%3D%257b%2522Tid%2522%253a%252
 272f988bf-86f1-41af-91ab-2d7cd011db47%2522%252c%2522Oid%2522%253a%2522e1d3
 b2a4-5c6d-4e7f-8a9b-0c1d2e3f4a5b%2522%257d&data=05%7C02%7Cmax%40example.or
 g%7C3f1c2b7a9d4e4c1a8b2f08dc8a1e5b6c%7C72f988bf86f141af91ab2d7cd011db47%7C
 1%7C0%7C638536215120437012%7CUnknown%7CTWFpbGZsb3d8eyJWIjoiMC4wLjAwMDAiLCJ
 QIjoiV2luMzIiLCJBTiI6Ik1haWwiLCJXVCI6Mn0%3D%7C0%7C%7C%7C&sdata=Qx2Lr8kz1mV
 b7yT0pW3nR5cJ9hF4aE6dG2sK1uB0oZI%3D&reserved=0>\nMeeting ID: 245 318 970 2
 14\nPasscode: Xq7Lm2\nDownload Teams<https://nam12.safelinks.protection.ou
 tlook.com/?url=https%3A%2F%2Fwww.microsoft.com%2Fen-us%2Fmicrosoft-teams%2
 Fdownload-app&data=05%7C02%7Cmax%40example.org%7C3f1c2b7a9d4e4c1a8b2f08dc8
 a1e5b6c%7C72f988bf86f141af91ab2d7cd011db47%7C1%7C0%7C638536215120437012%7C
 Unknown%7CTWFpbGZsb3d8eyJWIjoiMC4wLjAwMDAiLCJQIjoiV2luMzIiLCJBTiI6Ik1haWwi
 LCJXVCI6Mn0%3D%7C0%7C%7C%7C&sdata=Qx2Lr8kz1mVb7yT0pW3nR5cJ9hF4aE6dG2sK1uB0
 oZI%3D&reserved=0> | Join on the web<https://nam12.safelinks.protection.ou
 tlook.com/?url=https%3A%2F%2Fwww.microsoft.com%2Fmicrosoft-teams%2Fjoin-a-
 meeting&data=05%7C02%7Cmax%40example.org%7C3f1c2b7a9d4e4c1a8b2f08dc8a1e5b6
 c%7C72f988bf86f141af91ab2d7cd011db47%7C1%7C0%7C638536215120437012%7CUnknow
 n%7CTWFpbGZsb3d8eyJWIjoiMC4wLjAwMDAiLCJQIjoiV2luMzIiLCJBTiI6Ik1haWwiLCJXVC
 I6Mn0%3D%7C0%7C%7C%7C&sdata=Qx2Lr8kz1mVb7yT0pW3nR5cJ9hF4aE6dG2sK1uB0oZI%3D
 &reserved=0>\nLearn More<https://nam12.safelinks.protection.outlook.com/?u
 rl=https%3A%2F%2Faka.ms%2FJoinTeamsMeeting&data=05%7C02%7Cmax%40example.or
 g%7C3f1c2b7a9d4e4c1a8b2f08dc8a1e5b6c%7C72f988bf86f141af91ab2d7cd011db47%7C
 1%7C0%7C638536215120437012%7CUnknown%7CTWFpbGZsb3d8eyJWIjoiMC4wLjAwMDAiLCJ
 QIjoiV2luMzIiLCJBTiI6Ik1haWwiLCJXVCI6Mn0%3D%7C0%7C%7C%7C&sdata=Qx2Lr8kz1mV
 b7yT0pW3nR5cJ9hF4aE6dG2sK1uB0oZI%3D&reserved=0> | Meeting options<https://
 nam12.safelinks.protection.outlook.com/?url=https%3A%2F%2Fteams.microsoft.
 com%2FmeetingOptions%2F%3ForganizerId%3De1d3b2a4-5c6d-4e7f-8a9b-0c1d2e3f4a
 5b%26tenantId%3D72f988bf-86f1-41af-91ab-2d7cd011db47%26threadId%3D19_meeti
 ng_ZjI5MDk3NzUtNzQ5Ny00OTk2LWI0MjEtYjU5ZTg0ZGE3Nzk0%40thread.v2%26messageI
 d%3D0%26language%3Den-US&data=05%7C02%7Cmax%40example.org%7C3f1c2b7a9d4e4c
 1a8b2f08dc8a1e5b6c%7C72f988bf86f141af91ab2d7cd011db47%7C1%7C0%7C6385362151
 20437012%7CUnknown%7CTWFpbGZsb3d8eyJWIjoiMC4wLjAwMDAiLCJQIjoiV2luMzIiLCJBT
 iI6Ik1haWwiLCJXVCI6Mn0%3D%7C0%7C%7C%7C&sdata=Qx2Lr8kz1mVb7yT0pW3nR5cJ9hF4a
 E6dG2sK1uB0oZI%3D&reserved=0>\n___________________________________________
 _____________________________________\n
LOCATION;LANGUAGE=en-US:Microsoft Teams Meeting
END:VEVENT
)ics")
        << QStringLiteral("https://teams.microsoft.com/l/meetup-join/"
                          "19%3ameeting_ZjI5MDk3NzUtNzQ5Ny00OTk2LWI0MjEtYjU5ZTg0ZGE3Nzk0%40thread.v2/"
                          "0?context=%7b%22Tid%22%3a%2272f988bf-86f1-41af-91ab-2d7cd011db47%22%2c%22Oid%22%"
                          "3a%22e1d3b2a4-5c6d-4e7f-8a9b-0c1d2e3f4a5b%22%7d");
    QTest::newRow("Teams HTML only in X-ALT-DESC")
        << QByteArray(R"ics(BEGIN:VEVENT
UID:040000008200E00074C5B7101A82E00800000000D3E4F5A6B7C8DA01000000000000000
 010000000C3D4E5F60718293A4B5C6D7E8F90A1B2
DTSTAMP:20240605T091512Z
DTSTART:20240611T130000Z
DTEND:20240611T140000Z
SUMMARY:Budget 2025
CLASS:PUBLIC
PRIORITY:5
TRANSP:OPAQUE
STATUS:CONFIRMED
X-MICROSOFT-CDO-BUSYSTATUS:BUSY
X-MICROSOFT-CDO-IMPORTANCE:1
X-MICROSOFT-DISALLOW-COUNTER:FALSE
X-MS-OLK-CONFTYPE:0
ORGANIZER;CN="Doe, Jane":mailto:jane.doe@contoso.com
ATTENDEE;ROLE=REQ-PARTICIPANT;PARTSTAT=NEEDS-ACTION;RSVP=TRUE;CN=Max Muster
 mann:mailto:max@example.org
DESCRIPTION;LANGUAGE=en-US:Agenda attached.\n
X-ALT-DESC;FMTTYPE=text/html:<html><head><meta http-equiv="Content-Type" co
 ntent="text/html\; charset=utf-8"></head><body><div>Agenda attached.</div>
 <div style="width:100%"><span style="white-space:nowrap\;color:#5F5F5F\;op
 acity:.36">_______________________________________________________________
 _________________</span></div><div class="me-email-text" lang="en-US" styl
 e="color:#242424\;font-family:'Segoe UI'\,'Helvetica Neue'\,Helvetica\,Ari
 al\,sans-serif"><div style="margin-top:24px\;margin-bottom:20px"><span sty
 le="font-size:24px\;font-weight:700\;color:#242424">Microsoft Teams</span>
  <a id="meet_invite_block.action.help" class="me-email-link" href="https:/
 /aka.ms/JoinTeamsMeeting?omkt=en-US" style="font-size:14px\;text-decoratio
 n:underline\;color:#5B5FC7">Need help?</a></div><div style="margin-bottom:
 6px"><a id="meet_invite_block.action.join_link" title="Meeting join link" 
 class="me-email-headline" href="https://teams.microsoft.com/l/meetup-join/
 19%3ameeting_ZjI5MDk3NzUtNzQ5Ny00OTk2LWI0MjEtYjU5ZTg0ZGE3Nzk0%40thread.v2/
 0?context=%7b%22Tid%22%3a%2272f988bf-86f1-41af-91ab-2d7cd011db47%22%2c%22O
 id%22%3a%22e1d3b2a4-5c6d-4e7f-8a9b-0c1d2e3f4a5b%22%7d" target="_blank" rel
 ="noreferrer noopener" style="font-size:20px\;font-weight:600\;text-decora
 tion:underline\;color:#5B5FC7">Join the meeting now</a></div><div style="m
 argin-bottom:6px"><span style="font-size:14px\;color:#616161">Meeting ID: 
 </span><span style="font-size:16px\;color:#242424">245 318 970 214</span><
 /div><div style="margin-bottom:20px"><span style="font-size:14px\;color:#6
 16161">Passcode: </span><span style="font-size:16px\;color:#242424">Xq7Lm2
 </span></div><div style="margin-bottom:24px\;max-width:532px\;width:100%\;
 height:1px\;background-color:#E0E0E0"></div><div><span style="font-size:14
 px\;color:#424242">For organizers: </span><a id="meet_invite_block.action.
 organizer_meet_options" class="me-email-link" href="https://teams.microsof
 t.com/meetingOptions/?organizerId=e1d3b2a4-5c6d-4e7f-8a9b-0c1d2e3f4a5b&amp
 \;tenantId=72f988bf-86f1-41af-91ab-2d7cd011db47&amp\;threadId=19_meeting_Z
 jI5MDk3NzUtNzQ5Ny00OTk2LWI0MjEtYjU5ZTg0ZGE3Nzk0@thread.v2&amp\;messageId=0
 &amp\;language=en-US" style="font-size:14px\;text-decoration:underline\;co
 lor:#5B5FC7">Meeting options</a></div></div><div style="font-size:14px\;ma
 rgin-bottom:4px">_________________________________________________________
 _______________________</div></body></html>
LOCATION;LANGUAGE=en-US:Microsoft Teams Meeting
END:VEVENT
)ics")
        << QStringLiteral("https://teams.microsoft.com/l/meetup-join/"
                          "19%3ameeting_ZjI5MDk3NzUtNzQ5Ny00OTk2LWI0MjEtYjU5ZTg0ZGE3Nzk0%40thread.v2/"
                          "0?context=%7b%22Tid%22%3a%2272f988bf-86f1-41af-91ab-2d7cd011db47%22%2c%22Oid%22%"
                          "3a%22e1d3b2a4-5c6d-4e7f-8a9b-0c1d2e3f4a5b%22%7d");
    QTest::newRow("Exchange Teams property")
        << QByteArray(R"ics(BEGIN:VEVENT
UID:040000008200E00074C5B7101A82E00800000000E4F5A6B7C8D9DA01000000000000000
 010000000D4E5F60718293A4B5C6D7E8F90A1B2C3
DTSTAMP:20240605T091512Z
DTSTART:20240611T130000Z
DTEND:20240611T140000Z
SUMMARY:Budget 2025
CLASS:PUBLIC
PRIORITY:5
TRANSP:OPAQUE
STATUS:CONFIRMED
X-MICROSOFT-CDO-BUSYSTATUS:BUSY
X-MICROSOFT-CDO-IMPORTANCE:1
X-MICROSOFT-DISALLOW-COUNTER:FALSE
X-MS-OLK-CONFTYPE:0
ORGANIZER;CN="Doe, Jane":mailto:jane.doe@contoso.com
ATTENDEE;ROLE=REQ-PARTICIPANT;PARTSTAT=NEEDS-ACTION;RSVP=TRUE;CN=Max Muster
 mann:mailto:max@example.org
X-MICROSOFT-SKYPETEAMSMEETINGURL:https://teams.microsoft.com/l/meetup-join/
 19%3ameeting_ZjI5MDk3NzUtNzQ5Ny00OTk2LWI0MjEtYjU5ZTg0ZGE3Nzk0%40thread.v2/
 0?context=%7b%22Tid%22%3a%2272f988bf-86f1-41af-91ab-2d7cd011db47%22%2c%22O
 id%22%3a%22e1d3b2a4-5c6d-4e7f-8a9b-0c1d2e3f4a5b%22%7d
DESCRIPTION;LANGUAGE=en-US:Agenda attached.\n
LOCATION;LANGUAGE=en-US:Microsoft Teams Meeting
END:VEVENT
)ics")
        << QStringLiteral("https://teams.microsoft.com/l/meetup-join/"
                          "19%3ameeting_ZjI5MDk3NzUtNzQ5Ny00OTk2LWI0MjEtYjU5ZTg0ZGE3Nzk0%40thread.v2/"
                          "0?context=%7b%22Tid%22%3a%2272f988bf-86f1-41af-91ab-2d7cd011db47%22%2c%22Oid%22%"
                          "3a%22e1d3b2a4-5c6d-4e7f-8a9b-0c1d2e3f4a5b%22%7d");
    QTest::newRow("Teams free meeting") << QByteArray(R"ics(BEGIN:VEVENT
UID:teams-live-3a9c@outlook.com
DTSTAMP:20240605T091512Z
DTSTART:20240611T130000Z
DTEND:20240611T140000Z
SUMMARY:Book club
DESCRIPTION:Microsoft Teams meeting\nJoin: https://teams.live.com/meet/9384
 716253849?p=Hx7PqR2mWk9LtB4c\nMeeting ID: 938 471 625 384 9\nPasscode: Zb2
 Ls7\n
END:VEVENT
)ics") << QStringLiteral("https://teams.live.com/meet/9384716253849?p=Hx7PqR2mWk9LtB4c");
    QTest::newRow("Zoom invitation") << QByteArray(R"ics(BEGIN:VEVENT
UID:zoom-85123456789@zoom.us
DTSTAMP:20240605T091512Z
DTSTART:20240611T130000Z
DTEND:20240611T140000Z
SUMMARY:Vendor call
LOCATION:
DESCRIPTION:Jane Doe is inviting you to a scheduled Zoom meeting.\n\nJoin Z
 oom Meeting\nhttps://us02web.zoom.us/j/85123456789?pwd=bWZxT1hKc0VzR2lqcjR
 MQXBTZz09.1\n\nMeeting ID: 851 2345 6789\nPasscode: 472913\n\n---\n\nOne t
 ap mobile\n+16465588656\,\,85123456789#\,\,\,\,*472913# US (New York)\n+13
 017158592\,\,85123456789#\,\,\,\,*472913# US (Washington DC)\n\n---\n\nDia
 l by your location\n• +1 646 558 8656 US (New York)\n• +1 301 715 8592
  US (Washington DC)\n\nMeeting ID: 851 2345 6789\nPasscode: 472913\n\nFind
  your local number: https://us02web.zoom.us/u/kbXyZ12ab\n\n---\n\nJoin by 
 SIP\n• 85123456789@zoomcrc.com\n\n---\n\nJoin by H.323\n• 162.255.37.1
 1 (US West)\n• 162.255.36.11 (US East)\n\nMeeting ID: 851 2345 6789\nPas
 scode: 472913\n
ORGANIZER;CN=Jane Doe:mailto:jane.doe@example.com
END:VEVENT
)ics") << QStringLiteral("https://us02web.zoom.us/j/85123456789?pwd=bWZxT1hKc0VzR2lqcjRMQXBTZz09.1");
    QTest::newRow("Zoom invitation under an agenda link") << QByteArray(R"ics(BEGIN:VEVENT
UID:zoom-85123456789-b@zoom.us
DTSTAMP:20240605T091512Z
DTSTART:20240611T130000Z
DTEND:20240611T140000Z
SUMMARY:Vendor call
DESCRIPTION:Agenda and notes: https://wiki.example.com/display/SALES/Q3+ven
 dor+review\n\nJane Doe is inviting you to a scheduled Zoom meeting.\n\nJoi
 n Zoom Meeting\nhttps://us02web.zoom.us/j/85123456789?pwd=bWZxT1hKc0VzR2lq
 cjRMQXBTZz09.1\n\nMeeting ID: 851 2345 6789\nPasscode: 472913\n\n---\n\nOn
 e tap mobile\n+16465588656\,\,85123456789#\,\,\,\,*472913# US (New York)\n
 +13017158592\,\,85123456789#\,\,\,\,*472913# US (Washington DC)\n\n---\n\n
 Dial by your location\n• +1 646 558 8656 US (New York)\n• +1 301 715 8
 592 US (Washington DC)\n\nMeeting ID: 851 2345 6789\nPasscode: 472913\n\nF
 ind your local number: https://us02web.zoom.us/u/kbXyZ12ab\n\n---\n\nJoin 
 by SIP\n• 85123456789@zoomcrc.com\n\n---\n\nJoin by H.323\n• 162.255.3
 7.11 (US West)\n• 162.255.36.11 (US East)\n\nMeeting ID: 851 2345 6789\n
 Passcode: 472913\n
END:VEVENT
)ics") << QStringLiteral("https://us02web.zoom.us/j/85123456789?pwd=bWZxT1hKc0VzR2lqcjRMQXBTZz09.1");
    QTest::newRow("Zoom personal meeting room") << QByteArray(R"ics(BEGIN:VEVENT
UID:pmr-2024-06@example.com
DTSTAMP:20240605T091512Z
DTSTART:20240611T130000Z
DTEND:20240611T140000Z
SUMMARY:Office hours
DESCRIPTION:Jane Doe is inviting you to a scheduled Zoom meeting.\n\nJoin Z
 oom Meeting\nhttps://acme.zoom.us/my/jane.doe\n\nMeeting ID: 412 555 0199\
 n
END:VEVENT
)ics") << QStringLiteral("https://acme.zoom.us/my/jane.doe");
    QTest::newRow("zoommtg link in LOCATION")
        << QByteArray(R"ics(BEGIN:VEVENT
UID:zoom-app-link@example.com
DTSTAMP:20240605T091512Z
DTSTART:20240611T130000Z
DTEND:20240611T140000Z
SUMMARY:Vendor call
LOCATION:zoommtg://zoom.us/join?action=join&confno=85123456789&pwd=bWZxT1hK
 c0VzR2lqcjRMQXBTZz09
END:VEVENT
)ics")
        << QStringLiteral(
               "zoommtg://zoom.us/join?action=join&confno=85123456789&pwd=bWZxT1hKc0VzR2lqcjRMQXBTZz09");
    QTest::newRow("ZoomGov webinar") << QByteArray(R"ics(BEGIN:VEVENT
UID:zoomgov-1612345678@example.gov
DTSTAMP:20240605T091512Z
DTSTART:20240611T130000Z
DTEND:20240611T140000Z
SUMMARY:Public briefing
DESCRIPTION:Please click the link below to join the webinar:\nhttps://acme.
 zoomgov.com/w/1612345678?tk=AbCdEf123.DQcAAAAMKu5B\n\nPasscode: 915273\n
END:VEVENT
)ics") << QStringLiteral("https://acme.zoomgov.com/w/1612345678?tk=AbCdEf123.DQcAAAAMKu5B");
    QTest::newRow("Jitsi in LOCATION") << QByteArray(R"ics(BEGIN:VEVENT
UID:jitsi-planning@example.org
DTSTAMP:20240605T091512Z
DTSTART:20240611T130000Z
DTEND:20240611T140000Z
SUMMARY:Planning
LOCATION:https://meet.jit.si/AcmeWeeklyPlanning
END:VEVENT
)ics") << QStringLiteral("https://meet.jit.si/AcmeWeeklyPlanning");
    QTest::newRow("8x8 Jitsi room") << QByteArray(R"ics(BEGIN:VEVENT
UID:jaas-standup@example.org
DTSTAMP:20240605T091512Z
DTSTART:20240611T130000Z
DTEND:20240611T140000Z
SUMMARY:Stand-up
DESCRIPTION:Join the stand-up: https://8x8.vc/vpaas-magic-cookie-1a2b3c4d5e
 /AcmeStandup
END:VEVENT
)ics") << QStringLiteral("https://8x8.vc/vpaas-magic-cookie-1a2b3c4d5e/AcmeStandup");
    QTest::newRow("Webex meeting") << QByteArray(R"ics(BEGIN:VEVENT
UID:webex-26341234567@acme.webex.com
DTSTAMP:20240605T091512Z
DTSTART:20240611T130000Z
DTEND:20240611T140000Z
SUMMARY:Design review
DESCRIPTION:When it's time\, join the Webex meeting here.\n\nMeeting number
  (access code): 2634 123 4567\nMeeting password: abcDEF12\n\nJoin meeting 
 <https://acme.webex.com/acme/j.php?MTID=m4f2b9c81d7e6a5f4b3c2d1e0f9a8b7c6>
 \n\nTap to join from a mobile device (attendees only)\n+1-415-655-0001\,\,
 26341234567## US Toll\n\nJoin by phone\n+1-415-655-0001 US Toll\nGlobal ca
 ll-in numbers <https://acme.webex.com/acme/globalcallin.php?MTID=m8a7b6c5d
 4e3f2a1b0c9d8e7f6a5b4c3d>\n\nJoin from a video system or application\nDial
  26341234567@acme.webex.com\nYou can also dial 173.243.2.68 and enter your
  meeting number.\n\nIf you are a host\, go here <https://acme.webex.com/ac
 me/j.php?MTID=m1a2b3c4d5e6f7a8b9c0d1e2f3a4b5c6d> to view host information.
 \n\nNeed help? Go to https://help.webex.com\n
LOCATION:https://acme.webex.com/acme
END:VEVENT
)ics") << QStringLiteral("https://acme.webex.com/acme/j.php?MTID=m4f2b9c81d7e6a5f4b3c2d1e0f9a8b7c6");
    QTest::newRow("Webex personal room") << QByteArray(R"ics(BEGIN:VEVENT
UID:webex-pr-jdoe@acme.webex.com
DTSTAMP:20240605T091512Z
DTSTART:20240611T130000Z
DTEND:20240611T140000Z
SUMMARY:One-on-one
LOCATION:Webex
DESCRIPTION:Join my personal room: https://acme.webex.com/meet/jdoe\nNeed h
 elp? Go to https://help.webex.com\n
END:VEVENT
)ics") << QStringLiteral("https://acme.webex.com/meet/jdoe");
    QTest::newRow("Whereby in URL") << QByteArray(R"ics(BEGIN:VEVENT
UID:whereby-design@example.com
DTSTAMP:20240605T091512Z
DTSTART:20240611T130000Z
DTEND:20240611T140000Z
SUMMARY:Design crit
URL:https://whereby.com/acme-design-review
LOCATION:Online
END:VEVENT
)ics") << QStringLiteral("https://whereby.com/acme-design-review");
    QTest::newRow("GoTo Meeting") << QByteArray(R"ics(BEGIN:VEVENT
UID:goto-512345677@goto.com
DTSTAMP:20240605T091512Z
DTSTART:20240611T130000Z
DTEND:20240611T140000Z
SUMMARY:Weekly planning
DESCRIPTION:Weekly planning\nTue\, Jun 11\, 2024 3:00 PM - 4:00 PM (CEST)\n
 \nPlease join my meeting from your computer\, tablet or smartphone.\nhttps
 ://meet.goto.com/512345677\n\nYou can also dial in using your phone.\nAcce
 ss Code: 512-345-677\nUnited States: +1 (571) 317-3112\n\nJoin from a vide
 o-conferencing room or system.\nMeeting ID: 512 345 677\nDial in or type: 
 67.217.95.2 or inroomlink.goto.com\nOr dial directly: 512345677@67.217.95.
 2 or 67.217.95.2##512345677\n\nGet the app now and be ready when your firs
 t meeting starts:\nhttps://meet.goto.com/install\n
END:VEVENT
)ics") << QStringLiteral("https://meet.goto.com/512345677");
    QTest::newRow("GoToMeeting, older invitation") << QByteArray(R"ics(BEGIN:VEVENT
UID:gotomeeting-123456789@example.com
DTSTAMP:20240605T091512Z
DTSTART:20240611T130000Z
DTEND:20240611T140000Z
SUMMARY:Weekly planning
DESCRIPTION:1.  Please join my meeting.\nhttps://global.gotomeeting.com/joi
 n/123456789\n\n2.  Use your microphone and speakers (VoIP) - a headset is 
 recommended. Or\, call in using your telephone.\n\nDial +1 (646) 749-3131\
 nAccess Code: 123-456-789\nAudio PIN: Shown after joining the meeting\n\nM
 eeting ID: 123-456-789\n\nGoToMeeting®\nOnline Meetings Made Easy®\n\nNo
 t at your computer? Click the link to join this meeting from your iPhone®
 \, iPad®\, Android® or Windows Phone® device via the GoToMeeting app.\n
END:VEVENT
)ics") << QStringLiteral("https://global.gotomeeting.com/join/123456789");
    QTest::newRow("BigBlueButton room") << QByteArray(R"ics(BEGIN:VEVENT
UID:bbb-seminar@uni-example.de
DTSTAMP:20240605T091512Z
DTSTART:20240611T130000Z
DTEND:20240611T140000Z
SUMMARY:Seminar
LOCATION:BigBlueButton: https://bbb.uni-example.de/b/mar-x7k-9pq
DESCRIPTION:Slides: https://cloud.uni-example.de/s/Xk2pLm9
END:VEVENT
)ics") << QStringLiteral("https://bbb.uni-example.de/b/mar-x7k-9pq");
    QTest::newRow("Greenlight 3 room") << QByteArray(R"ics(BEGIN:VEVENT
UID:gl3-lab@example.org
DTSTAMP:20240605T091512Z
DTSTART:20240611T130000Z
DTEND:20240611T140000Z
SUMMARY:Lab meeting
DESCRIPTION:Join the lab meeting at https://meet.example.org/rooms/abc-d3f-
 gh1-jk2/join (access code 417293).
END:VEVENT
)ics") << QStringLiteral("https://meet.example.org/rooms/abc-d3f-gh1-jk2/join");
    QTest::newRow("CONFERENCE video beside a tel: dial-in") << QByteArray(R"ics(BEGIN:VEVENT
UID:conference-video@example.com
DTSTAMP:20240605T091512Z
DTSTART:20240611T130000Z
DTEND:20240611T140000Z
SUMMARY:Board meeting
CONFERENCE;VALUE=URI;FEATURE=PHONE;LABEL=Attendee dial-in:tel:+1-888-555-04
 56,,,555123
CONFERENCE;VALUE=URI;FEATURE=PHONE,SCREEN,VIDEO;LABEL=Join with video:https
 ://video.example.net/room/4711
END:VEVENT
)ics") << QStringLiteral("https://video.example.net/room/4711");
    QTest::newRow("CONFERENCE of a known service") << QByteArray(R"ics(BEGIN:VEVENT
UID:conference-jitsi@example.com
DTSTAMP:20240605T091512Z
DTSTART:20240611T130000Z
DTEND:20240611T140000Z
SUMMARY:Board meeting
CONFERENCE;VALUE=URI;FEATURE=AUDIO;LABEL=Audio bridge:https://audio.example
 .net/bridge?id=123456
CONFERENCE;VALUE=URI;LABEL=Jitsi:https://meet.jit.si/AcmeBoard
END:VEVENT
)ics") << QStringLiteral("https://meet.jit.si/AcmeBoard");
    QTest::newRow("CONFERENCE of RFC 7986") << QByteArray(R"ics(BEGIN:VEVENT
UID:conference-rfc@example.com
DTSTAMP:20240605T091512Z
DTSTART:20240611T130000Z
DTEND:20240611T140000Z
SUMMARY:Board meeting
CONFERENCE;VALUE=URI;FEATURE=PHONE,MODERATOR;LABEL=Moderator dial-in:tel:+1
 -412-555-0123,,,654321
CONFERENCE;VALUE=URI;FEATURE=PHONE;LABEL=Attendee dial-in:tel:+1-888-555-04
 56,,,555123
CONFERENCE;VALUE=URI;FEATURE=CHAT;LABEL=Chat room:xmpp:chat-123@conference.
 example.com
CONFERENCE;VALUE=URI;LABEL=Board portal:https://board.example.com/meetings/
 2024-06
CONFERENCE;VALUE=URI;FEATURE=AUDIO,VIDEO;LABEL=Attendee dial-in:https://cha
 t.example.com/audio?id=123456
END:VEVENT
)ics") << QStringLiteral("https://chat.example.com/audio?id=123456");
    QTest::newRow("CONFERENCE of no stated feature") << QByteArray(R"ics(BEGIN:VEVENT
UID:conference-plain@example.com
DTSTAMP:20240605T091512Z
DTSTART:20240611T130000Z
DTEND:20240611T140000Z
SUMMARY:Board meeting
CONFERENCE;VALUE=URI;LABEL=Board portal:https://board.example.com/meetings/
 2024-06
END:VEVENT
)ics") << QStringLiteral("https://board.example.com/meetings/2024-06");
    QTest::newRow("CONFERENCE tel: only") << QByteArray(R"ics(BEGIN:VEVENT
UID:conference-tel@example.com
DTSTAMP:20240605T091512Z
DTSTART:20240611T130000Z
DTEND:20240611T140000Z
SUMMARY:Board meeting
CONFERENCE;VALUE=URI;FEATURE=PHONE;LABEL=Attendee dial-in:tel:+1-888-555-04
 56,,,555123
LOCATION:Boardroom\, 4th floor
END:VEVENT
)ics") << QStringLiteral("");
    QTest::newRow("address in LOCATION") << QByteArray(R"ics(BEGIN:VEVENT
UID:address@example.com
DTSTAMP:20240605T091512Z
DTSTART:20240611T130000Z
DTEND:20240611T140000Z
SUMMARY:Dentist
LOCATION:Praxis Dr. Weber\, Hauptstraße 12\, 10115 Berlin
END:VEVENT
)ics") << QStringLiteral("");
    QTest::newRow("company page in the description") << QByteArray(R"ics(BEGIN:VEVENT
UID:company-page@example.com
DTSTAMP:20240605T091512Z
DTSTART:20240611T130000Z
DTEND:20240611T140000Z
SUMMARY:Summer party
DESCRIPTION:All details and the RSVP form: https://www.example.com/events/s
 ummer-party-2024.\nSee you there!
LOCATION:Rooftop
END:VEVENT
)ics") << QStringLiteral("");
    QTest::newRow("company page in URL") << QByteArray(R"ics(BEGIN:VEVENT
UID:company-url@example.com
DTSTAMP:20240605T091512Z
DTSTART:20240611T130000Z
DTEND:20240611T140000Z
SUMMARY:Summer party
URL:https://www.example.com/events/summer-party-2024
END:VEVENT
)ics") << QStringLiteral("");
    QTest::newRow("zoom.us home page") << QByteArray(R"ics(BEGIN:VEVENT
UID:zoom-home@example.com
DTSTAMP:20240605T091512Z
DTSTART:20240611T130000Z
DTEND:20240611T140000Z
SUMMARY:Try Zoom
DESCRIPTION:We will use Zoom. Get it at https://zoom.us/download or read ht
 tps://zoom.us/ first\; local numbers: https://zoom.us/u/abXyZ12
END:VEVENT
)ics") << QStringLiteral("");
    QTest::newRow("support.google.com alone") << QByteArray(R"ics(BEGIN:VEVENT
UID:meet-help@example.com
DTSTAMP:20240605T091512Z
DTSTART:20240611T130000Z
DTEND:20240611T140000Z
SUMMARY:Meet training
DESCRIPTION:Learn more about Meet at: https://support.google.com/a/users/an
 swer/9282720
END:VEVENT
)ics") << QStringLiteral("");
    QTest::newRow("Teams links but no meeting") << QByteArray(R"ics(BEGIN:VEVENT
UID:teams-help@example.com
DTSTAMP:20240605T091512Z
DTSTART:20240611T130000Z
DTEND:20240611T140000Z
SUMMARY:Teams training
DESCRIPTION:Download Teams<https://www.microsoft.com/en-us/microsoft-teams/
 download-app> | Learn More<https://aka.ms/JoinTeamsMeeting> | Meeting opti
 ons<https://teams.microsoft.com/meetingOptions/?organizerId=e1d3b2a4-5c6d-
 4e7f-8a9b-0c1d2e3f4a5b&tenantId=72f988bf-86f1-41af-91ab-2d7cd011db47&threa
 dId=19_meeting_ZjI5MDk3NzUtNzQ5Ny00OTk2LWI0MjEtYjU5ZTg0ZGE3Nzk0@thread.v2&
 messageId=0&language=en-US>
END:VEVENT
)ics") << QStringLiteral("");
    QTest::newRow("GoTo install page alone") << QByteArray(R"ics(BEGIN:VEVENT
UID:goto-install@example.com
DTSTAMP:20240605T091512Z
DTSTART:20240611T130000Z
DTEND:20240611T140000Z
SUMMARY:Set up GoTo
DESCRIPTION:Get the app now: https://meet.goto.com/install
END:VEVENT
)ics") << QStringLiteral("");
    QTest::newRow("empty event") << QByteArray(R"ics(BEGIN:VEVENT
UID:empty@example.com
DTSTAMP:20240605T091512Z
DTSTART:20240611T130000Z
DTEND:20240611T140000Z
SUMMARY:Lunch
END:VEVENT
)ics") << QStringLiteral("");
}

void TestMeetingLinks::find()
{
    QFETCH(QByteArray, vevent);
    QFETCH(QString, expected);
    const Event::Ptr event = parsedEvent(vevent);
    QVERIFY(event);
    QCOMPARE(MeetingLinks::find(*event), expected);
}

void TestMeetingLinks::inText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");

    QTest::newRow("no link") << QStringLiteral("Room 4.12, bring the printed slides") << QString();
    QTest::newRow("empty") << QString() << QString();
    QTest::newRow("href with &amp;")
        << QStringLiteral("<a href=\"https://acme.zoom.us/j/85123456789?pwd=abc&amp;uname=Max\">Join</a>")
        << QStringLiteral("https://acme.zoom.us/j/85123456789?pwd=abc&uname=Max");
    QTest::newRow("single-quoted href") << QStringLiteral("<a href='https://meet.jit.si/AcmeSync'>Jitsi</a>")
                                        << QStringLiteral("https://meet.jit.si/AcmeSync");
    QTest::newRow("numeric entities") << QStringLiteral("https://meet.jit.si/Acme&#45;Sync&#x2D;Room")
                                      << QStringLiteral("https://meet.jit.si/Acme-Sync-Room");
    QTest::newRow("escaped quotes around it")
        << QStringLiteral("href=&quot;https://meet.google.com/abc-defg-hij&quot; target=")
        << QStringLiteral("https://meet.google.com/abc-defg-hij");
    QTest::newRow("escaped angle brackets")
        << QStringLiteral("Join&lt;https://meet.google.com/abc-defg-hij&gt;")
        << QStringLiteral("https://meet.google.com/abc-defg-hij");
    QTest::newRow("non-breaking space after it")
        << QStringLiteral("https://meet.jit.si/AcmeSync&nbsp;(Jitsi)")
        << QStringLiteral("https://meet.jit.si/AcmeSync");
    QTest::newRow("U+00A0 after it") << (QStringLiteral("https://meet.jit.si/AcmeSync") + QChar(0xa0) +
                                         QStringLiteral("(Jitsi)"))
                                     << QStringLiteral("https://meet.jit.si/AcmeSync");
    QTest::newRow("sentence's full stop") << QStringLiteral("Join at https://meet.jit.si/AcmeSync.")
                                          << QStringLiteral("https://meet.jit.si/AcmeSync");
    QTest::newRow("in parentheses, then a comma")
        << QStringLiteral("the room (https://whereby.com/acme-room), as always")
        << QStringLiteral("https://whereby.com/acme-room");
    QTest::newRow("in quotes") << QStringLiteral("Link: \"https://meet.jit.si/AcmeSync\"")
                               << QStringLiteral("https://meet.jit.si/AcmeSync");
    QTest::newRow("in angle brackets") << QStringLiteral("Join<https://meet.goto.com/512345677>.")
                                       << QStringLiteral("https://meet.goto.com/512345677");
    QTest::newRow("upper-case host") << QStringLiteral("HTTPS://Meet.Google.com/abc-defg-hij")
                                     << QStringLiteral("HTTPS://Meet.Google.com/abc-defg-hij");
    QTest::newRow("Meet's phone page first")
        << QStringLiteral("More phone numbers: https://tel.meet/abc-defg-hij?pin=12345 Join: "
                          "https://meet.google.com/abc-defg-hij")
        << QStringLiteral("https://meet.google.com/abc-defg-hij");
    QTest::newRow("Safe Links") << QStringLiteral("Click here to join the meeting<%1>").arg(teamsWrapped)
                                << teamsJoin;
    QTest::newRow("Safe Links in an href")
        << QStringLiteral(
               "<a href=\"https://eur01.safelinks.protection.outlook.com/?url=https%3A%2F%2Fmeet.jit.si"
               "%2FAcmeSync&amp;data=05%7C01&amp;reserved=0\">Join</a>")
        << QStringLiteral("https://meet.jit.si/AcmeSync");
    QTest::newRow("Safe Links of a help page")
        << QStringLiteral(
               "https://nam12.safelinks.protection.outlook.com/?url=https%3A%2F%2Faka.ms%2FJoinTeamsMeeting"
               "&data=05%7C02%7C&reserved=0")
        << QString();
    QTest::newRow("zoommtg without slashes") << QStringLiteral("zoommtg:zoom.us/join?confno=85123456789")
                                             << QStringLiteral("zoommtg:zoom.us/join?confno=85123456789");
    QTest::newRow("upper-case zoommtg") << QStringLiteral("ZOOMMTG:zoom.us/join?confno=85123456789")
                                        << QStringLiteral("ZOOMMTG:zoom.us/join?confno=85123456789");
    QTest::newRow("colons, no link") << QStringLiteral("Agenda: budget; time: 10:00; see:") << QString();
    QTest::newRow("link right after a colon") << QStringLiteral("Join:https://meet.jit.si/AcmeSync")
                                              << QStringLiteral("https://meet.jit.si/AcmeSync");
    QTest::newRow("zoommtg without a meeting")
        << QStringLiteral("Open zoommtg://zoom.us/ to start the app") << QString();
    QTest::newRow("Zoom local numbers")
        << QStringLiteral("Find your local number: https://us02web.zoom.us/u/kbXyZ12ab") << QString();
    QTest::newRow("Meet home page") << QStringLiteral("https://meet.google.com/") << QString();
    QTest::newRow("Jitsi home page") << QStringLiteral("https://meet.jit.si/") << QString();
    QTest::newRow("Whereby information page")
        << QStringLiteral("https://whereby.com/information/pricing") << QString();
    QTest::newRow("Webex call-in numbers")
        << QStringLiteral(
               "https://acme.webex.com/acme/globalcallin.php?MTID=m8a7b6c5d4e3f2a1b0c9d8e7f6a5b4c3d")
        << QString();
    QTest::newRow("Webex join page") << QStringLiteral("https://acme.webex.com/join/jdoe")
                                     << QStringLiteral("https://acme.webex.com/join/jdoe");
    QTest::newRow("BigBlueButton API join")
        << QStringLiteral(
               "https://lms.example.edu/bigbluebutton/api/join?meetingID=42&fullName=Max&checksum=ab12")
        << QStringLiteral(
               "https://lms.example.edu/bigbluebutton/api/join?meetingID=42&fullName=Max&checksum=ab12");
    QTest::newRow("Greenlight room on a BBB host")
        << QStringLiteral("https://bbb3.example.org/gl/maths-tutorial")
        << QStringLiteral("https://bbb3.example.org/gl/maths-tutorial");
    QTest::newRow("shop path like a room") << QStringLiteral("https://shop.example.com/b/shoes") << QString();
    QTest::newRow("hotel path like a room")
        << QStringLiteral("https://hotel.example.com/rooms/42/join") << QString();
    QTest::newRow("bank host starting with bbb")
        << QStringLiteral("https://www.bbbank.de/b/konto") << QString();
}

void TestMeetingLinks::inText()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(MeetingLinks::inText(text), expected);
}

void TestMeetingLinks::unwrapped_data()
{
    QTest::addColumn<QString>("url");
    QTest::addColumn<QString>("expected");

    QTest::newRow("Teams through Safe Links") << teamsWrapped << teamsJoin;
    QTest::newRow("wrapped twice")
        << QStringLiteral("https://eur01.safelinks.protection.outlook.com/?url=%1&data=05%7C01&reserved=0")
               .arg(QString::fromLatin1(QUrl::toPercentEncoding(teamsWrapped)))
        << teamsJoin;
    QTest::newRow("government cloud")
        << QStringLiteral(
               "https://gcc02.safelinks.protection.office365.us/?url=https%3A%2F%2Facme.webex.com%2Fmeet%2F"
               "jdoe&data=05%7C01&reserved=0")
        << QStringLiteral("https://acme.webex.com/meet/jdoe");
    QTest::newRow("not wrapped") << QStringLiteral("https://meet.jit.si/AcmeSync")
                                 << QStringLiteral("https://meet.jit.si/AcmeSync");
    QTest::newRow("url= on another host")
        << QStringLiteral("https://example.com/?url=https%3A%2F%2Fmeet.jit.si%2FX")
        << QStringLiteral("https://example.com/?url=https%3A%2F%2Fmeet.jit.si%2FX");
    QTest::newRow("look-alike host")
        << QStringLiteral(
               "https://safelinks.protection.outlook.com.example.net/?url=https%3A%2F%2Fmeet.jit.si%2FX")
        << QStringLiteral(
               "https://safelinks.protection.outlook.com.example.net/?url=https%3A%2F%2Fmeet.jit.si%2FX");
    QTest::newRow("wrapper without a url")
        << QStringLiteral("https://nam12.safelinks.protection.outlook.com/?data=05")
        << QStringLiteral("https://nam12.safelinks.protection.outlook.com/?data=05");
}

void TestMeetingLinks::unwrapped()
{
    QFETCH(QString, url);
    QFETCH(QString, expected);
    QCOMPARE(MeetingLinks::unwrapped(QUrl(url)), QUrl(expected));
}

QTEST_GUILESS_MAIN(TestMeetingLinks)
#include "tst_meetinglinks.moc"
