#include "zplatform.h"

#include "zlayershell.h"
#include "zmodules.h"
#include "zyklog.h"

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>

namespace Zyk {
namespace Platform {
namespace {
LayerShell *layerShellModule = nullptr;

// Loaded once, in a Wayland session only; null where it is not built or does not load.
LayerShell *loadLayerShell()
{
#ifdef ZYK_LAYER_SHELL
    QString error;
    if (auto *module =
            qobject_cast<LayerShell *>(loadModule(QStringLiteral("nvx-calendar-layershell"), &error)))
        return module;
    qCWarning(lcZyk).noquote() << "The layer-shell module is not available:" << error;
#endif
    return nullptr;
}
} // namespace

Choice choosePlatform()
{
    if (!qEnvironmentVariableIsSet("WAYLAND_DISPLAY"))
        return Choice::Unchanged;
    const QByteArray userPlatform = qgetenv("QT_QPA_PLATFORM");
    if (!userPlatform.isEmpty() && !userPlatform.startsWith("wayland"))
        return Choice::Unchanged;
    LayerShell *module = loadLayerShell();
    if (module && module->offeredByCompositor()) {
        module->use();
        if (userPlatform.isEmpty())
            qputenv("QT_QPA_PLATFORM", "wayland");
        layerShellModule = module;
        return Choice::WaylandLayerShell;
    }
    if (!userPlatform.isEmpty())
        return Choice::Unchanged;
    // Without XWayland an ordinary window is still better than none.
    if (!qEnvironmentVariableIsSet("DISPLAY")) {
        qputenv("QT_QPA_PLATFORM", "wayland");
        return Choice::Unchanged;
    }
    qCInfo(lcZyk, "The compositor has no layer-shell: the widget runs through XWayland.");
    qputenv("QT_QPA_PLATFORM", "xcb");
    return Choice::XWayland;
}

bool layerShell()
{
    return layerShellModule;
}

void configureWindows(QApplication *app)
{
    if (layerShellModule)
        layerShellModule->configureWindows(app);
}

QPoint windowPlace(const QWidget *window)
{
    QPoint place;
    if (layerShellModule && layerShellModule->windowPlace(window, &place))
        return place;
    return window->pos();
}

void moveWindow(QWidget *window, const QPoint &place)
{
    if (!layerShellModule || !layerShellModule->moveWindow(window, place))
        window->move(place);
}

void placeWindow(QWidget *window, const QPoint &place)
{
    if (!layerShellModule || !layerShellModule->placeWindow(window, place))
        window->move(place);
}

void setKeyboardWanted(QWidget *window, bool wanted)
{
    if (layerShellModule)
        layerShellModule->setKeyboardWanted(window, wanted);
    if (wanted)
        window->activateWindow();
}

} // namespace Platform

namespace Widget {
namespace {
// Where the pointer is in the window's own coordinates, and on the desktop.
QPoint inWindow(const QMouseEvent *event)
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    return event->scenePosition().toPoint();
#else
    return event->windowPos().toPoint();
#endif
}

QPoint onDesktop(const QMouseEvent *event)
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    return event->globalPosition().toPoint();
#else
    return event->globalPos();
#endif
}
} // namespace

void ZWindowDrag::press(const QWidget *window, const QMouseEvent *event)
{
    windowAtPress = Platform::windowPlace(window);
    pointerAtPress = inWindow(event);
}

QPoint ZWindowDrag::position(const QMouseEvent *event) const
{
    if (Platform::layerShell())
        return windowAtPress + inWindow(event) - pointerAtPress;
    return onDesktop(event) - pointerAtPress;
}
} // namespace Widget
} // namespace Zyk
