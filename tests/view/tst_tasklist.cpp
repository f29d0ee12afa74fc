#include "datacenter.h"
#include "dayclock.h"
#include "eventdetails.h"
#include "taskitem.h"
#include "tasklist.h"
#include "taskrules.h"

#include <QAccessible>
#include <QCheckBox>
#include <QPointer>
#include <QScrollArea>
#include <QSignalSpy>
#include <QStyleOptionButton>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <QtTest>

namespace {
// How a test task is set up: the mode it is meant to reach, its ticked state, and its begin as
// minutes from now.
struct TaskDraft
{
    QString title;
    int mode;
    bool checked;
    int beginMinutes;
};

int nextId = 1000;

ScheduleDataInfo makeTask(const TaskDraft &draft, const QDateTime &now)
{
    ScheduleDataInfo info;
    info.setID(nextId++);
    info.setTitleName(draft.title);
    info.setAllDay(false);
    info.setBeginDateTime(now.addSecs(draft.beginMinutes * 60));
    info.setEndDateTime(now.addSecs(draft.beginMinutes * 60 + 7200));
    if (draft.mode == TaskItem::ModeRemind)
        info.setRemindData(RemindData(15, QTime(9, 0)));

    ExtendedData ext;
    ext.dataId = DataID{info.getID(), info.getRecurID(), info.getTitleName()};
    ext.checked = draft.checked;
    ext.pinned = draft.mode == TaskItem::ModePinned;
    ext.countdown = draft.mode == TaskItem::ModeCountdownWait || draft.mode == TaskItem::ModeCountdown;
    DataCenter::instance()->setExtendedData(info, ext);
    return info;
}

QVector<ScheduleDataInfo> makeTasks(const QList<TaskDraft> &drafts)
{
    const QDateTime now = QDateTime::currentDateTime();
    QVector<ScheduleDataInfo> tasks;
    for (const TaskDraft &draft : drafts)
        tasks.append(makeTask(draft, now));
    return tasks;
}

QVector<ScheduleDataInfo> plainTasks(const QStringList &titles)
{
    QList<TaskDraft> drafts;
    for (int i = 0; i < titles.size(); ++i)
        drafts.append({titles.at(i), TaskItem::ModeNormal, false, 10 * (i + 1)});
    return makeTasks(drafts);
}

QCheckBox *checkBoxOf(TaskItem *item)
{
    return item->findChild<QCheckBox *>();
}

QString titleOf(TaskItem *item)
{
    return item->title();
}

QStringList titles(const QList<TaskItem *> &items)
{
    QStringList out;
    for (TaskItem *item : items)
        out << titleOf(item);
    return out;
}

// The items in the order the layout shows them.
QList<TaskItem *> laidOut(TaskList &list)
{
    QList<TaskItem *> out;
    QLayout *layout = list.layout();
    for (int i = 0; i < layout->count(); ++i) {
        if (auto *item = qobject_cast<TaskItem *>(layout->itemAt(i)->widget()))
            out << item;
    }
    return out;
}

bool anyAnimating(const QList<TaskItem *> &items)
{
    return std::any_of(items.begin(), items.end(), [](TaskItem *item) { return item->isAnimating(); });
}

void clickCheckBox(TaskItem *item)
{
    QCheckBox *box = checkBoxOf(item);
    QStyleOptionButton option;
    option.initFrom(box);
    const QRect indicator = box->style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, box);
    QTest::mouseClick(box, Qt::LeftButton, {}, indicator.center());
}
// A task of the hour a clock is driven through: its times as minutes from the start of the hour.
struct HourTask
{
    QString title;
    int beginMinutes;
    int endMinutes;
    int remindMinutes; // -1: no reminder
    bool checked = false;
    bool pinned = false;
    bool countdown = false;
    bool meeting = false; // with a link to join
};

