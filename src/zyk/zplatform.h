#ifndef ZYK_ZPLATFORM_H
#define ZYK_ZPLATFORM_H

#include <QPoint>

class QApplication;
class QMouseEvent;
class QWidget;

namespace Zyk {
namespace Platform {

enum class Choice {
    Unchanged,         // X11, or a platform the user chose (QT_QPA_PLATFORM other than wayland)
    WaylandLayerShell, // every window of the process is a wlr-layer-shell surface
    XWayland,          // a Wayland compositor without layer-shell: xcb, where a window may stay below
};

// Decides how the process reaches the desktop; it must run before the application object exists,
// as Qt reads the platform and the shell integration only then. A Wayland session is asked for
// zwlr_layer_shell_v1 first: without it LayerShellQt's plugin fails and no window would ever show.
// A QT_QPA_PLATFORM of "wayland" set by the user is kept even without layer-shell.
Choice choosePlatform();
[[nodiscard]] bool layerShell();

// On layer-shell, the application object sets up each top-level window when it is shown (LayerShellQt
// 5.27 ignores a later change of layer), by what the window is:
// - one that asks to stay on the bottom (Qt::WindowStaysOnBottomHint), the desktop panel: the bottom
//   layer, anchored top-left with its position as margins, over other surfaces' exclusive zones, and
//   no keyboard, so that neither appearing nor a click takes focus from the user's windows; from
//   setKeyboardWanted() until it gives the keyboard back it is on the top layer, with the keyboard
//   on demand;
// - popups (menus) and tool tips: the top layer at their position, above the user's windows; a popup
//   has the keyboard while it is open (Escape) and, as 5.27 has no popup grab, closes once the
//   pointer has stayed out of the process's windows for popupLeaveGraceMs. Hovering raises no tool
//   tip there (under sway none ever showed for the panel): the accessible names remain;
// - any other window (a dialog, a settings ZMainWindow): the top layer, where the program moved it
//   (place it beside the panel from the panel's ZMainWindow::place(), not its pos()) or else centred
//   on its output, by its margins; the keyboard on demand; a ZMainWindow's title bar drags it.
// A popup's or tool tip's place is taken from the surface the pointer is in (or, without the
// pointer, the one with the keyboard): QtWayland gives Qt's positions from that surface's corner.
void configureWindows(QApplication *app);

// Where a window is on the desktop, and moving it there. A window shown on layer-shell has no
// position that Qt knows of: its margins are its place.
// A layer surface stays on its output while it is moved (a drag): a new surface would end the drag.
[[nodiscard]] QPoint windowPlace(const QWidget *window);
void moveWindow(QWidget *window, const QPoint &place);
// As moveWindow(), and a layer surface goes to the output that holds `place` (it stays on its own
// when none does), with margins from that output's corner: a surface's output is chosen when the
// surface is made, so on another output the window is shown anew.
void placeWindow(QWidget *window, const QPoint &place);
// The desktop panel taking the keyboard (the user asked for it with a key) or giving it back; and
// the window activated when it takes it.
void setKeyboardWanted(QWidget *window, bool wanted);

// Long enough to cross the gap between a menu and the panel it belongs to; tst_sway's "pointer gone"
// row waits for it.
constexpr int popupLeaveGraceMs = 400;

} // namespace Platform

namespace Widget {
// Moves a window with the pointer from a press on it. On X11 it follows the pointer's global
// position; a layer surface knows no global position, and while a button is held sway reports the
// pointer relative to where the surface was at the press, so the move is counted from there.
class ZWindowDrag
{
public:
    void press(const QWidget *window, const QMouseEvent *event);
    // Where the window goes for this move event.
    [[nodiscard]] QPoint position(const QMouseEvent *event) const;

private:
    QPoint windowAtPress;
    QPoint pointerAtPress; // in the window
};
} // namespace Widget
} // namespace Zyk

#endif
