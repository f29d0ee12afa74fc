#include "calendarslist.h"

#include "calendarcontract.h"
#include "utf8text.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

namespace CalendarsList {

QString filePath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/" DATASERVER_PROGRAM "/calendars.conf");
}

QString defaultCalendarPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/" DATASERVER_PROGRAM "/calendar.ics");
}

bool read(const QString &path, QByteArray &text, QString &error, bool *exists)
{
    text.clear();
    QFile file(path);
    if (exists)
        *exists = file.exists();
    if (!file.exists())
        return true;
    if (!file.open(QIODevice::ReadOnly)) {
        error = QStringLiteral("cannot read %1: %2").arg(path, file.errorString());
        return false;
    }
    text = file.readAll();
    return true;
}

QList<QByteArray> linesOf(const QByteArray &text)
{
    QList<QByteArray> lines = text.split('\n');
    if (!lines.isEmpty() && lines.constLast().isEmpty())
        lines.removeLast();
    return lines;
}

QString entryOf(const QByteArray &line)
{
    const QString text = QString::fromUtf8(line).trimmed();
    return text.isEmpty() || text.startsWith(QLatin1Char('#')) ? QString() : text;
}

QStringList parse(const QByteArray &text, const QString &baseDir)
{
    QStringList paths;
    const QDir base(baseDir);
    const QList<QByteArray> lines = text.split('\n');
    for (const QByteArray &line : lines) {
        QString path = entryOf(line);
        if (path.isEmpty())
            continue;
        if (isUrl(path)) {
            paths << path;
            continue;
        }
        if (path == QLatin1String("~"))
            path = QDir::homePath();
        else if (path.startsWith(QLatin1String("~/")))
            path = QDir::homePath() + path.mid(1);
        paths << QDir::cleanPath(base.absoluteFilePath(path));
    }
    return paths;
}

bool isUrl(const QString &entry)
{
    static const QLatin1String schemes[] = {QLatin1String("https://"), QLatin1String("http://"),
                                            QLatin1String("webcal://")};
    for (const QLatin1String &scheme : schemes) {
        if (entry.startsWith(scheme, Qt::CaseInsensitive))
            return true;
    }
    return false;
}

QString fault(const QByteArray &text, int *line)
{
    const QList<QByteArray> lines = text.split('\n');
    for (int i = 0; i < lines.size(); ++i) {
        const QByteArray &raw = lines.at(i);
        *line = i + 1;
        if (!Utf8Text::isValid(raw))
            return QStringLiteral("not UTF-8 text");
        for (const char c : raw) {
            if ((uchar(c) < 0x20 && c != '\t' && c != '\r') || c == 0x7f)
                return QStringLiteral("a control character in a path");
        }
    }
    *line = 0;
    return {};
}

QString homeRelative(const QString &path)
{
    const QString home = QDir::homePath() + QLatin1Char('/');
    return path.startsWith(home) ? QStringLiteral("~/") + path.mid(home.size()) : path;
}

QByteArray exampleText(const QString &calendar)
{
    QString text = QStringLiteral(
        "# Calendars served by tasklist-dataserver when its command line names none.\n"
        "# One iCalendar file (.ics) or directory of .ics files a line; new jobs go into the first.\n"
        "# A line that is an https://, http:// or webcal:// URL subscribes to that calendar, read-only.\n"
        "# Lines starting with # are comments. ~/ stands for your home directory, and a relative\n"
        "# path is taken relative to the directory of this file. A running server follows changes.\n"
        "#\n"
        "# For example:\n"
        "# ~/Calendars/work.ics\n"
        "# ~/.local/share/calendars/personal/\n");
    text += homeRelative(calendar) + QLatin1Char('\n');
    return text.toUtf8();
}

} // namespace CalendarsList
