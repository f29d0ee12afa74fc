#include "scheduledatainfo.h"
#include "warningspy.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QScopeGuard>
#include <QTest>
#if QT_VERSION < QT_VERSION_CHECK(6, 0, 0)
#include <QTextCodec>
#endif
#include <QTimeZone>

#include <climits>
#include <ctime>
#include <functional>

using Range = QMap<QDate, QVector<ScheduleDataInfo>>;
using Edit = std::function<void(ScheduleDataInfo &)>;
Q_DECLARE_METATYPE(Edit)

// Runs with TZ=America/New_York (see CMakeLists.txt): local date-times are west of UTC.
class TestJsonForms : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void dateTimeWrite_data();
    void dateTimeWrite();
    void dateTimeRead_data();
    void dateTimeRead();
    void localTimeEastOfUtc();
    void jobTextMatchesGolden();
    void jobTextAsQtWritesIt_data();
    void jobTextAsQtWritesIt();
    void readJob_data();
    void readJob();
    void readJobParseFailure_data();
    void readJobParseFailure();
    void jobRoundTrip_data();
    void jobRoundTrip();
    void readRange_data();
    void readRange();
    void readRangeParseFailure();
    void writeRange();
    void nonLatinUnderNonUtf8Locale();
};

namespace {

QDateTime zoned(const char *zone, int month, int day, int hour, int minute = 0)
{
    return QDateTime(QDate(2024, month, day), QTime(hour, minute), QTimeZone(zone));
}

QString readTestFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromUtf8(file.readAll()).trimmed();
}

// Same validity and, when valid, the same instant.
void compareInstants(const QDateTime &actual, const QDateTime &expected)
{
    QCOMPARE(actual.isValid(), expected.isValid());
    if (expected.isValid())
        QCOMPARE(actual.toMSecsSinceEpoch(), expected.toMSecsSinceEpoch());
}

void compareRecords(const ScheduleDataInfo &actual, const ScheduleDataInfo &expected)
{
    QCOMPARE(actual.getID(), expected.getID());
    QCOMPARE(actual.getType(), expected.getType());
    QCOMPARE(actual.getTitleName(), expected.getTitleName());
    QVERIFY(!actual.getTitleName().isNull());
    QCOMPARE(actual.getDescription(), expected.getDescription());
    QVERIFY(!actual.getDescription().isNull());
    QCOMPARE(actual.getAllDay(), expected.getAllDay());
    QCOMPARE(actual.getRecurID(), expected.getRecurID());
    compareInstants(actual.getBeginDateTime(), expected.getBeginDateTime());
    compareInstants(actual.getEndDateTime(), expected.getEndDateTime());
    QCOMPARE(actual.getIgnoreTime().size(), expected.getIgnoreTime().size());
    for (int i = 0; i < expected.getIgnoreTime().size(); ++i)
        compareInstants(actual.getIgnoreTime().at(i), expected.getIgnoreTime().at(i));
    QCOMPARE(actual.getRemindData().getRemindNum(), expected.getRemindData().getRemindNum());
    QCOMPARE(actual.getRemindData().getRemindTime(), expected.getRemindData().getRemindTime());
    const RepetitionRule rule = actual.getRepetitionRule();
    const RepetitionRule expectedRule = expected.getRepetitionRule();
    QCOMPARE(rule.getRuleId(), expectedRule.getRuleId());
    QCOMPARE(rule.getRuleType(), expectedRule.getRuleType());
    QCOMPARE(rule.getEndCount(), expectedRule.getEndCount());
    QCOMPARE(rule.getEndDate(), expectedRule.getEndDate());
    QCOMPARE(actual.getCalendarId(), expected.getCalendarId());
    QCOMPARE(actual.getCalendarName(), expected.getCalendarName());
    QCOMPARE(actual.getCalendarColor(), expected.getCalendarColor());
    QCOMPARE(actual.getCalendarWritable(), expected.getCalendarWritable());
    QCOMPARE(actual.getDetails(), expected.getDetails());
    QVERIFY(!actual.getIsMoveInfo());
}

QString parseError(const QString &text)
{
    QJsonParseError error;
    QJsonDocument::fromJson(text.toUtf8(), &error);
    return error.errorString();
}

