#include "cscheduledbus.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <signal.h>

using DayMap = QMap<QDate, QVector<ScheduleDataInfo>>;

// The widget's first call starts the data server through the session bus's service file, made from
// the same template as the installed one but naming the build tree's server and a test calendar.
// The test's bus reads only that service directory. It runs with TZ=Europe/Berlin.
class TestActivation : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void firstCallStartsServer();
    void callAfterServerEndedStartsItAgain();
    void serverEndsWithItsBus();

private:
    static uint serverPid();
    static bool ended(uint pid);
    static QStringList titlesOnSyncDay();
};

namespace {

const QString service = QStringLiteral(DBUS_SERVER_NAME);
const QDate syncDay(2024, 3, 28);

QString canonical(const QString &path)
{
    return QFileInfo(path).canonicalFilePath();
}

QStringList commandLine(uint pid)
{
    QFile file(QStringLiteral("/proc/%1/cmdline").arg(pid));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QStringList arguments;
    for (const QByteArray &argument : file.readAll().split('\0'))
        arguments << QString::fromLocal8Bit(argument);
    if (!arguments.isEmpty() && arguments.last().isEmpty())
        arguments.removeLast();
    return arguments;
}

} // namespace

uint TestActivation::serverPid()
{
    const QDBusReply<uint> pid = QDBusConnection::sessionBus().interface()->servicePid(service);
    return pid.isValid() ? pid.value() : 0;
}

// Watched through /proc, not by asking the bus over and over while the server leaves it: Qt 5's
// D-Bus leaks a blocking call's reply now and then when it races the name's release.
bool TestActivation::ended(uint pid)
{
    return !QFileInfo::exists(QStringLiteral("/proc/%1").arg(pid));
}

QStringList TestActivation::titlesOnSyncDay()
{
    DayMap days;
    if (!CScheduleDBus::getInstance()->GetJobs(syncDay, syncDay, days))
        return {QStringLiteral("GetJobs failed")};
    QStringList titles;
    for (const ScheduleDataInfo &job : days.value(syncDay))
        titles << job.getTitleName();
    return titles;
}

void TestActivation::initTestCase()
{
    QDBusConnectionInterface *bus = QDBusConnection::sessionBus().interface();
    if (!bus)
        QSKIP("no session bus");
    QCOMPARE(qgetenv("TZ"), QByteArray("Europe/Berlin"));
    const QDBusReply<QStringList> activatable = bus->activatableServiceNames();
    QVERIFY2(activatable.isValid() && activatable.value().contains(service),
             "the test bus does not read the generated service file");
    QVERIFY(!bus->isServiceRegistered(service).value());

    QFile::remove(QStringLiteral(ACTIVATION_CALENDAR));
    QVERIFY(
        QFile::copy(QStringLiteral(TESTDATA_DIR "/google-export.ics"), QStringLiteral(ACTIVATION_CALENDAR)));
    QFile::setPermissions(QStringLiteral(ACTIVATION_CALENDAR), QFile::ReadOwner | QFile::WriteOwner);
}

void TestActivation::cleanupTestCase()
{
    CScheduleDBus::releaseInstance();
    // The bus ends with the test; a server it started must not outlive it.
    if (const uint pid = serverPid()) {
        ::kill(pid_t(pid), SIGTERM);
        QTRY_VERIFY(ended(pid));
    }
}

void TestActivation::firstCallStartsServer()
{
    QCOMPARE(serverPid(), 0u);
    QCOMPARE(titlesOnSyncDay(), QStringList{QStringLiteral("Sync with Berlin office")});

    const uint pid = serverPid();
    QVERIFY(pid != 0);
    const QStringList arguments = commandLine(pid);
    QVERIFY(!arguments.isEmpty());
    QCOMPARE(canonical(QStringLiteral("/proc/%1/exe").arg(pid)),
             canonical(QStringLiteral(DATASERVER_BINARY)));
    QCOMPARE(arguments.mid(1), QStringList{QStringLiteral(ACTIVATION_CALENDAR)});

    // A running server answers; the bus starts no second one.
    QCOMPARE(titlesOnSyncDay(), QStringList{QStringLiteral("Sync with Berlin office")});
    QCOMPARE(serverPid(), pid);
}

void TestActivation::callAfterServerEndedStartsItAgain()
{
    const uint first = serverPid();
    QVERIFY(first != 0);
    QCOMPARE(::kill(pid_t(first), SIGTERM), 0);
    QTRY_VERIFY_WITH_TIMEOUT(ended(first), 10000);
    QTRY_COMPARE(serverPid(), 0u);

    QCOMPARE(titlesOnSyncDay(), QStringList{QStringLiteral("Sync with Berlin office")});
    const uint second = serverPid();
    QVERIFY(second != 0);
    QVERIFY(second != first);
}

void TestActivation::serverEndsWithItsBus()
{
    // A bus of its own, so that ending it leaves the test's bus alone.
    QProcess daemon;
    daemon.start("dbus-daemon", {"--config-file=" ACTIVATION_CONFIG, "--nofork", "--print-address=1"});
    QVERIFY(daemon.waitForStarted());
    QTRY_VERIFY(daemon.canReadLine());
    const QString address = QString::fromUtf8(daemon.readLine()).trimmed();
    QVERIFY(!address.isEmpty());

    QTemporaryDir dir;
    QProcess server;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("DBUS_SESSION_BUS_ADDRESS", address);
    server.setProcessEnvironment(environment);
    server.setProcessChannelMode(QProcess::ForwardedChannels);
    server.start(DATASERVER_BINARY, {dir.filePath("calendar.ics")});
    QVERIFY(server.waitForStarted());
    {
        QDBusConnection bus = QDBusConnection::connectToBus(address, "own bus");
        QVERIFY(bus.isConnected());
        QTRY_VERIFY(bus.interface()->isServiceRegistered(service).value());
    }
    QDBusConnection::disconnectFromBus("own bus");

    daemon.terminate();
    QVERIFY(daemon.waitForFinished(5000));
    QTRY_COMPARE_WITH_TIMEOUT(server.state(), QProcess::NotRunning, 10000);
    QCOMPARE(server.exitStatus(), QProcess::NormalExit);
    QCOMPARE(server.exitCode(), 0);
}

QTEST_GUILESS_MAIN(TestActivation)
#include "tst_activation.moc"
