#ifndef SCHEDULE_COUNTDOWNNOTIFIER_H
#define SCHEDULE_COUNTDOWNNOTIFIER_H

#include <QDBusConnection>
#include <QObject>

#include <memory>

class ReminderStore;
class ScheduleDataInfo;

// Tells the desktop, through its notification service, that a counted-down task begins: once per
// occurrence, also across restarts of the widget. One case of the reminders: the same store, the same
// sender.
class CountdownNotifier : public QObject
{
    Q_OBJECT
public:
    // The occurrences already told are kept in `statePath`; with an empty path only in memory.
    explicit CountdownNotifier(const QString &statePath,
                               const QDBusConnection &bus = QDBusConnection::sessionBus(),
                               QObject *parent = nullptr);
    // Shares `store`, which outlives the notifier, with the reminders.
    CountdownNotifier(ReminderStore *store, const QDBusConnection &bus, QObject *parent = nullptr);
    ~CountdownNotifier() override;

    // Sends the notification unless this occurrence had one; returns at once, the answer is only
    // logged. False when the occurrence was told before.
    bool countdownEnded(const ScheduleDataInfo &task);

private:
    std::unique_ptr<ReminderStore> ownStore;
    ReminderStore *store;
    QDBusConnection bus;
};

#endif
