#include "datacenter.h"
#include "dayclock.h"
#include "eventactions.h"
#include "eventeditor.h"
#include "fakedbusservice.h"
#include "mainwindow.h"
#include "settingswindow.h"
#include "taskitem.h"
#include "tasklist.h"
#include "warningspy.h"
#include "windowplace.h"
#include "zbuttonbox.h"
#include "zguiapplicationhelper.h"

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QContextMenuEvent>
#include <QLabel>
#include <QMenu>
#include <QMutex>
#include <QPushButton>
#include <QScopeGuard>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <ctime>

#include <memory>

using Zyk::Gui::ZGuiApplicationHelper;
using Zyk::Widget::ZButtonBox;
using Zyk::Widget::ZButtonBoxButton;

namespace {
using Range = QPair<QDate, QDate>;
using DayMap = QMap<QDate, QVector<ScheduleDataInfo>>;
using Screens = QVector<QRect>;

// What the fake data server holds; read by its handler on the service's thread.
struct ServerScript
{
    QMutex mutex;
    DayMap days;
    int answerDelayMs = 0;
};

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QDate today()
{
    return QDate::currentDate();
}

ScheduleDataInfo job(int id, const QString &title, const QDate &day, int hour, int remind = -1)
{
    ScheduleDataInfo info;
    info.setID(id);
    info.setTitleName(title);
    info.setAllDay(false);
    info.setBeginDateTime(QDateTime(day, QTime(hour, 0)));
    info.setEndDateTime(QDateTime(day, QTime(hour, 30)));
    info.setRemindData(RemindData(remind, QTime(9, 0)));
    return info;
}

const QStringList overviewTitles{"day three remind", "old open", "today", "today 2", "today 3"};
const QStringList recentTitles{"old done", "old open", "today", "today 2", "today 3"};
const QStringList dayThreeTitles{"day three", "day three remind"};
const QStringList dayFiveTitles{"day five"};
// Counts the events of one type that reach a widget while it lives.
class EventCounter : public QObject
{
public:
    EventCounter(QWidget *widget, QEvent::Type type, int &count)
        : type(type)
        , count(count)
    {
        widget->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == type)
            ++count;
        return false;
    }

private:
    QEvent::Type type;
    int &count;
};
} // namespace

Q_DECLARE_METATYPE(Screens)

// Waits until `fetches` GetJobs calls have been made and the list shows `titles`.
#define SETTLES_ON(fetches, titles)                                                                          \
    do {                                                                                                     \
        QTRY_COMPARE_WITH_TIMEOUT(server.calls("GetJobs").size(), fetches, 10000);                           \
        QTRY_COMPARE_WITH_TIMEOUT(shownTitles(), titles, 10000);                                             \
        QTRY_VERIFY(!list->isReplacing());                                                                   \
    } while (false)

class TestMainWindow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void buildsTheWindow();
    void startDoesNotWait_data();
    void startDoesNotWait();
    void dayButtonShowsThatDay();
    void warnThenHomeButton();
    void settingButtonDoesNothing();
    void jobsUpdateReloadsCurrentView();
    void clickDuringReloadEndsOnLastView();
    void jobsUpdateStormIsCoalesced();
    void editButtonRaisesCalendar();
    void theme_data();
    void theme();
    void listShowsTheWindowThrough_data();
    void listShowsTheWindowThrough();
    void dragByFreeArea();
    void sizeAndOpacityKept_data();
    void sizeAndOpacityKept();
    void startPlace_data();
    void startPlace();
    void placeOnScreens_data();
    void placeOnScreens();
    void placeFile_data();
    void placeFile();
    void placeKept();
    void buttonsSayWhatTheyDo();
    void tabVisitsButtonsAndTasks();
    void keysMoveBetweenTasks_data();
    void keysMoveBetweenTasks();
    void digitKeysChooseTheView_data();
    void digitKeysChooseTheView();
    void deleteKeyOffersUndo();
    void focusPanelTakesTheKeyboard();
    void everyControlIsNamed_data();
    void everyControlIsNamed();
    void weekNumberOverTheOverview();
    void closeButtonEndsEventLoop();
    void newEventFromThePanel_data();
    void newEventFromThePanel();
    void newDay_data();
    void newDay();

private:
    void setDays(const DayMap &days);
    QList<Range> fetchedRanges() const;
    QStringList shownTitles() const;
    ZButtonBoxButton *button(const QString &name) const;
    ZButtonBoxButton *dayButton(int day) const;
    // The task whose item holds the keyboard focus; -1: none.
    int focusedTask() const;

    FakeDBusService server{"com.norvale.dataserver.Calendar", "/com/norvale/dataserver/Calendar",
                           "com.norvale.dataserver.Calendar"};
    FakeDBusService calendar{"com.norvale.Calendar", "/com/norvale/Calendar", "com.norvale.Calendar"};
    std::shared_ptr<ServerScript> script = std::make_shared<ServerScript>();
    std::unique_ptr<MainWindow> window;
    TaskList *list = nullptr;
    QTemporaryDir dataDir;
};

void TestMainWindow::initTestCase()
{
    if (!server.start() || !calendar.start())
        QSKIP("no session bus");
    QVERIFY(dataDir.isValid());
    WindowPlace::setFile(dataDir.filePath("place"));
    const std::shared_ptr<ServerScript> shared = script;
    server.setHandler("GetJobs", [shared](const FakeDBusService::Call &call) {
        const QVariantList &a = call.arguments;
        if (a.size() != 6)
            return FakeDBusService::Reply::error("org.freedesktop.DBus.Error.InvalidArgs");
        const QDate start(a[0].toInt(), a[1].toInt(), a[2].toInt());
        const QDate end(a[3].toInt(), a[4].toInt(), a[5].toInt());
        QMutexLocker lock(&shared->mutex);
        DayMap range;
        for (auto it = shared->days.cbegin(); it != shared->days.cend(); ++it) {
            if (it.key() >= start && it.key() <= end)
                range.insert(it.key(), it.value());
        }
        return FakeDBusService::Reply::value(ScheduleDataInfo::RangeInfoToStrJson(range),
                                             shared->answerDelayMs);
    });

    const ScheduleDataInfo oldDone = job(2, "old done", today().addDays(-1), 10);
    ExtendedData done;
    done.dataId = DataID{oldDone.getID(), oldDone.getRecurID(), oldDone.getTitleName()};
    done.checked = true;
    DataCenter::instance()->setExtendedData(oldDone, done);
}

