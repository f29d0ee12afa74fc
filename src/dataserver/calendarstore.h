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
    struct CalendarFile
    {
        QString path;
        int source = 0;
        bool inDirectory = false;
        bool readable = false;
        QByteArray digest;
        qint64 size = -1;
        QDateTime modified;
        IcsDocument document;
        KCalendarCore::MemoryCalendar::Ptr calendar;
    };
    using FilePtr = std::shared_ptr<CalendarFile>;
    struct EventKey
    {
        QString path;
        QString uid;
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

    FilePtr readFile(const QString &path, const QByteArray &data) const;
    // True when a calendar changed since the last scan.
    bool rescan();
    void reindex();
    void refreshWatches(const QStringList &renewed);
    void changed();
    FilePtr fileAt(const QString &path) const;
    QStringList filesOf(const Source &source) const;
    bool findEvent(qint64 id, FilePtr *file, KCalendarCore::Event::Ptr *master) const;
    void forEachOccurrence(const QDateTime &from, const QDateTime &to,
                           const std::function<void(const Occurrence &)> &visit) const;
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
    QFileSystemWatcher m_watcher;
    QTimer m_reload;
    QSet<QString> m_touched;
};

#endif
