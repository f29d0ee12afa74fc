#include "calendarcolor.h"

#include "calendaridentity.h"

QColor calendarColor(const CalendarIdentity &calendar)
{
    if (calendar.isNull())
        return {};
    QColor own(calendar.color.trimmed());
    if (own.isValid()) {
        own.setAlpha(255);
        return own;
    }
    // FNV-1a over the ID's UTF-8: qHash is seeded anew at each start, and the colour must not move.
    quint32 hash = 2166136261u;
    for (const char byte : calendar.id.toUtf8()) {
        hash ^= quint8(byte);
        hash *= 16777619u;
    }
    // A hue of the whole circle, at a saturation and value that read on the light and the dark band.
    return QColor::fromHsv(int(hash % 360), 170 + int((hash >> 16) % 40), 200);
}
