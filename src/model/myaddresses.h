#ifndef SCHEDULE_MYADDRESSES_H
#define SCHEDULE_MYADDRESSES_H

#include <QString>
#include <QStringList>

// The user's own e-mail addresses, by which the data server finds the user among an invitation's
// attendees in the calendars that name no owner (files, folders and subscriptions): the settings
// window writes them to $XDG_CONFIG_HOME/tasklist-dataserver/server.conf, "[Identity] Addresses".
namespace MyAddresses {

[[nodiscard]] QStringList configured();
// False, with the reason in `error`, when the file cannot be written.
[[nodiscard]] bool setConfigured(const QStringList &addresses, QString *error);

// The addresses of a text as the user types them: separated by commas, semicolons or spaces,
// each trimmed of "mailto:" and angle brackets, lower case; what holds no "@" is left out.
[[nodiscard]] QStringList parse(const QString &text);
// An address as calendars write it ("mailto:Ann@Example.org") in the form parse() gives.
[[nodiscard]] QString normalized(const QString &address);

} // namespace MyAddresses

#endif
