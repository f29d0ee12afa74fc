#include "mainwindow.h"

#include "dayclock.h"
#include "drawnicon.h"
#include "eventactions.h"
#include "globalshortcut.h"
#include "resizecorner.h"
#include "roundedfill.h"
#include "settingswindow.h"
#include "taskitem.h"
#include "tasklist.h"
#include "viewfetcher.h"
#include "windowplace.h"
#include "zbuttonbox.h"

#include <QApplication>
#include <QDate>
#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>

using Zyk::Gui::ZGuiApplicationHelper;
using Zyk::Widget::ZButtonBox;
using Zyk::Widget::ZButtonBoxButton;

QColor MainWindow::backgroundColor;
int MainWindow::tintAlpha = WidgetSettings::defaultOpacity;
QSize MainWindow::panelSize = WidgetSettings::defaultPanelSize;
bool MainWindow::weekNumbers = false;
QString MainWindow::focusShortcut = QLatin1String(WidgetSettings::defaultFocusShortcut);

MainWindow::MainWindow()
    : ZMainWindow(nullptr)
{
    titlebar()->setMenuVisible(false);
    titlebar()->setFixedHeight(0);
    // Even at no height its buttons would still take keyboard focus, unseen.
    titlebar()->hide();

    setWindowFlags(Qt::Tool | Qt::WindowStaysOnBottomHint);
    setAttribute(Qt::WA_X11NetWmWindowTypeDock);
    setAttribute(Qt::WA_TranslucentBackground);

    auto *central = new QWidget(this);
    mainLayout = new QVBoxLayout(central);
    setCentralWidget(central);

    initDateButtons();
    initTaskList();
    initToolButtons();

    // Never larger than the screen it starts on, whatever size it was given on another.
    setMinimumSize(WidgetSettings::minPanelSize);
    setMaximumSize(WidgetSettings::maxPanelSize);
    listWidthAtDefault = taskList->width();
    const QScreen *startScreen = QGuiApplication::primaryScreen();
    resize(startScreen
               ? panelSize.boundedTo(startScreen->availableGeometry().size()).expandedTo(minimumSize())
               : panelSize);
    auto *corner = new ResizeCorner(this);
    connect(corner, &ResizeCorner::resized, this, [](const QSize &size) { keepPanelSize(size); });
    placeFollower = new WindowPlace::Follower(this, WindowPlace::kept().value_or(QPoint(500, 500)));

    connect(ZGuiApplicationHelper::instance(), &ZGuiApplicationHelper::themeTypeChanged, this,
            &MainWindow::onThemeChanged);

    reloadTimer = new QTimer(this);
    reloadTimer->setSingleShot(true);
    reloadTimer->setInterval(reloadDelayMs);
    connect(reloadTimer, &QTimer::timeout, this, &MainWindow::freshTaskList);
    fetcher = new ViewFetcher(this);
    connect(fetcher, &ViewFetcher::fetched, this, &MainWindow::onTasksFetched);
    connect(fetcher, &ViewFetcher::failed, this, &MainWindow::onFetchFailed);
    // Left on the desktop overnight, the widget moves on to the new day's tasks and dates.
    connect(DataCenter::instance()->clock(), &DayClock::dayChanged, this, &MainWindow::onCalendarDataChanged);
    connect(DataCenter::instance(), &DataCenter::viewOptionsChanged, this,
            &MainWindow::onCalendarDataChanged);

    onThemeChanged(ZGuiApplicationHelper::instance()->themeType());

    // The first fetch goes out once the first frame is painted (showEvent, paintEvent): the data
    // server's work and the list it brings would otherwise compete with that frame.
}

MainWindow::~MainWindow()
{
    delete settingsWindow;
}

