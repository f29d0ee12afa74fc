<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es">
<context>
    <name>AccountSetup</name>
    <message>
        <source>“%1” is not a server address.</source>
        <translation>«%1» no es una dirección de servidor.</translation>
    </message>
    <message>
        <source>%1 is not encrypted: the password would cross the network readable. Use https://.</source>
        <translation>%1 no está cifrado: la contraseña viajaría legible por la red. Use https://.</translation>
    </message>
    <message>
        <source>The server %1 cannot be reached. Check the address and the network.</source>
        <translation>No se puede contactar con el servidor %1. Compruebe la dirección y la red.</translation>
    </message>
    <message>
        <source>%1 answers, but it is not a CalDAV server. Try the CalDAV address your provider gives.</source>
        <translation>%1 responde, pero no es un servidor CalDAV. Pruebe la dirección CalDAV que indica su proveedor.</translation>
    </message>
    <message>
        <source>Wrong user name or password. iCloud, Fastmail and others need an app password here.</source>
        <translation>Nombre de usuario o contraseña incorrectos. iCloud, Fastmail y otros necesitan aquí una contraseña de aplicación.</translation>
    </message>
    <message>
        <source>The server&apos;s TLS certificate is not to be trusted (expired, self-signed or for another name).</source>
        <translation>El certificado TLS del servidor no es de confianza (caducado, autofirmado o emitido para otro nombre).</translation>
    </message>
    <message>
        <source>Adding the account was cancelled.</source>
        <translation>Se ha cancelado la adición de la cuenta.</translation>
    </message>
    <message>
        <source>Connecting to %1…</source>
        <translation>Conectando con %1…</translation>
    </message>
    <message numerus="yes">
        <source>Found %n calendar(s); keeping the password in the keyring…</source>
        <translation>
            <numerusform>Se encontró %n calendario; guardando la contraseña en el depósito de claves…</numerusform>
            <numerusform>Se encontraron %n calendarios; guardando la contraseña en el depósito de claves…</numerusform>
        </translation>
    </message>
    <message>
        <source>Calendar account %1 at %2</source>
        <translation>Cuenta de calendario %1 en %2</translation>
    </message>
    <message>
        <source>No keyring (Secret Service) runs on this desktop, and the password is never kept in a file: the account is not added. Start GNOME Keyring, KWallet or KeePassXC&apos;s Secret Service, then try again.</source>
        <translation>No hay ningún depósito de claves (Secret Service) en marcha en este escritorio, y la contraseña nunca se guarda en un archivo: no se añade la cuenta. Inicie GNOME Keyring, KWallet o el Secret Service de KeePassXC y vuelva a intentarlo.</translation>
    </message>
    <message>
        <source>The keyring did not take the password: %1</source>
        <translation>El depósito de claves no aceptó la contraseña: %1</translation>
    </message>
    <message>
        <source>Cannot save the account: %1</source>
        <translation>No se puede guardar la cuenta: %1</translation>
    </message>
    <message numerus="yes">
        <source>Found %n calendar(s); first sync…</source>
        <translation>
            <numerusform>Se encontró %n calendario; primera sincronización…</numerusform>
            <numerusform>Se encontraron %n calendarios; primera sincronización…</numerusform>
        </translation>
    </message>
    <message>
        <source>The password goes to the keyring through secret-tool, which is not installed: the account is not added. Install the libsecret-tools package, then try again.</source>
        <translation>La contraseña va al depósito de claves a través de secret-tool, que no está instalado: no se añade la cuenta. Instale el paquete libsecret-tools y vuelva a intentarlo.</translation>
    </message>
