#include "countdownnotifier.h"

#include "desktoplog.h"
#include "notifications.h"
#include "reminderstore.h"
#include "scheduledatainfo.h"

#include <QDebug>
#include <QLocale>

namespace {
const char *const appName = "nvx-calendar-desktop-widget";
}

CountdownNotifier::CountdownNotifier(const QString &statePath, const QDBusConnection &bus, QObject *parent)
    : QObject(parent)
    , ownStore(std::make_unique<ReminderStore>(statePath))
    , store(ownStore.get())
    , bus(bus)
{
}

CountdownNotifier::CountdownNotifier(ReminderStore *store, const QDBusConnection &bus, QObject *parent)
    : QObject(parent)
    , store(store)
    , bus(bus)
{
}

CountdownNotifier::~CountdownNotifier() = default;

bool CountdownNotifier::countdownEnded(const ScheduleDataInfo &task)
{
    const QDateTime begin = task.getBeginDateTime();
    if (store->countdownTold(task.getID(), task.getRecurID(), begin.toMSecsSinceEpoch()))
        return false;
    store->markCountdownTold(task.getID(), task.getRecurID(), begin.toMSecsSinceEpoch());
    store->save(QDateTime::currentMSecsSinceEpoch());

    const QString when = task.getAllDay() ? QLocale().toString(begin.date(), QLocale::ShortFormat)
                                          : QLocale().toString(begin.time(), QLocale::ShortFormat);
    Notifications::Notification ended;
    ended.appName = ended.icon = QString::fromLatin1(appName);
    ended.summary = task.getTitleName();
    ended.body = when;
    ended.hints.insert(QStringLiteral("desktop-entry"), ended.appName);
    // Most desktops have no notification service until the user installs one: its absence is no
    // fault of the widget's, and not worth a warning.
    if (!bus.isConnected()) {
        qCDebug(lcDesktop) << "No session bus: the end of the countdown of" << task.getID()
                           << "is not notified";
        return true;
    }
    Notifications::send(bus, Notifications::desktop(), ended, this, [](const QDBusMessage &reply) {
        if (reply.type() == QDBusMessage::ErrorMessage)
            qCDebug(lcDesktop) << "Countdown notification not shown:" << reply.errorName()
                               << reply.errorMessage();
    });
    return true;
}
