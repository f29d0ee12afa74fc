#include "calendarstore.h"
#include "warningspy.h"

#include <QJsonDocument>
#include <QSaveFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

// The store answers GetJobs from an index of occurrences kept across queries and re-reads; every
// answer must be what a store that has just read the same files gives.
class TestOccurrenceIndex : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void sameAsFreshStore_data();
    void sameAsFreshStore();
    void answerIsCompactJson();
    void windowGrowsWithQueries();
    void editRefusesFileChangedOnDisk();
    void readsAsWritten_data();
    void readsAsWritten();
    void damagedFileLeftAloneByEdits();
    void filesThatComeAndGo();
    void todosAreJobsOfTheirOwn();
    void remindersAsWritten_data();
    void remindersAsWritten();

private:
    bool writeCalendar(const QByteArray &events);
    QString fresh(const QDate &first, const QDate &last) const;

    QTemporaryDir m_dir;
    QString m_path;
};

namespace {

const QByteArray daily = "BEGIN:VEVENT\r\nUID:daily\r\nDTSTART;TZID=Europe/Berlin:20240102T090000\r\n"
                         "DURATION:PT30M\r\nRRULE:FREQ=DAILY\r\nSUMMARY:Stand-up\r\nEND:VEVENT\r\n";
const QByteArray single =
    "BEGIN:VEVENT\r\nUID:single\r\nDTSTART:20240305T120000Z\r\nDTEND:20240305T130000Z\r\n"
    "SUMMARY:Lunch\r\nEND:VEVENT\r\n";
const QByteArray weekly = "BEGIN:VEVENT\r\nUID:weekly\r\nDTSTART;VALUE=DATE:20240101\r\n"
                          "RRULE:FREQ=WEEKLY;COUNT=30\r\nSUMMARY:Bins\r\nEND:VEVENT\r\n"
                          "BEGIN:VEVENT\r\nUID:weekly\r\nRECURRENCE-ID;VALUE=DATE:20240304\r\n"
                          "DTSTART;VALUE=DATE:20240306\r\nSUMMARY:Bins, moved\r\nEND:VEVENT\r\n";

// Events whose occurrences cross the edges of a window as it grows day by day.
const QByteArray crossing =
    "BEGIN:VEVENT\r\nUID:trip\r\nDTSTART;VALUE=DATE:20240307\r\nDTEND;VALUE=DATE:20240312\r\n"
    "SUMMARY:Trip\r\nEND:VEVENT\r\n"
    "BEGIN:VEVENT\r\nUID:night\r\nDTSTART;TZID=Europe/Berlin:20240105T220000\r\nDURATION:PT5H\r\n"
    "RRULE:FREQ=WEEKLY;COUNT=40\r\nEXDATE;TZID=Europe/Berlin:20240315T220000\r\nSUMMARY:Night shift\r\n"
    "END:VEVENT\r\n"
    "BEGIN:VEVENT\r\nUID:weekend\r\nDTSTART;VALUE=DATE:20240106\r\nDURATION:P2D\r\nRRULE:FREQ=WEEKLY\r\n"
    "SUMMARY:Weekend\r\nEND:VEVENT\r\n"
    "BEGIN:VEVENT\r\nUID:midnight\r\nDTSTART;TZID=Europe/Berlin:20240101T000000\r\n"
    "DTEND;TZID=Europe/"
    "Berlin:20240101T000000\r\nRRULE:FREQ=DAILY;INTERVAL=3\r\nSUMMARY:Tick\r\nEND:VEVENT\r\n";

qint64 firstId(const QString &json, const QString &title)
{
    const QJsonArray days = QJsonDocument::fromJson(json.toUtf8()).array();
    for (const QJsonValue &day : days) {
        for (const QJsonValue &job : day.toObject().value("Jobs").toArray()) {
            if (job.toObject().value("Title").toString() == title)
                return job.toObject().value("ID").toVariant().toLongLong();
        }
    }
    return 0;
}

// The jobs of an answer, day after day.
QVector<QJsonObject> jobsOf(const QString &json)
{
    QVector<QJsonObject> jobs;
    const QJsonArray days = QJsonDocument::fromJson(json.toUtf8()).array();
    for (const QJsonValue &day : days) {
        for (const QJsonValue &job : day.toObject().value("Jobs").toArray())
            jobs << job.toObject();
    }
    return jobs;
}

QStringList titles(const QString &json)
{
    QStringList out;
    const QJsonArray days = QJsonDocument::fromJson(json.toUtf8()).array();
    for (const QJsonValue &day : days) {
        for (const QJsonValue &job : day.toObject().value("Jobs").toArray())
            out << day.toObject().value("Date").toString() + ' ' + job.toObject().value("Title").toString();
    }
    return out;
}

} // namespace

bool TestOccurrenceIndex::writeCalendar(const QByteArray &events)
{
    QSaveFile file(m_path);
    // Events, or a whole file as it lies on disk.
    const QByteArray text = events.startsWith("BEGIN:VCALENDAR")
                                ? events
                                : "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Test//Index//EN\r\n" + events +
                                      "END:VCALENDAR\r\n";
    return file.open(QIODevice::WriteOnly) && file.write(text) == text.size() && file.commit();
}

QString TestOccurrenceIndex::fresh(const QDate &first, const QDate &last) const
{
    CalendarStore store({m_path});
    store.load();
    return store.jobsJson(first, last);
}

void TestOccurrenceIndex::initTestCase()
{
    // Registered once per zone: Berlin, and one east and one west of every file's zone below.
    QVERIFY(!qgetenv("TZ").isEmpty());
    QVERIFY(m_dir.isValid());
    m_path = m_dir.filePath("calendar.ics");
}

