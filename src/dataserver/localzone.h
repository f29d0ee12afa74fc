#ifndef DATASERVER_LOCALZONE_H
#define DATASERVER_LOCALZONE_H

#include <QDBusConnection>
#include <QObject>

// The process's local time zone named in TZ. While TZ is unset the C library checks its zone file
// again at every conversion of a local time (one stat() each, some 40 % of a year's GetJobs); named,
// the file is read once. A zone set through timedated (the desktop's settings) is followed by naming
// the new one; a TZ the user set is left alone.
class LocalZone : public QObject
{
    Q_OBJECT

public:
    // Names the system's zone where TZ is unset, and follows timedated's changes on `systemBus`.
    explicit LocalZone(const QDBusConnection &systemBus, QObject *parent = nullptr);

    // The TZ value for the zone `id`: its file where one is installed, otherwise none (unset), which
    // is slower but never wrong.
    static QByteArray tzValue(const QByteArray &id);

Q_SIGNALS:
    void changed();

private Q_SLOTS:
    void onPropertiesChanged(const QString &interface, const QVariantMap &properties,
                             const QStringList &invalidated);

private:
    static void name(const QByteArray &value);
};

#endif
