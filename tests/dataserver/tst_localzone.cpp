#include "localzone.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QSignalSpy>
#include <QTest>
#include <QTimeZone>

// The server's local zone named in TZ, following timedated. timedated stands here on the test's
// session bus, as a name of the test's own.
class TestLocalZone : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void tzValue_data();
    void tzValue();
    void followsTimedated_data();
    void followsTimedated();
    void usersChoiceKept();

private:
    static void announce(const QString &interface, const QVariantMap &properties,
                         const QStringList &invalidated);
};

void TestLocalZone::initTestCase()
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    QVERIFY(bus.isConnected());
    QVERIFY(bus.registerService(QStringLiteral("org.freedesktop.timedate1")));
}

void TestLocalZone::announce(const QString &interface, const QVariantMap &properties,
                             const QStringList &invalidated)
{
    QDBusMessage signal = QDBusMessage::createSignal(QStringLiteral("/org/freedesktop/timedate1"),
                                                     QStringLiteral("org.freedesktop.DBus.Properties"),
                                                     QStringLiteral("PropertiesChanged"));
    signal << interface << properties << invalidated;
    QVERIFY(QDBusConnection::sessionBus().send(signal));
}

void TestLocalZone::tzValue_data()
{
    QTest::addColumn<QByteArray>("id");
    QTest::addColumn<QByteArray>("value");
    QTest::newRow("a zone of the database") << QByteArray("Asia/Tokyo") << QByteArray(":Asia/Tokyo");
    QTest::newRow("UTC") << QByteArray("UTC") << QByteArray(":UTC");
    // A TZ the C library cannot find would be UTC: unset is slower, never wrong.
    QTest::newRow("unknown") << QByteArray("Nowhere/Invented") << QByteArray();
    QTest::newRow("none") << QByteArray() << QByteArray();
    QTest::newRow("a path") << QByteArray("/etc/localtime") << QByteArray();
    QTest::newRow("out of the database") << QByteArray("../../../etc/passwd") << QByteArray();
    QTest::newRow("a folder of it") << QByteArray("Europe") << QByteArray();
}

void TestLocalZone::tzValue()
{
    QFETCH(QByteArray, id);
    QFETCH(QByteArray, value);
    QCOMPARE(LocalZone::tzValue(id), value);
}

void TestLocalZone::followsTimedated_data()
{
    QTest::addColumn<QString>("interface");
    QTest::addColumn<QString>("zone");
    QTest::addColumn<bool>("invalidated");
    QTest::addColumn<QByteArray>("tz");
    QTest::addColumn<int>("offset"); // of local time in July, in hours; -99: left as it was
    const QString timedate = QStringLiteral("org.freedesktop.timedate1");
    QTest::newRow("a zone set") << timedate << QStringLiteral("Asia/Tokyo") << false
                                << QByteArray(":Asia/Tokyo") << 9;
    QTest::newRow("another zone") << timedate << QStringLiteral("America/New_York") << false
                                  << QByteArray(":America/New_York") << -4;
    QTest::newRow("a zone not installed")
        << timedate << QStringLiteral("Nowhere/Invented") << false << QByteArray() << -99;
    QTest::newRow("invalidated") << timedate << QString() << true << QByteArray() << -99;
    QTest::newRow("another property") << timedate << QString() << false << QByteArray(":Asia/Kolkata") << -99;
    QTest::newRow("another interface")
        << QStringLiteral("org.freedesktop.locale1") << QStringLiteral("Asia/Tokyo") << false
        << QByteArray(":Asia/Kolkata") << -99;
}

void TestLocalZone::followsTimedated()
{
    QFETCH(QString, interface);
    QFETCH(QString, zone);
    QFETCH(bool, invalidated);
    QFETCH(QByteArray, tz);
    QFETCH(int, offset);
    qunsetenv("TZ");
    LocalZone local(QDBusConnection::sessionBus());
    QCOMPARE(qgetenv("TZ"), LocalZone::tzValue(QTimeZone::systemTimeZoneId()));
    qputenv("TZ", ":Asia/Kolkata"); // as if it had been named before
    QSignalSpy changed(&local, &LocalZone::changed);

    QVariantMap properties{{QStringLiteral("NTP"), true}};
    if (!zone.isEmpty())
        properties.insert(QStringLiteral("Timezone"), zone);
    announce(interface, properties, invalidated ? QStringList{QStringLiteral("Timezone")} : QStringList());
    const bool follows = tz != ":Asia/Kolkata";
    if (follows)
        QVERIFY(changed.wait(5000));
    else
        QVERIFY(!changed.wait(300));
    QCOMPARE(qgetenv("TZ"), tz);
    if (offset != -99) {
        const QDateTime july(QDate(2024, 7, 1), QTime(12, 0));
        QCOMPARE(july.offsetFromUtc(), offset * 3600);
    }
}

// A TZ of the user's is neither replaced nor followed.
void TestLocalZone::usersChoiceKept()
{
    qputenv("TZ", "Europe/Lisbon");
    LocalZone local(QDBusConnection::sessionBus());
    QSignalSpy changed(&local, &LocalZone::changed);
    QCOMPARE(qgetenv("TZ"), QByteArray("Europe/Lisbon"));
    announce(QStringLiteral("org.freedesktop.timedate1"),
             {{QStringLiteral("Timezone"), QStringLiteral("Asia/Tokyo")}}, {});
    QVERIFY(!changed.wait(300));
    QCOMPARE(qgetenv("TZ"), QByteArray("Europe/Lisbon"));
}

QTEST_GUILESS_MAIN(TestLocalZone)
#include "tst_localzone.moc"
