#include "configwatcher.h"

#include "serverconfig.h"

#include <QDebug>
#include <QFile>
#include <QFileInfo>

ConfigWatcher::ConfigWatcher(const QString &path, const QStringList &calendars, QObject *parent)
    : QObject(parent)
    , m_path(QFileInfo(path).absoluteFilePath())
    , m_calendars(calendars)
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
    QFile file(m_path);
    if (!file.exists()) {
        sayOnce(QStringLiteral("%1 was removed; the calendars it listed are still served").arg(m_path));
        return;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        sayOnce(QStringLiteral("cannot read %1: %2; the calendars it listed before are still served")
                    .arg(m_path, file.errorString()));
        return;
    }
    const QByteArray text = file.readAll();
    int line = 0;
    const QString fault = ServerConfig::fault(text, &line);
    if (!fault.isEmpty()) {
        sayOnce(QStringLiteral("%1:%2: %3; the calendars it listed before are still served")
                    .arg(m_path)
                    .arg(line)
                    .arg(fault));
        return;
    }
    m_fault.clear();
    const QStringList calendars = ServerConfig::parse(text, QFileInfo(m_path).absolutePath());
    if (calendars == m_calendars)
        return;
    if (calendars.isEmpty())
        qWarning().noquote() << QStringLiteral("%1 names no calendar").arg(m_path);
    m_calendars = calendars;
    Q_EMIT calendarsChanged(calendars);
}

void ConfigWatcher::sayOnce(const QString &fault)
{
    if (fault == m_fault)
        return;
    m_fault = fault;
    qWarning().noquote() << fault;
}
