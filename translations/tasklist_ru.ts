<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru">
<context>
    <name>MainWindow</name>
    <message>
        <source>Overview</source>
        <translation>Обзор</translation>
    </message>
    <message>
        <source>Open calendar</source>
        <translation>Открыть календарь</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Настройки</translation>
    </message>
    <message>
        <source>Recent days</source>
        <translation>Последние дни</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Закрыть</translation>
    </message>
</context>
<context>
    <name>ReminderRules</name>
    <message>
        <source>%1, all day</source>
        <translation>%1, весь день</translation>
    </message>
    <message numerus="yes">
        <source>Began at %1, %n minute(s) ago</source>
        <translation>
            <numerusform>Начало: %1, %n минуту назад</numerusform>
            <numerusform>Начало: %1, %n минуты назад</numerusform>
            <numerusform>Начало: %1, %n минут назад</numerusform>
        </translation>
    </message>
    <message>
        <source>Begins at %1</source>
        <translation>Начало: %1</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Открыть</translation>
    </message>
    <message>
        <source>Snooze</source>
        <translation>Отложить</translation>
    </message>
    <message>
        <source>Dismiss</source>
        <translation>Отклонить</translation>
    </message>
</context>
<context>
    <name>SettingsWindow</name>
    <message>
        <source>Start when I log in</source>
        <translation>Запускать при входе в систему</translation>
    </message>
    <message>
        <source>Keep the widget where I put it</source>
        <translation>Запоминать положение на рабочем столе</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Настройки</translation>
    </message>
    <message>
        <source>&amp;Colours</source>
        <translation>&amp;Цвета</translation>
    </message>
    <message>
        <source>Cannot change the start at login: %1</source>
        <translation>Не удалось изменить запуск при входе в систему: %1</translation>
    </message>
    <message>
        <source>Colours</source>
        <translation>Цвета</translation>
    </message>
    <message>
        <source>Follow the desktop</source>
        <translation>Как у рабочего стола</translation>
    </message>
    <message>
        <source>Light</source>
        <translation>Светлые</translation>
    </message>
    <message>
        <source>Dark</source>
        <translation>Тёмные</translation>
    </message>
    <message>
        <source>Calendars</source>
        <translation>Календари</translation>
    </message>
    <message>
        <source>Add file…</source>
        <translation>Добавить файл…</translation>
    </message>
    <message>
        <source>Add folder…</source>
        <translation>Добавить папку…</translation>
    </message>
    <message>
        <source>Add URL…</source>
        <translation>Добавить URL…</translation>
    </message>
    <message>
        <source>Subscribe to a calendar</source>
        <translation>Подписаться на календарь</translation>
    </message>
    <message>
        <source>Address (https:// or webcal://):</source>
        <translation>Адрес (https:// или webcal://):</translation>
    </message>
    <message>
        <source>%1 is not an https://, http:// or webcal:// address</source>
        <translation>%1 — не адрес https://, http:// или webcal://</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Удалить</translation>
    </message>
    <message>
        <source>C&amp;alendars</source>
        <translation>&amp;Календари</translation>
    </message>
    <message>
        <source>tasklist-dataserver serves these calendars when it starts.</source>
        <translation>tasklist-dataserver предоставляет эти календари при запуске.</translation>
    </message>
    <message>
        <source>tasklist-dataserver serves these calendars; changes apply at once.</source>
        <translation>tasklist-dataserver предоставляет эти календари; изменения применяются сразу.</translation>
    </message>
    <message>
        <source>The calendars are served by %1; change them there.</source>
        <translation>Календари предоставляет %1; изменяйте их там.</translation>
    </message>
    <message>
        <source>Add a calendar file</source>
        <translation>Добавить файл календаря</translation>
    </message>
    <message>
        <source>iCalendar files (*.ics)</source>
        <translation>Файлы iCalendar (*.ics)</translation>
    </message>
    <message>
        <source>Add a folder of calendar files</source>
        <translation>Добавить папку с файлами календаря</translation>
    </message>
    <message>
        <source>Cannot add the calendar: %1</source>
        <translation>Не удалось добавить календарь: %1</translation>
    </message>
    <message>
        <source>Cannot remove the calendar: %1</source>
        <translation>Не удалось удалить календарь: %1</translation>
    </message>
    <message>
        <source>tasklist-dataserver serves the calendars of its command line now; it serves these when it starts without any.</source>
        <translation>Сейчас tasklist-dataserver предоставляет календари из своей командной строки; эти он предоставляет, если запущен без них.</translation>
    </message>
    <message>
        <source>Cannot save the settings: %1</source>
        <translation>Не удалось сохранить настройки: %1</translation>
    </message>
    <message>
        <source>Remind me of my tasks</source>
        <translation>Напоминать о задачах</translation>
    </message>
    <message>
        <source>Snooze length in minutes</source>
        <translation>Время откладывания в минутах</translation>
    </message>
    <message>
        <source> min</source>
        <translation> мин</translation>
    </message>
    <message>
        <source>Play the alarm sound</source>
        <translation>Воспроизводить звук сигнала</translation>
    </message>
    <message>
        <source>Remind of calendars the desktop already reminds of</source>
        <translation>Напоминать и о календарях, о которых уже напоминает рабочий стол</translation>
    </message>
    <message>
        <source>This applies to the desktop&apos;s (Evolution) calendars, whose own alarm service reminds of them already.</source>
        <translation>Это относится к календарям рабочего стола (Evolution), о которых уже напоминает их собственная служба напоминаний.</translation>
    </message>
    <message>
        <source>S&amp;nooze for</source>
        <translation>&amp;Отложить на</translation>
    </message>
    <message>
        <source>&amp;Reminders</source>
        <translation>&amp;Напоминания</translation>
    </message>
    <message>
        <source>Calendars shown in the widget</source>
        <translation>Календари, показанные в виджете</translation>
    </message>
    <message>
        <source>Sho&amp;wn in the widget</source>
        <translation>Показ&amp;ывать в виджете</translation>
    </message>
    <message>
        <source>The calendars are listed here while the data server runs.</source>
        <translation>Календари перечисляются здесь, пока работает сервер данных.</translation>
    </message>
    <message>
        <source>Dates and times</source>
        <translation>Даты и время</translation>
    </message>
    <message>
        <source>%1 (as ever)</source>
        <translation>%1 (как всегда)</translation>
    </message>
    <message>
        <source>%1 (as my language has it)</source>
        <translation>%1 (как принято в моём языке)</translation>
    </message>
    <message>
        <source>%1 (24-hour)</source>
        <translation>%1 (24 часа)</translation>
    </message>
    <message>
        <source>%1 (12-hour)</source>
        <translation>%1 (12 часов)</translation>
    </message>
    <message>
        <source>Background opacity</source>
        <translation>Непрозрачность фона</translation>
    </message>
    <message>
        <source>Text as large as the desktop&apos;s</source>
        <translation>Текст того же размера, что на рабочем столе</translation>
    </message>
    <message>
        <source>Text size in points</source>
        <translation>Размер текста в пунктах</translation>
    </message>
    <message>
        <source>&amp;Dates and times</source>
        <translation>&amp;Даты и время</translation>
    </message>
    <message>
        <source>Background &amp;opacity</source>
        <translation>Непр&amp;озрачность фона</translation>
    </message>
    <message>
        <source>&amp;Text size</source>
        <translation>Размер &amp;текста</translation>
    </message>
</context>
<context>
    <name>TaskMenu</name>
    <message>
        <source>在日历中打开</source>
        <translation>Открыть в календаре</translation>
    </message>
    <message>
        <source>倒计时模式</source>
        <translation>Режим обратного отсчёта</translation>
    </message>
    <message>
        <source>置顶模式</source>
        <translation>Режим закрепления</translation>
    </message>
    <message>
        <source>正常模式</source>
        <translation>Обычный режим</translation>
    </message>
</context>
<context>
    <name>Zyk::Widget::ZTitlebar</name>
    <message>
        <source>Menu</source>
        <translation>Меню</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Закрыть</translation>
    </message>
</context>
</TS>
