#include "globalshortcut.h"

#include "desktoplog.h"

#include <QDBusArgument>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QKeySequence>

#include <functional>

namespace {

const char portalPath[] = "/org/freedesktop/portal/desktop";
const char portalInterface[] = "org.freedesktop.portal.GlobalShortcuts";
const char requestInterface[] = "org.freedesktop.portal.Request";
const char kglobalaccelPath[] = "/kglobalaccel";
const char kglobalaccelInterface[] = "org.kde.KGlobalAccel";
const char componentInterface[] = "org.kde.kglobalaccel.Component";
const char shortcutId[] = "focus";

// KGlobalAccel's setShortcut flags: the key is the one in use, and is not replaced by one the
// daemon kept from earlier; the settings are where the user changes it.
constexpr uint setPresent = 2;
constexpr uint noAutoloading = 4;

struct PortalShortcut
{
    QString id;
    QVariantMap properties;
};

QDBusArgument &operator<<(QDBusArgument &argument, const PortalShortcut &shortcut)
{
    argument.beginStructure();
    argument << shortcut.id << shortcut.properties;
    argument.endStructure();
    return argument;
}

const QDBusArgument &operator>>(const QDBusArgument &argument, PortalShortcut &shortcut)
{
    argument.beginStructure();
    argument >> shortcut.id >> shortcut.properties;
    argument.endStructure();
    return argument;
}

} // namespace

Q_DECLARE_METATYPE(PortalShortcut)

namespace {

void registerTypes()
{
    static const bool once = [] {
        qDBusRegisterMetaType<PortalShortcut>();
        qDBusRegisterMetaType<QList<PortalShortcut>>();
        qDBusRegisterMetaType<QList<int>>();
        return true;
    }();
    Q_UNUSED(once)
}

int combinedKey(const QString &key)
{
    const QKeySequence sequence = QKeySequence::fromString(key, QKeySequence::PortableText);
    if (sequence.isEmpty())
        return 0;
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    return sequence[0].toCombined();
#else
    return sequence[0];
#endif
}

void callAsync(const QDBusConnection &bus, const QDBusMessage &call, QObject *context,
               const std::function<void(const QDBusMessage &)> &done)
{
    auto *watcher = new QDBusPendingCallWatcher(bus.asyncCall(call), context);
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, context,
                     [done](QDBusPendingCallWatcher *finished) {
                         finished->deleteLater();
                         done(finished->reply());
                     });
}

QStringList kglobalaccelActionId(const QString &component)
{
    return {component, QLatin1String(shortcutId), GlobalShortcut::tr("Calendar widget"),
            GlobalShortcut::tr("Show the panel and give it the keyboard")};
}

} // namespace

const char GlobalShortcut::portalService[] = "org.freedesktop.portal.Desktop";
const char GlobalShortcut::kglobalaccelService[] = "org.kde.kglobalaccel";

GlobalShortcut::GlobalShortcut(const QString &component, const QDBusConnection &bus, QObject *parent)
    : QObject(parent)
    , component(component)
    , bus(bus)
{
    registerTypes();
}

GlobalShortcut::~GlobalShortcut()
{
    closePortalSession();
}

QString GlobalShortcut::portalTrigger(const QString &key)
{
    const int combined = combinedKey(key);
    if (!combined)
        return {};
    QStringList parts;
    if (combined & Qt::ControlModifier)
        parts << QStringLiteral("CTRL");
    if (combined & Qt::AltModifier)
        parts << QStringLiteral("ALT");
    if (combined & Qt::ShiftModifier)
        parts << QStringLiteral("SHIFT");
    if (combined & Qt::MetaModifier)
        parts << QStringLiteral("LOGO");
    // The key by its keysym name: "c", "space", "F5".
    QString name = QKeySequence(combined & ~Qt::KeyboardModifierMask).toString(QKeySequence::PortableText);
    if (name.size() == 1 || name == QLatin1String("Space"))
        name = name.toLower();
    parts << name;
    return parts.join(QLatin1Char('+'));
}

void GlobalShortcut::bind(const QString &newKey)
{
    key = newKey;
    if (!bus.isConnected()) {
        settle(Backend::None);
        return;
    }
    if (!started) {
        started = true;
        registerWithPortal();
        createPortalSession();
        return;
    }
    switch (used) {
    case Backend::Portal:
        // A session binds its shortcuts once: a new key needs a new session.
        closePortalSession();
        createPortalSession();
        break;
    case Backend::KGlobalAccel:
        setKGlobalAccelKey();
        break;
    case Backend::Pending:
    case Backend::None:
        break;
    }
}

