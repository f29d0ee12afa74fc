#include "calendarcontract.h"
#include "eventdraft.h"
#include "taskrules.h"

#include <QtTest>

namespace {
// Every row is read at this moment: no case depends on the hour of the run.
const QDateTime now(QDate(2030, 6, 12), QTime(10, 0));

ScheduleDataInfo task(qint64 beginS, qint64 endS, int remindNum = -1, bool allDay = false)
{
    ScheduleDataInfo info;
    info.setID(7);
    info.setTitleName(QStringLiteral("Review"));
    info.setAllDay(allDay);
    info.setBeginDateTime(now.addSecs(beginS));
    info.setEndDateTime(now.addSecs(endS));
    info.setRemindData(RemindData(remindNum, QTime(9, 0)));
    return info;
}

ExtendedData flags(bool checked, bool pinned, bool countdown)
{
    ExtendedData data;
    data.checked = checked;
    data.pinned = pinned;
    data.countdown = countdown;
    return data;
}
} // namespace

Q_DECLARE_METATYPE(TaskRules::SortKey)
Q_DECLARE_METATYPE(ExtendedData)

class TestTaskRules : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void modeAndState_data();
    void modeAndState();
    void menu_data();
    void menu();
    void editOffered_data();
    void editOffered();
    void invitation_data();
    void invitation();
    void meetingToJoin_data();
    void meetingToJoin();
    void countdown_data();
    void countdown();
    void dateText();
    void nextChange_data();
    void nextChange();
    void order_data();
    void order();
    void newEventTime_data();
    void newEventTime();
};

void TestTaskRules::modeAndState_data()
{
    QTest::addColumn<bool>("allDay");
    QTest::addColumn<int>("remind");
    QTest::addColumn<int>("beginS");
    QTest::addColumn<int>("endS");
    QTest::addColumn<bool>("pinned");
    QTest::addColumn<bool>("countdown");
    QTest::addColumn<bool>("checked");
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("state");

    const int h = 3600;
    // clang-format off
    QTest::newRow("no reminder, ahead")            << false << -1  << 30 * 60 << 2 * h  << false << false << false << 0 << 0;
    QTest::newRow("no reminder, begun")            << false << -1  << -600    << h      << false << false << false << 0 << 1;
    QTest::newRow("15 min, not yet reminded")      << false << 15  << 20 * 60 << h      << false << false << false << 1 << 0;
    QTest::newRow("15 min, reminded")              << false << 15  << 10 * 60 << h      << false << false << false << 1 << 1;
    QTest::newRow("15 min, at the reminder")       << false << 15  << 15 * 60 << h      << false << false << false << 1 << 0;
    QTest::newRow("reminder after the start")      << false << -10 << -5 * 60 << h      << false << false << false << 1 << 0;
    QTest::newRow("all-day 1 day, not reminded")   << true  << 1   << 36 * h  << 48 * h << false << false << false << 1 << 0;
    QTest::newRow("all-day 1 day, reminded")       << true  << 1   << 12 * h  << 24 * h << false << false << false << 1 << 1;
    QTest::newRow("pinned with reminder")          << false << 15  << 10 * 60 << h      << true  << false << false << 2 << 1;
    QTest::newRow("countdown, two hours ahead")    << false << -1  << 2 * h   << 3 * h  << false << true  << false << 3 << 0;
    QTest::newRow("countdown, exactly an hour")    << false << -1  << h       << 2 * h  << false << true  << false << 4 << 0;
    QTest::newRow("countdown waiting, reminded")   << false << 240 << 2 * h   << 3 * h  << false << true  << false << 3 << 1;
    QTest::newRow("countdown inside the hour")     << false << -1  << 30 * 60 << 2 * h  << false << true  << false << 4 << 0;
    QTest::newRow("countdown after the begin")     << false << -1  << -600    << h      << false << true  << false << 4 << 1;
    QTest::newRow("countdown, end 5 s away")       << false << 15  << -h      << 5      << false << true  << false << 1 << 1;
    QTest::newRow("countdown, end 6 s away")       << false << 15  << -h      << 6      << false << true  << false << 4 << 1;
    QTest::newRow("expired with reminder")         << false << 15  << -2 * h  << -h     << false << false << false << 1 << 2;
    QTest::newRow("expired countdown")             << false << -1  << -2 * h  << -h     << false << true  << false << 0 << 2;
    QTest::newRow("ends now: not yet expired")     << false << -1  << -2 * h  << 0      << false << false << false << 0 << 1;
    QTest::newRow("checked and expired")           << false << -1  << -2 * h  << -h     << false << false << true  << 0 << 3;
    QTest::newRow("checked, ahead")                << false << 15  << 2 * h   << 3 * h  << false << false << true  << 1 << 3;
    // clang-format on
}

