#ifndef SCHEDULE_CALENDARCONTRACT_H
#define SCHEDULE_CALENDARCONTRACT_H

// The calendar data server as its client, its adaptor and the widget's settings know it. Macros:
// moc reads the interface name in Q_CLASSINFO, and messages join the names at compile time.

#define DBUS_SERVER_NAME "com.norvale.dataserver.Calendar"
#define DBUS_SERVER_PATH "/com/norvale/dataserver/Calendar"
// The same text as the service name.
#define DBUS_SERVER_INTERFACE DBUS_SERVER_NAME
// The signal the server sends whenever its jobs change.
#define DBUS_SERVER_JOBS_UPDATED "JobsUpdated"
// Prefix of the server's own error names; malformed input is answered with InvalidArgs instead.
#define DBUS_SERVER_ERROR DBUS_SERVER_INTERFACE ".Error."

// The job type of a to-do, which is changed only in the program that made it.
#define DBUS_SERVER_TODO_TYPE 5

// The server's program, which also names its directories under the user's configuration and data.
#define DATASERVER_PROGRAM "tasklist-dataserver"

#endif
