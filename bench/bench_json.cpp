// Reading a range text of 7 days with 10,000 jobs (StrJsonToRangeInfo) against the bare Qt work it
// cannot avoid: QJsonDocument::fromJson and one walk that reads every value, with the same two
// date-time conversions per job.
#include "benchutil.h"
#include "scheduledatainfo.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTimeZone>

namespace {

struct BareJob
{
    int id = 0;
    int type = 0;
    int recurId = 0;
    bool allDay = false;
    QString title;
    QString description;
    QString rrule;
    QString remind;
    QDateTime start;
    QDateTime end;
    QVector<QDateTime> ignore;
};

QString rangeText(int days, int jobsPerDay)
{
    const QDate first(2024, 5, 6);
    const QTimeZone zone("Europe/Berlin");
    QMap<QDate, QVector<ScheduleDataInfo>> range;
    int id = 1000;
    for (int d = 0; d < days; ++d) {
        QVector<ScheduleDataInfo> &jobs = range[first.addDays(d)];
        for (int j = 0; j < jobsPerDay; ++j, ++id) {
            ScheduleDataInfo info;
            info.setID(id);
            info.setType(1 + id % 3);
            info.setAllDay(id % 10 == 0);
            info.setTitleName(QStringLiteral("Team meeting number %1 of the week").arg(id));
            info.setDescription(
                QStringLiteral("Room %1, second floor; bring the quarterly figures").arg(id % 50));
            const QDateTime begin(first.addDays(d), QTime(8 + j % 10, (j * 7) % 60), zone);
            info.setBeginDateTime(begin);
            info.setEndDateTime(begin.addSecs(3600));
            if (id % 4 == 0) {
                info.setScheduleRRule(QStringLiteral("FREQ=WEEKLY;COUNT=20"));
                info.setRecurID(d);
                info.setIgnoreTime({begin.addDays(7)});
            }
            if (id % 3 == 0)
                info.setScheudleRemind(info.getAllDay() ? QStringLiteral("1;09:00") : QStringLiteral("15"));
            jobs.append(info);
        }
    }
    return ScheduleDataInfo::RangeInfoToStrJson(range);
}

int bareRead(const QString &text)
{
    const QJsonDocument document = QJsonDocument::fromJson(text.toUtf8());
    QVector<BareJob> jobs;
    QVector<QDate> dates;
    const QJsonArray days = document.array();
    for (const QJsonValue &dayValue : days) {
        const QJsonObject day = dayValue.toObject();
        dates.append(QDate::fromString(day.value(QLatin1String("Date")).toString(), Qt::ISODate));
        const QJsonArray dayJobs = day.value(QLatin1String("Jobs")).toArray();
        for (const QJsonValue &jobValue : dayJobs) {
            const QJsonObject object = jobValue.toObject();
            BareJob job;
            job.id = object.value(QLatin1String("ID")).toInt();
            job.type = object.value(QLatin1String("Type")).toInt();
            job.recurId = object.value(QLatin1String("RecurID")).toInt();
            job.allDay = object.value(QLatin1String("AllDay")).toBool();
            job.title = object.value(QLatin1String("Title")).toString();
            job.description = object.value(QLatin1String("Description")).toString();
            job.rrule = object.value(QLatin1String("RRule")).toString();
            job.remind = object.value(QLatin1String("Remind")).toString();
            job.start = QDateTime::fromString(object.value(QLatin1String("Start")).toString(), Qt::ISODate);
            job.end = QDateTime::fromString(object.value(QLatin1String("End")).toString(), Qt::ISODate);
            const QJsonArray ignore = object.value(QLatin1String("Ignore")).toArray();
            for (const QJsonValue &entry : ignore)
                job.ignore.append(QDateTime::fromString(entry.toString(), Qt::ISODate));
            jobs.append(job);
        }
    }
    return jobs.size() + dates.size();
}

// What the details add to the range text of 5,000 jobs of a work calendar: one in ten an
// invitation (organizer, four attendees, the user's answer, a meeting link), one in seven more
// with a place. The jobs of a calendar without either gain nothing: every key is written only
// where the event has it.
double detailsGrowth()
{
    const QString plain = rangeText(7, 5000 / 7 + 1);
    QMap<QDate, QVector<ScheduleDataInfo>> range = ScheduleDataInfo::StrJsonToRangeInfo(plain);
    int n = 0;
    for (QVector<ScheduleDataInfo> &jobs : range) {
        for (ScheduleDataInfo &job : jobs) {
            EventDetails details;
            if (++n % 10 == 0) {
                details.organizer = {QStringLiteral("Dana Lee"), QStringLiteral("dana@example.com"), {}, {}};
                for (const char *name : {"dana", "sam", "kim", "me"})
                    details.attendees
                        << EventPerson{QString(), QLatin1String(name) + QStringLiteral("@example.com"),
                                       QStringLiteral("required"), QStringLiteral("accepted")};
                details.myReply = QStringLiteral("accepted");
                details.conference = QStringLiteral("https://meet.google.com/abc-defg-hij");
            } else if (n % 7 == 0) {
                details.location = QStringLiteral("Room 4.12");
            }
            job.setDetails(details);
        }
    }
    const QString withDetails = ScheduleDataInfo::RangeInfoToStrJson(range);
    return double(withDetails.toUtf8().size()) / plain.toUtf8().size();
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QString text = rangeText(7, 10000 / 7 + 1);
    Bench::note(
        QStringLiteral("range text: %1 jobs, %2 bytes").arg(7 * (10000 / 7 + 1)).arg(text.toUtf8().size()));

    QVector<double> bare;
    QVector<double> product;
    int sink = 0;
    // The first round warms the allocator and Qt's time-zone caches for both.
    bareRead(text);
    ScheduleDataInfo::StrJsonToRangeInfo(text);
    const int runs = Bench::runs(9);
    for (int i = 0; i < runs; ++i) {
        bare << Bench::elapsedMs([&] { sink += bareRead(text); });
        product << Bench::elapsedMs([&] { sink += ScheduleDataInfo::StrJsonToRangeInfo(text).size(); });
    }
    Bench::note(QStringLiteral("(sink %1)").arg(sink));
    Bench::ratioRow(QStringLiteral("StrJsonToRangeInfo, 7 days, 10,000 jobs"), Bench::median(product),
                    Bench::median(bare), QStringLiteral("ms"), 1.5);
    const double growth = detailsGrowth();
    Bench::row(QStringLiteral("job JSON of 5,000 jobs, one in ten an invitation: size with its details"),
               QStringLiteral("%1 %").arg((growth - 1) * 100, 0, 'f', 1), QStringLiteral("without them"),
               growth, QStringLiteral("≤ 15 % more"), growth <= 1.15);
    return 0;
}