void TestMainWindow::init()
{
    DayMap days;
    days[today().addDays(-2)] << job(1, "old open", today().addDays(-2), 10);
    days[today().addDays(-1)] << job(2, "old done", today().addDays(-1), 10);
    days[today()] << job(3, "today", today(), 10) << job(4, "today 2", today(), 11)
                  << job(5, "today 3", today(), 12);
    days[today().addDays(1)] << job(6, "tomorrow", today().addDays(1), 10);
    days[today().addDays(3)] << job(7, "day three", today().addDays(3), 9)
                             << job(8, "day three remind", today().addDays(3), 10, 15);
    days[today().addDays(5)] << job(9, "day five", today().addDays(5), 10);
    setDays(days);
    server.clearCalls();
    calendar.clearCalls();

    window = std::make_unique<MainWindow>();
    list = window->findChild<TaskList *>();
    QVERIFY(list);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    // The overview's two fetches; on a loaded machine a third has been seen while the window
    // starts. Every case counts from a window that has gone quiet.
    QTRY_VERIFY_WITH_TIMEOUT(server.calls("GetJobs").size() >= 2, 10000);
    QTRY_COMPARE_WITH_TIMEOUT(shownTitles(), overviewTitles, 10000);
    for (int calls = -1; calls != server.calls("GetJobs").size();) {
        calls = server.calls("GetJobs").size();
        QTest::qWait(4 * MainWindow::reloadDelayMs);
    }
    QTRY_VERIFY(!list->isReplacing());
    server.clearCalls();
}

void TestMainWindow::cleanup()
{
    window.reset();
    list = nullptr;
    // Every other test starts where the first start does.
    QFile::remove(dataDir.filePath("place"));
    QDir().rmdir(dataDir.filePath("place"));
}

void TestMainWindow::setDays(const DayMap &days)
{
    QMutexLocker lock(&script->mutex);
    script->days = days;
}

QList<Range> TestMainWindow::fetchedRanges() const
{
    QList<Range> ranges;
    for (const FakeDBusService::Call &call : server.calls("GetJobs")) {
        const QVariantList &a = call.arguments;
        ranges << Range(QDate(a[0].toInt(), a[1].toInt(), a[2].toInt()),
                        QDate(a[3].toInt(), a[4].toInt(), a[5].toInt()));
    }
    return ranges;
}

QStringList TestMainWindow::shownTitles() const
{
    QStringList titles;
    for (TaskItem *item : list->taskItems())
        titles << item->title();
    titles.sort();
    return titles;
}

ZButtonBoxButton *TestMainWindow::button(const QString &name) const
{
    return window->findChild<ZButtonBoxButton *>(name);
}

ZButtonBoxButton *TestMainWindow::dayButton(int day) const
{
    const QList<ZButtonBoxButton *> buttons = window->findChildren<ZButtonBoxButton *>();
    for (ZButtonBoxButton *b : buttons) {
        if (b->text() == QStringLiteral("D%1").arg(day))
            return b;
    }
    return nullptr;
}

