#include "cscheduledbus.h"
#include "mainwindow.h"
#include "scriptedserver.h"
#include "taskitem.h"
#include "tasklist.h"
#include "zbuttonbox.h"

#include <QAction>
#include <QCheckBox>
#include <QDBusConnection>
#include <QLabel>
#include <QScrollArea>
#include <QScrollBar>
#include <QtTest>

#include <atomic>
#include <memory>
#include <thread>

using Zyk::Widget::ZButtonBoxButton;
using DayMap = ScriptedServer::DayMap;
Q_DECLARE_METATYPE(ScriptedServer::Mode)

namespace {

QDate today()
{
    return QDate::currentDate();
}

// Everything logged while it lives, passed on to the previous handler as well.
class LogCatcher
{
public:
    LogCatcher()
    {
        current = this;
        previous = qInstallMessageHandler(&LogCatcher::handle);
    }
    ~LogCatcher()
    {
        qInstallMessageHandler(previous);
        current = nullptr;
    }
    int count(QtMsgType type, const QString &pattern) const
    {
        const QRegularExpression re(pattern);
        int n = 0;
        for (const auto &line : lines)
            n += line.first == type && re.match(line.second).hasMatch() ? 1 : 0;
        return n;
    }
    // The data server client's failure lines, at any level.
    int fetchFailures() const
    {
        return count(QtWarningMsg, "^GetJobs err ,") + count(QtDebugMsg, "^GetJobs err ,");
    }

private:
    static void handle(QtMsgType type, const QMessageLogContext &context, const QString &message)
    {
        current->lines << qMakePair(type, message);
        current->previous(type, context, message);
    }
    static LogCatcher *current;
    QtMessageHandler previous = nullptr;
    QList<QPair<QtMsgType, QString>> lines;
};
LogCatcher *LogCatcher::current = nullptr;

// Catches the data server's change signal from any sender.
class SignalCounter : public QObject
{
    Q_OBJECT
public:
    std::atomic<int> count{0};
public Q_SLOTS:
    void onSignal(const QDBusMessage &) { ++count; }
};

const QStringList overviewTitles{"old open", "today", "today 2"};
} // namespace

class TestRobustness : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void emptyAtStart_data();
    void emptyAtStart();
    void serverGoesAwayAndComesBack();
    void brokenServer_data();
    void brokenServer();
    void serverVanishesMidCall();
    void spoofedSignalIsIgnored();
    void markupIsShownAsText_data();
    void markupIsShownAsText();

private:
    void openWindow();
    QStringList shownTitles() const;
    ZButtonBoxButton *button(const QString &name) const;
    ZButtonBoxButton *dayButton(int day) const;
    void addJob(const ScheduleDataInfo &info);

    ScriptedServer server;
    std::unique_ptr<MainWindow> window;
    TaskList *list = nullptr;
};

void TestRobustness::initTestCase()
{
    if (!QDBusConnection::sessionBus().isConnected() || !server.start())
        QSKIP("no session bus");
}

void TestRobustness::init()
{
    DayMap days;
    days[today().addDays(-2)] << scriptedJob(1, "old open", today().addDays(-2), 10);
    days[today()] << scriptedJob(3, "today", today(), 10) << scriptedJob(4, "today 2", today(), 11);
    days[today().addDays(3)] << scriptedJob(7, "day three", today().addDays(3), 9);
    server.setDays(days);
    server.setMode(ScriptedServer::Answer);
    QVERIFY(server.start());
    // A call that succeeds, so that each test's first failure is news to the log.
    QMap<QDate, QVector<ScheduleDataInfo>> ignored;
    QVERIFY(CScheduleDBus::getInstance()->GetJobs(today(), today(), ignored));
    server.clearCalls();
}

