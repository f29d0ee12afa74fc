#ifndef SCHEDULE_MIMEAPPS_H
#define SCHEDULE_MIMEAPPS_H

#include <QString>
#include <QStringList>

// Which application the desktop opens a type of file with, found as the desktops themselves find
// it: the users' and the system's mimeapps.list files, then the installed desktop files.
namespace MimeApps {

// The XDG directories, each list most important first.
struct Directories
{
    QString configHome;
    QStringList configDirs;
    QString dataHome;
    QStringList dataDirs;
    // XDG_CURRENT_DESKTOP, lower case: their own mimeapps.list files come before the shared ones.
    QStringList desktops;

    // From the environment, with the defaults for the variables that are unset or empty.
    static Directories fromEnvironment();
};

struct DesktopEntry
{
    QString path;
    QString id;
    QString name;
    QString icon;
    QString exec;
    QString workingDirectory;
    QStringList mimeTypes;
    bool dbusActivatable = false;
    // Hidden, TryExec naming no program, not an application, or with nothing to start.
    bool usable = false;
};

// The [Desktop Entry] group of a desktop file; `id` is left to the caller.
DesktopEntry readDesktopEntry(const QString &path);

// The desktop file of the preferred application for `mimeType`; empty when none handles it. Desktop
// files that only declare the type come in the order of the data directories, then of their ids.
QString preferredDesktopFile(const QString &mimeType, const Directories &dirs);
DesktopEntry preferredApplication(const QString &mimeType, const Directories &dirs);

// The program and its arguments from the entry's Exec line, started without a file: the file
// field codes are dropped. Empty when the line is empty or its quotes do not close.
QStringList execArguments(const DesktopEntry &entry);

} // namespace MimeApps

#endif
