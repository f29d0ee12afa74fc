#include "cscheduledbus.h"
#include "fakedbusservice.h"
#include "latin1locale.h"
#include "warningspy.h"

#include <QDBusConnection>
#include <QtTest>

#include <memory>

Q_DECLARE_METATYPE(FakeDBusService::Reply)

namespace {

using Reply = FakeDBusService::Reply;

const QString service = QStringLiteral(DBUS_SERVER_NAME);
const QString objectPath = QStringLiteral(DBUS_SERVER_PATH);
const QString failed = QStringLiteral("org.freedesktop.DBus.Error.Failed");

// One line per festival: id|name|month|year|date:status,...
QString dump(const QVector<_tagFestivalInfo> &festivals)
{
    QStringList lines;
    for (const _tagFestivalInfo &f : festivals) {
        QStringList days;
        for (const _tagHolidayInfo &h : f.list)
            days << (h.date.isValid() ? h.date.toString(Qt::ISODate) : "invalid") + ':' +
                        QString::number(h.status);
        lines << QStringList{f.id, f.name, QString::number(f.month), QString::number(f.year), days.join(',')}
                     .join('|');
    }
    return lines.join('\n');
}

QString dump(const CaHuangLiDayInfo &d)
{
    return QStringList{d.mSuit,
                       d.mAvoid,
                       QString::number(d.mWorktime),
                       d.mLunarFestival,
                       d.mSolarFestival,
                       d.mTerm,
                       d.mZodiac,
                       QString::number(d.mLunarLeapMonth),
                       d.mLunarDayName,
                       d.mLunarMonthName,
                       d.mGanZhiDay,
                       d.mGanZhiMonth,
                       d.mGanZhiYear}
        .join('|');
}

CaHuangLiDayInfo heldDay()
{
    CaHuangLiDayInfo day;
    day.mSuit = "held";
    day.mWorktime = 1;
    day.mGanZhiYear = "held";
    return day;
}

const QString almanacReply = QStringLiteral(
    R"({"Suit":"祭祀 祈福","Avoid":"动土","Worktime":2,"LunarFestival":"春节","SolarFestival":"",)"
    R"("Term":"","Zodiac":"龙","LunarLeapMonth":0,"LunarDayName":"初一","LunarMonthName":"正月",)"
    R"("GanZhiDay":"庚子","GanZhiMonth":"丙寅","GanZhiYear":"甲辰"})");
const QString almanacDump = QStringLiteral("祭祀 祈福|动土|2|春节|||龙|0|初一|正月|庚子|丙寅|甲辰");

} // namespace

class TestFestivalAlmanac : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void arguments();
    void festivalMonth_data();
    void festivalMonth();
    void festivalMonthAppends();
    void huangLiDay_data();
    void huangLiDay();
    void huangLiMonth();

private:
    std::unique_ptr<FakeDBusService> fake;
    std::unique_ptr<CScheduleDBus> client;
};

void TestFestivalAlmanac::initTestCase()
{
    if (!QDBusConnection::sessionBus().isConnected())
        QSKIP("no session bus");
}

void TestFestivalAlmanac::init()
{
    fake = std::make_unique<FakeDBusService>(service, objectPath, service);
    QVERIFY(fake->start());
    client = std::make_unique<CScheduleDBus>(service, objectPath, QDBusConnection::sessionBus());
}

void TestFestivalAlmanac::cleanup()
{
    client.reset();
    fake.reset();
}

