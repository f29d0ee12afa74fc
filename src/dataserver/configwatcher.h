#ifndef DATASERVER_CONFIGWATCHER_H
#define DATASERVER_CONFIGWATCHER_H

#include "calendarstore.h"
#include "desktopcalendars.h"
#include "warnonce.h"

#include <QFileSystemWatcher>
#include <QObject>
#include <QStringList>
#include <QTimer>

// Follows the configuration file of a running server, so that calendars added or removed there are
// served without a restart. A file that goes missing or cannot be used leaves the last good list.
class ConfigWatcher : public QObject
{
    Q_OBJECT
public:
    // `calendars`: the list the server serves, as read from `path` at start-up.
    ConfigWatcher(const QString &path, const QStringList &calendars, QObject *parent = nullptr);

    // Editors and QSaveFile replace the file in several steps.
    static constexpr int reloadDelayMs = CalendarStore::reloadDelayMs;

Q_SIGNALS:
    void calendarsChanged(const QStringList &calendars);
    // The settings switched the desktop's calendars on or off (desktopcalendars.h), in the same
    // directory.
    void desktopCalendarsChanged(bool on);
    // The same for Akonadi's calendars.
    void akonadiChanged(DesktopCalendars::AkonadiUse use);
    // The settings changed the user's own addresses (myaddresses.h), in the same file.
    void myAddressesChanged(const QStringList &addresses);

private:
    void watch();
    void reread();
    // A fault that stays would otherwise be told at every change in the directory.
    void sayOnce(const QString &fault);

    QString m_path;
    QStringList m_calendars;
    bool m_desktop = true;
    DesktopCalendars::AkonadiUse m_akonadi = DesktopCalendars::AkonadiUse::WhileRunning;
    QStringList m_addresses;
    QFileSystemWatcher m_watcher;
    QTimer m_reload;
    WarnOnce m_said;
};

#endif
