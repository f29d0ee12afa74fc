#ifndef SCHEDULE_TASKLIST_H
#define SCHEDULE_TASKLIST_H

#include "scheduledatainfo.h"

#include <QList>
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

    void setTasks(const QVector<ScheduleDataInfo> &tasks);
    const QList<TaskItem *> &taskItems() const { return items; }

private Q_SLOTS:
    void freshTaskItems();
    void freshCountdownTaskItems();
    void moveTaskItems();
    void onItemFaded();

private:
    QVBoxLayout *itemLayout;
    QTimer *refreshTimer;
    QTimer *countdownTimer;
    QList<TaskItem *> items;
};

#endif
