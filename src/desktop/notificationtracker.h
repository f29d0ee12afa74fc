#ifndef SCHEDULE_NOTIFICATIONTRACKER_H
#define SCHEDULE_NOTIFICATIONTRACKER_H

#include "notifications.h"

#include <QHash>
#include <QObject>
#include <QVector>

class QDBusServiceWatcher;

// Notifications the widget may act on later: each is sent under a key of the caller's, trimmed to
// what the service can show (no buttons where it has no "actions", no sound where it has no
// "sound"), and the service's answers come back by that key. Never waits for the service.
class NotificationTracker : public QObject
{
    Q_OBJECT
public:
    explicit NotificationTracker(const QDBusConnection &bus = QDBusConnection::sessionBus(),
                                 const Notifications::Service &service = Notifications::desktop(),
                                 QObject *parent = nullptr);

    void show(const QString &key, const Notifications::Notification &notification);
    // Takes the notification off the screen if it is there; a closed one is forgotten.
    void close(const QString &key);
    [[nodiscard]] QStringList shownKeys() const;

Q_SIGNALS:
    void actionInvoked(const QString &key, const QString &action);
    // By the user or by the service (a time-out, an action); not by close().
    void closed(const QString &key);

private Q_SLOTS:
    void onActionInvoked(uint id, const QString &action);
    void onNotificationClosed(uint id, uint reason);

private:
    struct Pending
    {
        QString key;
        Notifications::Notification notification;
    };

    void askCapabilities();
    void send(const QString &key, Notifications::Notification notification);

    QDBusConnection bus;
    Notifications::Service service;
    QDBusServiceWatcher *watcher;
    bool capabilitiesKnown = false;
    bool asking = false;
    bool absenceLogged = false;
    QStringList capabilities;
    QVector<Pending> pending;
    QHash<uint, QString> keyOfId;
    // Sent and not yet answered with an id: a close asked for meanwhile is done once it comes.
    QHash<QString, bool> awaitingId;
};

#endif
