#ifndef SCHEDULE_VIEWFETCHER_H
#define SCHEDULE_VIEWFETCHER_H

#include "displayselection.h"

#include <QDBusMessage>
#include <QObject>
#include <QVector>

#include <utility>

class QDBusPendingCall;
class QTimer;

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
    void readAnswer();
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
    // Answers in, still to be read: one a turn of the event loop, since reading a thousand tasks'
    // answer takes a few milliseconds and the answers of one view tend to come in together.
    QVector<std::pair<int, QDBusMessage>> unread;
    QTimer *readTimer;
};

#endif