void TestTaskRules::modeAndState()
{
    QFETCH(bool, allDay);
    QFETCH(int, remind);
    QFETCH(int, beginS);
    QFETCH(int, endS);
    QFETCH(bool, pinned);
    QFETCH(bool, countdown);
    QFETCH(bool, checked);
    QFETCH(int, mode);
    QFETCH(int, state);

    const ScheduleDataInfo info = task(beginS, endS, remind, allDay);
    QCOMPARE(TaskRules::modeAt(info, flags(checked, pinned, countdown), now), mode);
    QCOMPARE(TaskRules::stateAt(info, flags(checked, pinned, countdown), now), state);
}

void TestTaskRules::menu_data()
{
    QTest::addColumn<int>("beginS");
    QTest::addColumn<bool>("pinned");
    QTest::addColumn<bool>("countdown");
    QTest::addColumn<bool>("checked");
    QTest::addColumn<QList<bool>>("offered"); // open, countdown, pin, normal

    QTest::newRow("normal, ahead") << 7200 << false << false << false << QList<bool>{true, true, true, false};
    QTest::newRow("normal, begun") << -600 << false << false << false
                                   << QList<bool>{true, false, true, false};
    QTest::newRow("normal, at the begin")
        << 0 << false << false << false << QList<bool>{true, false, true, false};
    QTest::newRow("pinned, ahead") << 7200 << true << false << false << QList<bool>{true, true, false, true};
    QTest::newRow("pinned, begun") << -600 << true << false << false << QList<bool>{true, false, false, true};
    QTest::newRow("countdown") << 7200 << false << true << false << QList<bool>{true, false, false, true};
    QTest::newRow("checked") << 7200 << false << true << true << QList<bool>{true, false, false, false};
}

void TestTaskRules::menu()
{
    QFETCH(int, beginS);
    QFETCH(bool, pinned);
    QFETCH(bool, countdown);
    QFETCH(bool, checked);
    QFETCH(QList<bool>, offered);

    const TaskRules::MenuEntries entries =
        TaskRules::menuAt(task(beginS, 3 * 3600), flags(checked, pinned, countdown), now);
    QCOMPARE((QList<bool>{entries.open, entries.countdown, entries.pin, entries.normal}), offered);
}

void TestTaskRules::editOffered_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<bool>("writable");
    QTest::addColumn<bool>("checked");
    QTest::addColumn<bool>("offered");

    QTest::newRow("event") << 1 << true << false << true;
    QTest::newRow("ticked off: still changed or deleted") << 1 << true << true << true;
    QTest::newRow("to-do: changed where it was made") << DBUS_SERVER_TODO_TYPE << true << false << false;
    QTest::newRow("read-only calendar") << 1 << false << false << false;
}

void TestTaskRules::editOffered()
{
    QFETCH(int, type);
    QFETCH(bool, writable);
    QFETCH(bool, checked);
    QFETCH(bool, offered);

    ScheduleDataInfo job = task(7200, 3 * 3600);
    job.setType(type);
    CalendarIdentity calendar;
    calendar.id = QStringLiteral("c");
    calendar.writable = writable;
    job.setCalendar(calendar);
    QCOMPARE(TaskRules::menuAt(job, flags(checked, false, false), now).edit, offered);
}

