// tasklist-dataserver on a generated calendar (5,000 events around today, 500 of them recurring, a
// third with a display alarm, times in a named zone), once as one .ics file and once as a directory
// of one-event files, against a bare load of the same data with KCalendarCore plus one walk over
// the week's occurrences (this program run with --bare, as a process of its own).
//
// Start: from fork() to the answer of the first GetJobs of the coming week, which the bench sends
// as soon as the server owns its name (the server takes its name before it reads the calendars, so
// the call waits for the load). Peak memory: VmHWM of each process. GetJobs latency: the round trip
// over the bus of a 7-day GetJobs, as the widget waits for it: the same week again (cached), a week
// not asked for before (a new range), and the same week right after a file of the calendar changed
// on disk and the server announced it (every cache of the server invalidated by the change).
//
// A vdirsyncer sync: 1,000 one-event files landing at once in a folder of 200 the server serves,
// new ones and replaced ones, each written beside its target and renamed over it. The widget reloads
// once per JobsUpdated, so every signal of the burst is counted; its reload is the 7-day GetJobs
// sent on the first signal, with every file of the burst read and none of its series expanded yet.
//
// Faults found under stress: start to the first answer over one series with 16,000 overrides, and the
// widest GetJobs over a daily job whose occurrences each last ten years.
#include "benchutil.h"
#include "exportcalendar.h"
#include "serverstart.h"

#include <KCalendarCore/Alarm>
#include <KCalendarCore/Event>
#include <KCalendarCore/ICalFormat>
#include <KCalendarCore/MemoryCalendar>
#include <KCalendarCore/OccurrenceIterator>
#include <KCalendarCore/Recurrence>

#include <QBitArray>
#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDir>
#include <QEventLoop>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLoggingCategory>
#include <QRandomGenerator>
#include <QSaveFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <QTimeZone>
#include <QTimer>
#include <QtNumeric>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <functional>
#include <sys/inotify.h>
#include <sys/wait.h>

using namespace KCalendarCore;

namespace {

const char *const zoneName = "Europe/Berlin";
const QString service = QStringLiteral("com.norvale.dataserver.Calendar");
const QString objectPath = QStringLiteral("/com/norvale/dataserver/Calendar");

double nowMs()
{
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return ts.tv_sec * 1e3 + ts.tv_nsec / 1e6;
}

QVector<Event::Ptr> generateEvents(const QDate &today)
{
    const QTimeZone zone(zoneName);
    QRandomGenerator random(20240501); // the same calendar for every run
    QVector<Event::Ptr> events;
    for (int i = 0; i < 5000; ++i) {
        Event::Ptr event(new Event);
        event->setUid(QStringLiteral("bench-%1@tasklist").arg(i));
        event->setSummary(QStringLiteral("Event %1: %2")
                              .arg(i)
                              .arg(QStringLiteral("planning,review,call,lunch,workshop,report")
                                       .split(QLatin1Char(','))[i % 6]));
        event->setDescription(QStringLiteral("Generated for the benchmark, event number %1").arg(i));
        const bool recurring = i < 500;
        const int dayOffset = recurring ? -int(random.bounded(365)) : int(random.bounded(730)) - 365;
        const QDate day = today.addDays(dayOffset);
        const bool allDay = i % 10 == 3;
        if (allDay) {
            event->setDtStart(QDateTime(day, QTime(0, 0), zone));
            event->setDtEnd(QDateTime(day, QTime(0, 0), zone));
            event->setAllDay(true);
        } else {
            const QDateTime start(day, QTime(7 + int(random.bounded(12)), 15 * int(random.bounded(4))), zone);
            event->setDtStart(start);
            event->setDtEnd(start.addSecs(1800 * (1 + int(random.bounded(4)))));
        }
        if (recurring) {
            Recurrence *recurrence = event->recurrence();
            switch (i % 5) {
            case 0:
                recurrence->setDaily(1);
                break;
            case 1:
                recurrence->setWeekly(1);
                break;
            case 2:
                recurrence->setMonthly(1);
                recurrence->addMonthlyDate(day.day());
                break;
            case 3:
                recurrence->setYearly(1);
                break;
            default: {
                QBitArray workdays(7);
                for (int d = 0; d < 5; ++d)
                    workdays.setBit(d);
                recurrence->setWeekly(1, workdays);
                break;
            }
            }
            if (i % 7 == 0)
                recurrence->setDuration(400);
            else if (i % 7 == 1)
                recurrence->setEndDateTime(event->dtStart().addDays(500));
            if (i % 4 == 0) {
                if (allDay)
                    recurrence->addExDate(day.addDays(7));
                else
                    recurrence->addExDateTime(event->dtStart().addDays(7));
            }
        }
        if (i % 3 == 0) {
            Alarm::Ptr alarm = event->newAlarm();
            alarm->setDisplayAlarm(event->summary());
            alarm->setStartOffset(Duration(-15 * 60));
            alarm->setEnabled(true);
        }
        events << event;
    }
    return events;
}

bool writeText(const QString &path, const QString &text)
{
    QSaveFile file(path);
    const QByteArray bytes = text.toUtf8();
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
}

bool writeCalendars(const QString &file, const QString &directory, const QDate &today)
{
    const QVector<Event::Ptr> events = generateEvents(today);
    MemoryCalendar::Ptr whole(new MemoryCalendar(QTimeZone(zoneName)));
    for (const Event::Ptr &event : events)
        whole->addEvent(event);
    ICalFormat format;
    if (!writeText(file, format.toString(whole)))
        return false;
    QDir().mkpath(directory);
    for (const Event::Ptr &event : events) {
        MemoryCalendar::Ptr single(new MemoryCalendar(QTimeZone(zoneName)));
        single->addEvent(Event::Ptr(event->clone()));
        if (!writeText(QDir(directory).filePath(event->uid() + QLatin1String(".ics")),
                       format.toString(single)))
            return false;
    }
    return true;
}

// --bare PATH: the bare library's work, in a process of its own so that its peak is its own.
int bareLoad(const QString &path)
{
    MemoryCalendar::Ptr calendar(new MemoryCalendar(QTimeZone::systemTimeZone()));
    ICalFormat format;
    QStringList files;
    if (QFileInfo(path).isDir()) {
        const QFileInfoList entries =
            QDir(path).entryInfoList({QStringLiteral("*.ics")}, QDir::Files, QDir::Name);
        for (const QFileInfo &entry : entries)
            files << entry.absoluteFilePath();
    } else {
        files << path;
    }
    for (const QString &file : std::as_const(files)) {
        if (!format.load(calendar, file))
            return 1;
    }
    const QDate today = QDate::currentDate();
    OccurrenceIterator it(*calendar, today.startOfDay(), today.addDays(7).startOfDay());
    int count = 0;
    qint64 sink = 0;
    while (it.hasNext()) {
        it.next();
        sink += it.incidence()->summary().size() + it.occurrenceStartDate().toMSecsSinceEpoch() % 7;
        ++count;
    }
    QTextStream(stdout) << count << ' ' << sink << ' ' << Bench::selfMiB("VmHWM") << '\n';
    return 0;
}

struct Started
{
    double ms = -1;
    double peakMiB = -1;
    pid_t pid = -1;
};

pid_t spawn(const QByteArray &program, const QList<QByteArray> &arguments)
{
    QVector<char *> argv;
    argv << const_cast<char *>(program.constData());
    for (const QByteArray &argument : arguments)
        argv << const_cast<char *>(argument.constData());
    argv << nullptr;
    const pid_t pid = fork();
    if (pid == 0) {
        execv(program.constData(), argv.data());
        _exit(127);
    }
    return pid;
}

Started runBare(const QString &path)
{
    Started result;
    const QByteArray self = QFile::encodeName(QCoreApplication::applicationFilePath());
    int pipeFds[2];
    if (pipe(pipeFds) != 0)
        return result;
    const double start = nowMs();
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(pipeFds[1], STDOUT_FILENO);
        close(pipeFds[0]);
        const QByteArray file = QFile::encodeName(path);
        execl(self.constData(), self.constData(), "--bare", file.constData(), static_cast<char *>(nullptr));
        _exit(127);
    }
    close(pipeFds[1]);
    QByteArray output;
    char buffer[256];
    ssize_t n = 0;
    while ((n = read(pipeFds[0], buffer, sizeof buffer)) > 0)
        output.append(buffer, int(n));
    close(pipeFds[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    result.ms = nowMs() - start;
    const QList<QByteArray> fields = output.trimmed().split(' ');
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0 || fields.size() != 3)
        return Started{};
    result.peakMiB = fields.at(2).toDouble();
    return result;
}

QDBusMessage getJobs(const QDate &first, const QDate &last)
{
    QDBusMessage call =
        QDBusMessage::createMethodCall(service, objectPath, service, QStringLiteral("GetJobs"));
    call << uint(first.year()) << uint(first.month()) << uint(first.day()) << uint(last.year())
         << uint(last.month()) << uint(last.day());
    return QDBusConnection::sessionBus().call(call, QDBus::Block, 120000);
}

QString indexCache()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) +
           QStringLiteral("/tasklist-dataserver/index");
}

