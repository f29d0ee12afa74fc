#include "configwatcher.h"

#include "calendarslist.h"
#include "desktopcalendars.h"
#include "myaddresses.h"
#include "serverlog.h"

#include <QFileInfo>

ConfigWatcher::ConfigWatcher(const QString &path, const QStringList &calendars, QObject *parent)
    : QObject(parent)
    , m_path(QFileInfo(path).absoluteFilePath())
    , m_calendars(calendars)
    , m_desktop(DesktopCalendars::enabled())
    , m_akonadi(DesktopCalendars::akonadi())
    , m_addresses(MyAddresses::configured())
{
    m_reload.setSingleShot(true);
    m_reload.setInterval(reloadDelayMs);
    connect(&m_reload, &QTimer::timeout, this, &ConfigWatcher::reread);
    connect(&m_watcher, &QFileSystemWatcher::fileChanged, &m_reload, qOverload<>(&QTimer::start));
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, &m_reload, qOverload<>(&QTimer::start));
    watch();
}

void ConfigWatcher::watch()
{
    // The directory tells of a file replaced by a rename, or created again after it was removed.
    const QString directory = QFileInfo(m_path).absolutePath();
    if (!m_watcher.directories().contains(directory) && QFileInfo(directory).isDir())
        m_watcher.addPath(directory);
    // A watch on a replaced file stays on the old inode.
    if (m_watcher.files().contains(m_path))
        m_watcher.removePath(m_path);
    if (QFileInfo(m_path).isFile())
        m_watcher.addPath(m_path);
}

void ConfigWatcher::reread()
{
    watch();
    if (const bool desktop = DesktopCalendars::enabled(); desktop != m_desktop) {
        m_desktop = desktop;
        Q_EMIT desktopCalendarsChanged(desktop);
    }
    if (const DesktopCalendars::AkonadiUse akonadi = DesktopCalendars::akonadi(); akonadi != m_akonadi) {
        m_akonadi = akonadi;
        Q_EMIT akonadiChanged(akonadi);
    }
    if (const QStringList addresses = MyAddresses::configured(); addresses != m_addresses) {
        m_addresses = addresses;
        Q_EMIT myAddressesChanged(addresses);
    }
    QByteArray text;
    QString error;
    bool exists = false;
    if (!CalendarsList::read(m_path, text, error, &exists)) {
        sayOnce(error + QStringLiteral("; the calendars it listed before are still served"));
        return;
    }
    if (!exists) {
        sayOnce(QStringLiteral("%1 was removed; the calendars it listed are still served").arg(m_path));
        return;
    }
    int line = 0;
    const QString fault = CalendarsList::fault(text, &line);
    if (!fault.isEmpty()) {
        sayOnce(QStringLiteral("%1:%2: %3; the calendars it listed before are still served")
                    .arg(m_path)
                    .arg(line)
                    .arg(fault));
        return;
    }
    m_said.forget(m_path);
    const QStringList calendars = CalendarsList::parse(text, QFileInfo(m_path).absolutePath());
    if (calendars == m_calendars)
        return;
    if (calendars.isEmpty())
        qCWarning(lcDataServer).noquote() << QStringLiteral("%1 names no calendar").arg(m_path);
    m_calendars = calendars;
    Q_EMIT calendarsChanged(calendars);
}

void ConfigWatcher::sayOnce(const QString &fault)
{
    if (m_said.firstTime(m_path, fault))
        qCWarning(lcDataServer).noquote() << fault;
}
