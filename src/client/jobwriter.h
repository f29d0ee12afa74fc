#ifndef SCHEDULE_JOBWRITER_H
#define SCHEDULE_JOBWRITER_H

#include "scheduledatainfo.h"

#include <QDBusConnection>
#include <QObject>

class QDBusPendingCallWatcher;

// Changes to the data server's jobs, sent without waiting: the window that asks stays responsive,
// and learns the answer from finished(). One change at a time; a change asked for while another
// is on its way is refused (isBusy()).
class JobWriter : public QObject
{
    Q_OBJECT
public:
    // What stood in the way, as far as the data server tells it apart.
    enum class Failure { None, ReadOnly, ChangedOnDisk, NotFound, NoServer, Refused, Other };
    struct Answer
    {
        Failure failure = Failure::None;
        QString detail; // the server's own words, for the log
        qint64 id = 0;  // a created job's id
        bool ok() const { return failure == Failure::None; }
    };

    explicit JobWriter(QObject *parent = nullptr, const QDBusConnection &bus = QDBusConnection::sessionBus());

    bool isBusy() const { return pending != nullptr; }
    bool create(const ScheduleDataInfo &job);
    // `thisOccurrenceOnly`: an occurrence of a series is changed alone, as an exception of its own.
    bool update(const ScheduleDataInfo &job, bool thisOccurrenceOnly);
    bool remove(qint64 id);
    // The user's answer to the invitation: "accepted", "tentative" or "declined".
    bool reply(qint64 id, const QString &answer);
    // A to-do completed or reopened in its calendar; of a repeating one, the occurrence `recurId`.
    bool complete(qint64 id, int recurId, bool completed);

    static Failure failureOf(const QString &errorName);

Q_SIGNALS:
    void finished(const JobWriter::Answer &answer);

private:
    bool send(const QString &member, const QVariantList &arguments);
    void onReply(QDBusPendingCallWatcher *watcher);

    QDBusConnection bus;
    QDBusPendingCallWatcher *pending = nullptr;
};

#endif
