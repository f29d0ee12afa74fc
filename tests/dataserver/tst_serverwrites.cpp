#include "cscheduledbus.h"
#include "serverprocess.h"

#include <KCalendarCore/ICalFormat>
#include <KCalendarCore/MemoryCalendar>

#include <QDBusInterface>
#include <QDBusReply>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QSaveFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>
#include <string_view>

using DayMap = QMap<QDate, QVector<ScheduleDataInfo>>;

// Changes through the server and on disk, bad files, a second instance, the demo calendar.
// The test runs with TZ=Europe/Berlin.
class TestServerWrites : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();
    void createUpdateDeleteInFile();
    void updateMovesSeriesKeepingUnknownProperties();
    void updateOverriddenOccurrence();
    void editsReadAsAfresh_data();
    void editsReadAsAfresh();
    void oneOccurrenceAndChosenCalendar();
    void createAndDeleteInDirectory();
    void zonesWithoutChanges_data();
    void zonesWithoutChanges();
    void refusedChanges();
    void jobTexts_data();
    void jobTexts();
    void jobsUpdatedOnDiskEdit();
    void calendarFileGoneAndBack_data();
    void calendarFileGoneAndBack();
    void malformedFilesSkipped();
    void secondInstanceRefused();
    void demoCalendar();
    void completeTodo_data();
    void completeTodo();
    void completeRepeatingTodo();
    void undatedTodos();
    void completionRefused();

private:
    // SetJobCompleted on the raw interface: its error name, empty for success.
    QString setCompleted(qint64 id, int recurId, bool completed);
    // The file at `path` as the library reads it.
    KCalendarCore::MemoryCalendar::Ptr readBack(const QString &path);
    bool startServer(const QStringList &arguments);
    // GetJobs over the weeks around the events of editsReadAsAfresh(), and GetJob of each job in it;
    // and over the filler's year.
    QStringList answers(bool filler = false);
    QVector<ScheduleDataInfo> jobsOf(const QString &title, const QDate &first, const QDate &last,
                                     QList<QDate> *days = nullptr);

    // The server's own zone; empty: the test's.
    bool startServerIn(const QString &zone, const QStringList &arguments);

    std::unique_ptr<QTemporaryDir> m_dir;
    ServerProcess m_server;
    std::unique_ptr<CScheduleDBus> m_client;
};

namespace {

QStringList linesOf(const QByteArray &data)
{
    return QString::fromUtf8(data).split(QStringLiteral("\r\n"));
}

ScheduleDataInfo timedJob(const QString &title, const QDateTime &begin, int minutes)
{
    ScheduleDataInfo job;
    job.setTitleName(title);
    job.setAllDay(false);
    job.setBeginDateTime(begin);
    job.setEndDateTime(begin.addSecs(minutes * 60));
    return job;
}

QByteArray todoCalendar(const QByteArray &components)
{
    return "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//test//EN\r\n" + components + "END:VCALENDAR\r\n";
}

bool writeFile(const QString &path, const QByteArray &data)
{
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(data) == data.size() && file.commit();
}

// `after` is `before` with the lines `removed` taken out and those `added` put in, each where
// the other lines leave it; `added` match as regular expressions.
bool sameBut(const QStringList &before, const QStringList &after, const QStringList &removed,
             const QStringList &added, QString *why)
{
    QStringList kept = before;
    for (const QString &line : removed) {
        if (!kept.removeOne(line)) {
            *why = QStringLiteral("not there before: ") + line;
            return false;
        }
    }
    QStringList rest = after;
    for (const QString &pattern : added) {
        const QRegularExpression expression(QLatin1Char('^') + pattern + QLatin1Char('$'));
        const int at = rest.indexOf(expression);
        if (at < 0) {
            *why = QStringLiteral("not written: ") + pattern;
            return false;
        }
        rest.removeAt(at);
    }
    if (rest != kept) {
        *why = QStringLiteral("other lines changed:\n") + after.join(QLatin1Char('\n'));
        return false;
    }
    return true;
}

// The text without the components of `uid`.
QByteArray withoutUid(const QByteArray &text, const QByteArray &uid)
{
    QByteArray rest;
    int copied = 0;
    for (int at = text.indexOf("BEGIN:VEVENT"); at >= 0; at = text.indexOf("BEGIN:VEVENT", at + 1)) {
        const int end = text.indexOf('\n', text.indexOf("END:VEVENT", at)) + 1;
        if (end <= 0)
            break;
        if (QRegularExpression(QStringLiteral("\nUID:%1\r?\n").arg(QString::fromUtf8(uid)))
                .match(QString::fromUtf8(text.mid(at, end - at)))
                .hasMatch()) {
            rest += text.mid(copied, at - copied);
            copied = end;
        }
    }
    return rest + text.mid(copied);
}

// A calendar of single events, some between blank lines, one in a zone it does not define, a
// series whose override lies after other events, and a to-do.
// `busy`: the number of overrides of a second series, if any; more than eight are read apart.
// `filler` more events of their own, in 2023, each with a long description: a large file.
QByteArray spliceCalendar(const QByteArray &eol, int busy, int filler = 0)
{
    QByteArray text =
        "BEGIN:VCALENDAR\nVERSION:2.0\nPRODID:-//test//EN\nX-WR-CALNAME:Splice\n"
        "BEGIN:VTIMEZONE\nTZID:Europe/Berlin\nBEGIN:DAYLIGHT\nTZOFFSETFROM:+0100\nTZOFFSETTO:+0200\n"
        "TZNAME:CEST\nDTSTART:19700329T020000\nRRULE:FREQ=YEARLY;BYDAY=-1SU;BYMONTH=3\nEND:DAYLIGHT\n"
        "BEGIN:STANDARD\nTZOFFSETFROM:+0200\nTZOFFSETTO:+0100\nTZNAME:CET\nDTSTART:19701025T030000\n"
        "RRULE:FREQ=YEARLY;BYDAY=-1SU;BYMONTH=10\nEND:STANDARD\nEND:VTIMEZONE\n"
        "BEGIN:VEVENT\nUID:single-a\nDTSTAMP:20240401T080000Z\nDTSTART;TZID=Europe/Berlin:20240506T090000\n"
        "DTEND;TZID=Europe/Berlin:20240506T100000\nSUMMARY:Single A\nEND:VEVENT\n";
    for (int i = 0; i < filler; ++i) {
        const QByteArray date =
            QDate(2023, 1, 1).addDays(i % 365).toString(QStringLiteral("yyyyMMdd")).toLatin1();
        text += "BEGIN:VEVENT\nUID:filler-" + QByteArray::number(i) +
                "\nDTSTAMP:20230101T000000Z\nDTSTART:" + date + "T080000Z\nDTEND:" + date +
                "T090000Z\nSUMMARY:Filler\nDESCRIPTION:" + QByteArray(900, 'f') + "\nEND:VEVENT\n";
    }
    text +=
        "BEGIN:VEVENT\nUID:series-s\nDTSTAMP:20240401T080000Z\nDTSTART;TZID=Europe/Berlin:20240506T120000\n"
        "DTEND;TZID=Europe/Berlin:20240506T130000\nRRULE:FREQ=DAILY;COUNT=10\nSUMMARY:Series S\n"
        "BEGIN:VALARM\nACTION:DISPLAY\nTRIGGER:-PT10M\nDESCRIPTION:Series S\nEND:VALARM\nEND:VEVENT\n"
        "\n"
        "BEGIN:VEVENT\nUID:single-b\nDTSTAMP:20240401T080000Z\nDTSTART;VALUE=DATE:20240508\n"
        "DTEND;VALUE=DATE:20240509\nSUMMARY:Single B\nEND:VEVENT\n"
        "\n"
        "BEGIN:VEVENT\nUID:series-s\nDTSTAMP:20240401T080000Z\n"
        "RECURRENCE-ID;TZID=Europe/Berlin:20240508T120000\nDTSTART;TZID=Europe/Berlin:20240508T150000\n"
        "DTEND;TZID=Europe/Berlin:20240508T160000\nSUMMARY:Series S moved\nEND:VEVENT\n"
        "BEGIN:VEVENT\nUID:single-c\nDTSTAMP:20240401T080000Z\nDTSTART:20240510T100000Z\nDURATION:PT30M\n"
        "SUMMARY:Single C\nDESCRIPTION:Notes\\, folded over\n  two lines\nEND:VEVENT\n"
        "BEGIN:VEVENT\nUID:single-d\nDTSTAMP:20240401T080000Z\n"
        "DTSTART;TZID=America/New_York:20240511T090000\nDTEND;TZID=America/New_York:20240511T100000\n"
        "SUMMARY:Single D\nEND:VEVENT\n"
        "BEGIN:VTODO\nUID:todo-t\nDTSTAMP:20240401T080000Z\nDUE;VALUE=DATE:20240509\nSUMMARY:Todo T\n"
        "END:VTODO\n";
    if (busy >= 0) {
        text += "BEGIN:VEVENT\nUID:series-p\nDTSTAMP:20240401T080000Z\nDTSTART:20240501T060000Z\n"
                "DTEND:20240501T063000Z\nRRULE:FREQ=DAILY;COUNT=30\nSUMMARY:Series P\nEND:VEVENT\n";
        for (int i = 0; i < busy; ++i)
            text += QStringLiteral("BEGIN:VEVENT\nUID:series-p\nDTSTAMP:20240401T080000Z\n"
                                   "RECURRENCE-ID:202405%1T060000Z\nDTSTART:202405%1T070000Z\n"
                                   "DTEND:202405%1T073000Z\nSUMMARY:Series P %2\nEND:VEVENT\n")
                        .arg(11 + i)
                        .arg(i)
                        .toUtf8();
    }
    text += "END:VCALENDAR\n";
    return text.replace("\n", eol);
}

} // namespace

