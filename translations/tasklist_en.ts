<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>AccountSetup</name>
    <message>
        <source>“%1” is not a server address.</source>
        <translation>“%1” is not a server address.</translation>
    </message>
    <message>
        <source>%1 is not encrypted: the password would cross the network readable. Use https://.</source>
        <translation>%1 is not encrypted: the password would cross the network readable. Use https://.</translation>
    </message>
    <message>
        <source>The server %1 cannot be reached. Check the address and the network.</source>
        <translation>The server %1 cannot be reached. Check the address and the network.</translation>
    </message>
    <message>
        <source>%1 answers, but it is not a CalDAV server. Try the CalDAV address your provider gives.</source>
        <translation>%1 answers, but it is not a CalDAV server. Try the CalDAV address your provider gives.</translation>
    </message>
    <message>
        <source>Wrong user name or password. iCloud, Fastmail and others need an app password here.</source>
        <translation>Wrong user name or password. iCloud, Fastmail and others need an app password here.</translation>
    </message>
    <message>
        <source>The server&apos;s TLS certificate is not to be trusted (expired, self-signed or for another name).</source>
        <translation>The server&apos;s TLS certificate is not to be trusted (expired, self-signed or for another name).</translation>
    </message>
    <message>
        <source>Adding the account was cancelled.</source>
        <translation>Adding the account was cancelled.</translation>
    </message>
    <message>
        <source>Connecting to %1…</source>
        <translation>Connecting to %1…</translation>
    </message>
    <message numerus="yes">
        <source>Found %n calendar(s); keeping the password in the keyring…</source>
        <translation>
            <numerusform>Found %n calendar; keeping the password in the keyring…</numerusform>
            <numerusform>Found %n calendars; keeping the password in the keyring…</numerusform>
        </translation>
    </message>
    <message>
        <source>Calendar account %1 at %2</source>
        <translation>Calendar account %1 at %2</translation>
    </message>
    <message>
        <source>No keyring (Secret Service) runs on this desktop, and the password is never kept in a file: the account is not added. Start GNOME Keyring, KWallet or KeePassXC&apos;s Secret Service, then try again.</source>
        <translation>No keyring (Secret Service) runs on this desktop, and the password is never kept in a file: the account is not added. Start GNOME Keyring, KWallet or KeePassXC&apos;s Secret Service, then try again.</translation>
    </message>
    <message>
        <source>The keyring did not take the password: %1</source>
        <translation>The keyring did not take the password: %1</translation>
    </message>
    <message>
        <source>Cannot save the account: %1</source>
        <translation>Cannot save the account: %1</translation>
    </message>
    <message numerus="yes">
        <source>Found %n calendar(s); first sync…</source>
        <translation>
            <numerusform>Found %n calendar; first sync…</numerusform>
            <numerusform>Found %n calendars; first sync…</numerusform>
        </translation>
    </message>
    <message>
        <source>The password goes to the keyring through secret-tool, which is not installed: the account is not added. Install the libsecret-tools package, then try again.</source>
        <translation>The password goes to the keyring through secret-tool, which is not installed: the account is not added. Install the libsecret-tools package, then try again.</translation>
    </message>