void TestOccurrenceIndex::sameAsFreshStore_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QByteArray>("after");
    QTest::addColumn<QString>("expectedTitle");

    QTest::newRow("unchanged file") << daily + single + weekly << daily + single + weekly << "Lunch";
    QTest::newRow("one event retitled")
        << daily + single + weekly << daily + QByteArray(single).replace("Lunch", "Brunch") + weekly
        << "Brunch";
    QTest::newRow("series moved") << daily + single + weekly
                                  << QByteArray(daily).replace("T090000", "T100000") + single + weekly
                                  << "Stand-up";
    QTest::newRow("override removed")
        << daily + single + weekly << daily + single + weekly.left(weekly.indexOf("BEGIN:VEVENT", 10))
        << "Bins";
    QTest::newRow("event added") << daily + weekly << daily + single + weekly << "Lunch";
    QTest::newRow("event removed") << daily + single + weekly << daily + weekly << "Stand-up";
}

void TestOccurrenceIndex::sameAsFreshStore()
{
    QFETCH(QByteArray, before);
    QFETCH(QByteArray, after);
    QFETCH(QString, expectedTitle);

    QVERIFY(writeCalendar(before));
    CalendarStore store({m_path});
    store.load();
    // Ranges inside one window, far from it, and across its edge: all served from the index.
    const QList<QPair<QDate, QDate>> ranges{{QDate(2024, 3, 4), QDate(2024, 3, 10)},
                                            {QDate(2024, 3, 1), QDate(2024, 3, 7)},
                                            {QDate(2024, 7, 1), QDate(2024, 7, 7)},
                                            {QDate(2024, 2, 20), QDate(2024, 3, 31)}};
    for (const auto &range : ranges)
        QCOMPARE(store.jobsJson(range.first, range.second), fresh(range.first, range.second));

    QSignalSpy changed(&store, &CalendarStore::jobsChanged);
    QVERIFY(writeCalendar(after));
    if (before != after)
        QVERIFY(changed.wait(5000));
    for (const auto &range : ranges) {
        const QString json = store.jobsJson(range.first, range.second);
        QCOMPARE(json, fresh(range.first, range.second));
    }
    QVERIFY(titles(store.jobsJson(QDate(2024, 3, 4), QDate(2024, 3, 10))).join('\n').contains(expectedTitle));
}

void TestOccurrenceIndex::answerIsCompactJson()
{
    // The answer is written from the jobs' own texts; it must be what QJsonDocument writes.
    QVERIFY(writeCalendar(daily + single + weekly));
    CalendarStore store({m_path});
    store.load();
    const QString json = store.jobsJson(QDate(2024, 3, 3), QDate(2024, 3, 9));
    const QJsonDocument document = QJsonDocument::fromJson(json.toUtf8());
    QVERIFY(document.isArray());
    QCOMPARE(document.array().size(), 7);
    QCOMPARE(QString::fromUtf8(document.toJson(QJsonDocument::Compact)), json);
    QCOMPARE(titles(json).filter("Bins"), QStringList{"2024-03-06 Bins, moved"});
    QCOMPARE(titles(json).filter("Stand-up").size(), 7);
}

void TestOccurrenceIndex::windowGrowsWithQueries()
{
    // The index grows by the days each query adds, and ahead of them when idle; what it answers
    // must not depend on how it grew: no occurrence lost or doubled at the edges of what was
    // expanded before.
    QVERIFY(writeCalendar(daily + single + weekly + crossing));
    CalendarStore store({m_path});
    store.load();
    QList<QPair<QDate, QDate>> ranges;
    for (int day = 0; day < 30; ++day)
        ranges << qMakePair(QDate(2024, 3, 1).addDays(day), QDate(2024, 3, 7).addDays(day));
    for (int day = 1; day < 30; ++day)
        ranges << qMakePair(QDate(2024, 3, 1).addDays(-day), QDate(2024, 3, 1).addDays(-day));
    // Far beyond any window the index keeps, then back, then spanning both.
    ranges << qMakePair(QDate(2024, 9, 2), QDate(2024, 9, 8))
           << qMakePair(QDate(2024, 3, 4), QDate(2024, 3, 10))
           << qMakePair(QDate(2024, 1, 1), QDate(2024, 10, 1));
    int jobs = 0;
    for (int i = 0; i < ranges.size(); ++i) {
        const QString json = store.jobsJson(ranges.at(i).first, ranges.at(i).second);
        QCOMPARE(json, fresh(ranges.at(i).first, ranges.at(i).second));
        jobs += titles(json).size();
        // Half of the time, the idle server grows the windows ahead before the next query.
        if (i % 2)
            QTest::qWait(1);
    }
    QVERIFY(jobs > 1000);
    QVERIFY(titles(store.jobsJson(QDate(2024, 3, 9), QDate(2024, 3, 9))).contains("2024-03-09 Trip"));
}

