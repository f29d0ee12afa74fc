#include "cscheduledbus.h"

#include <QDBusConnectionInterface>
#include <QDBusPendingCall>
#include <QDBusReply>
#include <QDBusServiceWatcher>
#include <QDebug>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

[[nodiscard]] bool firstString(const QDBusMessage &reply, QString &text)
{
    const QVariantList arguments = reply.arguments();
    if (arguments.isEmpty() || arguments.first().userType() != QMetaType::QString)
        return false;
    text = arguments.first().toString();
    return true;
}

QVariant unsignedArgument(int value)
{
    return QVariant::fromValue(quint32(value));
}

QString currentOwner(const QDBusConnection &connection, const QString &service)
{
    const QDBusConnectionInterface *bus = connection.interface();
    if (!bus)
        return {};
    const QDBusReply<QString> owner = bus->serviceOwner(service);
    return owner.isValid() ? owner.value() : QString();
}

} // namespace

CScheduleDBus *CScheduleDBus::m_scheduleDBus = nullptr;

CScheduleDBus *CScheduleDBus::getInstance()
{
    if (!m_scheduleDBus) {
        m_scheduleDBus = new CScheduleDBus(QStringLiteral(DBUS_SERVER_NAME), QStringLiteral(DBUS_SERVER_PATH),
                                           QDBusConnection::sessionBus());
    }
    return m_scheduleDBus;
}

void CScheduleDBus::releaseInstance()
{
    delete m_scheduleDBus;
    m_scheduleDBus = nullptr;
}

// Sends the call and waits for it. A missing server or the bus's reply timeout come back as an
// error reply, which is logged after `failureText`.
bool CScheduleDBus::callServer(const QString &member, const QVariantList &arguments, const char *failureText,
                               QDBusMessage &reply)
{
    if (!exchange(member, arguments, failureText, reply))
        return false;
    m_lastFailures.forget(member);
    return true;
}

// As callServer, for the members that answer with a text. An answer that carries no text is a
// failure too, and said so: the message's debug form shows what came instead.
bool CScheduleDBus::callServerForText(const QString &member, const QVariantList &arguments,
                                      const char *failureText, QString &text)
{
    QDBusMessage reply;
    if (!exchange(member, arguments, failureText, reply))
        return false;
    if (!firstString(reply, text)) {
        reportFailure(member, QStringLiteral("answer of signature ") + reply.signature(), failureText, reply);
        return false;
    }
    m_lastFailures.forget(member);
    return true;
}

bool CScheduleDBus::exchange(const QString &member, const QVariantList &arguments, const char *failureText,
                             QDBusMessage &reply)
{
    QDBusPendingCall call = asyncCallWithArgumentList(member, arguments);
    call.waitForFinished();
    reply = call.reply();
    return isMethodReply(member, failureText, reply);
}

bool CScheduleDBus::isMethodReply(const QString &member, const char *failureText, const QDBusMessage &reply)
{
    if (reply.type() == QDBusMessage::ReplyMessage)
        return true;
    reportFailure(member,
                  reply.type() == QDBusMessage::ErrorMessage
                      ? reply.errorName() + QLatin1Char('\n') + reply.errorMessage()
                      : QStringLiteral("no reply message"),
                  failureText, reply);
    return false;
}

// A text that is no range would read as a calendar without jobs and wipe the list: it is a failure
// like an error reply, said once until the member succeeds again.
bool CScheduleDBus::readRange(const QString &member, const char *failureText, const QDBusMessage &reply,
                              const QString &text, QMap<QDate, QVector<ScheduleDataInfo>> &out)
{
    QString why;
    if (!ScheduleDataInfo::readRangeInfo(text, out, why)) {
        reportFailure(member, QStringLiteral("(an answer that is no range: ") + why + QLatin1Char(')'),
                      failureText, reply, false);
        return false;
    }
    m_lastFailures.forget(member);
    return true;
}

// Failures go to the default category, where the widget's callers have always looked for them.
// The same failure (cause) of the same member again, before that member has succeeded once more,
// is logged at debug level only: a server that stays broken must not fill the log at every reload.
void CScheduleDBus::reportFailure(const QString &member, const QString &cause, const char *failureText,
                                  const QDBusMessage &reply, bool causeShown)
{
    const QMessageLogger logger(QT_MESSAGELOG_FILE, QT_MESSAGELOG_LINE, QT_MESSAGELOG_FUNC);
    QDebug log = m_lastFailures.firstTime(member, cause) ? logger.warning() : logger.debug();
    log << failureText << reply;
    if (!causeShown)
        log.noquote() << cause;
}

