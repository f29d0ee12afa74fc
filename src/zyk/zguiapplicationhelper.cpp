#include "zguiapplicationhelper.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusVariant>
#include <QGuiApplication>
#include <QPalette>
#include <QPointer>

#include <utility>

namespace Zyk {
namespace Gui {
namespace {
const QString portalService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString portalPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString portalInterface = QStringLiteral("org.freedesktop.portal.Settings");
const QString appearanceNamespace = QStringLiteral("org.freedesktop.appearance");
const QString colorSchemeKey = QStringLiteral("color-scheme");

// Settings.Read answers a variant holding the value's variant; the newer ReadOne and the
// SettingChanged signal carry the value's variant alone. Unwrap as many levels as there are.
QVariant unwrapped(QVariant value)
{
    while (value.userType() == qMetaTypeId<QDBusVariant>())
        value = value.value<QDBusVariant>().variant();
    return value;
}

int colorSchemeFrom(const QVariant &value)
{
    const QVariant plain = unwrapped(value);
    bool ok = false;
    const uint scheme = plain.toUInt(&ok);
    return ok && scheme <= 2 ? int(scheme) : -1;
}

ZGuiApplicationHelper::ColorType lightnessOfPalette()
{
    const QColor window = QGuiApplication::palette().color(QPalette::Window);
    return window.lightness() < 128 ? ZGuiApplicationHelper::DarkType : ZGuiApplicationHelper::LightType;
}
} // namespace

ZGuiApplicationHelper *ZGuiApplicationHelper::instance()
{
    // Owned by the application object, so that it goes before the D-Bus connections do.
    static QPointer<ZGuiApplicationHelper> helper;
    if (!helper) {
        helper = new ZGuiApplicationHelper;
        helper->setParent(QCoreApplication::instance());
    }
    return helper;
}

ZGuiApplicationHelper::ZGuiApplicationHelper()
{
    qRegisterMetaType<ColorType>();
    if (QCoreApplication *app = QCoreApplication::instance())
        app->installEventFilter(this);
    current = lightnessOfPalette();

    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return;
    // Any sender: naming the service would make QtDBus look up its owner synchronously.
    bus.connect(QString(), portalPath, portalInterface, QStringLiteral("SettingChanged"), this,
                SLOT(onPortalSettingChanged(QString, QString, QDBusVariant)));
    // A running portal answers within the start's first turns, mostly before the first frame; one
    // that would have to start is asked once that frame is shown (askDesktop).
    readPortal(false);
}

void ZGuiApplicationHelper::readPortal(bool mayStart)
{
    // Asynchronous: start-up must not wait for a portal that is slow to start or absent.
    QDBusMessage read =
        QDBusMessage::createMethodCall(portalService, portalPath, portalInterface, QStringLiteral("Read"));
    read << appearanceNamespace << colorSchemeKey;
    read.setAutoStartService(mayStart);
    auto *watcher = new QDBusPendingCallWatcher(QDBusConnection::sessionBus().asyncCall(read), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, &ZGuiApplicationHelper::onPortalReadFinished);
}

void ZGuiApplicationHelper::askDesktop()
{
    if (std::exchange(portalAskedAgain, true))
        return;
    if (portalNotRunning && portalColorScheme == -1 && !std::exchange(portalAskedLate, true))
        readPortal(true);
}

ZGuiApplicationHelper::ColorType ZGuiApplicationHelper::themeType() const
{
    return current;
}

void ZGuiApplicationHelper::setPaletteType(ColorType type)
{
    chosen = type;
    update();
}

bool ZGuiApplicationHelper::eventFilter(QObject *watched, QEvent *event)
{
    // A filter on the application sees every object's events; the application's own one suffices.
    if (event->type() == QEvent::ApplicationPaletteChange && watched == QCoreApplication::instance())
        update();
    return Core::ZObject::eventFilter(watched, event);
}

void ZGuiApplicationHelper::onPortalReadFinished(QDBusPendingCallWatcher *watcher)
{
    watcher->deleteLater();
    const QDBusMessage reply = watcher->reply();
    if (reply.type() == QDBusMessage::ErrorMessage &&
        (reply.errorName() == QLatin1String("org.freedesktop.DBus.Error.ServiceUnknown") ||
         reply.errorName() == QLatin1String("org.freedesktop.DBus.Error.NameHasNoOwner"))) {
        portalNotRunning = true;
        // The first frame has been shown already: ask at once.
        if (portalAskedAgain && !std::exchange(portalAskedLate, true))
            readPortal(true);
        return;
    }
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
        return;
    // A SettingChanged that arrived while the call was on its way is newer than this answer.
    if (portalColorScheme != -1)
        return;
    portalColorScheme = colorSchemeFrom(reply.arguments().first());
    update();
}

void ZGuiApplicationHelper::onPortalSettingChanged(const QString &nameSpace, const QString &key,
                                                   const QDBusVariant &value)
{
    if (nameSpace != appearanceNamespace || key != colorSchemeKey)
        return;
    portalColorScheme = colorSchemeFrom(value.variant());
    update();
}

void ZGuiApplicationHelper::update()
{
    ColorType type = chosen;
    if (type == UnknownType)
        type = portalColorScheme == 1 ? DarkType : portalColorScheme == 2 ? LightType : lightnessOfPalette();
    if (type == current)
        return;
    current = type;
    Q_EMIT themeTypeChanged(type);
}
} // namespace Gui
} // namespace Zyk
