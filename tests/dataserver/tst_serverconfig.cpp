#include "calendarslist.h"
#include "calendarstore.h"
#include "cscheduledbus.h"
#include "serverprocess.h"

#include <QRegularExpression>
#include <QSaveFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

using DayMap = QMap<QDate, QVector<ScheduleDataInfo>>;

// The calendars the server takes from calendars.conf when its command line names none. Each case
// runs the server with HOME and the XDG directories in a folder of its own. TZ=Europe/Berlin.
class TestServerConfig : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();
    void parse_data();
    void parse();
    void exampleNamesItsCalendar_data();
    void exampleNamesItsCalendar();
    void firstStartWritesConfigAndCalendar();
    void configuredCalendarsServed();
    void commandLineSkipsConfig_data();
    void commandLineSkipsConfig();
    void configWithoutCalendars();
    void unreadableConfigStopsServer();
    void unwritableConfigDirectoryFallsBack();
    void runningServerFollowsConfig();
    void faultyConfigKeepsCalendars_data();
    void faultyConfigKeepsCalendars();

private:
    bool startServer(const QStringList &arguments = {});
    QString configFile() const { return m_home->filePath("config/tasklist-dataserver/calendars.conf"); }
    QString defaultCalendar() const { return m_home->filePath("data/tasklist-dataserver/calendar.ics"); }
    QStringList titles(const QDate &day);
    // Two calendars whose every read says a fault of theirs on stderr: a.ics and b.ics in ~/cal.
    void writeCalendars();
    QString calendar(const QString &name) const { return m_home->filePath("cal/" + name); }
    QString readFault(const QString &name) const;

    std::unique_ptr<QTemporaryDir> m_home;
    QString m_configHome;
    ServerProcess m_server;
    std::unique_ptr<CScheduleDBus> m_client;
};

namespace {

ScheduleDataInfo timedJob(const QString &title, const QDateTime &begin)
{
    ScheduleDataInfo job;
    job.setTitleName(title);
    job.setAllDay(false);
    job.setBeginDateTime(begin);
    job.setEndDateTime(begin.addSecs(1800));
    return job;
}

bool writeFile(const QString &path, const QByteArray &data)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(data) == data.size();
}

// As the settings window writes it: the server never sees a half-written file.
bool replaceFile(const QString &path, const QByteArray &data)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(data) == data.size() && file.commit();
}

const QDate served(2024, 3, 28);

} // namespace

void TestServerConfig::writeCalendars()
{
    QVERIFY(copyTestFile("bad-start.ics", calendar("a.ics"))); // "Still served" on 28 March
    QVERIFY(replaceFile(calendar("b.ics"),
                        "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Example//Hand edited//EN\r\n"
                        "BEGIN:VEVENT\r\nUID:beta-typo\r\nDTSTART:2024033\r\n"
                        "SUMMARY:Typo\r\nEND:VEVENT\r\n"
                        "BEGIN:VEVENT\r\nUID:beta\r\nDTSTART:20240328T150000Z\r\n"
                        "DTEND:20240328T160000Z\r\nSUMMARY:Beta\r\nEND:VEVENT\r\n"
                        "END:VCALENDAR\r\n"));
}

QString TestServerConfig::readFault(const QString &name) const
{
    const QString uid = name == QLatin1String("a.ics") ? "bad-start" : "beta-typo";
    return calendar(name) + ":6: event \"" + uid + "\" has no valid DTSTART; event skipped";
}

bool TestServerConfig::startServer(const QStringList &arguments)
{
    m_client.reset();
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("HOME", m_home->path());
    environment.insert("XDG_CONFIG_HOME", m_configHome);
    environment.insert("XDG_DATA_HOME", m_home->filePath("data"));
    m_server.process().setProcessEnvironment(environment);
    if (!m_server.start(arguments))
        return false;
    m_client = std::make_unique<CScheduleDBus>(ServerProcess::service(), QStringLiteral(DBUS_SERVER_PATH),
                                               QDBusConnection::sessionBus());
    return true;
}

QStringList TestServerConfig::titles(const QDate &day)
{
    return titlesOn(*m_client, day);
}

void TestServerConfig::initTestCase()
{
    if (!QDBusConnection::sessionBus().isConnected())
        QSKIP("no session bus");
    QCOMPARE(qgetenv("TZ"), QByteArray("Europe/Berlin"));
}

