#include "calendardbusui.h"

#include "desktoplog.h"
#include "mimeapps.h"

#include <QCoreApplication>
#include <QDBusConnectionInterface>
#include <QDBusPendingCallWatcher>
#include <QDebug>
#include <QProcess>

namespace {

void startFromExec(const MimeApps::DesktopEntry &app)
{
    QStringList arguments = MimeApps::execArguments(app);
    if (arguments.isEmpty()) {
        qCWarning(lcDesktop).noquote()
            << QStringLiteral("The calendar application's desktop file \"%1\" has no command "
                              "that can be started.")
                   .arg(app.path);
        return;
    }
    const QString program = arguments.takeFirst();
    if (!QProcess::startDetached(program, arguments, app.workingDirectory)) {
        qCWarning(lcDesktop).noquote()
            << QStringLiteral("Cannot start the calendar application \"%1\" (%2) with \"%3\".")
                   .arg(app.name, app.path, program);
        return;
    }
    qCInfo(lcDesktop).noquote() << QStringLiteral(
                                       "No program owns \"com.norvale.Calendar\": started the calendar "
                                       "application \"%1\" (%2).")
                                       .arg(app.name, app.path);
}

// The desktop entry's id names the application on the bus, and its path follows from the name.
void activate(const MimeApps::DesktopEntry &app, const QDBusConnection &bus)
{
    QString name = app.id;
    name.chop(int(qstrlen(".desktop")));
    QString path = QLatin1Char('/') + name;
    path.replace(QLatin1Char('.'), QLatin1Char('/')).replace(QLatin1Char('-'), QLatin1Char('_'));
    QDBusMessage call = QDBusMessage::createMethodCall(
        name, path, QStringLiteral("org.freedesktop.Application"), QStringLiteral("Activate"));
    call << QVariantMap();
    auto *watcher =
        new QDBusPendingCallWatcher(QDBusConnection(bus).asyncCall(call), QCoreApplication::instance());
    QObject::connect(
        watcher, &QDBusPendingCallWatcher::finished, watcher, [app, name](QDBusPendingCallWatcher *finished) {
            finished->deleteLater();
            if (!finished->isError()) {
                qCInfo(lcDesktop).noquote()
                    << QStringLiteral("No program owns \"com.norvale.Calendar\": asked the calendar "
                                      "application \"%1\" (%2) to show itself.")
                           .arg(app.name, app.path);
                return;
            }
            qCDebug(lcDesktop) << "Activating" << name << "failed:" << finished->error().message();
            if (!app.exec.isEmpty())
                startFromExec(app);
            else
                qCWarning(lcDesktop).noquote()
                    << QStringLiteral("The calendar application \"%1\" (%2) could not be "
                                      "activated: %3")
                           .arg(app.name, app.path, finished->error().message());
        });
}

} // namespace

CalendarDbusUI::CalendarDbusUI(const QString &service, const QString &path, const QDBusConnection &connection,
                               QObject *parent)
    : QDBusAbstractInterface(service, path, staticInterfaceName(), connection, parent)
{
}

CalendarDbusUI *CalendarDbusUI::instance()
{
    static CalendarDbusUI openSchedule(QStringLiteral("com.norvale.Calendar"),
                                       QStringLiteral("/com/norvale/Calendar"),
                                       QDBusConnection::sessionBus());
    return &openSchedule;
}

void CalendarDbusUI::request(const QString &member, const QVariantList &arguments)
{
    if (!connection().isConnected()) {
        startCalendarApplication(connection());
        return;
    }
    // Still one-way for the application: its answer is read only for the bus's news that nobody
    // has the name, which comes at once; any other answer, or none, is of no interest.
    auto *watcher = new QDBusPendingCallWatcher(asyncCallWithArgumentList(member, arguments), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher *finished) {
        finished->deleteLater();
        if (finished->error().type() == QDBusError::ServiceUnknown)
            startCalendarApplication(connection());
    });
}

bool CalendarDbusUI::hasApplication() const
{
    const QDBusConnectionInterface *bus = connection().interface();
    return bus && bus->isServiceRegistered(service()).value();
}

void startCalendarApplication(const QDBusConnection &bus)
{
    const MimeApps::DesktopEntry app = MimeApps::preferredApplication(
        QStringLiteral("text/calendar"), MimeApps::Directories::fromEnvironment());
    if (app.path.isEmpty())
        qCWarning(lcDesktop).noquote()
            << QStringLiteral("No program owns \"com.norvale.Calendar\", and no application "
                              "handles text/calendar: there is no calendar to open.");
    else if (app.dbusActivatable && bus.isConnected())
        activate(app, bus);
    else
        startFromExec(app);
}
