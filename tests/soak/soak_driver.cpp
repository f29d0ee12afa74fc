// Both programs, the data server and the widget, through days of use in minutes: their clocks run
// fast (libfaketime), midnights pass, the calendar changes on disk, the widget's reloads are asked
// for, reminders come due and the machine suspends and resumes (logind's PrepareForSleep, from a
// fake logind on a bus of its own). Over the days a subscribed calendar changes on its web server
// (one of the driver's own on 127.0.0.1), events of a CalDAV account change on its Radicale server
// and through the data server (whose vdirsyncer runs sync them), some reminders are snoozed from the
// fake notification server, and a second monitor is unplugged and plugged in again (an Xorg of the
// driver's own with the dummy driver's RandR outputs, where one can be had). At the end: both still
// run and end cleanly, neither said more than expected, the calendar is as last written, the
// subscription holds its last content and was refreshed at its interval, Radicale and the account's
// folder hold the same items and the server serves them, each snoozed reminder came back after the
// snooze, the widget stayed on a screen, and resident memory, open files and timers of each program
// are flat (the last day's peak within 2 MiB of the first day's). Runs inside bench/run.sh, which
// gives it a private session bus, an X server and a temporary HOME.
#include "accountpaths.h"
#include "calendarslist.h"
#include "cscheduledbus.h"
#include "desktopcalendars.h"
#include "feedserver.h"

#include <QCoreApplication>
#include <QDBusAbstractAdaptor>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusPendingCall>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QNetworkAccessManager>
#include <QNetworkProxy>
#include <QNetworkReply>
#include <QProcess>
#include <QRect>
#include <QRegularExpression>
#include <QSaveFile>
#include <QSet>
#include <QTemporaryDir>
#include <QTextStream>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <limits>
#include <memory>

namespace {

const QString serverName = QStringLiteral("com.norvale.dataserver.Calendar");
const QString serverPath = QStringLiteral("/com/norvale/dataserver/Calendar");
// Where CMake found it on this machine.
const char *const fakeTimeLibrary = FAKETIME_LIBRARY;

void say(const QString &text)
{
    QTextStream(stdout) << text << '\n';
}

// A process's resident memory (KiB), open files and POSIX timers, from /proc.
struct Sample
{
    qint64 rssKiB = -1;
    int fds = -1;
    int timers = -1;
};

Sample sampleOf(qint64 pid)
{
    Sample sample;
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return sample;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            sample.rssKiB = line.mid(6).trimmed().split(' ').first().toLongLong();
    }
    sample.fds = QDir(QStringLiteral("/proc/%1/fd").arg(pid))
                     .entryList(QDir::AllEntries | QDir::NoDotAndDotDot)
                     .size();
    QFile timers(QStringLiteral("/proc/%1/timers").arg(pid));
    sample.timers = timers.open(QIODevice::ReadOnly) ? int(timers.readAll().count("ID:")) : 0;
    return sample;
}

// Counts the reminders the widget shows, as the desktop's notification server would take them, and
// tells the run of each so that it may answer with an action.
class Notifications : public QDBusAbstractAdaptor
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")
public:
    explicit Notifications(QObject *parent)
        : QDBusAbstractAdaptor(parent)
    {
    }
    int shown = 0;
    QSet<uint> closed;
    std::function<void(uint id, const QString &summary, const QStringList &actions)> notified;

public Q_SLOTS:
    uint Notify(const QString &, uint, const QString &, const QString &summary, const QString &,
                const QStringList &actions, const QVariantMap &, int)
    {
        const uint id = uint(++shown);
        if (notified)
            notified(id, summary, actions);
        return id;
    }
    QStringList GetCapabilities() { return {QStringLiteral("body"), QStringLiteral("actions")}; }
    void CloseNotification(uint id) { closed.insert(id); }
    QString GetServerInformation(QString &vendor, QString &version, QString &protocol)
    {
        vendor = QStringLiteral("soak");
        version = protocol = QStringLiteral("1.2");
        return QStringLiteral("soak");
    }
};

struct Program
{
    QString name;
    QProcess process;
    QString log;
    QVector<qint64> peakPerDay; // KiB
    QVector<int> fdsPerDay;
    // A fetch's socket or a sync's pipes are open for a moment; a file left open stays in the fewest.
    QVector<int> fewestFdsPerDay;
    QVector<int> timersPerDay;
};

// A reminder the notification server answered with "snooze", and when it came back (run's fake ms).
struct Snooze
{
    uint id = 0;
    QString event;
    qint64 atMs = 0;
    qint64 backMs = -1;
};

class Soak : public QObject
{
    Q_OBJECT
public:
    Soak(int hours, int realSeconds)
        : m_hours(hours)
        , m_speed(double(hours) * 3600 / realSeconds)
        , m_fakeStart(QDateTime(QDate(2026, 12, 14), QTime(7, 0), Qt::UTC))
    {
        // The counts of a week, in proportion for a shorter run.
        const double part = hours / 168.0;
        m_changesDue = qMax(10, int(300 * part));
        m_reloadsDue = qMax(20, int(2000 * part));
        m_sleepsDue = qMax(1, hours / 12);
        // Some 40 refreshes and 28 syncs in a week, within the server's bounds; an hour has a few.
        m_refreshSeconds = qMax<qint64>(15 * 60, qint64(hours) * 3600 / 42);
        m_syncSeconds = std::clamp<qint64>(qint64(hours) * 3600 / 28, 10 * 60, 6 * 3600);
    }

    int run();

private:
    QDateTime fakeNow() const { return m_fakeStart.addMSecs(fakeMs()); }
    qint64 fakeMs() const { return qint64(m_real.elapsed() * m_speed); }
    bool setUp();
    bool startXServer(QString &why);
    bool xrandr(const QStringList &arguments);
    bool startRadicale();
    bool writeConfiguration();
    int davRequest(const QByteArray &verb, const QString &item, const QByteArray &body = {});
    void planSteps();
    QByteArray feedText(int version) const;
    void putRemote(const QByteArray &uid, int hour, const QByteArray &summary);
    void editThroughServer(const QString &title);
    CalendarIdentity accountCalendar();
    void onNotified(uint id, const QString &summary, const QStringList &actions);
    void plug(bool in);
    void checkScreens(const QString &when);
    bool feedKept();
    bool accountInStep();
    bool snoozesCameBack();
    bool widgetOnSystemBus();
    bool startProgram(Program &program, const QString &binary, const QStringList &arguments);
    QByteArray calendarText(int version) const;
    bool writeCalendar(int version);
    void tick();
    void sample();
    bool finish();
    bool flat(const Program &program);