// Starts the server on `path` and times it to its first answer; the server is left running. The
// index an earlier start kept is removed first unless `keptIndex`: every start is a first one.
Started startServer(const QString &path, const QDate &today, bool keptIndex = false)
{
    if (!keptIndex)
        QDir(indexCache()).removeRecursively();
    Started result;
    const double start = nowMs();
    result.pid = spawn(QByteArrayLiteral(DATASERVER_BINARY), {QFile::encodeName(path)});
    while (nowMs() - start < 120000) {
        const QDBusMessage reply = getJobs(today, today.addDays(6));
        if (reply.type() == QDBusMessage::ReplyMessage) {
            result.ms = nowMs() - start;
            break;
        }
        if (waitpid(result.pid, nullptr, WNOHANG) == result.pid) {
            Bench::note(QStringLiteral("the data server ended before it answered"));
            result.pid = -1;
            return result;
        }
        QThread::usleep(500);
    }
    result.peakMiB = Bench::procMiB(result.pid, "VmHWM");
    return result;
}

double timedGetJobs(const QDate &first)
{
    double ms = -1;
    const double start = nowMs();
    const QDBusMessage reply = getJobs(first, first.addDays(6));
    if (reply.type() == QDBusMessage::ReplyMessage)
        ms = nowMs() - start;
    return ms;
}

class ChangeWatcher : public QObject
{
    Q_OBJECT
public:
    int seen = 0;
public Q_SLOTS:
    void onJobsUpdated() { ++seen; }
};

// Edits one event of the calendar on disk and waits for the server's JobsUpdated.
bool changeAndWait(const QString &file, int round, ChangeWatcher &watcher)
{
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly))
        return false;
    QByteArray text = in.readAll();
    in.close();
    const int at = text.indexOf("SUMMARY:");
    if (at < 0)
        return false;
    text.insert(at + 8, QByteArray::number(round) + ' ');
    QSaveFile out(file);
    if (!out.open(QIODevice::WriteOnly) || out.write(text) != text.size() || !out.commit())
        return false;
    const int before = watcher.seen;
    QEventLoop loop;
    QTimer timeout;
    timeout.setSingleShot(true);
    QObject::connect(&timeout, &QTimer::timeout, &loop, &QEventLoop::quit);
    timeout.start(30000);
    while (watcher.seen == before && timeout.isActive())
        loop.processEvents(QEventLoop::WaitForMoreEvents);
    return watcher.seen > before;
}

