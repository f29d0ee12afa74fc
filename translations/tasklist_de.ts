<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
<context>
    <name>AccountSetup</name>
    <message>
        <source>“%1” is not a server address.</source>
        <translation>„%1“ ist keine Serveradresse.</translation>
    </message>
    <message>
        <source>%1 is not encrypted: the password would cross the network readable. Use https://.</source>
        <translation>%1 ist nicht verschlüsselt: Das Passwort ginge lesbar durch das Netz. Verwenden Sie https://.</translation>
    </message>
    <message>
        <source>The server %1 cannot be reached. Check the address and the network.</source>
        <translation>Der Server %1 ist nicht erreichbar. Prüfen Sie die Adresse und das Netzwerk.</translation>
    </message>
    <message>
        <source>%1 answers, but it is not a CalDAV server. Try the CalDAV address your provider gives.</source>
        <translation>%1 antwortet, ist aber kein CalDAV-Server. Versuchen Sie die CalDAV-Adresse, die Ihr Anbieter angibt.</translation>
    </message>
    <message>
        <source>Wrong user name or password. iCloud, Fastmail and others need an app password here.</source>
        <translation>Falscher Benutzername oder falsches Passwort. iCloud, Fastmail und andere verlangen hier ein App-Passwort.</translation>
    </message>
    <message>
        <source>The server&apos;s TLS certificate is not to be trusted (expired, self-signed or for another name).</source>
        <translation>Dem TLS-Zertifikat des Servers ist nicht zu trauen (abgelaufen, selbst signiert oder für einen anderen Namen).</translation>
    </message>
    <message>
        <source>Adding the account was cancelled.</source>
        <translation>Das Hinzufügen des Kontos wurde abgebrochen.</translation>
    </message>
    <message>
        <source>Connecting to %1…</source>
        <translation>Verbindung zu %1 wird hergestellt …</translation>
    </message>
    <message numerus="yes">
        <source>Found %n calendar(s); keeping the password in the keyring…</source>
        <translation>
            <numerusform>%n Kalender gefunden; das Passwort wird im Schlüsselbund abgelegt …</numerusform>
            <numerusform>%n Kalender gefunden; das Passwort wird im Schlüsselbund abgelegt …</numerusform>
        </translation>
    </message>
    <message>
        <source>Calendar account %1 at %2</source>
        <translation>Kalenderkonto %1 auf %2</translation>
    </message>
    <message>
        <source>No keyring (Secret Service) runs on this desktop, and the password is never kept in a file: the account is not added. Start GNOME Keyring, KWallet or KeePassXC&apos;s Secret Service, then try again.</source>
        <translation>Auf dieser Arbeitsumgebung läuft kein Schlüsselbund (Secret Service), und das Passwort wird nie in einer Datei abgelegt: Das Konto wird nicht hinzugefügt. Starten Sie GNOME Keyring, KWallet oder den Secret Service von KeePassXC und versuchen Sie es dann erneut.</translation>
    </message>
    <message>
        <source>The keyring did not take the password: %1</source>
        <translation>Der Schlüsselbund hat das Passwort nicht angenommen: %1</translation>
    </message>
    <message>
        <source>Cannot save the account: %1</source>
        <translation>Das Konto kann nicht gespeichert werden: %1</translation>
    </message>
    <message numerus="yes">
        <source>Found %n calendar(s); first sync…</source>
        <translation>
            <numerusform>%n Kalender gefunden; erster Abgleich …</numerusform>
            <numerusform>%n Kalender gefunden; erster Abgleich …</numerusform>
        </translation>
    </message>
    <message>
        <source>The password goes to the keyring through secret-tool, which is not installed: the account is not added. Install the libsecret-tools package, then try again.</source>
        <translation>Das Passwort kommt über secret-tool in den Schlüsselbund, und secret-tool ist nicht installiert: Das Konto wird nicht hinzugefügt. Installieren Sie das Paket libsecret-tools und versuchen Sie es dann erneut.</translation>
    </message>
