#include "cscheduledbus.h"
#include "serverprocess.h"

#include <QDBusInterface>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSaveFile>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

using DayMap = QMap<QDate, QVector<ScheduleDataInfo>>;

// Reading calendars through the server: ranges, recurrences, reminders, rules, queries, holidays.
// The test runs with TZ=Europe/Berlin.
class TestServerReads : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void getJobs_data();
    void getJobs();
    void jobFields_data();
    void jobFields();
    void componentsOutOfOrder();
    void idsStable();
    void getJob();
    void queryJobs_data();
    void queryJobs();
    void badArguments();
    void holidays();
    void latency();
    void longLines();
    void longOccurrences();
    void readInParts_data();
    void readInParts();
    void keptIndex_data();
    void keptIndex();
    void writtenOverWhileServed_data();
    void writtenOverWhileServed();
    void undatedEventNamed_data();
    void undatedEventNamed();

private:
    bool startServer(const QStringList &arguments);
    QStringList titlesOn(const QDate &day);
    ScheduleDataInfo find(const QString &title, const QDate &day);
    QStringList answersWithCache(const QString &calendar, const QString &cacheHome);

    QTemporaryDir m_dir;
    QStringList m_calendars;
    ServerProcess m_server;
    std::unique_ptr<CScheduleDBus> m_client;
};

namespace {

bool writeBytes(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
}

QString line(const QDate &day, const ScheduleDataInfo &job)
{
    const QString format = QStringLiteral("yyyy-MM-dd hh:mm");
    if (job.getAllDay()) {
        return QStringLiteral("%1: all-day %2 - %3")
            .arg(day.toString(Qt::ISODate), job.getBeginDateTime().date().toString(Qt::ISODate),
                 job.getEndDateTime().date().toString(Qt::ISODate));
    }
    return QStringLiteral("%1: %2 - %3 #%4")
        .arg(day.toString(Qt::ISODate), job.getBeginDateTime().toLocalTime().toString(format),
             job.getEndDateTime().toLocalTime().toString(format))
        .arg(job.getRecurID());
}

} // namespace

bool TestServerReads::startServer(const QStringList &arguments)
{
    m_client.reset();
    if (!m_server.start(arguments))
        return false;
    m_client = std::make_unique<CScheduleDBus>(ServerProcess::service(), QStringLiteral(DBUS_SERVER_PATH),
                                               QDBusConnection::sessionBus());
    return true;
}

void TestServerReads::initTestCase()
{
    if (!QDBusConnection::sessionBus().isConnected())
        QSKIP("no session bus");
    QCOMPARE(qgetenv("TZ"), QByteArray("Europe/Berlin"));
    QVERIFY(m_dir.isValid());
    const QString vdir = m_dir.filePath(QStringLiteral("khal"));
    for (const char *name : {"event_d_long.ics", "event_dt_floating.ics", "event_dtr_exdatez.ics",
                             "event_rrule_recuid_cancelled.ics", "tz_windows_format.ics"})
        QVERIFY(copyTestFile(QLatin1String(name), vdir + QLatin1Char('/') + QLatin1String(name)));
    for (const char *name : {"thunderbird-export.ics", "google-export.ics"})
        QVERIFY(copyTestFile(QLatin1String(name), m_dir.filePath(QLatin1String(name))));
    // vdirsyncer's metadata of a CalDAV collection; Apple's colours carry an alpha.
    QFile displayName(vdir + QStringLiteral("/displayname"));
    QFile color(vdir + QStringLiteral("/color"));
    QVERIFY(displayName.open(QIODevice::WriteOnly) && displayName.write("Personal\n") > 0);
    QVERIFY(color.open(QIODevice::WriteOnly) && color.write("#3366CCFF\n") > 0);
    displayName.close();
    color.close();
    m_calendars = QStringList{m_dir.filePath(QStringLiteral("thunderbird-export.ics")),
                              m_dir.filePath(QStringLiteral("google-export.ics")), vdir};
    QVERIFY(startServer(m_calendars));
}

void TestServerReads::cleanupTestCase()
{
    m_client.reset();
    m_server.stop();
}

ScheduleDataInfo TestServerReads::find(const QString &title, const QDate &day)
{
    return jobTitled(*m_client, title, day);
}

