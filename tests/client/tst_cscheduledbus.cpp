#include "cscheduledbus.h"
#include "fakedbusservice.h"
#include "warningspy.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusPendingCallWatcher>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPointer>
#include <QProcess>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QtTest>

#include <memory>

Q_DECLARE_METATYPE(FakeDBusService::Reply)

namespace {

using Reply = FakeDBusService::Reply;
using DayMap = QMap<QDate, QVector<ScheduleDataInfo>>;

const QString service = QStringLiteral(DBUS_SERVER_NAME);
const QString objectPath = QStringLiteral(DBUS_SERVER_PATH);
const QString failed = QStringLiteral("org.freedesktop.DBus.Error.Failed");

const QString rangeReply =
    QStringLiteral(R"([{"Date":"2024-03-05","Jobs":[{"ID":7,"Title":"Dentist","AllDay":false,)"
                   R"("Start":"2024-03-05T09:00:00+01:00","End":"2024-03-05T10:00:00+01:00","Type":1}]},)"
                   R"({"Date":"2024-03-07","Jobs":[{"ID":8,"Title":"Lunch"},{"ID":9,"Title":"Gym"}]}])");
const QString rangeSummary = QStringLiteral("2024-03-05:7 Dentist;2024-03-07:8 Lunch,9 Gym");

// day:id title,id title;day:...
QString summary(const DayMap &days)
{
    QStringList parts;
    for (auto it = days.cbegin(); it != days.cend(); ++it) {
        QStringList jobs;
        for (const ScheduleDataInfo &job : it.value())
            jobs << QString::number(job.getID()) + ' ' + job.getTitleName();
        parts << it.key().toString(Qt::ISODate) + ':' + jobs.join(',');
    }
    return parts.join(';');
}

DayMap heldDays()
{
    ScheduleDataInfo held;
    held.setID(99);
    held.setTitleName("held");
    return {{QDate(2000, 1, 1), {held}}};
}

ScheduleDataInfo validJob()
{
    ScheduleDataInfo job;
    job.setID(5);
    job.setTitleName(QStringLiteral("牙医 Dentist"));
    job.setAllDay(false);
    job.setType(1);
    job.setBeginDateTime(QDateTime(QDate(2024, 3, 5), QTime(9, 0)));
    job.setEndDateTime(QDateTime(QDate(2024, 3, 5), QTime(10, 0)));
    return job;
}

} // namespace

// Catches the signals of the server's path and interface from any sender.
class SignalCatcher : public QObject
{
    Q_OBJECT
public:
    QList<QDBusMessage> messages;
public Q_SLOTS:
    void onSignal(const QDBusMessage &message) { messages << message; }
};

class TestCScheduleDBus : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void getJobsArguments_data();
    void getJobsArguments();
    void getJobs_data();
    void getJobs();
    void getJobsWithoutServer();
    void jobsUpdated_data();
    void jobsUpdated();
    void spoofedJobsUpdated();
    void serverAppears();
    void otherConnection();
    void queryJobsNullTime_data();
    void queryJobsNullTime();
    void queryJobs_data();
    void queryJobs();
    void getJob_data();
    void getJob();
    void getCalendars_data();
    void getCalendars();
    void createJob_data();
    void createJob();
    void createInvalidJob();
    void updateAndDelete_data();
    void updateAndDelete();
    void singleton();

private:
    void restartFake(const QString &interface);
    // Returns once the fake has handled everything it was asked to send before.
    void syncWithFake();

    std::unique_ptr<FakeDBusService> fake;
};

void TestCScheduleDBus::initTestCase()
{
    if (!QDBusConnection::sessionBus().isConnected())
        QSKIP("no session bus");
}

void TestCScheduleDBus::init()
{
    restartFake(service);
}

void TestCScheduleDBus::cleanup()
{
    CScheduleDBus::releaseInstance();
    fake.reset();
}

