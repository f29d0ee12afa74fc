#ifndef ACCOUNTS_CALDAVDISCOVERY_H
#define ACCOUNTS_CALDAVDISCOVERY_H

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QUrl>
#include <QVector>

#include <memory>

class QDnsLookup;
class QNetworkAccessManager;
class QNetworkReply;

// A calendar collection of a CalDAV account.
struct DavCalendar
{
    QUrl url;
    QString collection; // the last segment of its path: vdirsyncer's name for it
    QString name;
    QString color;      // "#rrggbb", or empty
    bool events = true; // false for a list of to-dos only
};

// What one multistatus answer says of each resource, as far as discovery needs it.
namespace DavXml {
struct Response
{
    QString href;
    QString principal; // current-user-principal
    QString home;      // calendar-home-set
    bool calendar = false;
    QString name;
    QString color;
    QStringList components; // supported-calendar-component-set; empty when not given
};
// False for text that is no WebDAV multistatus.
[[nodiscard]] bool parse(const QByteArray &xml, QVector<Response> &responses);
} // namespace DavXml

// Finds a CalDAV account's calendars from what a user types: a bare host ("cloud.example.org", with
// an optional port) or an address with a path ("https://cloud.example.org/remote.php/dav"). RFC
// 6764: the DNS SRV record _caldavs._tcp where the host has one, /.well-known/caldav, then the
// principal and its calendar home. One run at a time; asynchronous, nothing waits in a loop.
class CaldavDiscovery : public QObject
{
    Q_OBJECT
public:
    enum class Failure {
        None,
        BadAddress,
        PlainText,
        Unreachable,
        NotCaldav,
        WrongCredentials,
        Tls,
        Cancelled
    };
    Q_ENUM(Failure)

    explicit CaldavDiscovery(QObject *parent = nullptr);
    ~CaldavDiscovery() override;

    void start(const QString &address, const QString &user, const QString &password);
    void cancel();
    bool isRunning() const;

    // Valid after finished(): where vdirsyncer starts its own discovery, and what was found.
    QUrl principal() const { return m_principal; }
    QVector<DavCalendar> calendars() const { return m_calendars; }
    // The detail behind a failure (the network's error text, the HTTP status), for the log.
    QString detail() const { return m_detail; }

    // The first URL to ask: https:// for a bare host, except this machine's own, where a local
    // server listens on plain http. Invalid for text that is no address.
    [[nodiscard]] static QUrl serviceUrl(const QString &address);
    // Network calls give up after so long without progress.
    static constexpr int timeoutMs = 20000;

Q_SIGNALS:
    void finished(CaldavDiscovery::Failure failure);

private:
    enum class Step { Context, Root, Principal, Home };
    void askContext(const QUrl &url);
    void propfind(const QUrl &url, int depth, const QByteArray &body, Step step);
    void onReply(QNetworkReply *reply, Step step, int redirects);
    void onMultistatus(const QUrl &url, Step step, const QVector<DavXml::Response> &responses);
    void fail(Failure failure, const QString &detail);

    std::unique_ptr<QNetworkAccessManager> m_network;
    QPointer<QNetworkReply> m_reply;
    QPointer<QDnsLookup> m_lookup;
    QUrl m_start;
    bool m_explicitPath = false;
    QByteArray m_authorization;
    QUrl m_principal;
    QVector<DavCalendar> m_calendars;
    QString m_detail;
    int m_round = 0;
};

#endif