void TestServerReads::getJobs_data()
{
    QTest::addColumn<QString>("title");
    QTest::addColumn<QDate>("first");
    QTest::addColumn<QDate>("last");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("timed event across a month end, in UTC")
        << "Release night" << QDate(2024, 1, 30) << QDate(2024, 2, 2)
        << QStringList{"2024-01-31: 2024-01-31 23:00 - 2024-02-01 03:00 #0",
                       "2024-02-01: 2024-01-31 23:00 - 2024-02-01 03:00 #0"};
    QTest::newRow("all-day event across a month end, leap day")
        << "Trade fair" << QDate(2024, 2, 27) << QDate(2024, 3, 3)
        << QStringList{"2024-02-29: all-day 2024-02-29 - 2024-03-01",
                       "2024-03-01: all-day 2024-02-29 - 2024-03-01"};
    QTest::newRow("UTC series across the DST change, with an EXDATE")
        << "Sync with Berlin office" << QDate(2024, 3, 27) << QDate(2024, 4, 2)
        << QStringList{"2024-03-28: 2024-03-28 09:00 - 2024-03-28 09:30 #0",
                       "2024-03-29: 2024-03-29 09:00 - 2024-03-29 09:30 #1",
                       "2024-03-31: 2024-03-31 10:00 - 2024-03-31 10:30 #3",
                       "2024-04-01: 2024-04-01 10:00 - 2024-04-01 10:30 #4"};
    QTest::newRow("zoned series across the DST change")
        << "Morning run" << QDate(2024, 3, 28) << QDate(2024, 4, 3)
        << QStringList{"2024-03-29: 2024-03-29 07:00 - 2024-03-29 07:30 #0",
                       "2024-03-30: 2024-03-30 07:00 - 2024-03-30 07:30 #1",
                       "2024-03-31: 2024-03-31 07:00 - 2024-03-31 07:30 #2",
                       "2024-04-01: 2024-04-01 07:00 - 2024-04-01 07:30 #3",
                       "2024-04-02: 2024-04-02 07:00 - 2024-04-02 07:30 #4"};
    QTest::newRow("all-day multi-day event in a bare VEVENT file")
        << "Another Event" << QDate(2014, 4, 8) << QDate(2014, 4, 13)
        << QStringList{"2014-04-09: all-day 2014-04-09 - 2014-04-11",
                       "2014-04-10: all-day 2014-04-09 - 2014-04-11",
                       "2014-04-11: all-day 2014-04-09 - 2014-04-11"};
    QTest::newRow("weekly rule, UNTIL and EXDATE in UTC, DURATION")
        << "event_dtr_exdatez" << QDate(2014, 6, 29) << QDate(2014, 7, 27)
        << QStringList{"2014-06-30: 2014-06-30 07:30 - 2014-06-30 12:01 #0",
                       "2014-07-07: 2014-07-07 07:30 - 2014-07-07 12:01 #7",
                       "2014-07-14: 2014-07-14 07:30 - 2014-07-14 12:01 #14"};
    QTest::newRow("overridden and cancelled occurrences")
        << "Arbeit" << QDate(2014, 6, 30) << QDate(2014, 8, 10)
        << QStringList{"2014-06-30: 2014-06-30 07:00 - 2014-06-30 12:00 #0",
                       "2014-07-07: 2014-07-07 09:00 - 2014-07-07 14:00 #7",
                       "2014-07-21: 2014-07-21 07:00 - 2014-07-21 12:00 #21",
                       "2014-07-28: 2014-07-28 07:00 - 2014-07-28 12:00 #28",
                       "2014-08-04: 2014-08-04 07:00 - 2014-08-04 12:00 #35"};
    QTest::newRow("Windows time zone name")
        << "Event with Windows TZ name" << QDate(2019, 11, 19) << QDate(2019, 11, 21)
        << QStringList{"2019-11-20: 2019-11-20 01:00 - 2019-11-20 02:30 #0"};
    QTest::newRow("floating time") << "An Event" << QDate(2014, 4, 9) << QDate(2014, 4, 9)
                                   << QStringList{"2014-04-09: 2014-04-09 09:30 - 2014-04-09 10:30 #0"};
    QTest::newRow("workdays rule skips the weekend")
        << "Stand-up" << QDate(2024, 3, 29) << QDate(2024, 4, 2)
        << QStringList{"2024-03-29: 2024-03-29 09:30 - 2024-03-29 09:45 #4",
                       "2024-04-01: 2024-04-01 09:30 - 2024-04-01 09:45 #7",
                       "2024-04-02: 2024-04-02 09:30 - 2024-04-02 09:45 #8"};
    QTest::newRow("weekly all-day rule ends on its UNTIL date")
        << "Put out the recycling bin" << QDate(2024, 4, 1) << QDate(2024, 4, 30)
        << QStringList{"2024-04-05: all-day 2024-04-05 - 2024-04-05",
                       "2024-04-12: all-day 2024-04-12 - 2024-04-12"};
    QTest::newRow("range before every event")
        << "Release night" << QDate(2020, 1, 1) << QDate(2020, 1, 31) << QStringList();
}

void TestServerReads::getJobs()
{
    QFETCH(QString, title);
    QFETCH(QDate, first);
    QFETCH(QDate, last);
    QFETCH(QStringList, expected);

    DayMap days;
    QVERIFY(m_client->GetJobs(first, last, days));
    QCOMPARE(days.size(), int(first.daysTo(last)) + 1);
    QCOMPARE(days.firstKey(), first);
    QCOMPARE(days.lastKey(), last);
    QStringList lines;
    QSet<int> ids;
    for (auto it = days.cbegin(); it != days.cend(); ++it) {
        for (const ScheduleDataInfo &job : it.value()) {
            if (job.getTitleName() == title) {
                lines << line(it.key(), job);
                ids.insert(job.getID());
            }
        }
    }
    QCOMPARE(lines, expected);
    QVERIFY(ids.size() <= 1);
}

void TestServerReads::jobFields_data()
{
    QTest::addColumn<QString>("title");
    QTest::addColumn<QDate>("day");
    QTest::addColumn<QString>("remind");
    QTest::addColumn<QString>("rule");
    QTest::addColumn<QStringList>("ignore");
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("calendar"); // name and colour

    QTest::newRow("timed reminder, UNTIL in UTC")
        << "Morning run" << QDate(2024, 3, 29) << "15"
        << "FREQ=DAILY;UNTIL=20240402T070000Z" << QStringList() << 1 << "Home";
    QTest::newRow("all-day reminder at 09:00 the day before")
        << "Spring festival" << QDate(2024, 3, 31) << "1;09:00"
        << "" << QStringList() << 1 << "Home";
    QTest::newRow("Google's all-day reminder") << "Trade fair" << QDate(2024, 2, 29) << "1;09:00"
                                               << "" << QStringList() << 1 << "work@example.com";
    QTest::newRow("Google's timed reminder") << "Release night" << QDate(2024, 1, 31) << "30"
                                             << "" << QStringList() << 1 << "work@example.com";
    QTest::newRow("COUNT with an EXDATE in UTC")
        << "Sync with Berlin office" << QDate(2024, 3, 28) << ""
        << "FREQ=DAILY;COUNT=5" << QStringList{"2024-03-30T09:00:00"} << 1 << "work@example.com";
    QTest::newRow("weekly on workdays, with a job type")
        << "Stand-up" << QDate(2024, 3, 26) << ""
        << "FREQ=DAILY;BYDAY=MO,TU,WE,TH,FR;COUNT=10" << QStringList() << 3 << "Home";
    QTest::newRow("weekly UNTIL with EXDATE")
        << "event_dtr_exdatez" << QDate(2014, 7, 7) << ""
        << "FREQ=WEEKLY;UNTIL=20140725T073000Z" << QStringList{"2014-07-21T07:30:00"} << 1
        << "Personal #3366cc";
    QTest::newRow("weekly all-day UNTIL date")
        << "Put out the recycling bin" << QDate(2024, 3, 8) << ""
        << "FREQ=WEEKLY;UNTIL=20240412T000000Z" << QStringList() << 1 << "Home";
}

void TestServerReads::jobFields()
{
    QFETCH(QString, title);
    QFETCH(QDate, day);
    QFETCH(QString, remind);
    QFETCH(QString, rule);
    QFETCH(QStringList, ignore);
    QFETCH(int, type);
    QFETCH(QString, calendar);

    const ScheduleDataInfo job = find(title, day);
    QCOMPARE(job.getTitleName(), title);
    QCOMPARE(job.getScheudleRemind(), remind);
    QCOMPARE(job.getScheduleRRule(), rule);
    QStringList ignored;
    for (const QDateTime &dateTime : job.getIgnoreTime())
        ignored << dateTime.toLocalTime().toString(Qt::ISODate);
    QCOMPARE(ignored, ignore);
    QCOMPARE(job.getType(), type);
    QCOMPARE((job.getCalendarName() + QLatin1Char(' ') + job.getCalendarColor()).trimmed(), calendar);
    QVERIFY(!job.getCalendarId().isEmpty());
    QVERIFY(job.getCalendarWritable());
}

