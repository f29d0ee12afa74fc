<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr">
<context>
    <name>AccountSetup</name>
    <message>
        <source>“%1” is not a server address.</source>
        <translation>«&#xa0;%1&#xa0;» n’est pas une adresse de serveur.</translation>
    </message>
    <message>
        <source>%1 is not encrypted: the password would cross the network readable. Use https://.</source>
        <translation>%1 n’est pas chiffré&#xa0;: le mot de passe circulerait en clair sur le réseau. Utilisez https://.</translation>
    </message>
    <message>
        <source>The server %1 cannot be reached. Check the address and the network.</source>
        <translation>Le serveur %1 est injoignable. Vérifiez l’adresse et le réseau.</translation>
    </message>
    <message>
        <source>%1 answers, but it is not a CalDAV server. Try the CalDAV address your provider gives.</source>
        <translation>%1 répond, mais ce n’est pas un serveur CalDAV. Essayez l’adresse CalDAV indiquée par votre fournisseur.</translation>
    </message>
    <message>
        <source>Wrong user name or password. iCloud, Fastmail and others need an app password here.</source>
        <translation>Nom d’utilisateur ou mot de passe incorrect. iCloud, Fastmail et d’autres demandent ici un mot de passe d’application.</translation>
    </message>
    <message>
        <source>The server&apos;s TLS certificate is not to be trusted (expired, self-signed or for another name).</source>
        <translation>Le certificat TLS du serveur n’est pas digne de confiance (expiré, auto-signé ou émis pour un autre nom).</translation>
    </message>
    <message>
        <source>Adding the account was cancelled.</source>
        <translation>L’ajout du compte a été annulé.</translation>
    </message>
    <message>
        <source>Connecting to %1…</source>
        <translation>Connexion à %1…</translation>
    </message>
    <message numerus="yes">
        <source>Found %n calendar(s); keeping the password in the keyring…</source>
        <translation>
            <numerusform>%n calendrier trouvé&#xa0;; enregistrement du mot de passe dans le trousseau…</numerusform>
            <numerusform>%n calendriers trouvés&#xa0;; enregistrement du mot de passe dans le trousseau…</numerusform>
        </translation>
    </message>
    <message>
        <source>Calendar account %1 at %2</source>
        <translation>Compte de calendrier %1 sur %2</translation>
    </message>
    <message>
        <source>No keyring (Secret Service) runs on this desktop, and the password is never kept in a file: the account is not added. Start GNOME Keyring, KWallet or KeePassXC&apos;s Secret Service, then try again.</source>
        <translation>Aucun trousseau (Secret Service) ne fonctionne sur ce bureau, et le mot de passe n’est jamais conservé dans un fichier&#xa0;: le compte n’est pas ajouté. Démarrez GNOME Keyring, KWallet ou le Secret Service de KeePassXC, puis réessayez.</translation>
    </message>
    <message>
        <source>The keyring did not take the password: %1</source>
        <translation>Le trousseau n’a pas accepté le mot de passe&#xa0;: %1</translation>
    </message>
    <message>
        <source>Cannot save the account: %1</source>
        <translation>Impossible d’enregistrer le compte&#xa0;: %1</translation>
    </message>
    <message numerus="yes">
        <source>Found %n calendar(s); first sync…</source>
        <translation>
            <numerusform>%n calendrier trouvé&#xa0;; première synchronisation…</numerusform>
            <numerusform>%n calendriers trouvés&#xa0;; première synchronisation…</numerusform>
        </translation>
    </message>
    <message>
        <source>The password goes to the keyring through secret-tool, which is not installed: the account is not added. Install the libsecret-tools package, then try again.</source>
        <translation>Le mot de passe va au trousseau par secret-tool, qui n’est pas installé&#xa0;: le compte n’est pas ajouté. Installez le paquet libsecret-tools, puis réessayez.</translation>
    </message>