void MainWindow::initDateButtons()
{
    homeDayButton =
        new ZButtonBoxButton(DrawnIcon::icon(QStringLiteral(":/pics/homepage.svg")), QString(), this);
    homeDayButton->setObjectName(QStringLiteral("homeDayButton"));
    homeDayButton->setIconSize(QSize(20, 20));
    homeDayButton->setToolTip(tr("Overview"));
    homeDayButton->setAccessibleName(tr("Overview"));

    recentDayButton = new ZButtonBoxButton(QStringLiteral("Hidden"), this);
    recentDayButton->setObjectName(QStringLiteral("recentDayButton"));
    recentDayButton->hide();

    QList<ZButtonBoxButton *> buttons{homeDayButton, recentDayButton};
    for (int day = 1; day <= 6; ++day) {
        auto *button = new ZButtonBoxButton(QStringLiteral("D%1").arg(day), this);
        dayButtons.append(button);
        buttons.append(button);
    }
    freshDayButtonToolTips();

    dayButtonBox = new ZButtonBox(this);
    dayButtonBox->setObjectName(QStringLiteral("dayButtonBox"));
    dayButtonBox->setButtonList(buttons, true);
    dayButtonBox->setFixedWidth(280);
    dayButtonBox->setOrientation(Qt::Horizontal);
    dayButtonBox->setAttribute(Qt::WA_NoMousePropagation);

    dayButtonBox->setId(homeDayButton, 0);
    for (int i = 0; i < dayButtons.size(); ++i)
        dayButtonBox->setId(dayButtons.at(i), i + 1);

    homeDayButton->setChecked(true);
    connect(dayButtonBox, &ZButtonBox::buttonClicked, this, &MainWindow::onDayButtonClicked);

    mainLayout->addSpacing(20);
    mainLayout->addWidget(dayButtonBox, 0, Qt::AlignCenter);

    weekLabel = new QLabel(this);
    weekLabel->setObjectName(QStringLiteral("weekLabel"));
    weekLabel->hide();
    mainLayout->addWidget(weekLabel, 0, Qt::AlignCenter);
}

namespace {
// The area around the list clear, so that the window's tint shows through it, and what lies on it
// (the list and its items, the scroll bars) in the application's palette with nothing beneath.
// Through the palette rather than a style sheet: one rule put Qt's style sheet style over the area
// and every item in it, each polished through it, more code and memory before the first frame and a
// slower list to fill.
void showWindowThrough(QScrollArea *area)
{
    const QPalette::ColorGroup groups[] = {QPalette::Active, QPalette::Inactive, QPalette::Disabled};
    QPalette clear = area->palette();
    for (const QPalette::ColorGroup group : groups)
        clear.setBrush(group, QPalette::Window, Qt::NoBrush);
    area->setPalette(clear);
    for (QWidget *child : area->findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly)) {
        const QPalette natural = QApplication::palette(child);
        QPalette own = child->palette();
        for (const QPalette::ColorGroup group : groups)
            own.setBrush(group, QPalette::Window, natural.brush(group, QPalette::Window));
        child->setPalette(own);
    }
    area->viewport()->setAutoFillBackground(false);
    area->widget()->setAutoFillBackground(false);
}

// The same again whenever the area's palette changes with the application's: Qt 5 tells each
// widget of a new application palette, Qt 6 only the windows, whose children then see their own
// palette change. Its own changes of the palettes come back here, and are left alone.
class KeepsWindowShownThrough : public QObject
{
public:
    explicit KeepsWindowShownThrough(QScrollArea *area)
        : QObject(area)
    {
        apply(area);
        area->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::ApplicationPaletteChange || event->type() == QEvent::PaletteChange)
            apply(static_cast<QScrollArea *>(watched));
        return false;
    }

private:
    void apply(QScrollArea *area)
    {
        if (std::exchange(applying, true))
            return;
        showWindowThrough(area);
        applying = false;
    }

    bool applying = false;
};
} // namespace

void MainWindow::initTaskList()
{
    taskList = new TaskList(nullptr);
    scrollArea = new QScrollArea(nullptr);
    scrollArea->setObjectName(QStringLiteral("taskScrollArea"));

    scrollArea->setFrameShape(QFrame::NoFrame);
    scrollArea->setAttribute(Qt::WA_TranslucentBackground);
    scrollArea->setAutoFillBackground(true);
    scrollArea->setWidget(taskList);
    scrollArea->setFixedHeight(200);
    scrollArea->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    scrollArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scrollArea->verticalScrollBar()->setProperty("_z_zyk_slider_always_show", true);
    // Laid out once, at the list's full width, with room for the scroll bar beside the items: a
    // list that starts empty must not leave the area as narrow as it was then.
    scrollArea->setFixedWidth(taskList->width() + scrollArea->verticalScrollBar()->sizeHint().width());
    new KeepsWindowShownThrough(scrollArea);
    scrollArea->setAttribute(Qt::WA_NoMousePropagation);
    // Tab goes straight from the day buttons to the first task, not to the frame around them.
    scrollArea->setFocusPolicy(Qt::NoFocus);

    mainLayout->addSpacing(20);
    mainLayout->addWidget(scrollArea, 0, Qt::AlignCenter);

    events = new EventActions(this, taskList, scrollArea->viewport(), [this] {
        const QDate today = DataCenter::instance()->clock()->today();
        return displayInfo > DisplayOverview ? today.addDays(displayInfo) : today;
    });
    connect(events, &EventActions::listChanged, this, &MainWindow::onCalendarDataChanged);
    mainLayout->addWidget(events->undoBar());

    // A task reached with Tab may lie below the visible part of the list.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget *, QWidget *now) {
        if (!now || !taskList->isAncestorOf(now))
            return;
        QWidget *item = now;
        while (item->parentWidget() != taskList)
            item = item->parentWidget();
        scrollArea->ensureWidgetVisible(item, 0, 0);
    });
}

