#ifndef DATASERVER_SERVERCONFIG_H
#define DATASERVER_SERVERCONFIG_H

#include <QStringList>

// The calendars served when the command line names none, as calendars.conf lists them
// (calendarslist.h reads the file).
namespace ServerConfig {

// The calendars of the configuration file. On first start writes the file and an empty default
// calendar; problems that leave a usable list are warned about, those that do not return false.
[[nodiscard]] bool load(QStringList &calendars, QString &error);

} // namespace ServerConfig

#endif
