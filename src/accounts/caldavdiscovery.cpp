#include "caldavdiscovery.h"

#include "accountslog.h"

#include <QDnsLookup>
#include <QHostAddress>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QXmlStreamReader>

namespace DavXml {
namespace {
constexpr QLatin1String dav("DAV:");
constexpr QLatin1String caldav("urn:ietf:params:xml:ns:caldav");
constexpr QLatin1String apple("http://apple.com/ns/ical/");

QString normalColor(const QString &text)
{
    QString color = text.trimmed().toLower();
    if (color.size() == 9 && color.startsWith(QLatin1Char('#'))) // Apple's #RRGGBBAA
        color.chop(2);
    return color.size() == 7 && color.startsWith(QLatin1Char('#')) ? color : QString();
}
} // namespace

bool parse(const QByteArray &xml, QVector<Response> &responses)
{
    responses.clear();
    QXmlStreamReader reader(xml);
    QVector<QPair<QString, QString>> path; // (namespace, name) of the open elements
    auto inside = [&path](QLatin1String ns, QLatin1String name) {
        for (const auto &element : path) {
            if (element.first == ns && element.second == name)
                return true;
        }
        return false;
    };
    bool multistatus = false;
    while (!reader.atEnd()) {
        const QXmlStreamReader::TokenType token = reader.readNext();
        if (token == QXmlStreamReader::StartElement) {
            const QString ns = reader.namespaceUri().toString();
            const QString name = reader.name().toString();
            if (path.isEmpty())
                multistatus = ns == dav && name == QLatin1String("multistatus");
            if (ns == dav && name == QLatin1String("response"))
                responses.append(Response());
            if (!responses.isEmpty()) {
                Response &response = responses.last();
                if (ns == caldav && name == QLatin1String("calendar") &&
                    inside(dav, QLatin1String("resourcetype")))
                    response.calendar = true;
                else if (ns == caldav && name == QLatin1String("comp"))
                    response.components
                        << reader.attributes().value(QStringLiteral("name")).toString().toUpper();
                else if (ns == dav && name == QLatin1String("href")) {
                    const QString href =
                        reader.readElementText(QXmlStreamReader::SkipChildElements).trimmed();
                    if (inside(dav, QLatin1String("current-user-principal")))
                        response.principal = href;
                    else if (inside(caldav, QLatin1String("calendar-home-set")))
                        response.home = href;
                    else if (!inside(dav, QLatin1String("propstat")))
                        response.href = href;
                    continue; // readElementText() consumed the end element
                } else if (ns == dav && name == QLatin1String("displayname")) {
                    response.name = reader.readElementText(QXmlStreamReader::SkipChildElements).trimmed();
                    continue;
                } else if (ns == apple && name == QLatin1String("calendar-color")) {
                    response.color = normalColor(reader.readElementText(QXmlStreamReader::SkipChildElements));
                    continue;
                }
            }
            path.append({ns, name});
        } else if (token == QXmlStreamReader::EndElement && !path.isEmpty()) {
            path.removeLast();
        }
    }
    return multistatus && !reader.hasError();
}
} // namespace DavXml

namespace {

constexpr int maxRedirects = 5;

const QByteArray principalBody =
    "<?xml version=\"1.0\" encoding=\"utf-8\"?>"
    "<d:propfind xmlns:d=\"DAV:\" xmlns:c=\"urn:ietf:params:xml:ns:caldav\"><d:prop>"
    "<d:current-user-principal/><c:calendar-home-set/></d:prop></d:propfind>";
const QByteArray collectionsBody =
    "<?xml version=\"1.0\" encoding=\"utf-8\"?>"
    "<d:propfind xmlns:d=\"DAV:\" xmlns:c=\"urn:ietf:params:xml:ns:caldav\" "
    "xmlns:a=\"http://apple.com/ns/ical/\">"
    "<d:prop><d:resourcetype/><d:displayname/><a:calendar-color/><c:supported-calendar-component-set/>"
    "</d:prop></d:propfind>";

bool isLoopback(const QString &host)
{
    const QHostAddress address(host);
    return host == QLatin1String("localhost") || (!address.isNull() && address.isLoopback());
}

CaldavDiscovery::Failure failureOf(QNetworkReply::NetworkError error)
{
    switch (error) {
    case QNetworkReply::SslHandshakeFailedError:
        return CaldavDiscovery::Failure::Tls;
    case QNetworkReply::AuthenticationRequiredError:
        return CaldavDiscovery::Failure::WrongCredentials;
    default:
        // Refused, no such host, timed out, closed: nothing that answers CalDAV is there.
        return error < QNetworkReply::ContentAccessDenied ? CaldavDiscovery::Failure::Unreachable
                                                          : CaldavDiscovery::Failure::NotCaldav;
    }
}

} // namespace

