#include "zmodules.h"

#include <QDir>
#include <QFileInfo>
#include <QPluginLoader>

namespace Zyk {
namespace {
QStringList moduleFolders()
{
    // /proc/self/exe rather than QCoreApplication::applicationDirPath(): the layer shell's module
    // is needed before the application object exists.
    QStringList folders{QFileInfo(QStringLiteral("/proc/self/exe")).canonicalPath()};
    folders += qEnvironmentVariable("QT_PLUGIN_PATH").split(QLatin1Char(':'), Qt::SkipEmptyParts);
    folders << QStringLiteral(ZYK_MODULE_DIR);
    return folders;
}
} // namespace

QObject *loadModule(const QString &name, QString *error)
{
    const QString fileName = name + QLatin1String(".so");
    for (const QString &folder : moduleFolders()) {
        const QString path = QDir(folder).filePath(fileName);
        if (!QFileInfo::exists(path))
            continue;
        QPluginLoader loader(path);
        if (QObject *instance = loader.instance())
            return instance;
        *error = loader.errorString();
        return nullptr;
    }
    *error = QStringLiteral("%1 is in none of %2").arg(fileName, moduleFolders().join(QLatin1String(", ")));
    return nullptr;
}
} // namespace Zyk
