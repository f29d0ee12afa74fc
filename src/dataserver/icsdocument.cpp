#include "icsdocument.h"

#include "icsdocument_p.h"

using namespace IcsSyntax;

namespace {

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

QString IcsNode::withParameter(const QString &parameterName, const QString &value) const
{
    QString line = unfolded();
    const int colon = colonIndex(line);
    const int paramsEnd = colon < 0 ? line.size() : colon;
    const QString key = parameterName.toUpper() + QLatin1Char('=');
    int pos = line.left(paramsEnd).indexOf(QLatin1Char(';'));
    while (pos >= 0) {
        bool quoted = false;
        int end = pos + 1;
        while (end < paramsEnd && (quoted || line.at(end) != QLatin1Char(';'))) {
            if (line.at(end) == QLatin1Char('"'))
                quoted = !quoted;
            ++end;
        }
        if (line.mid(pos + 1, end - pos - 1).toUpper().startsWith(key))
            return line.replace(pos + 1, end - pos - 1, key + value);
        pos = end < paramsEnd ? end : -1;
    }
    return line.insert(paramsEnd, QLatin1Char(';') + key + value);
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
    const bool mac = macLineEnds(data);
    eol = mac                                                                         ? QStringLiteral("\r")
          : text.contains(QLatin1String("\r\n")) || !text.contains(QLatin1Char('\n')) ? QStringLiteral("\r\n")
                                                                                      : QStringLiteral("\n");
    const QStringList physical = text.split(mac ? QLatin1Char('\r') : QLatin1Char('\n'));

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
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
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
        case '\r': // a line break of its own where no LF follows, as on an old Mac
            if (i + 1 == text.size() || text.at(i + 1) != QLatin1Char('\n'))
                out += QLatin1String("\\n");
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

bool IcsDocument::mayHold(const char *text, int size, const QString &key)
{
    QByteArray wanted;
    for (const QChar c : key) {
        if (c.unicode() >= 0x80)
            return true;
        wanted += char(c.toLower().unicode());
    }
    if (wanted.isEmpty())
        return true;
    // Written through pointers, the escapes undone in place behind the unfolding: appended a byte
    // at a time, this was a seventh of a year's search.
    QByteArray plain(size, Qt::Uninitialized);
    char *const begin = plain.data();
    char *unfolded = begin;
    for (int i = 0; i < size; ++i) {
        const bool fold = text[i] == '\n' && i + 1 < size && (text[i + 1] == ' ' || text[i + 1] == '\t');
        if (fold) {
            if (unfolded > begin && unfolded[-1] == '\r')
                --unfolded;
            ++i;
            continue;
        }
        *unfolded++ = text[i];
    }
    char *out = begin;
    for (const char *in = begin; in < unfolded; ++in) {
        char c = *in;
        if (c == '\\' && in + 1 < unfolded) {
            c = *++in;
            c = c == 'n' || c == 'N' ? '\n' : c;
        }
        *out++ = c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
    }
    plain.truncate(int(out - begin));
    // KELVIN SIGN and LONG S fold to ASCII letters.
    return plain.contains(wanted) || plain.contains("\xe2\x84\xaa") || plain.contains("\xc5\xbf");
}
