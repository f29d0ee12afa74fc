<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr">
<context>
    <name>MainWindow</name>
    <message>
        <source>Overview</source>
        <translation>Vue d’ensemble</translation>
    </message>
    <message>
        <source>Open calendar</source>
        <translation>Ouvrir le calendrier</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Paramètres</translation>
    </message>
    <message>
        <source>Recent days</source>
        <translation>Derniers jours</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Fermer</translation>
    </message>
</context>
<context>
    <name>ReminderRules</name>
    <message>
        <source>%1, all day</source>
        <translation>%1, toute la journée</translation>
    </message>
    <message numerus="yes">
        <source>Began at %1, %n minute(s) ago</source>
        <translation>
            <numerusform>Début&#xa0;: %1, il y a %n minute</numerusform>
            <numerusform>Début&#xa0;: %1, il y a %n minutes</numerusform>
        </translation>
    </message>
    <message>
        <source>Begins at %1</source>
        <translation>Début&#xa0;: %1</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Ouvrir</translation>
    </message>
    <message>
        <source>Snooze</source>
        <translation>Reporter</translation>
    </message>
    <message>
        <source>Dismiss</source>
        <translation>Ignorer</translation>
    </message>
</context>
<context>
    <name>SettingsWindow</name>
    <message>
        <source>Start when I log in</source>
        <translation>Démarrer à l’ouverture de session</translation>
    </message>
    <message>
        <source>Keep the widget where I put it</source>
        <translation>Mémoriser la position sur le bureau</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Paramètres</translation>
    </message>
    <message>
        <source>&amp;Colours</source>
        <translation>&amp;Couleurs</translation>
    </message>
    <message>
        <source>Cannot change the start at login: %1</source>
        <translation>Impossible de modifier le démarrage à l’ouverture de session&#xa0;: %1</translation>
    </message>
    <message>
        <source>Colours</source>
        <translation>Couleurs</translation>
    </message>
    <message>
        <source>Follow the desktop</source>
        <translation>Comme le bureau</translation>
    </message>
    <message>
        <source>Light</source>
        <translation>Clair</translation>
    </message>
    <message>
        <source>Dark</source>
        <translation>Sombre</translation>
    </message>
    <message>
        <source>Calendars</source>
        <translation>Calendriers</translation>
    </message>
    <message>
        <source>Add file…</source>
        <translation>Ajouter un fichier…</translation>
    </message>
    <message>
        <source>Add folder…</source>
        <translation>Ajouter un dossier…</translation>
    </message>
    <message>
        <source>Add URL…</source>
        <translation>Ajouter une URL…</translation>
    </message>
    <message>
        <source>Subscribe to a calendar</source>
        <translation>S’abonner à un calendrier</translation>
    </message>
    <message>
        <source>Address (https:// or webcal://):</source>
        <translation>Adresse (https:// ou webcal://)&#xa0;:</translation>
    </message>
    <message>
        <source>%1 is not an https://, http:// or webcal:// address</source>
        <translation>%1 n’est pas une adresse https://, http:// ou webcal://</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Retirer</translation>
    </message>
    <message>
        <source>C&amp;alendars</source>
        <translation>C&amp;alendriers</translation>
    </message>
    <message>
        <source>tasklist-dataserver serves these calendars when it starts.</source>
        <translation>tasklist-dataserver fournit ces calendriers à son démarrage.</translation>
    </message>
    <message>
        <source>tasklist-dataserver serves these calendars; changes apply at once.</source>
        <translation>tasklist-dataserver fournit ces calendriers&#xa0;; les modifications s’appliquent immédiatement.</translation>
    </message>
    <message>
        <source>The calendars are served by %1; change them there.</source>
        <translation>Les calendriers sont fournis par %1&#xa0;; modifiez-les dans ce programme.</translation>
    </message>
    <message>
        <source>Add a calendar file</source>
        <translation>Ajouter un fichier de calendrier</translation>
    </message>
    <message>
        <source>iCalendar files (*.ics)</source>
        <translation>Fichiers iCalendar (*.ics)</translation>
    </message>
    <message>
        <source>Add a folder of calendar files</source>
        <translation>Ajouter un dossier de fichiers de calendrier</translation>
    </message>
    <message>
        <source>Cannot add the calendar: %1</source>
        <translation>Impossible d’ajouter le calendrier&#xa0;: %1</translation>
    </message>
    <message>
        <source>Cannot remove the calendar: %1</source>
        <translation>Impossible de retirer le calendrier&#xa0;: %1</translation>
    </message>
    <message>
        <source>tasklist-dataserver serves the calendars of its command line now; it serves these when it starts without any.</source>
        <translation>tasklist-dataserver fournit actuellement les calendriers de sa ligne de commande&#xa0;; il fournit ceux-ci lorsqu’il démarre sans calendrier.</translation>
    </message>
    <message>
        <source>Cannot save the settings: %1</source>
        <translation>Impossible d’enregistrer les paramètres&#xa0;: %1</translation>
    </message>
    <message>
        <source>Remind me of my tasks</source>
        <translation>Me rappeler mes tâches</translation>
    </message>
    <message>
        <source>Snooze length in minutes</source>
        <translation>Durée du report en minutes</translation>
    </message>
    <message>
        <source> min</source>
        <translation> min</translation>
    </message>
    <message>
        <source>Play the alarm sound</source>
        <translation>Jouer le son d’alarme</translation>
    </message>
    <message>
        <source>Remind of calendars the desktop already reminds of</source>
        <translation>Rappeler aussi les calendriers dont le bureau se charge déjà</translation>
    </message>
    <message>
        <source>This applies to the desktop&apos;s (Evolution) calendars, whose own alarm service reminds of them already.</source>
        <translation>Cela concerne les calendriers du bureau (Evolution), que leur propre service d’alarmes rappelle déjà.</translation>
    </message>
    <message>
        <source>S&amp;nooze for</source>
        <translation>Re&amp;porter de</translation>
    </message>
    <message>
        <source>&amp;Reminders</source>
        <translation>&amp;Rappels</translation>
    </message>
    <message>
        <source>Calendars shown in the widget</source>
        <translation>Agendas affichés dans le widget</translation>
    </message>
    <message>
        <source>Sho&amp;wn in the widget</source>
        <translation>Affichés dans le &amp;widget</translation>
    </message>
    <message>
        <source>The calendars are listed here while the data server runs.</source>
        <translation>Les agendas sont listés ici tant que le serveur de données fonctionne.</translation>
    </message>
    <message>
        <source>Dates and times</source>
        <translation>Dates et heures</translation>
    </message>
    <message>
        <source>%1 (as ever)</source>
        <translation>%1 (comme toujours)</translation>
    </message>
    <message>
        <source>%1 (as my language has it)</source>
        <translation>%1 (comme dans ma langue)</translation>
    </message>
    <message>
        <source>%1 (24-hour)</source>
        <translation>%1 (24 heures)</translation>
    </message>
    <message>
        <source>%1 (12-hour)</source>
        <translation>%1 (12 heures)</translation>
    </message>
    <message>
        <source>Background opacity</source>
        <translation>Opacité du fond</translation>
    </message>
    <message>
        <source>Text as large as the desktop&apos;s</source>
        <translation>Texte de la taille de celui du bureau</translation>
    </message>
    <message>
        <source>Text size in points</source>
        <translation>Taille du texte en points</translation>
    </message>
    <message>
        <source>&amp;Dates and times</source>
        <translation>&amp;Dates et heures</translation>
    </message>
    <message>
        <source>Background &amp;opacity</source>
        <translation>&amp;Opacité du fond</translation>
    </message>
    <message>
        <source>&amp;Text size</source>
        <translation>&amp;Taille du texte</translation>
    </message>
</context>
<context>
    <name>TaskMenu</name>
    <message>
        <source>在日历中打开</source>
        <translation>Ouvrir dans le calendrier</translation>
    </message>
    <message>
        <source>倒计时模式</source>
        <translation>Mode compte à rebours</translation>
    </message>
    <message>
        <source>置顶模式</source>
        <translation>Mode épinglé</translation>
    </message>
    <message>
        <source>正常模式</source>
        <translation>Mode normal</translation>
    </message>
</context>
<context>
    <name>Zyk::Widget::ZTitlebar</name>
    <message>
        <source>Menu</source>
        <translation>Menu</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Fermer</translation>
    </message>
</context>
</TS>
