#ifndef ACCOUNTS_SECRETSTORE_H
#define ACCOUNTS_SECRETSTORE_H

#include <QObject>
#include <QString>

// An account's password in the desktop's Secret Service (GNOME Keyring, KWallet's Secret Service,
// KeePassXC) through secret-tool, under the attributes vdirsyncer's password.fetch looks up with it.
// Never in a file: where no Secret Service runs, nothing is stored. secret-tool runs as a process of
// its own, so the widget loads none of libsecret's libraries, and a locked keyring waiting on the
// user's answer holds up nothing here.
class SecretStore : public QObject
{
    Q_OBJECT
public:
    enum class Result { Ok, NoService, NoProgram, Failed };
    Q_ENUM(Result)

    explicit SecretStore(QObject *parent = nullptr);

    void store(const QString &account, const QString &label, const QString &password);
    void remove(const QString &account);

    // secret-tool's arguments that print the password of `account`.
    [[nodiscard]] static QStringList lookupArguments(const QString &account);

Q_SIGNALS:
    // `detail`: secret-tool's or the bus's message, for the log.
    void stored(SecretStore::Result result, const QString &detail);
    void removed(SecretStore::Result result, const QString &detail);

private:
    enum class Action { Store, Clear };
    void run(Action action, const QStringList &arguments, const QByteArray &input);
    void launch(Action action, const QString &program, const QStringList &arguments, QByteArray input);
    void finish(Action action, Result result, const QString &detail);
};

#endif