</context>
<context>
    <name>AccountsSection</name>
    <message>
        <source>Add account</source>
        <translation>Add account</translation>
    </message>
    <message>
        <source>Remove account</source>
        <translation>Remove account</translation>
    </message>
    <message>
        <source>&amp;Online accounts</source>
        <translation>&amp;Online accounts</translation>
    </message>
    <message>
        <source>Server, e.g. cloud.example.org</source>
        <translation>Server, e.g. cloud.example.org</translation>
    </message>
    <message>
        <source>Server address</source>
        <translation>Server address</translation>
    </message>
    <message>
        <source>User name</source>
        <translation>User name</translation>
    </message>
    <message>
        <source>Password or app password</source>
        <translation>Password or app password</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>Password</translation>
    </message>
    <message>
        <source>Online accounts and their calendars</source>
        <translation>Online accounts and their calendars</translation>
    </message>
    <message>
        <source>The password could not be taken out of the keyring: %1</source>
        <translation>The password could not be taken out of the keyring: %1</translation>
    </message>
    <message>
        <source>Enter the server&apos;s address, your user name and your password.</source>
        <translation>Enter the server&apos;s address, your user name and your password.</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Cannot remove the account: %1</source>
        <translation>Cannot remove the account: %1</translation>
    </message>
    <message>
        <source>The account %1 is removed.</source>
        <translation>The account %1 is removed.</translation>
    </message>
    <message>
        <source>Cannot change the account: %1</source>
        <translation>Cannot change the account: %1</translation>
    </message>
    <message>
        <source>%1 at %2</source>
        <translation>%1 at %2</translation>
    </message>
    <message>
        <source>%1 at %2 — sync failed: %3</source>
        <translation>%1 at %2 — sync failed: %3</translation>
    </message>
    <message>
        <source>%1 (to-dos)</source>
        <translation>%1 (to-dos)</translation>
    </message>
    <message numerus="yes">
        <source>%1: %n calendar(s) synced.</source>
        <translation>
            <numerusform>%1: %n calendar synced.</numerusform>
            <numerusform>%1: %n calendars synced.</numerusform>
        </translation>
    </message>
    <message>
        <source>The first sync failed: %1</source>
        <translation>The first sync failed: %1</translation>
    </message>
    <message>
        <source>The password could not be taken out of the keyring: secret-tool (the libsecret-tools package) is not installed.</source>
        <translation>The password could not be taken out of the keyring: secret-tool (the libsecret-tools package) is not installed.</translation>
    </message>
</context>
<context>
    <name>EventActions</name>
    <message>
        <source>&amp;Undo</source>
        <translation>&amp;Undo</translation>
    </message>
    <message>
        <source>New event…</source>
        <translation>New event…</translation>
    </message>
    <message>
        <source>“%1” deleted.</source>
        <translation>“%1” deleted.</translation>
    </message>
    <message>
        <source>“%1” was not deleted: its calendar is read-only.</source>
        <translation>“%1” was not deleted: its calendar is read-only.</translation>
    </message>
    <message>
        <source>“%1” could not be deleted.</source>
        <translation>“%1” could not be deleted.</translation>
    </message>
    <message>
        <source>Your answer to “%1” was not saved: its calendar is read-only.</source>
        <translation>Your answer to “%1” was not saved: its calendar is read-only.</translation>
    </message>
    <message>
        <source>Your answer to “%1” could not be saved.</source>
        <translation>Your answer to “%1” could not be saved.</translation>
    </message>
    <message>
        <source>Your answer to “%1” could not be sent.</source>
        <translation>Your answer to “%1” could not be sent.</translation>
    </message>
    <message>
        <source>“%1” completed.</source>
        <translation>“%1” completed.</translation>
    </message>
    <message>
        <source>“%1” open again.</source>
        <translation>“%1” open again.</translation>
    </message>
    <message>
        <source>“%1” is ticked here alone: its calendar is read-only.</source>
        <translation>“%1” is ticked here alone: its calendar is read-only.</translation>
    </message>
    <message>
        <source>“%1” could not be completed in its calendar.</source>
        <translation>“%1” could not be completed in its calendar.</translation>
    </message>
    <message>
        <source>“%1” could not be opened again in its calendar.</source>
        <translation>“%1” could not be opened again in its calendar.</translation>
    </message>
