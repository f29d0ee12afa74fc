#ifndef SCHEDULE_COMMANDLINE_H
#define SCHEDULE_COMMANDLINE_H

#include <QString>
#include <QStringList>

#include <optional>

// The widget's command line, read from main()'s arguments before Qt's application exists: --help
// and --version then cost no display, no bus and no files, and work where there is no display at
// all. Qt's own options (-platform, -display, -session, …) are let through for the application.
class CommandLine
{
public:
    CommandLine(int argc, const char *const *argv);

    // Set when the process ends now: 0 after --help or --version, which printed on standard
    // output; 2 after a wrong argument, which was said on standard error.
    std::optional<int> exitCode() const { return exit; }
    // The name after --instance; empty for the default instance.
    QString instance() const { return instanceName; }
    // Whether an option without a value was given, by its long name ("new-event").
    bool isSet(const char *name) const;

private:
    std::optional<int> exit;
    QString instanceName;
    QStringList given;
};

#endif