void TestOccurrenceIndex::editRefusesFileChangedOnDisk()
{
    // The server keeps no copy of a file's text: an edit reads the file again, and must not build
    // on a text other than the one its jobs came from, or it would undo the change on disk.
    QVERIFY(writeCalendar(daily + single));
    CalendarStore store({m_path});
    store.load();
    const qint64 id = firstId(store.jobsJson(QDate(2024, 3, 4), QDate(2024, 3, 6)), "Lunch");
    QVERIFY(id > 0);

    QSignalSpy changed(&store, &CalendarStore::jobsChanged);
    const QByteArray renamed = QByteArray(single).replace("Lunch", "Brunch");
    QVERIFY(writeCalendar(daily + renamed));
    const CalendarStore::Result refused = store.deleteJob(id);
    QCOMPARE(refused.status, CalendarStore::Status::ChangedOnDisk);
    QVERIFY(refused.message.contains("changed on disk"));
    QFile file(m_path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.readAll().contains("SUMMARY:Brunch"));
    file.close();

    // Regression: a client that retried a refused edit sooner than the re-read's delay put the
    // re-read off at every refusal, and was refused for good.
    int refusals = 1;
    QTimer retry;
    connect(&retry, &QTimer::timeout, this, [&] {
        if (changed.isEmpty() && store.deleteJob(id).status == CalendarStore::Status::ChangedOnDisk)
            ++refusals;
    });
    retry.start(CalendarStore::reloadDelayMs / 3);
    QVERIFY(changed.wait(5000));
    retry.stop();
    QVERIFY(refusals >= 2);

    // Once the change is read, the same edit goes through.
    QCOMPARE(firstId(store.jobsJson(QDate(2024, 3, 4), QDate(2024, 3, 6)), "Brunch"), id);
    QVERIFY(store.deleteJob(id).ok());
    const QStringList left = titles(store.jobsJson(QDate(2024, 3, 4), QDate(2024, 3, 6)));
    QCOMPARE(left.filter("Stand-up").size(), 3);
    QCOMPARE(left.filter("Brunch"), QStringList());
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(!file.readAll().contains("UID:single"));
}

namespace {

// Time zones as calendar programs name them in their exports.
const QByteArray sydneyRules =
    "BEGIN:STANDARD\r\nDTSTART:16010101T030000\r\nTZOFFSETFROM:+1100\r\n"
    "TZOFFSETTO:+1000\r\nRRULE:FREQ=YEARLY;BYDAY=1SU;BYMONTH=4\r\nEND:STANDARD\r\n"
    "BEGIN:DAYLIGHT\r\nDTSTART:16010101T020000\r\nTZOFFSETFROM:+1000\r\n"
    "TZOFFSETTO:+1100\r\nRRULE:FREQ=YEARLY;BYDAY=1SU;BYMONTH=10\r\nEND:DAYLIGHT\r\n";
const QByteArray sydneyByPlaces =
    "BEGIN:VTIMEZONE\r\nTZID:Canberra, Melbourne, Sydney\r\n" + sydneyRules + "END:VTIMEZONE\r\n";
const QByteArray bangkokByOffset =
    "BEGIN:VTIMEZONE\r\nTZID:(UTC+07:00) Bangkok, Hanoi, Jakarta\r\nBEGIN:STANDARD\r\n"
    "DTSTART:16010101T000000\r\nTZOFFSETFROM:+0700\r\nTZOFFSETTO:+0700\r\nEND:STANDARD\r\nEND:VTIMEZONE\r\n";
// Outlook escapes the commas of the definition's name, which the parameters quote unescaped.
const QByteArray bangkokEscaped = QByteArray(bangkokByOffset).replace(", ", "\\, ");
const QByteArray officeTime =
    "BEGIN:VTIMEZONE\r\nTZID:Office time\r\nBEGIN:STANDARD\r\nDTSTART:19700101T000000\r\n"
    "TZOFFSETFROM:+0415\r\nTZOFFSETTO:+0415\r\nEND:STANDARD\r\nEND:VTIMEZONE\r\n";

QByteArray vevent(const QByteArray &uid, const QByteArray &lines)
{
    return "BEGIN:VEVENT\r\nUID:" + uid + "\r\nDTSTAMP:20240101T000000Z\r\n" + lines + "END:VEVENT\r\n";
}

QByteArray vtodo(const QByteArray &uid, const QByteArray &lines)
{
    return "BEGIN:VTODO\r\nUID:" + uid + "\r\nDTSTAMP:20240101T000000Z\r\n" + lines + "END:VTODO\r\n";
}

// Each job once, in the zone the file was written in ("" for the local zone), so that every row
// reads the same in every zone the test runs in.
QStringList jobsIn(const QString &json, const QByteArray &zoneId)
{
    const QTimeZone zone = zoneId.isEmpty() ? QTimeZone::systemTimeZone() : QTimeZone(zoneId);
    QStringList out;
    const QJsonArray days = QJsonDocument::fromJson(json.toUtf8()).array();
    for (const QJsonValue &day : days) {
        QStringList today;
        for (const QJsonValue &value : day.toObject().value("Jobs").toArray()) {
            const QJsonObject job = value.toObject();
            const QDateTime start = QDateTime::fromString(job.value("Start").toString(), Qt::ISODate);
            const QDateTime end = QDateTime::fromString(job.value("End").toString(), Qt::ISODate);
            const QString text =
                job.value("AllDay").toBool()
                    ? QStringLiteral("%1: all-day %2 - %3")
                          .arg(job.value("Title").toString(), start.date().toString(Qt::ISODate),
                               end.date().toString(Qt::ISODate))
                    : QStringLiteral("%1: %2 - %3")
                          .arg(job.value("Title").toString(),
                               start.toTimeZone(zone).toString("yyyy-MM-dd hh:mm"),
                               end.toTimeZone(zone).toString("yyyy-MM-dd hh:mm"));
            today << text;
        }
        // A job of several days is listed on each; one listed twice on a day is listed twice.
        for (const QString &text : std::as_const(today)) {
            if (out.count(text) < today.count(text))
                out << text;
        }
    }
    return out;
}

} // namespace