</context>
<context>
    <name>AccountsSection</name>
    <message>
        <source>Add account</source>
        <translation>Ajouter un compte</translation>
    </message>
    <message>
        <source>Remove account</source>
        <translation>Retirer le compte</translation>
    </message>
    <message>
        <source>&amp;Online accounts</source>
        <translation>Comptes en &amp;ligne</translation>
    </message>
    <message>
        <source>Server, e.g. cloud.example.org</source>
        <translation>Serveur, par ex. cloud.example.org</translation>
    </message>
    <message>
        <source>Server address</source>
        <translation>Adresse du serveur</translation>
    </message>
    <message>
        <source>User name</source>
        <translation>Nom d’utilisateur</translation>
    </message>
    <message>
        <source>Password or app password</source>
        <translation>Mot de passe ou mot de passe d’application</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>Mot de passe</translation>
    </message>
    <message>
        <source>Online accounts and their calendars</source>
        <translation>Comptes en ligne et leurs calendriers</translation>
    </message>
    <message>
        <source>The password could not be taken out of the keyring: %1</source>
        <translation>Impossible de retirer le mot de passe du trousseau&#xa0;: %1</translation>
    </message>
    <message>
        <source>Enter the server&apos;s address, your user name and your password.</source>
        <translation>Saisissez l’adresse du serveur, votre nom d’utilisateur et votre mot de passe.</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Cannot remove the account: %1</source>
        <translation>Impossible de retirer le compte&#xa0;: %1</translation>
    </message>
    <message>
        <source>The account %1 is removed.</source>
        <translation>Le compte %1 a été retiré.</translation>
    </message>
    <message>
        <source>Cannot change the account: %1</source>
        <translation>Impossible de modifier le compte&#xa0;: %1</translation>
    </message>
    <message>
        <source>%1 at %2</source>
        <translation>%1 sur %2</translation>
    </message>
    <message>
        <source>%1 at %2 — sync failed: %3</source>
        <translation>%1 sur %2 — échec de la synchronisation&#xa0;: %3</translation>
    </message>
    <message>
        <source>%1 (to-dos)</source>
        <translation>%1 (tâches)</translation>
    </message>
    <message numerus="yes">
        <source>%1: %n calendar(s) synced.</source>
        <translation>
            <numerusform>%1&#xa0;: %n calendrier synchronisé.</numerusform>
            <numerusform>%1&#xa0;: %n calendriers synchronisés.</numerusform>
        </translation>
    </message>
    <message>
        <source>The first sync failed: %1</source>
        <translation>La première synchronisation a échoué&#xa0;: %1</translation>
    </message>
    <message>
        <source>The password could not be taken out of the keyring: secret-tool (the libsecret-tools package) is not installed.</source>
        <translation>Impossible de retirer le mot de passe du trousseau&#xa0;: secret-tool (le paquet libsecret-tools) n’est pas installé.</translation>
    </message>
</context>
<context>
    <name>EventActions</name>
    <message>
        <source>&amp;Undo</source>
        <translation>&amp;Annuler</translation>
    </message>
    <message>
        <source>New event…</source>
        <translation>Nouvel événement…</translation>
    </message>
    <message>
        <source>“%1” deleted.</source>
        <translation>«&#xa0;%1&#xa0;» supprimé.</translation>
    </message>
    <message>
        <source>“%1” was not deleted: its calendar is read-only.</source>
        <translation>«&#xa0;%1&#xa0;» n’a pas été supprimé&#xa0;: son calendrier est en lecture seule.</translation>
    </message>
    <message>
        <source>“%1” could not be deleted.</source>
        <translation>«&#xa0;%1&#xa0;» n’a pas pu être supprimé.</translation>
    </message>
    <message>
        <source>Your answer to “%1” was not saved: its calendar is read-only.</source>
        <translation>Votre réponse à « %1 » n’a pas été enregistrée : son agenda est en lecture seule.</translation>
    </message>
    <message>
        <source>Your answer to “%1” could not be saved.</source>
        <translation>Votre réponse à « %1 » n’a pas pu être enregistrée.</translation>
    </message>
    <message>
        <source>Your answer to “%1” could not be sent.</source>
        <translation>Votre réponse à « %1 » n’a pas pu être envoyée.</translation>
    </message>
    <message>
        <source>“%1” completed.</source>
        <translation>« %1 » terminée.</translation>
    </message>
    <message>
        <source>“%1” open again.</source>
        <translation>« %1 » rouverte.</translation>
    </message>
    <message>
        <source>“%1” is ticked here alone: its calendar is read-only.</source>
        <translation>« %1 » n’est cochée qu’ici : son agenda est en lecture seule.</translation>
    </message>
    <message>
        <source>“%1” could not be completed in its calendar.</source>
        <translation>« %1 » n’a pas pu être terminée dans son agenda.</translation>
    </message>
    <message>
        <source>“%1” could not be opened again in its calendar.</source>
        <translation>« %1 » n’a pas pu être rouverte dans son agenda.</translation>
    </message>
