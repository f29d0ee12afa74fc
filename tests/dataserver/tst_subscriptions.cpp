#include "feedserver.h"
#include "serverprocess.h"

#include <QDBusInterface>
#include <QDBusReply>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>

class TestSubscriptions : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void firstFetchAndNotModified();
    void changedBody();
    void failuresKeepTheLastCopy_data();
    void failuresKeepTheLastCopy();
    void editsRefused();
    void restartOfflineServesTheCopy();
    void cleanupTestCase();

private:
    QStringList titles() { return titlesOn(*m_client, QDate(2024, 3, 5)); }
    // Waits for the requests after this one: the server has then dealt with its answer.
    bool waitForRequests(int count);

    FeedServer m_feed;
    ServerProcess m_server;
    std::unique_ptr<CScheduleDBus> m_client;
};

namespace {

// Refreshed every second: the test lowers the bound of 15 minutes to that.
QByteArray calendar(const QByteArray &title)
{
    return "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//test//EN\r\nX-WR-CALNAME:Team\r\n"
           "COLOR:#00aa00\r\nREFRESH-INTERVAL;VALUE=DURATION:PT1S\r\nBEGIN:VEVENT\r\nUID:feed-1\r\n"
           "DTSTAMP:20240101T000000Z\r\nDTSTART:20240305T090000Z\r\nDTEND:20240305T100000Z\r\nSUMMARY:" +
           title +
           "\r\nEND:VEVENT\r\nBEGIN:VTODO\r\nUID:feed-todo\r\nDTSTAMP:20240101T000000Z\r\n"
           "DUE;VALUE=DATE:20240306\r\nSUMMARY:Bring cake\r\nEND:VTODO\r\nEND:VCALENDAR\r\n";
}

} // namespace

bool TestSubscriptions::waitForRequests(int count)
{
    return QTest::qWaitFor([&] { return m_feed.requests.size() >= count; }, 15000);
}

void TestSubscriptions::initTestCase()
{
    if (!QDBusConnection::sessionBus().isConnected())
        QSKIP("no session bus");
    qputenv("TASKLIST_DATASERVER_MIN_REFRESH", "1");
    QVERIFY(m_feed.listen());
    m_feed.answer.headers = "ETag: \"v1\"\r\n";
    m_feed.answer.body = calendar("Stand-up");
    // webcal:// is the link web pages give; it is fetched over http.
    QVERIFY(m_server.start({m_feed.url("webcal")}));
    m_client = std::make_unique<CScheduleDBus>(ServerProcess::service(), QStringLiteral(DBUS_SERVER_PATH),
                                               QDBusConnection::sessionBus());
}

void TestSubscriptions::cleanupTestCase()
{
    m_client.reset();
    m_server.stop();
}

void TestSubscriptions::firstFetchAndNotModified()
{
    QTRY_COMPARE(titles(), QStringList{"Stand-up"});
    QVERIFY(m_feed.requests.first().startsWith("GET /team.ics HTTP/1.1"));
    const int before = int(m_feed.requests.size());
    m_feed.answer = {"304 Not Modified", "ETag: \"v1\"\r\n", {}};
    QVERIFY(waitForRequests(before + 2));
    // Header names are case-insensitive; Qt 6 sends them in lower case.
    QVERIFY(m_feed.requests.at(before).toLower().contains("if-none-match: \"v1\""));
    QCOMPARE(titles(), QStringList{"Stand-up"});

    QMap<QDate, QVector<ScheduleDataInfo>> days;
    QVERIFY(m_client->GetJobs(QDate(2024, 3, 5), QDate(2024, 3, 5), days));
    const CalendarIdentity identity = days.first().first().getCalendar();
    QCOMPARE(identity.name, QStringLiteral("Team"));
    QCOMPARE(identity.color, QStringLiteral("#00aa00"));
    QVERIFY(!identity.writable);
}

