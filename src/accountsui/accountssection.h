#ifndef ACCOUNTSUI_ACCOUNTSSECTION_H
#define ACCOUNTSUI_ACCOUNTSSECTION_H

#include <QFileSystemWatcher>
#include <QWidget>

class AccountSetup;
class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;
class SecretStore;

// The settings window's online (CalDAV) accounts: server address, user name and password with a
// button that adds the account, what adding does and why it failed, the accounts with their
// calendars to switch on and off, each account's last sync failure, and removal.
class AccountsSection : public QWidget
{
    Q_OBJECT
public:
    explicit AccountsSection(QWidget *parent = nullptr);

    // What the status line says now: progress, a failure or the last result.
    QString statusText() const;
    bool isAdding() const;

private:
    void onAddClicked();
    void onAdded(const QString &id, int calendars);
    void onFailed(const QString &text);
    void removeCurrent();
    void onItemChanged(QTreeWidgetItem *item, int column);
    void readAccounts();
    void setStatus(const QString &text);

    AccountSetup *m_setup;
    SecretStore *m_secrets;
    QLineEdit *m_address;
    QLineEdit *m_user;
    QLineEdit *m_password;
    QPushButton *m_add;
    QLabel *m_status;
    QTreeWidget *m_accounts;
    QPushButton *m_remove;
    QFileSystemWatcher m_watcher;
    QString m_firstSync; // the account added last, until its first sync has ended
    bool m_filling = false;
};

#endif
