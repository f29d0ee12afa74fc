<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>AccountSetup</name>
    <message>
        <source>“%1” is not a server address.</source>
        <translation>“%1”不是服务器地址。</translation>
    </message>
    <message>
        <source>%1 is not encrypted: the password would cross the network readable. Use https://.</source>
        <translation>%1 未加密：密码会以明文经过网络。请使用 https://。</translation>
    </message>
    <message>
        <source>The server %1 cannot be reached. Check the address and the network.</source>
        <translation>无法连接服务器 %1。请检查地址和网络。</translation>
    </message>
    <message>
        <source>%1 answers, but it is not a CalDAV server. Try the CalDAV address your provider gives.</source>
        <translation>%1 有应答，但不是 CalDAV 服务器。请试试服务商提供的 CalDAV 地址。</translation>
    </message>
    <message>
        <source>Wrong user name or password. iCloud, Fastmail and others need an app password here.</source>
        <translation>用户名或密码错误。iCloud、Fastmail 等需要在此填写应用专用密码。</translation>
    </message>
    <message>
        <source>The server&apos;s TLS certificate is not to be trusted (expired, self-signed or for another name).</source>
        <translation>服务器的 TLS 证书不可信（已过期、自签名或属于其他域名）。</translation>
    </message>
    <message>
        <source>Adding the account was cancelled.</source>
        <translation>已取消添加账户。</translation>
    </message>
    <message>
        <source>Connecting to %1…</source>
        <translation>正在连接 %1…</translation>
    </message>
    <message numerus="yes">
        <source>Found %n calendar(s); keeping the password in the keyring…</source>
        <translation>
            <numerusform>找到 %n 个日历；正在把密码存入密钥环…</numerusform>
        </translation>
    </message>
    <message>
        <source>Calendar account %1 at %2</source>
        <translation>%2 上的日历账户 %1</translation>
    </message>
    <message>
        <source>No keyring (Secret Service) runs on this desktop, and the password is never kept in a file: the account is not added. Start GNOME Keyring, KWallet or KeePassXC&apos;s Secret Service, then try again.</source>
        <translation>此桌面没有运行密钥环（Secret Service），而密码绝不存入文件：账户未添加。请启动 GNOME 密钥环、KWallet 或 KeePassXC 的 Secret Service 后重试。</translation>
    </message>
    <message>
        <source>The keyring did not take the password: %1</source>
        <translation>密钥环未能保存密码：%1</translation>
    </message>
    <message>
        <source>Cannot save the account: %1</source>
        <translation>无法保存账户：%1</translation>
    </message>
    <message numerus="yes">
        <source>Found %n calendar(s); first sync…</source>
        <translation>
            <numerusform>找到 %n 个日历；正在首次同步…</numerusform>
        </translation>
    </message>
    <message>
        <source>The password goes to the keyring through secret-tool, which is not installed: the account is not added. Install the libsecret-tools package, then try again.</source>
        <translation>密码通过 secret-tool 存入密钥环，但 secret-tool 未安装：账户未添加。请安装 libsecret-tools 软件包后重试。</translation>
    </message>
</context>
<context>
    <name>AccountsSection</name>
    <message>
        <source>Add account</source>
        <translation>添加账户</translation>
    </message>
    <message>
        <source>Remove account</source>
        <translation>移除账户</translation>
    </message>
    <message>
        <source>&amp;Online accounts</source>
        <translation>在线账户(&amp;O)</translation>
    </message>
    <message>
        <source>Server, e.g. cloud.example.org</source>
        <translation>服务器，例如 cloud.example.org</translation>
    </message>
    <message>
        <source>Server address</source>
        <translation>服务器地址</translation>
    </message>
    <message>
        <source>User name</source>
        <translation>用户名</translation>
    </message>
    <message>
        <source>Password or app password</source>
        <translation>密码或应用专用密码</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>密码</translation>
    </message>
    <message>
        <source>Online accounts and their calendars</source>
        <translation>在线账户及其日历</translation>
    </message>
    <message>
        <source>The password could not be taken out of the keyring: %1</source>
        <translation>无法从密钥环中删除密码：%1</translation>
    </message>
    <message>
        <source>Enter the server&apos;s address, your user name and your password.</source>
        <translation>请输入服务器地址、用户名和密码。</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Cannot remove the account: %1</source>
        <translation>无法移除账户：%1</translation>
    </message>
    <message>
        <source>The account %1 is removed.</source>
        <translation>账户 %1 已移除。</translation>
    </message>
    <message>
        <source>Cannot change the account: %1</source>
        <translation>无法更改账户：%1</translation>
    </message>
    <message>
        <source>%1 at %2</source>
        <translation>%2 上的 %1</translation>
    </message>
    <message>
        <source>%1 at %2 — sync failed: %3</source>
        <translation>%2 上的 %1 — 同步失败：%3</translation>
    </message>
    <message>
        <source>%1 (to-dos)</source>
        <translation>%1（待办）</translation>
    </message>
    <message numerus="yes">
        <source>%1: %n calendar(s) synced.</source>
        <translation>
            <numerusform>%1：已同步 %n 个日历。</numerusform>
        </translation>
    </message>
    <message>
        <source>The first sync failed: %1</source>
        <translation>首次同步失败：%1</translation>
    </message>
    <message>
        <source>The password could not be taken out of the keyring: secret-tool (the libsecret-tools package) is not installed.</source>
        <translation>无法从密钥环中删除密码：secret-tool（libsecret-tools 软件包）未安装。</translation>
    </message>
