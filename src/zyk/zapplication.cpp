#include "zapplication.h"

#include "zstyle.h"

namespace Zyk {
namespace Widget {
ZApplication::ZApplication(int &argc, char **argv)
    : QApplication(argc, argv)
{
    // QApplication takes ownership of the style.
    setStyle(new ZStyle);
}
} // namespace Widget
} // namespace Zyk
