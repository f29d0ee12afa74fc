#include "scheduledatainfo.h"
#include "warningspy.h"

#include <QTest>
#include <QTimeZone>

#include <limits>

Q_DECLARE_METATYPE(RepetitionRule)

// Runs with TZ=Europe/Berlin (see CMakeLists.txt): end dates are read as local date-times.
class TestCodecs : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void remindWrite_data();
    void remindWrite();
    void remindRead_data();
    void remindRead();
    void remindRoundTrip_data();
    void remindRoundTrip();
    void ruleWrite_data();
    void ruleWrite();
    void ruleRead_data();
    void ruleRead();
    void ruleRoundTrip_data();
    void ruleRoundTrip();
    void untilWithoutValue_data();
    void untilWithoutValue();
    void endDate_data();
    void endDate();
    void clearKeepsEnd();
};

namespace {

QDateTime local(int year, int month, int day, int hour = 0, int minute = 0, int second = 0)
{
    return QDateTime(QDate(year, month, day), QTime(hour, minute, second));
}

RepetitionRule makeRule(RepetitionRule::RRuleID id, RepetitionRule::RRuleEndType type, int count = 0,
                        const QDateTime &until = QDateTime())
{
    RepetitionRule rule;
    rule.setRuleId(id);
    rule.setRuleType(type);
    rule.setEndCount(count);
    rule.setEndDate(until);
    return rule;
}

void compareRules(const RepetitionRule &actual, const RepetitionRule &expected)
{
    QCOMPARE(actual.getRuleId(), expected.getRuleId());
    QCOMPARE(actual.getRuleType(), expected.getRuleType());
    QCOMPARE(actual.getEndCount(), expected.getEndCount());
    QCOMPARE(actual.getEndDate(), expected.getEndDate());
    QCOMPARE(actual.getEndDate().timeSpec(), expected.getEndDate().timeSpec());
}

} // namespace

void TestCodecs::remindWrite_data()
{
    QTest::addColumn<int>("number");
    QTest::addColumn<QTime>("time");
    QTest::addColumn<bool>("allDay");
    QTest::addColumn<QString>("text");

    QTest::newRow("none, all-day") << -1 << QTime(9, 0) << true << "";
    QTest::newRow("none, timed") << -1 << QTime(9, 0) << false << "";
    QTest::newRow("at start, timed") << 0 << QTime(9, 0) << false << "0";
    QTest::newRow("15 minutes, time not carried") << 15 << QTime(18, 30) << false << "15";
    QTest::newRow("negative kept") << -5 << QTime(9, 0) << false << "-5";
    QTest::newRow("a day before at 09:00") << 1 << QTime(9, 0) << true << "1;09:00";
    QTest::newRow("same day at midnight") << 0 << QTime(0, 0) << true << "0;00:00";
    QTest::newRow("seconds dropped") << 2 << QTime(18, 30, 59) << true << "2;18:30";
    QTest::newRow("invalid time") << 1 << QTime() << true << "1;";
}

void TestCodecs::remindWrite()
{
    QFETCH(int, number);
    QFETCH(QTime, time);
    QFETCH(bool, allDay);
    QFETCH(QString, text);
    QCOMPARE(RemindData::RemindDataToRemindString(RemindData(number, time), allDay), text);
}

void TestCodecs::remindRead_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("number");
    QTest::addColumn<QTime>("time");

    QTest::newRow("empty") << "" << -1 << QTime(9, 0);
    QTest::newRow("zero minutes") << "0" << 0 << QTime(9, 0);
    QTest::newRow("minutes") << "15" << 15 << QTime(9, 0);
    QTest::newRow("days and time") << "1;18:45" << 1 << QTime(18, 45);
    QTest::newRow("no time after ;") << "1;" << 1 << QTime(9, 0);
    // Nothing to read: the default, not a reminder at the start time.
    QTest::newRow("semicolon only") << ";" << -1 << QTime(9, 0);
    QTest::newRow("semicolons only") << ";;;" << -1 << QTime(9, 0);
    QTest::newRow("leading semicolon") << ";2;07:00" << 2 << QTime(7, 0);
    QTest::newRow("not a number") << "soon" << 0 << QTime(9, 0);
    QTest::newRow("hour out of range") << "2;25:00" << 2 << QTime();
    QTest::newRow("time not hh:mm") << "2;noon" << 2 << QTime();
    QTest::newRow("extra parts ignored") << "3;07:15;x" << 3 << QTime(7, 15);
}

