#include "mainwindow.h"
#include "scriptedserver.h"
#include "taskitem.h"
#include "tasklist.h"
#include "zbuttonbox.h"

#include <QCheckBox>
#include <QDBusConnection>
#include <QtTest>

#include <functional>
#include <malloc.h>
#include <memory>
#include <mutex>
#include <thread>
#include <unistd.h>
#include <unordered_set>

using Zyk::Widget::ZButtonBoxButton;
using DayMap = ScriptedServer::DayMap;

// QtCore calls these hooks from every QObject's constructor and destructor (the slots that object
// inspectors use); the indexes are those of Qt 5's qhooks_p.h.
extern quintptr Q_CORE_EXPORT qtHookData[];

namespace {

constexpr int addObjectHook = 3;
constexpr int removeObjectHook = 4;

// Every QObject made on the GUI thread that is still alive, counted by class.
class ObjectCensus
{
public:
    static void install()
    {
        mainThread = std::this_thread::get_id();
        previousAdd = qtHookData[addObjectHook];
        previousRemove = qtHookData[removeObjectHook];
        qtHookData[addObjectHook] = reinterpret_cast<quintptr>(&added);
        qtHookData[removeObjectHook] = reinterpret_cast<quintptr>(&removed);
    }
    static void uninstall()
    {
        qtHookData[addObjectHook] = previousAdd;
        qtHookData[removeObjectHook] = previousRemove;
    }
    static QMap<QString, int> count()
    {
        std::lock_guard<std::mutex> lock(mutex);
        QMap<QString, int> classes;
        for (QObject *object : live)
            ++classes[QString::fromLatin1(object->metaObject()->className())];
        classes["all"] = int(live.size());
        return classes;
    }

private:
    using Hook = void (*)(QObject *);
    static void added(QObject *object)
    {
        if (previousAdd)
            reinterpret_cast<Hook>(previousAdd)(object);
        if (std::this_thread::get_id() != mainThread)
            return;
        std::lock_guard<std::mutex> lock(mutex);
        live.insert(object);
    }
    static void removed(QObject *object)
    {
        if (previousRemove)
            reinterpret_cast<Hook>(previousRemove)(object);
        std::lock_guard<std::mutex> lock(mutex);
        live.erase(object);
    }
    static inline std::mutex mutex;
    static inline std::unordered_set<QObject *> live;
    static inline std::thread::id mainThread;
    static inline quintptr previousAdd = 0;
    static inline quintptr previousRemove = 0;
};

// Freed heap goes back to the system first, so that what remains is memory still in use.
qint64 residentBytes()
{
    malloc_trim(0);
    QFile statm("/proc/self/statm");
    if (!statm.open(QIODevice::ReadOnly))
        return -1;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.value(1).toLongLong() * sysconf(_SC_PAGESIZE);
}

// Items go with deleteLater, and each item's menu with a deleteLater of its own from the item's
// destructor: run the posted deletions until nothing more comes of them.
void flushDeletions()
{
    for (int i = 0; i < 5; ++i) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
    }
}

QDate today()
{
    return QDate::currentDate();
}

// The overview with three tasks of today whose titles carry `tag`.
DayMap threeTasks(const QString &tag)
{
    DayMap days;
    for (int i = 0; i < 3; ++i)
        days[today()] << scriptedJob(100 + i, QString("%1 %2").arg(tag).arg(i), today(), 10 + i);
    return days;
}

} // namespace

class TestViewLoad : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();

    void signalStorm();
    void reloadsInARow();
    void bigView_data();
    void bigView();

private:
    QStringList shownTitles() const;
    void settle();
    void takeBaseline();
    void checkAgainstBaseline();
    void runTwice(const std::function<void()> &load);

    ScriptedServer server;
    std::unique_ptr<MainWindow> window;
    TaskList *list = nullptr;
    QMap<QString, int> baseline;
};

void TestViewLoad::initTestCase()
{
    if (!QDBusConnection::sessionBus().isConnected() || !server.start())
        QSKIP("no session bus");
    ObjectCensus::install();
}

void TestViewLoad::cleanupTestCase()
{
    ObjectCensus::uninstall();
}