// "yyyy-MM-dd:title,title" per day, days in map order; "invalid" for the invalid date.
QString summary(const Range &range)
{
    QStringList days;
    for (auto it = range.cbegin(); it != range.cend(); ++it) {
        QStringList titles;
        for (const ScheduleDataInfo &info : it.value())
            titles << info.getTitleName();
        days << (it.key().isValid() ? it.key().toString(Qt::ISODate) : QString("invalid")) + ':' +
                    titles.join(',');
    }
    return days.join(' ');
}

ScheduleDataInfo goldenRecord()
{
    ScheduleDataInfo info;
    info.setID(42);
    info.setType(2);
    info.setTitleName("周会 Встреча");
    info.setDescription("line 1\nline 2 \"quoted\"");
    info.setAllDay(false);
    info.setBeginDateTime(zoned("Asia/Shanghai", 5, 1, 9));
    info.setEndDateTime(zoned("Asia/Shanghai", 5, 1, 10, 30));
    info.setIgnoreTime({zoned("Asia/Shanghai", 5, 8, 9), zoned("America/New_York", 5, 15, 21)});
    info.setRecurID(3);
    info.setRemindData(RemindData(15, QTime(9, 0)));
    info.setScheduleRRule("FREQ=WEEKLY;COUNT=11");
    return info;
}

} // namespace

void TestJsonForms::dateTimeWrite_data()
{
    QTest::addColumn<QDateTime>("dateTime");
    QTest::addColumn<QString>("text");

    const QDate may1(2024, 5, 1);
    QTest::newRow("east zone") << zoned("Asia/Shanghai", 5, 1, 9) << "2024-05-01T09:00:00+08:00";
    QTest::newRow("west fixed offset")
        << QDateTime(may1, QTime(9, 0), Qt::OffsetFromUTC, -5 * 3600) << "2024-05-01T09:00:00-05:00";
    QTest::newRow("utc") << QDateTime(may1, QTime(23, 5, 9), Qt::UTC) << "2024-05-01T23:05:09+00:00";
    QTest::newRow("half hour west") << zoned("America/St_Johns", 1, 15, 9) << "2024-01-15T09:00:00-03:30";
    QTest::newRow("quarter hour east") << zoned("Asia/Kathmandu", 1, 15, 9) << "2024-01-15T09:00:00+05:45";
    QTest::newRow("berlin before spring change")
        << zoned("Europe/Berlin", 3, 31, 1, 30) << "2024-03-31T01:30:00+01:00";
    QTest::newRow("berlin after spring change")
        << zoned("Europe/Berlin", 3, 31, 3, 30) << "2024-03-31T03:30:00+02:00";
    QTest::newRow("berlin after autumn change")
        << zoned("Europe/Berlin", 10, 27, 4) << "2024-10-27T04:00:00+01:00";
    QTest::newRow("local winter") << QDateTime(QDate(2024, 1, 15), QTime(9, 0))
                                  << "2024-01-15T09:00:00-05:00";
    QTest::newRow("local summer") << QDateTime(may1, QTime(9, 0)) << "2024-05-01T09:00:00-04:00";
    QTest::newRow("local before change")
        << QDateTime(QDate(2024, 3, 10), QTime(1, 30)) << "2024-03-10T01:30:00-05:00";
    QTest::newRow("local after change")
        << QDateTime(QDate(2024, 3, 10), QTime(3, 30)) << "2024-03-10T03:30:00-04:00";
    QTest::newRow("milliseconds dropped")
        << QDateTime(may1, QTime(9, 0, 0, 750), Qt::UTC) << "2024-05-01T09:00:00+00:00";
    QTest::newRow("offset seconds dropped")
        << QDateTime(may1, QTime(9, 0), Qt::OffsetFromUTC, -(3600 + 1800 + 15))
        << "2024-05-01T09:00:00-01:30";
    QTest::newRow("year padded to four digits")
        << QDateTime(QDate(800, 3, 4), QTime(5, 6, 7), Qt::UTC) << "0800-03-04T05:06:07+00:00";
    QTest::newRow("last second of year 9999")
        << QDateTime(QDate(9999, 12, 31), QTime(23, 59, 59), Qt::UTC) << "9999-12-31T23:59:59+00:00";
    QTest::newRow("fourteen hours east")
        << zoned("Pacific/Kiritimati", 1, 15, 9) << "2024-01-15T09:00:00+14:00";
    QTest::newRow("invalid") << QDateTime() << "+00:00";
}