QVector<ListedTask> hourTasks(const QList<HourTask> &drafts, const QDateTime &start)
{
    QVector<ListedTask> tasks;
    for (const HourTask &draft : drafts) {
        ScheduleDataInfo info;
        info.setID(nextId++);
        info.setTitleName(draft.title);
        info.setAllDay(false);
        info.setBeginDateTime(start.addSecs(60 * draft.beginMinutes));
        info.setEndDateTime(start.addSecs(60 * draft.endMinutes));
        info.setRemindData(RemindData(draft.remindMinutes, QTime(9, 0)));
        if (draft.meeting) {
            EventDetails details;
            details.conference = QStringLiteral("https://meet.example.org/hour");
            info.setDetails(details);
        }
        ExtendedData state;
        state.dataId = DataID{info.getID(), info.getRecurID(), info.getTitleName()};
        state.checked = draft.checked;
        state.pinned = draft.pinned;
        state.countdown = draft.countdown;
        tasks.append({info, state});
    }
    return tasks;
}

bool counts(int mode)
{
    return mode == TaskRules::ModeCountdown || mode == TaskRules::ModeCountdownFinal;
}

// What the list shows of its items, top to bottom: each one's mode, state, Join button and
// countdown line.
struct Shown
{
    QString title;
    int mode;
    int state;
    bool join;
    QString line;
};

QString describe(qint64 atMs, const QVector<Shown> &items)
{
    QStringList parts;
    for (const Shown &item : items)
        parts << QStringLiteral("%1 %2/%3%4 %5")
                     .arg(item.title)
                     .arg(item.mode)
                     .arg(item.state)
                     .arg(item.join ? " join" : "")
                     .arg(item.line);
    return QStringLiteral("%1 ms: ").arg(atMs) + parts.join(QStringLiteral(", "));
}

// The list as a refresh every 24 s and a tick every 400 ms, both counted from the start, showed
// it: what each step changes, from the task rules alone.
QStringList everyStep(const QVector<ListedTask> &tasks, const QDateTime &start, qint64 lengthMs)
{
    struct Item
    {
        ListedTask task;
        Shown shown;
    };
    QVector<Item> items;
    for (const ListedTask &task : tasks)
        items.append({task,
                      {task.info.getTitleName(), TaskRules::modeAt(task.info, task.state, start),
                       TaskRules::stateAt(task.info, task.state, start), false, QString()}});
    const auto sort = [&] {
        std::stable_sort(items.begin(), items.end(), [](const Item &a, const Item &b) {
            return TaskRules::goesBefore({a.task.state.checked, a.shown.mode, a.task.info.getBeginDateTime()},
                                         {b.task.state.checked, b.shown.mode, b.task.info.getBeginDateTime()});
        });
    };
    const auto shownNow = [&] {
        QVector<Shown> out;
        for (const Item &item : std::as_const(items))
            out << item.shown;
        return out;
    };
    sort();
    QStringList steps{describe(0, shownNow())};
    for (qint64 step = TaskList::countdownIntervalMs; step <= lengthMs; step += TaskList::countdownIntervalMs) {
        const QDateTime now = start.addMSecs(step);
        // Each change re-sorts the list at once; the steps go on through the items as they were.
        const auto change = [&](const QString &title, const auto &apply) {
            for (Item &item : items) {
                if (item.shown.title == title) {
                    const int mode = item.shown.mode;
                    const int state = item.shown.state;
                    apply(item);
                    if (item.shown.mode != mode || item.shown.state != state)
                        sort();
                    return;
                }
            }
        };
        QStringList order;
        for (const Item &item : std::as_const(items))
            order << item.shown.title;
        if (step % TaskList::refreshIntervalMs == 0) {
            for (const QString &title : std::as_const(order)) {
                change(title, [&](Item &item) {
                    if (counts(item.shown.mode))
                        return;
                    item.shown.mode = TaskRules::modeAt(item.task.info, item.task.state, now);
                    item.shown.state = TaskRules::stateAt(item.task.info, item.task.state, now);
                    item.shown.line.clear();
                    item.shown.join = counts(item.shown.mode) && TaskRules::joinsNow(item.task.info, now);
                });
            }
            order.clear();
            for (const Item &item : std::as_const(items))
                order << item.shown.title;
        }
        for (const QString &title : std::as_const(order)) {
            bool ticked = false;
            change(title, [&](Item &item) {
                if (!counts(item.shown.mode))
                    return;
                ticked = true;
                const QDateTime begin = item.task.info.getBeginDateTime();
                item.shown.mode = TaskRules::modeAfterTick(item.shown.mode, begin, now);
                item.shown.line = TaskRules::countdownText(begin, item.shown.title, now).section('\n', 0, 0);
                if (now.msecsTo(begin) <= TaskRules::joinLeadSecs * 1000 &&
                    !item.task.info.getDetails().conference.isEmpty())
                    item.shown.join = true;
            });
            if (!ticked)
                break;
        }
        const QString described = describe(step, shownNow());
        if (described.section(QStringLiteral(": "), 1) != steps.last().section(QStringLiteral(": "), 1))
            steps << described;
    }
    return steps;
}