struct Figures
{
    QVector<double> serverStart, bareStart, serverPeak, barePeak, cached, newRange, afterChange;
};

void measureForm(const QString &label, const QString &path, const QString &fileToChange, Figures &figures)
{
    const QDate today = QDate::currentDate();
    const int runs = Bench::runs(5);
    ChangeWatcher watcher;
    QDBusConnection::sessionBus().connect(service, objectPath, service, QStringLiteral("JobsUpdated"),
                                          &watcher, SLOT(onJobsUpdated()));
    for (int i = 0; i < runs; ++i) {
        const Started bare = runBare(path);
        const Started server = startServer(path, today);
        if (bare.ms < 0 || server.ms < 0) {
            Bench::note(QStringLiteral("%1: a start failed").arg(label));
            if (server.pid > 0)
                Bench::stopProcess(server.pid);
            return;
        }
        figures.bareStart << bare.ms;
        figures.barePeak << bare.peakMiB;
        figures.serverStart << server.ms;
        if (i == 0) {
            // Latencies once, on the first server: cached, new ranges, after changes.
            for (int k = 0; k < 15; ++k)
                figures.cached << timedGetJobs(today);
            for (int k = 1; k <= 15; ++k)
                figures.newRange << timedGetJobs(today.addDays(k));
            for (int k = 0; k < 5; ++k) {
                if (!changeAndWait(fileToChange, k, watcher)) {
                    Bench::note(QStringLiteral("%1: no JobsUpdated after a change").arg(label));
                    break;
                }
                figures.afterChange << timedGetJobs(today);
            }
        }
        figures.serverPeak << Bench::procMiB(server.pid, "VmHWM");
        Bench::stopProcess(server.pid);
    }
}

void report(const QString &label, const Figures &f)
{
    Bench::ratioRow(QStringLiteral("data server, %1: start to first GetJobs").arg(label),
                    Bench::median(f.serverStart), Bench::median(f.bareStart), QStringLiteral("ms"), 1.3);
    Bench::ratioRow(QStringLiteral("data server, %1: peak memory (VmHWM)").arg(label),
                    Bench::median(f.serverPeak), Bench::median(f.barePeak), QStringLiteral("MiB"), 1.5);
    Bench::limitRow(QStringLiteral("data server, %1: 7-day GetJobs, same week again").arg(label),
                    Bench::median(f.cached), QStringLiteral("ms"), 25);
    Bench::limitRow(QStringLiteral("data server, %1: 7-day GetJobs, a week not asked before").arg(label),
                    Bench::median(f.newRange), QStringLiteral("ms"), 25);
    Bench::limitRow(QStringLiteral("data server, %1: 7-day GetJobs, after a file changed").arg(label),
                    Bench::median(f.afterChange), QStringLiteral("ms"), 25);
}

// A calendar's opening lines with Berlin's zone, as the exporters write it.
QByteArray calendarHead(const char *product)
{
    return QByteArray("BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Bench//") + product + "//EN\r\n" +
           "BEGIN:VTIMEZONE\r\nTZID:Europe/Berlin\r\n"
           "BEGIN:DAYLIGHT\r\nTZOFFSETFROM:+0100\r\nTZOFFSETTO:+0200\r\nTZNAME:CEST\r\n"
           "DTSTART:19700329T020000\r\nRRULE:FREQ=YEARLY;BYMONTH=3;BYDAY=-1SU\r\nEND:DAYLIGHT\r\n"
           "BEGIN:STANDARD\r\nTZOFFSETFROM:+0200\r\nTZOFFSETTO:+0100\r\nTZNAME:CET\r\n"
           "DTSTART:19701025T030000\r\nRRULE:FREQ=YEARLY;BYMONTH=10;BYDAY=-1SU\r\nEND:STANDARD\r\n"
           "END:VTIMEZONE\r\n";
}

// A vdirsyncer folder: one event per file, named after its UID, each with the zone the CalDAV
// server sent along. Every event lies in the coming week, so that one GetJobs sees them all.
QByteArray vdirEvent(int number, int version, const QDate &today)
{
    const QDate day = today.addDays(number % 7);
    const QTime start = QTime(8, 0).addSecs(1800 * (number % 20));
    const QByteArray date = day.toString(QStringLiteral("yyyyMMdd")).toLatin1();
    auto at = [&date](const QTime &time) {
        return date + 'T' + time.toString(QStringLiteral("HHmmss")).toLatin1();
    };
    return calendarHead("Sync") + "BEGIN:VEVENT\r\nUID:sync-" + QByteArray::number(number) +
           "@bench.example\r\nDTSTAMP:20261201T120000Z\r\nDTSTART;TZID=Europe/Berlin:" + at(start) +
           "\r\nDTEND;TZID=Europe/Berlin:" + at(start.addSecs(1800)) + "\r\nSUMMARY:Synced " +
           QByteArray::number(number) + ", version " + QByteArray::number(version) +
           "\r\nSEQUENCE:" + QByteArray::number(version) + "\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n";
}

QString vdirPath(const QString &folder, int number)
{
    return QDir(folder).filePath(QStringLiteral("sync-%1@bench.example.ics").arg(number));
}

