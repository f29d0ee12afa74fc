#include "drawnicon.h"

#include "iconrasters.h"

#include <QIconEngine>
#include <QImageReader>
#include <QPaintDevice>
#include <QPainter>

namespace {
constexpr int iconPixels = 20;

// Square sizes alone: every icon's view box is a 20-pixel square.
QImage drawnAt(const QString &svgPath, const QSize &pixels)
{
    return pixels.width() == pixels.height() ? drawnIconImage(svgPath, pixels.width()) : QImage();
}

// The drawn picture where one fits, the SVG icon engine otherwise. That engine draws a square
// view box at the largest square within the size asked for, and the normal mode as drawn.
class DrawnIconEngine : public QIconEngine
{
public:
    explicit DrawnIconEngine(const QString &svgPath)
        : path(svgPath)
    {
    }

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override
    {
        const qreal ratio = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
        const QImage drawn = mode == QIcon::Normal ? drawnAt(path, rect.size() * ratio) : QImage();
        if (drawn.isNull())
            svg().paint(painter, rect, Qt::AlignCenter, mode, state);
        else
            painter->drawPixmap(rect, QPixmap::fromImage(drawn));
    }

    QSize actualSize(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        if (size.isEmpty())
            return svg().actualSize(size, mode, state);
        return QSize(iconPixels, iconPixels).scaled(size, Qt::KeepAspectRatio);
    }

    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        const QImage drawn = mode == QIcon::Normal ? drawnAt(path, size) : QImage();
        if (!drawn.isNull())
            return QPixmap::fromImage(drawn);
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
        return svg().pixmap(size, 1.0, mode, state);
#else
        return svg().pixmap(size, mode, state);
#endif
    }

#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    QPixmap scaledPixmap(const QSize &size, QIcon::Mode mode, QIcon::State state, qreal scale) override
    {
        const QImage drawn = mode == QIcon::Normal ? drawnAt(path, size * scale) : QImage();
        if (drawn.isNull())
            return svg().pixmap(size, scale, mode, state);
        QPixmap pixmap = QPixmap::fromImage(drawn);
        pixmap.setDevicePixelRatio(scale);
        return pixmap;
    }

    bool isNull() override
    {
        return false;
    }
#endif

    QString key() const override
    {
        return QStringLiteral("svg");
    }
    QIconEngine *clone() const override
    {
        return new DrawnIconEngine(path);
    }

private:
    // Loads Qt's SVG icon plugin, and the SVG module with it, the first time it is needed.
    const QIcon &svg()
    {
        if (svgIcon.isNull())
            svgIcon = QIcon(path);
        return svgIcon;
    }

    QString path;
    QIcon svgIcon;
};
} // namespace

namespace DrawnIcon {
QIcon icon(const QString &svgPath)
{
    return QIcon(new DrawnIconEngine(svgPath));
}

QPixmap pixmap(const QString &svgPath, qreal ratio)
{
    const QSize pixels = QSize(iconPixels, iconPixels) * ratio;
    QImage image = drawnAt(svgPath, pixels);
    if (image.isNull()) {
        // Through Qt's SVG image plugin, which draws the whole view box over the image asked for.
        QImageReader reader(svgPath, "svg");
        reader.setScaledSize(pixels);
        image = reader.read();
    }
    QPixmap pixmap = QPixmap::fromImage(image);
    pixmap.setDevicePixelRatio(ratio);
    return pixmap;
}
} // namespace DrawnIcon
