#include "descriptiontext.h"

#include <QRegularExpression>
#include <QStringList>

#include <algorithm>
#include <cmath>

namespace DescriptionText {

namespace {

// More blank lines than one in a row only push the rest of an invitation out of the popover.
constexpr int maxBreaks = 2;

// Elements whose content is no text of the event: code, styles, the document's own title.
bool skipsContent(const QString &tag)
{
    static const QStringList tags =
        QStringLiteral("script style title noscript template iframe object textarea svg math xml")
            .split(u' ');
    return tags.contains(tag);
}

bool breaksLine(const QString &tag)
{
    static const QStringList tags =
        QStringLiteral("p div li ul ol tr table h1 h2 h3 h4 h5 h6 hr dt dd blockquote pre").split(u' ');
    return tags.contains(tag);
}

// "&amp;", "&#39;", "&#x1F4DE;"; what is no entity stays as it is written.
QString decodeEntities(const QString &text)
{
    static const QRegularExpression entity(
        QStringLiteral("&(?:#([0-9]{1,7})|#[xX]([0-9a-fA-F]{1,6})|([a-zA-Z]+));"));
    static const QStringList names =
        QStringLiteral("amp lt gt quot apos nbsp ndash mdash lsquo rsquo ldquo rdquo hellip bull euro copy")
            .split(u' ');
    static const QString characters =
        QStringLiteral("&<>\"'\u00A0\u2013\u2014\u2018\u2019\u201C\u201D\u2026\u2022\u20AC\u00A9");
    QString out;
    int from = 0;
    auto matches = entity.globalMatch(text);
    while (matches.hasNext()) {
        const QRegularExpressionMatch match = matches.next();
        QString decoded;
        if (match.capturedLength(3) > 0) {
            const int index = int(names.indexOf(match.captured(3).toLower()));
            decoded = index < 0 ? match.captured() : QString(characters.at(index));
        } else {
            const uint code = match.capturedLength(1) > 0 ? match.captured(1).toUInt()
                                                          : match.captured(2).toUInt(nullptr, 16);
            const bool valid = code > 0 && code <= 0x10FFFF && (code < 0xD800 || code > 0xDFFF);
            const char32_t character = valid ? char32_t(code) : char32_t(0xFFFD);
            decoded = QString::fromUcs4(&character, 1);
        }
        out += text.mid(from, match.capturedStart() - from) + decoded;
        from = int(match.capturedEnd());
    }
    return out + text.mid(from);
}

// Browsers drop tabs and line breaks inside a URL, so "java&#9;script:" is a script as well.
QString safeHref(QString href)
{
    static const QRegularExpression urlBlanks(QStringLiteral("[\\t\\n\\r]"));
    const QUrl url(href.remove(urlBlanks).trimmed());
    return isSafeLink(url) ? url.toString(QUrl::FullyEncoded).toHtmlEscaped() : QString();
}

// One attribute of a tag's attribute text, its entities decoded. A quoted value is matched whole,
// so that an "href=" inside another attribute's value is no href.
QString attribute(const QString &attributes, const QString &wanted)
{
    static const QRegularExpression pair(
        QStringLiteral("([^\\s=/]+)(?:\\s*=\\s*(?:\"([^\"]*)\"?|'([^']*)'?|(\\S*)))?"));
    auto matches = pair.globalMatch(attributes);
    while (matches.hasNext()) {
        const QRegularExpressionMatch match = matches.next();
        if (match.captured(1).compare(wanted, Qt::CaseInsensitive) == 0)
            return decodeEntities(match.captured(2) + match.captured(3) + match.captured(4));
    }
    return QString();
}

// URLs written as text end before the punctuation of the sentence around them.
int urlLength(const QString &url)
{
    int length = int(url.size());
    for (; length > 0; --length) {
        const QChar last = url.at(length - 1);
        const QString kept = url.left(length);
        const bool unbalanced = (last == u')' && kept.count(u'(') < kept.count(last)) ||
                                (last == u']' && kept.count(u'[') < kept.count(last));
        if (!unbalanced && !QStringLiteral(".,;:!?'\"").contains(last))
            break;
    }
    return length;
}

QString linkified(const QString &text)
{
    static const QRegularExpression plainUrl(
        QStringLiteral("(?<![\\w@/.])(?:https?://|www\\.|mailto:)[^\\s<>\"]+"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::UseUnicodePropertiesOption);
    QString out;
    int from = 0;
    auto matches = plainUrl.globalMatch(text);
    while (matches.hasNext()) {
        const QRegularExpressionMatch match = matches.next();
        const QString written = match.captured().left(urlLength(match.captured()));
        const bool bare = written.startsWith(QLatin1String("www."), Qt::CaseInsensitive);
        const QString href = safeHref(bare ? QLatin1String("https://") + written : written);
        if (href.isEmpty())
            continue;
        out += text.mid(from, match.capturedStart() - from).toHtmlEscaped();
        out += QStringLiteral("<a href=\"%1\">%2</a>").arg(href, written.toHtmlEscaped());
        from = int(match.capturedStart() + written.size());
    }
    return out + text.mid(from).toHtmlEscaped();
}

// Writes text as rich text; a line break or a space only where text follows it.
class RichWriter
{
public:
    // `plain` as decoded text: '\n' breaks the line, other blanks are one space.
    void text(const QString &plain)
    {
        const QStringList lines = plain.split(u'\n');
        for (int i = 0; i < lines.size(); ++i) {
            breaks += i > 0 ? 1 : 0;
            words(lines.at(i));
        }
    }
    void lineBreak(bool atLeastOne) { breaks = atLeastOne ? std::max(breaks, 1) : breaks + 1; }
    // `href` escaped; empty for a link that is dropped, whose text stays.
    void startLink(const QString &href)
    {
        endLink();
        link = href;
    }
    void endLink()
    {
        if (linkOpen)
            out += QLatin1String("</a>");
        linkOpen = false;
        link.clear();
    }
    QString finish()
    {
        endLink();
        return out;
    }

private:
    void words(QString line)
    {
        static const QRegularExpression blanks(QStringLiteral("[ \\t\\r\\f\\v]+"));
        line.replace(blanks, QStringLiteral(" "));
        // isSpace() takes in the no-break space too: "&nbsp;<b>" parts words as a space does.
        space = space || (!line.isEmpty() && line.front().isSpace());
        const bool trailing = !line.isEmpty() && line.back().isSpace();
        line = line.trimmed();
        if (line.isEmpty())
            return;
        if (!out.isEmpty() && breaks > 0)
            out += QStringLiteral("<br>").repeated(std::min(breaks, maxBreaks));
        else if (!out.isEmpty() && space)
            out += u' ';
        breaks = 0;
        if (!link.isEmpty() && !linkOpen)
            out += QStringLiteral("<a href=\"%1\">").arg(link);
        linkOpen = !link.isEmpty();
        out += linkOpen ? line.toHtmlEscaped() : linkified(line);
        space = trailing;
    }

    QString out;
    QString link;
    int breaks = 0;
    bool space = false;
    bool linkOpen = false;
};

// Past the end of an element whose content is left out, from past its start tag.
int endOfElement(const QString &html, const QString &name, int from)
{
    const int close = int(html.indexOf(QLatin1String("</") + name, from, Qt::CaseInsensitive));
    const int gt = close < 0 ? -1 : int(html.indexOf(u'>', close));
    return gt < 0 ? int(html.size()) : gt + 1;
}

QString fromHtml(const QString &html)
{
    // A comment, a declaration, or a tag: its "/", name and attributes. A '>' in a quoted attribute
    // value ends no tag; a tag never closed takes the rest, as in a browser.
    static const QRegularExpression markup(
        QStringLiteral("<!--.*?(?:-->|\\z)|<[!?][^>]*>?|<(/"
                       "?)([a-zA-Z][a-zA-Z0-9:-]*)((?:[^>\"']++|\"[^\"]*+\"|'[^']*+'|[\"'])*+)>?"),
        QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression blanks(QStringLiteral("[ \\t\\r\\n\\f]+"));
    RichWriter out;
    const int n = int(html.size());
    for (int i = 0; i < n;) {
        const QRegularExpressionMatch match = markup.match(html, i);
        const int start = match.hasMatch() ? int(match.capturedStart()) : n;
        // Line breaks of HTML source are spaces; entities are decoded after, so that &#10; stays one.
        if (start > i)
            out.text(decodeEntities(html.mid(i, start - i).replace(blanks, QStringLiteral(" "))));
        if (!match.hasMatch())
            break;
        i = int(match.capturedEnd());
        const QString name = match.captured(2).toLower();
        const bool closing = !match.captured(1).isEmpty();
        if (name == QLatin1String("br") || breaksLine(name))
            out.lineBreak(name != QLatin1String("br"));
        else if (name == QLatin1String("a") && closing)
            out.endLink();
        else if (name == QLatin1String("a"))
            out.startLink(safeHref(attribute(match.captured(3), QStringLiteral("href"))));
        else if (!closing && skipsContent(name) && !match.captured(3).endsWith(u'/'))
            i = endOfElement(html, name, i);
    }
    return out.finish();
}

bool looksLikeHtml(const QString &text)
{
    static const QRegularExpression markup(
        QStringLiteral("<(?:/?(?:a|b|i|u|p|br|hr|div|span|font|strong|em|ul|ol|li|h[1-6]|html|body|head|meta|"
                       "table|tr|td|img|script|style|blockquote|o:p)\\b[^<>]*>|!--|!doctype)"),
        QRegularExpression::CaseInsensitiveOption);
    return markup.match(text).hasMatch();
}

} // namespace

QString toRichText(const QString &description)
{
    if (looksLikeHtml(description))
        return fromHtml(description);
    RichWriter out;
    out.text(description);
    return out.finish();
}

bool isSafeLink(const QUrl &url)
{
    const QString scheme = url.scheme().toLower();
    if (!url.isValid())
        return false;
    if (scheme == QLatin1String("http") || scheme == QLatin1String("https"))
        return !url.host().isEmpty();
    return (scheme == QLatin1String("mailto") || scheme == QLatin1String("tel")) && !url.path().isEmpty();
}

QUrl locationUrl(const QString &location)
{
    const QString place = location.trimmed();
    if (place.isEmpty())
        return QUrl();
    static const QRegularExpression coordinates(
        QStringLiteral("^\\+?(-?\\d{1,2}(?:\\.\\d+)?)\\s*,\\s*\\+?(-?\\d{1,3}(?:\\.\\d+)?)$"));
    const QRegularExpressionMatch match = coordinates.match(place);
    if (match.hasMatch() && std::abs(match.captured(1).toDouble()) <= 90 &&
        std::abs(match.captured(2).toDouble()) <= 180)
        return QUrl(QStringLiteral("geo:%1,%2").arg(match.captured(1), match.captured(2)));
    const QUrl url(place, QUrl::StrictMode);
    const QString scheme = url.scheme().toLower();
    const bool web = scheme == QLatin1String("http") || scheme == QLatin1String("https");
    if (scheme == QLatin1String("geo") || (web && isSafeLink(url) && !place.contains(u' ')))
        return url;
    return QUrl(QLatin1String("geo:0,0?q=") + QString::fromLatin1(QUrl::toPercentEncoding(place)));
}

} // namespace DescriptionText
