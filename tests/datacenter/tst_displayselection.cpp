#include "datacenter.h"
#include "fakedbusservice.h"
#include "viewfetcher.h"

#include <QDBusConnection>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QScopeGuard>
#include <QtTest>

namespace {

// One schedule occurrence of the test calendar, written "day:id:recurID:flags", the day counted
// from today; flags: r reminder, c checked, p pinned, d countdown, h of the calendar the user hid,
// x declined, n a to-do without a date (the server puts it on today's), k a to-do completed in its
// calendar.
struct Entry
{
    int day = 0;
    int id = 0;
    int recurID = 0;
    QString flags;

    QString title() const { return QString::fromUtf8("任务 %1/%2").arg(id).arg(recurID); }
};

QVector<Entry> parse(const QStringList &entries)
{
    QVector<Entry> calendar;
    for (const QString &text : entries) {
        const QStringList parts = text.split(':');
        calendar.append({parts.at(0).toInt(), parts.at(1).toInt(), parts.at(2).toInt(), parts.value(3)});
    }
    return calendar;
}

ScheduleDataInfo scheduleOf(const Entry &entry)
{
    ScheduleDataInfo info;
    info.setID(entry.id);
    info.setRecurID(entry.recurID);
    info.setTitleName(entry.title());
    return info;
}

QString dateTimeText(const QDate &day, const QString &time)
{
    return day.toString(QStringLiteral("yyyy-MM-dd")) + 'T' + time + "+00:00";
}

// The data server's answer: every day of the range, in order, empty days included.
QString rangeJson(const QVector<Entry> &calendar, const QDate &today, const QDate &start, const QDate &end)
{
    QJsonArray days;
    for (QDate day = start; day.isValid() && day <= end; day = day.addDays(1)) {
        QJsonArray jobs;
        for (const Entry &entry : calendar) {
            if (today.addDays(entry.day) != day)
                continue;
            QJsonObject job{{"ID", entry.id},
                            {"RecurID", entry.recurID},
                            {"Title", entry.title()},
                            {"AllDay", true},
                            {"Start", dateTimeText(day, "00:00:00")},
                            {"End", dateTimeText(day, "23:59:00")}};
            if (entry.flags.contains('r'))
                job.insert("Remind", "1;09:00");
            job.insert("CalendarID", entry.flags.contains('h') ? "hidden" : "shown");
            if (entry.flags.contains('x'))
                job.insert("MyReply", "declined");
            if (entry.flags.contains('n'))
                job.insert("NoDate", true);
            if (entry.flags.contains('k'))
                job.insert("Completed", true);
            job.insert("CalendarName", "Work");
            jobs.append(job);
        }
        days.append(QJsonObject{{"Date", day.toString(Qt::ISODate)}, {"Jobs", jobs}});
    }
    return QString::fromUtf8(QJsonDocument(days).toJson(QJsonDocument::Compact));
}

QDate dateOf(const QVariantList &arguments, int first)
{
    return QDate(arguments.value(first).toInt(), arguments.value(first + 1).toInt(),
                 arguments.value(first + 2).toInt());
}

} // namespace

namespace {
struct Outcome
{
    bool fetched = false;
    QVector<ListedTask> tasks;
};
Outcome fetchWithoutWaiting(DisplayInfo view)
{
    ViewFetcher fetcher;
    Outcome outcome;
    bool done = false;
    QObject::connect(&fetcher, &ViewFetcher::fetched, [&](DisplayInfo v, const QVector<ListedTask> &tasks) {
        done = v == view;
        outcome = {true, tasks};
    });
    QObject::connect(&fetcher, &ViewFetcher::failed, [&](DisplayInfo v) { done = v == view; });
    fetcher.fetch(view);
    [&] { QTRY_VERIFY_WITH_TIMEOUT(done, 10000); }();
    return outcome;
}
} // namespace

class TestDisplaySelection : public QObject
{
    Q_OBJECT

private:
    FakeDBusService server{"com.norvale.dataserver.Calendar", "/com/norvale/dataserver/Calendar",
                           "com.norvale.dataserver.Calendar"};

    // The ranges asked for, as day offsets from today: "-3..0".
    QStringList fetchedRanges(const QDate &today) const
    {
        QStringList ranges;
        for (const FakeDBusService::Call &call : server.calls("GetJobs")) {
            const QString range = QString("%1..%2")
                                      .arg(today.daysTo(dateOf(call.arguments, 0)))
                                      .arg(today.daysTo(dateOf(call.arguments, 3)));
            ranges << (call.signature == "uuuuuu" ? range : range + " as " + call.signature);
        }
        return ranges;
    }

private Q_SLOTS:
    void initTestCase()
    {
        if (!QDBusConnection::sessionBus().isConnected())
            QSKIP("no session bus");
    }