QString TestServerWrites::setCompleted(qint64 id, int recurId, bool completed)
{
    QDBusInterface raw(ServerProcess::service(), QStringLiteral(DBUS_SERVER_PATH),
                       QStringLiteral(DBUS_SERVER_NAME));
    const QDBusMessage reply = raw.call(QStringLiteral("SetJobCompleted"), id, recurId, completed);
    return reply.type() == QDBusMessage::ErrorMessage ? reply.errorName() : QString();
}

KCalendarCore::MemoryCalendar::Ptr TestServerWrites::readBack(const QString &path)
{
    KCalendarCore::MemoryCalendar::Ptr calendar(new KCalendarCore::MemoryCalendar(QTimeZone::utc()));
    KCalendarCore::ICalFormat format;
    if (!format.fromRawString(calendar, readAll(path)))
        return {};
    return calendar;
}

QStringList TestServerWrites::answers(bool filler)
{
    QDBusInterface raw(ServerProcess::service(), QStringLiteral(DBUS_SERVER_PATH),
                       QStringLiteral(DBUS_SERVER_NAME));
    const QDBusReply<QString> range = raw.call(QStringLiteral("GetJobs"), 2024u, 4u, 29u, 2024u, 6u, 9u);
    QStringList out{range.value()};
    QSet<qint64> ids;
    const QJsonArray days = QJsonDocument::fromJson(range.value().toUtf8()).array();
    for (const QJsonValue &day : days) {
        for (const QJsonValue &job : day.toObject().value(QStringLiteral("Jobs")).toArray())
            ids.insert(qint64(job.toObject().value(QStringLiteral("ID")).toDouble()));
    }
    QList<qint64> sorted = ids.values();
    std::sort(sorted.begin(), sorted.end());
    for (const qint64 id : std::as_const(sorted)) {
        const QDBusReply<QString> job = raw.call(QStringLiteral("GetJob"), id);
        out << job.value();
    }
    if (filler) {
        const QDBusReply<QString> year = raw.call(QStringLiteral("GetJobs"), 2023u, 1u, 1u, 2023u, 12u, 31u);
        out << year.value();
    }
    return out;
}

bool TestServerWrites::startServer(const QStringList &arguments)
{
    m_client.reset();
    if (!m_server.start(arguments))
        return false;
    m_client = std::make_unique<CScheduleDBus>(ServerProcess::service(), QStringLiteral(DBUS_SERVER_PATH),
                                               QDBusConnection::sessionBus());
    return true;
}

bool TestServerWrites::startServerIn(const QString &zone, const QStringList &arguments)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    if (!zone.isEmpty())
        environment.insert(QStringLiteral("TZ"), zone);
    m_server.process().setProcessEnvironment(environment);
    return startServer(arguments);
}

QVector<ScheduleDataInfo> TestServerWrites::jobsOf(const QString &title, const QDate &first,
                                                   const QDate &last, QList<QDate> *days)
{
    DayMap map;
    QVector<ScheduleDataInfo> result;
    if (!m_client->GetJobs(first, last, map))
        return result;
    for (auto it = map.cbegin(); it != map.cend(); ++it) {
        for (const ScheduleDataInfo &job : it.value()) {
            if (job.getTitleName() == title) {
                result << job;
                if (days)
                    *days << it.key();
            }
        }
    }
    return result;
}

void TestServerWrites::initTestCase()
{
    if (!QDBusConnection::sessionBus().isConnected())
        QSKIP("no session bus");
    QCOMPARE(qgetenv("TZ"), QByteArray("Europe/Berlin"));
}

void TestServerWrites::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

void TestServerWrites::cleanup()
{
    m_client.reset();
    m_server.stop();
    m_server.process().setProcessEnvironment(QProcessEnvironment::systemEnvironment());
    m_dir.reset();
}

void TestServerWrites::createUpdateDeleteInFile()
{
    const QString path = m_dir->filePath(QStringLiteral("home.ics"));
    QVERIFY(copyTestFile(QStringLiteral("thunderbird-export.ics"), path));
    const QString other = m_dir->filePath(QStringLiteral("google.ics"));
    QVERIFY(copyTestFile(QStringLiteral("google-export.ics"), other));
    const QByteArray original = readAll(path);
    QVERIFY(startServer({path, other}));
    QSignalSpy updates(m_client.get(), &CScheduleDBus::jobsUpdate);

    ScheduleDataInfo dentist =
        timedJob(QStringLiteral("Dentist, again; really"), QDateTime(QDate(2024, 4, 10), QTime(14, 0)), 60);
    dentist.setDescription(QStringLiteral("Line 1\nLine 2, with a comma"));
    dentist.setRemindData(RemindData(45, QTime(9, 0)));
    dentist.setScheduleRRule(QStringLiteral("FREQ=WEEKLY;COUNT=3"));
    dentist.setType(2);
    const qint64 id = m_client->CreateJob(dentist);
    QVERIFY(id > 0);
    QTRY_COMPARE(updates.count(), 1);

    ScheduleDataInfo stored;
    QVERIFY(m_client->GetJob(id, stored));
    QCOMPARE(stored.getTitleName(), dentist.getTitleName());
    QCOMPARE(stored.getDescription(), dentist.getDescription());
    QCOMPARE(stored.getBeginDateTime(), dentist.getBeginDateTime());
    QCOMPARE(stored.getEndDateTime(), dentist.getEndDateTime());
    QCOMPARE(stored.getAllDay(), false);
    QCOMPARE(stored.getScheudleRemind(), QStringLiteral("45"));
    QCOMPARE(stored.getScheduleRRule(), QStringLiteral("FREQ=WEEKLY;COUNT=3"));
    QCOMPARE(stored.getType(), 2);
    QList<QDate> days;
    QCOMPARE(jobsOf(dentist.getTitleName(), QDate(2024, 4, 1), QDate(2024, 4, 30), &days).size(), 3);
    QCOMPARE(days, (QList<QDate>{QDate(2024, 4, 10), QDate(2024, 4, 17), QDate(2024, 4, 24)}));

    // Appended to the first calendar; what was there stays byte for byte, its time zone is reused.
    QByteArray written = readAll(path);
    const QByteArray head = original.left(original.lastIndexOf("END:VCALENDAR"));
    QVERIFY(written.startsWith(head));
    QVERIFY(written.contains("DTSTART;TZID=Europe/Berlin:20240410T140000\r\n"));
    QVERIFY(written.contains("SUMMARY:Dentist\\, again\\; really\r\n"));
    QCOMPARE(written.count("BEGIN:VTIMEZONE"), 1);
    QVERIFY(written.endsWith("END:VEVENT\r\nEND:VCALENDAR\r\n"));

    ScheduleDataInfo holiday;
    holiday.setTitleName(QStringLiteral("Holiday"));
    holiday.setAllDay(true);
    holiday.setBeginDateTime(QDateTime(QDate(2024, 5, 1), QTime(0, 0)));
    holiday.setEndDateTime(QDateTime(QDate(2024, 5, 3), QTime(23, 59)));
    holiday.setScheudleRemind(QStringLiteral("1;09:00"));
    const qint64 holidayId = m_client->CreateJob(holiday);
    QVERIFY(holidayId > 0);
    QVERIFY(holidayId != id);
    QTRY_COMPARE(updates.count(), 2);
    days.clear();
    const QVector<ScheduleDataInfo> holidays =
        jobsOf(QStringLiteral("Holiday"), QDate(2024, 4, 30), QDate(2024, 5, 5), &days);
    QCOMPARE(days, (QList<QDate>{QDate(2024, 5, 1), QDate(2024, 5, 2), QDate(2024, 5, 3)}));
    QCOMPARE(holidays.first().getScheudleRemind(), QStringLiteral("1;09:00"));
    written = readAll(path);
    QVERIFY(written.contains("DTSTART;VALUE=DATE:20240501\r\nDTEND;VALUE=DATE:20240504\r\n"));
    QVERIFY(written.contains("TRIGGER:-PT15H\r\n"));

    // Reminder and rule taken away again.
    stored.setRemindData(RemindData());
    stored.setScheduleRRule(QString());
    QVERIFY(m_client->UpdateJob(stored));
    QTRY_COMPARE(updates.count(), 3);
    QVERIFY(m_client->GetJob(id, stored));
    QCOMPARE(stored.getScheudleRemind(), QString());
    QCOMPARE(stored.getScheduleRRule(), QString());
    QCOMPARE(jobsOf(dentist.getTitleName(), QDate(2024, 4, 1), QDate(2024, 4, 30)).size(), 1);

    QVERIFY(m_client->DeleteJob(id));
    QTRY_COMPARE(updates.count(), 4);
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^GetJob err ,.*Error.NotFound"));
    QVERIFY(!m_client->GetJob(id, stored));
    QVERIFY(!readAll(path).contains("Dentist"));
    QVERIFY(m_client->DeleteJob(holidayId));
    QTRY_COMPARE(updates.count(), 5);
    QCOMPARE(readAll(path), original);
    QCOMPARE(jobsOf(QStringLiteral("Holiday"), QDate(2024, 4, 30), QDate(2024, 5, 5)).size(), 0);
}

