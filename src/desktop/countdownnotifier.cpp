#include "countdownnotifier.h"

#include "desktoplog.h"
#include "notifications.h"
#include "savefile.h"
#include "scheduledatainfo.h"

#include <QDebug>
#include <QFile>
#include <QLocale>
#include <QTextStream>

#include <algorithm>
#include <utility>

namespace {
const char *const appName = "nvx-calendar-desktop-widget";
}

CountdownNotifier::CountdownNotifier(const QString &statePath, const QDBusConnection &bus, QObject *parent)
    : QObject(parent)
    , statePath(statePath)
    , bus(bus)
{
}

bool CountdownNotifier::countdownEnded(const ScheduleDataInfo &task)
{
    load();
    const QDateTime begin = task.getBeginDateTime();
    const Occurrence occurrence{task.getID(), task.getRecurID(), begin.toMSecsSinceEpoch()};
    if (told.contains(occurrence))
        return false;
    told.append(occurrence);
    save();

    const QString when = task.getAllDay() ? QLocale().toString(begin.date(), QLocale::ShortFormat)
                                          : QLocale().toString(begin.time(), QLocale::ShortFormat);
    Notifications::Notification ended;
    ended.appName = ended.icon = QString::fromLatin1(appName);
    ended.summary = task.getTitleName();
    ended.body = when;
    ended.hints.insert(QStringLiteral("desktop-entry"), ended.appName);
    // Most desktops have no notification service until the user installs one: its absence is no
    // fault of the widget's, and not worth a warning.
    if (!bus.isConnected()) {
        qCDebug(lcDesktop) << "No session bus: the end of the countdown of" << task.getID()
                           << "is not notified";
        return true;
    }
    Notifications::send(bus, Notifications::desktop(), ended, this, [](const QDBusMessage &reply) {
        if (reply.type() == QDBusMessage::ErrorMessage)
            qCDebug(lcDesktop) << "Countdown notification not shown:" << reply.errorName()
                               << reply.errorMessage();
    });
    return true;
}

void CountdownNotifier::load()
{
    if (std::exchange(loaded, true) || statePath.isEmpty())
        return;
    QFile file(statePath);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return;
    QTextStream in(&file);
    QString line;
    while (in.readLineInto(&line)) {
        const QStringList fields = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        bool ok[3] = {false, false, false};
        if (fields.size() != 3)
            continue;
        const Occurrence occurrence{fields.at(0).toInt(&ok[0]), fields.at(1).toInt(&ok[1]),
                                    fields.at(2).toLongLong(&ok[2])};
        if (ok[0] && ok[1] && ok[2])
            told.append(occurrence);
    }
}

void CountdownNotifier::save()
{
    const qint64 oldest = QDateTime::currentMSecsSinceEpoch() - qint64(keepDays) * 24 * 3600 * 1000;
    told.erase(std::remove_if(told.begin(), told.end(),
                              [oldest](const Occurrence &o) { return o.beginMs < oldest; }),
               told.end());
    if (statePath.isEmpty())
        return;
    QByteArray text;
    for (const Occurrence &o : std::as_const(told))
        text += QByteArray::number(o.id) + ' ' + QByteArray::number(o.recurId) + ' ' +
                QByteArray::number(o.beginMs) + '\n';
    QString error;
    if (!saveFileAtomically(statePath, text, &error))
        qCWarning(lcDesktop).noquote()
            << QStringLiteral("Cannot keep the notified countdowns in \"%1\": %2").arg(statePath, error);
}
