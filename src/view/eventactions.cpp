#include "eventactions.h"

#include "datacenter.h"
#include "eventeditor.h"
#include "eventedits.h"
#include "mainwindow.h"
#include "taskdetails.h"
#include "taskitem.h"
#include "tasklist.h"
#include "urlopener.h"
#include "viewlog.h"
#include "zplatform.h"

#include <QContextMenuEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QShortcut>

namespace {

bool isSameTask(const ScheduleDataInfo &a, const ScheduleDataInfo &b, bool wholeSeries)
{
    return a.getID() == b.getID() && (wholeSeries || a.getRecurID() == b.getRecurID());
}

} // namespace

EventActions::EventActions(MainWindow *panel, TaskList *list, QWidget *listArea,
                           std::function<QDate()> shownDay)
    : QObject(panel)
    , panel(panel)
    , list(list)
    , shownDay(std::move(shownDay))
    , listMenu(new QMenu(panel))
    , bar(new QWidget(panel))
    , barText(new QLabel(bar))
    , undoButton(new QPushButton(tr("&Undo"), bar))
{
    QAction *add = listMenu->addAction(tr("New event…"), this, &EventActions::newEvent);
    add->setShortcut(QKeySequence::New);
    auto *shortcut = new QShortcut(QKeySequence::New, panel);
    connect(shortcut, &QShortcut::activated, this, &EventActions::newEvent);
    new QShortcut(QKeySequence::Undo, panel, this, [this] {
        if (pending || ticked)
            undo();
    });
    listArea->installEventFilter(this);
    list->installEventFilter(this);
    connect(list, &TaskList::editRequested, this, &EventActions::editEvent);
    connect(list, &TaskList::deleteRequested, this, &EventActions::deleteEvent);
    connect(list, &TaskList::detailsRequested, this, &EventActions::showDetails);
    connect(list, &TaskList::completionRequested, this, &EventActions::completeTodo);

    bar->setObjectName(QStringLiteral("undoBar"));
    undoButton->setObjectName(QStringLiteral("undoButton"));
    barText->setObjectName(QStringLiteral("undoText"));
    barText->setWordWrap(true);
    auto *layout = new QHBoxLayout(bar);
    layout->setContentsMargins(16, 0, 16, 0);
    layout->addWidget(barText, 1);
    layout->addWidget(undoButton);
    bar->hide();
    connect(undoButton, &QPushButton::clicked, this, &EventActions::undo);
    barTimer.setSingleShot(true);
    connect(&barTimer, &QTimer::timeout, this, [this] {
        bar->hide();
        ticked.reset();
        commitPending();
    });
}

EventActions::~EventActions()
{
    delete openEditor;
}

EventEditor *EventActions::editor() const
{
    return openEditor;
}

QVector<ListedTask> EventActions::withoutPending(const QVector<ListedTask> &tasks) const
{
    if (!pending)
        return tasks;
    QVector<ListedTask> kept;
    for (const ListedTask &task : tasks) {
        if (!isSameTask(task.info, pending->task, pending->wholeSeries))
            kept << task;
    }
    return kept;
}

void EventActions::newEvent()
{
    // The editor opens at once with the calendars last listed; the server's answer brings them up
    // to date, however long it takes.
    auto *editor = new EventEditor(shownDay(), knownCalendars);
    show(editor);
    DataCenter::instance()->fetchCalendars(
        editor, [this, editor](bool ok, const QVector<CalendarIdentity> &calendars) {
            if (!ok)
                return;
            knownCalendars = calendars;
            editor->listCalendars(calendars);
        });
}

void EventActions::editEvent(const ScheduleDataInfo &task)
{
    show(new EventEditor(task, knownCalendars));
}

// One editor at a time: a second request replaces the first, unsaved, as a new request means the
// user has moved on.
void EventActions::show(EventEditor *editor)
{
    if (openEditor)
        openEditor->close();
    openEditor = editor;
    editor->setAttribute(Qt::WA_DeleteOnClose);
    editor->adjustSize();
    editor->setPlace(panel->besidePanel(editor->sizeHint()));
    // The panel holds the keyboard alone while it was asked for it: the editor takes it over.
    Zyk::Platform::setKeyboardWanted(panel, false);
    editor->show();
    editor->raise();
    editor->activateWindow();
}

void EventActions::deleteEvent(const ScheduleDataInfo &task, bool wholeSeries)
{
    commitPending();
    ticked.reset();
    pending = Pending{task, wholeSeries};
    say(tr("“%1” deleted.").arg(task.getTitleName()), true);
    Q_EMIT listChanged();
}

void EventActions::undo()
{
    if (ticked) {
        undoCompletion();
        return;
    }
    if (!pending)
        return;
    pending.reset();
    barTimer.stop();
    bar->hide();
    Q_EMIT listChanged();
}

void EventActions::commitPending()
{
    if (!pending)
        return;
    const Pending deleting = *std::exchange(pending, std::nullopt);
    auto *edits = new EventEdits(this);
    const auto scope = deleting.wholeSeries ? EventEdits::Scope::Series : EventEdits::Scope::ThisOccurrence;
    connect(edits, &EventEdits::finished, this, [this, edits, deleting](EventEdits::Outcome outcome) {
        edits->deleteLater();
        if (outcome == EventEdits::Outcome::Done || outcome == EventEdits::Outcome::Gone)
            return;
        say(outcome == EventEdits::Outcome::ReadOnly
                ? tr("“%1” was not deleted: its calendar is read-only.").arg(deleting.task.getTitleName())
                : tr("“%1” could not be deleted.").arg(deleting.task.getTitleName()),
            false);
        Q_EMIT listChanged();
    });
    edits->remove(deleting.task, scope);
}