void TestViewLoad::init()
{
    server.setDays(threeTasks("first"));
    window = std::make_unique<MainWindow>();
    list = window->findChild<TaskList *>();
    QVERIFY(list);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    QTRY_COMPARE(shownTitles(), (QStringList{"first 0", "first 1", "first 2"}));
    // One round of everything the test will do, so that caches, fonts and pools are already filled
    // when the baseline is taken.
    server.setDays(threeTasks("warm"));
    server.announceChange();
    QTRY_COMPARE(shownTitles(), (QStringList{"warm 0", "warm 1", "warm 2"}));
    settle();
}

void TestViewLoad::cleanup()
{
    window.reset();
    list = nullptr;
    flushDeletions();
}

QStringList TestViewLoad::shownTitles() const
{
    QStringList titles;
    for (TaskItem *item : list->taskItems())
        titles << item->title();
    titles.sort();
    return titles;
}

// Waits until no fetch is under way or due, no item animates, and the deletions are done.
void TestViewLoad::settle()
{
    int fetches = -1;
    while (fetches != server.fetches()) {
        fetches = server.fetches();
        QTest::qWait(MainWindow::reloadDelayMs * 4);
    }
    QTRY_VERIFY_WITH_TIMEOUT(!list->isReplacing(), 30000);
    const QList<TaskItem *> items = list->taskItems();
    QTRY_VERIFY_WITH_TIMEOUT(
        std::none_of(items.begin(), items.end(), [](const TaskItem *item) { return item->isAnimating(); }),
        30000);
    flushDeletions();
    // The load's single-shot timers (an answer handed on later, an item's red flash) end on their own.
    QTRY_COMPARE_WITH_TIMEOUT(ObjectCensus::count().value("QSingleShotTimer"), 0, 10000);
}

void TestViewLoad::takeBaseline()
{
    baseline = ObjectCensus::count();
    QCOMPARE(baseline.value("TaskItem"), list->taskItems().size());
}

// The window shows as many tasks as at the baseline: everything made for the load must be gone.
void TestViewLoad::checkAgainstBaseline()
{
    settle();
    const QMap<QString, int> now = ObjectCensus::count();
    QCOMPARE(list->taskItems().size(), baseline.value("TaskItem"));
    for (const char *name : {"TaskItem", "QMenu", "QAction", "QCheckBox", "QVariantAnimation", "QTimer",
                             "QSingleShotTimer", "QEventLoop", "QDBusPendingCallWatcher"}) {
        QVERIFY2(
            now.value(name) == baseline.value(name),
            qPrintable(
                QString("%1: %2 live, %3 before").arg(name).arg(now.value(name)).arg(baseline.value(name))));
    }
    QVERIFY2(
        now.value("all") <= baseline.value("all") + 10,
        qPrintable(QString("%1 objects live, %2 before").arg(now.value("all")).arg(baseline.value("all"))));
}

// Runs the load twice. The first round may fill caches for good; the second must give back all
// it takes. The bound is generous, far below what a leak of the load's items would cost.
void TestViewLoad::runTwice(const std::function<void()> &load)
{
    takeBaseline();
    load();
    if (QTest::currentTestFailed())
        return;
    checkAgainstBaseline();
    const qint64 before = residentBytes();
    QVERIFY(before > 0);
    load();
    if (QTest::currentTestFailed())
        return;
    checkAgainstBaseline();
#ifndef __SANITIZE_ADDRESS__
    // The last answer's buffers may still be on their way out in the bus's own thread; a load that
    // keeps what it took stays above the bound however long it is given.
    const qint64 limit = 16 * 1024 * 1024;
    qint64 grown = residentBytes() - before;
    for (int wait = 0; wait < 10 && grown >= limit; ++wait) {
        QTest::qWait(200);
        flushDeletions();
        grown = residentBytes() - before;
    }
    QVERIFY2(grown < limit, qPrintable(QString("RSS grew by %1 KiB").arg(grown / 1024)));
#else
    // AddressSanitizer keeps freed blocks in quarantine, so the resident size says nothing here;
    // LeakSanitizer and the object census above do the checking.
    Q_UNUSED(before)
#endif
}

