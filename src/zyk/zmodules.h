#ifndef ZYK_ZMODULES_H
#define ZYK_ZMODULES_H

#include <QString>

class QObject;

namespace Zyk {
// The program's own plugin modules: parts that bring libraries of their own (Qt Network, the
// Wayland client libraries), loaded only where they are used so that the panel's start is spared
// them. Searched beside the program (the build tree), on QT_PLUGIN_PATH (tests), then in the
// installed module folder. Works before the application object exists. Null where the module is
// missing or does not load, with the reason in *error.
QObject *loadModule(const QString &name, QString *error);
} // namespace Zyk

#endif
