#include "calendaradaptor.h"

#include "calendarstore.h"
#include "holidays.h"

#include <QJsonDocument>
#include <QJsonObject>

namespace {

QDate dateOf(uint year, uint month, uint day)
{
    if (year > 9999 || month > 12 || day > 31)
        return QDate();
    return QDate(int(year), int(month), int(day));
}

QString errorName(CalendarStore::Status status)
{
    switch (status) {
    case CalendarStore::Status::NotFound:
        return QStringLiteral(DBUS_SERVER_ERROR "NotFound");
    case CalendarStore::Status::InvalidArgument:
        return QStringLiteral("org.freedesktop.DBus.Error.InvalidArgs");
    case CalendarStore::Status::NoCalendar:
        return QStringLiteral(DBUS_SERVER_ERROR "NoCalendar");
    case CalendarStore::Status::Unreadable:
        return QStringLiteral(DBUS_SERVER_ERROR "Unreadable");
    case CalendarStore::Status::TooLarge:
        return QStringLiteral("org.freedesktop.DBus.Error.LimitsExceeded");
    case CalendarStore::Status::ReadOnly:
        return QStringLiteral(DBUS_SERVER_ERROR "ReadOnly");
    case CalendarStore::Status::ChangedOnDisk:
        return QStringLiteral(DBUS_SERVER_ERROR "ChangedOnDisk");
    case CalendarStore::Status::WriteFailed:
    case CalendarStore::Status::Ok:
        break;
    }
    return QStringLiteral(DBUS_SERVER_ERROR "WriteFailed");
}

bool readObject(const QString &text, QJsonObject *object, QString *why)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(text.toUtf8(), &error);
    if (error.error != QJsonParseError::NoError) {
        *why = error.errorString();
        return false;
    }
    if (!document.isObject()) {
        *why = QStringLiteral("not a JSON object");
        return false;
    }
    *object = document.object();
    return true;
}

} // namespace

CalendarAdaptor::CalendarAdaptor(CalendarStore *store, const Holidays *holidays,
                                 const QDBusConnection &connection, QObject *parent)
    : QDBusAbstractAdaptor(parent)
    , m_store(store)
    , m_holidays(holidays)
    , m_connection(connection)
{
    connect(store, &CalendarStore::jobsChanged, this, &CalendarAdaptor::JobsUpdated);
}

void CalendarAdaptor::fail(const QDBusMessage &message, const QString &name, const QString &text) const
{
    message.setDelayedReply(true);
    m_connection.send(message.createErrorReply(name, text));
}

void CalendarAdaptor::invalid(const QDBusMessage &message, const QString &text) const
{
    fail(message, errorName(CalendarStore::Status::InvalidArgument), text);
}

template<typename Result>
bool CalendarAdaptor::failed(const QDBusMessage &message, const Result &result) const
{
    if (result.ok())
        return false;
    fail(message, errorName(result.status), result.message);
    return true;
}

QString CalendarAdaptor::GetJobs(uint startYear, uint startMonth, uint startDay, uint endYear, uint endMonth,
                                 uint endDay, const QDBusMessage &message)
{
    const QDate first = dateOf(startYear, startMonth, startDay);
    const QDate last = dateOf(endYear, endMonth, endDay);
    if (!first.isValid() || !last.isValid()) {
        invalid(message, QStringLiteral("GetJobs needs two valid dates"));
        return QString();
    }
    if (first.daysTo(last) > maxRangeDays) {
        invalid(message, QStringLiteral("GetJobs serves at most %1 days at once").arg(maxRangeDays));
        return QString();
    }
    CalendarStore::Result result;
    const QString json = m_store->jobsJson(first, last, &result);
    failed(message, result);
    return json;
}

QString CalendarAdaptor::QueryJobs(const QString &query, const QDBusMessage &message)
{
    QJsonObject object;
    QString why;
    if (!readObject(query, &object, &why)) {
        invalid(message, QStringLiteral("QueryJobs: %1").arg(why));
        return QString();
    }
    const QDateTime start =
        ScheduleDataInfo::StringDateToDateTime(object.value(QLatin1String("Start")).toString());
    const QDateTime end =
        ScheduleDataInfo::StringDateToDateTime(object.value(QLatin1String("End")).toString());
    if (!start.isValid() || !end.isValid()) {
        invalid(message, QStringLiteral("QueryJobs needs a valid Start and End"));
        return QString();
    }
    if (start.daysTo(end) > maxRangeDays) {
        invalid(message, QStringLiteral("QueryJobs serves at most %1 days at once").arg(maxRangeDays));
        return QString();
    }
    CalendarStore::Result result;
    const QString json =
        m_store->queryJson(object.value(QLatin1String("Key")).toString(), start, end, &result);
    failed(message, result);
    return json;
}

