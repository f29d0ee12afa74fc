#include "calendarfiles.h"

#include "accountpaths.h"
#include "akonadicalendars.h"
#include "calendarreader.h"
#include "edscalendars.h"
#include "icsdocument.h"
#include "myaddresses.h"
#include "serverlog.h"
#include "subscriptions.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QSaveFile>

#include <algorithm>
#include <utility>

using Status = CalendarStore::Status;
using Result = CalendarStore::Result;

CalendarFiles::CalendarFiles(const QStringList &paths, QObject *parent)
    : QObject(parent)
    , m_paths(paths)
    , m_myAddresses(MyAddresses::configured())
    , m_sources(sourcesOf(paths))
    , m_reader(std::make_unique<CalendarReader>())
{
    m_reload.setSingleShot(true);
    m_reload.setInterval(reloadDelayMs);
    connect(&m_reload, &QTimer::timeout, this, [this] {
        if (rescan() || std::exchange(m_answeredWithout, false))
            Q_EMIT changedOnDisk();
    });
    m_keepIndexes.setSingleShot(true);
    m_keepIndexes.setInterval(keepIndexDelayMs);
    connect(&m_keepIndexes, &QTimer::timeout, this, &CalendarFiles::keepIndexes);
}

void CalendarFiles::keepIndexes()
{
    QSet<quint64> kept;
    for (const FilePtr &file : std::as_const(m_files)) {
        kept.insert(file->digest);
        if (file->unsavedLayout && IndexCache::save(file->digest, file->textLength, *file->unsavedLayout))
            file->unsavedLayout.reset();
    }
    IndexCache::prune(kept);
}

CalendarFiles::~CalendarFiles() = default;

QVector<CalendarFiles::Source> CalendarFiles::sourcesOf(const QStringList &paths)
{
    QVector<Source> sources;
    for (const QString &path : paths) {
        Source source;
        source.url = CalendarSources::subscriptionUrl(path);
        if (source.url.isValid()) {
            source.kind = CalendarSources::Kind::Subscription;
            source.path = CalendarSources::cachePath(source.url);
            source.location = path.trimmed();
        } else {
            const QFileInfo info(path);
            source.path = info.absoluteFilePath();
            source.directory = info.isDir();
            source.kind = source.directory ? CalendarSources::Kind::Folder : CalendarSources::Kind::File;
            source.location = source.path;
        }
        sources.push_back(source);
    }
    return sources;
}

QVector<CalendarFiles::Source> CalendarFiles::desktopSources() const
{
    QVector<Source> sources;
    const std::pair<CalendarSources::Kind, DesktopSource *> services[] = {
        {CalendarSources::Kind::Eds, m_eds.get()}, {CalendarSources::Kind::Akonadi, m_akonadi.get()}};
    for (const auto &[kind, service] : services) {
        if (!service)
            continue;
        const QVector<DesktopSource::Calendar> calendars = service->calendars();
        for (const DesktopSource::Calendar &calendar : calendars) {
            Source source;
            source.kind = kind;
            source.desktopId = calendar.uid;
            source.location = kind == CalendarSources::Kind::Eds
                                  ? CalendarSources::edsLocation(calendar.uid)
                                  : CalendarSources::akonadiLocation(calendar.uid);
            source.path = source.location;
            source.identity = CalendarSources::identityOf(source.kind, source.location, source.path, {});
            source.identity.name = calendar.identity.name;
            source.identity.color = CalendarSources::colorOf(calendar.identity.color);
            source.identity.writable = calendar.identity.writable;
            source.myAddresses = calendar.myAddresses;
            sources.push_back(source);
        }
    }
    return sources;
}

DesktopSource *CalendarFiles::desktopOf(CalendarSources::Kind kind) const
{
    if (kind == CalendarSources::Kind::Eds)
        return m_eds.get();
    if (kind == CalendarSources::Kind::Akonadi)
        return m_akonadi.get();
    return nullptr;
}

