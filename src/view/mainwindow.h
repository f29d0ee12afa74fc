#ifndef SCHEDULE_MAINWINDOW_H
#define SCHEDULE_MAINWINDOW_H

#include "datacenter.h"
#include "zguiapplicationhelper.h"
#include "zmainwindow.h"
#include "zplatform.h"

#include <QColor>
#include <QList>
#include <QPoint>
#include <QPointer>
#include <QSize>

class QAbstractButton;
class QLabel;
class QScrollArea;
class QTimer;
class QVBoxLayout;
class EventActions;
class GlobalShortcut;
class SettingsWindow;
class TaskList;
class ViewFetcher;
namespace WindowPlace {
class Follower;
}
namespace Zyk {
namespace Widget {
class ZButtonBox;
class ZButtonBoxButton;
} // namespace Widget
} // namespace Zyk

// The widget's only window: a translucent, borderless panel below all other windows.
class MainWindow : public Zyk::Widget::ZMainWindow
{
    Q_OBJECT
public:
    MainWindow();
    ~MainWindow() override;

    static QColor backgroundColor;
    // The window's translucent tint in a theme; the settings window wears it too.
    static QColor tintOf(Zyk::Gui::ZGuiApplicationHelper::ColorType type);
    // The panel's other windows (the settings, the editor): its tint, never clearer than the
    // default however clear the user makes the panel, under text that stays readable on it.
    static void paintLikePanel(QWidget *window, Zyk::Gui::ZGuiApplicationHelper::ColorType type,
                               QColor *tint);
    // The tint's alpha and the panel's size chosen in the settings, for the windows there are and
    // those still to come.
    static void setLook(int tintAlpha, const QSize &size);
    // The desktop-wide key of focusPanel(), for the panels whose key is bound and those to come.
    static void setFocusShortcut(const QString &key);
    // The ISO week of the overview's first day, over the list while the overview shows.
    static void setWeekNumbers(bool shown);
    // Binds that key for this panel through the desktop (main() does; tests leave the bus alone).
    // `component`: the name the desktop lists it under.
    void bindFocusShortcut(const QString &component);

    // A burst of reload requests within this delay costs one fetch; tst_mainwindow relies on it.
    // The list fills when the data server answers; the window never waits for it.
    static constexpr int reloadDelayMs = 50;

    // Writes where the user dragged the window, unless that is written already: a drag's end
    // writes it, and main() calls this once more at quit.
    void keepPlace();
    // The settings button's window, opened or raised.
    void openSettings();
    // Whether the first frame has been painted (or a second has passed without a paint).
    bool hasShownFirstFrame() const { return firstFramePainted; }
    // Where a window of the panel's (the settings, the editor) goes: beside it on its screen.
    QPoint besidePanel(const QSize &size) const;
    // New events, a task's Edit… and Delete, and the Undo of a deletion.
    EventActions *eventActions() const { return events; }
    // Sends what is still waiting to reach the data server (a deletion whose Undo has not gone): at quit.
    void finishPendingChanges();
    // Shows the panel and gives it the keyboard (the global shortcut, --focus): the first task,
    // else the day button of the view, has the focus. Esc gives the keyboard back.
    void focusPanel();

public Q_SLOTS:
    // Schedules a reload of the task list for the current view.
    void onCalendarDataChanged();
    void onDayButtonClicked(QAbstractButton *dayButton);

private Q_SLOTS:
    void onThemeChanged(Zyk::Gui::ZGuiApplicationHelper::ColorType type);
    void freshTaskList();
    void onTasksFetched(DisplayInfo view, const QVector<ListedTask> &tasks);
    void onFetchFailed(DisplayInfo view);

Q_SIGNALS:
    // Once, in the turn after the first frame was painted: the start's work that the frame does not
    // show waits for it.
    void firstFrameShown();

protected:
    bool event(QEvent *e) override;
    void paintEvent(QPaintEvent *e) override;
    void showEvent(QShowEvent *e) override;
    void resizeEvent(QResizeEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;

private:
    void initDateButtons();
    void initTaskList();
    void initToolButtons();
    void freshDayButtonToolTips();
    void chooseView(int button);
    void freshWeekLabel();
    void onFirstFrame();
    // The day buttons and the task list take what the panel has beyond its default size.
    void fitToSize();

    DisplayInfo displayInfo = DisplayOverview;
    DisplayInfo shownView = DisplayOverview;
    Zyk::Widget::ZWindowDrag drag;
    bool placeUnkept = false;
    WindowPlace::Follower *placeFollower = nullptr;
    Zyk::Widget::ZButtonBox *dayButtonBox = nullptr;
    Zyk::Widget::ZButtonBox *toolButtonBox = nullptr;
    QScrollArea *scrollArea = nullptr;
    TaskList *taskList = nullptr;
    QVBoxLayout *mainLayout = nullptr;
    Zyk::Widget::ZButtonBoxButton *homeDayButton = nullptr;
    Zyk::Widget::ZButtonBoxButton *recentDayButton = nullptr;
    QList<Zyk::Widget::ZButtonBoxButton *> dayButtons; // "D1" to "D6"
    QTimer *reloadTimer = nullptr;
    ViewFetcher *fetcher = nullptr;
    EventActions *events = nullptr;
    bool firstFramePainted = false;
    int listWidthAtDefault = 0;
    static int tintAlpha;
    static QSize panelSize;
    static QString focusShortcut;
    static bool weekNumbers;
    QLabel *weekLabel = nullptr;
    GlobalShortcut *globalShortcut = nullptr;
    // A window of its own, not a child: the desktop keeps a child of a bottom window down with it.
    QPointer<SettingsWindow> settingsWindow;
};

#endif
