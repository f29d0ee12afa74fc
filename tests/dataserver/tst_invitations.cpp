#include "cscheduledbus.h"
#include "desktopcalendars.h"
#include "myaddresses.h"
#include "serverprocess.h"

#include <KCalendarCore/ICalFormat>
#include <KCalendarCore/MemoryCalendar>

#include <QDBusInterface>
#include <QDBusReply>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

// What an invitation says, served through the real server: place, link, people, the user's own
// answer, and the answer written back. The test runs with TZ=Europe/Berlin.
class TestInvitations : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void details_data();
    void details();
    void plainJobUnchanged();
    void reply_data();
    void reply();

private:
    ScheduleDataInfo find(const QString &title, const QDate &day);
    QString calendarPath() const { return m_dir.filePath(QStringLiteral("invitations.ics")); }

    QTemporaryDir m_dir;
    ServerProcess m_server;
    std::unique_ptr<CScheduleDBus> m_client;
};

namespace {

QString unfolded(const QByteArray &text)
{
    return QString::fromUtf8(text).replace(QLatin1String("\r\n "), QString());
}

KCalendarCore::Attendee::PartStat statusIn(const QString &path, const QString &uid, const QString &email)
{
    KCalendarCore::MemoryCalendar::Ptr calendar(new KCalendarCore::MemoryCalendar(QTimeZone::utc()));
    KCalendarCore::ICalFormat format;
    if (!format.fromRawString(calendar, readAll(path)))
        return KCalendarCore::Attendee::None;
    const KCalendarCore::Event::Ptr event = calendar->event(uid);
    if (!event)
        return KCalendarCore::Attendee::None;
    return event->attendeeByMail(email).status();
}

} // namespace

void TestInvitations::initTestCase()
{
    if (!QDBusConnection::sessionBus().isConnected())
        QSKIP("no session bus");
    QCOMPARE(qgetenv("TZ"), QByteArray("Europe/Berlin"));
    QVERIFY(m_dir.isValid());
    QVERIFY(copyTestFile(QStringLiteral("invitations.ics"), calendarPath()));
    QFile::setPermissions(calendarPath(), QFile::ReadOwner | QFile::WriteOwner);
    QDir().mkpath(QFileInfo(DesktopCalendars::filePath()).absolutePath());
    QString error;
    QVERIFY2(MyAddresses::setConfigured({QStringLiteral("me@example.org")}, &error), qPrintable(error));
    QVERIFY(m_server.start({calendarPath()}));
    m_client = std::make_unique<CScheduleDBus>(ServerProcess::service(), QStringLiteral(DBUS_SERVER_PATH),
                                               QDBusConnection::sessionBus());
}

void TestInvitations::cleanupTestCase()
{
    m_client.reset();
    m_server.stop();
}

ScheduleDataInfo TestInvitations::find(const QString &title, const QDate &day)
{
    return jobTitled(*m_client, title, day);
}

void TestInvitations::details_data()
{
    QTest::addColumn<QString>("title");
    QTest::addColumn<QDate>("day");
    QTest::addColumn<QString>("location");
    QTest::addColumn<QString>("url");
    QTest::addColumn<QString>("organizer");
    QTest::addColumn<QStringList>("attendees"); // name <email> role reply
    QTest::addColumn<QString>("myReply");
    QTest::addColumn<QString>("conference");
    QTest::addColumn<QString>("timeZone");

    QTest::newRow("Google invitation, not answered, in New York's time")
        << "Quarterly planning" << QDate(2024, 4, 10) << "Room 4.12, 1 Main Street, Springfield"
        << ""
        << "Dana Boss <dana@example.com>"
        << QStringList{"Dana Boss <dana@example.com> required accepted",
                       "me@example.org <me@example.org> required needs-action",
                       "Lee, Kim <kim.lee@example.net> optional tentative"}
        << "needs-action"
        << "https://meet.google.com/abc-defg-hij"
        << "America/New_York";
    QTest::newRow("Outlook invitation declined, address in other case, Teams link in the description")
        << "Vendor pitch" << QDate(2024, 4, 11) << "Microsoft Teams Meeting"
        << ""
        << "Sam Vendor <sam@vendor.example>" << QStringList{"Me <Me@Example.ORG> required declined"}
        << "declined"
        << "https://teams.microsoft.com/l/meetup-join/19%3ameeting_N2E3@thread.v2/"
           "0?context=%7b%22Tid%22%3a%22a1%22%7d"
        << "";
    QTest::newRow("not among the attendees: no reply of mine")
        << "Team lunch" << QDate(2024, 4, 12) << ""
        << "https://intranet.example.com/lunch"
        << " <dana@example.com>" << QStringList{" <dana@example.com> required accepted"} << ""
        << ""
        << "America/New_York";
    QTest::newRow("a series' video CONFERENCE, not its phone line")
        << "Weekly sync" << QDate(2024, 4, 8) << ""
        << ""
        << " <dana@example.com>" << QStringList{" <me@example.org> required tentative"} << "tentative"
        << "https://meet.jit.si/WeeklySync"
        << "";
    QTest::newRow("a moved occurrence says what its own component says")
        << "Weekly sync (moved)" << QDate(2024, 4, 15) << ""
        << ""
        << " <dana@example.com>" << QStringList{" <me@example.org> required tentative"} << "tentative"
        << ""
        << "";
}

