#include "scheduledatainfo.h"

#include <QDebug>
#include <QTest>
#include <QTimeZone>

#include <algorithm>

Q_DECLARE_METATYPE(RemindData)

namespace {

QDateTime utc(int day, int hour, int minute = 0)
{
    return QDateTime(QDate(2024, 5, day), QTime(hour, minute), Qt::UTC);
}

ScheduleDataInfo record(int id, const QDateTime &begin, const QDateTime &end, const QString &title = "t",
                        int type = 1, int recurId = 0)
{
    ScheduleDataInfo info;
    info.setID(id);
    info.setBeginDateTime(begin);
    info.setEndDateTime(end);
    info.setTitleName(title);
    info.setType(type);
    info.setRecurID(recurId);
    return info;
}

ScheduleDataInfo single(int id, int hour, const QString &title = "t", int type = 1)
{
    return record(id, utc(10, hour), utc(10, hour + 1), title, type);
}

} // namespace

class TestScheduleRecord : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void defaults();
    void isValid_data();
    void isValid();
    void equality_data();
    void equality();
    void lessThan_data();
    void lessThan();
    void lessThanIsStrictWeakOrdering();
    void remindText_data();
    void remindText();
    void textSettersReplaceWholeValue();
    void debugPrint();
    void metaType();
    void predefinedTypes();
};

void TestScheduleRecord::defaults()
{
    const ScheduleDataInfo info;
    QCOMPARE(info.getID(), 0);
    QVERIFY(info.getBeginDateTime().isNull());
    QVERIFY(info.getEndDateTime().isNull());
    QVERIFY(info.getIgnoreTime().isEmpty());
    QVERIFY(info.getTitleName().isEmpty() && !info.getTitleName().isNull());
    QVERIFY(info.getDescription().isEmpty() && !info.getDescription().isNull());
    QVERIFY(info.getAllDay());
    QCOMPARE(info.getType(), 1);
    QCOMPARE(info.getRecurID(), 0);
    QCOMPARE(info.getRemindData().getRemindNum(), -1);
    QCOMPARE(info.getRemindData().getRemindTime(), QTime(9, 0));
    QCOMPARE(info.getRepetitionRule().getRuleId(), RepetitionRule::NoRepeat);
    QCOMPARE(info.getRepetitionRule().getRuleType(), RepetitionRule::Never);
    QVERIFY(info.getRepetitionRule().getEndDate().isNull());
    QCOMPARE(info.getRepetitionRule().getEndCount(), 0);
    QVERIFY(!info.getIsMoveInfo());
    QCOMPARE(info.getScheudleRemind(), QString());
    QCOMPARE(info.getScheduleRRule(), QString());
    QVERIFY(!info.isValid());
}

void TestScheduleRecord::isValid_data()
{
    QTest::addColumn<QDateTime>("begin");
    QTest::addColumn<QDateTime>("end");
    QTest::addColumn<int>("type");
    QTest::addColumn<bool>("valid");

    QTest::newRow("work") << utc(1, 9) << utc(1, 10) << 1 << true;
    QTest::newRow("life") << utc(1, 9) << utc(1, 10) << 2 << true;
    QTest::newRow("other, end before begin") << utc(2, 9) << utc(1, 10) << 3 << true;
    QTest::newRow("type 0") << utc(1, 9) << utc(1, 10) << 0 << false;
    QTest::newRow("festival") << utc(1, 9) << utc(1, 10) << 4 << false;
    QTest::newRow("no begin") << QDateTime() << utc(1, 10) << 1 << false;
    QTest::newRow("no end") << utc(1, 9) << QDateTime() << 1 << false;
}

void TestScheduleRecord::isValid()
{
    QFETCH(QDateTime, begin);
    QFETCH(QDateTime, end);
    QFETCH(int, type);
    QFETCH(bool, valid);
    QCOMPARE(record(1, begin, end, "t", type).isValid(), valid);
}

void TestScheduleRecord::equality_data()
{
    QTest::addColumn<ScheduleDataInfo>("left");
    QTest::addColumn<ScheduleDataInfo>("right");
    QTest::addColumn<bool>("equal");

    const ScheduleDataInfo base = record(7, utc(1, 9), utc(1, 10), "meeting", 1, 2);
    ScheduleDataInfo other = base;
    other.setDescription("changed");
    other.setAllDay(false);
    other.setType(2);
    other.setRemindData(RemindData(15, QTime(8, 0)));
    other.setScheduleRRule("FREQ=DAILY");
    other.setIgnoreTime({utc(3, 9)});
    QTest::newRow("only unrelated fields differ") << base << other << true;
    QTest::newRow("different begin") << base << record(7, utc(2, 9), utc(2, 10), "meeting", 1, 2) << true;
    QTest::newRow("different begin, right festival")
        << base << record(7, utc(2, 9), utc(2, 10), "meeting", 4, 2) << false;
    QTest::newRow("different begin, left festival")
        << record(7, utc(2, 9), utc(2, 10), "meeting", 4, 2) << base << true;
    QTest::newRow("same begin, right festival")
        << base << record(7, utc(1, 9), utc(1, 12), "meeting", 4, 2) << true;
    QTest::newRow("different id") << base << record(8, utc(1, 9), utc(1, 10), "meeting", 1, 2) << false;
    QTest::newRow("different recurID") << base << record(7, utc(1, 9), utc(1, 10), "meeting", 1, 3) << false;
    QTest::newRow("title case differs") << base << record(7, utc(1, 9), utc(1, 10), "Meeting", 1, 2) << false;
}

