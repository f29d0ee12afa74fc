#include "dbusnotify.h"
#include "fakedbusservice.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMetaType>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>

namespace {
const char *service = "com.norvale.nvx.Notification";
const char *path = "/com/norvale/nvx/Notification";

// Records the debug lines logged while it lives and passes every message on, so that
// QTest::ignoreMessage still sees them.
class DebugLines
{
public:
    DebugLines()
    {
        current = this;
        previous = qInstallMessageHandler(&DebugLines::handle);
    }
    ~DebugLines()
    {
        qInstallMessageHandler(previous);
        current = nullptr;
    }
    QStringList lines;

private:
    static void handle(QtMsgType type, const QMessageLogContext &context, const QString &message)
    {
        if (type == QtDebugMsg)
            current->lines << message;
        current->previous(type, context, message);
    }
    static DebugLines *current;
    QtMessageHandler previous = nullptr;
};
DebugLines *DebugLines::current = nullptr;
} // namespace

class TestNotifyUser : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void notification_data();
    void notification();
    void noService();
    void serviceSignals_data();
    void serviceSignals();
};

void TestNotifyUser::initTestCase()
{
    if (!QDBusConnection::sessionBus().isConnected())
        QSKIP("no session bus");
}

void TestNotifyUser::notification_data()
{
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QString>("logged"); // a pattern

    QTest::newRow("notification id") << "id"
                                     << R"(^2 "" ""$)";
    QTest::newRow("reply of another type") << "string"
                                           << R"(^2 "" ""$)";
    QTest::newRow("error reply") << "error"
                                 << R"(^3 "com\.norvale\.Error\.Refused" "fake failure"$)";
    // The private bus gives up after 3 s; the real one keeps the caller waiting for 25 s.
    QTest::newRow("no answer") << "never"
                               << R"(^3 "org\.freedesktop\.DBus\.Error\.NoReply" ".*"$)";
}

void TestNotifyUser::notification()
{
    QFETCH(QString, answer);
    QFETCH(QString, logged);

    FakeDBusService fake(service, path, service);
    QVERIFY(fake.start());
    if (answer == "id")
        fake.setReply("Notify", FakeDBusService::Reply::value(17u));
    else if (answer == "string")
        fake.setReply("Notify", FakeDBusService::Reply::value(QString("seventeen")));
    else if (answer == "error")
        fake.setReply("Notify", FakeDBusService::Reply::error("com.norvale.Error.Refused"));
    else
        fake.setReply("Notify", FakeDBusService::Reply::never());

    DebugLines debug;
    QTest::ignoreMessage(QtDebugMsg, QRegularExpression(logged));
    notifyUser();
    // Start-up goes on at once; the outcome is logged once the answer (or the bus's time-out) is in.
    QVERIFY(debug.lines.isEmpty());
    QTRY_COMPARE_WITH_TIMEOUT(debug.lines.size(), 1, 10000);

    const QList<FakeDBusService::Call> calls = fake.calls();
    QCOMPARE(calls.size(), 1);
    const FakeDBusService::Call call = calls.first();
    QCOMPARE(call.member, QString("Notify"));
    QCOMPARE(call.interface, QString(service));
    QCOMPARE(call.signature, QString("susssasa{sv}i"));
    QCOMPARE(call.arguments.size(), 8);
    QCOMPARE(call.arguments.at(0), QVariant(QString("nvx-calendar-desktop-widget")));
    QCOMPARE(call.arguments.at(1), QVariant(0u));
    QCOMPARE(call.arguments.at(2), QVariant(QString("nvx-calendar")));
    QCOMPARE(call.arguments.at(3), QVariant(QString("Calendar Widget")));
    QCOMPARE(call.arguments.at(4), QVariant(QString("show")));
    QCOMPARE(call.arguments.at(5), QVariant(QStringList()));
    QVERIFY(call.arguments.at(6).canConvert<QDBusArgument>());
    QCOMPARE(qdbus_cast<QVariantMap>(call.arguments.at(6)), QVariantMap());
    QCOMPARE(call.arguments.at(7), QVariant(3000));
}

void TestNotifyUser::noService()
{
    QVERIFY(!QDBusConnection::sessionBus().interface()->isServiceRegistered(service));
    DebugLines debug;
    QTest::ignoreMessage(QtDebugMsg,
                         QRegularExpression(R"(^3 "org\.freedesktop\.DBus\.Error\.ServiceUnknown" ".+"$)"));
    notifyUser();
    QTRY_COMPARE(debug.lines.size(), 1);
}

void TestNotifyUser::serviceSignals_data()
{
    QTest::addColumn<QString>("member");
    QTest::addColumn<QVariantList>("arguments");
    QTest::newRow("NotificationClosed") << "NotificationClosed" << QVariantList{5u, 2u};
    QTest::newRow("ActionInvoked") << "ActionInvoked" << QVariantList{7u, QString("default")};
}

// The program listens to neither signal; the proxy still has to declare them as the service sends them.
void TestNotifyUser::serviceSignals()
{
    QFETCH(QString, member);
    QFETCH(QVariantList, arguments);

    FakeDBusService fake(service, path, service);
    QVERIFY(fake.start());
    DBusNotify proxy(service, path, QDBusConnection::sessionBus());
    QSignalSpy closed(&proxy, &DBusNotify::NotificationClosed);
    QSignalSpy invoked(&proxy, &DBusNotify::ActionInvoked);
    // A round trip to the bus: the subscriptions above are in place once it answers.
    QVERIFY(QDBusConnection::sessionBus().interface()->isServiceRegistered(service));

    fake.emitSignal(member, arguments);
    QSignalSpy &spy = member == "NotificationClosed" ? closed : invoked;
    QTRY_COMPARE(spy.count(), 1);
    QCOMPARE(spy.first(), arguments);
    QCOMPARE(closed.count() + invoked.count(), 1);
}

QTEST_GUILESS_MAIN(TestNotifyUser)
#include "tst_notifyuser.moc"
