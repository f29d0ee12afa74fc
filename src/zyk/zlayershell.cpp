#include "zlayershell.h"
#include "zplatform.h"

#include <LayerShellQt/Shell>
#include <LayerShellQt/Window>
#include <QApplication>
#include <QHash>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <cstring>
#include <wayland-client.h>

namespace Zyk {
namespace Platform {
namespace {
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

const char anchoredProperty[] = "_zyk_layer_anchored";
const char keyboardWantedProperty[] = "_zyk_keyboard_wanted";

bool isAnchored(const QWindow *window)
{
    return window && window->property(anchoredProperty).toBool();
}

// The output each surface was made on; null once that output is gone, with the surface closed by
// the compositor. Qt moves the window to another screen then, where no surface of it is.
QHash<const QWindow *, QPointer<QScreen>> surfaceOutputs;

QScreen *outputOf(QWindow *window)
{
    QScreen *output = surfaceOutputs.value(window);
    return output ? output : window->screen();
}

bool outputGone(const QWindow *window)
{
    const auto made = surfaceOutputs.constFind(window);
    return made != surfaceOutputs.constEnd() && made->isNull();
}

// A surface's output is chosen when the surface is made: configure() takes it, and the margins,
// from the position at the new show.
void showAnew(QWidget *window, const QPoint &place)
{
    window->hide();
    window->move(place);
    window->show();
}

// LayerShellQt 6 places a surface on its window's screen; 5.27 has an output of its own.
void setOutput(QWindow *window, QScreen *screen)
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    window->setScreen(screen);
#else
    LayerShellQt::Window::get(window)->setDesiredOutput(screen);
#endif
    if (!surfaceOutputs.contains(window))
        QObject::connect(window, &QObject::destroyed, [window] { surfaceOutputs.remove(window); });
    surfaceOutputs.insert(window, screen);
}

// A layer surface's place on the desktop: its output's corner and its margins.
QPoint placeOf(const QWidget *window)
{
    QWindow *handle = window->windowHandle();
    const QMargins margins = LayerShellQt::Window::get(handle)->margins();
    return outputOf(handle)->geometry().topLeft() + QPoint(margins.left(), margins.top());
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
        case QEvent::ToolTip:
            return true;
        case QEvent::Show:
            if (watched->isWidgetType()) {
                auto *widget = static_cast<QWidget *>(watched);
                if (widget->isWindow() && widget->windowHandle())
                    configure(widget);
            }
            break;
        case QEvent::Close:
            // The compositor closes the surfaces of an output that goes (a monitor unplugged), and
            // LayerShellQt 5.27 then closes their windows; the panel is shown anew, on an output
            // there is. (Qt 5 sends this close as spontaneous; LayerShellQt 6 is told not to close.)
            if (event->spontaneous() && watched->isWidgetType()) {
                auto *widget = static_cast<QWidget *>(watched);
                if (widget->isWindow() && (widget->windowFlags() & Qt::WindowStaysOnBottomHint) &&
                    isAnchored(widget->windowHandle())) {
                    event->ignore();
                    const QPoint place = placeOf(widget);
                    QTimer::singleShot(0, widget, [widget, place] { showAnew(widget, place); });
                    return true;
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
    // QtWayland puts every top-level at its output's corner: the positions Qt gives a popup or a
    // tool tip (from mapToGlobal(), QCursor::pos()) count from the corner of the surface the pointer
    // or the keyboard is in. That surface's margins place them on the output.
    QPoint placeOnOutput(const QWidget *popup) const
    {
        QWindow *origin = pointerWindow ? pointerWindow.data() : QGuiApplication::focusWindow();
        if (!isAnchored(origin))
            return popup->pos();
        const QMargins margins = LayerShellQt::Window::get(origin)->margins();
        return popup->pos() - origin->position() + QPoint(margins.left(), margins.top()) +
               outputOf(origin)->geometry().topLeft();
    }

    // Before the window's surface exists: Qt sends the show event before it shows the platform window.
    void configure(QWidget *widget) const
    {
        using LayerShellQt::Window;
        QWindow *window = widget->windowHandle();
        Window *surface = Window::get(window);
        const bool panel = widget->windowFlags() & Qt::WindowStaysOnBottomHint;
        const bool popup = widget->windowType() == Qt::Popup || widget->windowType() == Qt::ToolTip;
        QPoint place = popup ? placeOnOutput(widget) : widget->pos();
        QScreen *screen = QGuiApplication::screenAt(place);
        if (!screen)
            screen = widget->screen();
        setOutput(window, screen);
        window->setProperty(anchoredProperty, true);
        if (panel) {
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
            // Closed with its output, the panel stays, to be shown anew on another (placeWindow()).
            surface->setCloseOnDismissed(false);
#endif
            // A compositor gives the bottom layer no keyboard of its own accord (sway only at a
            // click): asked for it, the panel comes up to the top layer with the keyboard until it
            // gives it back. Exclusively: a surface that asks on demand is focused only at a click
            // on sway 1.8 and later.
            const bool wanted = widget->property(keyboardWantedProperty).toBool();
            surface->setLayer(wanted ? Window::LayerTop : Window::LayerBottom);
            surface->setKeyboardInteractivity(wanted ? Window::KeyboardInteractivityExclusive
                                                     : Window::KeyboardInteractivityNone);
        } else if (widget->windowType() == Qt::Popup) {
            surface->setLayer(Window::LayerTop);
            surface->setKeyboardInteractivity(Window::KeyboardInteractivityExclusive);
        } else if (widget->windowType() == Qt::ToolTip) {
            surface->setLayer(Window::LayerTop);
            surface->setKeyboardInteractivity(Window::KeyboardInteractivityNone);
        } else {
            // Placed by its margins rather than centred by no anchors: its title bar can drag it,
            // and its own popups find their place from it.
            surface->setLayer(Window::LayerTop);
            surface->setKeyboardInteractivity(Window::KeyboardInteractivityOnDemand);
            if (!widget->testAttribute(Qt::WA_Moved))
                place = screen->geometry().center() - QRect(QPoint(), widget->size()).center();
        }
        surface->setAnchors(Window::Anchors(Window::AnchorTop | Window::AnchorLeft));
        // -1: margins count from the output's corner, as window positions do on X11, not from the
        // edge of a panel's exclusive zone.
        surface->setExclusiveZone(-1);
        const QPoint margins = place - screen->geometry().topLeft();
        surface->setMargins(QMargins(margins.x(), margins.y(), 0, 0));
    }

    QTimer *leaveTimer;
    QPointer<QWindow> pointerWindow;
};
} // namespace

class LayerShellModule : public QObject, public LayerShell
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID ZykLayerShell_iid)
    Q_INTERFACES(Zyk::Platform::LayerShell)
public:
    bool offeredByCompositor() override { return compositorOffersLayerShell(); }
    void use() override { LayerShellQt::Shell::useLayerShell(); }
    void configureWindows(QApplication *app) override { app->installEventFilter(new LayerSurfaces(app)); }

