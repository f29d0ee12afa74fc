<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru">
<context>
    <name>AccountSetup</name>
    <message>
        <source>“%1” is not a server address.</source>
        <translation>«%1» — не адрес сервера.</translation>
    </message>
    <message>
        <source>%1 is not encrypted: the password would cross the network readable. Use https://.</source>
        <translation>%1 не зашифрован: пароль передавался бы по сети в открытом виде. Используйте https://.</translation>
    </message>
    <message>
        <source>The server %1 cannot be reached. Check the address and the network.</source>
        <translation>Сервер %1 недоступен. Проверьте адрес и подключение к сети.</translation>
    </message>
    <message>
        <source>%1 answers, but it is not a CalDAV server. Try the CalDAV address your provider gives.</source>
        <translation>%1 отвечает, но это не сервер CalDAV. Попробуйте адрес CalDAV, который указывает ваш провайдер.</translation>
    </message>
    <message>
        <source>Wrong user name or password. iCloud, Fastmail and others need an app password here.</source>
        <translation>Неверное имя пользователя или пароль. Для iCloud, Fastmail и других здесь нужен пароль приложения.</translation>
    </message>
    <message>
        <source>The server&apos;s TLS certificate is not to be trusted (expired, self-signed or for another name).</source>
        <translation>Сертификату TLS сервера нельзя доверять (истёк, самоподписан или выдан на другое имя).</translation>
    </message>
    <message>
        <source>Adding the account was cancelled.</source>
        <translation>Добавление учётной записи отменено.</translation>
    </message>
    <message>
        <source>Connecting to %1…</source>
        <translation>Подключение к %1…</translation>
    </message>
    <message numerus="yes">
        <source>Found %n calendar(s); keeping the password in the keyring…</source>
        <translation>
            <numerusform>Найден %n календарь; пароль сохраняется в связке ключей…</numerusform>
            <numerusform>Найдено %n календаря; пароль сохраняется в связке ключей…</numerusform>
            <numerusform>Найдено %n календарей; пароль сохраняется в связке ключей…</numerusform>
        </translation>
    </message>
    <message>
        <source>Calendar account %1 at %2</source>
        <translation>Учётная запись календаря %1 на %2</translation>
    </message>
    <message>
        <source>No keyring (Secret Service) runs on this desktop, and the password is never kept in a file: the account is not added. Start GNOME Keyring, KWallet or KeePassXC&apos;s Secret Service, then try again.</source>
        <translation>В этом окружении не запущена связка ключей (Secret Service), а в файле пароль никогда не хранится: учётная запись не добавлена. Запустите GNOME Keyring, KWallet или Secret Service в KeePassXC и повторите попытку.</translation>
    </message>
    <message>
        <source>The keyring did not take the password: %1</source>
        <translation>Связка ключей не приняла пароль: %1</translation>
    </message>
    <message>
        <source>Cannot save the account: %1</source>
        <translation>Не удалось сохранить учётную запись: %1</translation>
    </message>
    <message numerus="yes">
        <source>Found %n calendar(s); first sync…</source>
        <translation>
            <numerusform>Найден %n календарь; первая синхронизация…</numerusform>
            <numerusform>Найдено %n календаря; первая синхронизация…</numerusform>
            <numerusform>Найдено %n календарей; первая синхронизация…</numerusform>
        </translation>
    </message>
    <message>
        <source>The password goes to the keyring through secret-tool, which is not installed: the account is not added. Install the libsecret-tools package, then try again.</source>
        <translation>Пароль попадает в связку ключей через secret-tool, а он не установлен: учётная запись не добавлена. Установите пакет libsecret-tools и повторите попытку.</translation>
    </message>
