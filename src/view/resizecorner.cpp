#include "resizecorner.h"

#include <QMouseEvent>
#include <QPainter>

namespace {
QPoint inWindow(const QMouseEvent *event)
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    return event->scenePosition().toPoint();
#else
    return event->windowPos().toPoint();
#endif
}
} // namespace

ResizeCorner::ResizeCorner(QWidget *window)
    : QWidget(window)
{
    setObjectName(QStringLiteral("resizeCorner"));
    setCursor(Qt::SizeFDiagCursor);
    setFixedSize(side, side);
    setAttribute(Qt::WA_NoMousePropagation);
    window->installEventFilter(this);
    place();
}

void ResizeCorner::place()
{
    move(parentWidget()->width() - side, parentWidget()->height() - side);
    raise();
}

bool ResizeCorner::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == parentWidget() && event->type() == QEvent::Resize)
        place();
    return QWidget::eventFilter(watched, event);
}

void ResizeCorner::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    dragging = true;
    sizeAtPress = window()->size();
    pointerAtPress = inWindow(event);
}

void ResizeCorner::mouseMoveEvent(QMouseEvent *event)
{
    if (!dragging)
        return;
    QWidget *panel = window();
    const QPoint moved = inWindow(event) - pointerAtPress;
    const QSize wanted = (sizeAtPress + QSize(moved.x(), moved.y()))
                             .expandedTo(panel->minimumSize())
                             .boundedTo(panel->maximumSize());
    if (wanted != panel->size())
        panel->resize(wanted);
}

void ResizeCorner::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton || !dragging)
        return;
    dragging = false;
    if (window()->size() != sizeAtPress)
        Q_EMIT resized(window()->size());
}

// Three short diagonal strokes in the window's text colour, faint, as desktops draw a grip.
void ResizeCorner::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QColor stroke = palette().color(QPalette::WindowText);
    stroke.setAlpha(110);
    painter.setPen(QPen(stroke, 1.2));
    for (int i = 0; i < 3; ++i) {
        const int at = 5 + 4 * i;
        painter.drawLine(QPointF(at, side - 3), QPointF(side - 3, at));
    }
}
