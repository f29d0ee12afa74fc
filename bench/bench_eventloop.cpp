// Stalls of the widget's event loop: the widget's own main window, in this process, on X, against
// the real data server; a 1 ms repeating timer in the GUI thread, and the longest it fired late.
//
// Lateness: the time between two firings of the probe timer, less its 1 ms. A script on a thread of
// its own asks the window for reloads (MainWindow::onCalendarDataChanged, as the data server's
// change signal does) and reads the probe, so the script keeps time even while the GUI thread does
// not; the lateness of a firing still due when the measurement ends counts up to that moment.
// Cases: a 50-task view reloaded 20 times; a 1,000-task view reloaded 10 times; a data server that
// never answers (stopped with SIGSTOP once it owns its name) while the window reloads 5 times.
#include "benchutil.h"
#include "datacenter.h"
#include "mainwindow.h"
#include "zapplication.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusReply>
#include <QDateTime>
#include <QDir>
#include <QPointer>
#include <QSaveFile>
#include <QTemporaryDir>
#include <QTimer>

#include <atomic>
#include <chrono>
#include <csignal>
#include <sys/wait.h>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

const QString serverName = QStringLiteral("com.norvale.dataserver.Calendar");
constexpr qint64 probeIntervalNs = 1000000;

qint64 nowNs()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(Clock::now().time_since_epoch()).count();
}

void sleepMs(int ms)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

// The 1 ms timer of the GUI thread; read from the script's thread.
class StallProbe
{
public:
    StallProbe()
    {
        timer.setTimerType(Qt::PreciseTimer);
        timer.setInterval(1);
        QObject::connect(&timer, &QTimer::timeout, [this] {
            const qint64 now = nowNs();
            const qint64 gap = now - lastFiring.exchange(now);
            if (gap - probeIntervalNs > worstNs.load())
                worstNs.store(gap - probeIntervalNs);
        });
        lastFiring.store(nowNs());
        timer.start();
    }

    // Called on the GUI thread.
    void reset()
    {
        lastFiring.store(nowNs());
        worstNs.store(0);
    }

    // The worst lateness so far, counting the firing now due; `stillLate` whether that one is the worst.
    double worstMs(bool *stillLate) const
    {
        const qint64 pending = nowNs() - lastFiring.load() - probeIntervalNs;
        const qint64 worst = worstNs.load();
        *stillLate = pending > worst;
        return std::max(worst, pending) / 1e6;
    }

private:
    QTimer timer;
    std::atomic<qint64> lastFiring{0};
    std::atomic<qint64> worstNs{0};
};

// `count` tasks with a reminder each, so that the overview lists them all, spread around now over at
// most three days either side (the overview asks for the last three days and the next six).
QByteArray calendar(int count, const QDateTime &now)
{
    QByteArray ics = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//tasklist bench//EN\r\n";
    const QDateTime base = QDateTime(now.date(), QTime(now.time().hour(), now.time().minute())).toUTC();
    const qint64 stepSecs = std::min<qint64>(40 * 60, 6 * 86400 / count);
    for (int i = 0; i < count; ++i) {
        const QDateTime begin = base.addSecs((i - count / 2) * stepSecs);
        ics += QStringLiteral("BEGIN:VEVENT\r\nUID:bench-loop-%1\r\nDTSTAMP:20240101T000000Z\r\n"
                              "DTSTART:%2\r\nDTEND:%3\r\nSUMMARY:Task %1 of the week\r\n"
                              "BEGIN:VALARM\r\nACTION:DISPLAY\r\nTRIGGER:-PT15M\r\nDESCRIPTION:Task %1\r\n"
                              "END:VALARM\r\nEND:VEVENT\r\n")
                   .arg(i)
                   .arg(begin.toString(QStringLiteral("yyyyMMdd'T'HHmmss'Z'")),
                        begin.addSecs(3600).toString(QStringLiteral("yyyyMMdd'T'HHmmss'Z'")))
                   .toUtf8();
    }
    return ics + "END:VCALENDAR\r\n";
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
}

// A data server of its own process, started and stopped from the script's thread.
class Server
{
public:
    explicit Server(const QString &calendarPath)
    {
        const QByteArray program(DATASERVER_BINARY);
        const QByteArray calendar = QFile::encodeName(calendarPath);
        pid = fork();
        if (pid == 0) {
            execl(program.constData(), program.constData(), calendar.constData(),
                  static_cast<char *>(nullptr));
            _exit(127);
        }
    }
    ~Server()
    {
        if (pid <= 0)
            return;
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
    }
    Server(const Server &) = delete;
    Server &operator=(const Server &) = delete;

    bool waitUntilOwned(const QDBusConnection &bus) const
    {
        for (int i = 0; i < 2000; ++i) {
            const QDBusReply<QString> owner = bus.interface()->serviceOwner(serverName);
            const QDBusReply<uint> ownerPid = bus.interface()->servicePid(serverName);
            if (owner.isValid() && ownerPid.isValid() && pid_t(ownerPid.value()) == pid)
                return true;
            if (waitpid(pid, nullptr, WNOHANG) == pid)
                return false;
            sleepMs(10);
        }
        return false;
    }

    void pause() const { kill(pid, SIGSTOP); }

private:
    pid_t pid = -1;
};

class Script
{
public:
    Script(StallProbe &probe, QString dir)
        : probe(probe)
        , dir(std::move(dir))
    {
    }