// As vdirsyncer writes: to a temporary name in the same folder, then renamed over the target, so a
// reader never sees half a file. No fsync, so that the burst stays well under a second on any disk.
bool replaceAtomically(const QString &folder, const QString &target, const QByteArray &text)
{
    QByteArray temporary = QFile::encodeName(QDir(folder).filePath(QStringLiteral("tmpXXXXXX")));
    const int fd = mkstemp(temporary.data());
    if (fd < 0)
        return false;
    const bool written = write(fd, text.constData(), size_t(text.size())) == ssize_t(text.size());
    if (close(fd) != 0 || !written ||
        rename(temporary.constData(), QFile::encodeName(target).constData()) != 0) {
        unlink(temporary.constData());
        return false;
    }
    return true;
}

struct Sync
{
    int updates = 0;
    double burstMs = -1, firstSignalMs = -1, getJobsMs = -1, againMs = -1;
    int jobs = 0, updatedJobs = 0;
};

// Jobs in a GetJobs answer, and those of them with the title of the given version.
void countJobs(const QString &json, int version, int *jobs, int *updated)
{
    const QString suffix = QStringLiteral(", version %1").arg(version);
    const QJsonArray days = QJsonDocument::fromJson(json.toUtf8()).array();
    for (const QJsonValue &day : days) {
        const QJsonArray list = day.toObject().value(QStringLiteral("Jobs")).toArray();
        for (const QJsonValue &job : list) {
            ++*jobs;
            if (job.toObject().value(QStringLiteral("Title")).toString().endsWith(suffix))
                ++*updated;
        }
    }
}

// One server on a folder of `before` files, asked for the week as the widget would; then `burst`
// files land at once, every fifth one replacing an existing file and the others new. Counts every
// JobsUpdated from the server's unique name until none came for `quietMs`, and times the GetJobs of
// the same week that the widget sends on the first one.
Sync measureSync(const QString &folder, int before, int burst, const QDate &today)
{
    constexpr int quietMs = 3000;
    Sync result;
    QDir().mkpath(folder);
    for (int i = 0; i < before; ++i) {
        if (!writeText(vdirPath(folder, i), QString::fromUtf8(vdirEvent(i, 1, today))))
            return result;
    }
    // The texts are ready before the burst, as vdirsyncer has them from the CalDAV server first.
    QVector<QPair<QString, QByteArray>> files;
    for (int k = 0, fresh = before; k < burst; ++k) {
        const int number = k % 5 == 0 && k / 5 < before ? k / 5 : fresh++;
        files.append({vdirPath(folder, number), vdirEvent(number, 2, today)});
    }

    const Started server = startServer(folder, today);
    if (server.ms < 0) {
        if (server.pid > 0)
            Bench::stopProcess(server.pid);
        return result;
    }
    QDBusConnection bus = QDBusConnection::sessionBus();
    const QString owner = bus.interface()->serviceOwner(service).value();
    ChangeWatcher watcher;
    bus.connect(owner, objectPath, service, QStringLiteral("JobsUpdated"), &watcher, SLOT(onJobsUpdated()));
    // Twice the server's debounce: nothing of its start is left to announce when the burst begins.
    QThread::msleep(2 * 300);
    QCoreApplication::processEvents();
    watcher.seen = 0;

    const double start = nowMs();
    for (const auto &file : std::as_const(files)) {
        if (!replaceAtomically(folder, file.first, file.second)) {
            Bench::note(QStringLiteral("1,000-file sync: cannot write %1").arg(file.first));
            break;
        }
    }
    const double end = nowMs();
    result.burstMs = end - start;

    QEventLoop loop;
    QTimer tick; // wakes the loop up to see the time pass
    tick.start(50);
    double lastSignal = -1;
    int counted = 0;
    for (;;) {
        loop.processEvents(QEventLoop::WaitForMoreEvents);
        const double now = nowMs();
        if (watcher.seen > counted) {
            counted = watcher.seen;
            lastSignal = now;
            if (result.firstSignalMs < 0) {
                result.firstSignalMs = now - end;
                const double asked = nowMs();
                const QDBusMessage reply = getJobs(today, today.addDays(6));
                if (reply.type() == QDBusMessage::ReplyMessage) {
                    result.getJobsMs = nowMs() - asked;
                    countJobs(reply.arguments().value(0).toString(), 2, &result.jobs, &result.updatedJobs);
                    // The same answer again from the server's range cache: what the bus and the
                    // text of 1,000 jobs cost alone.
                    result.againMs = timedGetJobs(today);
                }
                lastSignal = nowMs();
            }
        }
        if (counted == 0 ? now - end > 30000 : now - lastSignal >= quietMs)
            break;
    }
    bus.disconnect(owner, objectPath, service, QStringLiteral("JobsUpdated"), &watcher,
                   SLOT(onJobsUpdated()));
    result.updates = watcher.seen;
    Bench::stopProcess(server.pid);
    return result;
}

