#include "dayclock.h"

#include <QDBusMessage>
#include <QSocketNotifier>
#include <QTimer>

#include <cerrno>
#include <ctime>
#ifdef __linux__
#include <sys/timerfd.h>
#include <unistd.h>
#endif
#include <limits>
#include <utility>

namespace {
const char logindService[] = "org.freedesktop.login1";
const char logindPath[] = "/org/freedesktop/login1";
const char logindInterface[] = "org.freedesktop.login1.Manager";
const char timedateService[] = "org.freedesktop.timedate1";
const char timedatePath[] = "/org/freedesktop/timedate1";
const char propertiesInterface[] = "org.freedesktop.DBus.Properties";

// A timer may fire a little early by the wall clock; waking just after midnight sees the new day.
constexpr qint64 midnightMarginMs = 200;
// A check runs late by a few milliseconds under load; more than this is the clock being set.
constexpr qint64 jumpToleranceMs = 2000;
} // namespace

DayClock::DayClock(QObject *parent)
    : QObject(parent)
    , midnightTimer(new QTimer(this))
    , pollTimer(new QTimer(this))
    , systemBus(QString())
{
    midnightTimer->setSingleShot(true);
    midnightTimer->setTimerType(Qt::PreciseTimer);
    connect(midnightTimer, &QTimer::timeout, this, &DayClock::checkDay);
    pollTimer->setInterval(pollIntervalMs);
    pollTimer->setTimerType(Qt::VeryCoarseTimer);
    connect(pollTimer, &QTimer::timeout, this, &DayClock::checkDay);
    lastDay = today();
    (void)wallClockJumped();
    armMidnightTimer();
#ifdef __linux__
    kernelClockFd = timerfd_create(CLOCK_REALTIME, TFD_NONBLOCK | TFD_CLOEXEC);
    if (kernelClockFd >= 0) {
        kernelClock = new QSocketNotifier(kernelClockFd, QSocketNotifier::Read, this);
        connect(kernelClock, &QSocketNotifier::activated, this, &DayClock::onKernelClock);
        armKernelClock();
    }
#endif
    if (!kernelClock)
        pollTimer->start();
}

DayClock::~DayClock()
{
    delete kernelClock;
#ifdef __linux__
    if (kernelClockFd >= 0)
        close(kernelClockFd);
#endif
}

QDateTime DayClock::now() const
{
    return source ? source() : QDateTime::currentDateTime();
}

qint64 DayClock::msecsSinceEpoch() const
{
    return source ? source().toMSecsSinceEpoch() : QDateTime::currentMSecsSinceEpoch();
}

void DayClock::setTimeSource(TimeSource newSource)
{
    source = std::move(newSource);
    changePending = true;
    checkDay();
}

void DayClock::setSystemBus(const QDBusConnection &bus)
{
    if (watching)
        watchBus(false);
    systemBus = bus;
    watching = true;
    watchBus(true);
}

void DayClock::watchBus(bool connect)
{
    if (!systemBus.isConnected())
        return;
    const auto change = [&](const char *service, const char *path, const char *interface, const char *name,
                            const char *slot) {
        if (connect)
            systemBus.connect(QLatin1String(service), QLatin1String(path), QLatin1String(interface),
                              QLatin1String(name), this, slot);
        else
            systemBus.disconnect(QLatin1String(service), QLatin1String(path), QLatin1String(interface),
                                 QLatin1String(name), this, slot);
    };
    change(logindService, logindPath, logindInterface, "PrepareForSleep", SLOT(onPrepareForSleep(bool)));
    change(timedateService, timedatePath, propertiesInterface, "PropertiesChanged",
           SLOT(onTimeSettingsChanged(QString, QVariantMap, QStringList)));
}

void DayClock::checkDay()
{
    const QDate day = today();
    const bool jumped = wallClockJumped() || std::exchange(changePending, false);
    if (day != lastDay) {
        lastDay = day;
        Q_EMIT dayChanged(day);
    }
    armMidnightTimer();
    if (kernelClock)
        armKernelClock();
    if (jumped)
        Q_EMIT clockChanged();
}

bool DayClock::wallClockJumped()
{
    const qint64 wall = now().toMSecsSinceEpoch();
    const bool first = !sinceCheck.isValid();
    const qint64 expected = first ? wall : lastWallMs + sinceCheck.restart();
    if (first)
        sinceCheck.start();
    lastWallMs = wall;
    return qAbs(wall - expected) > jumpToleranceMs;
}

void DayClock::armMidnightTimer()
{
    const QDateTime current = now();
    const QDateTime midnight(current.date().addDays(1), QTime(0, 0));
    // A day without midnight (a zone that skips it) still ends: the poll notices the new date.
    const qint64 wait = current.msecsTo(midnight);
    if (wait <= 0 || wait > qint64(std::numeric_limits<int>::max()) - midnightMarginMs) {
        midnightTimer->stop();
        return;
    }
    midnightTimer->start(int(wait + midnightMarginMs));
}

// A timer on the wall clock at the system's next midnight, cancelled whenever the clock is set: it
// sees midnight after a suspend as well, which a steady timer waits out the sleep's length past.
void DayClock::armKernelClock()
{
#ifdef __linux__
    const QDateTime midnight(QDate::currentDate().addDays(1), QTime(0, 0));
    itimerspec at{};
    const qint64 ms = midnight.toMSecsSinceEpoch() + midnightMarginMs;
    at.it_value.tv_sec = time_t(ms / 1000);
    at.it_value.tv_nsec = long(ms % 1000) * 1000000L;
    if (timerfd_settime(kernelClockFd, TFD_TIMER_ABSTIME | TFD_TIMER_CANCEL_ON_SET, &at, nullptr) != 0)
        pollTimer->start();
#endif
}

void DayClock::onKernelClock()
{
#ifdef __linux__
    quint64 expirations = 0;
    // ECANCELED: the wall clock was set.
    const bool set = read(kernelClockFd, &expirations, sizeof expirations) < 0 && errno == ECANCELED;
    if (set)
        changePending = true;
    checkDay();
#endif
}

void DayClock::onPrepareForSleep(bool sleeping)
{
    if (sleeping)
        return;
    changePending = true;
    checkDay();
}

void DayClock::onTimeSettingsChanged(const QString &interface, const QVariantMap &changed,
                                     const QStringList &invalidated)
{
    if (interface != QLatin1String("org.freedesktop.timedate1"))
        return;
    const QString zone = changed.value(QStringLiteral("Timezone")).toString();
    if (!zone.isEmpty()) {
        // The C library reads the zone once per value of TZ; naming the new one makes local time
        // follow it in this process too.
        qputenv("TZ", QByteArrayLiteral(":") + zone.toUtf8());
        tzset();
    } else if (!invalidated.contains(QStringLiteral("Timezone"))) {
        return;
    }
    changePending = true;
    checkDay();
}
