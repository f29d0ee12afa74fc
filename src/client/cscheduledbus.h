#ifndef SCHEDULE_CSCHEDULEDBUS_H
#define SCHEDULE_CSCHEDULEDBUS_H

#include "almanac.h"
#include "calendarcontract.h"
#include "scheduledatainfo.h"
#include "warnonce.h"

#include <QDBusAbstractInterface>
#include <QDBusMessage>
#include <QDBusPendingCall>

// The widget's client of the calendar data server. Every operation blocks until the server has
// answered (or the bus's reply timeout has passed) and reports failure by its result and one warning;
// GetJobs can also be sent without waiting (GetJobsAsync, readJobsReply).
class CScheduleDBus : public QDBusAbstractInterface
{
    Q_OBJECT
public:
    static CScheduleDBus *getInstance();
    static void releaseInstance();

    CScheduleDBus(const QString &service, const QString &path, const QDBusConnection &connection,
                  QObject *parent = nullptr);
    ~CScheduleDBus() override;

    static inline const char *staticInterfaceName() { return DBUS_SERVER_INTERFACE; }

    // Jobs of the days from start to end, both included, grouped by day. Empties `out` first.
    bool GetJobs(const QDate &start, const QDate &end, QMap<QDate, QVector<ScheduleDataInfo>> &out);
    QDBusPendingCall GetJobsAsync(const QDate &start, const QDate &end);
    // Reads the answer of GetJobsAsync as GetJobs reads its own: false, with the same one warning,
    // for an error or an answer that is no range. Empties `out` first.
    bool readJobsReply(const QDBusMessage &reply, QMap<QDate, QVector<ScheduleDataInfo>> &out);
    bool QueryJobs(const QString &key, const QDateTime &start, const QDateTime &end, QString &out);
    bool QueryJobs(const QString &key, const QDateTime &start, const QDateTime &end,
                   QMap<QDate, QVector<ScheduleDataInfo>> &out);
    bool GetJob(qint64 jobId, ScheduleDataInfo &out);
    qint64 CreateJob(const ScheduleDataInfo &info);
    bool UpdateJob(const ScheduleDataInfo &info);
    bool DeleteJob(qint64 jobId);
    // The server's calendars, in its order; false, `out` unchanged, when it cannot list them (one
    // older than the list answers UnknownMethod).
    bool GetCalendars(QVector<CalendarIdentity> &out);
    // GetCalendars without waiting, and its answer read as GetCalendars reads it.
    QDBusPendingCall GetCalendarsAsync();
    bool readCalendarsReply(const QDBusMessage &reply, QVector<CalendarIdentity> &out);

    bool GetFestivalMonth(quint32 year, quint32 month, QVector<_tagFestivalInfo> &out);
    bool GetHuangLiDay(const QDate &day, CaHuangLiDayInfo &out);
    bool GetHuangLiMonth(quint32 year, quint32 month, bool &fill, CaHuangLiMonthInfo &out);

Q_SIGNALS:
    void jobsUpdate();

public Q_SLOTS:
    void propertyChanged(const QDBusMessage &msg);

private:
    [[nodiscard]] bool callServer(const QString &member, const QVariantList &arguments,
                                  const char *failureText, QDBusMessage &reply);
    [[nodiscard]] bool callServerForText(const QString &member, const QVariantList &arguments,
                                         const char *failureText, QString &text);
    // The call and its wait; an answer that is no method reply is reported as a failure.
    [[nodiscard]] bool exchange(const QString &member, const QVariantList &arguments, const char *failureText,
                                QDBusMessage &reply);
    [[nodiscard]] bool isMethodReply(const QString &member, const char *failureText,
                                     const QDBusMessage &reply);
    // A text answer that must be a range; anything else is a failure of `member`.
    [[nodiscard]] bool readRange(const QString &member, const char *failureText, const QDBusMessage &reply,
                                 const QString &text, QMap<QDate, QVector<ScheduleDataInfo>> &out);
    // `cause` tells one failure from another; a cause the reply itself does not show is logged after it.
    void reportFailure(const QString &member, const QString &cause, const char *failureText,
                       const QDBusMessage &reply, bool causeShown = true);
    [[nodiscard]] bool queryJobs(const QString &key, const QDateTime &start, const QDateTime &end,
                                 QString &text);

    static CScheduleDBus *m_scheduleDBus;
    // The error of each member's last failed call, until it succeeds again: a server that stays
    // away fails every reload the same way, and that is worth one warning, not one per reload.
    WarnOnce m_lastFailures;
    // Unique bus name of the data server's current owner; only its "JobsUpdated" counts.
    QString m_serviceOwner;
};

#endif
