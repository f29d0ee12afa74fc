#ifndef SCHEDULE_VIEWFETCHER_H
#define SCHEDULE_VIEWFETCHER_H

#include "displayselection.h"

#include <QObject>
#include <QVector>

class QDBusMessage;
class QDBusPendingCall;

// Fetches the tasks of a view from the data server without waiting for it. One view is fetched at a
// time: a view asked for meanwhile is fetched when the answers in flight are in, and those answers
// are dropped unless they are for that same view. A view is only ever handed out whole.
class ViewFetcher : public QObject
{
    Q_OBJECT
public:
    explicit ViewFetcher(QObject *parent = nullptr);

    void fetch(DisplayInfo view);

Q_SIGNALS:
    void fetched(DisplayInfo view, const QVector<ListedTask> &tasks);
    // A fetch of the view failed (the client has said why); the last list is better kept.
    void failed(DisplayInfo view);

private:
    void start(DisplayInfo view);
    void watch(const QDBusPendingCall &call, int index);
    void onAnswer(int index, const QDBusMessage &reply);
    void finish();

    bool inFlight = false;
    bool queued = false;
    DisplayInfo inFlightView = DisplayOverview;
    DisplayInfo queuedView = DisplayOverview;
    // Which round of fetches an answer belongs to; a late answer of an earlier round is ignored.
    quint64 round = 0;
    int outstanding = 0;
    bool anyFailed = false;
    QVector<DayMap> answers;
};

#endif