void measureSyncs(const QString &parent)
{
    constexpr int before = 200, burst = 1000;
    const QDate today = QDate::currentDate();
    // Every repetition is a whole burst on a server of its own: a second GetJobs after the same burst
    // would be answered from the range cache, and the widget asks only once per signal.
    QVector<double> getJobs;
    bool allOne = true;
    int most = 0; // the most of any burst: one extra reload in any run shows
    const int runs = Bench::runs(5);
    for (int i = 0; i < runs; ++i) {
        const Sync sync =
            measureSync(QDir(parent).filePath(QStringLiteral("vdir-%1").arg(i)), before, burst, today);
        if (sync.burstMs < 0)
            Bench::note(QStringLiteral("1,000-file sync, run %1: the data server did not start").arg(i + 1));
        most = std::max(most, sync.updates);
        allOne = allOne && sync.updates == 1;
        Bench::note(QStringLiteral("1,000-file sync, run %1: %2 files written in %3 ms; %4 JobsUpdated, the "
                                   "first %5 ms after the last rename; the next GetJobs took %6 ms (%7 ms "
                                   "asked again, from its cache) and listed %8 jobs, %9 of them as synced "
                                   "(%10 expected)")
                        .arg(i + 1)
                        .arg(burst)
                        .arg(sync.burstMs, 0, 'f', 1)
                        .arg(sync.updates)
                        .arg(sync.firstSignalMs, 0, 'f', 1)
                        .arg(sync.getJobsMs, 0, 'f', 1)
                        .arg(sync.againMs, 0, 'f', 1)
                        .arg(sync.jobs)
                        .arg(sync.updatedJobs)
                        .arg(burst));
        if (sync.getJobsMs >= 0 && (sync.jobs != burst || sync.updatedJobs != burst))
            Bench::note(
                QStringLiteral("1,000-file sync, run %1: the answer after the signal misses synced events")
                    .arg(i + 1));
        if (sync.getJobsMs >= 0)
            getJobs << sync.getJobsMs;
    }
    Bench::row(QStringLiteral("data server, 1,000-file sync: JobsUpdated signals"), QString::number(most),
               QStringLiteral("-"), 0, QStringLiteral("1"), runs > 0 && allOne);
    Bench::limitRow(QStringLiteral("data server, 1,000-file sync: next 7-day GetJobs after the signal"),
                    getJobs.isEmpty() ? qInf() : Bench::median(getJobs), QStringLiteral("ms"), 25);
}

// One daily series with 16,000 of its occurrences moved, each by an override of its own, the last
// ones around today: the library's reader once took half a minute over it.
bool writeOverrides(const QString &path, const QDate &today)
{
    constexpr int overrides = 16000;
    const QDate first = today.addDays(-overrides + 10);
    auto day = [](const QDate &date) { return date.toString(QStringLiteral("yyyyMMdd")).toLatin1(); };
    QByteArray text =
        calendarHead("Overrides") +
        "BEGIN:VEVENT\r\nUID:moved@bench\r\nDTSTAMP:20261201T120000Z\r\nDTSTART;TZID=Europe/Berlin:" +
        day(first) + "T090000\r\nDURATION:PT1H\r\nRRULE:FREQ=DAILY\r\nSUMMARY:Daily\r\nEND:VEVENT\r\n";
    for (int i = 0; i < overrides; ++i) {
        const QByteArray date = day(first.addDays(i));
        text += "BEGIN:VEVENT\r\nUID:moved@bench\r\nDTSTAMP:20261201T120000Z\r\nRECURRENCE-ID;TZID=Europe/"
                "Berlin:" +
                date + "T090000\r\nDTSTART;TZID=Europe/Berlin:" + date +
                "T100000\r\nDURATION:PT1H\r\nSUMMARY:Moved " + QByteArray::number(i) + "\r\nEND:VEVENT\r\n";
    }
    text += "END:VCALENDAR\r\n";
    return writeText(path, QString::fromUtf8(text));
}

void measureOverrides(const QString &path)
{
    const QDate today = QDate::currentDate();
    if (!writeOverrides(path, today)) {
        Bench::note(QStringLiteral("bench_dataserver: cannot write %1").arg(path));
        return;
    }
    QVector<double> starts;
    QVector<double> newWeeks;
    for (int i = 0, runs = Bench::runs(3); i < runs; ++i) {
        const Started server = startServer(path, today);
        if (server.ms >= 0) {
            starts << server.ms;
            for (int k = 1; k <= 5; ++k)
                newWeeks << timedGetJobs(today.addDays(-7 * k));
        }
        if (server.pid > 0)
            Bench::stopProcess(server.pid);
    }
    Bench::limitRow(QStringLiteral("data server, 16,000 overrides of one series: start to first answer"),
                    starts.isEmpty() ? qInf() : Bench::median(starts), QStringLiteral("ms"), 2000);
    Bench::limitRow(QStringLiteral("data server, 16,000 overrides of one series: 7-day GetJobs, a week not "
                                   "asked before"),
                    newWeeks.isEmpty() ? qInf() : Bench::median(newWeeks), QStringLiteral("ms"), 25);
}

// A daily job whose occurrences each last ten years, asked for the widest range the server serves:
// it once made an answer of gigabytes and ended the server. An answer or a clear error, in time.
void measureDecade(const QString &path)
{
    const QDate today = QDate::currentDate();
    const QString start = today.toString(QStringLiteral("yyyyMMdd"));
    const QString end = today.addYears(10).toString(QStringLiteral("yyyyMMdd"));
    if (!writeText(path, QStringLiteral("BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Bench//Decade//EN\r\n"
                                        "BEGIN:VEVENT\r\nUID:decade@bench\r\nDTSTART:%1T080000Z\r\n"
                                        "DTEND:%2T080000Z\r\nRRULE:FREQ=DAILY\r\nSUMMARY:Decade\r\n"
                                        "END:VEVENT\r\nEND:VCALENDAR\r\n")
                             .arg(start, end))) {
        Bench::note(QStringLiteral("bench_dataserver: cannot write %1").arg(path));
        return;
    }
    QVector<double> times;
    bool clear = true;
    for (int i = 0, runs = Bench::runs(3); i < runs; ++i) {
        const Started server = startServer(path, today);
        if (server.ms < 0) {
            clear = false;
            break;
        }
        const double asked = nowMs();
        const QDBusMessage reply = getJobs(today, today.addDays(3700));
        times << nowMs() - asked;
        const bool alive = waitpid(server.pid, nullptr, WNOHANG) == 0;
        clear = clear && alive &&
                (reply.type() == QDBusMessage::ReplyMessage ||
                 reply.errorName() == QLatin1String("org.freedesktop.DBus.Error.LimitsExceeded"));
        if (i == 0)
            Bench::note(QStringLiteral("ten-year daily job, widest GetJobs: %1 %2")
                            .arg(reply.type() == QDBusMessage::ReplyMessage ? QStringLiteral("answered")
                                                                            : reply.errorName(),
                                 reply.errorMessage()));
        Bench::stopProcess(server.pid);
    }
    const double ms = times.isEmpty() ? qInf() : Bench::median(times);
    Bench::row(QStringLiteral("data server, a ten-year daily job: widest GetJobs (3,701 days), server alive"),
               QString::number(ms, 'f', 1) + QStringLiteral(" ms"), QStringLiteral("-"), 0,
               QStringLiteral("≤ 2000 ms, an answer or LimitsExceeded"), clear && ms <= 2000);
}