void TestServerWrites::updateMovesSeriesKeepingUnknownProperties()
{
    const QString path = m_dir->filePath(QStringLiteral("home.ics"));
    QVERIFY(copyTestFile(QStringLiteral("thunderbird-export.ics"), path));
    const QStringList before = linesOf(readAll(path));
    QVERIFY(startServer({path}));
    QSignalSpy updates(m_client.get(), &CScheduleDBus::jobsUpdate);

    // The occurrence after the DST change, moved to the evening: the whole series moves.
    QVector<ScheduleDataInfo> runs =
        jobsOf(QStringLiteral("Morning run"), QDate(2024, 3, 31), QDate(2024, 3, 31));
    QCOMPARE(runs.size(), 1);
    ScheduleDataInfo run = runs.first();
    QCOMPARE(run.getRecurID(), 2);
    run.setTitleName(QStringLiteral("Evening run"));
    run.setBeginDateTime(QDateTime(QDate(2024, 3, 31), QTime(19, 0)));
    run.setEndDateTime(QDateTime(QDate(2024, 3, 31), QTime(19, 45)));
    QVERIFY(m_client->UpdateJob(run));
    QTRY_COMPARE(updates.count(), 1);

    runs = jobsOf(QStringLiteral("Evening run"), QDate(2024, 3, 28), QDate(2024, 4, 3));
    QCOMPARE(runs.size(), 4); // the UNTIL of 07:00 on April 2 now ends the series before that evening
    for (const ScheduleDataInfo &occurrence : std::as_const(runs)) {
        QCOMPARE(occurrence.getID(), run.getID());
        QCOMPARE(occurrence.getBeginDateTime().toLocalTime().time(), QTime(19, 0));
        QCOMPARE(occurrence.getEndDateTime().toLocalTime().time(), QTime(19, 45));
        QCOMPARE(occurrence.getScheudleRemind(), QStringLiteral("15"));
    }

    // Only the changed properties and the change stamps differ; the rest stays as it was,
    // unknown properties, the alarm's own properties and the other events' rules included.
    const QStringList after = linesOf(readAll(path));
    const QStringList replaced{"SUMMARY:Morning run", "DTSTART;TZID=Europe/Berlin:20240329T070000",
                               "DTEND;TZID=Europe/Berlin:20240329T073000", "LAST-MODIFIED:20240301T101800Z",
                               "DTSTAMP:20240301T101800Z"};
    for (const QString &line : before) {
        if (!replaced.contains(line))
            QVERIFY2(after.contains(line), qPrintable(line));
    }
    QVERIFY(after.contains("SUMMARY:Evening run"));
    QVERIFY(after.contains("DTSTART;TZID=Europe/Berlin:20240329T190000"));
    QVERIFY(after.contains("DTEND;TZID=Europe/Berlin:20240329T194500"));
    QVERIFY(after.contains("X-FOO:bar"));
    QVERIFY(after.contains("FOO-BAR;X-PARAM=1:baz"));
    QVERIFY(after.contains("RRULE:FREQ=WEEKLY;UNTIL=20240412"));
    QCOMPARE(after.size(), before.size());

    // Sending back what the server delivered changes nothing.
    const QByteArray unchanged = readAll(path);
    const QVector<ScheduleDataInfo> standUps =
        jobsOf(QStringLiteral("Stand-up"), QDate(2024, 3, 26), QDate(2024, 3, 26));
    QCOMPARE(standUps.size(), 1);
    QVERIFY(m_client->UpdateJob(standUps.first()));
    QCOMPARE(readAll(path), unchanged);
}

void TestServerWrites::updateOverriddenOccurrence()
{
    const QString path = m_dir->filePath(QStringLiteral("work.ics"));
    QVERIFY(copyTestFile(QStringLiteral("event_rrule_recuid.ics"), path));
    QVERIFY(startServer({path}));
    QSignalSpy updates(m_client.get(), &CScheduleDBus::jobsUpdate);

    QVector<ScheduleDataInfo> moved = jobsOf(QStringLiteral("Arbeit"), QDate(2014, 7, 7), QDate(2014, 7, 7));
    QCOMPARE(moved.size(), 1);
    QCOMPARE(moved.first().getRecurID(), 7);
    ScheduleDataInfo job = moved.first();
    job.setTitleName(QStringLiteral("Arbeit (Homeoffice)"));
    QVERIFY(m_client->UpdateJob(job));
    QTRY_COMPARE(updates.count(), 1);

    QCOMPARE(jobsOf(QStringLiteral("Arbeit (Homeoffice)"), QDate(2014, 6, 30), QDate(2014, 8, 10)).size(), 1);
    QCOMPARE(jobsOf(QStringLiteral("Arbeit"), QDate(2014, 6, 30), QDate(2014, 8, 10)).size(), 5);
    const QByteArray written = readAll(path);
    QCOMPARE(written.count("SUMMARY:Arbeit (Homeoffice)"), 1);
    QVERIFY(written.contains("RECURRENCE-ID:20140707T050000Z\nDTSTART;TZID=Europe/Berlin:20140707T090000\n"));
}

void TestServerWrites::editsReadAsAfresh_data()
{
    QTest::addColumn<QByteArray>("eol");
    QTest::addColumn<int>("busy");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QDate>("day");
    QTest::addColumn<QString>("edit");
    QTest::addColumn<QByteArray>("uid");
    // How the edit is written: "alone", its components rewritten and read again alone; "read whole",
    // rewritten alone but the whole file read again; "whole", the whole file rewritten and read.
    QTest::addColumn<QString>("how");
    QTest::addColumn<int>("filler"); // events in another year, which make the file large
    // Half of them read before the edit, the rest after it; more than the server keeps read, so
    // the first half is let go and read again from where the edit moved it.
    QTest::addColumn<bool>("letGo");
    const QByteArray crlf = "\r\n";
    QTest::newRow("single, retitled") << crlf << -1 << "Single A" << QDate(2024, 5, 6) << "title"
                                      << QByteArray("single-a") << "alone" << 0 << false;
    QTest::newRow("single, moved") << crlf << -1 << "Single B" << QDate(2024, 5, 8) << "move"
                                   << QByteArray("single-b") << "alone" << 0 << false;
    QTest::newRow("single, folded, deleted") << crlf << -1 << "Single C" << QDate(2024, 5, 10) << "delete"
                                             << QByteArray("single-c") << "alone" << 0 << false;
    QTest::newRow("series, retitled") << crlf << -1 << "Series S" << QDate(2024, 5, 7) << "title"
                                      << QByteArray("series-s") << "alone" << 0 << false;
    QTest::newRow("series, moved") << crlf << -1 << "Series S" << QDate(2024, 5, 7) << "move"
                                   << QByteArray("series-s") << "alone" << 0 << false;
    QTest::newRow("series, one occurrence") << crlf << -1 << "Series S" << QDate(2024, 5, 9) << "occurrence"
                                            << QByteArray("series-s") << "alone" << 0 << false;
    QTest::newRow("override, retitled") << crlf << -1 << "Series S moved" << QDate(2024, 5, 8) << "title"
                                        << QByteArray("series-s") << "alone" << 0 << false;
    QTest::newRow("series, deleted") << crlf << -1 << "Series S" << QDate(2024, 5, 7) << "delete"
                                     << QByteArray("series-s") << "alone" << 0 << false;
    QTest::newRow("LF, one occurrence") << QByteArray("\n") << -1 << "Series S" << QDate(2024, 5, 9)
                                        << "occurrence" << QByteArray("series-s") << "alone" << 0 << false;
    QTest::newRow("LF, single deleted") << QByteArray("\n") << -1 << "Single A" << QDate(2024, 5, 6)
                                        << "delete" << QByteArray("single-a") << "alone" << 0 << false;
    QTest::newRow("read apart, one occurrence")
        << crlf << 9 << "Series P" << QDate(2024, 5, 25) << "occurrence" << QByteArray("series-p") << "alone"
        << 0 << false;
    QTest::newRow("read apart, override moved") << crlf << 9 << "Series P 2" << QDate(2024, 5, 13) << "move"
                                                << QByteArray("series-p") << "alone" << 0 << false;
    QTest::newRow("read apart once one more override")
        << crlf << 7 << "Series P" << QDate(2024, 5, 25) << "occurrence" << QByteArray("series-p")
        << "read whole" << 0 << false;
    QTest::newRow("read apart, deleted") << crlf << 9 << "Series P" << QDate(2024, 5, 25) << "delete"
                                         << QByteArray("series-p") << "read whole" << 0 << false;
    QTest::newRow("single beside overrides read apart")
        << crlf << 9 << "Single B" << QDate(2024, 5, 8) << "move" << QByteArray("single-b") << "alone" << 0
        << false;
    QTest::newRow("created") << crlf << -1 << "New job" << QDate(2024, 5, 14) << "create" << QByteArray()
                             << "alone" << 0 << false;
    QTest::newRow("LF, created") << QByteArray("\n") << -1 << "New job" << QDate(2024, 5, 14) << "create"
                                 << QByteArray() << "alone" << 0 << false;
    QTest::newRow("created beside overrides read apart")
        << crlf << 9 << "New job" << QDate(2024, 5, 14) << "create" << QByteArray() << "alone" << 0 << false;
    // The text between two events is hashed apart: one removed from between them changes it.
    QTest::newRow("single between blank lines, deleted")
        << crlf << -1 << "Single B" << QDate(2024, 5, 8) << "delete" << QByteArray("single-b") << "read whole"
        << 0 << false;
    // The file lacks the definition of its zone, which the edit adds among the calendar's own.
    QTest::newRow("in a zone the file lacks, moved")
        << crlf << -1 << "Single D" << QDate(2024, 5, 11) << "move" << QByteArray("single-d") << "whole" << 0
        << false;
    // Its events not read yet are read from the file as it was read, or where the edit moved them.
    QTest::newRow("large file, single retitled") << crlf << -1 << "Single A" << QDate(2024, 5, 6) << "title"
                                                 << QByteArray("single-a") << "alone" << 5000 << false;
    QTest::newRow("large file, one occurrence")
        << crlf << -1 << "Series S" << QDate(2024, 5, 9) << "occurrence" << QByteArray("series-s") << "alone"
        << 5000 << false;
    QTest::newRow("large file, created") << crlf << -1 << "New job" << QDate(2024, 5, 14) << "create"
                                         << QByteArray() << "alone" << 5000 << false;
    QTest::newRow("large file, single deleted") << crlf << -1 << "Single C" << QDate(2024, 5, 10) << "delete"
                                                << QByteArray("single-c") << "alone" << 5000 << false;
    QTest::newRow("large file, read and let go, single retitled")
        << crlf << -1 << "Single A" << QDate(2024, 5, 6) << "title" << QByteArray("single-a") << "alone"
        << 5000 << true;
    QTest::newRow("large file, read and let go, series read whole")
        << crlf << 7 << "Series P" << QDate(2024, 5, 25) << "occurrence" << QByteArray("series-p")
        << "read whole" << 5000 << true;
}