    bool windowPlace(const QWidget *window, QPoint *place) override
    {
        if (!window->isVisible() || !isAnchored(window->windowHandle()))
            return false;
        *place = placeOf(window);
        return true;
    }

    bool moveWindow(QWidget *window, const QPoint &place) override
    {
        QWindow *handle = window->windowHandle();
        if (!window->isVisible() || !isAnchored(handle))
            return false;
        const QPoint margins = place - outputOf(handle)->geometry().topLeft();
        LayerShellQt::Window::get(handle)->setMargins(QMargins(margins.x(), margins.y(), 0, 0));
        // Margins take effect with the surface's next commit.
        window->update();
        return true;
    }

    // 5.27 takes a surface's layer only as it is made: the panel is shown anew on the other one.
    void setKeyboardWanted(QWidget *window, bool wanted) override
    {
        if (window->property(keyboardWantedProperty).toBool() == wanted)
            return;
        window->setProperty(keyboardWantedProperty, wanted);
        QWindow *handle = window->windowHandle();
        if (window->isVisible() && isAnchored(handle))
            showAnew(window, placeOf(window));
    }

    bool placeWindow(QWidget *window, const QPoint &place) override
    {
        QWindow *handle = window->windowHandle();
        if (!window->isVisible() || !isAnchored(handle))
            return false;
        QScreen *output = QGuiApplication::screenAt(place);
        if (output && (output != outputOf(handle) || outputGone(handle))) {
            showAnew(window, place);
            return true;
        }
        return moveWindow(window, place);
    }
};
} // namespace Platform
} // namespace Zyk

#include "zlayershell.moc"