QVector<Shown> shownBy(const TaskList &list)
{
    QVector<Shown> out;
    for (TaskItem *item : list.taskItems()) {
        const auto *join = item->findChild<QToolButton *>();
        const QString text = checkBoxOf(item)->text();
        out << Shown{item->title(), item->getMode(), item->getState(), join && !join->isHidden(),
                     text.contains("=>") ? text.section('\n', 0, 0) : QString()};
    }
    return out;
}
} // namespace

Q_DECLARE_METATYPE(QList<TaskDraft>)
Q_DECLARE_METATYPE(QList<HourTask>)

class TestTaskList : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void displayOrder_data();
    void displayOrder();
    void insertionSortRange();
    void firstCallShowsAtOnce();
    void secondCallFadesAndReplaces();
    void emptyVectorEmptiesList();
    void tickMovesItemBelowUnchecked();
    void unchangedIndexAnimatesNothing();
    void countdownTickReachesLeadingItemsOnly();
    void reentrantSetTasks_data();
    void reentrantSetTasks();
    void newerListWhileItemsComeIn();
    void onlyItemsInSightAnimate();
    void hourOfSteps_data();
    void hourOfSteps();
};

void TestTaskList::displayOrder_data()
{
    QTest::addColumn<QList<TaskDraft>>("drafts");
    QTest::addColumn<QStringList>("expectedTitles");
    QTest::addColumn<QList<int>>("expectedModes");

    QTest::newRow("countdown, pinned, normal, then checked")
        << QList<TaskDraft>{{"checked countdown", TaskItem::ModeCountdown, true, 10},
                            {"normal", TaskItem::ModeNormal, false, 20},
                            {"pinned", TaskItem::ModePinned, false, 30},
                            {"countdown", TaskItem::ModeCountdown, false, 40}}
        << QStringList{"countdown", "pinned", "normal", "checked countdown"} << QList<int>{4, 2, 0, 4};
    QTest::newRow("reminder ranks as normal")
        << QList<TaskDraft>{{"remind later", TaskItem::ModeRemind, false, 90},
                            {"normal earlier", TaskItem::ModeNormal, false, 60}}
        << QStringList{"normal earlier", "remind later"} << QList<int>{0, 1};
    QTest::newRow("every rank above the one below")
        << QList<TaskDraft>{{"remind", TaskItem::ModeRemind, false, 5},
                            {"pinned", TaskItem::ModePinned, false, 50},
                            {"wait", TaskItem::ModeCountdownWait, false, 120},
                            {"countdown", TaskItem::ModeCountdown, false, 30}}
        << QStringList{"countdown", "wait", "pinned", "remind"} << QList<int>{4, 3, 2, 1};
    QTest::newRow("checked pinned below unchecked normal")
        << QList<TaskDraft>{{"pinned done", TaskItem::ModePinned, true, 10},
                            {"normal", TaskItem::ModeNormal, false, 50}}
        << QStringList{"normal", "pinned done"} << QList<int>{0, 2};
    QTest::newRow("equal keys keep input order") << QList<TaskDraft>{{"x", TaskItem::ModeNormal, false, 30},
                                                                     {"y", TaskItem::ModeRemind, false, 30},
                                                                     {"z", TaskItem::ModeNormal, false, 30}}
                                                 << QStringList{"x", "y", "z"} << QList<int>{0, 1, 0};
    QTest::newRow("equal keys keep reversed input order")
        << QList<TaskDraft>{{"z", TaskItem::ModeNormal, true, 30},
                            {"y", TaskItem::ModeNormal, true, 30},
                            {"x", TaskItem::ModeNormal, true, 30}}
        << QStringList{"z", "y", "x"} << QList<int>{0, 0, 0};
}

