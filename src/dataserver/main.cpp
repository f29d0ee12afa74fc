#include "accountpaths.h"
#include "accountsync.h"
#include "calendaradaptor.h"
#include "calendarcontract.h"
#include "calendarslist.h"
#include "calendarstore.h"
#include "configwatcher.h"
#include "democalendar.h"
#include "desktopcalendars.h"
#include "holidays.h"
#include "localzone.h"
#include "servercommandline.h"
#include "serverconfig.h"
#include "serverlog.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDir>
#include <QLoggingCategory>
#include <QSaveFile>

#include <memory>

namespace {

struct Options
{
    QStringList calendars;
    // Where the demo calendar goes; empty without --demo.
    QString demoDirectory;
    QString holidayRegion;
    int syncSeconds = AccountSync::defaultIntervalMs / 1000;
    // No calendars on the command line: those of calendars.conf, followed while the server runs.
    bool configured = false;
};

Options parseOptions(const QCoreApplication &app)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Serves iCalendar files on the session bus as " DBUS_SERVER_NAME ".\n"
                       "Without calendars on the command line, serves those listed in %1, "
                       "which the first start writes, and follows its changes.")
            .arg(CalendarsList::filePath()));
    parser.addHelpOption();
    ServerCommandLine::setUp(parser);
    parser.addVersionOption();
    const QCommandLineOption demo = ServerCommandLine::demoOption();
    const QCommandLineOption region = ServerCommandLine::holidayRegionOption();
    const QCommandLineOption sync = ServerCommandLine::syncIntervalOption();
    parser.process(app);

    Options options;
    options.calendars = parser.positionalArguments();
    options.configured = options.calendars.isEmpty() && !parser.isSet(demo);
    if (parser.isSet(demo))
        options.demoDirectory = parser.value(demo);
    options.holidayRegion = parser.value(region);
    if (parser.isSet(sync)) {
        bool ok = false;
        options.syncSeconds = parser.value(sync).toInt(&ok);
        if (!ok || options.syncSeconds < 1)
            parser.showHelp(1);
    }
    return options;
}

// The calendars to serve, the demo's file first: false, after saying why, when there are none to be had.
[[nodiscard]] bool resolveCalendars(Options &options, QString &demoFile)
{
    if (options.configured) {
        QString error;
        if (!ServerConfig::load(options.calendars, error)) {
            qCCritical(lcDataServer).noquote() << error;
            return false;
        }
    }
    if (options.demoDirectory.isEmpty())
        return true;
    const QDir dir(options.demoDirectory);
    if (!dir.mkpath(QStringLiteral("."))) {
        qCCritical(lcDataServer).noquote() << QStringLiteral("cannot create %1").arg(dir.path());
        return false;
    }
    demoFile = dir.absoluteFilePath(DemoCalendar::fileName());
    options.calendars.prepend(demoFile);
    return true;
}

// Never queues for the name nor takes it over: a running server stays undisturbed.
[[nodiscard]] bool claimBus(QDBusConnection &bus, QObject *root)
{
    if (!bus.registerObject(QStringLiteral(DBUS_SERVER_PATH), root)) {
        qCCritical(lcDataServer).noquote()
            << QStringLiteral("cannot register " DBUS_SERVER_PATH ": %1").arg(bus.lastError().message());
        return false;
    }
    const QDBusReply<QDBusConnectionInterface::RegisterServiceReply> reply = bus.interface()->registerService(
        QStringLiteral(DBUS_SERVER_NAME), QDBusConnectionInterface::DontQueueService,
        QDBusConnectionInterface::DontAllowReplacement);
    if (!reply.isValid()) {
        qCCritical(lcDataServer).noquote()
            << QStringLiteral("cannot own " DBUS_SERVER_NAME ": %1").arg(reply.error().message());
        return false;
    }
    if (reply.value() != QDBusConnectionInterface::ServiceRegistered) {
        qCCritical(lcDataServer).noquote()
            << QStringLiteral(DBUS_SERVER_NAME " is already owned on the session bus");
        return false;
    }
    return true;
}

