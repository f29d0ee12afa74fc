#ifndef SCHEDULE_GLOBALSHORTCUT_H
#define SCHEDULE_GLOBALSHORTCUT_H

#include <QDBusConnection>
#include <QObject>
#include <QString>

class QDBusMessage;
class QDBusObjectPath;

// The desktop-wide key that brings the panel to the keyboard, bound through what the desktop offers:
// the XDG GlobalShortcuts portal (Plasma 6, GNOME 48 and later), else KGlobalAccel (Plasma 5), else
// nothing, and the desktop's own key binding runs --focus. Both over the session bus: no library of
// either desktop is needed.
class GlobalShortcut : public QObject
{
    Q_OBJECT
public:
    enum class Backend { Pending, Portal, KGlobalAccel, None };

    // `component`: the name the desktop lists the shortcut under, one per instance.
    explicit GlobalShortcut(const QString &component,
                            const QDBusConnection &bus = QDBusConnection::sessionBus(),
                            QObject *parent = nullptr);
    ~GlobalShortcut() override;

    // Binds `key` (in QKeySequence's portable form, "Meta+Alt+C"); again with a new key from the
    // settings. The first call finds the backend.
    void bind(const QString &key);
    Backend backend() const { return used; }

    // The portal's form of a key: "ALT+LOGO+c".
    [[nodiscard]] static QString portalTrigger(const QString &key);

    static const char portalService[];
    static const char kglobalaccelService[];

Q_SIGNALS:
    void activated();
    // The backend is known, or has changed: after the first bind().
    void backendChanged(GlobalShortcut::Backend backend);

private Q_SLOTS:
    void onRequestResponse(const QDBusMessage &message);
    void onPortalActivated(const QDBusObjectPath &session, const QString &id, qulonglong timestamp,
                           const QVariantMap &options);
    void onKGlobalAccelPressed(const QString &component, const QString &action, qlonglong timestamp);

private:
    void registerWithPortal();
    void createPortalSession();
    void bindPortalShortcut();
    void closePortalSession();
    [[nodiscard]] QString nextRequestPath(QString *token);
    void watchRequest(const QString &path);
    void registerKGlobalAccel();
    void setKGlobalAccelKey();
    void settle(Backend backend);

    QString component;
    QDBusConnection bus;
    QString key;
    Backend used = Backend::Pending;
    bool started = false;
    int requests = 0;
    QString sessionPath;
    QString createPath; // the request of the session's creation, until its answer
    QString bindPath;   // the request of the binding
    QString componentPath;
};

#endif
