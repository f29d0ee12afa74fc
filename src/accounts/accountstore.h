#ifndef ACCOUNTS_ACCOUNTSTORE_H
#define ACCOUNTS_ACCOUNTSTORE_H

#include "caldavdiscovery.h"

#include <QStringList>
#include <QVector>

// An online account as the settings keep it.
struct Account
{
    QString id;      // names its vdirsyncer pair, its folder and its keyring entry; new for every add
    QString address; // as the user typed it
    QString user;
    QUrl principal; // where vdirsyncer starts its own discovery
    QVector<DavCalendar> calendars;
    QStringList enabled; // the collections synced and served
};

// The accounts' files: accounts.json, the data server's vdirsyncer.conf made from it, the synced
// folders and their lines in calendars.conf. Each change is whole or undone: a failure leaves the
// files as they were. The keyring is SecretStore's.
namespace AccountStore {

// The accounts; none for a missing file, false with the reason for one that cannot be read.
[[nodiscard]] bool load(QVector<Account> &accounts, QString *error);
// A fresh id: a re-added account never meets the old one's synced state.
[[nodiscard]] QString newId();
// The folder vdirsyncer keeps a collection of the account in.
[[nodiscard]] QString folderOf(const QString &account, const QString &collection);
// vdirsyncer's configuration for these accounts.
[[nodiscard]] QByteArray vdirsyncerConfig(const QVector<Account> &accounts);

[[nodiscard]] bool add(const Account &account, QString *error);
[[nodiscard]] bool setEnabled(const QString &account, const QString &collection, bool on, QString *error);
// Its pair, its folders, its lines in calendars.conf and what vdirsyncer remembered of it.
[[nodiscard]] bool remove(const QString &account, QString *error);

// The last sync of an account as the data server wrote it: empty when it succeeded or has not run,
// else what went wrong; `known` false when there was no sync yet.
[[nodiscard]] QString syncFailure(const QString &account, bool *known = nullptr);

} // namespace AccountStore

#endif
