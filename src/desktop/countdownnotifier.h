#ifndef SCHEDULE_COUNTDOWNNOTIFIER_H
#define SCHEDULE_COUNTDOWNNOTIFIER_H

#include <QDBusConnection>
#include <QObject>
#include <QVector>

class ScheduleDataInfo;

// Tells the desktop, through its notification service, that a counted-down task begins: once per
// occurrence, also across restarts of the widget.
class CountdownNotifier : public QObject
{
    Q_OBJECT
public:
    // The occurrences already told are kept in `statePath`; with an empty path only in memory.
    explicit CountdownNotifier(const QString &statePath,
                               const QDBusConnection &bus = QDBusConnection::sessionBus(),
                               QObject *parent = nullptr);

    // Sends the notification unless this occurrence had one; returns at once, the answer is only
    // logged. False when the occurrence was told before.
    bool countdownEnded(const ScheduleDataInfo &task);

    // How long a told occurrence is remembered after its begin time.
    static constexpr int keepDays = 3;

private:
    struct Occurrence
    {
        qint32 id = 0;
        qint32 recurId = 0;
        qint64 beginMs = 0;
        bool operator==(const Occurrence &o) const
        {
            return id == o.id && recurId == o.recurId && beginMs == o.beginMs;
        }
    };

    void load();
    void save();

    QString statePath;
    QDBusConnection bus;
    QVector<Occurrence> told;
    bool loaded = false;
};

#endif