</context>
<context>
    <name>AccountsSection</name>
    <message>
        <source>Add account</source>
        <translation>Añadir cuenta</translation>
    </message>
    <message>
        <source>Remove account</source>
        <translation>Quitar cuenta</translation>
    </message>
    <message>
        <source>&amp;Online accounts</source>
        <translation>C&amp;uentas en línea</translation>
    </message>
    <message>
        <source>Server, e.g. cloud.example.org</source>
        <translation>Servidor, p. ej. cloud.example.org</translation>
    </message>
    <message>
        <source>Server address</source>
        <translation>Dirección del servidor</translation>
    </message>
    <message>
        <source>User name</source>
        <translation>Nombre de usuario</translation>
    </message>
    <message>
        <source>Password or app password</source>
        <translation>Contraseña o contraseña de aplicación</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>Contraseña</translation>
    </message>
    <message>
        <source>Online accounts and their calendars</source>
        <translation>Cuentas en línea y sus calendarios</translation>
    </message>
    <message>
        <source>The password could not be taken out of the keyring: %1</source>
        <translation>No se pudo quitar la contraseña del depósito de claves: %1</translation>
    </message>
    <message>
        <source>Enter the server&apos;s address, your user name and your password.</source>
        <translation>Introduzca la dirección del servidor, su nombre de usuario y su contraseña.</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>Cannot remove the account: %1</source>
        <translation>No se puede quitar la cuenta: %1</translation>
    </message>
    <message>
        <source>The account %1 is removed.</source>
        <translation>Se ha quitado la cuenta %1.</translation>
    </message>
    <message>
        <source>Cannot change the account: %1</source>
        <translation>No se puede cambiar la cuenta: %1</translation>
    </message>
    <message>
        <source>%1 at %2</source>
        <translation>%1 en %2</translation>
    </message>
    <message>
        <source>%1 at %2 — sync failed: %3</source>
        <translation>%1 en %2 — falló la sincronización: %3</translation>
    </message>
    <message>
        <source>%1 (to-dos)</source>
        <translation>%1 (tareas)</translation>
    </message>
    <message numerus="yes">
        <source>%1: %n calendar(s) synced.</source>
        <translation>
            <numerusform>%1: %n calendario sincronizado.</numerusform>
            <numerusform>%1: %n calendarios sincronizados.</numerusform>
        </translation>
    </message>
    <message>
        <source>The first sync failed: %1</source>
        <translation>Falló la primera sincronización: %1</translation>
    </message>
    <message>
        <source>The password could not be taken out of the keyring: secret-tool (the libsecret-tools package) is not installed.</source>
        <translation>No se pudo quitar la contraseña del depósito de claves: secret-tool (el paquete libsecret-tools) no está instalado.</translation>
    </message>
</context>
<context>
    <name>EventActions</name>
    <message>
        <source>&amp;Undo</source>
        <translation>&amp;Deshacer</translation>
    </message>
    <message>
        <source>New event…</source>
        <translation>Evento nuevo…</translation>
    </message>
    <message>
        <source>“%1” deleted.</source>
        <translation>«%1» eliminado.</translation>
    </message>
    <message>
        <source>“%1” was not deleted: its calendar is read-only.</source>
        <translation>«%1» no se ha eliminado: su calendario es de solo lectura.</translation>
    </message>
    <message>
        <source>“%1” could not be deleted.</source>
        <translation>«%1» no se pudo eliminar.</translation>
    </message>
    <message>
        <source>Your answer to “%1” was not saved: its calendar is read-only.</source>
        <translation>Tu respuesta a «%1» no se guardó: su calendario es de solo lectura.</translation>
    </message>
    <message>
        <source>Your answer to “%1” could not be saved.</source>
        <translation>No se pudo guardar tu respuesta a «%1».</translation>
    </message>
    <message>
        <source>Your answer to “%1” could not be sent.</source>
        <translation>No se pudo enviar tu respuesta a «%1».</translation>
    </message>
    <message>
        <source>“%1” completed.</source>
        <translation>«%1» completada.</translation>
    </message>
    <message>
        <source>“%1” open again.</source>
        <translation>«%1» abierta de nuevo.</translation>
    </message>
    <message>
        <source>“%1” is ticked here alone: its calendar is read-only.</source>
        <translation>«%1» solo se marca aquí: su calendario es de solo lectura.</translation>
    </message>
    <message>
        <source>“%1” could not be completed in its calendar.</source>
        <translation>No se pudo completar «%1» en su calendario.</translation>
    </message>
    <message>
        <source>“%1” could not be opened again in its calendar.</source>
        <translation>No se pudo volver a abrir «%1» en su calendario.</translation>
    </message>
