#ifndef SCHEDULE_EVENTDRAFT_H
#define SCHEDULE_EVENTDRAFT_H

#include "scheduledatainfo.h"

#include <QDateTime>
#include <QVector>

// An event as the editor holds it, and the job it becomes. No widgets and no bus: the editor shows
// and sends it, the data server stores it.
struct EventDraft
{
    enum class Problem { None, NoTitle, EndsBeforeStart, UntilBeforeStart };

    QString title;
    QString description;
    bool allDay = false;
    QDateTime begin;
    QDateTime end;     // an all-day event's last day; its time is ignored
    RemindData remind; // remindNum -1: none; minutes before a timed event, days before an all-day one
    RepetitionRule rule;
    QString calendarId;

    // A new event on `day`: at the next full hour after `now`, or in the day's last hour if that
    // is past it; one hour long.
    [[nodiscard]] static EventDraft newOn(const QDate &day, const QDateTime &now);
    // The editor's form of an existing job's occurrence.
    [[nodiscard]] static EventDraft fromJob(const ScheduleDataInfo &job);
    // The reminders the editor offers: minutes before a timed event, days before an all-day one.
    [[nodiscard]] static QVector<int> remindChoices(bool allDay);

    [[nodiscard]] Problem problem() const;
    // `base` changed as the draft says: its id, occurrence, skipped dates and type stay.
    [[nodiscard]] ScheduleDataInfo toJob(const ScheduleDataInfo &base = ScheduleDataInfo()) const;
};

#endif
