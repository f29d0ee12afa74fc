#ifndef BENCH_EXPORTCALENDAR_H
#define BENCH_EXPORTCALENDAR_H

#include <QByteArray>
#include <QDate>

// A calendar in the shape of a Google Calendar export of years of a busy work calendar: mostly
// single events, weekly and monthly series with moved occurrences (RECURRENCE-ID) and cancelled
// ones (EXDATE), times in several zones each with its VTIMEZONE, attendees, reminders and long
// folded descriptions, the components in no particular order. The same text for the same
// arguments.
namespace ExportCalendar {

struct Shape
{
    int components = 100000; // VEVENTs, overrides included
    int years = 12;          // ending a year after `today`
    quint32 seed = 20261209;
};

struct Made
{
    QByteArray text;
    int singles = 0;
    int series = 0;
    int overrides = 0;
    int exdates = 0;
};

[[nodiscard]] Made generate(const QDate &today, const Shape &shape = {});

// The zone the calendar is kept in (X-WR-TIMEZONE); most of its times are written in it.
constexpr const char *homeZone = "Europe/Berlin";

} // namespace ExportCalendar

#endif
