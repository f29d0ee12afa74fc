#ifndef SCHEDULE_ACCOUNTPATHS_H
#define SCHEDULE_ACCOUNTPATHS_H

#include <QHash>
#include <QString>
#include <QStringList>

// Where the online (CalDAV) accounts live, as the widget's settings write them and the data server
// syncs them: the data server's own vdirsyncer configuration, one pair per account, never the
// user's ~/.config/vdirsyncer/config.
namespace AccountPaths {

// The keyring attributes of an account's password; vdirsyncer's password.fetch asks secret-tool
// for exactly these.
inline constexpr char keyringService[] = "tasklist-dataserver-caldav";

// $XDG_CONFIG_HOME/tasklist-dataserver/accounts.json: the accounts and their calendars.
QString accountsFile();
// $XDG_CONFIG_HOME/tasklist-dataserver/vdirsyncer.conf, made from accountsFile().
QString vdirsyncerConfig();
// $XDG_DATA_HOME/tasklist-dataserver/vdirsyncer-status/: vdirsyncer's memory of what it synced.
QString vdirsyncerStatusDir();
// $XDG_DATA_HOME/tasklist-dataserver/accounts/<account>/: one folder per calendar below it.
QString accountFolder(const QString &account);
// $XDG_CACHE_HOME/tasklist-dataserver/sync-status.json: the last sync of each account, as the data
// server writes it for the settings window.
QString syncStatusFile();

// The e-mail address each account goes by on its server (its user name, where that is one), by the
// account's folder (accountFolder()), as accountsFile() lists them.
[[nodiscard]] QHash<QString, QString> addressesByFolder();

// The pairs a vdirsyncer configuration names, in order.
[[nodiscard]] QStringList pairsOf(const QByteArray &config);

} // namespace AccountPaths

#endif
