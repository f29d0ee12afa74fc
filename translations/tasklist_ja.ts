<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja">
<context>
    <name>AccountSetup</name>
    <message>
        <source>“%1” is not a server address.</source>
        <translation>「%1」はサーバーのアドレスではありません。</translation>
    </message>
    <message>
        <source>%1 is not encrypted: the password would cross the network readable. Use https://.</source>
        <translation>%1 は暗号化されていないため、パスワードが読める状態でネットワークを流れてしまいます。https:// を使ってください。</translation>
    </message>
    <message>
        <source>The server %1 cannot be reached. Check the address and the network.</source>
        <translation>サーバー %1 に接続できません。アドレスとネットワークを確認してください。</translation>
    </message>
    <message>
        <source>%1 answers, but it is not a CalDAV server. Try the CalDAV address your provider gives.</source>
        <translation>%1 は応答しますが、CalDAV サーバーではありません。プロバイダーが案内している CalDAV のアドレスを試してください。</translation>
    </message>
    <message>
        <source>Wrong user name or password. iCloud, Fastmail and others need an app password here.</source>
        <translation>ユーザー名またはパスワードが違います。iCloud や Fastmail などでは、ここにアプリパスワードが必要です。</translation>
    </message>
    <message>
        <source>The server&apos;s TLS certificate is not to be trusted (expired, self-signed or for another name).</source>
        <translation>サーバーの TLS 証明書は信頼できません (期限切れ、自己署名、または別の名前のもの)。</translation>
    </message>
    <message>
        <source>Adding the account was cancelled.</source>
        <translation>アカウントの追加をキャンセルしました。</translation>
    </message>
    <message>
        <source>Connecting to %1…</source>
        <translation>%1 に接続しています…</translation>
    </message>
    <message numerus="yes">
        <source>Found %n calendar(s); keeping the password in the keyring…</source>
        <translation>
            <numerusform>%n 個のカレンダーが見つかりました。パスワードをキーリングに保存しています…</numerusform>
        </translation>
    </message>
    <message>
        <source>Calendar account %1 at %2</source>
        <translation>%2 のカレンダーアカウント %1</translation>
    </message>
    <message>
        <source>No keyring (Secret Service) runs on this desktop, and the password is never kept in a file: the account is not added. Start GNOME Keyring, KWallet or KeePassXC&apos;s Secret Service, then try again.</source>
        <translation>このデスクトップではキーリング (Secret Service) が動作しておらず、パスワードをファイルに保存することもないため、アカウントは追加されません。GNOME Keyring、KWallet、または KeePassXC の Secret Service を起動してから、もう一度試してください。</translation>
    </message>
    <message>
        <source>The keyring did not take the password: %1</source>
        <translation>キーリングがパスワードを受け付けませんでした: %1</translation>
    </message>
    <message>
        <source>Cannot save the account: %1</source>
        <translation>アカウントを保存できません: %1</translation>
    </message>
    <message numerus="yes">
        <source>Found %n calendar(s); first sync…</source>
        <translation>
            <numerusform>%n 個のカレンダーが見つかりました。初回の同期中…</numerusform>
        </translation>
    </message>
    <message>
        <source>The password goes to the keyring through secret-tool, which is not installed: the account is not added. Install the libsecret-tools package, then try again.</source>
        <translation>パスワードは secret-tool を通じてキーリングに保存されますが、secret-tool がインストールされていないため、アカウントは追加されません。libsecret-tools パッケージをインストールしてから、もう一度試してください。</translation>
    </message>