void TestMainWindow::buildsTheWindow()
{
    QCOMPARE(window->windowType(), Qt::Tool);
    QVERIFY(window->windowFlags().testFlag(Qt::WindowStaysOnBottomHint));
    QVERIFY(!window->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    QVERIFY(window->testAttribute(Qt::WA_X11NetWmWindowTypeDock));
    QVERIFY(window->testAttribute(Qt::WA_TranslucentBackground));
    QCOMPARE(window->size(), QSize(350, 400));
    QCOMPARE(window->pos(), QPoint(500, 500));
    QCOMPARE(window->titlebar()->height(), 0);
    QVERIFY(!window->titlebar()->menuVisible());

    auto *days = window->findChild<ZButtonBox *>("dayButtonBox");
    QVERIFY(days);
    QCOMPARE(days->width(), 280);
    QCOMPARE(days->orientation(), Qt::Horizontal);
    QVERIFY(days->testAttribute(Qt::WA_NoMousePropagation));
    QStringList texts;
    QList<int> ids;
    for (QAbstractButton *b : days->buttonList()) {
        texts << b->text();
        ids << days->id(b);
    }
    QCOMPARE(texts, (QStringList{"", "Hidden", "D1", "D2", "D3", "D4", "D5", "D6"}));
    QCOMPARE(ids.at(0), 0);
    QVERIFY(ids.at(1) < 0);
    QCOMPARE(ids.mid(2), (QList<int>{1, 2, 3, 4, 5, 6}));
    QVERIFY(!button("recentDayButton")->isVisible());
    QCOMPARE(button("homeDayButton")->iconSize(), QSize(20, 20));

    auto *area = window->findChild<QScrollArea *>();
    QVERIFY(area);
    QCOMPARE(area->widget(), list);
    QVERIFY(!area->widgetResizable());
    QCOMPARE(area->frameShape(), QFrame::NoFrame);
    QCOMPARE(area->height(), 200);
    QCOMPARE(area->verticalScrollBarPolicy(), Qt::ScrollBarAsNeeded);
    QCOMPARE(area->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    QCOMPARE(area->verticalScrollBar()->property("_z_zyk_slider_always_show"), QVariant(true));
    QVERIFY(area->testAttribute(Qt::WA_NoMousePropagation));
    QVERIFY(area->testAttribute(Qt::WA_TranslucentBackground));
    QVERIFY(area->autoFillBackground());
    // Clear through the palette: a style sheet would put Qt's style sheet style over every item.
    QVERIFY(area->styleSheet().isEmpty());
    QVERIFY(!area->viewport()->autoFillBackground());
    QVERIFY(!list->autoFillBackground());

    auto *tools = window->findChild<ZButtonBox *>("toolButtonBox");
    QVERIFY(tools);
    QCOMPARE(tools->width(), 200);
    QVERIFY(tools->testAttribute(Qt::WA_NoMousePropagation));
    const QList<QAbstractButton *> toolButtons = tools->buttonList();
    QCOMPARE(toolButtons.size(), 5);
    for (QAbstractButton *b : toolButtons) {
        QVERIFY(b->text().isEmpty());
        QVERIFY(!b->isCheckable());
        QCOMPARE(b->iconSize(), QSize(20, 20));
    }
}

void TestMainWindow::startDoesNotWait_data()
{
    QTest::addColumn<int>("answerDelayMs");
    QTest::addColumn<int>("clickedDay"); // clicked before the first answer; 0: none
    QTest::addColumn<QStringList>("shows");
    QTest::addColumn<int>("fetches");

    QTest::newRow("answers at once") << 0 << 0 << overviewTitles << 2;
    QTest::newRow("answers after 2 s") << 2000 << 0 << overviewTitles << 2;
    // The overview's answers come for a view the user has left: only D3's reach the list.
    QTest::newRow("answers after 2 s, D3 clicked meanwhile") << 2000 << 3 << dayThreeTitles << 3;
}

void TestMainWindow::startDoesNotWait()
{
    QFETCH(int, answerDelayMs);
    QFETCH(int, clickedDay);
    QFETCH(QStringList, shows);
    QFETCH(int, fetches);

    window.reset();
    server.clearCalls();
    script->answerDelayMs = answerDelayMs;
    window = std::make_unique<MainWindow>();
    list = window->findChild<TaskList *>();
    QVERIFY(button("homeDayButton")->isChecked());
    QVERIFY(list->taskItems().isEmpty());

    // Every list the window shows on its way, polled while the test's event loop runs.
    QList<QStringList> seen{shownTitles()};
    QTimer poll;
    connect(&poll, &QTimer::timeout, this, [&] {
        if (shownTitles() != seen.last())
            seen << shownTitles();
    });
    poll.start(5);

    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    QTRY_COMPARE(fetchedRanges(),
                 (QList<Range>{{today().addDays(-3), today()}, {today(), today().addDays(6)}}));
    if (answerDelayMs > 0) {
        // The window paints and takes clicks while the answers are on their way.
        int paints = 0;
        EventCounter counter(window.get(), QEvent::Paint, paints);
        window->update();
        QTRY_VERIFY(paints > 0);
        if (clickedDay > 0) {
            QTest::mouseClick(dayButton(clickedDay), Qt::LeftButton);
            QVERIFY(dayButton(clickedDay)->isChecked());
        }
        // Nothing arrived yet: all of the above happened while the server still held its answers.
        QVERIFY(list->taskItems().isEmpty());
    }
    SETTLES_ON(fetches, shows);
    QTest::qWait(MainWindow::reloadDelayMs * 4);
    QCOMPARE(server.calls("GetJobs").size(), fetches);
    QCOMPARE(seen, (QList<QStringList>{{}, shows}));
    script->answerDelayMs = 0;
}

void TestMainWindow::dayButtonShowsThatDay()
{
    QTest::mouseClick(dayButton(3), Qt::LeftButton);
    SETTLES_ON(1, dayThreeTitles);
    QCOMPARE(fetchedRanges(), (QList<Range>{{today().addDays(3), today().addDays(3)}}));
    QVERIFY(dayButton(3)->isChecked());
    QVERIFY(!button("homeDayButton")->isChecked());

    // The checked button reloads all the same.
    QTest::mouseClick(dayButton(3), Qt::LeftButton);
    SETTLES_ON(2, dayThreeTitles);
}

void TestMainWindow::warnThenHomeButton()
{
    QTest::mouseClick(button("warnButton"), Qt::LeftButton);
    SETTLES_ON(1, recentTitles);
    QCOMPARE(fetchedRanges(), (QList<Range>{{today().addDays(-3), today()}}));
    QVERIFY(!button("homeDayButton")->isChecked());
    for (int day = 1; day <= 6; ++day)
        QVERIFY(!dayButton(day)->isChecked());
    QVERIFY(button("recentDayButton")->isChecked());
    QVERIFY(!button("recentDayButton")->isVisible());

    server.clearCalls();
    QTest::mouseClick(button("homeButton"), Qt::LeftButton);
    SETTLES_ON(2, overviewTitles);
    QCOMPARE(fetchedRanges(), (QList<Range>{{today().addDays(-3), today()}, {today(), today().addDays(6)}}));
    QVERIFY(button("homeDayButton")->isChecked());
}

void TestMainWindow::settingButtonDoesNothing()
{
    const QList<TaskItem *> before = list->taskItems();
    QTest::mouseClick(button("settingButton"), Qt::LeftButton);
    QTest::qWait(MainWindow::reloadDelayMs * 6);
    // It lists the served calendars, and fetches no tasks.
    QVERIFY(server.calls("GetJobs").isEmpty());
    QVERIFY(calendar.calls().isEmpty());
    QCOMPARE(list->taskItems(), before);
    QVERIFY(button("homeDayButton")->isChecked());
}

void TestMainWindow::jobsUpdateReloadsCurrentView()
{
    QTest::mouseClick(dayButton(3), Qt::LeftButton);
    SETTLES_ON(1, dayThreeTitles);
    server.clearCalls();

    DayMap days;
    {
        QMutexLocker lock(&script->mutex);
        days = script->days;
    }
    days[today().addDays(3)] << job(10, "day three added", today().addDays(3), 15);
    setDays(days);
    server.emitSignal("JobsUpdated");

    SETTLES_ON(1, (QStringList{"day three", "day three added", "day three remind"}));
    QCOMPARE(fetchedRanges(), (QList<Range>{{today().addDays(3), today().addDays(3)}}));
}

void TestMainWindow::clickDuringReloadEndsOnLastView()
{
    // Clicks "D5" while the reload for "D3" waits for the old items to fade out.
    bool clickedWhileReplacing = false;
    QTimer watcher;
    watcher.setInterval(10);
    connect(&watcher, &QTimer::timeout, this, [&] {
        if (!list->isReplacing())
            return;
        watcher.stop();
        clickedWhileReplacing = true;
        QTest::mouseClick(dayButton(5), Qt::LeftButton);
    });
    watcher.start();

    QTest::mouseClick(dayButton(3), Qt::LeftButton);
    SETTLES_ON(2, dayFiveTitles);
    QVERIFY(clickedWhileReplacing);
    QCOMPARE(fetchedRanges(), (QList<Range>{{today().addDays(3), today().addDays(3)},
                                            {today().addDays(5), today().addDays(5)}}));
    QVERIFY(dayButton(5)->isChecked());
    QTest::qWait(MainWindow::reloadDelayMs * 4);
    QCOMPARE(server.calls("GetJobs").size(), 2);
}

void TestMainWindow::jobsUpdateStormIsCoalesced()
{
    DayMap days;
    {
        QMutexLocker lock(&script->mutex);
        days = script->days;
    }
    DayMap first = days;
    first[today().addDays(2)] << job(20, "storm first", today().addDays(2), 10, 5);
    DayMap last = days;
    last[today().addDays(2)] << job(21, "storm last", today().addDays(2), 10, 5);

    setDays(first);
    for (int i = 0; i < 100; ++i)
        server.emitSignal("JobsUpdated");
    setDays(last);
    for (int i = 0; i < 100; ++i)
        server.emitSignal("JobsUpdated");

    QStringList expected = overviewTitles;
    expected << "storm last";
    expected.sort();
    QTRY_COMPARE_WITH_TIMEOUT(shownTitles(), expected, 15000);
    // Let whatever is still queued run out before counting.
    int settled = -1;
    while (settled != server.calls("GetJobs").size()) {
        settled = server.calls("GetJobs").size();
        QTest::qWait(500);
    }
    QVERIFY(!list->isReplacing());
    QCOMPARE(shownTitles(), expected);
    const int fetches = server.calls("GetJobs").size();
    QVERIFY2(fetches >= 2 && fetches <= 8 && fetches % 2 == 0, qPrintable(QString::number(fetches)));
}

void TestMainWindow::editButtonRaisesCalendar()
{
    QTest::mouseClick(button("editButton"), Qt::LeftButton);
    QTRY_COMPARE(calendar.calls("RaiseWindow").size(), 1);
    QCOMPARE(calendar.calls().size(), 1);
    QCOMPARE(calendar.calls().first().signature, QString());
    QVERIFY(server.calls("GetJobs").isEmpty());
}

void TestMainWindow::theme_data()
{
    QTest::addColumn<ZGuiApplicationHelper::ColorType>("type");
    QTest::addColumn<QColor>("expected");

    QTest::newRow("dark") << ZGuiApplicationHelper::DarkType << QColor(0, 0, 0, 80);
    QTest::newRow("light") << ZGuiApplicationHelper::LightType << QColor(255, 255, 255, 80);
    QTest::newRow("unknown") << ZGuiApplicationHelper::UnknownType << QColor(255, 255, 255, 80);
}

void TestMainWindow::theme()
{
    QFETCH(ZGuiApplicationHelper::ColorType, type);
    QFETCH(QColor, expected);

    // Start from the other tint so that the row shows a change.
    Q_EMIT ZGuiApplicationHelper::instance()->themeTypeChanged(type == ZGuiApplicationHelper::DarkType
                                                                   ? ZGuiApplicationHelper::LightType
                                                                   : ZGuiApplicationHelper::DarkType);
    Q_EMIT ZGuiApplicationHelper::instance()->themeTypeChanged(type);
    QCOMPARE(MainWindow::backgroundColor, expected);

    // The free margin beside the task list shows the tint.
    const QImage image = window->grab().toImage();
    const QColor margin = image.pixelColor(3, window->height() / 2);
    QVERIFY2(qAbs(margin.alpha() - expected.alpha()) <= 2, qPrintable(margin.name(QColor::HexArgb)));
    QVERIFY2(qAbs(margin.red() - expected.red()) <= 4, qPrintable(margin.name(QColor::HexArgb)));
}

void TestMainWindow::listShowsTheWindowThrough_data()
{
    QTest::addColumn<bool>("paletteChanged");

    QTest::newRow("as started") << false;
    QTest::newRow("the desktop's palette changed") << true;
}

void TestMainWindow::listShowsTheWindowThrough()
{
    QFETCH(bool, paletteChanged);

    const QPalette started = QApplication::palette();
    const auto restore = qScopeGuard([&started] { QApplication::setPalette(started); });
    if (paletteChanged)
        QApplication::setPalette(QPalette(QColor(40, 40, 40), QColor(30, 30, 30)));

    // Left of the items, inside the scroll area, the window's tint as in the margin beside it.
    auto *area = window->findChild<QScrollArea *>();
    QVERIFY(area);
    const QImage image = window->grab().toImage();
    const int y = area->y() + area->height() / 2;
    const QColor margin = image.pixelColor(3, y);
    const QColor inArea = image.pixelColor(area->x() + 3, y);
    QVERIFY2(qAbs(inArea.alpha() - margin.alpha()) <= 2 && qAbs(inArea.red() - margin.red()) <= 2,
             qPrintable(inArea.name(QColor::HexArgb) + QLatin1Char(' ') + margin.name(QColor::HexArgb)));

    // The items themselves, and the scroll bar, are drawn in the palette of the window around them,
    // whether or not it has followed the application's (Qt 6 leaves a widget's palette alone here).
    QVERIFY(!list->taskItems().isEmpty());
    for (QWidget *inItem : list->taskItems().first()->findChildren<QWidget *>()) {
        for (const QPalette::ColorRole role : {QPalette::Window, QPalette::Base, QPalette::Button})
            QCOMPARE(inItem->palette().color(role), window->palette().color(role));
    }
    QCOMPARE(area->verticalScrollBar()->palette().color(QPalette::Window),
             window->palette().color(QPalette::Window));
}

void TestMainWindow::dragByFreeArea()
{
    QWindow *handle = window->windowHandle();
    const QPoint free(3, window->height() / 2);
    QWidget *under = window->childAt(free);
    QVERIFY(!under || under == window->centralWidget());

    const QPoint start = window->pos();
    // The offscreen platform draws a frame that the desktop's dock windows do not have.
    const QPoint frame = window->geometry().topLeft() - window->pos();
    const QPoint grabbed = window->mapToGlobal(free);
    QTest::mousePress(handle, Qt::LeftButton, {}, free);
    QTest::mouseMove(handle, free + QPoint(40, 25));
    QTRY_COMPARE(window->pos(), start + QPoint(40, 25) + frame);
    // Released where the pointer is: a release elsewhere would move the window once more.
    QTest::mouseRelease(handle, Qt::LeftButton, {}, window->mapFromGlobal(grabbed + QPoint(40, 25)));

    const QPoint dropped = start + QPoint(40, 25) + frame;
    QCOMPARE(window->pos(), dropped);

    // The next start finds the window where the drag left it.
    window = std::make_unique<MainWindow>();
    list = window->findChild<TaskList *>();
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    QCOMPARE(window->pos(), dropped);
    handle = window->windowHandle();

    // A press on the task list is the list's own: the window stays.
    auto *area = window->findChild<QScrollArea *>();
    const QPoint onList = area->mapTo(window.get(), QPoint(area->width() - 5, 5));
    const QPoint moved = window->pos();
    QTest::mousePress(handle, Qt::LeftButton, {}, onList);
    QTest::mouseMove(handle, onList + QPoint(-30, 10));
    QTest::mouseRelease(handle, Qt::LeftButton, {}, onList + QPoint(-30, 10));
    QCOMPARE(window->pos(), moved);
}

void TestMainWindow::sizeAndOpacityKept_data()
{
    QTest::addColumn<QPoint>("drag");
    QTest::addColumn<int>("opacity");
    QTest::addColumn<QSize>("size");

    QTest::newRow("larger, more opaque") << QPoint(150, 120) << 200 << QSize(500, 520);
    QTest::newRow("narrower, clear") << QPoint(-20, 0) << 0 << QSize(330, 400);
    QTest::newRow("below the smallest size") << QPoint(-300, -300) << 80 << WidgetSettings::minPanelSize;
}

// The corner drag and the opacity chosen in the settings, as the next start finds them.
void TestMainWindow::sizeAndOpacityKept()
{
    QFETCH(QPoint, drag);
    QFETCH(int, opacity);
    QFETCH(QSize, size);

    auto restoreLook = qScopeGuard([] {
        QFile::remove(WidgetSettings::defaultPath());
        MainWindow::setLook(WidgetSettings::defaultOpacity, WidgetSettings::defaultPanelSize);
    });
    QWindow *handle = window->windowHandle();
    QWidget *corner = window->findChild<QWidget *>("resizeCorner");
    QVERIFY(corner);
    const QPoint grip = corner->mapTo(window.get(), corner->rect().center());
    QCOMPARE(window->childAt(grip), corner);
    const QPoint place = window->pos();
    QTest::mousePress(handle, Qt::LeftButton, {}, grip);
    QTest::mouseMove(handle, grip + drag);
    QTest::mouseRelease(handle, Qt::LeftButton, {}, grip + drag);
    QTRY_COMPARE(window->size(), size);
    QCOMPARE(window->pos(), place);

    WidgetSettings settings;
    QString error;
    QVERIFY2(settings.setOpacity(opacity, &error), qPrintable(error));

    // A restart: the choices are read as main() reads them, before the window is made.
    window.reset();
    MainWindow::setLook(WidgetSettings::defaultOpacity, WidgetSettings::defaultPanelSize);
    applySettings(WidgetSettings());
    server.clearCalls();
    window = std::make_unique<MainWindow>();
    list = window->findChild<TaskList *>();
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    QCOMPARE(window->size(), size);

    // The list and the day buttons take what the panel gained; the tasks span the list.
    const QSize extra = size - WidgetSettings::defaultPanelSize;
    QCOMPARE(window->findChild<ZButtonBox *>("dayButtonBox")->width(), 280 + extra.width());
    auto *area = window->findChild<QScrollArea *>();
    QCOMPARE(area->height(), 200 + extra.height());
    SETTLES_ON(2, overviewTitles);
    QVERIFY(!list->taskItems().isEmpty());
    QCOMPARE(list->taskItems().first()->width(), TaskItem::itemWidth + extra.width());

    const QImage image = window->grab().toImage();
    const QColor margin = image.pixelColor(3, window->height() / 2);
    QVERIFY2(qAbs(margin.alpha() - opacity) <= 2, qPrintable(margin.name(QColor::HexArgb)));
}

void TestMainWindow::startPlace_data()
{
    QTest::addColumn<QByteArray>("file"); // null: none
    QTest::addColumn<QPoint>("expected"); // null: anywhere the whole window is on the screen
    QTest::addColumn<int>("warnings");

    QTest::newRow("first start") << QByteArray() << QPoint(500, 500) << 0;
    QTest::newRow("kept") << QByteArray("120 80\n") << QPoint(120, 80) << 0;
    QTest::newRow("off every screen") << QByteArray("5000 -3000\n") << QPoint() << 0;
    QTest::newRow("corrupt file") << QByteArray("\x01\x02garbage") << QPoint(500, 500) << 1;
}

void TestMainWindow::startPlace()
{
    QFETCH(QByteArray, file);
    QFETCH(QPoint, expected);
    QFETCH(int, warnings);

    window.reset();
    if (!file.isNull())
        QVERIFY(writeFile(dataDir.filePath("place"), file));
    {
        WarningSpy spy;
        window = std::make_unique<MainWindow>();
        QCOMPARE(spy.warnings.size(), warnings);
    }
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    // The offscreen platform adds a frame that dock windows do not have: the window's own size must fit.
    if (expected.isNull())
        QVERIFY(window->screen()->availableGeometry().contains(QRect(window->pos(), window->size())));
    else
        QCOMPARE(window->pos(), expected);
}

void TestMainWindow::placeOnScreens_data()
{
    QTest::addColumn<Screens>("screens");
    QTest::addColumn<QPoint>("kept");
    QTest::addColumn<QPoint>("expected");
    const QRect wide(0, 0, 1920, 1080);
    const Screens two{wide, QRect(-1280, 0, 1280, 1024)};

    QTest::newRow("on the screen") << Screens{wide} << QPoint(500, 500) << QPoint(500, 500);
    QTest::newRow("off to the right") << Screens{wide} << QPoint(3000, 500) << QPoint(1570, 500);
    QTest::newRow("off the bottom") << Screens{wide} << QPoint(500, 1500) << QPoint(500, 680);
    QTest::newRow("above and left") << Screens{wide} << QPoint(-900, -700) << QPoint(0, 0);
    QTest::newRow("on a monitor that is gone") << Screens{wide} << QPoint(300, -1200) << QPoint(300, 0);
    QTest::newRow("partly visible but enough") << Screens{wide} << QPoint(1880, 1040) << QPoint(1880, 1040);
    QTest::newRow("too little visible") << Screens{wide} << QPoint(1881, 500) << QPoint(1570, 500);
    QTest::newRow("a strip too low") << Screens{wide} << QPoint(500, 1041) << QPoint(500, 680);
    QTest::newRow("nearer the left monitor") << two << QPoint(-2000, 300) << QPoint(-1280, 300);
    QTest::newRow("on the left monitor") << two << QPoint(-1000, 600) << QPoint(-1000, 600);
    QTest::newRow("below the top panel")
        << Screens{QRect(0, 32, 1920, 1048)} << QPoint(100, -380) << QPoint(100, 32);
    QTest::newRow("screen smaller than the window")
        << Screens{QRect(0, 0, 300, 300)} << QPoint(900, 900) << QPoint(0, 0);
    QTest::newRow("no screen known") << Screens{} << QPoint(9000, 9000) << QPoint(9000, 9000);
}

void TestMainWindow::placeOnScreens()
{
    QFETCH(Screens, screens);
    QFETCH(QPoint, kept);
    QFETCH(QPoint, expected);
    QCOMPARE(WindowPlace::onScreens(QRect(kept, QSize(350, 400)), screens), expected);
}

void TestMainWindow::placeFile_data()
{
    QTest::addColumn<QByteArray>("bytes"); // null: no file
    QTest::addColumn<QPoint>("expected");  // null: none
    QTest::addColumn<int>("warnings");
    QTest::newRow("no file") << QByteArray() << QPoint() << 0;
    QTest::newRow("kept") << QByteArray("540 525\n") << QPoint(540, 525) << 0;
    QTest::newRow("negative") << QByteArray("-1280 -20\n") << QPoint(-1280, -20) << 0;
    QTest::newRow("empty file") << QByteArray("") << QPoint() << 1;
    QTest::newRow("one number") << QByteArray("540\n") << QPoint() << 1;
    QTest::newRow("three numbers") << QByteArray("540 525 3\n") << QPoint() << 1;
    QTest::newRow("not numbers") << QByteArray("x=540 y=525\n") << QPoint() << 1;
    QTest::newRow("beyond any desktop") << QByteArray("2147483647 0\n") << QPoint() << 1;
    QTest::newRow("long file") << QByteArray("540 525\n") + QByteArray(100, ' ') << QPoint() << 1;
}

void TestMainWindow::placeFile()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QPoint, expected);
    QFETCH(int, warnings);
    const QString place = dataDir.filePath("place");
    if (!bytes.isNull())
        QVERIFY(writeFile(place, bytes));
    WarningSpy spy;
    const std::optional<QPoint> kept = WindowPlace::kept();
    QCOMPARE(kept.value_or(QPoint()), expected);
    QCOMPARE(kept.has_value(), !expected.isNull());
    QCOMPARE(spy.warnings.size(), warnings);
}

