#include "calendarfiles.h"

#include "icsdocument.h"
#include "jobmapping.h"
#include "timezonenames.h"

#include <KCalendarCore/Exceptions>
#include <KCalendarCore/ICalFormat>
#include <KCalendarCore/RecurrenceRule>

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QSaveFile>

#include <algorithm>
#include <string_view>

using namespace KCalendarCore;
using Status = CalendarStore::Status;
using Result = CalendarStore::Result;

namespace {

QString describe(const Exception *exception)
{
    if (!exception)
        return QStringLiteral("KCalendarCore could not read it");
    switch (exception->code()) {
    case Exception::ParseErrorIcal:
    case Exception::ParseErrorKcal:
    case Exception::ParseErrorUnableToParse:
        return QStringLiteral("not valid iCalendar data");
    case Exception::NoCalendar:
        return QStringLiteral("no VCALENDAR in it");
    case Exception::CalVersion1:
        return QStringLiteral("vCalendar 1.0 is not supported");
    case Exception::CalVersionUnknown:
    case Exception::ExpectedCalVersion2Unknown:
        return QStringLiteral("unknown calendar version");
    default:
        break;
    }
    return QStringLiteral("KCalendarCore could not read it (error %1)").arg(int(exception->code()));
}

// Tells a file's text from its next version, at a fraction of SHA-1's cost. Not qHashBits: that
// is CRC32 on most machines, 32 bits however it is seeded.
quint64 digestOf(const QByteArray &data)
{
    return std::hash<std::string_view>{}(std::string_view(data.constData(), size_t(data.size())));
}

// Text of the file in a message: stderr stays readable whatever the file holds.
QString shown(const QString &text)
{
    constexpr int longest = 60;
    return text.size() <= longest ? text : text.left(longest) + QStringLiteral("...");
}

// The library reads a rule it cannot parse as none, without a word: an event of a series would
// quietly show once.
void warnBadRules(const QString &path, const QByteArray &text, ICalFormat &format)
{
    int line = 1;
    int counted = 0;
    for (int pos = text.indexOf("RRULE"); pos >= 0; pos = text.indexOf("RRULE", pos + 5)) {
        if (pos > 0 && text.at(pos - 1) != '\n')
            continue;
        int end = pos;
        QByteArray value;
        bool started = false;
        while (end < text.size()) {
            const char c = text.at(end);
            if (c == '\n' && end + 1 < text.size() && (text.at(end + 1) == ' ' || text.at(end + 1) == '\t')) {
                end += 2;
                continue;
            }
            if (c == '\n')
                break;
            if (started && c != '\r')
                value += c;
            else if (c == ':')
                started = true;
            ++end;
        }
        // The same few rules recur in every file of a directory, those of its time zones first.
        static QSet<QByteArray> good;
        if (good.contains(value))
            continue;
        RecurrenceRule rule;
        if (format.fromString(&rule, QString::fromUtf8(value)) &&
            rule.recurrenceType() != RecurrenceRule::rNone) {
            if (good.size() > 10000)
                good.clear();
            good.insert(value);
            continue;
        }
        line += text.mid(counted, pos - counted).count('\n');
        counted = pos;
        qWarning().noquote() << QStringLiteral("%1:%2: RRULE \"%3\" is no rule; the event is read without it")
                                    .arg(path)
                                    .arg(line)
                                    .arg(shown(QString::fromUtf8(value.left(256))));
    }
}

bool isEvent(const IcsNode &node, const QString &uid)
{
    return node.component && node.name == QLatin1String("VEVENT") &&
           node.propertyValue(QStringLiteral("UID")).trimmed() == uid;
}

} // namespace

CalendarFiles::CalendarFiles(const QStringList &paths, QObject *parent)
    : QObject(parent)
    , m_sources(sourcesOf(paths))
    , m_format(std::make_unique<ICalFormat>())
{
    m_reload.setSingleShot(true);
    m_reload.setInterval(reloadDelayMs);
    connect(&m_reload, &QTimer::timeout, this, [this] {
        if (rescan())
            Q_EMIT changedOnDisk();
    });
}

CalendarFiles::~CalendarFiles() = default;

QVector<CalendarFiles::Source> CalendarFiles::sourcesOf(const QStringList &paths)
{
    QVector<Source> sources;
    for (const QString &path : paths) {
        const QFileInfo info(path);
        sources.push_back({info.absoluteFilePath(), info.isDir()});
    }
    return sources;
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
    for (const Source &source : qAsConst(m_sources)) {
        if (!QFileInfo::exists(source.path))
            qWarning().noquote()
                << QStringLiteral("%1: no such file; it starts as an empty calendar").arg(source.path);
    }
    rescan();
}