    int m_hours;
    double m_speed;
    QDateTime m_fakeStart;
    QElapsedTimer m_real;
    QTemporaryDir m_dir;
    QString m_calendar;
    QByteArray m_written;
    QProcess m_systemBus;
    QString m_systemAddress;
    Program m_server, m_widget;
    Notifications *m_notifications = nullptr;
    // What the run does beside the steady load, in order: (share of the run, action).
    QVector<QPair<double, std::function<void()>>> m_steps;
    int m_nextStep = 0;
    // The subscription: its versions, and the run's fake ms of each request for it.
    FeedServer m_feed;
    int m_feedVersion = 0;
    QVector<qint64> m_feedFetches;
    qint64 m_refreshSeconds;
    // The account: Radicale on 127.0.0.1 stands for its CalDAV server.
    QProcess m_radicale;
    QString m_davRoot;
    QNetworkAccessManager m_network;
    std::unique_ptr<CScheduleDBus> m_client;
    qint64 m_syncSeconds;
    qint64 m_madeHere = 0;
    int m_remoteChanges = 0, m_serverChanges = 0;
    QStringList m_faults; // of the steps, said at the end
    // Snoozes, by the notification's id until it comes back.
    QVector<Snooze> m_snoozes;
    int m_firstShows = 0;
    // The monitors: an Xorg of the run's own, empty where none could be had.
    QProcess m_xServer;
    QString m_display;
    int m_unplugs = 0, m_screenChecks = 0;
    QStringList m_places; // where the widget was after each unplug and plug
    QObject m_notificationRoot;
    QTimer m_tick;
    int m_changesDue, m_reloadsDue, m_sleepsDue;
    int m_changes = 0, m_reloads = 0, m_reloadFailures = 0, m_sleeps = 0, m_midnights = 0;
    int m_lastHour = -1;
    int m_exit = 1;
};

QByteArray Soak::calendarText(int version) const
{
    // One event every simulated hour and a half, each with a reminder a quarter of an hour before,
    // and a daily stand-up: what a week of work shows.
    QByteArray text = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Soak//EN\r\n"
                      "BEGIN:VEVENT\r\nUID:standup@soak\r\nDTSTAMP:20261201T000000Z\r\n"
                      "DTSTART:20261214T083000Z\r\nDTEND:20261214T084500Z\r\nRRULE:FREQ=DAILY\r\n"
                      "SUMMARY:Stand-up\r\nEND:VEVENT\r\n";
    for (int i = 0; i * 90 < (m_hours + 24) * 60; ++i) {
        const QDateTime start = m_fakeStart.addSecs(qint64(i) * 90 * 60 + 30 * 60);
        text +=
            "BEGIN:VEVENT\r\nUID:event-" + QByteArray::number(i) +
            "@soak\r\nDTSTAMP:20261201T000000Z\r\nDTSTART:" +
            start.toString(QStringLiteral("yyyyMMdd'T'HHmmss'Z'")).toLatin1() +
            "\r\nDURATION:PT30M\r\nSUMMARY:Event " + QByteArray::number(i) +
            (i % 7 == version % 7 ? ", version " + QByteArray::number(version) : QByteArray()) +
            "\r\nBEGIN:VALARM\r\nACTION:DISPLAY\r\nDESCRIPTION:Reminder\r\nTRIGGER:-PT15M\r\nEND:VALARM\r\n"
            "END:VEVENT\r\n";
    }
    return text + "END:VCALENDAR\r\n";
}

bool Soak::writeCalendar(int version)
{
    m_written = calendarText(version);
    QSaveFile file(m_calendar);
    return file.open(QIODevice::WriteOnly) && file.write(m_written) == m_written.size() && file.commit();
}

bool Soak::startProgram(Program &program, const QString &binary, const QStringList &arguments)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    // Started now, its clock begins where the driver's fake clock is.
    environment.insert(QStringLiteral("LD_PRELOAD"), QString::fromLatin1(fakeTimeLibrary));
    environment.insert(QStringLiteral("FAKETIME"),
                       QStringLiteral("@%1 x%2")
                           .arg(fakeNow().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")))
                           .arg(m_speed, 0, 'f', 2));
    environment.insert(QStringLiteral("TZ"), QStringLiteral("UTC"));
    environment.insert(QStringLiteral("DBUS_SYSTEM_BUS_ADDRESS"), m_systemAddress);
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    if (!m_display.isEmpty())
        environment.insert(QStringLiteral("DISPLAY"), m_display);
    // The subscription's and the account's servers are on 127.0.0.1, never behind a proxy.
    for (const char *name :
         {"http_proxy", "https_proxy", "HTTP_PROXY", "HTTPS_PROXY", "all_proxy", "ALL_PROXY"})
        environment.remove(QLatin1String(name));
    // Warnings are what the run listens for; the programs' debug lines are no fault.
    environment.insert(QStringLiteral("QT_LOGGING_RULES"), QStringLiteral("*.debug=false"));
    program.process.setProcessEnvironment(environment);
    program.process.setProcessChannelMode(QProcess::SeparateChannels);
    program.process.setStandardErrorFile(m_dir.filePath(program.name + QStringLiteral(".log")));
    program.process.start(binary, arguments);
    return program.process.waitForStarted();
}

QByteArray Soak::feedText(int version) const
{
    // A team's published calendar: one meeting, whose title tells the version.
    return "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Soak//Feed//EN\r\nX-WR-CALNAME:Team\r\n"
           "REFRESH-INTERVAL;VALUE=DURATION:PT" +
           QByteArray::number(m_refreshSeconds) +
           "S\r\nBEGIN:VEVENT\r\nUID:feed@soak\r\nDTSTAMP:20261201T000000Z\r\nDTSTART:20261217T100000Z\r\n"
           "DURATION:PT1H\r\nSUMMARY:Team meeting, version " +
           QByteArray::number(version) + "\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n";
}

