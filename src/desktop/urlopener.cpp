#include "urlopener.h"

#include "desktoplog.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QProcess>
#include <QVariantMap>

namespace {

const QString portalService = QStringLiteral("org.freedesktop.portal.Desktop");

bool openHere(const QUrl &url)
{
    // Without a GUI application (nvx-calendar-desktop-widget --join-next) Qt has no platform to
    // ask: xdg-open is what it would run.
    const bool opened = qobject_cast<QGuiApplication *>(QCoreApplication::instance())
                            ? QDesktopServices::openUrl(url)
                            : QProcess::startDetached(QStringLiteral("xdg-open"), {url.toString()});
    if (opened)
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

void open(const QString &link, const QDBusConnection &bus, const std::function<void(bool)> &done)
{
    const QUrl url(link.trimmed());
    if (!isOpenable(url)) {
        qCWarning(lcDesktop).noquote()
            << QStringLiteral("%1 is not opened: not a link for another program").arg(url.toString());
        if (done)
            done(false);
        return;
    }
    QDBusMessage call = QDBusMessage::createMethodCall(
        portalService, QStringLiteral("/org/freedesktop/portal/desktop"),
        QStringLiteral("org.freedesktop.portal.OpenURI"), QStringLiteral("OpenURI"));
    call << QString() << link.trimmed() << QVariantMap();
    auto *watcher = new QDBusPendingCallWatcher(bus.asyncCall(call));
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, watcher,
                     [url, done](QDBusPendingCallWatcher *answer) {
                         answer->deleteLater();
                         // A portal that answers hands the link on itself; none on this desktop, or one
                         // without OpenURI, leaves it to Qt.
                         const bool opened = !answer->isError() || openHere(url);
                         if (done)
                             done(opened);
                     });
}

} // namespace UrlOpener