void CalendarFiles::followDesktop(DesktopSource *service)
{
    // The services' changes come settled already, and never from a half-written file: no second delay.
    connect(service, &DesktopSource::changed, this, [this] {
        const QVector<CalendarIdentity> before = identities();
        if (rescan() || identities() != before)
            Q_EMIT changedOnDisk();
    });
    service->start();
}

void CalendarFiles::followEds()
{
    if (m_eds)
        return;
    m_eds = std::make_unique<EdsCalendars>();
    followDesktop(m_eds.get());
}

bool CalendarFiles::stopEds()
{
    if (!m_eds)
        return false;
    m_eds.reset();
    return stopDesktop();
}

void CalendarFiles::followAkonadi(bool startIt)
{
    if (m_akonadi) {
        m_akonadi->setStartsAkonadi(startIt);
        return;
    }
    m_akonadi = std::make_unique<AkonadiCalendars>();
    m_akonadi->setStartsAkonadi(startIt);
    followDesktop(m_akonadi.get());
}

bool CalendarFiles::stopAkonadi()
{
    if (!m_akonadi)
        return false;
    m_akonadi.reset();
    return stopDesktop();
}

bool CalendarFiles::stopDesktop()
{
    m_sources = sourcesOf(m_paths) + desktopSources();
    return rescan();
}

QVector<CalendarIdentity> CalendarFiles::identities() const
{
    QVector<CalendarIdentity> out;
    for (const Source &source : m_sources)
        out << source.identity;
    return out;
}

const CalendarFiles::Source &CalendarFiles::sourceOf(const CalendarFile &file) const
{
    static const Source none;
    return file.source >= 0 && file.source < m_sources.size() ? m_sources.at(file.source) : none;
}

bool CalendarFiles::setMyAddresses(const QStringList &addresses)
{
    if (addresses == m_myAddresses)
        return false;
    m_myAddresses = addresses;
    updateIdentities();
    return true;
}

void CalendarFiles::updateIdentities()
{
    // An online account's folders are the account's: its user name, where that is an address, too.
    const QHash<QString, QString> accounts = AccountPaths::addressesByFolder();
    for (Source &source : m_sources) {
        if (CalendarSources::fromDesktop(source.kind)) {
            source.jobKeys = source.identity.jobKeys();
            // A local Evolution calendar names no owner: the user's own addresses are the user's there too.
            for (const QString &address : std::as_const(m_myAddresses)) {
                if (!source.myAddresses.contains(address))
                    source.myAddresses << address;
            }
            continue;
        }
        const FilePtr file = source.directory ? FilePtr() : fileAt(source.path);
        source.identity = CalendarSources::identityOf(source.kind, source.location, source.path,
                                                      file ? file->header : CalendarSources::Header());
        source.jobKeys = source.identity.jobKeys();
        source.myAddresses = m_myAddresses;
        for (auto account = accounts.cbegin(); account != accounts.cend(); ++account) {
            if ((source.path + QLatin1Char('/')).startsWith(account.key()) &&
                !source.myAddresses.contains(account.value()))
                source.myAddresses << account.value();
        }
    }
}

void CalendarFiles::followSubscriptions()
{
    QHash<QUrl, QString> feeds;
    for (const Source &source : std::as_const(m_sources)) {
        if (source.kind == CalendarSources::Kind::Subscription)
            feeds.insert(source.url, source.path);
    }
    if (feeds.isEmpty() && !m_subscriptions)
        return;
    if (!m_subscriptions) {
        QDir().mkpath(CalendarSources::cacheDirectory()); // watched for a first copy to appear
        m_subscriptions = std::make_unique<Subscriptions>();
        connect(m_subscriptions.get(), &Subscriptions::copyChanged, this, [this](const QString &path) {
            m_touched.insert(path);
            m_reload.start();
        });
    }
    m_subscriptions->setFeeds(feeds);
}

