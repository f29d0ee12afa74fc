<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>MainWindow</name>
    <message>
        <source>Overview</source>
        <translation>概览</translation>
    </message>
    <message>
        <source>Open calendar</source>
        <translation>打开日历</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>设置</translation>
    </message>
    <message>
        <source>Recent days</source>
        <translation>最近几天</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
</context>
<context>
    <name>ReminderRules</name>
    <message>
        <source>%1, all day</source>
        <translation>%1，全天</translation>
    </message>
    <message numerus="yes">
        <source>Began at %1, %n minute(s) ago</source>
        <translation>
            <numerusform>%1 已开始，%n 分钟前</numerusform>
        </translation>
    </message>
    <message>
        <source>Begins at %1</source>
        <translation>%1 开始</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>打开</translation>
    </message>
    <message>
        <source>Snooze</source>
        <translation>稍后提醒</translation>
    </message>
    <message>
        <source>Dismiss</source>
        <translation>关闭</translation>
    </message>
</context>
<context>
    <name>SettingsWindow</name>
    <message>
        <source>Start when I log in</source>
        <translation>登录时启动</translation>
    </message>
    <message>
        <source>Keep the widget where I put it</source>
        <translation>记住挂件的位置</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>设置</translation>
    </message>
    <message>
        <source>&amp;Colours</source>
        <translation>颜色(&amp;C)</translation>
    </message>
    <message>
        <source>Cannot change the start at login: %1</source>
        <translation>无法更改登录时启动：%1</translation>
    </message>
    <message>
        <source>Colours</source>
        <translation>颜色</translation>
    </message>
    <message>
        <source>Follow the desktop</source>
        <translation>跟随桌面</translation>
    </message>
    <message>
        <source>Light</source>
        <translation>浅色</translation>
    </message>
    <message>
        <source>Dark</source>
        <translation>深色</translation>
    </message>
    <message>
        <source>Calendars</source>
        <translation>日历</translation>
    </message>
    <message>
        <source>Add file…</source>
        <translation>添加文件…</translation>
    </message>
    <message>
        <source>Add folder…</source>
        <translation>添加文件夹…</translation>
    </message>
    <message>
        <source>Add URL…</source>
        <translation>添加网址…</translation>
    </message>
    <message>
        <source>Subscribe to a calendar</source>
        <translation>订阅日历</translation>
    </message>
    <message>
        <source>Address (https:// or webcal://):</source>
        <translation>地址（https:// 或 webcal://）：</translation>
    </message>
    <message>
        <source>%1 is not an https://, http:// or webcal:// address</source>
        <translation>%1 不是 https://、http:// 或 webcal:// 地址</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>移除</translation>
    </message>
    <message>
        <source>C&amp;alendars</source>
        <translation>日历(&amp;A)</translation>
    </message>
    <message>
        <source>tasklist-dataserver serves these calendars when it starts.</source>
        <translation>tasklist-dataserver 启动时提供这些日历。</translation>
    </message>
    <message>
        <source>tasklist-dataserver serves these calendars; changes apply at once.</source>
        <translation>tasklist-dataserver 正在提供这些日历；更改立即生效。</translation>
    </message>
    <message>
        <source>The calendars are served by %1; change them there.</source>
        <translation>日历由 %1 提供；请在那里更改。</translation>
    </message>
    <message>
        <source>Add a calendar file</source>
        <translation>添加日历文件</translation>
    </message>
    <message>
        <source>iCalendar files (*.ics)</source>
        <translation>iCalendar 文件 (*.ics)</translation>
    </message>
    <message>
        <source>Add a folder of calendar files</source>
        <translation>添加日历文件夹</translation>
    </message>
    <message>
        <source>Cannot add the calendar: %1</source>
        <translation>无法添加日历：%1</translation>
    </message>
    <message>
        <source>Cannot remove the calendar: %1</source>
        <translation>无法移除日历：%1</translation>
    </message>
    <message>
        <source>tasklist-dataserver serves the calendars of its command line now; it serves these when it starts without any.</source>
        <translation>tasklist-dataserver 目前提供其命令行中的日历；不带日历参数启动时才提供这些日历。</translation>
    </message>
    <message>
        <source>Cannot save the settings: %1</source>
        <translation>无法保存设置：%1</translation>
    </message>
    <message>
        <source>Remind me of my tasks</source>
        <translation>提醒我的任务</translation>
    </message>
    <message>
        <source>Snooze length in minutes</source>
        <translation>稍后提醒的分钟数</translation>
    </message>
    <message>
        <source> min</source>
        <translation> 分钟</translation>
    </message>
    <message>
        <source>Play the alarm sound</source>
        <translation>播放提醒声音</translation>
    </message>
    <message>
        <source>Remind of calendars the desktop already reminds of</source>
        <translation>也提醒桌面已提醒的日历</translation>
    </message>
    <message>
        <source>This applies to the desktop&apos;s (Evolution) calendars, whose own alarm service reminds of them already.</source>
        <translation>此项适用于桌面的（Evolution）日历，桌面自己的提醒服务已会提醒它们。</translation>
    </message>
    <message>
        <source>S&amp;nooze for</source>
        <translation>稍后提醒(&amp;N)</translation>
    </message>
    <message>
        <source>&amp;Reminders</source>
        <translation>提醒(&amp;R)</translation>
    </message>
    <message>
        <source>Calendars shown in the widget</source>
        <translation>小部件中显示的日历</translation>
    </message>
    <message>
        <source>Sho&amp;wn in the widget</source>
        <translation>在小部件中显示(&amp;W)</translation>
    </message>
    <message>
        <source>The calendars are listed here while the data server runs.</source>
        <translation>数据服务器运行时，日历会列在这里。</translation>
    </message>
    <message>
        <source>Dates and times</source>
        <translation>日期和时间</translation>
    </message>
    <message>
        <source>%1 (as ever)</source>
        <translation>%1（一如既往）</translation>
    </message>
    <message>
        <source>%1 (as my language has it)</source>
        <translation>%1（按我的语言）</translation>
    </message>
    <message>
        <source>%1 (24-hour)</source>
        <translation>%1（24 小时制）</translation>
    </message>
    <message>
        <source>%1 (12-hour)</source>
        <translation>%1（12 小时制）</translation>
    </message>
    <message>
        <source>Background opacity</source>
        <translation>背景不透明度</translation>
    </message>
    <message>
        <source>Text as large as the desktop&apos;s</source>
        <translation>文字大小与桌面相同</translation>
    </message>
    <message>
        <source>Text size in points</source>
        <translation>文字大小（磅）</translation>
    </message>
    <message>
        <source>&amp;Dates and times</source>
        <translation>日期和时间(&amp;D)</translation>
    </message>
    <message>
        <source>Background &amp;opacity</source>
        <translation>背景不透明度(&amp;O)</translation>
    </message>
    <message>
        <source>&amp;Text size</source>
        <translation>文字大小(&amp;T)</translation>
    </message>
</context>
<context>
    <name>TaskMenu</name>
    <message>
        <source>在日历中打开</source>
        <translation>在日历中打开</translation>
    </message>
    <message>
        <source>倒计时模式</source>
        <translation>倒计时模式</translation>
    </message>
    <message>
        <source>置顶模式</source>
        <translation>置顶模式</translation>
    </message>
    <message>
        <source>正常模式</source>
        <translation>正常模式</translation>
    </message>
</context>
<context>
    <name>Zyk::Widget::ZTitlebar</name>
    <message>
        <source>Menu</source>
        <translation>菜单</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
</context>
</TS>