bool Soak::xrandr(const QStringList &arguments)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DISPLAY"), m_display);
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral("xrandr"), arguments);
    return process.waitForFinished(10000) && process.exitStatus() == QProcess::NormalExit &&
           process.exitCode() == 0;
}

// Xvfb has one RandR output that cannot be switched off; the dummy driver's outputs can, as
// monitors are plugged out and in. Only root may start Xorg where nobody sits at the console.
bool Soak::startXServer(QString &why)
{
    if (!QFile::exists(QStringLiteral("/usr/lib/xorg/modules/drivers/dummy_drv.so"))) {
        why = QStringLiteral("the X server's dummy driver is not installed");
        return false;
    }
    QFile config(m_dir.filePath(QStringLiteral("xorg.conf")));
    if (!config.open(QIODevice::WriteOnly) ||
        config.write("Section \"Device\"\n  Identifier \"dummy\"\n  Driver \"dummy\"\n  VideoRam 64000\n"
                     "EndSection\n") < 0) {
        why = QStringLiteral("cannot write the X server's configuration");
        return false;
    }
    config.close();
    m_xServer.setStandardErrorFile(m_dir.filePath(QStringLiteral("xorg.stderr")));
    // -displayfd: the server takes a free display and tells its number once it accepts clients.
    m_xServer.start(QStringLiteral("Xorg"),
                    {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-config"),
                     config.fileName(), QStringLiteral("-noreset"), QStringLiteral("-nolisten"),
                     QStringLiteral("tcp"), QStringLiteral("-logfile"),
                     m_dir.filePath(QStringLiteral("xorg.log"))});
    while (m_xServer.waitForReadyRead(10000) && !m_xServer.canReadLine()) {
    }
    const QByteArray display = m_xServer.readLine().trimmed();
    if (display.isEmpty()) {
        why = QStringLiteral("Xorg did not start");
        m_xServer.kill();
        m_xServer.waitForFinished();
        return false;
    }
    m_display = QStringLiteral(":") + QString::fromLatin1(display);
    if (!xrandr({QStringLiteral("--output"), QStringLiteral("DUMMY0"), QStringLiteral("--mode"),
                 QStringLiteral("1024x768"), QStringLiteral("--pos"), QStringLiteral("0x0")}) ||
        !xrandr({QStringLiteral("--addmode"), QStringLiteral("DUMMY1"), QStringLiteral("1024x768")})) {
        why = QStringLiteral("xrandr cannot set up the dummy driver's outputs");
        return false;
    }
    plug(true);
    // The widget's place is on the second monitor, where unplugging it moves the widget.
    const QString place = QDir::homePath() + QStringLiteral("/.local/share/TaskList/place");
    QDir().mkpath(QFileInfo(place).absolutePath());
    QSaveFile file(place);
    return file.open(QIODevice::WriteOnly) && file.write("1300 200\n") > 0 && file.commit();
}

int Soak::davRequest(const QByteArray &verb, const QString &item, const QByteArray &body)
{
    QNetworkRequest request(QUrl(m_davRoot + item));
    // Radicale without authentication takes the user named as the user.
    request.setRawHeader("Authorization", "Basic " + QByteArray("soak:none").toBase64());
    request.setHeader(QNetworkRequest::ContentTypeHeader, QByteArray("text/calendar"));
    request.setTransferTimeout(10000);
    std::unique_ptr<QNetworkReply> reply(m_network.sendCustomRequest(request, verb, body));
    QEventLoop loop;
    connect(reply.get(), &QNetworkReply::finished, &loop, &QEventLoop::quit);
    if (!reply->isFinished())
        loop.exec();
    return reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
}

bool Soak::startRadicale()
{
    quint16 port = 0;
    {
        QTcpServer probe;
        if (!probe.listen(QHostAddress::LocalHost))
            return false;
        port = probe.serverPort();
    }
    m_network.setProxy(QNetworkProxy::NoProxy);
    m_radicale.setProcessChannelMode(QProcess::MergedChannels);
    m_radicale.setStandardOutputFile(m_dir.filePath(QStringLiteral("radicale.log")));
    m_radicale.start(QStringLiteral("radicale"),
                     {QStringLiteral("--server-hosts"), QStringLiteral("127.0.0.1:%1").arg(port),
                      QStringLiteral("--storage-filesystem-folder"),
                      m_dir.filePath(QStringLiteral("radicale")), QStringLiteral("--auth-type"),
                      QStringLiteral("none")});
    if (!m_radicale.waitForStarted()) {
        say(QStringLiteral("soak: radicale cannot be started (Debian: radicale)"));
        return false;
    }
    m_davRoot = QStringLiteral("http://127.0.0.1:%1/soak/").arg(port);
    for (int i = 0; i < 200 && davRequest("OPTIONS", QString()) == 0; ++i)
        QThread::msleep(100);
    return davRequest("MKCALENDAR", QStringLiteral("work/")) == 201;
}

// calendars.conf with the run's calendar, the subscription and the account's calendar, and the
// account as the settings write it, but for the password, which Radicale does not ask.
bool Soak::writeConfiguration()
{
    const QString folder = AccountPaths::accountFolder(QStringLiteral("soak"));
    const QByteArray config =
        QStringLiteral("[general]\nstatus_path = \"%1\"\n\n"
                       "[pair soak]\na = \"soak_local\"\nb = \"soak_remote\"\ncollections = [\"work\"]\n"
                       "conflict_resolution = \"b wins\"\n\n"
                       "[storage soak_local]\ntype = \"filesystem\"\npath = \"%2\"\nfileext = \".ics\"\n\n"
                       "[storage soak_remote]\ntype = \"caldav\"\nurl = \"%3\"\nusername = \"soak\"\n"
                       "password = \"none\"\n")
            .arg(AccountPaths::vdirsyncerStatusDir(), folder, m_davRoot)
            .toUtf8();
    const QByteArray calendars = (m_calendar + QLatin1Char('\n') + m_feed.url() + QLatin1Char('\n') + folder +
                                  QStringLiteral("work\n"))
                                     .toUtf8();
    QDir().mkpath(folder + QStringLiteral("work"));
    QDir().mkpath(QFileInfo(CalendarsList::filePath()).absolutePath());
    // The desktop's calendars (EDS, Akonadi) are services of their own that the run leaves out, as
    // it did when it named its calendar on the command line.
    QString why;
    if (!DesktopCalendars::setEnabled(false, &why) || !DesktopCalendars::setAkonadiEnabled(false, &why)) {
        say(QStringLiteral("soak: %1").arg(why));
        return false;
    }
    for (const auto &[path, text] : {qMakePair(AccountPaths::vdirsyncerConfig(), config),
                                     qMakePair(CalendarsList::filePath(), calendars)}) {
        QSaveFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size() || !file.commit())
            return false;
    }
    return true;
}

