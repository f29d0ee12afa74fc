#include "calendardbusui.h"

CalendarDbusUI::CalendarDbusUI(const QString &service, const QString &path, const QDBusConnection &connection,
                               QObject *parent)
    : QDBusAbstractInterface(service, path, staticInterfaceName(), connection, parent)
{
}

CalendarDbusUI *CalendarDbusUI::instance()
{
    static CalendarDbusUI openSchedule(QStringLiteral("com.norvale.Calendar"),
                                       QStringLiteral("/com/norvale/Calendar"),
                                       QDBusConnection::sessionBus());
    return &openSchedule;
}