</context>
<context>
    <name>AccountsSection</name>
    <message>
        <source>Add account</source>
        <translation>Konto hinzufügen</translation>
    </message>
    <message>
        <source>Remove account</source>
        <translation>Konto entfernen</translation>
    </message>
    <message>
        <source>&amp;Online accounts</source>
        <translation>&amp;Online-Konten</translation>
    </message>
    <message>
        <source>Server, e.g. cloud.example.org</source>
        <translation>Server, z. B. cloud.example.org</translation>
    </message>
    <message>
        <source>Server address</source>
        <translation>Serveradresse</translation>
    </message>
    <message>
        <source>User name</source>
        <translation>Benutzername</translation>
    </message>
    <message>
        <source>Password or app password</source>
        <translation>Passwort oder App-Passwort</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>Passwort</translation>
    </message>
    <message>
        <source>Online accounts and their calendars</source>
        <translation>Online-Konten und ihre Kalender</translation>
    </message>
    <message>
        <source>The password could not be taken out of the keyring: %1</source>
        <translation>Das Passwort konnte nicht aus dem Schlüsselbund entfernt werden: %1</translation>
    </message>
    <message>
        <source>Enter the server&apos;s address, your user name and your password.</source>
        <translation>Geben Sie die Adresse des Servers, Ihren Benutzernamen und Ihr Passwort ein.</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Cannot remove the account: %1</source>
        <translation>Das Konto kann nicht entfernt werden: %1</translation>
    </message>
    <message>
        <source>The account %1 is removed.</source>
        <translation>Das Konto %1 wurde entfernt.</translation>
    </message>
    <message>
        <source>Cannot change the account: %1</source>
        <translation>Das Konto kann nicht geändert werden: %1</translation>
    </message>
    <message>
        <source>%1 at %2</source>
        <translation>%1 auf %2</translation>
    </message>
    <message>
        <source>%1 at %2 — sync failed: %3</source>
        <translation>%1 auf %2 – Abgleich fehlgeschlagen: %3</translation>
    </message>
    <message>
        <source>%1 (to-dos)</source>
        <translation>%1 (Aufgaben)</translation>
    </message>
    <message numerus="yes">
        <source>%1: %n calendar(s) synced.</source>
        <translation>
            <numerusform>%1: %n Kalender abgeglichen.</numerusform>
            <numerusform>%1: %n Kalender abgeglichen.</numerusform>
        </translation>
    </message>
    <message>
        <source>The first sync failed: %1</source>
        <translation>Der erste Abgleich ist fehlgeschlagen: %1</translation>
    </message>
    <message>
        <source>The password could not be taken out of the keyring: secret-tool (the libsecret-tools package) is not installed.</source>
        <translation>Das Passwort konnte nicht aus dem Schlüsselbund entfernt werden: secret-tool (Paket libsecret-tools) ist nicht installiert.</translation>
    </message>
</context>
<context>
    <name>EventActions</name>
    <message>
        <source>&amp;Undo</source>
        <translation>&amp;Rückgängig</translation>
    </message>
    <message>
        <source>New event…</source>
        <translation>Neuer Termin …</translation>
    </message>
    <message>
        <source>“%1” deleted.</source>
        <translation>„%1“ gelöscht.</translation>
    </message>
    <message>
        <source>“%1” was not deleted: its calendar is read-only.</source>
        <translation>„%1“ wurde nicht gelöscht: Sein Kalender ist schreibgeschützt.</translation>
    </message>
    <message>
        <source>“%1” could not be deleted.</source>
        <translation>„%1“ konnte nicht gelöscht werden.</translation>
    </message>
    <message>
        <source>Your answer to “%1” was not saved: its calendar is read-only.</source>
        <translation>Ihre Antwort auf „%1“ wurde nicht gespeichert: Der Kalender ist schreibgeschützt.</translation>
    </message>
    <message>
        <source>Your answer to “%1” could not be saved.</source>
        <translation>Ihre Antwort auf „%1“ konnte nicht gespeichert werden.</translation>
    </message>
    <message>
        <source>Your answer to “%1” could not be sent.</source>
        <translation>Ihre Antwort auf „%1“ konnte nicht gesendet werden.</translation>
    </message>
    <message>
        <source>“%1” completed.</source>
        <translation>„%1“ erledigt.</translation>
    </message>
    <message>
        <source>“%1” open again.</source>
        <translation>„%1“ wieder offen.</translation>
    </message>
    <message>
        <source>“%1” is ticked here alone: its calendar is read-only.</source>
        <translation>„%1“ ist nur hier abgehakt: Der Kalender ist schreibgeschützt.</translation>
    </message>
    <message>
        <source>“%1” could not be completed in its calendar.</source>
        <translation>„%1“ konnte in ihrem Kalender nicht erledigt werden.</translation>
    </message>
    <message>
        <source>“%1” could not be opened again in its calendar.</source>
        <translation>„%1“ konnte in ihrem Kalender nicht wieder geöffnet werden.</translation>
    </message>