void TestTaskList::displayOrder()
{
    QFETCH(QList<TaskDraft>, drafts);
    QFETCH(QStringList, expectedTitles);
    QFETCH(QList<int>, expectedModes);

    TaskList list;
    list.setTasks(makeTasks(drafts));

    QCOMPARE(titles(list.taskItems()), expectedTitles);
    QCOMPARE(titles(laidOut(list)), expectedTitles);
    QList<int> modes;
    for (TaskItem *item : list.taskItems())
        modes << item->getMode();
    QCOMPARE(modes, expectedModes);
}

void TestTaskList::insertionSortRange()
{
    QWidget parent;
    const QVector<ScheduleDataInfo> tasks = makeTasks({{"c", TaskItem::ModeNormal, false, 30},
                                                       {"b", TaskItem::ModeNormal, false, 20},
                                                       {"a", TaskItem::ModeNormal, false, 10},
                                                       {"p", TaskItem::ModePinned, false, 40}});
    QList<TaskItem *> items;
    for (const ScheduleDataInfo &task : tasks) {
        auto *item = new TaskItem(&parent);
        item->setTask(task);
        items << item;
    }

    InsertionSort(items.begin() + 1, items.end() - 1);
    QCOMPARE(titles(items), (QStringList{"c", "a", "b", "p"}));
    InsertionSort(items.begin(), items.end());
    QCOMPARE(titles(items), (QStringList{"p", "a", "b", "c"}));
    InsertionSort(items.begin(), items.begin());
    QCOMPARE(titles(items), (QStringList{"p", "a", "b", "c"}));
}

void TestTaskList::firstCallShowsAtOnce()
{
    TaskList list;
    list.show();
    QVERIFY(QTest::qWaitForWindowExposed(&list));

    list.setTasks(
        makeTasks({{"late", TaskItem::ModeNormal, false, 20}, {"early", TaskItem::ModeNormal, false, 10}}));

    // No event has been processed: the call did not wait for anything.
    QCOMPARE(titles(list.taskItems()), (QStringList{"early", "late"}));
    QCOMPARE(laidOut(list), list.taskItems());
    for (TaskItem *item : list.taskItems()) {
        QVERIFY(item->isVisible());
        QVERIFY(item->isAnimating()); // fading in
    }
    // Laid out within the call as well: each item below the one before it.
    const QList<TaskItem *> &items = list.taskItems();
    for (int i = 1; i < items.size(); ++i)
        QVERIFY(items.at(i)->y() > items.at(i - 1)->geometry().bottom());
    QVERIFY(list.height() >= 2 * 56);
    QTRY_VERIFY(!anyAnimating(list.taskItems()));

    // A screen reader hears a list of the tasks, each an item of it.
    QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(&list);
    QCOMPARE(accessible->role(), QAccessible::List);
    QCOMPARE(accessible->childCount(), 2);
    for (TaskItem *item : list.taskItems())
        QCOMPARE(QAccessible::queryAccessibleInterface(item)->role(), QAccessible::ListItem);
}