void TestJsonForms::dateTimeWrite()
{
    QFETCH(QDateTime, dateTime);
    QFETCH(QString, text);
    QCOMPARE(ScheduleDataInfo::DateTimeToStringDate(dateTime), text);

    const QDateTime read = ScheduleDataInfo::StringDateToDateTime(text);
    QCOMPARE(read.isValid(), dateTime.isValid());
    if (!dateTime.isValid() || dateTime.time().msec() != 0 || dateTime.offsetFromUtc() % 60 != 0)
        return;
    QCOMPARE(read.toMSecsSinceEpoch(), dateTime.toMSecsSinceEpoch());
    QCOMPARE(read.offsetFromUtc(), dateTime.offsetFromUtc());
}

void TestJsonForms::dateTimeRead_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QDateTime>("dateTime");
    QTest::addColumn<int>("zoneKind");

    const QDate may1(2024, 5, 1);
    QTest::newRow("east offset") << "2024-05-01T09:00:00+08:00"
                                 << QDateTime(may1, QTime(9, 0), Qt::OffsetFromUTC, 8 * 3600)
                                 << int(Qt::OffsetFromUTC);
    QTest::newRow("west offset, fraction")
        << "2024-05-01T09:00:00.250-05:00"
        << QDateTime(may1, QTime(9, 0, 0, 250), Qt::OffsetFromUTC, -5 * 3600) << int(Qt::OffsetFromUTC);
    QTest::newRow("zulu") << "2024-05-01T09:00:00Z" << QDateTime(may1, QTime(9, 0), Qt::UTC) << int(Qt::UTC);
    QTest::newRow("no offset is local")
        << "2024-05-01T09:00:00" << QDateTime(may1, QTime(9, 0)) << int(Qt::LocalTime);
    QTest::newRow("date only is local midnight")
        << "2024-05-01" << QDateTime(may1, QTime(0, 0)) << int(Qt::LocalTime);
    QTest::newRow("offset only") << "+00:00" << QDateTime() << -1;
    QTest::newRow("empty") << "" << QDateTime() << -1;
    QTest::newRow("month 13") << "2024-13-01T09:00:00+08:00" << QDateTime() << -1;
    QTest::newRow("words") << "tomorrow morning" << QDateTime() << -1;
}

void TestJsonForms::dateTimeRead()
{
    QFETCH(QString, text);
    QFETCH(QDateTime, dateTime);
    QFETCH(int, zoneKind);
    const QDateTime read = ScheduleDataInfo::StringDateToDateTime(text);
    compareInstants(read, dateTime);
    if (zoneKind >= 0)
        QCOMPARE(int(read.timeSpec()), zoneKind);
}

void TestJsonForms::localTimeEastOfUtc()
{
    const QByteArray saved = qgetenv("TZ");
    auto restore = qScopeGuard([&saved] {
        qputenv("TZ", saved);
        tzset();
    });
    qputenv("TZ", "Asia/Shanghai");
    tzset();
    const QDateTime local(QDate(2024, 5, 1), QTime(9, 0));
    QCOMPARE(ScheduleDataInfo::DateTimeToStringDate(local), QString("2024-05-01T09:00:00+08:00"));
    QCOMPARE(ScheduleDataInfo::StringDateToDateTime("2024-05-01T09:00:00+08:00"), local);
}

void TestJsonForms::jobTextMatchesGolden()
{
    const QString golden = readTestFile(QStringLiteral(MODEL_TESTDATA "/job.json"));
    QVERIFY(!golden.isEmpty());
    QCOMPARE(ScheduleDataInfo::ScheduleToJsonStr(goldenRecord()), golden);
    compareRecords(ScheduleDataInfo::JsonStrToSchedule(golden), goldenRecord());
}

