#include "reminderrules.h"

#include "taskrules.h"

#include <QCoreApplication>
#include <QLocale>
#include <QSet>

#include <algorithm>

namespace ReminderRules {

namespace {
const char *const appName = "nvx-calendar-desktop-widget";

QString whenText(const ScheduleDataInfo &job, const QDateTime &now)
{
    const QDateTime begin = job.getBeginDateTime();
    const QLocale locale;
    if (job.getAllDay())
        return locale.toString(begin.date(), QLocale::ShortFormat);
    if (begin.date() == now.date())
        return locale.toString(begin.time(), QLocale::ShortFormat);
    return locale.toString(begin, QLocale::ShortFormat);
}
} // namespace

QDateTime momentOf(const ScheduleDataInfo &job)
{
    if (job.getRemindData().getRemindNum() == -1)
        return {};
    QDateTime moment = TaskRules::remindTime(job);
    if (job.getAllDay())
        moment.setTime(job.getRemindData().getRemindTime());
    return moment;
}

ReminderStore::Reminder reminderOf(const ScheduleDataInfo &job)
{
    return {job.getID(), job.getRecurID(), job.getBeginDateTime().toMSecsSinceEpoch(),
            momentOf(job).toMSecsSinceEpoch()};
}

bool desktopReminds(const ScheduleDataInfo &job, const Options &options)
{
    return !job.getCalendarId().isEmpty() && options.desktopReminded.contains(job.getCalendarId());
}

QString calendarName(const ScheduleDataInfo &job)
{
    return job.getCalendarName();
}

Plan plan(const QVector<ScheduleDataInfo> &jobs, const ReminderStore &store, const Options &options,
          const QDateTime &now)
{
    Plan out;
    if (!options.enabled)
        return out;
    const auto later = [&out](const QDateTime &at) {
        if (!out.next.isValid() || at < out.next)
            out.next = at;
    };
    QSet<QString> seen; // a job of several days comes once for each of them
    for (const ScheduleDataInfo &job : jobs) {
        const QDateTime moment = momentOf(job);
        if (!moment.isValid() || (desktopReminds(job, options) && !options.desktopCalendars))
            continue;
        if (!options.hiddenCalendars.isEmpty() && options.hiddenCalendars.contains(job.getCalendarId()))
            continue;
        // A meeting the user will not go to, whether the panel shows it or not.
        if (TaskRules::isDeclined(job))
            continue;
        if (job.getEndDateTime() <= now)
            continue;
        const ReminderStore::Reminder reminder = reminderOf(job);
        const QString key =
            QStringLiteral("%1 %2 %3").arg(reminder.id).arg(reminder.recurId).arg(reminder.beginMs);
        if (seen.contains(key))
            continue;
        seen.insert(key);
        if (const qint64 until = store.snoozedUntil(reminder)) {
            if (until <= now.toMSecsSinceEpoch())
                out.due.append(job);
            else
                later(QDateTime::fromMSecsSinceEpoch(until));
        } else if (!store.shown(reminder)) {
            if (moment <= now)
                out.due.append(job);
            else
                later(moment);
        }
    }
    return out;
}

QString body(const ScheduleDataInfo &job, const QDateTime &now, bool severalCalendars)
{
    const QDateTime begin = job.getBeginDateTime();
    const QString when = whenText(job, now);
    // Bounded apart from the call below: lupdate's parser loses itself in a template argument there.
    const int lateMinutes = int(std::clamp<qint64>(begin.secsTo(now) / 60, 0, 1000000));
    QString text;
    if (job.getAllDay())
        text = QCoreApplication::translate("ReminderRules", "%1, all day").arg(when);
    else if (lateMinutes >= 1)
        text = QCoreApplication::translate("ReminderRules", "Began at %1, %n minute(s) ago", nullptr,
                                           lateMinutes)
                   .arg(when);
    else
        text = QCoreApplication::translate("ReminderRules", "Begins at %1").arg(when);
    const QString calendar = calendarName(job);
    if (severalCalendars && !calendar.isEmpty())
        text += QLatin1Char('\n') + calendar;
    return text;
}

Notifications::Notification notificationOf(const ScheduleDataInfo &job, const QDateTime &now,
                                           const Options &options, bool severalCalendars)
{
    Notifications::Notification n;
    n.appName = n.icon = QString::fromLatin1(appName);
    n.summary = job.getTitleName();
    n.body = body(job, now, severalCalendars);
    // "default" is a click on the notification itself, where the service offers that.
    const QString open = QCoreApplication::translate("ReminderRules", "Open");
    n.actions = QStringList{QStringLiteral("default"), open};
    // An online meeting's reminder is most often answered by joining it.
    if (!job.getDetails().conference.isEmpty())
        n.actions << QStringLiteral("join") << QCoreApplication::translate("ReminderRules", "Join");
    n.actions << QStringLiteral("open") << open << QStringLiteral("snooze")
              << QCoreApplication::translate("ReminderRules", "Snooze") << QStringLiteral("dismiss")
              << QCoreApplication::translate("ReminderRules", "Dismiss");
    n.hints.insert(QStringLiteral("desktop-entry"), n.appName);
    n.hints.insert(QStringLiteral("category"), QStringLiteral("x-reminder"));
    if (options.sound)
        n.hints.insert(QStringLiteral("sound-name"), QStringLiteral("alarm-clock-elapsed"));
    // A reminder stays until the user answers it; the service's default would let it slip by unseen.
    n.timeoutMs = 0;
    return n;
}

} // namespace ReminderRules
