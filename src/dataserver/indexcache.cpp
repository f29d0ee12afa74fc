#include "indexcache.h"

#include "calendarcontract.h"
#include "calendarreader.h"
#include "serverlog.h"

#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QStandardPaths>

namespace IndexCache {

namespace {

constexpr quint32 magic = 0x544c4958; // "TLIX"
// Raised whenever the layout or the reader's idea of a deferred event changes.
constexpr quint32 version = 2;
// Past this, a cache is taken for damaged rather than read into memory.
constexpr qint64 largestCache = qint64(512) * 1024 * 1024;

QByteArray payloadOf(quint64 digest, qint64 length, const FileLayout &layout)
{
    QByteArray payload;
    QDataStream out(&payload, QIODevice::WriteOnly);
    out.setVersion(QDataStream::Qt_5_15);
    out << digest << length << qint32(layout.mostPerUid) << qint32(layout.incidences.size());
    for (const auto &span : layout.incidences)
        out << qint32(span.first) << qint32(span.second);
    for (const quint64 hash : layout.uidHashes)
        out << hash;
    out << qint32(layout.deferred.size());
    for (const FileLayout::Deferred &one : layout.deferred)
        out << qint32(one.incidence) << one.uid << one.fromMs << one.toMs;
    out << qint32(layout.signatures.size());
    for (auto it = layout.signatures.cbegin(); it != layout.signatures.cend(); ++it)
        out << it.key() << it.value();
    return payload;
}

// The spans must lie within the text in order, the deferred ones among them: a cache that passed
// its checksum is still never trusted to index past the text.
bool consistent(const FileLayout &layout, qint64 length)
{
    if (layout.uidHashes.size() != layout.incidences.size())
        return false;
    int end = 0;
    for (const auto &span : layout.incidences) {
        if (span.first < end || span.second <= span.first || span.second > length)
            return false;
        end = span.second;
    }
    int previous = -1;
    for (const FileLayout::Deferred &one : layout.deferred) {
        if (one.incidence <= previous || one.incidence >= layout.incidences.size() || one.uid.isEmpty() ||
            one.fromMs >= one.toMs)
            return false;
        previous = one.incidence;
    }
    return true;
}

bool readPayload(const QByteArray &payload, quint64 digest, qint64 length, FileLayout &layout)
{
    QDataStream in(payload);
    in.setVersion(QDataStream::Qt_5_15);
    quint64 storedDigest = 0;
    qint64 storedLength = 0;
    qint32 mostPerUid = 0;
    qint32 count = 0;
    in >> storedDigest >> storedLength >> mostPerUid >> count;
    if (in.status() != QDataStream::Ok || storedDigest != digest || storedLength != length || count < 0 ||
        count > length)
        return false;
    layout.mostPerUid = mostPerUid;
    layout.incidences.resize(count);
    for (auto &span : layout.incidences) {
        qint32 from = 0, to = 0;
        in >> from >> to;
        span = {from, to};
    }
    layout.uidHashes.resize(layout.incidences.size());
    for (quint64 &hash : layout.uidHashes)
        in >> hash;
    in >> count;
    if (in.status() != QDataStream::Ok || count < 0 || count > layout.incidences.size())
        return false;
    layout.deferred.resize(count);
    for (FileLayout::Deferred &one : layout.deferred) {
        qint32 incidence = 0;
        in >> incidence >> one.uid >> one.fromMs >> one.toMs;
        one.incidence = incidence;
    }
    in >> count;
    if (in.status() != QDataStream::Ok || count < 0 || count > layout.incidences.size())
        return false;
    layout.signatures.reserve(count);
    for (int i = 0; i < count; ++i) {
        QString uid;
        quint64 signature = 0;
        in >> uid >> signature;
        layout.signatures.insert(uid, signature);
    }
    return in.status() == QDataStream::Ok && in.atEnd() && consistent(layout, length);
}

} // namespace

QString directory()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) +
           QStringLiteral("/" DATASERVER_PROGRAM "/index");
}

QString pathOf(quint64 digest)
{
    return directory() + QLatin1Char('/') + QString::number(digest, 16).rightJustified(16, QLatin1Char('0')) +
           QStringLiteral(".index");
}

bool load(quint64 digest, qint64 length, FileLayout &layout)
{
    QFile file(pathOf(digest));
    if (!file.open(QIODevice::ReadOnly) || file.size() > largestCache)
        return false;
    const QByteArray bytes = file.readAll();
    QDataStream in(bytes);
    in.setVersion(QDataStream::Qt_5_15);
    quint32 storedMagic = 0, storedVersion = 0;
    quint64 checksum = 0;
    QByteArray payload;
    in >> storedMagic >> storedVersion >> checksum >> payload;
    layout = FileLayout();
    if (in.status() != QDataStream::Ok || !in.atEnd() || storedMagic != magic || storedVersion != version ||
        checksum != CalendarReader::digestOf(payload) || !readPayload(payload, digest, length, layout)) {
        // Not this text's: the file is read as if there were none, and its own index replaces it.
        layout = FileLayout();
        return false;
    }
    return true;
}

bool save(quint64 digest, qint64 length, const FileLayout &layout)
{
    if (!QDir().mkpath(directory()))
        return false;
    const QByteArray payload = payloadOf(digest, length, layout);
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setVersion(QDataStream::Qt_5_15);
    out << magic << version << CalendarReader::digestOf(payload) << payload;
    QSaveFile file(pathOf(digest));
    // A cache that cannot be written costs the next start its time, nothing else.
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
}

void prune(const QSet<quint64> &kept)
{
    QDir dir(directory());
    const QStringList names = dir.entryList({QStringLiteral("*.index")}, QDir::Files);
    for (const QString &name : names) {
        bool ok = false;
        const quint64 digest = name.left(name.size() - 6).toULongLong(&ok, 16);
        if (!ok || !kept.contains(digest))
            dir.remove(name);
    }
}

} // namespace IndexCache
