#include "ztranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace Zyk {
namespace Widget {
QString installTranslations(const QString &catalog, const QLocale &locale)
{
    auto *own = new QTranslator(QCoreApplication::instance());
    if (!own->load(locale, catalog, QStringLiteral("_"), QStringLiteral(":/translations"))) {
        delete own;
        return QString();
    }
    QCoreApplication::installTranslator(own);
    // The standard texts (a file dialog's buttons, a line edit's menu) only in the language the
    // program's own texts are in, so that one window never mixes two languages.
    auto *qt = new QTranslator(QCoreApplication::instance());
    if (qt->load(QLocale(own->language()), QStringLiteral("qtbase"), QStringLiteral("_"),
                 QLibraryInfo::location(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(qt);
    else
        delete qt;
    return own->filePath();
}
} // namespace Widget
} // namespace Zyk