</context>
<context>
    <name>EventEditor</name>
    <message>
        <source>No reminder</source>
        <translation>No reminder</translation>
    </message>
    <message>
        <source>On the day</source>
        <translation>On the day</translation>
    </message>
    <message numerus="yes">
        <source>%n week(s) before</source>
        <translation>
            <numerusform>%n week before</numerusform>
            <numerusform>%n weeks before</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n day(s) before</source>
        <translation>
            <numerusform>%n day before</numerusform>
            <numerusform>%n days before</numerusform>
        </translation>
    </message>
    <message>
        <source>At the start</source>
        <translation>At the start</translation>
    </message>
    <message numerus="yes">
        <source>%n hour(s) before</source>
        <translation>
            <numerusform>%n hour before</numerusform>
            <numerusform>%n hours before</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n minute(s) before</source>
        <translation>
            <numerusform>%n minute before</numerusform>
            <numerusform>%n minutes before</numerusform>
        </translation>
    </message>
    <message>
        <source>This calendar is read-only (a subscription, or one its owner keeps read-only): the event cannot be saved in it.</source>
        <translation>This calendar is read-only (a subscription, or one its owner keeps read-only): the event cannot be saved in it.</translation>
    </message>
    <message>
        <source>Another program changed this calendar a moment ago. It has been read again: press Save to try once more.</source>
        <translation>Another program changed this calendar a moment ago. It has been read again: press Save to try once more.</translation>
    </message>
    <message>
        <source>This event is no longer in its calendar: it was deleted elsewhere.</source>
        <translation>This event is no longer in its calendar: it was deleted elsewhere.</translation>
    </message>
    <message>
        <source>The calendar service does not answer, so nothing was saved. Try again once it is back.</source>
        <translation>The calendar service does not answer, so nothing was saved. Try again once it is back.</translation>
    </message>
    <message>
        <source>The calendar cannot hold the event as it is: check its times and text.</source>
        <translation>The calendar cannot hold the event as it is: check its times and text.</translation>
    </message>
    <message>
        <source>The calendar could not be written, so nothing was saved.</source>
        <translation>The calendar could not be written, so nothing was saved.</translation>
    </message>
    <message>
        <source>Give the event a title.</source>
        <translation>Give the event a title.</translation>
    </message>
    <message>
        <source>The event ends before it starts.</source>
        <translation>The event ends before it starts.</translation>
    </message>
    <message>
        <source>The repetition ends before the event starts.</source>
        <translation>The repetition ends before the event starts.</translation>
    </message>
    <message>
        <source>New event</source>
        <translation>New event</translation>
    </message>
    <message>
        <source>Edit event</source>
        <translation>Edit event</translation>
    </message>
    <message>
        <source>Title</source>
        <translation>Title</translation>
    </message>
    <message>
        <source>&amp;All day</source>
        <translation>&amp;All day</translation>
    </message>
    <message>
        <source>All day</source>
        <translation>All day</translation>
    </message>
    <message>
        <source>Reminder</source>
        <translation>Reminder</translation>
    </message>
    <message>
        <source>Reminder time</source>
        <translation>Reminder time</translation>
    </message>
    <message>
        <source>Calendar</source>
        <translation>Calendar</translation>
    </message>
    <message>
        <source>Description</source>
        <translation>Description</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>&amp;Title</source>
        <translation>&amp;Title</translation>
    </message>
    <message>
        <source>&amp;Reminder</source>
        <translation>&amp;Reminder</translation>
    </message>
    <message>
        <source>Ca&amp;lendar</source>
        <translation>Ca&amp;lendar</translation>
    </message>
    <message>
        <source>&amp;Description</source>
        <translation>&amp;Description</translation>
    </message>
    <message>
        <source>Start date</source>
        <translation>Start date</translation>
    </message>
    <message>
        <source>Start time</source>
        <translation>Start time</translation>
    </message>
    <message>
        <source>End date</source>
        <translation>End date</translation>
    </message>
    <message>
        <source>End time</source>
        <translation>End time</translation>
    </message>
    <message>
        <source>&amp;Starts</source>
        <translation>&amp;Starts</translation>
    </message>
    <message>
        <source>&amp;Ends</source>
        <translation>&amp;Ends</translation>
    </message>
    <message>
        <source>Repeat</source>
        <translation>Repeat</translation>
    </message>
    <message>
        <source>Does not repeat</source>
        <translation>Does not repeat</translation>
    </message>
    <message>
        <source>Daily</source>
        <translation>Daily</translation>
    </message>
    <message>
        <source>Every workday</source>
        <translation>Every workday</translation>
    </message>
    <message>
        <source>Weekly</source>
        <translation>Weekly</translation>
    </message>
    <message>
        <source>Monthly</source>
        <translation>Monthly</translation>
    </message>
    <message>
        <source>Yearly</source>
        <translation>Yearly</translation>
    </message>
    <message>
        <source>Repetition ends</source>
        <translation>Repetition ends</translation>
    </message>
    <message>
        <source>Never</source>
        <translation>Never</translation>
    </message>
    <message>
        <source>After</source>
        <translation>After</translation>
    </message>
    <message>
        <source>On</source>
        <translation>On</translation>
    </message>
    <message>
        <source>Number of times</source>
        <translation>Number of times</translation>
    </message>
    <message>
        <source> times</source>
        <translation> times</translation>
    </message>
    <message>
        <source>Last date</source>
        <translation>Last date</translation>
    </message>
    <message>
        <source>Re&amp;peat</source>
        <translation>Re&amp;peat</translation>
    </message>
    <message>
        <source>This event repeats. Change only this occurrence, or all of them?</source>
        <translation>This event repeats. Change only this occurrence, or all of them?</translation>
    </message>
    <message>
        <source>&amp;Only this one</source>
        <translation>&amp;Only this one</translation>
    </message>
    <message>
        <source>Only this occurrence</source>
        <translation>Only this occurrence</translation>
    </message>
    <message>
        <source>All occurrences</source>
        <translation>All occurrences</translation>
    </message>
    <message>
        <source>Sa&amp;ve</source>
        <translation>Sa&amp;ve</translation>
    </message>
    <message>
        <source>All o&amp;ccurrences</source>
        <translation>All o&amp;ccurrences</translation>
    </message>