void TestTaskRules::invitation_data()
{
    QTest::addColumn<QString>("reply");
    QTest::addColumn<bool>("link");
    QTest::addColumn<int>("beginS");
    QTest::addColumn<bool>("countdown"); // the user put it into countdown mode
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("countdownOffered");
    QTest::addColumn<bool>("joinOffered");
    QTest::addColumn<bool>("joinsNow");
    QTest::addColumn<bool>("unsure");

    // clang-format off
    QTest::newRow("accepted, counting down, 11 min ahead") << "accepted"     << true  << 660  << true  << 4 << false << true  << false << false;
    QTest::newRow("accepted, 10 min ahead: Join shows")    << "accepted"     << true  << 600  << true  << 4 << false << true  << true  << false;
    QTest::newRow("begun: Join until its end")             << "accepted"     << true  << -600 << false << 0 << false << true  << true  << false;
    QTest::newRow("no link: no Join")                      << "accepted"     << false << 300  << false << 0 << true  << false << false << false;
    QTest::newRow("declined: never counted down")          << "declined"     << true  << 300  << true  << 0 << false << true  << true  << false;
    QTest::newRow("declined: no countdown offered")        << "declined"     << false << 7200 << false << 0 << false << false << false << false;
    QTest::newRow("tentative")                             << "tentative"    << true  << 7200 << false << 0 << true  << true  << false << true;
    QTest::newRow("not answered, counting down")           << "needs-action" << false << 1800 << true  << 4 << false << false << false << true;
    QTest::newRow("not invited")                           << ""             << true  << 7200 << false << 0 << true  << true  << false << false;
    // clang-format on
}

void TestTaskRules::invitation()
{
    QFETCH(QString, reply);
    QFETCH(bool, link);
    QFETCH(int, beginS);
    QFETCH(bool, countdown);
    QFETCH(int, mode);
    QFETCH(bool, countdownOffered);
    QFETCH(bool, joinOffered);
    QFETCH(bool, joinsNow);
    QFETCH(bool, unsure);

    ScheduleDataInfo job = task(beginS, beginS + 3600);
    EventDetails details;
    details.myReply = reply;
    if (link)
        details.conference = QStringLiteral("https://meet.google.com/abc-defg-hij");
    job.setDetails(details);
    QCOMPARE(TaskRules::modeAt(job, flags(false, false, countdown), now), mode);
    const TaskRules::MenuEntries entries = TaskRules::menuAt(job, flags(false, false, countdown), now);
    QCOMPARE(entries.countdown, countdownOffered);
    QCOMPARE(entries.join, joinOffered);
    QCOMPARE(TaskRules::joinsNow(job, now), joinsNow);
    QCOMPARE(TaskRules::isUnsure(job), unsure);
    QCOMPARE(TaskRules::isDeclined(job), reply == QLatin1String("declined"));
}

void TestTaskRules::meetingToJoin_data()
{
    // Each job: "begin minutes from now, length in minutes, reply, link?" as "b,l,reply,y|n".
    QTest::addColumn<QStringList>("jobs");
    QTest::addColumn<int>("chosen"); // the index, or -1

    QTest::newRow("none at all") << QStringList() << -1;
    QTest::newRow("one running") << QStringList{"-20,60,,y"} << 0;
    QTest::newRow("one in nine minutes") << QStringList{"9,30,accepted,y"} << 0;
    QTest::newRow("one in eleven minutes: too early") << QStringList{"11,30,,y"} << -1;
    QTest::newRow("ended a minute ago") << QStringList{"-61,60,,y"} << -1;
    QTest::newRow("running, without a link") << QStringList{"-5,60,,n"} << -1;
    QTest::newRow("declined") << QStringList{"-5,60,declined,y"} << -1;
    QTest::newRow("the next one over one still running")
        << QStringList{"-50,60,accepted,y", "5,30,needs-action,y", "8,30,declined,y"} << 1;
}