</context>
<context>
    <name>EventEditor</name>
    <message>
        <source>No reminder</source>
        <translation>Pas de rappel</translation>
    </message>
    <message>
        <source>On the day</source>
        <translation>Le jour même</translation>
    </message>
    <message numerus="yes">
        <source>%n week(s) before</source>
        <translation>
            <numerusform>%n semaine avant</numerusform>
            <numerusform>%n semaines avant</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n day(s) before</source>
        <translation>
            <numerusform>%n jour avant</numerusform>
            <numerusform>%n jours avant</numerusform>
        </translation>
    </message>
    <message>
        <source>At the start</source>
        <translation>Au début</translation>
    </message>
    <message numerus="yes">
        <source>%n hour(s) before</source>
        <translation>
            <numerusform>%n heure avant</numerusform>
            <numerusform>%n heures avant</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n minute(s) before</source>
        <translation>
            <numerusform>%n minute avant</numerusform>
            <numerusform>%n minutes avant</numerusform>
        </translation>
    </message>
    <message>
        <source>This calendar is read-only (a subscription, or one its owner keeps read-only): the event cannot be saved in it.</source>
        <translation>Ce calendrier est en lecture seule (un abonnement, ou un calendrier que son propriétaire garde en lecture seule)&#xa0;: l’événement ne peut pas y être enregistré.</translation>
    </message>
    <message>
        <source>Another program changed this calendar a moment ago. It has been read again: press Save to try once more.</source>
        <translation>Un autre programme vient de modifier ce calendrier. Il a été relu&#xa0;: cliquez sur «&#xa0;Enregistrer&#xa0;» pour réessayer.</translation>
    </message>
    <message>
        <source>This event is no longer in its calendar: it was deleted elsewhere.</source>
        <translation>Cet événement n’est plus dans son calendrier&#xa0;: il a été supprimé ailleurs.</translation>
    </message>
    <message>
        <source>The calendar service does not answer, so nothing was saved. Try again once it is back.</source>
        <translation>Le service de calendrier ne répond pas&#xa0;: rien n’a été enregistré. Réessayez quand il sera de retour.</translation>
    </message>
    <message>
        <source>The calendar cannot hold the event as it is: check its times and text.</source>
        <translation>Le calendrier ne peut pas contenir l’événement tel quel&#xa0;: vérifiez ses heures et son texte.</translation>
    </message>
    <message>
        <source>The calendar could not be written, so nothing was saved.</source>
        <translation>Le calendrier n’a pas pu être écrit&#xa0;: rien n’a été enregistré.</translation>
    </message>
    <message>
        <source>Give the event a title.</source>
        <translation>Donnez un titre à l’événement.</translation>
    </message>
    <message>
        <source>The event ends before it starts.</source>
        <translation>L’événement se termine avant de commencer.</translation>
    </message>
    <message>
        <source>The repetition ends before the event starts.</source>
        <translation>La répétition se termine avant le début de l’événement.</translation>
    </message>
    <message>
        <source>New event</source>
        <translation>Nouvel événement</translation>
    </message>
    <message>
        <source>Edit event</source>
        <translation>Modifier l’événement</translation>
    </message>
    <message>
        <source>Title</source>
        <translation>Titre</translation>
    </message>
    <message>
        <source>&amp;All day</source>
        <translation>Toute la &amp;journée</translation>
    </message>
    <message>
        <source>All day</source>
        <translation>Toute la journée</translation>
    </message>
    <message>
        <source>Reminder</source>
        <translation>Rappel</translation>
    </message>
    <message>
        <source>Reminder time</source>
        <translation>Heure du rappel</translation>
    </message>
    <message>
        <source>Calendar</source>
        <translation>Calendrier</translation>
    </message>
    <message>
        <source>Description</source>
        <translation>Description</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Enregistrer</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>&amp;Title</source>
        <translation>&amp;Titre</translation>
    </message>
    <message>
        <source>&amp;Reminder</source>
        <translation>&amp;Rappel</translation>
    </message>
    <message>
        <source>Ca&amp;lendar</source>
        <translation>&amp;Calendrier</translation>
    </message>
    <message>
        <source>&amp;Description</source>
        <translation>D&amp;escription</translation>
    </message>
    <message>
        <source>Start date</source>
        <translation>Date de début</translation>
    </message>
    <message>
        <source>Start time</source>
        <translation>Heure de début</translation>
    </message>
    <message>
        <source>End date</source>
        <translation>Date de fin</translation>
    </message>
    <message>
        <source>End time</source>
        <translation>Heure de fin</translation>
    </message>
    <message>
        <source>&amp;Starts</source>
        <translation>&amp;Début</translation>
    </message>
    <message>
        <source>&amp;Ends</source>
        <translation>&amp;Fin</translation>
    </message>
    <message>
        <source>Repeat</source>
        <translation>Répétition</translation>
    </message>
    <message>
        <source>Does not repeat</source>
        <translation>Ne se répète pas</translation>
    </message>
    <message>
        <source>Daily</source>
        <translation>Tous les jours</translation>
    </message>
    <message>
        <source>Every workday</source>
        <translation>Tous les jours ouvrés</translation>
    </message>
    <message>
        <source>Weekly</source>
        <translation>Toutes les semaines</translation>
    </message>
    <message>
        <source>Monthly</source>
        <translation>Tous les mois</translation>
    </message>
    <message>
        <source>Yearly</source>
        <translation>Tous les ans</translation>
    </message>
    <message>
        <source>Repetition ends</source>
        <translation>Fin de la répétition</translation>
    </message>
    <message>
        <source>Never</source>
        <translation>Jamais</translation>
    </message>
    <message>
        <source>After</source>
        <translation>Après</translation>
    </message>
    <message>
        <source>On</source>
        <translation>Le</translation>
    </message>
    <message>
        <source>Number of times</source>
        <translation>Nombre de fois</translation>
    </message>
    <message>
        <source> times</source>
        <translation> fois</translation>
    </message>
    <message>
        <source>Last date</source>
        <translation>Dernière date</translation>
    </message>
    <message>
        <source>Re&amp;peat</source>
        <translation>Ré&amp;pétition</translation>
    </message>
    <message>
        <source>This event repeats. Change only this occurrence, or all of them?</source>
        <translation>Cet événement se répète. Modifier seulement cette occurrence, ou toutes&#xa0;?</translation>
    </message>
    <message>
        <source>&amp;Only this one</source>
        <translation>&amp;Seulement celle-ci</translation>
    </message>
    <message>
        <source>Only this occurrence</source>
        <translation>Seulement cette occurrence</translation>
    </message>
    <message>
        <source>All occurrences</source>
        <translation>Toutes les occurrences</translation>
    </message>
    <message>
        <source>Sa&amp;ve</source>
        <translation>Enregi&amp;strer</translation>
    </message>
    <message>
        <source>All o&amp;ccurrences</source>
        <translation>&amp;Toutes les occurrences</translation>
    </message>
