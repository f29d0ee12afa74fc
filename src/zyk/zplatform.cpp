#include "zplatform.h"

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>

#ifdef ZYK_LAYER_SHELL
#include <LayerShellQt/Shell>
#include <LayerShellQt/Window>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <QWindow>

#include <cstring>
#include <wayland-client.h>
#endif

namespace Zyk {
namespace Platform {
namespace {
bool layerShellChosen = false;

#ifdef ZYK_LAYER_SHELL
bool compositorOffersLayerShell()
{
    wl_display *display = wl_display_connect(nullptr);
    if (!display)
        return false;
    bool offered = false;
    static const wl_registry_listener listener = {
        [](void *data, wl_registry *, uint32_t, const char *interface, uint32_t) {
            if (std::strcmp(interface, "zwlr_layer_shell_v1") == 0)
                *static_cast<bool *>(data) = true;
        },
        [](void *, wl_registry *, uint32_t) {},
    };
    wl_registry *registry = wl_display_get_registry(display);
    wl_registry_add_listener(registry, &listener, &offered);
    wl_display_roundtrip(display);
    wl_registry_destroy(registry);
    wl_display_disconnect(display);
    return offered;
}

QMargins marginsFor(const QWidget *window, QScreen *screen)
{
    const QPoint place = window->pos() - screen->geometry().topLeft();
    return QMargins(place.x(), place.y(), 0, 0);
}

bool anchoredTopLeft(const QWidget *window)
{
    return (window->windowFlags() & Qt::WindowStaysOnBottomHint) || window->windowType() == Qt::Popup ||
           window->windowType() == Qt::ToolTip;
}

class LayerSurfaces : public QObject
{
public:
    explicit LayerSurfaces(QObject *parent)
        : QObject(parent)
        , leaveTimer(new QTimer(this))
    {
        leaveTimer->setSingleShot(true);
        leaveTimer->setInterval(popupLeaveGraceMs);
        connect(leaveTimer, &QTimer::timeout, this, [this] {
            if (pointerWindow)
                return;
            while (QWidget *popup = QApplication::activePopupWidget()) {
                if (!popup->close())
                    break;
            }
        });
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        switch (event->type()) {
        case QEvent::Show:
        case QEvent::Move:
            if (watched->isWidgetType()) {
                auto *widget = static_cast<QWidget *>(watched);
                if (widget->isWindow() && widget->windowHandle()) {
                    if (event->type() == QEvent::Show)
                        configure(widget);
                    else if (widget->isVisible() && anchoredTopLeft(widget))
                        moveTo(widget);
                }
            }
            break;
        case QEvent::Enter:
            if (auto *window = qobject_cast<QWindow *>(watched)) {
                pointerWindow = window;
                leaveTimer->stop();
            }
            break;
        case QEvent::Leave:
            if (qobject_cast<QWindow *>(watched) == pointerWindow) {
                pointerWindow = nullptr;
                if (QApplication::activePopupWidget())
                    leaveTimer->start();
            }
            break;
        default:
            break;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    // Before the window's surface exists: Qt sends the show event before it shows the platform window.
    static void configure(QWidget *widget)
    {
        using LayerShellQt::Window;
        Window *surface = Window::get(widget->windowHandle());
        QScreen *screen = QGuiApplication::screenAt(widget->pos());
        if (!screen)
            screen = widget->screen();
        surface->setDesiredOutput(screen);
        if (widget->windowFlags() & Qt::WindowStaysOnBottomHint) {
            surface->setLayer(Window::LayerBottom);
            surface->setKeyboardInteractivity(Window::KeyboardInteractivityOnDemand);
        } else if (widget->windowType() == Qt::Popup) {
            surface->setLayer(Window::LayerTop);
            surface->setKeyboardInteractivity(Window::KeyboardInteractivityExclusive);
        } else if (widget->windowType() == Qt::ToolTip) {
            surface->setLayer(Window::LayerTop);
            surface->setKeyboardInteractivity(Window::KeyboardInteractivityNone);
        } else {
            surface->setLayer(Window::LayerTop);
            surface->setKeyboardInteractivity(Window::KeyboardInteractivityOnDemand);
            surface->setAnchors({});
            surface->setExclusiveZone(0);
            surface->setMargins({});
            return;
        }
        surface->setAnchors(Window::Anchors(Window::AnchorTop | Window::AnchorLeft));
        // -1: margins count from the output's corner, as window positions do on X11, not from the
        // edge of a panel's exclusive zone.
        surface->setExclusiveZone(-1);
        surface->setMargins(marginsFor(widget, screen));
    }

    static void moveTo(QWidget *widget)
    {
        LayerShellQt::Window *surface = LayerShellQt::Window::get(widget->windowHandle());
        QScreen *screen = surface->desiredOutput() ? surface->desiredOutput() : widget->screen();
        const QMargins margins = marginsFor(widget, screen);
        if (margins == surface->margins())
            return;
        // QtWayland puts a top-level it shows at its output's corner, as Wayland has no global
        // positions. Qt's position stays the margins' own, for mapToGlobal(), a menu at the pointer
        // and the kept place.
        if (margins.isNull()) {
            widget->move(screen->geometry().topLeft() +
                         QPoint(surface->margins().left(), surface->margins().top()));
            return;
        }
        surface->setMargins(margins);
        // Margins take effect with the surface's next commit.
        widget->update();
    }

    QTimer *leaveTimer;
    QPointer<QWindow> pointerWindow;
};
#endif
} // namespace

Choice choosePlatform()
{
    if (!qEnvironmentVariableIsSet("WAYLAND_DISPLAY"))
        return Choice::Unchanged;
    const QByteArray userPlatform = qgetenv("QT_QPA_PLATFORM");
    if (!userPlatform.isEmpty() && !userPlatform.startsWith("wayland"))
        return Choice::Unchanged;
#ifdef ZYK_LAYER_SHELL
    if (compositorOffersLayerShell()) {
        LayerShellQt::Shell::useLayerShell();
        if (userPlatform.isEmpty())
            qputenv("QT_QPA_PLATFORM", "wayland");
        layerShellChosen = true;
        return Choice::WaylandLayerShell;
    }
#endif
    if (!userPlatform.isEmpty())
        return Choice::Unchanged;
    // Without XWayland an ordinary window is still better than none.
    if (!qEnvironmentVariableIsSet("DISPLAY")) {
        qputenv("QT_QPA_PLATFORM", "wayland");
        return Choice::Unchanged;
    }
    qInfo("The compositor has no layer-shell: the widget runs through XWayland.");
    qputenv("QT_QPA_PLATFORM", "xcb");
    return Choice::XWayland;
}

bool layerShell()
{
    return layerShellChosen;
}

void configureWindows(QApplication *app)
{
#ifdef ZYK_LAYER_SHELL
    if (layerShellChosen)
        app->installEventFilter(new LayerSurfaces(app));
#else
    Q_UNUSED(app)
#endif
}

} // namespace Platform

namespace Widget {
void ZWindowDrag::press(const QWidget *window, const QMouseEvent *event)
{
    windowAtPress = window->pos();
    pointerAtPress = event->localPos().toPoint();
}

QPoint ZWindowDrag::position(const QMouseEvent *event) const
{
    if (Platform::layerShell())
        return windowAtPress + event->localPos().toPoint() - pointerAtPress;
    return event->globalPos() - pointerAtPress;
}
} // namespace Widget
} // namespace Zyk