// The job's text against what QJsonDocument writes of it once read, as the server's answers were
// written before: every escape and the order of the keys, the calendar's sorted in among them.
void TestJsonForms::jobTextAsQtWritesIt_data()
{
    QTest::addColumn<Edit>("edit");
    QTest::addColumn<bool>("withCalendar");

    auto titled = [](const QString &title) {
        return Edit([title](ScheduleDataInfo &e) { e.setTitleName(title); });
    };
    QString controls;
    for (ushort u = 0; u < 0x20; ++u)
        controls += QChar(u);
    controls += QStringLiteral("\"\\/\x7f");
    QString everyCharacter;
    for (uint u = 0x20; u <= 0xffff; ++u) {
        if (!QChar::isSurrogate(u))
            everyCharacter += QChar(ushort(u));
    }
    everyCharacter += QString::fromUcs4(U"\U0001F389\U00010000\U0010FFFF");

    QTest::newRow("a default record") << Edit([](ScheduleDataInfo &) {}) << false;
    QTest::newRow("the golden record") << Edit([](ScheduleDataInfo &e) { e = goldenRecord(); }) << true;
    QTest::newRow("control characters") << titled(controls) << false;
    QTest::newRow("every character") << titled(everyCharacter) << true;
    QTest::newRow("a lone high surrogate")
        << titled(QStringLiteral("a") + QChar(0xd83c) + QStringLiteral("b")) << false;
    QTest::newRow("a lone low surrogate at the end") << titled(QStringLiteral("a") + QChar(0xdf89)) << false;
    QTest::newRow("a pair the wrong way round") << titled(QString(QChar(0xdf89)) + QChar(0xd83c)) << false;
    QTest::newRow("numbers at their ends") << Edit([](ScheduleDataInfo &e) {
        e.setID(INT_MAX);
        e.setType(-1);
        e.setRecurID(INT_MIN);
    }) << false;
    QTest::newRow("every key") << Edit([](ScheduleDataInfo &e) {
        e.setTitleName(QStringLiteral("Board \"Q4\"\n\tback\\slash"));
        e.setDescription(QStringLiteral("Line one\r\nLine two, 日本語"));
        e.setAllDay(false);
        e.setBeginDateTime(QDateTime(QDate(2024, 3, 5), QTime(9, 0), Qt::UTC));
        e.setEndDateTime(QDateTime(QDate(2024, 3, 5), QTime(10, 0), Qt::UTC));
        e.setIgnoreTime({QDateTime(QDate(2024, 3, 12), QTime(9, 0), Qt::UTC), QDateTime()});
        e.setScheduleRRule(QStringLiteral("FREQ=WEEKLY;BYDAY=TU"));
        e.setScheudleRemind(QStringLiteral("15"));
        e.setCompleted(true);
        e.setNoDate(true);
        EventDetails details;
        details.location = QStringLiteral("Room \"A\"");
        details.url = QStringLiteral("https://example.org/?a=1&b=2");
        details.organizer = {QStringLiteral("Zoë"), QStringLiteral("zoe@example.org"), {}, {}};
        details.attendees = {
            {{}, QStringLiteral("a@example.org"), QStringLiteral("required"), QStringLiteral("accepted")},
            {QStringLiteral("Bé"), QStringLiteral("b@example.org"), QStringLiteral("optional"),
             QStringLiteral("needs-action")}};
        details.myReply = QStringLiteral("tentative");
        details.conference = QStringLiteral("https://meet.example.org/x");
        details.timeZone = QStringLiteral("Europe/Berlin");
        e.setDetails(details);
    }) << true;
}

void TestJsonForms::jobTextAsQtWritesIt()
{
    QFETCH(Edit, edit);
    QFETCH(bool, withCalendar);
    ScheduleDataInfo info;
    edit(info);
    CalendarIdentity calendar;
    calendar.id = QStringLiteral("akonadi:\"7\",8");
    calendar.name = QStringLiteral("Ärzte, \\ und \"Termine\"");
    calendar.color = QStringLiteral("#33aa00");
    calendar.writable = false;
    const QByteArray keys = withCalendar ? calendar.jobKeys() : QByteArray();

    QJsonObject expected = ScheduleDataInfo::ScheduleToJson(info);
    if (withCalendar) {
        const QJsonObject members = QJsonDocument::fromJson("{" + keys.mid(1) + "}").object();
        QCOMPARE(members.size(), 4);
        for (auto member = members.begin(); member != members.end(); ++member)
            expected.insert(member.key(), member.value());
    }
    QCOMPARE(ScheduleDataInfo::ScheduleToJsonText(info, keys),
             QJsonDocument(expected).toJson(QJsonDocument::Compact));
}