void TestTaskRules::meetingToJoin()
{
    QFETCH(QStringList, jobs);
    QFETCH(int, chosen);

    QVector<ScheduleDataInfo> list;
    for (const QString &text : jobs) {
        const QStringList parts = text.split(',');
        ScheduleDataInfo job =
            task(parts.at(0).toInt() * 60, (parts.at(0).toInt() + parts.at(1).toInt()) * 60);
        EventDetails details;
        details.myReply = parts.at(2);
        if (parts.at(3) == "y")
            details.conference = QStringLiteral("https://meet.google.com/abc-defg-hij");
        job.setDetails(details);
        list << job;
    }
    const ScheduleDataInfo *found = TaskRules::meetingToJoin(list, now);
    QCOMPARE(found ? int(found - list.constData()) : -1, chosen);
}

void TestTaskRules::countdown_data()
{
    QTest::addColumn<qint64>("beginMs");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<bool>("final"); // a running countdown turns final on this tick

    QTest::newRow("59.5 s rounds up") << 59500LL << "01:00" << true;
    QTest::newRow("4 min 30.5 s") << 270500LL << "04:31" << false;
    QTest::newRow("minutes are not wrapped") << 3590500LL << "59:51" << false;
    QTest::newRow("seconds part 4") << 303500LL << "05:04" << true;
    QTest::newRow("seconds part 9") << 308500LL << "05:09" << true;
    QTest::newRow("seconds part 10") << 309500LL << "05:10" << false;
    QTest::newRow("seconds part 31") << 330500LL << "05:31" << false;
    QTest::newRow("last second") << 0LL << "00:01" << true;
    QTest::newRow("a second after the begin time") << -1000LL << "00:00" << false;
    QTest::newRow("after the begin time") << -10000LL << "00:00" << false;
}

void TestTaskRules::countdown()
{
    QFETCH(qint64, beginMs);
    QFETCH(QString, shown);
    QFETCH(bool, final);

    const QDateTime begin = now.addMSecs(beginMs);
    QCOMPARE(TaskRules::countdownText(begin, "Stand && up %1", now),
             "  " + shown + " => " + begin.toString("hh:mm::ss") + "\n  Stand && up %1");
    QCOMPARE(TaskRules::modeAfterTick(TaskRules::ModeCountdown, begin, now),
             final ? int(TaskRules::ModeCountdownFinal) : int(TaskRules::ModeCountdown));
    // Only a running countdown turns final; the final phase stays.
    for (int mode : {TaskRules::ModeRemind, TaskRules::ModeCountdownWait, TaskRules::ModeCountdownFinal})
        QCOMPARE(TaskRules::modeAfterTick(mode, begin, now), mode);
}

void TestTaskRules::nextChange_data()
{
    QTest::addColumn<ScheduleDataInfo>("info");
    QTest::addColumn<ExtendedData>("data");
    QTest::addColumn<bool>("changes"); // whether anything changes within the day

    QTest::newRow("reminder, then begin, then end") << task(1800, 3600, 15) << flags(false, false, false) << true;
    QTest::newRow("reminded, end to come") << task(-600, 600, 15) << flags(false, false, false) << true;
    QTest::newRow("countdown waiting") << task(7200, 9000) << flags(false, false, true) << true;
    QTest::newRow("countdown running, tail to come") << task(600, 1200) << flags(false, false, true) << true;
    QTest::newRow("pinned, expiring") << task(-3600, 60) << flags(false, true, false) << true;
    QTest::newRow("checked countdown") << task(7200, 9000) << flags(true, false, true) << true;
    QTest::newRow("checked: nothing changes") << task(600, 1200) << flags(true, false, false) << false;
    QTest::newRow("expired") << task(-7200, -3600, 15) << flags(false, false, false) << false;
}

