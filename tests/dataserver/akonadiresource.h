#ifndef TESTS_AKONADIRESOURCE_H
#define TESTS_AKONADIRESOURCE_H

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusInterface>
#include <QDBusReply>
#include <QDeadlineTimer>
#include <QThread>

// What the Akonadi test and benchmark do to the Akonadi they started: an iCalendar file resource
// added as System Settings adds one, through the agent manager and the resource's settings.
namespace AkonadiResource {

inline bool registered(const QString &service)
{
    const QDBusReply<bool> reply = QDBusConnection::sessionBus().interface()->isServiceRegistered(service);
    return reply.isValid() && reply.value();
}

// The resource's instance identifier ("akonadi_ical_resource_0"), once it is on the bus and reads
// `path` as the calendar `name`; empty where Akonadi refused or the resource did not come within
// `waitMs`.
inline QString addICalendar(const QString &path, const QString &name, bool readOnly, int waitMs)
{
    QDBusInterface agents(QStringLiteral("org.freedesktop.Akonadi.Control"), QStringLiteral("/AgentManager"),
                          QStringLiteral("org.freedesktop.Akonadi.AgentManager"));
    const QDBusReply<QString> created =
        agents.call(QStringLiteral("createAgentInstance"), QStringLiteral("akonadi_ical_resource"));
    if (!created.isValid())
        return {};
    const QString service = QStringLiteral("org.freedesktop.Akonadi.Resource.") + created.value();
    for (const QDeadlineTimer deadline(waitMs); !registered(service);) {
        if (deadline.hasExpired())
            return {};
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        QThread::msleep(20);
    }
    QDBusInterface settings(service, QStringLiteral("/Settings"),
                            QStringLiteral("org.kde.Akonadi.ICal.Settings"));
    QDBusInterface control(service, QStringLiteral("/"),
                           QStringLiteral("org.freedesktop.Akonadi.Agent.Control"));
    const auto ok = [](const QDBusMessage &reply) { return reply.type() == QDBusMessage::ReplyMessage; };
    const bool set = ok(settings.call(QStringLiteral("setPath"), path)) &&
                     ok(settings.call(QStringLiteral("setDisplayName"), name)) &&
                     (!readOnly || ok(settings.call(QStringLiteral("setReadOnly"), true))) &&
                     ok(settings.call(QStringLiteral("save"))) &&
                     ok(control.call(QStringLiteral("reconfigure")));
    return set ? created.value() : QString();
}

} // namespace AkonadiResource

#endif
