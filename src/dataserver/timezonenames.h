#ifndef DATASERVER_TIMEZONENAMES_H
#define DATASERVER_TIMEZONENAMES_H

#include <QByteArray>
#include <QStringList>

// Outlook and Exchange name their time zones with Windows names or the names their dialogs show
// ("Canberra, Melbourne, Sydney"); the library reads times under a TZID it cannot map as local
// time, without a word. This renames such TZIDs in a file's text to zones the library knows: the
// zone whose rules the file's VTIMEZONE of that name gives, else the Windows name's zone.
namespace TimeZoneNames {

// The text to hand to the library; `data` itself when every TZID is known already. The names with
// neither a definition nor a Windows zone go to `floating`: their times are left without a zone.
[[nodiscard]] QByteArray resolve(const QByteArray &data, QStringList *floating);

} // namespace TimeZoneNames

#endif