</context>
<context>
    <name>EventEditor</name>
    <message>
        <source>No reminder</source>
        <translation>Keine Erinnerung</translation>
    </message>
    <message>
        <source>On the day</source>
        <translation>Am selben Tag</translation>
    </message>
    <message numerus="yes">
        <source>%n week(s) before</source>
        <translation>
            <numerusform>%n Woche vorher</numerusform>
            <numerusform>%n Wochen vorher</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n day(s) before</source>
        <translation>
            <numerusform>%n Tag vorher</numerusform>
            <numerusform>%n Tage vorher</numerusform>
        </translation>
    </message>
    <message>
        <source>At the start</source>
        <translation>Zu Beginn</translation>
    </message>
    <message numerus="yes">
        <source>%n hour(s) before</source>
        <translation>
            <numerusform>%n Stunde vorher</numerusform>
            <numerusform>%n Stunden vorher</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n minute(s) before</source>
        <translation>
            <numerusform>%n Minute vorher</numerusform>
            <numerusform>%n Minuten vorher</numerusform>
        </translation>
    </message>
    <message>
        <source>This calendar is read-only (a subscription, or one its owner keeps read-only): the event cannot be saved in it.</source>
        <translation>Dieser Kalender ist schreibgeschützt (ein Abonnement, oder sein Besitzer hält ihn schreibgeschützt): Der Termin kann darin nicht gespeichert werden.</translation>
    </message>
    <message>
        <source>Another program changed this calendar a moment ago. It has been read again: press Save to try once more.</source>
        <translation>Ein anderes Programm hat diesen Kalender gerade geändert. Er wurde neu eingelesen: Klicken Sie auf „Speichern“, um es noch einmal zu versuchen.</translation>
    </message>
    <message>
        <source>This event is no longer in its calendar: it was deleted elsewhere.</source>
        <translation>Dieser Termin ist nicht mehr in seinem Kalender: Er wurde anderswo gelöscht.</translation>
    </message>
    <message>
        <source>The calendar service does not answer, so nothing was saved. Try again once it is back.</source>
        <translation>Der Kalenderdienst antwortet nicht, daher wurde nichts gespeichert. Versuchen Sie es erneut, sobald er wieder da ist.</translation>
    </message>
    <message>
        <source>The calendar cannot hold the event as it is: check its times and text.</source>
        <translation>Der Kalender kann den Termin so nicht aufnehmen: Prüfen Sie seine Zeiten und seinen Text.</translation>
    </message>
    <message>
        <source>The calendar could not be written, so nothing was saved.</source>
        <translation>Der Kalender konnte nicht geschrieben werden, daher wurde nichts gespeichert.</translation>
    </message>
    <message>
        <source>Give the event a title.</source>
        <translation>Geben Sie dem Termin einen Titel.</translation>
    </message>
    <message>
        <source>The event ends before it starts.</source>
        <translation>Der Termin endet, bevor er beginnt.</translation>
    </message>
    <message>
        <source>The repetition ends before the event starts.</source>
        <translation>Die Wiederholung endet, bevor der Termin beginnt.</translation>
    </message>
    <message>
        <source>New event</source>
        <translation>Neuer Termin</translation>
    </message>
    <message>
        <source>Edit event</source>
        <translation>Termin bearbeiten</translation>
    </message>
    <message>
        <source>Title</source>
        <translation>Titel</translation>
    </message>
    <message>
        <source>&amp;All day</source>
        <translation>&amp;Ganztägig</translation>
    </message>
    <message>
        <source>All day</source>
        <translation>Ganztägig</translation>
    </message>
    <message>
        <source>Reminder</source>
        <translation>Erinnerung</translation>
    </message>
    <message>
        <source>Reminder time</source>
        <translation>Uhrzeit der Erinnerung</translation>
    </message>
    <message>
        <source>Calendar</source>
        <translation>Kalender</translation>
    </message>
    <message>
        <source>Description</source>
        <translation>Beschreibung</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Speichern</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>&amp;Title</source>
        <translation>&amp;Titel</translation>
    </message>
    <message>
        <source>&amp;Reminder</source>
        <translation>E&amp;rinnerung</translation>
    </message>
    <message>
        <source>Ca&amp;lendar</source>
        <translation>&amp;Kalender</translation>
    </message>
    <message>
        <source>&amp;Description</source>
        <translation>Beschreib&amp;ung</translation>
    </message>
    <message>
        <source>Start date</source>
        <translation>Beginndatum</translation>
    </message>
    <message>
        <source>Start time</source>
        <translation>Beginnzeit</translation>
    </message>
    <message>
        <source>End date</source>
        <translation>Enddatum</translation>
    </message>
    <message>
        <source>End time</source>
        <translation>Endzeit</translation>
    </message>
    <message>
        <source>&amp;Starts</source>
        <translation>&amp;Beginn</translation>
    </message>
    <message>
        <source>&amp;Ends</source>
        <translation>&amp;Ende</translation>
    </message>
    <message>
        <source>Repeat</source>
        <translation>Wiederholen</translation>
    </message>
    <message>
        <source>Does not repeat</source>
        <translation>Keine Wiederholung</translation>
    </message>
    <message>
        <source>Daily</source>
        <translation>Täglich</translation>
    </message>
    <message>
        <source>Every workday</source>
        <translation>Jeden Werktag</translation>
    </message>
    <message>
        <source>Weekly</source>
        <translation>Wöchentlich</translation>
    </message>
    <message>
        <source>Monthly</source>
        <translation>Monatlich</translation>
    </message>
    <message>
        <source>Yearly</source>
        <translation>Jährlich</translation>
    </message>
    <message>
        <source>Repetition ends</source>
        <translation>Wiederholung endet</translation>
    </message>
    <message>
        <source>Never</source>
        <translation>Nie</translation>
    </message>
    <message>
        <source>After</source>
        <translation>Nach</translation>
    </message>
    <message>
        <source>On</source>
        <translation>Am</translation>
    </message>
    <message>
        <source>Number of times</source>
        <translation>Anzahl der Wiederholungen</translation>
    </message>
    <message>
        <source> times</source>
        <translation> Mal</translation>
    </message>
    <message>
        <source>Last date</source>
        <translation>Letztes Datum</translation>
    </message>
    <message>
        <source>Re&amp;peat</source>
        <translation>&amp;Wiederholen</translation>
    </message>
    <message>
        <source>This event repeats. Change only this occurrence, or all of them?</source>
        <translation>Dieser Termin wiederholt sich. Nur dieses Vorkommen ändern oder alle?</translation>
    </message>
    <message>
        <source>&amp;Only this one</source>
        <translation>&amp;Nur dieses</translation>
    </message>
    <message>
        <source>Only this occurrence</source>
        <translation>Nur dieses Vorkommen</translation>
    </message>
    <message>
        <source>All occurrences</source>
        <translation>Alle Vorkommen</translation>
    </message>
    <message>
        <source>Sa&amp;ve</source>
        <translation>&amp;Speichern</translation>
    </message>
    <message>
        <source>All o&amp;ccurrences</source>
        <translation>&amp;Alle Vorkommen</translation>
    </message>
