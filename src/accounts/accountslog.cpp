#include "accountslog.h"

Q_LOGGING_CATEGORY(lcAccounts, "tasklist.accounts")
