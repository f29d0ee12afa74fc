<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="pt_BR">
<context>
    <name>AccountSetup</name>
    <message>
        <source>“%1” is not a server address.</source>
        <translation>“%1” não é um endereço de servidor.</translation>
    </message>
    <message>
        <source>%1 is not encrypted: the password would cross the network readable. Use https://.</source>
        <translation>%1 não é criptografado: a senha trafegaria legível pela rede. Use https://.</translation>
    </message>
    <message>
        <source>The server %1 cannot be reached. Check the address and the network.</source>
        <translation>Não foi possível alcançar o servidor %1. Verifique o endereço e a rede.</translation>
    </message>
    <message>
        <source>%1 answers, but it is not a CalDAV server. Try the CalDAV address your provider gives.</source>
        <translation>%1 responde, mas não é um servidor CalDAV. Tente o endereço CalDAV informado pelo seu provedor.</translation>
    </message>
    <message>
        <source>Wrong user name or password. iCloud, Fastmail and others need an app password here.</source>
        <translation>Nome de usuário ou senha incorretos. iCloud, Fastmail e outros exigem aqui uma senha de aplicativo.</translation>
    </message>
    <message>
        <source>The server&apos;s TLS certificate is not to be trusted (expired, self-signed or for another name).</source>
        <translation>O certificado TLS do servidor não é confiável (expirado, autoassinado ou emitido para outro nome).</translation>
    </message>
    <message>
        <source>Adding the account was cancelled.</source>
        <translation>A adição da conta foi cancelada.</translation>
    </message>
    <message>
        <source>Connecting to %1…</source>
        <translation>Conectando a %1…</translation>
    </message>
    <message numerus="yes">
        <source>Found %n calendar(s); keeping the password in the keyring…</source>
        <translation>
            <numerusform>%n calendário encontrado; guardando a senha no chaveiro…</numerusform>
            <numerusform>%n calendários encontrados; guardando a senha no chaveiro…</numerusform>
        </translation>
    </message>
    <message>
        <source>Calendar account %1 at %2</source>
        <translation>Conta de calendário %1 em %2</translation>
    </message>
    <message>
        <source>No keyring (Secret Service) runs on this desktop, and the password is never kept in a file: the account is not added. Start GNOME Keyring, KWallet or KeePassXC&apos;s Secret Service, then try again.</source>
        <translation>Nenhum chaveiro (Secret Service) está em execução nesta área de trabalho, e a senha nunca é guardada em um arquivo: a conta não foi adicionada. Inicie o GNOME Keyring, o KWallet ou o Secret Service do KeePassXC e tente novamente.</translation>
    </message>
    <message>
        <source>The keyring did not take the password: %1</source>
        <translation>O chaveiro não aceitou a senha: %1</translation>
    </message>
    <message>
        <source>Cannot save the account: %1</source>
        <translation>Não foi possível salvar a conta: %1</translation>
    </message>
    <message numerus="yes">
        <source>Found %n calendar(s); first sync…</source>
        <translation>
            <numerusform>%n calendário encontrado; primeira sincronização…</numerusform>
            <numerusform>%n calendários encontrados; primeira sincronização…</numerusform>
        </translation>
    </message>
    <message>
        <source>The password goes to the keyring through secret-tool, which is not installed: the account is not added. Install the libsecret-tools package, then try again.</source>
        <translation>A senha vai para o chaveiro pelo secret-tool, que não está instalado: a conta não foi adicionada. Instale o pacote libsecret-tools e tente novamente.</translation>
    </message>
