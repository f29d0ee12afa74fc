#include "almanac.h"
#include "fakedbusservice.h"
#include "latin1locale.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMetaType>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QtTest>

namespace {

const QString service = QStringLiteral("com.norvale.dataserver.Calendar");
const QString objectPath = QStringLiteral("/com/norvale/dataserver/Calendar");

QVariantList fields(const CaLunarDayInfo &d)
{
    return {d.mGanZhiYear,    d.mGanZhiMonth,    d.mGanZhiDay, d.mLunarMonthName,
            d.mLunarDayName,  d.mLunarLeapMonth, d.mZodiac,    d.mTerm,
            d.mSolarFestival, d.mLunarFestival,  d.mWorktime};
}

QVariantList fields(const CaHuangLiDayInfo &d)
{
    return {d.mGanZhiYear,     d.mGanZhiMonth, d.mGanZhiDay, d.mLunarMonthName, d.mLunarDayName,
            d.mLunarLeapMonth, d.mZodiac,      d.mTerm,      d.mSolarFestival,  d.mLunarFestival,
            d.mWorktime,       d.mSuit,        d.mAvoid};
}

CaHuangLiDayInfo almanacDay(const QString &tag)
{
    CaHuangLiDayInfo d;
    d.mGanZhiYear = QStringLiteral("甲辰") + tag;
    d.mGanZhiMonth = QStringLiteral("丙寅") + tag;
    d.mGanZhiDay = QStringLiteral("庚子") + tag;
    d.mLunarMonthName = QStringLiteral("正月") + tag;
    d.mLunarDayName = QStringLiteral("初一") + tag;
    d.mLunarLeapMonth = 4;
    d.mZodiac = QStringLiteral("龙") + tag;
    d.mTerm = QStringLiteral("立春") + tag;
    d.mSolarFestival = QStringLiteral("情人节") + tag;
    d.mLunarFestival = QStringLiteral("春节") + tag;
    d.mWorktime = 2;
    d.mSuit = QStringLiteral("祭祀 祈福") + tag;
    d.mAvoid = QStringLiteral("动土") + tag;
    return d;
}

CaLunarDayInfo lunarDay(const QString &tag)
{
    const CaHuangLiDayInfo a = almanacDay(tag);
    CaLunarDayInfo d;
    d.mGanZhiYear = a.mGanZhiYear;
    d.mGanZhiMonth = a.mGanZhiMonth;
    d.mGanZhiDay = a.mGanZhiDay;
    d.mLunarMonthName = a.mLunarMonthName;
    d.mLunarDayName = a.mLunarDayName;
    d.mLunarLeapMonth = 3;
    d.mZodiac = a.mZodiac;
    d.mTerm = a.mTerm;
    d.mSolarFestival = a.mSolarFestival;
    d.mLunarFestival = a.mLunarFestival;
    d.mWorktime = 1;
    return d;
}

// One line per festival: id|name|description|rest|month|year|date:status,...
QString dump(const QVector<_tagFestivalInfo> &festivals)
{
    QStringList lines;
    for (const _tagFestivalInfo &f : festivals) {
        QStringList days;
        for (const _tagHolidayInfo &h : f.list)
            days << (h.date.isValid() ? h.date.toString(Qt::ISODate) : "invalid") + ':' +
                        QString::number(h.status);
        lines << QStringList{f.id,
                             f.name,
                             f.description,
                             f.rest,
                             QString::number(f.month),
                             QString::number(f.year),
                             days.join(',')}
                     .join('|');
    }
    return lines.join('\n');
}

template<typename T> QString debugText(const T &value)
{
    QString text;
    QDebug(&text) << value;
    return text.trimmed();
}

} // namespace

class TestAlmanac : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void registration_data();
    void registration();
    void dayJson_data();
    void dayJson();
    void dayJsonText();
    void monthJson();
    void monthToJson();
    void festivalJson_data();
    void festivalJson();
    void festivalRoundTrip();
    void debugPrint_data();
    void debugPrint();
    void throughTheBus();
};

void TestAlmanac::initTestCase()
{
    // The months register their day types themselves: a month cannot be marshalled without them.
    CaLunarMonthInfo::registerMetaType();
    CaHuangLiMonthInfo::registerMetaType();
}

