#include "notifications.h"

#include <QDBusPendingCallWatcher>

namespace Notifications {

Service desktop()
{
    return {QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("/org/freedesktop/Notifications"),
            QStringLiteral("org.freedesktop.Notifications")};
}

namespace {
void call(const QDBusConnection &bus, const QDBusMessage &message, QObject *context,
          const std::function<void(const QDBusMessage &reply)> &answered)
{
    const QDBusPendingCall pending = bus.asyncCall(message);
    if (!answered)
        return;
    if (!bus.isConnected()) {
        // The call has failed already, and no watcher would ever hear of it.
        QMetaObject::invokeMethod(
            context, [answered, reply = pending.reply()] { answered(reply); }, Qt::QueuedConnection);
        return;
    }
    auto *watcher = new QDBusPendingCallWatcher(pending, context);
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, context,
                     [answered](QDBusPendingCallWatcher *finished) {
                         answered(finished->reply());
                         finished->deleteLater();
                     });
}
} // namespace

void send(const QDBusConnection &bus, const Service &service, const Notification &notification,
          QObject *context, std::function<void(const QDBusMessage &reply)> answered)
{
    QDBusMessage message = QDBusMessage::createMethodCall(service.name, service.path, service.interface,
                                                          QStringLiteral("Notify"));
    message << notification.appName << uint(0) << notification.icon << notification.summary
            << notification.body << notification.actions << notification.hints << notification.timeoutMs;
    call(bus, message, context, answered);
}

void askCapabilities(const QDBusConnection &bus, const Service &service, QObject *context,
                     std::function<void(const QDBusMessage &reply)> answered)
{
    call(bus,
         QDBusMessage::createMethodCall(service.name, service.path, service.interface,
                                        QStringLiteral("GetCapabilities")),
         context, answered);
}

void close(const QDBusConnection &bus, const Service &service, uint id)
{
    QDBusMessage message = QDBusMessage::createMethodCall(service.name, service.path, service.interface,
                                                          QStringLiteral("CloseNotification"));
    message << id;
    bus.asyncCall(message);
}

} // namespace Notifications
