// The line scanner behind IcsDocument's static functions: it reads a file one content line at a
// time, without building nodes, for the checks and repairs of every file at load.
#include "icsdocument.h"

#include "icsdocument_p.h"

#include <functional>
#include <string_view>

using namespace IcsSyntax;

namespace {

enum class LineKind { Blank, Broken, Begin, End, Uid, Other };

bool asciiSpace(char c)
{
    return c == ' ' || (c >= '\t' && c <= '\r');
}

// What parse() makes of one unfolded line, with the value of BEGIN, END and UID lines. Lines of
// ASCII alone, nearly all of them, are judged on their bytes; others as parse() judges them.
LineKind classify(const QByteArray &line, QString *value)
{
    // No iCalendar text holds a NUL, and the library stops reading the whole file at one.
    if (line.contains('\0'))
        return LineKind::Broken;
    const char *text = line.constData();
    const int size = int(line.size());
    bool ascii = true;
    for (int i = 0; i < size && ascii; ++i)
        ascii = uchar(text[i]) < 0x80;
    if (!ascii) {
        const QString unicode = QString::fromUtf8(line);
        if (unicode.trimmed().isEmpty())
            return LineKind::Blank;
        const int colon = colonIndex(unicode);
        if (colon < 0)
            return LineKind::Broken;
        const QString name = nameOf(unicode);
        *value = unicode.mid(colon + 1);
        if (name == QLatin1String("BEGIN"))
            return LineKind::Begin;
        if (name == QLatin1String("END"))
            return LineKind::End;
        return name == QLatin1String("UID") ? LineKind::Uid : LineKind::Other;
    }
    int first = 0;
    while (first < size && asciiSpace(text[first]))
        ++first;
    if (first == size)
        return LineKind::Blank;
    int colon = -1;
    bool quoted = false;
    for (int i = 0; i < size && colon < 0; ++i) {
        if (text[i] == '"')
            quoted = !quoted;
        else if (text[i] == ':' && !quoted)
            colon = i;
    }
    if (colon < 0)
        return LineKind::Broken;
    int end = 0;
    while (end < size && text[end] != ';' && text[end] != ':')
        ++end;
    while (end > first && asciiSpace(text[end - 1]))
        --end;
    auto is = [&](const char *word) {
        const int length = int(qstrlen(word));
        return end - first == length && qstrnicmp(text + first, word, uint(length)) == 0;
    };
    const LineKind kind = is("BEGIN") ? LineKind::Begin
                          : is("END") ? LineKind::End
                          : is("UID") ? LineKind::Uid
                                      : LineKind::Other;
    if (kind != LineKind::Other)
        *value = QString::fromLatin1(text + colon + 1, size - colon - 1);
    return kind;
}

// Enough to tell an edited event from an unchanged one, at a fraction of a cryptographic hash's
// cost. Not qHashBits: that is CRC32 on most machines, 32 bits however it is seeded.
struct TextHash
{
    quint64 value = 0xcbf29ce484222325u;
    void add(const char *text, int size)
    {
        if (size == 0)
            return; // so that only the text counts, not where incidences cut it
        value = value * 0x100000001b3u ^ std::hash<std::string_view>{}(std::string_view(text, size_t(size)));
    }
    void add(const TextHash &other) { value = value * 0x100000001b3u ^ other.value; }
    quint64 result() const { return qMax<quint64>(value, 1); }
};

// One content line: its folded continuation lines joined, without line breaks.
struct ContentLine
{
    QByteArray text;
    int number = 0; // of its first physical line, from 1
    int start = 0;  // its bytes in the text, continuation lines and line breaks included
    int end = 0;
};

// Walks a text one content line at a time.
class ContentLines
{
public:
    explicit ContentLines(const QByteArray &data)
        : data(data)
        , lineEnd(macLineEnds(data) ? '\r' : '\n')
    {
    }

    bool next(ContentLine &line)
    {
        const int size = data.size();
        if (pos >= size)
            return false;
        line.start = pos;
        line.number = index + 1;
        line.text = physical();
        while (pos < size && (data.at(pos) == ' ' || data.at(pos) == '\t'))
            line.text += physical().mid(1);
        line.end = qMin(pos, size);
        return true;
    }

private:
    // One physical line without its line break; moves on to the next one.
    QByteArray physical()
    {
        const int from = pos;
        int end = data.indexOf(lineEnd, from);
        if (end < 0)
            end = data.size();
        pos = end + 1;
        ++index;
        if (end > from && lineEnd == '\n' && data.at(end - 1) == '\r')
            --end;
        return QByteArray::fromRawData(data.constData() + from, end - from);
    }

    const QByteArray &data;
    const char lineEnd;
    int pos = 0;
    int index = 0;
};

} // namespace

namespace {

// outline()'s pass over a file: the text of each incidence goes to its UID's hash, the rest of the
// file to the context's.
class Outliner
{
public:
    Outliner(const QByteArray &data, IcsOutline &out)
        : text(data.constData())
        , size(data.size())
        , out(out)
    {
    }

