#include "calendarstore.h"
#include "cscheduledbus.h"
#include "serverprocess.h"

#include <QDBusInterface>
#include <QNetworkAccessManager>
#include <QNetworkProxy>
#include <QNetworkReply>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

using DayMap = QMap<QDate, QVector<ScheduleDataInfo>>;

// A CalDAV account kept in a folder by vdirsyncer, served by the data server: a Radicale server on
// 127.0.0.1, without authentication, stands for the account. The test runs with TZ=Europe/Berlin.
class TestCaldavSync : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void eventFromServerReachesClient();
    void editsReachServer();
    void changedOnBothSides();
    void todoCompletedOnTheServer();
    void manyFilesOneReload();

public Q_SLOTS:
    void onJobsUpdated() { ++m_updates; }

private:
    int http(const QByteArray &verb, const QString &item, const QByteArray &body = {});
    bool sync();
    QByteArray remote(const QString &uid) const;
    QStringList titlesOn(const QDate &day);

    QTemporaryDir m_dir;
    QProcess m_radicale;
    QString m_collection;
    QNetworkAccessManager m_network;
    ServerProcess m_server;
    std::unique_ptr<CScheduleDBus> m_client;
    int m_updates = 0;
};

namespace {

// vdirsyncer, with any proxy of the machine left out of the way to the test's own server.
void startVdirsyncer(QProcess &process, const QStringList &arguments)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char *name :
         {"http_proxy", "https_proxy", "HTTP_PROXY", "HTTPS_PROXY", "all_proxy", "ALL_PROXY"})
        environment.remove(QLatin1String(name));
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral("vdirsyncer"), arguments);
}

QByteArray calendar(const QByteArray &uid, const QByteArray &start, const QByteArray &summary)
{
    return "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Test//Sync//EN\r\nBEGIN:VEVENT\r\nUID:" + uid +
           "\r\nDTSTAMP:20240101T000000Z\r\nDTSTART:" + start + "\r\nDURATION:PT1H\r\nSUMMARY:" + summary +
           "\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n";
}

ScheduleDataInfo timedJob(const QString &title, const QDateTime &begin)
{
    ScheduleDataInfo job;
    job.setTitleName(title);
    job.setAllDay(false);
    job.setBeginDateTime(begin);
    job.setEndDateTime(begin.addSecs(3600));
    return job;
}

} // namespace

int TestCaldavSync::http(const QByteArray &verb, const QString &item, const QByteArray &body)
{
    QNetworkRequest request(QUrl(m_collection + item));
    request.setRawHeader("Authorization", "Basic " + QByteArray("tester:none").toBase64());
    request.setHeader(QNetworkRequest::ContentTypeHeader, QByteArray("text/calendar"));
    std::unique_ptr<QNetworkReply> reply(m_network.sendCustomRequest(request, verb, body));
    QSignalSpy finished(reply.get(), &QNetworkReply::finished);
    if (!reply->isFinished() && !finished.wait(10000))
        return 0;
    return reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
}

bool TestCaldavSync::sync()
{
    QProcess vdirsyncer;
    startVdirsyncer(vdirsyncer, {QStringLiteral("-c"), m_dir.filePath(QStringLiteral("vdirsyncer.conf")),
                                 QStringLiteral("sync")});
    if (!vdirsyncer.waitForFinished(60000) || vdirsyncer.exitCode() != 0) {
        qWarning("vdirsyncer: %s", vdirsyncer.readAllStandardError().constData());
        return false;
    }
    return true;
}

QByteArray TestCaldavSync::remote(const QString &uid) const
{
    // Radicale keeps each item as a file of its own.
    const QDir store(m_dir.filePath(QStringLiteral("radicale/collection-root/tester/work")));
    const QStringList items = store.entryList({QStringLiteral("*.ics")}, QDir::Files);
    for (const QString &item : items) {
        const QByteArray text = readAll(store.filePath(item));
        if (text.contains("UID:" + uid.toUtf8() + "\r\n"))
            return text;
    }
    return {};
}

QStringList TestCaldavSync::titlesOn(const QDate &day)
{
    return ::titlesOn(*m_client, day);
}

