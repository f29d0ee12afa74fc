#ifndef SCHEDULE_CALENDARDBUSUI_H
#define SCHEDULE_CALENDARDBUSUI_H

#include <QDBusAbstractInterface>

// Proxy of the calendar application; the widget only sends it one-way requests.
class CalendarDbusUI : public QDBusAbstractInterface
{
    Q_OBJECT
public:
    static inline const char *staticInterfaceName() { return "com.norvale.Calendar"; }

    CalendarDbusUI(const QString &service, const QString &path, const QDBusConnection &connection,
                   QObject *parent = nullptr);

    static CalendarDbusUI *instance();

    // Sends `member` without waiting for it. When no program has the application's name on the bus,
    // the desktop's own calendar application is started or raised instead, and never handed the
    // arguments: it would import the task as a new event.
    void request(const QString &member, const QVariantList &arguments);
    // Whether a program owns the application's name: asks the bus, not the application.
    bool hasApplication() const;
};

// Starts the desktop's preferred application for text/calendar, or asks it over D-Bus to show itself
// when its desktop file allows that; logs which, or warns that there is none.
void startCalendarApplication(const QDBusConnection &bus);

#endif