</context>
<context>
    <name>EventActions</name>
    <message>
        <source>&amp;Undo</source>
        <translation>撤销(&amp;U)</translation>
    </message>
    <message>
        <source>New event…</source>
        <translation>新建事件…</translation>
    </message>
    <message>
        <source>“%1” deleted.</source>
        <translation>已删除“%1”。</translation>
    </message>
    <message>
        <source>“%1” was not deleted: its calendar is read-only.</source>
        <translation>未删除“%1”：它的日历是只读的。</translation>
    </message>
    <message>
        <source>“%1” could not be deleted.</source>
        <translation>无法删除“%1”。</translation>
    </message>
    <message>
        <source>Your answer to “%1” was not saved: its calendar is read-only.</source>
        <translation>对“%1”的答复未保存：其日历为只读。</translation>
    </message>
    <message>
        <source>Your answer to “%1” could not be saved.</source>
        <translation>无法保存对“%1”的答复。</translation>
    </message>
    <message>
        <source>Your answer to “%1” could not be sent.</source>
        <translation>无法发送对“%1”的答复。</translation>
    </message>
    <message>
        <source>“%1” completed.</source>
        <translation>“%1”已完成。</translation>
    </message>
    <message>
        <source>“%1” open again.</source>
        <translation>“%1”已重新打开。</translation>
    </message>
    <message>
        <source>“%1” is ticked here alone: its calendar is read-only.</source>
        <translation>“%1”仅在此处勾选：其日历为只读。</translation>
    </message>
    <message>
        <source>“%1” could not be completed in its calendar.</source>
        <translation>无法在其日历中完成“%1”。</translation>
    </message>
    <message>
        <source>“%1” could not be opened again in its calendar.</source>
        <translation>无法在其日历中重新打开“%1”。</translation>
    </message>
