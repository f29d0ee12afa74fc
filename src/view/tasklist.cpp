#include "tasklist.h"

#include "datacenter.h"
#include "taskitem.h"

#include <QEventLoop>
#include <QPointer>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>

namespace {
// A fade lasts 300 ms; should the first old item never report the end of its fade, the
// replacement still goes ahead rather than leaving the list stuck on its old items.
constexpr int fadeWaitLimitMs = 3000;

int modeRank(const TaskItem *item)
{
    const int mode = item->getMode();
    return mode == TaskItem::ModeRemind ? int(TaskItem::ModeNormal) : mode;
}

bool goesBefore(const TaskItem *a, const TaskItem *b)
{
    if (a->isChecked() != b->isChecked())
        return !a->isChecked();
    const int rankA = modeRank(a);
    const int rankB = modeRank(b);
    if (rankA != rankB)
        return rankA > rankB;
    return a->getBeginDateTime() < b->getBeginDateTime();
}

bool isCountingDown(const TaskItem *item)
{
    const int mode = item->getMode();
    return mode == TaskItem::ModeCountdown || mode == TaskItem::ModeCountdownFinal;
}
} // namespace

void InsertionSort(QList<TaskItem *>::iterator begin, QList<TaskItem *>::iterator end)
{
    if (begin == end)
        return;
    for (auto i = begin + 1; i != end; ++i) {
        for (auto j = i; j != begin && goesBefore(*j, *(j - 1)); --j)
            std::iter_swap(j, j - 1);
    }
}

TaskList::TaskList(QWidget *parent)
    : QWidget(parent)
    , itemLayout(new QVBoxLayout(this))
    , refreshTimer(new QTimer(this))
    , countdownTimer(new QTimer(this))
{
    itemLayout->setSpacing(10);
    // As wide as its items even while it has none: the scroll area around it sizes itself once.
    const QMargins margins = itemLayout->contentsMargins();
    setFixedWidth(TaskItem::itemWidth + margins.left() + margins.right());

    refreshTimer->setInterval(refreshIntervalMs);
    connect(refreshTimer, &QTimer::timeout, this, &TaskList::freshTaskItems);
    refreshTimer->start();

    countdownTimer->setInterval(countdownIntervalMs);
    connect(countdownTimer, &QTimer::timeout, this, &TaskList::freshCountdownTaskItems);
    countdownTimer->start();
}

void TaskList::setTasks(const QVector<ScheduleDataInfo> &tasks)
{
    QVector<ListedTask> listed;
    listed.reserve(tasks.size());
    for (const ScheduleDataInfo &info : tasks)
        listed.append(ListedTask{info, DataCenter::instance()->getExtendedData(info)});
    setListedTasks(listed);
}

void TaskList::setListedTasks(const QVector<ListedTask> &tasks)
{
    // Only one call at a time may wait in the loop below: a second one would cut the first one's
    // connection to its loop. Later requests leave their tasks here, and the waiting call shows
    // the newest of them.
    pendingTasks = tasks;
    if (waitingForFade)
        return;

    refreshTimer->stop();
    countdownTimer->stop();

    if (!items.isEmpty()) {
        for (TaskItem *item : qAsConst(items)) {
            disconnect(item, &TaskItem::faded, nullptr, nullptr);
            item->fadeAnimate();
        }

        QEventLoop loop;
        connect(items.first(), &TaskItem::faded, &loop, &QEventLoop::quit);
        QTimer::singleShot(fadeWaitLimitMs, &loop, &QEventLoop::quit);
        const QPointer<TaskList> alive(this);
        waitingForFade = true;
        loop.exec();
        if (!alive)
            return;
        waitingForFade = false;

        itemLayout->setEnabled(false);
        for (TaskItem *item : qAsConst(items)) {
            item->hide();
            itemLayout->removeWidget(item);
            item->deleteLater();
        }
        itemLayout->setEnabled(true);
    }
    items.clear();

    const QVector<ListedTask> latest = std::exchange(pendingTasks, {});
    for (const ListedTask &task : latest) {
        auto *item = new TaskItem(nullptr);
        item->setTask(task.info, task.state);
        connect(item, &TaskItem::faded, this, &TaskList::onItemFaded);
        connect(item, &TaskItem::stateChanged, this, &TaskList::moveTaskItems);
        items.append(item);
    }

    InsertionSort(items.begin(), items.end());

    // Showing a child of a visible list lays the whole list out again: with the layout on, a list
    // of n items cost n layouts of up to n items (see bench_settasks). One layout pass follows.
    // Each child shown on a visible list also asks the display server where the pointer is (for
    // enter and leave events): the list is filled hidden and shown once, a single such question.
    const bool shown = isVisible();
    if (shown)
        hide();
    itemLayout->setEnabled(false);
    for (TaskItem *item : qAsConst(items)) {
        itemLayout->addWidget(item);
        item->show();
        item->bloomAnimate();
    }
    itemLayout->setEnabled(true);
    itemLayout->activate();
    freshTabOrder();

    adjustSize();
    if (shown)
        show();

    refreshTimer->start();
    countdownTimer->start();
}

void TaskList::freshTaskItems()
{
    // refreshMode may re-sort the list under us.
    const QList<TaskItem *> snapshot = items;
    for (TaskItem *item : snapshot) {
        if (!isCountingDown(item))
            item->refreshMode();
    }
}

void TaskList::freshCountdownTaskItems()
{
    const QList<TaskItem *> snapshot = items;
    for (TaskItem *item : snapshot) {
        if (!isCountingDown(item))
            break;
        item->onCountdown();
    }
}

void TaskList::moveTaskItems()
{
    auto *item = qobject_cast<TaskItem *>(sender());
    Q_ASSERT_X(item, "TaskList::moveTaskItems", "item");
    if (!item)
        return;

    const int before = items.indexOf(item);
    InsertionSort(items.begin(), items.end());
    if (items.indexOf(item) != before)
        item->fadeAnimate();
}

void TaskList::onItemFaded()
{
    auto *item = qobject_cast<TaskItem *>(sender());
    Q_ASSERT_X(item, "TaskList::onItemFaded", "item");
    if (!item)
        return;

    const int index = items.indexOf(item);
    if (index < 0)
        return;
    itemLayout->removeWidget(item);
    itemLayout->insertWidget(index, item);
    item->bloomAnimate();
    freshTabOrder();
}

void TaskList::freshTabOrder()
{
    // New items join the end of the window's tab chain, behind everything laid out after the
    // list. Put them back where the list stands, in display order, so that Tab reaches them
    // between the widgets before and after it.
    QWidget *previous = nullptr;
    for (QWidget *w = previousInFocusChain(); w && w != this && w != window();
         w = w->previousInFocusChain()) {
        if (!isAncestorOf(w) && w->focusPolicy() != Qt::NoFocus) {
            previous = w;
            break;
        }
    }

    for (TaskItem *item : qAsConst(items)) {
        QList<QWidget *> stops;
        if (item->focusPolicy() != Qt::NoFocus)
            stops.append(item);
        const QList<QWidget *> children = item->findChildren<QWidget *>();
        for (QWidget *child : children) {
            if (child->focusPolicy() != Qt::NoFocus && !child->focusProxy())
                stops.append(child);
        }
        for (QWidget *stop : qAsConst(stops)) {
            if (previous)
                QWidget::setTabOrder(previous, stop);
            previous = stop;
        }
    }
}