void TestSubscriptions::changedBody()
{
    QSignalSpy jobsUpdate(m_client.get(), &CScheduleDBus::jobsUpdate);
    m_feed.answer = {"200 OK", "ETag: \"v2\"\r\n", calendar("Retro")};
    const int before = int(m_feed.requests.size());
    QTRY_COMPARE_WITH_TIMEOUT(titles(), QStringList{"Retro"}, 15000);
    // Answers that bring the same text again change nothing.
    QVERIFY(waitForRequests(before + 3));
    QCOMPARE(jobsUpdate.count(), 1);
}

void TestSubscriptions::failuresKeepTheLastCopy_data()
{
    QTest::addColumn<QByteArray>("status");
    QTest::addColumn<QByteArray>("body");
    QTest::newRow("404") << QByteArray("404 Not Found") << QByteArray("gone");
    QTest::newRow("500") << QByteArray("500 Internal Server Error") << QByteArray();
    QTest::newRow("a login page") << QByteArray("200 OK") << QByteArray("<html><body>Sign in</body></html>");
    QTest::newRow("a calendar cut off") << QByteArray("200 OK") << calendar("Cut").left(120);
    QTest::newRow("over 16 MiB") << QByteArray("200 OK")
                                 << calendar("Huge").append(QByteArray(16 * 1024 * 1024, ' '));
}

void TestSubscriptions::failuresKeepTheLastCopy()
{
    QFETCH(QByteArray, status);
    QFETCH(QByteArray, body);
    m_feed.answer = {status, {}, body};
    const int before = int(m_feed.requests.size());
    QVERIFY(waitForRequests(before + 2));
    QCOMPARE(titles(), QStringList{"Retro"});
    m_feed.answer = {"200 OK", "ETag: \"v2\"\r\n", calendar("Retro")};
}

void TestSubscriptions::editsRefused()
{
    QMap<QDate, QVector<ScheduleDataInfo>> days;
    QVERIFY(m_client->GetJobs(QDate(2024, 3, 5), QDate(2024, 3, 5), days));
    ScheduleDataInfo job = days.first().first();
    QDBusInterface server(ServerProcess::service(), QStringLiteral(DBUS_SERVER_PATH),
                          QStringLiteral(DBUS_SERVER_INTERFACE));
    job.setTitleName(QStringLiteral("Mine now"));
    const QDBusMessage update =
        server.call(QStringLiteral("UpdateJob"), ScheduleDataInfo::ScheduleToJsonStr(job));
    QCOMPARE(update.errorName(), QStringLiteral(DBUS_SERVER_ERROR "ReadOnly"));
    const QDBusMessage remove = server.call(QStringLiteral("DeleteJob"), qlonglong(job.getID()));
    QCOMPARE(remove.errorName(), QStringLiteral(DBUS_SERVER_ERROR "ReadOnly"));
    QCOMPARE(titles(), QStringList{"Retro"});
    // Its to-dos are ticked in the widget alone.
    days.clear();
    QVERIFY(m_client->GetJobs(QDate(2024, 3, 6), QDate(2024, 3, 6), days));
    const ScheduleDataInfo todo = days.first().value(0);
    QCOMPARE(todo.getType(), DBUS_SERVER_TODO_TYPE);
    const QDBusMessage complete =
        server.call(QStringLiteral("SetJobCompleted"), qlonglong(todo.getID()), todo.getRecurID(), true);
    QCOMPARE(complete.errorName(), QStringLiteral(DBUS_SERVER_ERROR "ReadOnly"));
}

void TestSubscriptions::restartOfflineServesTheCopy()
{
    m_client.reset();
    const QString url = m_feed.url("webcal");
    m_feed.close();
    QVERIFY(m_server.start({url}));
    m_client = std::make_unique<CScheduleDBus>(ServerProcess::service(), QStringLiteral(DBUS_SERVER_PATH),
                                               QDBusConnection::sessionBus());
    QCOMPARE(titles(), QStringList{"Retro"});
}

QTEST_GUILESS_MAIN(TestSubscriptions)
#include "tst_subscriptions.moc"
