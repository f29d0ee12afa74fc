#ifndef SCHEDULE_DAYCLOCK_H
#define SCHEDULE_DAYCLOCK_H

#include <QDBusConnection>
#include <QDate>
#include <QDateTime>
#include <QElapsedTimer>
#include <QObject>

#include <functional>

class QDBusMessage;
class QSocketNotifier;
class QTimer;

// The widget's idea of today, and the news that it has changed: at midnight, after the machine
// wakes from suspend, after the clock or the time zone was set. The time source can be replaced,
// so that tests cross midnight without waiting for it.
class DayClock : public QObject
{
    Q_OBJECT
public:
    using TimeSource = std::function<QDateTime()>;

    explicit DayClock(QObject *parent = nullptr);
    ~DayClock() override;

    QDateTime now() const;
    // The same moment as milliseconds since the epoch, for measuring: no time zone conversion,
    // which in the C library also checks the zone file on disk.
    qint64 msecsSinceEpoch() const;
    QDate today() const { return now().date(); }

    // An empty source is the system clock. The day is checked against the new source at once.
    void setTimeSource(TimeSource source);
    // The bus on which logind announces suspend and resume, and timedated a new time zone: the
    // system bus, or a test's own. None is watched until one is given: connecting to the system
    // bus waits for it, which the widget does once its first frame is on the screen.
    void setSystemBus(const QDBusConnection &bus);

    // While the timers wait the machine may sleep and the clock may be set. Where the kernel cannot
    // tell of either (a system without timerfd), the date is also checked this often.
    static constexpr int pollIntervalMs = 60000;
    // Whether the kernel wakes the clock when the wall clock is set and at the system's midnight,
    // after a suspend too: then nothing polls.
    bool watchesKernelClock() const { return kernelClock != nullptr; }

public Q_SLOTS:
    // Emits dayChanged when the date is no longer the one last seen, and arms the wait for the next midnight.
    void checkDay();

Q_SIGNALS:
    void dayChanged(const QDate &today);
    // The time of day moved otherwise than by its running: the machine woke, the clock was set, the
    // time zone or the time source changed. Whatever waits for a wall-clock moment looks again.
    void clockChanged();

private Q_SLOTS:
    void onPrepareForSleep(bool sleeping);
    void onTimeSettingsChanged(const QString &interface, const QVariantMap &changed,
                               const QStringList &invalidated);

private:
    void armMidnightTimer();
    void armKernelClock();
    void onKernelClock();
    [[nodiscard]] bool wallClockJumped();
    void watchBus(bool connect);

    TimeSource source;
    QDate lastDay;
    QTimer *midnightTimer;
    QTimer *pollTimer;
    QSocketNotifier *kernelClock = nullptr;
    int kernelClockFd = -1;
    QDBusConnection systemBus;
    bool watching = false;
    bool changePending = false;
    // The wall clock at the last check, and the steady time since; they part when the clock jumps.
    qint64 lastWallMs = 0;
    QElapsedTimer sinceCheck;
};

#endif