bool Soak::setUp()
{
    if (!QFile::exists(QString::fromLatin1(fakeTimeLibrary))) {
        say(QStringLiteral("soak: libfaketime is not installed (Debian: faketime)"));
        return false;
    }
    m_calendar = m_dir.filePath(QStringLiteral("soak.ics"));
    // A bus of its own stands for the system bus, with a fake logind on it.
    m_systemBus.start(QStringLiteral("dbus-daemon"), {QStringLiteral("--session"), QStringLiteral("--nofork"),
                                                      QStringLiteral("--print-address")});
    if (!m_systemBus.waitForStarted() || !m_systemBus.waitForReadyRead(5000))
        return false;
    m_systemAddress = QString::fromLatin1(m_systemBus.readLine().trimmed());
    QDBusConnection system = QDBusConnection::connectToBus(m_systemAddress, QStringLiteral("fake-system"));
    if (!system.isConnected() || !system.registerService(QStringLiteral("org.freedesktop.login1")))
        return false;
    m_notifications = new Notifications(&m_notificationRoot);
    m_notifications->notified = [this](uint id, const QString &summary, const QStringList &actions) {
        onNotified(id, summary, actions);
    };
    QDBusConnection session = QDBusConnection::sessionBus();
    if (!session.registerObject(QStringLiteral("/org/freedesktop/Notifications"), &m_notificationRoot) ||
        !session.registerService(QStringLiteral("org.freedesktop.Notifications")))
        return false;
    QString noMonitors;
    if (!startXServer(noMonitors)) {
        say(QStringLiteral("soak: no monitor unplugged: %1; the widget runs on the one screen of Xvfb")
                .arg(noMonitors));
        m_display.clear();
    }
    m_feed.answer.body = feedText(0);
    if (!m_feed.listen() || !startRadicale() || !writeConfiguration())
        return false;
    m_real.start();
    if (!writeCalendar(0))
        return false;
    m_server.name = QStringLiteral("server");
    m_widget.name = QStringLiteral("widget");
    // On calendars.conf, as the session starts it: only then does it sync the accounts.
    if (!startProgram(m_server, QStringLiteral(DATASERVER_BINARY),
                      {QStringLiteral("--sync-interval"), QString::number(m_syncSeconds)}))
        return false;
    for (int i = 0; i < 500 && !session.interface()->isServiceRegistered(serverName); ++i)
        QThread::msleep(10);
    m_client = std::make_unique<CScheduleDBus>(serverName, serverPath, session);
    planSteps();
    return startProgram(m_widget, QStringLiteral(WIDGET_BINARY), {});
}

QByteArray remoteText(const QByteArray &uid, int hour, const QByteArray &summary)
{
    return "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Soak//Phone//EN\r\nBEGIN:VEVENT\r\nUID:" + uid +
           "\r\nDTSTAMP:20261201T000000Z\r\nDTSTART:20261216T" +
           QByteArray::number(hour).rightJustified(2, '0') + "0000Z\r\nDURATION:PT1H\r\nSUMMARY:" + summary +
           "\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n";
}

void Soak::putRemote(const QByteArray &uid, int hour, const QByteArray &summary)
{
    const int status = davRequest("PUT", QStringLiteral("work/%1.ics").arg(QString::fromLatin1(uid)),
                                  remoteText(uid, hour, summary));
    if (status != 201 && status != 204)
        m_faults << QStringLiteral("Radicale answered PUT of %1 with %2")
                        .arg(QString::fromLatin1(uid))
                        .arg(status);
    ++m_remoteChanges;
}

CalendarIdentity Soak::accountCalendar()
{
    QVector<CalendarIdentity> calendars;
    if (m_client->GetCalendars(calendars)) {
        for (const CalendarIdentity &calendar : std::as_const(calendars)) {
            if (calendar.kind == QLatin1String("folder") &&
                calendar.location.contains(QLatin1String("accounts/soak/")))
                return calendar;
        }
    }
    return {};
}

// A job made at the desk in the account's calendar, then changed: the server writes it into the
// account's folder, and its sync takes it to Radicale.
void Soak::editThroughServer(const QString &title)
{
    ++m_serverChanges;
    const QDate day(2026, 12, 16);
    if (m_madeHere == 0) {
        const CalendarIdentity account = accountCalendar();
        if (account.isNull()) {
            m_faults << QStringLiteral("the server lists no calendar of the account");
            return;
        }
        ScheduleDataInfo job;
        job.setTitleName(title);
        job.setAllDay(false);
        job.setBeginDateTime(QDateTime(day, QTime(14, 0), Qt::UTC));
        job.setEndDateTime(QDateTime(day, QTime(15, 0), Qt::UTC));
        job.setCalendar(account);
        m_madeHere = m_client->CreateJob(job);
        if (m_madeHere <= 0)
            m_faults << QStringLiteral("CreateJob in the account's calendar failed");
        return;
    }
    QMap<QDate, QVector<ScheduleDataInfo>> days;
    if (!m_client->GetJobs(day, day, days)) {
        m_faults << QStringLiteral("GetJobs failed");
        return;
    }
    for (ScheduleDataInfo job : days.value(day)) {
        if (job.getID() == m_madeHere) {
            job.setTitleName(title);
            if (!m_client->UpdateJob(job))
                m_faults << QStringLiteral("UpdateJob in the account's calendar failed");
            return;
        }
    }
    m_faults << QStringLiteral("the job made in the account's calendar is gone before it was changed");
}