void TestServerReads::componentsOutOfOrder()
{
    // The override comes before its series; a monthly rule with INTERVAL=2 has no text form.
    const QString path = m_dir.filePath(QStringLiteral("out-of-order.ics"));
    QVERIFY(copyTestFile(QStringLiteral("mult_uids_and_recuid_no_order.ics"), path));
    QVERIFY(startServer({path}));

    DayMap days;
    QVERIFY(m_client->GetJobs(QDate(2014, 7, 6), QDate(2014, 7, 14), days));
    QStringList lines;
    for (auto it = days.cbegin(); it != days.cend(); ++it) {
        for (const ScheduleDataInfo &job : it.value())
            lines << line(it.key(), job);
    }
    QCOMPARE(lines, (QStringList{"2014-07-07: 2014-07-07 09:00 - 2014-07-07 14:00 #7",
                                 "2014-07-14: 2014-07-14 07:00 - 2014-07-14 12:00 #14"}));

    QVERIFY(m_client->GetJobs(QDate(2013, 2, 1), QDate(2014, 2, 1), days));
    QStringList months;
    for (auto it = days.cbegin(); it != days.cend(); ++it) {
        for (const ScheduleDataInfo &job : it.value()) {
            QCOMPARE(job.getTitleName(), QString::fromUtf8("Event with Ümläutß"));
            QCOMPARE(job.getScheduleRRule(), QString());
            months << it.key().toString(Qt::ISODate);
        }
    }
    QCOMPARE(months, (QStringList{"2013-03-01", "2013-05-01", "2013-07-01", "2013-09-01", "2013-11-01",
                                  "2014-01-01"}));
    QVERIFY(startServer(m_calendars));
}

void TestServerReads::idsStable()
{
    auto collect = [this](QMap<QString, QSet<int>> &ids) {
        DayMap days;
        QVERIFY(m_client->GetJobs(QDate(2024, 3, 1), QDate(2024, 4, 30), days));
        for (const QVector<ScheduleDataInfo> &jobs : days) {
            for (const ScheduleDataInfo &job : jobs)
                ids[job.getTitleName()].insert(job.getID());
        }
    };
    QMap<QString, QSet<int>> before;
    collect(before);
    QCOMPARE(before.size(), 6);
    QSet<int> distinct;
    for (const QSet<int> &ids : std::as_const(before)) {
        QCOMPARE(ids.size(), 1);
        QVERIFY(*ids.begin() > 0);
        distinct.unite(ids);
    }
    QCOMPARE(distinct.size(), before.size());

    // Two files of the directory share one UID; each event keeps an ID of its own.
    const ScheduleDataInfo floating = find(QStringLiteral("An Event"), QDate(2014, 4, 9));
    const ScheduleDataInfo allDay = find(QStringLiteral("Another Event"), QDate(2014, 4, 9));
    QVERIFY(floating.getID() > 0);
    QVERIFY(allDay.getID() > 0);
    QVERIFY(floating.getID() != allDay.getID());

    QVERIFY(startServer(m_calendars));
    QMap<QString, QSet<int>> after;
    collect(after);
    QCOMPARE(after, before);
    QCOMPARE(find(QStringLiteral("An Event"), QDate(2014, 4, 9)).getID(), floating.getID());
}

void TestServerReads::getJob()
{
    const ScheduleDataInfo occurrence = find(QStringLiteral("Sync with Berlin office"), QDate(2024, 3, 31));
    QVERIFY(occurrence.getID() > 0);
    ScheduleDataInfo job;
    QVERIFY(m_client->GetJob(occurrence.getID(), job));
    QCOMPARE(job.getID(), occurrence.getID());
    QCOMPARE(job.getRecurID(), 0);
    QCOMPARE(job.getBeginDateTime(), QDateTime(QDate(2024, 3, 28), QTime(9, 0)));
    QCOMPARE(job.getEndDateTime(), QDateTime(QDate(2024, 3, 28), QTime(9, 30)));
    QCOMPARE(job.getScheduleRRule(), QStringLiteral("FREQ=DAILY;COUNT=5"));
    QCOMPARE(job.getCalendar(), occurrence.getCalendar());

    // The calendars in their order, each with the ID its jobs carry.
    QVector<CalendarIdentity> calendars;
    QVERIFY(m_client->GetCalendars(calendars));
    QStringList listed;
    for (const CalendarIdentity &calendar : std::as_const(calendars))
        listed << QStringList{calendar.name, calendar.kind, calendar.color, calendar.writable ? "rw" : "ro"}
                      .join('|');
    QCOMPARE(listed,
             (QStringList{"Home|file||rw", "work@example.com|file||rw", "Personal|folder|#3366cc|rw"}));
    QCOMPARE(calendars.at(1).id, job.getCalendarId());
    QCOMPARE(calendars.at(1).location, m_calendars.at(1));

    ScheduleDataInfo untouched;
    untouched.setTitleName(QStringLiteral("kept"));
    QTest::ignoreMessage(QtWarningMsg,
                         QRegularExpression("^GetJob err ,.*com.norvale.dataserver.Calendar.Error.NotFound"));
    QVERIFY(!m_client->GetJob(424242, untouched));
    QCOMPARE(untouched.getTitleName(), QStringLiteral("kept"));
}