void TestCodecs::remindRead()
{
    QFETCH(QString, text);
    QFETCH(int, number);
    QFETCH(QTime, time);
    const RemindData data = RemindData::RemindStringToRemindData(text);
    QCOMPARE(data.getRemindNum(), number);
    QCOMPARE(data.getRemindTime(), time);
}

void TestCodecs::remindRoundTrip_data()
{
    QTest::addColumn<int>("number");
    QTest::addColumn<QTime>("time");
    QTest::addColumn<bool>("allDay");

    QTest::newRow("none") << -1 << QTime(9, 0) << true;
    QTest::newRow("timed 0") << 0 << QTime(9, 0) << false;
    QTest::newRow("timed 1440") << 1440 << QTime(9, 0) << false;
    QTest::newRow("all-day 7 at 23:59") << 7 << QTime(23, 59) << true;
    QTest::newRow("all-day 0 at 00:00") << 0 << QTime(0, 0) << true;
}

void TestCodecs::remindRoundTrip()
{
    QFETCH(int, number);
    QFETCH(QTime, time);
    QFETCH(bool, allDay);
    const RemindData back = RemindData::RemindStringToRemindData(
        RemindData::RemindDataToRemindString(RemindData(number, time), allDay));
    QCOMPARE(back.getRemindNum(), number);
    QCOMPARE(back.getRemindTime(), time);
}

void TestCodecs::ruleWrite_data()
{
    QTest::addColumn<RepetitionRule>("rule");
    QTest::addColumn<QString>("text");

    using R = RepetitionRule;
    QTest::newRow("none") << makeRule(R::NoRepeat, R::Never) << "";
    QTest::newRow("daily") << makeRule(R::Daily, R::Never) << "FREQ=DAILY";
    QTest::newRow("workdays") << makeRule(R::Workdays, R::Never) << "FREQ=DAILY;BYDAY=MO,TU,WE,TH,FR";
    QTest::newRow("weekly") << makeRule(R::Weekly, R::Never) << "FREQ=WEEKLY";
    QTest::newRow("monthly") << makeRule(R::Monthly, R::Never) << "FREQ=MONTHLY";
    QTest::newRow("yearly") << makeRule(R::Yearly, R::Never) << "FREQ=YEARLY";
    // Regression: before the enums had a fixed underlying type, 9 and 7 were out of range (UBSan).
    QTest::newRow("unknown pattern") << makeRule(static_cast<R::RRuleID>(9), R::AfterCount, 1) << ";COUNT=2";
    QTest::newRow("daily, five in all") << makeRule(R::Daily, R::AfterCount, 4) << "FREQ=DAILY;COUNT=5";
    QTest::newRow("no pattern, count") << makeRule(R::NoRepeat, R::AfterCount, 2) << ";COUNT=3";
    QTest::newRow("weekly until local midnight")
        << makeRule(R::Weekly, R::UntilDate, 0, local(2024, 5, 1)) << "FREQ=WEEKLY;UNTIL=20240501T000000Z";
    QTest::newRow("workdays until, count unused")
        << makeRule(R::Workdays, R::UntilDate, 8, local(2024, 12, 31, 23, 59))
        << "FREQ=DAILY;BYDAY=MO,TU,WE,TH,FR;UNTIL=20241231T235900Z";
    QTest::newRow("until without date") << makeRule(R::Yearly, R::UntilDate) << "FREQ=YEARLY;UNTIL=Z";
    QTest::newRow("unknown end kind")
        << makeRule(R::Monthly, static_cast<R::RRuleEndType>(7), 3) << "FREQ=MONTHLY";
    // Regression: writing the count as endCount + 1 overflowed an int (UBSan).
    QTest::newRow("count at int maximum")
        << makeRule(R::Daily, R::AfterCount, std::numeric_limits<int>::max())
        << "FREQ=DAILY;COUNT=2147483648";
}

