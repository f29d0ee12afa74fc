#ifndef SCHEDULE_ROUNDEDFILL_H
#define SCHEDULE_ROUNDEDFILL_H

#include <QPainter>
#include <QRect>

// Fills `shape` with rounded corners, as far as it lies in `area`. Away from the corners the shape
// is a plain rectangle: a countdown repaints small areas a few times a second, and a plain fill
// costs far less than rasterising the rounded outline again for them.
inline void fillRounded(QPainter &painter, const QRect &shape, int radius, const QColor &color,
                        const QRect &area)
{
    const QSize corner(radius, radius);
    const bool touchesCorner =
        area.intersects(QRect(shape.topLeft(), corner)) ||
        area.intersects(QRect(shape.right() - radius + 1, shape.top(), radius, radius)) ||
        area.intersects(QRect(shape.left(), shape.bottom() - radius + 1, radius, radius)) ||
        area.intersects(QRect(shape.right() - radius + 1, shape.bottom() - radius + 1, radius, radius));
    if (!touchesCorner) {
        painter.fillRect(area & shape, color);
        return;
    }
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(color);
    painter.drawRoundedRect(shape, radius, radius, Qt::AbsoluteSize);
    painter.restore();
}

#endif