</context>
<context>
    <name>EventEditor</name>
    <message>
        <source>No reminder</source>
        <translation>Sin recordatorio</translation>
    </message>
    <message>
        <source>On the day</source>
        <translation>El mismo día</translation>
    </message>
    <message numerus="yes">
        <source>%n week(s) before</source>
        <translation>
            <numerusform>%n semana antes</numerusform>
            <numerusform>%n semanas antes</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n day(s) before</source>
        <translation>
            <numerusform>%n día antes</numerusform>
            <numerusform>%n días antes</numerusform>
        </translation>
    </message>
    <message>
        <source>At the start</source>
        <translation>Al comienzo</translation>
    </message>
    <message numerus="yes">
        <source>%n hour(s) before</source>
        <translation>
            <numerusform>%n hora antes</numerusform>
            <numerusform>%n horas antes</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n minute(s) before</source>
        <translation>
            <numerusform>%n minuto antes</numerusform>
            <numerusform>%n minutos antes</numerusform>
        </translation>
    </message>
    <message>
        <source>This calendar is read-only (a subscription, or one its owner keeps read-only): the event cannot be saved in it.</source>
        <translation>Este calendario es de solo lectura (una suscripción, o uno que su propietario mantiene de solo lectura): el evento no se puede guardar en él.</translation>
    </message>
    <message>
        <source>Another program changed this calendar a moment ago. It has been read again: press Save to try once more.</source>
        <translation>Otro programa acaba de cambiar este calendario. Se ha vuelto a leer: pulse «Guardar» para intentarlo de nuevo.</translation>
    </message>
    <message>
        <source>This event is no longer in its calendar: it was deleted elsewhere.</source>
        <translation>Este evento ya no está en su calendario: se eliminó en otro lugar.</translation>
    </message>
    <message>
        <source>The calendar service does not answer, so nothing was saved. Try again once it is back.</source>
        <translation>El servicio de calendario no responde, así que no se ha guardado nada. Inténtelo de nuevo cuando vuelva.</translation>
    </message>
    <message>
        <source>The calendar cannot hold the event as it is: check its times and text.</source>
        <translation>El calendario no puede guardar el evento tal como está: revise sus horas y su texto.</translation>
    </message>
    <message>
        <source>The calendar could not be written, so nothing was saved.</source>
        <translation>No se pudo escribir el calendario, así que no se ha guardado nada.</translation>
    </message>
    <message>
        <source>Give the event a title.</source>
        <translation>Ponga un título al evento.</translation>
    </message>
    <message>
        <source>The event ends before it starts.</source>
        <translation>El evento termina antes de empezar.</translation>
    </message>
    <message>
        <source>The repetition ends before the event starts.</source>
        <translation>La repetición termina antes de que empiece el evento.</translation>
    </message>
    <message>
        <source>New event</source>
        <translation>Evento nuevo</translation>
    </message>
    <message>
        <source>Edit event</source>
        <translation>Editar evento</translation>
    </message>
    <message>
        <source>Title</source>
        <translation>Título</translation>
    </message>
    <message>
        <source>&amp;All day</source>
        <translation>Todo el &amp;día</translation>
    </message>
    <message>
        <source>All day</source>
        <translation>Todo el día</translation>
    </message>
    <message>
        <source>Reminder</source>
        <translation>Recordatorio</translation>
    </message>
    <message>
        <source>Reminder time</source>
        <translation>Hora del recordatorio</translation>
    </message>
    <message>
        <source>Calendar</source>
        <translation>Calendario</translation>
    </message>
    <message>
        <source>Description</source>
        <translation>Descripción</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Guardar</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>&amp;Title</source>
        <translation>&amp;Título</translation>
    </message>
    <message>
        <source>&amp;Reminder</source>
        <translation>&amp;Recordatorio</translation>
    </message>
    <message>
        <source>Ca&amp;lendar</source>
        <translation>&amp;Calendario</translation>
    </message>
    <message>
        <source>&amp;Description</source>
        <translation>Descripció&amp;n</translation>
    </message>
    <message>
        <source>Start date</source>
        <translation>Fecha de inicio</translation>
    </message>
    <message>
        <source>Start time</source>
        <translation>Hora de inicio</translation>
    </message>
    <message>
        <source>End date</source>
        <translation>Fecha de fin</translation>
    </message>
    <message>
        <source>End time</source>
        <translation>Hora de fin</translation>
    </message>
    <message>
        <source>&amp;Starts</source>
        <translation>&amp;Inicio</translation>
    </message>
    <message>
        <source>&amp;Ends</source>
        <translation>&amp;Fin</translation>
    </message>
    <message>
        <source>Repeat</source>
        <translation>Repetir</translation>
    </message>
    <message>
        <source>Does not repeat</source>
        <translation>No se repite</translation>
    </message>
    <message>
        <source>Daily</source>
        <translation>Cada día</translation>
    </message>
    <message>
        <source>Every workday</source>
        <translation>Cada día laborable</translation>
    </message>
    <message>
        <source>Weekly</source>
        <translation>Cada semana</translation>
    </message>
    <message>
        <source>Monthly</source>
        <translation>Cada mes</translation>
    </message>
    <message>
        <source>Yearly</source>
        <translation>Cada año</translation>
    </message>
    <message>
        <source>Repetition ends</source>
        <translation>Fin de la repetición</translation>
    </message>
    <message>
        <source>Never</source>
        <translation>Nunca</translation>
    </message>
    <message>
        <source>After</source>
        <translation>Tras</translation>
    </message>
    <message>
        <source>On</source>
        <translation>El</translation>
    </message>
    <message>
        <source>Number of times</source>
        <translation>Número de veces</translation>
    </message>
    <message>
        <source> times</source>
        <translation> veces</translation>
    </message>
    <message>
        <source>Last date</source>
        <translation>Última fecha</translation>
    </message>
    <message>
        <source>Re&amp;peat</source>
        <translation>Re&amp;petir</translation>
    </message>
    <message>
        <source>This event repeats. Change only this occurrence, or all of them?</source>
        <translation>Este evento se repite. ¿Cambiar solo esta repetición o todas?</translation>
    </message>
    <message>
        <source>&amp;Only this one</source>
        <translation>&amp;Solo esta</translation>
    </message>
    <message>
        <source>Only this occurrence</source>
        <translation>Solo esta repetición</translation>
    </message>
    <message>
        <source>All occurrences</source>
        <translation>Todas las repeticiones</translation>
    </message>
    <message>
        <source>Sa&amp;ve</source>
        <translation>&amp;Guardar</translation>
    </message>
    <message>
        <source>All o&amp;ccurrences</source>
        <translation>&amp;Todas las repeticiones</translation>
    </message>
