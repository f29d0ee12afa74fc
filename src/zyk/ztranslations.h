#ifndef ZYK_ZTRANSLATIONS_H
#define ZYK_ZTRANSLATIONS_H

#include <QLocale>
#include <QString>

namespace Zyk {
namespace Widget {
// Installs the program's own translation (":/translations/<catalog>_<language>.qm") for the first
// of the locale's UI languages that has one, and Qt's own for its standard texts. Without a
// matching translation the texts stay as written in the sources. Returns the file loaded, or an
// empty string. Call it once the application object exists.
QString installTranslations(const QString &catalog, const QLocale &locale = QLocale::system());
} // namespace Widget
} // namespace Zyk

#endif