void TestTaskList::secondCallFadesAndReplaces()
{
    TaskList list;
    list.show();
    QVERIFY(QTest::qWaitForWindowExposed(&list));
    list.setTasks(plainTasks({"old 1", "old 2", "old 3"}));
    QTRY_VERIFY(!anyAnimating(list.taskItems()));

    QList<QPointer<TaskItem>> old;
    for (TaskItem *item : list.taskItems())
        old << item;
    QSignalSpy replaced(&list, &TaskList::replaced);
    list.setTasks(plainTasks({"new 1", "new 2"}));

    // The call returns at once; the old items fade out meanwhile.
    QVERIFY(list.isReplacing());
    QVERIFY(
        std::all_of(old.begin(), old.end(), [](const QPointer<TaskItem> &i) { return i->isAnimating(); }));
    // The list drops every other connection of the old items' faded(): count from here.
    int faded = 0;
    connect(old.first(), &TaskItem::faded, &list, [&] { ++faded; });
    QVERIFY(replaced.wait());
    QCOMPARE(faded, 1);
    QCOMPARE(replaced.count(), 1);
    QVERIFY(!list.isReplacing());
    QCOMPARE(titles(list.taskItems()), (QStringList{"new 1", "new 2"}));
    QCOMPARE(laidOut(list), list.taskItems());
    // Gone by then as well.
    for (const QPointer<TaskItem> &item : old)
        QVERIFY(item.isNull());
    QCOMPARE(list.findChildren<TaskItem *>().size(), 2);
}

void TestTaskList::emptyVectorEmptiesList()
{
    TaskList list;
    list.setTasks(plainTasks({"a", "b"}));
    QPointer<TaskItem> first = list.taskItems().first();

    list.setTasks({});

    QTRY_VERIFY(!list.isReplacing());
    QVERIFY(list.taskItems().isEmpty());
    QVERIFY(laidOut(list).isEmpty());
    QTRY_VERIFY(first.isNull());
    QVERIFY(list.findChildren<TaskItem *>().isEmpty());
}

void TestTaskList::tickMovesItemBelowUnchecked()
{
    TaskList list;
    list.show();
    QVERIFY(QTest::qWaitForWindowExposed(&list));
    list.setTasks(makeTasks({{"a", TaskItem::ModeNormal, false, 10},
                             {"b", TaskItem::ModeNormal, false, 20},
                             {"done", TaskItem::ModeNormal, true, 5}}));
    QTRY_VERIFY(!anyAnimating(list.taskItems()));
    QCOMPARE(titles(list.taskItems()), (QStringList{"a", "b", "done"}));

    TaskItem *a = list.taskItems().first();
    QSignalSpy fadedSpy(a, &TaskItem::faded);
    clickCheckBox(a);

    QVERIFY(a->isChecked());
    // The model moves at once; the layout follows once the item has faded out.
    QCOMPARE(titles(list.taskItems()), (QStringList{"b", "done", "a"}));
    QVERIFY(a->isAnimating());
    QCOMPARE(laidOut(list).indexOf(a), 0);
    QTRY_COMPARE(fadedSpy.count(), 1);
    QCOMPARE(titles(laidOut(list)), (QStringList{"b", "done", "a"}));
    QVERIFY(a->isAnimating()); // blooming in at its new place
    QTRY_VERIFY(!a->isAnimating());
    QCOMPARE(fadedSpy.count(), 1);

    for (QTimer *timer : list.findChildren<QTimer *>(QString(), Qt::FindDirectChildrenOnly)) {
        if (!timer->isSingleShot())
            QVERIFY(timer->isActive());
    }
}

void TestTaskList::unchangedIndexAnimatesNothing()
{
    TaskList list;
    list.show();
    QVERIFY(QTest::qWaitForWindowExposed(&list));
    list.setTasks(
        makeTasks({{"a", TaskItem::ModeNormal, false, 10}, {"b", TaskItem::ModeNormal, false, 20}}));
    QTRY_VERIFY(!anyAnimating(list.taskItems()));

    TaskItem *b = list.taskItems().last();
    QSignalSpy stateSpy(b, &TaskItem::stateChanged);
    clickCheckBox(b);

    QVERIFY(b->isChecked());
    QCOMPARE(stateSpy.count(), 1);
    QCOMPARE(titles(list.taskItems()), (QStringList{"a", "b"}));
    QVERIFY(!anyAnimating(list.taskItems()));
    QCOMPARE(titles(laidOut(list)), (QStringList{"a", "b"}));
}

