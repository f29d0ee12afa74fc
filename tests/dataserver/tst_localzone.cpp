#include "localtimes.h"
#include "localzone.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QSignalSpy>
#include <QTest>
#include <QTimeZone>

#include <ctime>

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
    void keptOffsets_data();
    void keptOffsets();

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

// The offsets kept by the hour tell what a local date-time says, minute by minute through hours in
// which the offset changes, whatever the zone did before.
void TestLocalZone::keptOffsets_data()
{
    QTest::addColumn<QByteArray>("tz");
    QTest::addColumn<QDateTime>("around");
    QTest::addColumn<int>("changes"); // -1: as Qt tells
    const auto utc = [](int year, int month, int day, int hour, int minute) {
        return QDateTime(QDate(year, month, day), QTime(hour, minute), Qt::UTC);
    };
    QTest::newRow("Berlin, spring forward") << QByteArray(":Europe/Berlin") << utc(2026, 3, 29, 1, 0) << 1;
    QTest::newRow("Berlin, fall back") << QByteArray(":Europe/Berlin") << utc(2026, 10, 25, 1, 0) << 1;
    // At 02:00 local, 05:30 UTC: within an hour of UTC, not at its start.
    QTest::newRow("St. John's, off the hour")
        << QByteArray(":America/St_Johns") << utc(2026, 3, 8, 5, 30) << 1;
    QTest::newRow("Lord Howe, half an hour back")
        << QByteArray(":Australia/Lord_Howe") << utc(2026, 4, 4, 15, 0) << 1;
    // Monrovia's mean time, 44 minutes 30 seconds behind, to GMT at 00:44:30 UTC.
    QTest::newRow("Monrovia, seconds of an offset")
        << QByteArray(":Africa/Monrovia") << utc(1972, 1, 7, 0, 44) << 1;
    // Qt 5 gives the years before 1970 the offsets of 1970.
    QTest::newRow("New York, before 1970") << QByteArray(":America/New_York") << utc(1965, 4, 25, 7, 0) << -1;
    QTest::newRow("Kathmandu, no change") << QByteArray(":Asia/Kathmandu") << utc(2026, 6, 1, 0, 0) << 0;
}

void TestLocalZone::keptOffsets()
{
    QFETCH(QByteArray, tz);
    QFETCH(QDateTime, around);
    QFETCH(int, changes);
    const QByteArray before = qgetenv("TZ");
    qputenv("TZ", ":Pacific/Chatham"); // another zone's offsets kept first
    tzset();
    QVERIFY(LocalTimes::offsetAt(around.toMSecsSinceEpoch()) != 0);
    qputenv("TZ", tz);
    tzset();
    LocalTimes::forget();
    int seen = 0;
    int last = 0;
    for (qint64 ms = around.toMSecsSinceEpoch() - 3 * 3600 * 1000;
         ms <= around.toMSecsSinceEpoch() + 3 * 3600 * 1000; ms += 60 * 1000 - 1) {
        const QDateTime local = QDateTime::fromMSecsSinceEpoch(ms);
        const QDateTime kept = LocalTimes::at(ms);
        QCOMPARE(LocalTimes::offsetAt(ms), local.offsetFromUtc());
        QCOMPARE(kept.toMSecsSinceEpoch(), ms);
        QCOMPARE(kept.date(), local.date());
        QCOMPARE(kept.time(), local.time());
        QCOMPARE(LocalTimes::dayOf(ms), local.date());
        seen += ms != around.toMSecsSinceEpoch() - 3 * 3600 * 1000 && local.offsetFromUtc() != last;
        last = local.offsetFromUtc();
    }
    if (changes >= 0)
        QCOMPARE(seen, changes);
    qputenv("TZ", before);
    tzset();
    LocalTimes::forget();
}

QTEST_GUILESS_MAIN(TestLocalZone)
#include "tst_localzone.moc"