void TestMainWindow::placeKept()
{
    const QString place = dataDir.filePath("place");
    QVERIFY(WindowPlace::keep(QPoint(-1280, 20)));
    QCOMPARE(WindowPlace::kept().value_or(QPoint()), QPoint(-1280, 20));

    // Switched off, the kept place is neither read nor overwritten.
    WindowPlace::setKeeping(false);
    QVERIFY(!WindowPlace::kept());
    QVERIFY(WindowPlace::keep(QPoint(7, 7)));
    WindowPlace::setKeeping(true);
    QCOMPARE(readFile(place), QByteArray("-1280 20\n"));

    QVERIFY(QFile::remove(place) && QDir().mkdir(place));
    WarningSpy spy;
    QVERIFY(!WindowPlace::keep(QPoint(1, 1)));
    QCOMPARE(spy.warnings.size(), 1);
    QVERIFY2(spy.warnings.first().contains(place), qPrintable(spy.warnings.first()));
}

void TestMainWindow::buttonsSayWhatTheyDo()
{
    const QList<QPair<QString, QString>> named{{"homeDayButton", "Overview"}, {"editButton", "Open calendar"},
                                               {"settingButton", "Settings"}, {"homeButton", "Overview"},
                                               {"warnButton", "Recent days"}, {"closeButton", "Close"}};
    for (const auto &pair : named) {
        ZButtonBoxButton *b = button(pair.first);
        QVERIFY2(b, qPrintable(pair.first));
        QCOMPARE(b->accessibleName(), pair.second);
        QCOMPARE(b->toolTip(), pair.second);
    }
    for (int day = 1; day <= 6; ++day) {
        const QDate date = today().addDays(day);
        const QString tip = dayButton(day)->toolTip();
        QVERIFY2(tip.contains(QLocale().dayName(date.dayOfWeek())), qPrintable(tip));
        QVERIFY2(tip.contains(QString::number(date.day())), qPrintable(tip));
        QVERIFY2(tip.contains(QString::number(date.year())), qPrintable(tip));
        QVERIFY2(tip.endsWith(QString(", week %1").arg(date.weekNumber())), qPrintable(tip));
    }
}