void TestAlmanac::registration_data()
{
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<int>("id");
    QTest::addColumn<QByteArray>("signature");
    QTest::newRow("lunar day") << QByteArray("CaLunarDayInfo") << qMetaTypeId<CaLunarDayInfo>()
                               << QByteArray("(sssssissssi)");
    QTest::newRow("lunar month") << QByteArray("CaLunarMonthInfo") << qMetaTypeId<CaLunarMonthInfo>()
                                 << QByteArray("(iia(sssssissssi))");
    QTest::newRow("almanac day") << QByteArray("CaHuangLiDayInfo") << qMetaTypeId<CaHuangLiDayInfo>()
                                 << QByteArray("(ssissssisssss)");
    QTest::newRow("almanac month") << QByteArray("CaHuangLiMonthInfo") << qMetaTypeId<CaHuangLiMonthInfo>()
                                   << QByteArray("(iia(ssissssisssss))");
}

void TestAlmanac::registration()
{
    QFETCH(QByteArray, name);
    QFETCH(int, id);
    QFETCH(QByteArray, signature);
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    QCOMPARE(QMetaType::fromName(name).id(), id);
    QCOMPARE(QByteArray(QDBusMetaType::typeToSignature(QMetaType(id))), signature);
#else
    QCOMPARE(QMetaType::type(name.constData()), id);
    QCOMPARE(QByteArray(QDBusMetaType::typeToSignature(id)), signature);
#endif
}

void TestAlmanac::dayJson_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<QVariantList>("expected");

    const CaHuangLiDayInfo start = almanacDay("a");
    QTest::newRow("not json") << "Suit: none" << false << fields(start);
    QTest::newRow("empty text") << "" << false << fields(start);
    QTest::newRow("empty object") << "{}" << true << fields(start);
    QTest::newRow("array") << R"([{"Suit":"x"}])" << true << fields(start);

    CaHuangLiDayInfo d = start;
    d.mWorktime = 0;
    QTest::newRow("fractional worktime") << R"({"Worktime":1.5})" << true << fields(d);
    QTest::newRow("worktime as string") << R"({"Worktime":"1"})" << true << fields(d);
    d = start;
    d.mZodiac.clear();
    QTest::newRow("zodiac as number") << R"({"Zodiac":5})" << true << fields(d);
    d = start;
    d.mSuit = QStringLiteral("嫁娶");
    d.mLunarLeapMonth = -6;
    QTest::newRow("some members") << R"({"Suit":"嫁娶","LunarLeapMonth":-6})" << true << fields(d);
    QTest::newRow("default record") << CaHuangLiDayInfo().toJson() << true << fields(CaHuangLiDayInfo());
    QTest::newRow("utf-8 record") << almanacDay("b").toJson() << true << fields(almanacDay("b"));
}

void TestAlmanac::dayJson()
{
    QFETCH(QString, text);
    QFETCH(bool, valid);
    QFETCH(QVariantList, expected);

    Latin1Locale latin1;
    CaHuangLiDayInfo day = almanacDay("a");
    bool ok = !valid;
    day.strJsonToInfo(text, ok);
    QCOMPARE(ok, valid);
    QCOMPARE(fields(day), expected);
}

void TestAlmanac::dayJsonText()
{
    QCOMPARE(
        CaHuangLiDayInfo().toJson(),
        QString(R"({"Avoid":"","GanZhiDay":"","GanZhiMonth":"","GanZhiYear":"","LunarDayName":"",)"
                R"("LunarFestival":"","LunarLeapMonth":0,"LunarMonthName":"","SolarFestival":"","Suit":"",)"
                R"("Term":"","Worktime":0,"Zodiac":""})"));
}