void TestJsonForms::readJob_data()
{
    QTest::addColumn<QString>("json");
    QTest::addColumn<Edit>("expect");

    const QDateTime may1 = QDateTime(QDate(2024, 5, 1), QTime(9, 0), Qt::OffsetFromUTC, 8 * 3600);
    QTest::newRow("empty object") << "{}" << Edit([](ScheduleDataInfo &) {});
    QTest::newRow("not an object") << "[1,2]" << Edit([](ScheduleDataInfo &) {});
    QTest::newRow("no AllDay, no Type") << R"({"ID":5,"Title":"x"})" << Edit([](ScheduleDataInfo &e) {
        e.setID(5);
        e.setTitleName("x");
    });
    QTest::newRow("ID integral double") << R"({"ID":12.0})" << Edit([](ScheduleDataInfo &e) { e.setID(12); });
    QTest::newRow("ID fraction") << R"({"ID":12.5})" << Edit([](ScheduleDataInfo &) {});
    QTest::newRow("ID string") << R"({"ID":"12"})" << Edit([](ScheduleDataInfo &) {});
    QTest::newRow("ID beyond int") << R"({"ID":3000000000})" << Edit([](ScheduleDataInfo &) {});
    QTest::newRow("ID int minimum") << R"({"ID":-2147483648})"
                                    << Edit([](ScheduleDataInfo &e) { e.setID(INT_MIN); });
    QTest::newRow("Type string") << R"({"Type":"2"})" << Edit([](ScheduleDataInfo &e) { e.setType(0); });
    QTest::newRow("Type null") << R"({"Type":null})" << Edit([](ScheduleDataInfo &e) { e.setType(0); });
    QTest::newRow("RecurID") << R"({"RecurID":7})" << Edit([](ScheduleDataInfo &e) { e.setRecurID(7); });
    QTest::newRow("RecurID bool") << R"({"RecurID":true})" << Edit([](ScheduleDataInfo &) {});
    QTest::newRow("AllDay false") << R"({"AllDay":false})"
                                  << Edit([](ScheduleDataInfo &e) { e.setAllDay(false); });
    QTest::newRow("AllDay string") << R"({"AllDay":"true"})"
                                   << Edit([](ScheduleDataInfo &e) { e.setAllDay(false); });
    QTest::newRow("AllDay number") << R"({"AllDay":1})"
                                   << Edit([](ScheduleDataInfo &e) { e.setAllDay(false); });
    QTest::newRow("Title number") << R"({"Title":5})" << Edit([](ScheduleDataInfo &) {});
    QTest::newRow("Description array") << R"({"Description":["a"]})" << Edit([](ScheduleDataInfo &) {});
    QTest::newRow("Start and End")
        << R"({"Start":"2024-05-01T09:00:00+08:00","End":"2024-05-01T10:00:00+08:00"})"
        << Edit([may1](ScheduleDataInfo &e) {
               e.setBeginDateTime(may1);
               e.setEndDateTime(may1.addSecs(3600));
           });
    QTest::newRow("Start number") << R"({"Start":20240501,"End":"01/05/2024 09:00"})"
                                  << Edit([](ScheduleDataInfo &) {});
    QTest::newRow("RRule") << R"({"RRule":"FREQ=DAILY;COUNT=2"})" << Edit([](ScheduleDataInfo &e) {
        e.getRepetitionRule().setRuleId(RepetitionRule::Daily);
        e.getRepetitionRule().setRuleType(RepetitionRule::AfterCount);
        e.getRepetitionRule().setEndCount(1);
    });
    QTest::newRow("RRule number") << R"({"RRule":1})" << Edit([](ScheduleDataInfo &) {});
    QTest::newRow("Remind number") << R"({"Remind":15})" << Edit([](ScheduleDataInfo &) {});
    QTest::newRow("all-day Remind on timed job")
        << R"({"AllDay":false,"Remind":"1;08:00"})" << Edit([](ScheduleDataInfo &e) {
               e.setAllDay(false);
               e.setRemindData(RemindData(1, QTime(8, 0)));
           });
    QTest::newRow("Ignore not an array")
        << R"({"Ignore":"2024-05-01T09:00:00+08:00"})" << Edit([](ScheduleDataInfo &) {});
    QTest::newRow("Ignore keeps unreadable entries")
        << R"({"Ignore":["2024-05-01T09:00:00+08:00",5,"bad",null]})" << Edit([may1](ScheduleDataInfo &e) {
               e.setIgnoreTime({may1, QDateTime(), QDateTime(), QDateTime()});
           });
    QTest::newRow("calendar identity")
        << R"({"ID":3,"CalendarID":"a1b2","CalendarName":"Work","CalendarColor":"#3366cc","CalendarWritable":false})"
        << Edit([](ScheduleDataInfo &e) {
               e.setID(3);
               e.setCalendar({QStringLiteral("a1b2"),
                              QStringLiteral("Work"),
                              QStringLiteral("#3366cc"),
                              false,
                              {},
                              {}});
           });
    QTest::newRow("calendar without colour, writable by default")
        << R"({"CalendarID":"a1b2","CalendarName":"Work"})" << Edit([](ScheduleDataInfo &e) {
               e.setCalendar({QStringLiteral("a1b2"), QStringLiteral("Work"), {}, true, {}, {}});
           });
    QTest::newRow("calendar keys without an ID ignored")
        << R"({"CalendarID":7,"CalendarName":"Work"})" << Edit([](ScheduleDataInfo &) {});
    QTest::newRow("unknown keys ignored")
        << R"({"Colour":"red","ID":3,"IsMoveInfo":true})" << Edit([](ScheduleDataInfo &e) { e.setID(3); });
}

