#include "desktopcalendars.h"

#include "calendarcontract.h"

#include <QSettings>
#include <QStandardPaths>

namespace DesktopCalendars {
namespace {
const QString key = QStringLiteral("Evolution/Enabled");
const QString akonadiKey = QStringLiteral("Akonadi/Enabled");

bool setValue(const QString &name, bool on, QString *error)
{
    QSettings settings(filePath(), QSettings::IniFormat);
    settings.setValue(name, on);
    settings.sync();
    if (settings.status() == QSettings::NoError)
        return true;
    if (error)
        *error = QStringLiteral("cannot write %1").arg(filePath());
    return false;
}
} // namespace

QString filePath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/" DATASERVER_PROGRAM "/server.conf");
}

bool enabled()
{
    return QSettings(filePath(), QSettings::IniFormat).value(key, true).toBool();
}

bool setEnabled(bool on, QString *error)
{
    return setValue(key, on, error);
}

AkonadiUse akonadi()
{
    const QVariant value = QSettings(filePath(), QSettings::IniFormat).value(akonadiKey);
    if (!value.isValid())
        return AkonadiUse::WhileRunning;
    return value.toBool() ? AkonadiUse::StartIt : AkonadiUse::Off;
}

bool setAkonadiEnabled(bool on, QString *error)
{
    return setValue(akonadiKey, on, error);
}

} // namespace DesktopCalendars