void TestServerReads::queryJobs_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QDateTime>("start");
    QTest::addColumn<QDateTime>("end");
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<QByteArray>("events"); // in a calendar of their own
    // An event whose SUMMARY line is `title`.
    const auto titled = [](const QByteArray &title) {
        return "BEGIN:VEVENT\r\nUID:search@test\r\nDTSTAMP:20250101T000000Z\r\n"
               "DTSTART:20250812T100000Z\r\nDTEND:20250812T110000Z\r\n" +
               title + "\r\nEND:VEVENT\r\n";
    };
    // A weekly series with its second occurrence moved a day on, each with its own title.
    const auto moved = [](const QByteArray &series, const QByteArray &occurrence) {
        const QByteArray head = "BEGIN:VEVENT\r\nUID:review@test\r\nDTSTAMP:20250101T000000Z\r\n";
        return head + "DTSTART:20250804T100000Z\r\nDTEND:20250804T110000Z\r\nRRULE:FREQ=WEEKLY;COUNT=3\r\n" +
               "SUMMARY:" + series + "\r\nEND:VEVENT\r\n" + head +
               "RECURRENCE-ID:20250811T100000Z\r\nDTSTART:20250812T100000Z\r\nDTEND:20250812T110000Z\r\n" +
               "SUMMARY:" + occurrence + "\r\nEND:VEVENT\r\n";
    };

    const QDateTime march(QDate(2024, 3, 1), QTime(0, 0));
    const QDateTime may(QDate(2024, 5, 1), QTime(0, 0));
    QTest::newRow("title, any case") << "BERLIN" << march << may
                                     << QStringList{"2024-03-28 Sync with Berlin office",
                                                    "2024-03-29 Sync with Berlin office",
                                                    "2024-03-31 Sync with Berlin office",
                                                    "2024-04-01 Sync with Berlin office"}
                                     << QByteArray();
    QTest::newRow("description") << "deployment" << QDateTime(QDate(2024, 1, 1), QTime(0, 0)) << march
                                 << QStringList{"2024-01-31 Release night", "2024-02-01 Release night"}
                                 << QByteArray();
    QTest::newRow("escaped text in the description")
        << "blockers" << QDateTime(QDate(2024, 3, 25), QTime(0, 0))
        << QDateTime(QDate(2024, 3, 27), QTime(0, 0))
        << QStringList{"2024-03-25 Stand-up", "2024-03-26 Stand-up"} << QByteArray();
    QTest::newRow("instants bound the range")
        << "" << QDateTime(QDate(2024, 3, 31), QTime(7, 15)) << QDateTime(QDate(2024, 3, 31), QTime(10, 0))
        << QStringList{"2024-03-31 Spring festival", "2024-03-31 Morning run"} << QByteArray();
    QTest::newRow("no match") << "nothing like this" << march << may << QStringList() << QByteArray();
    // The events read for a search are those whose text may hold the key: as the library reads it.
    const QDateTime august(QDate(2025, 8, 1), QTime(0, 0));
    const QDateTime september(QDate(2025, 9, 1), QTime(0, 0));
    QTest::newRow("key across a folded line")
        << "planning" << august << september << QStringList{"2025-08-12 Quarterly planning review"}
        << titled("SUMMARY:Quarterly plan\r\n ning review");
    QTest::newRow("key across an escaped comma")
        << "LUNCH, THEN" << august << september << QStringList{"2025-08-12 Lunch, then gym"}
        << titled("SUMMARY:Lunch\\, then gym");
    QTest::newRow("long s folds to s")
        << "gasthaus" << august << september << QStringList{"2025-08-12 Ga\u017Fthaus dinner"}
        << titled("SUMMARY:Ga\xc5\xbfthaus dinner");
    QTest::newRow("key beyond ASCII")
        << "CAF\u00C9" << august << september << QStringList{"2025-08-12 Caf\u00E9 visit"}
        << titled("SUMMARY:Caf\xc3\xa9 visit");
    // A series is passed over when none of its events holds the key, its moved occurrences' included.
    QTest::newRow("key in a moved occurrence alone")
        << "auditors" << august << september << QStringList{"2025-08-12 Review with the auditors"}
        << moved("Weekly review", "Review with the auditors");
    QTest::newRow("key in the series, not in its moved occurrence")
        << "weekly" << august << september
        << QStringList{"2025-08-04 Weekly review", "2025-08-18 Weekly review"}
        << moved("Weekly review", "Review with the auditors");
}

void TestServerReads::queryJobs()
{
    QFETCH(QString, key);
    QFETCH(QDateTime, start);
    QFETCH(QDateTime, end);
    QFETCH(QStringList, expected);
    QFETCH(QByteArray, events);
    auto cleanup = qScopeGuard([&] {
        if (!events.isEmpty())
            QVERIFY(startServer(m_calendars));
    });
    if (!events.isEmpty()) {
        const QString path = m_dir.filePath(QStringLiteral("search.ics"));
        QVERIFY(writeBytes(path, "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Test//Search//EN\r\n" + events +
                                     "END:VCALENDAR\r\n"));
        QVERIFY(startServer(m_calendars + QStringList{path}));
    }

    DayMap days;
    QVERIFY(m_client->QueryJobs(key, start, end, days));
    QStringList lines;
    for (auto it = days.cbegin(); it != days.cend(); ++it) {
        for (const ScheduleDataInfo &job : it.value())
            lines << it.key().toString(Qt::ISODate) + QLatin1Char(' ') + job.getTitleName();
    }
    QCOMPARE(lines, expected);
}

void TestServerReads::badArguments()
{
    DayMap days;
    QTest::ignoreMessage(QtWarningMsg,
                         QRegularExpression("^GetJobs err ,.*org.freedesktop.DBus.Error.InvalidArgs"));
    QVERIFY(!m_client->GetJobs(QDate(), QDate(2024, 1, 1), days));
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^GetJobs err ,.*InvalidArgs"));
    QVERIFY(!m_client->GetJobs(QDate(2000, 1, 1), QDate(2030, 1, 1), days));
    // An end before the start is an empty range, not an error.
    QVERIFY(m_client->GetJobs(QDate(2024, 3, 2), QDate(2024, 3, 1), days));
    QVERIFY(days.isEmpty());

    QDBusInterface raw(ServerProcess::service(), QStringLiteral(DBUS_SERVER_PATH),
                       QStringLiteral(DBUS_SERVER_NAME));
    const QDBusMessage reply = raw.call(QStringLiteral("QueryJobs"), QStringLiteral("{\"Key\":"));
    QCOMPARE(reply.type(), QDBusMessage::ErrorMessage);
    QCOMPARE(reply.errorName(), QStringLiteral("org.freedesktop.DBus.Error.InvalidArgs"));
    // A signed year where the interface takes an unsigned one is refused by the bus binding.
    const QDBusMessage signedReply = raw.call(QStringLiteral("GetFestivalMonth"), 2024, 12);
    QCOMPARE(signedReply.type(), QDBusMessage::ErrorMessage);
}