void TestServerWrites::editsReadAsAfresh()
{
    // An edit rewrites the event's components alone and reads them alone again: the server must
    // then answer as one that reads the written file afresh.
    QFETCH(QByteArray, eol);
    QFETCH(int, busy);
    QFETCH(QString, title);
    QFETCH(QDate, day);
    QFETCH(QString, edit);
    QFETCH(QByteArray, uid);
    QFETCH(QString, how);
    QFETCH(int, filler);
    QFETCH(bool, letGo);
    const QString path = m_dir->filePath(QStringLiteral("splice.ics"));
    const QByteArray original = spliceCalendar(eol, busy, filler);
    QVERIFY(writeFile(path, original));
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    const QString cache = m_dir->filePath(QStringLiteral("cache"));
    environment.insert(QStringLiteral("XDG_CACHE_HOME"), cache);
    environment.insert(QStringLiteral("QT_LOGGING_RULES"),
                       QStringLiteral("tasklist.dataserver.edits.debug=true"));
    m_server.process().setProcessEnvironment(environment);
    QVERIFY(startServer({path}));
    QSignalSpy updates(m_client.get(), &CScheduleDBus::jobsUpdate);
    // One day asked first: its single events are read, the others' are left for later.
    QVERIFY(!jobsOf(QStringLiteral("Single A"), QDate(2024, 5, 6), QDate(2024, 5, 6)).isEmpty());
    if (letGo)
        QVERIFY(!jobsOf(QStringLiteral("Filler"), QDate(2023, 1, 1), QDate(2023, 6, 30)).isEmpty());

    const QVector<ScheduleDataInfo> found = jobsOf(title, day, day);
    QCOMPARE(found.size(), edit == QLatin1String("create") ? 0 : 1);
    ScheduleDataInfo job = found.value(0);
    QDBusInterface raw(ServerProcess::service(), QStringLiteral(DBUS_SERVER_PATH),
                       QStringLiteral(DBUS_SERVER_NAME));
    QDBusMessage reply;
    if (edit == QLatin1String("create")) {
        job = timedJob(title + QStringLiteral(", created"), QDateTime(day, QTime(8, 0)), 30);
        reply = raw.call(QStringLiteral("CreateJob"),
                         QString::fromUtf8(QJsonDocument(ScheduleDataInfo::ScheduleToJson(job)).toJson()));
    } else if (edit == QLatin1String("delete")) {
        reply = raw.call(QStringLiteral("DeleteJob"), qint64(job.getID()));
    } else {
        if (edit == QLatin1String("title"))
            job.setTitleName(title + QStringLiteral(", retitled"));
        else
            job.setTitleName(title + QStringLiteral(", moved"));
        if (edit != QLatin1String("title")) {
            job.setBeginDateTime(job.getBeginDateTime().addSecs(3600));
            job.setEndDateTime(job.getEndDateTime().addSecs(3600));
        }
        QJsonObject json = ScheduleDataInfo::ScheduleToJson(job);
        if (edit == QLatin1String("occurrence"))
            json.insert(QStringLiteral("ThisOccurrenceOnly"), true);
        reply = raw.call(QStringLiteral("UpdateJob"), QString::fromUtf8(QJsonDocument(json).toJson()));
    }
    QCOMPARE(reply.type(), QDBusMessage::ReplyMessage);
    QTRY_COMPARE(updates.count(), 1);
    const QStringList edited = answers(letGo);
    QVERIFY(edited.first().contains(QLatin1String("\"Title\"")));
    QCOMPARE(edited.first().contains(title + QLatin1String(", ")), edit != QLatin1String("delete"));

    // Every byte but those of the event's components is as it was, line ends included.
    const QByteArray written = readAll(path);
    QVERIFY(written != original);
    if (edit == QLatin1String("create")) {
        // Where a whole write puts it: after the calendar's last component.
        const int at = original.lastIndexOf("END:VCALENDAR");
        const QByteArray added = written.mid(at, written.size() - original.size());
        QVERIFY(added.startsWith("BEGIN:VEVENT" + eol));
        QVERIFY(added.endsWith("END:VEVENT" + eol));
        QCOMPARE(written.left(at) + written.mid(at + added.size()), original);
    } else if (how != QLatin1String("whole")) {
        QCOMPARE(withoutUid(written, uid), withoutUid(original, uid));
    }
    QCOMPARE(written.count("\r\n"), eol == "\r\n" ? written.count('\n') : 0);
    QCOMPARE(written.contains("UID:" + uid), edit != QLatin1String("delete"));
    if (how != QLatin1String("whole"))
        QTRY_VERIFY(m_server.errors().contains(QLatin1String(" rewritten")));
    QCOMPARE(m_server.errors().contains(QLatin1String(" rewritten and read again alone")),
             how == QLatin1String("alone"));
    QCOMPARE(m_server.errors().contains(QLatin1String(" rewritten; the whole file read again")),
             how == QLatin1String("read whole"));

    // The server's own write is no change on disk; the layout of the new text is kept for the
    // next start.
    const QString index = cache + QStringLiteral("/tasklist-dataserver/index/") +
                          QString::number(quint64(std::hash<std::string_view>{}(
                                              std::string_view(written.constData(), size_t(written.size())))),
                                          16)
                              .rightJustified(16, QLatin1Char('0')) +
                          QStringLiteral(".index");
    QTRY_VERIFY(QFileInfo::exists(index));
    QCOMPARE(updates.count(), 1);
    QCOMPARE(answers(letGo), edited);

    // A start on that layout, and one that reads the file afresh.
    QVERIFY(startServer({path}));
    QCOMPARE(answers(letGo), edited);
    QVERIFY(QDir(cache).removeRecursively());
    QVERIFY(startServer({path}));
    QCOMPARE(answers(letGo), edited);
}

void TestServerWrites::oneOccurrenceAndChosenCalendar()
{
    const QString path = m_dir->filePath(QStringLiteral("home.ics"));
    QVERIFY(copyTestFile(QStringLiteral("thunderbird-export.ics"), path));
    const QString other = m_dir->filePath(QStringLiteral("google.ics"));
    QVERIFY(copyTestFile(QStringLiteral("google-export.ics"), other));
    QVERIFY(startServer({path, other}));
    QSignalSpy updates(m_client.get(), &CScheduleDBus::jobsUpdate);

    // One occurrence moved and renamed on its own: an override; the series stays.
    ScheduleDataInfo run =
        jobsOf(QStringLiteral("Morning run"), QDate(2024, 3, 31), QDate(2024, 3, 31)).value(0);
    QCOMPARE(run.getRecurID(), 2);
    run.setTitleName(QStringLiteral("Evening run"));
    run.setBeginDateTime(QDateTime(QDate(2024, 3, 31), QTime(19, 0)));
    run.setEndDateTime(QDateTime(QDate(2024, 3, 31), QTime(19, 45)));
    QJsonObject json = ScheduleDataInfo::ScheduleToJson(run);
    json.insert(QStringLiteral("ThisOccurrenceOnly"), true);
    QDBusInterface raw(ServerProcess::service(), QStringLiteral(DBUS_SERVER_PATH),
                       QStringLiteral(DBUS_SERVER_NAME));
    QCOMPARE(raw.call(QStringLiteral("UpdateJob"), QString::fromUtf8(QJsonDocument(json).toJson())).type(),
             QDBusMessage::ReplyMessage);
    QTRY_COMPARE(updates.count(), 1);
    const QVector<ScheduleDataInfo> evening =
        jobsOf(QStringLiteral("Evening run"), QDate(2024, 3, 28), QDate(2024, 4, 3));
    QCOMPARE(evening.size(), 1);
    QCOMPARE(evening.first().getRecurID(), 2);
    QCOMPARE(evening.first().getBeginDateTime().toLocalTime().time(), QTime(19, 0));
    QCOMPARE(jobsOf(QStringLiteral("Morning run"), QDate(2024, 3, 28), QDate(2024, 4, 3)).size(), 4);
    QVERIFY(readAll(path).contains("RECURRENCE-ID;TZID=Europe/Berlin:20240331T070000\r\n"));

    // One occurrence deleted: the series skips it.
    ScheduleDataInfo skipped =
        jobsOf(QStringLiteral("Morning run"), QDate(2024, 4, 1), QDate(2024, 4, 1)).value(0);
    skipped.getIgnoreTime() << skipped.getBeginDateTime();
    QVERIFY(m_client->UpdateJob(skipped));
    QTRY_COMPARE(updates.count(), 2);
    QCOMPARE(jobsOf(QStringLiteral("Morning run"), QDate(2024, 3, 28), QDate(2024, 4, 3)).size(), 3);
    QCOMPARE(jobsOf(QStringLiteral("Evening run"), QDate(2024, 3, 28), QDate(2024, 4, 3)).size(), 1);

    // A new job goes to the calendar it names; an unknown one is refused.
    QVector<CalendarIdentity> calendars;
    QVERIFY(m_client->GetCalendars(calendars));
    QCOMPARE(calendars.size(), 2);
    ScheduleDataInfo call = timedJob(QStringLiteral("Call"), QDateTime(QDate(2024, 6, 3), QTime(8, 0)), 15);
    call.setCalendar(calendars.at(1));
    QVERIFY(m_client->CreateJob(call) > 0);
    QVERIFY(readAll(other).contains("SUMMARY:Call"));
    QVERIFY(!readAll(path).contains("SUMMARY:Call"));
    CalendarIdentity nowhere;
    nowhere.id = QStringLiteral("nowhere");
    call.setCalendar(nowhere);
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^createJob err ,.*Error.NotFound"));
    QCOMPARE(m_client->CreateJob(call), qint64(-1));
}