void MainWindow::initToolButtons()
{
    const auto makeButton = [this](const QString &icon, const QString &name, const QString &what) {
        auto *button = new ZButtonBoxButton(DrawnIcon::icon(icon), QString(), this);
        button->setObjectName(name);
        button->setIconSize(QSize(20, 20));
        button->setToolTip(what);
        button->setAccessibleName(what);
        return button;
    };
    auto *editButton =
        makeButton(QStringLiteral(":/pics/edit.svg"), QStringLiteral("editButton"), tr("Open calendar"));
    auto *settingButton =
        makeButton(QStringLiteral(":/pics/setting.svg"), QStringLiteral("settingButton"), tr("Settings"));
    auto *homeButton =
        makeButton(QStringLiteral(":/pics/homepage.svg"), QStringLiteral("homeButton"), tr("Overview"));
    auto *warnButton =
        makeButton(QStringLiteral(":/pics/warn.svg"), QStringLiteral("warnButton"), tr("Recent days"));
    auto *closeButton =
        makeButton(QStringLiteral(":/pics/close.svg"), QStringLiteral("closeButton"), tr("Close"));

    toolButtonBox = new ZButtonBox(this);
    toolButtonBox->setObjectName(QStringLiteral("toolButtonBox"));
    toolButtonBox->setButtonList({editButton, settingButton, homeButton, warnButton, closeButton}, false);
    toolButtonBox->setFixedWidth(200);
    toolButtonBox->setAttribute(Qt::WA_NoMousePropagation);

    mainLayout->addSpacing(20);
    mainLayout->addWidget(toolButtonBox, 0, Qt::AlignCenter);

    connect(editButton, &QAbstractButton::clicked, DataCenter::instance(), &DataCenter::raiseCalendarWindow);
    connect(settingButton, &QAbstractButton::clicked, this, &MainWindow::openSettings);
    connect(homeButton, &QAbstractButton::clicked, this, [this] {
        displayInfo = DisplayOverview;
        homeDayButton->setChecked(true);
        freshWeekLabel();
        onCalendarDataChanged();
    });
    connect(warnButton, &QAbstractButton::clicked, this, [this] {
        displayInfo = DisplayRecent;
        recentDayButton->setChecked(true);
        freshWeekLabel();
        onCalendarDataChanged();
    });
    connect(closeButton, &QAbstractButton::clicked, this, [] { QCoreApplication::exit(0); });
}

void MainWindow::openSettings()
{
    // Built anew each time, so that it shows the calendars and the start at login as they are now.
    if (!settingsWindow) {
        settingsWindow = new SettingsWindow;
        settingsWindow->setAttribute(Qt::WA_DeleteOnClose);
        settingsWindow->setPlace(besidePanel(settingsWindow->size()));
    }
    // The panel holds the keyboard alone while it was asked for it: the window takes it over.
    Zyk::Platform::setKeyboardWanted(this, false);
    settingsWindow->show();
    settingsWindow->raise();
    settingsWindow->activateWindow();
}

QPoint MainWindow::besidePanel(const QSize &size) const
{
    const QRect screen =
        (this->screen() ? this->screen() : QGuiApplication::primaryScreen())->availableGeometry();
    // place(), not pos(): on a Wayland layer surface Qt knows no position of the window.
    return WindowPlace::beside(QRect(place(), this->size()), size, screen);
}

void MainWindow::finishPendingChanges()
{
    events->finishPending();
}

void MainWindow::setFocusShortcut(const QString &key)
{
    if (key == focusShortcut)
        return;
    focusShortcut = key;
    for (QWidget *window : QApplication::topLevelWidgets()) {
        auto *panel = qobject_cast<MainWindow *>(window);
        if (panel && panel->globalShortcut)
            panel->globalShortcut->bind(key);
    }
}

