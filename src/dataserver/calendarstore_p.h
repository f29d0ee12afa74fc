#ifndef DATASERVER_CALENDARSTORE_P_H
#define DATASERVER_CALENDARSTORE_P_H

#include "calendarfiles.h"
#include "calendarstore.h"
#include "desktopsource.h"

#include <KCalendarCore/Event>

#include <QHash>
#include <QTimer>

#include <deque>
#include <optional>

struct CalendarStore::Private
{
    Private(CalendarStore *store, const QStringList &paths);

    struct EventKey
    {
        QString path;
        QString uid;
    };

    // Gives every UID of every file its job ID.
    void reindex();
    // After a change through the server or on disk.
    void changed();
    // Writes a file through `files`, and tells of the change.
    Result write(const FilePtr &old, const QString &path, const IcsDocument &document, int source,
                 bool inDirectory);
    Result write(const FilePtr &file, FilePart part);
    // A failure for an edit of a calendar the server may not write.
    [[nodiscard]] Result refuseReadOnly(const CalendarFile &file, qint64 id) const;
    // The calendar a new job goes to: the one of `calendarId`, or the first writable one.
    [[nodiscard]] Result targetOf(const QString &calendarId, const CalendarFiles::Source **target) const;
    [[nodiscard]] bool findEvent(qint64 id, FilePtr *file, KCalendarCore::Event::Ptr *master);
    // Grows the windows of the series that recur past the last query's days while the server is
    // idle, a few at a time: the next days' queries then find them expanded, and the first query
    // after start-up waits for its own days alone.
    void growAhead();

    // An edit's outcome now, or none when EDS answers it later, through its Done. Without a Done,
    // an edit of an EDS calendar is refused.
    using Outcome = std::optional<Result>;
    Outcome create(const ScheduleDataInfo &info, const Done &done);
    Outcome update(const ScheduleDataInfo &info, Scope scope, const Done &done);
    Outcome remove(qint64 id, const Done &done);
    Outcome reply(qint64 id, const QString &reply, const Done &done);
    Outcome complete(qint64 id, int recurId, bool completed, const Done &done);
    // To-dos without a date are served on today's date: a new day moves them.
    void armDayTimer();

    // An edit of a desktop calendar (EDS's, Akonadi's) on its way, one at a time.
    struct EdsEdit
    {
        Done done;
        QString path;       // its calendar's CalendarFile
        QString name;       // its calendar's name, for the messages
        QString service;    // "Evolution", "Akonadi", for the messages
        quint64 digest = 0; // the calendar's text the edit was made on
        QString createdUid; // a new job, whose ID the answer carries
        bool taken = false; // EDS took the change; its view's report is awaited
    };
    // True when an edit of an EDS calendar must wait its turn; `again` then makes it when it comes.
    [[nodiscard]] bool queuedForEds(std::function<void()> again);
    // An edit of a calendar of `source` now, or its outcome: refused for a desktop calendar (EDS,
    // Akonadi) without a
    // Done, answered later (an empty Outcome) for one that waits its turn behind another edit,
    // which `again` then makes.
    [[nodiscard]] std::optional<Outcome> edsTurn(const CalendarFiles::Source &source, const Done &done,
                                                 std::function<Outcome()> again);
    void sendToEds(const CalendarFiles::Source &source, const QVector<DesktopSource::Change> &changes,
                   const QString &createdUid, const Done &done);
    void edsAnswered(DesktopSource::Failure failure, const QString &message);
    // After every change: the edit on its way is answered once its calendar shows it.
    void checkEdsEdit();
    void finishEdsEdit(const Result &result);
    void runEdsQueue();

    CalendarStore *q;
    CalendarFiles files;
    QHash<int, EventKey> keys;
    QHash<QString, QString> rangeCache;
    QTimer growTimer;
    // Gives back to the system what a read, an edit or a large answer freed, once it is sent.
    QTimer trimTimer;
    qint64 aheadToMs = 0;
    qint64 aheadBelowMs = 0; // a window that ends sooner grows
    int aheadFile = 0;
    int aheadSeries = 0;
    std::optional<EdsEdit> edsEdit;
    std::deque<std::function<void()>> edsQueue;
    bool edsDraining = false;
    QTimer edsViewTimer;
    QTimer dayTimer;
};

#endif
