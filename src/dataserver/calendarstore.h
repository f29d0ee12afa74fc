#ifndef DATASERVER_CALENDARSTORE_H
#define DATASERVER_CALENDARSTORE_H

#include "desktopcalendars.h"
#include "scheduledatainfo.h"

#include <QDateTime>
#include <QObject>

#include <functional>
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
    // The addresses the user goes by in files, folders and subscriptions (myaddresses.h, read at
    // start): the jobs' "MyReply" follow them.
    void setMyAddresses(const QStringList &addresses);
    // The local zone changed: every answer is made again in it, and the clients are told.
    void localZoneChanged();
    // Serves the calendars of Evolution Data Server too, after the others, following its changes;
    // or no longer, an edit of one on its way answered as failed.
    void followDesktopCalendars(bool on = true);
    // The same for Akonadi's calendars, after those of EDS (desktopcalendars.h tells how).
    void followAkonadi(DesktopCalendars::AkonadiUse use);

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

    // An edit's outcome, told once. A calendar of files is written before the edit returns, and
    // `done` is called before it does; an Evolution calendar is written by EDS, and `done` is called
    // once EDS has taken the change and its view has reported it back, so that a GetJobs after the
    // answer sees it. Edits of EDS's calendars are made one after another, each on what the one
    // before left.
    using Done = std::function<void(const Result &)>;
    // In the calendar the job's CalendarID names, or the first writable one without it.
    void createJob(const ScheduleDataInfo &info, const Done &done);
    void updateJob(const ScheduleDataInfo &info, Scope scope, const Done &done);
    void deleteJob(qint64 id, const Done &done);
    // The user's answer to the invitation ("accepted", "tentative", "declined", "needs-action"),
    // written into the event as the user's PARTSTAT and nothing else; refused for a job that does
    // not name the user among its attendees.
    void replyToJob(qint64 id, const QString &reply, const Done &done);
    // Completes a to-do (STATUS, COMPLETED and PERCENT-COMPLETE, nothing else), or reopens it; of a
    // repeating one, the occurrence `recurId` alone. Refused for a job that is no to-do.
    void setJobCompleted(qint64 id, int recurId, bool completed, const Done &done);
    // The same, answered at once: an edit of an Evolution calendar, which cannot be, is refused.
    Result createJob(const ScheduleDataInfo &info);
    Result updateJob(const ScheduleDataInfo &info, Scope scope = Scope::AsStored);
    Result deleteJob(qint64 id);
    Result replyToJob(qint64 id, const QString &reply);
    Result setJobCompleted(qint64 id, int recurId, bool completed);
    // How long an edit of an Evolution calendar waits for EDS's view to report what EDS took; past
    // it the edit is answered all the same (a new job without its ID, which it would not have).
    static constexpr int edsViewWaitMs = 5000;

    // Debounce of the reaction to changes on disk; editors write a file in several steps.
    static constexpr int reloadDelayMs = 300;

Q_SIGNALS:
    void jobsChanged();

private:
    struct Private;
    std::unique_ptr<Private> d;
};

#endif
