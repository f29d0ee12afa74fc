#ifndef SCHEDULE_CALENDARIDENTITY_H
#define SCHEDULE_CALENDARIDENTITY_H

#include <QByteArray>
#include <QJsonObject>
#include <QString>
#include <QVector>

// Which of the data server's calendars a job comes from. A job carries it as keys written after
// the job object's own ("CalendarID", "CalendarName", "CalendarColor", "CalendarWritable"), so
// that a reader that knows only the older keys reads the job as before; GetCalendars lists the
// calendars themselves.
struct CalendarIdentity
{
    // Stable across restarts and reorderings of calendars.conf; empty for a job of no known calendar.
    QString id;
    QString name;
    // "#rrggbb" or a CSS colour name as the calendar gives it; empty where it gives none.
    QString color;
    bool writable = true;
    // "file", "folder" or "subscription"; GetCalendars alone writes it, and the location.
    QString kind;
    QString location;

    bool isNull() const { return id.isEmpty(); }
    bool operator==(const CalendarIdentity &other) const;
    bool operator!=(const CalendarIdentity &other) const { return !(*this == other); }

    // The keys a job carries, each with its leading comma, to be written before the object's
    // closing brace; empty for a null identity.
    QByteArray jobKeys() const;
    // Fills the identity from a job object's keys; a job without them leaves it null.
    static CalendarIdentity fromJob(const QJsonObject &job);

    // One calendar of GetCalendars' answer: "ID", "Name", "Color" (where known), "Writable",
    // "Kind", "Location".
    QJsonObject toJson() const;
    static CalendarIdentity fromJson(const QJsonObject &object);
    static QString listToJson(const QVector<CalendarIdentity> &calendars);
    // False, with the reason in `why`, for a text that is no array of calendar objects.
    static bool readList(const QString &text, QVector<CalendarIdentity> &out, QString &why);
};

#endif
