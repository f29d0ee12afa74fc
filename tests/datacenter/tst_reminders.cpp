#include "dayclock.h"
#include "fakedbusservice.h"
#include "reminderrules.h"
#include "reminderscheduler.h"
#include "reminderstore.h"

#include <QDBusArgument>
#include <QDBusConnectionInterface>
#include <QScopeGuard>
#include <QtTest>

#include <memory>

namespace {
// Every row is read against this moment: no case depends on the hour of the run.
const QDateTime base(QDate(2030, 6, 12), QTime(10, 0));

ScheduleDataInfo job(int id, int beginMin, int endMin, int remind, bool allDay = false)
{
    ScheduleDataInfo info;
    info.setID(id);
    info.setTitleName(QStringLiteral("Task %1").arg(id));
    info.setAllDay(allDay);
    info.setBeginDateTime(base.addSecs(60 * beginMin));
    info.setEndDateTime(base.addSecs(60 * endMin));
    info.setRemindData(RemindData(remind, QTime(9, 0)));
    return info;
}

int infoLines = 0;
QtMessageHandler previousHandler = nullptr;
void countInfo(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    infoLines += type == QtInfoMsg && message.contains(QLatin1String("notification service"));
    previousHandler(type, context, message);
}
} // namespace

class TestReminders : public QObject
{
    Q_OBJECT

private:
    // The widget as one run of it: a clock of the test's, the store file, the scheduler.
    struct Run
    {
        DayClock clock;
        ReminderStore store;
        ReminderScheduler scheduler;
        Run(const QString &path, const QDateTime *now)
            : store(path)
            , scheduler(&clock, &store)
        {
            clock.setTimeSource([now] { return *now; });
            QSignalSpy reviewed(&scheduler, &ReminderScheduler::reviewed);
            scheduler.start();
            [&] { QTRY_VERIFY(reviewed.count() > 0); }();
        }
    };
    std::unique_ptr<Run> start() { return std::make_unique<Run>(storePath, &now); }
    void setNow(Run &run, int minutes)
    {
        now = base.addSecs(60 * minutes);
        run.clock.setTimeSource([this] { return now; }); // the clock jumps
    }
    void serve(const QVector<ScheduleDataInfo> &jobs)
    {
        QMap<QDate, QVector<ScheduleDataInfo>> days;
        for (const ScheduleDataInfo &j : jobs)
            days[j.getBeginDateTime().date()].append(j);
        server.setReply("GetJobs", FakeDBusService::Reply::value(ScheduleDataInfo::RangeInfoToStrJson(days)));
    }
    int shown() const { return notifications.calls("Notify").size(); }
    // Everything the scheduler sent before has reached the service (or the bus's refusal has come
    // back) once this returns.
    void roundTrip()
    {
        if (notifications.isRunning())
            QDBusConnection::sessionBus().call(QDBusMessage::createMethodCall(
                notifications.service, notifications.path, notifications.interface, "GetServerInformation"));
        else
            QDBusConnection::sessionBus().interface()->isServiceRegistered(notifications.service);
        QCoreApplication::processEvents();
    }
    // A scheduler asks what the service can show before its first reminder, and only then.
    int asked()
    {
        roundTrip();
        return notifications.calls("GetCapabilities").size();
    }
    // The id of the case's `n`th notification (0: the first), 0 if it is not given in time.
    uint idOf(int n)
    {
        uint id = 0;
        const bool given = QTest::qWaitFor([&] {
            QMutexLocker lock(&ids->mutex);
            id = ids->given.value(n);
            return id != 0;
        });
        return given ? id : 0;
    }
    // Answers an action once the scheduler knows the notification's id.
    bool invoke(uint id, const QString &action, const std::function<bool()> &done)
    {
        notifications.emitSignal("ActionInvoked", {QVariant::fromValue(id), action});
        roundTrip();
        return done();
    }

