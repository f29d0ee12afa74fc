#include "serverconfig.h"

#include "icsdocument.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <QTextCodec>

namespace ServerConfig {
namespace {

const QString directoryName = QStringLiteral("tasklist-dataserver");

// The file stays valid when the home directory moves, and reads as the user would type it.
QString homeRelative(const QString &path)
{
    const QString home = QDir::homePath() + QLatin1Char('/');
    return path.startsWith(home) ? QStringLiteral("~/") + path.mid(home.size()) : path;
}

[[nodiscard]] bool writeNew(const QString &path, const QByteArray &data, QString &error)
{
    const QString directory = QFileInfo(path).absolutePath();
    if (!QDir().mkpath(directory)) {
        error = QStringLiteral("cannot create the directory %1").arg(directory);
        return false;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(data) != data.size() || !file.flush()) {
        error = file.errorString();
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        error = file.errorString();
        return false;
    }
    return true;
}

} // namespace

QString filePath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QLatin1Char('/') +
           directoryName + QStringLiteral("/calendars.conf");
}

QString defaultCalendarPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QLatin1Char('/') +
           directoryName + QStringLiteral("/calendar.ics");
}

QStringList parse(const QByteArray &text, const QString &baseDir)
{
    QStringList paths;
    const QDir base(baseDir);
    const QStringList lines = QString::fromUtf8(text).split(QLatin1Char('\n'));
    for (const QString &raw : lines) {
        QString path = raw.trimmed();
        if (path.isEmpty() || path.startsWith(QLatin1Char('#')))
            continue;
        if (path == QLatin1String("~"))
            path = QDir::homePath();
        else if (path.startsWith(QLatin1String("~/")))
            path = QDir::homePath() + path.mid(1);
        paths << QDir::cleanPath(base.absoluteFilePath(path));
    }
    return paths;
}

QString fault(const QByteArray &text, int *line)
{
    const QList<QByteArray> lines = text.split('\n');
    for (int i = 0; i < lines.size(); ++i) {
        const QByteArray &raw = lines.at(i);
        *line = i + 1;
        QTextCodec::ConverterState state;
        QTextCodec::codecForMib(106)->toUnicode(raw.constData(), raw.size(), &state); // 106: UTF-8
        if (state.invalidChars > 0 || state.remainingChars > 0)
            return QStringLiteral("not UTF-8 text");
        for (const char c : raw) {
            if ((uchar(c) < 0x20 && c != '\t' && c != '\r') || c == 0x7f)
                return QStringLiteral("a control character in a path");
        }
    }
    *line = 0;
    return {};
}

QByteArray exampleText(const QString &calendar)
{
    QString text = QStringLiteral(
        "# Calendars served by tasklist-dataserver when its command line names none.\n"
        "# One iCalendar file (.ics) or directory of .ics files a line; new jobs go into the first.\n"
        "# Lines starting with # are comments. ~/ stands for your home directory, and a relative\n"
        "# path is taken relative to the directory of this file. A running server follows changes.\n"
        "#\n"
        "# For example:\n"
        "# ~/Calendars/work.ics\n"
        "# ~/.local/share/calendars/personal/\n");
    text += homeRelative(calendar) + QLatin1Char('\n');
    return text.toUtf8();
}

bool load(QStringList &calendars, QString &error)
{
    calendars.clear();
    const QString path = filePath();
    const QString fallback = defaultCalendarPath();
    QFile file(path);
    if (file.exists()) {
        if (!file.open(QIODevice::ReadOnly)) {
            error = QStringLiteral("cannot read %1: %2").arg(path, file.errorString());
            return false;
        }
        calendars = parse(file.readAll(), QFileInfo(path).absolutePath());
        if (calendars.isEmpty())
            qWarning().noquote() << QStringLiteral("%1 names no calendar").arg(path);
    } else {
        calendars << fallback;
        QString why;
        if (writeNew(path, exampleText(fallback), why))
            qInfo().noquote() << QStringLiteral("wrote %1; it names the calendars to serve").arg(path);
        else // the default calendar still gives the server a home for new jobs
            qWarning().noquote() << QStringLiteral("cannot write %1: %2").arg(path, why);
    }
    if (calendars.contains(fallback) && !QFileInfo::exists(fallback)) {
        QString why;
        if (!writeNew(fallback, IcsDocument::newCalendar().toByteArray(), why))
            qWarning().noquote() << QStringLiteral("cannot create %1: %2").arg(fallback, why);
    }
    return true;
}

} // namespace ServerConfig