void TestCScheduleDBus::restartFake(const QString &interface)
{
    fake.reset();
    fake = std::make_unique<FakeDBusService>(service, objectPath, interface);
    QVERIFY(fake->start());
}

void TestCScheduleDBus::syncWithFake()
{
    QDBusConnection::sessionBus().call(
        QDBusMessage::createMethodCall(service, objectPath, fake->interface, QStringLiteral("Ping")));
    QCoreApplication::processEvents();
}

void TestCScheduleDBus::getJobsArguments_data()
{
    QTest::addColumn<QDate>("start");
    QTest::addColumn<QDate>("end");
    QTest::addColumn<QVariantList>("sent");
    QTest::newRow("one week") << QDate(2024, 3, 5) << QDate(2024, 3, 11)
                              << QVariantList{2024u, 3u, 5u, 2024u, 3u, 11u};
    QTest::newRow("one day") << QDate(2024, 12, 31) << QDate(2024, 12, 31)
                             << QVariantList{2024u, 12u, 31u, 2024u, 12u, 31u};
    QTest::newRow("invalid start") << QDate() << QDate(2024, 1, 2) << QVariantList{0u, 0u, 0u, 2024u, 1u, 2u};
}

void TestCScheduleDBus::getJobsArguments()
{
    QFETCH(QDate, start);
    QFETCH(QDate, end);
    QFETCH(QVariantList, sent);

    fake->setReply("GetJobs", Reply::value(QString("[]")));
    CScheduleDBus client(service, objectPath, QDBusConnection::sessionBus());
    DayMap days;
    QVERIFY(client.GetJobs(start, end, days));
    const QList<FakeDBusService::Call> calls = fake->calls("GetJobs");
    QCOMPARE(calls.size(), 1);
    QCOMPARE(calls.first().interface, service);
    QCOMPARE(calls.first().signature, QString("uuuuuu"));
    QCOMPARE(calls.first().arguments, sent);
}

void TestCScheduleDBus::getJobs_data()
{
    QTest::addColumn<Reply>("reply");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QString>("warning");
    QTest::addColumn<QString>("days");

    QTest::newRow("range") << Reply::value(rangeReply) << true << "" << rangeSummary;
    QTest::newRow("empty range") << Reply::value(QString("[]")) << true << ""
                                 << "";
    QTest::newRow("error reply") << Reply::error(failed) << false
                                 << R"(^GetJobs err , QDBusMessage\(type=Error, .*Error\.Failed)"
                                 << "";
    // An answer without a text is a failure, said once as an error reply is.
    QTest::newRow("int reply") << Reply::value(42) << false
                               << R"(^GetJobs err , QDBusMessage\(type=MethodReturn, .*signature="i")"
                               << "";
    QTest::newRow("no argument") << Reply::empty() << false
                                 << R"(^GetJobs err , QDBusMessage\(type=MethodReturn, .*signature="")"
                                 << "";
    // The test bus gives up on the call after 3 s.
    QTest::newRow("no reply") << Reply::never() << false
                              << R"(^GetJobs err , QDBusMessage\(type=Error, .*NoReply)"
                              << "";
    // A text that is no range would read as an empty calendar and wipe the list.
    const QString noRange =
        R"(^GetJobs err , QDBusMessage\(type=MethodReturn, .*signature="s".*\(an answer that is no range: %1)";
    QTest::newRow("not JSON") << Reply::value(QString("<html>\x01 [{")) << false << noRange.arg("not JSON")
                              << "";
    QTest::newRow("object, not array") << Reply::value(QString(R"({"Date":"2024-03-05","Jobs":[]})")) << false
                                       << noRange.arg("not an array") << "";
    QTest::newRow("day without jobs")
        << Reply::value(QString(R"([{"Date":"2024-03-05"}])")) << false << noRange.arg("a day is not") << "";
    QTest::newRow("day not an object")
        << Reply::value(QString("[1]")) << false << noRange.arg("a day is not") << "";
    QTest::newRow("bad date") << Reply::value(QString(R"([{"Date":"2024-13-05","Jobs":[]}])")) << false
                              << noRange.arg("a day has no valid") << "";
}