void TestRobustness::cleanup()
{
    window.reset();
    list = nullptr;
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void TestRobustness::openWindow()
{
    window = std::make_unique<MainWindow>();
    list = window->findChild<TaskList *>();
    QVERIFY(list);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    QTRY_VERIFY(!list->isReplacing());
}

QStringList TestRobustness::shownTitles() const
{
    QStringList titles;
    for (TaskItem *item : list->taskItems())
        titles << item->title();
    titles.sort();
    return titles;
}

ZButtonBoxButton *TestRobustness::button(const QString &name) const
{
    return window->findChild<ZButtonBoxButton *>(name);
}

ZButtonBoxButton *TestRobustness::dayButton(int day) const
{
    const QList<ZButtonBoxButton *> buttons = window->findChildren<ZButtonBoxButton *>();
    for (ZButtonBoxButton *b : buttons) {
        if (b->text() == QStringLiteral("D%1").arg(day))
            return b;
    }
    return nullptr;
}

void TestRobustness::addJob(const ScheduleDataInfo &info)
{
    DayMap days = server.days();
    days[info.getBeginDateTime().date()] << info;
    server.setDays(days);
}

// At log-in the widget often starts before its data server.
void TestRobustness::emptyAtStart_data()
{
    QTest::addColumn<bool>("serverLate"); // else: the calendar is empty at first
    QTest::newRow("server appears late") << true;
    QTest::newRow("empty calendar at start") << false;
}

// The list area is laid out while it is empty; the tasks that come later still get their full width,
// with the scroll bar beside them.
void TestRobustness::emptyAtStart()
{
    QFETCH(bool, serverLate);

    DayMap days;
    for (int i = 0; i < 6; ++i)
        days[today()] << scriptedJob(40 + i, QStringLiteral("later %1").arg(i), today(), 8 + i);
    LogCatcher log;
    if (serverLate)
        server.stop();
    else
        server.setDays({});
    openWindow();
    QTRY_COMPARE(log.fetchFailures() + server.fetches(), 2);
    QVERIFY(list->taskItems().isEmpty());
    if (serverLate)
        QCOMPARE(log.count(QtWarningMsg, "^GetJobs err , .*ServiceUnknown"), 1);

    server.setDays(days);
    if (serverLate)
        QVERIFY(server.start());
    else
        server.announceChange();
    QTRY_COMPARE_WITH_TIMEOUT(list->taskItems().size(), 6, 10000);
    QTRY_VERIFY(!list->isReplacing());

    auto *area = window->findChild<QScrollArea *>();
    QTRY_VERIFY(area->verticalScrollBar()->isVisible());
    const int barLeft = area->verticalScrollBar()->mapTo(area, QPoint(0, 0)).x();
    const QWidget *viewport = area->viewport();
    for (TaskItem *item : list->taskItems()) {
        QCOMPARE(item->width(), TaskItem::itemWidth);
        const QPoint left = item->mapTo(viewport, QPoint(0, 0));
        const QPoint right = item->mapTo(viewport, QPoint(item->width(), 0));
        QVERIFY2(left.x() >= 0 && right.x() <= viewport->width(), qPrintable(QString::number(right.x())));
        QVERIFY(viewport->mapTo(area, right).x() <= barLeft);
    }
}

void TestRobustness::serverGoesAwayAndComesBack()
{
    openWindow();
    QTRY_COMPARE(shownTitles(), overviewTitles);
    const QList<TaskItem *> shown = list->taskItems();

    LogCatcher log;
    server.stop();
    // The overview's two fetches fail together.
    for (int reload = 1; reload <= 3; ++reload) {
        QTest::mouseClick(button("homeButton"), Qt::LeftButton);
        QTRY_COMPARE(log.fetchFailures(), 2 * reload);
        QVERIFY(!list->isReplacing());
        QCOMPARE(list->taskItems(), shown);
    }
    // One warning for the whole absence, not one per reload.
    QCOMPARE(log.count(QtWarningMsg, "^GetJobs err ,"), 1);

    // The window still takes input; another day's view does not show this list.
    QTest::mouseClick(dayButton(3), Qt::LeftButton);
    QTRY_COMPARE(log.fetchFailures(), 7);
    QVERIFY(dayButton(3)->isChecked());
    QTRY_VERIFY(list->taskItems().isEmpty());

    addJob(scriptedJob(8, "day three new", today().addDays(3), 12));
    server.clearCalls();
    QVERIFY(server.start());
    QTRY_COMPARE_WITH_TIMEOUT(shownTitles(), (QStringList{"day three", "day three new"}), 10000);
    QCOMPARE(server.fetches(), 1);
}

void TestRobustness::brokenServer_data()
{
    QTest::addColumn<ScriptedServer::Mode>("mode");
    QTest::addColumn<QString>("shows");   // "last list" or "new list"
    QTest::addColumn<QString>("warning"); // logged once for the two reloads; empty: nothing

    QTest::newRow("error reply")
        << ScriptedServer::Error << "last list"
        << R"(^GetJobs err , QDBusMessage\(type=Error, .*com\.norvale\.Error\.Failed)";
    // The private bus gives up after 3 s; the widget waits that long, as it must, once per reload.
    QTest::newRow("no answer") << ScriptedServer::NeverAnswer << "last list"
                               << R"(^GetJobs err , QDBusMessage\(type=Error, .*NoReply)";
    QTest::newRow("reply not a text") << ScriptedServer::WrongType << "last list"
                                      << R"(^GetJobs err , QDBusMessage\(type=MethodReturn, .*signature="i")";
    QTest::newRow("late answer") << ScriptedServer::LateAnswer << "new list" << QString();
    // Text that is no range is no calendar either: it must not wipe the list.
    QTest::newRow("garbage text")
        << ScriptedServer::Garbage << "last list"
        << R"(^GetJobs err , QDBusMessage\(type=MethodReturn, .*\(an answer that is no range: not JSON)";
}

void TestRobustness::brokenServer()
{
    QFETCH(ScriptedServer::Mode, mode);
    QFETCH(QString, shows);
    QFETCH(QString, warning);

    openWindow();
    QTRY_COMPARE(shownTitles(), overviewTitles);
    const QList<TaskItem *> shown = list->taskItems();
    addJob(scriptedJob(20, "today added", today(), 15));
    const QStringList changed{"old open", "today", "today 2", "today added"};

    server.setMode(mode);
    server.clearCalls();
    LogCatcher log;
    // Both of the overview's fetches go out at once, whatever becomes of them.
    for (int reload = 1; reload <= 2; ++reload) {
        QTest::mouseClick(button("homeButton"), Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(server.fetches(), reload * 2, 10000);
        if (shows == "last list") {
            QTRY_COMPARE_WITH_TIMEOUT(log.fetchFailures(), reload * 2, 10000);
            QVERIFY(!list->isReplacing());
            QCOMPARE(list->taskItems(), shown);
        } else {
            QTRY_COMPARE_WITH_TIMEOUT(shownTitles(), changed, 10000);
            QTRY_VERIFY(!list->isReplacing());
        }
    }
    QCOMPARE(log.count(QtWarningMsg, "."), warning.isEmpty() ? 0 : 1);
    if (!warning.isEmpty()) {
        QCOMPARE(log.count(QtWarningMsg, warning), 1);
        QCOMPARE(log.count(QtDebugMsg, warning), 3);
    }

    // Once the server answers again, the next reload shows its calendar.
    server.setMode(ScriptedServer::Answer);
    addJob(scriptedJob(21, "today repaired", today(), 16));
    server.announceChange();
    QTRY_COMPARE_WITH_TIMEOUT(shownTitles(), (QStringList{changed} << "today repaired"), 10000);
}

void TestRobustness::serverVanishesMidCall()
{
    openWindow();
    QTRY_COMPARE(shownTitles(), overviewTitles);
    const QList<TaskItem *> shown = list->taskItems();

    server.setMode(ScriptedServer::NeverAnswer);
    server.clearCalls();
    std::atomic<bool> stopped{false};
    // The GUI thread waits for the answer meanwhile, so the server is taken away from another thread.
    std::thread vanisher([this, &stopped] {
        for (int i = 0; i < 2000 && server.fetches() == 0; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        server.stop();
        stopped = true;
    });
    LogCatcher log;
    QTest::mouseClick(button("homeButton"), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(stopped, 15000);
    vanisher.join();
    // Both fetches fail; the one the server held and the one it may not have seen fail differently.
    QTRY_COMPARE(log.fetchFailures(), 2);
    const int warnings = log.count(QtWarningMsg, "^GetJobs err , QDBusMessage\\(type=Error, ");
    QVERIFY2(warnings >= 1 && warnings <= 2, qPrintable(QString::number(warnings)));
    QVERIFY(!list->isReplacing());
    QCOMPARE(list->taskItems(), shown);
    QVERIFY(server.fetches() >= 1 && server.fetches() <= 2);

    // A restarted server is asked again without any change signal.
    server.setMode(ScriptedServer::Answer);
    addJob(scriptedJob(22, "after restart", today(), 17));
    QVERIFY(server.start());
    QTRY_COMPARE_WITH_TIMEOUT(shownTitles(), (QStringList{"after restart", "old open", "today", "today 2"}),
                              10000);
}

void TestRobustness::spoofedSignalIsIgnored()
{
    openWindow();
    QTRY_COMPARE(shownTitles(), overviewTitles);
    const QList<TaskItem *> shown = list->taskItems();
    server.clearCalls();

    // Sees every "JobsUpdated" that reaches this process, whoever sent it.
    SignalCounter arrived;
    QDBusConnection bus = QDBusConnection::sessionBus();
    QVERIFY(bus.connect(QString(), DBUS_SERVER_PATH, DBUS_SERVER_NAME, "JobsUpdated", &arrived,
                        SLOT(onSignal(QDBusMessage))));
    QDBusConnection spoofer = QDBusConnection::connectToBus(QDBusConnection::SessionBus, "spoofer");
    QVERIFY(spoofer.isConnected());
    for (int i = 0; i < 50; ++i)
        QVERIFY(spoofer.send(QDBusMessage::createSignal(DBUS_SERVER_PATH, DBUS_SERVER_NAME, "JobsUpdated")));
    QTRY_COMPARE(arrived.count.load(), 50);
    QTest::qWait(MainWindow::reloadDelayMs * 6);
    QCOMPARE(server.fetches(), 0);
    QCOMPARE(list->taskItems(), shown);

    // The owner's own signal still counts.
    server.announceChange();
    QTRY_COMPARE(server.fetches(), 2);
    QTRY_VERIFY(!list->isReplacing());
    QCOMPARE(arrived.count.load(), 51);

    bus.disconnect(QString(), DBUS_SERVER_PATH, DBUS_SERVER_NAME, "JobsUpdated", &arrived,
                   SLOT(onSignal(QDBusMessage)));
    QDBusConnection::disconnectFromBus("spoofer");
}

void TestRobustness::markupIsShownAsText_data()
{
    QTest::addColumn<QString>("title");
    QTest::newRow("bold") << "<b>bold</b> plan";
    QTest::newRow("link") << R"(<a href="https://example.invalid/">click</a>)";
    QTest::newRow("image") << R"(<img src="/nonexistent.png" width=2000>)";
    QTest::newRow("entities") << "&amp; &lt;b&gt; &#65;";
    QTest::newRow("mnemonic") << "Tom && Jerry &save";
    QTest::newRow("comment") << "<!-- hidden -->shown";
    QTest::newRow("style") << "<style>*{color:red}</style><h1>big</h1>";
}

void TestRobustness::markupIsShownAsText()
{
    QFETCH(QString, title);
    const QString description = "<b>description</b> " + title;
    DayMap days;
    days[today().addDays(2)] << scriptedJob(30, title, today().addDays(2), 10, description);
    server.setDays(days);

    openWindow();
    QTest::mouseClick(dayButton(2), Qt::LeftButton);
    QTRY_COMPARE(shownTitles(), QStringList{title});
    TaskItem *item = list->taskItems().first();
    const auto *box = item->findChild<QCheckBox *>();
    // Shown as it is, or cut short with "…" where it does not fit.
    const QString shown = box->text().section(QLatin1Char('\n'), -1).mid(2).replace("&&", "&");
    QVERIFY2(shown == title || (shown.endsWith(QChar(0x2026)) && title.startsWith(shown.chopped(1))),
             qPrintable(shown));

    for (const QLabel *label : window->findChildren<QLabel *>())
        QVERIFY2(label->textFormat() == Qt::PlainText || !label->text().contains(title),
                 qPrintable(label->text()));
    // Tool tips are rich text when they look like it: none may carry the markup. A screen reader
    // is told a task's title as plain text, which is what it is; never the description.
    QList<QWidget *> widgets = window->findChildren<QWidget *>();
    widgets << item->taskMenu();
    for (const QWidget *w : std::as_const(widgets)) {
        for (const QString &text : {w->toolTip(), w->whatsThis()})
            QVERIFY2(!text.contains(title) && !text.contains("<b>description</b>"), qPrintable(text));
        for (const QString &text : {w->accessibleName(), w->accessibleDescription()})
            QVERIFY2(!text.contains("<b>description</b>"), qPrintable(text));
    }
    for (const QAction *action : item->taskMenu()->actions())
        QVERIFY2(!action->text().contains(title) && !action->toolTip().contains(title),
                 qPrintable(action->text()));
}

QTEST_MAIN(TestRobustness)
#include "tst_robustness.moc"