    void run()
    {
        const QDBusConnection bus =
            QDBusConnection::connectToBus(QDBusConnection::SessionBus, QStringLiteral("bench-script"));
        const QDateTime now = QDateTime::currentDateTime();
        const QString small = dir + QStringLiteral("/tasks-50.ics");
        const QString large = dir + QStringLiteral("/tasks-1000.ics");
        writeFile(small, calendar(50, now));
        writeFile(large, calendar(1000, now));

        auto server = std::make_unique<Server>(small);
        if (!server->waitUntilOwned(bus))
            return fail(QStringLiteral("the data server did not start"));
        onGui([this] {
            DataCenter::instance()->loadData(dir + QStringLiteral("/data"));
            window = new MainWindow;
            window->show();
            window->lower();
        });
        sleepMs(3000);
        noteItems(50);
        Bench::limitRow(QStringLiteral("event loop: longest stall while a 50-task view reloads (20 reloads)"),
                        measure(20, 600, 1500), QStringLiteral("ms"), 16);

        // A new owner of the name makes the window reload on its own.
        server.reset();
        server = std::make_unique<Server>(large);
        if (!server->waitUntilOwned(bus))
            return fail(QStringLiteral("the data server did not start on 1,000 tasks"));
        sleepMs(6000);
        noteItems(1000);
        // The list swaps its items a frame's work at a time (TaskList::sliceBudgetMs), only those in
        // sight animate, and the view's two answers are read a turn apart (ViewFetcher): the longest
        // stall left is the reading of one answer of some 600 tasks.
        Bench::limitRow(
            QStringLiteral("event loop: longest stall while a 1,000-task view reloads (10 reloads)"),
            measure(10, 1500, 3000), QStringLiteral("ms"), 16);

        server.reset();
        server = std::make_unique<Server>(small);
        if (!server->waitUntilOwned(bus))
            return fail(QStringLiteral("the data server did not start again"));
        sleepMs(3000);
        server->pause();
        bool stillLate = false;
        const double hung = measure(5, 1000, 2000, &stillLate);
        const QString value = (stillLate ? QStringLiteral("≥ ") : QString()) + QString::number(hung, 'f', 1) +
                              QStringLiteral(" ms");
        Bench::row(
            QStringLiteral("event loop: longest stall while the data server never answers (5 reloads)"),
            value, QStringLiteral("-"), 0, QStringLiteral("≤ 16 ms"), hung <= 16);
        if (stillLate)
            Bench::note(
                QStringLiteral("bench_eventloop: with the data server stopped, the GUI thread was still "
                               "blocked when the measurement ended, after %1 ms")
                    .arg(hung, 0, 'f', 0));
    }

private:
    template<typename F> void onGui(F &&f, Qt::ConnectionType type = Qt::QueuedConnection)
    {
        QMetaObject::invokeMethod(qApp, std::forward<F>(f), type);
    }

    void fail(const QString &why) { Bench::note(QStringLiteral("bench_eventloop: ") + why); }

    // Asks for `reloads` reloads `spacingMs` apart, waits `settleMs` more, and returns the worst lateness.
    double measure(int reloads, int spacingMs, int settleMs, bool *stillLate = nullptr)
    {
        onGui([this] { probe.reset(); });
        sleepMs(100);
        for (int i = 0; i < reloads; ++i) {
            onGui([this] {
                if (window)
                    window->onCalendarDataChanged();
            });
            sleepMs(spacingMs);
        }
        sleepMs(settleMs);
        bool late = false;
        const double worst = probe.worstMs(&late);
        if (stillLate)
            *stillLate = late;
        return worst;
    }

    // The number of task items shown, as a check that the view holds the tasks it should.
    void noteItems(int expected)
    {
        int shown = 0;
        onGui(
            [this, &shown] {
                if (!window)
                    return;
                for (const QWidget *child : window->findChildren<QWidget *>()) {
                    if (child->inherits("TaskItem") && child->isVisible())
                        ++shown;
                }
            },
            Qt::BlockingQueuedConnection);
        if (shown != expected)
            Bench::note(QStringLiteral("bench_eventloop: the window shows %1 tasks, not %2")
                            .arg(shown)
                            .arg(expected));
    }

    StallProbe &probe;
    const QString dir;
    QPointer<MainWindow> window;
};

} // namespace

int main(int argc, char **argv)
{
    // As the widget's own main() does: it paints with QPainter alone.
    if (!qEnvironmentVariableIsSet("QT_XCB_GL_INTEGRATION"))
        qputenv("QT_XCB_GL_INTEGRATION", "none");
    QGuiApplication::setQuitOnLastWindowClosed(false);
    Zyk::Widget::ZApplication app(argc, argv);
    if (!QDBusConnection::sessionBus().isConnected()) {
        Bench::note(QStringLiteral("bench_eventloop: no session bus; skipped"));
        return 0;
    }
    if (QDBusConnection::sessionBus().interface()->isServiceRegistered(serverName).value()) {
        Bench::note(
            QStringLiteral("bench_eventloop: a calendar data server already runs on this bus; skipped"));
        return 0;
    }
    QTemporaryDir dir;
    StallProbe probe;
    std::thread script([&probe, &dir] {
        Script(probe, dir.path()).run();
        QDir(dir.path()).removeRecursively();
        // The GUI thread may still wait for a server that never answers; this process ends anyway.
        fflush(stdout);
        fflush(stderr);
        std::_Exit(0);
    });
    script.detach();
    return app.exec();
}
