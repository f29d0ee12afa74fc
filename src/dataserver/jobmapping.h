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

// The first display alarm as the model's reminder; -1 without one.
[[nodiscard]] RemindData remindOf(const KCalendarCore::Event &event);
// The recurrence in the model's subset; NoRepeat when the event's rule does not fit it.
[[nodiscard]] RepetitionRule ruleOf(const KCalendarCore::Event &event);
[[nodiscard]] QVector<QDateTime> ignoreOf(const KCalendarCore::Event &event);
[[nodiscard]] int typeOf(const KCalendarCore::Event &event);
// An open to-do with a due or start date as an event on that date, with the to-do type; null for
// any other to-do.
[[nodiscard]] KCalendarCore::Event::Ptr eventOf(const KCalendarCore::Todo &todo);

} // namespace JobMapping

#endif
