#ifndef ZYK_ZMAINWINDOW_H
#define ZYK_ZMAINWINDOW_H

#include <QMainWindow>

namespace Zyk {
namespace Widget {
class ZTitlebar : public QWidget
{
    Q_OBJECT
public:
    explicit ZTitlebar(QWidget *parent = nullptr);

    void setMenuVisible(bool visible);
    bool menuVisible() const;

private:
    QWidget *menuButton;
};

// A main window with a title bar of the toolkit's own and rounded corners.
class ZMainWindow : public QMainWindow
{
    Q_OBJECT
public:
    explicit ZMainWindow(QWidget *parent = nullptr);

    ZTitlebar *titlebar() const;
    int windowRadius() const;

private:
    ZTitlebar *bar;
};
} // namespace Widget
} // namespace Zyk

#endif