</context>
<context>
    <name>AccountsSection</name>
    <message>
        <source>Add account</source>
        <translation>Добавить учётную запись</translation>
    </message>
    <message>
        <source>Remove account</source>
        <translation>Удалить учётную запись</translation>
    </message>
    <message>
        <source>&amp;Online accounts</source>
        <translation>&amp;Сетевые учётные записи</translation>
    </message>
    <message>
        <source>Server, e.g. cloud.example.org</source>
        <translation>Сервер, например cloud.example.org</translation>
    </message>
    <message>
        <source>Server address</source>
        <translation>Адрес сервера</translation>
    </message>
    <message>
        <source>User name</source>
        <translation>Имя пользователя</translation>
    </message>
    <message>
        <source>Password or app password</source>
        <translation>Пароль или пароль приложения</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>Пароль</translation>
    </message>
    <message>
        <source>Online accounts and their calendars</source>
        <translation>Сетевые учётные записи и их календари</translation>
    </message>
    <message>
        <source>The password could not be taken out of the keyring: %1</source>
        <translation>Не удалось удалить пароль из связки ключей: %1</translation>
    </message>
    <message>
        <source>Enter the server&apos;s address, your user name and your password.</source>
        <translation>Введите адрес сервера, имя пользователя и пароль.</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Отмена</translation>
    </message>
    <message>
        <source>Cannot remove the account: %1</source>
        <translation>Не удалось удалить учётную запись: %1</translation>
    </message>
    <message>
        <source>The account %1 is removed.</source>
        <translation>Учётная запись %1 удалена.</translation>
    </message>
    <message>
        <source>Cannot change the account: %1</source>
        <translation>Не удалось изменить учётную запись: %1</translation>
    </message>
    <message>
        <source>%1 at %2</source>
        <translation>%1 на %2</translation>
    </message>
    <message>
        <source>%1 at %2 — sync failed: %3</source>
        <translation>%1 на %2 — ошибка синхронизации: %3</translation>
    </message>
    <message>
        <source>%1 (to-dos)</source>
        <translation>%1 (задачи)</translation>
    </message>
    <message numerus="yes">
        <source>%1: %n calendar(s) synced.</source>
        <translation>
            <numerusform>%1: синхронизирован %n календарь.</numerusform>
            <numerusform>%1: синхронизировано %n календаря.</numerusform>
            <numerusform>%1: синхронизировано %n календарей.</numerusform>
        </translation>
    </message>
    <message>
        <source>The first sync failed: %1</source>
        <translation>Первая синхронизация не удалась: %1</translation>
    </message>
    <message>
        <source>The password could not be taken out of the keyring: secret-tool (the libsecret-tools package) is not installed.</source>
        <translation>Не удалось удалить пароль из связки ключей: secret-tool (пакет libsecret-tools) не установлен.</translation>
    </message>
</context>
<context>
    <name>EventActions</name>
    <message>
        <source>&amp;Undo</source>
        <translation>&amp;Отменить</translation>
    </message>
    <message>
        <source>New event…</source>
        <translation>Новое событие…</translation>
    </message>
    <message>
        <source>“%1” deleted.</source>
        <translation>«%1» удалено.</translation>
    </message>
    <message>
        <source>“%1” was not deleted: its calendar is read-only.</source>
        <translation>«%1» не удалено: календарь доступен только для чтения.</translation>
    </message>
    <message>
        <source>“%1” could not be deleted.</source>
        <translation>Не удалось удалить «%1».</translation>
    </message>
    <message>
        <source>Your answer to “%1” was not saved: its calendar is read-only.</source>
        <translation>Ваш ответ на «%1» не сохранён: календарь доступен только для чтения.</translation>
    </message>
    <message>
        <source>Your answer to “%1” could not be saved.</source>
        <translation>Не удалось сохранить ваш ответ на «%1».</translation>
    </message>
    <message>
        <source>Your answer to “%1” could not be sent.</source>
        <translation>Не удалось отправить ваш ответ на «%1».</translation>
    </message>
    <message>
        <source>“%1” completed.</source>
        <translation>«%1» выполнена.</translation>
    </message>
    <message>
        <source>“%1” open again.</source>
        <translation>«%1» снова открыта.</translation>
    </message>
    <message>
        <source>“%1” is ticked here alone: its calendar is read-only.</source>
        <translation>«%1» отмечена только здесь: календарь доступен только для чтения.</translation>
    </message>
    <message>
        <source>“%1” could not be completed in its calendar.</source>
        <translation>Не удалось отметить «%1» выполненной в её календаре.</translation>
    </message>
    <message>
        <source>“%1” could not be opened again in its calendar.</source>
        <translation>Не удалось снова открыть «%1» в её календаре.</translation>
    </message>