</context>
<context>
    <name>EventEditor</name>
    <message>
        <source>No reminder</source>
        <translation>不提醒</translation>
    </message>
    <message>
        <source>On the day</source>
        <translation>当天</translation>
    </message>
    <message numerus="yes">
        <source>%n week(s) before</source>
        <translation>
            <numerusform>提前 %n 周</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n day(s) before</source>
        <translation>
            <numerusform>提前 %n 天</numerusform>
        </translation>
    </message>
    <message>
        <source>At the start</source>
        <translation>开始时</translation>
    </message>
    <message numerus="yes">
        <source>%n hour(s) before</source>
        <translation>
            <numerusform>提前 %n 小时</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n minute(s) before</source>
        <translation>
            <numerusform>提前 %n 分钟</numerusform>
        </translation>
    </message>
    <message>
        <source>This calendar is read-only (a subscription, or one its owner keeps read-only): the event cannot be saved in it.</source>
        <translation>此日历是只读的（订阅的日历，或其所有者设为只读）：无法在其中保存事件。</translation>
    </message>
    <message>
        <source>Another program changed this calendar a moment ago. It has been read again: press Save to try once more.</source>
        <translation>另一个程序刚刚更改了此日历。日历已重新读取：请再按“保存”重试。</translation>
    </message>
    <message>
        <source>This event is no longer in its calendar: it was deleted elsewhere.</source>
        <translation>此事件已不在其日历中：它已在别处被删除。</translation>
    </message>
    <message>
        <source>The calendar service does not answer, so nothing was saved. Try again once it is back.</source>
        <translation>日历服务没有响应，因此未保存任何内容。请在它恢复后重试。</translation>
    </message>
    <message>
        <source>The calendar cannot hold the event as it is: check its times and text.</source>
        <translation>日历无法按原样保存此事件：请检查其时间和文字。</translation>
    </message>
    <message>
        <source>The calendar could not be written, so nothing was saved.</source>
        <translation>无法写入日历，因此未保存任何内容。</translation>
    </message>
    <message>
        <source>Give the event a title.</source>
        <translation>请为事件填写标题。</translation>
    </message>
    <message>
        <source>The event ends before it starts.</source>
        <translation>事件的结束时间早于开始时间。</translation>
    </message>
    <message>
        <source>The repetition ends before the event starts.</source>
        <translation>重复在事件开始之前就已结束。</translation>
    </message>
    <message>
        <source>New event</source>
        <translation>新建事件</translation>
    </message>
    <message>
        <source>Edit event</source>
        <translation>编辑事件</translation>
    </message>
    <message>
        <source>Title</source>
        <translation>标题</translation>
    </message>
    <message>
        <source>&amp;All day</source>
        <translation>全天(&amp;A)</translation>
    </message>
    <message>
        <source>All day</source>
        <translation>全天</translation>
    </message>
    <message>
        <source>Reminder</source>
        <translation>提醒</translation>
    </message>
    <message>
        <source>Reminder time</source>
        <translation>提醒时间</translation>
    </message>
    <message>
        <source>Calendar</source>
        <translation>日历</translation>
    </message>
    <message>
        <source>Description</source>
        <translation>描述</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>保存</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>&amp;Title</source>
        <translation>标题(&amp;T)</translation>
    </message>
    <message>
        <source>&amp;Reminder</source>
        <translation>提醒(&amp;R)</translation>
    </message>
    <message>
        <source>Ca&amp;lendar</source>
        <translation>日历(&amp;L)</translation>
    </message>
    <message>
        <source>&amp;Description</source>
        <translation>描述(&amp;D)</translation>
    </message>
    <message>
        <source>Start date</source>
        <translation>开始日期</translation>
    </message>
    <message>
        <source>Start time</source>
        <translation>开始时间</translation>
    </message>
    <message>
        <source>End date</source>
        <translation>结束日期</translation>
    </message>
    <message>
        <source>End time</source>
        <translation>结束时间</translation>
    </message>
    <message>
        <source>&amp;Starts</source>
        <translation>开始(&amp;S)</translation>
    </message>
    <message>
        <source>&amp;Ends</source>
        <translation>结束(&amp;E)</translation>
    </message>
    <message>
        <source>Repeat</source>
        <translation>重复</translation>
    </message>
    <message>
        <source>Does not repeat</source>
        <translation>不重复</translation>
    </message>
    <message>
        <source>Daily</source>
        <translation>每天</translation>
    </message>
    <message>
        <source>Every workday</source>
        <translation>每个工作日</translation>
    </message>
    <message>
        <source>Weekly</source>
        <translation>每周</translation>
    </message>
    <message>
        <source>Monthly</source>
        <translation>每月</translation>
    </message>
    <message>
        <source>Yearly</source>
        <translation>每年</translation>
    </message>
    <message>
        <source>Repetition ends</source>
        <translation>重复结束</translation>
    </message>
    <message>
        <source>Never</source>
        <translation>从不</translation>
    </message>
    <message>
        <source>After</source>
        <translation>重复</translation>
    </message>
    <message>
        <source>On</source>
        <translation>截止于</translation>
    </message>
    <message>
        <source>Number of times</source>
        <translation>次数</translation>
    </message>
    <message>
        <source> times</source>
        <translation> 次</translation>
    </message>
    <message>
        <source>Last date</source>
        <translation>最后日期</translation>
    </message>
    <message>
        <source>Re&amp;peat</source>
        <translation>重复(&amp;P)</translation>
    </message>
    <message>
        <source>This event repeats. Change only this occurrence, or all of them?</source>
        <translation>此事件会重复。只更改这一次，还是全部？</translation>
    </message>
    <message>
        <source>&amp;Only this one</source>
        <translation>仅此一次(&amp;O)</translation>
    </message>
    <message>
        <source>Only this occurrence</source>
        <translation>仅此一次</translation>
    </message>
    <message>
        <source>All occurrences</source>
        <translation>全部</translation>
    </message>
    <message>
        <source>Sa&amp;ve</source>
        <translation>保存(&amp;V)</translation>
    </message>
    <message>
        <source>All o&amp;ccurrences</source>
        <translation>全部(&amp;C)</translation>
    </message>