CScheduleDBus::CScheduleDBus(const QString &service, const QString &path, const QDBusConnection &connection,
                             QObject *parent)
    : QDBusAbstractInterface(service, path, staticInterfaceName(), connection, parent)
{
    QDBusConnection bus = this->connection();
    if (!bus.connect(this->service(), this->path(), interface(), QString(), this,
                     SLOT(propertyChanged(QDBusMessage)))) {
        qWarning() << "the connection was fail!";
    }
    // A data server that starts late or restarts has jobs the widget has not seen yet.
    auto *watcher =
        new QDBusServiceWatcher(this->service(), bus, QDBusServiceWatcher::WatchForOwnerChange, this);
    connect(watcher, &QDBusServiceWatcher::serviceOwnerChanged, this,
            [this](const QString &, const QString &, const QString &newOwner) {
                m_serviceOwner = newOwner;
                if (!newOwner.isEmpty())
                    Q_EMIT jobsUpdate();
            });
    m_serviceOwner = currentOwner(bus, this->service());
}

CScheduleDBus::~CScheduleDBus()
{
    if (m_scheduleDBus == this)
        m_scheduleDBus = nullptr;
}

void CScheduleDBus::propertyChanged(const QDBusMessage &msg)
{
    if (msg.type() != QDBusMessage::SignalMessage ||
        msg.member() != QLatin1String(DBUS_SERVER_JOBS_UPDATED) || msg.path() != path() ||
        msg.interface() != interface()) {
        return;
    }
    // Any connection may send a signal with the server's path and interface; a reload storm from
    // one that does not own the name must not reach the widget.
    if (m_serviceOwner.isEmpty())
        m_serviceOwner = currentOwner(connection(), service());
    if (m_serviceOwner.isEmpty() || msg.service() != m_serviceOwner)
        return;
    Q_EMIT jobsUpdate();
}

namespace {
QVariantList rangeArguments(const QDate &start, const QDate &end)
{
    return {unsignedArgument(start.year()), unsignedArgument(start.month()), unsignedArgument(start.day()),
            unsignedArgument(end.year()),   unsignedArgument(end.month()),   unsignedArgument(end.day())};
}
} // namespace

bool CScheduleDBus::GetJobs(const QDate &start, const QDate &end, QMap<QDate, QVector<ScheduleDataInfo>> &out)
{
    out.clear();
    QDBusMessage reply;
    if (!exchange(QStringLiteral("GetJobs"), rangeArguments(start, end), "GetJobs err ,", reply))
        return false;
    return readJobsReply(reply, out);
}

QDBusPendingCall CScheduleDBus::GetJobsAsync(const QDate &start, const QDate &end)
{
    return asyncCallWithArgumentList(QStringLiteral("GetJobs"), rangeArguments(start, end));
}

bool CScheduleDBus::readJobsReply(const QDBusMessage &reply, QMap<QDate, QVector<ScheduleDataInfo>> &out)
{
    out.clear();
    const QString member = QStringLiteral("GetJobs");
    if (!isMethodReply(member, "GetJobs err ,", reply))
        return false;
    QString text;
    if (!firstString(reply, text)) {
        reportFailure(member, QStringLiteral("answer of signature ") + reply.signature(), "GetJobs err ,",
                      reply);
        return false;
    }
    return readRange(member, "GetJobs err ,", reply, text, out);
}

bool CScheduleDBus::queryJobs(const QString &key, const QDateTime &start, const QDateTime &end, QString &text)
{
    if (start.isNull() || end.isNull()) {
        qWarning() << "starttime or endtime is not Valid";
        return false;
    }
    const QJsonObject query{{QStringLiteral("Key"), key},
                            {QStringLiteral("Start"), ScheduleDataInfo::DateTimeToStringDate(start)},
                            {QStringLiteral("End"), ScheduleDataInfo::DateTimeToStringDate(end)}};
    const QByteArray json = QJsonDocument(query).toJson(QJsonDocument::Compact);
    return callServerForText(QStringLiteral("QueryJobs"), {QString::fromUtf8(json.constData())},
                             "QueryJobs err ,", text);
}

bool CScheduleDBus::QueryJobs(const QString &key, const QDateTime &start, const QDateTime &end, QString &out)
{
    out.clear();
    return queryJobs(key, start, end, out);
}

