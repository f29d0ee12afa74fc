#include "serverlog.h"

Q_LOGGING_CATEGORY(lcDataServer, "tasklist.dataserver")
Q_LOGGING_CATEGORY(lcDataServerFiles, "tasklist.dataserver.files")
Q_LOGGING_CATEGORY(lcDataServerEdits, "tasklist.dataserver.edits", QtInfoMsg)
Q_LOGGING_CATEGORY(lcDataServerSubscriptions, "tasklist.dataserver.subscriptions")