void TestViewLoad::signalStorm()
{
    int round = 0;
    runTwice([this, &round] {
        const QString first = QString("storm %1 first").arg(round);
        const QString last = QString("storm %1 last").arg(round++);
        server.clearCalls();
        server.setDays(threeTasks(first));
        for (int i = 0; i < 5000; ++i)
            server.announceChange();
        server.setDays(threeTasks(last));
        for (int i = 0; i < 5000; ++i)
            server.announceChange();

        const QStringList shown{last + " 0", last + " 1", last + " 2"};
        QTRY_COMPARE_WITH_TIMEOUT(shownTitles(), shown, 60000);
        settle();
        QCOMPARE(shownTitles(), shown);
        // Coalesced: a handful of overview reloads (two fetches each), not ten thousand.
        QVERIFY2(server.fetches() <= 100, qPrintable(QString::number(server.fetches())));
    });
}

void TestViewLoad::reloadsInARow()
{
    int round = 0;
    runTwice([this, &round] {
        const QString prefix = QString("round %1 version ").arg(round++);
        // Each reload request comes right behind a change of the calendar; most arrive while an
        // earlier reload waits for its old items to fade out.
        for (int i = 0; i < 10000; ++i) {
            const QString tag = prefix + QString::number(i);
            QMetaObject::invokeMethod(
                this, [this, tag] { server.setDays(threeTasks(tag)); }, Qt::QueuedConnection);
            QVERIFY(QMetaObject::invokeMethod(window.get(), "freshTaskList", Qt::QueuedConnection));
        }
        const QStringList last{prefix + "9999 0", prefix + "9999 1", prefix + "9999 2"};
        QTRY_COMPARE_WITH_TIMEOUT(shownTitles(), last, 60000);
        settle();
        QCOMPARE(shownTitles(), last);
    });
}

void TestViewLoad::bigView_data()
{
    QTest::addColumn<int>("tasks");
    QTest::addColumn<int>("descriptionSize");
    QTest::newRow("5,000 tasks in one view") << 5000 << 0;
    QTest::newRow("10 MB of jobs") << 2000 << 5000;
}

void TestViewLoad::bigView()
{
    QFETCH(int, tasks);
    QFETCH(int, descriptionSize);

    DayMap days = threeTasks("warm");
    const QDate day = today().addDays(2);
    // Three bytes each in UTF-8.
    const QString description(descriptionSize / 3, QChar(0x6587));
    for (int i = 0; i < tasks; ++i)
        days[day] << scriptedJob(1000 + i, QString("task %1").arg(i), day, 8 + i % 12, description);
    if (descriptionSize > 0) {
        const int bytes = ScheduleDataInfo::RangeInfoToStrJson({{day, days.value(day)}}).toUtf8().size();
        QVERIFY2(bytes >= 10 * 1000 * 1000, qPrintable(QString::number(bytes)));
    }
    server.setDays(days);

    runTwice([this, tasks] {
        const QList<ZButtonBoxButton *> buttons = window->findChildren<ZButtonBoxButton *>();
        const auto dayTwo = std::find_if(buttons.begin(), buttons.end(),
                                         [](ZButtonBoxButton *b) { return b->text() == "D2"; });
        QVERIFY(dayTwo != buttons.end());
        QTest::mouseClick(*dayTwo, Qt::LeftButton);
        // Built a few items per event-loop turn: under the sanitizers 5,000 of them take minutes.
        QTRY_COMPARE_WITH_TIMEOUT(list->taskItems().size(), tasks, 240000);
        settle();
        QCOMPARE(ObjectCensus::count().value("TaskItem"), tasks);
        // Sorted by begin time; the list is as tall as its items.
        QVERIFY(list->height() >= tasks * 56);
        QCOMPARE(list->taskItems().first()->getBeginDateTime().time(), QTime(8, 0));

        QTest::mouseClick(window->findChild<ZButtonBoxButton *>("homeButton"), Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(shownTitles(), (QStringList{"warm 0", "warm 1", "warm 2"}), 60000);
    });
}

QTEST_MAIN(TestViewLoad)
#include "tst_viewload.moc"
