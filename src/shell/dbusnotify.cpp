#include "dbusnotify.h"

#include <QCoreApplication>
#include <QDBusPendingCallWatcher>
#include <QDebug>

DBusNotify::DBusNotify(const QString &service, const QString &path, const QDBusConnection &connection,
                       QObject *parent)
    : QDBusAbstractInterface(service, path, staticInterfaceName(), connection, parent)
{
}

QDBusMessage DBusNotify::Notify(const QList<QVariant> &arguments)
{
    return callWithArgumentList(QDBus::Block, QStringLiteral("Notify"), arguments);
}

void notifyUser()
{
    // Each value wrapped in its own type, so that it goes over the wire as "susssasa{sv}i".
    QList<QVariant> arguments;
    arguments << QVariant(QStringLiteral("nvx-calendar-desktop-widget")) << QVariant(uint(0))
              << QVariant(QStringLiteral("nvx-calendar")) << QVariant(QStringLiteral("Calendar Widget"))
              << QVariant(QStringLiteral("show")) << QVariant(QStringList()) << QVariant(QVariantMap())
              << QVariant(int(3000));

    DBusNotify notify(QStringLiteral("com.norvale.nvx.Notification"),
                      QStringLiteral("/com/norvale/nvx/Notification"), QDBusConnection::sessionBus());
    // Start-up does not wait for the answer: a notification service that hangs would otherwise keep
    // the widget frozen for the bus's whole reply timeout.
    const auto logReply = [](const QDBusMessage &reply) {
        qDebug() << int(reply.type()) << reply.errorName() << reply.errorMessage();
    };
    const QDBusPendingCall call = notify.asyncCallWithArgumentList(QStringLiteral("Notify"), arguments);
    if (!notify.connection().isConnected()) {
        // Without a bus the call has failed already, and no watcher would ever hear of it.
        QMetaObject::invokeMethod(
            QCoreApplication::instance(), [logReply, reply = call.reply()] { logReply(reply); },
            Qt::QueuedConnection);
        return;
    }
    auto *watcher = new QDBusPendingCallWatcher(call, QCoreApplication::instance());
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, watcher,
                     [logReply](QDBusPendingCallWatcher *finished) {
                         logReply(finished->reply());
                         finished->deleteLater();
                     });
}