void TestCScheduleDBus::getJobs()
{
    QFETCH(Reply, reply);
    QFETCH(bool, ok);
    QFETCH(QString, warning);
    QFETCH(QString, days);

    fake->setReply("GetJobs", reply);
    CScheduleDBus client(service, objectPath, QDBusConnection::sessionBus());
    DayMap result = heldDays();
    if (!warning.isEmpty())
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(warning));
    WarningSpy warnings;
    QCOMPARE(client.GetJobs(QDate(2024, 3, 5), QDate(2024, 3, 11), result), ok);
    QCOMPARE(summary(result), days);
    QCOMPARE(warnings.warnings.size(), warning.isEmpty() ? 0 : 1);

    // The same answer without waiting for it reads the same; the same failure again is no news.
    QDBusPendingCallWatcher watcher(client.GetJobsAsync(QDate(2024, 3, 5), QDate(2024, 3, 11)));
    QSignalSpy finished(&watcher, &QDBusPendingCallWatcher::finished);
    QVERIFY(watcher.isFinished() || finished.wait(10000));
    result = heldDays();
    QCOMPARE(client.readJobsReply(watcher.reply(), result), ok);
    QCOMPARE(summary(result), days);
    QCOMPARE(warnings.warnings.size(), warning.isEmpty() ? 0 : 1);
}

void TestCScheduleDBus::getJobsWithoutServer()
{
    fake->stop();
    CScheduleDBus client(service, objectPath, QDBusConnection::sessionBus());
    DayMap result = heldDays();
    QTest::ignoreMessage(QtWarningMsg,
                         QRegularExpression(R"(^GetJobs err , QDBusMessage\(type=Error, .*ServiceUnknown)"));
    QVERIFY(!client.GetJobs(QDate(2024, 3, 5), QDate(2024, 3, 11), result));
    QVERIFY(result.isEmpty());
}

void TestCScheduleDBus::jobsUpdated_data()
{
    QTest::addColumn<QString>("interface");
    QTest::addColumn<QString>("clientPath");
    QTest::addColumn<QString>("member");
    QTest::addColumn<int>("emitted");

    QTest::newRow("JobsUpdated") << service << objectPath << "JobsUpdated" << 1;
    QTest::newRow("other member") << service << objectPath << "JobsChanged" << 0;
    QTest::newRow("member in other case") << service << objectPath << "jobsupdated" << 0;
    QTest::newRow("other path") << service << "/com/norvale/dataserver/Other"
                                << "JobsUpdated" << 0;
    QTest::newRow("other interface") << "com.norvale.dataserver.Other" << objectPath << "JobsUpdated" << 0;
}

void TestCScheduleDBus::jobsUpdated()
{
    QFETCH(QString, interface);
    QFETCH(QString, clientPath);
    QFETCH(QString, member);
    QFETCH(int, emitted);

    restartFake(interface);
    CScheduleDBus client(service, clientPath, QDBusConnection::sessionBus());
    QSignalSpy spy(&client, &CScheduleDBus::jobsUpdate);
    fake->emitSignal(member, {QStringList{"1", "2"}});
    syncWithFake();
    QTRY_COMPARE(spy.count(), emitted);
    syncWithFake();
    QCOMPARE(spy.count(), emitted);
}