</context>
<context>
    <name>GlobalShortcut</name>
    <message>
        <source>Calendar widget</source>
        <translation>Widget de calendario</translation>
    </message>
    <message>
        <source>Show the panel and give it the keyboard</source>
        <translation>Mostrar el panel y darle el teclado</translation>
    </message>
    <message>
        <source>Show the calendar panel and give it the keyboard</source>
        <translation>Mostrar el panel del calendario y darle el teclado</translation>
    </message>
</context>
<context>
    <name>JoinNext</name>
    <message>
        <source>The calendar data server does not answer.</source>
        <translation>El servidor de datos del calendario no responde.</translation>
    </message>
    <message>
        <source>No meeting is running or begins in the next 10 minutes.</source>
        <translation>No hay ninguna reunión en curso ni que empiece en los próximos 10 minutos.</translation>
    </message>
    <message>
        <source>Joining “%1”: %2</source>
        <translation>Uniéndose a «%1»: %2</translation>
    </message>
    <message>
        <source>No program opens the meeting&apos;s link.</source>
        <translation>Ningún programa abre el enlace de la reunión.</translation>
    </message>
</context>
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
    <message>
        <source>%1, week %2</source>
        <extracomment>The day button&apos;s tooltip: the date, then the ISO week number</extracomment>
        <translation>%1, semana %2</translation>
    </message>
    <message>
        <source>Week %1</source>
        <translation>Semana %1</translation>
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
    <message>
        <source>Join</source>
        <translation>Unirse</translation>
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
        <source>&amp;Text size</source>
        <translation>&amp;Tamaño del texto</translation>
    </message>
    <message>
        <source>&amp;Background opacity</source>
        <translation>&amp;Opacidad del fondo</translation>
    </message>
    <message>
        <source>Online accounts cannot be added here: their module (%1) is not installed or does not load.</source>
        <translation>Aquí no se pueden añadir cuentas en línea: su módulo (%1) no está instalado o no se carga.</translation>
    </message>
    <message>
        <source>Invitations I declined</source>
        <translation>Invitaciones que rechacé</translation>
    </message>
    <message>
        <source>Hidden</source>
        <translation>Ocultas</translation>
    </message>
    <message>
        <source>Shown faintly</source>
        <translation>Atenuadas</translation>
    </message>
    <message>
        <source>Shown</source>
        <translation>Visibles</translation>
    </message>
    <message>
        <source>name@example.org</source>
        <translation>nombre@example.org</translation>
    </message>
    <message>
        <source>Invitations in calendar files and subscriptions name you by these addresses; online accounts and the desktop&apos;s calendars know theirs.</source>
        <translation>Las invitaciones de los archivos de calendario y las suscripciones te nombran por estas direcciones; las cuentas en línea y los calendarios del escritorio conocen las suyas.</translation>
    </message>
    <message>
        <source>&amp;Invitations I declined</source>
        <translation>&amp;Invitaciones que rechacé</translation>
    </message>
    <message>
        <source>My &amp;e-mail addresses</source>
        <translation>Mis &amp;direcciones de correo</translation>
    </message>
    <message>
        <source>List to-dos without a date</source>
        <translation>Mostrar las tareas sin fecha</translation>
    </message>
    <message>
        <source>With the overview&apos;s first day, after the tasks that have a date.</source>
        <translation>Con el primer día del resumen, después de las tareas con fecha.</translation>
    </message>
    <message>
        <source>Show the &amp;week number in the overview</source>
        <translation>Mostrar el número de &amp;semana en el resumen</translation>
    </message>
    <message>
        <source>Key that gives the panel the keyboard</source>
        <translation>Tecla que da el teclado al panel</translation>
    </message>
    <message>
        <source>Anywhere on the desktop, where it offers global shortcuts; elsewhere bind a key of the desktop&apos;s to nvx-calendar-desktop-widget --focus.</source>
        <translation>En cualquier lugar del escritorio, donde ofrezca atajos globales; en otro caso, asigna una tecla del escritorio a nvx-calendar-desktop-widget --focus.</translation>
    </message>
    <message>
        <source>&amp;Keyboard</source>
        <translation>&amp;Teclado</translation>
    </message>
    <message>
        <source>The desktop&apos;s calendars: GNOME (Evolution)</source>
        <translation>Los calendarios del escritorio: GNOME (Evolution)</translation>
    </message>
    <message>
        <source>The desktop&apos;s calendars: KDE (Akonadi)</source>
        <translation>Los calendarios del escritorio: KDE (Akonadi)</translation>
    </message>