// The steps of the week, spread over its days; a shorter run takes them at the same shares of it.
void Soak::planSteps()
{
    const auto feedChange = [this] { m_feed.answer.body = feedText(++m_feedVersion); };
    m_steps = {
        {0.08, [this] { putRemote("phone-1@soak", 9, "Planned on the phone"); }},
        {0.12, [this] { plug(false); }},
        {0.16, feedChange},
        {0.18, [this] { plug(true); }},
        {0.26, [this] { putRemote("phone-1@soak", 11, "Planned on the phone\\, moved"); }},
        {0.32, feedChange},
        {0.36, [this] { editThroughServer(QStringLiteral("Made at the desk")); }},
        {0.44, [this] { putRemote("phone-2@soak", 16, "Call the office"); }},
        {0.48, feedChange},
        {0.56, [this] { editThroughServer(QStringLiteral("Made at the desk, changed")); }},
        {0.62, [this] { plug(false); }},
        {0.64, feedChange},
        {0.68, [this] { plug(true); }},
        {0.72, [this] { putRemote("phone-2@soak", 17, "Call the office\\, later"); }},
    };
}

void Soak::plug(bool in)
{
    if (m_display.isEmpty())
        return;
    // The dummy driver tells an output connected only when it is asked again, as a server asks a
    // monitor on hot-plug: the question (xrandr alone) brings the event Qt adds a screen for.
    const bool done =
        in ? xrandr({QStringLiteral("--output"), QStringLiteral("DUMMY1"), QStringLiteral("--mode"),
                     QStringLiteral("1024x768"), QStringLiteral("--pos"), QStringLiteral("1024x0")}) &&
                 xrandr({})
           : xrandr({QStringLiteral("--output"), QStringLiteral("DUMMY1"), QStringLiteral("--off")});
    if (!done) {
        m_faults << QStringLiteral("xrandr cannot plug the second monitor %1").arg(in ? "in" : "out");
        return;
    }
    if (!m_widget.process.processId())
        return; // before the widget starts
    m_unplugs += in ? 0 : 1;
    // Once the widget has had time to follow, by the real clock: the X server's is not sped up.
    const QString when = in ? QStringLiteral("plugged in again") : QStringLiteral("unplugged");
    QTimer::singleShot(1500, this, [this, when] { checkScreens(when); });
}

// The widget's windows that are on the screen, each within one of the monitors.
void Soak::checkScreens(const QString &when)
{
    if (m_widget.process.state() != QProcess::Running)
        return; // said at the end
    ++m_screenChecks;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DISPLAY"), m_display);
    const auto output = [&environment](const QString &program, const QStringList &arguments) {
        QProcess process;
        process.setProcessEnvironment(environment);
        process.start(program, arguments);
        process.waitForFinished(10000);
        return QString::fromLocal8Bit(process.readAllStandardOutput());
    };
    QVector<QRect> monitors;
    static const QRegularExpression monitor(QStringLiteral("(\\d+)/\\d+x(\\d+)/\\d+\\+(-?\\d+)\\+(-?\\d+)"));
    for (auto match =
             monitor.globalMatch(output(QStringLiteral("xrandr"), {QStringLiteral("--listmonitors")}));
         match.hasNext();) {
        const QRegularExpressionMatch m = match.next();
        monitors << QRect(m.captured(3).toInt(), m.captured(4).toInt(), m.captured(1).toInt(),
                          m.captured(2).toInt());
    }
    const QStringList windows =
        output(QStringLiteral("xdotool"),
               {QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--pid"),
                QString::number(m_widget.process.processId())})
            .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    if (windows.isEmpty())
        m_faults << QStringLiteral("the widget shows no window after the second monitor was %1").arg(when);
    for (const QString &window : windows) {
        QHash<QString, int> geometry;
        for (const QString &line : output(QStringLiteral("xdotool"), {QStringLiteral("getwindowgeometry"),
                                                                      QStringLiteral("--shell"), window})
                                       .split(QLatin1Char('\n'), Qt::SkipEmptyParts))
            geometry.insert(line.section(QLatin1Char('='), 0, 0), line.section(QLatin1Char('='), 1).toInt());
        const QRect rect(geometry.value(QStringLiteral("X")), geometry.value(QStringLiteral("Y")),
                         geometry.value(QStringLiteral("WIDTH")), geometry.value(QStringLiteral("HEIGHT")));
        m_places << QStringLiteral("%1 %2,%3").arg(when).arg(rect.x()).arg(rect.y());
        if (std::none_of(monitors.cbegin(), monitors.cend(),
                         [&rect](const QRect &screen) { return screen.contains(rect.center()); }))
            m_faults << QStringLiteral(
                            "a window of the widget at %1,%2 %3x%4 is on no monitor after the second "
                            "was %5")
                            .arg(rect.x())
                            .arg(rect.y())
                            .arg(rect.width())
                            .arg(rect.height())
                            .arg(when);
    }
}

void Soak::onNotified(uint id, const QString &summary, const QStringList &actions)
{
    static const QRegularExpression eventName(QStringLiteral("^(Event \\d+|[^,]+)"));
    const QString event = eventName.match(summary).captured(1);
    for (Snooze &snooze : m_snoozes) {
        if (snooze.event == event && snooze.backMs < 0) {
            snooze.backMs = fakeMs();
            return;
        }
    }
    // One reminder in eight, the first among them, is put off as someone busy would.
    if (m_firstShows++ % 8 != 0 || !actions.contains(QLatin1String("snooze")))
        return;
    QTimer::singleShot(20, this, [this, id, event] {
        QDBusMessage message = QDBusMessage::createSignal(QStringLiteral("/org/freedesktop/Notifications"),
                                                          QStringLiteral("org.freedesktop.Notifications"),
                                                          QStringLiteral("ActionInvoked"));
        message << id << QStringLiteral("snooze");
        QDBusConnection::sessionBus().send(message);
        m_snoozes.append({id, event, fakeMs()});
    });
}

