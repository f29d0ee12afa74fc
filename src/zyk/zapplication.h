#ifndef ZYK_ZAPPLICATION_H
#define ZYK_ZAPPLICATION_H

#include <QApplication>

namespace Zyk {
namespace Widget {
// The toolkit's application object: a QApplication with the toolkit's style installed.
class ZApplication : public QApplication
{
    Q_OBJECT
public:
    ZApplication(int &argc, char **argv);
};
} // namespace Widget
} // namespace Zyk

#endif