    void noServer()
    {
        server.stop();
        const QRegularExpression failure("^GetJobs err ,");
        const QVector<int> views{DisplayOverview, DisplayRecent, 1, 6};
        for (int i = 0; i < views.size(); ++i) {
            // One warning while the server stays away, and the overview gives up after its first fetch.
            QTest::ignoreMessage(i == 0 ? QtWarningMsg : QtDebugMsg, failure);
            QVector<ScheduleDataInfo> out{ScheduleDataInfo()};
            QVERIFY(!DataCenter::instance()->getJobs(DisplayInfo(views.at(i)), out));
            QVERIFY2(out.isEmpty(), qPrintable(QString("view %1").arg(views.at(i))));
        }
    }

    void views_data()
    {
        QTest::addColumn<QStringList>("calendar");
        QTest::addColumn<int>("view");
        QTest::addColumn<QStringList>("expected");
        QTest::addColumn<QStringList>("ranges");

        const QStringList daily{"-3:1:1:c", "-2:1:2:", "-1:1:3:", "0:1:4:", "1:1:5:",
                                "2:1:6:",   "3:1:7:",  "4:1:8:",  "5:1:9:", "6:1:10:"};
        QTest::newRow("daily: overview shows the oldest unchecked occurrence")
            << daily << int(DisplayOverview) << QStringList{"1/2"} << QStringList{"-3..0", "0..6"};
        QTest::newRow("daily: recent shows it once")
            << daily << int(DisplayRecent) << QStringList{"1/1"} << QStringList{"-3..0"};
        QTest::newRow("daily: day view shows it once")
            << daily << 2 << QStringList{"1/6"} << QStringList{"2..2"};
        QTest::newRow("daily: all checked, today is the anchor")
            << QStringList{"-1:2:1:c", "0:2:2:c", "1:2:3:r"} << int(DisplayOverview) << QStringList{"2/2"}
            << QStringList{"-3..0", "0..6"};

        QTest::newRow("unchecked past task carried forward, checked one not")
            << QStringList{"-2:20:0:", "-2:21:0:c", "-4:22:0:"} << int(DisplayOverview) << QStringList{"20/0"}
            << QStringList{"-3..0", "0..6"};
        QTest::newRow("anchor day two days ahead")
            << QStringList{"2:30:0:", "2:31:0:c", "2:32:0:", "3:36:0:r", "4:33:0:", "4:34:0:p", "5:35:0:d"}
            << int(DisplayOverview) << QStringList{"30/0", "31/0", "32/0", "36/0", "34/0", "35/0"}
            << QStringList{"-3..0", "0..6"};
        QTest::newRow("reminder on the last day of the week, not after")
            << QStringList{"0:42:0:", "6:40:0:r", "7:41:0:r", "6:43:0:"} << int(DisplayOverview)
            << QStringList{"42/0", "40/0"} << QStringList{"-3..0", "0..6"};
        QTest::newRow("checked notable task still listed")
            << QStringList{"0:50:0:", "3:51:0:rc", "3:52:0:pc"} << int(DisplayOverview)
            << QStringList{"50/0", "51/0", "52/0"} << QStringList{"-3..0", "0..6"};
        QTest::newRow("overview order: carried, anchor, notable")
            << QStringList{"1:73:0:r", "-1:70:0:", "0:71:0:c", "0:70:1:", "-3:74:0:c", "1:72:0:"}
            << int(DisplayOverview) << QStringList{"70/0", "71/0", "73/0"} << QStringList{"-3..0", "0..6"};

        QTest::newRow("recent lists checked tasks")
            << QStringList{"-4:64:0:", "-3:60:0:c", "-1:61:0:", "0:62:0:c", "1:63:0:"} << int(DisplayRecent)
            << QStringList{"60/0", "61/0", "62/0"} << QStringList{"-3..0"};
        QTest::newRow("day view in server order") << QStringList{"1:81:0:c", "1:80:0:", "2:82:0:r"} << 1
                                                  << QStringList{"81/0", "80/0"} << QStringList{"1..1"};
        QTest::newRow("empty day") << QStringList{"0:90:0:r", "2:91:0:"} << 3 << QStringList()
                                   << QStringList{"3..3"};
        QTest::newRow("hidden calendar: no anchor, carried or notable task of it")
            << QStringList{"-1:100:0:h", "1:101:0:h", "2:102:0:", "3:103:0:rh", "4:104:0:r"}
            << int(DisplayOverview) << QStringList{"102/0", "104/0"} << QStringList{"-3..0", "0..6"};
        QTest::newRow("hidden calendar: day view and recent days")
            << QStringList{"1:105:0:h", "1:106:0:"} << 1 << QStringList{"106/0"} << QStringList{"1..1"};
        QTest::newRow("hidden calendar: recent days")
            << QStringList{"-1:107:0:h", "0:108:0:c"} << int(DisplayRecent) << QStringList{"108/0"}
            << QStringList{"-3..0"};
        QTest::newRow("declined invitation: left out of the overview, its day no anchor")
            << QStringList{"-1:110:0:x", "1:111:0:x", "2:112:0:", "3:113:0:rx", "4:114:0:r"}
            << int(DisplayOverview) << QStringList{"112/0", "114/0"} << QStringList{"-3..0", "0..6"};
        QTest::newRow("declined invitation: day view")
            << QStringList{"1:115:0:x", "1:116:0:"} << 1 << QStringList{"116/0"} << QStringList{"1..1"};
        QTest::newRow("to-do without a date: listed with the first day, not making today it")
            << QStringList{"0:120:0:n", "2:121:0:", "2:122:0:"} << int(DisplayOverview)
            << QStringList{"121/0", "122/0", "120/0"} << QStringList{"-3..0", "0..6"};
        QTest::newRow("to-do without a date: listed with today's tasks")
            << QStringList{"0:123:0:", "0:124:0:n"} << int(DisplayOverview) << QStringList{"123/0", "124/0"}
            << QStringList{"-3..0", "0..6"};
        QTest::newRow("to-do completed in its calendar: ticked, not carried forward")
            << QStringList{"-1:125:0:k", "0:126:0:"} << int(DisplayOverview) << QStringList{"126/0"}
            << QStringList{"-3..0", "0..6"};
        QTest::newRow("other negative view")
            << QStringList{"0:92:0:"} << -2 << QStringList() << QStringList();
    }