void TestServerReads::holidays()
{
    QVector<_tagFestivalInfo> festivals;
    // The test's locale (C) names no region: no holidays, but a well-formed answer.
    QVERIFY(m_client->GetFestivalMonth(2024, 12, festivals));
    QVERIFY(festivals.isEmpty());
    bool withDays = true;
    CaHuangLiMonthInfo month;
    QVERIFY(m_client->GetHuangLiMonth(2024, 2, withDays, month));
    QCOMPARE(month.mDays, 29);
    QCOMPARE(month.mFirstDayWeek, 4);
    QCOMPARE(month.mCaLunarDayInfo.size(), 29);

    QVERIFY(startServer(m_calendars +
                        QStringList{QStringLiteral("--holiday-region"), QStringLiteral("us_en-us")}));
    QVERIFY(m_client->GetFestivalMonth(2024, 12, festivals));
    const auto christmas =
        std::find_if(festivals.cbegin(), festivals.cend(), [](const _tagFestivalInfo &festival) {
            return festival.name.contains(QLatin1String("Christmas"));
        });
    QVERIFY(christmas != festivals.cend());
    QCOMPARE(christmas->year, 2024);
    QCOMPARE(christmas->month, 12);
    QCOMPARE(christmas->list.size(), 1);
    QCOMPARE(christmas->list.first().date, QDate(2024, 12, 25));
    QCOMPARE(int(christmas->list.first().status), 1);
    CaHuangLiDayInfo day;
    QVERIFY(m_client->GetHuangLiDay(QDate(2024, 12, 25), day));
    QVERIFY(day.mSolarFestival.contains(QLatin1String("Christmas")));
    QVERIFY(startServer(m_calendars));
}

void TestServerReads::latency()
{
    // 1500 single events and 300 open-ended series, in one file as a calendar export would hold them.
    const QString path = m_dir.filePath(QStringLiteral("large.ics"));
    QByteArray text = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Test//Large//EN\r\n";
    for (int i = 0; i < 1500; ++i) {
        const QDateTime start(QDate(2024, 1, 1).addDays(i % 366), QTime(8 + i % 8, 0), Qt::UTC);
        text += "BEGIN:VEVENT\r\nUID:single-" + QByteArray::number(i) +
                "\r\nDTSTART:" + start.toString(QStringLiteral("yyyyMMdd'T'HHmmss'Z'")).toLatin1() +
                "\r\nDURATION:PT1H\r\nSUMMARY:Single " + QByteArray::number(i) + "\r\nEND:VEVENT\r\n";
    }
    for (int i = 0; i < 300; ++i) {
        text += "BEGIN:VEVENT\r\nUID:series-" + QByteArray::number(i) +
                "\r\nDTSTART;TZID=Europe/Berlin:20230101T" + QByteArray::number(100000 + i % 10 * 10000) +
                "\r\nDURATION:PT30M\r\nRRULE:FREQ=" + (i % 2 ? "DAILY" : "WEEKLY") + "\r\nSUMMARY:Series " +
                QByteArray::number(i) +
                "\r\nBEGIN:VALARM\r\nACTION:DISPLAY\r\nTRIGGER:-PT10M\r\nDESCRIPTION:x\r\nEND:VALARM\r\nEND:"
                "VEVENT\r\n";
    }
    text += "END:VCALENDAR\r\n";
    QSaveFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(text);
    QVERIFY(file.commit());
    QVERIFY(startServer({path}));

    DayMap days;
    QElapsedTimer timer;
    timer.start();
    QVERIFY(m_client->GetJobs(QDate(2024, 6, 10), QDate(2024, 6, 16), days));
    const qint64 first = timer.restart();
    QVERIFY(m_client->GetJobs(QDate(2024, 6, 10), QDate(2024, 6, 16), days));
    const qint64 again = timer.elapsed();
    int jobs = 0;
    for (const QVector<ScheduleDataInfo> &day : std::as_const(days))
        jobs += day.size();
    // 150 daily series a day, 150 weekly ones once in the week, and 1500 singles spread over 366 days.
    int singles = 0;
    for (int i = 0; i < 1500; ++i) {
        const QDate day = QDate(2024, 1, 1).addDays(i % 366);
        singles += day >= QDate(2024, 6, 10) && day <= QDate(2024, 6, 16);
    }
    QCOMPARE(jobs, 7 * 150 + 150 + singles);
    qInfo("GetJobs of 7 days over %d jobs: %lld ms uncached, %lld ms cached", jobs, first, again);

    QVERIFY(startServer(m_calendars));
    timer.restart();
    QVERIFY(m_client->GetJobs(QDate(2024, 3, 25), QDate(2024, 3, 31), days));
    qInfo("GetJobs of 7 days of the sample calendars: %lld ms uncached", timer.elapsed());
}

void TestServerReads::longLines()
{
    // The library's reader is quadratic in the length of a physical line: a 16 MiB property on one
    // line kept the server from answering for about a minute. A file without line breaks once put
    // its whole text on stderr.
    const QByteArray head = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Test//Long//EN\r\n";
    const QByteArray description(16 * 1024 * 1024, 'x');
    const QString longPath = m_dir.filePath(QStringLiteral("long-line.ics"));
    const QString flatPath = m_dir.filePath(QStringLiteral("no-breaks.ics"));
    const QString otherPath = m_dir.filePath(QStringLiteral("beside.ics"));
    const QList<QPair<QString, QByteArray>> files{
        {longPath, head +
                       "BEGIN:VEVENT\r\nUID:long\r\nDTSTART:20240305T080000Z\r\nDURATION:PT1H\r\n"
                       "SUMMARY:Long notes\r\nDESCRIPTION:" +
                       description + "\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n"},
        {flatPath, "BEGIN:VCALENDAR VERSION:2.0 BEGIN:VEVENT SUMMARY:" + QByteArray(1024 * 1024, 'y')},
        {otherPath, head + "BEGIN:VEVENT\r\nUID:beside\r\nDTSTART:20240305T090000Z\r\nDURATION:PT1H\r\n"
                           "SUMMARY:Beside\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n"}};
    for (const auto &file : files) {
        QSaveFile out(file.first);
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write(file.second);
        QVERIFY(out.commit());
    }
    QVERIFY(startServer({longPath, flatPath, otherPath}));
    DayMap days;
    QTRY_VERIFY_WITH_TIMEOUT(m_client->GetJobs(QDate(2024, 3, 5), QDate(2024, 3, 5), days), 20000);
    QStringList titles;
    for (const ScheduleDataInfo &job : days.value(QDate(2024, 3, 5))) {
        titles << job.getTitleName();
        if (job.getTitleName() == QLatin1String("Long notes"))
            QCOMPARE(job.getDescription().size(), description.size());
    }
    QCOMPARE(titles, (QStringList{"Long notes", "Beside"}));
    QTRY_VERIFY(m_server.errors().contains(
        flatPath + ":1: BEGIN:VCALENDAR VERSION:2.0 BEGIN:VEVENT SUMMA... is never closed; file skipped"));
    const QStringList errors = m_server.errors().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QCOMPARE(errors.filter(QStringLiteral("long-line.ics:9: a line of 16777228 bytes, folded")).size(), 1);
    for (const QString &error : errors)
        QVERIFY2(error.size() < 300, qPrintable(error.left(300)));
    QVERIFY(startServer(m_calendars));
}