void TestMainWindow::tabVisitsButtonsAndTasks()
{
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    QTRY_VERIFY(!std::any_of(list->taskItems().begin(), list->taskItems().end(),
                             [](TaskItem *item) { return item->isAnimating(); }));
    auto *area = window->findChild<QScrollArea *>();
    QVERIFY2(list->height() > area->viewport()->height(), "the list must be taller than its frame");

    button("homeDayButton")->setFocus(Qt::TabFocusReason);
    QCOMPARE(QApplication::focusWidget(), button("homeDayButton"));

    QStringList stops;
    for (int i = 0; i < 30 && (stops.isEmpty() || stops.last() != "homeDayButton"); ++i) {
        QWidget *focus = QApplication::focusWidget();
        QVERIFY(focus);
        QTest::keyClick(focus, Qt::Key_Tab);
        focus = QApplication::focusWidget();
        QVERIFY(focus);
        QString stop = focus->objectName();
        for (int day = 1; day <= 6; ++day) {
            if (focus == dayButton(day))
                stop = QStringLiteral("D%1").arg(day);
        }
        for (int n = 0; n < list->taskItems().size(); ++n) {
            TaskItem *item = list->taskItems().at(n);
            if (focus == item || item->isAncestorOf(focus)) {
                stop = QStringLiteral("task %1").arg(n);
                // A task reached by Tab is scrolled into view.
                const QPoint top = item->mapTo(area->viewport(), QPoint(0, 0));
                QVERIFY2(top.y() >= 0 && top.y() + item->height() <= area->viewport()->height(),
                         qPrintable(stop));
            }
        }
        if (stops.isEmpty() || stops.last() != stop)
            stops << stop;
    }
    // The day buttons form one exclusive group, which takes a single tab stop: its checked button;
    // the list is one stop as well, its tasks reached with the arrows.
    QCOMPARE(stops, (QStringList{"task 0", "editButton", "settingButton", "homeButton", "warnButton",
                                 "closeButton", "homeDayButton"}));
    list->taskItems().at(2)->setFocus(Qt::TabFocusReason);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    QCOMPARE(QApplication::focusWidget(), button("homeDayButton"));
}