    FakeDBusService notifications{"org.freedesktop.Notifications", "/org/freedesktop/Notifications",
                                  "org.freedesktop.Notifications"};
    FakeDBusService server{"com.norvale.dataserver.Calendar", "/com/norvale/dataserver/Calendar",
                           "com.norvale.dataserver.Calendar"};
    FakeDBusService calendar{"com.norvale.Calendar", "/com/norvale/Calendar", "com.norvale.Calendar"};
    // The ids the service gave this case's notifications, in turn. A call is on record before its
    // handler has given it an id: read through idOf(), which waits for it.
    struct Ids
    {
        QMutex mutex;
        uint last = 0;
        QVector<uint> given;
    };
    std::shared_ptr<Ids> ids = std::make_shared<Ids>();
    QTemporaryDir dir;
    QString storePath;
    QDateTime now;

private Q_SLOTS:
    void initTestCase()
    {
        if (!QDBusConnection::sessionBus().isConnected())
            QSKIP("no session bus");
        QVERIFY(notifications.start() && server.start() && calendar.start());
        notifications.setHandler("Notify", [ids = ids](const FakeDBusService::Call &) {
            QMutexLocker lock(&ids->mutex);
            ids->given << ++ids->last;
            return FakeDBusService::Reply::value(ids->last);
        });
    }
    void init()
    {
        notifications.setReply("GetCapabilities",
                               FakeDBusService::Reply::value(QStringList{"actions", "body", "sound"}));
        notifications.clearCalls();
        calendar.clearCalls();
        QMutexLocker lock(&ids->mutex);
        ids->given.clear();
        storePath = dir.filePath(QString::fromLatin1(QTest::currentDataTag()) + QTest::currentTestFunction());
        now = base;
    }

    void moments_data();
    void moments();
    void firesOnceAcrossRestarts();
    void missedWhileStopped_data();
    void missedWhileStopped();
    void snoozeSurvivesRestartAndOpenOpens();
    void joinFromTheReminder();
    void movedAndDeleted();
    void desktopAlarmsNotRepeated_data();
    void desktopAlarmsNotRepeated();
    void plainWithoutCapabilities();
    void noService();
};

void TestReminders::moments_data()
{
    QTest::addColumn<ScheduleDataInfo>("task");
    QTest::addColumn<QDateTime>("moment");
    QTest::addColumn<bool>("due");
    QTest::addColumn<QString>("bodyPart");

    const ScheduleDataInfo allDay = job(2, 14 * 60, 38 * 60, 1, true); // tomorrow
    QTest::newRow("timed, 15 minutes before")
        << job(1, 60, 120, 15) << base.addSecs(45 * 60) << false << "Begins at";
    QTest::newRow("all-day, a day before at 09:00")
        << allDay << QDateTime(base.date(), QTime(9, 0)) << true << "all day";
    QTest::newRow("exactly at the start") << job(3, 0, 60, 0) << base << true << "Begins at";
    QTest::newRow("no reminder") << job(4, 30, 60, -1) << QDateTime() << false << "";
    QTest::newRow("missed, event not ended")
        << job(5, -30, 30, 15) << base.addSecs(-45 * 60) << true << "30 minute";
    QTest::newRow("missed, event ended") << job(6, -120, -60, 15) << base.addSecs(-135 * 60) << false << "";
}

void TestReminders::moments()
{
    QFETCH(ScheduleDataInfo, task);
    QFETCH(QDateTime, moment);
    QFETCH(bool, due);
    QFETCH(QString, bodyPart);

    QCOMPARE(ReminderRules::momentOf(task), moment);
    const ReminderStore store{QString()};
    const ReminderRules::Plan plan = ReminderRules::plan({task}, store, {}, base);
    QCOMPARE(plan.due.size(), due ? 1 : 0);
    QCOMPARE(plan.next, moment > base ? moment : QDateTime());
    if (!bodyPart.isEmpty())
        QVERIFY2(ReminderRules::body(task, base, false).contains(bodyPart),
                 qPrintable(ReminderRules::body(task, base, false)));
    ReminderRules::Options off;
    off.enabled = false;
    QVERIFY(ReminderRules::plan({task}, store, off, base).due.isEmpty());

    // A calendar hidden from the widget is not reminded of; another hidden one changes nothing.
    ScheduleDataInfo ofCalendar = task;
    ofCalendar.setCalendar(CalendarIdentity{"work", "Work", {}, true, {}, {}});
    ReminderRules::Options hidden;
    hidden.hiddenCalendars = {"private"};
    QCOMPARE(ReminderRules::plan({ofCalendar}, store, hidden, base).due.size(), due ? 1 : 0);
    hidden.hiddenCalendars = {"work"};
    const ReminderRules::Plan none = ReminderRules::plan({ofCalendar}, store, hidden, base);
    QVERIFY(none.due.isEmpty());
    QVERIFY(!none.next.isValid());

    // A meeting the user declined is not reminded of, however the panel shows it.
    ScheduleDataInfo declined = task;
    EventDetails answer;
    answer.myReply = QStringLiteral("declined");
    declined.setDetails(answer);
    QVERIFY(ReminderRules::plan({declined}, store, {}, base).due.isEmpty());
    answer.myReply = QStringLiteral("tentative");
    declined.setDetails(answer);
    QCOMPARE(ReminderRules::plan({declined}, store, {}, base).due.size(), due ? 1 : 0);

    // One the desktop reminds of is left to it, unless the user asks for both.
    ReminderRules::Options desktop;
    desktop.desktopReminded = {"work"};
    QVERIFY(ReminderRules::plan({ofCalendar}, store, desktop, base).due.isEmpty());
    desktop.desktopCalendars = true;
    QCOMPARE(ReminderRules::plan({ofCalendar}, store, desktop, base).due.size(), due ? 1 : 0);
}

