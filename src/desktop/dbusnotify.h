#ifndef SCHEDULE_DBUSNOTIFY_H
#define SCHEDULE_DBUSNOTIFY_H

#include <QDBusAbstractInterface>
#include <QDBusMessage>

// Proxy of the desktop notification service.
class DBusNotify : public QDBusAbstractInterface
{
    Q_OBJECT
public:
    static inline const char *staticInterfaceName() { return "com.norvale.nvx.Notification"; }

    DBusNotify(const QString &service, const QString &path, const QDBusConnection &connection,
               QObject *parent = nullptr);

    QDBusMessage Notify(const QList<QVariant> &arguments);

Q_SIGNALS:
    void NotificationClosed(uint id, uint reason);
    void ActionInvoked(uint id, const QString &reason);
};

// Tells the desktop once that the widget has started. Returns at once; the answer is logged when it
// comes, from the event loop.
void notifyUser();

#endif
