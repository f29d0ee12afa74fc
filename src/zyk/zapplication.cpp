#include "zapplication.h"

#include "zplatform.h"
#include "zstyle.h"

namespace Zyk {
namespace Widget {
ZApplication::ZApplication(int &argc, char **argv)
    : QApplication(argc, argv)
{
    // QApplication takes ownership of the style.
    setStyle(new ZStyle);
#if QT_VERSION < QT_VERSION_CHECK(6, 0, 0)
    // Icons drawn at the screen's own resolution (Qt 6 always does): on a scaled output (a Wayland
    // scale of 2, QT_SCALE_FACTOR=2) the tool buttons' SVG icons would otherwise be blown-up pixmaps.
    setAttribute(Qt::AA_UseHighDpiPixmaps);
#endif
    Platform::configureWindows(this);
}
} // namespace Widget
} // namespace Zyk
