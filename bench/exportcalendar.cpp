#include "exportcalendar.h"

#include <QDateTime>
#include <QRandomGenerator>
#include <QStringList>
#include <QTimeZone>
#include <QVector>

#include <algorithm>

namespace ExportCalendar {

namespace {

struct Zone
{
    const char *name;
    const char *definition; // its VTIMEZONE's inner lines
};

// As Google writes them: the rule of today's offsets alone.
const Zone zones[] = {
    {"Europe/Berlin",
     "X-LIC-LOCATION:Europe/Berlin\r\n"
     "BEGIN:DAYLIGHT\r\nTZOFFSETFROM:+0100\r\nTZOFFSETTO:+0200\r\nTZNAME:CEST\r\n"
     "DTSTART:19700329T020000\r\nRRULE:FREQ=YEARLY;BYMONTH=3;BYDAY=-1SU\r\nEND:DAYLIGHT\r\n"
     "BEGIN:STANDARD\r\nTZOFFSETFROM:+0200\r\nTZOFFSETTO:+0100\r\nTZNAME:CET\r\n"
     "DTSTART:19701025T030000\r\nRRULE:FREQ=YEARLY;BYMONTH=10;BYDAY=-1SU\r\nEND:STANDARD\r\n"},
    {"America/New_York",
     "X-LIC-LOCATION:America/New_York\r\n"
     "BEGIN:DAYLIGHT\r\nTZOFFSETFROM:-0500\r\nTZOFFSETTO:-0400\r\nTZNAME:EDT\r\n"
     "DTSTART:19700308T020000\r\nRRULE:FREQ=YEARLY;BYMONTH=3;BYDAY=2SU\r\nEND:DAYLIGHT\r\n"
     "BEGIN:STANDARD\r\nTZOFFSETFROM:-0400\r\nTZOFFSETTO:-0500\r\nTZNAME:EST\r\n"
     "DTSTART:19701101T020000\r\nRRULE:FREQ=YEARLY;BYMONTH=11;BYDAY=1SU\r\nEND:STANDARD\r\n"},
    {"Europe/London",
     "X-LIC-LOCATION:Europe/London\r\n"
     "BEGIN:DAYLIGHT\r\nTZOFFSETFROM:+0000\r\nTZOFFSETTO:+0100\r\nTZNAME:BST\r\n"
     "DTSTART:19700329T010000\r\nRRULE:FREQ=YEARLY;BYMONTH=3;BYDAY=-1SU\r\nEND:DAYLIGHT\r\n"
     "BEGIN:STANDARD\r\nTZOFFSETFROM:+0100\r\nTZOFFSETTO:+0000\r\nTZNAME:GMT\r\n"
     "DTSTART:19701025T020000\r\nRRULE:FREQ=YEARLY;BYMONTH=10;BYDAY=-1SU\r\nEND:STANDARD\r\n"},
    {"Asia/Tokyo", "X-LIC-LOCATION:Asia/Tokyo\r\n"
                   "BEGIN:STANDARD\r\nTZOFFSETFROM:+0900\r\nTZOFFSETTO:+0900\r\nTZNAME:JST\r\n"
                   "DTSTART:19700101T000000\r\nEND:STANDARD\r\n"},
};

const char *const words[] = {"agenda",    "review", "quarterly", "budget",  "notes",  "team",    "roadmap",
                             "follow-up", "client", "design",    "release", "Zoom",   "dial-in", "minutes",
                             "Müller",    "draft",  "hiring",    "offsite", "sprint", "retro",   "customer"};
const char *const titles[] = {"Standup",   "1:1",         "Planning",         "Review",
                              "Lunch",     "Dentist",     "Call with client", "Sprint retro",
                              "Flight",    "Workshop",    "Board meeting",    "Gym",
                              "Interview", "Team dinner", "Report due"};
const char *const weekdays[] = {"MO", "TU", "WE", "TH", "FR", "SA", "SU"};

class Writer
{
public:
    Writer(const Shape &shape, const QDate &today)
        : m_random(shape.seed)
        , m_first(today.addYears(1 - shape.years))
        , m_days(int(m_first.daysTo(today.addYears(1))))
    {
    }

    QByteArray single();
    // The master and its overrides, each a component of its own.
    QVector<QByteArray> series(int overrides, Made &made);

private:
    QByteArray uid();
    int zone() { return m_random.bounded(10) < 7 ? 0 : 1 + int(m_random.bounded(3)); }
    QDateTime startIn(int zone);
    QByteArray stamp(const QDateTime &start);
    QByteArray common(const QByteArray &summary);
    QByteArray description();
    // A property folded at 75 octets, as exporters write it, never within a UTF-8 sequence.
    static QByteArray folded(const QByteArray &line);
    static QByteArray local(const QDateTime &time)
    {
        return time.toString(QStringLiteral("yyyyMMdd'T'HHmmss")).toLatin1();
    }
    static QByteArray utc(const QDateTime &time)
    {
        return time.toUTC().toString(QStringLiteral("yyyyMMdd'T'HHmmss'Z'")).toLatin1();
    }
    static QByteArray timed(const char *name, int zone, const QDateTime &time)
    {
        return QByteArray(name) + ";TZID=" + zones[zone].name + ':' + local(time) + "\r\n";
    }

