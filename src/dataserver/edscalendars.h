#ifndef DATASERVER_EDSCALENDARS_H
#define DATASERVER_EDSCALENDARS_H

#include "calendaridentity.h"

#include <QByteArray>
#include <QObject>
#include <QStringList>
#include <QTimer>
#include <QVector>

#include <functional>
#include <memory>

// The enabled calendars and task lists of Evolution Data Server's source registry (the desktop's
// own, and those GNOME Online Accounts adds), followed live through libecal's client views and the
// registry's signals. Every call into libecal is asynchronous: its answers and its views' signals
// arrive in the server's own event loop, which on Linux is GLib's. Built without libecal, or where
// EDS is absent, it serves no calendar and says so once. No GLib type leaves the .cpp file.
class EdsCalendars : public QObject
{
    Q_OBJECT
public:
    struct Calendar
    {
        QString uid; // the ESource's UID
        CalendarIdentity identity;
        // The addresses its account goes by, which tell the user among an event's attendees.
        QStringList myAddresses;
    };
    explicit EdsCalendars(QObject *parent = nullptr);
    ~EdsCalendars() override;

    // Whether this build can reach EDS at all.
    static bool built();
    // Connects to the registry and follows it from now on.
    void start();

    // The calendars whose contents have been read, ordered by name.
    QVector<Calendar> calendars() const;
    // The calendar's components as one VCALENDAR, with the time zones they name.
    QByteArray textOf(const QString &uid) const;

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
    // Sends the changes to the calendar in order, each once the one before succeeded, and tells
    // `done` once: after the last, at the first failure with EDS's message, or when EDS has not
    // answered within writeWaitMs. Its view reports the change as any other, later.
    void write(const QString &uid, const QVector<Change> &changes, Written done);
    // An EDS that stopped answering (a backend hung on an account's server) must not keep a
    // D-Bus caller waiting for good; 20 s is within the callers' usual 25 s timeout.
    static constexpr int writeWaitMs = 20000;

    // A burst of changes (an import, a calendar enabled with hundreds of events) is told once.
    static constexpr int settleMs = 150;

Q_SIGNALS:
    // Calendars came, went or changed.
    void changed();

private:
    struct Private;
    std::unique_ptr<Private> d;
    QTimer m_settle;
};

#endif
