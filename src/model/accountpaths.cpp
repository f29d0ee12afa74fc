#include "accountpaths.h"

#include "calendarcontract.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
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

QHash<QString, QString> addressesByFolder()
{
    QHash<QString, QString> out;
    QFile file(accountsFile());
    if (!file.open(QIODevice::ReadOnly))
        return out;
    const QJsonArray accounts = QJsonDocument::fromJson(file.readAll()).array();
    for (const QJsonValue &value : accounts) {
        const QJsonObject account = value.toObject();
        const QString user = account.value(QLatin1String("user")).toString().trimmed();
        const QString id = account.value(QLatin1String("id")).toString();
        if (user.contains(QLatin1Char('@')) && !id.isEmpty())
            out.insert(accountFolder(id), user.toLower());
    }
    return out;
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
