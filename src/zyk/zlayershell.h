#ifndef ZYK_ZLAYERSHELL_H
#define ZYK_ZLAYERSHELL_H

#include <QPoint>
#include <QtPlugin>

class QApplication;
class QWidget;

namespace Zyk {
namespace Platform {
// What the layer-shell module (zlayershell.cpp, built with LayerShellQt and the Wayland client
// library) does for zplatform.cpp. A module of its own, loaded only in a Wayland session, so that
// an X11 session never loads Qt's Wayland client and its libraries. The rules are zplatform.h's.
class LayerShell
{
public:
    virtual ~LayerShell() = default;
    // Whether the compositor has zwlr_layer_shell_v1; asked before the application object exists.
    virtual bool offeredByCompositor() = 0;
    // Makes every top-level of the process a layer surface; before the application object exists.
    virtual void use() = 0;
    virtual void configureWindows(QApplication *app) = 0;
    // False for a window that is no layer surface (yet): the caller uses Qt's own position then.
    virtual bool windowPlace(const QWidget *window, QPoint *place) = 0;
    virtual bool moveWindow(QWidget *window, const QPoint &place) = 0;
    virtual bool placeWindow(QWidget *window, const QPoint &place) = 0;
    virtual void setKeyboardWanted(QWidget *window, bool wanted) = 0;
};
} // namespace Platform
} // namespace Zyk

#define ZykLayerShell_iid "com.norvale.Zyk.LayerShell"
Q_DECLARE_INTERFACE(Zyk::Platform::LayerShell, ZykLayerShell_iid)

#endif
