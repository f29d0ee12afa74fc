#ifndef ACCOUNTS_ACCOUNTSETUP_H
#define ACCOUNTS_ACCOUNTSETUP_H

#include "accountstore.h"
#include "caldavdiscovery.h"
#include "secretstore.h"

#include <QObject>

// Adding an account, step by step: its calendars found, its password in the keyring, its files
// written with every calendar on. A failure or a cancel at any step leaves nothing behind; each
// step tells what it does, and a failure which of them it is, in the user's words.
class AccountSetup : public QObject
{
    Q_OBJECT
public:
    explicit AccountSetup(QObject *parent = nullptr);

    void start(const QString &address, const QString &user, const QString &password);
    void cancel();
    bool isRunning() const { return m_step != Step::Idle; }

    // The words for a failure of discovery; `address` as the user typed it.
    [[nodiscard]] static QString describe(CaldavDiscovery::Failure failure, const QString &address);

Q_SIGNALS:
    void progress(const QString &text);
    void failed(const QString &text);
    void added(const Account &account);

private:
    enum class Step { Idle, Discovering, Storing };
    void onDiscovered(CaldavDiscovery::Failure failure);
    void onStored(SecretStore::Result result, const QString &detail);
    void finishFailed(const QString &text);

    CaldavDiscovery m_discovery;
    SecretStore m_secrets;
    Step m_step = Step::Idle;
    Account m_account;
    QString m_password;
    bool m_cancelled = false;
};

#endif