// A program outside a sandbox says which it is, by its desktop file, before its first request: the
// desktop lists the shortcut under it. Portals older than 1.19 know no such call, and need none.
void GlobalShortcut::registerWithPortal()
{
    QDBusMessage call = QDBusMessage::createMethodCall(
        QLatin1String(portalService), QLatin1String(portalPath),
        QStringLiteral("org.freedesktop.host.portal.Registry"), QStringLiteral("Register"));
    call << QStringLiteral("nvx-calendar-desktop-widget") << QVariantMap();
    bus.send(call);
}

QString GlobalShortcut::nextRequestPath(QString *token)
{
    *token = QStringLiteral("nvx_calendar_%1").arg(++requests);
    QString sender = bus.baseService().mid(1);
    sender.replace(QLatin1Char('.'), QLatin1Char('_'));
    return QStringLiteral("%1/request/%2/%3").arg(QLatin1String(portalPath), sender, *token);
}

// Subscribed before the call: the answer may come before the call's own reply.
void GlobalShortcut::watchRequest(const QString &path)
{
    bus.connect(QLatin1String(portalService), path, QLatin1String(requestInterface),
                QStringLiteral("Response"), this, SLOT(onRequestResponse(QDBusMessage)));
}

void GlobalShortcut::createPortalSession()
{
    QString token;
    createPath = nextRequestPath(&token);
    watchRequest(createPath);
    QDBusMessage call =
        QDBusMessage::createMethodCall(QLatin1String(portalService), QLatin1String(portalPath),
                                       QLatin1String(portalInterface), QStringLiteral("CreateSession"));
    call << QVariantMap{
        {QStringLiteral("handle_token"), token},
        {QStringLiteral("session_handle_token"), QStringLiteral("nvx_calendar_%1").arg(requests)}};
    callAsync(bus, call, this, [this](const QDBusMessage &reply) {
        if (reply.type() != QDBusMessage::ErrorMessage)
            return;
        qCDebug(lcDesktop).noquote() << "No global shortcuts portal:" << reply.errorMessage();
        bus.disconnect(QLatin1String(portalService), createPath, QLatin1String(requestInterface),
                       QStringLiteral("Response"), this, SLOT(onRequestResponse(QDBusMessage)));
        createPath.clear();
        if (used == Backend::Pending)
            registerKGlobalAccel();
    });
}

void GlobalShortcut::onRequestResponse(const QDBusMessage &message)
{
    const QString path = message.path();
    bus.disconnect(QLatin1String(portalService), path, QLatin1String(requestInterface),
                   QStringLiteral("Response"), this, SLOT(onRequestResponse(QDBusMessage)));
    const QVariantList arguments = message.arguments();
    const uint response = arguments.value(0).toUInt();
    const QVariantMap results = qdbus_cast<QVariantMap>(arguments.value(1));
    if (path == createPath) {
        createPath.clear();
        sessionPath = results.value(QStringLiteral("session_handle")).toString();
        if (response != 0 || sessionPath.isEmpty()) {
            qCInfo(lcDesktop) << "The desktop made no session for a global shortcut: use --focus.";
            settle(Backend::None);
            return;
        }
        bus.connect(QLatin1String(portalService), QLatin1String(portalPath), QLatin1String(portalInterface),
                    QStringLiteral("Activated"), this,
                    SLOT(onPortalActivated(QDBusObjectPath, QString, qulonglong, QVariantMap)));
        bindPortalShortcut();
    } else if (path == bindPath) {
        bindPath.clear();
        if (response != 0)
            qCInfo(lcDesktop) << "The global shortcut was not bound: use --focus.";
        settle(response == 0 ? Backend::Portal : Backend::None);
    }
}

void GlobalShortcut::bindPortalShortcut()
{
    QString token;
    bindPath = nextRequestPath(&token);
    watchRequest(bindPath);
    const QList<PortalShortcut> shortcuts{
        {QLatin1String(shortcutId),
         {{QStringLiteral("description"), tr("Show the calendar panel and give it the keyboard")},
          {QStringLiteral("preferred_trigger"), portalTrigger(key)}}}};
    QDBusMessage call =
        QDBusMessage::createMethodCall(QLatin1String(portalService), QLatin1String(portalPath),
                                       QLatin1String(portalInterface), QStringLiteral("BindShortcuts"));
    call << QVariant::fromValue(QDBusObjectPath(sessionPath)) << QVariant::fromValue(shortcuts) << QString()
         << QVariantMap{{QStringLiteral("handle_token"), token}};
    callAsync(bus, call, this, [this](const QDBusMessage &reply) {
        if (reply.type() == QDBusMessage::ErrorMessage) {
            qCWarning(lcDesktop).noquote() << "Cannot bind the global shortcut:" << reply.errorMessage();
            settle(Backend::None);
        }
    });
}