void TestReminders::firesOnceAcrossRestarts()
{
    serve({job(1, 60, 120, 15), job(2, 30, 90, -1)});
    {
        auto run = start();
        QCOMPARE(run->scheduler.nextReminder(), base.addSecs(45 * 60));
        QCOMPARE(shown(), 0);
        setNow(*run, 50); // over the reminder: told once
        QTRY_COMPARE(shown(), 1);
        const FakeDBusService::Call call = notifications.calls("Notify").first();
        QCOMPARE(call.arguments.at(3), QVariant(QString("Task 1")));
        QVERIFY(call.arguments.at(5).toStringList().contains("snooze"));
        QCOMPARE(qdbus_cast<QVariantMap>(call.arguments.at(6)).value("sound-name"),
                 QVariant(QString("alarm-clock-elapsed")));
        setNow(*run, 51);
        QVERIFY(!run->scheduler.nextReminder().isValid());
    }
    auto restarted = start();
    setNow(*restarted, 52);
    QCOMPARE(asked(), 1);
    QCOMPARE(shown(), 1);
}

void TestReminders::missedWhileStopped_data()
{
    QTest::addColumn<int>("beginMin");
    QTest::addColumn<int>("endMin");
    QTest::addColumn<int>("expected");
    QTest::newRow("event not ended") << -30 << 30 << 1;
    QTest::newRow("event ended") << -120 << -60 << 0;
}

void TestReminders::missedWhileStopped()
{
    QFETCH(int, beginMin);
    QFETCH(int, endMin);
    QFETCH(int, expected);
    serve({job(1, beginMin, endMin, 15)});
    {
        auto run = start();
        QTRY_COMPARE(shown(), expected);
        QCOMPARE(asked(), expected);
    }
    auto restarted = start();
    QCOMPARE(asked(), expected);
    QCOMPARE(shown(), expected);
}

// A meeting's reminder offers Join first, which hands its link to the desktop and closes it.
void TestReminders::joinFromTheReminder()
{
    FakeDBusService portal("org.freedesktop.portal.Desktop", "/org/freedesktop/portal/desktop",
                           "org.freedesktop.portal.OpenURI");
    QVERIFY(portal.start());
    ScheduleDataInfo meeting = job(1, 5, 60, 15);
    EventDetails details;
    details.conference = QStringLiteral("https://us02web.zoom.us/j/8512345678?pwd=aBc");
    meeting.setDetails(details);
    serve({meeting, job(2, 6, 60, 15)});
    auto run = start();
    QTRY_COMPARE(shown(), 2);
    QStringList joins;
    for (const FakeDBusService::Call &call : notifications.calls("Notify")) {
        const QStringList actions = call.arguments.value(5).toStringList();
        joins << QString::number(actions.indexOf("join"));
    }
    QCOMPARE(joins, (QStringList{"2", "-1"}));
    const uint id = idOf(0); // the meeting's
    QTRY_VERIFY(invoke(id, "join", [&] { return !portal.calls("OpenURI").isEmpty(); }));
    QCOMPARE(portal.calls("OpenURI").size(), 1);
    QCOMPARE(portal.calls("OpenURI").first().arguments.value(1).toString(), details.conference);
    QTRY_COMPARE(notifications.calls("CloseNotification").size(), 1);
}

void TestReminders::snoozeSurvivesRestartAndOpenOpens()
{
    serve({job(1, 5, 120, 15)});
    {
        auto run = start();
        QTRY_COMPARE(shown(), 1);
        const uint id = idOf(0);
        QTRY_VERIFY(
            invoke(id, "snooze", [&] { return run->scheduler.nextReminder() == base.addSecs(10 * 60); }));
    }
    auto run = start();
    setNow(*run, 9);
    QCOMPARE(asked(), 1);
    setNow(*run, 10);
    QTRY_COMPARE(shown(), 2);
    const uint id = idOf(1);
    QTRY_VERIFY(invoke(id, "open", [&] { return !calendar.calls("OpenSchedule").isEmpty(); }));
    QCOMPARE(calendar.calls("OpenSchedule").size(), 1);
    QVERIFY(calendar.calls("OpenSchedule").first().arguments.first().toString().contains("Task 1"));
}

