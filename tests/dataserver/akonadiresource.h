#ifndef TESTS_AKONADIRESOURCE_H
#define TESTS_AKONADIRESOURCE_H

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusInterface>
#include <QDBusReply>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>
#include <QStandardPaths>
#include <QThread>

// What the Akonadi test and benchmark do to the Akonadi they started: an iCalendar file resource
// added as System Settings adds one, through the agent manager and the resource's settings.
namespace AkonadiResource {

inline bool writeConfig(const QString &name, const QByteArray &text)
{
    const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    QDir().mkpath(QFileInfo(config + QLatin1Char('/') + name).absolutePath());
    QSaveFile file(config + QLatin1Char('/') + name);
    return file.open(QIODevice::WriteOnly) && file.write(text) == text.size() && file.commit();
}

// The ids of the resources Akonadi sets up at its first start (a personal calendar, an address
// book, birthdays, notes), as its folders of defaults name them.
inline QByteArray firstRunDefaults()
{
    static const QRegularExpression id(QStringLiteral("^Id=(.+)$"), QRegularExpression::MultilineOption);
    QByteArray done;
    const QStringList folders =
        QStandardPaths::locateAll(QStandardPaths::GenericDataLocation, QStringLiteral("akonadi/firstrun"),
                                  QStandardPaths::LocateDirectory);
    for (const QString &folder : folders) {
        for (const QFileInfo &entry : QDir(folder).entryInfoList(QDir::Files | QDir::Readable)) {
            QFile file(entry.filePath());
            if (!file.open(QIODevice::ReadOnly))
                continue;
            const QRegularExpressionMatch found = id.match(QString::fromUtf8(file.readAll()));
            if (found.hasMatch())
                done += found.captured(1).trimmed().toUtf8() + "=done\n";
        }
    }
    return done;
}

// An Akonadi of its own for a test: SQLite, so no database server to start, and none of the
// resources or agents it would start by itself. Those default resources sync at once, and on two
// busy cores their writes kept SQLite locked past its 5 s wait, which left the server's
// connection failing every later commit. So SQLite also waits a minute for its lock.
inline bool prepareHome()
{
    qputenv("AKONADI_DISABLE_AGENT_AUTOSTART", "true");
    // The driver is Akonadi's own where it has one (Debian 12), Qt's where not (Debian 13).
    return writeConfig(QStringLiteral("akonadi/akonadiserverrc"),
                       "[%General]\nDriver=QSQLITE3\n\n"
                       "[QSQLITE]\nOptions=QSQLITE_BUSY_TIMEOUT=60000\n\n"
                       "[QSQLITE3]\nOptions=QSQLITE_BUSY_TIMEOUT=60000\n") &&
           writeConfig(QStringLiteral("akonadi-firstrunrc"), "[ProcessedDefaults]\n" + firstRunDefaults());
}

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
