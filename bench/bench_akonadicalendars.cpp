// tasklist-dataserver serving an Akonadi calendar of 5,000 events around today
// (BENCH_AKONADI_EVENTS sets another number), beside a bare Akonadi program, this one run with
// --bare, that finds the same collection and fetches its items with their payloads.
//
// Akonadi runs on the benchmark's private bus with SQLite, its iCalendar file resource serving a
// file the benchmark writes; it has read the file and a bare run has fetched it once before any
// figure, as on a desktop where Akonadi runs already. Start: from fork() to the first answer of a
// 7-day GetJobs of the coming week that holds the calendar's jobs of that week; the bare program's
// figure runs from fork() to its exit. GetJobs latency: a 7-day GetJobs of weeks not asked before,
// once the calendar is in.
#include "akonadiresource.h"
#include "benchutil.h"
#include "serverstart.h"

#include <Akonadi/CollectionFetchJob>
#include <Akonadi/CollectionFetchScope>
#include <Akonadi/ItemFetchJob>
#include <Akonadi/ItemFetchScope>

#include <KCalendarCore/Event>

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusInterface>
#include <QDBusReply>
#include <QDir>
#include <QLocale>
#include <QProcess>
#include <QStandardPaths>
#include <QThread>

namespace {

const QString calendarName = QStringLiteral("Bench");
const QString controlService = QStringLiteral("org.freedesktop.Akonadi.Control");
const QString serverService = QStringLiteral("org.freedesktop.Akonadi");

int eventCount()
{
    bool ok = false;
    const int value = qEnvironmentVariableIntValue("BENCH_AKONADI_EVENTS", &ok);
    return ok && value > 0 ? value : 5000;
}

// The day of event i, a day of the two years around today; the coming week holds some of them.
int dayOffset(int i)
{
    return i % 730 - 365;
}

QString calendarPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/bench-akonadi.ics");
}

bool writeFile(const QString &path, const QByteArray &text)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(text) == text.size() && file.flush();
}

bool writeCalendar(const QDate &today, int events)
{
    QByteArray ics = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Norvale//bench//EN\r\n";
    for (int i = 0; i < events; ++i) {
        const QByteArray date = today.addDays(dayOffset(i)).toString(QStringLiteral("yyyyMMdd")).toLatin1();
        const QByteArray hour = QByteArray::number(7 + i % 12).rightJustified(2, '0');
        ics += "BEGIN:VEVENT\r\nUID:bench-akonadi-" + QByteArray::number(i) +
               "\r\nDTSTAMP:20240101T000000Z\r\nDTSTART:" + date + 'T' + hour + "0000Z\r\nDTEND:" + date +
               'T' + hour + "3000Z\r\nSUMMARY:bench-akonadi " + QByteArray::number(i) +
               "\r\nDESCRIPTION:Generated for the benchmark\r\nEND:VEVENT\r\n";
    }
    ics += "END:VCALENDAR\r\n";
    return writeFile(calendarPath(), ics);
}

// --bare: the library's own way to the collection's events, on Qt's event loop.
int bareFetch(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    int count = -1;
    auto *collections =
        new Akonadi::CollectionFetchJob(Akonadi::Collection::root(), Akonadi::CollectionFetchJob::Recursive);
    collections->fetchScope().setContentMimeTypes({KCalendarCore::Event::eventMimeType()});
    QObject::connect(collections, &KJob::result, &app, [&count, collections] {
        const Akonadi::Collection::List found = collections->collections();
        const auto bench = std::find_if(found.cbegin(), found.cend(), [](const Akonadi::Collection &c) {
            return c.displayName() == calendarName;
        });
        if (collections->error() || bench == found.cend()) {
            QCoreApplication::exit(1);
            return;
        }
        auto *items = new Akonadi::ItemFetchJob(*bench);
        items->fetchScope().fetchFullPayload(true);
        QObject::connect(items, &KJob::result, qApp, [&count, items] {
            count = 0;
            const Akonadi::Item::List list = items->items();
            for (const Akonadi::Item &item : list)
                count += item.hasPayload<KCalendarCore::Incidence::Ptr>();
            QCoreApplication::exit(items->error() ? 1 : 0);
        });
    });
    return app.exec() == 0 && count == eventCount() ? 0 : 1;
}

using AkonadiResource::registered;

template<typename Test> bool waitFor(Test test, int ms)
{
    const double start = Bench::nowMs();
    while (!test()) {
        if (Bench::nowMs() - start > ms)
            return false;
        QThread::msleep(100);
    }
    return true;
}

// Akonadi with SQLite and no agents of its own, and an iCalendar resource on the calendar.
bool startAkonadi()
{
    if (!AkonadiResource::prepareHome())
        return false;
    QProcess::startDetached(QStringLiteral("akonadictl"), {QStringLiteral("start")});
    if (!waitFor([] { return registered(serverService) && registered(controlService); }, 60000))
        return false;
    return !AkonadiResource::addICalendar(calendarPath(), calendarName, false, 30000).isEmpty();
}

void stopAkonadi()
{
    QProcess::execute(QStringLiteral("akonadictl"), {QStringLiteral("stop")});
    waitFor([] { return !registered(controlService); }, 30000);
}

int expectedThisWeek(int events)
{
    int expected = 0;
    for (int i = 0; i < events; ++i)
        expected += dayOffset(i) >= 0 && dayOffset(i) <= 6;
    return expected;
}

// The rows, once Akonadi holds the calendar.
int measure(const QDate &today, int events)
{
    const int expected = expectedThisWeek(events);
    return Bench::measureStarts(today, QStringLiteral("Akonadi calendar"), QStringLiteral("bench-akonadi "),
                                expected, events);
}

} // namespace

int main(int argc, char **argv)
{
    if (argc == 2 && qstrcmp(argv[1], "--bare") == 0)
        return bareFetch(argc, argv);
    QCoreApplication app(argc, argv);
    if (!QDBusConnection::sessionBus().isConnected() ||
        registered(QStringLiteral("com.norvale.dataserver.Calendar")) || registered(controlService)) {
        Bench::note(
            QStringLiteral("bench_akonadicalendars: no private session bus, or a data server or Akonadi "
                           "runs on it; skipped"));
        return 0;
    }
    const QDate today = QDate::currentDate();
    const int events = eventCount();
    if (!writeCalendar(today, events) || !startAkonadi()) {
        Bench::note(
            QStringLiteral("bench_akonadicalendars: Akonadi or its iCalendar resource did not start"));
        stopAkonadi();
        return 1;
    }
    Bench::note(QStringLiteral("Akonadi calendar: %1 events, %2 in the coming week")
                    .arg(events)
                    .arg(expectedThisWeek(events)));
    // The resource reads the file into Akonadi's database in batches: done once a bare run sees it all.
    const bool synced = waitFor([] { return Bench::runBare() >= 0; }, 180000);
    const int status = synced ? measure(today, events) : 1;
    if (!synced)
        Bench::note(
            QStringLiteral("bench_akonadicalendars: Akonadi did not hold the whole calendar in 3 minutes"));
    stopAkonadi();
    return status;
}