void TestFestivalAlmanac::arguments()
{
    fake->setReply("GetFestivalMonth", Reply::value(QString("[]")));
    fake->setReply("GetHuangLiDay", Reply::value(QString("{}")));
    fake->setReply("GetHuangLiMonth", Reply::value(QString("{}")));

    QVector<_tagFestivalInfo> festivals;
    QVERIFY(client->GetFestivalMonth(2024, 2, festivals));
    CaHuangLiDayInfo day;
    QVERIFY(client->GetHuangLiDay(QDate(2024, 2, 10), day));
    CaHuangLiMonthInfo month;
    bool fill = true;
    QVERIFY(client->GetHuangLiMonth(2024, 3, fill, month));
    QVERIFY(fill);
    fill = false;
    QVERIFY(client->GetHuangLiMonth(2025, 1, fill, month));

    const QList<FakeDBusService::Call> calls = fake->calls();
    QCOMPARE(calls.size(), 4);
    QCOMPARE(calls.at(0).member, QString("GetFestivalMonth"));
    QCOMPARE(calls.at(0).signature, QString("uu"));
    QCOMPARE(calls.at(0).arguments, QVariantList({2024u, 2u}));
    QCOMPARE(calls.at(1).member, QString("GetHuangLiDay"));
    QCOMPARE(calls.at(1).signature, QString("uuu"));
    QCOMPARE(calls.at(1).arguments, QVariantList({2024u, 2u, 10u}));
    QCOMPARE(calls.at(2).member, QString("GetHuangLiMonth"));
    QCOMPARE(calls.at(2).signature, QString("uub"));
    QCOMPARE(calls.at(2).arguments, QVariantList({2024u, 3u, true}));
    QCOMPARE(calls.at(3).arguments, QVariantList({2025u, 1u, false}));
}

void TestFestivalAlmanac::festivalMonth_data()
{
    QTest::addColumn<Reply>("reply");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QString>("warning");
    QTest::addColumn<QString>("appended");

    QTest::newRow("empty array") << Reply::value(QString("[]")) << true << ""
                                 << "";
    QTest::newRow("object") << Reply::value(QString(R"({"id":"1","name":"x"})")) << true << ""
                            << "";
    QTest::newRow("holiday without date or status")
        << Reply::value(QString(R"([{"id":"1","list":[{}]}])")) << true << ""
        << "1||0|2024|invalid:0";
    QTest::newRow("status 300") << Reply::value(QString(R"([{"list":[{"date":"2024-2-10","status":300}]}])"))
                                << true << ""
                                << "||0|2024|2024-02-10:44";
    QTest::newRow("year from the call")
        << Reply::value(QString(R"([{"id":"a","year":1999,"month":2},{"id":"b","month":3}])")) << true << ""
        << "a||2|2024|\nb||3|2024|";
    QTest::newRow("utf-8 names") << Reply::value(QString(R"([{"id":"1","name":"春节","month":2}])")) << true
                                 << ""
                                 << "1|春节|2|2024|";
    QTest::newRow("not json") << Reply::value(QString("[{\"id\":")) << false << ""
                              << "";
    QTest::newRow("int reply")
        << Reply::value(3) << false
        << R"(^GetFestivalMonth err , QDBusMessage\(type=MethodReturn, .*signature="i")"
        << "";
    QTest::newRow("error reply") << Reply::error(failed) << false
                                 << R"(^GetFestivalMonth err , QDBusMessage\(type=Error, .*Error\.Failed)"
                                 << "";
}

void TestFestivalAlmanac::festivalMonth()
{
    QFETCH(Reply, reply);
    QFETCH(bool, ok);
    QFETCH(QString, warning);
    QFETCH(QString, appended);

    fake->setReply("GetFestivalMonth", reply);
    _tagFestivalInfo held;
    held.id = "held";
    held.year = 2023;
    QVector<_tagFestivalInfo> festivals{held};
    const QString before = dump(festivals);

    Latin1Locale latin1;
    if (!warning.isEmpty())
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(warning));
    WarningSpy warnings;
    QCOMPARE(client->GetFestivalMonth(2024, 2, festivals), ok);
    QCOMPARE(dump(festivals), appended.isEmpty() ? before : before + '\n' + appended);
    QCOMPARE(warnings.warnings.size(), warning.isEmpty() ? 0 : 1);
}