</context>
<context>
    <name>TaskDetails</name>
    <message>
        <source>Accepted</source>
        <translation>Aceptada</translation>
    </message>
    <message>
        <source>Tentative</source>
        <translation>Provisional</translation>
    </message>
    <message>
        <source>Declined</source>
        <translation>Rechazada</translation>
    </message>
    <message>
        <source>Delegated</source>
        <translation>Delegada</translation>
    </message>
    <message>
        <source>Not answered</source>
        <translation>Sin responder</translation>
    </message>
    <message>
        <source>You accepted</source>
        <translation>Aceptaste</translation>
    </message>
    <message>
        <source>You said maybe</source>
        <translation>Dijiste que quizá</translation>
    </message>
    <message>
        <source>You declined</source>
        <translation>Rechazaste</translation>
    </message>
    <message>
        <source>You have not answered</source>
        <translation>No has respondido</translation>
    </message>
    <message>
        <source>Event details</source>
        <translation>Detalles del evento</translation>
    </message>
    <message>
        <source>Title</source>
        <translation>Título</translation>
    </message>
    <message>
        <source>Date and time</source>
        <translation>Fecha y hora</translation>
    </message>
    <message>
        <source>Location</source>
        <translation>Lugar</translation>
    </message>
    <message>
        <source>Calendar</source>
        <translation>Calendario</translation>
    </message>
    <message>
        <source>Your reply</source>
        <translation>Tu respuesta</translation>
    </message>
    <message>
        <source>Read-only calendar</source>
        <translation>Calendario de solo lectura</translation>
    </message>
    <message>
        <source>This calendar is read-only: your answer cannot be saved here.</source>
        <translation>Este calendario es de solo lectura: tu respuesta no se puede guardar aquí.</translation>
    </message>
    <message>
        <source>Accept</source>
        <translation>Aceptar</translation>
    </message>
    <message>
        <source>Maybe</source>
        <translation>Quizá</translation>
    </message>
    <message>
        <source>Decline</source>
        <translation>Rechazar</translation>
    </message>
    <message>
        <source>Join</source>
        <translation>Unirse</translation>
    </message>
    <message>
        <source>Join the online meeting</source>
        <translation>Unirse a la reunión en línea</translation>
    </message>
    <message>
        <source>Open in calendar</source>
        <translation>Abrir en el calendario</translation>
    </message>
    <message>
        <source>Edit…</source>
        <translation>Editar…</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>Editar</translation>
    </message>
    <message>
        <source>Organizer and attendees</source>
        <translation>Organizador y asistentes</translation>
    </message>
    <message>
        <source>Description</source>
        <translation>Descripción</translation>
    </message>
    <message>
        <source>Organizer: %1</source>
        <translation>Organizador: %1</translation>
    </message>
    <message>
        <source>Show all %1</source>
        <translation>Mostrar los %1</translation>
    </message>
    <message>
        <source>%1, week %2</source>
        <extracomment>The details&apos; date and time, then the ISO week number of the begin</extracomment>
        <translation>%1, semana %2</translation>
    </message>
