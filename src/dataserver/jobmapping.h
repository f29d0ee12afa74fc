#ifndef DATASERVER_JOBMAPPING_H
#define DATASERVER_JOBMAPPING_H

#include "scheduledatainfo.h"

#include <KCalendarCore/Event>
#include <KCalendarCore/Todo>

#include <QDateTime>

// Translations from KCalendarCore events to the job records of the widget's data model
// (joblines.h writes a job's fields back as iCalendar lines).
namespace JobMapping {

// The custom property that keeps a job's type where iCalendar has none.
inline QLatin1String typeProperty()
{
    return QLatin1String("X-NORVALE-JOBTYPE");
}

// Marks on the event a to-do is served as, which its job tells as "Completed" and "NoDate".
inline QLatin1String completedProperty()
{
    return QLatin1String("X-NORVALE-COMPLETED");
}
inline QLatin1String noDateProperty()
{
    return QLatin1String("X-NORVALE-NODATE");
}

// The job type of an open to-do served as a job: one past the model's types of events.
constexpr int todoType = 5;

// A positive 31-bit number that depends on the text only (not on the process or the machine), so
// a job keeps its ID across restarts.
[[nodiscard]] int stableId(const QString &text);

// The end of an event from DTEND or DURATION; its start when it has neither, or a bad one.
[[nodiscard]] QDateTime endOf(const KCalendarCore::Event &event);

// Days (minutes for rules more frequent than daily) from the series start to an occurrence's
// original start, measured in the series' own time zone.
[[nodiscard]] int recurrenceNumber(const KCalendarCore::Event &master, const QDateTime &originalStart);
[[nodiscard]] QDateTime occurrenceStart(const KCalendarCore::Event &master, int recurrenceNumber);
// What an instant of the series' first occurrence (its start, or another time of it, as a to-do's
// DTSTART beside its DUE) is in occurrence `recurrenceNumber`, counted as recurrenceNumber() does.
[[nodiscard]] QDateTime occurrenceOf(const KCalendarCore::Event &master, const QDateTime &instant,
                                     int recurrenceNumber);

// The first display alarm as the model's reminder; -1 without one.
[[nodiscard]] RemindData remindOf(const KCalendarCore::Event &event);
// The recurrence in the model's subset; NoRepeat when the event's rule does not fit it.
[[nodiscard]] RepetitionRule ruleOf(const KCalendarCore::Event &event);
[[nodiscard]] QVector<QDateTime> ignoreOf(const KCalendarCore::Event &event);
[[nodiscard]] int typeOf(const KCalendarCore::Event &event);
// A to-do as an event on the day it is due, else the day it starts, with the to-do type; one
// without either on `today` while open, on the day it was completed once it is. Null for a
// cancelled one. An occurrence's override (one with a RECURRENCE-ID) needs its series' `master`:
// its RECURRENCE-ID names the master's DTSTART, the event's series starts where the master is due.
[[nodiscard]] KCalendarCore::Event::Ptr eventOf(const KCalendarCore::Todo &todo, const QDate &today,
                                                const KCalendarCore::Todo *master = nullptr);
// How far the event of a to-do begins after the start its recurrence counts from (DUE after
// DTSTART), in seconds.
[[nodiscard]] qint64 todoShift(const KCalendarCore::Todo &master);

} // namespace JobMapping

#endif
