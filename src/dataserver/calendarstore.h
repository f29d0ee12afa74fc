#ifndef DATASERVER_CALENDARSTORE_H
#define DATASERVER_CALENDARSTORE_H

#include "icsdocument.h"
#include "scheduledatainfo.h"

#include <KCalendarCore/Event>
#include <KCalendarCore/MemoryCalendar>

#include <QDateTime>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QHash>
#include <QObject>
#include <QSet>
#include <QTimeZone>
#include <QTimer>

#include <functional>
#include <memory>

namespace KCalendarCore {
class ICalFormat;
}
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
        // Instants, as milliseconds since the epoch: a date-time in a named zone costs a zone
        // lookup for every comparison and every sum.
        qint64 startMs = 0;
        qint64 endMs = 0;
    };
    // One occurrence in the index, with its job as GetJobs writes it, made on first use.
    struct Slot
    {
        Occurrence occurrence;
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
    // for every UID whose text (and the file's time zones) did not change. The window is the first
    // query's days alone, as start-up waits for it; it grows by the days later queries add, and
    // ahead of them while the server is idle.
    struct Series
    {
        QString uid;
        int id = 0;
        KCalendarCore::Event::List events; // the master and its exceptions
        quint64 signature = 0;             // 0 for none
        qint64 fromMs = 0;
        qint64 toMs = 0;
        bool expanded = false;
        bool truncated = false; // a rule with more occurrences in the window than a query may take
        // A single event that does not recur has one span for every window: worked out once, it
        // spares each new window the date-time arithmetic of thousands of events.
        bool spanned = false;
        bool hasSpan = false;
        qint64 spanStartMs = 0;
        qint64 spanEndMs = 0;
        QVector<Slot> entries;
    };
    struct CalendarFile
    {
        QString path;
        int source = 0;
        bool inDirectory = false;
        bool readable = false;
        // Could not be opened: a chmod alone makes it readable, with size and time unchanged.
        bool denied = false;
        qint64 size = -1;
        QDateTime modified;
        // A hash of the text as read, for a re-read and an edit to tell whether it changed. The text
        // itself is read again for an edit: kept, the texts of a directory of thousands of small
        // files, each with its time zones, outweighed their events.
        quint64 digest = 0;
        KCalendarCore::MemoryCalendar::Ptr calendar;
        // Sorted by UID. A hash for each of thousands of one-event files cost more than its event.
        QVector<Series> series;
    };
    using FilePtr = std::shared_ptr<CalendarFile>;
    struct EventKey
    {
        QString path;
        QString uid;
    };

    static Series *seriesOf(CalendarFile &file, const QString &uid);
    static const Series *seriesOf(const CalendarFile &file, const QString &uid);
    FilePtr readFile(const QString &path, const QFileInfo &info, const QByteArray &data);
    // True when a calendar changed since the last scan.
    bool rescan();
    void reindex();
    void refreshWatches(const QStringList &renewed);
    QFileSystemWatcher *addWatcher();
    void changed();
    FilePtr fileAt(const QString &path) const;
    // The file's text parsed, as it was read; a failure when it changed on disk since.
    Result documentOf(const CalendarFile &file, IcsDocument *document);
    void setFiles(const QVector<FilePtr> &files);
    QStringList filesOf(const Source &source);
    bool findEvent(qint64 id, FilePtr *file, KCalendarCore::Event::Ptr *master) const;
    void forEachOccurrence(const QDateTime &from, const QDateTime &to,
                           const std::function<void(const Occurrence &)> &visit) const;
    void occurrencesOf(const CalendarFile &file, const KCalendarCore::Event::Ptr &event, int id,
                       qint64 fromMs, qint64 toMs,
                       const std::function<void(const Occurrence &)> &visit) const;
    void expand(CalendarFile &file, Series &series, qint64 fromMs, qint64 toMs) const;
    void makeJob(Slot &slot, int id) const;
    // Grows the windows of the series that recur past the last query's days while the server is
    // idle, a few at a time: the next days' queries then find them expanded, and the first query
    // after start-up waits for its own days alone.
    void growAhead();
    // Moves the index of every unchanged UID of `old` over to `fresh`, its re-read.
    static void adoptSeries(const CalendarFile &old, CalendarFile &fresh);
    ScheduleDataInfo toJob(const Occurrence &occurrence) const;
    QString rangeJson(const QDateTime &from, const QDateTime &to, const QString &key, bool everyDay) const;
    Result write(const FilePtr &old, const QString &path, const IcsDocument &document, int source,
                 bool inDirectory);
    bool ensureTimezone(IcsDocument &document, const JobMapping::TimeStyle &style) const;
    // A fault of a file that stays as it is would otherwise be told at every re-read.
    void sayOnce(const QString &warning);

    QVector<Source> m_sources;
    QVector<FilePtr> m_files;
    QHash<int, EventKey> m_keys;
    QHash<QString, QString> m_rangeCache;
    QHash<QString, FilePtr> m_filesByPath;
    // Several watchers of at most watchChunk paths each: QFileSystemWatcher checks every path it
    // adds against all it has, so one watcher made a directory of thousands of files quadratic.
    std::vector<std::unique_ptr<QFileSystemWatcher>> m_watchers;
    QTimer m_reload;
    QSet<QString> m_touched;
    // One for every file: the library's reader is costly to make and to destroy.
    std::unique_ptr<KCalendarCore::ICalFormat> m_format;
    QTimeZone m_zone;
    QTimer m_growAhead;
    qint64 m_aheadToMs = 0;
    qint64 m_aheadBelowMs = 0; // a window that ends sooner grows
    int m_aheadFile = 0;
    int m_aheadSeries = 0;
    QSet<QString> m_said;
};

#endif