QFileSystemWatcher *CalendarFiles::addWatcher()
{
    m_watchers.push_back(std::make_unique<QFileSystemWatcher>());
    QFileSystemWatcher *watcher = m_watchers.back().get();
    connect(watcher, &QFileSystemWatcher::fileChanged, this, [this](const QString &path) {
        m_touched.insert(path);
        m_reload.start();
    });
    connect(watcher, &QFileSystemWatcher::directoryChanged, this, [this] { m_reload.start(); });
    return watcher;
}

void CalendarFiles::load()
{
    followSubscriptions();
    for (const Source &source : std::as_const(m_sources)) {
        if ((source.kind == CalendarSources::Kind::File || source.kind == CalendarSources::Kind::Folder) &&
            !QFileInfo::exists(source.path))
            qCWarning(lcDataServerFiles).noquote()
                << QStringLiteral("%1: no such file; it starts as an empty calendar").arg(source.path);
    }
    rescan();
}

bool CalendarFiles::setSources(const QStringList &paths)
{
    QSet<QString> known;
    for (const Source &source : std::as_const(m_sources))
        known.insert(source.path);
    m_paths = paths;
    m_sources = sourcesOf(paths) + desktopSources();
    followSubscriptions();
    for (const Source &source : std::as_const(m_sources)) {
        if (!known.contains(source.path) &&
            (source.kind == CalendarSources::Kind::File || source.kind == CalendarSources::Kind::Folder) &&
            !QFileInfo::exists(source.path))
            qCWarning(lcDataServerFiles).noquote()
                << QStringLiteral("%1: no such file; it starts as an empty calendar").arg(source.path);
    }
    QStringList before;
    for (const FilePtr &file : std::as_const(m_files))
        before << file->path;
    bool changed = rescan();
    QStringList after;
    for (const FilePtr &file : std::as_const(m_files))
        after << file->path;
    // The order settles colliding job IDs: a reordered list may renumber jobs.
    return changed || after != before;
}

