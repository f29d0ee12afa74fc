#include "servercommandline.h"

#include <QCommandLineParser>

namespace ServerCommandLine {

QCommandLineOption demoOption()
{
    return QCommandLineOption(
        QStringLiteral("demo"),
        QStringLiteral(
            "Write a demo calendar built around today into <dir> (as demo.ics) and serve it first."),
        QStringLiteral("dir"));
}

QCommandLineOption holidayRegionOption()
{
    return QCommandLineOption(
        QStringLiteral("holiday-region"),
        QStringLiteral("Public holidays of this region (a KHolidays code such as de_de); \"none\" for none. "
                       "The default follows the locale."),
        QStringLiteral("code"));
}

QCommandLineOption syncIntervalOption()
{
    return QCommandLineOption(QStringLiteral("sync-interval"),
                              QStringLiteral("Sync the online accounts every <seconds> (default 900)."),
                              QStringLiteral("seconds"));
}

void setUp(QCommandLineParser &parser)
{
    parser.addPositionalArgument(
        QStringLiteral("calendars"),
        QStringLiteral("iCalendar files (.ics) and directories of .ics files. New jobs go into the first."),
        QStringLiteral("[calendar...]"));
    parser.addOption(demoOption());
    parser.addOption(holidayRegionOption());
    parser.addOption(syncIntervalOption());
}

bool followsConf(const QStringList &arguments)
{
    QCommandLineParser parser;
    setUp(parser);
    // An option this build does not know (of a server older or newer) still leaves the positional
    // arguments parsed, which is all that is asked here.
    (void)parser.parse(arguments);
    return parser.positionalArguments().isEmpty() && !parser.isSet(QStringLiteral("demo"));
}

} // namespace ServerCommandLine
