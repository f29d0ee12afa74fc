#include "accountpaths.h"

#include "calendarcontract.h"

#include <QRegularExpression>
#include <QStandardPaths>

namespace AccountPaths {
namespace {

QString under(QStandardPaths::StandardLocation location, const QString &name)
{
    return QStandardPaths::writableLocation(location) + QStringLiteral("/" DATASERVER_PROGRAM "/") + name;
}

} // namespace

QString accountsFile()
{
    return under(QStandardPaths::GenericConfigLocation, QStringLiteral("accounts.json"));
}

QString vdirsyncerConfig()
{
    return under(QStandardPaths::GenericConfigLocation, QStringLiteral("vdirsyncer.conf"));
}

QString vdirsyncerStatusDir()
{
    return under(QStandardPaths::GenericDataLocation, QStringLiteral("vdirsyncer-status/"));
}

QString accountFolder(const QString &account)
{
    return under(QStandardPaths::GenericDataLocation, QStringLiteral("accounts/%1/").arg(account));
}

QString syncStatusFile()
{
    return under(QStandardPaths::GenericCacheLocation, QStringLiteral("sync-status.json"));
}

QStringList pairsOf(const QByteArray &config)
{
    static const QRegularExpression pair(QStringLiteral("^\\[pair ([A-Za-z0-9_]+)\\]\\s*$"),
                                         QRegularExpression::MultilineOption);
    QStringList pairs;
    auto match = pair.globalMatch(QString::fromUtf8(config));
    while (match.hasNext())
        pairs << match.next().captured(1);
    return pairs;
}

} // namespace AccountPaths
