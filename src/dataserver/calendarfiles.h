#ifndef DATASERVER_CALENDARFILES_H
#define DATASERVER_CALENDARFILES_H

#include "calendarsources.h"
#include "calendarstore.h"
#include "indexcache.h"
#include "occurrenceindex.h"
#include "warnonce.h"

#include <KCalendarCore/MemoryCalendar>

#include <QDateTime>
#include <QHash>
#include <QObject>
#include <QSet>
#include <QTimer>

#include <memory>
#include <vector>

class AkonadiCalendars;
class CalendarReader;
class DesktopSource;
class EdsCalendars;
class IcsDocument;
class QFile;
class QFileSystemWatcher;
class Subscriptions;

// One .ics file as it was last read.
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
    CalendarSources::Header header;
    // It serves a to-do without a date on the day it was read, which a new day reads again.
    bool undated = false;
    KCalendarCore::MemoryCalendar::Ptr calendar;
    // Overrides of a series kept beside the calendar, not in it: it files the incidences of a UID
    // in one list, which each one added walks whole (see CalendarReader::parseInParts).
    KCalendarCore::Event::List overrides;
    QVector<OccurrenceIndex::Series> series; // by UID, with its overrides
    // What the deferred series are read from: the text as the library takes it, and the file
    // around its incidences (the calendar's properties and zones) cut at END:VCALENDAR.
    int deferredCount = 0;
    QByteArray deferredText;
    // Or, for a large file, the file as it was read, kept open: the text of its single events is
    // read from it again as queries reach them, each piece checked against its hash. Held whole,
    // the text of 100,000 events was a third of the server's memory for as long as it ran. A file
    // saved atomically is replaced, and the one kept open holds the text read; one written over in
    // place fails the check and is read again.
    std::shared_ptr<QFile> deferredFile;
    QByteArray deferredHead;
    QByteArray deferredTail;
    // The layout read from the text, until IndexCache keeps it for the next start.
    std::shared_ptr<const FileLayout> unsavedLayout;
    // The same, kept for an edit of a file read as it is on disk: it rewrites the incidences of one
    // UID and reads them alone again (see FilePart). Parsing and writing the whole text of 100,000
    // events, and reading it back, took seconds for one edited event.
    std::shared_ptr<const FileLayout> layout;
    qint64 textLength = 0;
};
using FilePtr = std::shared_ptr<CalendarFile>;

// The incidences of one UID cut out of a file's text for an edit, which rewrites them and leaves
// every other byte as it was; for a UID the file lacks, the place its new components go.
struct FilePart
{
    QString uid;
    QByteArray text;         // the file's whole text, as read for the edit
    QVector<int> incidences; // the UID's, into the file's layout, in order
    int firstComponent = 0;  // where they begin among the components of the edit's document
    // What the edit makes of each of them: no component, itself, or itself and one after it.
    QVector<QVector<QByteArray>> replaced;
    // A UID the file lacks: where its END:VCALENDAR line begins, and the components put there.
    int insertAt = -1;
    QVector<QByteArray> added;

    // False: the document holds the whole file, which the edit writes whole.
    [[nodiscard]] bool cut() const { return !incidences.isEmpty() || insertAt >= 0; }
};

// The calendars given on the command line: .ics files, directories holding one .ics file per
// event, and subscriptions, read from their copies in the cache. Finds their files, reads them
// (faults of a file are said on stderr), writes them, and follows changes on disk.
class CalendarFiles : public QObject
{
    Q_OBJECT
public:
    struct Source
    {
        QString path; // a subscription's copy in the cache
        bool directory = false;
        CalendarSources::Kind kind = CalendarSources::Kind::File;
        QString location; // as listed: the path, or a subscription's URL
        QString
            desktopId; // a desktop calendar's ID in its service: EDS's source UID, Akonadi's collection ID
        QUrl url;
        CalendarIdentity identity;
        QByteArray jobKeys;      // identity.jobKeys(), written into every job of the calendar
        QStringList myAddresses; // who the user is among the attendees of its events
    };

    explicit CalendarFiles(const QStringList &paths, QObject *parent = nullptr);
    static QVector<Source> sourcesOf(const QStringList &paths);
    ~CalendarFiles() override;

    const QVector<Source> &sources() const { return m_sources; }
    const QVector<FilePtr> &files() const { return m_files; }
    FilePtr fileAt(const QString &path) const { return m_filesByPath.value(path); }
    QVector<CalendarIdentity> identities() const;
    const Source &sourceOf(const CalendarFile &file) const;
    OccurrenceIndex::JobContext jobContextOf(const CalendarFile &file) const
    {
        const Source &source = sourceOf(file);
        OccurrenceIndex::JobContext context;
        context.calendarKeys = source.jobKeys;
        context.myAddresses = source.myAddresses;
        return context;
    }
    // The addresses the user goes by in the calendars that name no owner of their own; true when
    // they changed.
    bool setMyAddresses(const QStringList &addresses);

