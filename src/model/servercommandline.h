#ifndef SCHEDULE_SERVERCOMMANDLINE_H
#define SCHEDULE_SERVERCOMMANDLINE_H

#include <QCommandLineOption>
#include <QStringList>

class QCommandLineParser;

// tasklist-dataserver's options, in one place for the server that takes them and the settings
// that look at a running server's arguments: which of them are calendars depends on which options
// take a value.
namespace ServerCommandLine {

QCommandLineOption demoOption();
QCommandLineOption holidayRegionOption();
QCommandLineOption syncIntervalOption();
// Adds the options above and the calendars as positional arguments.
void setUp(QCommandLineParser &parser);

// Whether a server started with these arguments (the program's name first) serves calendars.conf:
// it names no calendar and no demo. Options and their values are no calendars.
[[nodiscard]] bool followsConf(const QStringList &arguments);

} // namespace ServerCommandLine

#endif