// The demo is built around today: it starts from an empty file each time.
[[nodiscard]] bool emptyDemo(const QString &demoFile)
{
    QSaveFile empty(demoFile);
    if (!empty.open(QIODevice::WriteOnly) || !empty.commit()) {
        qCCritical(lcDataServer).noquote()
            << QStringLiteral("cannot write %1: %2").arg(demoFile, empty.errorString());
        return false;
    }
    return true;
}

void fillDemo(CalendarStore &store)
{
    const QVector<ScheduleDataInfo> jobs = DemoCalendar::jobs(QDateTime::currentDateTime());
    for (const ScheduleDataInfo &job : jobs) {
        const CalendarStore::Result result = store.createJob(job);
        if (!result.ok())
            qCWarning(lcDataServer).noquote() << QStringLiteral("demo calendar: %1").arg(result.message);
    }
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    // Akonadi's jobs hold quit locks: the last one finished would end the server.
    QCoreApplication::setQuitLockEnabled(false);
    QCoreApplication::setApplicationName(QStringLiteral(DATASERVER_PROGRAM));
    QCoreApplication::setApplicationVersion(QStringLiteral(DATASERVER_VERSION));
    qSetMessagePattern(QStringLiteral(DATASERVER_PROGRAM ": %{message}"));
    // The library's own parse warnings dump whole files; bad files are reported here instead.
    QLoggingCategory::setFilterRules(
        QStringLiteral("kf.calendarcore.warning=false\nkf.calendarcore.debug=false"));

    Options options = parseOptions(app);
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        qCCritical(lcDataServer).noquote()
            << QStringLiteral("no session bus: %1").arg(bus.lastError().message());
        return 1;
    }
    // Started by the bus, the server is the session's: it ends with it instead of lingering.
    bus.connect(QString(), QStringLiteral("/org/freedesktop/DBus/Local"),
                QStringLiteral("org.freedesktop.DBus.Local"), QStringLiteral("Disconnected"), &app,
                SLOT(quit()));

    QString demoFile;
    if (!resolveCalendars(options, demoFile))
        return 1;
    QObject root;
    CalendarStore store(options.calendars);
    const LocalZone zone(QDBusConnection::systemBus());
    QObject::connect(&zone, &LocalZone::changed, &store, &CalendarStore::localZoneChanged);
    // The desktop's calendars belong to the user's own calendar set, not to one given by hand. EDS
    // is asked first: its registry and calendars take longer to answer than the rest of the start.
    if (options.configured && DesktopCalendars::enabled())
        store.followDesktopCalendars();
    if (options.configured && DesktopCalendars::akonadi() != DesktopCalendars::AkonadiUse::Off)
        store.followAkonadi(DesktopCalendars::akonadi());
    const Holidays holidays(options.holidayRegion);
    new CalendarAdaptor(&store, &holidays, bus, &root);
    if (!claimBus(bus, &root))
        return 1;
    if (!demoFile.isEmpty() && !emptyDemo(demoFile))
        return 1;
    store.load();
    std::unique_ptr<ConfigWatcher> config;
    std::unique_ptr<AccountSync> accounts;
    if (options.configured) {
        // The online accounts of the settings, whose folders calendars.conf lists.
        accounts =
            std::make_unique<AccountSync>(AccountPaths::vdirsyncerConfig(), options.syncSeconds * 1000);
        accounts->syncNow();
        config = std::make_unique<ConfigWatcher>(CalendarsList::filePath(), options.calendars);
        QObject::connect(config.get(), &ConfigWatcher::calendarsChanged, &store,
                         &CalendarStore::setCalendars);
        QObject::connect(config.get(), &ConfigWatcher::desktopCalendarsChanged, &store,
                         &CalendarStore::followDesktopCalendars);
        QObject::connect(config.get(), &ConfigWatcher::akonadiChanged, &store, &CalendarStore::followAkonadi);
        QObject::connect(config.get(), &ConfigWatcher::myAddressesChanged, &store,
                         &CalendarStore::setMyAddresses);
    }
    if (!demoFile.isEmpty())
        fillDemo(store);
    return app.exec();
}