void TestOccurrenceIndex::readsAsWritten_data()
{
    QTest::addColumn<QByteArray>("events");
    QTest::addColumn<QByteArray>("zone");
    QTest::addColumn<QDate>("first");
    QTest::addColumn<QDate>("last");
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<QStringList>("warnings");

    QTest::newRow("zone named by its places, quoted")
        << sydneyByPlaces + vevent("places",
                                   "DTSTART;TZID=\"Canberra, Melbourne, Sydney\":20240305T093000\r\n"
                                   "DTEND;TZID=\"Canberra, Melbourne, Sydney\":20240305T103000\r\n"
                                   "RRULE:FREQ=MONTHLY;COUNT=2\r\nSUMMARY:Planning\r\n")
        << QByteArray("Australia/Sydney") << QDate(2024, 3, 1) << QDate(2024, 4, 30)
        << QStringList{"Planning: 2024-03-05 09:30 - 2024-03-05 10:30",
                       "Planning: 2024-04-05 09:30 - 2024-04-05 10:30"}
        << QStringList();
    QTest::newRow("zone named by its offset and places")
        << bangkokByOffset + vevent("offset",
                                    "DTSTART;TZID=\"(UTC+07:00) Bangkok, Hanoi, Jakarta\":20240305T093000\r\n"
                                    "DURATION:PT1H\r\nSUMMARY:Supplier call\r\n")
        << QByteArray("Asia/Bangkok") << QDate(2024, 3, 4) << QDate(2024, 3, 6)
        << QStringList{"Supplier call: 2024-03-05 09:30 - 2024-03-05 10:30"} << QStringList();
    QTest::newRow("zone named with escaped commas in its definition")
        << bangkokEscaped + vevent("escaped",
                                   "DTSTART;TZID=\"(UTC+07:00) Bangkok, Hanoi, Jakarta\":20240305T093000\r\n"
                                   "DURATION:PT1H\r\nSUMMARY:Supplier call\r\n")
        << QByteArray("Asia/Bangkok") << QDate(2024, 3, 4) << QDate(2024, 3, 6)
        << QStringList{"Supplier call: 2024-03-05 09:30 - 2024-03-05 10:30"} << QStringList();
    QTest::newRow("zone of the file's own making")
        << officeTime +
               vevent("office",
                      "DTSTART;TZID=Office time:20240305T093000\r\nDURATION:PT1H\r\nSUMMARY:Open day\r\n")
        << QByteArray("UTC") << QDate(2024, 3, 4) << QDate(2024, 3, 6)
        << QStringList{"Open day: 2024-03-05 05:15 - 2024-03-05 06:15"} << QStringList();
    // A single event is read only once a query comes near its days, judged before its zone is known.
    QTest::newRow("single event far east, on the day before its written one in UTC")
        << vevent("east", "DTSTART;TZID=Pacific/Kiritimati:20240305T000000\r\n"
                          "DTEND;TZID=Pacific/Kiritimati:20240305T010000\r\nSUMMARY:Far east\r\n")
        << QByteArray("Pacific/Kiritimati") << QDate(2024, 3, 3) << QDate(2024, 3, 3)
        << QStringList{"Far east: 2024-03-05 00:00 - 2024-03-05 01:00"} << QStringList();
    QTest::newRow("single event far west, on the day after its written one in UTC")
        << vevent("west", "DTSTART;TZID=Pacific/Pago_Pago:20240303T230000\r\n"
                          "DTEND;TZID=Pacific/Pago_Pago:20240304T000000\r\nSUMMARY:Far west\r\n")
        << QByteArray("Pacific/Pago_Pago") << QDate(2024, 3, 5) << QDate(2024, 3, 5)
        << QStringList{"Far west: 2024-03-03 23:00 - 2024-03-04 00:00"} << QStringList();
    QTest::newRow("Windows zone name without its definition")
        << vevent("windows", "DTSTART;TZID=W. Europe Standard Time:20240705T093000\r\n"
                             "DTEND;TZID=W. Europe Standard Time:20240705T103000\r\nSUMMARY:Review\r\n")
        << QByteArray("Europe/Berlin") << QDate(2024, 7, 4) << QDate(2024, 7, 6)
        << QStringList{"Review: 2024-07-05 09:30 - 2024-07-05 10:30"} << QStringList();
    QTest::newRow("unknown zone name, read as floating time, said once")
        << vevent("nowhere", "DTSTART;TZID=Nowhere Standard Time:20240305T093000\r\n"
                             "DTEND;TZID=Nowhere Standard Time:20240305T103000\r\nSUMMARY:Lost\r\n")
        << QByteArray() << QDate(2024, 3, 4) << QDate(2024, 3, 6)
        << QStringList{"Lost: 2024-03-05 09:30 - 2024-03-05 10:30"}
        << QStringList{"calendar.ics: no time zone \"Nowhere Standard Time\"; its times are read as floating "
                       "time"};
    const QByteArray longName(200, 'Z');
    QTest::newRow("unknown zone of a long name, said short")
        << vevent("long",
                  "DTSTART;TZID=" + longName + ":20240305T093000\r\nDURATION:PT1H\r\nSUMMARY:Lost\r\n")
        << QByteArray() << QDate(2024, 3, 4) << QDate(2024, 3, 6)
        << QStringList{"Lost: 2024-03-05 09:30 - 2024-03-05 10:30"}
        << QStringList{"calendar.ics: no time zone \"" + QString(60, 'Z') +
                       "...\"; its times are read as floating time"};
    // Exchange and Google write the original day of an all-day occurrence as a midnight in UTC or
    // in their own zone; west of it, that instant falls on the day before.
    const QByteArray bins = vevent("bins", "DTSTART;VALUE=DATE:20240304\r\nRRULE:FREQ=WEEKLY;COUNT=3\r\n"
                                           "SUMMARY:Bins\r\n");
    const QStringList binsMoved{"Bins: all-day 2024-03-04 - 2024-03-04",
                                "Bins, moved: all-day 2024-03-13 - 2024-03-13",
                                "Bins: all-day 2024-03-18 - 2024-03-18"};
    QTest::newRow("all-day occurrence moved, original day as a midnight in UTC")
        << bins + vevent("bins", "RECURRENCE-ID:20240311T000000Z\r\nDTSTART;VALUE=DATE:20240313\r\n"
                                 "SUMMARY:Bins, moved\r\n")
        << QByteArray() << QDate(2024, 3, 4) << QDate(2024, 3, 18) << binsMoved << QStringList();
    QTest::newRow("all-day occurrence moved, original day as a midnight in a Windows zone")
        << bins + vevent("bins", "RECURRENCE-ID;TZID=W. Europe Standard Time:20240311T000000\r\n"
                                 "DTSTART;VALUE=DATE:20240313\r\nSUMMARY:Bins, moved\r\n")
        << QByteArray() << QDate(2024, 3, 4) << QDate(2024, 3, 18) << binsMoved << QStringList();
    QTest::newRow("all-day occurrence left out by a midnight in UTC")
        << vevent("bins", "DTSTART;VALUE=DATE:20240304\r\nRRULE:FREQ=WEEKLY;COUNT=3\r\n"
                          "EXDATE:20240311T000000Z\r\nSUMMARY:Bins\r\n")
        << QByteArray() << QDate(2024, 3, 4) << QDate(2024, 3, 18)
        << QStringList{"Bins: all-day 2024-03-04 - 2024-03-04", "Bins: all-day 2024-03-18 - 2024-03-18"}
        << QStringList();
    QTest::newRow("periods of their own length")
        << vevent("periods", "DTSTART;TZID=Europe/Berlin:20240304T090000\r\nDTEND;TZID=Europe/Berlin:"
                             "20240304T100000\r\nRDATE;VALUE=PERIOD:20240306T130000Z/20240306T160000Z,"
                             "20240308T080000Z/PT30M\r\nSUMMARY:Workshop\r\n")
        << QByteArray("Europe/Berlin") << QDate(2024, 3, 4) << QDate(2024, 3, 8)
        << QStringList{"Workshop: 2024-03-04 09:00 - 2024-03-04 10:00",
                       "Workshop: 2024-03-06 14:00 - 2024-03-06 17:00",
                       "Workshop: 2024-03-08 09:00 - 2024-03-08 09:30"}
        << QStringList();
    QTest::newRow("start off its rule counts as the first occurrence")
        << vevent("off", "DTSTART;TZID=Europe/Berlin:20240305T170000\r\nDURATION:PT1H\r\n"
                         "RRULE:FREQ=WEEKLY;BYDAY=MO;UNTIL=20240318T230000Z\r\nSUMMARY:Choir\r\n")
        << QByteArray("Europe/Berlin") << QDate(2024, 3, 4) << QDate(2024, 3, 19)
        << QStringList{"Choir: 2024-03-05 17:00 - 2024-03-05 18:00",
                       "Choir: 2024-03-11 17:00 - 2024-03-11 18:00",
                       "Choir: 2024-03-18 17:00 - 2024-03-18 18:00"}
        << QStringList();
    QTest::newRow("start off its rule is one of its COUNT")
        << vevent("counted", "DTSTART;TZID=Europe/Berlin:20240305T170000\r\nDURATION:PT1H\r\n"
                             "RRULE:FREQ=WEEKLY;BYDAY=MO;COUNT=2\r\nSUMMARY:Choir\r\n")
        << QByteArray("Europe/Berlin") << QDate(2024, 3, 4) << QDate(2024, 3, 26)
        << QStringList{"Choir: 2024-03-05 17:00 - 2024-03-05 18:00",
                       "Choir: 2024-03-11 17:00 - 2024-03-11 18:00"}
        << QStringList();
    QTest::newRow("all-day start off its rule counts as the first occurrence")
        << vevent("feast", "DTSTART;VALUE=DATE:20240213\r\nRRULE:FREQ=YEARLY;BYMONTH=3;BYMONTHDAY=1\r\n"
                           "SUMMARY:Carnival\r\n")
        << QByteArray() << QDate(2024, 2, 1) << QDate(2024, 3, 31)
        << QStringList{"Carnival: all-day 2024-02-13 - 2024-02-13",
                       "Carnival: all-day 2024-03-01 - 2024-03-01"}
        << QStringList();
    QTest::newRow("to-dos on the day they are due, or start; completed ones too")
        << vtodo("report", "DUE:20240305T150000Z\r\nSUMMARY:Send the report\r\n") +
               vtodo("plants", "DTSTART;VALUE=DATE:20240308\r\nSUMMARY:Water the plants\r\n") +
               vtodo("done", "DUE:20240305T100000Z\r\nSTATUS:COMPLETED\r\nCOMPLETED:20240304T100000Z\r\n"
                             "SUMMARY:Done already\r\n") +
               vtodo("dropped", "DUE:20240305T110000Z\r\nSTATUS:CANCELLED\r\nSUMMARY:Dropped\r\n") +
               vtodo("someday", "SUMMARY:Some day\r\n")
        << QByteArray("UTC") << QDate(2024, 3, 5) << QDate(2024, 3, 8)
        << QStringList{"Done already: 2024-03-05 10:00 - 2024-03-05 10:00",
                       "Send the report: 2024-03-05 15:00 - 2024-03-05 15:00",
                       "Water the plants: all-day 2024-03-08 - 2024-03-08"}
        << QStringList();
    QTest::newRow("open to-do that recurs")
        << vtodo("chore",
                 "DUE;VALUE=DATE:20240304\r\nRRULE:FREQ=WEEKLY;COUNT=2\r\nSUMMARY:Clean the filter\r\n")
        << QByteArray() << QDate(2024, 3, 1) << QDate(2024, 3, 31)
        << QStringList{"Clean the filter: all-day 2024-03-04 - 2024-03-04",
                       "Clean the filter: all-day 2024-03-11 - 2024-03-11"}
        << QStringList();
    // A calendar begins on line 4; an event's own lines on its fourth.
    const QByteArray early =
        vevent("early", "DTSTART:20240305T080000Z\r\nDURATION:PT1H\r\nSUMMARY:Early\r\n");
    const QByteArray late = vevent("late", "DTSTART:20240305T150000Z\r\nDURATION:PT1H\r\nSUMMARY:Late\r\n");
    const QStringList both{"Early: 2024-03-05 08:00 - 2024-03-05 09:00",
                           "Late: 2024-03-05 15:00 - 2024-03-05 16:00"};
    QTest::newRow("a line of no iCalendar costs that line")
        << early + vevent("late", "DTSTART:20240305T150000Z\r\nthis line lost its fold\r\nDURATION:PT1H\r\n"
                                  "SUMMARY:Late\r\n")
        << QByteArray("UTC") << QDate(2024, 3, 5) << QDate(2024, 3, 5) << both
        << QStringList{"calendar.ics:15: not an iCalendar content line; line skipped"};
    // Regression: a NUL, as an older server wrote from a caller's title, took the whole file away.
    QTest::newRow("a NUL costs its line")
        << early + vevent("late", "DTSTART:20240305T150000Z\r\nDESCRIPTION:a" + QByteArray(1, '\0') +
                                      "b\r\nDURATION:PT1H\r\nSUMMARY:Late\r\n")
        << QByteArray("UTC") << QDate(2024, 3, 5) << QDate(2024, 3, 5) << both
        << QStringList{"calendar.ics:15: not an iCalendar content line; line skipped"};
    QTest::newRow("an event without its END costs that event")
        << vevent("lost", "DTSTART:20240305T120000Z\r\nSUMMARY:Lost\r\n").replace("END:VEVENT\r\n", "") +
               early + late
        << QByteArray("UTC") << QDate(2024, 3, 5) << QDate(2024, 3, 5) << both
        << QStringList{"calendar.ics:4: BEGIN:VEVENT is never closed; component skipped"};
    QTest::newRow("an alarm without its END costs that alarm")
        << early + vevent("late", "DTSTART:20240305T150000Z\r\nDURATION:PT1H\r\nSUMMARY:Late\r\n"
                                  "BEGIN:VALARM\r\nACTION:DISPLAY\r\nTRIGGER:-PT5M\r\n")
        << QByteArray("UTC") << QDate(2024, 3, 5) << QDate(2024, 3, 5) << both
        << QStringList{"calendar.ics:17: BEGIN:VALARM is never closed; component skipped"};
    QTest::newRow("a stray END costs that line")
        << early + "END:VTODO\r\n" + late << QByteArray("UTC") << QDate(2024, 3, 5) << QDate(2024, 3, 5)
        << both
        << QStringList{"calendar.ics:11: END:VTODO does not close BEGIN:VCALENDAR of line 1; line skipped"};
    QTest::newRow("a to-do with an event's UID leaves the job to the event")
        << vtodo("shared", "DUE:20240305T150000Z\r\nSUMMARY:Send the report\r\n") +
               vevent("shared", "DTSTART:20240305T120000Z\r\nDURATION:PT1H\r\nSUMMARY:Review\r\n")
        << QByteArray("UTC") << QDate(2024, 3, 5) << QDate(2024, 3, 5)
        << QStringList{"Review: 2024-03-05 12:00 - 2024-03-05 13:00"}
        << QStringList{"calendar.ics: a to-do and an event share the UID shared; only the event is shown"};
    // Regression: a file cut off by an interrupted download or sync served nothing at all.
    const QByteArray head = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Test//Cut//EN\r\n";
    QTest::newRow("a file cut off inside an event serves the events before it")
        << head + early + late + "BEGIN:VEVENT\r\nUID:cut\r\nDTSTART:2024030" << QByteArray("UTC")
        << QDate(2024, 3, 5) << QDate(2024, 3, 5) << both
        << QStringList{
               "calendar.ics:18: the file ends inside BEGIN:VEVENT, cut off; this component is lost, the "
               "complete ones before it are read"};
    QTest::newRow("a file cut off after an event serves them all")
        << head + early + late << QByteArray("UTC") << QDate(2024, 3, 5) << QDate(2024, 3, 5) << both
        << QStringList{"calendar.ics:1: BEGIN:VCALENDAR is never closed; read up to the end of the file"};
    QTest::newRow("old Mac line ends")
        << QByteArray(head + early + late + "END:VCALENDAR\r\n").replace("\r\n", "\r") << QByteArray("UTC")
        << QDate(2024, 3, 5) << QDate(2024, 3, 5) << both << QStringList();
    // Regression: the library took time quadratic in the overrides of a series to read them.
    QByteArray moved =
        vevent("many", "DTSTART:20240301T090000Z\r\nDURATION:PT1H\r\nRRULE:FREQ=DAILY;COUNT=14\r\n"
                       "SUMMARY:Daily\r\n");
    QStringList movedDays;
    for (int day = 1; day <= 12; ++day) {
        const QByteArray date = QDate(2024, 3, day).toString("yyyyMMdd").toLatin1();
        moved += vevent("many", "RECURRENCE-ID:" + date + "T090000Z\r\nDTSTART:" + date +
                                    "T100000Z\r\nDURATION:PT1H\r\nSUMMARY:Moved " + QByteArray::number(day) +
                                    (day == 11 ? "\r\nSTATUS:CANCELLED\r\n" : "\r\n"));
        if (day != 11)
            movedDays << QStringLiteral("Moved %1: 2024-03-%2 10:00 - 2024-03-%2 11:00")
                             .arg(day)
                             .arg(day, 2, 10, QLatin1Char('0'));
    }
    movedDays << QStringLiteral("Daily: 2024-03-13 09:00 - 2024-03-13 10:00")
              << QStringLiteral("Daily: 2024-03-14 09:00 - 2024-03-14 10:00");
    // An occurrence written twice: the first stands unless the second has a higher SEQUENCE, as
    // the library has it for a file it reads whole.
    const QByteArray again = "RECURRENCE-ID:20240303T090000Z\r\nDTSTART:20240303T120000Z\r\nDURATION:PT1H\r\n"
                             "SUMMARY:Moved again\r\n";
    QTest::newRow("a series with many moved occurrences, one written twice, one cancelled")
        << moved + vevent("many", again) << QByteArray("UTC") << QDate(2024, 3, 1) << QDate(2024, 3, 15)
        << movedDays << QStringList();
    QStringList movedAgainDays = movedDays;
    movedAgainDays[2] = QStringLiteral("Moved again: 2024-03-03 12:00 - 2024-03-03 13:00");
    QTest::newRow("a series with many moved occurrences, one moved again with a higher SEQUENCE")
        << moved + vevent("many", "SEQUENCE:1\r\n" + again) << QByteArray("UTC") << QDate(2024, 3, 1)
        << QDate(2024, 3, 15) << movedAgainDays << QStringList();
    QTest::newRow("a rule that is no rule is said")
        << vevent("twice", "DTSTART;TZID=Europe/Berlin:20240305T090000\r\nDURATION:PT1H\r\n"
                           "RRULE:RRULE:FREQ=DAILY;COUNT=3\r\nSUMMARY:Twice named\r\n")
        << QByteArray("Europe/Berlin") << QDate(2024, 3, 5) << QDate(2024, 3, 7)
        << QStringList{"Twice named: 2024-03-05 09:00 - 2024-03-05 10:00"}
        << QStringList{
               "calendar.ics:9: RRULE \"RRULE:FREQ=DAILY;COUNT=3\" is no rule; the event is read without it"};
}