int TestMainWindow::focusedTask() const
{
    const QWidget *focus = QApplication::focusWidget();
    for (int n = 0; focus && n < list->taskItems().size(); ++n) {
        if (list->taskItems().at(n)->isAncestorOf(focus))
            return n;
    }
    return -1;
}

void TestMainWindow::keysMoveBetweenTasks_data()
{
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("to");

    QTest::newRow("Down") << 0 << int(Qt::Key_Down) << 1;
    QTest::newRow("Up") << 3 << int(Qt::Key_Up) << 2;
    QTest::newRow("Up on the first stays") << 0 << int(Qt::Key_Up) << 0;
    QTest::newRow("Down on the last stays") << 4 << int(Qt::Key_Down) << 4;
    QTest::newRow("End") << 0 << int(Qt::Key_End) << 4;
    QTest::newRow("Home") << 4 << int(Qt::Key_Home) << 0;
}

void TestMainWindow::keysMoveBetweenTasks()
{
    QFETCH(int, from);
    QFETCH(int, key);
    QFETCH(int, to);

    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    QTRY_VERIFY(!std::any_of(list->taskItems().begin(), list->taskItems().end(),
                             [](TaskItem *item) { return item->isAnimating(); }));
    list->taskItems().at(from)->setFocus(Qt::TabFocusReason);
    QCOMPARE(focusedTask(), from);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key(key));
    QCOMPARE(focusedTask(), to);
    // In view, as after Tab.
    auto *area = window->findChild<QScrollArea *>();
    TaskItem *item = list->taskItems().at(to);
    const QPoint top = item->mapTo(area->viewport(), QPoint(0, 0));
    QVERIFY(top.y() >= 0 && top.y() + item->height() <= area->viewport()->height());
}