void TestScheduleRecord::equality()
{
    QFETCH(ScheduleDataInfo, left);
    QFETCH(ScheduleDataInfo, right);
    QFETCH(bool, equal);
    QCOMPARE(left == right, equal);
}

void TestScheduleRecord::lessThan_data()
{
    QTest::addColumn<ScheduleDataInfo>("a");
    QTest::addColumn<ScheduleDataInfo>("b");
    QTest::addColumn<bool>("aFirst");
    QTest::addColumn<bool>("bFirst");

    QTest::newRow("later multi-day before single-day")
        << record(1, utc(20, 9), utc(22, 9)) << single(2, 8) << true << false;
    QTest::newRow("multi-day, earlier begin day")
        << record(1, utc(1, 23), utc(3, 9)) << record(2, utc(2, 0), utc(30, 9)) << true << false;
    QTest::newRow("multi-day same day, longer first")
        << record(1, utc(1, 22), utc(5, 1)) << record(2, utc(1, 6), utc(2, 23)) << true << false;
    QTest::newRow("multi-day same day and span")
        << record(1, utc(1, 22), utc(3, 1), "b") << record(2, utc(1, 6), utc(3, 23), "a") << false << false;
    QTest::newRow("festival before earlier timed") << single(1, 20, "t", 4) << single(2, 8) << true << false;
    QTest::newRow("festivals by begin") << single(2, 8, "z", 4) << single(1, 9, "a", 4) << true << false;
    QTest::newRow("festivals by title") << single(2, 8, "a", 4) << single(1, 8, "b", 4) << true << false;
    QTest::newRow("festivals by id") << single(1, 8, "a", 4) << single(2, 8, "a", 4) << true << false;
    QTest::newRow("identical festivals") << single(1, 8, "a", 4) << single(1, 8, "a", 4) << false << false;
    QTest::newRow("same begin and title, by id") << single(3, 8) << single(4, 8) << true << false;
    QTest::newRow("same begin, title and id") << single(3, 8) << single(3, 8) << false << false;
    QTest::newRow("same begin, upper case first")
        << single(9, 8, "Zoo") << single(1, 8, "apple") << true << false;
    QTest::newRow("earlier begin whatever the title")
        << single(9, 7, "z") << single(1, 8, "a") << true << false;
    const QDateTime shanghai(QDate(2024, 5, 10), QTime(16, 0), QTimeZone("Asia/Shanghai"));
    QTest::newRow("same instant in two zones, by title")
        << record(9, shanghai, shanghai.addSecs(60), "a") << single(1, 8, "b") << true << false;
}

void TestScheduleRecord::lessThan()
{
    QFETCH(ScheduleDataInfo, a);
    QFETCH(ScheduleDataInfo, b);
    QFETCH(bool, aFirst);
    QFETCH(bool, bFirst);
    QCOMPARE(a < b, aFirst);
    QCOMPARE(b < a, bFirst);
}

void TestScheduleRecord::lessThanIsStrictWeakOrdering()
{
    const QVector<ScheduleDataInfo> records = {
        single(10, 9),
        single(11, 9),
        single(12, 9, "a"),
        single(13, 8),
        single(14, 8, "x", 4),
        single(15, 8, "x", 4),
        single(16, 7, "y", 4),
        single(16, 7, "y", 4),
        single(17, 12, "t", 2),
        record(18, utc(3, 9), utc(5, 9)),
        record(19, utc(3, 20), utc(4, 1)),
        record(20, utc(3, 1), utc(4, 23), "x", 4),
        record(21, utc(1, 9), utc(2, 9)),
        record(22, QDateTime(), QDateTime()),
        record(23, utc(10, 9), utc(10, 9), "t"),
    };
    auto incomparable = [](const ScheduleDataInfo &a, const ScheduleDataInfo &b) {
        return !(a < b) && !(b < a);
    };
    for (const ScheduleDataInfo &a : records) {
        QVERIFY2(!(a < a), qPrintable(QString::number(a.getID())));
        for (const ScheduleDataInfo &b : records) {
            const QByteArray pair = QByteArray::number(a.getID()) + " " + QByteArray::number(b.getID());
            QVERIFY2(!(a < b && b < a), pair);
            for (const ScheduleDataInfo &c : records) {
                const QByteArray triple = pair + " " + QByteArray::number(c.getID());
                if (a < b && b < c)
                    QVERIFY2(a < c, triple);
                if (incomparable(a, b) && incomparable(b, c))
                    QVERIFY2(incomparable(a, c), triple);
            }
        }
    }

    // Reversed input and a stable sort pin down the order of the equivalent pair 20 and 19.
    QVector<ScheduleDataInfo> sorted = records;
    std::reverse(sorted.begin(), sorted.end());
    std::stable_sort(sorted.begin(), sorted.end());
    QStringList ids;
    for (const ScheduleDataInfo &info : sorted)
        ids << QString::number(info.getID());
    QCOMPARE(ids.join(' '), QString("21 18 20 19 16 16 14 15 22 13 12 10 11 23 17"));
}