void TestInvitations::details()
{
    QFETCH(QString, title);
    QFETCH(QDate, day);
    QFETCH(QString, location);
    QFETCH(QString, url);
    QFETCH(QString, organizer);
    QFETCH(QStringList, attendees);
    QFETCH(QString, myReply);
    QFETCH(QString, conference);
    QFETCH(QString, timeZone);

    const ScheduleDataInfo job = find(title, day);
    QCOMPARE(job.getTitleName(), title);
    const EventDetails &details = job.getDetails();
    QCOMPARE(details.location, location);
    QCOMPARE(details.url, url);
    QCOMPARE(details.organizer.name + QStringLiteral(" <") + details.organizer.email + QLatin1Char('>'),
             organizer);
    QStringList people;
    for (const EventPerson &person : details.attendees)
        people << QStringLiteral("%1 <%2> %3 %4").arg(person.name, person.email, person.role, person.reply);
    QCOMPARE(people, attendees);
    QCOMPARE(details.myReply, myReply);
    QCOMPARE(details.conference, conference);
    QCOMPARE(details.timeZone, timeZone);
}

// A calendar without invitations answers exactly as before: no key of the details in its jobs.
void TestInvitations::plainJobUnchanged()
{
    QDBusInterface server(ServerProcess::service(), QStringLiteral(DBUS_SERVER_PATH),
                          QStringLiteral(DBUS_SERVER_INTERFACE));
    const QDBusReply<QString> reply = server.call(QStringLiteral("GetJobs"), 2024u, 4u, 9u, 2024u, 4u, 9u);
    QVERIFY2(reply.isValid(), qPrintable(reply.error().message()));
    QVERIFY(reply.value().contains(QLatin1String("\"Title\":\"Dentist\"")));
    for (const char *key : {"Location", "Url", "Organizer", "Attendees", "MyReply", "Conference", "TimeZone"})
        QVERIFY2(!reply.value().contains(QLatin1Char('"') + QLatin1String(key) + QLatin1Char('"')), key);
    const QRegularExpression keys(
        QStringLiteral("^\\[\\{\"Date\":\"2024-04-09\",\"Jobs\":\\[\\{\"AllDay\":false,"
                       "\"CalendarID\":\"[^\"]+\",\"CalendarName\":\"Invitations\","
                       "\"CalendarWritable\":true,\"Description\":\"\",\"End\":"));
    QVERIFY2(keys.match(reply.value()).hasMatch(), qPrintable(reply.value()));
}

void TestInvitations::reply_data()
{
    QTest::addColumn<QString>("title");
    QTest::addColumn<QDate>("day");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QString>("error");           // the D-Bus error, or empty
    QTest::addColumn<QStringList>("lineChanges"); // unfolded: before, after
    QTest::addColumn<QString>("uid");

    QTest::newRow("accept a folded attendee line: its PARTSTAT alone changes")
        << "Quarterly planning" << QDate(2024, 4, 10) << "accepted"
        << ""
        << QStringList{"ROLE=REQ-PARTICIPANT;PARTSTAT=NEEDS-ACTION;RSVP=TRUE;CN=me@example.org",
                       "ROLE=REQ-PARTICIPANT;PARTSTAT=ACCEPTED;RSVP=TRUE;CN=me@example.org"}
        << "2g4k5nqj0d7b1c@google.com";
    QTest::newRow("decline a series: the series and its moved occurrence")
        << "Weekly sync" << QDate(2024, 4, 8) << "declined"
        << ""
        << QStringList{"ATTENDEE;PARTSTAT=TENTATIVE:mailto:me@example.org",
                       "ATTENDEE;PARTSTAT=DECLINED:mailto:me@example.org"}
        << "weekly-sync@example.com";
    QTest::newRow("the same answer again writes nothing")
        << "Vendor pitch" << QDate(2024, 4, 11) << "declined"
        << "" << QStringList() << "";
    QTest::newRow("not invited") << "Team lunch" << QDate(2024, 4, 12) << "accepted"
                                 << "org.freedesktop.DBus.Error.InvalidArgs" << QStringList() << "";
    QTest::newRow("no such answer") << "Vendor pitch" << QDate(2024, 4, 11) << "maybe"
                                    << "org.freedesktop.DBus.Error.InvalidArgs" << QStringList() << "";
}

void TestInvitations::reply()
{
    QFETCH(QString, title);
    QFETCH(QDate, day);
    QFETCH(QString, answer);
    QFETCH(QString, error);
    QFETCH(QStringList, lineChanges);

    const ScheduleDataInfo job = find(title, day);
    QCOMPARE(job.getTitleName(), title);
    const QString before = unfolded(readAll(calendarPath()));
    QDBusInterface server(ServerProcess::service(), QStringLiteral(DBUS_SERVER_PATH),
                          QStringLiteral(DBUS_SERVER_INTERFACE));
    const QDBusMessage reply = server.call(QStringLiteral("ReplyToJob"), qint64(job.getID()), answer);
    QCOMPARE(reply.type() == QDBusMessage::ErrorMessage ? reply.errorName() : QString(), error);
    QString expected = before;
    if (!lineChanges.isEmpty()) {
        QVERIFY(before.contains(lineChanges.at(0)));
        expected.replace(lineChanges.at(0), lineChanges.at(1));
    }
    QCOMPARE(unfolded(readAll(calendarPath())), expected);
    if (!error.isEmpty() || lineChanges.isEmpty())
        return;
    // Read back as another program reads it, and served with the answer.
    QFETCH(QString, uid);
    QCOMPARE(int(statusIn(calendarPath(), uid, QStringLiteral("me@example.org"))),
             int(answer == QLatin1String("accepted") ? KCalendarCore::Attendee::Accepted
                                                     : KCalendarCore::Attendee::Declined));
    QTRY_COMPARE(find(title, day).getDetails().myReply, answer);
}

QTEST_GUILESS_MAIN(TestInvitations)
#include "tst_invitations.moc"
