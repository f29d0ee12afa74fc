#include "calendaradaptor.h"
#include "calendarstore.h"
#include "configwatcher.h"
#include "democalendar.h"
#include "holidays.h"
#include "serverconfig.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDir>
#include <QLoggingCategory>
#include <QSaveFile>

#include <memory>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("tasklist-dataserver"));
    qSetMessagePattern(QStringLiteral("tasklist-dataserver: %{message}"));
    // The library's own parse warnings dump whole files; bad files are reported here instead.
    QLoggingCategory::setFilterRules(
        QStringLiteral("kf.calendarcore.warning=false\nkf.calendarcore.debug=false"));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Serves iCalendar files on the session bus as " DATASERVER_SERVICE ".\n"
                       "Without calendars on the command line, serves those listed in %1, "
                       "which the first start writes, and follows its changes.")
            .arg(ServerConfig::filePath()));
    parser.addHelpOption();
    parser.addPositionalArgument(
        QStringLiteral("calendars"),
        QStringLiteral("iCalendar files (.ics) and directories of .ics files. New jobs go into the first."),
        QStringLiteral("[calendar...]"));
    const QCommandLineOption demo(
        QStringLiteral("demo"),
        QStringLiteral(
            "Write a demo calendar built around today into <dir> (as demo.ics) and serve it first."),
        QStringLiteral("dir"));
    const QCommandLineOption region(
        QStringLiteral("holiday-region"),
        QStringLiteral("Public holidays of this region (a KHolidays code such as de_de); \"none\" for none. "
                       "The default follows the locale."),
        QStringLiteral("code"));
    parser.addOption(demo);
    parser.addOption(region);
    parser.process(app);

    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        qCritical().noquote() << QStringLiteral("no session bus: %1").arg(bus.lastError().message());
        return 1;
    }

    // Started by the bus, the server is the session's: it ends with it instead of lingering.
    bus.connect(QString(), QStringLiteral("/org/freedesktop/DBus/Local"),
                QStringLiteral("org.freedesktop.DBus.Local"), QStringLiteral("Disconnected"), &app,
                SLOT(quit()));

    QStringList calendars = parser.positionalArguments();
    const bool configured = calendars.isEmpty() && !parser.isSet(demo);
    if (configured) {
        QString error;
        if (!ServerConfig::load(calendars, error)) {
            qCritical().noquote() << error;
            return 1;
        }
    }
    QString demoFile;
    if (parser.isSet(demo)) {
        const QDir dir(parser.value(demo));
        if (!dir.mkpath(QStringLiteral("."))) {
            qCritical().noquote() << QStringLiteral("cannot create %1").arg(dir.path());
            return 1;
        }
        demoFile = dir.absoluteFilePath(DemoCalendar::fileName());
        calendars.prepend(demoFile);
    }

    QObject root;
    CalendarStore store(calendars);
    const Holidays holidays(parser.value(region));
    new CalendarAdaptor(&store, &holidays, bus, &root);
    if (!bus.registerObject(QStringLiteral(DATASERVER_PATH), &root)) {
        qCritical().noquote()
            << QStringLiteral("cannot register " DATASERVER_PATH ": %1").arg(bus.lastError().message());
        return 1;
    }
    // Never queue for the name nor take it over: a running server stays undisturbed.
    const QDBusReply<QDBusConnectionInterface::RegisterServiceReply> reply = bus.interface()->registerService(
        QStringLiteral(DATASERVER_SERVICE), QDBusConnectionInterface::DontQueueService,
        QDBusConnectionInterface::DontAllowReplacement);
    if (!reply.isValid()) {
        qCritical().noquote()
            << QStringLiteral("cannot own " DATASERVER_SERVICE ": %1").arg(reply.error().message());
        return 1;
    }
    if (reply.value() != QDBusConnectionInterface::ServiceRegistered) {
        qCritical().noquote() << QStringLiteral(DATASERVER_SERVICE " is already owned on the session bus");
        return 1;
    }

    if (!demoFile.isEmpty()) {
        // The demo is built around today: start from an empty file each time.
        QSaveFile empty(demoFile);
        if (!empty.open(QIODevice::WriteOnly) || !empty.commit()) {
            qCritical().noquote() << QStringLiteral("cannot write %1: %2").arg(demoFile, empty.errorString());
            return 1;
        }
    }
    store.load();
    std::unique_ptr<ConfigWatcher> config;
    if (configured) {
        config = std::make_unique<ConfigWatcher>(ServerConfig::filePath(), calendars);
        QObject::connect(config.get(), &ConfigWatcher::calendarsChanged, &store,
                         &CalendarStore::setCalendars);
    }
    if (!demoFile.isEmpty()) {
        const QVector<ScheduleDataInfo> jobs = DemoCalendar::jobs(QDateTime::currentDateTime());
        for (const ScheduleDataInfo &job : jobs) {
            const CalendarStore::Result result = store.createJob(job);
            if (!result.ok())
                qWarning().noquote() << QStringLiteral("demo calendar: %1").arg(result.message);
        }
    }
    return app.exec();
}
