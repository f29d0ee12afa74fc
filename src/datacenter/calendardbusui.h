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
};

#endif
