#ifndef DATASERVER_EDSCALENDARS_H
#define DATASERVER_EDSCALENDARS_H

#include "desktopsource.h"

#include <QTimer>

#include <memory>

// The enabled calendars and task lists of Evolution Data Server's source registry (the desktop's
// own, and those GNOME Online Accounts adds), followed live through libecal's client views and the
// registry's signals. Every call into libecal is asynchronous: its answers and its views' signals
// arrive in the server's own event loop, which on Linux is GLib's. Built without libecal, or where
// EDS is absent, it serves no calendar and says so once. No GLib type leaves the .cpp file.
class EdsCalendars : public DesktopSource
{
    Q_OBJECT
public:
    explicit EdsCalendars(QObject *parent = nullptr);
    ~EdsCalendars() override;

    // Whether this build can reach EDS at all.
    static bool built();
    // Connects to the registry and follows it from now on.
    void start() override;

    // The calendars whose contents have been read, ordered by name.
    QVector<Calendar> calendars() const override;
    // The calendar's components as one VCALENDAR, with the time zones they name.
    QByteArray textOf(const QString &uid) const override;

    // Each change once the one before succeeded; EDS's view reports them as any other, later.
    void write(const QString &uid, const QVector<Change> &changes, Written done) override;

private:
    struct Private;
    std::unique_ptr<Private> d;
    QTimer m_settle;
};

#endif