// A Google export of 100,000 events over twelve years (exportcalendar.h), as one .ics file.
struct Large
{
    QVector<double> serverStart, warmStart, bareStart, serverPeak, emptyPeak, barePeak, week, year, search,
        update;
    int replaces = 0;      // renames onto the file during the updates
    int writesInPlace = 0; // writes into the file itself: none may be
    bool restIntact = true;
};

QDBusMessage callServer(const QString &method, const QVariantList &arguments)
{
    QDBusMessage call = QDBusMessage::createMethodCall(service, objectPath, service, method);
    call.setArguments(arguments);
    return QDBusConnection::sessionBus().call(call, QDBus::Block, 120000);
}

double timedCall(const QString &method, const QVariantList &arguments)
{
    const double start = nowMs();
    const QDBusMessage reply = callServer(method, arguments);
    return reply.type() == QDBusMessage::ReplyMessage ? nowMs() - start : qInf();
}

double timedRange(const QDate &first, const QDate &last)
{
    const double start = nowMs();
    const QDBusMessage reply = getJobs(first, last);
    if (reply.type() != QDBusMessage::ReplyMessage)
        Bench::note(QStringLiteral("GetJobs %1 to %2: %3")
                        .arg(first.toString(), last.toString(), reply.errorMessage()));
    return reply.type() == QDBusMessage::ReplyMessage ? nowMs() - start : qInf();
}

// The ID of a single event's job in the week's answer: the edit then rewrites one component.
qint64 singleJobOf(const QString &json)
{
    const QJsonArray days = QJsonDocument::fromJson(json.toUtf8()).array();
    for (const QJsonValue &day : days) {
        for (const QJsonValue &job : day.toObject().value(QStringLiteral("Jobs")).toArray()) {
            const QJsonObject object = job.toObject();
            if (object.value(QStringLiteral("RRule")).toString().isEmpty())
                return qint64(object.value(QStringLiteral("ID")).toDouble());
        }
    }
    return 0;
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Whether `after` differs from `before` only within one VEVENT.
bool changedWithinOneEvent(const QByteArray &before, const QByteArray &after)
{
    int head = 0;
    const int shorter = qMin(before.size(), after.size());
    while (head < shorter && before.at(head) == after.at(head))
        ++head;
    int tail = 0;
    while (tail < shorter - head && before.at(before.size() - 1 - tail) == after.at(after.size() - 1 - tail))
        ++tail;
    const QByteArray changed = before.mid(head, before.size() - head - tail);
    const int begin = before.lastIndexOf("BEGIN:VEVENT", head);
    const int end = before.indexOf("END:VEVENT", head);
    return !changed.contains("BEGIN:") && begin >= 0 && end >= 0 && before.size() - tail <= end + 10;
}

// Renames onto `file` and writes into it, seen by inotify on its folder while `edit` runs.
void watchWrites(const QString &file, const std::function<void()> &edit, int *replaces, int *inPlace)
{
    const int fd = inotify_init1(IN_NONBLOCK);
    const QFileInfo info(file);
    const int watch = fd >= 0 ? inotify_add_watch(fd, QFile::encodeName(info.absolutePath()).constData(),
                                                  IN_MOVED_TO | IN_MODIFY)
                              : -1;
    edit();
    alignas(inotify_event) char buffer[16384];
    const QByteArray name = QFile::encodeName(info.fileName());
    for (ssize_t n; watch >= 0 && (n = read(fd, buffer, sizeof buffer)) > 0;) {
        for (char *at = buffer; at < buffer + n;) {
            const auto *event = reinterpret_cast<inotify_event *>(at);
            if (event->len > 0 && name == event->name) {
                *replaces += (event->mask & IN_MOVED_TO) ? 1 : 0;
                *inPlace += (event->mask & IN_MODIFY) ? 1 : 0;
            }
            at += sizeof(inotify_event) + event->len;
        }
    }
    if (fd >= 0)
        close(fd);
}

void measureLargeLatencies(const QString &path, const QDate &today, const QString &firstWeek, Large &large)
{
    for (int k = 1; k <= 10; ++k)
        large.week << timedGetJobs(today.addDays(7 * k + 3));
    for (int k = 1; k <= 3; ++k)
        large.year << timedRange(today.addYears(-k), today.addYears(-k).addDays(364));
    const QString start = today.addYears(-1).startOfDay().toString(Qt::ISODate);
    const QString end = today.startOfDay().toString(Qt::ISODate);
    for (const char *key : {"dentist", "retro", "Board"}) {
        const QString query = QStringLiteral("{\"Key\":\"%1\",\"Start\":\"%2\",\"End\":\"%3\"}")
                                  .arg(QLatin1String(key), start, end);
        large.search << timedCall(QStringLiteral("QueryJobs"), {query});
    }
    const qint64 id = singleJobOf(firstWeek);
    const QDBusMessage job = callServer(QStringLiteral("GetJob"), {id});
    if (id == 0 || job.type() != QDBusMessage::ReplyMessage) {
        Bench::note(QStringLiteral("100,000 events: no single event in the week to change"));
        return;
    }
    QJsonObject object = QJsonDocument::fromJson(job.arguments().value(0).toString().toUtf8()).object();
    for (int k = 0; k < 3; ++k) {
        object.insert(QStringLiteral("Title"), QStringLiteral("Renamed %1").arg(k));
        const QString text = QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Compact));
        const QByteArray before = readAll(path);
        watchWrites(
            path, [&] { large.update << timedCall(QStringLiteral("UpdateJob"), {text}); }, &large.replaces,
            &large.writesInPlace);
        large.restIntact = large.restIntact && changedWithinOneEvent(before, readAll(path));
    }
}