// Another connection may send a signal with the server's path and interface; only the owner of
// the service name may make the widget reload.
void TestCScheduleDBus::spoofedJobsUpdated()
{
    CScheduleDBus client(service, objectPath, QDBusConnection::sessionBus());
    QSignalSpy spy(&client, &CScheduleDBus::jobsUpdate);
    SignalCatcher catcher;
    QVERIFY(QDBusConnection::sessionBus().connect(QString(), objectPath, service, "JobsUpdated", &catcher,
                                                  SLOT(onSignal(QDBusMessage))));

    const QString spooferName = "spoofer";
    {
        QDBusConnection spoofer = QDBusConnection::connectToBus(QDBusConnection::SessionBus, spooferName);
        QVERIFY(spoofer.send(QDBusMessage::createSignal(objectPath, service, "JobsUpdated")));
        spoofer.call(QDBusMessage::createMethodCall(service, objectPath, service, "Ping"));
    }
    QDBusConnection::disconnectFromBus(spooferName);
    QTRY_COMPARE(catcher.messages.size(), 1);
    syncWithFake();
    QCOMPARE(spy.count(), 0);
    // Handed over directly, as a connection without the bus's sender filter would.
    client.propertyChanged(catcher.messages.first());
    QCOMPARE(spy.count(), 0);

    fake->emitSignal("JobsUpdated");
    QTRY_COMPARE(spy.count(), 1);
    QTRY_COMPARE(catcher.messages.size(), 2);
    client.propertyChanged(catcher.messages.last());
    QCOMPARE(spy.count(), 2);
}

void TestCScheduleDBus::serverAppears()
{
    fake->stop();
    CScheduleDBus client(service, objectPath, QDBusConnection::sessionBus());
    QSignalSpy spy(&client, &CScheduleDBus::jobsUpdate);

    QVERIFY(fake->start());
    QTRY_COMPARE(spy.count(), 1);
    fake->emitSignal("JobsUpdated");
    QTRY_COMPARE(spy.count(), 2);

    // Losing the server is no change of the jobs; its return is.
    fake->stop();
    QVERIFY(!QDBusConnection::sessionBus().interface()->isServiceRegistered(service).value());
    QCoreApplication::processEvents();
    QCOMPARE(spy.count(), 2);
    QVERIFY(fake->start());
    QTRY_COMPARE(spy.count(), 3);
    fake->emitSignal("JobsUpdated");
    QTRY_COMPARE(spy.count(), 4);
}

// The client listens where it was told to: here a second bus, on which the session bus's fake
// server does not exist.
void TestCScheduleDBus::otherConnection()
{
    QProcess daemon;
    daemon.start("dbus-daemon", {"--session", "--nofork", "--print-address=1"});
    QVERIFY2(daemon.waitForReadyRead(10000), qPrintable(daemon.errorString()));
    const QString address = QString::fromUtf8(daemon.readLine()).trimmed();
    const auto stop = qScopeGuard([&daemon] {
        QDBusConnection::disconnectFromBus("second client");
        QDBusConnection::disconnectFromBus("second server");
        daemon.kill();
        daemon.waitForFinished();
    });
    QDBusConnection bus = QDBusConnection::connectToBus(address, "second client");
    QDBusConnection server = QDBusConnection::connectToBus(address, "second server");
    QVERIFY(bus.isConnected() && server.isConnected());

    CScheduleDBus client(service, objectPath, bus);
    QSignalSpy spy(&client, &CScheduleDBus::jobsUpdate);
    QVERIFY(server.registerService(service));
    QTRY_COMPARE(spy.count(), 1);
    QVERIFY(server.send(QDBusMessage::createSignal(objectPath, service, "JobsUpdated")));
    QTRY_COMPARE(spy.count(), 2);
    fake->emitSignal("JobsUpdated");
    syncWithFake();
    QCOMPARE(spy.count(), 2);
}

void TestCScheduleDBus::queryJobsNullTime_data()
{
    QTest::addColumn<QDateTime>("start");
    QTest::addColumn<QDateTime>("end");
    const QDateTime valid(QDate(2024, 3, 5), QTime(9, 0));
    QTest::newRow("null start") << QDateTime() << valid;
    QTest::newRow("null end") << valid << QDateTime();
}

