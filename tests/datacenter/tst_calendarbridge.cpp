#include "calendardbusui.h"
#include "datacenter.h"
#include "fakedbusservice.h"
#include "warningspy.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QSemaphore>
#include <QtTest>

#include <atomic>
#include <memory>

namespace {

void send(const QString &member, const QString &json)
{
    if (member == "RaiseWindow")
        DataCenter::instance()->raiseCalendarWindow();
    else
        DataCenter::instance()->OpenSchedule(json);
}

} // namespace

class TestCalendarBridge : public QObject
{
    Q_OBJECT

private:
    FakeDBusService calendar{"com.norvale.Calendar", "/com/norvale/Calendar", "com.norvale.Calendar"};

private Q_SLOTS:
    void initTestCase()
    {
        if (!QDBusConnection::sessionBus().isConnected())
            QSKIP("no session bus");
    }

    // Runs first: the shared proxy is made while no calendar application is on the bus.
    void withoutApplicationThenWithIt()
    {
        {
            WarningSpy spy;
            DataCenter::instance()->raiseCalendarWindow();
            DataCenter::instance()->OpenSchedule("{}");
            // Let the bus's "no such service" answers come back: they must pass silently.
            QDBusConnection::sessionBus().interface()->serviceOwner("com.norvale.Calendar");
            QCoreApplication::processEvents();
            QCOMPARE(spy.warnings, QStringList());
        }
        CalendarDbusUI *proxy = CalendarDbusUI::instance();
        QCOMPARE(proxy->service(), QString("com.norvale.Calendar"));
        QCOMPARE(proxy->path(), QString("/com/norvale/Calendar"));
        QCOMPARE(proxy->interface(), QString("com.norvale.Calendar"));

        QVERIFY(calendar.start());
        DataCenter::instance()->raiseCalendarWindow();
        QTRY_COMPARE(calendar.calls().size(), 1);
        QCOMPARE(CalendarDbusUI::instance(), proxy);
    }

    void messages_data()
    {
        QTest::addColumn<QString>("member");
        QTest::addColumn<QString>("json");
        QTest::newRow("raise window") << "RaiseWindow" << QString();
        QTest::newRow("plain") << "OpenSchedule"
                               << "{\"AllDay\":true,\"ID\":7,\"RecurID\":0,\"Title\":\"Dentist\",\"Type\":1}";
        QTest::newRow("quotes") << "OpenSchedule"
                                << "{\"ID\":8,\"Title\":\"say \\\"hi\\\" to 'them'\"}";
        QTest::newRow("line breaks") << "OpenSchedule"
                                     << "{\"ID\":9,\"Title\":\"a\\nb\"}\n\r\n";
        QTest::newRow("non-Latin") << "OpenSchedule"
                                   << QString::fromUtf8("{\"ID\":10,\"Title\":\"周会 — Ünïcode 📅\"}");
        QTest::newRow("empty text") << "OpenSchedule" << QString("");
    }

    void messages()
    {
        QFETCH(QString, member);
        QFETCH(QString, json);
        QVERIFY(calendar.isRunning() || calendar.start());
        calendar.clearCalls();
        calendar.clearReplies();
        send(member, json);
        QTRY_COMPARE(calendar.calls().size(), 1);
        const FakeDBusService::Call call = calendar.calls().first();
        QCOMPARE(call.member, member);
        QCOMPARE(call.interface, QString("com.norvale.Calendar"));
        if (member == "RaiseWindow") {
            QCOMPARE(call.signature, QString(""));
            QCOMPARE(call.arguments, QVariantList());
        } else {
            QCOMPARE(call.signature, QString("s"));
            QCOMPARE(call.arguments.size(), 1);
            QCOMPARE(call.arguments.first().toString(), json);
        }
    }

    // Every reply the widget dropped must have come back before the next test: a round trip to
    // the application on the same connection is answered only after the replies sent before it.
    void cleanup()
    {
        if (!calendar.isRunning())
            return;
        const QDBusMessage ping = QDBusMessage::createMethodCall(
            "com.norvale.Calendar", "/com/norvale/Calendar", "org.freedesktop.DBus.Peer", "Ping");
        QCOMPARE(QDBusConnection::sessionBus().call(ping).type(), QDBusMessage::ReplyMessage);
    }

    void applicationAnswersLate_data()
    {
        QTest::addColumn<QString>("member");
        QTest::newRow("raise window") << "RaiseWindow";
        QTest::newRow("open schedule") << "OpenSchedule";
    }

    // The application holds each call until the slot has returned, then refuses it. A slot that
    // waited for the answer would return only after the application gave up waiting for it.
    void applicationAnswersLate()
    {
        QFETCH(QString, member);
        QVERIFY(calendar.isRunning() || calendar.start());
        calendar.clearCalls();
        auto slotReturned = std::make_shared<QSemaphore>();
        auto handled = std::make_shared<QSemaphore>();
        auto returnedFirst = std::make_shared<std::atomic_bool>(false);
        calendar.setHandler(member, [=](const FakeDBusService::Call &) {
            returnedFirst->store(slotReturned->tryAcquire(1, 2500));
            handled->release();
            return FakeDBusService::Reply::error("com.norvale.Calendar.Error.Busy");
        });

        WarningSpy spy;
        send(member, "{\"ID\":1}");
        slotReturned->release();
        QVERIFY(handled->tryAcquire(1, 10000));
        QVERIFY(returnedFirst->load());
        QCOMPARE(calendar.calls(member).size(), 1);
        cleanup();
        QCoreApplication::processEvents();
        QCOMPARE(spy.warnings, QStringList());
    }
};

QTEST_GUILESS_MAIN(TestCalendarBridge)

#include "tst_calendarbridge.moc"