    void views()
    {
        QFETCH(QStringList, calendar);
        QFETCH(int, view);
        QFETCH(QStringList, expected);
        QFETCH(QStringList, ranges);

        QVERIFY(server.isRunning() || server.start());
        const QDate today = QDate::currentDate();
        const QVector<Entry> entries = parse(calendar);
        for (const Entry &entry : entries) {
            ExtendedData data;
            data.dataId = DataID{entry.id, entry.recurID, entry.title()};
            data.checked = entry.flags.contains('c');
            data.pinned = entry.flags.contains('p');
            data.countdown = entry.flags.contains('d');
            DataCenter::instance()->setExtendedData(scheduleOf(entry), data);
        }
        server.clearCalls();
        server.setHandler("GetJobs", [entries, today](const FakeDBusService::Call &call) {
            return FakeDBusService::Reply::value(
                rangeJson(entries, today, dateOf(call.arguments, 0), dateOf(call.arguments, 3)));
        });

        DataCenter::instance()->setHiddenCalendars({"hidden"});
        auto shownAgain = qScopeGuard([] { DataCenter::instance()->setHiddenCalendars({}); });
        QVector<ScheduleDataInfo> out{ScheduleDataInfo()};
        QVERIFY(DataCenter::instance()->getJobs(DisplayInfo(view), out));

        QStringList listed;
        for (const ScheduleDataInfo &info : out)
            listed << QString("%1/%2").arg(info.getID()).arg(info.getRecurID());
        QCOMPARE(listed, expected);
        QCOMPARE(fetchedRanges(today), ranges);
        for (const ScheduleDataInfo &info : out) {
            const Entry *entry = nullptr;
            for (const Entry &candidate : entries) {
                if (candidate.id == info.getID() && candidate.recurID == info.getRecurID())
                    entry = &candidate;
            }
            QVERIFY(entry);
            QCOMPARE(info.getTitleName(), entry->title());
            QCOMPARE(info.getBeginDateTime().date(), today.addDays(entry->day));
        }

        // Without waiting: the same tasks, each with its state, from the same ranges.
        server.clearCalls();
        const Outcome outcome = fetchWithoutWaiting(DisplayInfo(view));
        QVERIFY(outcome.fetched);
        QStringList listedAsync;
        for (const ListedTask &task : outcome.tasks) {
            listedAsync << QString("%1/%2").arg(task.info.getID()).arg(task.info.getRecurID());
            QCOMPARE(task.state, DataCenter::instance()->getExtendedData(task.info));
        }
        QCOMPARE(listedAsync, expected);
        QStringList rangesAsync = fetchedRanges(today);
        rangesAsync.sort();
        QStringList rangesSorted = ranges;
        rangesSorted.sort();
        QCOMPARE(rangesAsync, rangesSorted);
    }
    // The setting that hides the to-dos without a date.
    void undatedHidden()
    {
        QVERIFY(server.isRunning() || server.start());
        const QDate today = QDate::currentDate();
        const QVector<Entry> entries = parse({"0:130:0:n", "1:131:0:"});
        server.setHandler("GetJobs", [entries, today](const FakeDBusService::Call &call) {
            return FakeDBusService::Reply::value(
                rangeJson(entries, today, dateOf(call.arguments, 0), dateOf(call.arguments, 3)));
        });
        QSignalSpy options(DataCenter::instance(), &DataCenter::viewOptionsChanged);
        DataCenter::instance()->setUndatedShown(false);
        auto shownAgain = qScopeGuard([] { DataCenter::instance()->setUndatedShown(true); });
        QCOMPARE(options.count(), 1);
        QVector<ScheduleDataInfo> out;
        QVERIFY(DataCenter::instance()->getJobs(DisplayOverview, out));
        QCOMPARE(out.size(), 1);
        QCOMPARE(out.first().getID(), 131);
    }