void TestAlmanac::monthJson()
{
    Latin1Locale latin1;
    const QString text =
        R"({"Days":3,"FirstDayWeek":4,"Datas":[{"Suit":"祭祀"},{"Avoid":"动土","Worktime":1},7]})";
    CaHuangLiMonthInfo month;
    bool ok = false;
    month.strJsonToInfo(text, ok);
    QVERIFY(ok);
    month.strJsonToInfo(text, ok);
    QVERIFY(ok);
    QCOMPARE(month.mDays, 3);
    QCOMPARE(month.mFirstDayWeek, 4);
    QCOMPARE(month.mCaLunarDayInfo.size(), 6);
    QCOMPARE(month.mCaLunarDayInfo.at(3).mSuit, QStringLiteral("祭祀"));
    QCOMPARE(month.mCaLunarDayInfo.at(4).mAvoid, QStringLiteral("动土"));
    QCOMPARE(month.mCaLunarDayInfo.at(4).mWorktime, 1);
    QCOMPARE(fields(month.mCaLunarDayInfo.at(5)), fields(CaHuangLiDayInfo()));

    month.strJsonToInfo(R"({"Days":9,"Datas":[{}]})" + QString("]"), ok);
    QVERIFY(!ok);
    QCOMPARE(month.mDays, 3);
    QCOMPARE(month.mCaLunarDayInfo.size(), 6);

    month.strJsonToInfo(R"({"Days":"9","FirstDayWeek":2.5})", ok);
    QVERIFY(ok);
    QCOMPARE(month.mDays, 0);
    QCOMPARE(month.mFirstDayWeek, 0);
    QCOMPARE(month.mCaLunarDayInfo.size(), 6);

    month.mDays = 3;
    month.mFirstDayWeek = 4;
    month.clear();
    QCOMPARE(month.mDays, 0);
    QVERIFY(month.mCaLunarDayInfo.isEmpty());
    QCOMPARE(month.mFirstDayWeek, 4);
}

void TestAlmanac::monthToJson()
{
    CaHuangLiMonthInfo month;
    month.mDays = 29;
    month.mFirstDayWeek = 6;
    month.mCaLunarDayInfo = {almanacDay("1"), almanacDay("2")};

    const QString text = month.toJson();
    QVERIFY(!text.contains('\n'));
    const QJsonObject object = QJsonDocument::fromJson(text.toUtf8()).object();
    QCOMPARE(object.keys(), QStringList({"Datas", "Days", "FirstDayWeek"}));
    QCOMPARE(object.value("Days").toInt(), 29);
    QCOMPARE(object.value("FirstDayWeek").toInt(), 6);
    const QJsonArray days = object.value("Datas").toArray();
    QCOMPARE(days.size(), 2);
    QCOMPARE(days.at(1).toObject().size(), 13);
    QCOMPARE(days.at(1).toObject().value("Suit").toString(), almanacDay("2").mSuit);

    Latin1Locale latin1;
    CaHuangLiMonthInfo back;
    bool ok = false;
    back.strJsonToInfo(text, ok);
    QVERIFY(ok);
    QCOMPARE(back.mDays, 29);
    QCOMPARE(back.mFirstDayWeek, 6);
    QCOMPARE(back.mCaLunarDayInfo.size(), 2);
    QCOMPARE(fields(back.mCaLunarDayInfo.at(0)), fields(almanacDay("1")));
    QCOMPARE(fields(back.mCaLunarDayInfo.at(1)), fields(almanacDay("2")));
}

void TestAlmanac::festivalJson_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QString>("appended");

    QTest::newRow("empty array") << "[]" << true << "";
    QTest::newRow("object instead of array") << R"({"id":"x","name":"y"})" << true << "";
    QTest::newRow("not json") << "[{" << false << "";
    QTest::newRow("full festival")
        << R"([{"id":"f1","name":"春节","description":"农历新年","rest":"放假","month":2,"year":1999,)"
           R"("list":[{"date":"2024-2-10","status":1},{"date":"2024-2-17","status":2}]}])"
        << true << "f1|春节|农历新年|放假|2|2024|2024-02-10:1,2024-02-17:2";
    QTest::newRow("holiday without date or status") << R"([{"list":[{}]}])" << true << "||||0|2024|invalid:0";
    QTest::newRow("status 300 keeps its low 8 bits")
        << R"([{"list":[{"date":"2024-1-1","status":300}]}])" << true << "||||0|2024|2024-01-01:44";
    QTest::newRow("unparsable date") << R"([{"list":[{"date":"2024-13-45"},{"date":7}]}])" << true
                                     << "||||0|2024|invalid:0,invalid:0";
    QTest::newRow("members of the wrong kind")
        << R"([{"id":3,"name":["x"],"month":"2"}])" << true << "||||0|2024|";
    QTest::newRow("element not an object") << R"([5,{"id":"b"}])" << true << "||||0|2024|\nb||||0|2024|";
}