void TestJsonForms::readJob()
{
    QFETCH(QString, json);
    QFETCH(Edit, expect);
    ScheduleDataInfo expected;
    expect(expected);
    WarningSpy spy;
    compareRecords(ScheduleDataInfo::JsonStrToSchedule(json), expected);
    QCOMPARE(spy.warnings, QStringList());
}

void TestJsonForms::readJobParseFailure_data()
{
    QTest::addColumn<QString>("json");
    QTest::newRow("empty") << "";
    QTest::newRow("unterminated") << R"({"ID":1,"Title":"x")";
    QTest::newRow("trailing comma") << R"({"ID":1,})";
    QTest::newRow("single quotes") << "{'ID':1}";
}

void TestJsonForms::readJobParseFailure()
{
    QFETCH(QString, json);
    QTest::ignoreMessage(QtWarningMsg, qPrintable(parseError(json)));
    compareRecords(ScheduleDataInfo::JsonStrToSchedule(json), ScheduleDataInfo());
}

void TestJsonForms::readRange_data()
{
    QTest::addColumn<QString>("json");
    QTest::addColumn<QString>("days");

    QTest::newRow("two days") << R"([{"Date":"2024-05-02","Jobs":[{"Title":"c"}]},
                                     {"Date":"2024-05-01","Jobs":[{"Title":"a"},{"Title":"b"}]}])"
                              << "2024-05-01:a,b 2024-05-02:c";
    QTest::newRow("duplicate date, later wins") << R"([{"Date":"2024-05-01","Jobs":[{"Title":"a"}]},
                                                      {"Date":"2024-05-02","Jobs":[{"Title":"b"}]},
                                                      {"Date":"2024-05-01","Jobs":[{"Title":"c"}]}])"
                                                << "2024-05-01:c 2024-05-02:b";
    QTest::newRow("no Date continues previous day") << R"([{"Date":"2024-05-01","Jobs":[{"Title":"a"}]},
                                                          {"Jobs":[{"Title":"b"}]}])"
                                                    << "2024-05-01:b";
    QTest::newRow("no Date first") << R"([{"Jobs":[{"Title":"a"}]},{"Date":"2024-05-01","Jobs":[]}])"
                                   << "invalid:a 2024-05-01:";
    QTest::newRow("no Jobs") << R"([{"Date":"2024-05-01"}])"
                             << "2024-05-01:";
    QTest::newRow("Jobs not an array") << R"([{"Date":"2024-05-01","Jobs":{"Title":"a"}}])"
                                       << "2024-05-01:";
    QTest::newRow("job not an object") << R"([{"Date":"2024-05-01","Jobs":[7,{"Title":"a"}]}])"
                                       << "2024-05-01:,a";
    QTest::newRow("Date not yyyy-MM-dd") << R"([{"Date":"01.05.2024","Jobs":[{"Title":"a"}]}])"
                                         << "invalid:a";
    QTest::newRow("element not an object") << R"([{"Date":"2024-05-01","Jobs":[{"Title":"a"}]},3])"
                                           << "2024-05-01:";
    QTest::newRow("empty array") << "[]"
                                 << "";
    QTest::newRow("top-level object") << R"({"Date":"2024-05-01","Jobs":[{"Title":"a"}]})"
                                      << "";
}