</context>
<context>
    <name>GlobalShortcut</name>
    <message>
        <source>Calendar widget</source>
        <translation>Kalender-Widget</translation>
    </message>
    <message>
        <source>Show the panel and give it the keyboard</source>
        <translation>Das Panel zeigen und ihm die Tastatur geben</translation>
    </message>
    <message>
        <source>Show the calendar panel and give it the keyboard</source>
        <translation>Das Kalender-Panel zeigen und ihm die Tastatur geben</translation>
    </message>
</context>
<context>
    <name>JoinNext</name>
    <message>
        <source>The calendar data server does not answer.</source>
        <translation>Der Kalenderdatenserver antwortet nicht.</translation>
    </message>
    <message>
        <source>No meeting is running or begins in the next 10 minutes.</source>
        <translation>Keine Besprechung läuft gerade oder beginnt in den nächsten 10 Minuten.</translation>
    </message>
    <message>
        <source>Joining “%1”: %2</source>
        <translation>„%1“ beitreten: %2</translation>
    </message>
    <message>
        <source>No program opens the meeting&apos;s link.</source>
        <translation>Kein Programm öffnet den Link der Besprechung.</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Overview</source>
        <translation>Übersicht</translation>
    </message>
    <message>
        <source>Open calendar</source>
        <translation>Kalender öffnen</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>Recent days</source>
        <translation>Letzte Tage</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>%1, week %2</source>
        <extracomment>The day button&apos;s tooltip: the date, then the ISO week number</extracomment>
        <translation>%1, Woche %2</translation>
    </message>
    <message>
        <source>Week %1</source>
        <translation>Woche %1</translation>
    </message>