void measureLarge(const QString &directory)
{
    const QDate today = QDate::currentDate();
    const QString path = QDir(directory).filePath(QStringLiteral("export.ics"));
    const QString emptyPath = QDir(directory).filePath(QStringLiteral("empty.ics"));
    const ExportCalendar::Made made = ExportCalendar::generate(today);
    if (!writeText(path, QString::fromUtf8(made.text)) ||
        !writeText(emptyPath,
                   QStringLiteral("BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Bench//Empty//EN\r\n"
                                  "END:VCALENDAR\r\n"))) {
        Bench::note(QStringLiteral("bench_dataserver: cannot write %1").arg(path));
        return;
    }
    const double fileMiB = made.text.size() / 1048576.0;
    Bench::note(QStringLiteral("100,000 events: %1 single, %2 series with %3 overrides and %4 EXDATEs, "
                               "%5 MiB as one file")
                    .arg(made.singles)
                    .arg(made.series)
                    .arg(made.overrides)
                    .arg(made.exdates)
                    .arg(fileMiB, 0, 'f', 1));
    Large large;
    for (int i = 0, runs = Bench::runs(3); i < runs; ++i) {
        const Started empty = startServer(emptyPath, today);
        if (empty.pid > 0)
            Bench::stopProcess(empty.pid);
        const Started bare = runBare(path);
        // The same file each run: an edit of the run before must not make the next start cheaper.
        writeText(path, QString::fromUtf8(made.text));
        Started server = startServer(path, today);
        if (bare.ms < 0 || server.ms < 0 || empty.ms < 0) {
            Bench::note(QStringLiteral("100,000 events: a start failed"));
            if (server.pid > 0)
                Bench::stopProcess(server.pid);
            return;
        }
        large.bareStart << bare.ms;
        large.barePeak << bare.peakMiB;
        large.serverStart << server.ms;
        large.emptyPeak << empty.peakMiB;
        // The index this start keeps, a second after it, and the next start with it.
        QThread::msleep(2500);
        const bool kept = !QDir(indexCache()).entryList(QDir::Files).isEmpty();
        Bench::stopProcess(server.pid);
        const Started warm = startServer(path, today, true);
        if (warm.ms < 0 || !kept) {
            Bench::note(QStringLiteral("100,000 events: no index kept, or no start with it"));
            if (warm.pid > 0)
                Bench::stopProcess(warm.pid);
            return;
        }
        large.warmStart << warm.ms;
        server.pid = warm.pid;
        Bench::note(QStringLiteral("100,000 events, run %1: peak %2 MiB at the first answer")
                        .arg(i + 1)
                        .arg(server.peakMiB, 0, 'f', 1));
        if (i == 0)
            measureLargeLatencies(path, today,
                                  getJobs(today, today.addDays(6)).arguments().value(0).toString(), large);
        large.serverPeak << Bench::procMiB(server.pid, "VmHWM");
        Bench::stopProcess(server.pid);
    }
    const auto inf = [](const QVector<double> &values) {
        return values.isEmpty() ? qInf() : Bench::median(values);
    };
    Bench::ratioRow(QStringLiteral("data server, 100,000 events: start to first 7-day GetJobs"),
                    Bench::median(large.serverStart), Bench::median(large.bareStart), QStringLiteral("ms"),
                    1.0);
    Bench::ratioRow(QStringLiteral("data server, 100,000 events: start to first 7-day GetJobs, index kept"),
                    Bench::median(large.warmStart), Bench::median(large.bareStart), QStringLiteral("ms"),
                    0.5);
    Bench::limitRow(QStringLiteral("data server, 100,000 events: 7-day GetJobs, a week not asked before"),
                    inf(large.week), QStringLiteral("ms"), 25);
    Bench::limitRow(QStringLiteral("data server, 100,000 events: a year's GetJobs"), inf(large.year),
                    QStringLiteral("ms"), 250);
    Bench::limitRow(QStringLiteral("data server, 100,000 events: QueryJobs over a year"), inf(large.search),
                    QStringLiteral("ms"), 250);
    const double limit = 1.5 * fileMiB + Bench::median(large.emptyPeak);
    Bench::row(QStringLiteral("data server, 100,000 events: peak memory (VmHWM)"),
               QString::number(Bench::median(large.serverPeak), 'f', 1) + QStringLiteral(" MiB"),
               QStringLiteral("%1 MiB empty, %2 MiB file; bare load %3 MiB")
                   .arg(Bench::median(large.emptyPeak), 0, 'f', 1)
                   .arg(fileMiB, 0, 'f', 1)
                   .arg(Bench::median(large.barePeak), 0, 'f', 1),
               0, QStringLiteral("≤ 1.5 × file + empty = %1 MiB").arg(limit, 0, 'f', 1),
               Bench::median(large.serverPeak) <= limit);
    const bool atomic = large.replaces == large.update.size() && large.writesInPlace == 0 && large.restIntact;
    Bench::row(QStringLiteral("data server, 100,000 events: UpdateJob of one event, one atomic replace"),
               QString::number(inf(large.update), 'f', 1) + QStringLiteral(" ms"), QStringLiteral("-"), 0,
               QStringLiteral("≤ 500 ms, one rename, the rest unchanged"),
               inf(large.update) <= 500 && atomic && !large.update.isEmpty());
    Bench::note(
        QStringLiteral("100,000 events: %1 renames and %2 writes in place over %3 updates; the rest of "
                       "the file %4")
            .arg(large.replaces)
            .arg(large.writesInPlace)
            .arg(large.update.size())
            .arg(large.restIntact ? QStringLiteral("unchanged") : QStringLiteral("CHANGED")));
}

} // namespace