</context>
<context>
    <name>GlobalShortcut</name>
    <message>
        <source>Calendar widget</source>
        <translation>日历小部件</translation>
    </message>
    <message>
        <source>Show the panel and give it the keyboard</source>
        <translation>显示面板并让其获得键盘</translation>
    </message>
    <message>
        <source>Show the calendar panel and give it the keyboard</source>
        <translation>显示日历面板并让其获得键盘</translation>
    </message>
</context>
<context>
    <name>JoinNext</name>
    <message>
        <source>The calendar data server does not answer.</source>
        <translation>日历数据服务器没有响应。</translation>
    </message>
    <message>
        <source>No meeting is running or begins in the next 10 minutes.</source>
        <translation>没有正在进行或将在 10 分钟内开始的会议。</translation>
    </message>
    <message>
        <source>Joining “%1”: %2</source>
        <translation>正在加入“%1”：%2</translation>
    </message>
    <message>
        <source>No program opens the meeting&apos;s link.</source>
        <translation>没有程序能打开会议链接。</translation>
    </message>
</context>
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
    <message>
        <source>%1, week %2</source>
        <extracomment>The day button&apos;s tooltip: the date, then the ISO week number</extracomment>
        <translation>%1，第 %2 周</translation>
    </message>
    <message>
        <source>Week %1</source>
        <translation>第 %1 周</translation>
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
    <message>
        <source>Join</source>
        <translation>加入</translation>
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
        <source>&amp;Text size</source>
        <translation>文字大小(&amp;T)</translation>
    </message>
    <message>
        <source>&amp;Background opacity</source>
        <translation>背景不透明度(&amp;B)</translation>
    </message>
    <message>
        <source>Online accounts cannot be added here: their module (%1) is not installed or does not load.</source>
        <translation>无法在此添加在线账户：其模块 (%1) 未安装或无法加载。</translation>
    </message>
    <message>
        <source>Invitations I declined</source>
        <translation>我已拒绝的邀请</translation>
    </message>
    <message>
        <source>Hidden</source>
        <translation>隐藏</translation>
    </message>
    <message>
        <source>Shown faintly</source>
        <translation>淡色显示</translation>
    </message>
    <message>
        <source>Shown</source>
        <translation>显示</translation>
    </message>
    <message>
        <source>name@example.org</source>
        <translation>name@example.org</translation>
    </message>
    <message>
        <source>Invitations in calendar files and subscriptions name you by these addresses; online accounts and the desktop&apos;s calendars know theirs.</source>
        <translation>日历文件和订阅中的邀请以这些地址称呼您；在线账户和桌面日历知道各自的地址。</translation>
    </message>
    <message>
        <source>&amp;Invitations I declined</source>
        <translation>我已拒绝的邀请(&amp;I)</translation>
    </message>
    <message>
        <source>My &amp;e-mail addresses</source>
        <translation>我的电子邮件地址(&amp;E)</translation>
    </message>
    <message>
        <source>List to-dos without a date</source>
        <translation>列出没有日期的待办事项</translation>
    </message>
    <message>
        <source>With the overview&apos;s first day, after the tasks that have a date.</source>
        <translation>放在概览的第一天，排在有日期的任务之后。</translation>
    </message>
    <message>
        <source>Show the &amp;week number in the overview</source>
        <translation>在概览中显示周数(&amp;W)</translation>
    </message>
    <message>
        <source>Key that gives the panel the keyboard</source>
        <translation>让面板获得键盘的按键</translation>
    </message>
    <message>
        <source>Anywhere on the desktop, where it offers global shortcuts; elsewhere bind a key of the desktop&apos;s to nvx-calendar-desktop-widget --focus.</source>
        <translation>在支持全局快捷键的桌面上随处可用；否则请将桌面的某个按键绑定到 nvx-calendar-desktop-widget --focus。</translation>
    </message>
    <message>
        <source>&amp;Keyboard</source>
        <translation>键盘(&amp;K)</translation>
    </message>
    <message>
        <source>The desktop&apos;s calendars: GNOME (Evolution)</source>
        <translation>桌面的日历：GNOME（Evolution）</translation>
    </message>
    <message>
        <source>The desktop&apos;s calendars: KDE (Akonadi)</source>
        <translation>桌面的日历：KDE（Akonadi）</translation>
    </message>
