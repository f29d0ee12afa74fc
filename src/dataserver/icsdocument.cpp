#include "icsdocument.h"

#include <functional>
#include <string_view>

namespace {

// A component's name as an error message shows it: a file without line breaks makes its whole
// text the name of its first BEGIN.
QString shown(const QString &name)
{
    constexpr int longest = 40;
    return name.size() <= longest ? name : name.left(longest) + QStringLiteral("...");
}

// Why an END line cannot close the innermost open component; empty when it can. The full reading
// and the outline must refuse a file with the same words.
template<typename Stack> QString endMismatch(const QString &closing, const Stack &stack)
{
    if (stack.isEmpty())
        return QStringLiteral("END:%1 without BEGIN").arg(shown(closing));
    if (stack.last().name != closing) {
        return QStringLiteral("END:%1 does not close BEGIN:%2 of line %3")
            .arg(shown(closing), shown(stack.last().name))
            .arg(stack.last().line);
    }
    return {};
}

int colonIndex(const QString &line)
{
    bool quoted = false;
    for (int i = 0; i < line.size(); ++i) {
        const QChar c = line.at(i);
        if (c == QLatin1Char('"'))
            quoted = !quoted;
        else if (c == QLatin1Char(':') && !quoted)
            return i;
    }
    return -1;
}

QString nameOf(const QString &line)
{
    int end = 0;
    while (end < line.size() && line.at(end) != QLatin1Char(';') && line.at(end) != QLatin1Char(':'))
        ++end;
    return line.left(end).trimmed().toUpper();
}

void write(const IcsNode &node, QStringList &out)
{
    out += node.raw;
    if (!node.component)
        return;
    for (const IcsNode &child : node.children)
        write(child, out);
    out += node.rawEnd;
}

} // namespace

IcsNode IcsNode::property(const QString &contentLine)
{
    IcsNode node;
    node.name = nameOf(contentLine);
    node.raw = Ics::fold(contentLine);
    return node;
}

IcsNode IcsNode::makeComponent(const QString &name)
{
    IcsNode node;
    node.name = name;
    node.component = true;
    node.raw = QStringList{QStringLiteral("BEGIN:") + name};
    node.rawEnd = QStringList{QStringLiteral("END:") + name};
    return node;
}

QString IcsNode::unfolded() const
{
    QString line = raw.value(0);
    for (int i = 1; i < raw.size(); ++i)
        line += raw.at(i).mid(1);
    return line;
}

QString IcsNode::value() const
{
    const QString line = unfolded();
    const int colon = colonIndex(line);
    return colon < 0 ? QString() : line.mid(colon + 1);
}

QString IcsNode::parameter(const QString &parameterName) const
{
    const QString line = unfolded();
    const int colon = colonIndex(line);
    const QString params = line.left(colon < 0 ? line.size() : colon);
    const QString key = parameterName.toUpper() + QLatin1Char('=');
    int pos = params.indexOf(QLatin1Char(';'));
    while (pos >= 0) {
        bool quoted = false;
        int end = pos + 1;
        while (end < params.size() && (quoted || params.at(end) != QLatin1Char(';'))) {
            if (params.at(end) == QLatin1Char('"'))
                quoted = !quoted;
            ++end;
        }
        const QString param = params.mid(pos + 1, end - pos - 1);
        if (param.toUpper().startsWith(key)) {
            QString result = param.mid(key.size());
            if (result.size() >= 2 && result.startsWith(QLatin1Char('"')) &&
                result.endsWith(QLatin1Char('"')))
                result = result.mid(1, result.size() - 2);
            return result;
        }
        pos = end < params.size() ? end : -1;
    }
    return QString();
}

const IcsNode *IcsNode::find(const QString &propertyName) const
{
    for (const IcsNode &child : children) {
        if (!child.component && child.name == propertyName)
            return &child;
    }
    return nullptr;
}

QString IcsNode::propertyValue(const QString &propertyName) const
{
    const IcsNode *node = find(propertyName);
    return node ? node->value() : QString();
}

void IcsNode::removeProperties(const QString &propertyName)
{
    children.erase(std::remove_if(children.begin(), children.end(),
                                  [&](const IcsNode &n) { return !n.component && n.name == propertyName; }),
                   children.end());
}

