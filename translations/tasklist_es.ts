<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es">
<context>
    <name>MainWindow</name>
    <message>
        <source>Overview</source>
        <translation>Vista general</translation>
    </message>
    <message>
        <source>Open calendar</source>
        <translation>Abrir calendario</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Configuración</translation>
    </message>
    <message>
        <source>Recent days</source>
        <translation>Días recientes</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Cerrar</translation>
    </message>
</context>
<context>
    <name>ReminderRules</name>
    <message>
        <source>%1, all day</source>
        <translation>%1, todo el día</translation>
    </message>
    <message numerus="yes">
        <source>Began at %1, %n minute(s) ago</source>
        <translation>
            <numerusform>Inicio: %1, hace %n minuto</numerusform>
            <numerusform>Inicio: %1, hace %n minutos</numerusform>
        </translation>
    </message>
    <message>
        <source>Begins at %1</source>
        <translation>Inicio: %1</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Abrir</translation>
    </message>
    <message>
        <source>Snooze</source>
        <translation>Posponer</translation>
    </message>
    <message>
        <source>Dismiss</source>
        <translation>Descartar</translation>
    </message>
</context>
<context>
    <name>SettingsWindow</name>
    <message>
        <source>Start when I log in</source>
        <translation>Arrancar al iniciar la sesión</translation>
    </message>
    <message>
        <source>Keep the widget where I put it</source>
        <translation>Recordar la posición en el escritorio</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Configuración</translation>
    </message>
    <message>
        <source>&amp;Colours</source>
        <translation>&amp;Colores</translation>
    </message>
    <message>
        <source>Cannot change the start at login: %1</source>
        <translation>No se puede cambiar el arranque al iniciar la sesión: %1</translation>
    </message>
    <message>
        <source>Colours</source>
        <translation>Colores</translation>
    </message>
    <message>
        <source>Follow the desktop</source>
        <translation>Como el escritorio</translation>
    </message>
    <message>
        <source>Light</source>
        <translation>Claro</translation>
    </message>
    <message>
        <source>Dark</source>
        <translation>Oscuro</translation>
    </message>
    <message>
        <source>Calendars</source>
        <translation>Calendarios</translation>
    </message>
    <message>
        <source>Add file…</source>
        <translation>Añadir archivo…</translation>
    </message>
    <message>
        <source>Add folder…</source>
        <translation>Añadir carpeta…</translation>
    </message>
    <message>
        <source>Add URL…</source>
        <translation>Añadir URL…</translation>
    </message>
    <message>
        <source>Subscribe to a calendar</source>
        <translation>Suscribirse a un calendario</translation>
    </message>
    <message>
        <source>Address (https:// or webcal://):</source>
        <translation>Dirección (https:// o webcal://):</translation>
    </message>
    <message>
        <source>%1 is not an https://, http:// or webcal:// address</source>
        <translation>%1 no es una dirección https://, http:// o webcal://</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Quitar</translation>
    </message>
    <message>
        <source>C&amp;alendars</source>
        <translation>C&amp;alendarios</translation>
    </message>
    <message>
        <source>tasklist-dataserver serves these calendars when it starts.</source>
        <translation>tasklist-dataserver ofrece estos calendarios al arrancar.</translation>
    </message>
    <message>
        <source>tasklist-dataserver serves these calendars; changes apply at once.</source>
        <translation>tasklist-dataserver ofrece estos calendarios; los cambios se aplican al momento.</translation>
    </message>
    <message>
        <source>The calendars are served by %1; change them there.</source>
        <translation>Los calendarios los ofrece %1; cámbielos allí.</translation>
    </message>
    <message>
        <source>Add a calendar file</source>
        <translation>Añadir un archivo de calendario</translation>
    </message>
    <message>
        <source>iCalendar files (*.ics)</source>
        <translation>Archivos iCalendar (*.ics)</translation>
    </message>
    <message>
        <source>Add a folder of calendar files</source>
        <translation>Añadir una carpeta de archivos de calendario</translation>
    </message>
    <message>
        <source>Cannot add the calendar: %1</source>
        <translation>No se puede añadir el calendario: %1</translation>
    </message>
    <message>
        <source>Cannot remove the calendar: %1</source>
        <translation>No se puede quitar el calendario: %1</translation>
    </message>
    <message>
        <source>tasklist-dataserver serves the calendars of its command line now; it serves these when it starts without any.</source>
        <translation>tasklist-dataserver ofrece ahora los calendarios de su línea de comandos; ofrece estos cuando arranca sin ninguno.</translation>
    </message>
    <message>
        <source>Cannot save the settings: %1</source>
        <translation>No se puede guardar la configuración: %1</translation>
    </message>
    <message>
        <source>Remind me of my tasks</source>
        <translation>Recordarme mis tareas</translation>
    </message>
    <message>
        <source>Snooze length in minutes</source>
        <translation>Tiempo de posposición en minutos</translation>
    </message>
    <message>
        <source> min</source>
        <translation> min</translation>
    </message>
    <message>
        <source>Play the alarm sound</source>
        <translation>Reproducir el sonido de alarma</translation>
    </message>
    <message>
        <source>Remind of calendars the desktop already reminds of</source>
        <translation>Recordar también los calendarios cuyos avisos ya muestra el escritorio</translation>
    </message>
    <message>
        <source>This applies to the desktop&apos;s (Evolution) calendars, whose own alarm service reminds of them already.</source>
        <translation>Se refiere a los calendarios del escritorio (Evolution), cuyos avisos ya muestra su propio servicio de alarmas.</translation>
    </message>
    <message>
        <source>S&amp;nooze for</source>
        <translation>&amp;Posponer</translation>
    </message>
    <message>
        <source>&amp;Reminders</source>
        <translation>&amp;Recordatorios</translation>
    </message>
    <message>
        <source>Calendars shown in the widget</source>
        <translation>Calendarios mostrados en el widget</translation>
    </message>
    <message>
        <source>Sho&amp;wn in the widget</source>
        <translation>Mostrados en el &amp;widget</translation>
    </message>
    <message>
        <source>The calendars are listed here while the data server runs.</source>
        <translation>Los calendarios se muestran aquí mientras el servidor de datos está en marcha.</translation>
    </message>
    <message>
        <source>Dates and times</source>
        <translation>Fechas y horas</translation>
    </message>
    <message>
        <source>%1 (as ever)</source>
        <translation>%1 (como siempre)</translation>
    </message>
    <message>
        <source>%1 (as my language has it)</source>
        <translation>%1 (como en mi idioma)</translation>
    </message>
    <message>
        <source>%1 (24-hour)</source>
        <translation>%1 (24 horas)</translation>
    </message>
    <message>
        <source>%1 (12-hour)</source>
        <translation>%1 (12 horas)</translation>
    </message>
    <message>
        <source>Background opacity</source>
        <translation>Opacidad del fondo</translation>
    </message>
    <message>
        <source>Text as large as the desktop&apos;s</source>
        <translation>Texto del tamaño del escritorio</translation>
    </message>
    <message>
        <source>Text size in points</source>
        <translation>Tamaño del texto en puntos</translation>
    </message>
    <message>
        <source>&amp;Dates and times</source>
        <translation>&amp;Fechas y horas</translation>
    </message>
    <message>
        <source>Background &amp;opacity</source>
        <translation>&amp;Opacidad del fondo</translation>
    </message>
    <message>
        <source>&amp;Text size</source>
        <translation>&amp;Tamaño del texto</translation>
    </message>
</context>
<context>
    <name>TaskMenu</name>
    <message>
        <source>在日历中打开</source>
        <translation>Abrir en el calendario</translation>
    </message>
    <message>
        <source>倒计时模式</source>
        <translation>Modo cuenta atrás</translation>
    </message>
    <message>
        <source>置顶模式</source>
        <translation>Modo fijado</translation>
    </message>
    <message>
        <source>正常模式</source>
        <translation>Modo normal</translation>
    </message>
</context>
<context>
    <name>Zyk::Widget::ZTitlebar</name>
    <message>
        <source>Menu</source>
        <translation>Menú</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Cerrar</translation>
    </message>
</context>
</TS>