void MainWindow::bindFocusShortcut(const QString &component)
{
    if (globalShortcut)
        return;
    globalShortcut = new GlobalShortcut(component, QDBusConnection::sessionBus(), this);
    connect(globalShortcut, &GlobalShortcut::activated, this, &MainWindow::focusPanel);
    globalShortcut->bind(focusShortcut);
}

void MainWindow::focusPanel()
{
    showNormal();
    Zyk::Platform::setKeyboardWanted(this, true);
    if (QApplication::focusWidget() && isAncestorOf(QApplication::focusWidget()))
        return;
    const QList<TaskItem *> &items = taskList->taskItems();
    if (!items.isEmpty())
        items.constFirst()->setFocus(Qt::ShortcutFocusReason);
    else if (QAbstractButton *checked = dayButtonBox->checkedButton(); checked && checked->isVisible())
        checked->setFocus(Qt::ShortcutFocusReason);
    else
        homeDayButton->setFocus(Qt::ShortcutFocusReason);
}

// The keys the panel's controls leave to it: 1 to 6 the days ahead, 0 the overview, Esc gives the
// keyboard back to the desktop.
void MainWindow::keyPressEvent(QKeyEvent *e)
{
    const Qt::KeyboardModifiers modifiers = e->modifiers() & ~Qt::KeypadModifier;
    const int key = e->key();
    if (modifiers == Qt::NoModifier && key >= Qt::Key_0 && key <= Qt::Key_6) {
        chooseView(key - Qt::Key_0);
        return;
    }
    if (modifiers == Qt::NoModifier && key == Qt::Key_Escape) {
        if (QWidget *focused = QApplication::focusWidget(); focused && isAncestorOf(focused))
            focused->clearFocus();
        Zyk::Platform::setKeyboardWanted(this, false);
        return;
    }
    ZMainWindow::keyPressEvent(e);
}

// As a click on the day button: 0 the overview, N the day N days ahead.
void MainWindow::chooseView(int button)
{
    QAbstractButton *chosen = button == 0 ? homeDayButton : dayButtons.value(button - 1);
    if (!chosen)
        return;
    chosen->setChecked(true);
    onDayButtonClicked(chosen);
}

void MainWindow::freshDayButtonToolTips()
{
    const QDate today = DataCenter::instance()->clock()->today();
    const QLocale locale;
    for (int i = 0; i < dayButtons.size(); ++i) {
        const QDate day = today.addDays(i + 1);
        //: The day button's tooltip: the date, then the ISO week number
        const QString date =
            tr("%1, week %2").arg(locale.toString(day, QLocale::LongFormat)).arg(day.weekNumber());
        dayButtons.at(i)->setToolTip(date);
        dayButtons.at(i)->setAccessibleDescription(date);
    }
    freshWeekLabel();
}

void MainWindow::setWeekNumbers(bool shown)
{
    weekNumbers = shown;
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (auto *panel = qobject_cast<MainWindow *>(window))
            panel->freshWeekLabel();
    }
}

void MainWindow::freshWeekLabel()
{
    if (!weekLabel)
        return;
    const QDate today = DataCenter::instance()->clock()->today();
    weekLabel->setText(tr("Week %1").arg(today.weekNumber()));
    weekLabel->setVisible(weekNumbers && displayInfo == DisplayOverview);
}

void MainWindow::onCalendarDataChanged()
{
    reloadTimer->start();
}

void MainWindow::freshTaskList()
{
    reloadTimer->stop();
    freshDayButtonToolTips();
    fetcher->fetch(displayInfo);
}

void MainWindow::onTasksFetched(DisplayInfo view, const QVector<ListedTask> &tasks)
{
    if (view != displayInfo)
        return;
    shownView = view;
    taskList->setListedTasks(events->withoutPending(tasks));
}

void MainWindow::showEvent(QShowEvent *e)
{
    ZMainWindow::showEvent(e);
    // A window the desktop never lets paint still gets its list.
    if (!firstFramePainted)
        QTimer::singleShot(1000, this, &MainWindow::onFirstFrame);
}

void MainWindow::onFirstFrame()
{
    if (firstFramePainted)
        return;
    firstFramePainted = true;
    // Once the frame being painted has reached the screen.
    QTimer::singleShot(0, this, [this] {
        // The data server may announce one change many times over; each signal only (re)arms the
        // timer. Listened to from the first fetch on: the data server's client asks the bus, and
        // waits, who owns its name, three times over, which the first frame need not wait for.
        connect(DataCenter::instance(), &DataCenter::jobsChanged, this, &MainWindow::onCalendarDataChanged);
        freshTaskList();
        Q_EMIT firstFrameShown();
    });
}