// Up to the moment named nothing that the item shows changes; at it, something does.
void TestTaskRules::nextChange()
{
    QFETCH(ScheduleDataInfo, info);
    QFETCH(ExtendedData, data);
    QFETCH(bool, changes);

    const auto shown = [&](const QDateTime &at) {
        const TaskRules::MenuEntries menu = TaskRules::menuAt(info, data, at);
        return QList<int>{TaskRules::modeAt(info, data, at), TaskRules::stateAt(info, data, at), menu.countdown,
                          menu.pin, menu.normal};
    };
    QDateTime from = now;
    int moments = 0;
    for (QDateTime next = TaskRules::nextChange(info, data, from); next.isValid() && next < now.addDays(1);
         next = TaskRules::nextChange(info, data, from)) {
        QVERIFY(next > from);
        const QList<int> before = shown(from);
        for (QDateTime at = from; at < next; at = at.addSecs(1))
            QCOMPARE(shown(at), before);
        QCOMPARE(shown(next.addMSecs(-1)), before);
        QVERIFY(shown(next) != before);
        from = next;
        ++moments;
    }
    QCOMPARE(moments > 0, changes);
    // Past the last moment, nothing changes within the day.
    const QList<int> last = shown(from);
    for (QDateTime at = from; at < now.addDays(1); at = at.addSecs(60))
        QCOMPARE(shown(at), last);
}

void TestTaskRules::dateText()
{
    const QDateTime begin(QDate(2030, 12, 6), QTime(14, 30));
    QCOMPARE(TaskRules::dateText(begin, "Review"), QString("  12.06  14:30\n  Review"));
}

void TestTaskRules::order_data()
{
    using Key = TaskRules::SortKey;
    QTest::addColumn<Key>("a");
    QTest::addColumn<Key>("b");
    QTest::addColumn<bool>("before");

    const QDateTime early = now;
    const QDateTime late = now.addSecs(60);
    QTest::newRow("unchecked before checked") << Key{false, 0, late} << Key{true, 5, early} << true;
    QTest::newRow("checked after unchecked") << Key{true, 5, early} << Key{false, 0, late} << false;
    QTest::newRow("final before running") << Key{false, 5, late} << Key{false, 4, early} << true;
    QTest::newRow("waiting before pinned") << Key{false, 3, late} << Key{false, 2, early} << true;
    QTest::newRow("pinned before reminder") << Key{false, 2, late} << Key{false, 1, early} << true;
    QTest::newRow("reminder ranks as normal, earlier first")
        << Key{false, 1, late} << Key{false, 0, early} << false;
    QTest::newRow("normal ranks as reminder, earlier first")
        << Key{false, 0, early} << Key{false, 1, late} << true;
    QTest::newRow("equal keys: neither first") << Key{false, 1, early} << Key{false, 0, early} << false;
}

void TestTaskRules::order()
{
    QFETCH(TaskRules::SortKey, a);
    QFETCH(TaskRules::SortKey, b);
    QFETCH(bool, before);
    QCOMPARE(TaskRules::goesBefore(a, b), before);
}

// A new event on the day chosen starts at the next full hour, and never on another day.
void TestTaskRules::newEventTime_data()
{
    QTest::addColumn<QTime>("now");
    QTest::addColumn<QTime>("begin");

    QTest::newRow("morning") << QTime(9, 20) << QTime(10, 0);
    QTest::newRow("on the hour") << QTime(14, 0) << QTime(15, 0);
    QTest::newRow("the hour before the last") << QTime(22, 59) << QTime(23, 0);
    QTest::newRow("the day's last hour: stays on the day") << QTime(23, 40) << QTime(23, 0);
}

void TestTaskRules::newEventTime()
{
    QFETCH(QTime, now);
    QFETCH(QTime, begin);

    const QDate day(2031, 3, 4);
    const EventDraft draft = EventDraft::newOn(day, QDateTime(QDate(2031, 2, 27), now));
    QCOMPARE(draft.begin, QDateTime(day, begin));
    QCOMPARE(draft.begin.secsTo(draft.end), 3600);
}

QTEST_GUILESS_MAIN(TestTaskRules)
#include "tst_taskrules.moc"
