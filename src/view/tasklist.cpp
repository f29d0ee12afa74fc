#include "tasklist.h"

#include "countdownnotifier.h"
#include "datacenter.h"
#include "dayclock.h"
#include "taskitem.h"
#include "taskrules.h"
#include "urlopener.h"

#include <QAccessibleWidget>
#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <cstdlib>
#include <limits>
#include <utility>

namespace {
// A fade lasts 300 ms; should the old item watched never report the end of its fade, the
// replacement still goes ahead rather than leaving the list stuck on its old items.
constexpr int fadeWaitLimitMs = 3000;

TaskRules::SortKey sortKey(const TaskItem *item)
{
    return {item->isChecked(), item->getMode(), item->getBeginDateTime(), item->isUndated()};
}

bool goesBefore(const TaskItem *a, const TaskItem *b)
{
    return TaskRules::goesBefore(sortKey(a), sortKey(b));
}

// As plain widgets the list and its items reached a screen reader as fillers: it said neither that
// the tasks are a list nor how many there are and which of them has the focus.
QAccessibleInterface *accessibleList(const QString &className, QObject *object)
{
    auto *widget = qobject_cast<QWidget *>(object);
    if (widget && className == QLatin1String("TaskList"))
        return new QAccessibleWidget(widget, QAccessible::List);
    if (widget && className == QLatin1String("TaskItem"))
        return new QAccessibleWidget(widget, QAccessible::ListItem);
    return nullptr;
}

// The part of the list its scroll area shows, in the list's coordinates, below the items too as the
// list grows into it; empty while it is hidden. Only the items there fade and bloom: a thousand
// animations at once took longer than a frame at every step, and the others are not seen.
QRect shownPart(const QWidget *list)
{
    if (!list->isVisible())
        return {};
    QRect area(0, 0, list->width(), QWIDGETSIZE_MAX);
    QPoint offset;
    for (const QWidget *w = list; !w->isWindow() && w->parentWidget(); w = w->parentWidget()) {
        offset += w->pos();
        area = area.translated(w->pos()) & w->parentWidget()->rect();
    }
    return area.translated(-offset);
}

// glibc keeps the small blocks that are freed in lists of their own and merges them only when a
// block of a kilobyte or more is next asked for. The items of a thousand tasks leave some 160,000
// such blocks, which the window's next paint then merged all at once, for 15 to 25 ms; asking for
// one after each item keeps that work within the slice that deletes it.
void mergeFreedBlocks()
{
#ifdef __GLIBC__
    void *volatile block = std::malloc(4096);
    std::free(block);
#endif
}

// Division rounding towards minus infinity: the steps before the first one (a clock set back) too.
qint64 floorDiv(qint64 a, qint64 b)
{
    return a / b - (a % b != 0 && a < 0);
}

qint64 nowMs()
{
    return DataCenter::instance()->clock()->msecsSinceEpoch();
}

bool isCountingDown(const TaskItem *item)
{
    const int mode = item->getMode();
    return mode == TaskItem::ModeCountdown || mode == TaskItem::ModeCountdownFinal;
}

// The tasks in the order their items will have, so that the first ones built are those on top, and
// the mode each was sorted by.
QVector<ListedTask> inDisplayOrder(const QVector<ListedTask> &tasks, QVector<int> &modes)
{
    const QDateTime now = DataCenter::instance()->clock()->now();
    QVector<std::pair<TaskRules::SortKey, int>> keys;
    keys.reserve(tasks.size());
    for (int i = 0; i < tasks.size(); ++i) {
        const ListedTask &task = tasks.at(i);
        // In UTC, the same order: comparing local times converts both at every comparison.
        keys.append({{task.state.checked, TaskRules::modeAt(task.info, task.state, now),
                      task.info.getBeginDateTime().toUTC(), task.info.getNoDate()},
                     i});
    }
    std::stable_sort(keys.begin(), keys.end(),
                     [](const auto &a, const auto &b) { return TaskRules::goesBefore(a.first, b.first); });
    QVector<ListedTask> sorted;
    sorted.reserve(tasks.size());
    modes.clear();
    modes.reserve(tasks.size());
    for (const auto &key : std::as_const(keys)) {
        sorted.append(tasks.at(key.second));
        modes.append(key.first.mode);
    }
    return sorted;
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
    , stepTimer(new QTimer(this))
    , fadeLimitTimer(new QTimer(this))
    , sliceTimer(new QTimer(this))
{
    static const bool accessibleAsList = [] {
        QAccessible::installFactory(accessibleList);
        return true;
    }();
    Q_UNUSED(accessibleAsList)
    itemLayout->setSpacing(10);
    // As wide as its items even while it has none: the scroll area around it sizes itself once.
    const QMargins margins = itemLayout->contentsMargins();
    setFixedWidth(TaskItem::itemWidth + margins.left() + margins.right());

    stepTimer->setObjectName(QStringLiteral("stepTimer"));
    stepTimer->setSingleShot(true);
    // A coarse timer may fire a twentieth of its wait late: a mode change minutes after its moment.
    stepTimer->setTimerType(Qt::PreciseTimer);
    connect(stepTimer, &QTimer::timeout, this, &TaskList::onStep);
    connect(DataCenter::instance()->clock(), &DayClock::clockChanged, this, &TaskList::onClockChanged);
    startSteps();

    fadeLimitTimer->setSingleShot(true);
    connect(fadeLimitTimer, &QTimer::timeout, this, &TaskList::onFadeEnded);

    // The next slice once the events that came meanwhile (paints, input, the probe of a bench) are done.
    sliceTimer->setSingleShot(true);
    sliceTimer->setInterval(0);
    connect(sliceTimer, &QTimer::timeout, this, &TaskList::buildSlice);
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
    // Put in order by the first slice, not here: this call shares its turn with reading the answer.
    pendingTasks = tasks;
    pendingInOrder = false;
    outOfOrder = false;
    built = 0;
    switch (phase) {
    case Phase::Fading:
        return;
    case Phase::Building:
        // What came in of the older list leaves as old items do.
        if (!items.isEmpty()) {
            sliceTimer->stop();
            fadeOutItems();
        }
        return;
    case Phase::Idle:
        break;
    }

    stopSteps();
    if (items.isEmpty())
        fillAtOnce();
    else
        fadeOutItems();
}

void TaskList::fadeOutItems()
{
    phase = Phase::Fading;
    const QRect shown = shownPart(this);
    TaskItem *watched = nullptr;
    for (TaskItem *item : std::as_const(items)) {
        if (!item->geometry().intersects(shown))
            continue;
        // Faded out, an item would otherwise come back in at its place.
        disconnect(item, &TaskItem::faded, nullptr, nullptr);
        item->fadeAnimate();
        if (!watched)
            watched = item;
    }
    // With none in sight, the items go in the next turn, still after this call has returned.
    if (watched)
        connect(watched, &TaskItem::faded, this, &TaskList::onFadeEnded);
    fadeLimitTimer->start(watched ? fadeWaitLimitMs : 0);
}

void TaskList::onFadeEnded()
{
    if (phase != Phase::Fading)
        return;
    fadeLimitTimer->stop();
    // The layout places every item of the list at each pass: a thousand items cost a frame's time
    // per pass. Until the last item is in, buildItems places each new one itself, and the layout
    // makes one pass at the end.
    itemLayout->setEnabled(false);
    // Those in sight go at once. Hiding a thousand items takes 4 ms or more, deleting them several
    // frames' time: the others are hidden by the next slices, before any new item takes their
    // places, and all are deleted once the new ones are in.
    const QRect shown = shownPart(this);
    for (TaskItem *item : std::as_const(items)) {
        if (item->geometry().intersects(shown))
            item->hide();
        else
            unseen.append(item);
    }
    while (itemLayout->count() > 0)
        delete itemLayout->takeAt(itemLayout->count() - 1);
    leaving += std::exchange(items, {});
    phase = Phase::Building;
    sliceTimer->start();
}

void TaskList::buildSlice()
{
    QElapsedTimer spent;
    spent.start();
    if (!std::exchange(pendingInOrder, true))
        pendingTasks = inDisplayOrder(pendingTasks, sortedModes);
    while (!unseen.isEmpty() && spent.elapsed() < sliceBudgetMs)
        unseen.takeLast()->hide();
    if (!unseen.isEmpty()) {
        sliceTimer->start();
        return;
    }
    if (built < pendingTasks.size()) {
        buildItems(spent);
        sliceTimer->start();
        return;
    }
    if (!itemLayout->isEnabled()) {
        itemLayout->setEnabled(true);
        itemLayout->activate();
        adjustSize();
    }
    while (!leaving.isEmpty() && spent.elapsed() < sliceBudgetMs) {
        delete leaving.takeLast();
        mergeFreedBlocks();
    }
    // Giving a thousand items their tab order takes a millisecond or more: in a turn of its own
    // when this one has done its share.
    if (leaving.isEmpty() && spent.elapsed() < sliceBudgetMs)
        finishReplacing();
    else
        sliceTimer->start();
}

void TaskList::buildItems(const QElapsedTimer &spent)
{
    // Where the layout will put them: one below the other from the top, each of its fixed size.
    const QMargins margins = itemLayout->contentsMargins();
    const int step = TaskItem::rowHeight() + itemLayout->spacing();
    const QRect shown = shownPart(this);
    itemLayout->setEnabled(false);
    do {
        TaskItem *item = makeItem(pendingTasks.at(built));
        itemLayout->addWidget(item);
        item->setGeometry(margins.left(), margins.top() + built * step,
                          width() - margins.left() - margins.right(), item->height());
        outOfOrder = outOfOrder || item->getMode() != sortedModes.at(built);
        ++built;
        item->show();
        if (item->geometry().intersects(shown))
            item->bloomAnimate();
    } while (built < pendingTasks.size() && spent.elapsed() < sliceBudgetMs);
    resize(width(), margins.top() + built * step - itemLayout->spacing() + margins.bottom());
}

void TaskList::fillAtOnce()
{
    // Showing a child of a visible list lays the whole list out again: with the layout on, a list
    // of n items cost n layouts of up to n items (see bench_settasks). One layout pass follows.
    // Each child shown on a visible list also asks the display server where the pointer is (for
    // enter and leave events): the list is filled hidden and shown once, a single such question.
    pendingTasks = inDisplayOrder(pendingTasks, sortedModes);
    const QRect inSight = shownPart(this);
    const bool shown = isVisible();
    if (shown)
        hide();
    itemLayout->setEnabled(false);
    for (const ListedTask &task : std::as_const(pendingTasks)) {
        TaskItem *item = makeItem(task);
        outOfOrder = outOfOrder || item->getMode() != sortedModes.at(built++);
        itemLayout->addWidget(item);
        item->show();
    }
    itemLayout->setEnabled(true);
    itemLayout->activate();
    adjustSize();
    if (shown)
        show();
    // Placed only now: a hidden list is laid out at its new size as it is shown.
    for (TaskItem *item : std::as_const(items)) {
        if (item->geometry().intersects(inSight))
            item->bloomAnimate();
    }
    finishReplacing();
}

TaskItem *TaskList::makeItem(const ListedTask &task)
{
    auto *item = new TaskItem(nullptr);
    item->setTask(task.info, task.state);
    connect(item, &TaskItem::faded, this, &TaskList::onItemFaded);
    connect(item, &TaskItem::stateChanged, this, &TaskList::moveTaskItems);
    // A tick or a mode chosen moves the item's next moment, which may come before the one armed.
    connect(item, &TaskItem::extendedDataEdited, this, [this, item] { onItemChanged(item); });
    connect(item, &TaskItem::navigationKey, this, [this, item](int key) { moveFocus(item, key); });

    DataCenter *center = DataCenter::instance();
    connect(item, &TaskItem::editRequested, this, &TaskList::editRequested);
    connect(item, &TaskItem::deleteRequested, this, &TaskList::deleteRequested);
    connect(item, &TaskItem::completionRequested, this, &TaskList::completionRequested);
    connect(item, &TaskItem::joinRequested, this,
            [](const ScheduleDataInfo &info) { UrlOpener::open(info.getDetails().conference); });
    connect(item, &TaskItem::detailsRequested, this, [this, item](const ScheduleDataInfo &info) {
        Q_EMIT detailsRequested(info, QRect(item->mapToGlobal(QPoint(0, 0)), item->size()));
    });
    connect(item, &TaskItem::openRequested, center, [center](const ScheduleDataInfo &info) {
        center->OpenSchedule(ScheduleDataInfo::ScheduleToJsonStr(info));
    });
    // The notifier is made at the first countdown that ends, after the data file has said where it keeps its
    // record.
    connect(item, &TaskItem::countdownEnded, center,
            [center](const ScheduleDataInfo &info) { center->countdownNotifier()->countdownEnded(info); });
    items.append(item);
    return item;
}

void TaskList::finishReplacing()
{
    // The order was settled before the items were built; a mode that changed since (a clock that
    // crossed a boundary in between) moves its item now. Only then: at a thousand items, sorting
    // them again costs a frame's time.
    if (std::exchange(outOfOrder, false)) {
        InsertionSort(items.begin(), items.end());
        itemLayout->setEnabled(false);
        for (int i = 0; i < items.size(); ++i) {
            itemLayout->removeWidget(items.at(i));
            itemLayout->insertWidget(i, items.at(i));
        }
        itemLayout->setEnabled(true);
        itemLayout->activate();
    }
    freshTabOrder();
    pendingTasks.clear();
    sortedModes.clear();
    built = 0;
    phase = Phase::Idle;

    startSteps();
    Q_EMIT replaced();
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
    // The items still to come are in order among themselves, not with this one's new place.
    if (phase == Phase::Building)
        outOfOrder = true;
    if (items.indexOf(item) != before)
        item->fadeAnimate();
    onItemChanged(item);
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
// The arrows and Home and End move between the tasks as they are listed; Tab and Backtab leave the
// list, whose tasks are one stop of the window's tab chain.
void TaskList::moveFocus(const TaskItem *from, int key)
{
    const int at = int(items.indexOf(const_cast<TaskItem *>(from)));
    int to = at;
    switch (key) {
    case Qt::Key_Up:
        to = at - 1;
        break;
    case Qt::Key_Down:
        to = at + 1;
        break;
    case Qt::Key_Home:
        to = 0;
        break;
    case Qt::Key_End:
        to = int(items.size()) - 1;
        break;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        focusBeside(key == Qt::Key_Tab);
        return;
    default:
        return;
    }
    if (to >= 0 && to < items.size() && to != at)
        items.at(to)->setFocus(Qt::TabFocusReason);
}

void TaskList::focusBeside(bool forward)
{
    QWidget *start = QApplication::focusWidget();
    if (!start || !isAncestorOf(start))
        return;
    for (QWidget *w = forward ? start->nextInFocusChain() : start->previousInFocusChain(); w && w != start;
         w = forward ? w->nextInFocusChain() : w->previousInFocusChain()) {
        if (w != this && !isAncestorOf(w) && (w->focusPolicy() & Qt::TabFocus) && w->isVisible() &&
            w->isEnabled() && !w->focusProxy()) {
            w->setFocus(forward ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            return;
        }
    }
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

    for (TaskItem *item : std::as_const(items)) {
        QList<QWidget *> stops;
        if (item->focusPolicy() != Qt::NoFocus)
            stops.append(item);
        const QList<QWidget *> children = item->findChildren<QWidget *>();
        for (QWidget *child : children) {
            if (child->focusPolicy() != Qt::NoFocus && !child->focusProxy())
                stops.append(child);
        }
        for (QWidget *stop : std::as_const(stops)) {
            if (previous)
                QWidget::setTabOrder(previous, stop);
            previous = stop;
        }
    }
}

void TaskList::startSteps()
{
    stepsFromMs = nowMs();
    sinceStepsFrom.start();
    stepping = true;
    lastTickMs = -1;
    refreshDue = false;
    refreshAtMs = nextRefreshStep(0);
    armStep();
}

void TaskList::stopSteps()
{
    stepping = false;
    stepTimer->stop();
}

// The first refresh step after `afterMs` at which an item that does not count down may show
// otherwise than it does now: as late as the refresh every 24 s would have shown it, and no later.
qint64 TaskList::nextRefreshStep(qint64 afterMs) const
{
    const QDateTime now = DataCenter::instance()->clock()->now();
    qint64 dueMs = refreshDue ? afterMs : -1;
    if (!refreshDue) {
        QDateTime next;
        for (const TaskItem *item : items) {
            if (isCountingDown(item))
                continue;
            const QDateTime moment = item->nextChange(now);
            if (moment.isValid() && (!next.isValid() || moment < next))
                next = moment;
        }
        if (!next.isValid())
            return -1;
        dueMs = next.toMSecsSinceEpoch() - stepsFromMs;
    }
    const qint64 stepAtDue = -floorDiv(-dueMs, refreshIntervalMs) * refreshIntervalMs;
    return std::max(stepAtDue, (floorDiv(afterMs, refreshIntervalMs) + 1) * refreshIntervalMs);
}

void TaskList::armStep()
{
    if (!stepping) {
        stepTimer->stop();
        return;
    }
    const qint64 at = nowMs() - stepsFromMs;
    qint64 next = refreshAtMs;
    if (!items.isEmpty() && isCountingDown(items.first())) {
        const qint64 tick = std::max(lastTickMs + countdownIntervalMs,
                                     (floorDiv(at, countdownIntervalMs) + 1) * countdownIntervalMs);
        next = next < 0 ? tick : std::min(next, tick);
    }
    armedStepMs = next;
    if (next < 0) {
        stepTimer->stop();
        return;
    }
    stepTimer->start(int(std::clamp<qint64>(next - at, 0, std::numeric_limits<int>::max())));
}

void TaskList::onStep()
{
    // The step armed for, though the timer may wake a little before it by the wall clock.
    const qint64 step = armedStepMs;
    if (step < 0)
        return;
    if (refreshAtMs >= 0 && step >= refreshAtMs) {
        refreshing = true;
        freshTaskItems();
        refreshing = false;
        refreshDue = false;
        refreshAtMs = nextRefreshStep(step);
    }
    // Refresh steps fall on ticks: an item that has just begun to count down ticks at once.
    if (step > lastTickMs && step % countdownIntervalMs == 0 && !items.isEmpty() &&
        isCountingDown(items.first())) {
        lastTickMs = step;
        freshCountdownTaskItems();
    }
    armStep();
}

void TaskList::onItemChanged(TaskItem *item)
{
    if (!stepping || refreshing)
        return;
    if (!isCountingDown(item)) {
        const QDateTime moment = item->nextChange(DataCenter::instance()->clock()->now());
        if (moment.isValid()) {
            const qint64 at = nowMs() - stepsFromMs;
            const qint64 dueMs = moment.toMSecsSinceEpoch() - stepsFromMs;
            const qint64 step = std::max(-floorDiv(-dueMs, refreshIntervalMs) * refreshIntervalMs,
                                         (floorDiv(at, refreshIntervalMs) + 1) * refreshIntervalMs);
            if (refreshAtMs < 0 || step < refreshAtMs)
                refreshAtMs = step;
        }
    }
    armStep();
}

void TaskList::onClockChanged()
{
    if (!stepping)
        return;
    // The steps stay where the steady clock has them; what the set clock or the new zone changes
    // shows at the next one.
    stepsFromMs = nowMs() - sinceStepsFrom.elapsed();
    refreshDue = true;
    refreshAtMs = nextRefreshStep(nowMs() - stepsFromMs);
    armStep();
}
