<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
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
        <source>Background &amp;opacity</source>
        <translation>&amp;Deckkraft des Hintergrunds</translation>
    </message>
    <message>
        <source>&amp;Text size</source>
        <translation>&amp;Textgröße</translation>
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
