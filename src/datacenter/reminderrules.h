#ifndef SCHEDULE_REMINDERRULES_H
#define SCHEDULE_REMINDERRULES_H

#include "notifications.h"
#include "reminderstore.h"
#include "scheduledatainfo.h"

#include <QDateTime>
#include <QSet>
#include <QVector>

// Which reminders are due, and when the next one falls, from the jobs, what was already shown or
// snoozed, and the time. No bus and no timer: the scheduler asks, and sends what it is told.
namespace ReminderRules {

struct Options
{
    bool enabled = true;
    // The calendars the desktop's own alarm service reminds of (Evolution's), reminded of twice.
    bool desktopCalendars = false;
    int snoozeMinutes = 10;
    bool sound = true;
    // The calendars hidden from the widget, by ID: not reminded of (see DataCenter::setHiddenCalendars).
    QSet<QString> hiddenCalendars;
    // Not a choice but what the desktop covers now: the calendars, by ID, whose reminders its own
    // alarm service gives (Evolution Data Server's, while Evolution's alarm notifier runs).
    QSet<QString> desktopReminded;
};

struct Plan
{
    QVector<ScheduleDataInfo> due; // in the order of the jobs given, each once
    QDateTime next;                // the next moment after now that will need a look; invalid: none
};

// When the job reminds: the task item's reminder time, at the reminder's time of day for an all-day
// job (whose begin is midnight). Invalid without a reminder.
[[nodiscard]] QDateTime momentOf(const ScheduleDataInfo &job);
[[nodiscard]] ReminderStore::Reminder reminderOf(const ScheduleDataInfo &job);

// Whether the desktop already reminds of the job, as `options` say it does now.
[[nodiscard]] bool desktopReminds(const ScheduleDataInfo &job, const Options &options);
// The name of the job's calendar; empty from a data server that does not say.
[[nodiscard]] QString calendarName(const ScheduleDataInfo &job);

// A reminder is due from its moment (or the end of its snooze) until its event ends, once.
[[nodiscard]] Plan plan(const QVector<ScheduleDataInfo> &jobs, const ReminderStore &store,
                        const Options &options, const QDateTime &now);

// "Begins at 10:00", "Began at 10:00, 5 minutes ago", with the calendar's name where several are served.
[[nodiscard]] QString body(const ScheduleDataInfo &job, const QDateTime &now, bool severalCalendars);
// The whole notification: the buttons and the sound are dropped later where the service has none.
[[nodiscard]] Notifications::Notification notificationOf(const ScheduleDataInfo &job, const QDateTime &now,
                                                         const Options &options, bool severalCalendars);

} // namespace ReminderRules

#endif