void TestFestivalAlmanac::festivalMonthAppends()
{
    QVector<_tagFestivalInfo> festivals;
    fake->setReply("GetFestivalMonth", Reply::value(QString(R"([{"id":"jan"}])")));
    QVERIFY(client->GetFestivalMonth(2024, 1, festivals));
    fake->setReply("GetFestivalMonth", Reply::value(QString(R"([{"id":"feb1"},{"id":"feb2"}])")));
    QVERIFY(client->GetFestivalMonth(2025, 2, festivals));
    QCOMPARE(dump(festivals), QString("jan||0|2024|\nfeb1||0|2025|\nfeb2||0|2025|"));
}

void TestFestivalAlmanac::huangLiDay_data()
{
    QTest::addColumn<Reply>("reply");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QString>("warning");
    QTest::addColumn<QString>("day");

    const QString held = dump(heldDay());
    QTest::newRow("utf-8 day") << Reply::value(almanacReply) << true << "" << almanacDump;
    QTest::newRow("some members") << Reply::value(QString(R"({"Avoid":"出行","Worktime":"2"})")) << true << ""
                                  << "held|出行|0|||||0|||||held";
    QTest::newRow("not json") << Reply::value(QString("Suit")) << false << "" << held;
    QTest::newRow("int reply") << Reply::value(3) << false
                               << R"(^GetHuangLiDay err , QDBusMessage\(type=MethodReturn, .*signature="i")"
                               << held;
    QTest::newRow("error reply") << Reply::error(failed) << false
                                 << R"(^GetHuangLiDay err , QDBusMessage\(type=Error, .*Error\.Failed)"
                                 << held;
}

void TestFestivalAlmanac::huangLiDay()
{
    QFETCH(Reply, reply);
    QFETCH(bool, ok);
    QFETCH(QString, warning);
    QFETCH(QString, day);

    fake->setReply("GetHuangLiDay", reply);
    CaHuangLiDayInfo info = heldDay();
    Latin1Locale latin1;
    if (!warning.isEmpty())
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(warning));
    WarningSpy warnings;
    QCOMPARE(client->GetHuangLiDay(QDate(2024, 2, 10), info), ok);
    QCOMPARE(dump(info), day);
    QCOMPARE(warnings.warnings.size(), warning.isEmpty() ? 0 : 1);
}

void TestFestivalAlmanac::huangLiMonth()
{
    fake->setReply("GetHuangLiMonth", Reply::value(R"({"Days":29,"FirstDayWeek":6,"Datas":[)" + almanacReply +
                                                   R"(,{},{"Suit":"x"}]})"));
    CaHuangLiMonthInfo month;
    bool fill = false;
    Latin1Locale latin1;
    QVERIFY(client->GetHuangLiMonth(2024, 2, fill, month));
    QVERIFY(client->GetHuangLiMonth(2024, 2, fill, month));
    QCOMPARE(month.mDays, 29);
    QCOMPARE(month.mFirstDayWeek, 6);
    QCOMPARE(month.mCaLunarDayInfo.size(), 6);
    QCOMPARE(dump(month.mCaLunarDayInfo.at(3)), almanacDump);
    QCOMPARE(month.mCaLunarDayInfo.at(5).mSuit, QString("x"));

    fake->setReply("GetHuangLiMonth", Reply::value(QString("{\"Days\":")));
    QVERIFY(!client->GetHuangLiMonth(2024, 2, fill, month));
    fake->setReply("GetHuangLiMonth", Reply::error(failed));
    QTest::ignoreMessage(
        QtWarningMsg,
        QRegularExpression(R"(^GetHuangLiMonth err , QDBusMessage\(type=Error, .*Error\.Failed)"));
    QVERIFY(!client->GetHuangLiMonth(2024, 2, fill, month));
    QCOMPARE(month.mDays, 29);
    QCOMPARE(month.mCaLunarDayInfo.size(), 6);
}

QTEST_GUILESS_MAIN(TestFestivalAlmanac)
#include "tst_festivalalmanac.moc"
