#include "serverconfig.h"

#include "calendarslist.h"
#include "icsdocument.h"
#include "serverlog.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

namespace ServerConfig {
namespace {

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

bool load(QStringList &calendars, QString &error)
{
    calendars.clear();
    const QString path = CalendarsList::filePath();
    const QString fallback = CalendarsList::defaultCalendarPath();
    QByteArray text;
    bool exists = false;
    if (!CalendarsList::read(path, text, error, &exists))
        return false;
    if (exists) {
        calendars = CalendarsList::parse(text, QFileInfo(path).absolutePath());
        if (calendars.isEmpty())
            qCWarning(lcDataServer).noquote() << QStringLiteral("%1 names no calendar").arg(path);
    } else {
        calendars << fallback;
        QString why;
        if (writeNew(path, CalendarsList::exampleText(fallback), why))
            qCInfo(lcDataServer).noquote()
                << QStringLiteral("wrote %1; it names the calendars to serve").arg(path);
        else // the default calendar still gives the server a home for new jobs
            qCWarning(lcDataServer).noquote() << QStringLiteral("cannot write %1: %2").arg(path, why);
    }
    if (calendars.contains(fallback) && !QFileInfo::exists(fallback)) {
        QString why;
        if (!writeNew(fallback, IcsDocument::newCalendar().toByteArray(), why))
            qCWarning(lcDataServer).noquote() << QStringLiteral("cannot create %1: %2").arg(fallback, why);
    }
    return true;
}

} // namespace ServerConfig