void TestCodecs::ruleWrite()
{
    QFETCH(RepetitionRule, rule);
    QFETCH(QString, text);
    QCOMPARE(RepetitionRule::RuleDataToRuleString(rule), text);
}

void TestCodecs::ruleRead_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<RepetitionRule>("rule");

    using R = RepetitionRule;
    QTest::newRow("empty") << "" << makeRule(R::NoRepeat, R::Never);
    QTest::newRow("semicolons only") << ";;" << makeRule(R::NoRepeat, R::Never);
    QTest::newRow("daily count") << "FREQ=DAILY;COUNT=5" << makeRule(R::Daily, R::AfterCount, 4);
    QTest::newRow("workdays, byday first")
        << "BYDAY=MO,TU,WE,TH,FR;FREQ=DAILY" << makeRule(R::Workdays, R::Never);
    QTest::newRow("weekly with workdays")
        << "FREQ=WEEKLY;BYDAY=MO,TU,WE,TH,FR" << makeRule(R::Weekly, R::Never);
    QTest::newRow("daily, other weekdays") << "FREQ=DAILY;BYDAY=MO,TU" << makeRule(R::Daily, R::Never);
    QTest::newRow("lower case") << "freq=daily" << makeRule(R::NoRepeat, R::Never);
    QTest::newRow("interval ignored") << "FREQ=MONTHLY;INTERVAL=2" << makeRule(R::Monthly, R::Never);
    QTest::newRow("yearly") << "FREQ=YEARLY" << makeRule(R::Yearly, R::Never);
    QTest::newRow("weekly until") << "FREQ=WEEKLY;UNTIL=20240501T000000Z"
                                  << makeRule(R::Weekly, R::UntilDate, 0, local(2024, 5, 1));
    QTest::newRow("no pattern, count") << ";COUNT=3" << makeRule(R::NoRepeat, R::AfterCount, 2);
    QTest::newRow("count not a number") << "FREQ=DAILY;COUNT=many" << makeRule(R::Daily, R::AfterCount, -1);
    // A "COUNT=" without a number is not read at all: neither the end kind nor the count changes.
    QTest::newRow("count without value") << "FREQ=DAILY;COUNT=" << makeRule(R::Daily, R::Never);
    QTest::newRow("count without value after count")
        << "FREQ=DAILY;COUNT=4;COUNT=" << makeRule(R::Daily, R::AfterCount, 3);
    QTest::newRow("count then until") << "FREQ=DAILY;COUNT=3;UNTIL=20240501T120000Z"
                                      << makeRule(R::Daily, R::UntilDate, 2, local(2024, 5, 1, 12));
    QTest::newRow("until then count") << "FREQ=DAILY;UNTIL=20240501T120000Z;COUNT=3"
                                      << makeRule(R::Daily, R::AfterCount, 2, local(2024, 5, 1, 12));
    QTest::newRow("until not a date") << "FREQ=WEEKLY;UNTIL=tomorrowZ" << makeRule(R::Weekly, R::UntilDate);
    // Regression: the count minus one overflowed an int (UBSan; corpus/rrule/count-int-min).
    QTest::newRow("count at int minimum")
        << "FREQ=DAILY;COUNT=-2147483648"
        << makeRule(R::Daily, R::AfterCount, std::numeric_limits<int>::min());
    QTest::newRow("count at int maximum")
        << "FREQ=DAILY;COUNT=2147483647"
        << makeRule(R::Daily, R::AfterCount, std::numeric_limits<int>::max() - 1);
}

void TestCodecs::ruleRead()
{
    QFETCH(QString, text);
    QFETCH(RepetitionRule, rule);
    WarningSpy spy;
    compareRules(RepetitionRule::RuleStringToRuleData(text), rule);
    QCOMPARE(spy.warnings, QStringList());
}

