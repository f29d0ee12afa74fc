#ifndef DATASERVER_CALENDARADAPTOR_H
#define DATASERVER_CALENDARADAPTOR_H

#include "calendarcontract.h"
#include "calendarstore.h"

#include <QDBusAbstractAdaptor>
#include <QDBusConnection>
#include <QDBusMessage>

#include <memory>

class Holidays;

// The data server's D-Bus interface. Failures answer with D-Bus errors: InvalidArgs for malformed
// input, and errors under "com.norvale.dataserver.Calendar.Error." for the rest.
class CalendarAdaptor : public QDBusAbstractAdaptor
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", DBUS_SERVER_INTERFACE)
public:
    CalendarAdaptor(CalendarStore *store, const Holidays *holidays, const QDBusConnection &connection,
                    QObject *parent);

    // The longest range one request may ask for; longer ones are refused, not served slowly.
    static constexpr int maxRangeDays = 3700;

public Q_SLOTS:
    QString GetJobs(uint startYear, uint startMonth, uint startDay, uint endYear, uint endMonth, uint endDay,
                    const QDBusMessage &message);
    QString QueryJobs(const QString &query, const QDBusMessage &message);
    QString GetJob(qint64 id, const QDBusMessage &message);
    qint64 CreateJob(const QString &job, const QDBusMessage &message);
    void UpdateJob(const QString &job, const QDBusMessage &message);
    void DeleteJob(qint64 id, const QDBusMessage &message);
    // The user's answer to the invitation of job `id`: "accepted", "tentative", "declined" or
    // "needs-action".
    void ReplyToJob(qint64 id, const QString &reply, const QDBusMessage &message);
    // Completes or reopens the to-do `id`; of a repeating one the occurrence `recurId`, as its
    // job's RecurID names it.
    void SetJobCompleted(qint64 id, int recurId, bool completed, const QDBusMessage &message);
    // The calendars served, as a JSON array of CalendarIdentity objects.
    QString GetCalendars();
    QString GetFestivalMonth(uint year, uint month, const QDBusMessage &message);
    QString GetHuangLiDay(uint year, uint month, uint day, const QDBusMessage &message);
    QString GetHuangLiMonth(uint year, uint month, bool withDays, const QDBusMessage &message);

Q_SIGNALS:
    void JobsUpdated();

private:
    void fail(const QDBusMessage &message, const QString &name, const QString &text) const;
    void invalid(const QDBusMessage &message, const QString &text) const;
    template<typename Result> bool failed(const QDBusMessage &message, const Result &result) const;
    struct Edit;
    CalendarStore::Done answer(const std::shared_ptr<Edit> &edit, const QDBusMessage &message,
                               bool withId) const;
    // True when the edit is answered by a delayed reply, or was answered with an error.
    bool answeredLater(Edit &edit, const QDBusMessage &message) const;

    CalendarStore *m_store;
    const Holidays *m_holidays;
    QDBusConnection m_connection;
};

#endif