void TestMainWindow::digitKeysChooseTheView_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("view"); // the day button checked after; 0 the overview
    QTest::addColumn<QStringList>("titles");

    QTest::newRow("3: D3") << int(Qt::Key_3) << 3 << dayThreeTitles;
    QTest::newRow("1: D1") << int(Qt::Key_1) << 1 << QStringList{"tomorrow"};
    QTest::newRow("0 after 5: the overview") << int(Qt::Key_0) << 0 << overviewTitles;
    QTest::newRow("7: no such day") << int(Qt::Key_7) << 5 << QStringList{"day five"};
}

void TestMainWindow::digitKeysChooseTheView()
{
    QFETCH(int, key);
    QFETCH(int, view);
    QFETCH(QStringList, titles);

    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    if (key == Qt::Key_0 || key == Qt::Key_7) {
        QTest::keyClick(window.get(), Qt::Key_5);
        SETTLES_ON(1, QStringList{"day five"});
        server.clearCalls();
    }
    // From a task, as the keyboard user has the focus there.
    list->taskItems().constFirst()->setFocus(Qt::TabFocusReason);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key(key));
    if (key == Qt::Key_7) {
        QTest::qWait(4 * MainWindow::reloadDelayMs);
        QCOMPARE(server.calls("GetJobs").size(), 0);
    } else {
        SETTLES_ON(view == 0 ? 2 : 1, titles);
    }
    QVERIFY((view == 0 ? button("homeDayButton") : dayButton(view))->isChecked());
}

void TestMainWindow::deleteKeyOffersUndo()
{
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    list->taskItems().at(2)->setFocus(Qt::TabFocusReason);
    const QString title = list->taskItems().at(2)->title();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Delete);
    QWidget *bar = window->eventActions()->undoBar();
    QTRY_VERIFY(bar->isVisible());
    QVERIFY(bar->findChild<QLabel *>("undoText")->text().contains(title));
    QTRY_VERIFY(!shownTitles().contains(title));
    QVERIFY(server.calls("DeleteJob").isEmpty() && server.calls("DeleteJobs").isEmpty());
    QTest::keyClick(bar->findChild<QPushButton *>("undoButton"), Qt::Key_Space);
    QTRY_VERIFY(shownTitles().contains(title));
}

void TestMainWindow::focusPanelTakesTheKeyboard()
{
    // As it is on the desktop before the key: the user works in another window.
    if (QWidget *focus = QApplication::focusWidget())
        focus->clearFocus();
    window->focusPanel();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    QCOMPARE(focusedTask(), 0);
    // Asked again, it stays where the user went.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    window->focusPanel();
    QCOMPARE(focusedTask(), 1);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    QVERIFY(!window->isAncestorOf(QApplication::focusWidget()));
}

void TestMainWindow::everyControlIsNamed_data()
{
    QTest::addColumn<QString>("window");
    QTest::newRow("the panel") << "panel";
    QTest::newRow("the settings") << "settings";
}

// What a screen reader says of each control that takes the keyboard focus: never nothing.
void TestMainWindow::everyControlIsNamed()
{
    QFETCH(QString, window);
    QWidget *top = this->window.get();
    if (window == "settings") {
        this->window->openSettings();
        top = QApplication::activeWindow() ? QApplication::activeWindow() : nullptr;
        for (QWidget *w : QApplication::topLevelWidgets()) {
            if (qobject_cast<SettingsWindow *>(w))
                top = w;
        }
        QVERIFY(qobject_cast<SettingsWindow *>(top));
    }
    QStringList unnamed;
    int checked = 0;
    for (QWidget *w : top->findChildren<QWidget *>()) {
        // A combo box's list is a popup of its own, read as its entries.
        if (w->focusPolicy() == Qt::NoFocus || w->focusProxy() || w->window() != top)
            continue;
        QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(w);
        QVERIFY(accessible);
        ++checked;
        if (accessible->text(QAccessible::Name).trimmed().isEmpty() ||
            accessible->role() == QAccessible::NoRole)
            unnamed << QStringLiteral("%1 %2").arg(QLatin1String(w->metaObject()->className()),
                                                   w->objectName());
    }
    QVERIFY(checked >= (window == "panel" ? 10 : 8));
    QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(", ")));
    if (window == "settings")
        top->close();
}

void TestMainWindow::weekNumberOverTheOverview()
{
    auto *label = window->findChild<QLabel *>("weekLabel");
    QVERIFY(label);
    QVERIFY(label->isHidden());
    MainWindow::setWeekNumbers(true);
    const auto restore = qScopeGuard([] { MainWindow::setWeekNumbers(false); });
    QVERIFY(label->isVisible());
    QCOMPARE(label->text(), QString("Week %1").arg(today().weekNumber()));
    // The overview's alone.
    QTest::mouseClick(dayButton(3), Qt::LeftButton);
    QVERIFY(label->isHidden());
    QTest::mouseClick(button("homeDayButton"), Qt::LeftButton);
    QVERIFY(label->isVisible());
}

