#ifndef SCHEDULE_NOTIFICATIONS_H
#define SCHEDULE_NOTIFICATIONS_H

#include <QDBusConnection>
#include <QDBusMessage>
#include <QStringList>
#include <QVariantMap>

#include <functional>

// The one way the widget puts a notification on the desktop: the "Notify" call of
// org.freedesktop.Notifications, whose signature ("susssasa{sv}i") other services copy.
namespace Notifications {

struct Service
{
    QString name;
    QString path;
    QString interface;
};

// The desktop's notification service.
Service desktop();

struct Notification
{
    QString appName;
    QString icon;
    QString summary;
    QString body;
    QStringList actions;
    QVariantMap hints;
    int timeoutMs = -1; // -1: as long as the service thinks fit
};

// Sends without waiting: a service that hangs must never freeze the widget. `answered`, when
// given, gets the reply from the event loop, in `context`'s thread; also the error when there is
// no bus, so that every send is answered once.
void send(const QDBusConnection &bus, const Service &service, const Notification &notification,
          QObject *context, std::function<void(const QDBusMessage &reply)> answered = {});

// Asks what the service can show ("actions", "sound", …), answered as `send` is.
void askCapabilities(const QDBusConnection &bus, const Service &service, QObject *context,
                     std::function<void(const QDBusMessage &reply)> answered);

// Takes a notification of ours off the screen, without waiting.
void close(const QDBusConnection &bus, const Service &service, uint id);

} // namespace Notifications

#endif
