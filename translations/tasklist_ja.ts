<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja">
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
        <source>Background &amp;opacity</source>
        <translation>背景の不透明度(&amp;O)</translation>
    </message>
    <message>
        <source>&amp;Text size</source>
        <translation>文字サイズ(&amp;T)</translation>
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
