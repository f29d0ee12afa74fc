#ifndef ZYK_ZGUIAPPLICATIONHELPER_H
#define ZYK_ZGUIAPPLICATIONHELPER_H

#include <QObject>

namespace Zyk {
namespace Core {
// The base object of the toolkit's non-widget classes.
class ZObject : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;
};
} // namespace Core

namespace Gui {
// The process's one theme helper: tells light from dark and announces changes.
class ZGuiApplicationHelper : public Core::ZObject
{
    Q_OBJECT
public:
    enum ColorType { UnknownType = 0, LightType = 1, DarkType = 2 };
    Q_ENUM(ColorType)

    static ZGuiApplicationHelper *instance();

    ColorType themeType() const;

Q_SIGNALS:
    void themeTypeChanged(Zyk::Gui::ZGuiApplicationHelper::ColorType type);

private:
    ZGuiApplicationHelper();
};
} // namespace Gui
} // namespace Zyk

#endif