void TestMainWindow::newEventFromThePanel_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<int>("view"); // the day button pressed first; 0: the overview
    QTest::addColumn<int>("day");  // the editor's day, from today; -1: no editor

    QTest::newRow("Ctrl+N") << "ctrl+n" << 0 << 0;
    QTest::newRow("double click on the list's empty part, day 3") << "empty double click" << 3 << 3;
    QTest::newRow("the list's menu, day 5") << "menu" << 5 << 5;
    QTest::newRow("double click on a task: no new event") << "task double click" << 0 << -1;
}

void TestMainWindow::newEventFromThePanel()
{
    QFETCH(QString, how);
    QFETCH(int, view);
    QFETCH(int, day);

    if (view > 0) {
        QTest::mouseClick(dayButton(view), Qt::LeftButton);
        SETTLES_ON(1, view == 3 ? dayThreeTitles : dayFiveTitles);
    }
    // Below the day's one or two tasks.
    QWidget *area = window->findChild<QScrollArea *>("taskScrollArea")->viewport();
    const QPoint empty(area->width() / 2, area->height() - 5);
    for (QWidget *hit = area->childAt(empty); hit && view > 0; hit = hit->parentWidget())
        QVERIFY(!qobject_cast<TaskItem *>(hit));
    if (how == "ctrl+n") {
        window->activateWindow();
        QTest::keyClick(window.get(), Qt::Key_N, Qt::ControlModifier);
    } else if (how == "empty double click") {
        QTest::mouseDClick(area, Qt::LeftButton, {}, empty);
    } else if (how == "menu") {
        QContextMenuEvent event(QContextMenuEvent::Mouse, empty, area->mapToGlobal(empty));
        QApplication::sendEvent(area, &event);
        QMenu *menu = nullptr;
        QTRY_VERIFY((menu = qobject_cast<QMenu *>(QApplication::activePopupWidget())));
        QCOMPARE(menu->actions().first()->text(), QString("New event…"));
        menu->actions().first()->trigger();
        menu->close();
    } else {
        TaskItem *item = list->taskItems().first();
        QTest::mouseDClick(item, Qt::LeftButton, {}, item->rect().center());
        QTRY_COMPARE(calendar.calls("OpenSchedule").size(), 1);
    }
    EventEditor *editor = window->eventActions()->editor();
    QCOMPARE(editor != nullptr, day >= 0);
    if (editor) {
        QCOMPARE(editor->windowTitle(), QString("New event"));
        QCOMPARE(editor->draft().begin.date(), today().addDays(day));
        editor->close();
    }
}

void TestMainWindow::closeButtonEndsEventLoop()
{
    QTimer::singleShot(0, this, [this] { QTest::mouseClick(button("closeButton"), Qt::LeftButton); });
    // Should the button not end the loop, this does, with a code the test rejects.
    QTimer guard;
    guard.setSingleShot(true);
    connect(&guard, &QTimer::timeout, this, [] { QCoreApplication::exit(1); });
    guard.start(10000);
    QCOMPARE(QApplication::exec(), 0);
    QVERIFY(window->isVisible());
}

void TestMainWindow::newDay_data()
{
    QTest::addColumn<QString>("trigger");
    QTest::newRow("midnight") << "midnight";
    QTest::newRow("resume a day later") << "resume";
    QTest::newRow("time zone a day ahead") << "time zone";
}

// A widget left on the desktop moves on to the new day: its overview and its day buttons' dates.
void TestMainWindow::newDay()
{
    QFETCH(QString, trigger);

    FakeDBusService logind("org.freedesktop.login1", "/org/freedesktop/login1",
                           "org.freedesktop.login1.Manager");
    FakeDBusService timedated("org.freedesktop.timedate1", "/org/freedesktop/timedate1",
                              "org.freedesktop.DBus.Properties");
    QVERIFY(logind.start() && timedated.start());
    DayClock *clock = DataCenter::instance()->clock();
    clock->setSystemBus(QDBusConnection::sessionBus());
    const QByteArray zoneBefore = qgetenv("TZ");
    qputenv("TZ", "UTC");
    tzset();

    // Noon UTC today: the date is a day later fourteen hours east of UTC.
    const QDateTime noon(QDate::currentDate(), QTime(12, 0), Qt::UTC);
    QDateTime base = noon;
    qint64 jumpMs = 0;
    QElapsedTimer running;
    running.start();
    if (trigger == "midnight")
        base = QDateTime(noon.date(), QTime(23, 59, 59, 500), Qt::UTC);
    clock->setTimeSource([&] {
        const qint64 gone = trigger == "midnight" ? running.elapsed() : 0;
        return base.addMSecs(gone + jumpMs).toLocalTime();
    });
    const QDate oldDay = noon.date();
    const QDate newDay = oldDay.addDays(1);
    QCOMPARE(clock->today(), oldDay);
    QSignalSpy dayChanged(clock, &DayClock::dayChanged);
    server.clearCalls();

    if (trigger == "resume") {
        jumpMs = 24 * 3600 * 1000;
        logind.emitSignal("PrepareForSleep", {true});
        logind.emitSignal("PrepareForSleep", {false});
    } else if (trigger == "time zone") {
        timedated.emitSignal("PropertiesChanged",
                             {QString("org.freedesktop.timedate1"),
                              QVariantMap{{"Timezone", QString("Pacific/Kiritimati")}}, QStringList()});
    }
    QTRY_COMPARE(dayChanged.count(), 1);
    QCOMPARE(dayChanged.first().first().toDate(), newDay);
    QTRY_COMPARE_WITH_TIMEOUT(
        fetchedRanges(), (QList<Range>{{newDay.addDays(-3), newDay}, {newDay, newDay.addDays(6)}}), 5000);
    const QString dayOneDate = QLocale().toString(newDay.addDays(1), QLocale::LongFormat) +
                               QString(", week %1").arg(newDay.addDays(1).weekNumber());
    QCOMPARE(dayButton(1)->toolTip(), dayOneDate);
    QCOMPARE(dayButton(1)->accessibleDescription(), dayOneDate);

    clock->setTimeSource({});
    clock->setSystemBus(QDBusConnection::systemBus());
    if (zoneBefore.isNull())
        qunsetenv("TZ");
    else
        qputenv("TZ", zoneBefore);
    tzset();
    QCOMPARE(clock->today(), QDate::currentDate());
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
