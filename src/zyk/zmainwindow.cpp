#include "zmainwindow.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QStyle>
#include <QToolButton>

namespace Zyk {
namespace Widget {
namespace {
constexpr int defaultWindowRadius = 12;
constexpr int defaultTitlebarHeight = 40;
} // namespace

ZTitlebar::ZTitlebar(QWidget *parent)
    : QWidget(parent)
    , titleLabel(new QLabel(this))
    , menuButton(new QToolButton(this))
    , closeButton(new QToolButton(this))
    , titleMenu(new QMenu(this))
{
    setFixedHeight(defaultTitlebarHeight);
    menuButton->setAutoRaise(true);
    menuButton->setArrowType(Qt::DownArrow);
    menuButton->setPopupMode(QToolButton::InstantPopup);
    menuButton->setMenu(titleMenu);
    closeButton->setAutoRaise(true);
    menuButton->setAccessibleName(tr("Menu"));
    closeButton->setAccessibleName(tr("Close"));

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(10, 0, 4, 0);
    layout->setSpacing(2);
    layout->addWidget(titleLabel, 1);
    layout->addWidget(menuButton);
    layout->addWidget(closeButton);

    if (parent) {
        titleLabel->setText(parent->windowTitle());
        connect(parent, &QWidget::windowTitleChanged, titleLabel, &QLabel::setText);
        connect(closeButton, &QToolButton::clicked, parent, &QWidget::close);
    }
}

void ZTitlebar::setMenuVisible(bool visible)
{
    menuButton->setVisible(visible);
}

bool ZTitlebar::menuVisible() const
{
    return !menuButton->isHidden();
}

QMenu *ZTitlebar::menu() const
{
    return titleMenu;
}

void ZTitlebar::showEvent(QShowEvent *event)
{
    // The style takes its close icon from the icon theme, which loads the image format plugins: a
    // window whose title bar stays hidden, as the panel's does, is spared that at start.
    if (closeButton->icon().isNull())
        closeButton->setIcon(style()->standardIcon(QStyle::SP_TitleBarCloseButton));
    QWidget::showEvent(event);
}

void ZTitlebar::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        drag.press(window(), event);
    QWidget::mousePressEvent(event);
}

void ZTitlebar::mouseMoveEvent(QMouseEvent *event)
{
    if (event->buttons() & Qt::LeftButton)
        Platform::moveWindow(window(), drag.position(event));
    QWidget::mouseMoveEvent(event);
}

ZMainWindow::ZMainWindow(QWidget *parent)
    : QMainWindow(parent)
    , bar(new ZTitlebar(this))
{
    // The toolkit draws its own title bar.
    setWindowFlag(Qt::FramelessWindowHint);
    setMenuWidget(bar);
}

ZTitlebar *ZMainWindow::titlebar() const
{
    return bar;
}

int ZMainWindow::windowRadius() const
{
    return defaultWindowRadius;
}

QPoint ZMainWindow::place() const
{
    return Platform::windowPlace(this);
}

void ZMainWindow::setPlace(const QPoint &place)
{
    Platform::moveWindow(this, place);
}
} // namespace Widget
} // namespace Zyk
