#ifndef SCHEDULE_INSTANCE_H
#define SCHEDULE_INSTANCE_H

#include <QString>

// Which panel this process is: the default one, or one started with --instance NAME, which keeps
// its settings, place and data apart from the others and is one per session in its own right.
namespace Instance {

// Letters, digits, '_' and '-', at most 64 of them: the name goes into folder and bus names.
bool isValidName(const QString &name);

// Empty for the default instance. Set once at start, before any path is asked for.
void setName(const QString &name);
QString name();

// "TaskList" for the default instance, whose paths stay as they always were; "TaskList-NAME" else.
QString folderName();
// ~/.local/share/<folder>: the data file, the place and the notified countdowns.
QString dataDirectory();
// The session bus name the running instance owns.
QString busName();

} // namespace Instance

#endif