    void failedFetch_data()
    {
        QTest::addColumn<int>("view");
        QTest::addColumn<QString>("failing"); // the range whose fetch fails
        QTest::addColumn<QString>("how");
        QTest::addColumn<QStringList>("ranges");

        QTest::newRow("overview, first range") << int(DisplayOverview) << "-3..0"
                                               << "error" << QStringList{"-3..0"};
        QTest::newRow("overview, second range") << int(DisplayOverview) << "0..6"
                                                << "error" << QStringList{"-3..0", "0..6"};
        QTest::newRow("overview, reply not a text") << int(DisplayOverview) << "0..6"
                                                    << "integer" << QStringList{"-3..0", "0..6"};
        QTest::newRow("recent") << int(DisplayRecent) << "-3..0"
                                << "error" << QStringList{"-3..0"};
        QTest::newRow("one day") << 2 << "2..2"
                                 << "integer" << QStringList{"2..2"};
    }

    // The window keeps the list it shows when a fetch fails, so a failure must not pass as an empty day.
    void failedFetch()
    {
        QFETCH(int, view);
        QFETCH(QString, failing);
        QFETCH(QString, how);
        QFETCH(QStringList, ranges);

        QVERIFY(server.isRunning() || server.start());
        const QDate today = QDate::currentDate();
        const QVector<Entry> entries = parse({"-1:95:0:", "0:96:0:r", "2:97:0:"});
        server.clearCalls();
        server.setHandler("GetJobs", [=](const FakeDBusService::Call &call) {
            const QDate start = dateOf(call.arguments, 0);
            const QDate end = dateOf(call.arguments, 3);
            if (QString("%1..%2").arg(today.daysTo(start)).arg(today.daysTo(end)) == failing) {
                return how == "error" ? FakeDBusService::Reply::error("com.norvale.Error.Failed")
                                      : FakeDBusService::Reply::value(42);
            }
            return FakeDBusService::Reply::value(rangeJson(entries, today, start, end));
        });

        if (how == "error")
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^GetJobs err ,"));
        QVector<ScheduleDataInfo> out;
        QVERIFY(!DataCenter::instance()->getJobs(DisplayInfo(view), out));
        QCOMPARE(fetchedRanges(today), ranges);

        // Without waiting, a view with a failed range is a failure as a whole: never half a view.
        const Outcome outcome = fetchWithoutWaiting(DisplayInfo(view));
        QVERIFY(!outcome.fetched);
        QVERIFY(outcome.tasks.isEmpty());

        // The next call that succeeds reports success again.
        server.setHandler("GetJobs", [=](const FakeDBusService::Call &call) {
            return FakeDBusService::Reply::value(
                rangeJson(entries, today, dateOf(call.arguments, 0), dateOf(call.arguments, 3)));
        });
        QVERIFY(DataCenter::instance()->getJobs(DisplayInfo(view), out));
        QVERIFY(!out.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestDisplaySelection)

#include "tst_displayselection.moc"
