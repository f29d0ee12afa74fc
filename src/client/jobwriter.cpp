#include "jobwriter.h"

#include "calendarcontract.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>

JobWriter::JobWriter(QObject *parent, const QDBusConnection &bus)
    : QObject(parent)
    , bus(bus)
{
}

bool JobWriter::create(const ScheduleDataInfo &job)
{
    return send(QStringLiteral("CreateJob"), {ScheduleDataInfo::ScheduleToJsonStr(job)});
}

bool JobWriter::update(const ScheduleDataInfo &job, bool thisOccurrenceOnly)
{
    QString text = ScheduleDataInfo::ScheduleToJsonStr(job);
    if (thisOccurrenceOnly)
        text.insert(text.size() - 1, QLatin1String(",\"ThisOccurrenceOnly\":true"));
    return send(QStringLiteral("UpdateJob"), {text});
}

bool JobWriter::remove(qint64 id)
{
    return send(QStringLiteral("DeleteJob"), {id});
}

bool JobWriter::reply(qint64 id, const QString &answer)
{
    return send(QStringLiteral("ReplyToJob"), {id, answer});
}

bool JobWriter::complete(qint64 id, int recurId, bool completed)
{
    return send(QStringLiteral("SetJobCompleted"), {id, recurId, completed});
}

JobWriter::Failure JobWriter::failureOf(const QString &errorName)
{
    const QString own = QStringLiteral(DBUS_SERVER_ERROR);
    if (errorName == own + QLatin1String("ReadOnly"))
        return Failure::ReadOnly;
    if (errorName == own + QLatin1String("ChangedOnDisk"))
        return Failure::ChangedOnDisk;
    if (errorName == own + QLatin1String("NotFound"))
        return Failure::NotFound;
    if (errorName == QLatin1String("org.freedesktop.DBus.Error.InvalidArgs"))
        return Failure::Refused;
    if (errorName == QLatin1String("org.freedesktop.DBus.Error.ServiceUnknown") ||
        errorName == QLatin1String("org.freedesktop.DBus.Error.NoReply") ||
        errorName == QLatin1String("org.freedesktop.DBus.Error.Timeout") ||
        errorName == QLatin1String("org.freedesktop.DBus.Error.Disconnected") ||
        errorName == QLatin1String("org.freedesktop.DBus.Error.NameHasNoOwner"))
        return Failure::NoServer;
    return Failure::Other;
}

bool JobWriter::send(const QString &member, const QVariantList &arguments)
{
    if (pending)
        return false;
    QDBusMessage call =
        QDBusMessage::createMethodCall(QStringLiteral(DBUS_SERVER_NAME), QStringLiteral(DBUS_SERVER_PATH),
                                       QStringLiteral(DBUS_SERVER_INTERFACE), member);
    call.setArguments(arguments);
    pending = new QDBusPendingCallWatcher(bus.asyncCall(call), this);
    connect(pending, &QDBusPendingCallWatcher::finished, this, &JobWriter::onReply);
    return true;
}

void JobWriter::onReply(QDBusPendingCallWatcher *watcher)
{
    pending = nullptr;
    watcher->deleteLater();
    const QDBusMessage reply = watcher->reply();
    Answer answer;
    if (reply.type() == QDBusMessage::ErrorMessage) {
        answer.failure = failureOf(reply.errorName());
        answer.detail = reply.errorMessage().isEmpty() ? reply.errorName() : reply.errorMessage();
    } else if (reply.type() != QDBusMessage::ReplyMessage) {
        answer.failure = Failure::Other;
    } else if (!reply.arguments().isEmpty()) {
        answer.id = reply.arguments().constFirst().toLongLong();
    }
    Q_EMIT finished(answer);
}
