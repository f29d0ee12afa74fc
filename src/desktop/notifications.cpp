#include "notifications.h"

#include <QDBusPendingCallWatcher>

namespace Notifications {

Service desktop()
{
    return {QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("/org/freedesktop/Notifications"),
            QStringLiteral("org.freedesktop.Notifications")};
}

void send(const QDBusConnection &bus, const Service &service, const Notification &notification,
          QObject *context, std::function<void(const QDBusMessage &reply)> answered)
{
    QDBusMessage call = QDBusMessage::createMethodCall(service.name, service.path, service.interface,
                                                       QStringLiteral("Notify"));
    call << notification.appName << uint(0) << notification.icon << notification.summary << notification.body
         << notification.actions << notification.hints << notification.timeoutMs;
    const QDBusPendingCall pending = bus.asyncCall(call);
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

} // namespace Notifications
