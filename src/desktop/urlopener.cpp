#include "urlopener.h"

#include "desktoplog.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDesktopServices>
#include <QVariantMap>

namespace {

const QString portalService = QStringLiteral("org.freedesktop.portal.Desktop");

bool openHere(const QUrl &url)
{
    if (QDesktopServices::openUrl(url))
        return true;
    qCWarning(lcDesktop).noquote() << QStringLiteral("no program opens %1").arg(url.toString());
    return false;
}

} // namespace

namespace UrlOpener {

bool isOpenable(const QUrl &url)
{
    static const QStringList schemes{
        QStringLiteral("https"), QStringLiteral("http"),    QStringLiteral("mailto"),  QStringLiteral("tel"),
        QStringLiteral("geo"),   QStringLiteral("zoommtg"), QStringLiteral("msteams"), QStringLiteral("sip")};
    return url.isValid() && !url.isRelative() && schemes.contains(url.scheme().toLower());
}

void open(const QString &link, const QDBusConnection &bus)
{
    const QUrl url(link.trimmed());
    if (!isOpenable(url)) {
        qCWarning(lcDesktop).noquote()
            << QStringLiteral("%1 is not opened: not a link for another program").arg(url.toString());
        return;
    }
    QDBusMessage call = QDBusMessage::createMethodCall(
        portalService, QStringLiteral("/org/freedesktop/portal/desktop"),
        QStringLiteral("org.freedesktop.portal.OpenURI"), QStringLiteral("OpenURI"));
    call << QString() << link.trimmed() << QVariantMap();
    auto *watcher = new QDBusPendingCallWatcher(bus.asyncCall(call));
    QObject::connect(
        watcher, &QDBusPendingCallWatcher::finished, watcher, [url](QDBusPendingCallWatcher *done) {
            done->deleteLater();
            if (!done->isError()) {
                qCInfo(lcDesktop).noquote()
                    << QStringLiteral("opened %1 through the desktop portal").arg(url.toString());
                return;
            }
            // No portal on this desktop, or one without OpenURI.
            openHere(url);
        });
}

} // namespace UrlOpener