void TestOccurrenceIndex::readsAsWritten()
{
    QFETCH(QByteArray, events);
    QFETCH(QByteArray, zone);
    QFETCH(QDate, first);
    QFETCH(QDate, last);
    QFETCH(QStringList, expected);
    QFETCH(QStringList, warnings);

    QVERIFY(writeCalendar(events));
    WarningSpy spy;
    CalendarStore store({m_path});
    store.load();
    // A day more on either side: the test's zone may put an occurrence on a neighbouring day.
    const QString json = store.jobsJson(first.addDays(-1), last.addDays(1));
    QCOMPARE(jobsIn(json, zone), expected);
    QStringList said;
    for (const QString &warning : std::as_const(spy.warnings))
        said << QString(warning).remove(m_dir.path() + QLatin1Char('/'));
    QCOMPARE(said, warnings);
}

void TestOccurrenceIndex::damagedFileLeftAloneByEdits()
{
    // Its jobs are served without the damaged line; an edit would write the file without it.
    QVERIFY(writeCalendar(single + "no colon on this line\r\n" + daily));
    QFile file(m_path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray before = file.readAll();
    file.close();
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("calendar.ics:10: not an iCalendar content line"));
    CalendarStore store({m_path});
    store.load();
    const qint64 id = firstId(store.jobsJson(QDate(2024, 3, 4), QDate(2024, 3, 6)), "Lunch");
    QVERIFY(id > 0);
    const CalendarStore::Result refused = store.deleteJob(id);
    QCOMPARE(refused.status, CalendarStore::Status::Unreadable);
    QVERIFY2(refused.message.contains("calendar.ics:10: not an iCalendar content line"),
             qPrintable(refused.message));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), before);
}

