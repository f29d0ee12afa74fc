#include "meetinglinks.h"

#include <KCalendarCore/Incidence>

#include <QHash>
#include <QRegularExpression>
#include <QUrlQuery>

#include <vector>

using namespace KCalendarCore;

namespace {

// A forwarded invitation can be wrapped again by the next tenant's Safe Links.
constexpr int maxWrappers = 3;

bool isOrUnder(const QString &host, QLatin1String domain)
{
    if (!host.endsWith(domain))
        return false;
    const auto rest = host.size() - domain.size();
    return rest == 0 || host.at(rest - 1) == QLatin1Char('.');
}

bool isWeb(const QUrl &url)
{
    const QString scheme = url.scheme();
    return (scheme == QLatin1String("https") || scheme == QLatin1String("http")) && !url.host().isEmpty();
}

QRegularExpression pathPattern(const char *pattern)
{
    return QRegularExpression(QLatin1String(pattern), QRegularExpression::CaseInsensitiveOption);
}

struct Service
{
    QLatin1String domain; // the host itself or any host under it
    QRegularExpression joinPath;
};

// Only join paths: the same hosts serve home, help, download and local-number pages.
const std::vector<Service> &services()
{
    static const std::vector<Service> table = {
        {QLatin1String("meet.google.com"), pathPattern("^/([a-z]{3}-[a-z]{4}-[a-z]{3}|lookup/[^/]+)/?$")},
        {QLatin1String("zoom.us"), pathPattern("^/(j|w|s|my)/[^/]+|^/wc/(join/)?\\d+")},
        {QLatin1String("zoomgov.com"), pathPattern("^/(j|w|s|my)/[^/]+|^/wc/(join/)?\\d+")},
        {QLatin1String("teams.microsoft.com"), pathPattern("^/l/meetup-join/.|^/meet/\\d+")},
        {QLatin1String("teams.microsoft.us"), pathPattern("^/l/meetup-join/.|^/meet/\\d+")},
        {QLatin1String("teams.live.com"), pathPattern("^/meet/.")},
        {QLatin1String("meet.jit.si"), pathPattern("^/(?!static/)[^/]+/?$")},
        {QLatin1String("8x8.vc"), pathPattern("^/[^/]+(/[^/]+)?/?$")},
        {QLatin1String("webex.com"), pathPattern("^(/[^/]+)?/(meet|join)/[^/]+|/j\\.php$")},
        {QLatin1String("whereby.com"),
         pathPattern("^/(?!(information|user|login|signup|pricing|blog|download|org|embed|products|support|"
                     "legal)(/|$))[^/]+/?$")},
        {QLatin1String("meet.goto.com"), pathPattern("^/(?!install(/|$))[^/]+/?$")},
        {QLatin1String("app.goto.com"), pathPattern("^/meeting/\\d+")},
        {QLatin1String("gotomeeting.com"), pathPattern("^/join/\\d+")},
        {QLatin1String("gotomeet.me"), pathPattern("^/[^/]+/?$")},
    };
    return table;
}

// Rooms of self-hosted BigBlueButton front ends. On a host named for it a room's path is enough;
// on any other host only the room codes Greenlight makes (abc-d3f-gh1, four groups since v3).
bool isBigBlueButtonRoom(const QString &host, const QString &path)
{
    static const QRegularExpression named(QStringLiteral("(^|[.-])(bbb|bigbluebutton|greenlight)\\d*[.-]"));
    static const QRegularExpression room = pathPattern("^/(b|gl|rooms)/[^/]+(/join)?/?$");
    static const QRegularExpression code =
        pathPattern("^/((b|gl)/[a-z0-9]{3}(-[a-z0-9]{3}){2,3}|rooms/[a-z0-9]{3}(-[a-z0-9]{3}){2,3}/join)/?$");
    if (path.startsWith(QLatin1String("/bigbluebutton/api/join")))
        return true;
    return code.match(path).hasMatch() || (named.match(host).hasMatch() && room.match(path).hasMatch());
}

// The URL inside a Safe Links wrapper, in the spelling it had before it was wrapped; empty where the
// URL is not one.
QString safeLinkTarget(const QUrl &url)
{
    const QString host = url.host(); // QUrl keeps host names in lower case
    if (!isWeb(url) || !(isOrUnder(host, QLatin1String("safelinks.protection.outlook.com")) ||
                         isOrUnder(host, QLatin1String("safelinks.protection.office365.us"))))
        return {};
    return QUrlQuery(url).queryItemValue(QStringLiteral("url"), QUrl::FullyDecoded);
}

QString unwrappedText(QString link)
{
    if (!link.contains(QLatin1String("safelinks"), Qt::CaseInsensitive)) // most links: no second parse
        return link;
    for (int i = 0; i < maxWrappers; ++i) {
        const QString inner = safeLinkTarget(QUrl(link));
        if (inner.isEmpty())
            break;
        link = inner;
    }
    return link;
}

QString decodedEntity(const QString &name)
{
    bool ok = false;
    char32_t code = 0;
    if (name.startsWith(QLatin1String("#x"), Qt::CaseInsensitive))
        code = name.mid(2).toUInt(&ok, 16);
    else if (name.startsWith(QLatin1Char('#')))
        code = name.mid(1).toUInt(&ok, 10);
    if (ok && code > 0 && code <= 0x10ffff)
        return QString::fromUcs4(&code, 1);
    static const QHash<QString, QString> named = {
        {QStringLiteral("amp"), QStringLiteral("&")},  {QStringLiteral("lt"), QStringLiteral("<")},
        {QStringLiteral("gt"), QStringLiteral(">")},   {QStringLiteral("quot"), QStringLiteral("\"")},
        {QStringLiteral("apos"), QStringLiteral("'")}, {QStringLiteral("nbsp"), QString(QChar(0xa0))},
    };
    return named.value(name.toLower(), QLatin1Char('&') + name + QLatin1Char(';'));
}

QString decodedEntities(const QString &link)
{
    if (!link.contains(QLatin1Char('&')))
        return link;
    static const QRegularExpression entity(QStringLiteral("&(#x[0-9a-f]+|#[0-9]+|[a-z]+);"),
                                           QRegularExpression::CaseInsensitiveOption);
    QString decoded;
    qsizetype done = 0;
    for (auto it = entity.globalMatch(link); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        decoded.append(QStringView(link).mid(done, match.capturedStart() - done));
        decoded.append(decodedEntity(match.captured(1)));
        done = match.capturedEnd();
    }
    return decoded.append(QStringView(link).mid(done));
}

// A link as a text holds it: cut where an escaped quote, bracket or space ends it, and without the
// punctuation of the sentence around it.
QString cleaned(const QString &candidate)
{
    QString link = decodedEntities(candidate);
    for (int i = 0; i < link.size(); ++i) {
        const QChar c = link.at(i);
        if (c.isSpace() || c == QLatin1Char('<') || c == QLatin1Char('>') || c == QLatin1Char('"') ||
            c == QLatin1Char('\'')) {
            link.truncate(i);
            break;
        }
    }
    static const QString trailing = QStringLiteral(".,;:!?)]}*");
    auto end = link.size();
    while (end > 0 && trailing.contains(link.at(end - 1)))
        --end;
    link.truncate(end);
    return link;
}

// Whether the text has a "://" or a "zoommtg:" at all. Most descriptions have none, and this runs for
// every event: one scan for the colons, which are few, instead of a search for each mark.
bool mayHoldLink(const QString &text)
{
    const QLatin1Char colon(':');
    const QLatin1Char slash('/');
    for (auto at = text.indexOf(colon); at >= 0; at = text.indexOf(colon, at + 1)) {
        if (at + 2 < text.size() && text.at(at + 1) == slash && text.at(at + 2) == slash)
            return true;
        if (at >= 7 &&
            QStringView(text).mid(at - 7, 7).compare(QLatin1String("zoommtg"), Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

// From a property that names a conference: any web link, or a known meeting link of another scheme.
QString conferenceLink(const QString &value)
{
    const QString link = unwrappedText(value.trimmed());
    const QUrl url(link);
    return isWeb(url) || MeetingLinks::isMeetingLink(url) ? link : QString();
}

// 0 a video conference, 1 a known service's link, 2 a web link of no stated feature, 3 none (tel:, a
// dial-in page marked PHONE).
int rankOf(const Conference &conference, const QUrl &url)
{
    const bool web = isWeb(url);
    const bool known = MeetingLinks::isMeetingLink(url);
    QStringList features = conference.features();
    features.removeAll(QString()); // KCalendarCore reads no FEATURE as one empty one
    if (features.contains(QLatin1String("VIDEO"), Qt::CaseInsensitive) && (web || known))
        return 0;
    if (known)
        return 1;
    return web && features.isEmpty() ? 2 : 3;
}

QString fromConferences(const Conference::List &conferences)
{
    QString best;
    int bestRank = 3;
    for (const Conference &conference : conferences) {
        const QUrl url = MeetingLinks::unwrapped(conference.uri());
        const int rank = rankOf(conference, url);
        if (rank < bestRank) {
            bestRank = rank;
            best = url.toString(QUrl::FullyEncoded);
        }
    }
    return best;
}

} // namespace

namespace MeetingLinks {

QString find(const Incidence &incidence)
{
    for (const char *name : {"X-GOOGLE-CONFERENCE", "X-MICROSOFT-SKYPETEAMSMEETINGURL"}) {
        const QString link = conferenceLink(incidence.nonKDECustomProperty(name));
        if (!link.isEmpty())
            return link;
    }
    QString link = fromConferences(incidence.conferences());
    if (!link.isEmpty())
        return link;
    const QUrl url = unwrapped(incidence.url());
    if (isMeetingLink(url))
        return url.toString(QUrl::FullyEncoded);
    for (const QString &text :
         {incidence.location(), incidence.description(), incidence.nonKDECustomProperty("X-ALT-DESC")}) {
        link = inText(text);
        if (!link.isEmpty())
            return link;
    }
    return {};
}

QString inText(const QString &text)
{
    if (!mayHoldLink(text))
        return {};
    static const QRegularExpression candidate(QStringLiteral("(?:https?://|zoommtg:)[^\\s\\x{a0}<>\"'`]+"),
                                              QRegularExpression::CaseInsensitiveOption);
    for (auto it = candidate.globalMatch(text); it.hasNext();) {
        const QString link = unwrappedText(cleaned(it.next().captured()));
        if (isMeetingLink(QUrl(link)))
            return link;
    }
    return {};
}

bool isMeetingLink(const QUrl &url)
{
    const QString scheme = url.scheme();
    if (scheme == QLatin1String("zoommtg"))
        return QUrlQuery(url).hasQueryItem(QStringLiteral("confno"));
    if (scheme != QLatin1String("https") && scheme != QLatin1String("http"))
        return false;
    const QString host = url.host();
    const QString path = url.path();
    for (const Service &service : services()) {
        if (isOrUnder(host, service.domain))
            return service.joinPath.match(path).hasMatch();
    }
    return isBigBlueButtonRoom(host, path);
}

QUrl unwrapped(const QUrl &url)
{
    const QString inner = safeLinkTarget(url);
    return inner.isEmpty() ? url : QUrl(unwrappedText(inner));
}

} // namespace MeetingLinks
