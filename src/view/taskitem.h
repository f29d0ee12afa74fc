#ifndef SCHEDULE_TASKITEM_H
#define SCHEDULE_TASKITEM_H

#include "extendeddata.h"
#include "scheduledatainfo.h"
#include "taskcheckbox.h"
#include "taskrules.h"
#include "zguiapplicationhelper.h"

#include <QAction>
#include <QCheckBox>
#include <QColor>
#include <QElapsedTimer>
#include <QFont>
#include <QMenu>
#include <QWidget>

#include <functional>
#include <memory>

class QPainter;
class QTimer;
class QToolButton;

class TaskMenu : public QMenu
{
    Q_OBJECT
public:
    explicit TaskMenu(QWidget *parent = nullptr);

    QAction openAction;
    QAction countdownAction;
    QAction pinAction;
    QAction normalAction;

    // Details…, Join, Edit… and Delete, made when first asked for: the item asks as it opens the
    // menu. A list of a thousand tasks would otherwise keep a thousand of each, menus and
    // connections, never shown.
    struct EditEntries
    {
        EditEntries();
        QAction detailsAction;
        // The online meeting's; shown only for an event with a link to one.
        QAction joinAction;
        QAction editAction;
        // A single event's; a repeating one's are the two of deleteMenu.
        QAction deleteAction;
        QMenu deleteMenu;
        QAction deleteOccurrenceAction;
        QAction deleteSeriesAction;
    };
    EditEntries &editEntries();
    // Which of them show, now and once they are made.
    void showEditEntries(bool edit, bool repeating, bool join = false);

Q_SIGNALS:
    void detailsRequested();
    void joinRequested();
    void editRequested();
    void deleteRequested(bool series);

private:
    void applyEditVisibility();

    std::unique_ptr<EditEntries> edits;
    bool editShown = false;
    bool repeatingShown = false;
    bool joinShown = false;
};

// One task of the list: a check box with the date and title (or a live countdown) and status icons.
// The item paints what TaskRules say the task is; what the user ticks or chooses it stores at once,
// and tells its owner.
class TaskItem : public QWidget
{
    Q_OBJECT
public:
    enum Mode {
        ModeNormal = TaskRules::ModeNormal,
        ModeRemind = TaskRules::ModeRemind,
        ModePinned = TaskRules::ModePinned,
        ModeCountdownWait = TaskRules::ModeCountdownWait,
        ModeCountdown = TaskRules::ModeCountdown,
        ModeCountdownFinal = TaskRules::ModeCountdownFinal
    };
    enum State {
        StateWaiting = TaskRules::StateWaiting,
        StateReminded = TaskRules::StateReminded,
        StateExpired = TaskRules::StateExpired,
        StateDone = TaskRules::StateDone
    };

    explicit TaskItem(QWidget *parent = nullptr);
    ~TaskItem() override;

    // The task and the widget's state of it; without a state, the one kept in the data center.
    void setTask(const ScheduleDataInfo &task);
    void setTask(const ScheduleDataInfo &task, const ExtendedData &state);
    bool isChecked() const;
    int getMode() const { return mode; }
    int getState() const { return state; }
    QDateTime getBeginDateTime() const;
    // A to-do without a date of its own: its date line says so.
    bool isUndated() const { return task.getNoDate(); }
    // The whole title; the item shows it shortened when it does not fit.
    QString title() const { return task.getTitleName(); }
    TaskMenu *taskMenu() const { return menu; }
    // True while a fade, bloom or countdown progress animation runs (the bar until it is full).
    bool isAnimating() const;

    void freshMenu();
    void refreshMode();
    // The first moment after `now` at which refreshMode may find the item changed; invalid: none.
    [[nodiscard]] QDateTime nextChange(const QDateTime &now) const;
    void onCountdown();

    void fadeAnimate();
    void bloomAnimate();
    void progressAnimate();
    // Shows the countdown bar as it stands `elapsedMs` into its run and sleeps until it is a pixel
    // wider; the bar's own timer calls it with the time gone by. The run lasts progressDuration().
    void showProgressAt(qint64 elapsedMs);
    qint64 progressDuration() const { return progressTotalMs; }

    QSize sizeHint() const override;

