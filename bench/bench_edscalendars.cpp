// tasklist-dataserver serving a calendar of Evolution Data Server of 5,000 events around today
// (BENCH_EDS_EVENTS sets another number), beside a bare libecal program, this one run with --bare,
// that connects to the same source and lists its objects.
//
// Start: from fork() to the first answer of a 7-day GetJobs of the coming week that holds the
// calendar's jobs of that week: the server answers from its files at once and serves EDS's calendars
// once their views have reported, which it tells with JobsUpdated, so it is asked again at each. The
// bare program's figure runs from fork() to its exit. EDS itself runs already for both (a first bare
// run starts it), as it does on a desktop. GetJobs latency: a 7-day GetJobs of weeks not asked
// before, once the calendar is in.
#include <libecal/libecal.h> // before any Qt header: GLib names a struct member `signals`

#include "benchutil.h"
#include "serverstart.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDate>
#include <QDir>
#include <QLocale>
#include <QStandardPaths>

namespace {

const char *const sourceUid = "tasklist-bench-eds";
const QString service = QStringLiteral("com.norvale.dataserver.Calendar");

int eventCount()
{
    bool ok = false;
    const int value = qEnvironmentVariableIntValue("BENCH_EDS_EVENTS", &ok);
    return ok && value > 0 ? value : 5000;
}

// The day of event i, a day of the two years around today; the coming week holds some of them.
int dayOffset(int i)
{
    return i % 730 - 365;
}

// The source and its local backend's file, written where EDS reads them: a registry that runs
// already sees the new source by its own file monitor.
bool writeCalendar(const QDate &today, int events)
{
    const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    QByteArray ics = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Norvale//bench//EN\r\n";
    for (int i = 0; i < events; ++i) {
        const QDate day = today.addDays(dayOffset(i));
        const QByteArray date = day.toString(QStringLiteral("yyyyMMdd")).toLatin1();
        const QByteArray hour = QByteArray::number(7 + i % 12).rightJustified(2, '0');
        ics += "BEGIN:VEVENT\r\nUID:bench-eds-" + QByteArray::number(i) +
               "\r\nDTSTAMP:20240101T000000Z\r\nDTSTART:" + date + 'T' + hour + "0000Z\r\nDTEND:" + date +
               'T' + hour + "3000Z\r\nSUMMARY:bench-eds " + QByteArray::number(i) +
               "\r\nDESCRIPTION:Generated for the benchmark\r\nEND:VEVENT\r\n";
    }
    ics += "END:VCALENDAR\r\n";
    const QString calendarDir = data + QStringLiteral("/evolution/calendar/") + QLatin1String(sourceUid);
    const QString sourcesDir = config + QStringLiteral("/evolution/sources");
    if (!QDir().mkpath(calendarDir) || !QDir().mkpath(sourcesDir))
        return false;
    QFile calendar(calendarDir + QStringLiteral("/calendar.ics"));
    if (!calendar.open(QIODevice::WriteOnly) || calendar.write(ics) != ics.size() || !calendar.flush())
        return false;
    QFile source(sourcesDir + QLatin1Char('/') + QLatin1String(sourceUid) + QStringLiteral(".source"));
    const QByteArray text = "[Data Source]\nDisplayName=Bench\nEnabled=true\nParent=local-stub\n\n"
                            "[Calendar]\nBackendName=local\nSelected=true\nColor=#3465a4\n";
    return source.open(QIODevice::WriteOnly) && source.write(text) == text.size() && source.flush();
}

// --bare: the library's own way to the calendar's objects, on a GLib main loop of its own.
struct Bare
{
    GMainLoop *loop = g_main_loop_new(nullptr, FALSE);
    ESourceRegistry *registry = nullptr;
    ECalClient *client = nullptr;
    int count = -1;

    void fail(GError *error)
    {
        Bench::note(QStringLiteral("bench_edscalendars --bare: %1").arg(QString::fromUtf8(error->message)));
        g_error_free(error);
        g_main_loop_quit(loop);
    }

    static void listed(GObject *object, GAsyncResult *result, gpointer data)
    {
        auto *bare = static_cast<Bare *>(data);
        GSList *objects = nullptr;
        GError *error = nullptr;
        if (!e_cal_client_get_object_list_finish(E_CAL_CLIENT(object), result, &objects, &error))
            return bare->fail(error);
        bare->count = int(g_slist_length(objects));
        g_slist_free_full(objects, g_object_unref);
        g_main_loop_quit(bare->loop);
    }

    static void connected(GObject *, GAsyncResult *result, gpointer data)
    {
        auto *bare = static_cast<Bare *>(data);
        GError *error = nullptr;
        EClient *client = e_cal_client_connect_finish(result, &error);
        if (!client)
            return bare->fail(error);
        bare->client = E_CAL_CLIENT(client);
        e_cal_client_get_object_list(bare->client, "#t", nullptr, &Bare::listed, bare);
    }

    static void registryReady(GObject *, GAsyncResult *result, gpointer data)
    {
        auto *bare = static_cast<Bare *>(data);
        GError *error = nullptr;
        bare->registry = e_source_registry_new_finish(result, &error);
        if (!bare->registry)
            return bare->fail(error);
        ESource *source = e_source_registry_ref_source(bare->registry, sourceUid);
        if (!source) {
            Bench::note(QStringLiteral("bench_edscalendars --bare: the registry has no %1").arg(sourceUid));
            g_main_loop_quit(bare->loop);
            return;
        }
        e_cal_client_connect(source, E_CAL_CLIENT_SOURCE_TYPE_EVENTS, 30, nullptr, &Bare::connected, bare);
        g_object_unref(source);
    }
};

int bareList()
{
    Bare bare;
    e_source_registry_new(nullptr, &Bare::registryReady, &bare);
    g_main_loop_run(bare.loop);
    if (bare.client)
        g_object_unref(bare.client);
    if (bare.registry)
        g_object_unref(bare.registry);
    g_main_loop_unref(bare.loop);
    return bare.count == eventCount() ? 0 : 1;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc == 2 && qstrcmp(argv[1], "--bare") == 0)
        return bareList();
    QCoreApplication app(argc, argv);
    if (!QDBusConnection::sessionBus().isConnected() ||
        QDBusConnection::sessionBus().interface()->isServiceRegistered(service)) {
        Bench::note(
            QStringLiteral("bench_edscalendars: no session bus, or a data server runs on it; skipped"));
        return 0;
    }
    const QStringList activatable =
        QDBusConnection::sessionBus().interface()->activatableServiceNames().value();
    if (!activatable.contains(QStringLiteral("org.gnome.evolution.dataserver.Sources5"))) {
        Bench::note(QStringLiteral("bench_edscalendars: Evolution Data Server is not installed; skipped"));
        return 0;
    }
    const QDate today = QDate::currentDate();
    const int events = eventCount();
    if (!writeCalendar(today, events)) {
        Bench::note(QStringLiteral("bench_edscalendars: cannot write the calendar"));
        return 1;
    }
    int expected = 0;
    for (int i = 0; i < events; ++i)
        expected += dayOffset(i) >= 0 && dayOffset(i) <= 6;
    Bench::note(QStringLiteral("EDS calendar: %1 events, %2 in the coming week").arg(events).arg(expected));

    // The first run starts EDS and lets its backend read the calendar: not measured.
    if (Bench::runBare() < 0) {
        Bench::note(QStringLiteral("bench_edscalendars: the bare libecal program failed"));
        return 1;
    }
    return Bench::measureStarts(today, QStringLiteral("EDS calendar"), QStringLiteral("bench-eds "), expected,
                                events);
}
