// The whole widget under X, against a data server serving 20 tasks, beside a bare translucent Qt
// window of the same size (bench_barewindow) started in the same way in the same run, once painting
// only its background and once also twenty lines of text.
//
// First painted frame: the time from fork() to the moment the new 350x400 window is mapped and a
// pixel of its painted background (a point near the top edge, inside the rounded rectangle both
// programs paint in white at alpha 80) reads back from the X server with that colour. It is measured
// from outside, by polling the X server, so neither program carries any code for it.
// Slow data server: the same first frame, the widget on a bus of its own (a second dbus-daemon)
// where a forwarder owns the data server's name and passes every call on to the real server,
// holding each answer back until 2 s after the call came in.
// Peak memory: VmHWM of /proc/<pid>/status once the window has shown and settled.
// OpenGL: whether an OpenGL driver (Mesa's GLX or EGL vendor library, a DRI driver, libglapi) is
// mapped into the process (/proc/<pid>/maps).
// Idle CPU: utime + stime from /proc/<pid>/stat over BENCH_IDLE_SECONDS (default 60), after the
// window has settled; once with no task in countdown, once with one, beside the bare window
// repainting a countdown's icon and line as often.
// Wake-ups: voluntary and nonvoluntary context switches, summed over the threads of
// /proc/<pid>/task, over the same idle period. At rest (no countdown) also the times each thread
// was put on a CPU (the third field of /proc/<pid>/task/<tid>/schedstat) and the time it ran there
// (the first), beside the bare window's without timers.
#include "benchutil.h"
#include "extendeddata.h"
#include "scheduledatainfo.h"

#include <QByteArrayList>
#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusPendingCallWatcher>
#include <QDBusReply>
#include <QDBusVirtualObject>
#include <QDir>
#include <QElapsedTimer>
#include <QHash>
#include <QMap>
#include <QProcess>
#include <QSaveFile>
#include <QSet>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <csignal>
#include <ctime>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr int windowWidth = 350;
constexpr int windowHeight = 400;
constexpr int probeX = windowWidth / 2;
constexpr int probeY = 6;
// White at alpha 80, premultiplied, as a 32-bit ARGB window stores it.
constexpr unsigned long expectedPixel = 0x50505050;
const QString countdownTitle = QStringLiteral("Countdown task");
const QString serverName = QStringLiteral("com.norvale.dataserver.Calendar");
const QString serverPath = QStringLiteral("/com/norvale/dataserver/Calendar");
constexpr int slowAnswerMs = 2000;

int xErrors = 0;
int countErrors(Display *, XErrorEvent *)
{
    ++xErrors;
    return 0;
}

double nowMs()
{
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return ts.tv_sec * 1e3 + ts.tv_nsec / 1e6;
}

QSet<Window> topLevels(Display *display)
{
    QSet<Window> result;
    Window root = 0, parent = 0;
    Window *children = nullptr;
    unsigned int count = 0;
    if (XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count)) {
        for (unsigned int i = 0; i < count; ++i)
            result.insert(children[i]);
        XFree(children);
    }
    return result;
}

bool pixelMatches(unsigned long pixel)
{
    for (int shift = 0; shift < 32; shift += 8) {
        const int got = int((pixel >> shift) & 0xff);
        const int want = int((expectedPixel >> shift) & 0xff);
        if (qAbs(got - want) > 2)
            return false;
    }
    return true;
}

// True once `window` is viewable at the widget's size with its background painted.
bool painted(Display *display, Window window, bool verbose)
{
    XWindowAttributes attributes;
    const int errorsBefore = xErrors;
    if (!XGetWindowAttributes(display, window, &attributes) || xErrors != errorsBefore)
        return false;
    if (attributes.map_state != IsViewable || attributes.width != windowWidth ||
        attributes.height != windowHeight)
        return false;
    XImage *image = XGetImage(display, window, probeX, probeY, 1, 1, AllPlanes, ZPixmap);
    XSync(display, False);
    if (!image)
        return false;
    const unsigned long pixel = XGetPixel(image, 0, 0);
    XDestroyImage(image);
    if (verbose)
        Bench::note(QStringLiteral("  window 0x%1 depth %2 pixel 0x%3")
                        .arg(window, 0, 16)
                        .arg(attributes.depth)
                        .arg(pixel, 8, 16, QLatin1Char('0')));
    return pixelMatches(pixel);
}