QStringList CalendarFiles::filesOf(const Source &source)
{
    if (!source.directory)
        return {source.path};
    QStringList paths;
    // QDir::System: a link to nothing is no file, but its owner meant one.
    const QFileInfoList entries =
        QDir(source.path)
            .entryInfoList({QStringLiteral("*.ics")}, QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
    for (const QFileInfo &entry : entries) {
        if (entry.isSymLink() && !entry.exists()) {
            sayOnce(QStringLiteral("%1: a symbolic link to %2, which does not exist; skipped")
                        .arg(entry.absoluteFilePath(), entry.symLinkTarget()));
            continue;
        }
        if (entry.isFile())
            paths << entry.absoluteFilePath();
    }
    return paths;
}

Result CalendarFiles::documentOf(const CalendarFile &file, IcsDocument *document)
{
    *document = IcsDocument();
    const Source &source = sourceOf(file);
    if (CalendarSources::fromDesktop(source.kind)) {
        const DesktopSource *service = desktopOf(source.kind);
        const DesktopSource::Parsed *parsed = service ? service->parsedOf(source.desktopId) : nullptr;
        // A service that keeps its calendars parsed writes the text of one only for an edit of
        // what the server read.
        const QByteArray data = service && (!parsed || parsed->version == file.digest)
                                    ? service->textOf(source.desktopId)
                                    : QByteArray();
        const QString serviceName = CalendarSources::serviceName(source.kind);
        // The service told of a change that the settle timer has not let in yet: an edit made on
        // what the server read would undo it.
        if ((parsed ? parsed->version : CalendarReader::digestOf(data)) != file.digest)
            return Result::failure(Status::ChangedOnDisk,
                                   QStringLiteral("the %1 calendar %2 changed since it was read; it is "
                                                  "read again")
                                       .arg(serviceName, source.identity.name));
        if (!document->parse(data))
            return Result::failure(Status::Unreadable,
                                   QStringLiteral("the %1 calendar %2: %3")
                                       .arg(serviceName, source.identity.name, document->errorText));
        return {};
    }
    QByteArray data;
    const Result read = textOf(file, &data);
    return read.ok() ? parse(file, data, document) : read;
}

Result CalendarFiles::textOf(const CalendarFile &file, QByteArray *data)
{
    data->clear();
    if (file.size < 0 && !QFileInfo::exists(file.path))
        return {};
    QFile in(file.path);
    const bool opened = in.open(QIODevice::ReadOnly);
    if (opened)
        *data = in.readAll();
    if (!opened || CalendarReader::digestOf(*data) != file.digest) {
        // An edit made on what the server read would undo the change on disk. A refusal must not
        // put the re-read off: a client that retries sooner than its delay kept it away for good.
        m_touched.insert(file.path);
        if (!m_reload.isActive())
            m_reload.start();
        return Result::failure(
            Status::ChangedOnDisk,
            QStringLiteral("%1 changed on disk since it was read; it is read again").arg(file.path));
    }
    return {};
}

Result CalendarFiles::parse(const CalendarFile &file, const QByteArray &data, IcsDocument *document)
{
    *document = IcsDocument();
    // A file read without its damaged lines would lose them to an edit: it is left alone.
    if (!data.isEmpty() && !document->parse(data))
        return Result::failure(Status::Unreadable, QStringLiteral("%1:%2: %3; the file is left alone")
                                                       .arg(file.path)
                                                       .arg(document->errorLine)
                                                       .arg(document->errorText));
    return {};
}

Result CalendarFiles::documentOf(const CalendarFile &file, const QString &uid, IcsDocument *document,
                                 FilePart *part)
{
    *part = FilePart();
    if (!file.layout || file.inDirectory || sourceOf(file).kind != CalendarSources::Kind::File)
        return documentOf(file, document);
    QByteArray data;
    if (const Result read = textOf(file, &data); !read.ok())
        return read;
    const FileLayout &layout = *file.layout;
    const quint64 hash = IcsDocument::uidHash(uid);
    QVector<int> found;
    QByteArray components;
    for (int i = 0; i < layout.uidHashes.size(); ++i) {
        if (layout.uidHashes.at(i) != hash)
            continue;
        const auto &span = layout.incidences.at(i);
        const QByteArray text = data.mid(span.first, span.second - span.first);
        IcsDocument one;
        if (!one.parse(text) || one.top.size() != 1)
            return parse(file, data, document);
        const IcsNode &node = one.top.first();
        if (node.propertyValue(QStringLiteral("UID")).trimmed() != uid)
            continue; // another UID of the same hash
        if (node.name != QLatin1String("VEVENT"))
            return parse(file, data, document); // a to-do of the same UID, which the events hide
        found << i;
        components += text;
    }
    const QByteArray around = IcsDocument::around(data, layout.incidences);
    const int close = around.lastIndexOf("END:VCALENDAR");
    // A new UID goes where the whole document would write it, after the calendar's last component.
    const int lastEnd = layout.incidences.isEmpty() ? 0 : layout.incidences.last().second;
    const int insertAt = found.isEmpty() ? data.lastIndexOf("END:VCALENDAR") : -1;
    if (close < 0 || around.toUpper().count("BEGIN:VCALENDAR") != 1 ||
        (found.isEmpty() && (insertAt < lastEnd || (insertAt > 0 && data.at(insertAt - 1) != '\n'))) ||
        !document->parse(around.left(close) + components + around.mid(close)) || document->isBare() ||
        document->components().size() < found.size())
        return parse(file, data, document);
    part->uid = uid;
    part->text = data;
    part->incidences = found;
    part->insertAt = insertAt;
    part->firstComponent = document->components().size() - found.size();
    for (const int i : std::as_const(found)) {
        const auto &span = layout.incidences.at(i);
        part->replaced.push_back({data.mid(span.first, span.second - span.first)});
    }
    return {};
}

bool CalendarFiles::readDeferred(CalendarFile &file, qint64 fromMs, qint64 toMs, const QString &key)
{
    auto inRange = [fromMs, toMs](const OccurrenceIndex::Series &series) {
        return series.roughFromMs < toMs && series.roughToMs > fromMs;
    };
    // Only a query of days lets events go: one that looks up a job would make an edit wait for it.
    m_reader->letGo(file, inRange);
    const bool read = m_reader->readDeferred(file, inRange, key);
    return read || writtenOver(file);
}

bool CalendarFiles::readDeferred(CalendarFile &file, const QString &uid)
{
    return m_reader->readDeferred(file, [&uid](const OccurrenceIndex::Series &series) {
        return series.uid == uid;
    }) || writtenOver(file);
}

bool CalendarFiles::writtenOver(const CalendarFile &file)
{
    sayOnce(QStringLiteral("%1 was written over since it was read; it is read again").arg(file.path));
    m_answeredWithout = true;
    m_touched.insert(file.path);
    if (!m_reload.isActive())
        m_reload.start();
    return false;
}

void CalendarFiles::sayOnce(const QString &warning)
{
    if (m_said.firstTime(warning))
        qCWarning(lcDataServerFiles).noquote() << warning;
}

void CalendarFiles::setFiles(const QVector<FilePtr> &files)
{
    m_files = files;
    m_filesByPath.clear();
    for (const FilePtr &file : files)
        m_filesByPath.insert(file->path, file);
}

FilePtr CalendarFiles::rescanDesktop(const Source &source, bool *changed)
{
    const DesktopSource *service = desktopOf(source.kind);
    const DesktopSource::Parsed *parsed = service ? service->parsedOf(source.desktopId) : nullptr;
    const QByteArray data = service && !parsed ? service->textOf(source.desktopId) : QByteArray();
    FilePtr current = fileAt(source.path);
    if (!current || current->digest != (parsed ? parsed->version : CalendarReader::digestOf(data))) {
        const FilePtr old = current;
        current = parsed ? m_reader->read(source.path, *parsed)
                         : m_reader->read(source.path, QFileInfo(), data, true);
        if (old)
            OccurrenceIndex::adopt(old->series, current->series);
        *changed = true;
    }
    return current;
}

FilePtr CalendarFiles::rescanFile(const QString &path, const Source &source, bool *changed,
                                  QStringList *renewed)
{
    const FilePtr old = fileAt(path);
    const QFileInfo info(path);
    if (!info.exists()) {
        if (old && old->size < 0)
            return old;
        *changed = true;
        return m_reader->read(path, info, QByteArray());
    }
    if (old && !old->denied && !m_touched.contains(path) && old->size == info.size() &&
        old->modified == info.lastModified())
        return old;
    *renewed << path;
    auto in = std::make_unique<QFile>(path);
    if (!in->open(QIODevice::ReadOnly)) {
        qCWarning(lcDataServerFiles).noquote()
            << QStringLiteral("%1: %2; file skipped").arg(path, in->errorString());
        FilePtr current = m_reader->read(path, info, QByteArray());
        current->readable = false;
        current->denied = true;
        *changed = true;
        return current;
    }
    QByteArray data = in->readAll();
    if (old && old->digest == CalendarReader::digestOf(data)) {
        old->size = info.size();
        old->modified = info.lastModified();
        return old;
    }
    FilePtr current = m_reader->read(path, info, std::move(data), !source.directory, std::move(in));
    if (old)
        OccurrenceIndex::adopt(old->series, current->series);
    *changed = true;
    return current;
}

bool CalendarFiles::rescan()
{
    bool changed = false;
    QVector<FilePtr> next;
    QStringList renewed;
    m_reader->setZone(QTimeZone::systemTimeZone());
    if (m_eds || m_akonadi)
        m_sources = sourcesOf(m_paths) + desktopSources();
    for (int s = 0; s < m_sources.size(); ++s) {
        const Source &source = m_sources.at(s);
        if (CalendarSources::fromDesktop(source.kind)) {
            const FilePtr current = rescanDesktop(source, &changed);
            current->source = s;
            current->inDirectory = false;
            next << current;
            continue;
        }
        for (const QString &path : filesOf(source)) {
            const FilePtr current = rescanFile(path, source, &changed, &renewed);
            current->source = s;
            current->inDirectory = source.directory;
            next << current;
        }
    }
    const QSet<const CalendarFile *> kept = [&next] {
        QSet<const CalendarFile *> set;
        for (const FilePtr &file : next)
            set.insert(file.get());
        return set;
    }();
    for (const FilePtr &file : std::as_const(m_files)) {
        if (!kept.contains(file.get()))
            changed = true;
    }
    m_touched.clear();
    setFiles(next);
    updateIdentities();
    m_keepIndexes.start();
    refreshWatches(renewed);
    return changed;
}

bool CalendarFiles::renewUndated()
{
    bool any = false;
    for (const FilePtr &file : std::as_const(m_files)) {
        if (!file->undated)
            continue;
        // Its text is the same: only a digest it cannot match, and no series' expansion to adopt,
        // make the re-read read it anew.
        file->digest = 0;
        for (OccurrenceIndex::Series &series : file->series)
            series.signature = 0;
        m_touched.insert(file->path);
        any = true;
    }
    return any && rescan();
}

namespace {

// A directory removed with the calendar in it tells nothing of its coming back: the nearest one
// left does, as it is made again.
QString nearestExisting(const QString &directory)
{
    QString path = QDir::cleanPath(directory);
    while (!QFileInfo(path).isDir()) {
        const QString parent = QFileInfo(path).absolutePath();
        if (parent == path)
            break;
        path = parent;
    }
    return path;
}

// The directories whose change tells that the calendar at `path` went or came back.
QStringList directoriesTelling(const QString &path, bool directory)
{
    if (directory)
        return {nearestExisting(path)};
    QStringList directories{nearestExisting(QFileInfo(path).absolutePath())};
    // A link's target restored (a dotfile kept elsewhere) changes its own directory, not the link's.
    constexpr int mostLinks = 8;
    QFileInfo link(path);
    for (int i = 0; i < mostLinks && link.isSymLink(); ++i) {
        link = QFileInfo(link.symLinkTarget());
        directories << nearestExisting(link.absolutePath());
    }
    return directories;
}

} // namespace

void CalendarFiles::refreshWatches(const QStringList &renewed)
{
    QHash<QString, QFileSystemWatcher *> watched;
    for (const auto &watcher : m_watchers) {
        const QStringList paths = watcher->files() + watcher->directories();
        for (const QString &path : paths)
            watched.insert(path, watcher.get());
    }
    QStringList wanted;
    for (const Source &source : std::as_const(m_sources)) {
        if (!CalendarSources::fromDesktop(source.kind))
            wanted << directoriesTelling(source.path, source.directory);
    }
    for (const FilePtr &file : std::as_const(m_files)) {
        if (file->size >= 0)
            wanted << file->path;
    }
    const QSet<QString> wantedSet(wanted.cbegin(), wanted.cend());

    // A file replaced by a rename keeps a watch on the old inode: watch such paths afresh. Paths of
    // calendars no longer served are let go.
    QHash<QFileSystemWatcher *, QStringList> stale;
    for (const QString &path : renewed) {
        if (QFileSystemWatcher *watcher = watched.take(path))
            stale[watcher] << path;
    }
    for (auto it = watched.begin(); it != watched.end();) {
        if (wantedSet.contains(it.key())) {
            ++it;
            continue;
        }
        stale[it.value()] << it.key();
        it = watched.erase(it);
    }
    for (auto it = stale.cbegin(); it != stale.cend(); ++it)
        it.key()->removePaths(it.value());

    QSet<QString> seen;
    QStringList missing;
    for (const QString &path : std::as_const(wanted)) {
        if (!watched.contains(path) && !seen.contains(path) && QFileInfo::exists(path)) {
            seen.insert(path);
            missing << path;
        }
    }
    constexpr int watchChunk = 1024;
    for (const auto &watcher : m_watchers) {
        const int room = watchChunk - watcher->files().size() - watcher->directories().size();
        if (room > 0 && !missing.isEmpty()) {
            watcher->addPaths(missing.mid(0, room));
            missing = missing.mid(room);
        }
    }
    while (!missing.isEmpty()) {
        addWatcher()->addPaths(missing.mid(0, watchChunk));
        missing = missing.mid(watchChunk);
    }
}

Result CalendarFiles::save(const QString &path, const QByteArray &data)
{
    QSaveFile out(path);
    if (!out.open(QIODevice::WriteOnly))
        return Result::failure(Status::WriteFailed, QStringLiteral("%1: %2").arg(path, out.errorString()));
    if (out.write(data) != data.size() ||
        !out.flush()) { // flush: a full disk is not always reported otherwise
        out.cancelWriting();
        return Result::failure(Status::WriteFailed, QStringLiteral("%1: %2").arg(path, out.errorString()));
    }
    if (!out.commit())
        return Result::failure(Status::WriteFailed, QStringLiteral("%1: %2").arg(path, out.errorString()));
    return {};
}

Result CalendarFiles::write(const FilePtr &old, const QString &path, const IcsDocument &document, int source,
                            bool inDirectory)
{
    IcsDocument complete = document;
    complete.wrapInCalendar(); // a bare VEVENT file is not iCalendar yet
    const QByteArray data = complete.toByteArray();
    if (const Result saved = save(path, data); !saved.ok())
        return saved;
    takeWritten(old, path, data, source, inDirectory);
    return {};
}

Result CalendarFiles::write(const FilePtr &file, FilePart part)
{
    const quint64 context = IcsDocument::contextHash(part.text, file->layout->incidences);
    const CalendarReader::Spliced spliced = CalendarReader::splice(*file->layout, part);
    if (const Result saved = save(file->path, spliced.text); !saved.ok())
        return saved;
    m_reader->setZone(QTimeZone::systemTimeZone());
    if (!m_reader->reread(*file, context, spliced, part.uid)) {
        qCDebug(lcDataServerEdits).noquote()
            << QStringLiteral("%1: %2 rewritten; the whole file read again").arg(file->path, part.uid);
        takeWritten(file, file->path, spliced.text, file->source, file->inDirectory);
        return {};
    }
    qCDebug(lcDataServerEdits).noquote()
        << QStringLiteral("%1: %2 rewritten and read again alone").arg(file->path, part.uid);
    const QFileInfo info(file->path);
    file->size = info.size();
    file->modified = info.lastModified();
    updateIdentities();
    m_touched.remove(file->path);
    refreshWatches({file->path});
    return {};
}

void CalendarFiles::takeWritten(const FilePtr &old, const QString &path, const QByteArray &data, int source,
                                bool inDirectory)
{
    m_reader->setZone(QTimeZone::systemTimeZone());
    auto written = std::make_unique<QFile>(path);
    if (!written->open(QIODevice::ReadOnly))
        written.reset();
    const FilePtr fresh = m_reader->read(path, QFileInfo(path), data, !inDirectory, std::move(written));
    fresh->source = source;
    fresh->inDirectory = inDirectory;
    if (old)
        OccurrenceIndex::adopt(old->series, fresh->series);
    QVector<FilePtr> files = m_files;
    const int at = old ? files.indexOf(old) : -1;
    if (at >= 0) {
        files[at] = fresh;
    } else {
        files << fresh;
        std::stable_sort(files.begin(), files.end(), [](const FilePtr &a, const FilePtr &b) {
            return a->source != b->source ? a->source < b->source : a->path < b->path;
        });
    }
    setFiles(files);
    updateIdentities();
    m_touched.remove(path);
    refreshWatches({path});
}

Result CalendarFiles::remove(const FilePtr &file)
{
    if (!QFile::remove(file->path))
        return Result::failure(Status::WriteFailed,
                               QStringLiteral("%1 could not be removed").arg(file->path));
    QVector<FilePtr> files = m_files;
    files.removeAll(file);
    setFiles(files);
    return {};
}
