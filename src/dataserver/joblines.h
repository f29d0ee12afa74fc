#ifndef DATASERVER_JOBLINES_H
#define DATASERVER_JOBLINES_H

#include "icsdocument.h"
#include "scheduledatainfo.h"

#include <QDateTime>
#include <QTimeZone>

// The iCalendar lines written for a job's fields, in the file's own way of writing times where it
// has one: the other way from jobmapping.h.
namespace JobMapping {

// How a date-time property is written: as a date, in UTC, floating, or in a named zone.
struct TimeStyle
{
    enum Kind { Date, Utc, Floating, Zone } kind = Utc;
    QString tzid;
    QTimeZone zone;

    // The local zone's; UTC where that zone is UTC by another name.
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
// A VTIMEZONE for the zone as KCalendarCore writes it, with a part for its offset where KCalendarCore
// writes none; a null component when it cannot.
[[nodiscard]] IcsNode timezoneComponent(const QTimeZone &zone, const QString &tzid);

} // namespace JobMapping

#endif