void TestServerWrites::createAndDeleteInDirectory()
{
    const QString vdir = m_dir->filePath(QStringLiteral("personal"));
    QVERIFY(copyTestFile(QStringLiteral("event_d_long.ics"), vdir + QStringLiteral("/event_d_long.ics")));
    QVERIFY(copyTestFile(QStringLiteral("event_dtr_exdatez.ics"),
                         vdir + QStringLiteral("/event_dtr_exdatez.ics")));
    QVERIFY(startServer({vdir}));
    QSignalSpy updates(m_client.get(), &CScheduleDBus::jobsUpdate);

    const qint64 id =
        m_client->CreateJob(timedJob(QStringLiteral("Call"), QDateTime(QDate(2024, 6, 3), QTime(8, 0)), 15));
    QVERIFY(id > 0);
    QTRY_COMPARE(updates.count(), 1);
    const QStringList files = QDir(vdir).entryList({"*.ics"}, QDir::Files);
    QCOMPARE(files.size(), 3);
    QString created;
    for (const QString &file : files) {
        if (!file.startsWith(QLatin1String("event_")))
            created = vdir + QLatin1Char('/') + file;
    }
    const QByteArray data = readAll(created);
    QVERIFY(data.startsWith("BEGIN:VCALENDAR\r\nVERSION:2.0\r\n"));
    QVERIFY(data.contains("BEGIN:VTIMEZONE\r\nTZID:Europe/Berlin\r\n"));
    QVERIFY(data.contains("UID:" + QFileInfo(created).completeBaseName().toUtf8() + "\r\n"));
    QCOMPARE(jobsOf(QStringLiteral("Call"), QDate(2024, 6, 3), QDate(2024, 6, 3)).size(), 1);

    // A bare VEVENT file gets its VCALENDAR when written; its other lines stay.
    QVector<ScheduleDataInfo> long_ =
        jobsOf(QStringLiteral("Another Event"), QDate(2014, 4, 10), QDate(2014, 4, 10));
    QCOMPARE(long_.size(), 1);
    long_.first().setTitleName(QStringLiteral("Yet another event"));
    QVERIFY(m_client->UpdateJob(long_.first()));
    QTRY_COMPARE(updates.count(), 2);
    const QByteArray bare = readAll(vdir + QStringLiteral("/event_d_long.ics"));
    QVERIFY(bare.startsWith("BEGIN:VCALENDAR\n"));
    QVERIFY(
        bare.contains("SUMMARY:Yet another event\nDTSTART;VALUE=DATE:20140409\nDTEND;VALUE=DATE:20140412\n"));
    QVERIFY(bare.contains("\nUID:V042MJ8B3SJNFXQOJL6P53OFMHJE8Z3VZWOU\n"));
    QVERIFY(bare.contains("\nLAST-MODIFIED:"));
    QCOMPARE(jobsOf(QStringLiteral("Yet another event"), QDate(2014, 4, 8), QDate(2014, 4, 13)).size(), 3);

    QVERIFY(m_client->DeleteJob(id));
    QTRY_COMPARE(updates.count(), 3);
    QVERIFY(!QFile::exists(created));
    QCOMPARE(QDir(vdir).entryList({"*.ics"}, QDir::Files).size(), 2);
}

void TestServerWrites::zonesWithoutChanges_data()
{
    QTest::addColumn<QString>("zone");      // the server's
    QTest::addColumn<QByteArray>("before"); // the event made timed or moved; empty: one is created
    QTest::addColumn<QByteArray>("start");  // the DTSTART line written
    QTest::addColumn<QByteArray>("offset"); // the zone definition's TZOFFSETTO; empty: no definition

    const QByteArray allDay = "DTSTART;VALUE=DATE:20240410\r\nDTEND;VALUE=DATE:20240411\r\n";
    // A zone named by its IANA ID, as a program that leaves out the zone's definition writes it.
    const QByteArray namedUtc =
        "DTSTART;TZID=Etc/UTC:20240410T090000\r\nDTEND;TZID=Etc/UTC:20240410T100000\r\n";
    // Once written as an empty VTIMEZONE, which RFC 5545 forbids and strict readers refuse.
    for (const char *zone : {"Etc/UTC", "Universal", "Zulu", "Etc/GMT"})
        QTest::addRow("created, %s", zone)
            << zone << QByteArray() << QByteArray("DTSTART:20240410T120000Z") << QByteArray();
    QTest::newRow("all day made timed, Etc/UTC")
        << "Etc/UTC" << allDay << QByteArray("DTSTART:20240410T120000Z") << QByteArray();
    QTest::newRow("moved in a zone the file does not define, Etc/UTC")
        << "Etc/UTC" << namedUtc << QByteArray("DTSTART;TZID=Etc/UTC:20240410T120000") << QByteArray("+0000");
    // A fixed offset other than 0 keeps its zone, defined by one STANDARD part.
    QTest::newRow("created, Asia/Tokyo")
        << "Asia/Tokyo" << QByteArray() << QByteArray("DTSTART;TZID=Asia/Tokyo:20240410T210000")
        << QByteArray("+0900");
    QTest::newRow("created, Etc/GMT-3")
        << "Etc/GMT-3" << QByteArray() << QByteArray("DTSTART;TZID=Etc/GMT-3:20240410T150000")
        << QByteArray("+0300");
    QTest::newRow("all day made timed, Etc/GMT+5")
        << "Etc/GMT+5" << allDay << QByteArray("DTSTART;TZID=Etc/GMT+5:20240410T070000")
        << QByteArray("-0500");
}

void TestServerWrites::zonesWithoutChanges()
{
    QFETCH(QString, zone);
    QFETCH(QByteArray, before);
    QFETCH(QByteArray, start);
    QFETCH(QByteArray, offset);

    const QString path = m_dir->filePath(QStringLiteral("home.ics"));
    QByteArray events;
    if (!before.isEmpty())
        events = "BEGIN:VEVENT\r\nUID:zone-check\r\nDTSTAMP:20240101T000000Z\r\n" + before +
                 "SUMMARY:Zone check\r\nEND:VEVENT\r\n";
    {
        QSaveFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//test//EN\r\n" + events + "END:VCALENDAR\r\n");
        QVERIFY(file.commit());
    }
    QVERIFY(startServerIn(zone, {path}));
    QSignalSpy updates(m_client.get(), &CScheduleDBus::jobsUpdate);

    // 14:00 in Berlin is 12:00 UTC, on the same day in each of the zones.
    const QDateTime begin(QDate(2024, 4, 10), QTime(14, 0));
    if (before.isEmpty()) {
        QVERIFY(m_client->CreateJob(timedJob(QStringLiteral("Zone check"), begin, 60)) > 0);
    } else {
        ScheduleDataInfo job = jobsOf(QStringLiteral("Zone check"), begin.date(), begin.date()).value(0);
        QVERIFY(job.getID() > 0);
        job.setAllDay(false);
        job.setBeginDateTime(begin);
        job.setEndDateTime(begin.addSecs(3600));
        QVERIFY(m_client->UpdateJob(job));
    }
    QTRY_COMPARE(updates.count(), 1);

    const QByteArray written = readAll(path);
    QVERIFY2(written.contains("\r\n" + start + "\r\n"), written.constData());
    QCOMPARE(written.count("BEGIN:VTIMEZONE"), offset.isEmpty() ? 0 : 1);
    if (!offset.isEmpty()) {
        const int from = written.indexOf("BEGIN:VTIMEZONE");
        const QByteArray definition = written.mid(from, written.indexOf("END:VTIMEZONE", from) - from);
        QVERIFY2(definition.contains("BEGIN:STANDARD\r\n") || definition.contains("BEGIN:DAYLIGHT\r\n"),
                 definition.constData());
        QVERIFY2(definition.contains("TZOFFSETTO:" + offset + "\r\n"), definition.constData());
    }
    const QVector<ScheduleDataInfo> read = jobsOf(QStringLiteral("Zone check"), begin.date(), begin.date());
    QCOMPARE(read.size(), 1);
    QCOMPARE(read.first().getAllDay(), false);
    QCOMPARE(read.first().getBeginDateTime().toUTC(), begin.toUTC());
    QCOMPARE(read.first().getEndDateTime().toUTC(), begin.addSecs(3600).toUTC());
}