void TestAlmanac::festivalJson()
{
    QFETCH(QString, text);
    QFETCH(bool, ok);
    QFETCH(QString, appended);

    Latin1Locale latin1;
    _tagFestivalInfo held;
    held.id = "held";
    held.year = 2023;
    QVector<_tagFestivalInfo> festivals{held};
    const QString before = dump(festivals);

    QCOMPARE(_tagFestivalInfo::appendFromJson(text, 2024, festivals), ok);
    QCOMPARE(dump(festivals), appended.isEmpty() ? before : before + '\n' + appended);
}

void TestAlmanac::festivalRoundTrip()
{
    _tagFestivalInfo spring;
    spring.id = "1";
    spring.name = QStringLiteral("春节");
    spring.description = QStringLiteral("农历新年");
    spring.rest = QStringLiteral("2月10日至17日放假调休");
    spring.month = 2;
    spring.year = 2024;
    spring.list = {{QDate(2024, 2, 10), 1}, {QDate(2024, 2, 4), 2}, {QDate(), -56}};
    _tagFestivalInfo empty;
    empty.year = 2024;

    Latin1Locale latin1;
    QVector<_tagFestivalInfo> back;
    QVERIFY(_tagFestivalInfo::appendFromJson(_tagFestivalInfo::toJson({spring, empty}), 2024, back));
    QCOMPARE(dump(back), dump({spring, empty}));
}

void TestAlmanac::debugPrint_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");

    CaHuangLiDayInfo day;
    day.mSuit = "s";
    day.mAvoid = "a";
    day.mWorktime = 1;
    day.mLunarFestival = "lf";
    day.mSolarFestival = "sf";
    day.mTerm = "t";
    day.mZodiac = "z";
    day.mLunarLeapMonth = 2;
    day.mLunarDayName = "ld";
    day.mLunarMonthName = "lm";
    day.mGanZhiDay = "gd";
    day.mGanZhiMonth = "gm";
    day.mGanZhiYear = "gy";
    const QString dayText = R"("s" "a" 1 "lf" "sf" "t" "z" 2 "ld" "lm" "gd" "gm" "gy")";
    QTest::newRow("almanac day") << debugText(day) << dayText;

    CaHuangLiMonthInfo month;
    month.mDays = 30;
    month.mFirstDayWeek = 5;
    month.mCaLunarDayInfo = {day, day};
    QTest::newRow("almanac month") << debugText(month) << "30 5 QVector(" + dayText + ", " + dayText + ")";

    CaLunarDayInfo lunar;
    lunar.mGanZhiYear = "gy";
    lunar.mGanZhiMonth = "gm";
    lunar.mGanZhiDay = "gd";
    lunar.mLunarMonthName = "lm";
    lunar.mLunarDayName = "ld";
    lunar.mLunarLeapMonth = 2;
    lunar.mZodiac = "z";
    lunar.mTerm = "t";
    lunar.mSolarFestival = "sf";
    lunar.mLunarFestival = "lf";
    lunar.mWorktime = 1;
    const QString lunarText = R"("gy" "gm" "gd" "lm" "ld" 2 "z" "t" "sf" "lf" 1)";
    QTest::newRow("lunar day") << debugText(lunar) << lunarText;

    CaLunarMonthInfo lunarMonth;
    lunarMonth.mFirstDayWeek = 3;
    lunarMonth.mDays = 31;
    lunarMonth.mCaLunarDayInfo = {lunar};
    QTest::newRow("lunar month") << debugText(lunarMonth) << "3 31 (" + lunarText + ")";
}

void TestAlmanac::debugPrint()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(text, expected);
}