    // The width at the panel's default size; an item is as wide as its list makes it.
    static constexpr int itemWidth = 220;
    static constexpr int itemHeight = 56;
    // itemHeight, or taller where the application's font needs it for the date and title lines.
    [[nodiscard]] static int rowHeight();
    // What the window paints beneath the list, and nothing else does; invalid: not known.
    static void setWindowTint(const QColor &tint);
    // Where every item stores the user's tick and mode; empty: the data center.
    using FlagStore = std::function<void(const ScheduleDataInfo &task, const ExtendedData &flags)>;
    static void setFlagStore(FlagStore store);
    // Fade and bloom length, and how long the band stays red at the begin time.
    static constexpr int listAnimationMs = 300;
    static constexpr int redFlashMs = 3000;

Q_SIGNALS:
    void stateChanged();
    void faded();
    // The user ticked the task or chose a mode; `flags` is the item's whole state of it now, already
    // stored.
    void extendedDataEdited(const ScheduleDataInfo &task, const ExtendedData &flags);
    // By double click, Return or the menu; a double click or Return where no calendar application
    // is on the bus asks for the editor instead, as does the menu's Edit….
    void openRequested(const ScheduleDataInfo &task);
    void editRequested(const ScheduleDataInfo &task);
    void deleteRequested(const ScheduleDataInfo &task, bool wholeSeries);
    // The user ticked (or unticked) a to-do of a calendar the data server may change: its calendar
    // is to complete (or reopen) it too. The item's own tick is stored already, as for any task.
    void completionRequested(const ScheduleDataInfo &todo, bool completed);
    // Details… in the menu, or a click on the item beside its check box.
    void detailsRequested(const ScheduleDataInfo &task);
    // The menu's Join, or the Join button a counting-down meeting shows in its last minutes.
    void joinRequested(const ScheduleDataInfo &task);
    // A task in countdown mode has reached its begin time.
    void countdownEnded(const ScheduleDataInfo &task);
    // Up, Down, Home, End, or Tab and Backtab out of the list, from the focused item: the list's to
    // follow.
    void navigationKey(int key);

private Q_SLOTS:
    void onThemeChanged(Zyk::Gui::ZGuiApplicationHelper::ColorType type);
    void onColorValueChanged(const QVariant &color);
    void openSchedule();
    void openOrEdit();
    void onModeActionToggled();
    void onClicked(bool state);
    void extDataChanged();

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    [[nodiscard]] ExtendedData flags() const;
    void listAnimate(int fromAlpha, int toAlpha, bool signalFaded);
    // The title as it fits beside the check box's indicator, ending in "…" when it does not.
    QString shownTitle() const;
    int textRoom() const;
    void fitCheckBox();
    void fitCountdownLine(const QString &text);
    QString shownTitleText;
    int textFittedTo = 0; // the width shownTitleText was shortened for
    // The title, box width and font shownTitleText was shortened from and for.
    struct TitleFit
    {
        QString title;
        int width = -1;
        QFont font;
        bool operator!=(const TitleFit &other) const
        {
            return width != other.width || title != other.title || font != other.font;
        }
    };
    TitleFit titleFit;
    // The second and form the countdown line shows; -1: the box shows no countdown line.
    qint64 countdownSecond = -1;
    TaskRules::TimeFormat countdownFormat = TaskRules::TimeFormat::Fixed;
    int fittedLineLength = -1; // the length of the countdown line its font was fitted for; -1: none
    qint64 beginMsecs = 0;     // the task's begin time, for the countdown's ticks
    void showMenu(const QPoint &globalPos);
    void startRedFlash();
    // The Join button of a meeting about to begin, made when first needed.
    void showJoinButton(bool shown);
    QToolButton *joinButton = nullptr;
    int clicks = 0;             // the clicks beside the check box, to tell a double click
    bool doubleClicked = false; // the release that ends a double click asks for nothing
    void paintIcons(QPainter &painter) const;
    // What a screen reader says of the task: "Review, Wednesday 9 December 2026 15:00, countdown 12
    // minutes, Work". Renewed with the task's mode and, counting down, once a minute, not each tick.
    [[nodiscard]] QString spokenText(qint64 minutesLeft) const;
    void freshSpokenText(qint64 minutesLeft);
    [[nodiscard]] bool isNavigationKey(QObject *watched, const QKeyEvent *event) const;
    qint64 spokenMinutes = -1;

    bool isCounting() const { return mode == ModeCountdown || mode == ModeCountdownFinal; }
    static QColor windowTint;
    static FlagStore flagStore;
    QColor itemColor;
    // The task's calendar's colour, as a bar at the band's left end; invalid: no bar.
    QColor calendarMark;
    bool darkBand = false;
    ScheduleDataInfo task;
    int bandHalfHeight = 28;
    int progressWidth = -1;
    int backgroundAlpha = 180;
    bool progressRunning = false;
    QElapsedTimer progressClock;
    qint64 progressTotalMs = 0;
    QTimer *progressTimer = nullptr;
    bool pinned = false;
    bool repeating = false;
    bool countdown = false;
    bool blinkOn = false;
    int mode = ModeNormal;
    int state = StateWaiting;
    TaskCheckBox checkBox;
    TaskMenu *menu;
};

#endif
