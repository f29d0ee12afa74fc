#ifndef DATASERVER_AKONADICALENDARS_H
#define DATASERVER_AKONADICALENDARS_H

#include "desktopsource.h"

#include <QTimer>

#include <memory>

// Akonadi's collections of events and to-dos (KDE's calendars: KOrganizer's, Merkuro's, those of
// the accounts System Settings adds), followed live through Akonadi's monitors. Every call is a
// job whose answer arrives in the server's event loop; Akonadi is watched on the bus, asked for
// nothing while it does not run, and started only when setStartsAkonadi() says so. Built without
// Akonadi's libraries it serves no calendar and says so once. No Akonadi type leaves the .cpp file.
class AkonadiCalendars : public DesktopSource
{
    Q_OBJECT
public:
    explicit AkonadiCalendars(QObject *parent = nullptr);
    ~AkonadiCalendars() override;

    // Whether this build can reach Akonadi at all.
    static bool built();
    // Whether start() starts Akonadi where it does not run; off, it waits for Akonadi to come.
    void setStartsAkonadi(bool on);

    void start() override;
    QVector<Calendar> calendars() const override;
    QByteArray textOf(const QString &uid) const override;
    const Parsed *parsedOf(const QString &uid) const override;
    // Each change an Akonadi job, once the one before succeeded; the monitor reports it later.
    void write(const QString &uid, const QVector<Change> &changes, Written done) override;

private:
    struct Private;
    std::unique_ptr<Private> d;
    QTimer m_settle;
};

#endif