    void load();
    // Serves Evolution Data Server's calendars too, after those listed, from now on.
    void followEds();
    // Serves them no longer; true when a calendar left.
    bool stopEds();
    // Serves Akonadi's calendars too, after those of EDS, while Akonadi runs; `startIt` starts
    // Akonadi where it does not run yet.
    void followAkonadi(bool startIt);
    // Serves them no longer; true when a calendar left.
    bool stopAkonadi();
    // The service that keeps a desktop calendar of this kind; null for one not followed.
    DesktopSource *desktopOf(CalendarSources::Kind kind) const;
    // Serves these paths from now on: files of sources that remain are kept as read, those of new
    // sources are read. True when a calendar changed.
    bool setSources(const QStringList &paths);
    // Reads what changed on disk since the last scan; true when a calendar changed.
    bool rescan();
    // Reads again the files that serve to-dos without a date on the day they were read; true when
    // there was one.
    bool renewUndated();
    // The file's text parsed, as it was read; a failure when it changed on disk since, or when it
    // was read without its damaged lines.
    CalendarStore::Result documentOf(const CalendarFile &file, IcsDocument *document);
    // The same for an edit of the incidences of `uid` alone: where the file allows it, the document
    // holds the calendar around them and them alone (none, for a UID the file lacks), and `part`
    // tells where they were cut from.
    CalendarStore::Result documentOf(const CalendarFile &file, const QString &uid, IcsDocument *document,
                                     FilePart *part);
    // Writes the document to `path` and takes it as the file there, in place of `old`.
    CalendarStore::Result write(const FilePtr &old, const QString &path, const IcsDocument &document,
                                int source, bool inDirectory);
    // Writes the file's text with the part's incidences replaced as it says, and takes it as the file.
    CalendarStore::Result write(const FilePtr &file, FilePart part);
    CalendarStore::Result remove(const FilePtr &file);
    // Reads the file's deferred series that may touch [fromMs, toMs), of those that may hold `key`,
    // or the one of that UID. False when the file was written over since it was read: the events
    // not read yet are left out until it is read again, after which the change is told whatever it
    // was.
    bool readDeferred(CalendarFile &file, qint64 fromMs, qint64 toMs, const QString &key = QString());
    bool readDeferred(CalendarFile &file, const QString &uid);

    // Debounce of the reaction to changes on disk; editors write a file in several steps.
    static constexpr int reloadDelayMs = CalendarStore::reloadDelayMs;
    // Files' layouts are kept for the next start this long after a scan, once the first answer
    // has gone; the caches of texts no longer served are removed with it.
    static constexpr int keepIndexDelayMs = 1000;

Q_SIGNALS:
    // Files changed on disk, and rescan() read them.
    void changedOnDisk();

private:
    QStringList filesOf(const Source &source);
    void setFiles(const QVector<FilePtr> &files);
    // One source's file as it is now: the one read before where it has not changed. `renewed`: the
    // paths read again.
    FilePtr rescanDesktop(const Source &source, bool *changed);
    FilePtr rescanFile(const QString &path, const Source &source, bool *changed, QStringList *renewed);
    // The file's text as the server read it; a failure when it changed on disk since.
    CalendarStore::Result textOf(const CalendarFile &file, QByteArray *data);
    CalendarStore::Result parse(const CalendarFile &file, const QByteArray &data, IcsDocument *document);
    // One atomic replace of the file at `path`.
    static CalendarStore::Result save(const QString &path, const QByteArray &data);
    // Takes `data`, just written to `path`, as the file there, in place of `old`.
    void takeWritten(const FilePtr &old, const QString &path, const QByteArray &data, int source,
                     bool inDirectory);
    void refreshWatches(const QStringList &renewed);
    QFileSystemWatcher *addWatcher();
    // A fault of a file that stays as it is would otherwise be told at every re-read.
    void sayOnce(const QString &warning);
    bool writtenOver(const CalendarFile &file);
    void keepIndexes();
    void updateIdentities();
    void followSubscriptions();
    QVector<Source> desktopSources() const;
    void followDesktop(DesktopSource *service);
    bool stopDesktop();

    QStringList m_paths;
    QStringList m_myAddresses;
    QVector<Source> m_sources;
    QVector<FilePtr> m_files;
    QHash<QString, FilePtr> m_filesByPath;
    // Several watchers of at most watchChunk paths each: QFileSystemWatcher checks every path it
    // adds against all it has, so one watcher made a directory of thousands of files quadratic.
    std::vector<std::unique_ptr<QFileSystemWatcher>> m_watchers;
    QTimer m_reload;
    QTimer m_keepIndexes;
    QSet<QString> m_touched;
    bool m_answeredWithout = false; // answers left out events of a file written over
    std::unique_ptr<CalendarReader> m_reader;
    std::unique_ptr<Subscriptions> m_subscriptions;
    std::unique_ptr<EdsCalendars> m_eds;
    std::unique_ptr<AkonadiCalendars> m_akonadi;
    WarnOnce m_said;
};

#endif
