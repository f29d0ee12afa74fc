#include "ztranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace Zyk {
namespace Widget {
namespace {
QString translationsPath()
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    return QLibraryInfo::path(QLibraryInfo::TranslationsPath);
#else
    return QLibraryInfo::location(QLibraryInfo::TranslationsPath);
#endif
}
} // namespace

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
    if (qt->load(QLocale(own->language()), QStringLiteral("qtbase"), QStringLiteral("_"), translationsPath()))
        QCoreApplication::installTranslator(qt);
    else
        delete qt;
    return own->filePath();
}
} // namespace Widget
} // namespace Zyk