</context>
<context>
    <name>GlobalShortcut</name>
    <message>
        <source>Calendar widget</source>
        <translation>Widget d’agenda</translation>
    </message>
    <message>
        <source>Show the panel and give it the keyboard</source>
        <translation>Afficher le panneau et lui donner le clavier</translation>
    </message>
    <message>
        <source>Show the calendar panel and give it the keyboard</source>
        <translation>Afficher le panneau d’agenda et lui donner le clavier</translation>
    </message>
</context>
<context>
    <name>JoinNext</name>
    <message>
        <source>The calendar data server does not answer.</source>
        <translation>Le serveur de données d’agenda ne répond pas.</translation>
    </message>
    <message>
        <source>No meeting is running or begins in the next 10 minutes.</source>
        <translation>Aucune réunion n’est en cours ni ne commence dans les 10 prochaines minutes.</translation>
    </message>
    <message>
        <source>Joining “%1”: %2</source>
        <translation>Connexion à « %1 » : %2</translation>
    </message>
    <message>
        <source>No program opens the meeting&apos;s link.</source>
        <translation>Aucun programme n’ouvre le lien de la réunion.</translation>
    </message>
</context>
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
    <message>
        <source>%1, week %2</source>
        <extracomment>The day button&apos;s tooltip: the date, then the ISO week number</extracomment>
        <translation>%1, semaine %2</translation>
    </message>
    <message>
        <source>Week %1</source>
        <translation>Semaine %1</translation>
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
    <message>
        <source>Join</source>
        <translation>Rejoindre</translation>
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
        <translation>Calendriers affichés dans le widget</translation>
    </message>
    <message>
        <source>Sho&amp;wn in the widget</source>
        <translation>Affichés dans le &amp;widget</translation>
    </message>
    <message>
        <source>The calendars are listed here while the data server runs.</source>
        <translation>Les calendriers sont listés ici tant que le serveur de données fonctionne.</translation>
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
        <source>&amp;Text size</source>
        <translation>&amp;Taille du texte</translation>
    </message>
    <message>
        <source>&amp;Background opacity</source>
        <translation>&amp;Opacité du fond</translation>
    </message>
    <message>
        <source>Online accounts cannot be added here: their module (%1) is not installed or does not load.</source>
        <translation>Impossible d’ajouter des comptes en ligne ici : leur module (%1) n’est pas installé ou ne se charge pas.</translation>
    </message>
    <message>
        <source>Invitations I declined</source>
        <translation>Invitations que j’ai déclinées</translation>
    </message>
    <message>
        <source>Hidden</source>
        <translation>Masquées</translation>
    </message>
    <message>
        <source>Shown faintly</source>
        <translation>Affichées en pâle</translation>
    </message>
    <message>
        <source>Shown</source>
        <translation>Affichées</translation>
    </message>
    <message>
        <source>name@example.org</source>
        <translation>nom@example.org</translation>
    </message>
    <message>
        <source>Invitations in calendar files and subscriptions name you by these addresses; online accounts and the desktop&apos;s calendars know theirs.</source>
        <translation>Les invitations des fichiers d’agenda et des abonnements vous désignent par ces adresses ; les comptes en ligne et les agendas du bureau connaissent les leurs.</translation>
    </message>
    <message>
        <source>&amp;Invitations I declined</source>
        <translation>&amp;Invitations que j’ai déclinées</translation>
    </message>
    <message>
        <source>My &amp;e-mail addresses</source>
        <translation>Mes adresses &amp;e-mail</translation>
    </message>
    <message>
        <source>List to-dos without a date</source>
        <translation>Lister les tâches sans date</translation>
    </message>
    <message>
        <source>With the overview&apos;s first day, after the tasks that have a date.</source>
        <translation>Avec le premier jour de la vue d’ensemble, après les tâches datées.</translation>
    </message>
    <message>
        <source>Show the &amp;week number in the overview</source>
        <translation>Afficher le numéro de &amp;semaine dans la vue d’ensemble</translation>
    </message>
    <message>
        <source>Key that gives the panel the keyboard</source>
        <translation>Touche qui donne le clavier au panneau</translation>
    </message>
    <message>
        <source>Anywhere on the desktop, where it offers global shortcuts; elsewhere bind a key of the desktop&apos;s to nvx-calendar-desktop-widget --focus.</source>
        <translation>Partout sur le bureau, s’il propose des raccourcis globaux ; sinon, associez une touche du bureau à nvx-calendar-desktop-widget --focus.</translation>
    </message>
    <message>
        <source>&amp;Keyboard</source>
        <translation>&amp;Clavier</translation>
    </message>
    <message>
        <source>The desktop&apos;s calendars: GNOME (Evolution)</source>
        <translation>Les calendriers du bureau : GNOME (Evolution)</translation>
    </message>
    <message>
        <source>The desktop&apos;s calendars: KDE (Akonadi)</source>
        <translation>Les calendriers du bureau : KDE (Akonadi)</translation>
    </message>
