// Both programs, the data server and the widget, through days of use in minutes: their clocks run
// fast (libfaketime), midnights pass, the calendar changes on disk, the widget's reloads are asked
// for, reminders come due and the machine suspends and resumes (logind's PrepareForSleep, from a
// fake logind on a bus of its own). At the end: both still run and end cleanly, neither said more
// than expected, the calendar is as last written, and resident memory, open files and timers of
// each are flat (the last day's peak within 2 MiB of the first day's). Runs inside bench/run.sh,
// which gives it a private session bus, an X server and a temporary HOME.
#include <QCoreApplication>
#include <QDBusAbstractAdaptor>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusPendingCall>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QSaveFile>
#include <QTemporaryDir>
#include <QTextStream>
#include <QThread>
#include <QTimer>

#include <cstdio>

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

// Counts the reminders the widget shows, as the desktop's notification server would take them.
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

public Q_SLOTS:
    uint Notify(const QString &, uint, const QString &, const QString &, const QString &, const QStringList &,
                const QVariantMap &, int)
    {
        return uint(++shown);
    }
    QStringList GetCapabilities() { return {QStringLiteral("body"), QStringLiteral("actions")}; }
    void CloseNotification(uint) {}
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
    QVector<int> timersPerDay;
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
    }

    int run();

private:
    QDateTime fakeNow() const { return m_fakeStart.addMSecs(qint64(m_real.elapsed() * m_speed)); }
    bool setUp();
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
    // Warnings are what the run listens for; the programs' debug lines are no fault.
    environment.insert(QStringLiteral("QT_LOGGING_RULES"), QStringLiteral("*.debug=false"));
    program.process.setProcessEnvironment(environment);
    program.process.setProcessChannelMode(QProcess::SeparateChannels);
    program.process.setStandardErrorFile(m_dir.filePath(program.name + QStringLiteral(".log")));
    program.process.start(binary, arguments);
    return program.process.waitForStarted();
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
    QDBusConnection session = QDBusConnection::sessionBus();
    if (!session.registerObject(QStringLiteral("/org/freedesktop/Notifications"), &m_notificationRoot) ||
        !session.registerService(QStringLiteral("org.freedesktop.Notifications")))
        return false;
    m_real.start();
    if (!writeCalendar(0))
        return false;
    m_server.name = QStringLiteral("server");
    m_widget.name = QStringLiteral("widget");
    if (!startProgram(m_server, QStringLiteral(DATASERVER_BINARY), {m_calendar}))
        return false;
    for (int i = 0; i < 500 && !session.interface()->isServiceRegistered(serverName); ++i)
        QThread::msleep(10);
    return startProgram(m_widget, QStringLiteral(WIDGET_BINARY), {});
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
            program->timersPerDay << 0;
        }
        program->peakPerDay[period] = qMax(program->peakPerDay[period], s.rssKiB);
        program->fdsPerDay[period] = qMax(program->fdsPerDay[period], s.fds);
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
    const bool ok = growth <= 2048 && program.fdsPerDay.at(last) <= program.fdsPerDay.at(first) &&
                    program.timersPerDay.at(last) <= program.timersPerDay.at(first);
    QStringList peaks;
    for (int i = 0; i < program.peakPerDay.size(); ++i)
        peaks << QStringLiteral("%1 KiB/%2 fds/%3 timers")
                     .arg(program.peakPerDay.at(i))
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
    static const QRegularExpression expected(QStringLiteral(
        "^$|Failed to set fd limit|QStandardPaths|org\\.freedesktop\\.DBus\\.Error\\.NoReply|"
        "The desktop offers no global shortcuts"));
    return !expected.match(line).hasMatch();
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
    m_systemBus.terminate();
    m_systemBus.waitForFinished();
    say(QStringLiteral("soak: %1 simulated hours in %2 s: %3 midnights, %4 changes on disk, %5 reloads (%6 "
                       "failed), %7 suspends, %8 reminders shown: %9")
            .arg(m_hours)
            .arg(m_real.elapsed() / 1000.0, 0, 'f', 1)
            .arg(m_midnights)
            .arg(m_changes)
            .arg(m_reloads)
            .arg(m_reloadFailures)
            .arg(m_sleeps)
            .arg(m_notifications->shown)
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