CaldavDiscovery::CaldavDiscovery(QObject *parent)
    : QObject(parent)
{
}

CaldavDiscovery::~CaldavDiscovery()
{
    cancel();
}

QUrl CaldavDiscovery::serviceUrl(const QString &address)
{
    const QString text = address.trimmed();
    if (text.isEmpty() || text.contains(QLatin1Char(' ')))
        return {};
    QUrl url = QUrl::fromUserInput(text);
    if (!text.contains(QLatin1String("://"))) {
        url.setScheme(isLoopback(url.host()) ? QStringLiteral("http") : QStringLiteral("https"));
        if (url.path() == QLatin1String("/"))
            url.setPath(QString());
    }
    if (!url.isValid() || url.host().isEmpty() ||
        (url.scheme() != QLatin1String("https") && url.scheme() != QLatin1String("http")))
        return {};
    url.setUserInfo(QString());
    return url;
}

bool CaldavDiscovery::isRunning() const
{
    return m_reply || m_lookup;
}

void CaldavDiscovery::start(const QString &address, const QString &user, const QString &password)
{
    cancel();
    ++m_round;
    m_calendars.clear();
    m_principal.clear();
    m_detail.clear();
    // One manager per run: a failed password must not stay in a cache the next try would use.
    m_network = std::make_unique<QNetworkAccessManager>();
    m_network->setStrictTransportSecurityEnabled(true);
    m_authorization = "Basic " + (user.toUtf8() + ':' + password.toUtf8()).toBase64();
    m_start = serviceUrl(address);
    if (!m_start.isValid()) {
        fail(Failure::BadAddress, address);
        return;
    }
    if (m_start.scheme() == QLatin1String("http") && !isLoopback(m_start.host())) {
        fail(Failure::PlainText, m_start.toString());
        return;
    }
    m_explicitPath = !m_start.path().isEmpty();
    const bool bareName = !m_explicitPath && m_start.port() == -1 && QHostAddress(m_start.host()).isNull() &&
                          !isLoopback(m_start.host());
    if (!bareName) {
        askContext(m_start);
        return;
    }
    // RFC 6764 section 3: the SRV record names the host and port of the service.
    m_lookup = new QDnsLookup(QDnsLookup::SRV, QStringLiteral("_caldavs._tcp.") + m_start.host(), this);
    const int round = m_round;
    connect(m_lookup, &QDnsLookup::finished, this, [this, round] {
        QDnsLookup *lookup = m_lookup;
        m_lookup = nullptr;
        lookup->deleteLater();
        if (round != m_round)
            return;
        QUrl url = m_start;
        const auto records = lookup->serviceRecords();
        if (lookup->error() == QDnsLookup::NoError && !records.isEmpty() &&
            records.first().target() != QLatin1String(".")) {
            url.setHost(records.first().target());
            url.setPort(records.first().port() == 443 ? -1 : records.first().port());
            qCDebug(lcAccounts).noquote() << "SRV record points to" << url.toString();
        }
        askContext(url);
    });
    m_lookup->lookup();
}

void CaldavDiscovery::cancel()
{
    ++m_round;
    if (m_lookup) {
        m_lookup->abort();
        m_lookup->deleteLater();
        m_lookup = nullptr;
    }
    if (m_reply) {
        QNetworkReply *reply = m_reply;
        m_reply = nullptr;
        reply->abort();
        reply->deleteLater();
    }
}

void CaldavDiscovery::askContext(const QUrl &url)
{
    QUrl context = url;
    if (!m_explicitPath)
        context.setPath(QStringLiteral("/.well-known/caldav"));
    propfind(context, 0, principalBody, Step::Context);
}

void CaldavDiscovery::propfind(const QUrl &url, int depth, const QByteArray &body, Step step)
{
    QNetworkRequest request(url);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::ManualRedirectPolicy);
    request.setTransferTimeout(timeoutMs);
    request.setHeader(QNetworkRequest::ContentTypeHeader, QByteArray("application/xml; charset=utf-8"));
    request.setRawHeader("Depth", QByteArray::number(depth));
    // The password goes only where nobody on the way can read it.
    if (url.scheme() == QLatin1String("https") || isLoopback(url.host()))
        request.setRawHeader("Authorization", m_authorization);
    QNetworkReply *reply = m_network->sendCustomRequest(request, "PROPFIND", body);
    m_reply = reply;
    const int round = m_round;
    reply->setProperty("redirects", 0);
    connect(reply, &QNetworkReply::finished, this, [this, reply, step, round] {
        reply->deleteLater();
        if (round != m_round)
            return;
        m_reply = nullptr;
        onReply(reply, step, reply->property("redirects").toInt());
    });
}

