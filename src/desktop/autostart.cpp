#include "autostart.h"

#include "mimeapps.h"
#include "savefile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace Autostart {
namespace {
const QString name = QString::fromLatin1(entryName);

// $XDG_CONFIG_HOME/autostart/<entryName>
QString userEntryPath()
{
    return MimeApps::Directories::fromEnvironment().configHome + QStringLiteral("/autostart/") + name;
}

// The first system entry in $XDG_CONFIG_DIRS/autostart, or an empty string.
QString systemEntryPath()
{
    for (const QString &dir : MimeApps::Directories::fromEnvironment().configDirs) {
        const QString path = dir + QStringLiteral("/autostart/") + name;
        if (QFileInfo::exists(path))
            return path;
    }
    return QString();
}

bool shown(const QString &path)
{
    // Hidden=true, or TryExec naming no program: the session starts nothing for it.
    return MimeApps::readDesktopEntry(path).usable;
}

// The system's entry with Hidden=true as the last line of its main group, any Hidden line of the
// group dropped.
QByteArray hiddenCopy(const QByteArray &entry)
{
    QList<QByteArray> lines = entry.split('\n');
    int group = -1;
    int lastOfGroup = -1;
    for (int i = 0; i < lines.size(); ++i) {
        const QByteArray line = lines.at(i).trimmed();
        if (line.startsWith('[')) {
            if (group >= 0)
                break;
            if (line == "[Desktop Entry]")
                group = lastOfGroup = i;
        } else if (group >= 0 && line.startsWith("Hidden") && line.mid(6).trimmed().startsWith('=')) {
            lines.removeAt(i--);
        } else if (group >= 0 && !line.isEmpty()) {
            lastOfGroup = i;
        }
    }
    if (group < 0)
        return entry;
    lines.insert(lastOfGroup + 1, "Hidden=true");
    return lines.join('\n');
}

QByteArray ownEntry()
{
    QString program = QCoreApplication::applicationFilePath();
    // The Exec key's quoting: a path with blanks in double quotes, with \, ", ` and $ escaped.
    if (program.contains(QLatin1Char(' '))) {
        for (const char *special : {"\\", "\"", "`", "$"})
            program.replace(QLatin1String(special), QLatin1String("\\") + QLatin1String(special));
        program = QLatin1Char('"') + program + QLatin1Char('"');
    }
    return QByteArrayLiteral("[Desktop Entry]\nType=Application\nName=Calendar Desktop Widget\n"
                             "Exec=") +
           program.toUtf8() + QByteArrayLiteral("\nIcon=nvx-calendar-desktop-widget\nNoDisplay=true\n");
}

bool write(const QByteArray &text, QString *error)
{
    const QString path = userEntryPath();
    if (!QDir().mkpath(QFileInfo(path).absolutePath())) {
        *error = QStringLiteral("cannot create %1").arg(QFileInfo(path).absolutePath());
        return false;
    }
    return saveFileAtomically(path, text, error);
}

bool removeUserEntry(QString *error)
{
    QFile entry(userEntryPath());
    if (!entry.exists() || entry.remove())
        return true;
    *error = entry.errorString();
    return false;
}
} // namespace

bool enabled()
{
    const QString user = userEntryPath();
    if (QFileInfo::exists(user))
        return shown(user);
    const QString system = systemEntryPath();
    return !system.isEmpty() && shown(system);
}

bool setEnabled(bool on, QString *error)
{
    const QString system = systemEntryPath();
    const bool systemStarts = !system.isEmpty() && shown(system);
    if (on)
        return systemStarts ? removeUserEntry(error) : write(ownEntry(), error);
    if (!systemStarts)
        return removeUserEntry(error);
    QFile entry(system);
    if (!entry.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("cannot read %1: %2").arg(system, entry.errorString());
        return false;
    }
    return write(hiddenCopy(entry.readAll()), error);
}

} // namespace Autostart