void TestCodecs::ruleRoundTrip_data()
{
    QTest::addColumn<RepetitionRule>("rule");

    using R = RepetitionRule;
    for (R::RRuleID id : {R::NoRepeat, R::Daily, R::Workdays, R::Weekly, R::Monthly, R::Yearly}) {
        const QByteArray name = QByteArray::number(id);
        QTest::newRow(name + " never") << makeRule(id, R::Never);
        QTest::newRow(name + " count") << makeRule(id, R::AfterCount, 9);
        // The last Sunday of March: the hour after the clock change still reads back as written.
        QTest::newRow(name + " until") << makeRule(id, R::UntilDate, 0, local(2024, 3, 31, 3, 30));
    }
}

void TestCodecs::ruleRoundTrip()
{
    QFETCH(RepetitionRule, rule);
    compareRules(RepetitionRule::RuleStringToRuleData(RepetitionRule::RuleDataToRuleString(rule)), rule);
}

void TestCodecs::untilWithoutValue_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<RepetitionRule>("rule");

    using R = RepetitionRule;
    QTest::newRow("alone") << "FREQ=DAILY;UNTIL=" << makeRule(R::Daily, R::Never);
    QTest::newRow("after count") << "FREQ=WEEKLY;COUNT=3;UNTIL=" << makeRule(R::Weekly, R::AfterCount, 2);
    QTest::newRow("before count") << "UNTIL=;COUNT=2" << makeRule(R::NoRepeat, R::AfterCount, 1);
}

void TestCodecs::untilWithoutValue()
{
    QFETCH(QString, text);
    QFETCH(RepetitionRule, rule);
    QTest::ignoreMessage(QtWarningMsg, qPrintable("Recurrence Rule Err, " + text));
    compareRules(RepetitionRule::RuleStringToRuleData(text), rule);
}

void TestCodecs::endDate_data()
{
    QTest::addColumn<QDateTime>("dateTime");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QDateTime>("readBack");

    QTest::newRow("local") << local(2024, 5, 1) << "20240501T000000Z" << local(2024, 5, 1);
    // Clock time as it stands, not converted to UTC, and read back as local clock time.
    QTest::newRow("utc") << QDateTime(QDate(2024, 5, 1), QTime(23, 30), Qt::UTC) << "20240501T233000Z"
                         << local(2024, 5, 1, 23, 30);
    QTest::newRow("new york zone") << QDateTime(QDate(2024, 1, 2), QTime(9, 5, 7),
                                                QTimeZone("America/New_York"))
                                   << "20240102T090507Z" << local(2024, 1, 2, 9, 5, 7);
    QTest::newRow("invalid") << QDateTime() << "Z" << QDateTime();
}

void TestCodecs::endDate()
{
    QFETCH(QDateTime, dateTime);
    QFETCH(QString, text);
    QFETCH(QDateTime, readBack);
    QCOMPARE(RepetitionRule::endDateToString(dateTime), text);
    const QDateTime read = RepetitionRule::resolutionEndDate(text);
    QCOMPARE(read, readBack);
    if (read.isValid())
        QCOMPARE(read.timeSpec(), Qt::LocalTime);
    // Whatever the last character is, it is dropped.
    QCOMPARE(RepetitionRule::resolutionEndDate(text.chopped(1) + "X"), readBack);
}

void TestCodecs::clearKeepsEnd()
{
    RepetitionRule rule =
        makeRule(RepetitionRule::Weekly, RepetitionRule::AfterCount, 4, local(2024, 6, 1, 8));
    rule.clear();
    QCOMPARE(rule.getRuleId(), RepetitionRule::NoRepeat);
    QCOMPARE(RepetitionRule::RuleDataToRuleString(rule), QString());
    rule.setRuleType(RepetitionRule::UntilDate);
    QCOMPARE(RepetitionRule::RuleDataToRuleString(rule), QString(";UNTIL=20240601T080000Z"));
    rule.setRuleType(RepetitionRule::AfterCount);
    QCOMPARE(RepetitionRule::RuleDataToRuleString(rule), QString(";COUNT=5"));
}

QTEST_GUILESS_MAIN(TestCodecs)
#include "tst_codecs.moc"