void TestServerWrites::refusedChanges()
{
    const QString path = m_dir->filePath(QStringLiteral("home.ics"));
    QVERIFY(copyTestFile(QStringLiteral("google-export.ics"), path));
    const QByteArray original = readAll(path);
    QVERIFY(startServer({path}));
    QSignalSpy updates(m_client.get(), &CScheduleDBus::jobsUpdate);

    ScheduleDataInfo unknown = timedJob(QStringLiteral("x"), QDateTime(QDate(2024, 1, 1), QTime(9, 0)), 10);
    unknown.setID(77);
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^UpdateJob err ,.*Error.NotFound"));
    QVERIFY(!m_client->UpdateJob(unknown));
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^DeleteJob err ,.*Error.NotFound"));
    QVERIFY(!m_client->DeleteJob(77));
    ScheduleDataInfo backwards =
        timedJob(QStringLiteral("x"), QDateTime(QDate(2024, 1, 1), QTime(9, 0)), -10);
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^createJob err ,.*InvalidArgs"));
    QCOMPARE(m_client->CreateJob(backwards), qint64(-1));

    QDBusInterface raw(ServerProcess::service(), QStringLiteral(DBUS_SERVER_PATH),
                       QStringLiteral(DBUS_SERVER_NAME));
    const QList<QPair<QString, QString>> texts{{"CreateJob", "not json"},
                                               {"CreateJob", "[1,2]"},
                                               {"UpdateJob", "{\"ID\":"},
                                               {"CreateJob", "{\"Type\":1}"}};
    for (const auto &text : texts) {
        const QDBusMessage reply = raw.call(text.first, text.second);
        QCOMPARE(reply.type(), QDBusMessage::ErrorMessage);
        QCOMPARE(reply.errorName(), QStringLiteral("org.freedesktop.DBus.Error.InvalidArgs"));
    }
    QCOMPARE(readAll(path), original);
    QCOMPARE(updates.count(), 0);
}

void TestServerWrites::jobTexts_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("json");   // the text as the caller's JSON writes it
    QTest::addColumn<QString>("stored"); // as the server gives it back; null when refused

    // Regression: a NUL written raw into SUMMARY took the whole calendar away, and the job was
    // answered with the ID 0.
    QTest::newRow("NUL in a title") << "Title"
                                    << "a\\u0000b" << QString();
    QTest::newRow("BEL in a title") << "Title"
                                    << "a\\u0007b" << QString();
    QTest::newRow("ESC in a description") << "Description"
                                          << "a\\u001bb" << QString();
    QTest::newRow("DEL in a description") << "Description"
                                          << "a\\u007fb" << QString();
    QTest::newRow("half a surrogate pair in a title") << "Title"
                                                      << "a\\ud800b" << QString();
    QTest::newRow("TAB and LF in a description") << "Description"
                                                 << "a\\tb\\nc"
                                                 << "a\tb\nc";
    QTest::newRow("CR LF in a description") << "Description"
                                            << "a\\r\\nb"
                                            << "a\nb";
    QTest::newRow("escapes and a non-BMP character in a title")
        << "Title"
        << "a;b,c\\\\d \\ud83d\\ude00" << QString::fromUtf8("a;b,c\\d \xf0\x9f\x98\x80");
}

void TestServerWrites::jobTexts()
{
    QFETCH(QString, field);
    QFETCH(QString, json);
    QFETCH(QString, stored);

    const QString path = m_dir->filePath(QStringLiteral("home.ics"));
    QVERIFY(copyTestFile(QStringLiteral("google-export.ics"), path));
    const QByteArray original = readAll(path);
    QVERIFY(startServer({path}));
    QDBusInterface raw(ServerProcess::service(), QStringLiteral(DBUS_SERVER_PATH),
                       QStringLiteral(DBUS_SERVER_NAME));
    auto withText = [&](ScheduleDataInfo job) {
        job.setTitleName(QStringLiteral("@Title@"));
        job.setDescription(QStringLiteral("@Description@"));
        return QString::fromUtf8(QJsonDocument(ScheduleDataInfo::ScheduleToJson(job)).toJson())
            .replace(QLatin1Char('@') + field + QLatin1Char('@'), json)
            .remove(QLatin1Char('@'));
    };

    const QDBusMessage created =
        raw.call(QStringLiteral("CreateJob"),
                 withText(timedJob(QString(), QDateTime(QDate(2024, 6, 3), QTime(8, 0)), 60)));
    const QVector<ScheduleDataInfo> existing =
        jobsOf(QStringLiteral("Release night"), QDate(2024, 1, 31), QDate(2024, 1, 31));
    QCOMPARE(existing.size(), 1);
    if (stored.isNull()) {
        QCOMPARE(created.type(), QDBusMessage::ErrorMessage);
        QCOMPARE(created.errorName(), QStringLiteral("org.freedesktop.DBus.Error.InvalidArgs"));
        const QDBusMessage updated = raw.call(QStringLiteral("UpdateJob"), withText(existing.first()));
        QCOMPARE(updated.type(), QDBusMessage::ErrorMessage);
        QCOMPARE(updated.errorName(), QStringLiteral("org.freedesktop.DBus.Error.InvalidArgs"));
        QCOMPARE(readAll(path), original);
        return;
    }
    QCOMPARE(created.type(), QDBusMessage::ReplyMessage);
    const qint64 id = created.arguments().value(0).toLongLong();
    QVERIFY(id > 0);
    // Read back from the file, by a server that starts on it.
    QVERIFY(startServer({path}));
    ScheduleDataInfo job;
    QVERIFY(m_client->GetJob(id, job));
    QCOMPARE(field == QLatin1String("Title") ? job.getTitleName() : job.getDescription(), stored);
    QCOMPARE(jobsOf(QStringLiteral("Release night"), QDate(2024, 1, 31), QDate(2024, 1, 31)).size(), 1);
    QVERIFY(m_client->DeleteJob(id));
}

void TestServerWrites::jobsUpdatedOnDiskEdit()
{
    const QString path = m_dir->filePath(QStringLiteral("google.ics"));
    QVERIFY(copyTestFile(QStringLiteral("google-export.ics"), path));
    const QString vdir = m_dir->filePath(QStringLiteral("vdir"));
    QVERIFY(copyTestFile(QStringLiteral("event_dt_floating.ics"), vdir + QStringLiteral("/a.ics")));
    QVERIFY(startServer({path, vdir}));
    QSignalSpy updates(m_client.get(), &CScheduleDBus::jobsUpdate);
    QCOMPARE(jobsOf(QStringLiteral("Release night"), QDate(2024, 1, 31), QDate(2024, 1, 31)).size(), 1);

    // Replaced the way editors save: a new file renamed over the old one.
    QByteArray data = readAll(path);
    data.replace("SUMMARY:Release night", "SUMMARY:Release evening");
    QSaveFile replace(path);
    QVERIFY(replace.open(QIODevice::WriteOnly));
    replace.write(data);
    QVERIFY(replace.commit());
    QTRY_COMPARE(updates.count(), 1);
    QCOMPARE(jobsOf(QStringLiteral("Release evening"), QDate(2024, 1, 31), QDate(2024, 1, 31)).size(), 1);
    QTest::qWait(2 * 300);
    QCOMPARE(updates.count(), 1); // one signal per edit

    // Written in place, after the rename: the file is still watched.
    data.replace("SUMMARY:Release evening", "SUMMARY:Release day");
    QFile inPlace(path);
    QVERIFY(inPlace.open(QIODevice::WriteOnly | QIODevice::Truncate));
    inPlace.write(data);
    inPlace.close();
    QTRY_COMPARE(updates.count(), 2);
    QCOMPARE(jobsOf(QStringLiteral("Release day"), QDate(2024, 1, 31), QDate(2024, 1, 31)).size(), 1);

    // A sync tool adds a file to the directory, then removes one.
    QVERIFY(copyTestFile(QStringLiteral("event_d_long.ics"), vdir + QStringLiteral("/b.ics")));
    QTRY_COMPARE(updates.count(), 3);
    QCOMPARE(jobsOf(QStringLiteral("Another Event"), QDate(2014, 4, 9), QDate(2014, 4, 9)).size(), 1);
    QVERIFY(QFile::remove(vdir + QStringLiteral("/a.ics")));
    QTRY_COMPARE(updates.count(), 4);
    QCOMPARE(jobsOf(QStringLiteral("An Event"), QDate(2014, 4, 9), QDate(2014, 4, 9)).size(), 0);

    // Saving a file unchanged is no change.
    QSaveFile same(path);
    QVERIFY(same.open(QIODevice::WriteOnly));
    same.write(readAll(path));
    QVERIFY(same.commit());
    QTest::qWait(2 * 300);
    QCOMPARE(updates.count(), 4);
}

void TestServerWrites::calendarFileGoneAndBack_data()
{
    QTest::addColumn<QString>("gone");    // delete, rename, folder
    QTest::addColumn<QString>("back");    // copy, rename
    QTest::addColumn<bool>("askedFirst"); // the single event was read before the file went
    QTest::addColumn<bool>("linked");     // the server is given a symbolic link to the file

    QTest::newRow("deleted, restored from a backup") << "delete"
                                                     << "copy" << true << false;
    QTest::newRow("deleted before its single event was asked for") << "delete"
                                                                   << "copy" << false << false;
    QTest::newRow("renamed away, saved back by a rename") << "rename"
                                                          << "rename" << true << false;
    // Nothing was left to tell of their coming back.
    QTest::newRow("its folder removed, then made again") << "folder"
                                                         << "copy" << true << false;
    QTest::newRow("the target of its link deleted, then restored") << "delete"
                                                                   << "copy" << true << true;
}