void TestServerReads::longOccurrences()
{
    // Regression: a daily job whose occurrences each last ten years, asked for the widest range,
    // made an answer of gigabytes and ended the server with std::bad_alloc, again at every ask.
    const QString path = m_dir.filePath(QStringLiteral("decade.ics"));
    QSaveFile out(path);
    QVERIFY(out.open(QIODevice::WriteOnly));
    out.write("BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Test//Decade//EN\r\nBEGIN:VEVENT\r\nUID:decade\r\n"
              "DTSTART:20260101T080000Z\r\nDTEND:20360101T080000Z\r\nRRULE:FREQ=DAILY\r\nSUMMARY:Decade\r\n"
              "END:VEVENT\r\nEND:VCALENDAR\r\n");
    QVERIFY(out.commit());
    QVERIFY(startServer({path}));
    QDBusInterface raw(ServerProcess::service(), QStringLiteral(DBUS_SERVER_PATH),
                       QStringLiteral(DBUS_SERVER_NAME));
    const QDate first(2026, 1, 1);
    const QDate last = first.addDays(3700);
    const QList<QDBusMessage> replies{
        raw.call(QStringLiteral("GetJobs"), uint(first.year()), uint(first.month()), uint(first.day()),
                 uint(last.year()), uint(last.month()), uint(last.day())),
        raw.call(QStringLiteral("QueryJobs"),
                 QStringLiteral("{\"Key\":\"\",\"Start\":\"2026-01-01T00:00:00+01:00\","
                                "\"End\":\"2036-02-18T00:00:00+01:00\"}"))};
    for (const QDBusMessage &reply : replies) {
        QCOMPARE(reply.type(), QDBusMessage::ErrorMessage);
        QCOMPARE(reply.errorName(), QStringLiteral("org.freedesktop.DBus.Error.LimitsExceeded"));
        QVERIFY2(reply.errorMessage().contains(QLatin1String("ask for fewer days")),
                 qPrintable(reply.errorMessage()));
    }
    QCOMPARE(m_server.process().state(), QProcess::Running);
    DayMap days;
    QVERIFY(m_client->GetJobs(QDate(2030, 6, 1), QDate(2030, 6, 1), days));
    QCOMPARE(days.value(QDate(2030, 6, 1)).size(), 1613); // every occurrence begun by that day
    QVERIFY(startServer(m_calendars));
}

void TestServerReads::readInParts_data()
{
    QTest::addColumn<int>("series");
    // A large file is read some thousands of incidences at a time; the answers are the same.
    QTest::newRow("read whole") << 1500;
    QTest::newRow("read in parts") << 4500;
}

// A series whose moved occurrence lies thousands of incidences after it, and UIDs written twice far
// apart: the first stands unless the second has a higher SEQUENCE, as a read of the whole file has it.
void TestServerReads::readInParts()
{
    QFETCH(int, series);
    QByteArray ics = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Test//Parts//EN\r\n";
    auto weekly = [](const QByteArray &uid, const QByteArray &title) {
        return "BEGIN:VEVENT\r\nUID:" + uid +
               "\r\nDTSTAMP:20240101T000000Z\r\nDTSTART:20240304T090000Z\r\n"
               "DTEND:20240304T093000Z\r\nRRULE:FREQ=WEEKLY;COUNT=2\r\nSUMMARY:" +
               title + "\r\nEND:VEVENT\r\n";
    };
    ics += weekly("moved", "Moved series");
    ics += weekly("twice", "Written first");
    for (int i = 0; i < series; ++i)
        ics += weekly("s" + QByteArray::number(i), "Series " + QByteArray::number(i));
    ics += weekly("twice", "Written again"); // no later SEQUENCE: the first stands
    ics += weekly("newer", "Older version");
    ics += weekly("newer", "Newer version").replace("SUMMARY:", "SEQUENCE:3\r\nSUMMARY:");
    ics += "BEGIN:VEVENT\r\nUID:moved\r\nDTSTAMP:20240101T000000Z\r\nRECURRENCE-ID:20240311T090000Z\r\n"
           "DTSTART:20240312T150000Z\r\nDTEND:20240312T153000Z\r\nSUMMARY:Moved series\r\nEND:VEVENT\r\n"
           "END:VCALENDAR\r\n";
    const QString path = m_dir.filePath(QStringLiteral("parts.ics"));
    QSaveFile out(path);
    QVERIFY(out.open(QIODevice::WriteOnly));
    out.write(ics);
    QVERIFY(out.commit());
    QVERIFY(startServer({path}));
    auto cleanup = qScopeGuard([this] { QVERIFY(startServer(m_calendars)); });

    DayMap days;
    QVERIFY(m_client->GetJobs(QDate(2024, 3, 4), QDate(2024, 3, 12), days));
    QStringList moved;
    QStringList twice;
    int last = 0;
    for (auto it = days.cbegin(); it != days.cend(); ++it) {
        for (const ScheduleDataInfo &job : it.value()) {
            if (job.getTitleName() == QLatin1String("Moved series"))
                moved << line(it.key(), job);
            else if (job.getTitleName().startsWith(QLatin1String("Written")) ||
                     job.getTitleName().endsWith(QLatin1String(" version")))
                twice << it.key().toString(Qt::ISODate) + QLatin1Char(' ') + job.getTitleName();
            else if (job.getTitleName() == QStringLiteral("Series %1").arg(series - 1))
                ++last;
        }
    }
    // In the test's zone, an hour east of UTC.
    QCOMPARE(moved, QStringList({"2024-03-04: 2024-03-04 10:00 - 2024-03-04 10:30 #0",
                                 "2024-03-12: 2024-03-12 16:00 - 2024-03-12 16:30 #7"}));
    QCOMPARE(twice, QStringList({"2024-03-04 Newer version", "2024-03-04 Written first",
                                 "2024-03-11 Newer version", "2024-03-11 Written first"}));
    QCOMPARE(last, 2);
}

