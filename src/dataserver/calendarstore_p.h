#ifndef DATASERVER_CALENDARSTORE_P_H
#define DATASERVER_CALENDARSTORE_P_H

#include "calendarfiles.h"
#include "calendarstore.h"

#include <KCalendarCore/Event>

#include <QHash>
#include <QTimer>

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
    // A failure for an edit of a calendar the server may not write.
    [[nodiscard]] Result refuseReadOnly(const CalendarFile &file, qint64 id) const;
    // The calendar a new job goes to: the one of `calendarId`, or the first writable one.
    [[nodiscard]] Result targetOf(const QString &calendarId, const CalendarFiles::Source **target) const;
    [[nodiscard]] bool findEvent(qint64 id, FilePtr *file, KCalendarCore::Event::Ptr *master) const;
    // Grows the windows of the series that recur past the last query's days while the server is
    // idle, a few at a time: the next days' queries then find them expanded, and the first query
    // after start-up waits for its own days alone.
    void growAhead();

    CalendarStore *q;
    CalendarFiles files;
    QHash<int, EventKey> keys;
    QHash<QString, QString> rangeCache;
    QTimer growTimer;
    qint64 aheadToMs = 0;
    qint64 aheadBelowMs = 0; // a window that ends sooner grows
    int aheadFile = 0;
    int aheadSeries = 0;
};

#endif