// The structures cross a real bus to a fake that records what arrived and sends it back.
void TestAlmanac::throughTheBus()
{
    FakeDBusService fake(service, objectPath, service);
    if (!fake.start())
        QSKIP("no session bus");
    fake.setReply("Echo", FakeDBusService::Reply::echo());

    const auto echo = [&](const QVariant &value, QString &signature, QDBusArgument &received) {
        fake.clearCalls();
        QDBusMessage call = QDBusMessage::createMethodCall(service, objectPath, service, "Echo");
        call << value;
        const QDBusMessage reply = QDBusConnection::sessionBus().call(call);
        const QList<FakeDBusService::Call> calls = fake.calls("Echo");
        if (reply.type() != QDBusMessage::ReplyMessage || calls.size() != 1 || reply.arguments().size() != 1)
            return QVariant();
        signature = calls.first().signature;
        received = calls.first().arguments.value(0).value<QDBusArgument>();
        return reply.arguments().first();
    };
    QString signature;
    QDBusArgument received;
    QString firstText;
    int firstInt = 0;
    int secondInt = 0;

    const CaHuangLiDayInfo day = almanacDay("x");
    QVariant back = echo(QVariant::fromValue(day), signature, received);
    QVERIFY(back.isValid());
    QCOMPARE(signature, QString("(ssissssisssss)"));
    std::as_const(received).beginStructure();
    std::as_const(received) >> firstText;
    // Each begin needs its end: an open structure leaks its reader (LeakSanitizer).
    std::as_const(received).endStructure();
    QCOMPARE(firstText, day.mSuit);
    QCOMPARE(fields(qdbus_cast<CaHuangLiDayInfo>(back)), fields(day));

    const CaLunarDayInfo lunar = lunarDay("y");
    back = echo(QVariant::fromValue(lunar), signature, received);
    QVERIFY(back.isValid());
    QCOMPARE(signature, QString("(sssssissssi)"));
    std::as_const(received).beginStructure();
    std::as_const(received) >> firstText;
    std::as_const(received).endStructure();
    QCOMPARE(firstText, lunar.mGanZhiYear);
    QCOMPARE(fields(qdbus_cast<CaLunarDayInfo>(back)), fields(lunar));

    CaHuangLiMonthInfo month;
    month.mDays = 30;
    month.mFirstDayWeek = 5;
    month.mCaLunarDayInfo = {almanacDay("1"), almanacDay("2")};
    back = echo(QVariant::fromValue(month), signature, received);
    QVERIFY(back.isValid());
    QCOMPARE(signature, QString("(iia(ssissssisssss))"));
    std::as_const(received).beginStructure();
    std::as_const(received) >> firstInt >> secondInt;
    std::as_const(received).endStructure();
    QCOMPARE(firstInt, 30);
    QCOMPARE(secondInt, 5);
    // Reading replaces the days a record held.
    CaHuangLiMonthInfo monthBack;
    monthBack.mCaLunarDayInfo = {almanacDay("old")};
    back.value<QDBusArgument>() >> monthBack;
    QCOMPARE(monthBack.mDays, 30);
    QCOMPARE(monthBack.mFirstDayWeek, 5);
    QCOMPARE(monthBack.mCaLunarDayInfo.size(), 2);
    QCOMPARE(fields(monthBack.mCaLunarDayInfo.at(0)), fields(almanacDay("1")));
    QCOMPARE(fields(monthBack.mCaLunarDayInfo.at(1)), fields(almanacDay("2")));

    CaLunarMonthInfo lunarMonth;
    lunarMonth.mFirstDayWeek = 3;
    lunarMonth.mDays = 31;
    lunarMonth.mCaLunarDayInfo = {lunarDay("1"), lunarDay("2"), lunarDay("3")};
    back = echo(QVariant::fromValue(lunarMonth), signature, received);
    QVERIFY(back.isValid());
    QCOMPARE(signature, QString("(iia(sssssissssi))"));
    std::as_const(received).beginStructure();
    std::as_const(received) >> firstInt >> secondInt;
    std::as_const(received).endStructure();
    QCOMPARE(firstInt, 3);
    QCOMPARE(secondInt, 31);
    const CaLunarMonthInfo lunarMonthBack = qdbus_cast<CaLunarMonthInfo>(back);
    QCOMPARE(lunarMonthBack.mCaLunarDayInfo.size(), 3);
    QCOMPARE(fields(lunarMonthBack.mCaLunarDayInfo.at(2)), fields(lunarDay("3")));
}

QTEST_GUILESS_MAIN(TestAlmanac)
#include "tst_almanac.moc"
