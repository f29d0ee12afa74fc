#include "accountssection.h"

#include "accountpaths.h"
#include "accountsetup.h"
#include "accountslog.h"
#include "accountstore.h"
#include "secretstore.h"

#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {
constexpr int idRole = Qt::UserRole;
constexpr int collectionRole = Qt::UserRole + 1;

QIcon swatch(const QString &color)
{
    QPixmap pixmap(12, 12);
    pixmap.fill(QColor::isValidColor(color) ? QColor(color) : QColor(Qt::transparent));
    return QIcon(pixmap);
}
} // namespace

AccountsSection::AccountsSection(QWidget *parent)
    : QWidget(parent)
    , m_setup(new AccountSetup(this))
    , m_secrets(new SecretStore(this))
    , m_address(new QLineEdit(this))
    , m_user(new QLineEdit(this))
    , m_password(new QLineEdit(this))
    , m_add(new QPushButton(tr("Add account"), this))
    , m_status(new QLabel(this))
    , m_accounts(new QTreeWidget(this))
    , m_remove(new QPushButton(tr("Remove account"), this))
{
    setObjectName(QStringLiteral("accountsSection"));
    m_address->setObjectName(QStringLiteral("accountAddress"));
    m_user->setObjectName(QStringLiteral("accountUser"));
    m_password->setObjectName(QStringLiteral("accountPassword"));
    m_add->setObjectName(QStringLiteral("addAccountButton"));
    m_status->setObjectName(QStringLiteral("accountStatus"));
    m_accounts->setObjectName(QStringLiteral("accountList"));
    m_remove->setObjectName(QStringLiteral("removeAccountButton"));

    auto *heading = new QLabel(tr("&Online accounts"), this);
    QFont bold = heading->font();
    bold.setBold(true);
    heading->setFont(bold);
    heading->setBuddy(m_address);
    m_address->setPlaceholderText(tr("Server, e.g. cloud.example.org"));
    m_address->setAccessibleName(tr("Server address"));
    m_user->setPlaceholderText(tr("User name"));
    m_user->setAccessibleName(tr("User name"));
    m_password->setPlaceholderText(tr("Password or app password"));
    m_password->setAccessibleName(tr("Password"));
    m_password->setEchoMode(QLineEdit::Password);
    m_status->setWordWrap(true);
    m_status->hide();
    m_accounts->setHeaderHidden(true);
    m_accounts->setAccessibleName(tr("Online accounts and their calendars"));
    m_accounts->setRootIsDecorated(true);
    m_remove->setEnabled(false);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 8); // the window's spacing below, as between its other sections
    layout->addWidget(heading);
    layout->addWidget(m_address);
    auto *row = new QHBoxLayout;
    row->addWidget(m_user);
    row->addWidget(m_password);
    layout->addLayout(row);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_add);
    buttons->addStretch(1);
    buttons->addWidget(m_remove);
    layout->addLayout(buttons);
    layout->addWidget(m_status);
    layout->addWidget(m_accounts, 1);

    connect(m_add, &QPushButton::clicked, this, &AccountsSection::onAddClicked);
    for (QLineEdit *field : {m_address, m_user, m_password})
        connect(field, &QLineEdit::returnPressed, this, [this] {
            if (!isAdding())
                onAddClicked();
        });
    connect(m_setup, &AccountSetup::progress, this, &AccountsSection::setStatus);
    connect(m_setup, &AccountSetup::failed, this, &AccountsSection::onFailed);
    connect(m_setup, &AccountSetup::added, this,
            [this](const Account &account) { onAdded(account.id, int(account.calendars.size())); });
    connect(m_remove, &QPushButton::clicked, this, &AccountsSection::removeCurrent);
    connect(m_accounts, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem *item) { m_remove->setEnabled(item != nullptr); });
    connect(m_accounts, &QTreeWidget::itemChanged, this, &AccountsSection::onItemChanged);
    connect(m_secrets, &SecretStore::removed, this,
            [this](SecretStore::Result result, const QString &detail) {
                if (result == SecretStore::Result::NoProgram)
                    setStatus(tr("The password could not be taken out of the keyring: secret-tool (the "
                                 "libsecret-tools package) is not installed."));
                else if (result != SecretStore::Result::Ok)
                    setStatus(tr("The password could not be taken out of the keyring: %1").arg(detail));
            });

    // The data server writes each account's last sync here.
    const QString statusDir = QFileInfo(AccountPaths::syncStatusFile()).absolutePath();
    QDir().mkpath(statusDir);
    m_watcher.addPath(statusDir);
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, this, &AccountsSection::readAccounts);
    readAccounts();
}

QString AccountsSection::statusText() const
{
    return m_status->isVisible() || !m_status->text().isEmpty() ? m_status->text() : QString();
}

