#ifndef DATASERVER_CALENDARSTORE_H
#define DATASERVER_CALENDARSTORE_H

#include "icsdocument.h"
#include "scheduledatainfo.h"

#include <KCalendarCore/Event>
#include <KCalendarCore/MemoryCalendar>

#include <QDateTime>
#include <QFileSystemWatcher>
#include <QHash>
#include <QObject>
#include <QSet>
#include <QTimer>

#include <functional>
#include <memory>

namespace JobMapping {
struct TimeStyle;
}

// The calendars given on the command line: .ics files, and directories holding one .ics file per
// event. Serves their events as job records, writes changes back, and follows edits on disk.
class CalendarStore : public QObject
{
    Q_OBJECT
public:
    enum class Status { Ok, NotFound, InvalidArgument, NoCalendar, Unreadable, WriteFailed };
    struct Result
    {
        Status status = Status::Ok;
        QString message;
        qint64 id = 0;
        bool ok() const { return status == Status::Ok; }
    };

    explicit CalendarStore(const QStringList &paths, QObject *parent = nullptr);
    ~CalendarStore() override;

    // Reads every calendar; unreadable files and events are reported on stderr and skipped.
    void load();

    // The range form of the jobs of the days first to last, both included, in the local time zone.
    QString jobsJson(const QDate &first, const QDate &last);
    // Jobs between two instants whose title or description holds the key, in the range form.
    QString queryJson(const QString &key, const QDateTime &start, const QDateTime &end);
    Result job(qint64 id, ScheduleDataInfo &out) const;

    Result createJob(const ScheduleDataInfo &info);
    Result updateJob(const ScheduleDataInfo &info);
    Result deleteJob(qint64 id);

    // Debounce of the reaction to changes on disk; editors write a file in several steps.
    static constexpr int reloadDelayMs = 300;

Q_SIGNALS:
    void jobsChanged();

private:
    struct Source
    {
        QString path;
        bool directory = false;
    };
    struct Occurrence
    {
        int id = 0;
        int recurId = 0;
        KCalendarCore::Event::Ptr event;  // the override where the occurrence has one
        KCalendarCore::Event::Ptr master; // the event that carries rule, exceptions and ID
        QDateTime start;
        QDateTime end;
    };
    // One occurrence in the index, with its job as GetJobs writes it, made on first use.
    struct Slot
    {
        Occurrence occurrence;
        qint64 startMs = 0;
        qint64 endMs = 0;
        int jobId = 0; // the ID the job text was made with; 0 before it was made
        QDateTime jobBegin;
        QDateTime jobEnd;
        QString title;
        QDate firstDay;
        QDate lastDay;
        QByteArray json;
    };
    // The occurrences of one UID of a file within a window of time. Expanding a recurrence is the
    // costly part of GetJobs, so the slots outlive a query, and a re-read of the file keeps them
    // for every UID whose text (and the file's time zones) did not change.
    struct Series
    {
        QByteArray signature;
        qint64 fromMs = 0;
        qint64 toMs = 0;
        bool expanded = false;
        bool truncated = false; // a rule with more occurrences in the window than a query may take
        QVector<Slot> entries;
    };
    struct CalendarFile
    {
        QString path;
        int source = 0;
        bool inDirectory = false;
        bool readable = false;
        QByteArray digest;
        qint64 size = -1;
        QDateTime modified;
        // The text as read; parsed again only for an edit. A parsed document costs several times
        // the text's size, and a directory of thousands of small files held ten times the memory.
        QByteArray data;
        KCalendarCore::MemoryCalendar::Ptr calendar;
        QHash<QString, Series> series; // by UID
        QHash<QString, KCalendarCore::Event::List> eventsByUid;
    };
    using FilePtr = std::shared_ptr<CalendarFile>;
    struct EventKey
    {
        QString path;
        QString uid;
    };

    FilePtr readFile(const QString &path, const QByteArray &data) const;
    // True when a calendar changed since the last scan.
    bool rescan();
    void reindex();
    void refreshWatches(const QStringList &renewed);
    QFileSystemWatcher *addWatcher();
    void changed();
    FilePtr fileAt(const QString &path) const;
    static IcsDocument documentOf(const CalendarFile &file);
    void setFiles(const QVector<FilePtr> &files);
    QStringList filesOf(const Source &source) const;
    bool findEvent(qint64 id, FilePtr *file, KCalendarCore::Event::Ptr *master) const;
    void forEachOccurrence(const QDateTime &from, const QDateTime &to,
                           const std::function<void(const Occurrence &)> &visit) const;
    void occurrencesOf(const CalendarFile &file, const KCalendarCore::Event::Ptr &event, int id,
                       const QDateTime &from, const QDateTime &to,
                       const std::function<void(const Occurrence &)> &visit) const;
    void expand(CalendarFile &file, const QString &uid, Series &series, const QDateTime &from,
                const QDateTime &to) const;
    void makeJob(Slot &slot, int id) const;
    // Moves the index of every unchanged UID of `old` over to `fresh`, its re-read.
    static void adoptSeries(const CalendarFile &old, CalendarFile &fresh);
    ScheduleDataInfo toJob(const Occurrence &occurrence) const;
    QString rangeJson(const QDateTime &from, const QDateTime &to, const QString &key, bool everyDay) const;
    Result write(const FilePtr &old, const QString &path, const IcsDocument &document, int source,
                 bool inDirectory);
    bool ensureTimezone(IcsDocument &document, const JobMapping::TimeStyle &style) const;

    QVector<Source> m_sources;
    QVector<FilePtr> m_files;
    QHash<int, EventKey> m_keys;
    QHash<QString, int> m_ids;
    QHash<QString, QString> m_rangeCache;
    QHash<QString, FilePtr> m_filesByPath;
    // Several watchers of at most watchChunk paths each: QFileSystemWatcher checks every path it
    // adds against all it has, so one watcher made a directory of thousands of files quadratic.
    std::vector<std::unique_ptr<QFileSystemWatcher>> m_watchers;
    QTimer m_reload;
    QSet<QString> m_touched;
};

#endif