    QRandomGenerator m_random;
    QDate m_first;
    int m_days;
    int m_uids = 0;
};

QByteArray Writer::uid()
{
    static const char hex[] = "0123456789abcdefghijklmnopqrstuv";
    QByteArray out;
    for (int i = 0; i < 26; ++i)
        out += hex[m_random.bounded(32)];
    return out + QByteArray::number(++m_uids) + "@google.com";
}

QDateTime Writer::startIn(int zone)
{
    const QDate day = m_first.addDays(m_random.bounded(m_days));
    const QTime time(7 + int(m_random.bounded(12)), 15 * int(m_random.bounded(4)));
    return QDateTime(day, time, QTimeZone(zones[zone].name));
}

QByteArray Writer::stamp(const QDateTime &start)
{
    const QDateTime created = start.addDays(-int(m_random.bounded(60)) - 1);
    return "DTSTAMP:20261208T101500Z\r\nCREATED:" + utc(created) +
           "\r\nLAST-MODIFIED:" + utc(created.addSecs(m_random.bounded(86400))) + "\r\n";
}

QByteArray Writer::folded(const QByteArray &line)
{
    QByteArray out;
    int at = 0;
    int width = 75;
    while (line.size() - at > width) {
        int cut = at + width;
        while (cut > at && (uchar(line.at(cut)) & 0xC0) == 0x80)
            --cut;
        out += line.mid(at, cut - at) + "\r\n ";
        at = cut;
        width = 74;
    }
    return out + line.mid(at) + "\r\n";
}

QByteArray Writer::description()
{
    const int kind = int(m_random.bounded(100));
    if (kind < 40)
        return {};
    const int length = kind < 75 ? 50 + int(m_random.bounded(150)) : 500 + int(m_random.bounded(2500));
    QByteArray text;
    while (text.size() < length) {
        text += words[m_random.bounded(int(sizeof words / sizeof *words))];
        const int mark = int(m_random.bounded(12));
        text += mark == 0 ? "\\n" : mark == 1 ? "\\, " : " ";
    }
    if (kind >= 90)
        text += "\\n\\nJoin: https://meet.google.com/abc-defg-hij";
    return folded("DESCRIPTION:" + text);
}

QByteArray Writer::common(const QByteArray &summary)
{
    QByteArray out;
    if (m_random.bounded(3) == 0) {
        out += "ORGANIZER;CN=Kim Organizer:mailto:kim@example.com\r\n";
        for (int i = 0, n = 1 + int(m_random.bounded(4)); i < n; ++i)
            out += folded("ATTENDEE;CUTYPE=INDIVIDUAL;ROLE=REQ-PARTICIPANT;PARTSTAT=ACCEPTED;CN=person" +
                          QByteArray::number(i) + "@example.com;X-NUM-GUESTS=0:mailto:person" +
                          QByteArray::number(i) + "@example.com");
    }
    out += description();
    if (m_random.bounded(4) == 0)
        out += "LOCATION:Room " + QByteArray::number(m_random.bounded(400)) + "\\, Main building\r\n";
    out += "SEQUENCE:" + QByteArray::number(m_random.bounded(3)) +
           "\r\nSTATUS:CONFIRMED\r\nSUMMARY:" + summary + "\r\nTRANSP:OPAQUE\r\n";
    if (m_random.bounded(10) < 3)
        out += "BEGIN:VALARM\r\nACTION:DISPLAY\r\nDESCRIPTION:This is an event reminder\r\n"
               "TRIGGER:-P0DT0H10M0S\r\nEND:VALARM\r\n";
    return out;
}

QByteArray Writer::single()
{
    const QByteArray summary = titles[m_random.bounded(int(sizeof titles / sizeof *titles))];
    const int kind = int(m_random.bounded(10));
    const int z = zone();
    const QDateTime start = startIn(z);
    QByteArray out = "BEGIN:VEVENT\r\n";
    if (kind == 0) {
        const QDate day = start.date();
        out += "DTSTART;VALUE=DATE:" + day.toString(QStringLiteral("yyyyMMdd")).toLatin1() +
               "\r\nDTEND;VALUE=DATE:" +
               day.addDays(1 + int(m_random.bounded(3))).toString(QStringLiteral("yyyyMMdd")).toLatin1() +
               "\r\n";
    } else {
        const QDateTime end = start.addSecs(1800 * (1 + int(m_random.bounded(4))));
        if (kind == 1)
            out += "DTSTART:" + utc(start) + "\r\nDTEND:" + utc(end) + "\r\n";
        else
            out += timed("DTSTART", z, start) + timed("DTEND", z, end);
    }
    return out + stamp(start) + "UID:" + uid() + "\r\n" + common(summary) + "END:VEVENT\r\n";
}

QVector<QByteArray> Writer::series(int overrides, Made &made)
{
    const bool weekly = m_random.bounded(4) != 0;
    const int z = zone();
    QDateTime start = startIn(z);
    if (!weekly && start.date().day() > 28)
        start = start.addDays(-3);
    // Most run for a quarter or two, as a project's meetings do.
    const int count = weekly ? 4 + int(m_random.bounded(26)) : 3 + int(m_random.bounded(15));
    auto occurrence = [&](int n) { return weekly ? start.addDays(7 * n) : start.addMonths(n); };
    const QDateTime end = start.addSecs(1800 * (1 + int(m_random.bounded(3))));
    const qint64 length = start.secsTo(end);
    const QByteArray id = uid();
    const QByteArray summary = QByteArray(weekly ? "Weekly " : "Monthly ") +
                               titles[m_random.bounded(int(sizeof titles / sizeof *titles))];

    QByteArray master = "BEGIN:VEVENT\r\n" + timed("DTSTART", z, start) + timed("DTEND", z, end);
    master += weekly ? "RRULE:FREQ=WEEKLY;BYDAY=" + QByteArray(weekdays[start.date().dayOfWeek() - 1])
                     : "RRULE:FREQ=MONTHLY;BYMONTHDAY=" + QByteArray::number(start.date().day());
    // A few go on to this day.
    if (m_random.bounded(100) != 0)
        master += ";UNTIL=" + utc(occurrence(count - 1).addSecs(3600));
    master += "\r\n";
    QVector<int> taken; // occurrences cancelled or moved: each at most once
    const int exdates = int(m_random.bounded(4));
    for (int i = 0; i < exdates && count > 2; ++i) {
        const int n = 1 + int(m_random.bounded(count - 1));
        if (taken.contains(n))
            continue;
        taken << n;
        master += timed("EXDATE", z, occurrence(n));
        ++made.exdates;
    }
    master += stamp(start) + "UID:" + id + "\r\n" + common(summary) + "END:VEVENT\r\n";
    QVector<QByteArray> out{master};
    for (int i = 0; i < overrides && taken.size() + 1 < count; ++i) {
        int n = 1 + int(m_random.bounded(count - 1));
        while (taken.contains(n))
            n = 1 + n % (count - 1);
        taken << n;
        const QDateTime original = occurrence(n);
        const QDateTime moved =
            original.addSecs(3600 * (int(m_random.bounded(5)) - 2) + 86400 * int(m_random.bounded(2)));
        out << "BEGIN:VEVENT\r\n" + timed("DTSTART", z, moved) + timed("DTEND", z, moved.addSecs(length)) +
                   stamp(original) + "UID:" + id + "\r\n" + timed("RECURRENCE-ID", z, original) +
                   common(summary + " (moved)") + "END:VEVENT\r\n";
        ++made.overrides;
    }
    return out;
}

QByteArray head()
{
    QByteArray out = "BEGIN:VCALENDAR\r\nPRODID:-//Google Inc//Google Calendar 70.9054//EN\r\nVERSION:2.0\r\n"
                     "CALSCALE:GREGORIAN\r\nMETHOD:PUBLISH\r\nX-WR-CALNAME:work@example.com\r\n"
                     "X-WR-TIMEZONE:Europe/Berlin\r\n";
    for (const Zone &zone : zones)
        out += QByteArray("BEGIN:VTIMEZONE\r\nTZID:") + zone.name + "\r\n" + zone.definition +
               "END:VTIMEZONE\r\n";
    return out;
}

} // namespace

Made generate(const QDate &today, const Shape &shape)
{
    Made made;
    Writer writer(shape, today);
    QRandomGenerator order(shape.seed + 1);
    // Seven in ten are single events; the rest are series, each with two moved occurrences on average.
    const int singles = shape.components * 7 / 10;
    QVector<QByteArray> components;
    components.reserve(shape.components);
    for (int i = 0; i < singles; ++i)
        components << writer.single();
    made.singles = singles;
    while (components.size() < shape.components) {
        const int room = shape.components - components.size() - 1;
        const QVector<QByteArray> series = writer.series(qMin(room, int(order.bounded(5))), made);
        components += series;
        ++made.series;
    }
    std::shuffle(components.begin(), components.end(), order);
    made.text = head();
    made.text.reserve(made.text.size() + components.size() * 900);
    for (const QByteArray &component : std::as_const(components))
        made.text += component;
    made.text += "END:VCALENDAR\r\n";
    return made;
}

} // namespace ExportCalendar
