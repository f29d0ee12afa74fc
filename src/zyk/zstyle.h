#ifndef ZYK_ZSTYLE_H
#define ZYK_ZSTYLE_H

#include <QProxyStyle>

namespace Zyk {
namespace Widget {
// The toolkit's style. Scroll bars are slim, without arrows, over a clear groove; their sliders are
// drawn only while the pointer is over the scroll bar or it is being used, unless the scroll bar
// carries the property below set to true.
class ZStyle : public QProxyStyle
{
    Q_OBJECT
public:
    static constexpr const char *sliderAlwaysShowProperty = "_z_zyk_slider_always_show";
    static constexpr int scrollBarExtent = 8;

    ZStyle();
    void polish(QWidget *widget) override;
    using QProxyStyle::polish;
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex *option, QPainter *painter,
                            const QWidget *widget = nullptr) const override;
    QRect subControlRect(ComplexControl control, const QStyleOptionComplex *option, SubControl subControl,
                         const QWidget *widget = nullptr) const override;
    int pixelMetric(PixelMetric metric, const QStyleOption *option = nullptr,
                    const QWidget *widget = nullptr) const override;
    // Whether the slider of this scroll bar is drawn in its current state.
    static bool sliderVisible(const QWidget *scrollBar);
};
} // namespace Widget
} // namespace Zyk

#endif