</context>
<context>
    <name>GlobalShortcut</name>
    <message>
        <source>Calendar widget</source>
        <translation>Calendar widget</translation>
    </message>
    <message>
        <source>Show the panel and give it the keyboard</source>
        <translation>Show the panel and give it the keyboard</translation>
    </message>
    <message>
        <source>Show the calendar panel and give it the keyboard</source>
        <translation>Show the calendar panel and give it the keyboard</translation>
    </message>
</context>
<context>
    <name>JoinNext</name>
    <message>
        <source>The calendar data server does not answer.</source>
        <translation>The calendar data server does not answer.</translation>
    </message>
    <message>
        <source>No meeting is running or begins in the next 10 minutes.</source>
        <translation>No meeting is running or begins in the next 10 minutes.</translation>
    </message>
    <message>
        <source>Joining “%1”: %2</source>
        <translation>Joining “%1”: %2</translation>
    </message>
    <message>
        <source>No program opens the meeting&apos;s link.</source>
        <translation>No program opens the meeting&apos;s link.</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Overview</source>
        <translation>Overview</translation>
    </message>
    <message>
        <source>Open calendar</source>
        <translation>Open calendar</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>Recent days</source>
        <translation>Recent days</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>%1, week %2</source>
        <extracomment>The day button&apos;s tooltip: the date, then the ISO week number</extracomment>
        <translation>%1, week %2</translation>
    </message>
    <message>
        <source>Week %1</source>
        <translation>Week %1</translation>
    </message>
</context>
<context>
    <name>ReminderRules</name>
    <message>
        <source>%1, all day</source>
        <translation>%1, all day</translation>
    </message>
    <message numerus="yes">
        <source>Began at %1, %n minute(s) ago</source>
        <translation>
            <numerusform>Began at %1, %n minute ago</numerusform>
            <numerusform>Began at %1, %n minutes ago</numerusform>
        </translation>
    </message>
    <message>
        <source>Begins at %1</source>
        <translation>Begins at %1</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>Snooze</source>
        <translation>Snooze</translation>
    </message>
    <message>
        <source>Dismiss</source>
        <translation>Dismiss</translation>
    </message>
    <message>
        <source>Join</source>
        <translation>Join</translation>
    </message>