</context>
<context>
    <name>AccountsSection</name>
    <message>
        <source>Add account</source>
        <translation>Adicionar conta</translation>
    </message>
    <message>
        <source>Remove account</source>
        <translation>Remover conta</translation>
    </message>
    <message>
        <source>&amp;Online accounts</source>
        <translation>Contas o&amp;nline</translation>
    </message>
    <message>
        <source>Server, e.g. cloud.example.org</source>
        <translation>Servidor, p. ex. cloud.example.org</translation>
    </message>
    <message>
        <source>Server address</source>
        <translation>Endereço do servidor</translation>
    </message>
    <message>
        <source>User name</source>
        <translation>Nome de usuário</translation>
    </message>
    <message>
        <source>Password or app password</source>
        <translation>Senha ou senha de aplicativo</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>Senha</translation>
    </message>
    <message>
        <source>Online accounts and their calendars</source>
        <translation>Contas online e seus calendários</translation>
    </message>
    <message>
        <source>The password could not be taken out of the keyring: %1</source>
        <translation>Não foi possível remover a senha do chaveiro: %1</translation>
    </message>
    <message>
        <source>Enter the server&apos;s address, your user name and your password.</source>
        <translation>Digite o endereço do servidor, seu nome de usuário e sua senha.</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>Cannot remove the account: %1</source>
        <translation>Não foi possível remover a conta: %1</translation>
    </message>
    <message>
        <source>The account %1 is removed.</source>
        <translation>A conta %1 foi removida.</translation>
    </message>
    <message>
        <source>Cannot change the account: %1</source>
        <translation>Não foi possível alterar a conta: %1</translation>
    </message>
    <message>
        <source>%1 at %2</source>
        <translation>%1 em %2</translation>
    </message>
    <message>
        <source>%1 at %2 — sync failed: %3</source>
        <translation>%1 em %2 — falha na sincronização: %3</translation>
    </message>
    <message>
        <source>%1 (to-dos)</source>
        <translation>%1 (tarefas)</translation>
    </message>
    <message numerus="yes">
        <source>%1: %n calendar(s) synced.</source>
        <translation>
            <numerusform>%1: %n calendário sincronizado.</numerusform>
            <numerusform>%1: %n calendários sincronizados.</numerusform>
        </translation>
    </message>
    <message>
        <source>The first sync failed: %1</source>
        <translation>A primeira sincronização falhou: %1</translation>
    </message>
    <message>
        <source>The password could not be taken out of the keyring: secret-tool (the libsecret-tools package) is not installed.</source>
        <translation>Não foi possível remover a senha do chaveiro: o secret-tool (pacote libsecret-tools) não está instalado.</translation>
    </message>
</context>
<context>
    <name>EventActions</name>
    <message>
        <source>&amp;Undo</source>
        <translation>&amp;Desfazer</translation>
    </message>
    <message>
        <source>New event…</source>
        <translation>Novo evento…</translation>
    </message>
    <message>
        <source>“%1” deleted.</source>
        <translation>“%1” excluído.</translation>
    </message>
    <message>
        <source>“%1” was not deleted: its calendar is read-only.</source>
        <translation>“%1” não foi excluído: seu calendário é somente leitura.</translation>
    </message>
    <message>
        <source>“%1” could not be deleted.</source>
        <translation>“%1” não pôde ser excluído.</translation>
    </message>
    <message>
        <source>Your answer to “%1” was not saved: its calendar is read-only.</source>
        <translation>Sua resposta a “%1” não foi salva: a agenda é somente leitura.</translation>
    </message>
    <message>
        <source>Your answer to “%1” could not be saved.</source>
        <translation>Não foi possível salvar sua resposta a “%1”.</translation>
    </message>
    <message>
        <source>Your answer to “%1” could not be sent.</source>
        <translation>Não foi possível enviar sua resposta a “%1”.</translation>
    </message>
    <message>
        <source>“%1” completed.</source>
        <translation>“%1” concluída.</translation>
    </message>
    <message>
        <source>“%1” open again.</source>
        <translation>“%1” reaberta.</translation>
    </message>
    <message>
        <source>“%1” is ticked here alone: its calendar is read-only.</source>
        <translation>“%1” foi marcada só aqui: a agenda é somente leitura.</translation>
    </message>
    <message>
        <source>“%1” could not be completed in its calendar.</source>
        <translation>Não foi possível concluir “%1” na agenda.</translation>
    </message>
    <message>
        <source>“%1” could not be opened again in its calendar.</source>
        <translation>Não foi possível reabrir “%1” na agenda.</translation>
    </message>