void TestCScheduleDBus::queryJobsNullTime()
{
    QFETCH(QDateTime, start);
    QFETCH(QDateTime, end);

    CScheduleDBus client(service, objectPath, QDBusConnection::sessionBus());
    QString text = "stale";
    QTest::ignoreMessage(QtWarningMsg, "starttime or endtime is not Valid");
    QVERIFY(!client.QueryJobs("key", start, end, text));
    QCOMPARE(text, QString(""));

    DayMap days = heldDays();
    QTest::ignoreMessage(QtWarningMsg, "starttime or endtime is not Valid");
    QVERIFY(!client.QueryJobs("key", start, end, days));
    QCOMPARE(summary(days), summary(heldDays()));
    QVERIFY(fake->calls().isEmpty());
}

void TestCScheduleDBus::queryJobs_data()
{
    QTest::addColumn<Reply>("reply");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QString>("warning");

    QTest::newRow("range") << Reply::value(rangeReply) << true << "";
    QTest::newRow("error reply") << Reply::error(failed) << false
                                 << R"(^QueryJobs err , QDBusMessage\(type=Error, .*Error\.Failed)";
    QTest::newRow("int reply") << Reply::value(7) << false
                               << R"(^QueryJobs err , QDBusMessage\(type=MethodReturn, .*signature="i")";
}

void TestCScheduleDBus::queryJobs()
{
    QFETCH(Reply, reply);
    QFETCH(bool, ok);
    QFETCH(QString, warning);

    fake->setReply("QueryJobs", reply);
    CScheduleDBus client(service, objectPath, QDBusConnection::sessionBus());
    const QDateTime start(QDate(2024, 3, 5), QTime(0, 0), Qt::OffsetFromUTC, 3600);
    const QDateTime end(QDate(2024, 3, 12), QTime(0, 0), Qt::OffsetFromUTC, 3600);
    WarningSpy warnings;

    QString text = "stale";
    if (!warning.isEmpty())
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(warning));
    QCOMPARE(client.QueryJobs(QStringLiteral("牙医"), start, end, text), ok);
    QCOMPARE(text, ok ? rangeReply : QString(""));

    DayMap days = heldDays();
    // The same failure right again is logged at debug level only.
    if (!warning.isEmpty())
        QTest::ignoreMessage(QtDebugMsg, QRegularExpression(warning));
    QCOMPARE(client.QueryJobs(QStringLiteral("牙医"), start, end, days), ok);
    QCOMPARE(summary(days), ok ? rangeSummary : summary(heldDays()));
    QCOMPARE(warnings.warnings.size(), warning.isEmpty() ? 0 : 1);

    const QList<FakeDBusService::Call> calls = fake->calls("QueryJobs");
    QCOMPARE(calls.size(), 2);
    QCOMPARE(calls.first().signature, QString("s"));
    const QString query = calls.first().arguments.first().toString();
    QVERIFY(!query.contains(' '));
    const QJsonObject object = QJsonDocument::fromJson(query.toUtf8()).object();
    QCOMPARE(object.keys(), QStringList({"End", "Key", "Start"}));
    QCOMPARE(object.value("Key").toString(), QStringLiteral("牙医"));
    QCOMPARE(object.value("Start").toString(), QString("2024-03-05T00:00:00+01:00"));
    QCOMPARE(object.value("End").toString(), QString("2024-03-12T00:00:00+01:00"));
}

void TestCScheduleDBus::getJob_data()
{
    QTest::addColumn<Reply>("reply");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QString>("warning");
    QTest::addColumn<QString>("job");

    QTest::newRow("job") << Reply::value(QString(R"({"ID":12,"Title":"Gym"})")) << true << ""
                         << "12 Gym";
    QTest::newRow("job of a calendar")
        << Reply::value(QString(R"({"ID":12,"Title":"Gym","CalendarID":"c1","CalendarName":"Sport"})")) << true
        << "" << "12 Gym @Sport";
    QTest::newRow("error reply") << Reply::error(failed) << false
                                 << R"(^GetJob err , QDBusMessage\(type=Error, .*Error\.Failed)"
                                 << "99 held";
    QTest::newRow("int reply") << Reply::value(12) << false
                               << R"(^GetJob err , QDBusMessage\(type=MethodReturn, .*signature="i")"
                               << "99 held";
}