void TestServerConfig::init()
{
    m_home = std::make_unique<QTemporaryDir>();
    QVERIFY(m_home->isValid());
    m_configHome = m_home->filePath("config");
}

void TestServerConfig::cleanup()
{
    m_client.reset();
    m_server.stop();
    m_home.reset();
}

void TestServerConfig::parse_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QStringList>("paths");
    const QString home = QDir::homePath();

    QTest::newRow("empty") << QByteArray() << QStringList();
    QTest::newRow("comments and blank lines only") << QByteArray("# a\n\n   \n  # b\n") << QStringList();
    QTest::newRow("order kept") << QByteArray("/c/b.ics\n# x\n/c/a.ics\n")
                                << QStringList{"/c/b.ics", "/c/a.ics"};
    QTest::newRow("CRLF and surrounding blanks")
        << QByteArray(" \t/c/a.ics  \r\n/c/dir/\r\n") << QStringList{"/c/a.ics", "/c/dir"};
    QTest::newRow("home") << QByteArray("~/cal.ics\n~\n") << QStringList{home + "/cal.ics", home};
    QTest::newRow("only ~/ means home") << QByteArray("~bob/x.ics\n") << QStringList{"/conf/~bob/x.ics"};
    QTest::newRow("relative to the file's directory")
        << QByteArray("work.ics\nsub/dir/\n../other.ics\n")
        << QStringList{"/conf/work.ics", "/conf/sub/dir", "/other.ics"};
    QTest::newRow("# inside a path") << QByteArray("/c/a#1.ics\n") << QStringList{"/c/a#1.ics"};
    QTest::newRow("utf-8") << QByteArray("/c/Kalender f\xc3\xbcr \xc3\x84rzte.ics\n")
                           << QStringList{QString::fromUtf8("/c/Kalender f\xc3\xbcr \xc3\x84rzte.ics")};
    QTest::newRow("no newline at end") << QByteArray("/c/a.ics") << QStringList{"/c/a.ics"};
}

void TestServerConfig::parse()
{
    QFETCH(QByteArray, text);
    QFETCH(QStringList, paths);
    QCOMPARE(CalendarsList::parse(text, "/conf"), paths);
}

void TestServerConfig::exampleNamesItsCalendar_data()
{
    QTest::addColumn<QString>("calendar");
    QTest::addColumn<QString>("line");
    QTest::newRow("under home") << QDir::homePath() + "/.local/share/x/calendar.ics"
                                << "~/.local/share/x/calendar.ics";
    QTest::newRow("elsewhere") << "/srv/calendars/team.ics"
                               << "/srv/calendars/team.ics";
}

void TestServerConfig::exampleNamesItsCalendar()
{
    QFETCH(QString, calendar);
    QFETCH(QString, line);
    const QByteArray text = CalendarsList::exampleText(calendar);
    QCOMPARE(CalendarsList::parse(text, "/conf"), QStringList{calendar});
    const QStringList lines = QString::fromUtf8(text).split('\n', Qt::SkipEmptyParts);
    QVERIFY(lines.size() > 3);
    QCOMPARE(lines.last(), line);
    for (int i = 0; i < lines.size() - 1; ++i)
        QVERIFY2(lines.at(i).startsWith('#'), qPrintable(lines.at(i)));
}

void TestServerConfig::firstStartWritesConfigAndCalendar()
{
    QVERIFY(startServer());
    const QByteArray config = readAll(configFile());
    QVERIFY(config.startsWith("# "));
    QVERIFY(config.endsWith("\n~/data/tasklist-dataserver/calendar.ics\n"));
    const QByteArray empty = readAll(defaultCalendar());
    QVERIFY(empty.startsWith("BEGIN:VCALENDAR\r\n"));
    QVERIFY(empty.endsWith("END:VCALENDAR\r\n"));
    QVERIFY(empty.contains("\r\nVERSION:2.0\r\n"));
    QVERIFY(!empty.contains("BEGIN:VEVENT"));

    // The default calendar is where new jobs go.
    QCOMPARE(titles(QDate(2024, 5, 6)), QStringList());
    QVERIFY(m_client->CreateJob(timedJob("Dentist", QDateTime(QDate(2024, 5, 6), QTime(10, 0)))) > 0);
    QVERIFY(readAll(defaultCalendar()).contains("SUMMARY:Dentist"));

    // A later start keeps the user's file as it is, and finds the job again.
    m_server.stop();
    const QByteArray edited = config + "# my note\n";
    QVERIFY(writeFile(configFile(), edited));
    QVERIFY(startServer());
    QCOMPARE(readAll(configFile()), edited);
    QCOMPARE(titles(QDate(2024, 5, 6)), QStringList{"Dentist"});
}