void TestCaldavSync::initTestCase()
{
    if (!QDBusConnection::sessionBus().isConnected())
        QSKIP("no session bus");
    QCOMPARE(qgetenv("TZ"), QByteArray("Europe/Berlin"));
    QVERIFY(m_dir.isValid());
    m_network.setProxy(QNetworkProxy::NoProxy);
    quint16 port = 0;
    {
        QTcpServer probe;
        QVERIFY(probe.listen(QHostAddress::LocalHost));
        port = probe.serverPort();
    }
    m_radicale.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_radicale.start(QStringLiteral("radicale"),
                     {QStringLiteral("--server-hosts"), QStringLiteral("127.0.0.1:%1").arg(port),
                      QStringLiteral("--storage-filesystem-folder"),
                      m_dir.filePath(QStringLiteral("radicale")), QStringLiteral("--auth-type"),
                      QStringLiteral("none")});
    QVERIFY(m_radicale.waitForStarted());
    m_collection = QStringLiteral("http://127.0.0.1:%1/tester/work/").arg(port);
    QTRY_VERIFY_WITH_TIMEOUT(http("OPTIONS", QString()) != 0, 20000); // any answer: it listens
    QCOMPARE(http("MKCALENDAR", QString()), 201);

    // One CalDAV calendar synced into the folder the data server serves.
    const QString folder = m_dir.filePath(QStringLiteral("calendars/work"));
    QVERIFY(QDir().mkpath(folder));
    QFile config(m_dir.filePath(QStringLiteral("vdirsyncer.conf")));
    QVERIFY(config.open(QIODevice::WriteOnly));
    config.write(
        QStringLiteral("[general]\nstatus_path = \"%1/\"\n\n"
                       "[pair work]\na = \"work_local\"\nb = \"work_remote\"\ncollections = null\n"
                       "conflict_resolution = \"a wins\"\n\n"
                       "[storage work_local]\ntype = \"filesystem\"\npath = \"%2/\"\nfileext = \".ics\"\n\n"
                       "[storage work_remote]\ntype = \"caldav\"\nurl = \"%3\"\nusername = \"tester\"\n"
                       "password = \"none\"\n")
            .arg(m_dir.filePath(QStringLiteral("status")), folder, m_collection)
            .toUtf8());
    config.close();
    QProcess discover;
    startVdirsyncer(discover, {QStringLiteral("-c"), config.fileName(), QStringLiteral("discover")});
    QVERIFY(discover.waitForFinished(60000));
    QCOMPARE(discover.exitCode(), 0);

    QVERIFY(m_server.start({folder}));
    m_client = std::make_unique<CScheduleDBus>(ServerProcess::service(), QStringLiteral(DBUS_SERVER_PATH),
                                               QDBusConnection::sessionBus());
    QVERIFY(QDBusConnection::sessionBus().connect(
        ServerProcess::service(), QStringLiteral(DBUS_SERVER_PATH), QStringLiteral(DBUS_SERVER_NAME),
        QStringLiteral("JobsUpdated"), this, SLOT(onJobsUpdated())));
}

void TestCaldavSync::cleanupTestCase()
{
    m_client.reset();
    m_server.stop();
    if (m_radicale.state() != QProcess::NotRunning) {
        m_radicale.terminate();
        m_radicale.waitForFinished(5000);
    }
}

void TestCaldavSync::eventFromServerReachesClient()
{
    QCOMPARE(http("PUT", QStringLiteral("from-server.ics"),
                  calendar("from-server", "20240305T090000Z", "Planned on the phone")),
             201);
    QVERIFY(sync());
    QTRY_COMPARE(titlesOn(QDate(2024, 3, 5)), QStringList{"Planned on the phone"});
}

void TestCaldavSync::editsReachServer()
{
    const qint64 id = m_client->CreateJob(
        timedJob(QStringLiteral("Made at the desk"), QDateTime(QDate(2024, 3, 6), QTime(10, 0))));
    QVERIFY(id > 0);
    QVERIFY(sync());
    DayMap days;
    QVERIFY(m_client->GetJobs(QDate(2024, 3, 6), QDate(2024, 3, 6), days));
    QCOMPARE(days.value(QDate(2024, 3, 6)).size(), 1);
    ScheduleDataInfo job = days.value(QDate(2024, 3, 6)).first();
    // The file is named after the UID, as vdirsyncer names its own.
    const QStringList local = QDir(m_dir.filePath(QStringLiteral("calendars/work")))
                                  .entryList({QStringLiteral("*.ics")}, QDir::Files);
    QString uid;
    for (const QString &name : local) {
        if (name != QLatin1String("from-server.ics"))
            uid = name.chopped(4);
    }
    QVERIFY(!uid.isEmpty());
    QVERIFY(remote(uid).contains("SUMMARY:Made at the desk\r\n"));

    job.setTitleName(QStringLiteral("Made at the desk, moved"));
    job.setBeginDateTime(QDateTime(QDate(2024, 3, 6), QTime(14, 0)));
    job.setEndDateTime(QDateTime(QDate(2024, 3, 6), QTime(15, 0)));
    QVERIFY(m_client->UpdateJob(job));
    QVERIFY(sync());
    const QByteArray moved = remote(uid);
    QVERIFY(moved.contains("SUMMARY:Made at the desk\\, moved\r\n"));
    QVERIFY2(moved.contains("T140000"), moved.constData());

    QVERIFY(m_client->DeleteJob(id));
    QVERIFY(sync());
    QCOMPARE(remote(uid), QByteArray());
    QVERIFY(!remote(QStringLiteral("from-server")).isEmpty());
}

