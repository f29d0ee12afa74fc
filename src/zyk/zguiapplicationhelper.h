#ifndef ZYK_ZGUIAPPLICATIONHELPER_H
#define ZYK_ZGUIAPPLICATIONHELPER_H

#include <QObject>

class QDBusPendingCallWatcher;
class QDBusVariant;

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
// The desktop's appearance setting (the freedesktop portal's "color-scheme") wins when it states a
// preference; otherwise the lightness of the application palette decides.
class ZGuiApplicationHelper : public Core::ZObject
{
    Q_OBJECT
public:
    enum ColorType { UnknownType = 0, LightType = 1, DarkType = 2 };
    Q_ENUM(ColorType)

    static ZGuiApplicationHelper *instance();

    ColorType themeType() const;
    // A choice of the user's that wins over the desktop's: LightType or DarkType, or UnknownType to
    // follow the desktop again.
    void setPaletteType(ColorType type);
    // Asks the portal again, starting it if need be, where the first question found none running:
    // the program calls it once its first frame is shown, which a starting portal would slow.
    void askDesktop();

Q_SIGNALS:
    void themeTypeChanged(Zyk::Gui::ZGuiApplicationHelper::ColorType type);

protected:
    // Protected so that tests can make helpers of their own; the program uses instance().
    ZGuiApplicationHelper();
    bool eventFilter(QObject *watched, QEvent *event) override;

private Q_SLOTS:
    void onPortalReadFinished(QDBusPendingCallWatcher *watcher);
    void onPortalSettingChanged(const QString &nameSpace, const QString &key, const QDBusVariant &value);

private:
    void update();
    void readPortal(bool mayStart);

    // The portal's color-scheme: 0 no preference, 1 prefer dark, 2 prefer light; -1 not known.
    int portalColorScheme = -1;
    // The first question went to no running portal, and was not allowed to start one.
    bool portalNotRunning = false;
    bool portalAskedAgain = false;
    bool portalAskedLate = false;
    ColorType chosen = UnknownType;
    ColorType current = UnknownType;
};
} // namespace Gui
} // namespace Zyk

#endif
