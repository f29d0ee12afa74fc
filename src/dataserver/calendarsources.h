#ifndef DATASERVER_CALENDARSOURCES_H
#define DATASERVER_CALENDARSOURCES_H

#include "calendaridentity.h"

#include <QByteArray>
#include <QString>
#include <QUrl>

// The kinds of calendar the server serves and what tells them apart: a file, a folder of one-event
// files (vdirsyncer's), and a subscription, a calendar fetched from a URL whose last good copy is
// a file of the server's cache, and a calendar of a desktop service (Evolution Data Server,
// Akonadi), whose components the service hands over. Another kind becomes one more Kind with its identity
// here.
namespace CalendarSources {

enum class Kind { File, Folder, Subscription, Eds, Akonadi };

// Whether a calendar of this kind is the desktop's, read and written through its service.
[[nodiscard]] bool fromDesktop(Kind kind);
// The service's name in messages: "Evolution" ("the Evolution calendar Work is read-only").
[[nodiscard]] QString serviceName(Kind kind);

// The location of an EDS calendar, made from its source's UID; never a path.
[[nodiscard]] QString edsLocation(const QString &sourceUid);
// The location of an Akonadi collection, "akonadi:<collection id>".
[[nodiscard]] QString akonadiLocation(const QString &collectionId);

// What a calendar says of itself in its VCALENDAR, before its first component.
struct Header
{
    QString name;              // X-WR-CALNAME or NAME
    QString color;             // COLOR or X-APPLE-CALENDAR-COLOR, normalised by colorOf()
    qint64 refreshSeconds = 0; // REFRESH-INTERVAL or X-PUBLISHED-TTL; 0 where it gives none
};
[[nodiscard]] Header headerOf(const QByteArray &data);

// "#rrggbb" for "#RGB", "#RRGGBB" and Apple's "#RRGGBBAA", a CSS name in lower case; empty for
// anything else, which no reader could show.
[[nodiscard]] QString colorOf(const QString &text);
// Seconds of an iCalendar duration ("PT1H", "P1D", "P1W"); 0 for text that is none.
[[nodiscard]] qint64 durationSeconds(const QString &text);

// The URL to fetch for an entry of calendars.conf or the command line (webcal:// is http://);
// an invalid one for an entry that is a path.
[[nodiscard]] QUrl subscriptionUrl(const QString &entry);
// Where a subscription's last good copy is kept: $XDG_CACHE_HOME/tasklist-dataserver/subscriptions/.
[[nodiscard]] QString cacheDirectory();
[[nodiscard]] QString cachePath(const QUrl &url);

// The identity of a calendar at `location` (a path, or a subscription's URL as listed), named by
// its header, or by a folder's vdirsyncer files, else by its location.
[[nodiscard]] CalendarIdentity identityOf(Kind kind, const QString &location, const QString &path,
                                          const Header &header);

} // namespace CalendarSources

#endif