void TestTaskList::countdownTickReachesLeadingItemsOnly()
{
    // The first item enters mode 5 on its first tick: its seconds to go then end in 9 or less.
    const QDateTime now = QDateTime::currentDateTime();
    TaskDraft finalDraft{"final", TaskItem::ModeCountdown, false, 20};
    ScheduleDataInfo finalTask = makeTask(finalDraft, now);
    finalTask.setBeginDateTime(now.addSecs(20 * 60 + 3));
    // The second stays in mode 4 for half a minute: its seconds to go end in 35.
    ScheduleDataInfo runningTask = makeTask({"running", TaskItem::ModeCountdown, false, 40}, now);
    runningTask.setBeginDateTime(now.addSecs(40 * 60 + 34));
    const QVector<ScheduleDataInfo> tasks{finalTask, runningTask,
                                          makeTask({"normal", TaskItem::ModeNormal, false, -10}, now),
                                          makeTask({"checked", TaskItem::ModeCountdown, true, 5}, now)};
    // Ends a second from now: the next refresh makes it expire.
    ScheduleDataInfo expiring = makeTask({"expiring", TaskItem::ModeNormal, false, -30}, now);
    expiring.setEndDateTime(now.addSecs(1));

    TaskList list;
    list.show();
    QVERIFY(QTest::qWaitForWindowExposed(&list));
    list.setTasks(tasks + QVector<ScheduleDataInfo>{expiring});
    QCOMPARE(titles(list.taskItems()), (QStringList{"final", "running", "expiring", "normal", "checked"}));
    const QStringList before = [&] {
        QStringList texts;
        for (TaskItem *item : list.taskItems())
            texts << checkBoxOf(item)->text();
        return texts;
    }();
    QVERIFY(!before.join(QString()).contains("=>"));

    QTRY_VERIFY(checkBoxOf(list.taskItems().at(0))->text().contains("=>"));
    QTRY_VERIFY(checkBoxOf(list.taskItems().at(1))->text().contains("=>"));
    QTRY_COMPARE(list.taskItems().at(0)->getMode(), int(TaskItem::ModeCountdownFinal));
    QCOMPARE(list.taskItems().at(1)->getMode(), int(TaskItem::ModeCountdown));
    for (int tick = 0; tick < 3; ++tick)
        QVERIFY(QMetaObject::invokeMethod(&list, "freshCountdownTaskItems"));
    for (int i = 2; i < 5; ++i)
        QCOMPARE(checkBoxOf(list.taskItems().at(i))->text(), before.at(i));
    QCOMPARE(list.taskItems().at(4)->getMode(), int(TaskItem::ModeCountdown));

    // The periodic refresh re-derives the other items but leaves running countdowns alone.
    TaskItem *expiringItem = list.taskItems().at(2);
    QSignalSpy expiredSpy(expiringItem, &TaskItem::stateChanged);
    QTRY_VERIFY((QMetaObject::invokeMethod(&list, "freshTaskItems"), expiredSpy.count() > 0));
    QVERIFY(checkBoxOf(list.taskItems().at(0))->text().contains("=>"));
    QVERIFY(checkBoxOf(list.taskItems().at(1))->text().contains("=>"));
}

void TestTaskList::reentrantSetTasks_data()
{
    QTest::addColumn<QList<QStringList>>("requests");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("one more request") << QList<QStringList>{{"c1", "c2"}} << QStringList{"c1", "c2"};
    QTest::newRow("last of several") << QList<QStringList>{{"c1"}, {"d1", "d2", "d3"}, {"e1"}}
                                     << QStringList{"e1"};
    QTest::newRow("last one empty") << QList<QStringList>{{"c1"}, {}} << QStringList{};
}

