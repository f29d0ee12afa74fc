#ifndef ACCOUNTS_ACCOUNTSLOG_H
#define ACCOUNTS_ACCOUNTSLOG_H

#include <QLoggingCategory>

// Online accounts: discovery, the keyring, the account files.
Q_DECLARE_LOGGING_CATEGORY(lcAccounts)

#endif
