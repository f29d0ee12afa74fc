#ifndef DATASERVER_MEETINGLINKS_H
#define DATASERVER_MEETINGLINKS_H

#include <QString>
#include <QUrl>

namespace KCalendarCore {
class Incidence;
}

// The join links of online meetings, found the way invitations of the meeting services carry them.
namespace MeetingLinks {

// The link that joins the incidence's online meeting; empty where it has none. Looks, in this order, at
// X-GOOGLE-CONFERENCE and X-MICROSOFT-SKYPETEAMSMEETINGURL, the RFC 7986 CONFERENCE properties (a video
// one with an http(s) or known-meeting URI first), URL, LOCATION and the description (plain, then
// Outlook's X-ALT-DESC HTML).
[[nodiscard]] QString find(const KCalendarCore::Incidence &incidence);
// The first meeting link in a free text, plain or HTML (href="…" attributes, entities like &amp; decoded);
// empty where there is none. Safe Links unwrapped. The link keeps the text's own spelling.
[[nodiscard]] QString inText(const QString &text);
// Whether the URL is one of a known meeting service's join links.
[[nodiscard]] bool isMeetingLink(const QUrl &url);
// Outlook's Safe Links wrapper (https://*.safelinks.protection.outlook.com/?url=<encoded>&data=…) taken off;
// any other URL unchanged.
[[nodiscard]] QUrl unwrapped(const QUrl &url);

} // namespace MeetingLinks

#endif