void IcsNode::setProperties(const QString &propertyName, const QVector<IcsNode> &lines)
{
    int at = -1;
    for (int i = 0; i < children.size(); ++i) {
        if (!children.at(i).component && children.at(i).name == propertyName) {
            at = i;
            break;
        }
    }
    removeProperties(propertyName);
    if (at < 0) {
        for (const IcsNode &line : lines)
            insertBeforeComponents(line);
        return;
    }
    for (int i = 0; i < lines.size(); ++i)
        children.insert(at + i, lines.at(i));
}

void IcsNode::insertBeforeComponents(const IcsNode &node)
{
    int at = 0;
    while (at < children.size() && !children.at(at).component)
        ++at;
    children.insert(at, node);
}

bool IcsDocument::parse(const QByteArray &data)
{
    top.clear();
    errorLine = 0;
    errorText.clear();
    const QString text = QString::fromUtf8(data);
    eol = text.contains(QLatin1String("\r\n")) || !text.contains(QLatin1Char('\n')) ? QStringLiteral("\r\n")
                                                                                    : QStringLiteral("\n");
    const QStringList physical = text.split(QLatin1Char('\n'));

    QVector<IcsNode> stack;
    auto fail = [this](int line, const QString &why) {
        errorLine = line;
        errorText = why;
        top.clear();
        return false;
    };

    int i = 0;
    while (i < physical.size()) {
        const int lineNumber = i + 1;
        QStringList raw{physical.at(i)};
        if (raw.last().endsWith(QLatin1Char('\r')))
            raw.last().chop(1);
        ++i;
        while (i < physical.size() && (physical.at(i).startsWith(QLatin1Char(' ')) ||
                                       physical.at(i).startsWith(QLatin1Char('\t')))) {
            raw << physical.at(i);
            if (raw.last().endsWith(QLatin1Char('\r')))
                raw.last().chop(1);
            ++i;
        }
        IcsNode node;
        node.raw = raw;
        node.line = lineNumber;
        const QString line = node.unfolded();
        if (line.trimmed().isEmpty())
            continue;
        if (colonIndex(line) < 0)
            return fail(lineNumber, QStringLiteral("not an iCalendar content line"));
        node.name = nameOf(line);
        if (node.name == QLatin1String("BEGIN")) {
            node.name = node.value().trimmed().toUpper();
            node.component = true;
            stack.push_back(node);
        } else if (node.name == QLatin1String("END")) {
            const QString mismatch = endMismatch(node.value().trimmed().toUpper(), stack);
            if (!mismatch.isEmpty())
                return fail(lineNumber, mismatch);
            IcsNode done = stack.takeLast();
            done.rawEnd = raw;
            if (stack.isEmpty())
                top << done;
            else
                stack.last().children << done;
        } else {
            if (stack.isEmpty())
                return fail(lineNumber, QStringLiteral("content line outside of any component"));
            stack.last().children << node;
        }
    }
    if (!stack.isEmpty())
        return fail(stack.last().line,
                    QStringLiteral("BEGIN:%1 is never closed").arg(shown(stack.last().name)));
    if (top.isEmpty())
        return fail(1, QStringLiteral("no calendar data"));
    return true;
}

QByteArray IcsDocument::toByteArray() const
{
    QStringList lines;
    for (const IcsNode &node : top)
        write(node, lines);
    return (lines.join(eol) + eol).toUtf8();
}

bool IcsDocument::isBare() const
{
    for (const IcsNode &node : top) {
        if (node.name == QLatin1String("VCALENDAR"))
            return false;
    }
    return true;
}

QVector<IcsNode> &IcsDocument::components()
{
    for (IcsNode &node : top) {
        if (node.name == QLatin1String("VCALENDAR"))
            return node.children;
    }
    return top;
}

const QVector<IcsNode> &IcsDocument::components() const
{
    for (const IcsNode &node : top) {
        if (node.name == QLatin1String("VCALENDAR"))
            return node.children;
    }
    return top;
}

void IcsDocument::wrapInCalendar()
{
    if (!isBare())
        return;
    IcsDocument wrapped = newCalendar();
    wrapped.top.first().children += top;
    top = wrapped.top;
}

IcsDocument IcsDocument::newCalendar()
{
    IcsDocument doc;
    IcsNode calendar = IcsNode::makeComponent(QStringLiteral("VCALENDAR"));
    calendar.children << IcsNode::property(QStringLiteral("VERSION:2.0"))
                      << IcsNode::property(QStringLiteral("PRODID:-//Norvale//tasklist-dataserver//EN"));
    doc.top << calendar;
    return doc;
}