</context>
<context>
    <name>EventEditor</name>
    <message>
        <source>No reminder</source>
        <translation>Sem lembrete</translation>
    </message>
    <message>
        <source>On the day</source>
        <translation>No mesmo dia</translation>
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
            <numerusform>%n dia antes</numerusform>
            <numerusform>%n dias antes</numerusform>
        </translation>
    </message>
    <message>
        <source>At the start</source>
        <translation>No início</translation>
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
        <translation>Este calendário é somente leitura (uma assinatura, ou um que o dono mantém somente leitura): o evento não pode ser salvo nele.</translation>
    </message>
    <message>
        <source>Another program changed this calendar a moment ago. It has been read again: press Save to try once more.</source>
        <translation>Outro programa acabou de alterar este calendário. Ele foi lido novamente: clique em “Salvar” para tentar mais uma vez.</translation>
    </message>
    <message>
        <source>This event is no longer in its calendar: it was deleted elsewhere.</source>
        <translation>Este evento não está mais no seu calendário: foi excluído em outro lugar.</translation>
    </message>
    <message>
        <source>The calendar service does not answer, so nothing was saved. Try again once it is back.</source>
        <translation>O serviço de calendário não responde, então nada foi salvo. Tente novamente quando ele voltar.</translation>
    </message>
    <message>
        <source>The calendar cannot hold the event as it is: check its times and text.</source>
        <translation>O calendário não aceita o evento como está: verifique os horários e o texto.</translation>
    </message>
    <message>
        <source>The calendar could not be written, so nothing was saved.</source>
        <translation>Não foi possível gravar o calendário, então nada foi salvo.</translation>
    </message>
    <message>
        <source>Give the event a title.</source>
        <translation>Dê um título ao evento.</translation>
    </message>
    <message>
        <source>The event ends before it starts.</source>
        <translation>O evento termina antes de começar.</translation>
    </message>
    <message>
        <source>The repetition ends before the event starts.</source>
        <translation>A repetição termina antes de o evento começar.</translation>
    </message>
    <message>
        <source>New event</source>
        <translation>Novo evento</translation>
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
        <translation>Dia inteir&amp;o</translation>
    </message>
    <message>
        <source>All day</source>
        <translation>Dia inteiro</translation>
    </message>
    <message>
        <source>Reminder</source>
        <translation>Lembrete</translation>
    </message>
    <message>
        <source>Reminder time</source>
        <translation>Hora do lembrete</translation>
    </message>
    <message>
        <source>Calendar</source>
        <translation>Calendário</translation>
    </message>
    <message>
        <source>Description</source>
        <translation>Descrição</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Salvar</translation>
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
        <translation>&amp;Lembrete</translation>
    </message>
    <message>
        <source>Ca&amp;lendar</source>
        <translation>&amp;Calendário</translation>
    </message>
    <message>
        <source>&amp;Description</source>
        <translation>&amp;Descrição</translation>
    </message>
    <message>
        <source>Start date</source>
        <translation>Data de início</translation>
    </message>
    <message>
        <source>Start time</source>
        <translation>Hora de início</translation>
    </message>
    <message>
        <source>End date</source>
        <translation>Data de término</translation>
    </message>
    <message>
        <source>End time</source>
        <translation>Hora de término</translation>
    </message>
    <message>
        <source>&amp;Starts</source>
        <translation>&amp;Início</translation>
    </message>
    <message>
        <source>&amp;Ends</source>
        <translation>&amp;Fim</translation>
    </message>
    <message>
        <source>Repeat</source>
        <translation>Repetir</translation>
    </message>
    <message>
        <source>Does not repeat</source>
        <translation>Não se repete</translation>
    </message>
    <message>
        <source>Daily</source>
        <translation>Diariamente</translation>
    </message>
    <message>
        <source>Every workday</source>
        <translation>Em dias úteis</translation>
    </message>
    <message>
        <source>Weekly</source>
        <translation>Semanalmente</translation>
    </message>
    <message>
        <source>Monthly</source>
        <translation>Mensalmente</translation>
    </message>
    <message>
        <source>Yearly</source>
        <translation>Anualmente</translation>
    </message>
    <message>
        <source>Repetition ends</source>
        <translation>Fim da repetição</translation>
    </message>
    <message>
        <source>Never</source>
        <translation>Nunca</translation>
    </message>
    <message>
        <source>After</source>
        <translation>Após</translation>
    </message>
    <message>
        <source>On</source>
        <translation>Em</translation>
    </message>
    <message>
        <source>Number of times</source>
        <translation>Número de vezes</translation>
    </message>
    <message>
        <source> times</source>
        <translation> vezes</translation>
    </message>
    <message>
        <source>Last date</source>
        <translation>Última data</translation>
    </message>
    <message>
        <source>Re&amp;peat</source>
        <translation>Re&amp;petir</translation>
    </message>
    <message>
        <source>This event repeats. Change only this occurrence, or all of them?</source>
        <translation>Este evento se repete. Alterar somente esta ocorrência ou todas?</translation>
    </message>
    <message>
        <source>&amp;Only this one</source>
        <translation>&amp;Somente esta</translation>
    </message>
    <message>
        <source>Only this occurrence</source>
        <translation>Somente esta ocorrência</translation>
    </message>
    <message>
        <source>All occurrences</source>
        <translation>Todas as ocorrências</translation>
    </message>
    <message>
        <source>Sa&amp;ve</source>
        <translation>&amp;Salvar</translation>
    </message>
    <message>
        <source>All o&amp;ccurrences</source>
        <translation>&amp;Todas as ocorrências</translation>
    </message>