bool CScheduleDBus::QueryJobs(const QString &key, const QDateTime &start, const QDateTime &end,
                              QMap<QDate, QVector<ScheduleDataInfo>> &out)
{
    QString text;
    if (!queryJobs(key, start, end, text))
        return false;
    return readRange(QStringLiteral("QueryJobs"), "QueryJobs err ,", QDBusMessage(), text, out);
}

bool CScheduleDBus::GetJob(qint64 jobId, ScheduleDataInfo &out)
{
    QString text;
    if (!callServerForText(QStringLiteral("GetJob"), {QVariant::fromValue(jobId)}, "GetJob err ,", text))
        return false;
    out = ScheduleDataInfo::JsonStrToSchedule(text);
    return true;
}

bool CScheduleDBus::GetCalendars(QVector<CalendarIdentity> &out)
{
    QDBusPendingCall call = GetCalendarsAsync();
    call.waitForFinished();
    return readCalendarsReply(call.reply(), out);
}

QDBusPendingCall CScheduleDBus::GetCalendarsAsync()
{
    return asyncCall(QStringLiteral("GetCalendars"));
}

bool CScheduleDBus::readCalendarsReply(const QDBusMessage &reply, QVector<CalendarIdentity> &out)
{
    const QString member = QStringLiteral("GetCalendars");
    if (!isMethodReply(member, "GetCalendars err ,", reply))
        return false;
    QString text;
    if (!firstString(reply, text)) {
        reportFailure(member, QStringLiteral("answer of signature ") + reply.signature(),
                      "GetCalendars err ,", reply);
        return false;
    }
    QString why;
    if (!CalendarIdentity::readList(text, out, why)) {
        reportFailure(member, QStringLiteral("(an answer that is no list of calendars: ") + why + QLatin1Char(')'),
                      "GetCalendars err ,", QDBusMessage(), false);
        return false;
    }
    m_lastFailures.forget(member);
    return true;
}

qint64 CScheduleDBus::CreateJob(const ScheduleDataInfo &info)
{
    if (!info.isValid()) {
        qWarning() << "this is not a valid info :" << info << "  createJob Err";
        return -1;
    }
    QDBusMessage reply;
    if (!callServer(QStringLiteral("CreateJob"), {ScheduleDataInfo::ScheduleToJsonStr(info)},
                    "createJob err ,", reply)) {
        return -1;
    }
    const QVariantList arguments = reply.arguments();
    if (arguments.isEmpty() || arguments.first().userType() != QMetaType::LongLong)
        return 0;
    return arguments.first().toLongLong();
}

bool CScheduleDBus::UpdateJob(const ScheduleDataInfo &info)
{
    QDBusMessage reply;
    return callServer(QStringLiteral("UpdateJob"), {ScheduleDataInfo::ScheduleToJsonStr(info)},
                      "UpdateJob err ,", reply);
}

bool CScheduleDBus::DeleteJob(qint64 jobId)
{
    QDBusMessage reply;
    return callServer(QStringLiteral("DeleteJob"), {QVariant::fromValue(jobId)}, "DeleteJob err ,", reply);
}

bool CScheduleDBus::GetFestivalMonth(quint32 year, quint32 month, QVector<_tagFestivalInfo> &out)
{
    QString text;
    if (!callServerForText(QStringLiteral("GetFestivalMonth"),
                           {QVariant::fromValue(year), QVariant::fromValue(month)}, "GetFestivalMonth err ,",
                           text)) {
        return false;
    }
    return _tagFestivalInfo::appendFromJson(text, int(year), out);
}

bool CScheduleDBus::GetHuangLiDay(const QDate &day, CaHuangLiDayInfo &out)
{
    const QVariantList arguments{unsignedArgument(day.year()), unsignedArgument(day.month()),
                                 unsignedArgument(day.day())};
    QString text;
    if (!callServerForText(QStringLiteral("GetHuangLiDay"), arguments, "GetHuangLiDay err ,", text))
        return false;
    bool ok = false;
    out.strJsonToInfo(text, ok);
    return ok;
}

bool CScheduleDBus::GetHuangLiMonth(quint32 year, quint32 month, bool &fill, CaHuangLiMonthInfo &out)
{
    const QVariantList arguments{QVariant::fromValue(year), QVariant::fromValue(month),
                                 QVariant::fromValue(fill)};
    QString text;
    if (!callServerForText(QStringLiteral("GetHuangLiMonth"), arguments, "GetHuangLiMonth err ,", text))
        return false;
    bool ok = false;
    out.strJsonToInfo(text, ok);
    return ok;
}