</context>
<context>
    <name>SettingsWindow</name>
    <message>
        <source>Start when I log in</source>
        <translation>Start when I log in</translation>
    </message>
    <message>
        <source>Keep the widget where I put it</source>
        <translation>Keep the widget where I put it</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>&amp;Colours</source>
        <translation>&amp;Colours</translation>
    </message>
    <message>
        <source>Cannot change the start at login: %1</source>
        <translation>Cannot change the start at login: %1</translation>
    </message>
    <message>
        <source>Colours</source>
        <translation>Colours</translation>
    </message>
    <message>
        <source>Follow the desktop</source>
        <translation>Follow the desktop</translation>
    </message>
    <message>
        <source>Light</source>
        <translation>Light</translation>
    </message>
    <message>
        <source>Dark</source>
        <translation>Dark</translation>
    </message>
    <message>
        <source>Calendars</source>
        <translation>Calendars</translation>
    </message>
    <message>
        <source>Add file…</source>
        <translation>Add file…</translation>
    </message>
    <message>
        <source>Add folder…</source>
        <translation>Add folder…</translation>
    </message>
    <message>
        <source>Add URL…</source>
        <translation>Add URL…</translation>
    </message>
    <message>
        <source>Subscribe to a calendar</source>
        <translation>Subscribe to a calendar</translation>
    </message>
    <message>
        <source>Address (https:// or webcal://):</source>
        <translation>Address (https:// or webcal://):</translation>
    </message>
    <message>
        <source>%1 is not an https://, http:// or webcal:// address</source>
        <translation>%1 is not an https://, http:// or webcal:// address</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Remove</translation>
    </message>
    <message>
        <source>C&amp;alendars</source>
        <translation>C&amp;alendars</translation>
    </message>
    <message>
        <source>tasklist-dataserver serves these calendars when it starts.</source>
        <translation>tasklist-dataserver serves these calendars when it starts.</translation>
    </message>
    <message>
        <source>tasklist-dataserver serves these calendars; changes apply at once.</source>
        <translation>tasklist-dataserver serves these calendars; changes apply at once.</translation>
    </message>
    <message>
        <source>The calendars are served by %1; change them there.</source>
        <translation>The calendars are served by %1; change them there.</translation>
    </message>
    <message>
        <source>Add a calendar file</source>
        <translation>Add a calendar file</translation>
    </message>
    <message>
        <source>iCalendar files (*.ics)</source>
        <translation>iCalendar files (*.ics)</translation>
    </message>
    <message>
        <source>Add a folder of calendar files</source>
        <translation>Add a folder of calendar files</translation>
    </message>
    <message>
        <source>Cannot add the calendar: %1</source>
        <translation>Cannot add the calendar: %1</translation>
    </message>
    <message>
        <source>Cannot remove the calendar: %1</source>
        <translation>Cannot remove the calendar: %1</translation>
    </message>
    <message>
        <source>tasklist-dataserver serves the calendars of its command line now; it serves these when it starts without any.</source>
        <translation>tasklist-dataserver serves the calendars of its command line now; it serves these when it starts without any.</translation>
    </message>
    <message>
        <source>Cannot save the settings: %1</source>
        <translation>Cannot save the settings: %1</translation>
    </message>
    <message>
        <source>Remind me of my tasks</source>
        <translation>Remind me of my tasks</translation>
    </message>
    <message>
        <source>Snooze length in minutes</source>
        <translation>Snooze length in minutes</translation>
    </message>
    <message>
        <source> min</source>
        <translation> min</translation>
    </message>
    <message>
        <source>Play the alarm sound</source>
        <translation>Play the alarm sound</translation>
    </message>
    <message>
        <source>Remind of calendars the desktop already reminds of</source>
        <translation>Remind of calendars the desktop already reminds of</translation>
    </message>
    <message>
        <source>This applies to the desktop&apos;s (Evolution) calendars, whose own alarm service reminds of them already.</source>
        <translation>This applies to the desktop&apos;s (Evolution) calendars, whose own alarm service reminds of them already.</translation>
    </message>
    <message>
        <source>S&amp;nooze for</source>
        <translation>S&amp;nooze for</translation>
    </message>
    <message>
        <source>&amp;Reminders</source>
        <translation>&amp;Reminders</translation>
    </message>
    <message>
        <source>Calendars shown in the widget</source>
        <translation>Calendars shown in the widget</translation>
    </message>
    <message>
        <source>Sho&amp;wn in the widget</source>
        <translation>Sho&amp;wn in the widget</translation>
    </message>
    <message>
        <source>The calendars are listed here while the data server runs.</source>
        <translation>The calendars are listed here while the data server runs.</translation>
    </message>
    <message>
        <source>Dates and times</source>
        <translation>Dates and times</translation>
    </message>
    <message>
        <source>%1 (as ever)</source>
        <translation>%1 (as ever)</translation>
    </message>
    <message>
        <source>%1 (as my language has it)</source>
        <translation>%1 (as my language has it)</translation>
    </message>
    <message>
        <source>%1 (24-hour)</source>
        <translation>%1 (24-hour)</translation>
    </message>
    <message>
        <source>%1 (12-hour)</source>
        <translation>%1 (12-hour)</translation>
    </message>
    <message>
        <source>Background opacity</source>
        <translation>Background opacity</translation>
    </message>
    <message>
        <source>Text as large as the desktop&apos;s</source>
        <translation>Text as large as the desktop&apos;s</translation>
    </message>
    <message>
        <source>Text size in points</source>
        <translation>Text size in points</translation>
    </message>
    <message>
        <source>&amp;Dates and times</source>
        <translation>&amp;Dates and times</translation>
    </message>
    <message>
        <source>&amp;Text size</source>
        <translation>&amp;Text size</translation>
    </message>
    <message>
        <source>&amp;Background opacity</source>
        <translation>&amp;Background opacity</translation>
    </message>
    <message>
        <source>Online accounts cannot be added here: their module (%1) is not installed or does not load.</source>
        <translation>Online accounts cannot be added here: their module (%1) is not installed or does not load.</translation>
    </message>
    <message>
        <source>Invitations I declined</source>
        <translation>Invitations I declined</translation>
    </message>
    <message>
        <source>Hidden</source>
        <translation>Hidden</translation>
    </message>
    <message>
        <source>Shown faintly</source>
        <translation>Shown faintly</translation>
    </message>
    <message>
        <source>Shown</source>
        <translation>Shown</translation>
    </message>
    <message>
        <source>name@example.org</source>
        <translation>name@example.org</translation>
    </message>
    <message>
        <source>Invitations in calendar files and subscriptions name you by these addresses; online accounts and the desktop&apos;s calendars know theirs.</source>
        <translation>Invitations in calendar files and subscriptions name you by these addresses; online accounts and the desktop&apos;s calendars know theirs.</translation>
    </message>
    <message>
        <source>&amp;Invitations I declined</source>
        <translation>&amp;Invitations I declined</translation>
    </message>
    <message>
        <source>My &amp;e-mail addresses</source>
        <translation>My &amp;e-mail addresses</translation>
    </message>
    <message>
        <source>List to-dos without a date</source>
        <translation>List to-dos without a date</translation>
    </message>
    <message>
        <source>With the overview&apos;s first day, after the tasks that have a date.</source>
        <translation>With the overview&apos;s first day, after the tasks that have a date.</translation>
    </message>
    <message>
        <source>Show the &amp;week number in the overview</source>
        <translation>Show the &amp;week number in the overview</translation>
    </message>
    <message>
        <source>Key that gives the panel the keyboard</source>
        <translation>Key that gives the panel the keyboard</translation>
    </message>
    <message>
        <source>Anywhere on the desktop, where it offers global shortcuts; elsewhere bind a key of the desktop&apos;s to nvx-calendar-desktop-widget --focus.</source>
        <translation>Anywhere on the desktop, where it offers global shortcuts; elsewhere bind a key of the desktop&apos;s to nvx-calendar-desktop-widget --focus.</translation>
    </message>
    <message>
        <source>&amp;Keyboard</source>
        <translation>&amp;Keyboard</translation>
    </message>
    <message>
        <source>The desktop&apos;s calendars: GNOME (Evolution)</source>
        <translation>The desktop&apos;s calendars: GNOME (Evolution)</translation>
    </message>
    <message>
        <source>The desktop&apos;s calendars: KDE (Akonadi)</source>
        <translation>The desktop&apos;s calendars: KDE (Akonadi)</translation>
    </message>
</context>
<context>
    <name>TaskDetails</name>
    <message>
        <source>Accepted</source>
        <translation>Accepted</translation>
    </message>
    <message>
        <source>Tentative</source>
        <translation>Tentative</translation>
    </message>
    <message>
        <source>Declined</source>
        <translation>Declined</translation>
    </message>
    <message>
        <source>Delegated</source>
        <translation>Delegated</translation>
    </message>
    <message>
        <source>Not answered</source>
        <translation>Not answered</translation>
    </message>
    <message>
        <source>You accepted</source>
        <translation>You accepted</translation>
    </message>
    <message>
        <source>You said maybe</source>
        <translation>You said maybe</translation>
    </message>
    <message>
        <source>You declined</source>
        <translation>You declined</translation>
    </message>
    <message>
        <source>You have not answered</source>
        <translation>You have not answered</translation>
    </message>
    <message>
        <source>Event details</source>
        <translation>Event details</translation>
    </message>
    <message>
        <source>Title</source>
        <translation>Title</translation>
    </message>
    <message>
        <source>Date and time</source>
        <translation>Date and time</translation>
    </message>
    <message>
        <source>Location</source>
        <translation>Location</translation>
    </message>
    <message>
        <source>Calendar</source>
        <translation>Calendar</translation>
    </message>
    <message>
        <source>Your reply</source>
        <translation>Your reply</translation>
    </message>
    <message>
        <source>Read-only calendar</source>
        <translation>Read-only calendar</translation>
    </message>
    <message>
        <source>This calendar is read-only: your answer cannot be saved here.</source>
        <translation>This calendar is read-only: your answer cannot be saved here.</translation>
    </message>
    <message>
        <source>Accept</source>
        <translation>Accept</translation>
    </message>
    <message>
        <source>Maybe</source>
        <translation>Maybe</translation>
    </message>
    <message>
        <source>Decline</source>
        <translation>Decline</translation>
    </message>
    <message>
        <source>Join</source>
        <translation>Join</translation>
    </message>
    <message>
        <source>Join the online meeting</source>
        <translation>Join the online meeting</translation>
    </message>
    <message>
        <source>Open in calendar</source>
        <translation>Open in calendar</translation>
    </message>
    <message>
        <source>Edit…</source>
        <translation>Edit…</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>Edit</translation>
    </message>
    <message>
        <source>Organizer and attendees</source>
        <translation>Organizer and attendees</translation>
    </message>
    <message>
        <source>Description</source>
        <translation>Description</translation>
    </message>
    <message>
        <source>Organizer: %1</source>
        <translation>Organizer: %1</translation>
    </message>
    <message>
        <source>Show all %1</source>
        <translation>Show all %1</translation>
    </message>
    <message>
        <source>%1, week %2</source>
        <extracomment>The details&apos; date and time, then the ISO week number of the begin</extracomment>
        <translation>%1, week %2</translation>
    </message>
</context>
<context>
    <name>TaskItem</name>
    <message>
        <source>Join</source>
        <translation>Join</translation>
    </message>
    <message>
        <source>Join the meeting</source>
        <translation>Join the meeting</translation>
    </message>
    <message>
        <source>Its calendar is read-only: the tick is kept in this widget alone.</source>
        <translation>Its calendar is read-only: the tick is kept in this widget alone.</translation>
    </message>
    <message>
        <source>No date</source>
        <translation>No date</translation>
    </message>
    <message>
        <source>ticked</source>
        <translation>ticked</translation>
    </message>
    <message>
        <source>countdown 1 minute</source>
        <translation>countdown 1 minute</translation>
    </message>
    <message>
        <source>countdown %1 minutes</source>
        <translation>countdown %1 minutes</translation>
    </message>
    <message>
        <source>countdown set</source>
        <translation>countdown set</translation>
    </message>
    <message>
        <source>pinned</source>
        <translation>pinned</translation>
    </message>
    <message>
        <source>overdue</source>
        <translation>overdue</translation>
    </message>
    <message>
        <source>tentative</source>
        <translation>tentative</translation>
    </message>
    <message>
        <source>not answered</source>
        <translation>not answered</translation>
    </message>
</context>
<context>
    <name>TaskMenu</name>
    <message>
        <source>在日历中打开</source>
        <translation>Open in Calendar</translation>
    </message>
    <message>
        <source>倒计时模式</source>
        <translation>Countdown mode</translation>
    </message>
    <message>
        <source>置顶模式</source>
        <translation>Pinned mode</translation>
    </message>
    <message>
        <source>正常模式</source>
        <translation>Normal mode</translation>
    </message>
    <message>
        <source>Edit…</source>
        <translation>Edit…</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>This occurrence</source>
        <translation>This occurrence</translation>
    </message>
    <message>
        <source>All occurrences</source>
        <translation>All occurrences</translation>
    </message>
    <message>
        <source>Details…</source>
        <translation>Details…</translation>
    </message>
    <message>
        <source>Join</source>
        <translation>Join</translation>
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
        <translation>Close</translation>
    </message>
</context>
</TS>
