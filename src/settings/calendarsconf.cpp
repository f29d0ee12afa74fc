#include "calendarsconf.h"

#include "cscheduledbus.h"
#include "savefile.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace {
QString entryOf(const QByteArray &line)
{
    const QString text = QString::fromUtf8(line).trimmed();
    return text.isEmpty() || text.startsWith(QLatin1Char('#')) ? QString() : text;
}
} // namespace

QString CalendarsConf::defaultPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/tasklist-dataserver/calendars.conf");
}

CalendarsConf::CalendarsConf(const QString &path)
    : filePath(path)
{
}

bool CalendarsConf::load(QString *error)
{
    lines.clear();
    QFile file(filePath);
    if (!file.exists())
        return true;
    if (!file.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("cannot read %1: %2").arg(filePath, file.errorString());
        return false;
    }
    lines = file.readAll().split('\n');
    if (!lines.isEmpty() && lines.constLast().isEmpty())
        lines.removeLast();
    return true;
}

QStringList CalendarsConf::calendars() const
{
    QStringList found;
    for (const QByteArray &line : lines) {
        const QString entry = entryOf(line);
        if (!entry.isEmpty())
            found << entry;
    }
    return found;
}

void CalendarsConf::add(const QString &calendar)
{
    QString entry = QDir::cleanPath(calendar);
    const QString home = QDir::homePath() + QLatin1Char('/');
    if (entry.startsWith(home))
        entry = QStringLiteral("~/") + entry.mid(home.size());
    if (!calendars().contains(entry))
        lines << entry.toUtf8();
}

void CalendarsConf::remove(const QString &calendar)
{
    for (int i = lines.size() - 1; i >= 0; --i) {
        if (entryOf(lines.at(i)) == calendar)
            lines.removeAt(i);
    }
}

bool CalendarsConf::save(QString *error)
{
    const QString directory = QFileInfo(filePath).absolutePath();
    if (!QDir().mkpath(directory)) {
        *error = QStringLiteral("cannot create %1").arg(directory);
        return false;
    }
    QByteArray text;
    for (const QByteArray &line : qAsConst(lines))
        text += line + '\n';
    return saveFileAtomically(filePath, text, error);
}

CalendarServer calendarServer()
{
    CalendarServer server;
    QDBusConnectionInterface *bus = QDBusConnection::sessionBus().interface();
    if (!bus)
        return server;
    const QString service = QStringLiteral(DBUS_SERVER_NAME);
    const QDBusReply<uint> pid = bus->servicePid(service);
    if (!pid.isValid())
        return server;
    const QString process = QStringLiteral("/proc/%1/").arg(pid.value());
    const QString program = QFileInfo(process + QStringLiteral("exe")).symLinkTarget();
    // The process of another user (a system-wide server) cannot be looked into; its name still can.
    server.program = program.isEmpty() ? service : QFileInfo(program).fileName();
    if (server.program != QLatin1String("tasklist-dataserver"))
        return server;

    QFile commandLine(process + QStringLiteral("cmdline"));
    if (!commandLine.open(QIODevice::ReadOnly))
        return server;
    QList<QByteArray> arguments = commandLine.readAll().split('\0');
    server.followsConf = true;
    for (int i = 1; i < arguments.size(); ++i) {
        const QByteArray &argument = arguments.at(i);
        if (argument == "--holiday-region")
            ++i;
        else if (!argument.isEmpty() && !argument.startsWith("--holiday-region="))
            server.followsConf = false;
    }
    return server;
}