QString CalendarAdaptor::GetJob(qint64 id, const QDBusMessage &message)
{
    ScheduleDataInfo info;
    if (failed(message, m_store->job(id, info)))
        return QString();
    return ScheduleDataInfo::ScheduleToJsonStr(info);
}

// The reply to an edit: the method's own return when the store answered before the slot returned
// (a file's), else a delayed reply sent when it does (EDS's), so that the loop serves other calls
// meanwhile.
struct CalendarAdaptor::Edit
{
    bool inSlot = true;
    bool answered = false;
    CalendarStore::Result result;
};

CalendarStore::Done CalendarAdaptor::answer(const std::shared_ptr<Edit> &edit, const QDBusMessage &message,
                                            bool withId) const
{
    return [this, edit, message, withId](const CalendarStore::Result &result) {
        if (edit->inSlot) {
            edit->answered = true;
            edit->result = result;
            return;
        }
        if (!result.ok())
            m_connection.send(message.createErrorReply(errorName(result.status), result.message));
        else if (withId)
            m_connection.send(message.createReply(QVariant::fromValue(result.id)));
        else
            m_connection.send(message.createReply());
    };
}

bool CalendarAdaptor::answeredLater(Edit &edit, const QDBusMessage &message) const
{
    edit.inSlot = false;
    if (!edit.answered) {
        message.setDelayedReply(true);
        return true;
    }
    return failed(message, edit.result);
}

qint64 CalendarAdaptor::CreateJob(const QString &job, const QDBusMessage &message)
{
    QJsonObject object;
    QString why;
    if (!readObject(job, &object, &why)) {
        invalid(message, QStringLiteral("CreateJob: %1").arg(why));
        return 0;
    }
    const auto edit = std::make_shared<Edit>();
    m_store->createJob(ScheduleDataInfo::JsonToSchedule(object), answer(edit, message, true));
    if (answeredLater(*edit, message))
        return 0;
    return edit->result.id;
}

void CalendarAdaptor::UpdateJob(const QString &job, const QDBusMessage &message)
{
    QJsonObject object;
    QString why;
    if (!readObject(job, &object, &why)) {
        invalid(message, QStringLiteral("UpdateJob: %1").arg(why));
        return;
    }
    const auto scope = object.value(QLatin1String("ThisOccurrenceOnly")).toBool()
                           ? CalendarStore::Scope::ThisOccurrence
                           : CalendarStore::Scope::AsStored;
    const auto edit = std::make_shared<Edit>();
    m_store->updateJob(ScheduleDataInfo::JsonToSchedule(object), scope, answer(edit, message, false));
    answeredLater(*edit, message);
}

void CalendarAdaptor::DeleteJob(qint64 id, const QDBusMessage &message)
{
    const auto edit = std::make_shared<Edit>();
    m_store->deleteJob(id, answer(edit, message, false));
    answeredLater(*edit, message);
}

void CalendarAdaptor::ReplyToJob(qint64 id, const QString &reply, const QDBusMessage &message)
{
    const auto edit = std::make_shared<Edit>();
    m_store->replyToJob(id, reply, answer(edit, message, false));
    answeredLater(*edit, message);
}

void CalendarAdaptor::SetJobCompleted(qint64 id, int recurId, bool completed, const QDBusMessage &message)
{
    const auto edit = std::make_shared<Edit>();
    m_store->setJobCompleted(id, recurId, completed, answer(edit, message, false));
    answeredLater(*edit, message);
}

QString CalendarAdaptor::GetCalendars()
{
    return CalendarIdentity::listToJson(m_store->calendars());
}

QString CalendarAdaptor::GetFestivalMonth(uint year, uint month, const QDBusMessage &message)
{
    if (!dateOf(year, month, 1).isValid()) {
        invalid(message, QStringLiteral("GetFestivalMonth needs a valid year and month"));
        return QString();
    }
    return m_holidays->festivalMonthJson(int(year), int(month));
}

QString CalendarAdaptor::GetHuangLiDay(uint year, uint month, uint day, const QDBusMessage &message)
{
    const QDate date = dateOf(year, month, day);
    if (!date.isValid()) {
        invalid(message, QStringLiteral("GetHuangLiDay needs a valid date"));
        return QString();
    }
    return m_holidays->dayJson(date);
}

QString CalendarAdaptor::GetHuangLiMonth(uint year, uint month, bool withDays, const QDBusMessage &message)
{
    if (!dateOf(year, month, 1).isValid()) {
        invalid(message, QStringLiteral("GetHuangLiMonth needs a valid year and month"));
        return QString();
    }
    return m_holidays->monthJson(int(year), int(month), withDays);
}
