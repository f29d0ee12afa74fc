// The whole widget under X, against a data server serving 20 tasks, beside a bare translucent Qt
// window of the same size (bench_barewindow) started in the same way in the same run.
//
// First painted frame: the time from fork() to the moment the new 350x400 window is mapped and a
// pixel of its painted background (a point near the top edge, inside the rounded rectangle both
// programs paint in white at alpha 80) reads back from the X server with that colour. It is measured
// from outside, by polling the X server, so neither program carries any code for it.
// Peak memory: VmHWM of /proc/<pid>/status once the window has shown and settled.
// OpenGL: whether an OpenGL driver (Mesa's GLX or EGL vendor library, a DRI driver, libglapi) is
// mapped into the process (/proc/<pid>/maps).
// Idle CPU: utime + stime from /proc/<pid>/stat over BENCH_IDLE_SECONDS (default 60), after the
// window has settled; once with no task in countdown, once with one.
#include "benchutil.h"
#include "extendeddata.h"
#include "scheduledatainfo.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusInterface>
#include <QDBusReply>
#include <QDir>
#include <QProcess>
#include <QSaveFile>
#include <QSet>
#include <QTemporaryDir>
#include <QThread>

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <csignal>
#include <ctime>
#include <sys/wait.h>

namespace {

constexpr int windowWidth = 350;
constexpr int windowHeight = 400;
constexpr int probeX = windowWidth / 2;
constexpr int probeY = 6;
// White at alpha 80, premultiplied, as a 32-bit ARGB window stores it.
constexpr unsigned long expectedPixel = 0x50505050;
const QString countdownTitle = QStringLiteral("Countdown task");

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
};

struct Launch
{
    QString program;
    QString home;
    bool glNone = false; // set QT_XCB_GL_INTEGRATION=none; otherwise it is unset
};

pid_t spawn(const Launch &launch)
{
    const QByteArray program = QFile::encodeName(launch.program);
    const QByteArray home = QFile::encodeName(launch.home);
    const pid_t pid = fork();
    if (pid == 0) {
        setenv("HOME", home.constData(), 1);
        setenv("QT_QPA_PLATFORM", "xcb", 1);
        if (launch.glNone)
            setenv("QT_XCB_GL_INTEGRATION", "none", 1);
        else
            unsetenv("QT_XCB_GL_INTEGRATION");
        execl(program.constData(), program.constData(), static_cast<char *>(nullptr));
        _exit(127);
    }
    return pid;
}

void stop(pid_t pid)
{
    kill(pid, SIGTERM);
    for (int i = 0; i < 300; ++i) {
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
    while (nowMs() - start < 20000 && run.firstFrameMs < 0) {
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
        Bench::note(QStringLiteral("%1: no painted window within 20 s").arg(launch.program));
    QThread::msleep(settleMs);
    run.openGl = mapsOpenGl(pid);
    if (idleSeconds > 0) {
        const double cpuBefore = cpuSeconds(pid);
        QThread::sleep(idleSeconds);
        run.idleCpu = cpuSeconds(pid) - cpuBefore;
    }
    run.peakMiB = Bench::procMiB(pid, "VmHWM");
    stop(pid);
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

bool serverOwned()
{
    const QDBusReply<bool> reply = QDBusConnection::sessionBus().interface()->isServiceRegistered(
        QStringLiteral("com.norvale.dataserver.Calendar"));
    return reply.isValid() && reply.value();
}

QVector<ScheduleDataInfo> serverJobs(const QDate &first, const QDate &last)
{
    QDBusInterface server(QStringLiteral("com.norvale.dataserver.Calendar"),
                          QStringLiteral("/com/norvale/dataserver/Calendar"),
                          QStringLiteral("com.norvale.dataserver.Calendar"));
    const QDBusReply<QString> reply =
        server.call(QStringLiteral("GetJobs"), uint(first.year()), uint(first.month()), uint(first.day()),
                    uint(last.year()), uint(last.month()), uint(last.day()));
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

    const Launch bare{QStringLiteral(BAREWINDOW_BINARY), bareHome, true};
    const Launch widget{QStringLiteral(WIDGET_BINARY), idleHome, false};

    // One start of each first: fonts, libraries and the X server's own caches.
    measure(display, bare, 200, 0);
    measure(display, widget, 200, 0);
    QVector<double> bareFrame, widgetFrame, barePeak, widgetPeak;
    bool openGl = false;
    const int runs = Bench::runs(7);
    for (int i = 0; i < runs; ++i) {
        const Run b = measure(display, bare, 1500, 0);
        const Run w = measure(display, widget, 1500, 0);
        if (b.firstFrameMs < 0 || w.firstFrameMs < 0)
            return 1;
        bareFrame << b.firstFrameMs;
        widgetFrame << w.firstFrameMs;
        barePeak << b.peakMiB;
        widgetPeak << w.peakMiB;
        openGl = openGl || w.openGl;
    }
    Bench::ratioRow(QStringLiteral("widget, 20 tasks: first painted frame"), Bench::median(widgetFrame),
                    Bench::median(bareFrame), QStringLiteral("ms"), 1.5);
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
    const double scale = 60.0 / idleSeconds;
    Bench::limitRow(QStringLiteral("widget idle CPU per 60 s, no countdown (%1 s measured)").arg(idleSeconds),
                    idle.idleCpu * scale, QStringLiteral("s"), 0.05, QStringLiteral("-"), 3);
    Bench::limitRow(
        QStringLiteral("widget idle CPU per 60 s, one countdown (%1 s measured)").arg(idleSeconds),
        countdown.idleCpu * scale, QStringLiteral("s"), 0.25, QStringLiteral("-"), 3);

    server.terminate();
    server.waitForFinished(5000);
    XCloseDisplay(display);
    return 0;
}