void TestCaldavSync::changedOnBothSides()
{
    // Changed here and on the server between two syncs: the configured policy ("a wins", the
    // folder) decides, and no other event is touched.
    DayMap days;
    QVERIFY(m_client->GetJobs(QDate(2024, 3, 5), QDate(2024, 3, 5), days));
    QCOMPARE(days.value(QDate(2024, 3, 5)).size(), 1);
    ScheduleDataInfo job = days.value(QDate(2024, 3, 5)).first();
    job.setTitleName(QStringLiteral("Renamed at the desk"));
    QVERIFY(m_client->UpdateJob(job));
    const int replaced = http("PUT", QStringLiteral("from-server.ics"),
                              calendar("from-server", "20240305T090000Z", "Renamed on the phone"));
    QVERIFY2(replaced >= 200 && replaced < 300, QByteArray::number(replaced).constData());
    QVERIFY(sync());
    QVERIFY(remote(QStringLiteral("from-server")).contains("SUMMARY:Renamed at the desk\r\n"));
    QTRY_COMPARE(titlesOn(QDate(2024, 3, 5)), QStringList{"Renamed at the desk"});
}

// A to-do ticked off at the desk is completed on the account's server, where the phone reads it;
// unticked, it is open there again.
void TestCaldavSync::todoCompletedOnTheServer()
{
    const QByteArray todo = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Test//Sync//EN\r\nBEGIN:VTODO\r\n"
                            "UID:rent\r\nDTSTAMP:20240101T000000Z\r\nDUE:20240308T100000Z\r\n"
                            "SUMMARY:Pay the rent\r\nSTATUS:NEEDS-ACTION\r\nEND:VTODO\r\nEND:VCALENDAR\r\n";
    QCOMPARE(http("PUT", QStringLiteral("rent.ics"), todo), 201);
    QVERIFY(sync());
    const QDate day(2024, 3, 8);
    QTRY_COMPARE(titlesOn(day), QStringList{"Pay the rent"});
    const ScheduleDataInfo job = jobTitled(*m_client, QStringLiteral("Pay the rent"), day);
    QDBusInterface raw(ServerProcess::service(), QStringLiteral(DBUS_SERVER_PATH),
                       QStringLiteral(DBUS_SERVER_NAME));
    const auto tick = [&](bool completed) {
        const QDBusMessage reply =
            raw.call(QStringLiteral("SetJobCompleted"), QVariant::fromValue(qint64(job.getID())),
                     job.getRecurID(), completed);
        return reply.type() == QDBusMessage::ReplyMessage;
    };

    QVERIFY(tick(true));
    QVERIFY(sync());
    const QByteArray completed = remote(QStringLiteral("rent"));
    QVERIFY2(completed.contains("STATUS:COMPLETED\r\n") && completed.contains("PERCENT-COMPLETE:100\r\n") &&
                 completed.contains("\r\nCOMPLETED:20"),
             completed.constData());
    QVERIFY(jobTitled(*m_client, QStringLiteral("Pay the rent"), day).getCompleted());

    QVERIFY(tick(false));
    QVERIFY(sync());
    const QByteArray reopened = remote(QStringLiteral("rent"));
    QVERIFY2(reopened.contains("STATUS:NEEDS-ACTION\r\n") && !reopened.contains("\r\nCOMPLETED:") &&
                 !reopened.contains("PERCENT-COMPLETE"),
             reopened.constData());
    QVERIFY(reopened.contains("SUMMARY:Pay the rent\r\n"));
}

void TestCaldavSync::manyFilesOneReload()
{
    // A sync that brings hundreds of files at once: the widget reloads once, not once per file.
    for (int i = 0; i < 300; ++i) {
        const QByteArray uid = "batch-" + QByteArray::number(i);
        QCOMPARE(http("PUT", QString::fromLatin1(uid) + QStringLiteral(".ics"),
                      calendar(uid, "20240307T" + QByteArray::number(80000 + i % 10 * 10000) + "Z",
                               "Batch " + QByteArray::number(i))),
                 201);
    }
    QTest::qWait(2 * CalendarStore::reloadDelayMs);
    m_updates = 0;
    QVERIFY(sync());
    QTRY_COMPARE(titlesOn(QDate(2024, 3, 7)).size(), 300);
    QTest::qWait(4 * CalendarStore::reloadDelayMs);
    QCOMPARE(m_updates, 1);
}

QTEST_GUILESS_MAIN(TestCaldavSync)
#include "tst_caldavsync.moc"
