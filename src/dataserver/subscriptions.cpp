#include "subscriptions.h"

#include "calendarcontract.h"
#include "calendarreader.h"
#include "calendarsources.h"
#include "serverlog.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QSaveFile>

struct Subscriptions::Feed
{
    QUrl url;
    QString path;
    QByteArray etag;
    QByteArray lastModified;
    QTimer timer;
    QNetworkReply *reply = nullptr;
    bool tooLarge = false;
    bool failing = false;
};

namespace {

QString validatorsPath(const QString &copy)
{
    return copy.left(copy.size() - 4) + QStringLiteral(".json");
}

qint64 minRefresh()
{
    bool ok = false;
    const qint64 seconds = qEnvironmentVariable("TASKLIST_DATASERVER_MIN_REFRESH").toLongLong(&ok);
    return ok && seconds > 0 ? seconds : Subscriptions::minRefreshSeconds;
}

// Publishers serve HTML error pages and login forms with 200: only a calendar may replace the copy.
bool isCalendar(const QByteArray &body)
{
    QByteArray start = body.left(256).trimmed();
    if (start.startsWith("\xef\xbb\xbf"))
        start = start.mid(3);
    return start.toUpper().startsWith("BEGIN:VCALENDAR") && body.toUpper().contains("END:VCALENDAR");
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

Subscriptions::Subscriptions(QObject *parent)
    : QObject(parent)
    , m_network(new QNetworkAccessManager(this))
{
    // TLS is verified against the system's certificates, QSslConfiguration's default.
    m_network->setRedirectPolicy(QNetworkRequest::NoLessSafeRedirectPolicy);
}

Subscriptions::~Subscriptions()
{
    for (const auto &feed : std::as_const(m_feeds)) {
        if (feed->reply) {
            feed->reply->disconnect(this);
            feed->reply->abort();
        }
    }
}

void Subscriptions::setFeeds(const QHash<QUrl, QString> &cachePaths)
{
    for (auto it = m_feeds.begin(); it != m_feeds.end();) {
        if (cachePaths.value(it.key()) == it.value()->path) {
            ++it;
            continue;
        }
        if (QNetworkReply *reply = it.value()->reply) {
            reply->disconnect(this);
            reply->abort();
            reply->deleteLater();
        }
        it = m_feeds.erase(it);
    }
    for (auto it = cachePaths.cbegin(); it != cachePaths.cend(); ++it) {
        if (m_feeds.contains(it.key()))
            continue;
        auto feed = std::make_shared<Feed>();
        feed->url = it.key();
        feed->path = it.value();
        const QJsonObject saved = QJsonDocument::fromJson(readFile(validatorsPath(feed->path))).object();
        // Validators of a copy that is gone would have the server answer 304 for nothing.
        if (QFileInfo::exists(feed->path) &&
            saved.value(QLatin1String("url")).toString() == feed->url.toString()) {
            feed->etag = saved.value(QLatin1String("etag")).toString().toLatin1();
            feed->lastModified = saved.value(QLatin1String("lastModified")).toString().toLatin1();
        }
        feed->timer.setSingleShot(true);
        Feed *raw = feed.get();
        connect(&feed->timer, &QTimer::timeout, this, [this, raw] { fetch(*raw); });
        m_feeds.insert(feed->url, feed);
        fetch(*feed);
    }
}

void Subscriptions::fetch(Feed &feed)
{
    if (feed.reply)
        return;
    QNetworkRequest request(feed.url);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    request.setMaximumRedirectsAllowed(maxRedirects);
    request.setTransferTimeout(timeoutMs);
    request.setHeader(QNetworkRequest::UserAgentHeader, QStringLiteral(DATASERVER_PROGRAM));
    if (!feed.etag.isEmpty())
        request.setRawHeader("If-None-Match", feed.etag);
    if (!feed.lastModified.isEmpty())
        request.setRawHeader("If-Modified-Since", feed.lastModified);
    feed.tooLarge = false;
    feed.reply = m_network->get(request);
    QNetworkReply *reply = feed.reply;
    Feed *raw = &feed;
    connect(reply, &QNetworkReply::downloadProgress, this, [raw, reply](qint64 received, qint64 total) {
        if (received > maxBytes || total > maxBytes) {
            raw->tooLarge = true;
            reply->abort();
        }
    });
    connect(reply, &QNetworkReply::finished, this, [this, raw, reply] { finished(*raw, reply); });
}

void Subscriptions::finished(Feed &feed, QNetworkReply *reply)
{
    reply->deleteLater();
    feed.reply = nullptr;
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (feed.tooLarge) {
        failed(feed, QStringLiteral("the calendar is larger than %1 MiB").arg(maxBytes / (1024 * 1024)));
    } else if (reply->error() != QNetworkReply::NoError) {
        failed(feed, status > 0
                         ? QStringLiteral("HTTP %1 %2")
                               .arg(status)
                               .arg(reply->attribute(QNetworkRequest::HttpReasonPhraseAttribute).toString())
                         : reply->errorString());
    } else if (status == 304) {
        succeeded(feed);
    } else {
        const QByteArray body = reply->readAll();
        QString why;
        if (body.size() > maxBytes)
            failed(feed, QStringLiteral("the calendar is larger than %1 MiB").arg(maxBytes / (1024 * 1024)));
        else if (!isCalendar(body))
            failed(feed, QStringLiteral("the answer is no iCalendar text"));
        else if (!store(feed, body, reply, why))
            failed(feed, why);
        else
            succeeded(feed);
    }
    schedule(feed);
}

void Subscriptions::succeeded(Feed &feed)
{
    if (!feed.failing)
        return;
    feed.failing = false;
    m_said.forget(feed.url.toString());
    qCInfo(lcDataServerSubscriptions).noquote()
        << QStringLiteral("%1: answers again; its copy is current").arg(feed.url.toString());
}

void Subscriptions::failed(Feed &feed, const QString &cause)
{
    feed.failing = true;
    if (!m_said.firstTime(feed.url.toString(), cause))
        return;
    const QFileInfo copy(feed.path);
    qCWarning(lcDataServerSubscriptions).noquote()
        << (copy.exists() ? QStringLiteral("%1: %2; serving the copy of %3")
                                .arg(feed.url.toString(), cause, copy.lastModified().toString(Qt::ISODate))
                          : QStringLiteral("%1: %2; nothing to serve until it answers")
                                .arg(feed.url.toString(), cause));
}

bool Subscriptions::store(Feed &feed, const QByteArray &body, QNetworkReply *reply, QString &why)
{
    const QByteArray etag = reply->rawHeader("ETag");
    const QByteArray lastModified = reply->rawHeader("Last-Modified");
    const bool changed = CalendarReader::digestOf(readFile(feed.path)) != CalendarReader::digestOf(body) ||
                         !QFileInfo::exists(feed.path);
    QDir().mkpath(QFileInfo(feed.path).absolutePath());
    if (changed) {
        QSaveFile out(feed.path);
        if (!out.open(QIODevice::WriteOnly) || out.write(body) != body.size() || !out.flush()) {
            why = QStringLiteral("%1: %2").arg(feed.path, out.errorString());
            out.cancelWriting();
            return false;
        }
        if (!out.commit()) {
            why = QStringLiteral("%1: %2").arg(feed.path, out.errorString());
            return false;
        }
    }
    if (etag != feed.etag || lastModified != feed.lastModified || changed) {
        feed.etag = etag;
        feed.lastModified = lastModified;
        QJsonObject saved;
        saved.insert(QStringLiteral("url"), feed.url.toString());
        saved.insert(QStringLiteral("etag"), QString::fromLatin1(etag));
        saved.insert(QStringLiteral("lastModified"), QString::fromLatin1(lastModified));
        QSaveFile out(validatorsPath(feed.path));
        const QByteArray text = QJsonDocument(saved).toJson(QJsonDocument::Compact);
        // The validators only spare a download: a copy without them is fetched whole next time.
        if (out.open(QIODevice::WriteOnly) && out.write(text) == text.size() && out.flush())
            (void)out.commit();
    }
    if (changed)
        Q_EMIT copyChanged(feed.path);
    return true;
}

void Subscriptions::schedule(Feed &feed)
{
    qint64 seconds = CalendarSources::headerOf(readFile(feed.path).left(64 * 1024)).refreshSeconds;
    if (seconds <= 0)
        seconds = defaultRefreshSeconds;
    seconds = qBound(minRefresh(), seconds, maxRefreshSeconds);
    feed.timer.start(int(seconds * 1000));
}