void TestServerWrites::calendarFileGoneAndBack()
{
    QFETCH(QString, gone);
    QFETCH(QString, back);
    QFETCH(bool, askedFirst);
    QFETCH(bool, linked);

    const QString folder = m_dir->filePath(QStringLiteral("calendars"));
    const QString path = folder + QStringLiteral("/google.ics");
    const QString aside = m_dir->filePath(QStringLiteral("google.ics.bak"));
    const QString link = m_dir->filePath(QStringLiteral("link.ics"));
    QVERIFY(copyTestFile(QStringLiteral("google-export.ics"), path));
    QVERIFY(!linked || QFile::link(path, link));
    QVERIFY(startServer({linked ? link : path}));
    QSignalSpy updates(m_client.get(), &CScheduleDBus::jobsUpdate);
    const QDate single(2024, 1, 31);
    const QDate series(2024, 3, 28);
    QCOMPARE(titlesOn(*m_client, series), QStringList{"Sync with Berlin office"});
    if (askedFirst)
        QCOMPARE(titlesOn(*m_client, single), QStringList{"Release night"});

    if (gone == QLatin1String("delete"))
        QVERIFY(QFile::remove(path));
    else if (gone == QLatin1String("rename"))
        QVERIFY(QFile::rename(path, aside));
    else
        QVERIFY(QDir(folder).removeRecursively());
    QTRY_COMPARE(updates.count(), 1);
    QCOMPARE(titlesOn(*m_client, single), QStringList());
    QCOMPARE(titlesOn(*m_client, series), QStringList());
    QCOMPARE(titlesOn(*m_client, series.addDays(1)), QStringList());
    QTest::qWait(2 * 300);
    QCOMPARE(updates.count(), 1); // one signal for the file going

    // As an editor saves it: written beside it, then renamed into place.
    if (back == QLatin1String("rename")) {
        QByteArray data = readAll(aside);
        data.replace("SUMMARY:Release night", "SUMMARY:Release evening");
        QVERIFY(QFile::remove(aside));
        QFile written(aside);
        QVERIFY(written.open(QIODevice::WriteOnly));
        QCOMPARE(written.write(data), qint64(data.size()));
        written.close();
        QVERIFY(QFile::rename(aside, path));
    } else {
        QVERIFY(copyTestFile(QStringLiteral("google-export.ics"), path));
    }
    QTRY_COMPARE(updates.count(), 2);
    const QString title =
        back == QLatin1String("rename") ? QStringLiteral("Release evening") : QStringLiteral("Release night");
    QCOMPARE(titlesOn(*m_client, single), QStringList{title});
    QCOMPARE(titlesOn(*m_client, series), QStringList{"Sync with Berlin office"});
    QCOMPARE(titlesOn(*m_client, series.addDays(1)), QStringList{"Sync with Berlin office"});
}

void TestServerWrites::malformedFilesSkipped()
{
    const QString truncated = m_dir->filePath(QStringLiteral("truncated.ics"));
    const QString badStart = m_dir->filePath(QStringLiteral("bad-start.ics"));
    const QString good = m_dir->filePath(QStringLiteral("google.ics"));
    QVERIFY(copyTestFile(QStringLiteral("truncated.ics"), truncated));
    QVERIFY(copyTestFile(QStringLiteral("bad-start.ics"), badStart));
    QVERIFY(copyTestFile(QStringLiteral("google-export.ics"), good));
    const QByteArray original = readAll(truncated);
    QVERIFY(startServer({truncated, badStart, good}));

    QTRY_VERIFY(m_server.errors().contains(
        truncated +
        QStringLiteral(":4: the file ends inside BEGIN:VEVENT, cut off; this component is lost, the "
                       "complete ones before it are read")));
    QTRY_VERIFY(m_server.errors().contains(
        badStart + QStringLiteral(":6: event \"bad-start\" has no valid DTSTART; event skipped")));
    DayMap days;
    QVERIFY(m_client->GetJobs(QDate(2024, 3, 28), QDate(2024, 3, 28), days));
    QStringList titles;
    for (const ScheduleDataInfo &job : days.value(QDate(2024, 3, 28)))
        titles << job.getTitleName();
    QCOMPARE(titles, (QStringList{"Sync with Berlin office", "Still served"}));

    // New jobs would go into the unreadable file: refused, and the file is left as it was.
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^createJob err ,.*Error.Unreadable"));
    QCOMPARE(
        m_client->CreateJob(timedJob(QStringLiteral("x"), QDateTime(QDate(2024, 3, 28), QTime(9, 0)), 10)),
        qint64(-1));
    QCOMPARE(readAll(truncated), original);
}

void TestServerWrites::secondInstanceRefused()
{
    const QString path = m_dir->filePath(QStringLiteral("google.ics"));
    QVERIFY(copyTestFile(QStringLiteral("google-export.ics"), path));
    QVERIFY(startServer({path}));
    const QString owner = QDBusConnection::sessionBus().interface()->serviceOwner(ServerProcess::service());
    QVERIFY(!owner.isEmpty());

    QProcess second;
    second.start(QStringLiteral(DATASERVER_BINARY), {path});
    QVERIFY(second.waitForFinished(10000));
    QCOMPARE(second.exitStatus(), QProcess::NormalExit);
    QVERIFY(second.exitCode() != 0);
    QCOMPARE(
        QString::fromLocal8Bit(second.readAllStandardError()),
        QStringLiteral(
            "tasklist-dataserver: com.norvale.dataserver.Calendar is already owned on the session bus\n"));

    QCOMPARE(QDBusConnection::sessionBus().interface()->serviceOwner(ServerProcess::service()).value(),
             owner);
    QCOMPARE(m_server.process().state(), QProcess::Running);
    QCOMPARE(jobsOf(QStringLiteral("Release night"), QDate(2024, 2, 1), QDate(2024, 2, 1)).size(), 1);
}

void TestServerWrites::demoCalendar()
{
    const QString dir = m_dir->filePath(QStringLiteral("demo"));
    const QDateTime now = QDateTime::currentDateTime();
    QVERIFY(startServer({QStringLiteral("--demo"), dir}));

    // The server owns its name before it writes the demo; its first answer comes after.
    const QDate today = now.date();
    DayMap days;
    QVERIFY(m_client->GetJobs(today, today.addDays(10), days));
    QVERIFY(QFile::exists(dir + QStringLiteral("/demo.ics")));
    bool soon = false;
    bool daily = false;
    bool allDayReminder = false;
    bool nextWeek = false;
    for (auto it = days.cbegin(); it != days.cend(); ++it) {
        for (const ScheduleDataInfo &job : it.value()) {
            soon |= job.getBeginDateTime() > now && job.getBeginDateTime() <= now.addSecs(2 * 3600);
            daily |= job.getScheduleRRule() == QLatin1String("FREQ=DAILY");
            allDayReminder |= job.getAllDay() && job.getScheudleRemind() == QLatin1String("1;09:00");
            nextWeek |= job.getBeginDateTime().date() == today.addDays(7);
        }
    }
    QVERIFY(soon);
    QVERIFY(daily);
    QVERIFY(allDayReminder);
    QVERIFY(nextWeek);
    QVERIFY(days.value(today).size() >= 3);
    QVERIFY(days.value(today.addDays(1)).size() >= 3);

    // Started again, it writes the demo afresh instead of piling up copies.
    const int jobsToday = days.value(today).size();
    QVERIFY(startServer({QStringLiteral("--demo"), dir}));
    QVERIFY(m_client->GetJobs(today, today, days));
    QCOMPARE(days.value(today).size(), jobsToday);
}

void TestServerWrites::completeTodo_data()
{
    QTest::addColumn<QByteArray>("lines"); // the to-do's, after its UID
    QTest::addColumn<bool>("completed");
    QTest::addColumn<QStringList>("removed");
    QTest::addColumn<QStringList>("added");
    const QString stamp = QStringLiteral("COMPLETED:\\d{8}T\\d{6}Z");
    QTest::newRow("completed: its status replaced, the two others added")
        << QByteArray("DUE;TZID=Europe/Berlin:20240305T150000\r\nSTATUS:NEEDS-ACTION\r\nX-FOO:bar\r\n")
        << true << QStringList{"STATUS:NEEDS-ACTION"}
        << QStringList{"STATUS:COMPLETED", stamp, "PERCENT-COMPLETE:100"};
    QTest::newRow("completed: a partly done one's percentage replaced")
        << QByteArray("DUE;VALUE=DATE:20240305\r\nPERCENT-COMPLETE:40\r\nBEGIN:VALARM\r\nACTION:DISPLAY\r\n"
                      "TRIGGER:-PT1H\r\nDESCRIPTION:x\r\nEND:VALARM\r\n")
        << true << QStringList{"PERCENT-COMPLETE:40"}
        << QStringList{"STATUS:COMPLETED", stamp, "PERCENT-COMPLETE:100"};
    QTest::newRow("reopened: NEEDS-ACTION, COMPLETED and its percentage gone")
        << QByteArray("DUE:20240305T140000Z\r\nSTATUS:COMPLETED\r\nCOMPLETED:20240304T100000Z\r\n"
                      "PERCENT-COMPLETE:100\r\n")
        << false << QStringList{"STATUS:COMPLETED", "COMPLETED:20240304T100000Z", "PERCENT-COMPLETE:100"}
        << QStringList{"STATUS:NEEDS-ACTION"};
    QTest::newRow("completed again: it keeps when it was") // nothing written, no JobsUpdated
        << QByteArray("DUE:20240305T140000Z\r\nSTATUS:COMPLETED\r\nCOMPLETED:20240304T100000Z\r\n") << true
        << QStringList() << QStringList();
}

