#ifndef SCHEDULE_REMINDERSTORE_H
#define SCHEDULE_REMINDERSTORE_H

#include <QString>
#include <QVector>

// What the widget has told the desktop of, kept beside the data file so that nothing is told twice
// and no snooze is lost across restarts: the countdowns that ended, the reminders shown, the
// reminders snoozed. One line a record:
//     id recurId beginMs                                 a countdown's end told (the original form)
//     shown id recurId beginMs momentMs endMs            a reminder shown
//     snoozed id recurId beginMs momentMs endMs untilMs  a reminder snoozed until untilMs
// Older widgets read only the three-number lines and skip the others.
class ReminderStore
{
public:
    // One reminder of one occurrence: a moved event or a changed reminder is another one.
    struct Reminder
    {
        qint32 id = 0;
        qint32 recurId = 0;
        qint64 beginMs = 0;
        qint64 momentMs = 0;
        bool operator==(const Reminder &o) const
        {
            return id == o.id && recurId == o.recurId && beginMs == o.beginMs && momentMs == o.momentMs;
        }
    };
    struct Snooze
    {
        Reminder reminder;
        qint64 untilMs = 0;
    };

    // Reads `path` at once; an empty path keeps everything in memory only.
    explicit ReminderStore(const QString &path);

    [[nodiscard]] bool countdownTold(qint32 id, qint32 recurId, qint64 beginMs) const;
    void markCountdownTold(qint32 id, qint32 recurId, qint64 beginMs);

    [[nodiscard]] bool shown(const Reminder &reminder) const;
    void markShown(const Reminder &reminder, qint64 endMs);
    // 0 when the reminder is not snoozed.
    [[nodiscard]] qint64 snoozedUntil(const Reminder &reminder) const;
    void snooze(const Reminder &reminder, qint64 endMs, qint64 untilMs);
    void dropSnooze(const Reminder &reminder);
    [[nodiscard]] QVector<Snooze> snoozes() const;

    // Forgets what ended over keepDays before `nowMs` and writes the file; one warning on failure.
    void save(qint64 nowMs);

    static constexpr int keepDays = 3;

private:
    enum Kind { CountdownEnd, Shown, Snoozed };
    struct Record
    {
        Kind kind = CountdownEnd;
        Reminder reminder; // momentMs unused for a countdown
        qint64 endMs = 0;
        qint64 untilMs = 0;
    };

    void load();
    int find(Kind kind, const Reminder &reminder) const;

    QString path;
    QVector<Record> records;
};

#endif