void TestCScheduleDBus::getJob()
{
    QFETCH(Reply, reply);
    QFETCH(bool, ok);
    QFETCH(QString, warning);
    QFETCH(QString, job);

    fake->setReply("GetJob", reply);
    CScheduleDBus client(service, objectPath, QDBusConnection::sessionBus());
    ScheduleDataInfo info = heldDays().first().first();
    if (!warning.isEmpty())
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(warning));
    WarningSpy warnings;
    QCOMPARE(client.GetJob(12, info), ok);
    QCOMPARE(QString::number(info.getID()) + ' ' + info.getTitleName() +
                 (info.getCalendarName().isEmpty() ? QString() : " @" + info.getCalendarName()),
             job);
    QCOMPARE(warnings.warnings.size(), warning.isEmpty() ? 0 : 1);

    const QList<FakeDBusService::Call> calls = fake->calls("GetJob");
    QCOMPARE(calls.size(), 1);
    QCOMPARE(calls.first().signature, QString("x"));
    QCOMPARE(calls.first().arguments, QVariantList{qlonglong(12)});
}

void TestCScheduleDBus::getCalendars_data()
{
    QTest::addColumn<Reply>("reply");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QString>("warning");
    QTest::addColumn<QString>("calendars");

    QTest::newRow("list") << Reply::value(QString(
        R"([{"ID":"a","Name":"Home","Writable":true,"Kind":"file"},)"
        R"({"ID":"b","Name":"Holidays","Color":"#ff0000","Writable":false,"Kind":"subscription"}])"))
                          << true << "" << "a Home rw,b Holidays #ff0000 ro";
    QTest::newRow("server without the list")
        << Reply::error(QStringLiteral("org.freedesktop.DBus.Error.UnknownMethod")) << false
        << R"(^GetCalendars err , QDBusMessage\(type=Error, .*UnknownMethod)" << "held rw";
    QTest::newRow("answer that is no list") << Reply::value(QString(R"({"ID":"a"})")) << false
                                            << R"(^GetCalendars err , .*no list of calendars)" << "held rw";
}

void TestCScheduleDBus::getCalendars()
{
    QFETCH(Reply, reply);
    QFETCH(bool, ok);
    QFETCH(QString, warning);
    QFETCH(QString, calendars);

    fake->setReply("GetCalendars", reply);
    CScheduleDBus client(service, objectPath, QDBusConnection::sessionBus());
    QVector<CalendarIdentity> out{{QStringLiteral("held"), {}, {}, true, {}, {}}};
    if (!warning.isEmpty())
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(warning));
    QCOMPARE(client.GetCalendars(out), ok);
    QStringList listed;
    for (const CalendarIdentity &calendar : std::as_const(out)) {
        QStringList parts{calendar.id, calendar.name, calendar.color, calendar.writable ? "rw" : "ro"};
        parts.removeAll(QString());
        listed << parts.join(' ');
    }
    QCOMPARE(listed.join(','), calendars);
    QCOMPARE(fake->calls("GetCalendars").size(), 1);
    QCOMPARE(fake->calls("GetCalendars").first().signature, QString());
}

void TestCScheduleDBus::createJob_data()
{
    QTest::addColumn<Reply>("reply");
    QTest::addColumn<qint64>("id");
    QTest::addColumn<QString>("warning");

    QTest::newRow("new id") << Reply::value(qlonglong(41)) << qint64(41) << "";
    QTest::newRow("id beyond 32 bits") << Reply::value(qlonglong(1) << 40) << (qint64(1) << 40) << "";
    QTest::newRow("no argument") << Reply::empty() << qint64(0) << "";
    QTest::newRow("32-bit id") << Reply::value(41) << qint64(0) << "";
    QTest::newRow("error reply") << Reply::error(failed) << qint64(-1)
                                 << R"(^createJob err , QDBusMessage\(type=Error, .*Error\.Failed)";
}

void TestCScheduleDBus::createJob()
{
    QFETCH(Reply, reply);
    QFETCH(qint64, id);
    QFETCH(QString, warning);

    fake->setReply("CreateJob", reply);
    CScheduleDBus client(service, objectPath, QDBusConnection::sessionBus());
    if (!warning.isEmpty())
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(warning));
    WarningSpy warnings;
    QCOMPARE(client.CreateJob(validJob()), id);
    QCOMPARE(warnings.warnings.size(), warning.isEmpty() ? 0 : 1);

    const QList<FakeDBusService::Call> calls = fake->calls("CreateJob");
    QCOMPARE(calls.size(), 1);
    QCOMPARE(calls.first().signature, QString("s"));
    QCOMPARE(calls.first().arguments, QVariantList{ScheduleDataInfo::ScheduleToJsonStr(validJob())});
}