void TestJsonForms::readRange()
{
    QFETCH(QString, json);
    QFETCH(QString, days);
    WarningSpy spy;
    QCOMPARE(summary(ScheduleDataInfo::StrJsonToRangeInfo(json)), days);
    QCOMPARE(spy.warnings, QStringList());
}

void TestJsonForms::readRangeParseFailure()
{
    const QString json = R"([{"Date":"2024-05-01","Jobs":[{"Title":"a"}]})";
    QTest::ignoreMessage(QtWarningMsg, qPrintable(parseError(json)));
    QVERIFY(ScheduleDataInfo::StrJsonToRangeInfo(json).isEmpty());
}

void TestJsonForms::jobRoundTrip_data()
{
    QTest::addColumn<ScheduleDataInfo>("record");

    QTest::newRow("default record") << ScheduleDataInfo();
    QTest::newRow("golden") << goldenRecord();

    ScheduleDataInfo allDay;
    allDay.setID(9);
    allDay.setBeginDateTime(QDateTime(QDate(2024, 3, 10), QTime(0, 0)));
    allDay.setEndDateTime(QDateTime(QDate(2024, 3, 10), QTime(23, 59)));
    allDay.setRemindData(RemindData(2, QTime(18, 45)));
    allDay.getRepetitionRule().setRuleId(RepetitionRule::Yearly);
    allDay.getRepetitionRule().setRuleType(RepetitionRule::UntilDate);
    allDay.getRepetitionRule().setEndDate(QDateTime(QDate(2030, 3, 10), QTime(0, 0)));
    allDay.getRepetitionRule().setEndCount(6);
    QTest::newRow("all-day, until, count not written") << allDay;

    ScheduleDataInfo timed = allDay;
    timed.setAllDay(false);
    timed.setRemindData(RemindData(30, QTime(18, 0)));
    timed.getRepetitionRule().setRuleType(RepetitionRule::AfterCount);
    QTest::newRow("timed, reminder time not written, end date not written") << timed;

    ScheduleDataInfo ofCalendar = goldenRecord();
    ofCalendar.setCalendar(
        {QStringLiteral("0f3c"), QStringLiteral("Fußball \"A\""), QStringLiteral("#ff8800"), false, {}, {}});
    QTest::newRow("calendar identity after the job's own keys") << ofCalendar;

    ScheduleDataInfo invitation = ofCalendar;
    EventDetails details;
    details.location = QStringLiteral("Raum 4, \"Süd\"");
    details.organizer = {QStringLiteral("Dana"), QStringLiteral("dana@example.com"), {}, {}};
    details.attendees = {
        {QStringLiteral("Kim, Lee"), QStringLiteral("kim@example.net"), QStringLiteral("optional"),
         QStringLiteral("tentative")},
        {{}, QStringLiteral("me@example.org"), QStringLiteral("required"), QStringLiteral("needs-action")}};
    details.myReply = QStringLiteral("needs-action");
    details.conference = QStringLiteral("https://meet.google.com/abc-defg-hij");
    details.timeZone = QStringLiteral("America/New_York");
    invitation.setDetails(details);
    QTest::newRow("an invitation's details with the calendar identity") << invitation;

    ScheduleDataInfo mixed;
    mixed.setID(-3);
    mixed.setType(4);
    mixed.setRecurID(INT_MAX);
    mixed.setTitleName("tab\t \\ \"q\" 😀");
    mixed.setBeginDateTime(QDateTime(QDate(2024, 11, 3), QTime(1, 30), Qt::UTC));
    mixed.setEndDateTime(QDateTime(QDate(2024, 11, 3), QTime(3, 30)));
    mixed.setIgnoreTime(
        {QDateTime(), zoned("Europe/Berlin", 10, 27, 2, 30), zoned("Asia/Kathmandu", 1, 1, 0)});
    mixed.setIsMoveInfo(true);
    QTest::newRow("escapes, zones, invalid ignore entry, move flag") << mixed;
}

