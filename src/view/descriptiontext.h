#ifndef SCHEDULE_DESCRIPTIONTEXT_H
#define SCHEDULE_DESCRIPTIONTEXT_H

#include <QString>
#include <QUrl>

// What an event's own texts may show of themselves. Invitations come from anyone: their HTML is
// never handed to a rich text widget as it is, only the text and links made from it here.
namespace DescriptionText {

// The description as rich text for a QLabel: plain text, escaped, with line breaks and links.
// HTML (as Google and Outlook write it) keeps its text, its line breaks (<br>, <p>, <div>, <li>) and
// the links of its <a href> whose scheme is http, https, mailto or tel; images, scripts, styles and
// attributes go. URLs written in the text become links.
[[nodiscard]] QString toRichText(const QString &description);

// Where a location leads: "lat,lon" as a geo: URL, an http(s) or geo: URL itself, any other text as
// a geo: search for the address. Empty for an empty location.
[[nodiscard]] QUrl locationUrl(const QString &location);

// Whether a link of the event's texts may be followed: http and https with a host, mailto, tel.
[[nodiscard]] bool isSafeLink(const QUrl &url);

} // namespace DescriptionText

#endif
