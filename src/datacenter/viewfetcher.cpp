#include "viewfetcher.h"

#include "cscheduledbus.h"
#include "datacenter.h"
#include "dayclock.h"

#include <QDBusPendingCallWatcher>
#include <QTimer>

#include <utility>

ViewFetcher::ViewFetcher(QObject *parent)
    : QObject(parent)
    , readTimer(new QTimer(this))
{
    // A timer, not a queued call (as QTimer::singleShot(0) makes): what is posted meanwhile is
    // delivered in one go, the other answer of the view included, and the readings ran back to back.
    readTimer->setSingleShot(true);
    readTimer->setInterval(0);
    connect(readTimer, &QTimer::timeout, this, &ViewFetcher::readAnswer);
}

void ViewFetcher::fetch(DisplayInfo view)
{
    if (inFlight) {
        queued = true;
        queuedView = view;
        return;
    }
    start(view);
}

void ViewFetcher::start(DisplayInfo view)
{
    inFlight = true;
    inFlightView = view;
    ++round;
    anyFailed = false;
    unread.clear();
    readTimer->stop();
    const QVector<DayRange> ranges = rangesOf(view, DataCenter::instance()->clock()->today());
    answers = QVector<DayMap>(ranges.size());
    outstanding = ranges.size();
    if (ranges.isEmpty()) {
        // Answered without asking: still later, as every answer is, so that callers see one order.
        QTimer::singleShot(0, this, [this, sent = round] {
            if (sent == round)
                finish();
        });
        return;
    }
    for (int i = 0; i < ranges.size(); ++i)
        watch(CScheduleDBus::getInstance()->GetJobsAsync(ranges.at(i).first, ranges.at(i).last), i);
}

void ViewFetcher::watch(const QDBusPendingCall &call, int index)
{
    const quint64 sent = round;
    if (call.isFinished()) {
        // Without a bus the call fails before it is sent, and a watcher would never hear of it.
        QTimer::singleShot(0, this, [this, sent, index, reply = call.reply()] {
            if (sent == round)
                onAnswer(index, reply);
        });
        return;
    }
    auto *watcher = new QDBusPendingCallWatcher(call, this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this, sent, index](QDBusPendingCallWatcher *w) {
                w->deleteLater();
                if (sent == round)
                    onAnswer(index, w->reply());
            });
}

void ViewFetcher::onAnswer(int index, const QDBusMessage &reply)
{
    unread.append({index, reply});
    readTimer->start();
}

void ViewFetcher::readAnswer()
{
    if (!unread.isEmpty()) {
        const auto [index, reply] = unread.takeFirst();
        if (!CScheduleDBus::getInstance()->readJobsReply(reply, answers[index]))
            anyFailed = true;
        --outstanding;
        // Choosing the view's tasks and handing them on wait for the next turn as well.
        if (!unread.isEmpty() || outstanding == 0)
            readTimer->start();
        return;
    }
    if (outstanding == 0)
        finish();
}

void ViewFetcher::finish()
{
    inFlight = false;
    const DisplayInfo view = inFlightView;
    const QVector<DayMap> done = std::exchange(answers, {});
    const bool hasQueued = std::exchange(queued, false);
    // The answers of a view no longer wanted are dropped; those of the wanted one are shown while it
    // is fetched again.
    if (!hasQueued || queuedView == view) {
        if (anyFailed)
            Q_EMIT failed(view);
        else
            Q_EMIT fetched(view, selectTasks(view, done));
    }
    // A receiver that asked for a view meanwhile has started a newer round than the queued one.
    if (hasQueued && !inFlight)
        start(queuedView);
}