</context>
<context>
    <name>GlobalShortcut</name>
    <message>
        <source>Calendar widget</source>
        <translation>Widget de agenda</translation>
    </message>
    <message>
        <source>Show the panel and give it the keyboard</source>
        <translation>Mostrar o painel e dar a ele o teclado</translation>
    </message>
    <message>
        <source>Show the calendar panel and give it the keyboard</source>
        <translation>Mostrar o painel da agenda e dar a ele o teclado</translation>
    </message>
</context>
<context>
    <name>JoinNext</name>
    <message>
        <source>The calendar data server does not answer.</source>
        <translation>O servidor de dados da agenda não responde.</translation>
    </message>
    <message>
        <source>No meeting is running or begins in the next 10 minutes.</source>
        <translation>Nenhuma reunião está acontecendo nem começa nos próximos 10 minutos.</translation>
    </message>
    <message>
        <source>Joining “%1”: %2</source>
        <translation>Entrando em “%1”: %2</translation>
    </message>
    <message>
        <source>No program opens the meeting&apos;s link.</source>
        <translation>Nenhum programa abre o link da reunião.</translation>
    </message>
</context>
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
    <message>
        <source>Join</source>
        <translation>Entrar</translation>
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
        <translation>Calendários exibidos no widget</translation>
    </message>
    <message>
        <source>Sho&amp;wn in the widget</source>
        <translation>Exibidos no &amp;widget</translation>
    </message>
    <message>
        <source>The calendars are listed here while the data server runs.</source>
        <translation>Os calendários são listados aqui enquanto o servidor de dados está em execução.</translation>
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
        <translation>Texto do mesmo tamanho que o da área de trabalho</translation>
    </message>
    <message>
        <source>Text size in points</source>
        <translation>Tamanho do texto em pontos</translation>
    </message>
    <message>
        <source>&amp;Dates and times</source>
        <translation>Datas e &amp;horas</translation>
    </message>
    <message>
        <source>&amp;Text size</source>
        <translation>&amp;Tamanho do texto</translation>
    </message>
    <message>
        <source>&amp;Background opacity</source>
        <translation>&amp;Opacidade do fundo</translation>
    </message>
    <message>
        <source>Online accounts cannot be added here: their module (%1) is not installed or does not load.</source>
        <translation>Não é possível adicionar contas online aqui: o módulo delas (%1) não está instalado ou não carrega.</translation>
    </message>
    <message>
        <source>Invitations I declined</source>
        <translation>Convites que recusei</translation>
    </message>
    <message>
        <source>Hidden</source>
        <translation>Ocultos</translation>
    </message>
    <message>
        <source>Shown faintly</source>
        <translation>Esmaecidos</translation>
    </message>
    <message>
        <source>Shown</source>
        <translation>Exibidos</translation>
    </message>
    <message>
        <source>name@example.org</source>
        <translation>nome@example.org</translation>
    </message>
    <message>
        <source>Invitations in calendar files and subscriptions name you by these addresses; online accounts and the desktop&apos;s calendars know theirs.</source>
        <translation>Convites em arquivos de agenda e assinaturas identificam você por estes endereços; contas on-line e as agendas da área de trabalho conhecem os seus.</translation>
    </message>
    <message>
        <source>&amp;Invitations I declined</source>
        <translation>&amp;Convites que recusei</translation>
    </message>
    <message>
        <source>My &amp;e-mail addresses</source>
        <translation>Meus &amp;endereços de e-mail</translation>
    </message>
    <message>
        <source>List to-dos without a date</source>
        <translation>Listar tarefas sem data</translation>
    </message>
    <message>
        <source>With the overview&apos;s first day, after the tasks that have a date.</source>
        <translation>Com o primeiro dia da visão geral, depois das tarefas com data.</translation>
    </message>
    <message>
        <source>Show the &amp;week number in the overview</source>
        <translation>Mostrar o número da &amp;semana na visão geral</translation>
    </message>
    <message>
        <source>Key that gives the panel the keyboard</source>
        <translation>Tecla que dá o teclado ao painel</translation>
    </message>
    <message>
        <source>Anywhere on the desktop, where it offers global shortcuts; elsewhere bind a key of the desktop&apos;s to nvx-calendar-desktop-widget --focus.</source>
        <translation>Em qualquer lugar da área de trabalho, onde ela oferece atalhos globais; nas outras, associe uma tecla da área de trabalho a nvx-calendar-desktop-widget --focus.</translation>
    </message>
    <message>
        <source>&amp;Keyboard</source>
        <translation>&amp;Teclado</translation>
    </message>
    <message>
        <source>The desktop&apos;s calendars: GNOME (Evolution)</source>
        <translation>Os calendários da área de trabalho: GNOME (Evolution)</translation>
    </message>
    <message>
        <source>The desktop&apos;s calendars: KDE (Akonadi)</source>
        <translation>Os calendários da área de trabalho: KDE (Akonadi)</translation>
    </message>
