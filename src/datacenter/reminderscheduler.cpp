#include "reminderscheduler.h"

#include "cscheduledbus.h"
#include "datacenter.h"
#include "datacenterlog.h"
#include "dayclock.h"
#include "notificationtracker.h"

#include "urlopener.h"

#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusServiceWatcher>
#include <QSet>
#include <QTimer>

#include <algorithm>
#include <limits>
#include <utility>

namespace {
// A timer may wake a little early by the wall clock; waking just after the moment finds it due.
constexpr qint64 wakeMarginMs = 100;

QString keyOf(const ReminderStore::Reminder &r)
{
    return QStringLiteral("%1 %2 %3 %4").arg(r.id).arg(r.recurId).arg(r.beginMs).arg(r.momentMs);
}
} // namespace

ReminderScheduler::ReminderScheduler(DayClock *clock, ReminderStore *store, const QDBusConnection &bus,
                                     QObject *parent)
    : QObject(parent)
    , clock(clock)
    , store(store)
    , tracker(new NotificationTracker(bus, Notifications::desktop(), this))
    , timer(new QTimer(this))
    , bus(bus)
{
    timer->setSingleShot(true);
    timer->setTimerType(Qt::PreciseTimer);
    connect(timer, &QTimer::timeout, this, &ReminderScheduler::review);
    connect(tracker, &NotificationTracker::actionInvoked, this, &ReminderScheduler::onAction);
    connect(tracker, &NotificationTracker::closed, this,
            [this](const QString &key) { onScreen.remove(key); });
}

void ReminderScheduler::setOptions(const ReminderRules::Options &changed)
{
    const bool switchedOn = changed.enabled && !options.enabled;
    options = changed;
    if (!started)
        return;
    if (switchedOn)
        fetch();
    review();
}

void ReminderScheduler::start()
{
    if (std::exchange(started, true))
        return;
    connect(CScheduleDBus::getInstance(), &CScheduleDBus::jobsUpdate, this, &ReminderScheduler::fetch);
    connect(clock, &DayClock::dayChanged, this, &ReminderScheduler::fetch);
    connect(clock, &DayClock::clockChanged, this, &ReminderScheduler::review);
    for (DesktopAlarms &alarms : desktopAlarms)
        watchDesktopAlarms(alarms);
    fetch();
}

void ReminderScheduler::watchDesktopAlarms(DesktopAlarms &alarms)
{
    auto *owners = new QDBusServiceWatcher(QLatin1String(alarms.service), bus,
                                           QDBusServiceWatcher::WatchForOwnerChange, this);
    connect(owners, &QDBusServiceWatcher::serviceOwnerChanged, this,
            [this, &alarms](const QString &, const QString &, const QString &owner) {
                alarms.runs = !owner.isEmpty();
                review();
            });
    const QDBusMessage ask =
        QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.DBus"),
                                       QStringLiteral("/org/freedesktop/DBus"),
                                       QStringLiteral("org.freedesktop.DBus"), QStringLiteral("NameHasOwner"))
        << QLatin1String(alarms.service);
    auto *watcher = new QDBusPendingCallWatcher(bus.asyncCall(ask), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, &alarms](QDBusPendingCallWatcher *w) {
        w->deleteLater();
        const QDBusPendingReply<bool> owned = *w;
        alarms.runs = owned.isValid() && owned.value();
        alarms.known = true;
        review();
    });
}

void ReminderScheduler::fetchDesktopCalendars()
{
    auto *watcher = new QDBusPendingCallWatcher(
        CScheduleDBus::getInstance()->asyncCall(QStringLiteral("GetCalendars")), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher *w) {
        w->deleteLater();
        const QDBusPendingReply<QString> text = *w;
        QVector<CalendarIdentity> calendars;
        QString why;
        // A server older than the list has no desktop's calendars either.
        const bool listed = text.isValid() && CalendarIdentity::readList(text.value(), calendars, why);
        bool changed = !std::exchange(desktopCalendarsKnown, true);
        for (DesktopAlarms &alarms : desktopAlarms) {
            QSet<QString> ids;
            for (const CalendarIdentity &calendar : std::as_const(calendars)) {
                if (listed && calendar.kind == QLatin1String(alarms.calendarKind))
                    ids.insert(calendar.id);
            }
            changed |= std::exchange(alarms.calendarIds, ids) != ids;
        }
        if (changed)
            review();
    });
}

QDateTime ReminderScheduler::nextReminder() const
{
    return armedFor;
}

void ReminderScheduler::fetch()
{
    if (!options.enabled)
        return;
    if (fetching) {
        fetchAgain = true;
        return;
    }
    fetching = true;
    const QDate today = clock->today();
    fetchedFrom = today.addDays(-daysBefore);
    fetchedTo = today.addDays(daysAhead);
    fetchDesktopCalendars();
    const QDBusPendingCall call = CScheduleDBus::getInstance()->GetJobsAsync(fetchedFrom, fetchedTo);
    if (call.isFinished()) {
        // Without a bus the call fails before it is sent, and a watcher would never hear of it.
        QTimer::singleShot(0, this, [this, reply = call.reply()] { onJobs(reply); });
        return;
    }
    auto *watcher = new QDBusPendingCallWatcher(call, this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher *w) {
        w->deleteLater();
        onJobs(w->reply());
    });
}

