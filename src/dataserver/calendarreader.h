#ifndef DATASERVER_CALENDARREADER_H
#define DATASERVER_CALENDARREADER_H

#include "calendarfiles.h"
#include "desktopsource.h"
#include "indexcache.h"
#include "warnonce.h"

#include <QTimeZone>

#include <functional>
#include <memory>

class QFileInfo;
struct IcsOutline;
namespace KCalendarCore {
class ICalFormat;
} // namespace KCalendarCore

// Turns the text of one .ics file into the calendar the store serves. The library is strict where
// the files people have are not: damaged lines are left out, bare VEVENT files wrapped, very long
// lines folded and unknown zone names resolved before it reads them, and what it would drop or
// misread without a word (a rule it cannot parse, an event without DTSTART) is said on stderr.
class CalendarReader
{
public:
    CalendarReader();
    ~CalendarReader();

    // Times without a zone of their own are read in this one; the system's, taken at each scan.
    void setZone(const QTimeZone &zone) { m_zone = zone; }
    // Whether a file's layout is taken from, and kept for the next start in, IndexCache.
    void setKeepIndex(bool keep) { m_keepIndex = keep; }
    // `defer`: events of their own without a rule are left unread until readDeferred() is asked
    // for them. Parsing and filing thousands of events at once was most of the time from an
    // Evolution calendar's arrival to the first answer that holds it; a query reads a few of them.
    // `opened`: the file `data` was read from as it is, where the text of its deferred events is
    // left, and read from again, once it is large enough to be worth it; the text is then let go
    // before the rest is parsed.
    FilePtr read(const QString &path, const QFileInfo &info, QByteArray data, bool defer = false,
                 std::unique_ptr<QFile> opened = {});
    // A calendar a service hands over parsed, served as its text would be; `parsed.version` stands
    // for the text's digest.
    FilePtr read(const QString &path, const DesktopSource::Parsed &parsed);
    // Reads the deferred series that `wanted` names into the file's calendar, of those whose text
    // may hold `key` (IcsDocument::mayHold()). False when their text is no longer in the file: it
    // was written over since it was read, and must be read again.
    [[nodiscard]] bool readDeferred(CalendarFile &file,
                                    const std::function<bool(const OccurrenceIndex::Series &)> &wanted,
                                    const QString &key = QString());

    // Lets go of single events read from a file kept on disk that `wanted` does not name, those
    // read longest ago first, while the text of those read passes readKeptBytes; readDeferred()
    // reads them again when asked. Kept, the events that the answers of three years had read held
    // 120 MiB for as long as the server ran.
    void letGo(CalendarFile &file, const std::function<bool(const OccurrenceIndex::Series &)> &wanted);
    static constexpr qint64 readKeptBytes = 4 << 20;

    // A file's text with the incidences of one UID replaced, every other byte as it was.
    struct Spliced
    {
        QByteArray text;
        QVector<QPair<int, int>> incidences; // as IcsDocument::outline() finds them in `text`
        QVector<int> moved;                  // each incidence of the layout's among them; -1: replaced
        QVector<int> replacing;              // those that took the replaced ones' place
    };
    // The part's text, of this layout, with the part's incidences replaced, or its new components
    // added; the part's text is taken.
    static Spliced splice(const FileLayout &layout, FilePart &part);
    // Takes `spliced`, made by replacing the incidences of `uid` in the text `file` was read from,
    // whose IcsDocument::contextHash() was `context`, as the file's text: reads the UID's new
    // incidences alone and keeps the rest as they were read. False, the file left as it was, where
    // only a read of the whole text gives what it would.
    [[nodiscard]] bool reread(CalendarFile &file, quint64 context, const Spliced &spliced,
                              const QString &uid);

    // Tells a file's text from its next version, at a fraction of SHA-1's cost.
    static quint64 digestOf(const QByteArray &data);

private:
    // The text parse() takes: `data` itself, or without its damaged lines; false when even that
    // is past repair.
    [[nodiscard]] bool repaired(const QString &path, const QByteArray &data, QByteArray &text,
                                IcsOutline &outline);
    // The text as the library is given it.
    QByteArray forLibrary(const QString &path, const QByteArray &text, bool bare);
    // The library looks each incidence it reads up among those of its UID read before, comparing
    // their RECURRENCE-IDs in their zones, and its calendar walks them all again to add one: a
    // series of 16,000 overrides took half a minute to read. Read a few at a time, with the
    // overrides of a series kept `beside` the calendar, they cost a fraction of a second. A large
    // text is read in parts too, with everything in the calendar as a read of the whole puts it:
    // the library holds the whole text's tree of components before it makes an incidence of it,
    // which took several times the text's size at once.
    [[nodiscard]] bool parseInParts(const QByteArray &text, CalendarFile &file, int size, bool beside);
    // The text without the incidences it leaves for readDeferred(), which it puts in `deferred`;
    // their layout taken from `cached` where it is given, else kept in the file for the next start.
    QByteArray deferSingles(const QByteArray &data, const QByteArray &text, const QByteArray &forReading,
                            const FileLayout *cached, const IcsOutline &outline, CalendarFile &file,
                            QVector<OccurrenceIndex::Series> &deferred);
    // The incidences it may leave for readDeferred(): events of their own without a rule.
    static QVector<FileLayout::Deferred> singlesOf(const QByteArray &text, const IcsOutline &outline);
    // The text without those incidences, which it puts in `deferred`.
    QByteArray cutDeferred(const QByteArray &text, const IcsOutline &outline,
                           const QVector<FileLayout::Deferred> &singles, CalendarFile &file,
                           QVector<OccurrenceIndex::Series> &deferred);
    // Leaves the text of the `deferred` series in `opened`, from which `data` was read as it is,
    // where that text is large enough to be worth it; true when it did.
    static bool leaveOnDisk(CalendarFile &file, const QByteArray &data, std::unique_ptr<QFile> &opened,
                            QVector<OccurrenceIndex::Series> &deferred);
    static constexpr int partSize = 8;
    static constexpr int chunkSize = 2000;
    static constexpr int onDiskFrom = 4 << 20; // bytes of deferred text
    // Appends the series' deferred text to `part`; false when the file no longer holds it.
    [[nodiscard]] static bool appendDeferred(const CalendarFile &file, const OccurrenceIndex::Series &series,
                                             QByteArray &part);
    // The incidences of `uid` read from `part` (a calendar of them alone): in the calendar, or
    // beside it where the series is read in parts. False where `part` holds anything else.
    [[nodiscard]] bool readUid(const QByteArray &part, const QString &uid, bool inParts, const QString &where,
                               KCalendarCore::Event::List *kept, KCalendarCore::Event::List *overrides);
    // Takes the events without a valid DTSTART out of the file's calendar and out of `events`.
    void dropUndated(const QString &path, const std::function<QByteArray()> &text, CalendarFile &file,
                     KCalendarCore::Event::List &events);

    // One for every file: the library's reader is costly to make and to destroy.
    std::unique_ptr<KCalendarCore::ICalFormat> m_format;
    QTimeZone m_zone;
    bool m_keepIndex = true;
    quint64 m_reads = 0;
    // A fault of a file that stays as it is would otherwise be told at every re-read.
    WarnOnce m_said;
};

#endif
