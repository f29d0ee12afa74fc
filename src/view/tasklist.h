#ifndef SCHEDULE_TASKLIST_H
#define SCHEDULE_TASKLIST_H

#include "displayselection.h"
#include "scheduledatainfo.h"

#include <QElapsedTimer>
#include <QList>
#include <QVector>
#include <QWidget>

class QTimer;
class QVBoxLayout;
class TaskItem;

// The items in display order: unchecked first, then by mode rank, then by begin time. Stable.
void InsertionSort(QList<TaskItem *>::iterator begin, QList<TaskItem *>::iterator end);

// The tasks of the view as items, in display order. A new list replaces the shown one without
// waiting: the old items in sight fade out, and the new ones come in a few at a time, at most a
// frame's work per turn of the event loop, the top first, those in sight fading in; the old ones
// are deleted the same way. An empty list shows a new one at once, since there is nothing to fade.
class TaskList : public QWidget
{
    Q_OBJECT
public:
    explicit TaskList(QWidget *parent = nullptr);

    // Replaces the shown tasks. A list given while an earlier one is still coming in replaces that one.
    void setTasks(const QVector<ScheduleDataInfo> &tasks);
    // The same, with the widget's state of each task as the selection read it.
    void setListedTasks(const QVector<ListedTask> &tasks);
    const QList<TaskItem *> &taskItems() const { return items; }
    // From a call that replaces shown items until the last of the newest list is in; replaced() then.
    bool isReplacing() const { return phase != Phase::Idle; }

    // The steps, counted from when the list last got its items, at which it looks again at the modes
    // of the items that do not count down, and ticks the countdowns that lead it. It wakes only for
    // a step at which something can change: the first refresh step at or after the next moment
    // TaskRules name, and the ticks while the top item counts down. tst_tasklist relies on them.
    static constexpr int refreshIntervalMs = 24000;
    static constexpr int countdownIntervalMs = 400;
    // The work of one turn while new items come in or old ones go: a quarter of a frame at 60 Hz, as
    // the same turn of the event loop may also paint the window and read an answer of the data
    // server. bench_eventloop's 16 ms rows depend on it.
    static constexpr int sliceBudgetMs = 4;

Q_SIGNALS:
    // The list holds the items of the newest list given; once per replacement, however many
    // lists were given meanwhile.
    void replaced();
    // A task's Edit… (or a double click where no calendar application runs) and Delete.
    void editRequested(const ScheduleDataInfo &task);
    // A task's details asked for, with where its item is on the screen.
    void detailsRequested(const ScheduleDataInfo &task, const QRect &itemRect);
    void deleteRequested(const ScheduleDataInfo &task, bool wholeSeries);
    // A to-do ticked or unticked, to be completed or reopened in its calendar.
    void completionRequested(const ScheduleDataInfo &todo, bool completed);

private Q_SLOTS:
    void freshTaskItems();
    void freshCountdownTaskItems();
    void moveTaskItems();
    void onItemFaded();

private:
    enum class Phase { Idle, Fading, Building };

    void fadeOutItems();
    void onFadeEnded();
    void buildSlice();
    void buildItems(const QElapsedTimer &spent);
    void fillAtOnce();
    [[nodiscard]] TaskItem *makeItem(const ListedTask &task);
    void finishReplacing();
    void freshTabOrder();
    void startSteps();
    void stopSteps();
    void onStep();
    void onItemChanged(TaskItem *item);
    void onClockChanged();
    [[nodiscard]] qint64 nextRefreshStep(qint64 nowMs) const;
    void armStep();
    void moveFocus(const TaskItem *from, int key);
    void focusBeside(bool forward);

    QVBoxLayout *itemLayout;
    // One single-shot timer for both kinds of step, armed afresh after every step and every change.
    QTimer *stepTimer;
    // Where the steps are counted from, by the data center's clock and by the steady one, which
    // keeps the steps where they were when the wall clock is set.
    qint64 stepsFromMs = 0;
    QElapsedTimer sinceStepsFrom;
    bool stepping = false;
    // The refresh step armed, as milliseconds from stepsFromMs; -1: none. A refresh that finds
    // nothing changed arms none earlier than the next moment; an item changed meanwhile may.
    qint64 refreshAtMs = -1;
    qint64 lastTickMs = -1;
    qint64 armedStepMs = -1;
    bool refreshing = false;
    // The clock was set or its zone changed: the next refresh step looks at every item.
    bool refreshDue = false;
    QTimer *fadeLimitTimer;
    QTimer *sliceTimer;
    QList<TaskItem *> items;
    // The newest list given, and how much of it is built once it is in display order.
    QVector<ListedTask> pendingTasks;
    bool pendingInOrder = false;
    int built = 0;
    // The mode each task was put in order by, and whether an item built since has another.
    QVector<int> sortedModes;
    bool outOfOrder = false;
    // Replaced items, deleted a slice at a time once the new ones are in; those of them that were
    // out of sight are hidden first, a slice at a time as well.
    QList<TaskItem *> leaving;
    QList<TaskItem *> unseen;
    Phase phase = Phase::Idle;
};

#endif
