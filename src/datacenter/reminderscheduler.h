#ifndef SCHEDULE_REMINDERSCHEDULER_H
#define SCHEDULE_REMINDERSCHEDULER_H

#include "reminderrules.h"

#include <QDBusConnection>
#include <QHash>
#include <QObject>

class DayClock;
class NotificationTracker;
class QDBusMessage;
class QDBusServiceWatcher;
class QTimer;

// Reminds of every job of the coming days that has a reminder, whatever view the panel shows. It
// fetches the days around today from the data server, follows its changes, the new day and the
// clock's jumps, and otherwise sleeps on one single-shot timer until the next reminder. What was
// shown or snoozed goes to the store at once, so that a restart neither repeats nor loses it.
class ReminderScheduler : public QObject
{
    Q_OBJECT
public:
    // `clock` and `store` outlive the scheduler; `bus` carries the notifications.
    ReminderScheduler(DayClock *clock, ReminderStore *store,
                      const QDBusConnection &bus = QDBusConnection::sessionBus(), QObject *parent = nullptr);

    void setOptions(const ReminderRules::Options &options);
    // Fetches the jobs, and from then on follows the data server and the clock.
    void start();
    // What the timer waits for; invalid while nothing does.
    [[nodiscard]] QDateTime nextReminder() const;

    // The days fetched, around today: a reminder up to a week ahead, an event still running from yesterday.
    static constexpr int daysBefore = 1;
    static constexpr int daysAhead = 7;
    // Evolution's alarm notifier, which reminds of Evolution Data Server's calendars itself, and
    // KDE's, which reminds of Akonadi's.
    static constexpr const char *desktopAlarmService = "org.gnome.Evolution-alarm-notify";
    static constexpr const char *kdeAlarmService = "org.kde.kalendarac";

Q_SIGNALS:
    // After each look at the jobs: an answer of the data server, the timer, the clock, an action.
    void reviewed();

private:
    void fetch();
    void onJobs(const QDBusMessage &reply);
    // Which calendars the desktop's alarm services cover: those of Evolution Data Server while
    // Evolution's runs, those of Akonadi while KDE's does.
    void fetchDesktopCalendars();
    void forgetVanished(const QVector<ScheduleDataInfo> &fresh);
    void review();
    void remind(const ScheduleDataInfo &job, const QDateTime &now, bool severalCalendars);
    void onAction(const QString &key, const QString &action);

    DayClock *clock;
    ReminderStore *store;
    NotificationTracker *tracker;
    QTimer *timer;
    ReminderRules::Options options;
    QDBusConnection bus;
    struct DesktopAlarms
    {
        const char *service;
        const char *calendarKind; // GetCalendars' "Kind" of the calendars it reminds of
        bool runs = false;
        bool known = false;
        QSet<QString> calendarIds;
    };
    DesktopAlarms desktopAlarms[2] = {{desktopAlarmService, "eds", false, false, {}},
                                      {kdeAlarmService, "akonadi", false, false, {}}};
    void watchDesktopAlarms(DesktopAlarms &alarms);
    // Nothing is reminded of until the jobs and what the desktop covers are known: a reminder the
    // desktop gives would come twice.
    bool jobsFetched = false;
    bool desktopCalendarsKnown = false;
    QVector<ScheduleDataInfo> jobs;
    // The reminders on screen, by the tracker's key.
    QHash<QString, ScheduleDataInfo> onScreen;
    QDate fetchedFrom;
    QDate fetchedTo;
    QDateTime armedFor;
    bool started = false;
    bool fetching = false;
    bool fetchAgain = false;
};

#endif
