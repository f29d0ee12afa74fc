#ifndef DATASERVER_SERVERLOG_H
#define DATASERVER_SERVERLOG_H

#include <QLoggingCategory>

// The server's own messages: start-up, its configuration, requests it cannot serve.
Q_DECLARE_LOGGING_CATEGORY(lcDataServer)
// Faults found in the calendar files, which a user with a large or odd directory may want to
// silence: QT_LOGGING_RULES="tasklist.dataserver.files.warning=false".
Q_DECLARE_LOGGING_CATEGORY(lcDataServerFiles)
// How an edit of a calendar file was written and read back; debug messages alone, off unless
// QT_LOGGING_RULES="tasklist.dataserver.edits.debug=true".
Q_DECLARE_LOGGING_CATEGORY(lcDataServerEdits)
// Fetching the calendars subscribed to by URL: a laptop offline for a day need not hear of it.
Q_DECLARE_LOGGING_CATEGORY(lcDataServerSubscriptions)

#endif