    bool fail(int line, const QString &why)
    {
        out.errorLine = line;
        out.errorText = why;
        out.signatures.clear();
        out.incidences.clear();
        out.uidHashes.clear();
        out.mostPerUid = 0;
        return false;
    }

    void begin(const QString &value, const ContentLine &content)
    {
        const QString name = value.trimmed().toUpper();
        const bool atComponents =
            stack.isEmpty() || (stack.size() == 1 && stack.first().name == QLatin1String("VCALENDAR"));
        if (incidenceStart < 0 && atComponents && isIncidenceName(name)) {
            context.add(text + outsideFrom, content.start - outsideFrom);
            incidenceStart = content.start;
            incidenceDepth = stack.size();
            uidSeen = false;
            uid.clear();
        }
        stack.push_back({name, content.number});
    }

    bool end(const QString &value, const ContentLine &content)
    {
        const QString closing = value.trimmed().toUpper();
        const QString mismatch = endMismatch(closing, stack);
        if (!mismatch.isEmpty())
            return fail(content.number, mismatch);
        stack.removeLast();
        if (incidenceStart >= 0 && stack.size() == incidenceDepth) {
            perUid[uid].add(text + incidenceStart, content.end - incidenceStart);
            out.incidences.push_back({incidenceStart, content.end});
            out.uidHashes.push_back(IcsDocument::uidHash(uid));
            out.mostPerUid = qMax(out.mostPerUid, ++countPerUid[uid]);
            incidenceStart = -1;
            outsideFrom = content.end;
        }
        if (stack.isEmpty()) {
            anyTop = true;
            if (closing == QLatin1String("VCALENDAR"))
                out.bare = false;
        }
        return true;
    }

    void uidLine(const QString &value)
    {
        if (incidenceStart >= 0 && !uidSeen && stack.size() == incidenceDepth + 1) {
            uid = value.trimmed();
            uidSeen = true;
        }
    }

    bool outside() const { return stack.isEmpty(); }

    bool finish()
    {
        if (!stack.isEmpty())
            return fail(stack.last().line,
                        QStringLiteral("BEGIN:%1 is never closed").arg(shown(stack.last().name)));
        if (!anyTop)
            return fail(1, QStringLiteral("no calendar data"));
        context.add(text + outsideFrom, size - outsideFrom);
        for (auto it = perUid.begin(); it != perUid.end(); ++it) {
            it->add(context);
            out.signatures.insert(it.key(), it->result());
        }
        return true;
    }

private:
    struct Open
    {
        QString name;
        int line = 0;
    };

    const char *text;
    const int size;
    IcsOutline &out;
    QVector<Open> stack;
    TextHash context;
    QHash<QString, TextHash> perUid;
    QHash<QString, int> countPerUid;
    int incidenceStart = -1;
    int incidenceDepth = 0;
    bool uidSeen = false;
    QString uid;
    int outsideFrom = 0;
    bool anyTop = false;
};

} // namespace

QByteArray IcsDocument::around(const QByteArray &data, const QVector<QPair<int, int>> &incidences)
{
    QByteArray out;
    int from = 0;
    for (const auto &span : incidences) {
        out.append(data.constData() + from, span.first - from);
        from = span.second;
    }
    out.append(data.constData() + from, data.size() - from);
    return out;
}

quint64 IcsDocument::contextHash(const QByteArray &data, const QVector<QPair<int, int>> &incidences)
{
    TextHash context;
    int from = 0;
    for (const auto &span : incidences) {
        context.add(data.constData() + from, span.first - from);
        from = span.second;
    }
    context.add(data.constData() + from, int(data.size()) - from);
    return context.value;
}

quint64 IcsDocument::signature(const QByteArray &data, const QVector<QPair<int, int>> &spans, quint64 context)
{
    TextHash hash;
    for (const auto &span : spans)
        hash.add(data.constData() + span.first, span.second - span.first);
    TextHash around;
    around.value = context;
    hash.add(around);
    return hash.result();
}

quint64 IcsDocument::uidHash(const QString &uid)
{
    return std::hash<std::u16string_view>{}(
        std::u16string_view(reinterpret_cast<const char16_t *>(uid.utf16()), size_t(uid.size())));
}

bool IcsDocument::outline(const QByteArray &data, IcsOutline &out)
{
    out = IcsOutline();
    Outliner outliner(data, out);
    ContentLines lines(data);
    ContentLine content;
    while (lines.next(content)) {
        QString value;
        switch (classify(content.text, &value)) {
        case LineKind::Blank:
            break;
        case LineKind::Broken:
            return outliner.fail(content.number, QStringLiteral("not an iCalendar content line"));
        case LineKind::Begin:
            outliner.begin(value, content);
            break;
        case LineKind::End:
            if (!outliner.end(value, content))
                return false;
            break;
        case LineKind::Uid:
            outliner.uidLine(value);
            Q_FALLTHROUGH();
        case LineKind::Other:
            if (outliner.outside())
                return outliner.fail(content.number, QStringLiteral("content line outside of any component"));
            break;
        }
    }
    return outliner.finish();
}

