#ifndef DATASERVER_ICSDOCUMENT_H
#define DATASERVER_ICSDOCUMENT_H

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>
#include <QVector>

// The layout of an iCalendar file as written: components and their content lines, each kept in its
// original (folded) form. KCalendarCore reads the calendars; this layer only edits them, so that a
// change to one event rewrites that event's changed lines and leaves every other byte as it was.
struct IcsNode
{
    QString name; // upper case: the property name, or the component name of BEGIN:
    bool component = false;
    int line = 0;       // 1-based line where the property or BEGIN: starts
    QStringList raw;    // a property's physical lines; a component's BEGIN: line
    QStringList rawEnd; // a component's END: line
    QVector<IcsNode> children;

    static IcsNode property(const QString &contentLine);
    static IcsNode makeComponent(const QString &name);

    // Property: the unfolded line, its value after the first unquoted ':' and its parameter text.
    QString unfolded() const;
    QString value() const;
    QString parameter(const QString &name) const;
    // Property: the unfolded line with the parameter set to `value` in place (appended where the
    // line has none), every other byte of it as it was.
    QString withParameter(const QString &name, const QString &value) const;

    // Component: the first child property of that name, or null.
    const IcsNode *find(const QString &propertyName) const;
    QString propertyValue(const QString &propertyName) const;
    void removeProperties(const QString &propertyName);
    // Replaces the properties of that name by `lines`, at the first one's place (or before the
    // first subcomponent when there was none).
    void setProperties(const QString &propertyName, const QVector<IcsNode> &lines);
    void insertBeforeComponents(const IcsNode &node);
};

// What the store needs of a file at load, without building its nodes: parse()'s verdict, whether
// the file is bare, and a hash of each UID's components and one of the rest, to tell on a re-read
// which events changed. A parsed document costs many times the text's size and time.
struct IcsOutline
{
    bool bare = true;
    int errorLine = 0;
    QString errorText;
    QHash<QString, quint64> signatures; // by UID, with the rest of the file's hash folded in; never 0
    // Where each incidence's text begins and ends, and the most incidences one UID has.
    QVector<QPair<int, int>> incidences;
    // Each incidence's uidHash(): an edit finds the incidences of one UID among 100,000 by them.
    QVector<quint64> uidHashes;
    int mostPerUid = 0;
};

// A part of a file left out by IcsDocument::repair(), and why.
struct IcsFault
{
    int line = 0;
    QString text;
};

class IcsDocument
{
public:
    // False for text that is not iCalendar: errorLine and errorText then tell where and why.
    bool parse(const QByteArray &data);
    // False exactly where parse() is, with the same errorLine and errorText.
    static bool outline(const QByteArray &data, IcsOutline &out);
    // What outline() tells of a text whose incidences are known already: the hash of the text around
    // them, and the signature of the UID whose incidences are `spans`, in the order of the file.
    static quint64 contextHash(const QByteArray &data, const QVector<QPair<int, int>> &incidences);
    static quint64 signature(const QByteArray &data, const QVector<QPair<int, int>> &spans, quint64 context);
    static quint64 uidHash(const QString &uid);
    // The text with those incidences left out: the calendar around them.
    static QByteArray around(const QByteArray &data, const QVector<QPair<int, int>> &incidences);

    // False only where no text value of the component's text holds `key`, compared as
    // QString::contains() does without case: its lines unfolded and escapes undone. A search then
    // parses only the events it may find; a key beyond ASCII is not looked for in the raw text.
    static bool mayHold(const char *text, int size, const QString &key);

    // The text without the lines and components that keep parse() from taking it, each said in
    // `faults`. A file that ends inside a component (cut off) keeps the complete components before
    // the cut and gets its END:VCALENDAR; empty when nothing of it is left.
    static QByteArray repair(const QByteArray &data, QVector<IcsFault> *faults);

    // The text with every physical line longer than `longest` bytes folded, each said in
    // `refolded`: the library takes time quadratic in the length of a physical line.
    static QByteArray refold(const QByteArray &data, int longest, QVector<IcsFault> *refolded);

    QByteArray toByteArray() const;

    // The components that hold events: VCALENDAR's children, or the top level of a bare file.
    QVector<IcsNode> &components();
    const QVector<IcsNode> &components() const;
    bool isBare() const;
    // Puts the components of a bare file into a VCALENDAR, as the standard requires.
    void wrapInCalendar();
    static IcsDocument newCalendar();

    QVector<IcsNode> top;
    QString eol = QStringLiteral("\r\n");
    int errorLine = 0;
    QString errorText;
};

namespace Ics {
// Longer physical lines are folded before the library reads them: it took 27 s over one line of
// 16 MiB, and takes a fraction of a second over the same text folded.
constexpr int longestLine = 64 * 1024;
QString escapeText(const QString &text);
// A content line folded at 75 octets, never inside a UTF-8 sequence.
QStringList fold(const QString &line);
} // namespace Ics

#endif