void Soak::sample()
{
    const QDateTime now = fakeNow();
    const int hour = int(m_fakeStart.secsTo(now) / 3600);
    if (m_lastHour >= 0 && now.date() != m_fakeStart.addSecs(qint64(m_lastHour) * 3600).date())
        ++m_midnights;
    m_lastHour = hour;
    // A day of the run; a run of hours takes quarters of it instead.
    const double done = m_real.elapsed() * m_speed / (m_hours * 3600000.0);
    const int period = m_hours >= 48 ? hour / 24 : qMin(3, int(done * 4));
    for (Program *program : {&m_server, &m_widget}) {
        const Sample s = sampleOf(program->process.processId());
        if (s.rssKiB < 0)
            continue;
        while (program->peakPerDay.size() <= period) {
            program->peakPerDay << 0;
            program->fdsPerDay << 0;
            program->fewestFdsPerDay << std::numeric_limits<int>::max();
            program->timersPerDay << 0;
        }
        program->peakPerDay[period] = qMax(program->peakPerDay[period], s.rssKiB);
        program->fdsPerDay[period] = qMax(program->fdsPerDay[period], s.fds);
        program->fewestFdsPerDay[period] = qMin(program->fewestFdsPerDay[period], s.fds);
        program->timersPerDay[period] = qMax(program->timersPerDay[period], s.timers);
    }
}

void Soak::tick()
{
    const double done = m_real.elapsed() * m_speed / (m_hours * 3600000.0);
    if (m_server.process.state() != QProcess::Running || m_widget.process.state() != QProcess::Running ||
        done >= 1) {
        m_tick.stop();
        QCoreApplication::exit(finish() ? 0 : 1);
        return;
    }
    sample();
    while (m_feedFetches.size() < m_feed.requests.size())
        m_feedFetches << fakeMs();
    while (m_nextStep < m_steps.size() && m_steps.at(m_nextStep).first <= done)
        m_steps.at(m_nextStep++).second();
    if (m_changes < done * m_changesDue && writeCalendar(++m_changes)) {
    }
    while (m_reloads < done * m_reloadsDue) {
        ++m_reloads;
        const QDate day = fakeNow().date();
        QDBusMessage call =
            QDBusMessage::createMethodCall(serverName, serverPath, serverName, QStringLiteral("GetJobs"));
        call << uint(day.year()) << uint(day.month()) << uint(day.day()) << uint(day.addDays(6).year())
             << uint(day.addDays(6).month()) << uint(day.addDays(6).day());
        auto *watcher = new QDBusPendingCallWatcher(QDBusConnection::sessionBus().asyncCall(call), this);
        connect(watcher, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher *w) {
            m_reloadFailures += w->isError() ? 1 : 0;
            w->deleteLater();
        });
    }
    if (m_sleeps + 0.5 < done * m_sleepsDue) {
        ++m_sleeps;
        const auto signal = [](bool sleeping) {
            QDBusMessage message = QDBusMessage::createSignal(
                QStringLiteral("/org/freedesktop/login1"), QStringLiteral("org.freedesktop.login1.Manager"),
                QStringLiteral("PrepareForSleep"));
            message << sleeping;
            QDBusConnection(QStringLiteral("fake-system")).send(message);
        };
        signal(true);
        QTimer::singleShot(200, this, [signal] { signal(false); });
    }
}

bool Soak::flat(const Program &program)
{
    if (program.peakPerDay.size() < 2)
        return true;
    // The first period holds the start; the second is the first of steady use.
    const int first = program.peakPerDay.size() > 2 ? 1 : 0;
    const int last = program.peakPerDay.size() - 1;
    const qint64 growth = program.peakPerDay.at(last) - program.peakPerDay.at(first);
    const bool ok = growth <= 2048 && program.fewestFdsPerDay.at(last) <= program.fewestFdsPerDay.at(first) &&
                    program.timersPerDay.at(last) <= program.timersPerDay.at(first);
    QStringList peaks;
    for (int i = 0; i < program.peakPerDay.size(); ++i)
        peaks << QStringLiteral("%1 KiB/%2-%3 fds/%4 timers")
                     .arg(program.peakPerDay.at(i))
                     .arg(program.fewestFdsPerDay.at(i))
                     .arg(program.fdsPerDay.at(i))
                     .arg(program.timersPerDay.at(i));
    say(QStringLiteral("soak: %1 peaks per period: %2 (%3)")
            .arg(program.name, peaks.join(QStringLiteral(", ")),
                 ok ? QStringLiteral("flat") : QStringLiteral("GROWING")));
    return ok;
}

// What either program may say in a soak: nothing but the lines of a desktop without one service or
// another that the run leaves out, and a call that outlasted its reply timeout: libdbus times its
// calls on the sped-up clock, so that a week in five minutes leaves a call of 25 s some 12 ms.
bool unexpected(const QString &line)
{
    static const QRegularExpression expected(
        QStringLiteral("^$|Failed to set fd limit|QStandardPaths|org\\.freedesktop\\.DBus\\.Error\\.NoReply|"
                       "The desktop offers no global shortcuts"));
    return !expected.match(line).hasMatch();
}