</context>
<context>
    <name>ReminderRules</name>
    <message>
        <source>%1, all day</source>
        <translation>%1, ganztägig</translation>
    </message>
    <message numerus="yes">
        <source>Began at %1, %n minute(s) ago</source>
        <translation>
            <numerusform>Beginn: %1, vor %n Minute</numerusform>
            <numerusform>Beginn: %1, vor %n Minuten</numerusform>
        </translation>
    </message>
    <message>
        <source>Begins at %1</source>
        <translation>Beginn: %1</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Öffnen</translation>
    </message>
    <message>
        <source>Snooze</source>
        <translation>Schlummern</translation>
    </message>
    <message>
        <source>Dismiss</source>
        <translation>Verwerfen</translation>
    </message>
    <message>
        <source>Join</source>
        <translation>Beitreten</translation>
    </message>
</context>
<context>
    <name>SettingsWindow</name>
    <message>
        <source>Start when I log in</source>
        <translation>Beim Anmelden starten</translation>
    </message>
    <message>
        <source>Keep the widget where I put it</source>
        <translation>Position auf der Arbeitsfläche merken</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>&amp;Colours</source>
        <translation>&amp;Farben</translation>
    </message>
    <message>
        <source>Cannot change the start at login: %1</source>
        <translation>Der Start beim Anmelden kann nicht geändert werden: %1</translation>
    </message>
    <message>
        <source>Colours</source>
        <translation>Farben</translation>
    </message>
    <message>
        <source>Follow the desktop</source>
        <translation>Wie die Arbeitsumgebung</translation>
    </message>
    <message>
        <source>Light</source>
        <translation>Hell</translation>
    </message>
    <message>
        <source>Dark</source>
        <translation>Dunkel</translation>
    </message>
    <message>
        <source>Calendars</source>
        <translation>Kalender</translation>
    </message>
    <message>
        <source>Add file…</source>
        <translation>Datei hinzufügen …</translation>
    </message>
    <message>
        <source>Add folder…</source>
        <translation>Ordner hinzufügen …</translation>
    </message>
    <message>
        <source>Add URL…</source>
        <translation>URL hinzufügen …</translation>
    </message>
    <message>
        <source>Subscribe to a calendar</source>
        <translation>Kalender abonnieren</translation>
    </message>
    <message>
        <source>Address (https:// or webcal://):</source>
        <translation>Adresse (https:// oder webcal://):</translation>
    </message>
    <message>
        <source>%1 is not an https://, http:// or webcal:// address</source>
        <translation>%1 ist keine https://-, http://- oder webcal://-Adresse</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Entfernen</translation>
    </message>
    <message>
        <source>C&amp;alendars</source>
        <translation>&amp;Kalender</translation>
    </message>
    <message>
        <source>tasklist-dataserver serves these calendars when it starts.</source>
        <translation>tasklist-dataserver stellt diese Kalender beim Start bereit.</translation>
    </message>
    <message>
        <source>tasklist-dataserver serves these calendars; changes apply at once.</source>
        <translation>tasklist-dataserver stellt diese Kalender bereit; Änderungen gelten sofort.</translation>
    </message>
    <message>
        <source>The calendars are served by %1; change them there.</source>
        <translation>Die Kalender werden von %1 bereitgestellt; ändern Sie sie dort.</translation>
    </message>
    <message>
        <source>Add a calendar file</source>
        <translation>Kalenderdatei hinzufügen</translation>
    </message>
    <message>
        <source>iCalendar files (*.ics)</source>
        <translation>iCalendar-Dateien (*.ics)</translation>
    </message>
    <message>
        <source>Add a folder of calendar files</source>
        <translation>Ordner mit Kalenderdateien hinzufügen</translation>
    </message>
    <message>
        <source>Cannot add the calendar: %1</source>
        <translation>Der Kalender kann nicht hinzugefügt werden: %1</translation>
    </message>
    <message>
        <source>Cannot remove the calendar: %1</source>
        <translation>Der Kalender kann nicht entfernt werden: %1</translation>
    </message>
    <message>
        <source>tasklist-dataserver serves the calendars of its command line now; it serves these when it starts without any.</source>
        <translation>tasklist-dataserver stellt zurzeit die Kalender seiner Befehlszeile bereit; diese stellt er bereit, wenn er ohne Kalender gestartet wird.</translation>
    </message>
    <message>
        <source>Cannot save the settings: %1</source>
        <translation>Die Einstellungen können nicht gespeichert werden: %1</translation>
    </message>
    <message>
        <source>Remind me of my tasks</source>
        <translation>An meine Aufgaben erinnern</translation>
    </message>
    <message>
        <source>Snooze length in minutes</source>
        <translation>Schlummerdauer in Minuten</translation>
    </message>
    <message>
        <source> min</source>
        <translation> Min.</translation>
    </message>
    <message>
        <source>Play the alarm sound</source>
        <translation>Erinnerungston abspielen</translation>
    </message>
    <message>
        <source>Remind of calendars the desktop already reminds of</source>
        <translation>Auch an Kalender erinnern, an die die Arbeitsumgebung schon erinnert</translation>
    </message>
    <message>
        <source>This applies to the desktop&apos;s (Evolution) calendars, whose own alarm service reminds of them already.</source>
        <translation>Das betrifft die Kalender der Arbeitsumgebung (Evolution), an die deren eigener Erinnerungsdienst bereits erinnert.</translation>
    </message>
    <message>
        <source>S&amp;nooze for</source>
        <translation>&amp;Schlummern für</translation>
    </message>
    <message>
        <source>&amp;Reminders</source>
        <translation>&amp;Erinnerungen</translation>
    </message>
    <message>
        <source>Calendars shown in the widget</source>
        <translation>Im Widget gezeigte Kalender</translation>
    </message>
    <message>
        <source>Sho&amp;wn in the widget</source>
        <translation>Im &amp;Widget gezeigt</translation>
    </message>
    <message>
        <source>The calendars are listed here while the data server runs.</source>
        <translation>Die Kalender werden hier aufgeführt, während der Datenserver läuft.</translation>
    </message>
    <message>
        <source>Dates and times</source>
        <translation>Datum und Uhrzeit</translation>
    </message>
    <message>
        <source>%1 (as ever)</source>
        <translation>%1 (wie bisher)</translation>
    </message>
    <message>
        <source>%1 (as my language has it)</source>
        <translation>%1 (wie in meiner Sprache)</translation>
    </message>
    <message>
        <source>%1 (24-hour)</source>
        <translation>%1 (24 Stunden)</translation>
    </message>
    <message>
        <source>%1 (12-hour)</source>
        <translation>%1 (12 Stunden)</translation>
    </message>
    <message>
        <source>Background opacity</source>
        <translation>Deckkraft des Hintergrunds</translation>
    </message>
    <message>
        <source>Text as large as the desktop&apos;s</source>
        <translation>Text so groß wie auf der Arbeitsfläche</translation>
    </message>
    <message>
        <source>Text size in points</source>
        <translation>Textgröße in Punkt</translation>
    </message>
    <message>
        <source>&amp;Dates and times</source>
        <translation>&amp;Datum und Uhrzeit</translation>
    </message>
    <message>
        <source>&amp;Text size</source>
        <translation>&amp;Textgröße</translation>
    </message>
    <message>
        <source>&amp;Background opacity</source>
        <translation>Deckkraft des &amp;Hintergrunds</translation>
    </message>
    <message>
        <source>Online accounts cannot be added here: their module (%1) is not installed or does not load.</source>
        <translation>Online-Konten können hier nicht hinzugefügt werden: ihr Modul (%1) ist nicht installiert oder lässt sich nicht laden.</translation>
    </message>
    <message>
        <source>Invitations I declined</source>
        <translation>Abgelehnte Einladungen</translation>
    </message>
    <message>
        <source>Hidden</source>
        <translation>Ausgeblendet</translation>
    </message>
    <message>
        <source>Shown faintly</source>
        <translation>Blass angezeigt</translation>
    </message>
    <message>
        <source>Shown</source>
        <translation>Angezeigt</translation>
    </message>
    <message>
        <source>name@example.org</source>
        <translation>name@example.org</translation>
    </message>
    <message>
        <source>Invitations in calendar files and subscriptions name you by these addresses; online accounts and the desktop&apos;s calendars know theirs.</source>
        <translation>Einladungen in Kalenderdateien und Abonnements nennen Sie mit diesen Adressen; Online-Konten und die Kalender des Desktops kennen ihre eigenen.</translation>
    </message>
    <message>
        <source>&amp;Invitations I declined</source>
        <translation>&amp;Abgelehnte Einladungen</translation>
    </message>
    <message>
        <source>My &amp;e-mail addresses</source>
        <translation>Meine &amp;E-Mail-Adressen</translation>
    </message>
    <message>
        <source>List to-dos without a date</source>
        <translation>Aufgaben ohne Datum auflisten</translation>
    </message>
    <message>
        <source>With the overview&apos;s first day, after the tasks that have a date.</source>
        <translation>Beim ersten Tag der Übersicht, nach den Aufgaben mit Datum.</translation>
    </message>
    <message>
        <source>Show the &amp;week number in the overview</source>
        <translation>&amp;Wochennummer in der Übersicht zeigen</translation>
    </message>
    <message>
        <source>Key that gives the panel the keyboard</source>
        <translation>Taste, die dem Panel die Tastatur gibt</translation>
    </message>
    <message>
        <source>Anywhere on the desktop, where it offers global shortcuts; elsewhere bind a key of the desktop&apos;s to nvx-calendar-desktop-widget --focus.</source>
        <translation>Überall auf dem Desktop, wo er globale Tastenkürzel bietet; sonst eine Taste des Desktops an nvx-calendar-desktop-widget --focus binden.</translation>
    </message>
    <message>
        <source>&amp;Keyboard</source>
        <translation>&amp;Tastatur</translation>
    </message>
    <message>
        <source>The desktop&apos;s calendars: GNOME (Evolution)</source>
        <translation>Die Kalender der Arbeitsumgebung: GNOME (Evolution)</translation>
    </message>
    <message>
        <source>The desktop&apos;s calendars: KDE (Akonadi)</source>
        <translation>Die Kalender der Arbeitsumgebung: KDE (Akonadi)</translation>
    </message>
</context>
<context>
    <name>TaskDetails</name>
    <message>
        <source>Accepted</source>
        <translation>Zugesagt</translation>
    </message>
    <message>
        <source>Tentative</source>
        <translation>Vorläufig</translation>
    </message>
    <message>
        <source>Declined</source>
        <translation>Abgesagt</translation>
    </message>
    <message>
        <source>Delegated</source>
        <translation>Delegiert</translation>
    </message>
    <message>
        <source>Not answered</source>
        <translation>Nicht beantwortet</translation>
    </message>
    <message>
        <source>You accepted</source>
        <translation>Sie haben zugesagt</translation>
    </message>
    <message>
        <source>You said maybe</source>
        <translation>Sie haben vielleicht gesagt</translation>
    </message>
    <message>
        <source>You declined</source>
        <translation>Sie haben abgesagt</translation>
    </message>
    <message>
        <source>You have not answered</source>
        <translation>Sie haben nicht geantwortet</translation>
    </message>
    <message>
        <source>Event details</source>
        <translation>Termindetails</translation>
    </message>
    <message>
        <source>Title</source>
        <translation>Titel</translation>
    </message>
    <message>
        <source>Date and time</source>
        <translation>Datum und Uhrzeit</translation>
    </message>
    <message>
        <source>Location</source>
        <translation>Ort</translation>
    </message>
    <message>
        <source>Calendar</source>
        <translation>Kalender</translation>
    </message>
    <message>
        <source>Your reply</source>
        <translation>Ihre Antwort</translation>
    </message>
    <message>
        <source>Read-only calendar</source>
        <translation>Schreibgeschützter Kalender</translation>
    </message>
    <message>
        <source>This calendar is read-only: your answer cannot be saved here.</source>
        <translation>Dieser Kalender ist schreibgeschützt: Ihre Antwort kann hier nicht gespeichert werden.</translation>
    </message>
    <message>
        <source>Accept</source>
        <translation>Zusagen</translation>
    </message>
    <message>
        <source>Maybe</source>
        <translation>Vielleicht</translation>
    </message>
    <message>
        <source>Decline</source>
        <translation>Absagen</translation>
    </message>
    <message>
        <source>Join</source>
        <translation>Beitreten</translation>
    </message>
    <message>
        <source>Join the online meeting</source>
        <translation>Der Online-Besprechung beitreten</translation>
    </message>
    <message>
        <source>Open in calendar</source>
        <translation>Im Kalender öffnen</translation>
    </message>
    <message>
        <source>Edit…</source>
        <translation>Bearbeiten …</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>Bearbeiten</translation>
    </message>
    <message>
        <source>Organizer and attendees</source>
        <translation>Organisator und Teilnehmer</translation>
    </message>
    <message>
        <source>Description</source>
        <translation>Beschreibung</translation>
    </message>
    <message>
        <source>Organizer: %1</source>
        <translation>Organisator: %1</translation>
    </message>
    <message>
        <source>Show all %1</source>
        <translation>Alle %1 anzeigen</translation>
    </message>
    <message>
        <source>%1, week %2</source>
        <extracomment>The details&apos; date and time, then the ISO week number of the begin</extracomment>
        <translation>%1, Woche %2</translation>
    </message>
</context>
<context>
    <name>TaskItem</name>
    <message>
        <source>Join</source>
        <translation>Beitreten</translation>
    </message>
    <message>
        <source>Join the meeting</source>
        <translation>Der Besprechung beitreten</translation>
    </message>
    <message>
        <source>Its calendar is read-only: the tick is kept in this widget alone.</source>
        <translation>Der Kalender ist schreibgeschützt: Das Häkchen bleibt nur in diesem Widget.</translation>
    </message>
    <message>
        <source>No date</source>
        <translation>Ohne Datum</translation>
    </message>
    <message>
        <source>ticked</source>
        <translation>abgehakt</translation>
    </message>
    <message>
        <source>countdown 1 minute</source>
        <translation>Countdown 1 Minute</translation>
    </message>
    <message>
        <source>countdown %1 minutes</source>
        <translation>Countdown %1 Minuten</translation>
    </message>
    <message>
        <source>countdown set</source>
        <translation>Countdown eingestellt</translation>
    </message>
    <message>
        <source>pinned</source>
        <translation>angeheftet</translation>
    </message>
    <message>
        <source>overdue</source>
        <translation>überfällig</translation>
    </message>
    <message>
        <source>tentative</source>
        <translation>vorläufig</translation>
    </message>
    <message>
        <source>not answered</source>
        <translation>nicht beantwortet</translation>
    </message>
</context>
<context>
    <name>TaskMenu</name>
    <message>
        <source>在日历中打开</source>
        <translation>Im Kalender öffnen</translation>
    </message>
    <message>
        <source>倒计时模式</source>
        <translation>Countdown-Modus</translation>
    </message>
    <message>
        <source>置顶模式</source>
        <translation>Anheftmodus</translation>
    </message>
    <message>
        <source>正常模式</source>
        <translation>Normalmodus</translation>
    </message>
    <message>
        <source>Edit…</source>
        <translation>Bearbeiten …</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <source>This occurrence</source>
        <translation>Dieses Vorkommen</translation>
    </message>
    <message>
        <source>All occurrences</source>
        <translation>Alle Vorkommen</translation>
    </message>
    <message>
        <source>Details…</source>
        <translation>Details …</translation>
    </message>
    <message>
        <source>Join</source>
        <translation>Beitreten</translation>
    </message>
</context>
<context>
    <name>Zyk::Widget::ZTitlebar</name>
    <message>
        <source>Menu</source>
        <translation>Menü</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
</context>
</TS>
