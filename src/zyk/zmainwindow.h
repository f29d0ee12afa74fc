#ifndef ZYK_ZMAINWINDOW_H
#define ZYK_ZMAINWINDOW_H

#include "zplatform.h"

#include <QMainWindow>
#include <QPoint>

class QLabel;
class QMenu;
class QToolButton;

namespace Zyk {
namespace Widget {
// The title bar of a ZMainWindow: the window title, a menu button and a close button. Dragging it
// moves the window, which has no frame of the window manager's.
class ZTitlebar : public QWidget
{
    Q_OBJECT
public:
    explicit ZTitlebar(QWidget *parent = nullptr);

    void setMenuVisible(bool visible);
    bool menuVisible() const;
    QMenu *menu() const;

protected:
    void showEvent(QShowEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;

private:
    QLabel *titleLabel;
    QToolButton *menuButton;
    QToolButton *closeButton;
    QMenu *titleMenu;
    ZWindowDrag drag;
};

// A main window with a title bar of the toolkit's own and rounded corners.
class ZMainWindow : public QMainWindow
{
    Q_OBJECT
public:
    explicit ZMainWindow(QWidget *parent = nullptr);

    ZTitlebar *titlebar() const;
    // The corner radius of the window's background, in pixels.
    int windowRadius() const;
    // Where the window is on the desktop, and moving it there: its position, except on a Wayland
    // layer surface, which has none that Qt knows (Zyk::Platform::windowPlace()).
    QPoint place() const;
    void setPlace(const QPoint &place);

private:
    ZTitlebar *bar;
};
} // namespace Widget
} // namespace Zyk

#endif