// The server serves the subscription's last content, fetched at the interval the calendar asks.
bool Soak::feedKept()
{
    const QDate day(2026, 12, 17);
    QMap<QDate, QVector<ScheduleDataInfo>> days;
    QStringList titles;
    if (m_client->GetJobs(day, day, days)) {
        for (const ScheduleDataInfo &job : days.value(day))
            titles << job.getTitleName();
    }
    const QString latest = QStringLiteral("Team meeting, version %1").arg(m_feedVersion);
    bool ok = titles.contains(latest);
    if (!ok)
        say(QStringLiteral("soak: the server serves %1 for the subscription, not \"%2\"")
                .arg(titles.join(QStringLiteral(", ")), latest));
    // The first fetch is the start's; each one after it comes when the copy's interval is up.
    // The run sees a request at its next tick, a few simulated minutes late at most.
    qint64 shortest = std::numeric_limits<qint64>::max(), longest = 0;
    for (int i = 1; i < m_feedFetches.size(); ++i) {
        shortest = qMin(shortest, m_feedFetches.at(i) - m_feedFetches.at(i - 1));
        longest = qMax(longest, m_feedFetches.at(i) - m_feedFetches.at(i - 1));
    }
    const qint64 interval = m_refreshSeconds * 1000;
    // One at the start and one each interval after, the one due as the run ends perhaps not seen.
    const int expected = int(qint64(m_hours) * 3600 / m_refreshSeconds);
    const bool onTime =
        m_feedFetches.size() >= expected && shortest >= interval * 9 / 10 && longest <= interval * 13 / 10;
    say(QStringLiteral(
            "soak: the subscription fetched %1 times (%2 expected), every %3 to %4 simulated minutes "
            "(it asks %5)")
            .arg(m_feedFetches.size())
            .arg(expected)
            .arg(m_feedFetches.size() > 1 ? shortest / 60000.0 : 0, 0, 'f', 1)
            .arg(longest / 60000.0, 0, 'f', 1)
            .arg(m_refreshSeconds / 60));
    return ok && onTime;
}

namespace {

// The items of a calendar folder by their UID, as the files hold them.
QHash<QByteArray, QByteArray> itemsIn(const QString &folder)
{
    static const QRegularExpression uid(QStringLiteral("^UID:(.*?)\\r?$"),
                                        QRegularExpression::MultilineOption);
    QHash<QByteArray, QByteArray> items;
    const QDir dir(folder);
    for (const QString &name : dir.entryList({QStringLiteral("*.ics")}, QDir::Files)) {
        QFile file(dir.filePath(name));
        if (!file.open(QIODevice::ReadOnly))
            continue;
        const QByteArray text = file.readAll();
        items.insert(uid.match(QString::fromUtf8(text)).captured(1).toUtf8(), text);
    }
    return items;
}

// The content lines of an item, unfolded, sorted: what stays when the order of properties goes.
QList<QByteArray> sortedLines(QByteArray text)
{
    text.replace("\r\n", "\n").replace("\n ", "").replace("\n\t", "");
    QList<QByteArray> lines = text.split('\n');
    std::sort(lines.begin(), lines.end());
    return lines;
}

} // namespace

// Radicale and the account's folder hold the same items, byte for byte, and the server serves them:
// what was last written on either side.
bool Soak::accountInStep()
{
    const QHash<QByteArray, QByteArray> remote =
        itemsIn(m_dir.filePath(QStringLiteral("radicale/collection-root/soak/work")));
    const QHash<QByteArray, QByteArray> local =
        itemsIn(AccountPaths::accountFolder(QStringLiteral("soak")) + QStringLiteral("work"));
    bool ok = remote.size() == 3;
    if (!ok)
        say(QStringLiteral("soak: Radicale holds %1 events of the account, not 3").arg(remote.size()));
    QStringList remoteTitles;
    static const QRegularExpression summary(QStringLiteral("^SUMMARY:(.*?)\\r?$"),
                                            QRegularExpression::MultilineOption);
    for (auto it = remote.cbegin(); it != remote.cend(); ++it) {
        remoteTitles << summary.match(QString::fromUtf8(it.value()))
                            .captured(1)
                            .replace(QLatin1String("\\,"), QLatin1String(","));
        // vdirsyncer keeps what Radicale serves, but with its own line ends; Radicale keeps what it
        // was sent in its own order of properties: the server's item is compared line for line.
        const QByteArray there = QByteArray(it.value()).replace("\r\n", "\n");
        const QByteArray here = local.value(it.key());
        const bool same = there == here || (here.contains("PRODID:-//Norvale//tasklist-dataserver//") &&
                                            sortedLines(there) == sortedLines(here));
        if (!same) {
            say(QStringLiteral("soak: the account's %1 differs between Radicale and its folder:\n%2\n%3")
                    .arg(QString::fromUtf8(it.key()), QString::fromUtf8(it.value()),
                         QString::fromUtf8(here)));
            ok = false;
        }
    }
    if (local.size() != remote.size()) {
        say(QStringLiteral("soak: the account's folder holds %1 events, Radicale %2")
                .arg(local.size())
                .arg(remote.size()));
        ok = false;
    }
    const QDate day(2026, 12, 16);
    QMap<QDate, QVector<ScheduleDataInfo>> days;
    QStringList served;
    const QString account = accountCalendar().id;
    if (m_client->GetJobs(day, day, days)) {
        for (const ScheduleDataInfo &job : days.value(day)) {
            if (job.getCalendarId() == account)
                served << job.getTitleName();
        }
    }
    const QStringList written{QStringLiteral("Planned on the phone, moved"),
                              QStringLiteral("Made at the desk, changed"),
                              QStringLiteral("Call the office, later")};
    for (QStringList *titles : {&remoteTitles, &served})
        titles->sort();
    QStringList expected = written;
    expected.sort();
    if (remoteTitles != expected || served != expected) {
        say(QStringLiteral("soak: the account's events are %1 on Radicale and %2 on the server, not %3")
                .arg(remoteTitles.join(QStringLiteral("; ")), served.join(QStringLiteral("; ")),
                     expected.join(QStringLiteral("; "))));
        ok = false;
    }
    return ok;
}

