#ifndef SCHEDULE_EVENTACTIONS_H
#define SCHEDULE_EVENTACTIONS_H

#include "displayselection.h"

#include <QObject>
#include <QPointer>
#include <QTimer>

#include <functional>
#include <optional>

class EventEditor;
class EventEdits;
class TaskDetails;
class MainWindow;
class QLabel;
class QMenu;
class QPushButton;
class TaskList;

// What the panel offers for changing events: a new one (the list's menu, a double click on its
// empty part, Ctrl+N), a task's Edit… and Delete, and Undo for a deletion. A deletion reaches the
// data server only once its Undo has gone; until then the list leaves the task out. A to-do ticked
// or unticked is completed or reopened in its calendar at once, and its Undo sends the opposite.
class EventActions : public QObject
{
    Q_OBJECT
public:
    // `listArea`: the part of the panel the list scrolls in; `shownDay`: the day the view shows.
    EventActions(MainWindow *panel, TaskList *list, QWidget *listArea, std::function<QDate()> shownDay);
    ~EventActions() override;

    // The line with the deleted task's title and Undo, under the list.
    QWidget *undoBar() const { return bar; }
    [[nodiscard]] QVector<ListedTask> withoutPending(const QVector<ListedTask> &tasks) const;
    // Sends a deletion that still waits for its Undo to go: at quit.
    void finishPending();
    // The editor on screen, if one is.
    EventEditor *editor() const;

    // How long Undo is offered.
    static constexpr int undoMs = 6000;

public Q_SLOTS:
    void newEvent();
    void editEvent(const ScheduleDataInfo &task);
    void deleteEvent(const ScheduleDataInfo &task, bool wholeSeries);
    // The popover of what the task is, beside its item at `itemRect` (global).
    void showDetails(const ScheduleDataInfo &task, const QRect &itemRect);
    void replyTo(const ScheduleDataInfo &task, const QString &answer);
    void completeTodo(const ScheduleDataInfo &todo, bool completed);
    void undo();

Q_SIGNALS:
    // What the list shows has changed without the data server: a deletion waiting, or undone.
    void listChanged();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct Pending
    {
        ScheduleDataInfo task;
        bool wholeSeries = false;
    };

    void show(EventEditor *editor);
    TaskDetails *details = nullptr; // made when first asked for
    void commitPending();
    // Sends a to-do's completion, or its reopening; a failure is said, without Undo.
    void sendCompletion(const ScheduleDataInfo &todo, bool completed);
    void undoCompletion();
    void say(const QString &text, bool offerUndo);
    [[nodiscard]] bool isEmptyPart(QWidget *area, const QPoint &pos) const;

    MainWindow *panel;
    TaskList *list;
    std::function<QDate()> shownDay;
    QMenu *listMenu;
    QWidget *bar;
    QLabel *barText;
    QPushButton *undoButton;
    QTimer barTimer;
    std::optional<Pending> pending;
    // The to-do the Undo line offers to tick back, and how it was ticked.
    struct Ticked
    {
        ScheduleDataInfo todo;
        bool completed = false;
    };
    std::optional<Ticked> ticked;
    QPointer<EventEditor> openEditor;
    QVector<CalendarIdentity> knownCalendars;
};

#endif
