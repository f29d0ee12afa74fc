#ifndef SCHEDULE_TASKITEM_H
#define SCHEDULE_TASKITEM_H

#include "scheduledatainfo.h"
#include "zguiapplicationhelper.h"

#include <QAction>
#include <QCheckBox>
#include <QColor>
#include <QMenu>
#include <QWidget>

class TaskMenu : public QMenu
{
public:
    explicit TaskMenu(QWidget *parent = nullptr);

    QAction openAction;
    QAction countdownAction;
    QAction pinAction;
    QAction normalAction;
};

// One task of the list: a check box with the date and title (or a live countdown) and status icons.
class TaskItem : public QWidget
{
    Q_OBJECT
public:
    enum Mode {
        ModeNormal = 0,
        ModeRemind,
        ModePinned,
        ModeCountdownWait,
        ModeCountdown,
        ModeCountdownFinal
    };
    enum State { StateWaiting = 0, StateReminded, StateExpired, StateDone };

    explicit TaskItem(QWidget *parent = nullptr);
    ~TaskItem() override;

    void setTask(const ScheduleDataInfo &task);
    bool isChecked() const;
    int getMode() const { return mode; }
    int getState() const { return state; }
    QDateTime getBeginDateTime() const;
    TaskMenu *taskMenu() const { return menu; }
    // True while a fade, bloom or countdown progress animation runs.
    bool isAnimating() const;

    void freshMenu();
    void refreshMode();
    void onCountdown();

    void fadeAnimate();
    void bloomAnimate();
    void progressAnimate();

    QSize sizeHint() const override;

    // Fade and bloom length, and how long the band stays red at the begin time.
    static constexpr int listAnimationMs = 300;
    static constexpr int redFlashMs = 3000;

Q_SIGNALS:
    void stateChanged();
    void faded();

private Q_SLOTS:
    void onThemeChanged(Zyk::Gui::ZGuiApplicationHelper::ColorType type);
    void onColorValueChanged(const QVariant &color);
    void openSchedule();
    void onModeActionToggled();
    void onClicked(bool state);
    void extDataChanged();

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void listAnimate(int fromAlpha, int toAlpha, bool signalFaded);
    void showMenu(const QPoint &globalPos);
    void startRedFlash();

    QColor itemColor;
    ScheduleDataInfo task;
    int bandHalfHeight = 28;
    int progressWidth = -1;
    int backgroundAlpha = 180;
    bool progressRunning = false;
    bool pinned = false;
    bool repeating = false;
    bool countdown = false;
    bool blinkOn = false;
    int mode = ModeNormal;
    int state = StateWaiting;
    QCheckBox checkBox;
    TaskMenu *menu;
};

#endif