</context>
<context>
    <name>TaskDetails</name>
    <message>
        <source>Accepted</source>
        <translation>Acceptée</translation>
    </message>
    <message>
        <source>Tentative</source>
        <translation>Provisoire</translation>
    </message>
    <message>
        <source>Declined</source>
        <translation>Déclinée</translation>
    </message>
    <message>
        <source>Delegated</source>
        <translation>Déléguée</translation>
    </message>
    <message>
        <source>Not answered</source>
        <translation>Sans réponse</translation>
    </message>
    <message>
        <source>You accepted</source>
        <translation>Vous avez accepté</translation>
    </message>
    <message>
        <source>You said maybe</source>
        <translation>Vous avez répondu peut-être</translation>
    </message>
    <message>
        <source>You declined</source>
        <translation>Vous avez décliné</translation>
    </message>
    <message>
        <source>You have not answered</source>
        <translation>Vous n’avez pas répondu</translation>
    </message>
    <message>
        <source>Event details</source>
        <translation>Détails de l’événement</translation>
    </message>
    <message>
        <source>Title</source>
        <translation>Titre</translation>
    </message>
    <message>
        <source>Date and time</source>
        <translation>Date et heure</translation>
    </message>
    <message>
        <source>Location</source>
        <translation>Lieu</translation>
    </message>
    <message>
        <source>Calendar</source>
        <translation>Agenda</translation>
    </message>
    <message>
        <source>Your reply</source>
        <translation>Votre réponse</translation>
    </message>
    <message>
        <source>Read-only calendar</source>
        <translation>Agenda en lecture seule</translation>
    </message>
    <message>
        <source>This calendar is read-only: your answer cannot be saved here.</source>
        <translation>Cet agenda est en lecture seule : votre réponse ne peut pas être enregistrée ici.</translation>
    </message>
    <message>
        <source>Accept</source>
        <translation>Accepter</translation>
    </message>
    <message>
        <source>Maybe</source>
        <translation>Peut-être</translation>
    </message>
    <message>
        <source>Decline</source>
        <translation>Décliner</translation>
    </message>
    <message>
        <source>Join</source>
        <translation>Rejoindre</translation>
    </message>
    <message>
        <source>Join the online meeting</source>
        <translation>Rejoindre la réunion en ligne</translation>
    </message>
    <message>
        <source>Open in calendar</source>
        <translation>Ouvrir dans l’agenda</translation>
    </message>
    <message>
        <source>Edit…</source>
        <translation>Modifier…</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>Modifier</translation>
    </message>
    <message>
        <source>Organizer and attendees</source>
        <translation>Organisateur et participants</translation>
    </message>
    <message>
        <source>Description</source>
        <translation>Description</translation>
    </message>
    <message>
        <source>Organizer: %1</source>
        <translation>Organisateur : %1</translation>
    </message>
    <message>
        <source>Show all %1</source>
        <translation>Afficher les %1</translation>
    </message>
    <message>
        <source>%1, week %2</source>
        <extracomment>The details&apos; date and time, then the ISO week number of the begin</extracomment>
        <translation>%1, semaine %2</translation>
    </message>