namespace {

// Root reads any file: the test gives up that power while it lives, as an ordinary user has none.
class NoReadOverride
{
public:
    NoReadOverride() { set(false); }
    ~NoReadOverride() { set(true); }

private:
    static void set(bool on)
    {
        __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
        __user_cap_data_struct data[2]{};
        if (syscall(SYS_capget, &header, data) != 0)
            return;
        for (int cap : {CAP_DAC_OVERRIDE, CAP_DAC_READ_SEARCH}) {
            if (on)
                data[cap / 32].effective |= data[cap / 32].permitted & (1u << (cap % 32));
            else
                data[cap / 32].effective &= ~(1u << (cap % 32));
        }
        syscall(SYS_capset, &header, data);
    }
};

} // namespace

void TestOccurrenceIndex::filesThatComeAndGo()
{
    const QString folder = m_dir.filePath("folder");
    QVERIFY(QDir().mkpath(folder));
    auto put = [&](const QString &name, const QByteArray &event) {
        QSaveFile file(folder + '/' + name);
        return file.open(QIODevice::WriteOnly) &&
               file.write("BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Test//Index//EN\r\n" + event +
                          "END:VCALENDAR\r\n") > 0 &&
               file.commit();
    };
    QVERIFY(put("daily.ics", daily));
    QVERIFY(put("single.ics", single));
    QVERIFY(QFile::link(folder + "/moved-away/old.ics", folder + "/dangling.ics"));
    const QString locked = folder + "/single.ics";
    NoReadOverride asUser;
    QVERIFY(QFile::setPermissions(locked, QFileDevice::WriteOwner));
    QVERIFY(!QFile(locked).open(QIODevice::ReadOnly));

    WarningSpy spy;
    CalendarStore store({folder});
    store.load();
    const QStringList said = spy.warnings;
    QCOMPARE(said.filter("dangling.ics: a symbolic link to " + folder +
                         "/moved-away/old.ics, which does not exist; "
                         "skipped")
                 .size(),
             1);
    QCOMPARE(said.filter("single.ics: ").size(), 1);
    QCOMPARE(titles(store.jobsJson(QDate(2024, 3, 4), QDate(2024, 3, 6))).filter("Lunch"), QStringList());

    // Readable again by chmod alone: the same size and time as when it could not be read.
    QSignalSpy changed(&store, &CalendarStore::jobsChanged);
    QVERIFY(QFile::setPermissions(locked, QFileDevice::ReadOwner | QFileDevice::WriteOwner));
    QVERIFY(changed.wait(5000));
    QCOMPARE(titles(store.jobsJson(QDate(2024, 3, 4), QDate(2024, 3, 6))).filter("Lunch").size(), 1);
    QCOMPARE(spy.warnings.filter("dangling.ics").size(), 1);
}