</context>
<context>
    <name>AccountsSection</name>
    <message>
        <source>Add account</source>
        <translation>アカウントを追加</translation>
    </message>
    <message>
        <source>Remove account</source>
        <translation>アカウントを削除</translation>
    </message>
    <message>
        <source>&amp;Online accounts</source>
        <translation>オンラインアカウント(&amp;L)</translation>
    </message>
    <message>
        <source>Server, e.g. cloud.example.org</source>
        <translation>サーバー (例: cloud.example.org)</translation>
    </message>
    <message>
        <source>Server address</source>
        <translation>サーバーのアドレス</translation>
    </message>
    <message>
        <source>User name</source>
        <translation>ユーザー名</translation>
    </message>
    <message>
        <source>Password or app password</source>
        <translation>パスワードまたはアプリパスワード</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>パスワード</translation>
    </message>
    <message>
        <source>Online accounts and their calendars</source>
        <translation>オンラインアカウントとそのカレンダー</translation>
    </message>
    <message>
        <source>The password could not be taken out of the keyring: %1</source>
        <translation>キーリングからパスワードを削除できませんでした: %1</translation>
    </message>
    <message>
        <source>Enter the server&apos;s address, your user name and your password.</source>
        <translation>サーバーのアドレス、ユーザー名、パスワードを入力してください。</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>キャンセル</translation>
    </message>
    <message>
        <source>Cannot remove the account: %1</source>
        <translation>アカウントを削除できません: %1</translation>
    </message>
    <message>
        <source>The account %1 is removed.</source>
        <translation>アカウント %1 を削除しました。</translation>
    </message>
    <message>
        <source>Cannot change the account: %1</source>
        <translation>アカウントを変更できません: %1</translation>
    </message>
    <message>
        <source>%1 at %2</source>
        <translation>%2 の %1</translation>
    </message>
    <message>
        <source>%1 at %2 — sync failed: %3</source>
        <translation>%2 の %1 — 同期に失敗しました: %3</translation>
    </message>
    <message>
        <source>%1 (to-dos)</source>
        <translation>%1（ToDo）</translation>
    </message>
    <message numerus="yes">
        <source>%1: %n calendar(s) synced.</source>
        <translation>
            <numerusform>%1: %n 個のカレンダーを同期しました。</numerusform>
        </translation>
    </message>
    <message>
        <source>The first sync failed: %1</source>
        <translation>初回の同期に失敗しました: %1</translation>
    </message>
    <message>
        <source>The password could not be taken out of the keyring: secret-tool (the libsecret-tools package) is not installed.</source>
        <translation>キーリングからパスワードを削除できませんでした: secret-tool (libsecret-tools パッケージ) がインストールされていません。</translation>
    </message>
</context>
<context>
    <name>EventActions</name>
    <message>
        <source>&amp;Undo</source>
        <translation>元に戻す(&amp;U)</translation>
    </message>
    <message>
        <source>New event…</source>
        <translation>新しい予定…</translation>
    </message>
    <message>
        <source>“%1” deleted.</source>
        <translation>「%1」を削除しました。</translation>
    </message>
    <message>
        <source>“%1” was not deleted: its calendar is read-only.</source>
        <translation>「%1」は削除されませんでした。カレンダーが読み取り専用です。</translation>
    </message>
    <message>
        <source>“%1” could not be deleted.</source>
        <translation>「%1」を削除できませんでした。</translation>
    </message>
    <message>
        <source>Your answer to “%1” was not saved: its calendar is read-only.</source>
        <translation>「%1」への返答は保存されませんでした: カレンダーは読み取り専用です。</translation>
    </message>
    <message>
        <source>Your answer to “%1” could not be saved.</source>
        <translation>「%1」への返答を保存できませんでした。</translation>
    </message>
    <message>
        <source>Your answer to “%1” could not be sent.</source>
        <translation>「%1」への返答を送信できませんでした。</translation>
    </message>
    <message>
        <source>“%1” completed.</source>
        <translation>「%1」を完了しました。</translation>
    </message>
    <message>
        <source>“%1” open again.</source>
        <translation>「%1」を未完了に戻しました。</translation>
    </message>
    <message>
        <source>“%1” is ticked here alone: its calendar is read-only.</source>
        <translation>「%1」はここでだけチェックされます: カレンダーは読み取り専用です。</translation>
    </message>
    <message>
        <source>“%1” could not be completed in its calendar.</source>
        <translation>「%1」をカレンダーで完了にできませんでした。</translation>
    </message>
    <message>
        <source>“%1” could not be opened again in its calendar.</source>
        <translation>「%1」をカレンダーで未完了に戻せませんでした。</translation>
    </message>
