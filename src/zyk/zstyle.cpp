#include "zstyle.h"

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
    if (control == CC_ScrollBar && widget) {
        const bool inUse = option->state & (State_MouseOver | State_Sunken);
        if (!inUse && !sliderVisible(widget)) {
            if (const auto *slider = qstyleoption_cast<const QStyleOptionSlider *>(option)) {
                QStyleOptionSlider idle(*slider);
                idle.subControls &= ~SC_ScrollBarSlider;
                QProxyStyle::drawComplexControl(control, &idle, painter, widget);
                return;
            }
        }
    }
    QProxyStyle::drawComplexControl(control, option, painter, widget);
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