void CaldavDiscovery::onReply(QNetworkReply *reply, Step step, int redirects)
{
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    const QUrl url = reply->url();
    if (status >= 300 && status < 400 && status != 304) {
        // The raw header: Qt's parsed LocationHeader drops a relative "Location: /".
        const QUrl target = url.resolved(QUrl(QString::fromUtf8(reply->rawHeader("Location"))));
        const bool downgrade = url.scheme() == QLatin1String("https") && target.scheme() != url.scheme();
        if (redirects >= maxRedirects || !target.isValid() || downgrade) {
            fail(Failure::NotCaldav,
                 QStringLiteral("%1 redirects to %2").arg(url.toString(), target.toString()));
            return;
        }
        propfind(target, step == Step::Home ? 1 : 0, step == Step::Home ? collectionsBody : principalBody,
                 step);
        m_reply->setProperty("redirects", redirects + 1);
        return;
    }
    if (status == 401) {
        fail(Failure::WrongCredentials, QStringLiteral("%1 answers 401").arg(url.toString()));
        return;
    }
    if (reply->error() != QNetworkReply::NoError && status == 0) {
        fail(failureOf(reply->error()), reply->errorString());
        return;
    }
    QVector<DavXml::Response> responses;
    if (status == 207 && DavXml::parse(reply->readAll(), responses)) {
        onMultistatus(url, step, responses);
        return;
    }
    // No WebDAV where the well-known name points: RFC 6764 lets a client try the server's root.
    if (step == Step::Context && !m_explicitPath) {
        QUrl root = url;
        root.setPath(QStringLiteral("/"));
        propfind(root, 0, principalBody, Step::Root);
        return;
    }
    fail(Failure::NotCaldav,
         QStringLiteral("%1 answers HTTP %2 to PROPFIND").arg(url.toString()).arg(status));
}

void CaldavDiscovery::onMultistatus(const QUrl &url, Step step, const QVector<DavXml::Response> &responses)
{
    if (step == Step::Home) {
        for (const DavXml::Response &response : responses) {
            if (!response.calendar)
                continue;
            const bool events =
                response.components.isEmpty() || response.components.contains(QLatin1String("VEVENT"));
            if (!events && !response.components.contains(QLatin1String("VTODO")))
                continue; // journals only: nothing this widget shows
            DavCalendar calendar;
            calendar.url = url.resolved(QUrl(response.href));
            const QStringList segments = calendar.url.path().split(QLatin1Char('/'), Qt::SkipEmptyParts);
            calendar.collection =
                segments.isEmpty() ? QString() : QUrl::fromPercentEncoding(segments.last().toUtf8());
            calendar.name = response.name.isEmpty() ? calendar.collection : response.name;
            calendar.color = response.color;
            calendar.events = events;
            if (!calendar.collection.isEmpty())
                m_calendars.append(calendar);
        }
        Q_EMIT finished(Failure::None);
        return;
    }
    QString principal, home;
    for (const DavXml::Response &response : responses) {
        if (principal.isEmpty())
            principal = response.principal;
        if (home.isEmpty())
            home = response.home;
    }
    if (!home.isEmpty()) {
        m_principal = url.resolved(QUrl(principal.isEmpty() ? home : principal));
        propfind(url.resolved(QUrl(home)), 1, collectionsBody, Step::Home);
    } else if (!principal.isEmpty() && step != Step::Principal) {
        m_principal = url.resolved(QUrl(principal));
        propfind(m_principal, 0, principalBody, Step::Principal);
    } else if (step == Step::Context && !m_explicitPath) {
        QUrl root = url;
        root.setPath(QStringLiteral("/"));
        propfind(root, 0, principalBody, Step::Root);
    } else {
        fail(Failure::NotCaldav, QStringLiteral("%1 names no calendar home").arg(url.toString()));
    }
}

void CaldavDiscovery::fail(Failure failure, const QString &detail)
{
    m_detail = detail;
    m_calendars.clear();
    qCInfo(lcAccounts).noquote() << "discovery failed:" << detail;
    Q_EMIT finished(failure);
}