</context>
<context>
    <name>TaskDetails</name>
    <message>
        <source>Accepted</source>
        <translation>已接受</translation>
    </message>
    <message>
        <source>Tentative</source>
        <translation>暂定</translation>
    </message>
    <message>
        <source>Declined</source>
        <translation>已拒绝</translation>
    </message>
    <message>
        <source>Delegated</source>
        <translation>已委派</translation>
    </message>
    <message>
        <source>Not answered</source>
        <translation>未答复</translation>
    </message>
    <message>
        <source>You accepted</source>
        <translation>您已接受</translation>
    </message>
    <message>
        <source>You said maybe</source>
        <translation>您答复了“也许”</translation>
    </message>
    <message>
        <source>You declined</source>
        <translation>您已拒绝</translation>
    </message>
    <message>
        <source>You have not answered</source>
        <translation>您尚未答复</translation>
    </message>
    <message>
        <source>Event details</source>
        <translation>日程详情</translation>
    </message>
    <message>
        <source>Title</source>
        <translation>标题</translation>
    </message>
    <message>
        <source>Date and time</source>
        <translation>日期和时间</translation>
    </message>
    <message>
        <source>Location</source>
        <translation>地点</translation>
    </message>
    <message>
        <source>Calendar</source>
        <translation>日历</translation>
    </message>
    <message>
        <source>Your reply</source>
        <translation>您的答复</translation>
    </message>
    <message>
        <source>Read-only calendar</source>
        <translation>只读日历</translation>
    </message>
    <message>
        <source>This calendar is read-only: your answer cannot be saved here.</source>
        <translation>此日历为只读：无法在此保存您的答复。</translation>
    </message>
    <message>
        <source>Accept</source>
        <translation>接受</translation>
    </message>
    <message>
        <source>Maybe</source>
        <translation>也许</translation>
    </message>
    <message>
        <source>Decline</source>
        <translation>拒绝</translation>
    </message>
    <message>
        <source>Join</source>
        <translation>加入</translation>
    </message>
    <message>
        <source>Join the online meeting</source>
        <translation>加入在线会议</translation>
    </message>
    <message>
        <source>Open in calendar</source>
        <translation>在日历中打开</translation>
    </message>
    <message>
        <source>Edit…</source>
        <translation>编辑…</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>编辑</translation>
    </message>
    <message>
        <source>Organizer and attendees</source>
        <translation>组织者和参与者</translation>
    </message>
    <message>
        <source>Description</source>
        <translation>描述</translation>
    </message>
    <message>
        <source>Organizer: %1</source>
        <translation>组织者：%1</translation>
    </message>
    <message>
        <source>Show all %1</source>
        <translation>显示全部 %1 人</translation>
    </message>
    <message>
        <source>%1, week %2</source>
        <extracomment>The details&apos; date and time, then the ISO week number of the begin</extracomment>
        <translation>%1，第 %2 周</translation>
    </message>
</context>
<context>
    <name>TaskItem</name>
    <message>
        <source>Join</source>
        <translation>加入</translation>
    </message>
    <message>
        <source>Join the meeting</source>
        <translation>加入会议</translation>
    </message>
    <message>
        <source>Its calendar is read-only: the tick is kept in this widget alone.</source>
        <translation>其日历为只读：勾选仅保存在此小部件中。</translation>
    </message>
    <message>
        <source>No date</source>
        <translation>无日期</translation>
    </message>
    <message>
        <source>ticked</source>
        <translation>已勾选</translation>
    </message>
    <message>
        <source>countdown 1 minute</source>
        <translation>倒计时 1 分钟</translation>
    </message>
    <message>
        <source>countdown %1 minutes</source>
        <translation>倒计时 %1 分钟</translation>
    </message>
    <message>
        <source>countdown set</source>
        <translation>已设倒计时</translation>
    </message>
    <message>
        <source>pinned</source>
        <translation>已置顶</translation>
    </message>
    <message>
        <source>overdue</source>
        <translation>已过期</translation>
    </message>
    <message>
        <source>tentative</source>
        <translation>暂定</translation>
    </message>
    <message>
        <source>not answered</source>
        <translation>未答复</translation>
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
    <message>
        <source>Edit…</source>
        <translation>编辑…</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>删除</translation>
    </message>
    <message>
        <source>This occurrence</source>
        <translation>仅此一次</translation>
    </message>
    <message>
        <source>All occurrences</source>
        <translation>全部</translation>
    </message>
    <message>
        <source>Details…</source>
        <translation>详情…</translation>
    </message>
    <message>
        <source>Join</source>
        <translation>加入</translation>
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