</context>
<context>
    <name>EventEditor</name>
    <message>
        <source>No reminder</source>
        <translation>リマインダーなし</translation>
    </message>
    <message>
        <source>On the day</source>
        <translation>当日</translation>
    </message>
    <message numerus="yes">
        <source>%n week(s) before</source>
        <translation>
            <numerusform>%n 週間前</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n day(s) before</source>
        <translation>
            <numerusform>%n 日前</numerusform>
        </translation>
    </message>
    <message>
        <source>At the start</source>
        <translation>開始時</translation>
    </message>
    <message numerus="yes">
        <source>%n hour(s) before</source>
        <translation>
            <numerusform>%n 時間前</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n minute(s) before</source>
        <translation>
            <numerusform>%n 分前</numerusform>
        </translation>
    </message>
    <message>
        <source>This calendar is read-only (a subscription, or one its owner keeps read-only): the event cannot be saved in it.</source>
        <translation>このカレンダーは読み取り専用です (購読しているカレンダー、または所有者が読み取り専用にしているカレンダー)。予定を保存できません。</translation>
    </message>
    <message>
        <source>Another program changed this calendar a moment ago. It has been read again: press Save to try once more.</source>
        <translation>別のプログラムがこのカレンダーを変更したところです。読み込み直したので、もう一度「保存」を押してください。</translation>
    </message>
    <message>
        <source>This event is no longer in its calendar: it was deleted elsewhere.</source>
        <translation>この予定はもうカレンダーにありません。別の場所で削除されました。</translation>
    </message>
    <message>
        <source>The calendar service does not answer, so nothing was saved. Try again once it is back.</source>
        <translation>カレンダーサービスが応答しないため、何も保存されませんでした。復旧してからもう一度試してください。</translation>
    </message>
    <message>
        <source>The calendar cannot hold the event as it is: check its times and text.</source>
        <translation>この内容ではカレンダーに予定を保存できません。時刻と文章を確認してください。</translation>
    </message>
    <message>
        <source>The calendar could not be written, so nothing was saved.</source>
        <translation>カレンダーに書き込めなかったため、何も保存されませんでした。</translation>
    </message>
    <message>
        <source>Give the event a title.</source>
        <translation>予定のタイトルを入力してください。</translation>
    </message>
    <message>
        <source>The event ends before it starts.</source>
        <translation>予定の終了が開始より前になっています。</translation>
    </message>
    <message>
        <source>The repetition ends before the event starts.</source>
        <translation>繰り返しの終了が予定の開始より前になっています。</translation>
    </message>
    <message>
        <source>New event</source>
        <translation>新しい予定</translation>
    </message>
    <message>
        <source>Edit event</source>
        <translation>予定を編集</translation>
    </message>
    <message>
        <source>Title</source>
        <translation>タイトル</translation>
    </message>
    <message>
        <source>&amp;All day</source>
        <translation>終日(&amp;A)</translation>
    </message>
    <message>
        <source>All day</source>
        <translation>終日</translation>
    </message>
    <message>
        <source>Reminder</source>
        <translation>リマインダー</translation>
    </message>
    <message>
        <source>Reminder time</source>
        <translation>リマインダーの時刻</translation>
    </message>
    <message>
        <source>Calendar</source>
        <translation>カレンダー</translation>
    </message>
    <message>
        <source>Description</source>
        <translation>説明</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>保存</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>キャンセル</translation>
    </message>
    <message>
        <source>&amp;Title</source>
        <translation>タイトル(&amp;T)</translation>
    </message>
    <message>
        <source>&amp;Reminder</source>
        <translation>リマインダー(&amp;R)</translation>
    </message>
    <message>
        <source>Ca&amp;lendar</source>
        <translation>カレンダー(&amp;L)</translation>
    </message>
    <message>
        <source>&amp;Description</source>
        <translation>説明(&amp;D)</translation>
    </message>
    <message>
        <source>Start date</source>
        <translation>開始日</translation>
    </message>
    <message>
        <source>Start time</source>
        <translation>開始時刻</translation>
    </message>
    <message>
        <source>End date</source>
        <translation>終了日</translation>
    </message>
    <message>
        <source>End time</source>
        <translation>終了時刻</translation>
    </message>
    <message>
        <source>&amp;Starts</source>
        <translation>開始(&amp;B)</translation>
    </message>
    <message>
        <source>&amp;Ends</source>
        <translation>終了(&amp;E)</translation>
    </message>
    <message>
        <source>Repeat</source>
        <translation>繰り返し</translation>
    </message>
    <message>
        <source>Does not repeat</source>
        <translation>繰り返さない</translation>
    </message>
    <message>
        <source>Daily</source>
        <translation>毎日</translation>
    </message>
    <message>
        <source>Every workday</source>
        <translation>毎週平日</translation>
    </message>
    <message>
        <source>Weekly</source>
        <translation>毎週</translation>
    </message>
    <message>
        <source>Monthly</source>
        <translation>毎月</translation>
    </message>
    <message>
        <source>Yearly</source>
        <translation>毎年</translation>
    </message>
    <message>
        <source>Repetition ends</source>
        <translation>繰り返しの終了</translation>
    </message>
    <message>
        <source>Never</source>
        <translation>終了しない</translation>
    </message>
    <message>
        <source>After</source>
        <translation>回数</translation>
    </message>
    <message>
        <source>On</source>
        <translation>日付</translation>
    </message>
    <message>
        <source>Number of times</source>
        <translation>回数</translation>
    </message>
    <message>
        <source> times</source>
        <translation> 回</translation>
    </message>
    <message>
        <source>Last date</source>
        <translation>最終日</translation>
    </message>
    <message>
        <source>Re&amp;peat</source>
        <translation>繰り返し(&amp;P)</translation>
    </message>
    <message>
        <source>This event repeats. Change only this occurrence, or all of them?</source>
        <translation>この予定は繰り返します。この回だけを変更しますか、それともすべての回を変更しますか?</translation>
    </message>
    <message>
        <source>&amp;Only this one</source>
        <translation>この回のみ(&amp;O)</translation>
    </message>
    <message>
        <source>Only this occurrence</source>
        <translation>この回のみ</translation>
    </message>
    <message>
        <source>All occurrences</source>
        <translation>すべての回</translation>
    </message>
    <message>
        <source>Sa&amp;ve</source>
        <translation>保存(&amp;S)</translation>
    </message>
    <message>
        <source>All o&amp;ccurrences</source>
        <translation>すべての回(&amp;A)</translation>
    </message>