QString Ics::escapeText(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        switch (c.unicode()) {
        case '\\':
            out += QLatin1String("\\\\");
            break;
        case ';':
            out += QLatin1String("\\;");
            break;
        case ',':
            out += QLatin1String("\\,");
            break;
        case '\n':
            out += QLatin1String("\\n");
            break;
        case '\r':
            break;
        default:
            out += c;
        }
    }
    return out;
}

QStringList Ics::fold(const QString &line)
{
    QStringList lines;
    QString current;
    int octets = 0;
    for (int i = 0; i < line.size(); ++i) {
        const bool pair = line.at(i).isHighSurrogate() && i + 1 < line.size();
        const QString unit = pair ? line.mid(i, 2) : QString(line.at(i));
        const int size = unit.toUtf8().size();
        if (octets + size > 75) {
            lines << current;
            current = QStringLiteral(" ");
            octets = 1;
        }
        current += unit;
        octets += size;
        if (pair)
            ++i;
    }
    lines << current;
    return lines;
}

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
    const char *text = line.constData();
    const int size = line.size();
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
        int end = data.indexOf('\n', from);
        if (end < 0)
            end = data.size();
        pos = end + 1;
        ++index;
        if (end > from && data.at(end - 1) == '\r')
            --end;
        return QByteArray::fromRawData(data.constData() + from, end - from);
    }

    const QByteArray &data;
    int pos = 0;
    int index = 0;
};

bool isIncidenceName(const QString &name)
{
    return name == QLatin1String("VEVENT") || name == QLatin1String("VTODO") ||
           name == QLatin1String("VJOURNAL");
}

} // namespace

bool IcsDocument::outline(const QByteArray &data, IcsOutline &out)
{
    out = IcsOutline();
    struct Open
    {
        QString name;
        int line = 0;
    };
    QVector<Open> stack;
    const char *text = data.constData();
    const int size = data.size();
    auto fail = [&out](int line, const QString &why) {
        out.errorLine = line;
        out.errorText = why;
        out.signatures.clear();
        return false;
    };

    // The text of each incidence goes to its UID's hash, the rest of the file to the context's.
    TextHash context;
    QHash<QString, TextHash> perUid;
    int incidenceStart = -1;
    int incidenceDepth = 0;
    bool uidSeen = false;
    QString uid;
    int outsideFrom = 0;
    bool anyTop = false;

    ContentLines lines(data);
    ContentLine content;
    while (lines.next(content)) {
        const int start = content.start;
        const int lineNumber = content.number;
        const QByteArray &line = content.text;
        const int end = content.end;
        QString value;
        switch (classify(line, &value)) {
        case LineKind::Blank:
            break;
        case LineKind::Broken:
            return fail(lineNumber, QStringLiteral("not an iCalendar content line"));
        case LineKind::Begin: {
            const QString name = value.trimmed().toUpper();
            const bool atComponents =
                stack.isEmpty() || (stack.size() == 1 && stack.first().name == QLatin1String("VCALENDAR"));
            if (incidenceStart < 0 && atComponents && isIncidenceName(name)) {
                context.add(text + outsideFrom, start - outsideFrom);
                incidenceStart = start;
                incidenceDepth = stack.size();
                uidSeen = false;
                uid.clear();
            }
            stack.push_back({name, lineNumber});
            break;
        }
        case LineKind::End: {
            const QString closing = value.trimmed().toUpper();
            const QString mismatch = endMismatch(closing, stack);
            if (!mismatch.isEmpty())
                return fail(lineNumber, mismatch);
            stack.removeLast();
            if (incidenceStart >= 0 && stack.size() == incidenceDepth) {
                perUid[uid].add(text + incidenceStart, end - incidenceStart);
                incidenceStart = -1;
                outsideFrom = end;
            }
            if (stack.isEmpty()) {
                anyTop = true;
                if (closing == QLatin1String("VCALENDAR"))
                    out.bare = false;
            }
            break;
        }
        case LineKind::Uid:
            if (incidenceStart >= 0 && !uidSeen && stack.size() == incidenceDepth + 1) {
                uid = value.trimmed();
                uidSeen = true;
            }
            Q_FALLTHROUGH();
        case LineKind::Other:
            if (stack.isEmpty())
                return fail(lineNumber, QStringLiteral("content line outside of any component"));
            break;
        }
    }
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

QByteArray IcsDocument::repair(const QByteArray &data, QVector<IcsFault> *faults)
{
    struct Open
    {
        QString name;
        int line = 0;
        int kept = 0; // where its BEGIN line starts in the repaired text
    };
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
            stack.push_back({name, lineNumber, kept.size()});
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
        return {};
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