namespace {
struct OpenComponent
{
    QString name;
    int line = 0;
    int kept = 0; // where its BEGIN line starts in the repaired text
};

// Cut off in its middle, as an interrupted download or sync leaves a file: what was complete
// before the cut is kept, the component the cut fell in is lost, and the calendar is closed.
void closeCutOff(const QVector<OpenComponent> &stack, QByteArray &kept, QVector<IcsFault> *faults)
{
    const bool inCalendar = stack.first().name == QLatin1String("VCALENDAR");
    const int keep = inCalendar ? 1 : 0;
    if (stack.size() > keep) {
        const OpenComponent &lost = stack.at(keep);
        kept.truncate(lost.kept);
        faults->push_back(
            {lost.line, QStringLiteral("the file ends inside BEGIN:%1, cut off; this component is "
                                       "lost, the complete ones before it are read")
                            .arg(shown(lost.name))});
    } else {
        faults->push_back(
            {stack.first().line, QStringLiteral("BEGIN:%1 is never closed; read up to the end of the file")
                                     .arg(shown(stack.first().name))});
    }
    if (inCalendar) {
        if (!kept.isEmpty() && !kept.endsWith('\n'))
            kept += "\r\n";
        kept += "END:VCALENDAR\r\n";
    }
}
} // namespace

QByteArray IcsDocument::repair(const QByteArray &data, QVector<IcsFault> *faults)
{
    using Open = OpenComponent;
    QVector<Open> stack;
    QByteArray kept;
    kept.reserve(data.size());
    const char *text = data.constData();
    auto drop = [&](int line, const QString &why) { faults->push_back({line, why}); };
    auto dropOpen = [&](int depth) {
        while (stack.size() > depth) {
            const Open open = stack.takeLast();
            kept.truncate(open.kept);
            drop(open.line,
                 QStringLiteral("BEGIN:%1 is never closed; component skipped").arg(shown(open.name)));
        }
    };
    ContentLines lines(data);
    ContentLine content;
    while (lines.next(content)) {
        const int lineNumber = content.number;
        const QByteArray &unfolded = content.text;
        const QByteArray raw = QByteArray::fromRawData(text + content.start, content.end - content.start);
        QString value;
        switch (classify(unfolded, &value)) {
        case LineKind::Blank:
            kept += raw;
            break;
        case LineKind::Broken:
            drop(lineNumber, QStringLiteral("not an iCalendar content line; line skipped"));
            break;
        case LineKind::Begin: {
            const QString name = value.trimmed().toUpper();
            // An event begun inside another one: the first lost its END.
            if (isIncidenceName(name)) {
                for (int i = 0; i < stack.size(); ++i) {
                    if (isIncidenceName(stack.at(i).name)) {
                        dropOpen(i);
                        break;
                    }
                }
            }
            stack.push_back({name, lineNumber, int(kept.size())});
            kept += raw;
            break;
        }
        case LineKind::End: {
            const QString closing = value.trimmed().toUpper();
            int depth = stack.size() - 1;
            while (depth >= 0 && stack.at(depth).name != closing)
                --depth;
            if (depth < 0) {
                drop(lineNumber, endMismatch(closing, stack) + QStringLiteral("; line skipped"));
                break;
            }
            dropOpen(depth + 1);
            stack.removeLast();
            kept += raw;
            break;
        }
        case LineKind::Uid:
        case LineKind::Other:
            if (stack.isEmpty())
                drop(lineNumber, QStringLiteral("content line outside of any component; line skipped"));
            else
                kept += raw;
            break;
        }
    }
    if (!stack.isEmpty())
        closeCutOff(stack, kept, faults);
    return kept;
}

QByteArray IcsDocument::refold(const QByteArray &data, int longest, QVector<IcsFault> *refolded)
{
    const char *text = data.constData();
    const int size = data.size();
    QByteArray out;
    int copied = 0;
    int line = 1;
    for (int start = 0; start < size; ++line) {
        int end = data.indexOf('\n', start);
        if (end < 0)
            end = size;
        int stop = end > start && text[end - 1] == '\r' ? end - 1 : end;
        if (stop - start > longest) {
            if (out.isEmpty())
                out.reserve(size + size / 64);
            out.append(text + copied, start - copied);
            refolded->push_back({line, QStringLiteral("a line of %1 bytes").arg(stop - start)});
            // Never inside a UTF-8 sequence: the library unfolds by bytes, but checks each line.
            int from = start;
            while (from < stop) {
                int to = qMin(stop, from + (from == start ? 75 : 74));
                while (to < stop && to > from + 1 && (uchar(text[to]) & 0xc0) == 0x80)
                    --to;
                if (from > start)
                    out += ' ';
                out.append(text + from, to - from);
                if (to < stop)
                    out += "\r\n";
                from = to;
            }
            copied = stop;
        }
        start = end + 1;
    }
    if (out.isEmpty())
        return data;
    out.append(text + copied, size - copied);
    return out;
}