// Each reminder snoozed came back once the snooze was up; one snoozed at the very end may not have.
// The widget takes a snooze only for a notification whose id it knows, and closes it then: libdbus
// times the widget's Notify call on the fast clock, where its 25 s are some 12 ms of a week in five
// minutes, so that a notification answered later than that is one the widget never hears of again.
bool Soak::snoozesCameBack()
{
    const qint64 snoozeMs = 10 * 60 * 1000;
    bool ok = true;
    int taken = 0;
    QStringList backAfter;
    for (const Snooze &snooze : std::as_const(m_snoozes)) {
        if (!m_notifications->closed.contains(snooze.id))
            continue;
        ++taken;
        if (snooze.backMs < 0) {
            if (fakeMs() - snooze.atMs > snoozeMs * 3 / 2) {
                say(QStringLiteral("soak: the reminder of %1 snoozed did not come back").arg(snooze.event));
                ok = false;
            }
            continue;
        }
        const qint64 after = snooze.backMs - snooze.atMs;
        backAfter << QString::number(after / 60000.0, 'f', 1);
        // The widget's clock started a little after the run's: it may be a few simulated seconds behind.
        if (after < snoozeMs - 30000 || after > snoozeMs * 3 / 2) {
            say(QStringLiteral(
                    "soak: the reminder of %1 came back %2 simulated minutes after its snooze of 10")
                    .arg(snooze.event)
                    .arg(after / 60000.0, 0, 'f', 1));
            ok = false;
        }
    }
    if (taken == 0) {
        say(QStringLiteral("soak: no reminder was snoozed"));
        ok = false;
    }
    say(QStringLiteral("soak: %1 reminders snoozed (%2 whose Notify call the widget had given up on the fast "
                       "clock), back after %3 simulated minutes")
            .arg(m_snoozes.size())
            .arg(m_snoozes.size() - taken)
            .arg(backAfter.join(QStringLiteral(", "))));
    return ok;
}

// The widget joins the system bus once its first frame is shown, for logind's suspend and resume;
// a widget that never did would sleep through a night without a word.
bool Soak::widgetOnSystemBus()
{
    QDBusConnectionInterface *bus = QDBusConnection(QStringLiteral("fake-system")).interface();
    const uint pid = uint(m_widget.process.processId());
    const QStringList names = bus->registeredServiceNames();
    const bool joined = std::any_of(names.cbegin(), names.cend(), [&](const QString &name) {
        return name.startsWith(QLatin1Char(':')) && bus->servicePid(name).value() == pid;
    });
    if (!joined)
        say(QStringLiteral("soak: the widget never joined the system bus, where logind tells of suspend"));
    return joined;
}

bool Soak::finish()
{
    bool ok = true;
    for (Program *program : {&m_server, &m_widget}) {
        if (program->process.state() != QProcess::Running) {
            say(QStringLiteral("soak: the %1 ended before the run did").arg(program->name));
            ok = false;
        }
    }
    for (const QString &fault : std::as_const(m_faults)) {
        say(QStringLiteral("soak: %1").arg(fault));
        ok = false;
    }
    if (m_server.process.state() == QProcess::Running) {
        ok = feedKept() && ok;
        ok = accountInStep() && ok;
    }
    ok = snoozesCameBack() && ok;
    if (m_widget.process.state() == QProcess::Running)
        ok = widgetOnSystemBus() && ok;
    if (!m_places.isEmpty())
        say(QStringLiteral("soak: the widget's windows after the second monitor was %1")
                .arg(m_places.join(QStringLiteral(", "))));
    if (!m_display.isEmpty() && m_screenChecks < 2 * m_unplugs) {
        say(QStringLiteral("soak: the widget's screens were checked %1 times for %2 unplugs")
                .arg(m_screenChecks)
                .arg(m_unplugs));
        ok = false;
    }
    for (Program *program : {&m_widget, &m_server}) {
        program->process.terminate();
        if (!program->process.waitForFinished(10000)) {
            say(QStringLiteral("soak: the %1 did not end on SIGTERM").arg(program->name));
            program->process.kill();
            program->process.waitForFinished();
            ok = false;
        }
        QFile log(m_dir.filePath(program->name + QStringLiteral(".log")));
        if (log.open(QIODevice::ReadOnly)) {
            for (const QString &line : QString::fromLocal8Bit(log.readAll()).split(QLatin1Char('\n'))) {
                if (unexpected(line)) {
                    say(QStringLiteral("soak: the %1 said: %2").arg(program->name, line));
                    ok = false;
                }
            }
        }
        ok = flat(*program) && ok;
    }
    QFile calendar(m_calendar);
    if (!calendar.open(QIODevice::ReadOnly) || calendar.readAll() != m_written) {
        say(QStringLiteral("soak: the calendar is not as last written"));
        ok = false;
    }
    m_client.reset();
    for (QProcess *process : {&m_systemBus, &m_radicale, &m_xServer}) {
        if (process->state() != QProcess::NotRunning) {
            process->terminate();
            process->waitForFinished();
        }
    }
    say(QStringLiteral(
            "soak: %1 simulated hours in %2 s: %3 midnights, %4 changes on disk, %5 reloads (%6 "
            "failed), %7 suspends, %8 reminders shown, %9 subscription changes, %10 account changes "
            "on Radicale and %11 through the server, %12 snoozes, %13 monitor unplugs: %14")
            .arg(m_hours)
            .arg(m_real.elapsed() / 1000.0, 0, 'f', 1)
            .arg(m_midnights)
            .arg(m_changes)
            .arg(m_reloads)
            .arg(m_reloadFailures)
            .arg(m_sleeps)
            .arg(m_notifications->shown)
            .arg(m_feedVersion)
            .arg(m_remoteChanges)
            .arg(m_serverChanges)
            .arg(m_snoozes.size())
            .arg(m_unplugs)
            .arg(ok ? QStringLiteral("passed") : QStringLiteral("FAILED")));
    return ok && m_reloadFailures == 0;
}

int Soak::run()
{
    if (!m_dir.isValid() || !setUp()) {
        say(QStringLiteral("soak: cannot set up the run"));
        return 1;
    }
    connect(&m_tick, &QTimer::timeout, this, &Soak::tick);
    m_tick.start(50);
    return QCoreApplication::exec();
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    // soak_driver [HOURS [REAL_SECONDS]]: a week in five minutes unless told otherwise.
    const QStringList arguments = app.arguments();
    const int hours = arguments.size() > 1 ? arguments.at(1).toInt() : 168;
    const int seconds = arguments.size() > 2 ? arguments.at(2).toInt() : 300;
    if (hours <= 0 || seconds <= 0) {
        say(QStringLiteral("usage: soak_driver [HOURS [REAL_SECONDS]]"));
        return 2;
    }
    if (!QDBusConnection::sessionBus().isConnected()) {
        say(QStringLiteral("soak: no session bus"));
        return 1;
    }
    Soak soak(hours, seconds);
    return soak.run();
}

#include "soak_driver.moc"