bool CalendarFiles::setSources(const QStringList &paths)
{
    QSet<QString> known;
    for (const Source &source : qAsConst(m_sources))
        known.insert(source.path);
    m_sources = sourcesOf(paths);
    for (const Source &source : qAsConst(m_sources)) {
        if (!known.contains(source.path) && !QFileInfo::exists(source.path))
            qWarning().noquote()
                << QStringLiteral("%1: no such file; it starts as an empty calendar").arg(source.path);
    }
    QStringList before;
    for (const FilePtr &file : qAsConst(m_files))
        before << file->path;
    bool changed = rescan();
    QStringList after;
    for (const FilePtr &file : qAsConst(m_files))
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
    if (file.size < 0 && !QFileInfo::exists(file.path))
        return {};
    QFile in(file.path);
    const bool opened = in.open(QIODevice::ReadOnly);
    const QByteArray data = opened ? in.readAll() : QByteArray();
    if (!opened || digestOf(data) != file.digest) {
        // An edit made on what the server read would undo the change on disk.
        m_touched.insert(file.path);
        m_reload.start();
        return Result::failure(
            Status::WriteFailed,
            QStringLiteral("%1 changed on disk since it was read; it is read again").arg(file.path));
    }
    // A file read without its damaged lines would lose them to an edit: it is left alone.
    if (!data.isEmpty() && !document->parse(data))
        return Result::failure(Status::Unreadable, QStringLiteral("%1:%2: %3; the file is left alone")
                                                       .arg(file.path)
                                                       .arg(document->errorLine)
                                                       .arg(document->errorText));
    return {};
}

FilePtr CalendarFiles::readFile(const QString &path, const QFileInfo &info, const QByteArray &data)
{
    auto file = std::make_shared<CalendarFile>();
    file->path = path;
    file->calendar = MemoryCalendar::Ptr(new MemoryCalendar(m_zone));
    file->size = info.exists() ? info.size() : -1;
    file->modified = info.lastModified();
    file->digest = digestOf(data);
    if (data.trimmed().isEmpty()) {
        file->readable = true;
        return file;
    }
    IcsOutline outline;
    QByteArray text = data;
    if (!IcsDocument::outline(data, outline)) {
        // One damaged line of an export costs that line or its component, not the whole file.
        QVector<IcsFault> faults;
        const QByteArray repaired = IcsDocument::repair(data, &faults);
        IcsOutline again;
        if (repaired.isEmpty() || !IcsDocument::outline(repaired, again)) {
            qWarning().noquote() << QStringLiteral("%1:%2: %3; file skipped")
                                        .arg(path)
                                        .arg(outline.errorLine)
                                        .arg(outline.errorText);
            return file;
        }
        for (const IcsFault &fault : qAsConst(faults))
            qWarning().noquote() << QStringLiteral("%1:%2: %3").arg(path).arg(fault.line).arg(fault.text);
        outline = again;
        text = repaired;
    }
    warnBadRules(path, text, *m_format);
    QByteArray forLibrary = text;
    if (outline.bare) {
        IcsDocument document;
        document.parse(text);
        document.wrapInCalendar();
        forLibrary = document.toByteArray();
    }
    QVector<IcsFault> refolded;
    forLibrary = IcsDocument::refold(forLibrary, Ics::longestLine, &refolded);
    for (const IcsFault &fault : qAsConst(refolded))
        sayOnce(QStringLiteral("%1:%2: %3, folded before reading").arg(path).arg(fault.line).arg(fault.text));
    QStringList floating;
    forLibrary = TimeZoneNames::resolve(forLibrary, &floating);
    for (const QString &name : qAsConst(floating))
        sayOnce(QStringLiteral("%1: no time zone \"%2\"; its times are read as floating time")
                    .arg(path, shown(name)));
    m_format->clearException();
    if (!m_format->fromRawString(file->calendar, forLibrary)) {
        qWarning().noquote()
            << QStringLiteral("%1: %2; file skipped").arg(path, describe(m_format->exception()));
        file->calendar = MemoryCalendar::Ptr(new MemoryCalendar(m_zone));
        return file;
    }
    const Event::List events = file->calendar->rawEvents();
    IcsDocument document; // only to tell where a bad event is
    for (const Event::Ptr &event : events) {
        if (event->dtStart().isValid())
            continue;
        int line = 0;
        if (document.top.isEmpty())
            document.parse(text);
        for (const IcsNode &node : document.components()) {
            if (isEvent(node, event->uid())) {
                const IcsNode *start = node.find(QStringLiteral("DTSTART"));
                line = start ? start->line : node.line;
                break;
            }
        }
        qWarning().noquote() << QStringLiteral("%1:%2: event \"%3\" has no valid DTSTART; event skipped")
                                    .arg(path)
                                    .arg(line)
                                    .arg(shown(event->uid()));
        file->calendar->deleteEvent(event);
    }
    // Open to-dos with a date are served as jobs of that day, as events of their file's calendar:
    // IDs, the index and queries then take them as they take events.
    const Todo::List todos = file->calendar->rawTodos();
    for (const Todo::Ptr &todo : todos) {
        if (file->calendar->event(todo->uid()))
            continue;
        if (const Event::Ptr event = JobMapping::eventOf(*todo))
            file->calendar->addEvent(event);
    }
    file->readable = true;
    Event::List kept = file->calendar->rawEvents();
    std::stable_sort(kept.begin(), kept.end(),
                     [](const Event::Ptr &a, const Event::Ptr &b) { return a->uid() < b->uid(); });
    for (const Event::Ptr &event : qAsConst(kept)) {
        if (file->series.isEmpty() || file->series.last().uid != event->uid()) {
            OccurrenceIndex::Series series;
            series.uid = event->uid();
            series.signature = outline.signatures.value(event->uid());
            file->series << series;
        }
        file->series.last().events << event;
    }
    file->series.squeeze();
    return file;
}