void ReminderScheduler::onJobs(const QDBusMessage &reply)
{
    fetching = false;
    if (std::exchange(fetchAgain, false)) {
        fetch();
        return;
    }
    jobsFetched = true;
    QMap<QDate, QVector<ScheduleDataInfo>> days;
    // A failed fetch (the client has said why) keeps the jobs known, and their reminders.
    if (CScheduleDBus::getInstance()->readJobsReply(reply, days)) {
        QVector<ScheduleDataInfo> fresh;
        for (const QVector<ScheduleDataInfo> &day : std::as_const(days))
            fresh += day;
        forgetVanished(fresh);
        jobs = fresh;
    }
    review();
}

// A reminder of an event that was deleted or moved, or whose reminder changed, is no longer true:
// it leaves the screen, and its snooze goes. Only within the days fetched, which are all that is known.
void ReminderScheduler::forgetVanished(const QVector<ScheduleDataInfo> &fresh)
{
    QSet<QString> current;
    for (const ScheduleDataInfo &job : fresh)
        current.insert(keyOf(ReminderRules::reminderOf(job)));
    const qint64 fromMs = fetchedFrom.startOfDay().toMSecsSinceEpoch();
    for (auto it = onScreen.begin(); it != onScreen.end();) {
        if (!current.contains(it.key()) && it->getBeginDateTime().toMSecsSinceEpoch() >= fromMs) {
            tracker->close(it.key());
            it = onScreen.erase(it);
        } else {
            ++it;
        }
    }
    bool changed = false;
    for (const ReminderStore::Snooze &snooze : store->snoozes()) {
        if (!current.contains(keyOf(snooze.reminder)) && snooze.reminder.beginMs >= fromMs) {
            store->dropSnooze(snooze.reminder);
            changed = true;
        }
    }
    if (changed)
        store->save(clock->now().toMSecsSinceEpoch());
}

void ReminderScheduler::review()
{
    const bool alarmsKnown = std::all_of(std::begin(desktopAlarms), std::end(desktopAlarms),
                                         [](const DesktopAlarms &alarms) { return alarms.known; });
    if (options.enabled && (!jobsFetched || !alarmsKnown || !desktopCalendarsKnown))
        return;
    const QDateTime now = clock->now();
    ReminderRules::Options current = options;
    for (const DesktopAlarms &alarms : desktopAlarms) {
        if (alarms.runs)
            current.desktopReminded += alarms.calendarIds;
    }
    const ReminderRules::Plan plan = ReminderRules::plan(jobs, *store, current, now);
    if (!plan.due.isEmpty()) {
        QSet<QString> calendars;
        for (const ScheduleDataInfo &job : std::as_const(jobs))
            calendars.insert(job.getCalendarId());
        for (const ScheduleDataInfo &job : plan.due)
            remind(job, now, calendars.size() > 1);
        store->save(now.toMSecsSinceEpoch());
    }
    armedFor = plan.next;
    if (!plan.next.isValid()) {
        timer->stop();
    } else {
        const qint64 wait = now.msecsTo(plan.next) + wakeMarginMs;
        timer->start(int(std::clamp<qint64>(wait, 0, std::numeric_limits<int>::max())));
    }
    Q_EMIT reviewed();
}

void ReminderScheduler::remind(const ScheduleDataInfo &job, const QDateTime &now, bool severalCalendars)
{
    const ReminderStore::Reminder reminder = ReminderRules::reminderOf(job);
    store->dropSnooze(reminder);
    store->markShown(reminder, job.getEndDateTime().toMSecsSinceEpoch());
    const QString key = keyOf(reminder);
    // A snoozed reminder still on screen (a service that keeps it) is replaced, not doubled.
    tracker->close(key);
    onScreen.insert(key, job);
    tracker->show(key, ReminderRules::notificationOf(job, now, options, severalCalendars));
}

void ReminderScheduler::onAction(const QString &key, const QString &action)
{
    const auto it = onScreen.constFind(key);
    if (it == onScreen.constEnd())
        return;
    const ScheduleDataInfo job = *it;
    if (action == QLatin1String("open") || action == QLatin1String("default")) {
        DataCenter::instance()->OpenSchedule(ScheduleDataInfo::ScheduleToJsonStr(job));
    } else if (action == QLatin1String("join")) {
        UrlOpener::open(job.getDetails().conference);
    } else if (action == QLatin1String("snooze")) {
        const QDateTime now = clock->now();
        store->snooze(ReminderRules::reminderOf(job), job.getEndDateTime().toMSecsSinceEpoch(),
                      now.addSecs(60 * qint64(options.snoozeMinutes)).toMSecsSinceEpoch());
        store->save(now.toMSecsSinceEpoch());
    } else if (action != QLatin1String("dismiss")) {
        return;
    }
    // Most services close a notification once an action is chosen; not all do.
    tracker->close(key);
    onScreen.remove(key);
    review();
}