</context>
<context>
    <name>TaskDetails</name>
    <message>
        <source>Accepted</source>
        <translation>Aceito</translation>
    </message>
    <message>
        <source>Tentative</source>
        <translation>Talvez</translation>
    </message>
    <message>
        <source>Declined</source>
        <translation>Recusado</translation>
    </message>
    <message>
        <source>Delegated</source>
        <translation>Delegado</translation>
    </message>
    <message>
        <source>Not answered</source>
        <translation>Sem resposta</translation>
    </message>
    <message>
        <source>You accepted</source>
        <translation>Você aceitou</translation>
    </message>
    <message>
        <source>You said maybe</source>
        <translation>Você disse talvez</translation>
    </message>
    <message>
        <source>You declined</source>
        <translation>Você recusou</translation>
    </message>
    <message>
        <source>You have not answered</source>
        <translation>Você não respondeu</translation>
    </message>
    <message>
        <source>Event details</source>
        <translation>Detalhes do evento</translation>
    </message>
    <message>
        <source>Title</source>
        <translation>Título</translation>
    </message>
    <message>
        <source>Date and time</source>
        <translation>Data e hora</translation>
    </message>
    <message>
        <source>Location</source>
        <translation>Local</translation>
    </message>
    <message>
        <source>Calendar</source>
        <translation>Agenda</translation>
    </message>
    <message>
        <source>Your reply</source>
        <translation>Sua resposta</translation>
    </message>
    <message>
        <source>Read-only calendar</source>
        <translation>Agenda somente leitura</translation>
    </message>
    <message>
        <source>This calendar is read-only: your answer cannot be saved here.</source>
        <translation>Esta agenda é somente leitura: sua resposta não pode ser salva aqui.</translation>
    </message>
    <message>
        <source>Accept</source>
        <translation>Aceitar</translation>
    </message>
    <message>
        <source>Maybe</source>
        <translation>Talvez</translation>
    </message>
    <message>
        <source>Decline</source>
        <translation>Recusar</translation>
    </message>
    <message>
        <source>Join</source>
        <translation>Entrar</translation>
    </message>
    <message>
        <source>Join the online meeting</source>
        <translation>Entrar na reunião on-line</translation>
    </message>
    <message>
        <source>Open in calendar</source>
        <translation>Abrir na agenda</translation>
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
        <translation>Organizador e participantes</translation>
    </message>
    <message>
        <source>Description</source>
        <translation>Descrição</translation>
    </message>
    <message>
        <source>Organizer: %1</source>
        <translation>Organizador: %1</translation>
    </message>
    <message>
        <source>Show all %1</source>
        <translation>Mostrar todos os %1</translation>
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
        <translation>Entrar</translation>
    </message>
    <message>
        <source>Join the meeting</source>
        <translation>Entrar na reunião</translation>
    </message>
    <message>
        <source>Its calendar is read-only: the tick is kept in this widget alone.</source>
        <translation>A agenda é somente leitura: a marca fica só neste widget.</translation>
    </message>
    <message>
        <source>No date</source>
        <translation>Sem data</translation>
    </message>
    <message>
        <source>ticked</source>
        <translation>marcada</translation>
    </message>
    <message>
        <source>countdown 1 minute</source>
        <translation>contagem regressiva 1 minuto</translation>
    </message>
    <message>
        <source>countdown %1 minutes</source>
        <translation>contagem regressiva %1 minutos</translation>
    </message>
    <message>
        <source>countdown set</source>
        <translation>contagem regressiva ativada</translation>
    </message>
    <message>
        <source>pinned</source>
        <translation>fixada</translation>
    </message>
    <message>
        <source>overdue</source>
        <translation>atrasada</translation>
    </message>
    <message>
        <source>tentative</source>
        <translation>talvez</translation>
    </message>
    <message>
        <source>not answered</source>
        <translation>sem resposta</translation>
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
    <message>
        <source>Edit…</source>
        <translation>Editar…</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Excluir</translation>
    </message>
    <message>
        <source>This occurrence</source>
        <translation>Esta ocorrência</translation>
    </message>
    <message>
        <source>All occurrences</source>
        <translation>Todas as ocorrências</translation>
    </message>
    <message>
        <source>Details…</source>
        <translation>Detalhes…</translation>
    </message>
    <message>
        <source>Join</source>
        <translation>Entrar</translation>
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
