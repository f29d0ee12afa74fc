#include "notificationtracker.h"

#include "desktoplog.h"

#include <QDBusServiceWatcher>
#include <QDebug>

#include <utility>

NotificationTracker::NotificationTracker(const QDBusConnection &bus, const Notifications::Service &service,
                                         QObject *parent)
    : QObject(parent)
    , bus(bus)
    , service(service)
    , watcher(new QDBusServiceWatcher(service.name, bus, QDBusServiceWatcher::WatchForOwnerChange, this))
{
    // Another notification service may offer other things: asked again at the next notification.
    connect(watcher, &QDBusServiceWatcher::serviceOwnerChanged, this, [this] {
        capabilitiesKnown = false;
        keyOfId.clear();
    });
    this->bus.connect(service.name, service.path, service.interface, QStringLiteral("ActionInvoked"), this,
                      SLOT(onActionInvoked(uint, QString)));
    this->bus.connect(service.name, service.path, service.interface, QStringLiteral("NotificationClosed"),
                      this, SLOT(onNotificationClosed(uint, uint)));
}

void NotificationTracker::show(const QString &key, const Notifications::Notification &notification)
{
    if (capabilitiesKnown) {
        send(key, notification);
        return;
    }
    pending.append({key, notification});
    askCapabilities();
}

void NotificationTracker::askCapabilities()
{
    if (asking)
        return;
    asking = true;
    Notifications::askCapabilities(bus, service, this, [this](const QDBusMessage &reply) {
        asking = false;
        const QVector<Pending> waiting = std::exchange(pending, {});
        if (reply.type() != QDBusMessage::ReplyMessage) {
            // Most desktops without a notification service lack it by choice: one line, no more.
            if (!std::exchange(absenceLogged, true))
                qCInfo(lcDesktop).noquote()
                    << QStringLiteral("No desktop notification service (%1): reminders are not shown")
                           .arg(reply.errorName());
            return;
        }
        absenceLogged = false;
        capabilitiesKnown = true;
        capabilities = reply.arguments().value(0).toStringList();
        for (const Pending &p : waiting)
            send(p.key, p.notification);
    });
}

void NotificationTracker::send(const QString &key, Notifications::Notification notification)
{
    if (!capabilities.contains(QStringLiteral("actions")))
        notification.actions.clear();
    if (!capabilities.contains(QStringLiteral("sound")))
        notification.hints.remove(QStringLiteral("sound-name"));
    awaitingId.insert(key, false);
    Notifications::send(bus, service, notification, this, [this, key](const QDBusMessage &reply) {
        const bool closeAtOnce = awaitingId.take(key);
        const QVariant id = reply.arguments().value(0);
        if (reply.type() != QDBusMessage::ReplyMessage || id.userType() != QMetaType::UInt) {
            qCDebug(lcDesktop) << "Reminder not shown:" << reply.errorName() << reply.errorMessage();
            return;
        }
        if (closeAtOnce)
            Notifications::close(bus, service, id.toUInt());
        else
            keyOfId.insert(id.toUInt(), key);
    });
}

void NotificationTracker::close(const QString &key)
{
    if (awaitingId.contains(key)) {
        awaitingId[key] = true;
        return;
    }
    const uint id = keyOfId.key(key, 0);
    if (id == 0)
        return;
    keyOfId.remove(id);
    Notifications::close(bus, service, id);
}

QStringList NotificationTracker::shownKeys() const
{
    return keyOfId.values();
}

void NotificationTracker::onActionInvoked(uint id, const QString &action)
{
    const auto it = keyOfId.constFind(id);
    if (it != keyOfId.constEnd())
        Q_EMIT actionInvoked(*it, action);
}

void NotificationTracker::onNotificationClosed(uint id, uint reason)
{
    Q_UNUSED(reason)
    const QString key = keyOfId.take(id);
    if (!key.isEmpty())
        Q_EMIT closed(key);
}