void EventActions::showDetails(const ScheduleDataInfo &task, const QRect &itemRect)
{
    if (!details) {
        details = new TaskDetails(panel);
        connect(details, &TaskDetails::joinRequested, this,
                [this] { UrlOpener::open(details->task().getDetails().conference); });
        connect(details, &TaskDetails::linkRequested, this,
                [](const QUrl &url) { UrlOpener::open(url.toString(QUrl::FullyEncoded)); });
        connect(details, &TaskDetails::openRequested, this, [](const ScheduleDataInfo &shown) {
            DataCenter::instance()->OpenSchedule(ScheduleDataInfo::ScheduleToJsonStr(shown));
        });
        connect(details, &TaskDetails::editRequested, this, &EventActions::editEvent);
        connect(details, &TaskDetails::replyRequested, this, &EventActions::replyTo);
    }
    details->setTask(task);
    details->showBeside(itemRect);
}

void EventActions::replyTo(const ScheduleDataInfo &task, const QString &answer)
{
    auto *edits = new EventEdits(this);
    connect(edits, &EventEdits::finished, this, [this, edits, task](EventEdits::Outcome outcome) {
        edits->deleteLater();
        if (outcome == EventEdits::Outcome::Done)
            return;
        // The popover showed the answer at once; it shows the stored one again.
        if (details && details->isVisible() && details->task().getID() == task.getID())
            details->setTask(task);
        say(outcome == EventEdits::Outcome::ReadOnly
                ? tr("Your answer to “%1” was not saved: its calendar is read-only.").arg(task.getTitleName())
                : tr("Your answer to “%1” could not be saved.").arg(task.getTitleName()),
            false);
    });
    if (!edits->reply(task, answer)) {
        edits->deleteLater();
        say(tr("Your answer to “%1” could not be sent.").arg(task.getTitleName()), false);
    }
}

void EventActions::completeTodo(const ScheduleDataInfo &todo, bool completed)
{
    commitPending();
    ticked = Ticked{todo, completed};
    say(completed ? tr("“%1” completed.").arg(todo.getTitleName())
                  : tr("“%1” open again.").arg(todo.getTitleName()),
        true);
    sendCompletion(todo, completed);
}

void EventActions::undoCompletion()
{
    const Ticked undone = *std::exchange(ticked, std::nullopt);
    barTimer.stop();
    bar->hide();
    // The widget's own tick goes back as the server's does: both are kept.
    DataCenter *center = DataCenter::instance();
    ExtendedData state = center->getExtendedData(undone.todo);
    state.checked = !undone.completed;
    center->setExtendedData(undone.todo, state);
    sendCompletion(undone.todo, !undone.completed);
    Q_EMIT listChanged();
}

void EventActions::sendCompletion(const ScheduleDataInfo &todo, bool completed)
{
    auto *edits = new EventEdits(this);
    const auto failed = [this, todo, completed](EventEdits::Outcome outcome) {
        say(outcome == EventEdits::Outcome::ReadOnly
                ? tr("“%1” is ticked here alone: its calendar is read-only.").arg(todo.getTitleName())
            : completed ? tr("“%1” could not be completed in its calendar.").arg(todo.getTitleName())
                        : tr("“%1” could not be opened again in its calendar.").arg(todo.getTitleName()),
            false);
        ticked.reset();
    };
    connect(edits, &EventEdits::finished, this, [edits, failed](EventEdits::Outcome outcome) {
        edits->deleteLater();
        if (outcome != EventEdits::Outcome::Done)
            failed(outcome);
    });
    if (!edits->complete(todo, completed)) {
        edits->deleteLater();
        failed(EventEdits::Outcome::Failed);
    }
}

void EventActions::finishPending()
{
    if (!pending)
        return;
    const Pending deleting = *std::exchange(pending, std::nullopt);
    if (!EventEdits::removeNow(deleting.task, deleting.wholeSeries ? EventEdits::Scope::Series
                                                                   : EventEdits::Scope::ThisOccurrence))
        qCWarning(lcView).noquote() << "the deletion of" << deleting.task.getTitleName()
                                    << "could not be sent";
}

void EventActions::say(const QString &text, bool offerUndo)
{
    barText->setText(text);
    undoButton->setVisible(offerUndo);
    bar->show();
    barTimer.start(undoMs);
}

bool EventActions::isEmptyPart(QWidget *area, const QPoint &pos) const
{
    for (QWidget *hit = area->childAt(pos); hit; hit = hit->parentWidget()) {
        if (qobject_cast<TaskItem *>(hit))
            return false;
    }
    return true;
}

bool EventActions::eventFilter(QObject *watched, QEvent *event)
{
    auto *area = qobject_cast<QWidget *>(watched);
    if (!area)
        return false;
    if (event->type() == QEvent::MouseButtonDblClick) {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() == Qt::LeftButton && isEmptyPart(area, mouse->pos())) {
            newEvent();
            return true;
        }
    } else if (event->type() == QEvent::ContextMenu) {
        const auto *menu = static_cast<QContextMenuEvent *>(event);
        if (isEmptyPart(area, menu->pos())) {
            listMenu->popup(menu->globalPos());
            return true;
        }
    }
    return false;
}
