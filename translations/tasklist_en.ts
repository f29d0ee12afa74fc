<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
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
        <source>Background &amp;opacity</source>
        <translation>Background &amp;opacity</translation>
    </message>
    <message>
        <source>&amp;Text size</source>
        <translation>&amp;Text size</translation>
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