double cpuSeconds(pid_t pid)
{
    QFile file(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray stat = file.readAll();
    // Fields after the command name, which may hold spaces: state is field 3, utime 14, stime 15.
    const QList<QByteArray> fields = stat.mid(stat.lastIndexOf(')') + 2).split(' ');
    if (fields.size() < 13)
        return -1;
    return (fields.at(11).toDouble() + fields.at(12).toDouble()) / double(sysconf(_SC_CLK_TCK));
}

// Each wake-up of a sleeping thread ends in a context switch; /proc/<pid>/status alone would count
// only the main thread's, and Qt's other threads (the bus, X events) wake up as well.
// Keyed by thread name and id, so that the notes can say which thread wakes up.
QMap<QString, qint64> contextSwitches(pid_t pid)
{
    QMap<QString, qint64> threads;
    const QString tasks = QStringLiteral("/proc/%1/task").arg(pid);
    for (const QString &task : QDir(tasks).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile file(tasks + QLatin1Char('/') + task + QStringLiteral("/status"));
        if (!file.open(QIODevice::ReadOnly))
            continue;
        QString name;
        qint64 switches = 0;
        for (const QByteArray &line : file.readAll().split('\n')) {
            if (line.startsWith("Name:"))
                name = QString::fromUtf8(line.mid(5).trimmed());
            if (line.startsWith("voluntary_ctxt_switches:") || line.startsWith("nonvoluntary_ctxt_switches:"))
                switches += line.mid(line.indexOf(':') + 1).trimmed().toLongLong();
        }
        threads.insert(name + QLatin1Char('/') + task, switches);
    }
    return threads;
}

// Wake-ups per second over `seconds`, in total and per thread.
double wakeupRate(const QMap<QString, qint64> &before, const QMap<QString, qint64> &after, int seconds,
                  QString *perThread)
{
    qint64 total = 0;
    for (auto it = after.cbegin(); it != after.cend(); ++it) {
        const qint64 count = it.value() - before.value(it.key());
        total += count;
        *perThread += QStringLiteral(" %1 %2").arg(it.key()).arg(double(count) / seconds, 0, 'f', 2);
    }
    return double(total) / seconds;
}

// The time on a CPU in nanoseconds and the times put on one.
struct SchedStat
{
    qint64 runNs = 0;
    qint64 slices = 0;
};

// Each thread's, by its ID.
QHash<QString, SchedStat> schedStats(pid_t pid)
{
    QHash<QString, SchedStat> threads;
    const QString tasks = QStringLiteral("/proc/%1/task").arg(pid);
    for (const QString &task : QDir(tasks).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile file(tasks + QLatin1Char('/') + task + QStringLiteral("/schedstat"));
        if (!file.open(QIODevice::ReadOnly))
            continue;
        const QList<QByteArray> fields = file.readAll().trimmed().split(' ');
        if (fields.size() >= 3)
            threads.insert(task, {fields.at(0).toLongLong(), fields.at(2).toLongLong()});
    }
    return threads;
}

// What the threads alive at the end did since `before`, a thread started meanwhile from nothing. A
// thread that ended meanwhile (a thread pool's, idle for 30 s) took its figures with it: summing
// the process's threads at each end counted them as negative work.
SchedStat schedSince(const QHash<QString, SchedStat> &before, const QHash<QString, SchedStat> &after)
{
    SchedStat sum;
    for (auto it = after.cbegin(); it != after.cend(); ++it) {
        const SchedStat start = before.value(it.key());
        sum.runNs += it->runNs - start.runNs;
        sum.slices += it->slices - start.slices;
    }
    return sum;
}

bool mapsOpenGl(pid_t pid)
{
    QFile file(QStringLiteral("/proc/%1/maps").arg(pid));
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray maps = file.readAll();
    // libGL.so.1, libGLX and libGLdispatch are link dependencies of Debian's libQt5Gui and mapped in
    // every Qt GUI program, the bare one too; the OpenGL stack proper is the driver behind them.
    return maps.contains("_dri.so") || maps.contains("libGLX_mesa") || maps.contains("libEGL_mesa") ||
           maps.contains("libglapi") || maps.contains("libgallium");
}

struct Run
{
    double firstFrameMs = -1;
    double peakMiB = -1;
    bool openGl = false;
    double idleCpu = -1;
    double wakeupsPerSecond = -1;
    QString wakeupsPerThread;
    SchedStat idleSched;
};

struct Launch
{
    Launch(QString program, QString home, bool glNone, QByteArray argument = {}, QByteArray busAddress = {})
        : program(std::move(program))
        , home(std::move(home))
        , glNone(glNone)
        , argument(std::move(argument))
        , busAddress(std::move(busAddress))
    {
    }

    QString program;
    QString home;
    bool glNone = false;   // set QT_XCB_GL_INTEGRATION=none; otherwise it is unset
    QByteArray argument;   // one command-line argument, if any
    QByteArray busAddress; // the session bus, if not this process's own
    QByteArrayList runner; // a program that runs it, with that program's arguments (valgrind)
};

pid_t spawn(const Launch &launch)
{
    const QByteArray program = QFile::encodeName(launch.program);
    const QByteArray home = QFile::encodeName(launch.home);
    const pid_t pid = fork();
    if (pid == 0) {
        setenv("HOME", home.constData(), 1);
        if (!launch.busAddress.isEmpty())
            setenv("DBUS_SESSION_BUS_ADDRESS", launch.busAddress.constData(), 1);
        setenv("QT_QPA_PLATFORM", "xcb", 1);
        if (launch.glNone)
            setenv("QT_XCB_GL_INTEGRATION", "none", 1);
        else
            unsetenv("QT_XCB_GL_INTEGRATION");
        std::vector<char *> argv;
        for (const QByteArray &word : launch.runner)
            argv.push_back(const_cast<char *>(word.constData()));
        argv.push_back(const_cast<char *>(program.constData()));
        if (!launch.argument.isEmpty())
            argv.push_back(const_cast<char *>(launch.argument.constData()));
        argv.push_back(nullptr);
        execvp(argv.front(), argv.data());
        _exit(127);
    }
    return pid;
}

void stop(pid_t pid, int patienceMs = 3000)
{
    kill(pid, SIGTERM);
    for (int i = 0; i < patienceMs / 10; ++i) {
        if (waitpid(pid, nullptr, WNOHANG) == pid)
            return;
        QThread::msleep(10);
    }
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
}

Run measure(Display *display, const Launch &launch, int settleMs, int idleSeconds)
{
    Run run;
    const bool verbose = qEnvironmentVariableIsSet("BENCH_VERBOSE");
    const QSet<Window> before = topLevels(display);
    const double start = nowMs();
    const pid_t pid = spawn(launch);
    // Under valgrind everything takes some fifty times as long.
    const int patienceMs = launch.runner.isEmpty() ? 20000 : 300000;
    while (nowMs() - start < patienceMs && run.firstFrameMs < 0) {
        if (waitpid(pid, nullptr, WNOHANG) == pid) {
            Bench::note(QStringLiteral("%1 ended before it showed a window").arg(launch.program));
            return run;
        }
        const QSet<Window> windows = topLevels(display);
        for (Window window : windows) {
            if (!before.contains(window) && painted(display, window, verbose)) {
                run.firstFrameMs = nowMs() - start;
                break;
            }
        }
        if (run.firstFrameMs < 0)
            usleep(500);
    }
    if (run.firstFrameMs < 0)
        Bench::note(
            QStringLiteral("%1: no painted window within %2 s").arg(launch.program).arg(patienceMs / 1000));
    QThread::msleep(settleMs);
    run.openGl = mapsOpenGl(pid);
    if (idleSeconds > 0) {
        const double cpuBefore = cpuSeconds(pid);
        const QMap<QString, qint64> switchesBefore = contextSwitches(pid);
        const QHash<QString, SchedStat> schedBefore = schedStats(pid);
        QThread::sleep(idleSeconds);
        run.idleCpu = cpuSeconds(pid) - cpuBefore;
        run.idleSched = schedSince(schedBefore, schedStats(pid));
        run.wakeupsPerSecond =
            wakeupRate(switchesBefore, contextSwitches(pid), idleSeconds, &run.wakeupsPerThread);
    }
    run.peakMiB = Bench::procMiB(pid, "VmHWM");
    stop(pid, patienceMs);
    return run;
}

// Twenty events of today's neighbourhood, each with a reminder so that the overview lists them
// all; one of them begins within the hour, for the countdown case.
QByteArray calendar(const QDateTime &now)
{
    QByteArray ics = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//tasklist bench//EN\r\n";
    const QDateTime base = QDateTime(now.date(), QTime(now.time().hour(), now.time().minute())).toUTC();
    for (int i = 0; i < 20; ++i) {
        const QDateTime begin = i == 0 ? base.addSecs(30 * 60) : base.addSecs((i - 8) * 40 * 60);
        const QString title = i == 0 ? countdownTitle : QStringLiteral("Task %1 of the day").arg(i);
        ics += QStringLiteral("BEGIN:VEVENT\r\nUID:bench-task-%1\r\nDTSTAMP:20240101T000000Z\r\n"
                              "DTSTART:%2\r\nDTEND:%3\r\nSUMMARY:%4\r\n"
                              "BEGIN:VALARM\r\nACTION:DISPLAY\r\nTRIGGER:-PT15M\r\nDESCRIPTION:%4\r\n"
                              "END:VALARM\r\nEND:VEVENT\r\n")
                   .arg(i)
                   .arg(begin.toString(QStringLiteral("yyyyMMdd'T'HHmmss'Z'")),
                        begin.addSecs(2 * 3600).toString(QStringLiteral("yyyyMMdd'T'HHmmss'Z'")), title)
                   .toUtf8();
    }
    return ics + "END:VCALENDAR\r\n";
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
}

bool serverOwned(const QDBusConnection &bus = QDBusConnection::sessionBus())
{
    const QDBusReply<bool> reply = bus.interface()->isServiceRegistered(serverName);
    return reply.isValid() && reply.value();
}

QVector<ScheduleDataInfo> serverJobs(const QDate &first, const QDate &last,
                                     const QDBusConnection &bus = QDBusConnection::sessionBus())
{
    // A plain call: QDBusInterface would first ask for the introspection data, a call of its own.
    QDBusMessage call =
        QDBusMessage::createMethodCall(serverName, serverPath, serverName, QStringLiteral("GetJobs"));
    call.setArguments({uint(first.year()), uint(first.month()), uint(first.day()), uint(last.year()),
                       uint(last.month()), uint(last.day())});
    const QDBusReply<QString> reply = bus.call(call);
    QVector<ScheduleDataInfo> jobs;
    if (!reply.isValid())
        return jobs;
    const auto days = ScheduleDataInfo::StrJsonToRangeInfo(reply.value());
    QSet<int> seen;
    for (const QVector<ScheduleDataInfo> &day : days) {
        for (const ScheduleDataInfo &job : day) {
            if (!seen.contains(job.getID())) {
                seen.insert(job.getID());
                jobs.append(job);
            }
        }
    }
    return jobs;
}

QByteArray dataFile(const ScheduleDataInfo &job)
{
    QHash<DataID, ExtendedData> table;
    ExtendedData data;
    data.dataId = DataID{job.getID(), job.getRecurID(), job.getTitleName()};
    data.countdown = true;
    table.insert(data.dataId, data);
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setVersion(QDataStream::Qt_5_6);
    out << table << QVector<ExtendedData>();
    return bytes;
}

// Passes every call on to the data server of another bus and sends its answer back no sooner than
// `delayMs` after the call came in: a data server as slow as a busy or swapping one.
class SlowForwarder : public QDBusVirtualObject
{
public:
    SlowForwarder(const QDBusConnection &server, int delayMs)
        : server(server)
        , delayMs(delayMs)
    {
    }

    QString introspect(const QString &) const override { return {}; }

    bool handleMessage(const QDBusMessage &message, const QDBusConnection &connection) override
    {
        if (message.type() != QDBusMessage::MethodCallMessage)
            return false;
        message.setDelayedReply(true);
        QElapsedTimer received;
        received.start();
        QDBusMessage call =
            QDBusMessage::createMethodCall(serverName, message.path(), message.interface(), message.member());
        call.setArguments(message.arguments());
        auto *watcher = new QDBusPendingCallWatcher(server.asyncCall(call), this);
        connect(watcher, &QDBusPendingCallWatcher::finished, this,
                [this, message, connection, received](QDBusPendingCallWatcher *watcher) {
                    const QDBusMessage answer = watcher->reply();
                    watcher->deleteLater();
                    if (!message.isReplyRequired())
                        return;
                    const QDBusMessage reply =
                        answer.type() == QDBusMessage::ReplyMessage
                            ? message.createReply(answer.arguments())
                            : message.createErrorReply(answer.errorName(), answer.errorMessage());
                    const int left = int(std::max<qint64>(0, delayMs - received.elapsed()));
                    QTimer::singleShot(left, Qt::PreciseTimer, this,
                                       [connection, reply] { connection.send(reply); });
                });
        return true;
    }

private:
    QDBusConnection server;
    int delayMs;
};

// A second session bus on which the forwarder owns the data server's name, on a thread of its own.
class SlowBus : public QThread
{
public:
    ~SlowBus() override
    {
        quit();
        wait();
        if (daemon.state() != QProcess::NotRunning) {
            daemon.terminate();
            daemon.waitForFinished(3000);
        }
    }

    // The bus's address once the forwarder owns the name there; empty on failure.
    QByteArray open()
    {
        daemon.start(QStringLiteral("dbus-daemon"), {QStringLiteral("--session"), QStringLiteral("--nofork"),
                                                     QStringLiteral("--print-address")});
        while (daemon.waitForReadyRead(5000) && !daemon.canReadLine()) {
        }
        address = daemon.readLine().trimmed();
        if (address.isEmpty())
            return {};
        QThread::start();
        QDBusConnection bus = QDBusConnection::connectToBus(QString::fromLatin1(address),
                                                            QStringLiteral("bench-slow-bus-watch"));
        for (int i = 0; i < 500 && !serverOwned(bus); ++i)
            QThread::msleep(10);
        const bool owned = serverOwned(bus);
        QDBusConnection::disconnectFromBus(QStringLiteral("bench-slow-bus-watch"));
        return owned ? address : QByteArray();
    }

protected:
    void run() override
    {
        const QDBusConnection server =
            QDBusConnection::connectToBus(QDBusConnection::SessionBus, QStringLiteral("bench-forwarder-out"));
        QDBusConnection bus =
            QDBusConnection::connectToBus(QString::fromLatin1(address), QStringLiteral("bench-forwarder-in"));
        SlowForwarder forwarder(server, slowAnswerMs);
        if (!bus.registerVirtualObject(serverPath, &forwarder) || !bus.registerService(serverName)) {
            Bench::note(QStringLiteral("bench_widget: the slow forwarder could not take the name"));
            return;
        }
        exec();
        bus.unregisterObject(serverPath);
    }

private:
    QProcess daemon;
    QByteArray address;
};

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    Display *display = XOpenDisplay(nullptr);
    if (!display) {
        Bench::note(QStringLiteral("bench_widget: no X display; skipped"));
        return 0;
    }
    XSetErrorHandler(countErrors);
    if (!QDBusConnection::sessionBus().isConnected()) {
        Bench::note(QStringLiteral("bench_widget: no session bus; skipped"));
        return 0;
    }
    // bench_widget --probe PROGRAM: first frame and peak of any program in the current
    // environment, for looking into where the widget's start-up time goes.
    if (argc == 3 && qstrcmp(argv[1], "--probe") == 0) {
        const Launch launch{QString::fromLocal8Bit(argv[2]), QDir::homePath(),
                            qEnvironmentVariableIsSet("QT_XCB_GL_INTEGRATION")};
        measure(display, launch, 200, 0);
        QVector<double> frames, peaks;
        for (int i = 0; i < Bench::runs(7); ++i) {
            const Run run = measure(display, launch, 500, 0);
            frames << run.firstFrameMs;
            peaks << run.peakMiB;
        }
        QTextStream(stdout) << "first frame " << Bench::median(frames) << " ms, peak " << Bench::median(peaks)
                            << " MiB\n";
        return 0;
    }
    if (serverOwned()) {
        Bench::note(QStringLiteral("bench_widget: a calendar data server already runs on this bus; skipped"));
        return 0;
    }

    QTemporaryDir dir;
    const QString calendarPath = dir.filePath(QStringLiteral("tasks.ics"));
    const QDateTime now = QDateTime::currentDateTime();
    writeFile(calendarPath, calendar(now));

    QProcess server;
    server.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    server.start(QStringLiteral(DATASERVER_BINARY), {calendarPath});
    for (int i = 0; i < 1000 && !serverOwned() && server.state() != QProcess::NotRunning; ++i)
        QThread::msleep(10);
    if (!serverOwned()) {
        Bench::note(QStringLiteral("bench_widget: the data server did not start"));
        return 1;
    }
    const QVector<ScheduleDataInfo> jobs = serverJobs(now.date().addDays(-3), now.date().addDays(6));
    ScheduleDataInfo countdownJob;
    for (const ScheduleDataInfo &job : jobs) {
        if (job.getTitleName() == countdownTitle)
            countdownJob = job;
    }
    if (jobs.size() != 20 || countdownJob.getID() == 0) {
        Bench::note(QStringLiteral("bench_widget: the data server lists %1 tasks, not 20").arg(jobs.size()));
        return 1;
    }
    const QString idleHome = dir.filePath(QStringLiteral("home-idle"));
    const QString countdownHome = dir.filePath(QStringLiteral("home-countdown"));
    const QString bareHome = dir.filePath(QStringLiteral("home-bare"));
    QDir().mkpath(idleHome + QStringLiteral("/.local/share/TaskList"));
    QDir().mkpath(bareHome);
    writeFile(countdownHome + QStringLiteral("/.local/share/TaskList/data"), dataFile(countdownJob));

    // bench_widget --startup-profile PREFIX: callgrind's records (PREFIX.<pid>) of the widget with the
    // twenty tasks, from its start through 30 s idle (a refresh of every item) to its end, once
    // without a countdown and once with one, for `make startup-order`.
    if (argc == 3 && qstrcmp(argv[1], "--startup-profile") == 0) {
        bool shown = true;
        for (const QString &home : {idleHome, countdownHome}) {
            Launch profiled{QStringLiteral(WIDGET_BINARY), home, false};
            profiled.runner = {"valgrind", "--tool=callgrind", "--demangle=no", "--compress-strings=no",
                               QByteArray("--callgrind-out-file=").append(argv[2]).append(".%p")};
            shown = shown && measure(display, profiled, 30000, 0).firstFrameMs >= 0;
        }
        server.terminate();
        server.waitForFinished();
        return shown ? 0 : 1;
    }

    SlowBus slowBus;
    const QByteArray slowAddress = slowBus.open();
    if (slowAddress.isEmpty()) {
        Bench::note(QStringLiteral("bench_widget: no second bus with a slow data server"));
        return 1;
    }
    {
        // The widget on the second bus must get the same tasks, only later.
        const QDBusConnection slow = QDBusConnection::connectToBus(QString::fromLatin1(slowAddress),
                                                                   QStringLiteral("bench-slow-check"));
        QElapsedTimer answered;
        answered.start();
        const int slowJobs = serverJobs(now.date().addDays(-3), now.date().addDays(6), slow).size();
        const qint64 slowMs = answered.elapsed();
        Bench::note(QStringLiteral("bench_widget: the slow data server lists %1 tasks after %2 ms")
                        .arg(slowJobs)
                        .arg(slowMs));
        if (slowJobs != 20 || slowMs < slowAnswerMs)
            return 1;
    }

    const Launch bare{QStringLiteral(BAREWINDOW_BINARY), bareHome, true};
    const Launch bareText{QStringLiteral(BAREWINDOW_BINARY), bareHome, true, "--text"};
    const Launch widget{QStringLiteral(WIDGET_BINARY), idleHome, false};
    const Launch widgetSlow{QStringLiteral(WIDGET_BINARY), idleHome, false, {}, slowAddress};

    // One start of each first: fonts, libraries and the X server's own caches.
    measure(display, bare, 200, 0);
    measure(display, bareText, 200, 0);
    measure(display, widget, 200, 0);
    QVector<double> bareFrame, bareTextFrame, widgetFrame, slowFrame, barePeak, widgetPeak;
    bool openGl = false;
    const int runs = Bench::runs(7);
    for (int i = 0; i < runs; ++i) {
        const Run b = measure(display, bare, 1500, 0);
        const Run t = measure(display, bareText, 1500, 0);
        const Run w = measure(display, widget, 1500, 0);
        // Long enough for the held-back answers to arrive and be shown before the next start.
        const Run s = measure(display, widgetSlow, 2 * slowAnswerMs + 1500, 0);
        if (b.firstFrameMs < 0 || t.firstFrameMs < 0 || w.firstFrameMs < 0 || s.firstFrameMs < 0)
            return 1;
        bareFrame << b.firstFrameMs;
        bareTextFrame << t.firstFrameMs;
        widgetFrame << w.firstFrameMs;
        slowFrame << s.firstFrameMs;
        barePeak << b.peakMiB;
        widgetPeak << w.peakMiB;
        openGl = openGl || w.openGl || s.openGl;
    }
    // Baseline: the bare window with twenty lines of text.
    Bench::ratioRow(QStringLiteral("widget, 20 tasks: first painted frame"), Bench::median(widgetFrame),
                    Bench::median(bareTextFrame), QStringLiteral("ms"), 1.10);
    Bench::ratioRow(
        QStringLiteral("widget, 20 tasks: first painted frame, beside the bare window without text"),
        Bench::median(widgetFrame), Bench::median(bareFrame), QStringLiteral("ms"), 1.5);
    // Baseline: the widget with the prompt server; a tenth more is taken for noise.
    Bench::ratioRow(QStringLiteral("widget, 20 tasks: first frame with a data server that answers after 2 s"),
                    Bench::median(slowFrame), Bench::median(widgetFrame), QStringLiteral("ms"), 1.1);
    Bench::limitRow(QStringLiteral("widget, 20 tasks: peak memory (VmHWM)"), Bench::median(widgetPeak),
                    QStringLiteral("MiB"), 35,
                    QStringLiteral("%1 MiB").arg(Bench::median(barePeak), 0, 'f', 1));
    Bench::row(QStringLiteral("widget: OpenGL driver mapped"),
               openGl ? QStringLiteral("yes") : QStringLiteral("no"), QStringLiteral("-"), 0,
               QStringLiteral("no"), !openGl);

    bool ok = false;
    int idleSeconds = qEnvironmentVariableIntValue("BENCH_IDLE_SECONDS", &ok);
    if (!ok || idleSeconds <= 0)
        idleSeconds = 60;
    // Settled: the blooms are over and the first refresh timers are armed.
    const Run idle = measure(display, widget, 2000, idleSeconds);
    const Launch withCountdown{QStringLiteral(WIDGET_BINARY), countdownHome, false};
    const Run countdown = measure(display, withCountdown, 2000, idleSeconds);
    // Baseline: the bare window repainting what a countdown changes, as often.
    const Launch bareCountdown{QStringLiteral(BAREWINDOW_BINARY), bareHome, true, "--countdown"};
    const Run bareCounting = measure(display, bareCountdown, 2000, idleSeconds);
    // Baseline: the bare window, which arms no timer.
    const Run bareIdle = measure(display, bare, 2000, idleSeconds);
    const double scale = 60.0 / idleSeconds;
    Bench::limitRow(
        QStringLiteral("widget wake-ups per minute at rest (schedstat, %1 s measured)").arg(idleSeconds),
        double(idle.idleSched.slices) * scale, QStringLiteral("/min"), 6,
        QStringLiteral("%1 /min").arg(double(bareIdle.idleSched.slices) * scale, 0, 'f', 1));
    // Either may not run at all at rest: a tenth of a millisecond a minute is taken as the floor of both.
    const double widgetCpuMs = double(idle.idleSched.runNs) / 1e6 * scale;
    const double bareCpuMs = double(bareIdle.idleSched.runNs) / 1e6 * scale;
    const double cpuRatio = std::max(widgetCpuMs, 0.1) / std::max(bareCpuMs, 0.1);
    Bench::row(QStringLiteral("widget CPU at rest per 60 s (schedstat, %1 s measured)").arg(idleSeconds),
               QStringLiteral("%1 ms").arg(widgetCpuMs, 0, 'f', 2),
               QStringLiteral("%1 ms").arg(bareCpuMs, 0, 'f', 2), cpuRatio, QStringLiteral("ratio ≤ 2"),
               cpuRatio <= 2);
    Bench::limitRow(QStringLiteral("widget idle CPU per 60 s, no countdown (%1 s measured)").arg(idleSeconds),
                    idle.idleCpu * scale, QStringLiteral("s"), 0.05, QStringLiteral("-"), 3);
    Bench::limitRow(
        QStringLiteral("widget idle CPU per 60 s, one countdown (%1 s measured)").arg(idleSeconds),
        countdown.idleCpu * scale, QStringLiteral("s"), 0.08,
        QStringLiteral("%1 s").arg(bareCounting.idleCpu * scale, 0, 'f', 3), 3);
    Bench::limitRow(
        QStringLiteral("widget wake-ups per second, one countdown (%1 s measured)").arg(idleSeconds),
        countdown.wakeupsPerSecond, QStringLiteral("/s"), 3, QStringLiteral("-"), 2);
    Bench::note(QStringLiteral("bench_widget: wake-ups per second, no countdown: %1 (thread/tid:%2)")
                    .arg(idle.wakeupsPerSecond, 0, 'f', 2)
                    .arg(idle.wakeupsPerThread));
    Bench::note(QStringLiteral("bench_widget: wake-ups per second, one countdown: %1 (thread/tid:%2)")
                    .arg(countdown.wakeupsPerSecond, 0, 'f', 2)
                    .arg(countdown.wakeupsPerThread));

    server.terminate();
    server.waitForFinished(5000);
    XCloseDisplay(display);
    return 0;
}
