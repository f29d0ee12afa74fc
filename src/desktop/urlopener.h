#ifndef SCHEDULE_URLOPENER_H
#define SCHEDULE_URLOPENER_H

#include <QDBusConnection>
#include <QUrl>

#include <functional>

// Opens a link (a meeting to join, a map, a link of a description) with the desktop's handler for
// it: through the desktop portal's OpenURI where one answers on the session bus, which hands it to
// the application the user chose (and works from a sandbox), else with QDesktopServices, which
// runs xdg-open. Never waits: the portal's answer arrives later, and only a failure is acted on.
namespace UrlOpener {

// False for a link no handler should get: empty, relative, or of a scheme that runs code here.
[[nodiscard]] bool isOpenable(const QUrl &url);
// The link goes to the portal as it was written, byte for byte: QUrl would rewrite its escapes.
// `done` is told once the link is handed on (or refused), for a program that ends then.
void open(const QString &link, const QDBusConnection &bus = QDBusConnection::sessionBus(),
          const std::function<void(bool opened)> &done = {});

} // namespace UrlOpener

#endif
