#ifndef DATASERVER_SUBSCRIPTIONS_H
#define DATASERVER_SUBSCRIPTIONS_H

#include "warnonce.h"

#include <QHash>
#include <QObject>
#include <QTimer>
#include <QUrl>

#include <memory>

class QNetworkAccessManager;
class QNetworkReply;

// Keeps the last good copy of each subscribed calendar in the cache, fetched in the server's event
// loop: the copy is what the server reads and serves, so that a start without network serves the
// last one, and a failed refresh keeps it.
class Subscriptions : public QObject
{
    Q_OBJECT
public:
    explicit Subscriptions(QObject *parent = nullptr);
    ~Subscriptions() override;

    // Follows these URLs from now on, each kept in its cache path; new ones are fetched at once.
    void setFeeds(const QHash<QUrl, QString> &cachePaths);

    // A feed's own interval is kept within these bounds; TASKLIST_DATASERVER_MIN_REFRESH (seconds)
    // lowers the first, for the tests alone.
    static constexpr qint64 minRefreshSeconds = 15 * 60;
    static constexpr qint64 maxRefreshSeconds = 24 * 3600;
    static constexpr qint64 defaultRefreshSeconds = 3600;
    // A body past this is no calendar anyone publishes, and would hold the server's memory.
    static constexpr qint64 maxBytes = 16 * 1024 * 1024;
    static constexpr int timeoutMs = 60 * 1000;
    static constexpr int maxRedirects = 5;

Q_SIGNALS:
    // The copy at `cachePath` changed on disk.
    void copyChanged(const QString &cachePath);

private:
    struct Feed;
    void fetch(Feed &feed);
    void finished(Feed &feed, QNetworkReply *reply);
    void succeeded(Feed &feed);
    void failed(Feed &feed, const QString &cause);
    // Saves the copy and its validators; false, and why, when the disk refused.
    [[nodiscard]] bool store(Feed &feed, const QByteArray &body, QNetworkReply *reply, QString &why);
    void schedule(Feed &feed);

    QNetworkAccessManager *m_network;
    QHash<QUrl, std::shared_ptr<Feed>> m_feeds;
    WarnOnce m_said;
};

#endif