void TestServerConfig::configuredCalendarsServed()
{
    QVERIFY(copyTestFile("google-export.ics", m_home->filePath("config/tasklist-dataserver/google.ics")));
    QVERIFY(copyTestFile("thunderbird-export.ics", m_home->filePath("cal/thunderbird.ics")));
    const QByteArray config = "# two calendars\ngoogle.ics\n\n  ~/cal/thunderbird.ics\n";
    QVERIFY(writeFile(configFile(), config));

    QVERIFY(startServer());
    QVERIFY(titles(QDate(2024, 3, 28)).contains("Sync with Berlin office")); // by a relative path
    QVERIFY(titles(QDate(2024, 3, 29)).contains("Morning run"));             // by a path from ~/

    // New jobs go into the first calendar listed; no default calendar appears.
    QVERIFY(m_client->CreateJob(timedJob("Dentist", QDateTime(QDate(2024, 5, 6), QTime(10, 0)))) > 0);
    QVERIFY(readAll(m_home->filePath("config/tasklist-dataserver/google.ics")).contains("SUMMARY:Dentist"));
    QVERIFY(!QFileInfo::exists(defaultCalendar()));
    QCOMPARE(readAll(configFile()), config);
}

void TestServerConfig::commandLineSkipsConfig_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("calendar") << QStringList{"@/given.ics"};
    QTest::newRow("demo") << QStringList{"--demo", "@/demo"};
}

void TestServerConfig::commandLineSkipsConfig()
{
    QFETCH(QStringList, arguments);
    arguments.replaceInStrings("@", m_home->path());
    QVERIFY(startServer(arguments));
    QVERIFY(!QFileInfo::exists(m_configHome));
    QVERIFY(!QFileInfo::exists(defaultCalendar()));
}

void TestServerConfig::configWithoutCalendars()
{
    QVERIFY(writeFile(configFile(), "# nothing yet\n# ~/cal.ics\n"));
    QVERIFY(startServer());
    QTRY_VERIFY(m_server.errors().contains("calendars.conf names no calendar"));
    QCOMPARE(titles(QDate(2024, 3, 28)), QStringList());
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^createJob err ,"));
    QCOMPARE(m_client->CreateJob(timedJob("Dentist", QDateTime(QDate(2024, 5, 6), QTime(10, 0)))),
             qint64(-1));
    QVERIFY(!QFileInfo::exists(defaultCalendar()));
}

void TestServerConfig::unreadableConfigStopsServer()
{
    QVERIFY(QDir().mkpath(configFile())); // root reads any file; a directory it cannot
    QVERIFY(!startServer());
    QTRY_COMPARE(m_server.process().state(), QProcess::NotRunning);
    QCOMPARE(m_server.process().exitStatus(), QProcess::NormalExit);
    QCOMPARE(m_server.process().exitCode(), 1);
    QVERIFY2(m_server.errors().contains("cannot read " + configFile()), qPrintable(m_server.errors()));
    QVERIFY(!QFileInfo::exists(defaultCalendar()));
}

void TestServerConfig::unwritableConfigDirectoryFallsBack()
{
    // XDG_CONFIG_HOME names a file: no configuration can be written, the default calendar still serves.
    m_configHome = m_home->filePath("not-a-directory");
    QVERIFY(writeFile(m_configHome, "x"));
    QVERIFY(startServer());
    QTRY_VERIFY(
        m_server.errors().contains("cannot write " + m_configHome + "/tasklist-dataserver/calendars.conf"));
    QVERIFY(m_client->CreateJob(timedJob("Dentist", QDateTime(QDate(2024, 5, 6), QTime(10, 0)))) > 0);
    QVERIFY(readAll(defaultCalendar()).contains("SUMMARY:Dentist"));
}

