#include "fakedbusservice.h"

#include <QDBusConnection>
#include <QDBusObjectPath>
#include <QDataStream>
#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <linux/capability.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <unistd.h>

#ifndef WIDGET_EXECUTABLE
#error "WIDGET_EXECUTABLE must name the program under test"
#endif
#ifndef WIDGET_VERSION
#error "WIDGET_VERSION must be the project's version"
#endif

namespace {
const char *notificationService = "com.norvale.nvx.Notification";
const char *notificationPath = "/com/norvale/nvx/Notification";

QByteArray dataFile(const QString &home)
{
    QFile file(home + "/.local/share/TaskList/data");
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// One record that a save would prune away (all flags false): a rewritten file would differ.
QByteArray fileWithPrunableRecord()
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setVersion(17);
    out << quint32(1);
    out << qint32(5) << qint32(0) << QString("old task");                            // key
    out << qint32(5) << qint32(0) << QString("old task") << false << false << false; // value
    out << quint32(0);
    return bytes;
}

// A float task: saving keeps it as it is.
QByteArray fileWithFloatTask()
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setVersion(17);
    out << quint32(0) << quint32(1);
    out << qint32(0) << qint32(0) << QString("buy milk, 牛奶") << true << false << false;
    return bytes;
}

// Root ignores file permissions. The child stays root but loses, for good, the capabilities that
// let it do so, so that they hold for it. (Running it as another user instead needs every folder
// from / to the program to be open to that user, which a build machine need not grant.)
void dropCapabilities()
{
    for (const int capability : {CAP_DAC_OVERRIDE, CAP_DAC_READ_SEARCH, CAP_FOWNER})
        if (::prctl(PR_CAPBSET_DROP, capability, 0, 0, 0) != 0)
            ::_exit(126);
}

class WidgetProcess : public QProcess
{
public:
    bool dropPrivileges = false;

#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    WidgetProcess()
    {
        setChildProcessModifier([this] {
            if (dropPrivileges)
                dropCapabilities();
        });
    }
#else
protected:
    void setupChildProcess() override
    {
        if (dropPrivileges)
            dropCapabilities();
    }
#endif
};
} // namespace

class TestWidgetProcess : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void endsGracefullyOnSignal_data();
    void endsGracefullyOnSignal();
    void unwritableDataDirectory();
    void onePanelPerInstance_data();
    void onePanelPerInstance();
    void endsAfterCommandLine_data();
    void endsAfterCommandLine();
    void joinNext_data();
    void joinNext();

private:
    std::unique_ptr<FakeDBusService> notifications;
};

void TestWidgetProcess::initTestCase()
{
    if (!QFileInfo::exists(WIDGET_EXECUTABLE))
        QSKIP("the program has not been built: " WIDGET_EXECUTABLE);
    if (!QDBusConnection::sessionBus().isConnected())
        QSKIP("no session bus");
    notifications =
        std::make_unique<FakeDBusService>(notificationService, notificationPath, notificationService);
    QVERIFY(notifications->start());
    notifications->setReply("Notify", FakeDBusService::Reply::value(1u));
}

void TestWidgetProcess::init()
{
    notifications->clearCalls();
}

void TestWidgetProcess::endsGracefullyOnSignal_data()
{
    QTest::addColumn<int>("signalNumber");
    QTest::addColumn<QByteArray>("oldFile"); // empty: no data folder at start
    QTest::addColumn<QByteArray>("savedFile");
    QTest::addColumn<bool>("hungServer"); // a data server that takes calls and never answers

    const QByteArray emptyStore(8, '\0');
    QTest::newRow("SIGTERM, first start") << int(SIGTERM) << QByteArray() << emptyStore << false;
    QTest::newRow("SIGINT, first start") << int(SIGINT) << QByteArray() << emptyStore << false;
    QTest::newRow("SIGHUP, first start") << int(SIGHUP) << QByteArray() << emptyStore << false;
    QTest::newRow("SIGTERM, float task kept")
        << int(SIGTERM) << fileWithFloatTask() << fileWithFloatTask() << false;
    QTest::newRow("SIGTERM, default record pruned")
        << int(SIGTERM) << fileWithPrunableRecord() << emptyStore << false;
    QTest::newRow("SIGTERM, data server never answers")
        << int(SIGTERM) << fileWithFloatTask() << fileWithFloatTask() << true;
}

