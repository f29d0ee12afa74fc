#ifndef DATASERVER_ICSDOCUMENT_P_H
#define DATASERVER_ICSDOCUMENT_P_H

#include <QByteArray>
#include <QString>

// What the node model and the line scanner must judge alike: a file one of them refuses, the other
// refuses with the same words.
namespace IcsSyntax {

// A component's name as an error message shows it: a file without line breaks makes its whole
// text the name of its first BEGIN.
inline QString shown(const QString &name)
{
    constexpr int longest = 40;
    return name.size() <= longest ? name : name.left(longest) + QStringLiteral("...");
}

// Why an END line cannot close the innermost open component; empty when it can.
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

// The first ':' outside a quoted parameter value, or -1.
inline int colonIndex(const QString &line)
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

inline QString nameOf(const QString &line)
{
    int end = 0;
    while (end < line.size() && line.at(end) != QLatin1Char(';') && line.at(end) != QLatin1Char(':'))
        ++end;
    return line.left(end).trimmed().toUpper();
}

// Old Mac line ends: CR alone, and no LF anywhere.
inline bool macLineEnds(const QByteArray &data)
{
    return !data.contains('\n') && data.contains('\r');
}

// The components a file's events come in, each with its own UID.
inline bool isIncidenceName(const QString &name)
{
    return name == QLatin1String("VEVENT") || name == QLatin1String("VTODO") ||
           name == QLatin1String("VJOURNAL");
}

} // namespace IcsSyntax

#endif
