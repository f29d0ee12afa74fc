#ifndef SCHEDULE_TASKLIST_H
#define SCHEDULE_TASKLIST_H

#include "displayselection.h"
#include "scheduledatainfo.h"

#include <QList>
#include <QVector>
#include <QWidget>

class QTimer;
class QVBoxLayout;
class TaskItem;

// The items in display order: unchecked first, then by mode rank, then by begin time. Stable.
void InsertionSort(QList<TaskItem *>::iterator begin, QList<TaskItem *>::iterator end);

class TaskList : public QWidget
{
    Q_OBJECT
public:
    explicit TaskList(QWidget *parent = nullptr);

    // Replaces the shown tasks. A call made while an earlier one waits for its old items to fade
    // out returns at once; the waiting call then shows the tasks of the last request.
    void setTasks(const QVector<ScheduleDataInfo> &tasks);
    // The same, with the widget's state of each task as the selection read it.
    void setListedTasks(const QVector<ListedTask> &tasks);
    const QList<TaskItem *> &taskItems() const { return items; }
    bool isReplacing() const { return waitingForFade; }

    // Intervals of the two timers; tst_tasklist relies on them.
    static constexpr int refreshIntervalMs = 24000;
    static constexpr int countdownIntervalMs = 400;

private Q_SLOTS:
    void freshTaskItems();
    void freshCountdownTaskItems();
    void moveTaskItems();
    void onItemFaded();

private:
    void freshTabOrder();

    QVBoxLayout *itemLayout;
    QTimer *refreshTimer;
    QTimer *countdownTimer;
    QList<TaskItem *> items;
    QVector<ListedTask> pendingTasks;
    bool waitingForFade = false;
};

#endif
