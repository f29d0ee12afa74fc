#include "dbusnotify.h"

#include "desktoplog.h"
#include "notifications.h"

#include <QCoreApplication>
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
    Notifications::Notification started;
    started.appName = QStringLiteral("nvx-calendar-desktop-widget");
    started.icon = QStringLiteral("nvx-calendar");
    started.summary = QStringLiteral("Calendar Widget");
    started.body = QStringLiteral("show");
    started.timeoutMs = 3000;
    const QString name = QString::fromLatin1(DBusNotify::staticInterfaceName());
    const Notifications::Service service{name, QStringLiteral("/com/norvale/nvx/Notification"), name};
    // Start-up does not wait for the answer, which is only logged.
    Notifications::send(QDBusConnection::sessionBus(), service, started, QCoreApplication::instance(),
                        [](const QDBusMessage &reply) {
                            qCDebug(lcDesktop)
                                << int(reply.type()) << reply.errorName() << reply.errorMessage();
                        });
}
