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
    // Icons drawn at the screen's own resolution: on a scaled output (a Wayland scale of 2,
    // QT_SCALE_FACTOR=2) the tool buttons' SVG icons would otherwise be blown-up small pixmaps.
    setAttribute(Qt::AA_UseHighDpiPixmaps);
    Platform::configureWindows(this);
}
} // namespace Widget
} // namespace Zyk