</context>
<context>
    <name>TaskItem</name>
    <message>
        <source>Join</source>
        <translation>Rejoindre</translation>
    </message>
    <message>
        <source>Join the meeting</source>
        <translation>Rejoindre la réunion</translation>
    </message>
    <message>
        <source>Its calendar is read-only: the tick is kept in this widget alone.</source>
        <translation>Son agenda est en lecture seule : la coche n’est gardée que dans ce widget.</translation>
    </message>
    <message>
        <source>No date</source>
        <translation>Sans date</translation>
    </message>
    <message>
        <source>ticked</source>
        <translation>cochée</translation>
    </message>
    <message>
        <source>countdown 1 minute</source>
        <translation>compte à rebours 1 minute</translation>
    </message>
    <message>
        <source>countdown %1 minutes</source>
        <translation>compte à rebours %1 minutes</translation>
    </message>
    <message>
        <source>countdown set</source>
        <translation>compte à rebours réglé</translation>
    </message>
    <message>
        <source>pinned</source>
        <translation>épinglée</translation>
    </message>
    <message>
        <source>overdue</source>
        <translation>en retard</translation>
    </message>
    <message>
        <source>tentative</source>
        <translation>provisoire</translation>
    </message>
    <message>
        <source>not answered</source>
        <translation>sans réponse</translation>
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
    <message>
        <source>Edit…</source>
        <translation>Modifier…</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Supprimer</translation>
    </message>
    <message>
        <source>This occurrence</source>
        <translation>Cette occurrence</translation>
    </message>
    <message>
        <source>All occurrences</source>
        <translation>Toutes les occurrences</translation>
    </message>
    <message>
        <source>Details…</source>
        <translation>Détails…</translation>
    </message>
    <message>
        <source>Join</source>
        <translation>Rejoindre</translation>
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
