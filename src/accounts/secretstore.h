#ifndef ACCOUNTS_SECRETSTORE_H
#define ACCOUNTS_SECRETSTORE_H

#include <QObject>
#include <QString>

// An account's password in the desktop's Secret Service (GNOME Keyring, KWallet's Secret Service,
// KeePassXC) through libsecret, under the attributes vdirsyncer's password.fetch looks up with
// secret-tool. Never in a file: where no Secret Service runs, nothing is stored. libsecret's calls
// wait on the bus, and a locked keyring on the user's answer, so each runs on a thread of its own.
class SecretStore : public QObject
{
    Q_OBJECT
public:
    enum class Result { Ok, NoService, Failed };
    Q_ENUM(Result)

    explicit SecretStore(QObject *parent = nullptr);

    void store(const QString &account, const QString &label, const QString &password);
    void remove(const QString &account);

    // secret-tool's arguments that print the password of `account`.
    [[nodiscard]] static QStringList lookupArguments(const QString &account);

Q_SIGNALS:
    // `detail`: libsecret's message, for the log.
    void stored(SecretStore::Result result, const QString &detail);
    void removed(SecretStore::Result result, const QString &detail);
};

#endif
