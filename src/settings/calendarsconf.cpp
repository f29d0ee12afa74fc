#include "calendarsconf.h"

#include "calendarcontract.h"
#include "calendarslist.h"
#include "savefile.h"
#include "servercommandline.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusReply>
#include <QDir>
#include <QFile>
#include <QFileInfo>

using CalendarsList::entryOf;

QString CalendarsConf::defaultPath()
{
    return CalendarsList::filePath();
}

CalendarsConf::CalendarsConf(const QString &path)
    : filePath(path)
{
}

bool CalendarsConf::load(QString *error)
{
    lines.clear();
    QByteArray text;
    if (!CalendarsList::read(filePath, text, *error))
        return false;
    lines = CalendarsList::linesOf(text);
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
    const QString entry = CalendarsList::isUrl(calendar) ? calendar.trimmed()
                                                         : CalendarsList::homeRelative(QDir::cleanPath(calendar));
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
    for (const QByteArray &line : std::as_const(lines))
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
    if (server.program != QLatin1String(DATASERVER_PROGRAM))
        return server;

    QFile commandLine(process + QStringLiteral("cmdline"));
    if (!commandLine.open(QIODevice::ReadOnly))
        return server;
    QStringList arguments;
    const QList<QByteArray> words = commandLine.readAll().split('\0');
    for (const QByteArray &word : words)
        arguments << QString::fromLocal8Bit(word);
    // The list ends in a NUL: the empty word after it is no argument, an empty one given is.
    if (!arguments.isEmpty())
        arguments.removeLast();
    server.followsConf = ServerCommandLine::followsConf(arguments);
    return server;
}