void CalendarFiles::sayOnce(const QString &warning)
{
    if (m_said.contains(warning))
        return;
    m_said.insert(warning);
    qWarning().noquote() << warning;
}

void CalendarFiles::setFiles(const QVector<FilePtr> &files)
{
    m_files = files;
    m_filesByPath.clear();
    for (const FilePtr &file : files)
        m_filesByPath.insert(file->path, file);
}

bool CalendarFiles::rescan()
{
    bool changed = false;
    QVector<FilePtr> next;
    QStringList renewed;
    m_zone = QTimeZone::systemTimeZone();
    for (int s = 0; s < m_sources.size(); ++s) {
        const Source &source = m_sources.at(s);
        for (const QString &path : filesOf(source)) {
            const FilePtr old = fileAt(path);
            const QFileInfo info(path);
            FilePtr current;
            if (!info.exists()) {
                if (old && old->size < 0) {
                    current = old;
                } else {
                    current = readFile(path, info, QByteArray());
                    changed = true;
                }
            } else if (old && !old->denied && !m_touched.contains(path) && old->size == info.size() &&
                       old->modified == info.lastModified()) {
                current = old;
            } else {
                QFile in(path);
                if (!in.open(QIODevice::ReadOnly)) {
                    qWarning().noquote()
                        << QStringLiteral("%1: %2; file skipped").arg(path, in.errorString());
                    current = readFile(path, info, QByteArray());
                    current->readable = false;
                    current->denied = true;
                    changed = true;
                } else {
                    const QByteArray data = in.readAll();
                    if (old && old->digest == digestOf(data)) {
                        old->size = info.size();
                        old->modified = info.lastModified();
                        current = old;
                    } else {
                        current = readFile(path, info, data);
                        if (old)
                            OccurrenceIndex::adopt(old->series, current->series, *current->calendar);
                        changed = true;
                    }
                }
                renewed << path;
            }
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
    for (const FilePtr &file : qAsConst(m_files)) {
        if (!kept.contains(file.get()))
            changed = true;
    }
    m_touched.clear();
    setFiles(next);
    refreshWatches(renewed);
    return changed;
}

void CalendarFiles::refreshWatches(const QStringList &renewed)
{
    QHash<QString, QFileSystemWatcher *> watched;
    for (const auto &watcher : m_watchers) {
        const QStringList paths = watcher->files() + watcher->directories();
        for (const QString &path : paths)
            watched.insert(path, watcher.get());
    }
    QStringList wanted;
    for (const Source &source : qAsConst(m_sources))
        wanted << (source.directory ? source.path : QFileInfo(source.path).absolutePath());
    for (const FilePtr &file : qAsConst(m_files)) {
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
    for (const QString &path : qAsConst(wanted)) {
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

Result CalendarFiles::write(const FilePtr &old, const QString &path, const IcsDocument &document, int source,
                            bool inDirectory)
{
    IcsDocument complete = document;
    complete.wrapInCalendar(); // a bare VEVENT file is not iCalendar yet
    const QByteArray data = complete.toByteArray();
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

    m_zone = QTimeZone::systemTimeZone();
    const FilePtr fresh = readFile(path, QFileInfo(path), data);
    fresh->source = source;
    fresh->inDirectory = inDirectory;
    if (old)
        OccurrenceIndex::adopt(old->series, fresh->series, *fresh->calendar);
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
    m_touched.remove(path);
    refreshWatches({path});
    return {};
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