namespace {

// Thirty events of their own in 2024 (those the server leaves unread until asked), one of them
// on `movedDay`, beside a weekly series with a moved and a cancelled occurrence.
QByteArray keptIndexCalendar(const QByteArray &movedDay, const QByteArray &title = "Single")
{
    QByteArray text = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Test//Index//EN\r\n";
    for (int i = 0; i < 30; ++i) {
        const QDate day = QDate(2024, 1, 3).addDays(11 * i);
        const QByteArray date = i == 6 ? movedDay : day.toString(QStringLiteral("yyyyMMdd")).toLatin1();
        text += "BEGIN:VEVENT\r\nUID:single-" + QByteArray::number(i) +
                "@test\r\nDTSTAMP:20240101T000000Z\r\n"
                "DTSTART:" +
                date + "T090000Z\r\nDTEND:" + date + "T100000Z\r\nSUMMARY:" + title + ' ' +
                QByteArray::number(i) + "\r\nEND:VEVENT\r\n";
    }
    text +=
        "BEGIN:VEVENT\r\nUID:weekly@test\r\nDTSTAMP:20240101T000000Z\r\nDTSTART:20240101T080000Z\r\n"
        "DTEND:20240101T083000Z\r\nRRULE:FREQ=WEEKLY;COUNT=20\r\nEXDATE:20240108T080000Z\r\n"
        "SUMMARY:Weekly\r\nEND:VEVENT\r\n"
        "BEGIN:VEVENT\r\nUID:weekly@test\r\nDTSTAMP:20240101T000000Z\r\nRECURRENCE-ID:20240115T080000Z\r\n"
        "DTSTART:20240116T120000Z\r\nDTEND:20240116T123000Z\r\nSUMMARY:Weekly moved\r\nEND:VEVENT\r\n"
        "END:VCALENDAR\r\n";
    return text;
}

QByteArray readBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString indexDirectory(const QString &cacheHome)
{
    return cacheHome + QStringLiteral("/tasklist-dataserver/index");
}

QStringList indexFiles(const QString &cacheHome)
{
    return QDir(indexDirectory(cacheHome)).entryList({QStringLiteral("*.index")}, QDir::Files, QDir::Name);
}

} // namespace

// The server's answers for 2024 on `calendar`, with its index cache in `cacheHome`; waits for the
// server to keep the calendar's index there.
QStringList TestServerReads::answersWithCache(const QString &calendar, const QString &cacheHome)
{
    qputenv("XDG_CACHE_HOME", QFile::encodeName(cacheHome));
    QStringList lines;
    if (!startServer({calendar}))
        return {QStringLiteral("no server")};
    // Later months first: an event read for the days its index names would be found by a later
    // question all the same.
    for (int month = 12; month >= 1; --month) {
        DayMap days;
        const QDate first(2024, month, 1);
        if (!m_client->GetJobs(first, first.addMonths(1).addDays(-1), days))
            return {QStringLiteral("no answer")};
        for (auto it = days.cbegin(); it != days.cend(); ++it) {
            for (const ScheduleDataInfo &job : it.value())
                lines << line(it.key(), job) + QLatin1Char(' ') + job.getTitleName();
        }
    }
    for (int i = 0; i < 300 && indexFiles(cacheHome).isEmpty(); ++i)
        QTest::qWait(20);
    m_server.stop();
    if (!m_server.errors().isEmpty())
        lines << QStringLiteral("stderr: ") + m_server.errors();
    return lines;
}

void TestServerReads::keptIndex_data()
{
    QTest::addColumn<QString>("damage");
    QTest::newRow("intact") << "intact";
    QTest::newRow("truncated") << "truncated";
    QTest::newRow("one byte altered") << "altered";
    QTest::newRow("wrong version") << "version";
    QTest::newRow("random bytes") << "random";
    QTest::newRow("another calendar's") << "other";
    QTest::newRow("the file changed, same length") << "digest";
    QTest::newRow("empty") << "empty";
}

// A start with an index kept by an earlier one answers as a start without; a cache that is not the
// calendar's own, as it is now, is passed over.
void TestServerReads::keptIndex()
{
    QFETCH(QString, damage);
    const QByteArray oldCacheHome = qgetenv("XDG_CACHE_HOME");
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString calendar = dir.filePath(QStringLiteral("calendar.ics"));
    const QString other = dir.filePath(QStringLiteral("other.ics"));
    // The same length as the calendar, one event moved from March to April.
    QVERIFY(writeBytes(other, damage == QLatin1String("digest") ? keptIndexCalendar("20240405")
                                                                : keptIndexCalendar("20240305", "Other")));
    QVERIFY(writeBytes(calendar, keptIndexCalendar("20240305")));
    const QString cold = dir.filePath(QStringLiteral("cold"));
    const QString warm = dir.filePath(QStringLiteral("warm"));
    const QString otherCache = dir.filePath(QStringLiteral("other-cache"));

    // The cache the calendar's start leaves, and the other file's, kept in a folder of its own.
    const QStringList written = answersWithCache(calendar, warm);
    QCOMPARE(indexFiles(warm).size(), 1);
    const QString index = indexDirectory(warm) + QLatin1Char('/') + indexFiles(warm).constFirst();
    const QByteArray bytes = readBytes(index);
    QVERIFY(bytes.size() > 16);
    const QStringList otherCold = answersWithCache(other, otherCache);
    QCOMPARE(indexFiles(otherCache).size(), 1);
    const QString otherIndex =
        indexDirectory(otherCache) + QLatin1Char('/') + indexFiles(otherCache).constFirst();

    QString served = calendar;
    QByteArray damaged = bytes;
    if (damage == QLatin1String("truncated")) {
        damaged.truncate(bytes.size() / 2);
    } else if (damage == QLatin1String("altered")) {
        damaged[bytes.size() * 2 / 3] = char(damaged.at(bytes.size() * 2 / 3) ^ 0x10);
    } else if (damage == QLatin1String("version")) {
        damaged[7] = char(damaged.at(7) + 1); // after the magic, the version's lowest byte
    } else if (damage == QLatin1String("random")) {
        for (char &c : damaged)
            c = char(QRandomGenerator::global()->bounded(256));
    } else if (damage == QLatin1String("other")) {
        damaged = readBytes(otherIndex);
    } else if (damage == QLatin1String("digest")) {
        // The changed file's text, served with the index of the text before it under its name.
        QVERIFY(QFile::remove(index));
        QVERIFY(
            writeBytes(indexDirectory(warm) + QLatin1Char('/') + indexFiles(otherCache).constFirst(), bytes));
        served = other;
    } else if (damage == QLatin1String("empty")) {
        damaged.clear();
    }
    if (damage != QLatin1String("digest"))
        QVERIFY(writeBytes(index, damaged));

    const QStringList expected = served == calendar ? written : otherCold;
    QVERIFY(!expected.isEmpty());
    QCOMPARE(answersWithCache(served, warm), expected);
    // And without any cache, the same again.
    QCOMPARE(answersWithCache(served, cold), expected);
    // Only the served calendar's index is left: the damaged one is replaced or removed.
    QCOMPARE(indexFiles(warm), indexFiles(cold));
    qputenv("XDG_CACHE_HOME", oldCacheHome);
    QVERIFY(startServer(m_calendars));
}