</context>
<context>
    <name>EventEditor</name>
    <message>
        <source>No reminder</source>
        <translation>Без напоминания</translation>
    </message>
    <message>
        <source>On the day</source>
        <translation>В тот же день</translation>
    </message>
    <message numerus="yes">
        <source>%n week(s) before</source>
        <translation>
            <numerusform>За %n неделю</numerusform>
            <numerusform>За %n недели</numerusform>
            <numerusform>За %n недель</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n day(s) before</source>
        <translation>
            <numerusform>За %n день</numerusform>
            <numerusform>За %n дня</numerusform>
            <numerusform>За %n дней</numerusform>
        </translation>
    </message>
    <message>
        <source>At the start</source>
        <translation>В момент начала</translation>
    </message>
    <message numerus="yes">
        <source>%n hour(s) before</source>
        <translation>
            <numerusform>За %n час</numerusform>
            <numerusform>За %n часа</numerusform>
            <numerusform>За %n часов</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n minute(s) before</source>
        <translation>
            <numerusform>За %n минуту</numerusform>
            <numerusform>За %n минуты</numerusform>
            <numerusform>За %n минут</numerusform>
        </translation>
    </message>
    <message>
        <source>This calendar is read-only (a subscription, or one its owner keeps read-only): the event cannot be saved in it.</source>
        <translation>Этот календарь доступен только для чтения (это подписка, или владелец запретил в нём изменения): сохранить в нём событие нельзя.</translation>
    </message>
    <message>
        <source>Another program changed this calendar a moment ago. It has been read again: press Save to try once more.</source>
        <translation>Другая программа только что изменила этот календарь. Он прочитан заново: нажмите «Сохранить», чтобы попробовать ещё раз.</translation>
    </message>
    <message>
        <source>This event is no longer in its calendar: it was deleted elsewhere.</source>
        <translation>Этого события больше нет в календаре: оно было удалено в другом месте.</translation>
    </message>
    <message>
        <source>The calendar service does not answer, so nothing was saved. Try again once it is back.</source>
        <translation>Служба календаря не отвечает, поэтому ничего не сохранено. Попробуйте снова, когда она заработает.</translation>
    </message>
    <message>
        <source>The calendar cannot hold the event as it is: check its times and text.</source>
        <translation>Календарь не может принять событие в таком виде: проверьте его время и текст.</translation>
    </message>
    <message>
        <source>The calendar could not be written, so nothing was saved.</source>
        <translation>Не удалось записать календарь, поэтому ничего не сохранено.</translation>
    </message>
    <message>
        <source>Give the event a title.</source>
        <translation>Укажите название события.</translation>
    </message>
    <message>
        <source>The event ends before it starts.</source>
        <translation>Событие заканчивается раньше, чем начинается.</translation>
    </message>
    <message>
        <source>The repetition ends before the event starts.</source>
        <translation>Повторение заканчивается раньше начала события.</translation>
    </message>
    <message>
        <source>New event</source>
        <translation>Новое событие</translation>
    </message>
    <message>
        <source>Edit event</source>
        <translation>Изменить событие</translation>
    </message>
    <message>
        <source>Title</source>
        <translation>Название</translation>
    </message>
    <message>
        <source>&amp;All day</source>
        <translation>&amp;Весь день</translation>
    </message>
    <message>
        <source>All day</source>
        <translation>Весь день</translation>
    </message>
    <message>
        <source>Reminder</source>
        <translation>Напоминание</translation>
    </message>
    <message>
        <source>Reminder time</source>
        <translation>Время напоминания</translation>
    </message>
    <message>
        <source>Calendar</source>
        <translation>Календарь</translation>
    </message>
    <message>
        <source>Description</source>
        <translation>Описание</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Сохранить</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Отмена</translation>
    </message>
    <message>
        <source>&amp;Title</source>
        <translation>&amp;Название</translation>
    </message>
    <message>
        <source>&amp;Reminder</source>
        <translation>Напо&amp;минание</translation>
    </message>
    <message>
        <source>Ca&amp;lendar</source>
        <translation>&amp;Календарь</translation>
    </message>
    <message>
        <source>&amp;Description</source>
        <translation>Описани&amp;е</translation>
    </message>
    <message>
        <source>Start date</source>
        <translation>Дата начала</translation>
    </message>
    <message>
        <source>Start time</source>
        <translation>Время начала</translation>
    </message>
    <message>
        <source>End date</source>
        <translation>Дата окончания</translation>
    </message>
    <message>
        <source>End time</source>
        <translation>Время окончания</translation>
    </message>
    <message>
        <source>&amp;Starts</source>
        <translation>Н&amp;ачало</translation>
    </message>
    <message>
        <source>&amp;Ends</source>
        <translation>&amp;Окончание</translation>
    </message>
    <message>
        <source>Repeat</source>
        <translation>Повтор</translation>
    </message>
    <message>
        <source>Does not repeat</source>
        <translation>Не повторяется</translation>
    </message>
    <message>
        <source>Daily</source>
        <translation>Ежедневно</translation>
    </message>
    <message>
        <source>Every workday</source>
        <translation>По будним дням</translation>
    </message>
    <message>
        <source>Weekly</source>
        <translation>Еженедельно</translation>
    </message>
    <message>
        <source>Monthly</source>
        <translation>Ежемесячно</translation>
    </message>
    <message>
        <source>Yearly</source>
        <translation>Ежегодно</translation>
    </message>
    <message>
        <source>Repetition ends</source>
        <translation>Окончание повторения</translation>
    </message>
    <message>
        <source>Never</source>
        <translation>Никогда</translation>
    </message>
    <message>
        <source>After</source>
        <translation>После</translation>
    </message>
    <message>
        <source>On</source>
        <translation>До</translation>
    </message>
    <message>
        <source>Number of times</source>
        <translation>Число повторений</translation>
    </message>
    <message>
        <source> times</source>
        <translation> раз</translation>
    </message>
    <message>
        <source>Last date</source>
        <translation>Последняя дата</translation>
    </message>
    <message>
        <source>Re&amp;peat</source>
        <translation>&amp;Повтор</translation>
    </message>
    <message>
        <source>This event repeats. Change only this occurrence, or all of them?</source>
        <translation>Это событие повторяется. Изменить только это повторение или все?</translation>
    </message>
    <message>
        <source>&amp;Only this one</source>
        <translation>&amp;Только это</translation>
    </message>
    <message>
        <source>Only this occurrence</source>
        <translation>Только это повторение</translation>
    </message>
    <message>
        <source>All occurrences</source>
        <translation>Все повторения</translation>
    </message>
    <message>
        <source>Sa&amp;ve</source>
        <translation>&amp;Сохранить</translation>
    </message>
    <message>
        <source>All o&amp;ccurrences</source>
        <translation>&amp;Все повторения</translation>
    </message>