void TestCScheduleDBus::createInvalidJob()
{
    CScheduleDBus client(service, objectPath, QDBusConnection::sessionBus());
    ScheduleDataInfo job = validJob();
    job.setEndDateTime(QDateTime());
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^this is not a valid info : .*  createJob Err$"));
    QCOMPARE(client.CreateJob(job), qint64(-1));
    syncWithFake();
    QCOMPARE(fake->calls("CreateJob").size(), 0);
}

void TestCScheduleDBus::updateAndDelete_data()
{
    QTest::addColumn<QString>("member");
    QTest::addColumn<Reply>("reply");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QString>("warning");

    QTest::newRow("update") << "UpdateJob" << Reply::empty() << true << "";
    QTest::newRow("update with a value") << "UpdateJob" << Reply::value(false) << true << "";
    QTest::newRow("update error") << "UpdateJob" << Reply::error(failed) << false
                                  << R"(^UpdateJob err , QDBusMessage\(type=Error, .*Error\.Failed)";
    QTest::newRow("delete") << "DeleteJob" << Reply::empty() << true << "";
    QTest::newRow("delete error") << "DeleteJob" << Reply::error(failed) << false
                                  << R"(^DeleteJob err , QDBusMessage\(type=Error, .*Error\.Failed)";
}

void TestCScheduleDBus::updateAndDelete()
{
    QFETCH(QString, member);
    QFETCH(Reply, reply);
    QFETCH(bool, ok);
    QFETCH(QString, warning);

    fake->setReply(member, reply);
    CScheduleDBus client(service, objectPath, QDBusConnection::sessionBus());
    if (!warning.isEmpty())
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(warning));
    const bool update = member == "UpdateJob";
    QCOMPARE(update ? client.UpdateJob(validJob()) : client.DeleteJob(qint64(1) << 33), ok);

    const QList<FakeDBusService::Call> calls = fake->calls(member);
    QCOMPARE(calls.size(), 1);
    QCOMPARE(calls.first().signature, QString(update ? "s" : "x"));
    QCOMPARE(calls.first().arguments.first(), update
                                                  ? QVariant(ScheduleDataInfo::ScheduleToJsonStr(validJob()))
                                                  : QVariant(qlonglong(1) << 33));
}

void TestCScheduleDBus::singleton()
{
    CScheduleDBus *first = CScheduleDBus::getInstance();
    QVERIFY(first);
    QCOMPARE(CScheduleDBus::getInstance(), first);
    QCOMPARE(first->service(), service);
    QCOMPARE(first->path(), objectPath);
    QCOMPARE(first->interface(), service);

    const QPointer<CScheduleDBus> released(first);
    CScheduleDBus::releaseInstance();
    QVERIFY(released.isNull());

    CScheduleDBus *second = CScheduleDBus::getInstance();
    QVERIFY(second);
    QCOMPARE(CScheduleDBus::getInstance(), second);
    QSignalSpy spy(second, &CScheduleDBus::jobsUpdate);
    fake->emitSignal("JobsUpdated");
    QTRY_COMPARE(spy.count(), 1);
}

QTEST_GUILESS_MAIN(TestCScheduleDBus)
#include "tst_cscheduledbus.moc"