void TestReminders::movedAndDeleted()
{
    serve({job(1, 5, 60, 15)});
    auto run = start();
    QTRY_COMPARE(shown(), 1);
    const uint id = idOf(0);

    serve({job(1, 125, 180, 15)}); // moved two hours on
    server.emitSignal("JobsUpdated");
    QTRY_COMPARE(run->scheduler.nextReminder(), base.addSecs(110 * 60));
    QTRY_COMPARE(notifications.calls("CloseNotification").size(), 1);
    QCOMPARE(notifications.calls("CloseNotification").first().arguments.first(), QVariant(id));

    serve({});
    server.emitSignal("JobsUpdated");
    QTRY_VERIFY(!run->scheduler.nextReminder().isValid());
    setNow(*run, 120);
    QCOMPARE(shown(), 1);
}

// Evolution's alarm notifier reminds of Evolution Data Server's calendars while it runs; the widget
// does once it has gone.
void TestReminders::desktopAlarmsNotRepeated_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("service");
    QTest::addColumn<QString>("otherService"); // runs too, and covers other calendars

    QTest::newRow("Evolution's calendar, Evolution's notifier")
        << "eds" << ReminderScheduler::desktopAlarmService << ReminderScheduler::kdeAlarmService;
    QTest::newRow("Akonadi's calendar, KDE's reminder daemon")
        << "akonadi" << ReminderScheduler::kdeAlarmService << ReminderScheduler::desktopAlarmService;
}

void TestReminders::desktopAlarmsNotRepeated()
{
    QFETCH(QString, kind);
    QFETCH(QString, service);
    QFETCH(QString, otherService);

    CalendarIdentity desktop{kind + "-work", "Work", {}, true, kind, kind + ":work"};
    ScheduleDataInfo ofDesktop = job(41, 60, 120, 15);
    ofDesktop.setCalendar(desktop);
    // As the data server sends it: the job with its calendar's keys.
    server.setReply("GetJobs",
                    FakeDBusService::Reply::value("[{\"Date\":\"2030-06-12\",\"Jobs\":[" +
                                                  ScheduleDataInfo::ScheduleToJsonStr(ofDesktop) + "]}]"));
    server.setReply("GetCalendars", FakeDBusService::Reply::value(CalendarIdentity::listToJson({desktop})));
    const auto restore =
        qScopeGuard([this] { server.setReply("GetCalendars", FakeDBusService::Reply::empty()); });
    FakeDBusService alarms{service, "/alarms", service};
    FakeDBusService other{otherService, "/alarms", otherService};
    QVERIFY(alarms.start());
    QVERIFY(other.start());
    auto run = start();
    QSignalSpy reviewed(&run->scheduler, &ReminderScheduler::reviewed);
    setNow(*run, 50); // past the reminder
    QTRY_VERIFY(reviewed.count() > 0);
    const ReminderStore::Reminder reminder = ReminderRules::reminderOf(ofDesktop);
    QVERIFY(!run->store.shown(reminder));
    // The other desktop's service does not remind of this calendar.
    alarms.stop();
    QTRY_VERIFY(run->store.shown(reminder));
}

void TestReminders::plainWithoutCapabilities()
{
    // A service slow to say what it shows: the reminder waits for the answer, and goes out after it.
    notifications.setReply("GetCapabilities", FakeDBusService::Reply::value(QStringList{"body"}, 300));
    serve({job(1, 5, 60, 15)});
    const auto run = start();
    QTRY_COMPARE(shown(), 1);
    const FakeDBusService::Call call = notifications.calls("Notify").first();
    QCOMPARE(call.arguments.at(5).toStringList(), QStringList());
    QVERIFY(!qdbus_cast<QVariantMap>(call.arguments.at(6)).contains("sound-name"));
}

void TestReminders::noService()
{
    notifications.stop();
    serve({job(1, 5, 60, 15), job(2, 20, 60, 30)});
    previousHandler = qInstallMessageHandler(countInfo);
    {
        auto run = start();
        QTRY_COMPARE(infoLines, 1);
        serve({job(1, 5, 60, 15), job(2, 20, 60, 30), job(3, 40, 60, 40)});
        server.emitSignal("JobsUpdated");
        QSignalSpy reviewed(&run->scheduler, &ReminderScheduler::reviewed);
        QTRY_VERIFY(reviewed.count() > 0);
        roundTrip();
    }
    qInstallMessageHandler(previousHandler);
    QCOMPARE(infoLines, 1);
    QVERIFY(notifications.start());
}

QTEST_MAIN(TestReminders)
#include "tst_reminders.moc"