int main(int argc, char **argv)
{
    // Every process of the run, the bench's own included, in the zone the calendar is written in.
    qputenv("TZ", zoneName);
    tzset();
    QLoggingCategory::setFilterRules(
        QStringLiteral("kf.calendarcore.warning=false\nkf.calendarcore.debug=false"));
    if (argc == 3 && qstrcmp(argv[1], "--bare") == 0)
        return bareLoad(QFile::decodeName(argv[2]));

    QCoreApplication app(argc, argv);
    // --write DIR: the calendars alone, for looking into the server with a profiler.
    // --write-large DIR [EVENTS]: the export alone.
    if ((argc == 3 || argc == 4) && qstrcmp(argv[1], "--write-large") == 0) {
        const QDir target(QFile::decodeName(argv[2]));
        ExportCalendar::Shape shape;
        if (argc == 4)
            shape.components = QByteArray(argv[3]).toInt();
        return writeText(target.filePath(QStringLiteral("export.ics")),
                         QString::fromUtf8(ExportCalendar::generate(QDate::currentDate(), shape).text))
                   ? 0
                   : 1;
    }
    if (argc == 3 && qstrcmp(argv[1], "--write") == 0) {
        const QDir target(QFile::decodeName(argv[2]));
        return writeCalendars(target.filePath(QStringLiteral("calendar.ics")),
                              target.filePath(QStringLiteral("calendar")), QDate::currentDate())
                   ? 0
                   : 1;
    }
    if (!QDBusConnection::sessionBus().isConnected()) {
        Bench::note(QStringLiteral("bench_dataserver: no session bus; skipped"));
        return 0;
    }
    if (QDBusConnection::sessionBus().interface()->isServiceRegistered(service)) {
        Bench::note(
            QStringLiteral("bench_dataserver: a calendar data server already runs on this bus; skipped"));
        return 0;
    }
    QTemporaryDir dir;
    // --large: the 100,000-event export alone.
    if (argc == 2 && qstrcmp(argv[1], "--large") == 0) {
        measureLarge(dir.path());
        return 0;
    }
    const QString file = dir.filePath(QStringLiteral("calendar.ics"));
    const QString directory = dir.filePath(QStringLiteral("calendar"));
    if (!writeCalendars(file, directory, QDate::currentDate())) {
        Bench::note(QStringLiteral("bench_dataserver: cannot write the calendars into %1").arg(dir.path()));
        return 1;
    }
    Bench::note(QStringLiteral("data server calendar: 5,000 events (500 recurring), %1 bytes as one file")
                    .arg(QFileInfo(file).size()));

    Figures single, many;
    measureForm(QStringLiteral("one .ics"), file, file, single);
    report(QStringLiteral("one .ics"), single);
    measureForm(QStringLiteral("directory"), directory,
                QDir(directory).filePath(QStringLiteral("bench-4999@tasklist.ics")), many);
    report(QStringLiteral("5,000 files"), many);
    measureSyncs(dir.path());

    // One event of today whose description is a single unfolded line of 16 MiB: the library's
    // reader is quadratic in the length of a physical line.
    const QString longLine = dir.filePath(QStringLiteral("long-line.ics"));
    const QString today = QDate::currentDate().toString(QStringLiteral("yyyyMMdd"));
    if (!writeText(longLine, QStringLiteral("BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Bench//Long//EN\r\n"
                                            "BEGIN:VEVENT\r\nUID:long-line\r\nDTSTART:%1T090000Z\r\n"
                                            "DURATION:PT1H\r\nSUMMARY:Long notes\r\nDESCRIPTION:%2\r\n"
                                            "END:VEVENT\r\nEND:VCALENDAR\r\n")
                                 .arg(today, QString(16 * 1024 * 1024, QLatin1Char('x'))))) {
        Bench::note(QStringLiteral("bench_dataserver: cannot write %1").arg(longLine));
        return 1;
    }
    QVector<double> longStarts;
    for (int i = 0, runs = Bench::runs(3); i < runs; ++i) {
        const Started server = startServer(longLine, QDate::currentDate());
        if (server.pid > 0)
            Bench::stopProcess(server.pid);
        if (server.ms < 0)
            break;
        longStarts << server.ms;
    }
    Bench::limitRow(QStringLiteral("data server, 16 MiB unfolded property: start to first answer"),
                    longStarts.isEmpty() ? qInf() : Bench::median(longStarts), QStringLiteral("ms"), 2000);

    measureOverrides(dir.filePath(QStringLiteral("overrides.ics")));
    measureDecade(dir.filePath(QStringLiteral("decade.ics")));
    measureLarge(dir.path());

    if (QStandardPaths::findExecutable(QStringLiteral("khal")).isEmpty())
        Bench::note(QStringLiteral("khal is not installed: no khal list figure"));
    else
        Bench::note(QStringLiteral("khal is installed, but its figure is not measured by this run"));
    return 0;
}

#include "bench_dataserver.moc"
