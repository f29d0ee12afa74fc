#include "desktopcalendars.h"

#include "calendarcontract.h"

#include <QSettings>
#include <QStandardPaths>

namespace DesktopCalendars {
namespace {
const QString key = QStringLiteral("Evolution/Enabled");
}

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
    QSettings settings(filePath(), QSettings::IniFormat);
    settings.setValue(key, on);
    settings.sync();
    if (settings.status() == QSettings::NoError)
        return true;
    if (error)
        *error = QStringLiteral("cannot write %1").arg(filePath());
    return false;
}

} // namespace DesktopCalendars
