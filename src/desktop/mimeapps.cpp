#include "mimeapps.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSet>
#include <QStandardPaths>
#include <QTextStream>
#include <QVector>

#include <utility>

namespace MimeApps {
namespace {

using Group = QHash<QString, QString>;

// The groups of an INI-like file as the desktop files and mimeapps.list write them. QSettings cannot
// read them: it takes the '/' of "text/calendar" for a group separator.
QHash<QString, Group> readGroups(const QString &path)
{
    QHash<QString, Group> groups;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return groups;
    QTextStream in(&file);
#if QT_VERSION < QT_VERSION_CHECK(6, 0, 0)
    in.setCodec("UTF-8");
#endif
    Group *group = nullptr;
    QString line;
    while (in.readLineInto(&line)) {
        line = line.trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        if (line.startsWith(QLatin1Char('[')) && line.endsWith(QLatin1Char(']'))) {
            group = &groups[line.mid(1, line.size() - 2)];
            continue;
        }
        const int equals = line.indexOf(QLatin1Char('='));
        if (!group || equals <= 0)
            continue;
        const QString key = line.left(equals).trimmed();
        // A key given twice is an error in the file; the first one is what other readers take.
        if (!group->contains(key))
            group->insert(key, line.mid(equals + 1).trimmed());
    }
    return groups;
}

QStringList splitList(const QString &value)
{
    QStringList items;
    for (const QString &item : value.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const QString trimmed = item.trimmed();
        if (!trimmed.isEmpty())
            items << trimmed;
    }
    return items;
}

// \s, \n, \t, \r and \\ of a string value; other backslashes are left for the Exec line's quoting.
QString unescape(const QString &value)
{
    QString out;
    out.reserve(value.size());
    for (int i = 0; i < value.size(); ++i) {
        const QChar c = value.at(i);
        if (c != QLatin1Char('\\') || i + 1 == value.size()) {
            out += c;
            continue;
        }
        const QChar next = value.at(i + 1);
        if (next == QLatin1Char('s'))
            out += QLatin1Char(' ');
        else if (next == QLatin1Char('n'))
            out += QLatin1Char('\n');
        else if (next == QLatin1Char('t'))
            out += QLatin1Char('\t');
        else if (next == QLatin1Char('r'))
            out += QLatin1Char('\r');
        else if (next == QLatin1Char('\\'))
            out += QLatin1Char('\\');
        else {
            out += c;
            continue;
        }
        ++i;
    }
    return out;
}

bool programExists(const QString &program)
{
    if (QFileInfo(program).isAbsolute())
        return QFileInfo(program).isExecutable();
    return !QStandardPaths::findExecutable(program).isEmpty();
}

QStringList listFiles(const Directories &dirs)
{
    QStringList files;
    const auto add = [&](const QString &dir) {
        if (dir.isEmpty())
            return;
        for (const QString &desktop : dirs.desktops)
            files << dir + QLatin1Char('/') + desktop + QLatin1String("-mimeapps.list");
        files << dir + QLatin1String("/mimeapps.list");
    };
    add(dirs.configHome);
    for (const QString &dir : dirs.configDirs)
        add(dir);
    add(dirs.dataHome + QLatin1String("/applications"));
    for (const QString &dir : dirs.dataDirs)
        add(dir + QLatin1String("/applications"));
    return files;
}

// The installed desktop files by id; an id found in a more important directory hides the others.
class Installed
{
public:
    explicit Installed(const Directories &dirs)
    {
        QStringList appDirs{dirs.dataHome};
        appDirs << dirs.dataDirs;
        for (const QString &base : std::as_const(appDirs)) {
            if (base.isEmpty())
                continue;
            const QString root = base + QLatin1String("/applications");
            QStringList ids;
            QDirIterator it(root, {QStringLiteral("*.desktop")}, QDir::Files, QDirIterator::Subdirectories);
            while (it.hasNext()) {
                const QString path = it.next();
                QString id = QDir(root).relativeFilePath(path);
                id.replace(QLatin1Char('/'), QLatin1Char('-'));
                if (!paths.contains(id)) {
                    paths.insert(id, path);
                    ids << id;
                }
            }
            ids.sort();
            ordered << ids;
        }
    }

    const DesktopEntry *entry(const QString &id)
    {
        const auto found = entries.constFind(id);
        if (found != entries.constEnd())
            return &*found;
        const QString path = paths.value(id);
        if (path.isEmpty())
            return nullptr;
        DesktopEntry read = readDesktopEntry(path);
        read.id = id;
        return &*entries.insert(id, read);
    }