</context>
<context>
    <name>GlobalShortcut</name>
    <message>
        <source>Calendar widget</source>
        <translation>カレンダーウィジェット</translation>
    </message>
    <message>
        <source>Show the panel and give it the keyboard</source>
        <translation>パネルを表示してキーボードを渡す</translation>
    </message>
    <message>
        <source>Show the calendar panel and give it the keyboard</source>
        <translation>カレンダーパネルを表示してキーボードを渡す</translation>
    </message>
</context>
<context>
    <name>JoinNext</name>
    <message>
        <source>The calendar data server does not answer.</source>
        <translation>カレンダーデータサーバーが応答しません。</translation>
    </message>
    <message>
        <source>No meeting is running or begins in the next 10 minutes.</source>
        <translation>進行中のミーティングも、10 分以内に始まるミーティングもありません。</translation>
    </message>
    <message>
        <source>Joining “%1”: %2</source>
        <translation>「%1」に参加します: %2</translation>
    </message>
    <message>
        <source>No program opens the meeting&apos;s link.</source>
        <translation>ミーティングのリンクを開くプログラムがありません。</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Overview</source>
        <translation>概要</translation>
    </message>
    <message>
        <source>Open calendar</source>
        <translation>カレンダーを開く</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>設定</translation>
    </message>
    <message>
        <source>Recent days</source>
        <translation>最近の数日</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>閉じる</translation>
    </message>
    <message>
        <source>%1, week %2</source>
        <extracomment>The day button&apos;s tooltip: the date, then the ISO week number</extracomment>
        <translation>%1、第 %2 週</translation>
    </message>
    <message>
        <source>Week %1</source>
        <translation>第 %1 週</translation>
    </message>
