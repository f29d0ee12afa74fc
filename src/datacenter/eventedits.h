#ifndef SCHEDULE_EVENTEDITS_H
#define SCHEDULE_EVENTEDITS_H

#include "scheduledatainfo.h"

#include <QObject>

class JobWriter;

// The user's changes to events, sent to the data server without waiting; the widget's own state
// of the task follows a change that succeeded (a renamed task keeps its tick and mode, a deleted
// one's leave). One change at a time: another is refused while one is on its way.
class EventEdits : public QObject
{
    Q_OBJECT
public:
    enum class Outcome { Done, ReadOnly, ChangedOnDisk, Gone, NoServer, Refused, Failed };
    // For an occurrence of a repeating event: the whole series, or this occurrence alone.
    enum class Scope { Series, ThisOccurrence };

    explicit EventEdits(QObject *parent = nullptr);

    bool isBusy() const;
    bool create(const ScheduleDataInfo &job);
    // `before`: the occurrence as the list showed it; `after`: the same, changed.
    bool change(const ScheduleDataInfo &before, const ScheduleDataInfo &after, Scope scope);
    bool remove(const ScheduleDataInfo &task, Scope scope);
    // The user's answer to the task's invitation: "accepted", "tentative" or "declined".
    bool reply(const ScheduleDataInfo &task, const QString &answer);
    // A to-do's tick in its calendar: completed, or open again.
    bool complete(const ScheduleDataInfo &todo, bool completed);
    // The same as remove(), waiting for the answer: for a deletion still pending when the widget quits.
    static bool removeNow(const ScheduleDataInfo &task, Scope scope);

Q_SIGNALS:
    // `detail`: the server's own words, for the log.
    void finished(EventEdits::Outcome outcome, const QString &detail);

private:
    JobWriter *writer;
    ScheduleDataInfo before;
    QString newTitle;
    bool wholeSeries = false;
    enum class Kind { Create, Change, Remove, Reply, Complete } kind = Kind::Create;
};

#endif
