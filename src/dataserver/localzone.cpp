#include "localzone.h"

#include "serverlog.h"

#include <QFileInfo>
#include <QTimeZone>
#include <QVariantMap>

#include <ctime>

namespace {

QString zoneDirectory()
{
    const QString directory = qEnvironmentVariable("TZDIR");
    return directory.isEmpty() ? QStringLiteral("/usr/share/zoneinfo") : directory;
}

} // namespace

LocalZone::LocalZone(const QDBusConnection &systemBus, QObject *parent)
    : QObject(parent)
{
    if (qEnvironmentVariableIsSet("TZ"))
        return; // the user's choice, read once already
    name(tzValue(QTimeZone::systemTimeZoneId()));
    QDBusConnection(systemBus).connect(
        QStringLiteral("org.freedesktop.timedate1"), QStringLiteral("/org/freedesktop/timedate1"),
        QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("PropertiesChanged"), this,
        SLOT(onPropertiesChanged(QString, QVariantMap, QStringList)));
}

QByteArray LocalZone::tzValue(const QByteArray &id)
{
    // Only a file of the zone database: a TZ the C library cannot find would mean UTC.
    if (id.isEmpty() || id.startsWith('/') || id.contains("..") ||
        !QFileInfo(zoneDirectory() + QLatin1Char('/') + QString::fromUtf8(id)).isFile())
        return {};
    return ':' + id;
}

void LocalZone::name(const QByteArray &value)
{
    if (value.isEmpty())
        qunsetenv("TZ");
    else
        qputenv("TZ", value);
    tzset();
}

void LocalZone::onPropertiesChanged(const QString &interface, const QVariantMap &properties,
                                    const QStringList &invalidated)
{
    if (interface != QLatin1String("org.freedesktop.timedate1"))
        return;
    const QString zone = properties.value(QStringLiteral("Timezone")).toString();
    if (zone.isEmpty() && !invalidated.contains(QStringLiteral("Timezone")))
        return;
    // Invalidated without its value, or a zone without a file: the C library checks the system's
    // file at each conversion again.
    const QByteArray value = zone.isEmpty() ? QByteArray() : tzValue(zone.toUtf8());
    name(value);
    qCInfo(lcDataServer).noquote() << (value.isEmpty()
                                           ? QStringLiteral("the local time zone is now the system's")
                                           : QStringLiteral("the local time zone is now %1").arg(zone));
    Q_EMIT changed();
}