    QStringList ordered;

private:
    QHash<QString, QString> paths;
    QHash<QString, DesktopEntry> entries;
};

} // namespace

Directories Directories::fromEnvironment()
{
    const auto path = [](const char *name, const QString &fallback) {
        const QString value = qEnvironmentVariable(name);
        return value.isEmpty() ? fallback : value;
    };
    const auto list = [](const char *name, const QStringList &fallback) {
        const QStringList value = qEnvironmentVariable(name).split(QLatin1Char(':'), Qt::SkipEmptyParts);
        return value.isEmpty() ? fallback : value;
    };
    const QString home = QDir::homePath();
    Directories dirs;
    dirs.configHome = path("XDG_CONFIG_HOME", home + QLatin1String("/.config"));
    dirs.configDirs = list("XDG_CONFIG_DIRS", {QStringLiteral("/etc/xdg")});
    dirs.dataHome = path("XDG_DATA_HOME", home + QLatin1String("/.local/share"));
    dirs.dataDirs = list("XDG_DATA_DIRS", {QStringLiteral("/usr/local/share"), QStringLiteral("/usr/share")});
    for (const QString &desktop : list("XDG_CURRENT_DESKTOP", {}))
        dirs.desktops << desktop.toLower();
    return dirs;
}

DesktopEntry readDesktopEntry(const QString &path)
{
    const Group group = readGroups(path).value(QStringLiteral("Desktop Entry"));
    DesktopEntry entry;
    entry.path = path;
    entry.name = unescape(group.value(QStringLiteral("Name")));
    entry.icon = unescape(group.value(QStringLiteral("Icon")));
    entry.exec = unescape(group.value(QStringLiteral("Exec")));
    entry.workingDirectory = unescape(group.value(QStringLiteral("Path")));
    entry.mimeTypes = splitList(group.value(QStringLiteral("MimeType")));
    entry.dbusActivatable = group.value(QStringLiteral("DBusActivatable")) == QLatin1String("true");
    const QString tryExec = unescape(group.value(QStringLiteral("TryExec")));
    entry.usable = group.value(QStringLiteral("Type")) == QLatin1String("Application") &&
                   group.value(QStringLiteral("Hidden")) != QLatin1String("true") &&
                   (tryExec.isEmpty() || programExists(tryExec)) &&
                   (!entry.exec.isEmpty() || entry.dbusActivatable);
    return entry;
}

DesktopEntry preferredApplication(const QString &mimeType, const Directories &dirs)
{
    Installed installed(dirs);
    QVector<QHash<QString, Group>> lists;
    for (const QString &file : listFiles(dirs))
        lists << readGroups(file);

    // A removal in a list hides the application from the less important lists below it, not from
    // the more important ones above.
    QSet<QString> removed;
    for (const auto &groups : std::as_const(lists)) {
        for (const QString &id :
             splitList(groups.value(QStringLiteral("Removed Associations")).value(mimeType)))
            removed.insert(id);
        // A default the user chose stands even where its desktop file does not list the type.
        for (const QString &id :
             splitList(groups.value(QStringLiteral("Default Applications")).value(mimeType))) {
            const DesktopEntry *entry = removed.contains(id) ? nullptr : installed.entry(id);
            if (entry && entry->usable)
                return *entry;
        }
    }

    removed.clear();
    QStringList candidates;
    for (const auto &groups : std::as_const(lists)) {
        for (const QString &id :
             splitList(groups.value(QStringLiteral("Removed Associations")).value(mimeType)))
            removed.insert(id);
        for (const QString &id :
             splitList(groups.value(QStringLiteral("Added Associations")).value(mimeType))) {
            if (!removed.contains(id))
                candidates << id;
        }
    }
    for (const QString &id : candidates) {
        const DesktopEntry *entry = installed.entry(id);
        if (entry && entry->usable)
            return *entry;
    }
    for (const QString &id : std::as_const(installed.ordered)) {
        if (removed.contains(id))
            continue;
        const DesktopEntry *entry = installed.entry(id);
        if (entry->usable && entry->mimeTypes.contains(mimeType))
            return *entry;
    }
    return {};
}

QString preferredDesktopFile(const QString &mimeType, const Directories &dirs)
{
    return preferredApplication(mimeType, dirs).path;
}

QStringList execArguments(const DesktopEntry &entry)
{
    // Split at unquoted blanks; inside double quotes a backslash keeps the next " ` $ or \.
    QStringList words;
    QString word;
    bool inWord = false;
    bool inQuotes = false;
    const QString &exec = entry.exec;
    for (int i = 0; i < exec.size(); ++i) {
        const QChar c = exec.at(i);
        if (inQuotes) {
            if (c == QLatin1Char('"')) {
                inQuotes = false;
            } else if (c == QLatin1Char('\\') && i + 1 < exec.size() &&
                       QStringLiteral("\"`$\\").contains(exec.at(i + 1))) {
                word += exec.at(++i);
            } else {
                word += c;
            }
        } else if (c == QLatin1Char(' ') || c == QLatin1Char('\t')) {
            if (inWord)
                words << std::exchange(word, {});
            inWord = false;
        } else {
            inWord = true;
            if (c == QLatin1Char('"'))
                inQuotes = true;
            else
                word += c;
        }
    }
    if (inQuotes)
        return {};
    if (inWord)
        words << word;

    QStringList arguments;
    for (const QString &w : std::as_const(words)) {
        if (w == QLatin1String("%i")) {
            if (!entry.icon.isEmpty())
                arguments << QStringLiteral("--icon") << entry.icon;
            continue;
        }
        QString expanded;
        bool hadCode = false;
        for (int i = 0; i < w.size(); ++i) {
            const QChar c = w.at(i);
            if (c != QLatin1Char('%') || i + 1 == w.size()) {
                expanded += c;
                continue;
            }
            const QChar code = w.at(++i);
            hadCode = true;
            if (code == QLatin1Char('%'))
                expanded += QLatin1Char('%');
            else if (code == QLatin1Char('c'))
                expanded += entry.name;
            else if (code == QLatin1Char('k'))
                expanded += entry.path;
            // The file codes (%f %F %u %U), the deprecated ones and %i inside a word expand to
            // nothing: the application is started, never handed the task.
        }
        if (!expanded.isEmpty() || !hadCode)
            arguments << expanded;
    }
    return arguments;
}

} // namespace MimeApps
