#ifndef DATASERVER_CALENDARSTORE_H
#define DATASERVER_CALENDARSTORE_H

#include "scheduledatainfo.h"

#include <QDateTime>
#include <QObject>

#include <memory>

// The calendars given on the command line, as the data server's interface sees them: serves their
// events as job records and writes changes back. Reading, watching and writing files is
// CalendarFiles' part, expanding a series Occurrences', keeping the expansions OccurrenceIndex'.
class CalendarStore : public QObject
{
    Q_OBJECT
public:
    enum class Status {
        Ok,
        NotFound,
        InvalidArgument,
        NoCalendar,
        Unreadable,
        WriteFailed,
        TooLarge,
        ReadOnly,
        ChangedOnDisk
    };
    // What an edit of one occurrence of a series changes: the component that holds it now (the
    // series, or the occurrence's own override where it has one), or that occurrence alone.
    enum class Scope { AsStored, ThisOccurrence };
    struct Result
    {
        Status status = Status::Ok;
        QString message;
        qint64 id = 0;
        bool ok() const { return status == Status::Ok; }
        static Result failure(Status status, const QString &message)
        {
            Result result;
            result.status = status;
            result.message = message;
            return result;
        }
    };

    explicit CalendarStore(const QStringList &paths, QObject *parent = nullptr);
    ~CalendarStore() override;

    // Reads every calendar; unreadable files and events are reported on stderr and skipped.
    void load();
    // Serves these calendars in place of the current ones, and tells of it when a job changed.
    void setCalendars(const QStringList &paths);
    // Serves the calendars of Evolution Data Server too, after the others, following its changes.
    void followDesktopCalendars();

    // The range form of the jobs of the days first to last, both included, in the local time zone;
    // an empty text, and why in `failure`, for an answer past the bounds below.
    QString jobsJson(const QDate &first, const QDate &last, Result *failure = nullptr);
    // Jobs between two instants whose title or description holds the key, in the range form.
    QString queryJson(const QString &key, const QDateTime &start, const QDateTime &end,
                      Result *failure = nullptr);

    // An answer lists at most so many jobs (one of several days once on each), in so many bytes: a
    // series whose occurrences each last ten years, asked for ten years, made one of gigabytes.
    static constexpr qint64 maxAnswerJobs = 200000;
    static constexpr qint64 maxAnswerBytes = 64 * 1024 * 1024;
    Result job(qint64 id, ScheduleDataInfo &out) const;
    // The calendars served, in the order they are listed.
    QVector<CalendarIdentity> calendars() const;

    // In the calendar the job's CalendarID names, or the first writable one without it.
    Result createJob(const ScheduleDataInfo &info);
    Result updateJob(const ScheduleDataInfo &info, Scope scope = Scope::AsStored);
    Result deleteJob(qint64 id);

    // Debounce of the reaction to changes on disk; editors write a file in several steps.
    static constexpr int reloadDelayMs = 300;

Q_SIGNALS:
    void jobsChanged();

private:
    struct Private;
    std::unique_ptr<Private> d;
};

#endif
