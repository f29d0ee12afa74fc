#include "serverstart.h"

#include "benchutil.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusServiceWatcher>
#include <QEventLoop>
#include <QFile>
#include <QLocale>
#include <QThread>
#include <QTimer>

#include <csignal>
#include <ctime>
#include <sys/wait.h>
#include <unistd.h>

namespace {

const QString service = QStringLiteral("com.norvale.dataserver.Calendar");
const QString objectPath = QStringLiteral("/com/norvale/dataserver/Calendar");

} // namespace

// Wakes the benchmark when the server tells that its jobs changed.
class Updates : public QObject
{
    Q_OBJECT
public:
    int seen = 0;
public Q_SLOTS:
    void onJobsUpdated() { ++seen; }
};

namespace Bench {

double nowMs()
{
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return ts.tv_sec * 1e3 + ts.tv_nsec / 1e6;
}

pid_t spawn(const QByteArray &program, const char *argument)
{
    const pid_t pid = fork();
    if (pid == 0) {
        if (argument)
            execl(program.constData(), program.constData(), argument, static_cast<char *>(nullptr));
        else
            execl(program.constData(), program.constData(), static_cast<char *>(nullptr));
        _exit(127);
    }
    return pid;
}

void stopProcess(pid_t pid)
{
    kill(pid, SIGTERM);
    for (int i = 0; i < 500; ++i) {
        if (waitpid(pid, nullptr, WNOHANG) == pid)
            return;
        QThread::msleep(10);
    }
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
}

double runBare()
{
    const QByteArray self = QFile::encodeName(QCoreApplication::applicationFilePath());
    const double start = nowMs();
    const pid_t pid = spawn(self, "--bare");
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? nowMs() - start : -1;
}

QDBusMessage getJobs(const QDate &first)
{
    const QDate last = first.addDays(6);
    QDBusMessage call =
        QDBusMessage::createMethodCall(service, objectPath, service, QStringLiteral("GetJobs"));
    call << uint(first.year()) << uint(first.month()) << uint(first.day()) << uint(last.year())
         << uint(last.month()) << uint(last.day());
    return QDBusConnection::sessionBus().call(call, QDBus::Block, 120000);
}

// The server is asked as the widget asks: once its name is on the bus, and again at each
// JobsUpdated. Asked without a pause instead, it answered hundreds of calls during its start, on
// the same two cores that it and the desktop's calendar service start on, which the bare program
// is spared.
double startServer(const QDate &today, const QString &marker, int expected, pid_t *pid)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    Updates updates;
    bus.connect(QString(), objectPath, service, QStringLiteral("JobsUpdated"), &updates,
                SLOT(onJobsUpdated()));
    QDBusServiceWatcher up(service, bus, QDBusServiceWatcher::WatchForRegistration);
    QObject::connect(&up, &QDBusServiceWatcher::serviceRegistered, &updates, &Updates::onJobsUpdated);
    QTimer tick; // a signal missed costs a tick, not the run
    QObject::connect(&tick, &QTimer::timeout, &updates, &Updates::onJobsUpdated);
    tick.start(100);
    QEventLoop loop;
    const double start = nowMs();
    *pid = spawn(QByteArrayLiteral(DATASERVER_BINARY), nullptr);
    int asked = 0;
    double ms = -1;
    while (ms < 0 && nowMs() - start < 120000) {
        loop.processEvents(QEventLoop::WaitForMoreEvents);
        if (waitpid(*pid, nullptr, WNOHANG) == *pid) {
            *pid = -1;
            break;
        }
        if (updates.seen == asked)
            continue;
        asked = updates.seen;
        const QDBusMessage reply = getJobs(today);
        if (reply.type() == QDBusMessage::ReplyMessage &&
            reply.arguments().value(0).toString().count(marker) >= expected)
            ms = nowMs() - start;
    }
    bus.disconnect(QString(), objectPath, service, QStringLiteral("JobsUpdated"), &updates,
                   SLOT(onJobsUpdated()));
    return ms;
}

int measureStarts(const QDate &today, const QString &what, const QString &marker, int expected, int events)
{
    QVector<double> bare, server, newRange;
    for (int run = 0, runs = Bench::runs(5); run < runs; ++run) {
        bare << runBare();
        pid_t pid = -1;
        const double ms = startServer(today, marker, expected, &pid);
        if (ms < 0 || bare.last() < 0) {
            note(QStringLiteral("%1: not served (server %2 ms, bare %3 ms)")
                     .arg(what)
                     .arg(ms)
                     .arg(bare.last()));
            if (pid > 0)
                stopProcess(pid);
            return 1;
        }
        server << ms;
        if (run == 0) {
            for (int k = 1; k <= 15; ++k) {
                const double begin = nowMs();
                if (getJobs(today.addDays(7 * k)).type() == QDBusMessage::ReplyMessage)
                    newRange << nowMs() - begin;
            }
        }
        stopProcess(pid);
    }
    const QString label =
        QStringLiteral("data server, %1 of %2 events").arg(what, QLocale(QLocale::English).toString(events));
    ratioRow(label + QStringLiteral(": start to first GetJobs with it"), median(server), median(bare),
             QStringLiteral("ms"), 1.3);
    limitRow(label + QStringLiteral(": 7-day GetJobs, a week not asked before"), median(newRange),
             QStringLiteral("ms"), 25);
    return 0;
}

} // namespace Bench

#include "serverstart.moc"
