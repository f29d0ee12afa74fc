#ifndef DATASERVER_INDEXCACHE_H
#define DATASERVER_INDEXCACHE_H

#include <QByteArray>
#include <QHash>
#include <QSet>
#include <QString>
#include <QVector>

// What the reader learns of a calendar file before the library parses it (where its incidences
// lie, which of them it leaves unread and the days each of those lies within, every UID's
// signature), kept across starts in $XDG_CACHE_HOME/tasklist-dataserver/index/ under the file's
// digest: outlining the text of 100,000 events and telling its single events apart is most of a
// start the library's parse leaves. A cache that is not exactly the one written for this text
// (another version, another file, cut short, altered) is passed over, and the file read afresh.
struct FileLayout
{
    struct Deferred
    {
        int incidence = 0; // into `incidences`
        QString uid;
        qint64 fromMs = 0;
        qint64 toMs = 0;
    };
    int mostPerUid = 0;
    QHash<QString, quint64> signatures;
    QVector<QPair<int, int>> incidences;
    QVector<quint64> uidHashes; // one for each incidence
    QVector<Deferred> deferred; // in the order of their incidences
};

namespace IndexCache {

[[nodiscard]] QString directory();
[[nodiscard]] QString pathOf(quint64 digest);
// The layout kept for the text of this digest and length; false when there is none that fits it.
[[nodiscard]] bool load(quint64 digest, qint64 length, FileLayout &layout);
bool save(quint64 digest, qint64 length, const FileLayout &layout);
// Removes the caches of every text but these: files changed or no longer served.
void prune(const QSet<quint64> &kept);

} // namespace IndexCache

#endif