void TestServerConfig::runningServerFollowsConfig()
{
    writeCalendars();
    QVERIFY(replaceFile(configFile(), "~/cal/a.ics\n"));
    QVERIFY(startServer());
    QCOMPARE(titles(served), QStringList{"Still served"});
    QTRY_COMPARE(m_server.errors().count(readFault("a.ics")), 1);
    QSignalSpy updates(m_client.get(), &CScheduleDBus::jobsUpdate);

    QVERIFY(replaceFile(configFile(), "# the settings window's list\n~/cal/a.ics\n~/cal/b.ics\n"));
    QTRY_COMPARE(updates.count(), 1);
    QStringList both = titles(served);
    both.sort();
    QCOMPARE(both, (QStringList{"Beta", "Still served"}));
    // b.ics is read after a.ics: once its fault is on stderr, so is that of a.ics parsed again.
    QTRY_COMPARE(m_server.errors().count(readFault("b.ics")), 1);
    QCOMPARE(m_server.errors().count(readFault("a.ics")), 1);

    QVERIFY(replaceFile(configFile(), "~/cal/b.ics\n"));
    QTRY_COMPARE(updates.count(), 2);
    QCOMPARE(titles(served), QStringList{"Beta"});
    // New jobs go into the calendar now listed first.
    QVERIFY(m_client->CreateJob(timedJob("Dentist", QDateTime(QDate(2024, 5, 6), QTime(10, 0)))) > 0);
    QVERIFY(readAll(calendar("b.ics")).contains("SUMMARY:Dentist"));
    QVERIFY(!readAll(calendar("a.ics")).contains("SUMMARY:Dentist"));
    QCOMPARE(readAll(configFile()), QByteArray("~/cal/b.ics\n"));
}

void TestServerConfig::faultyConfigKeepsCalendars_data()
{
    QTest::addColumn<QString>("change");
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QString>("warning"); // @: the configuration file

    QTest::newRow("not utf-8") << "write" << QByteArray("~/cal/a.ics\n~/cal/b\xff\xfe.ics\n")
                               << "@:2: not UTF-8 text; the calendars it listed before are still served";
    QTest::newRow("control character")
        << "write" << QByteArray("~/cal/b.ics\n~/cal/\x01\n")
        << "@:2: a control character in a path; the calendars it listed before are still served";
    QTest::newRow("half a character at the end")
        << "write" << QByteArray("~/cal/b.ics\n~/cal/\xc3")
        << "@:2: not UTF-8 text; the calendars it listed before are still served";
    QTest::newRow("unreadable") << "directory" << QByteArray()
                                << "cannot read @: "; // root reads any file; a directory it cannot
    QTest::newRow("removed") << "remove" << QByteArray()
                             << "@ was removed; the calendars it listed are still served";
}

void TestServerConfig::faultyConfigKeepsCalendars()
{
    QFETCH(QString, change);
    QFETCH(QByteArray, text);
    QFETCH(QString, warning);
    warning.replace("@", configFile());
    writeCalendars();
    QVERIFY(replaceFile(configFile(), "~/cal/a.ics\n"));
    QVERIFY(startServer());
    QCOMPARE(titles(served), QStringList{"Still served"});
    QSignalSpy updates(m_client.get(), &CScheduleDBus::jobsUpdate);

    if (change == QLatin1String("write")) {
        QVERIFY(replaceFile(configFile(), text));
    } else {
        QVERIFY(QFile::remove(configFile()));
        if (change == QLatin1String("directory"))
            QVERIFY(QDir().mkpath(configFile()));
    }
    QTRY_VERIFY2(m_server.errors().contains(warning), qPrintable(m_server.errors()));
    QCOMPARE(titles(served), QStringList{"Still served"});
    if (change != QLatin1String("write"))
        QVERIFY(!QFileInfo(configFile()).isFile()); // not written anew

    // Another change in the directory finds the same fault, and says nothing new. The wait only
    // keeps it apart from the repair below; were it too short, the count could not fail either.
    QVERIFY(replaceFile(m_home->filePath("config/tasklist-dataserver/notes.txt"), "x"));
    QTest::qWait(3 * CalendarStore::reloadDelayMs);
    QCOMPARE(updates.count(), 0);

    // A good list again is served again.
    if (change == QLatin1String("directory"))
        QVERIFY(QDir(configFile()).removeRecursively());
    QVERIFY(replaceFile(configFile(), "~/cal/b.ics\n"));
    QTRY_COMPARE(updates.count(), 1);
    QCOMPARE(titles(served), QStringList{"Beta"});
    QTRY_COMPARE(m_server.errors().count(readFault("b.ics")), 1); // stderr read up to the switch
    QCOMPARE(m_server.errors().count(warning), 1);
}

QTEST_GUILESS_MAIN(TestServerConfig)
#include "tst_serverconfig.moc"