</context>
<context>
    <name>GlobalShortcut</name>
    <message>
        <source>Calendar widget</source>
        <translation>Виджет календаря</translation>
    </message>
    <message>
        <source>Show the panel and give it the keyboard</source>
        <translation>Показать панель и передать ей клавиатуру</translation>
    </message>
    <message>
        <source>Show the calendar panel and give it the keyboard</source>
        <translation>Показать панель календаря и передать ей клавиатуру</translation>
    </message>
</context>
<context>
    <name>JoinNext</name>
    <message>
        <source>The calendar data server does not answer.</source>
        <translation>Сервер данных календаря не отвечает.</translation>
    </message>
    <message>
        <source>No meeting is running or begins in the next 10 minutes.</source>
        <translation>Сейчас нет встреч, и ни одна не начнётся в ближайшие 10 минут.</translation>
    </message>
    <message>
        <source>Joining “%1”: %2</source>
        <translation>Подключение к «%1»: %2</translation>
    </message>
    <message>
        <source>No program opens the meeting&apos;s link.</source>
        <translation>Нет программы, которая открыла бы ссылку на встречу.</translation>
    </message>
</context>
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
    <message>
        <source>%1, week %2</source>
        <extracomment>The day button&apos;s tooltip: the date, then the ISO week number</extracomment>
        <translation>%1, неделя %2</translation>
    </message>
    <message>
        <source>Week %1</source>
        <translation>Неделя %1</translation>
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
    <message>
        <source>Join</source>
        <translation>Подключиться</translation>
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
        <source>&amp;Text size</source>
        <translation>Размер &amp;текста</translation>
    </message>
    <message>
        <source>&amp;Background opacity</source>
        <translation>Непрозрачность &amp;фона</translation>
    </message>
    <message>
        <source>Online accounts cannot be added here: their module (%1) is not installed or does not load.</source>
        <translation>Здесь нельзя добавить сетевые учётные записи: их модуль (%1) не установлен или не загружается.</translation>
    </message>
    <message>
        <source>Invitations I declined</source>
        <translation>Отклонённые приглашения</translation>
    </message>
    <message>
        <source>Hidden</source>
        <translation>Скрыты</translation>
    </message>
    <message>
        <source>Shown faintly</source>
        <translation>Бледно</translation>
    </message>
    <message>
        <source>Shown</source>
        <translation>Показаны</translation>
    </message>
    <message>
        <source>name@example.org</source>
        <translation>name@example.org</translation>
    </message>
    <message>
        <source>Invitations in calendar files and subscriptions name you by these addresses; online accounts and the desktop&apos;s calendars know theirs.</source>
        <translation>В приглашениях из файлов календарей и подписок вы указаны по этим адресам; онлайн-аккаунты и календари рабочего стола знают свои.</translation>
    </message>
    <message>
        <source>&amp;Invitations I declined</source>
        <translation>&amp;Отклонённые приглашения</translation>
    </message>
    <message>
        <source>My &amp;e-mail addresses</source>
        <translation>Мои адреса &amp;электронной почты</translation>
    </message>
    <message>
        <source>List to-dos without a date</source>
        <translation>Показывать задачи без даты</translation>
    </message>
    <message>
        <source>With the overview&apos;s first day, after the tasks that have a date.</source>
        <translation>В первом дне обзора, после задач с датой.</translation>
    </message>
    <message>
        <source>Show the &amp;week number in the overview</source>
        <translation>Показывать номер &amp;недели в обзоре</translation>
    </message>
    <message>
        <source>Key that gives the panel the keyboard</source>
        <translation>Клавиша, передающая клавиатуру панели</translation>
    </message>
    <message>
        <source>Anywhere on the desktop, where it offers global shortcuts; elsewhere bind a key of the desktop&apos;s to nvx-calendar-desktop-widget --focus.</source>
        <translation>В любом месте рабочего стола, если он поддерживает глобальные сочетания клавиш; иначе назначьте клавишу рабочего стола на nvx-calendar-desktop-widget --focus.</translation>
    </message>
    <message>
        <source>&amp;Keyboard</source>
        <translation>&amp;Клавиатура</translation>
    </message>
    <message>
        <source>The desktop&apos;s calendars: GNOME (Evolution)</source>
        <translation>Календари рабочего стола: GNOME (Evolution)</translation>
    </message>
    <message>
        <source>The desktop&apos;s calendars: KDE (Akonadi)</source>
        <translation>Календари рабочего стола: KDE (Akonadi)</translation>
    </message>
