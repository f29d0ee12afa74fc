#include "zstyle.h"

#include <QPainter>
#include <QScrollBar>
#include <QStyleFactory>
#include <QStyleOptionSlider>

namespace Zyk {
namespace Widget {
ZStyle::ZStyle()
    : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion")))
{
}

void ZStyle::polish(QWidget *widget)
{
    QProxyStyle::polish(widget);
    // Hover enter and leave must repaint the scroll bar, or a hidden slider would not come back.
    if (qobject_cast<QScrollBar *>(widget))
        widget->setAttribute(Qt::WA_Hover);
}

void ZStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex *option, QPainter *painter,
                                const QWidget *widget) const
{
    const auto *bar = qstyleoption_cast<const QStyleOptionSlider *>(option);
    if (control != CC_ScrollBar || !bar) {
        QProxyStyle::drawComplexControl(control, option, painter, widget);
        return;
    }
    // The groove stays clear: the bar sits on the translucent window like the rest of it.
    const bool inUse = option->state & (State_MouseOver | State_Sunken);
    if (!inUse && !sliderVisible(widget))
        return;
    const QRect slider = subControlRect(control, option, SC_ScrollBarSlider, widget).adjusted(1, 1, -1, -1);
    if (slider.isEmpty())
        return;
    QColor color = option->palette.color(QPalette::WindowText);
    color.setAlpha(inUse ? 160 : 100);
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(Qt::NoPen);
    painter->setBrush(color);
    const qreal radius = qMin(slider.width(), slider.height()) / 2.0;
    painter->drawRoundedRect(QRectF(slider), radius, radius);
    painter->restore();
}

QRect ZStyle::subControlRect(ComplexControl control, const QStyleOptionComplex *option, SubControl subControl,
                             const QWidget *widget) const
{
    const auto *bar = qstyleoption_cast<const QStyleOptionSlider *>(option);
    if (control != CC_ScrollBar || !bar)
        return QProxyStyle::subControlRect(control, option, subControl, widget);

    const QRect groove = bar->rect;
    const bool horizontal = bar->orientation == Qt::Horizontal;
    const int length = horizontal ? groove.width() : groove.height();
    const int range = bar->maximum - bar->minimum;
    const int minimumSlider = proxy()->pixelMetric(PM_ScrollBarSliderMin, bar, widget);
    int sliderLength = length;
    if (range > 0)
        sliderLength = int(qint64(length) * bar->pageStep / (qint64(range) + bar->pageStep));
    sliderLength = qBound(qMin(minimumSlider, length), sliderLength, length);
    const int start = sliderPositionFromValue(bar->minimum, bar->maximum, bar->sliderPosition,
                                              length - sliderLength, bar->upsideDown);
    const auto span = [&](int from, int size) {
        return horizontal ? QRect(groove.left() + from, groove.top(), size, groove.height())
                          : QRect(groove.left(), groove.top() + from, groove.width(), size);
    };
    switch (subControl) {
    case SC_ScrollBarGroove:
        return groove;
    case SC_ScrollBarSlider:
        return span(start, sliderLength);
    case SC_ScrollBarSubPage:
        return span(0, start);
    case SC_ScrollBarAddPage:
        return span(start + sliderLength, length - start - sliderLength);
    default: // no arrow buttons
        return {};
    }
}

int ZStyle::pixelMetric(PixelMetric metric, const QStyleOption *option, const QWidget *widget) const
{
    if (metric == PM_ScrollBarExtent)
        return scrollBarExtent;
    return QProxyStyle::pixelMetric(metric, option, widget);
}

bool ZStyle::sliderVisible(const QWidget *scrollBar)
{
    if (!scrollBar)
        return false;
    if (scrollBar->property(sliderAlwaysShowProperty).toBool())
        return true;
    if (scrollBar->underMouse())
        return true;
    const auto *bar = qobject_cast<const QScrollBar *>(scrollBar);
    return bar && bar->isSliderDown();
}
} // namespace Widget
} // namespace Zyk