void MainWindow::onFetchFailed(DisplayInfo view)
{
    // A data server that has gone away or answers with an error leaves the last list of the same
    // view on screen until it is back; another view's list would show the wrong days.
    if (view != displayInfo || view == shownView)
        return;
    shownView = view;
    taskList->setListedTasks({});
}

void MainWindow::onDayButtonClicked(QAbstractButton *dayButton)
{
    const int index = dayButtonBox->id(dayButton);
    Q_ASSERT_X(index >= 0, "MainWindow::onDayButtonClicked", "index >= 0");
    if (index < 0)
        return;
    displayInfo = DisplayInfo(index);
    freshWeekLabel();
    onCalendarDataChanged();
}

void MainWindow::onThemeChanged(ZGuiApplicationHelper::ColorType type)
{
    backgroundColor = tintOf(type);
    TaskItem::setWindowTint(backgroundColor);
    update();
}

void MainWindow::paintLikePanel(QWidget *window, ZGuiApplicationHelper::ColorType type, QColor *tint)
{
    QPalette palette = window->palette();
    const QColor text = type == ZGuiApplicationHelper::DarkType ? QColor(235, 235, 235) : QColor(25, 25, 25);
    palette.setColor(QPalette::WindowText, text);
    window->setPalette(palette);
    *tint = tintOf(type);
    tint->setAlpha(std::max(tint->alpha(), int(WidgetSettings::defaultOpacity)));
    window->update();
}

QColor MainWindow::tintOf(ZGuiApplicationHelper::ColorType type)
{
    return type == ZGuiApplicationHelper::DarkType ? QColor(0, 0, 0, tintAlpha)
                                                   : QColor(255, 255, 255, tintAlpha);
}

void MainWindow::setLook(int alpha, const QSize &size)
{
    tintAlpha = alpha;
    panelSize = size;
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (auto *panel = qobject_cast<MainWindow *>(window)) {
            panel->onThemeChanged(ZGuiApplicationHelper::instance()->themeType());
            panel->resize(size);
            panel->update();
        }
    }
}

void MainWindow::resizeEvent(QResizeEvent *e)
{
    ZMainWindow::resizeEvent(e);
    fitToSize();
}

void MainWindow::fitToSize()
{
    const QSize extra = size() - WidgetSettings::defaultPanelSize;
    // The items are as wide as ever beside the list's margins as the style has them: the list's
    // right margin takes what the list was given beyond them.
    taskList->ensurePolished();
    QLayout *itemLayout = taskList->layout();
    const QMargins margins = itemLayout->contentsMargins();
    itemLayout->setContentsMargins(margins.left(), margins.top(),
                                   std::max(0, listWidthAtDefault - TaskItem::itemWidth - margins.left()),
                                   margins.bottom());
    dayButtonBox->setFixedWidth(280 + extra.width());
    taskList->setFixedWidth(listWidthAtDefault + extra.width());
    scrollArea->setFixedSize(taskList->width() + scrollArea->verticalScrollBar()->sizeHint().width(),
                             200 + extra.height());
}

bool MainWindow::event(QEvent *e)
{
    switch (e->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove: {
        const auto *mouse = static_cast<QMouseEvent *>(e);
        lower();
        if (e->type() == QEvent::MouseButtonPress) {
            drag.press(this, mouse);
        } else if (e->type() == QEvent::MouseMove) {
            setPlace(drag.position(mouse));
            placeFollower->setUserPlace(place());
            placeUnkept = true;
        } else if (e->type() == QEvent::MouseButtonRelease) {
            // Dropped on another monitor, a layer surface moves to that output only now.
            placeFollower->follow();
            keepPlace();
        }
        return true;
    }
    default:
        return QWidget::event(e);
    }
}

void MainWindow::keepPlace()
{
    // Only a drag writes: a place chosen because the kept one is off every screen stays unwritten,
    // so the window goes back there once that screen is back.
    if (placeUnkept && WindowPlace::keep(placeFollower->userPlace()))
        placeUnkept = false;
}

void MainWindow::paintEvent(QPaintEvent *e)
{
    QPainter painter(this);
    fillRounded(painter, rect(), windowRadius(), backgroundColor, e->rect());
    if (!firstFramePainted)
        onFirstFrame();
}