void TestServerWrites::completeTodo()
{
    QFETCH(QByteArray, lines);
    QFETCH(bool, completed);
    QFETCH(QStringList, removed);
    QFETCH(QStringList, added);
    const QString path = m_dir->filePath(QStringLiteral("todos.ics"));
    QVERIFY(writeFile(path, todoCalendar("BEGIN:VEVENT\r\nUID:meeting\r\nDTSTAMP:20240101T000000Z\r\n"
                                         "DTSTART:20240305T090000Z\r\nSUMMARY:Meeting\r\nEND:VEVENT\r\n"
                                         "BEGIN:VTODO\r\nUID:report\r\nDTSTAMP:20240101T000000Z\r\n"
                                         "SUMMARY:Send the report\r\n" +
                                         lines + "END:VTODO\r\n")));
    const QStringList before = linesOf(readAll(path));
    QVERIFY(startServer({path}));
    QSignalSpy updates(m_client.get(), &CScheduleDBus::jobsUpdate);
    const QDate day(2024, 3, 5);
    const ScheduleDataInfo todo = jobsOf(QStringLiteral("Send the report"), day, day).value(0);
    QCOMPARE(todo.getType(), DBUS_SERVER_TODO_TYPE);
    QCOMPARE(todo.getCompleted(), !completed || removed.isEmpty());

    QCOMPARE(setCompleted(todo.getID(), todo.getRecurID(), completed), QString());
    if (removed.isEmpty()) {
        QCOMPARE(linesOf(readAll(path)), before);
        QTest::qWait(100);
        QCOMPARE(updates.count(), 0);
        return;
    }
    QTRY_COMPARE(updates.count(), 1);
    QString why;
    QVERIFY2(sameBut(before, linesOf(readAll(path)), removed, added, &why), qPrintable(why));
    const KCalendarCore::MemoryCalendar::Ptr calendar = readBack(path);
    QVERIFY(calendar);
    const KCalendarCore::Todo::Ptr read = calendar->todo(QStringLiteral("report"));
    QVERIFY(read);
    QCOMPARE(read->isCompleted(), completed);
    QCOMPARE(read->percentComplete(), completed ? 100 : 0);
    if (completed)
        QVERIFY(qAbs(read->completed().secsTo(QDateTime::currentDateTimeUtc())) < 24 * 3600);
    // Still served on its day, ticked or not as its calendar now says.
    const QVector<ScheduleDataInfo> served = jobsOf(QStringLiteral("Send the report"), day, day);
    QCOMPARE(served.size(), 1);
    QCOMPARE(served.first().getCompleted(), completed);
    QCOMPARE(served.first().getID(), todo.getID());
}

void TestServerWrites::completeRepeatingTodo()
{
    const QString path = m_dir->filePath(QStringLiteral("todos.ics"));
    QVERIFY(writeFile(path, todoCalendar("BEGIN:VTODO\r\nUID:filter\r\nDTSTAMP:20240101T000000Z\r\n"
                                         "DUE;VALUE=DATE:20240304\r\nRRULE:FREQ=WEEKLY;COUNT=3\r\n"
                                         "SUMMARY:Clean the filter\r\nEND:VTODO\r\n")));
    const QByteArray original = readAll(path);
    QVERIFY(startServer({path}));
    QSignalSpy updates(m_client.get(), &CScheduleDBus::jobsUpdate);
    const QString title = QStringLiteral("Clean the filter");
    QList<QDate> days;
    QVector<ScheduleDataInfo> served = jobsOf(title, QDate(2024, 3, 1), QDate(2024, 3, 31), &days);
    QCOMPARE(days, (QList<QDate>{QDate(2024, 3, 4), QDate(2024, 3, 11), QDate(2024, 3, 18)}));
    const ScheduleDataInfo second = served.at(1);

    QCOMPARE(setCompleted(second.getID(), second.getRecurID(), true), QString());
    QTRY_COMPARE(updates.count(), 1);
    // The series as it was, and the occurrence in an override of its own after it.
    const QByteArray written = readAll(path);
    const QByteArray series = original.left(original.indexOf("END:VCALENDAR"));
    QVERIFY2(written.startsWith(series), written.constData());
    const QStringList override = linesOf(written.mid(series.size()));
    QVERIFY2(override.contains("RECURRENCE-ID;VALUE=DATE:20240311"), written.constData());
    QVERIFY(override.contains("DUE;VALUE=DATE:20240311"));
    QVERIFY(override.contains("STATUS:COMPLETED"));
    QVERIFY(!override.filter(QRegularExpression("^RRULE")).size());

    const KCalendarCore::MemoryCalendar::Ptr calendar = readBack(path);
    QVERIFY(calendar);
    const KCalendarCore::Todo::Ptr master = calendar->todo(QStringLiteral("filter"));
    QVERIFY(master);
    QVERIFY(!master->isCompleted());
    const KCalendarCore::Incidence::List instances = calendar->instances(master);
    QCOMPARE(instances.size(), 1);
    QVERIFY(instances.first().staticCast<KCalendarCore::Todo>()->isCompleted());

    // That occurrence ticked on its day, the next one open on its own.
    served = jobsOf(title, QDate(2024, 3, 1), QDate(2024, 3, 31));
    QCOMPARE(served.size(), 3);
    QCOMPARE(served.at(0).getCompleted(), false);
    QCOMPARE(served.at(1).getCompleted(), true);
    QCOMPARE(served.at(1).getRecurID(), second.getRecurID());
    QCOMPARE(served.at(2).getCompleted(), false);
    QCOMPARE(served.at(2).getID(), second.getID());

    // Reopened: the override says so, and the occurrence is open again.
    QCOMPARE(setCompleted(second.getID(), second.getRecurID(), false), QString());
    QTRY_COMPARE(updates.count(), 2);
    const QStringList reopened = linesOf(readAll(path).mid(series.size()));
    QVERIFY(reopened.contains("RECURRENCE-ID;VALUE=DATE:20240311"));
    QVERIFY(reopened.contains("STATUS:NEEDS-ACTION"));
    QVERIFY(reopened.filter(QRegularExpression("^(COMPLETED|PERCENT-COMPLETE)[:;]")).isEmpty());
    served = jobsOf(title, QDate(2024, 3, 1), QDate(2024, 3, 31));
    QCOMPARE(served.size(), 3);
    QVERIFY(!served.at(1).getCompleted());
}

void TestServerWrites::undatedTodos()
{
    const QString path = m_dir->filePath(QStringLiteral("todos.ics"));
    QVERIFY(writeFile(path, todoCalendar("BEGIN:VTODO\r\nUID:someday\r\nDTSTAMP:20240101T000000Z\r\n"
                                         "SUMMARY:Some day\r\nEND:VTODO\r\n"
                                         "BEGIN:VTODO\r\nUID:done\r\nDTSTAMP:20240101T000000Z\r\n"
                                         "STATUS:COMPLETED\r\nCOMPLETED:20240305T100000Z\r\n"
                                         "SUMMARY:Done long ago\r\nEND:VTODO\r\n"
                                         "BEGIN:VTODO\r\nUID:dropped\r\nDTSTAMP:20240101T000000Z\r\n"
                                         "STATUS:CANCELLED\r\nSUMMARY:Dropped\r\nEND:VTODO\r\n")));
    QVERIFY(startServer({path}));
    QSignalSpy updates(m_client.get(), &CScheduleDBus::jobsUpdate);
    // Open, it is on the day asked for that is today; completed, on the day it was completed.
    const QDate today = QDate::currentDate();
    QList<QDate> days;
    QVector<ScheduleDataInfo> open =
        jobsOf(QStringLiteral("Some day"), today.addDays(-3), today.addDays(3), &days);
    QCOMPARE(open.size(), 1);
    QCOMPARE(days.first(), today);
    QVERIFY(open.first().getNoDate());
    QVERIFY(open.first().getAllDay());
    QVERIFY(!open.first().getCompleted());
    days.clear();
    const QVector<ScheduleDataInfo> done =
        jobsOf(QStringLiteral("Done long ago"), QDate(2024, 3, 1), QDate(2024, 3, 31), &days);
    QCOMPARE(days, QList<QDate>{QDate(2024, 3, 5)});
    QVERIFY(done.first().getNoDate());
    QVERIFY(done.first().getCompleted());
    QCOMPARE(jobsOf(QStringLiteral("Dropped"), today.addDays(-3), today.addDays(3)).size(), 0);
    // Other jobs' forms carry neither key.
    QVERIFY(!ScheduleDataInfo::ScheduleToJsonStr(timedJob("x", QDateTime(today, QTime(9, 0)), 5))
                 .contains(QLatin1String("Completed")));

    QCOMPARE(setCompleted(open.first().getID(), 0, true), QString());
    QTRY_COMPARE(updates.count(), 1);
    open = jobsOf(QStringLiteral("Some day"), today.addDays(-3), today.addDays(3));
    QCOMPARE(open.size(), 1);
    QVERIFY(open.first().getCompleted());
    QVERIFY(open.first().getNoDate());
}

void TestServerWrites::completionRefused()
{
    const QString path = m_dir->filePath(QStringLiteral("home.ics"));
    QVERIFY(copyTestFile(QStringLiteral("google-export.ics"), path));
    const QByteArray original = readAll(path);
    QVERIFY(startServer({path}));
    DayMap map;
    QVERIFY(m_client->GetJobs(QDate(2024, 1, 1), QDate(2024, 12, 31), map));
    ScheduleDataInfo event;
    for (const QVector<ScheduleDataInfo> &jobs : std::as_const(map))
        if (!jobs.isEmpty() && event.getID() == 0)
            event = jobs.first();
    QVERIFY(event.getID() > 0);
    QCOMPARE(setCompleted(event.getID(), event.getRecurID(), true),
             QStringLiteral("org.freedesktop.DBus.Error.InvalidArgs"));
    QCOMPARE(setCompleted(77, 0, true), QStringLiteral(DBUS_SERVER_ERROR "NotFound"));
    QCOMPARE(readAll(path), original);
}

QTEST_GUILESS_MAIN(TestServerWrites)
#include "tst_serverwrites.moc"