void TestWidgetProcess::endsGracefullyOnSignal()
{
    QFETCH(int, signalNumber);
    QFETCH(QByteArray, oldFile);
    QFETCH(QByteArray, savedFile);
    QFETCH(bool, hungServer);

    FakeDBusService server("com.norvale.dataserver.Calendar", "/com/norvale/dataserver/Calendar",
                           "com.norvale.dataserver.Calendar");
    if (hungServer) {
        QVERIFY(server.start());
        server.setReply("GetJobs", FakeDBusService::Reply::never());
    }
    QTemporaryDir home;
    QVERIFY(home.isValid());
    const QString dataDir = home.path() + "/.local/share/TaskList";
    if (!oldFile.isEmpty()) {
        QVERIFY(QDir().mkpath(dataDir));
        QFile file(dataDir + "/data");
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(oldFile);
    }

    WidgetProcess widget;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("HOME", home.path());
    env.insert("QT_QPA_PLATFORM", "offscreen");
    widget.setProcessEnvironment(env);
    widget.setProcessChannelMode(QProcess::ForwardedChannels);
    widget.start(WIDGET_EXECUTABLE, QStringList());
    QVERIFY(widget.waitForStarted());

    // The notification is the last step before the event loop.
    QTRY_VERIFY_WITH_TIMEOUT(notifications->calls("Notify").size() == 1, 30000);
    QVERIFY(QFileInfo(dataDir).isDir());
    // Both of the overview's fetches and the reminders' one are out and unanswered, and the widget
    // has not waited for them.
    if (hungServer)
        QTRY_COMPARE(server.calls("GetJobs").size(), 3);
    QCOMPARE(widget.state(), QProcess::Running);

    QCOMPARE(::kill(pid_t(widget.processId()), signalNumber), 0);
    QVERIFY(widget.waitForFinished(30000));
    QCOMPARE(widget.exitStatus(), QProcess::NormalExit);
    QCOMPARE(widget.exitCode(), 0);
    QCOMPARE(dataFile(home.path()), savedFile);
}