</context>
<context>
    <name>TaskDetails</name>
    <message>
        <source>Accepted</source>
        <translation>Принято</translation>
    </message>
    <message>
        <source>Tentative</source>
        <translation>Под вопросом</translation>
    </message>
    <message>
        <source>Declined</source>
        <translation>Отклонено</translation>
    </message>
    <message>
        <source>Delegated</source>
        <translation>Передано</translation>
    </message>
    <message>
        <source>Not answered</source>
        <translation>Нет ответа</translation>
    </message>
    <message>
        <source>You accepted</source>
        <translation>Вы приняли</translation>
    </message>
    <message>
        <source>You said maybe</source>
        <translation>Вы ответили «может быть»</translation>
    </message>
    <message>
        <source>You declined</source>
        <translation>Вы отклонили</translation>
    </message>
    <message>
        <source>You have not answered</source>
        <translation>Вы не ответили</translation>
    </message>
    <message>
        <source>Event details</source>
        <translation>Сведения о событии</translation>
    </message>
    <message>
        <source>Title</source>
        <translation>Название</translation>
    </message>
    <message>
        <source>Date and time</source>
        <translation>Дата и время</translation>
    </message>
    <message>
        <source>Location</source>
        <translation>Место</translation>
    </message>
    <message>
        <source>Calendar</source>
        <translation>Календарь</translation>
    </message>
    <message>
        <source>Your reply</source>
        <translation>Ваш ответ</translation>
    </message>
    <message>
        <source>Read-only calendar</source>
        <translation>Календарь только для чтения</translation>
    </message>
    <message>
        <source>This calendar is read-only: your answer cannot be saved here.</source>
        <translation>Этот календарь только для чтения: ваш ответ нельзя сохранить здесь.</translation>
    </message>
    <message>
        <source>Accept</source>
        <translation>Принять</translation>
    </message>
    <message>
        <source>Maybe</source>
        <translation>Может быть</translation>
    </message>
    <message>
        <source>Decline</source>
        <translation>Отклонить</translation>
    </message>
    <message>
        <source>Join</source>
        <translation>Подключиться</translation>
    </message>
    <message>
        <source>Join the online meeting</source>
        <translation>Подключиться к онлайн-встрече</translation>
    </message>
    <message>
        <source>Open in calendar</source>
        <translation>Открыть в календаре</translation>
    </message>
    <message>
        <source>Edit…</source>
        <translation>Изменить…</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>Изменить</translation>
    </message>
    <message>
        <source>Organizer and attendees</source>
        <translation>Организатор и участники</translation>
    </message>
    <message>
        <source>Description</source>
        <translation>Описание</translation>
    </message>
    <message>
        <source>Organizer: %1</source>
        <translation>Организатор: %1</translation>
    </message>
    <message>
        <source>Show all %1</source>
        <translation>Показать всех (%1)</translation>
    </message>
    <message>
        <source>%1, week %2</source>
        <extracomment>The details&apos; date and time, then the ISO week number of the begin</extracomment>
        <translation>%1, неделя %2</translation>
    </message>
