#include "myaddresses.h"

#include "desktopcalendars.h"

#include <QRegularExpression>
#include <QSettings>

namespace MyAddresses {
namespace {
const QString key = QStringLiteral("Identity/Addresses");
}

QStringList configured()
{
    const QVariant value = QSettings(DesktopCalendars::filePath(), QSettings::IniFormat).value(key);
    // QSettings gives a one-address list as a plain text.
    return parse(value.toStringList().join(QLatin1Char(',')));
}

bool setConfigured(const QStringList &addresses, QString *error)
{
    QSettings settings(DesktopCalendars::filePath(), QSettings::IniFormat);
    if (addresses.isEmpty())
        settings.remove(key);
    else
        settings.setValue(key, addresses);
    settings.sync();
    if (settings.status() == QSettings::NoError)
        return true;
    if (error)
        *error = QStringLiteral("cannot write %1").arg(DesktopCalendars::filePath());
    return false;
}

QString normalized(const QString &address)
{
    QString text = address.trimmed();
    if (text.startsWith(QLatin1Char('<')) && text.endsWith(QLatin1Char('>')))
        text = text.mid(1, text.size() - 2).trimmed();
    if (text.startsWith(QLatin1String("mailto:"), Qt::CaseInsensitive))
        text = text.mid(7);
    return text.toLower();
}

QStringList parse(const QString &text)
{
    static const QRegularExpression separators(QStringLiteral("[,;\\s]+"));
    QStringList out;
    const QStringList parts = text.split(separators, Qt::SkipEmptyParts);
    for (const QString &part : parts) {
        const QString address = normalized(part);
        if (address.contains(QLatin1Char('@')) && !out.contains(address))
            out << address;
    }
    return out;
}

} // namespace MyAddresses