void GlobalShortcut::closePortalSession()
{
    if (sessionPath.isEmpty())
        return;
    bus.disconnect(QLatin1String(portalService), QLatin1String(portalPath), QLatin1String(portalInterface),
                   QStringLiteral("Activated"), this,
                   SLOT(onPortalActivated(QDBusObjectPath, QString, qulonglong, QVariantMap)));
    bus.send(QDBusMessage::createMethodCall(QLatin1String(portalService), sessionPath,
                                            QStringLiteral("org.freedesktop.portal.Session"),
                                            QStringLiteral("Close")));
    sessionPath.clear();
}

void GlobalShortcut::onPortalActivated(const QDBusObjectPath &session, const QString &id,
                                       qulonglong timestamp, const QVariantMap &options)
{
    Q_UNUSED(timestamp)
    Q_UNUSED(options)
    if (session.path() == sessionPath && id == QLatin1String(shortcutId))
        Q_EMIT activated();
}

void GlobalShortcut::registerKGlobalAccel()
{
    // Only where it runs or Plasma is the desktop: elsewhere the call would start a daemon that
    // grabs keys for a desktop that never asked for it.
    const bool running = bus.interface()->isServiceRegistered(QLatin1String(kglobalaccelService));
    if (!running && !qEnvironmentVariable("XDG_CURRENT_DESKTOP").contains(QLatin1String("KDE"))) {
        qCInfo(lcDesktop) << "The desktop offers no global shortcuts: bind a key to run --focus.";
        settle(Backend::None);
        return;
    }
    QDBusMessage call =
        QDBusMessage::createMethodCall(QLatin1String(kglobalaccelService), QLatin1String(kglobalaccelPath),
                                       QLatin1String(kglobalaccelInterface), QStringLiteral("doRegister"));
    call << kglobalaccelActionId(component);
    callAsync(bus, call, this, [this](const QDBusMessage &reply) {
        if (reply.type() == QDBusMessage::ErrorMessage) {
            qCInfo(lcDesktop).noquote() << "KGlobalAccel does not answer:" << reply.errorMessage();
            settle(Backend::None);
            return;
        }
        QDBusMessage ask = QDBusMessage::createMethodCall(
            QLatin1String(kglobalaccelService), QLatin1String(kglobalaccelPath),
            QLatin1String(kglobalaccelInterface), QStringLiteral("getComponent"));
        ask << component;
        callAsync(bus, ask, this, [this](const QDBusMessage &answer) {
            componentPath = answer.arguments().isEmpty()
                                ? QString()
                                : qdbus_cast<QDBusObjectPath>(answer.arguments().constFirst()).path();
            if (!componentPath.isEmpty())
                bus.connect(QLatin1String(kglobalaccelService), componentPath,
                            QLatin1String(componentInterface), QStringLiteral("globalShortcutPressed"), this,
                            SLOT(onKGlobalAccelPressed(QString, QString, qlonglong)));
            setKGlobalAccelKey();
            settle(componentPath.isEmpty() ? Backend::None : Backend::KGlobalAccel);
        });
    });
}

void GlobalShortcut::setKGlobalAccelKey()
{
    QDBusMessage call =
        QDBusMessage::createMethodCall(QLatin1String(kglobalaccelService), QLatin1String(kglobalaccelPath),
                                       QLatin1String(kglobalaccelInterface), QStringLiteral("setShortcut"));
    const int combined = combinedKey(key);
    call << kglobalaccelActionId(component)
         << QVariant::fromValue(combined ? QList<int>{combined} : QList<int>{})
         << (setPresent | noAutoloading);
    bus.send(call);
}

void GlobalShortcut::onKGlobalAccelPressed(const QString &pressedComponent, const QString &action,
                                           qlonglong timestamp)
{
    Q_UNUSED(timestamp)
    if (pressedComponent == component && action == QLatin1String(shortcutId))
        Q_EMIT activated();
}

void GlobalShortcut::settle(Backend backend)
{
    if (backend == used)
        return;
    used = backend;
    Q_EMIT backendChanged(backend);
}