bool AccountsSection::isAdding() const
{
    return m_setup->isRunning();
}

void AccountsSection::onAddClicked()
{
    if (m_setup->isRunning()) {
        m_setup->cancel();
        return;
    }
    if (m_address->text().trimmed().isEmpty() || m_user->text().isEmpty() || m_password->text().isEmpty()) {
        setStatus(tr("Enter the server's address, your user name and your password."));
        return;
    }
    m_firstSync.clear();
    m_add->setText(tr("Cancel"));
    m_setup->start(m_address->text(), m_user->text(), m_password->text());
}

void AccountsSection::onAdded(const QString &id, int calendars)
{
    Q_UNUSED(calendars)
    m_add->setText(tr("Add account"));
    m_password->clear();
    m_address->clear();
    m_user->clear();
    m_firstSync = id;
    readAccounts();
}

void AccountsSection::onFailed(const QString &text)
{
    m_add->setText(tr("Add account"));
    setStatus(text);
}

void AccountsSection::removeCurrent()
{
    QTreeWidgetItem *item = m_accounts->currentItem();
    if (!item)
        return;
    while (item->parent())
        item = item->parent();
    const QString id = item->data(0, idRole).toString();
    QString error;
    if (!AccountStore::remove(id, &error)) {
        setStatus(tr("Cannot remove the account: %1").arg(error));
        return;
    }
    m_secrets->remove(id);
    if (m_firstSync == id)
        m_firstSync.clear();
    setStatus(tr("The account %1 is removed.").arg(item->text(0)));
    readAccounts();
}

void AccountsSection::onItemChanged(QTreeWidgetItem *item, int column)
{
    if (m_filling || column != 0 || !item->parent())
        return;
    QString error;
    if (!AccountStore::setEnabled(item->parent()->data(0, idRole).toString(),
                                  item->data(0, collectionRole).toString(),
                                  item->checkState(0) == Qt::Checked, &error))
        setStatus(tr("Cannot change the account: %1").arg(error));
}

void AccountsSection::readAccounts()
{
    QVector<Account> accounts;
    QString error;
    if (!AccountStore::load(accounts, &error))
        setStatus(error);
    // The list is made anew at each sync: the item chosen stays chosen, by its account and calendar.
    const QTreeWidgetItem *chosen = m_accounts->currentItem();
    const QString currentAccount =
        chosen ? (chosen->parent() ? chosen->parent() : chosen)->data(0, idRole).toString() : QString();
    const QString currentCollection = chosen ? chosen->data(0, collectionRole).toString() : QString();
    m_filling = true;
    m_accounts->clear();
    for (const Account &account : std::as_const(accounts)) {
        bool synced = false;
        const QString failure = AccountStore::syncFailure(account.id, &synced);
        auto *top = new QTreeWidgetItem(m_accounts, {tr("%1 at %2").arg(account.user, account.address)});
        top->setData(0, idRole, account.id);
        if (!failure.isEmpty()) {
            top->setText(0, tr("%1 at %2 — sync failed: %3").arg(account.user, account.address, failure));
            top->setToolTip(0, failure);
        }
        for (const DavCalendar &calendar : account.calendars) {
            auto *child = new QTreeWidgetItem(
                top, {calendar.events ? calendar.name : tr("%1 (to-dos)").arg(calendar.name)});
            child->setData(0, collectionRole, calendar.collection);
            child->setIcon(0, swatch(calendar.color));
            child->setFlags(child->flags() | Qt::ItemIsUserCheckable);
            child->setCheckState(0,
                                 account.enabled.contains(calendar.collection) ? Qt::Checked : Qt::Unchecked);
            if (account.id == currentAccount && calendar.collection == currentCollection)
                m_accounts->setCurrentItem(child);
        }
        top->setExpanded(true);
        if (account.id == currentAccount && currentCollection.isEmpty())
            m_accounts->setCurrentItem(top);
        if (account.id == m_firstSync && synced) {
            m_firstSync.clear();
            setStatus(
                failure.isEmpty()
                    ? tr("%1: %n calendar(s) synced.", nullptr, int(account.enabled.size())).arg(top->text(0))
                    : tr("The first sync failed: %1").arg(failure));
        }
    }
    m_filling = false;
    m_accounts->setVisible(m_accounts->topLevelItemCount() > 0); // no empty box before the first account
    m_remove->setEnabled(m_accounts->currentItem() != nullptr);
}

void AccountsSection::setStatus(const QString &text)
{
    if (!text.isEmpty())
        qCInfo(lcAccounts).noquote() << text;
    m_status->setText(text);
    m_status->setVisible(!text.isEmpty());
}
