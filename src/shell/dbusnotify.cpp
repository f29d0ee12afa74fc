#include "dbusnotify.h"

#include <QDBusReply>
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
    const QDBusMessage reply = notify.Notify(arguments);
    qDebug() << int(reply.type()) << reply.errorName() << reply.errorMessage();
    if (reply.type() == QDBusMessage::ReplyMessage) {
        const QDBusReply<uint> id = reply;
        Q_UNUSED(id)
    }
}