</context>
<context>
    <name>ReminderRules</name>
    <message>
        <source>%1, all day</source>
        <translation>%1、終日</translation>
    </message>
    <message numerus="yes">
        <source>Began at %1, %n minute(s) ago</source>
        <translation>
            <numerusform>開始: %1（%n 分前）</numerusform>
        </translation>
    </message>
    <message>
        <source>Begins at %1</source>
        <translation>開始: %1</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>開く</translation>
    </message>
    <message>
        <source>Snooze</source>
        <translation>スヌーズ</translation>
    </message>
    <message>
        <source>Dismiss</source>
        <translation>閉じる</translation>
    </message>
    <message>
        <source>Join</source>
        <translation>参加</translation>
    </message>
</context>
<context>
    <name>SettingsWindow</name>
    <message>
        <source>Start when I log in</source>
        <translation>ログイン時に起動する</translation>
    </message>
    <message>
        <source>Keep the widget where I put it</source>
        <translation>デスクトップ上の位置を記憶する</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>設定</translation>
    </message>
    <message>
        <source>&amp;Colours</source>
        <translation>色(&amp;C)</translation>
    </message>
    <message>
        <source>Cannot change the start at login: %1</source>
        <translation>ログイン時の起動を変更できません: %1</translation>
    </message>
    <message>
        <source>Colours</source>
        <translation>色</translation>
    </message>
    <message>
        <source>Follow the desktop</source>
        <translation>デスクトップに合わせる</translation>
    </message>
    <message>
        <source>Light</source>
        <translation>ライト</translation>
    </message>
    <message>
        <source>Dark</source>
        <translation>ダーク</translation>
    </message>
    <message>
        <source>Calendars</source>
        <translation>カレンダー</translation>
    </message>
    <message>
        <source>Add file…</source>
        <translation>ファイルを追加…</translation>
    </message>
    <message>
        <source>Add folder…</source>
        <translation>フォルダーを追加…</translation>
    </message>
    <message>
        <source>Add URL…</source>
        <translation>URL を追加…</translation>
    </message>
    <message>
        <source>Subscribe to a calendar</source>
        <translation>カレンダーを購読</translation>
    </message>
    <message>
        <source>Address (https:// or webcal://):</source>
        <translation>アドレス (https:// または webcal://):</translation>
    </message>
    <message>
        <source>%1 is not an https://, http:// or webcal:// address</source>
        <translation>%1 は https://、http://、webcal:// のいずれのアドレスでもありません</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>削除</translation>
    </message>
    <message>
        <source>C&amp;alendars</source>
        <translation>カレンダー(&amp;A)</translation>
    </message>
    <message>
        <source>tasklist-dataserver serves these calendars when it starts.</source>
        <translation>tasklist-dataserver は起動時にこれらのカレンダーを提供します。</translation>
    </message>
    <message>
        <source>tasklist-dataserver serves these calendars; changes apply at once.</source>
        <translation>tasklist-dataserver がこれらのカレンダーを提供しています。変更はすぐに反映されます。</translation>
    </message>
    <message>
        <source>The calendars are served by %1; change them there.</source>
        <translation>カレンダーは %1 が提供しています。そちらで変更してください。</translation>
    </message>
    <message>
        <source>Add a calendar file</source>
        <translation>カレンダーファイルを追加</translation>
    </message>
    <message>
        <source>iCalendar files (*.ics)</source>
        <translation>iCalendar ファイル (*.ics)</translation>
    </message>
    <message>
        <source>Add a folder of calendar files</source>
        <translation>カレンダーファイルのフォルダーを追加</translation>
    </message>
    <message>
        <source>Cannot add the calendar: %1</source>
        <translation>カレンダーを追加できません: %1</translation>
    </message>
    <message>
        <source>Cannot remove the calendar: %1</source>
        <translation>カレンダーを削除できません: %1</translation>
    </message>
    <message>
        <source>tasklist-dataserver serves the calendars of its command line now; it serves these when it starts without any.</source>
        <translation>tasklist-dataserver は現在コマンドラインで指定されたカレンダーを提供しています。一覧のカレンダーは、カレンダーを指定せずに起動したときに提供されます。</translation>
    </message>
    <message>
        <source>Cannot save the settings: %1</source>
        <translation>設定を保存できません: %1</translation>
    </message>
    <message>
        <source>Remind me of my tasks</source>
        <translation>タスクをリマインドする</translation>
    </message>
    <message>
        <source>Snooze length in minutes</source>
        <translation>スヌーズの長さ (分)</translation>
    </message>
    <message>
        <source> min</source>
        <translation> 分</translation>
    </message>
    <message>
        <source>Play the alarm sound</source>
        <translation>アラーム音を鳴らす</translation>
    </message>
    <message>
        <source>Remind of calendars the desktop already reminds of</source>
        <translation>デスクトップがすでにリマインドするカレンダーもリマインドする</translation>
    </message>
    <message>
        <source>This applies to the desktop&apos;s (Evolution) calendars, whose own alarm service reminds of them already.</source>
        <translation>デスクトップ (Evolution) のカレンダーが対象です。これらは独自のアラームサービスがすでにリマインドしています。</translation>
    </message>
    <message>
        <source>S&amp;nooze for</source>
        <translation>スヌーズ(&amp;N)</translation>
    </message>
    <message>
        <source>&amp;Reminders</source>
        <translation>リマインダー(&amp;R)</translation>
    </message>
    <message>
        <source>Calendars shown in the widget</source>
        <translation>ウィジェットに表示するカレンダー</translation>
    </message>
    <message>
        <source>Sho&amp;wn in the widget</source>
        <translation>ウィジェットに表示(&amp;W)</translation>
    </message>
    <message>
        <source>The calendars are listed here while the data server runs.</source>
        <translation>データサーバーの実行中はここにカレンダーが表示されます。</translation>
    </message>
    <message>
        <source>Dates and times</source>
        <translation>日付と時刻</translation>
    </message>
    <message>
        <source>%1 (as ever)</source>
        <translation>%1（従来どおり）</translation>
    </message>
    <message>
        <source>%1 (as my language has it)</source>
        <translation>%1（言語の形式）</translation>
    </message>
    <message>
        <source>%1 (24-hour)</source>
        <translation>%1（24 時間制）</translation>
    </message>
    <message>
        <source>%1 (12-hour)</source>
        <translation>%1（12 時間制）</translation>
    </message>
    <message>
        <source>Background opacity</source>
        <translation>背景の不透明度</translation>
    </message>
    <message>
        <source>Text as large as the desktop&apos;s</source>
        <translation>文字の大きさをデスクトップに合わせる</translation>
    </message>
    <message>
        <source>Text size in points</source>
        <translation>文字サイズ（ポイント）</translation>
    </message>
    <message>
        <source>&amp;Dates and times</source>
        <translation>日付と時刻(&amp;D)</translation>
    </message>
    <message>
        <source>&amp;Text size</source>
        <translation>文字サイズ(&amp;T)</translation>
    </message>
    <message>
        <source>&amp;Background opacity</source>
        <translation>背景の不透明度(&amp;O)</translation>
    </message>
    <message>
        <source>Online accounts cannot be added here: their module (%1) is not installed or does not load.</source>
        <translation>ここではオンラインアカウントを追加できません: そのモジュール (%1) がインストールされていないか、読み込めません。</translation>
    </message>
    <message>
        <source>Invitations I declined</source>
        <translation>辞退した招待</translation>
    </message>
    <message>
        <source>Hidden</source>
        <translation>表示しない</translation>
    </message>
    <message>
        <source>Shown faintly</source>
        <translation>薄く表示</translation>
    </message>
    <message>
        <source>Shown</source>
        <translation>表示する</translation>
    </message>
    <message>
        <source>name@example.org</source>
        <translation>name@example.org</translation>
    </message>
    <message>
        <source>Invitations in calendar files and subscriptions name you by these addresses; online accounts and the desktop&apos;s calendars know theirs.</source>
        <translation>カレンダーファイルや購読の招待では、これらのアドレスがあなたを表します。オンラインアカウントとデスクトップのカレンダーは自分のアドレスを知っています。</translation>
    </message>
    <message>
        <source>&amp;Invitations I declined</source>
        <translation>辞退した招待(&amp;I)</translation>
    </message>
    <message>
        <source>My &amp;e-mail addresses</source>
        <translation>自分のメールアドレス(&amp;E)</translation>
    </message>
    <message>
        <source>List to-dos without a date</source>
        <translation>日付のない ToDo を表示</translation>
    </message>
    <message>
        <source>With the overview&apos;s first day, after the tasks that have a date.</source>
        <translation>概要の最初の日に、日付のあるタスクの後に表示します。</translation>
    </message>
    <message>
        <source>Show the &amp;week number in the overview</source>
        <translation>概要に週番号を表示(&amp;W)</translation>
    </message>
    <message>
        <source>Key that gives the panel the keyboard</source>
        <translation>パネルにキーボードを渡すキー</translation>
    </message>
    <message>
        <source>Anywhere on the desktop, where it offers global shortcuts; elsewhere bind a key of the desktop&apos;s to nvx-calendar-desktop-widget --focus.</source>
        <translation>デスクトップがグローバルショートカットに対応していればどこでも使えます。対応していない場合は、デスクトップのキーを nvx-calendar-desktop-widget --focus に割り当ててください。</translation>
    </message>
    <message>
        <source>&amp;Keyboard</source>
        <translation>キーボード(&amp;K)</translation>
    </message>
    <message>
        <source>The desktop&apos;s calendars: GNOME (Evolution)</source>
        <translation>デスクトップのカレンダー: GNOME (Evolution)</translation>
    </message>
    <message>
        <source>The desktop&apos;s calendars: KDE (Akonadi)</source>
        <translation>デスクトップのカレンダー: KDE (Akonadi)</translation>
    </message>
</context>
<context>
    <name>TaskDetails</name>
    <message>
        <source>Accepted</source>
        <translation>承諾</translation>
    </message>
    <message>
        <source>Tentative</source>
        <translation>仮承諾</translation>
    </message>
    <message>
        <source>Declined</source>
        <translation>辞退</translation>
    </message>
    <message>
        <source>Delegated</source>
        <translation>委任</translation>
    </message>
    <message>
        <source>Not answered</source>
        <translation>未回答</translation>
    </message>
    <message>
        <source>You accepted</source>
        <translation>承諾しました</translation>
    </message>
    <message>
        <source>You said maybe</source>
        <translation>仮承諾しました</translation>
    </message>
    <message>
        <source>You declined</source>
        <translation>辞退しました</translation>
    </message>
    <message>
        <source>You have not answered</source>
        <translation>まだ回答していません</translation>
    </message>
    <message>
        <source>Event details</source>
        <translation>予定の詳細</translation>
    </message>
    <message>
        <source>Title</source>
        <translation>タイトル</translation>
    </message>
    <message>
        <source>Date and time</source>
        <translation>日時</translation>
    </message>
    <message>
        <source>Location</source>
        <translation>場所</translation>
    </message>
    <message>
        <source>Calendar</source>
        <translation>カレンダー</translation>
    </message>
    <message>
        <source>Your reply</source>
        <translation>あなたの返答</translation>
    </message>
    <message>
        <source>Read-only calendar</source>
        <translation>読み取り専用のカレンダー</translation>
    </message>
    <message>
        <source>This calendar is read-only: your answer cannot be saved here.</source>
        <translation>このカレンダーは読み取り専用です: ここでは返答を保存できません。</translation>
    </message>
    <message>
        <source>Accept</source>
        <translation>承諾</translation>
    </message>
    <message>
        <source>Maybe</source>
        <translation>仮承諾</translation>
    </message>
    <message>
        <source>Decline</source>
        <translation>辞退</translation>
    </message>
    <message>
        <source>Join</source>
        <translation>参加</translation>
    </message>
    <message>
        <source>Join the online meeting</source>
        <translation>オンラインミーティングに参加</translation>
    </message>
    <message>
        <source>Open in calendar</source>
        <translation>カレンダーで開く</translation>
    </message>
    <message>
        <source>Edit…</source>
        <translation>編集…</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>編集</translation>
    </message>
    <message>
        <source>Organizer and attendees</source>
        <translation>主催者と出席者</translation>
    </message>
    <message>
        <source>Description</source>
        <translation>説明</translation>
    </message>
    <message>
        <source>Organizer: %1</source>
        <translation>主催者: %1</translation>
    </message>
    <message>
        <source>Show all %1</source>
        <translation>%1 人をすべて表示</translation>
    </message>
    <message>
        <source>%1, week %2</source>
        <extracomment>The details&apos; date and time, then the ISO week number of the begin</extracomment>
        <translation>%1、第 %2 週</translation>
    </message>
</context>
<context>
    <name>TaskItem</name>
    <message>
        <source>Join</source>
        <translation>参加</translation>
    </message>
    <message>
        <source>Join the meeting</source>
        <translation>ミーティングに参加</translation>
    </message>
    <message>
        <source>Its calendar is read-only: the tick is kept in this widget alone.</source>
        <translation>カレンダーは読み取り専用です: チェックはこのウィジェットにだけ保存されます。</translation>
    </message>
    <message>
        <source>No date</source>
        <translation>日付なし</translation>
    </message>
    <message>
        <source>ticked</source>
        <translation>チェック済み</translation>
    </message>
    <message>
        <source>countdown 1 minute</source>
        <translation>カウントダウン 1 分</translation>
    </message>
    <message>
        <source>countdown %1 minutes</source>
        <translation>カウントダウン %1 分</translation>
    </message>
    <message>
        <source>countdown set</source>
        <translation>カウントダウン設定済み</translation>
    </message>
    <message>
        <source>pinned</source>
        <translation>ピン留め</translation>
    </message>
    <message>
        <source>overdue</source>
        <translation>期限切れ</translation>
    </message>
    <message>
        <source>tentative</source>
        <translation>仮承諾</translation>
    </message>
    <message>
        <source>not answered</source>
        <translation>未回答</translation>
    </message>
</context>
<context>
    <name>TaskMenu</name>
    <message>
        <source>在日历中打开</source>
        <translation>カレンダーで開く</translation>
    </message>
    <message>
        <source>倒计时模式</source>
        <translation>カウントダウンモード</translation>
    </message>
    <message>
        <source>置顶模式</source>
        <translation>ピン留めモード</translation>
    </message>
    <message>
        <source>正常模式</source>
        <translation>通常モード</translation>
    </message>
    <message>
        <source>Edit…</source>
        <translation>編集…</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>削除</translation>
    </message>
    <message>
        <source>This occurrence</source>
        <translation>この回</translation>
    </message>
    <message>
        <source>All occurrences</source>
        <translation>すべての回</translation>
    </message>
    <message>
        <source>Details…</source>
        <translation>詳細…</translation>
    </message>
    <message>
        <source>Join</source>
        <translation>参加</translation>
    </message>
</context>
<context>
    <name>Zyk::Widget::ZTitlebar</name>
    <message>
        <source>Menu</source>
        <translation>メニュー</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>閉じる</translation>
    </message>
</context>
</TS>
