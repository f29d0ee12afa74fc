<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="pt_BR">
<context>
    <name>MainWindow</name>
    <message>
        <source>Overview</source>
        <translation>Visão geral</translation>
    </message>
    <message>
        <source>Open calendar</source>
        <translation>Abrir calendário</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Configurações</translation>
    </message>
    <message>
        <source>Recent days</source>
        <translation>Dias recentes</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Fechar</translation>
    </message>
</context>
<context>
    <name>ReminderRules</name>
    <message>
        <source>%1, all day</source>
        <translation>%1, dia inteiro</translation>
    </message>
    <message numerus="yes">
        <source>Began at %1, %n minute(s) ago</source>
        <translation>
            <numerusform>Início: %1, há %n minuto</numerusform>
            <numerusform>Início: %1, há %n minutos</numerusform>
        </translation>
    </message>
    <message>
        <source>Begins at %1</source>
        <translation>Início: %1</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Abrir</translation>
    </message>
    <message>
        <source>Snooze</source>
        <translation>Adiar</translation>
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
        <translation>Iniciar ao entrar na sessão</translation>
    </message>
    <message>
        <source>Keep the widget where I put it</source>
        <translation>Lembrar a posição na área de trabalho</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Configurações</translation>
    </message>
    <message>
        <source>&amp;Colours</source>
        <translation>&amp;Cores</translation>
    </message>
    <message>
        <source>Cannot change the start at login: %1</source>
        <translation>Não foi possível alterar o início ao entrar na sessão: %1</translation>
    </message>
    <message>
        <source>Colours</source>
        <translation>Cores</translation>
    </message>
    <message>
        <source>Follow the desktop</source>
        <translation>Como a área de trabalho</translation>
    </message>
    <message>
        <source>Light</source>
        <translation>Claro</translation>
    </message>
    <message>
        <source>Dark</source>
        <translation>Escuro</translation>
    </message>
    <message>
        <source>Calendars</source>
        <translation>Calendários</translation>
    </message>
    <message>
        <source>Add file…</source>
        <translation>Adicionar arquivo…</translation>
    </message>
    <message>
        <source>Add folder…</source>
        <translation>Adicionar pasta…</translation>
    </message>
    <message>
        <source>Add URL…</source>
        <translation>Adicionar URL…</translation>
    </message>
    <message>
        <source>Subscribe to a calendar</source>
        <translation>Assinar um calendário</translation>
    </message>
    <message>
        <source>Address (https:// or webcal://):</source>
        <translation>Endereço (https:// ou webcal://):</translation>
    </message>
    <message>
        <source>%1 is not an https://, http:// or webcal:// address</source>
        <translation>%1 não é um endereço https://, http:// ou webcal://</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Remover</translation>
    </message>
    <message>
        <source>C&amp;alendars</source>
        <translation>C&amp;alendários</translation>
    </message>
    <message>
        <source>tasklist-dataserver serves these calendars when it starts.</source>
        <translation>O tasklist-dataserver fornece estes calendários ao iniciar.</translation>
    </message>
    <message>
        <source>tasklist-dataserver serves these calendars; changes apply at once.</source>
        <translation>O tasklist-dataserver fornece estes calendários; as alterações são aplicadas imediatamente.</translation>
    </message>
    <message>
        <source>The calendars are served by %1; change them there.</source>
        <translation>Os calendários são fornecidos por %1; altere-os lá.</translation>
    </message>
    <message>
        <source>Add a calendar file</source>
        <translation>Adicionar um arquivo de calendário</translation>
    </message>
    <message>
        <source>iCalendar files (*.ics)</source>
        <translation>Arquivos iCalendar (*.ics)</translation>
    </message>
    <message>
        <source>Add a folder of calendar files</source>
        <translation>Adicionar uma pasta de arquivos de calendário</translation>
    </message>
    <message>
        <source>Cannot add the calendar: %1</source>
        <translation>Não foi possível adicionar o calendário: %1</translation>
    </message>
    <message>
        <source>Cannot remove the calendar: %1</source>
        <translation>Não foi possível remover o calendário: %1</translation>
    </message>
    <message>
        <source>tasklist-dataserver serves the calendars of its command line now; it serves these when it starts without any.</source>
        <translation>O tasklist-dataserver fornece agora os calendários da sua linha de comando; ele fornece estes quando inicia sem nenhum.</translation>
    </message>
    <message>
        <source>Cannot save the settings: %1</source>
        <translation>Não foi possível salvar as configurações: %1</translation>
    </message>
    <message>
        <source>Remind me of my tasks</source>
        <translation>Lembrar-me das minhas tarefas</translation>
    </message>
    <message>
        <source>Snooze length in minutes</source>
        <translation>Tempo de adiamento em minutos</translation>
    </message>
    <message>
        <source> min</source>
        <translation> min</translation>
    </message>
    <message>
        <source>Play the alarm sound</source>
        <translation>Tocar o som de alarme</translation>
    </message>
    <message>
        <source>Remind of calendars the desktop already reminds of</source>
        <translation>Lembrar também dos calendários cujos lembretes a área de trabalho já mostra</translation>
    </message>
    <message>
        <source>This applies to the desktop&apos;s (Evolution) calendars, whose own alarm service reminds of them already.</source>
        <translation>Isto vale para os calendários da área de trabalho (Evolution), cujos lembretes o próprio serviço de alarmes dela já mostra.</translation>
    </message>
    <message>
        <source>S&amp;nooze for</source>
        <translation>A&amp;diar por</translation>
    </message>
    <message>
        <source>&amp;Reminders</source>
        <translation>&amp;Lembretes</translation>
    </message>
    <message>
        <source>Calendars shown in the widget</source>
        <translation>Agendas exibidas no widget</translation>
    </message>
    <message>
        <source>Sho&amp;wn in the widget</source>
        <translation>Exibidas no &amp;widget</translation>
    </message>
    <message>
        <source>The calendars are listed here while the data server runs.</source>
        <translation>As agendas são listadas aqui enquanto o servidor de dados está em execução.</translation>
    </message>
    <message>
        <source>Dates and times</source>
        <translation>Datas e horas</translation>
    </message>
    <message>
        <source>%1 (as ever)</source>
        <translation>%1 (como sempre)</translation>
    </message>
    <message>
        <source>%1 (as my language has it)</source>
        <translation>%1 (como no meu idioma)</translation>
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
        <translation>Opacidade do fundo</translation>
    </message>
    <message>
        <source>Text as large as the desktop&apos;s</source>
        <translation>Texto do tamanho do da área de trabalho</translation>
    </message>
    <message>
        <source>Text size in points</source>
        <translation>Tamanho do texto em pontos</translation>
    </message>
    <message>
        <source>&amp;Dates and times</source>
        <translation>&amp;Datas e horas</translation>
    </message>
    <message>
        <source>Background &amp;opacity</source>
        <translation>&amp;Opacidade do fundo</translation>
    </message>
    <message>
        <source>&amp;Text size</source>
        <translation>&amp;Tamanho do texto</translation>
    </message>
</context>
<context>
    <name>TaskMenu</name>
    <message>
        <source>在日历中打开</source>
        <translation>Abrir no calendário</translation>
    </message>
    <message>
        <source>倒计时模式</source>
        <translation>Modo contagem regressiva</translation>
    </message>
    <message>
        <source>置顶模式</source>
        <translation>Modo fixado</translation>
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
        <translation>Menu</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Fechar</translation>
    </message>
</context>
</TS>