void TestOccurrenceIndex::todosAreJobsOfTheirOwn()
{
    QVERIFY(writeCalendar(vtodo("report", "DUE:20240305T150000Z\r\nSUMMARY:Send the report\r\n"
                                          "BEGIN:VALARM\r\nACTION:DISPLAY\r\nTRIGGER;RELATED=END:-PT30M\r\n"
                                          "DESCRIPTION:x\r\nEND:VALARM\r\n") +
                          daily));
    CalendarStore store({m_path});
    store.load();
    QJsonObject report;
    for (const QJsonObject &job : jobsOf(store.jobsJson(QDate(2024, 3, 4), QDate(2024, 3, 6)))) {
        if (job.value("Title").toString() == "Send the report")
            report = job;
        else
            QCOMPARE(job.value("Type").toInt(), 1);
    }
    QCOMPARE(report.value("Type").toInt(), 5);
    QCOMPARE(report.value("Remind").toString(), QStringLiteral("30"));
    // Served to be read: the program it was made in keeps it.
    const CalendarStore::Result refused = store.deleteJob(report.value("ID").toVariant().toLongLong());
    QCOMPARE(refused.status, CalendarStore::Status::InvalidArgument);
    QFile file(m_path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.readAll().contains("UID:report"));
}

// A timed event's reminder in minutes before its start, whichever way its alarm is written.
void TestOccurrenceIndex::remindersAsWritten_data()
{
    QTest::addColumn<QByteArray>("start");
    QTest::addColumn<QByteArray>("alarms");
    QTest::addColumn<QString>("remind");

    const QByteArray march = "20240305T100000";
    auto display = [](const QByteArray &trigger) {
        return "BEGIN:VALARM\r\nACTION:DISPLAY\r\n" + trigger + "\r\nDESCRIPTION:x\r\nEND:VALARM\r\n";
    };
    QTest::newRow("minutes before") << march << display("TRIGGER:-PT15M") << "15";
    QTest::newRow("at the start") << march << display("TRIGGER:PT0S") << "0";
    QTest::newRow("after the start") << march << display("TRIGGER:PT10M") << "0";
    QTest::newRow("seconds, cut to whole minutes") << march << display("TRIGGER:-PT90S") << "1";
    QTest::newRow("a day and hours, in seconds") << march << display("TRIGGER:-P1DT2H") << "1560";
    // A day before by the calendar: the day before the clocks go forward has 23 hours.
    QTest::newRow("a day before, over the change to summer time")
        << QByteArray("20240331T120000") << display("TRIGGER:-P1D") << "1380";
    QTest::newRow("before the end") << march << display("TRIGGER;RELATED=END:-PT90M") << "30";
    QTest::newRow("at a moment of its own")
        << march << display("TRIGGER;VALUE=DATE-TIME:20240305T070000Z") << "120";
    QTest::newRow("a sound alone, then a display")
        << march
        << "BEGIN:VALARM\r\nACTION:AUDIO\r\nTRIGGER:-PT5M\r\nEND:VALARM\r\n" + display("TRIGGER:-PT20M")
        << "20";
}

void TestOccurrenceIndex::remindersAsWritten()
{
    QFETCH(QByteArray, start);
    QFETCH(QByteArray, alarms);
    QFETCH(QString, remind);

    QVERIFY(writeCalendar(vevent("alarm", "DTSTART;TZID=Europe/Berlin:" + start +
                                              "\r\nDURATION:PT1H\r\nSUMMARY:Reminded\r\n" + alarms)));
    CalendarStore store({m_path});
    store.load();
    QStringList reminds;
    for (const QJsonObject &job : jobsOf(store.jobsJson(QDate(2024, 3, 1), QDate(2024, 4, 2))))
        reminds << job.value("Remind").toString();
    QCOMPARE(reminds, QStringList{remind});
}

QTEST_GUILESS_MAIN(TestOccurrenceIndex)
#include "tst_occurrenceindex.moc"