void TestTaskList::reentrantSetTasks()
{
    QFETCH(QList<QStringList>, requests);
    QFETCH(QStringList, expected);

    TaskList list;
    list.show();
    QVERIFY(QTest::qWaitForWindowExposed(&list));
    list.setTasks(plainTasks({"a1", "a2"}));
    QPointer<TaskItem> old = list.taskItems().first();

    // The requests arrive while the old items fade out.
    QSignalSpy replaced(&list, &TaskList::replaced);
    list.setTasks(plainTasks({"b1", "b2"}));
    for (const QStringList &request : requests) {
        QVERIFY(list.isReplacing());
        list.setTasks(plainTasks(request));
    }

    QVERIFY(replaced.wait());
    QVERIFY(!list.isReplacing());
    QCOMPARE(titles(list.taskItems()), expected);
    QCOMPARE(titles(laidOut(list)), expected);
    QTRY_VERIFY(old.isNull());
    QCOMPARE(list.findChildren<TaskItem *>().size(), expected.size());
    QCOMPARE(replaced.count(), 1);

    // The list still replaces its items afterwards.
    list.setTasks(plainTasks({"after"}));
    QTRY_VERIFY(!list.isReplacing());
    QCOMPARE(titles(list.taskItems()), QStringList{"after"});
}

// A long list comes in a slice per turn of the event loop, the top first; a newer list given
// meanwhile fades out what came in of it and takes its place.
void TestTaskList::newerListWhileItemsComeIn()
{
    TaskList list;
    list.show();
    QVERIFY(QTest::qWaitForWindowExposed(&list));
    list.setTasks(plainTasks({"a1"}));
    QStringList many;
    for (int i = 0; i < 1000; ++i)
        many << QString("many %1").arg(i, 4, 10, QLatin1Char('0'));
    QSignalSpy replaced(&list, &TaskList::replaced);
    list.setTasks(plainTasks(many));

    // Between two slices: some of the long list in, in order, and the list still replacing.
    QList<int> slices;
    QTimer between;
    between.setInterval(0);
    connect(&between, &QTimer::timeout, &list, [&] {
        const int in = list.taskItems().size();
        if (!list.isReplacing() || in == 0 || titleOf(list.taskItems().first()) != many.first())
            return;
        slices << in;
        QCOMPARE(titles(laidOut(list)), many.mid(0, in));
        // Placed one below the other already, inside a list as tall as they are.
        const QList<TaskItem *> &items = list.taskItems();
        for (int i = 1; i < in; ++i)
            QCOMPARE(items.at(i)->y(), items.at(i - 1)->geometry().bottom() + 1 + list.layout()->spacing());
        QVERIFY(items.last()->geometry().bottom() < list.height());
        if (slices.size() == 2) {
            between.stop();
            list.setTasks(plainTasks({"newer"}));
        }
    });
    between.start();

    QTRY_COMPARE(replaced.count(), 1);
    QCOMPARE(slices.size(), 2);
    QVERIFY(slices.first() > 0 && slices.first() < slices.last() && slices.last() < many.size());
    QCOMPARE(titles(list.taskItems()), QStringList{"newer"});
    QTRY_COMPARE(list.findChildren<TaskItem *>().size(), 1);
}

// A thousand items fading at once made every frame of a reload late: only those in sight animate.
void TestTaskList::onlyItemsInSightAnimate()
{
    QScrollArea area;
    auto *list = new TaskList;
    area.setWidget(list);
    area.resize(list->width() + 30, 200);
    area.show();
    QVERIFY(QTest::qWaitForWindowExposed(&area));
    QStringList titles;
    for (int i = 0; i < 30; ++i)
        titles << QString("t%1").arg(i);
    const auto inSight = [&](const TaskItem *item) {
        return item->geometry().intersects(QRect(QPoint(0, -list->y()), area.viewport()->size()));
    };
    const auto animatingInSightOnly = [&] {
        const QList<TaskItem *> &items = list->taskItems();
        return inSight(items.first()) && !inSight(items.last()) &&
               std::all_of(items.begin(), items.end(),
                           [&](TaskItem *i) { return i->isAnimating() == inSight(i); });
    };

    list->setTasks(plainTasks(titles));
    QVERIFY(animatingInSightOnly()); // fading in
    QTRY_VERIFY(!anyAnimating(list->taskItems()));
    QSignalSpy replaced(list, &TaskList::replaced);
    list->setTasks(plainTasks(titles));
    QVERIFY(animatingInSightOnly()); // fading out
    QVERIFY(replaced.wait());
    QVERIFY(!list->taskItems().last()->isAnimating());
}

