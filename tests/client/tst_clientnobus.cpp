#include "cscheduledbus.h"

#include <QDBusConnection>
#include <QSignalSpy>
#include <QtTest>

// Started without a session bus: the client must stay usable and report every failure.
class TestClientNoBus : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void withoutBus();
};

void TestClientNoBus::withoutBus()
{
    if (QDBusConnection::sessionBus().isConnected())
        QSKIP("a session bus is reachable");

    QTest::ignoreMessage(QtWarningMsg, "the connection was fail!");
    CScheduleDBus *client = CScheduleDBus::getInstance();
    QVERIFY(client);
    QSignalSpy spy(client, &CScheduleDBus::jobsUpdate);

    QMap<QDate, QVector<ScheduleDataInfo>> days{{QDate(2024, 3, 5), {}}};
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(R"(^GetJobs err , QDBusMessage\(type=Error, )"));
    QVERIFY(!client->GetJobs(QDate(2024, 3, 5), QDate(2024, 3, 11), days));
    QVERIFY(days.isEmpty());

    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(R"(^DeleteJob err , QDBusMessage\(type=Error, )"));
    QVERIFY(!client->DeleteJob(1));

    client->propertyChanged(QDBusMessage::createSignal(DBUS_SERVER_PATH, DBUS_SERVER_NAME, "JobsUpdated"));
    QCOMPARE(spy.count(), 0);
    CScheduleDBus::releaseInstance();
}

QTEST_GUILESS_MAIN(TestClientNoBus)
#include "tst_clientnobus.moc"
