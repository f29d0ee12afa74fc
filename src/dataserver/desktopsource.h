#ifndef DATASERVER_DESKTOPSOURCE_H
#define DATASERVER_DESKTOPSOURCE_H

#include "calendaridentity.h"

#include <KCalendarCore/Incidence>

#include <QByteArray>
#include <QHash>
#include <QObject>
#include <QStringList>
#include <QVector>

#include <functional>

// A service of the desktop that keeps calendars of its own (Evolution Data Server, Akonadi) and
// hands each to the store as one VCALENDAR text; edits go back through the service, which tells
// of them later as of any other change.
class DesktopSource : public QObject
{
    Q_OBJECT
public:
    struct Calendar
    {
        QString uid; // the service's own ID of the calendar
        CalendarIdentity identity;
        // The addresses its account goes by, which tell the user among an event's attendees.
        QStringList myAddresses;
    };

    // One change sent to a calendar: a new component, a component put in place of the one of its
    // UID and RECURRENCE-ID (the series' for the whole series, an occurrence's for it alone), or a
    // series removed with all its occurrences.
    struct Change
    {
        enum Kind { Create, ModifySeries, ModifyOccurrence, RemoveSeries } kind = ModifySeries;
        QByteArray component; // a VEVENT's text, but for RemoveSeries
        QString uid;          // for RemoveSeries
    };
    enum class Failure { None, ReadOnly, NotFound, Failed };
    using Written = std::function<void(Failure failure, const QString &message)>;

    using QObject::QObject;

    // Connects to the service and follows it from now on.
    virtual void start() = 0;
    // The calendars whose contents have been read, ordered by name.
    virtual QVector<Calendar> calendars() const = 0;
    // The calendar's components as one VCALENDAR, with the time zones they name.
    virtual QByteArray textOf(const QString &uid) const = 0;

    // A calendar as a service that keeps it parsed hands it over: the store takes its incidences
    // as they are, and asks for its text only for an edit.
    struct Parsed
    {
        quint64 version = 0; // a new one, never used before, after every change; 0 for none
        KCalendarCore::Incidence::List incidences;
        QHash<QString, quint64> signatures; // by UID: changes when one of its incidences does; never 0
    };
    // Where the service keeps its calendars parsed (Akonadi hands them so), the calendar as it is;
    // null where the store reads the service's text. Writing thousands of incidences out as text
    // for the store to read them in again took most of its time beside the service's own.
    virtual const Parsed *parsedOf(const QString &uid) const
    {
        Q_UNUSED(uid)
        return nullptr;
    }
    // Sends the changes to the calendar in order, each once the one before succeeded, and tells
    // `done` once: after the last, at the first failure with the service's message, or when it has
    // not answered within writeWaitMs.
    virtual void write(const QString &uid, const QVector<Change> &changes, Written done) = 0;

    // A service that stopped answering (a backend hung on an account's server) must not keep a
    // D-Bus caller waiting for good; 20 s is within the callers' usual 25 s timeout.
    static constexpr int writeWaitMs = 20000;
    // A burst of changes (an import, a calendar enabled with hundreds of events) is told once.
    static constexpr int settleMs = 150;

Q_SIGNALS:
    // Calendars came, went or changed.
    void changed();
};

#endif