void TestTaskList::hourOfSteps_data()
{
    QTest::addColumn<QList<HourTask>>("drafts");
    // Wake-ups allowed in the hour; -1: as many as the countdown's ticks take.
    QTest::addColumn<int>("wakeUps");

    const QList<HourTask> atRest{{"reminded at 15", 30, 50, 15},
                                 {"reminded at 5, then over", 20, 35, 15},
                                 {"pinned, over at 40", -60, 40, -1, false, true},
                                 {"begins at 25", 25, 90, -1},
                                 {"done", 10, 20, 5, true},
                                 {"over before", -90, -30, 15}};
    // Each of these tasks changes at no more than three moments of the hour (its reminder, begin
    // and end): a list asleep between them wakes no more often.
    QTest::newRow("at rest: reminders, pins, expiring") << atRest << 3 * int(atRest.size());
    QTest::newRow("countdown waits, runs and turns final")
        << QList<HourTask>{{"countdown at 70", 70, 100, -1, false, false, true},
                           {"meeting at 40", 40, 60, 10, false, false, true, true},
                           {"reminded at 15", 30, 50, 15},
                           {"pinned, over at 40", -60, 40, -1, false, true},
                           {"checked countdown", 80, 120, -1, true, false, true}}
        << -1;
    // A countdown that waits all the hour has nothing to tick.
    QTest::newRow("countdown waiting beyond the hour")
        << QList<HourTask>{{"countdown at 2:10", 130, 160, -1, false, false, true}, {"reminded at 50", 55, 70, 5}}
        << 6;
}

// The list wakes for fewer steps than a refresh every 24 s and a tick every 400 ms took, and shows
// at each step what they showed at it: every mode and state, re-sort, Join button and countdown line.
void TestTaskList::hourOfSteps()
{
    QFETCH(QList<HourTask>, drafts);
    QFETCH(int, wakeUps);

    const QDateTime start(QDate(2030, 6, 12), QTime(9, 0));
    QDateTime at = start;
    DayClock *clock = DataCenter::instance()->clock();
    clock->setTimeSource([&at] { return at; });
    const auto restore = qScopeGuard([clock] { clock->setTimeSource({}); });
    const QVector<ListedTask> tasks = hourTasks(drafts, start);
    constexpr qint64 hourMs = 3600 * 1000;

    TaskList list;
    list.setListedTasks(tasks);
    QVERIFY(!list.isReplacing());
    QStringList steps{describe(0, shownBy(list))};
    int wakes = 0;
    for (;;) {
        // The timer due first fires, with the clock at its moment.
        QTimer *due = nullptr;
        for (QTimer *timer : list.findChildren<QTimer *>()) {
            if (timer->isActive() && (!due || timer->interval() < due->interval()))
                due = timer;
        }
        if (!due || start.msecsTo(at) + due->interval() > hourMs)
            break;
        at = at.addMSecs(due->interval());
        ++wakes;
        QVERIFY(QMetaObject::invokeMethod(due, "timeout"));
        const QString described = describe(start.msecsTo(at), shownBy(list));
        if (described.section(QStringLiteral(": "), 1) != steps.last().section(QStringLiteral(": "), 1))
            steps << described;
        QVERIFY2(wakes <= hourMs / TaskList::countdownIntervalMs, "woke more often than the countdown ticks");
    }
    QCOMPARE(steps, everyStep(tasks, start, hourMs));
    QVERIFY(steps.size() > 1);
    if (wakeUps >= 0)
        QVERIFY2(wakes <= wakeUps, qPrintable(QStringLiteral("%1 wake-ups in the hour").arg(wakes)));
}

QTEST_MAIN(TestTaskList)
#include "tst_tasklist.moc"
