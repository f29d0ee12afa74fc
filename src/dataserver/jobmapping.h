#ifndef DATASERVER_JOBMAPPING_H
#define DATASERVER_JOBMAPPING_H

#include "icsdocument.h"
#include "scheduledatainfo.h"

#include <KCalendarCore/Event>
#include <KCalendarCore/Todo>

#include <QDateTime>
#include <QTimeZone>

// Translations between KCalendarCore events and the job records of the widget's data model, and
// the iCalendar lines written for a job's fields.
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

// How a date-time property is written: as a date, in UTC, floating, or in a named zone.
struct TimeStyle
{
    enum Kind { Date, Utc, Floating, Zone } kind = Utc;
    QString tzid;
    QTimeZone zone;

    static TimeStyle system();
    // The style of an existing property, so that an edit keeps the file's way of writing times.
    static TimeStyle of(const QDateTime &parsed, const IcsNode *line);
};

[[nodiscard]] IcsNode timeProperty(const QString &name, const QDateTime &value, const TimeStyle &style);
[[nodiscard]] IcsNode textProperty(const QString &name, const QString &text);
[[nodiscard]] QString durationText(qint64 seconds);
[[nodiscard]] QString utcStamp(const QDateTime &dateTime);
// RRULE and EXDATE lines of a job; empty when it does not recur.
[[nodiscard]] QVector<IcsNode> ruleLines(const RepetitionRule &rule, bool allDay);
[[nodiscard]] QVector<IcsNode> exceptionLines(const QVector<QDateTime> &ignore, bool allDay);
[[nodiscard]] QString triggerText(const RemindData &remind, bool allDay);
[[nodiscard]] IcsNode displayAlarm(const RemindData &remind, bool allDay, const QString &summary);
// A VTIMEZONE for the zone as KCalendarCore writes it; a null component when it cannot.
[[nodiscard]] IcsNode timezoneComponent(const QTimeZone &zone, const QString &tzid);

} // namespace JobMapping

#endif