</context>
<context>
    <name>TaskItem</name>
    <message>
        <source>Join</source>
        <translation>Unirse</translation>
    </message>
    <message>
        <source>Join the meeting</source>
        <translation>Unirse a la reunión</translation>
    </message>
    <message>
        <source>Its calendar is read-only: the tick is kept in this widget alone.</source>
        <translation>Su calendario es de solo lectura: la marca se guarda solo en este widget.</translation>
    </message>
    <message>
        <source>No date</source>
        <translation>Sin fecha</translation>
    </message>
    <message>
        <source>ticked</source>
        <translation>marcada</translation>
    </message>
    <message>
        <source>countdown 1 minute</source>
        <translation>cuenta atrás 1 minuto</translation>
    </message>
    <message>
        <source>countdown %1 minutes</source>
        <translation>cuenta atrás %1 minutos</translation>
    </message>
    <message>
        <source>countdown set</source>
        <translation>cuenta atrás activada</translation>
    </message>
    <message>
        <source>pinned</source>
        <translation>fijada</translation>
    </message>
    <message>
        <source>overdue</source>
        <translation>vencida</translation>
    </message>
    <message>
        <source>tentative</source>
        <translation>provisional</translation>
    </message>
    <message>
        <source>not answered</source>
        <translation>sin responder</translation>
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
    <message>
        <source>Edit…</source>
        <translation>Editar…</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Eliminar</translation>
    </message>
    <message>
        <source>This occurrence</source>
        <translation>Esta repetición</translation>
    </message>
    <message>
        <source>All occurrences</source>
        <translation>Todas las repeticiones</translation>
    </message>
    <message>
        <source>Details…</source>
        <translation>Detalles…</translation>
    </message>
    <message>
        <source>Join</source>
        <translation>Unirse</translation>
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