namespace {

// `count` events of their own, one every 300th on each day from 2 January 2024, each with a long
// description and a title of one length: "<word> 0042".
QByteArray manySingles(int count, const QByteArray &word, int padding = 0)
{
    QByteArray text = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Test//Singles//EN\r\n";
    for (int i = 0; i < count; ++i) {
        const QByteArray date =
            QDate(2024, 1, 2).addDays(i % 300).toString(QStringLiteral("yyyyMMdd")).toLatin1();
        text += "BEGIN:VEVENT\r\nUID:e" + QByteArray::number(i) +
                "@test\r\nDTSTAMP:20240101T000000Z\r\nDTSTART:" + date + "T090000Z\r\nDTEND:" + date +
                "T100000Z\r\nDESCRIPTION:" + QByteArray(i == 0 ? 900 + padding : 900, 'x') +
                "\r\nSUMMARY:" + word + ' ' + QByteArray::number(i).rightJustified(4, '0') +
                "\r\nEND:VEVENT\r\n";
    }
    return text + "END:VCALENDAR\r\n";
}

QStringList titlesFor(int count, const QString &word, int dayIndex)
{
    QStringList titles;
    for (int i = dayIndex; i < count; i += 300)
        titles << QStringLiteral("%1 %2").arg(word).arg(i, 4, 10, QLatin1Char('0'));
    return titles;
}

} // namespace

QStringList TestServerReads::titlesOn(const QDate &day)
{
    DayMap days;
    if (!m_client->GetJobs(day, day, days))
        return {QStringLiteral("no answer")};
    QStringList titles;
    for (const ScheduleDataInfo &job : days.value(day))
        titles << job.getTitleName();
    titles.sort();
    return titles;
}

void TestServerReads::writtenOverWhileServed_data()
{
    QTest::addColumn<int>("events");
    QTest::addColumn<bool>("inPlace");  // written over, not replaced by a new file
    QTest::addColumn<bool>("restored"); // then written over again with the text it had
    // The text of a large file's events is read from the file again as queries reach them.
    QTest::newRow("small file written over") << 100 << true << false;
    QTest::newRow("large file written over") << 6000 << true << false;
    QTest::newRow("large file replaced") << 6000 << false << false;
    QTest::newRow("large file written over and back") << 6000 << true << true;
}

// Changed on disk, a file answers as it was or as it is until it is read again, and then as it is;
// never with what lies where its events were. The new text is longer by a title's line and its
// END line before every event but the first. Written back, the file's events are the ones read
// first: those a query looked for in the text it had meanwhile are not lost.
void TestServerReads::writtenOverWhileServed()
{
    QFETCH(int, events);
    QFETCH(bool, inPlace);
    QFETCH(bool, restored);
    const QString path = m_dir.filePath(QStringLiteral("singles.ics"));
    const QByteArray older = manySingles(events, "Event");
    QVERIFY(writeBytes(path, older));
    QVERIFY(startServer({path}));
    auto cleanup = qScopeGuard([this] { QVERIFY(startServer(m_calendars)); });
    QCOMPARE(titlesOn(QDate(2024, 1, 3)), titlesFor(events, QStringLiteral("Event"), 1));

    auto writeOver = [&path](const QByteArray &text) {
        QFile file(path);
        return file.open(QIODevice::ReadWrite) && file.write(text) == text.size() && file.resize(text.size());
    };
    const QByteArray newer =
        manySingles(events, "Newer", int(qstrlen("SUMMARY:Newer 0000\r\nEND:VEVENT\r\n")));
    QVERIFY(inPlace ? writeOver(newer) : writeBytes(path, newer));
    const QDate later(2024, 2, 21); // the 50th day: none of its events read yet
    const QStringList before = titlesFor(events, QStringLiteral("Event"), 50);
    const QStringList after = titlesFor(events, QStringLiteral("Newer"), 50);
    for (const QString &title : titlesOn(later))
        QVERIFY2(before.contains(title) || after.contains(title), qPrintable(title));
    if (restored)
        QVERIFY(writeOver(older));
    QTRY_COMPARE(titlesOn(later), restored ? before : after);
    QVERIFY2(!m_server.errors().contains(QLatin1String("skipped")), qPrintable(m_server.errors()));
}

void TestServerReads::undatedEventNamed_data()
{
    QTest::addColumn<int>("events");
    QTest::newRow("small file") << 100;
    QTest::newRow("large file, its text let go before the series are read") << 6000;
}

// The fault of an event without a valid DTSTART is told at its line, in a file of any size.
void TestServerReads::undatedEventNamed()
{
    QFETCH(int, events);
    QByteArray text = manySingles(events, "Event");
    const QByteArray undated = "BEGIN:VEVENT\r\nUID:undated@test\r\nDTSTART:2024033\r\nSUMMARY:Undated\r\n"
                               "END:VEVENT\r\n";
    text.insert(text.lastIndexOf("END:VCALENDAR"), undated);
    const int line = int(text.left(text.indexOf("UID:undated@test")).count('\n')) + 2; // DTSTART
    const QString path = m_dir.filePath(QStringLiteral("undated.ics"));
    QVERIFY(writeBytes(path, text));
    QVERIFY(startServer({path}));
    auto cleanup = qScopeGuard([this] { QVERIFY(startServer(m_calendars)); });
    QCOMPARE(titlesOn(QDate(2024, 1, 3)), titlesFor(events, QStringLiteral("Event"), 1));
    const QString fault =
        QStringLiteral("%1:%2: event \"undated@test\" has no valid DTSTART").arg(path).arg(line);
    QTRY_VERIFY2(m_server.errors().contains(fault),
                 qPrintable(fault + QLatin1Char('\n') + m_server.errors()));
}

QTEST_GUILESS_MAIN(TestServerReads)
#include "tst_serverreads.moc"