</context>
<context>
    <name>TaskItem</name>
    <message>
        <source>Join</source>
        <translation>Подключиться</translation>
    </message>
    <message>
        <source>Join the meeting</source>
        <translation>Подключиться к встрече</translation>
    </message>
    <message>
        <source>Its calendar is read-only: the tick is kept in this widget alone.</source>
        <translation>Календарь только для чтения: отметка хранится только в этом виджете.</translation>
    </message>
    <message>
        <source>No date</source>
        <translation>Без даты</translation>
    </message>
    <message>
        <source>ticked</source>
        <translation>отмечено</translation>
    </message>
    <message>
        <source>countdown 1 minute</source>
        <translation>обратный отсчёт 1 минута</translation>
    </message>
    <message>
        <source>countdown %1 minutes</source>
        <translation>обратный отсчёт, минут: %1</translation>
    </message>
    <message>
        <source>countdown set</source>
        <translation>обратный отсчёт включён</translation>
    </message>
    <message>
        <source>pinned</source>
        <translation>закреплено</translation>
    </message>
    <message>
        <source>overdue</source>
        <translation>просрочено</translation>
    </message>
    <message>
        <source>tentative</source>
        <translation>под вопросом</translation>
    </message>
    <message>
        <source>not answered</source>
        <translation>нет ответа</translation>
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
    <message>
        <source>Edit…</source>
        <translation>Изменить…</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Удалить</translation>
    </message>
    <message>
        <source>This occurrence</source>
        <translation>Это повторение</translation>
    </message>
    <message>
        <source>All occurrences</source>
        <translation>Все повторения</translation>
    </message>
    <message>
        <source>Details…</source>
        <translation>Подробности…</translation>
    </message>
    <message>
        <source>Join</source>
        <translation>Подключиться</translation>
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