void TestWidgetProcess::unwritableDataDirectory()
{
    QTemporaryDir home(QDir::tempPath() + "/widget-home-XXXXXX");
    QVERIFY(home.isValid());
    const QString dataDir = home.path() + "/.local/share/TaskList";
    const QString runtimeDir = home.path() + "/runtime";
    QVERIFY(QDir().mkpath(dataDir));
    QVERIFY(QDir().mkpath(runtimeDir));
    const QByteArray oldFile = fileWithPrunableRecord();
    {
        QFile file(dataDir + "/data");
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(oldFile);
    }
    const bool asRoot = ::geteuid() == 0;
    QVERIFY(QFile::setPermissions(runtimeDir, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    QVERIFY(QFile::setPermissions(dataDir, QFile::ReadOwner | QFile::ExeOwner));

    WidgetProcess widget;
    widget.dropPrivileges = asRoot;
    widget.setWorkingDirectory(home.path());
    // This run goes without a bus: its notification attempt, which then fails at once, shows that
    // start-up is done.
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("HOME", home.path());
    env.insert("XDG_RUNTIME_DIR", runtimeDir);
    for (const char *name : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME", "XDG_STATE_HOME"})
        env.remove(name);
    env.insert("DBUS_SESSION_BUS_ADDRESS", "unix:path=" + home.path() + "/no-bus");
    env.insert("QT_QPA_PLATFORM", "offscreen");
    widget.setProcessEnvironment(env);
    widget.setProcessChannelMode(QProcess::MergedChannels);
    widget.start(QStringLiteral(WIDGET_EXECUTABLE), QStringList());
    QVERIFY2(widget.waitForStarted(), qPrintable(widget.errorString()));

    const QRegularExpression notified(R"(^3 "org\.freedesktop\.DBus\.Error\.\w+" )",
                                      QRegularExpression::MultilineOption);
    QByteArray log;
    while (!QString::fromUtf8(log).contains(notified) && widget.waitForReadyRead(30000))
        log += widget.readAll();
    QVERIFY2(QString::fromUtf8(log).contains(notified), log.constData());

    QCOMPARE(::kill(pid_t(widget.processId()), SIGTERM), 0);
    QVERIFY(widget.waitForFinished(30000));
    log += widget.readAll();
    QVERIFY2(widget.exitStatus() == QProcess::NormalExit, log.constData());
    QCOMPARE(widget.exitCode(), 0);
    QCOMPARE(dataFile(home.path()), oldFile);
    QCOMPARE(QDir(dataDir).entryList(QDir::Files | QDir::Hidden), QStringList{"data"});

    QVERIFY(QFile::setPermissions(dataDir, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
}

void TestWidgetProcess::onePanelPerInstance_data()
{
    QTest::addColumn<QStringList>("firstArguments");
    QTest::addColumn<QString>("firstFolder");
    QTest::addColumn<QStringList>("secondArguments");
    QTest::addColumn<QString>("secondFolder"); // empty: the second start ends at once
    QTest::addColumn<QString>("firstHears");   // what the first one logs of the second's request

    const QString show = "asked the widget to show itself.";
    QTest::newRow("default instance twice")
        << QStringList() << "TaskList" << QStringList() << QString() << show;
    QTest::newRow("named instance twice") << QStringList{"--instance", "work"} << "TaskList-work"
                                          << QStringList{"--instance=work"} << QString() << show;
    QTest::newRow("another instance") << QStringList() << "TaskList" << QStringList{"--instance", "2nd-panel"}
                                      << "TaskList-2nd-panel" << QString();
    QTest::newRow("Qt's own options beside")
        << QStringList{"-platform", "offscreen", "--instance", "work"} << "TaskList-work"
        << QStringList{"--instance=work"} << QString() << show;
    QTest::newRow("--focus") << QStringList() << "TaskList" << QStringList{"--focus"} << QString()
                             << "asked the widget to show itself and take the keyboard.";
}

// Two starts of one instance would share the data and place files; two instances share nothing.
void TestWidgetProcess::onePanelPerInstance()
{
    QFETCH(QStringList, firstArguments);
    QFETCH(QString, firstFolder);
    QFETCH(QStringList, secondArguments);
    QFETCH(QString, secondFolder);
    QFETCH(QString, firstHears);

    QTemporaryDir home;
    QVERIFY(home.isValid());
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("HOME", home.path());
    env.insert("QT_QPA_PLATFORM", "offscreen");
    WidgetProcess first, second;
    for (WidgetProcess *widget : {&first, &second}) {
        widget->setProcessEnvironment(env);
        widget->setProcessChannelMode(QProcess::MergedChannels);
    }
    first.start(WIDGET_EXECUTABLE, firstArguments);
    QTRY_VERIFY_WITH_TIMEOUT(notifications->calls("Notify").size() == 1, 30000);
    second.start(WIDGET_EXECUTABLE, secondArguments);
    if (secondFolder.isEmpty()) {
        QVERIFY(second.waitForFinished(30000));
        QCOMPARE(second.exitCode(), 0);
        QVERIFY2(second.readAll().contains("asked it to show itself"),
                 "the second start did not find the first");
        QByteArray firstLog;
        QTRY_VERIFY2_WITH_TIMEOUT((firstLog += first.readAll()).contains(firstHears.toUtf8()),
                                  firstLog.constData(), 10000);
    } else {
        QTRY_VERIFY_WITH_TIMEOUT(notifications->calls("Notify").size() == 2, 30000);
    }
    QCOMPARE(first.state(), QProcess::Running);
    QCOMPARE(notifications->calls("Notify").size(), secondFolder.isEmpty() ? 1 : 2);

    for (WidgetProcess *widget : {&first, &second}) {
        if (widget->state() != QProcess::Running)
            continue;
        QCOMPARE(::kill(pid_t(widget->processId()), SIGTERM), 0);
        QVERIFY(widget->waitForFinished(30000));
    }
    const QStringList folders =
        QDir(home.path() + "/.local/share").entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    QCOMPARE(folders, (QStringList{firstFolder, secondFolder}).filter(QRegularExpression(".")));
    for (const QString &folder : folders)
        QVERIFY2(QFileInfo::exists(home.path() + "/.local/share/" + folder + "/data"), qPrintable(folder));
}

void TestWidgetProcess::endsAfterCommandLine_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QStringList>("printed"); // patterns standard output matches; none: it stays empty
    QTest::addColumn<QString>("complaint");   // on standard error; empty: it stays empty

    const QStringList help{"^Usage: nvx-calendar-desktop-widget \\[options\\]$",
                           "^  -h, --help  +\\w",
                           "^  -v, --version  +\\w",
                           "^  --instance <NAME>  +\\w",
                           "^  --new-event  +\\w",
                           "^  --join-next  +\\w",
                           "^  --settings  +\\w",
                           "^  --focus  +\\w"};
    const QStringList version{"\\Anvx-calendar-desktop-widget " + QRegularExpression::escape(WIDGET_VERSION) +
                              "\n\\z"};
    QTest::newRow("--help") << QStringList{"--help"} << 0 << help << QString();
    QTest::newRow("-h") << QStringList{"-h"} << 0 << help << QString();
    QTest::newRow("--help after other options")
        << QStringList{"--instance", "work", "--settings", "--help"} << 0 << help << QString();
    QTest::newRow("--version") << QStringList{"--version"} << 0 << version << QString();
    QTest::newRow("-v") << QStringList{"-v"} << 0 << version << QString();
    QTest::newRow("unknown option") << QStringList{"--no-such-option"} << 2 << QStringList()
                                    << "Unknown option 'no-such-option'";
    QTest::newRow("--instance without its name") << QStringList{"--settings", "--instance"} << 2
                                                 << QStringList() << "Missing value after '--instance'";
    QTest::newRow("--instance with a wrong name")
        << QStringList{"--instance", "a/b"} << 2 << QStringList() << "--instance needs a name";
    QTest::newRow("--instance= with no name")
        << QStringList{"--instance="} << 2 << QStringList() << "--instance needs a name";
    QTest::newRow("an argument that is no option")
        << QStringList{"work"} << 2 << QStringList() << "unexpected argument 'work'";
}

// These end before the application exists: no window, no display, no bus, no file.
void TestWidgetProcess::endsAfterCommandLine()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QStringList, printed);
    QFETCH(QString, complaint);

    QTemporaryDir home;
    QVERIFY(home.isValid());
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("HOME", home.path());
    for (const char *name : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME", "XDG_STATE_HOME",
                             "DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        env.remove(name);
    QProcess widget;
    widget.setProcessEnvironment(env);
    widget.start(WIDGET_EXECUTABLE, arguments);
    QVERIFY(widget.waitForStarted());
    if (!widget.waitForFinished(30000)) {
        widget.kill();
        widget.waitForFinished();
        QFAIL("the widget went on running");
    }
    const QString out = QString::fromLocal8Bit(widget.readAllStandardOutput());
    const QString err = QString::fromLocal8Bit(widget.readAllStandardError());
    QVERIFY2(widget.exitStatus() == QProcess::NormalExit, qPrintable(err));
    QCOMPARE(widget.exitCode(), exitCode);
    for (const QString &pattern : printed)
        QVERIFY2(out.contains(QRegularExpression(pattern, QRegularExpression::MultilineOption)),
                 qPrintable(pattern + " is not in:\n" + out));
    if (printed.isEmpty())
        QCOMPARE(out, QString());
    if (complaint.isEmpty())
        QCOMPARE(err, QString());
    else
        QVERIFY2(err.contains(complaint), qPrintable(err));
    QCOMPARE(QDir(home.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
             QStringList());
    QVERIFY(notifications->calls("Notify").isEmpty());
}

void TestWidgetProcess::joinNext_data()
{
    QTest::addColumn<int>("beginMinutes"); // from now; the meeting lasts an hour
    QTest::addColumn<QString>("reply");
    QTest::addColumn<bool>("server");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("printed");
    QTest::addColumn<QString>("complaint");

    const QString link = "https://teams.microsoft.com/l/meetup-join/19%3ameeting_N2E3@thread.v2/0";
    QTest::newRow("a meeting running") << -5 << "accepted" << true << 0 << "Joining “Sync”: " + link + "\n"
                                       << QString();
    QTest::newRow("one in eight minutes") << 8 << "" << true << 0 << "Joining “Sync”: " + link + "\n"
                                          << QString();
    QTest::newRow("one in twenty minutes")
        << 20 << "accepted" << true << 1 << "No meeting is running or begins in the next 10 minutes.\n"
        << QString();
    QTest::newRow("declined") << -5 << "declined" << true << 1
                              << "No meeting is running or begins in the next 10 minutes.\n"
                              << QString();
    QTest::newRow("no data server") << -5 << "accepted" << false << 2 << QString()
                                    << "The calendar data server does not answer.";
}

// For a key of the desktop's: the link handed to the portal byte for byte, without a panel.
void TestWidgetProcess::joinNext()
{
    QFETCH(int, beginMinutes);
    QFETCH(QString, reply);
    QFETCH(bool, server);
    QFETCH(int, exitCode);
    QFETCH(QString, printed);
    QFETCH(QString, complaint);

    const QString link = "https://teams.microsoft.com/l/meetup-join/19%3ameeting_N2E3@thread.v2/0";
    FakeDBusService calendar("com.norvale.dataserver.Calendar", "/com/norvale/dataserver/Calendar",
                             "com.norvale.dataserver.Calendar");
    const QDateTime begin = QDateTime::currentDateTime().addSecs(beginMinutes * 60);
    QJsonObject job{{"ID", 5},
                    {"Title", "Sync"},
                    {"AllDay", false},
                    {"Start", begin.toOffsetFromUtc(begin.offsetFromUtc()).toString(Qt::ISODate)},
                    {"End", begin.addSecs(3600).toOffsetFromUtc(begin.offsetFromUtc()).toString(Qt::ISODate)},
                    {"Conference", link}};
    if (!reply.isEmpty())
        job.insert("MyReply", reply);
    const QJsonArray days{
        QJsonObject{{"Date", begin.date().toString(Qt::ISODate)}, {"Jobs", QJsonArray{job}}}};
    if (server) {
        QVERIFY(calendar.start());
        calendar.setReply("GetJobs", FakeDBusService::Reply::value(QString::fromUtf8(
                                         QJsonDocument(days).toJson(QJsonDocument::Compact))));
    }
    FakeDBusService portal("org.freedesktop.portal.Desktop", "/org/freedesktop/portal/desktop",
                           "org.freedesktop.portal.OpenURI");
    QVERIFY(portal.start());
    portal.setReply("OpenURI",
                    FakeDBusService::Reply::value(QVariant::fromValue(QDBusObjectPath("/request/1"))));

    QTemporaryDir home;
    QVERIFY(home.isValid());
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("HOME", home.path());
    QProcess widget;
    widget.setProcessEnvironment(env);
    widget.start(WIDGET_EXECUTABLE, {"--join-next"});
    QVERIFY(widget.waitForFinished(30000));
    const QString out = QString::fromUtf8(widget.readAllStandardOutput());
    const QString err = QString::fromUtf8(widget.readAllStandardError());
    QCOMPARE(widget.exitCode(), exitCode);
    QCOMPARE(out, printed);
    if (complaint.isEmpty())
        QCOMPARE(err, QString());
    else
        QVERIFY2(err.contains(complaint), qPrintable(err));
    const QList<FakeDBusService::Call> opened = portal.calls("OpenURI");
    QCOMPARE(opened.size(), exitCode == 0 ? 1 : 0);
    if (exitCode == 0)
        QCOMPARE(opened.first().arguments.value(1).toString(), link);
    // No panel: nothing of the widget's own under HOME.
    QVERIFY(!QFileInfo::exists(home.path() + "/.local/share/TaskList"));
}

QTEST_GUILESS_MAIN(TestWidgetProcess)
#include "tst_widgetprocess.moc"