void TestScheduleRecord::remindText_data()
{
    QTest::addColumn<bool>("allDay");
    QTest::addColumn<RemindData>("remind");
    QTest::addColumn<QString>("text");

    QTest::newRow("all-day") << true << RemindData(1, QTime(9, 0)) << "1;09:00";
    QTest::newRow("timed") << false << RemindData(1, QTime(9, 0)) << "1";
    QTest::newRow("all-day, none") << true << RemindData() << "";
    QTest::newRow("timed, none") << false << RemindData() << "";
}

void TestScheduleRecord::remindText()
{
    QFETCH(bool, allDay);
    QFETCH(RemindData, remind);
    QFETCH(QString, text);
    ScheduleDataInfo info;
    info.setAllDay(allDay);
    info.setRemindData(remind);
    QCOMPARE(info.getScheudleRemind(), text);
}

void TestScheduleRecord::textSettersReplaceWholeValue()
{
    ScheduleDataInfo info;
    info.setAllDay(false);
    info.setScheudleRemind("2;07:30");
    QCOMPARE(info.getRemindData().getRemindNum(), 2);
    QCOMPARE(info.getRemindData().getRemindTime(), QTime(7, 30));
    QCOMPARE(info.getScheudleRemind(), QString("2"));

    RepetitionRule rule;
    rule.setRuleId(RepetitionRule::Weekly);
    rule.setRuleType(RepetitionRule::AfterCount);
    rule.setEndCount(5);
    rule.setEndDate(utc(1, 0));
    info.setRepetitionRule(rule);
    info.setScheduleRRule("FREQ=DAILY");
    QCOMPARE(info.getRepetitionRule().getRuleId(), RepetitionRule::Daily);
    QCOMPARE(info.getRepetitionRule().getRuleType(), RepetitionRule::Never);
    QCOMPARE(info.getRepetitionRule().getEndCount(), 0);
    QVERIFY(info.getRepetitionRule().getEndDate().isNull());
}

void TestScheduleRecord::debugPrint()
{
    ScheduleDataInfo info = record(42, utc(1, 9), utc(1, 10, 30), "Stand \"up\"", 2, 3);
    info.setDescription("room 4");
    info.setAllDay(false);
    info.setRemindData(RemindData(15, QTime(9, 0)));
    info.setScheduleRRule("FREQ=WEEKLY;COUNT=3");

    QString begin, end, printed;
    QDebug(&begin) << info.getBeginDateTime();
    QDebug(&end) << info.getEndDateTime();
    QDebug(&printed) << info;
    const QString expected =
        "( \"ID:\" 42 \",\" \"IsAllDay:\" false \",\" \"TitleName:\" \"Stand \\\"up\\\"\" \",\" "
        "\"BeginDateTime:\" " +
        begin + "\",\" \"EndDateTime:\" " + end +
        "\",\" \"Description:\" \"room 4\" \",\" \"Type:\" 2 \",\" "
        "\"RRule:\" \"FREQ=WEEKLY;COUNT=3\" \",\" \"Remind:\" \"15\" \",\" \"RecurID:\" 3 ) ";
    QCOMPARE(printed, expected);
}

void TestScheduleRecord::metaType()
{
    const int id = ScheduleDataInfo::registerMetaType();
    QCOMPARE(id, qMetaTypeId<ScheduleDataInfo>());
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    QCOMPARE(QMetaType::fromName("ScheduleDataInfo").id(), id);
#else
    QCOMPARE(QMetaType::type("ScheduleDataInfo"), id);
#endif
    const ScheduleDataInfo info = single(5, 9, "carried");
    const QVariant variant = QVariant::fromValue(info);
    QCOMPARE(variant.userType(), id);
    QCOMPARE(variant.value<ScheduleDataInfo>().getTitleName(), QString("carried"));
}

void TestScheduleRecord::predefinedTypes()
{
    QCOMPARE(globalPredefinedTypes.size(), 4);
    const QStringList names = {"Work", "Life", "Other", "Festival"};
    const QStringList colors = {"#FF0000", "#00FF00", "#800080", "#FFFF00"};
    for (int i = 0; i < globalPredefinedTypes.size(); ++i) {
        QCOMPARE(globalPredefinedTypes.at(i).typeNumber, i + 1);
        QCOMPARE(globalPredefinedTypes.at(i).typeName, names.at(i));
        QCOMPARE(globalPredefinedTypes.at(i).typeColor, colors.at(i));
    }
}

QTEST_GUILESS_MAIN(TestScheduleRecord)
#include "tst_schedulerecord.moc"