void TestJsonForms::jobRoundTrip()
{
    QFETCH(ScheduleDataInfo, record);
    ScheduleDataInfo expected = record;
    expected.setIsMoveInfo(false);
    if (!record.getAllDay())
        expected.setRemindData(RemindData(record.getRemindData().getRemindNum(), QTime(9, 0)));
    RepetitionRule &rule = expected.getRepetitionRule();
    if (rule.getRuleType() != RepetitionRule::AfterCount)
        rule.setEndCount(0);
    if (rule.getRuleType() != RepetitionRule::UntilDate)
        rule.setEndDate(QDateTime());

    const QString text = ScheduleDataInfo::ScheduleToJsonStr(record);
    QVERIFY(!text.contains(' ') || record.getTitleName().contains(' ') ||
            record.getCalendarName().contains(' '));
    // A reader that knows the eleven keys in their order finds them first, as before.
    ScheduleDataInfo plain = record;
    plain.setCalendar({});
    const QString own = ScheduleDataInfo::ScheduleToJsonStr(plain);
    QVERIFY(text.startsWith(own.left(own.size() - 1)));
    compareRecords(ScheduleDataInfo::JsonStrToSchedule(text), expected);
}

void TestJsonForms::writeRange()
{
    QCOMPARE(ScheduleDataInfo::RangeInfoToStrJson({}), QString("[]"));

    ScheduleDataInfo a, b, c;
    a.setTitleName("a");
    b.setTitleName("b");
    c.setTitleName("c");
    Range range;
    range.insert(QDate(2024, 5, 3), {});
    range.insert(QDate(2024, 5, 2), {a});
    range.insert(QDate(2024, 5, 1), {b, c});
    const QString text = ScheduleDataInfo::RangeInfoToStrJson(range);
    const QString expected = R"([{"Date":"2024-05-01","Jobs":[)" + ScheduleDataInfo::ScheduleToJsonStr(b) +
                             ',' + ScheduleDataInfo::ScheduleToJsonStr(c) +
                             R"(]},{"Date":"2024-05-02","Jobs":[)" + ScheduleDataInfo::ScheduleToJsonStr(a) +
                             R"(]},{"Date":"2024-05-03","Jobs":[]}])";
    QCOMPARE(text, expected);
    QCOMPARE(summary(ScheduleDataInfo::StrJsonToRangeInfo(text)),
             QString("2024-05-01:b,c 2024-05-02:a 2024-05-03:"));
}

// Regression: the readers encoded the text with the locale's 8-bit codec, which turned every
// non-Latin title into question marks under a C or Latin-1 locale.
void TestJsonForms::nonLatinUnderNonUtf8Locale()
{
#if QT_VERSION < QT_VERSION_CHECK(6, 0, 0) // Qt 6 takes every locale's 8-bit encoding for UTF-8
    QTextCodec *saved = QTextCodec::codecForLocale();
    auto restore = qScopeGuard([saved] { QTextCodec::setCodecForLocale(saved); });
    QTextCodec::setCodecForLocale(QTextCodec::codecForName("ISO-8859-1"));
    QVERIFY(QString("周会").toLocal8Bit() != QString("周会").toUtf8());
#endif

    const QString range = readTestFile(QStringLiteral(MODEL_TESTDATA "/range-nonlatin.json"));
    QVERIFY(!range.isEmpty());
    QCOMPARE(summary(ScheduleDataInfo::StrJsonToRangeInfo(range)),
             QString("2024-05-01:劳动节,Встреча с командой 2024-05-02:Ελληνικά and ümlauts"));

    const QString job = readTestFile(QStringLiteral(MODEL_TESTDATA "/job.json"));
    QCOMPARE(ScheduleDataInfo::JsonStrToSchedule(job).getTitleName(), QString("周会 Встреча"));
    QCOMPARE(ScheduleDataInfo::ScheduleToJsonStr(goldenRecord()), job);
}

QTEST_GUILESS_MAIN(TestJsonForms)
#include "tst_jsonforms.moc"
