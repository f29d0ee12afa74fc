#include "democalendar.h"

namespace {

ScheduleDataInfo timed(const QString &title, const QDateTime &begin, int minutes, int remind,
                       const QString &description = QString())
{
    ScheduleDataInfo job;
    job.setTitleName(title);
    job.setDescription(description);
    job.setAllDay(false);
    job.setBeginDateTime(begin);
    job.setEndDateTime(begin.addSecs(minutes * 60));
    job.setRemindData(RemindData(remind, QTime(9, 0)));
    return job;
}

ScheduleDataInfo allDay(const QString &title, const QDate &first, const QDate &last, int remindDays)
{
    ScheduleDataInfo job;
    job.setTitleName(title);
    job.setAllDay(true);
    job.setBeginDateTime(QDateTime(first, QTime(0, 0)));
    job.setEndDateTime(QDateTime(last, QTime(23, 59, 59)));
    job.setRemindData(RemindData(remindDays, QTime(9, 0)));
    return job;
}

} // namespace

QVector<ScheduleDataInfo> DemoCalendar::jobs(const QDateTime &now)
{
    const QDate today = now.date();
    const QDate tomorrow = today.addDays(1);
    // Within the next two hours, on a five-minute mark.
    QDateTime soon = now.addSecs(40 * 60);
    soon.setTime(QTime(soon.time().hour(), soon.time().minute() / 5 * 5));

    QVector<ScheduleDataInfo> jobs;
    jobs << timed(QStringLiteral("Call with the design team"), soon, 30, 15,
                  QStringLiteral("Go through the new icons."));
    jobs << timed(QStringLiteral("Lunch with Sam"), QDateTime(today, QTime(12, 30)), 60, -1);
    jobs << timed(QStringLiteral("Review the quarterly report"), QDateTime(today, QTime(16, 0)), 60, 30);
    jobs << timed(QStringLiteral("Dentist appointment"), QDateTime(tomorrow, QTime(10, 0)), 45, 60);
    jobs << timed(QStringLiteral("Book club"), QDateTime(tomorrow, QTime(18, 30)), 90, -1,
                  QStringLiteral("Bring the second volume."));

    ScheduleDataInfo plants =
        timed(QStringLiteral("Water the plants"), QDateTime(today.addDays(-3), QTime(8, 0)), 10, 5);
    plants.setScheduleRRule(QStringLiteral("FREQ=DAILY"));
    jobs << plants;

    ScheduleDataInfo birthday =
        allDay(QStringLiteral("Mum's birthday"), today.addDays(2), today.addDays(2), 1);
    birthday.setType(2);
    birthday.setScheduleRRule(QStringLiteral("FREQ=YEARLY"));
    jobs << birthday;

    jobs << allDay(QStringLiteral("Team offsite"), today.addDays(9), today.addDays(10), -1);
    jobs << timed(QStringLiteral("Project deadline"), QDateTime(today.addDays(7), QTime(12, 0)), 60, 24 * 60,
                  QStringLiteral("Send the final report to the client."));
    return jobs;
}
