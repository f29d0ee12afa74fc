#include "calendarcolor.h"
#include "calendarcontract.h"
#include "countdownnotifier.h"
#include "datacenter.h"
#include "dayclock.h"
#include "fakedbusservice.h"
#include "taskitem.h"
#include "tasklist.h"
#include "warningspy.h"
#include "zguiapplicationhelper.h"

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QImage>
#include <QKeySequence>
#include <QPainter>
#include <QPushButton>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QScreen>
#include <QSignalSpy>
#include <QStyle>
#include <QStyleOptionButton>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <QVariantAnimation>

#include <atomic>
#include <memory>

using Zyk::Gui::ZGuiApplicationHelper;

namespace {
int lastId = 1000;

// A timed task whose times are given relative to now, so that no case depends on the hour of the run.
ScheduleDataInfo makeTask(qint64 beginMs, qint64 endMs, int remindNum = -1, bool allDay = false,
                          const QString &title = "Review")
{
    const QDateTime now = QDateTime::currentDateTime();
    ScheduleDataInfo info;
    info.setID(++lastId);
    info.setTitleName(title);
    info.setAllDay(allDay);
    info.setBeginDateTime(now.addMSecs(beginMs));
    info.setEndDateTime(now.addMSecs(endMs));
    info.setRemindData(RemindData(remindNum, QTime(9, 0)));
    return info;
}

void storeFlags(const ScheduleDataInfo &info, bool checked, bool pinned, bool countdown)
{
    ExtendedData data;
    data.dataId.id = info.getID();
    data.dataId.recurID = info.getRecurID();
    data.dataId.titleName = info.getTitleName();
    data.checked = checked;
    data.pinned = pinned;
    data.countdown = countdown;
    DataCenter::instance()->setExtendedData(info, data);
}

// The item as the list makes it, wired to what stores, opens and notifies.
TaskItem &listed(TaskList &list, const ScheduleDataInfo &task)
{
    list.setTasks({task});
    return *list.taskItems().first();
}

QCheckBox *checkBoxOf(TaskItem &item)
{
    return qobject_cast<QCheckBox *>(item.focusProxy());
}

// The item's own painting, without the check box drawn over it.
QImage renderItem(TaskItem &item)
{
    QImage image(item.size(), QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    item.render(&image, QPoint(), QRegion(), QWidget::RenderFlags());
    return image;
}

// Shrinks the band as a fade would, without waiting for one.
void setBandAlpha(TaskItem &item, int alpha)
{
    QVERIFY(QMetaObject::invokeMethod(&item, "onColorValueChanged",
                                      Q_ARG(QVariant, QVariant::fromValue(QColor(0, 0, 0, alpha)))));
}

bool isPureGreen(QRgb pixel)
{
    return pixel == qRgba(0, 200, 0, 255);
}

// Which of the six icons is drawn in the 20x20 square at `topLeft` ("" when the square is empty).
// Premultiplied channels within `tolerance`: an icon drawn from a cached pixmap rounds its
// antialiased edges a little differently from one rendered straight onto the item.
bool sameWithin(const QImage &a, const QImage &b, int tolerance)
{
    const QImage pa = a.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const QImage pb = b.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    if (pa.size() != pb.size())
        return false;
    for (int y = 0; y < pa.height(); ++y) {
        for (int x = 0; x < pa.width(); ++x) {
            const QRgb p = pa.pixel(x, y);
            const QRgb q = pb.pixel(x, y);
            if (qAbs(qRed(p) - qRed(q)) > tolerance || qAbs(qGreen(p) - qGreen(q)) > tolerance ||
                qAbs(qBlue(p) - qBlue(q)) > tolerance || qAbs(qAlpha(p) - qAlpha(q)) > tolerance)
                return false;
        }
    }
    return true;
}

QString iconAt(const QImage &image, const QPoint &topLeft)
{
    const QImage square = image.copy(QRect(topLeft, QSize(20, 20)));
    bool empty = true;
    for (int y = 0; y < 20 && empty; ++y) {
        for (int x = 0; x < 20 && empty; ++x)
            empty = qAlpha(square.pixel(x, y)) == 0;
    }
    if (empty)
        return QString();
    for (const char *name : {"bell", "repeat", "warn", "timer", "pin", "hot"}) {
        QSvgRenderer renderer(QString(":/pics/%1.svg").arg(name));
        QImage reference(20, 20, QImage::Format_ARGB32);
        reference.fill(Qt::transparent);
        QPainter painter(&reference);
        painter.setRenderHint(QPainter::Antialiasing);
        renderer.render(&painter, QRectF(0, 0, 20, 20));
        painter.end();
        if (sameWithin(reference, square, 3))
            return QString::fromLatin1(name);
    }
    return QStringLiteral("?");
}

QStringList warnings;
void collectWarnings(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type != QtDebugMsg && type != QtInfoMsg)
        warnings << message;
}
} // namespace

Q_DECLARE_METATYPE(ExtendedData)

class TestTaskItem : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void modeAndState_data();
    void modeAndState();
    void dateText();
    void dateForms_data();
    void dateForms();
    void menuVisibility_data();
    void menuVisibility();
    void countdownEntryWithdrawnOnceBegun();
    void countdownText_data();
    void countdownText();
    void countdownSecondOnScreen_data();
    void countdownSecondOnScreen();
    void finalPhase_data();
    void finalPhase();
    void tickStores_data();
    void tickStores();
    void todoTick_data();
    void todoTick();
    void modeActionStores_data();
    void modeActionStores();
    void openSchedule_data();
    void openSchedule();
    void contextMenu_data();
    void contextMenu();
    void keyboard();
    void deleteKey_data();
    void deleteKey();
    void spokenText_data();
    void spokenText();
    void countdownSpokenOncePerMinute();
    void joinButton_data();
    void joinButton();
    void detailsClick_data();
    void detailsClick();
    void band_data();
    void band();
    void textReadableOnBand_data();
    void textReadableOnBand();
    void calendarColour_data();
    void calendarColour();
    void icons_data();
    void icons();
    void progressEnds_data();
    void progressEnds();
    void progressWakesPerPixel_data();
    void progressWakesPerPixel();
    void redFlash_data();
    void redFlash();
    void fadeAndBloom();
    void countdownNotification_data();
    void countdownNotification();

private:
    std::unique_ptr<FakeDBusService> calendar;
    // Outlives every test: the data center saves into it after the last one.
    QTemporaryDir dataDir;
};

void TestTaskItem::initTestCase()
{
    qRegisterMetaType<ScheduleDataInfo>();
    qRegisterMetaType<ExtendedData>();
    calendar = std::make_unique<FakeDBusService>("com.norvale.Calendar", "/com/norvale/Calendar",
                                                 "com.norvale.Calendar");
    if (!calendar->start())
        QSKIP("no session bus");
}

void TestTaskItem::modeAndState_data()
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

    // The rules themselves are rows of tst_taskrules; here, that the item shows and signals them.
    const int h = 3600;
    // clang-format off
    QTest::newRow("no reminder, ahead")            << false << -1  << 30 * 60  << 2 * h  << false << false << false << 0 << 0;
    QTest::newRow("all-day 1 day, reminded")       << true  << 1   << 12 * h   << 24 * h << false << false << false << 1 << 1;
    QTest::newRow("pinned with reminder")          << false << 15  << 10 * 60  << h      << true  << false << false << 2 << 1;
    QTest::newRow("countdown, two hours ahead")    << false << -1  << 2 * h    << 3 * h  << false << true  << false << 3 << 0;
    QTest::newRow("countdown after the begin")     << false << -1  << -600   << h      << false << true  << false << 4 << 1;
    QTest::newRow("checked and expired")           << false << -1  << -2 * h   << -h     << false << false << true  << 0 << 3;
    // clang-format on
}

void TestTaskItem::modeAndState()
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

    const ScheduleDataInfo task = makeTask(beginS * 1000LL, endS * 1000LL, remind, allDay);
    storeFlags(task, checked, pinned, countdown);
    TaskItem item;
    QSignalSpy changed(&item, &TaskItem::stateChanged);
    item.setTask(task);
    QCOMPARE(item.getMode(), mode);
    QCOMPARE(item.getState(), state);
    QCOMPARE(item.isChecked(), checked);
    QCOMPARE(changed.count(), mode == 0 && state == 0 ? 0 : 1);

    // A second refresh at (nearly) the same time changes nothing.
    item.refreshMode();
    QCOMPARE(item.getMode(), mode);
    QCOMPARE(changed.count(), mode == 0 && state == 0 ? 0 : 1);
}

void TestTaskItem::dateText()
{
    ScheduleDataInfo task = makeTask(0, 0);
    task.setBeginDateTime(QDateTime(QDate(2030, 12, 6), QTime(14, 30)));
    task.setEndDateTime(QDateTime(QDate(2030, 12, 6), QTime(15, 30)));
    TaskItem item;
    item.setTask(task);
    QCOMPARE(checkBoxOf(item)->text(), QString("  12.06  14:30\n  Review"));

    // "&" would otherwise become a keyboard shortcut and vanish from the title.
    task.setID(++lastId);
    task.setTitleName("T&J <b>");
    TaskItem plain;
    plain.setTask(task);
    QCOMPARE(checkBoxOf(plain)->text(), QString("  12.06  14:30\n  T&&J <b>"));
    QVERIFY(QKeySequence::mnemonic(checkBoxOf(plain)->text()).isEmpty());

    // A title too long for the item ends in "…" within the check box's text area.
    task.setID(++lastId);
    task.setTitleName(QString("Quarterly planning & review with the whole team").repeated(2));
    TaskItem longTitle;
    longTitle.setTask(task);
    QCheckBox *box = checkBoxOf(longTitle);
    const QString shown = box->text().section(QLatin1Char('\n'), -1).replace("&&", "&");
    QVERIFY2(shown.endsWith(QChar(0x2026)), qPrintable(shown));
    QVERIFY(task.getTitleName().startsWith(shown.mid(2).chopped(1)));
    QCOMPARE(longTitle.title(), task.getTitleName());
    QStyleOptionButton option;
    option.initFrom(box);
    option.rect = box->rect();
    const int room = box->style()->subElementRect(QStyle::SE_CheckBoxContents, &option, box).width();
    QVERIFY2(box->fontMetrics().horizontalAdvance(shown) <= room, qPrintable(shown));
}

void TestTaskItem::dateForms_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<int>("format");
    QTest::addColumn<QString>("firstLine"); // a pattern: Qt 6's CLDR puts a narrow space before PM

    const int fixed = int(TaskRules::TimeFormat::Fixed);
    const int language = int(TaskRules::TimeFormat::Locale);
    QTest::newRow("C, as ever") << "C" << fixed << "12\\.06  14:30";
    QTest::newRow("zh_CN, as ever") << "zh_CN" << fixed << "12\\.06  14:30";
    QTest::newRow("en_US, its own form: 12 hours") << "en_US" << language << "12/6  2:30[\\s\\x{202F}]PM";
    QTest::newRow("de_DE, its own form") << "de_DE" << language << "06\\.12\\.?  14:30";
    QTest::newRow("ja_JP, its own form") << "ja_JP" << language << "12/06  14:30";
    QTest::newRow("en_US, 24 hours") << "en_US" << int(TaskRules::TimeFormat::Hours24) << "12/6  14:30";
    QTest::newRow("de_DE, 12 hours") << "de_DE" << int(TaskRules::TimeFormat::Hours12)
                                     << "06\\.12\\.?  2:30[\\s\\x{202F}]PM";
}

// The task's date as the user chose to read it; the countdown's begin time in the same form.
void TestTaskItem::dateForms()
{
    QFETCH(QString, locale);
    QFETCH(int, format);
    QFETCH(QString, firstLine);

    QLocale::setDefault(QLocale(locale));
    DataCenter::instance()->setTimeFormat(TaskRules::TimeFormat(format));
    auto restore = qScopeGuard([] {
        QLocale::setDefault(QLocale::system());
        DataCenter::instance()->setTimeFormat(TaskRules::TimeFormat::Fixed);
    });
    ScheduleDataInfo task = makeTask(0, 0);
    const QDateTime begin(QDate(2030, 12, 6), QTime(14, 30));
    task.setBeginDateTime(begin);
    task.setEndDateTime(begin.addSecs(3600));
    TaskItem item;
    item.setTask(task);
    const QString text = checkBoxOf(item)->text();
    const QRegularExpression expected("^  " + firstLine + "\\n  Review$",
                                      QRegularExpression::UseUnicodePropertiesOption);
    QVERIFY2(expected.match(text).hasMatch(), qPrintable(text));

    if (TaskRules::TimeFormat(format) != TaskRules::TimeFormat::Fixed) {
        const QString time = text.section('\n', 0, 0).split("  ").last();
        const QString countdown =
            TaskRules::countdownText(begin, "Review", begin.addSecs(-90), TaskRules::TimeFormat(format));
        QCOMPARE(countdown.section('\n', 0, 0), "  01:31 => " + time);
    }
}

void TestTaskItem::menuVisibility_data()
{
    QTest::addColumn<int>("beginS");
    QTest::addColumn<bool>("pinned");
    QTest::addColumn<bool>("countdown");
    QTest::addColumn<bool>("checked");
    QTest::addColumn<QString>("rule");
    QTest::addColumn<QString>("link");
    // open, countdown, pin, normal, details, join, edit, delete, delete's submenu
    QTest::addColumn<QList<bool>>("visible");

    // Which entries are offered when is in tst_taskrules; here, that the menu follows.
    QTest::newRow("normal, ahead") << 7200 << false << false << false << QString() << QString()
                                   << QList<bool>{true, true, true, false, true, false, true, true, false};
    QTest::newRow("countdown") << 7200 << false << true << false << QString() << QString()
                               << QList<bool>{true, false, false, true, true, false, true, true, false};
    QTest::newRow("checked") << 7200 << false << true << true << QString() << QString()
                             << QList<bool>{true, false, false, false, true, false, true, true, false};
    // A repeating event's Delete asks: this occurrence, or all of them.
    QTest::newRow("repeating") << 7200 << false << false << false << "FREQ=WEEKLY" << QString()
                               << QList<bool>{true, true, true, false, true, false, true, false, true};
    QTest::newRow("online meeting: Join")
        << 7200 << false << false << false << QString() << "https://meet.jit.si/WeeklySync"
        << QList<bool>{true, true, true, false, true, true, true, true, false};
}

void TestTaskItem::menuVisibility()
{
    QFETCH(int, beginS);
    QFETCH(bool, pinned);
    QFETCH(bool, countdown);
    QFETCH(bool, checked);
    QFETCH(QString, rule);
    QFETCH(QString, link);
    QFETCH(QList<bool>, visible);

    ScheduleDataInfo task = makeTask(beginS * 1000LL, 3 * 3600 * 1000);
    task.setScheduleRRule(rule);
    EventDetails details;
    details.conference = link;
    task.setDetails(details);
    storeFlags(task, checked, pinned, countdown);
    TaskItem item;
    item.setTask(task);
    TaskMenu *menu = item.taskMenu();
    QCOMPARE(menu->actions().size(), 4);
    TaskMenu::EditEntries &edits = menu->editEntries();
    const QList<QAction *> actions = menu->actions();
    QCOMPARE(actions.size(), 10);
    QCOMPARE(actions.mid(0, 4), (QList<QAction *>{&menu->openAction, &menu->countdownAction, &menu->pinAction,
                                                  &menu->normalAction}));
    QVERIFY(actions.at(4)->isSeparator());
    QCOMPARE(actions.mid(5), (QList<QAction *>{&edits.detailsAction, &edits.joinAction, &edits.editAction,
                                               &edits.deleteAction, edits.deleteMenu.menuAction()}));
    QCOMPARE(menu->openAction.text(), QString::fromUtf8("在日历中打开"));
    QCOMPARE(menu->countdownAction.text(), QString::fromUtf8("倒计时模式"));
    QCOMPARE(menu->pinAction.text(), QString::fromUtf8("置顶模式"));
    QCOMPARE(menu->normalAction.text(), QString::fromUtf8("正常模式"));
    const QList<bool> actual{menu->openAction.isVisible(),
                             menu->countdownAction.isVisible(),
                             menu->pinAction.isVisible(),
                             menu->normalAction.isVisible(),
                             edits.detailsAction.isVisible(),
                             edits.joinAction.isVisible(),
                             edits.editAction.isVisible(),
                             edits.deleteAction.isVisible(),
                             edits.deleteMenu.menuAction()->isVisible()};
    QCOMPARE(actual, visible);
}

// With a reminder the state is already "reminded" before the begin time, so passing the begin time
// changes neither mode nor state; the countdown entry must still go.
void TestTaskItem::countdownEntryWithdrawnOnceBegun()
{
    const ScheduleDataInfo task = makeTask(300, 3600 * 1000, 15);
    TaskItem item;
    item.setTask(task);
    QCOMPARE(item.getState(), int(TaskItem::StateReminded));
    QVERIFY(item.taskMenu()->countdownAction.isVisible());
    QTRY_VERIFY(QDateTime::currentDateTime() > task.getBeginDateTime());
    QSignalSpy changed(&item, &TaskItem::stateChanged);
    item.refreshMode();
    QCOMPARE(changed.count(), 0);
    QVERIFY(!item.taskMenu()->countdownAction.isVisible());
}

void TestTaskItem::countdownText_data()
{
    QTest::addColumn<qint64>("beginMs");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<qreal>("pointSize"); // 0: the toolkit's default font

    // The figures are rows of tst_taskrules; here, the check box's text with the title as shown,
    // and its first line whole, whatever the font.
    QTest::newRow("4 min 30.5 s") << 270500LL << "04:31" << 0.0;
    QTest::newRow("after the begin time") << -10000LL << "00:00" << 0.0;
    QTest::newRow("59 min, 12 pt") << 3540500LL << "59:01" << 12.0;
    QTest::newRow("59 min, 20 pt") << 3540500LL << "59:01" << 20.0;
}

void TestTaskItem::countdownText()
{
    QFETCH(qint64, beginMs);
    QFETCH(QString, shown);
    QFETCH(qreal, pointSize);

    const ScheduleDataInfo task = makeTask(beginMs, 3600 * 1000 + beginMs, -1, false, "Up & on");
    storeFlags(task, false, false, true);
    TaskItem item;
    if (pointSize > 0) {
        QFont font = item.font();
        font.setPointSizeF(pointSize);
        item.setFont(font);
    }
    item.setTask(task);
    QCOMPARE(item.getMode(), int(TaskItem::ModeCountdown));
    item.onCountdown();
    QCOMPARE(checkBoxOf(item)->text(),
             QString("  %1 => %2\n  Up && on").arg(shown, task.getBeginDateTime().toString("hh:mm::ss")));
    QVERIFY(checkBoxOf(item)->text().contains(QRegularExpression(" => \\d\\d:\\d\\d::\\d\\d\n")));

    const QCheckBox *box = checkBoxOf(item);
    QStyleOptionButton option;
    option.initFrom(box);
    option.rect = box->rect();
    const int room = box->style()->subElementRect(QStyle::SE_CheckBoxContents, &option, box).width();
    QVERIFY2(box->fontMetrics().horizontalAdvance(box->text().section('\n', 0, 0)) <= room,
             qPrintable(box->text()));
    QVERIFY(box->geometry().right() < item.width() - 30); // clear of the mode icon
}

// Each second the countdown repaints its first line alone, and the growing bar its end, over the
// window's tint that the item paints itself: the screen must show what a whole repaint draws.
void TestTaskItem::countdownSecondOnScreen_data()
{
    QTest::addColumn<qint64>("beginMs");
    QTest::addColumn<QString>("nextSecond");

    QTest::newRow("the next second") << 270500LL << "04:30";
    QTest::newRow("the bar of the final seconds") << 8500LL << "00:08";
}

void TestTaskItem::countdownSecondOnScreen()
{
    QFETCH(qint64, beginMs);
    QFETCH(QString, nextSecond);

    DayClock *clock = DataCenter::instance()->clock();
    QDateTime at = QDateTime::currentDateTime();
    clock->setTimeSource([&at] { return at; });
    const auto restore = qScopeGuard([clock] {
        clock->setTimeSource({});
        TaskItem::setWindowTint(QColor());
    });
    TaskItem::setWindowTint(QColor(40, 60, 80));
    const ScheduleDataInfo task = makeTask(beginMs, 3600 * 1000);
    storeFlags(task, false, false, true);
    TaskItem item;
    item.setTask(task);
    QVERIFY(item.testAttribute(Qt::WA_OpaquePaintEvent));
    item.show();
    QVERIFY(QTest::qWaitForWindowExposed(&item));
    const auto shown = [&item] {
        return item.screen()->grabWindow(item.winId()).toImage().convertToFormat(QImage::Format_RGB32);
    };
    const auto whole = [&item] { return item.grab().toImage().convertToFormat(QImage::Format_RGB32); };

    item.onCountdown();
    QTRY_COMPARE(shown(), whole());
    // Outside the band's rounded corner the item shows the window's tint, as the window would.
    QCOMPARE(QColor(shown().pixel(0, 0)), QColor(40, 60, 80));
    const QImage first = whole();
    at = at.addSecs(1);
    item.onCountdown();
    QVERIFY(checkBoxOf(item)->text().startsWith("  " + nextSecond + " => "));
    // Below the check box, 30 px in: reached by the bar within a second or so.
    if (item.isAnimating())
        QTRY_VERIFY(whole().pixel(30, item.height() - 3) != first.pixel(30, item.height() - 3));
    QTRY_COMPARE(shown(), whole());
}

void TestTaskItem::finalPhase_data()
{
    QTest::addColumn<qint64>("beginMs");
    QTest::addColumn<bool>("final");

    QTest::newRow("seconds part 9") << 308500LL << true;
    QTest::newRow("seconds part 10") << 309500LL << false;
}

void TestTaskItem::finalPhase()
{
    QFETCH(qint64, beginMs);
    QFETCH(bool, final);

    const ScheduleDataInfo task = makeTask(beginMs, beginMs + 3600 * 1000);
    storeFlags(task, false, false, true);
    TaskItem item;
    item.setTask(task);
    QCOMPARE(item.getMode(), int(TaskItem::ModeCountdown));
    QSignalSpy changed(&item, &TaskItem::stateChanged);
    item.onCountdown();
    QCOMPARE(item.getMode(), final ? int(TaskItem::ModeCountdownFinal) : int(TaskItem::ModeCountdown));
    QCOMPARE(changed.count(), final ? 1 : 0);
    QCOMPARE(item.isAnimating(), final);
    // Later ticks of the final phase neither restart the bar nor signal again.
    item.onCountdown();
    QCOMPARE(changed.count(), final ? 1 : 0);
    QCOMPARE(item.isAnimating(), final);
    // The bar is driven by a timer of its own, not by an animation at the display rate.
    QVERIFY(item.findChildren<QVariantAnimation *>().isEmpty());
}

void TestTaskItem::tickStores_data()
{
    QTest::addColumn<bool>("checked");
    QTest::addColumn<bool>("pinned");
    QTest::addColumn<bool>("countdown");
    QTest::addColumn<QString>("owner"); // "list", "none": an item on its own, "test": a store of the test's

    QTest::newRow("tick a countdown task") << false << false << true << "list";
    QTest::newRow("tick a pinned task") << false << true << false << "list";
    QTest::newRow("untick") << true << false << false << "list";
    // An item used without a list once stored nothing: only the list stored what it signalled.
    QTest::newRow("tick an item on its own") << false << false << false << "none";
    QTest::newRow("untick a pinned item on its own") << true << true << false << "none";
    QTest::newRow("tick into a store of its own") << false << true << false << "test";
}

void TestTaskItem::tickStores()
{
    QFETCH(bool, checked);
    QFETCH(bool, pinned);
    QFETCH(bool, countdown);
    QFETCH(QString, owner);

    const ScheduleDataInfo task = makeTask(1800 * 1000, 3600 * 1000);
    storeFlags(task, checked, pinned, countdown);
    const ExtendedData before = DataCenter::instance()->getExtendedData(task);
    QVector<ExtendedData> ownStore;
    if (owner == "test")
        TaskItem::setFlagStore(
            [&](const ScheduleDataInfo &, const ExtendedData &flags) { ownStore << flags; });
    const auto restore = qScopeGuard([] { TaskItem::setFlagStore({}); });
    TaskList list;
    TaskItem standalone;
    TaskItem *shown = &standalone;
    if (owner == "list") {
        shown = &listed(list, task);
        list.show();
    } else {
        standalone.setTask(task);
        standalone.show();
    }
    TaskItem &item = *shown;
    QSignalSpy edited(&item, &TaskItem::extendedDataEdited);
    QVERIFY(QTest::qWaitForWindowExposed(item.window()));
    QCheckBox *box = checkBoxOf(item);
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));

    QCOMPARE(item.isChecked(), !checked);
    QCOMPARE(item.getMode(), int(TaskItem::ModeNormal));
    QCOMPARE(edited.count(), 1);
    const ExtendedData stored =
        owner == "test" ? ownStore.value(0) : DataCenter::instance()->getExtendedData(task);
    QCOMPARE(ownStore.size(), owner == "test" ? 1 : 0);
    if (owner == "test")
        QCOMPARE(DataCenter::instance()->getExtendedData(task), before);
    QCOMPARE(stored, edited.first().at(1).value<ExtendedData>());
    QCOMPARE(stored.checked, !checked);
    QVERIFY(!stored.pinned);
    QVERIFY(!stored.countdown);
    QCOMPARE(stored.dataId.id, task.getID());
    QCOMPARE(stored.dataId.titleName, task.getTitleName());
}

void TestTaskItem::todoTick_data()
{
    QTest::addColumn<bool>("writable");  // its calendar's
    QTest::addColumn<bool>("completed"); // in its calendar
    QTest::addColumn<bool>("checked");   // in the widget's data file
    QTest::addColumn<bool>("undated");

    QTest::newRow("tick: its calendar completes it") << true << false << false << false;
    QTest::newRow("completed elsewhere shows ticked; untick reopens") << true << true << false << false;
    QTest::newRow("ticked here and there; untick reopens") << true << true << true << false;
    QTest::newRow("subscription: ticked here alone, says why") << false << false << false << false;
    QTest::newRow("no date: says so on its date line") << true << false << false << true;
}

void TestTaskItem::todoTick()
{
    QFETCH(bool, writable);
    QFETCH(bool, completed);
    QFETCH(bool, checked);
    QFETCH(bool, undated);

    ScheduleDataInfo todo = makeTask(1800 * 1000, 1800 * 1000);
    todo.setType(DBUS_SERVER_TODO_TYPE);
    todo.setCompleted(completed);
    todo.setNoDate(undated);
    CalendarIdentity calendar;
    calendar.id = QStringLiteral("feed");
    calendar.writable = writable;
    todo.setCalendar(calendar);
    storeFlags(todo, checked, false, false);
    TaskItem item;
    item.setTask(todo);
    item.show();
    QVERIFY(QTest::qWaitForWindowExposed(&item));
    QCOMPARE(item.isChecked(), completed || checked);
    QCOMPARE(item.toolTip().isEmpty(), writable);
    QCOMPARE(checkBoxOf(item)->text().contains(QLatin1String("No date")), undated);
    QCOMPARE(item.isUndated(), undated);

    QSignalSpy asked(&item, &TaskItem::completionRequested);
    QCheckBox *box = checkBoxOf(item);
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
    QCOMPARE(item.isChecked(), !(completed || checked));
    // The widget's own tick as for any task, and the calendar's besides.
    QCOMPARE(DataCenter::instance()->getExtendedData(todo).checked, !(completed || checked) || completed);
    QCOMPARE(asked.count(), writable ? 1 : 0);
    if (writable) {
        QCOMPARE(asked.first().at(0).value<ScheduleDataInfo>().getID(), todo.getID());
        QCOMPARE(asked.first().at(1).toBool(), !(completed || checked));
    }
}

void TestTaskItem::modeActionStores_data()
{
    QTest::addColumn<int>("action"); // 0 countdown, 1 pin, 2 normal
    QTest::addColumn<bool>("wasPinned");
    QTest::addColumn<bool>("wasCountdown");
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("pinned");
    QTest::addColumn<bool>("countdown");

    QTest::newRow("countdown from pinned") << 0 << true << false << 3 << false << true;
    QTest::newRow("pin from normal") << 1 << false << false << 2 << true << false;
    QTest::newRow("normal from pinned") << 2 << true << false << 0 << false << false;
    QTest::newRow("normal from countdown") << 2 << false << true << 0 << false << false;
}

void TestTaskItem::modeActionStores()
{
    QFETCH(int, action);
    QFETCH(bool, wasPinned);
    QFETCH(bool, wasCountdown);
    QFETCH(int, mode);
    QFETCH(bool, pinned);
    QFETCH(bool, countdown);

    const ScheduleDataInfo task = makeTask(2 * 3600 * 1000, 3 * 3600 * 1000);
    storeFlags(task, false, wasPinned, wasCountdown);
    TaskItem item;
    item.setTask(task);
    QSignalSpy changed(&item, &TaskItem::stateChanged);
    QSignalSpy edited(&item, &TaskItem::extendedDataEdited);
    TaskMenu *menu = item.taskMenu();
    QAction *actions[] = {&menu->countdownAction, &menu->pinAction, &menu->normalAction};
    QVERIFY(actions[action]->isVisible());
    actions[action]->trigger();

    QCOMPARE(item.getMode(), mode);
    QCOMPARE(changed.count(), 1);
    QCOMPARE(edited.count(), 1);
    QCOMPARE(edited.first().at(0).value<ScheduleDataInfo>().getID(), task.getID());
    const ExtendedData stored = edited.first().at(1).value<ExtendedData>();
    QCOMPARE(stored.dataId, taskKey(task));
    QVERIFY(!stored.checked);
    QCOMPARE(stored.pinned, pinned);
    QCOMPARE(stored.countdown, countdown);
    QCOMPARE(DataCenter::instance()->getExtendedData(task), stored);
}

void TestTaskItem::openSchedule_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<bool>("applicationRuns");
    QTest::newRow("double click") << "double click" << true;
    QTest::newRow("menu action") << "menu action" << true;
    QTest::newRow("return key") << "return" << true;
    QTest::newRow("keypad enter") << "enter" << true;
    // The application started in its place could not show the task: the editor does.
    QTest::newRow("double click, no calendar application") << "double click" << false;
    QTest::newRow("return key, no calendar application") << "return" << false;
}

void TestTaskItem::openSchedule()
{
    QFETCH(QString, how);
    QFETCH(bool, applicationRuns);
    calendar->clearCalls();
    if (!applicationRuns)
        calendar->stop();
    const auto restart = qScopeGuard([this] {
        if (!calendar->isRunning())
            calendar->start();
    });

    const ScheduleDataInfo task = makeTask(3600 * 1000, 7200 * 1000, 15, false, "Plan");
    TaskList list;
    TaskItem &item = listed(list, task);
    QSignalSpy requested(&item, &TaskItem::openRequested);
    QSignalSpy edit(&item, &TaskItem::editRequested);
    list.show();
    QVERIFY(QTest::qWaitForWindowActive(&list));
    item.setFocus();
    if (how == "double click")
        QTest::mouseDClick(&item, Qt::LeftButton, {}, QPoint(200, 45));
    else if (how == "menu action")
        item.taskMenu()->openAction.trigger();
    else if (how == "return")
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    else
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Enter, Qt::KeypadModifier);

    QVERIFY(!item.isChecked());
    if (!applicationRuns) {
        QCOMPARE(requested.count(), 0);
        QCOMPARE(edit.count(), 1);
        QCOMPARE(edit.first().first().value<ScheduleDataInfo>().getTitleName(), QString("Plan"));
        return;
    }
    QCOMPARE(requested.count(), 1);
    QCOMPARE(edit.count(), 0);
    QTRY_COMPARE(calendar->calls("OpenSchedule").size(), 1);
    const FakeDBusService::Call call = calendar->calls("OpenSchedule").first();
    QCOMPARE(call.interface, QString("com.norvale.Calendar"));
    QCOMPARE(call.signature, QString("s"));
    QCOMPARE(call.arguments.first().toString(), ScheduleDataInfo::ScheduleToJsonStr(task));
}

void TestTaskItem::contextMenu_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("right button") << "mouse";
    QTest::newRow("menu key") << "menu";
    QTest::newRow("shift+f10") << "shift+f10";
}

void TestTaskItem::contextMenu()
{
    QFETCH(QString, how);

    const ScheduleDataInfo task = makeTask(3600 * 1000, 7200 * 1000);
    TaskItem item;
    item.setTask(task);
    item.move(60, 60);
    item.show();
    QVERIFY(QTest::qWaitForWindowActive(&item));
    item.setFocus();

    const QPoint click(200, 40);
    if (how == "mouse")
        QTest::mouseClick(&item, Qt::RightButton, {}, click);
    else if (how == "menu")
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Menu);
    else
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F10, Qt::ShiftModifier);

    // Open without a loop of its own: the call has returned.
    QTRY_COMPARE(QApplication::activePopupWidget(), item.taskMenu());
    QCOMPARE(item.taskMenu()->pos(), item.mapToGlobal(how == "mouse" ? click : item.rect().center()));
    // Details…, Join, Edit… and Delete are made as the menu opens, however it is asked for.
    QCOMPARE(item.taskMenu()->actions().size(), 10);
    item.taskMenu()->close();
    QVERIFY(!item.taskMenu()->isVisible());
}

void TestTaskItem::joinButton_data()
{
    QTest::addColumn<int>("beginS");
    QTest::addColumn<bool>("countdown");
    QTest::addColumn<QString>("link");
    QTest::addColumn<bool>("shown");

    QTest::newRow("counting down, five minutes to a meeting")
        << 300 << true << "https://meet.jit.si/Sync" << true;
    QTest::newRow("counting down, begun") << -60 << true << "https://meet.jit.si/Sync" << true;
    QTest::newRow("counting down, half an hour ahead") << 1800 << true << "https://meet.jit.si/Sync" << false;
    QTest::newRow("not counting down") << 300 << false << "https://meet.jit.si/Sync" << false;
    QTest::newRow("no meeting link") << 300 << true << "" << false;
}

void TestTaskItem::joinButton()
{
    QFETCH(int, beginS);
    QFETCH(bool, countdown);
    QFETCH(QString, link);
    QFETCH(bool, shown);

    ScheduleDataInfo task = makeTask(beginS * 1000LL, 3600 * 1000);
    EventDetails details;
    details.conference = link;
    task.setDetails(details);
    storeFlags(task, false, false, countdown);
    TaskItem item;
    item.setTask(task);
    item.show();
    QVERIFY(QTest::qWaitForWindowExposed(&item));
    auto *button = item.findChild<QToolButton *>();
    QCOMPARE(button && button->isVisible(), shown);
    if (!shown)
        return;
    QSignalSpy join(&item, &TaskItem::joinRequested);
    QTest::mouseClick(button, Qt::LeftButton);
    QCOMPARE(join.count(), 1);
    QCOMPARE(join.first().first().value<ScheduleDataInfo>().getDetails().conference, link);
    QVERIFY(!item.isChecked());
    QVERIFY(button->geometry().right() < item.width() && button->geometry().bottom() < item.height());
}

void TestTaskItem::detailsClick_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<int>("details");
    QTest::addColumn<bool>("ticked");

    QTest::newRow("a click beside the check box") << "click icons" << 1 << false;
    QTest::newRow("a double click opens, asks no details") << "double click icons" << 0 << false;
    QTest::newRow("a click on the title ticks") << "click title" << 0 << true;
    QTest::newRow("the menu's Details…") << "menu" << 1 << false;
}

void TestTaskItem::detailsClick()
{
    QFETCH(QString, how);
    QFETCH(int, details);
    QFETCH(bool, ticked);

    TaskItem item;
    item.setTask(makeTask(3600 * 1000, 7200 * 1000));
    item.show();
    QVERIFY(QTest::qWaitForWindowExposed(&item));
    QSignalSpy asked(&item, &TaskItem::detailsRequested);
    QSignalSpy opened(&item, &TaskItem::openRequested);
    QSignalSpy edit(&item, &TaskItem::editRequested);
    const QPoint icons(item.width() - 20, item.height() / 2);
    if (how == "click icons") {
        QTest::mouseClick(&item, Qt::LeftButton, {}, icons);
    } else if (how == "double click icons") {
        QTest::mouseClick(&item, Qt::LeftButton, {}, icons);
        QTest::mouseDClick(&item, Qt::LeftButton, {}, icons);
        QCOMPARE(opened.count() + edit.count(), 1);
    } else if (how == "click title") {
        QTest::mouseClick(checkBoxOf(item), Qt::LeftButton, {}, QPoint(60, item.height() / 2));
    } else {
        item.taskMenu()->editEntries().detailsAction.trigger();
    }
    QTest::qWait(QApplication::doubleClickInterval() + 100);
    QCOMPARE(asked.count(), details);
    QCOMPARE(item.isChecked(), ticked);
}

void TestTaskItem::keyboard()
{
    QWidget window;
    auto *layout = new QVBoxLayout(&window);
    auto *before = new QPushButton("before", &window);
    auto *first = new TaskItem(&window);
    auto *second = new TaskItem(&window);
    layout->addWidget(before);
    layout->addWidget(first);
    layout->addWidget(second);
    const ScheduleDataInfo firstTask = makeTask(3600 * 1000, 7200 * 1000);
    const ScheduleDataInfo secondTask = makeTask(3600 * 1000, 7200 * 1000);
    first->setTask(firstTask);
    second->setTask(secondTask);
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));

    before->setFocus();
    const QImage unfocused = renderItem(*first);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), first->focusProxy());
    // The focus frame runs along the item's edge, where nothing else is drawn.
    QVERIFY(renderItem(*first).pixel(219, 28) != unfocused.pixel(219, 28));

    QSignalSpy edited(first, &TaskItem::extendedDataEdited);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    QVERIFY(first->isChecked());
    QCOMPARE(edited.count(), 1);
    QVERIFY(edited.first().at(1).value<ExtendedData>().checked);

    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), second->focusProxy());
    QVERIFY(!second->isChecked());
}

void TestTaskItem::deleteKey_data()
{
    QTest::addColumn<bool>("repeating");
    QTest::addColumn<bool>("wholeSeries");
    QTest::newRow("an event") << false << true;
    // The least of it, as the menu's "This occurrence": Undo is there for a slip.
    QTest::newRow("a repeating event: this occurrence") << true << false;
}

void TestTaskItem::deleteKey()
{
    QFETCH(bool, repeating);
    QFETCH(bool, wholeSeries);
    ScheduleDataInfo task = makeTask(3600 * 1000, 7200 * 1000);
    if (repeating)
        task.getRepetitionRule().setRuleId(RepetitionRule::Daily);
    TaskItem item;
    item.setTask(task);
    QVERIFY2(item.taskMenu()->editEntries().deleteAction.isVisible() ||
                 item.taskMenu()->editEntries().deleteMenu.menuAction()->isVisible(),
             "the menu offers no Delete");
    QSignalSpy deleted(&item, &TaskItem::deleteRequested);
    QTest::keyClick(item.focusProxy(), Qt::Key_Delete);
    QCOMPARE(deleted.size(), 1);
    QCOMPARE(deleted.first().at(0).value<ScheduleDataInfo>().getID(), task.getID());
    QCOMPARE(deleted.first().at(1).toBool(), wholeSeries);
    QTest::keyClick(item.focusProxy(), Qt::Key_Delete, Qt::ShiftModifier);
    QCOMPARE(deleted.size(), 1);
}

void TestTaskItem::spokenText_data()
{
    QTest::addColumn<bool>("checked");
    QTest::addColumn<bool>("pinned");
    QTest::addColumn<bool>("countdown");
    QTest::addColumn<qint64>("beginMs");
    QTest::addColumn<QString>("reply");
    QTest::addColumn<QString>("state"); // what is said between the date and the calendar

    const qint64 h = 3600 * 1000;
    QTest::newRow("waiting") << false << false << false << 2 * h << ""
                             << "";
    QTest::newRow("ticked") << true << false << false << 2 * h << ""
                            << ", ticked";
    QTest::newRow("pinned") << false << true << false << 2 * h << ""
                            << ", pinned";
    QTest::newRow("countdown 12 minutes") << false << false << true << qint64(11.5 * 60 * 1000) << ""
                                          << ", countdown 12 minutes";
    QTest::newRow("countdown 1 minute") << false << false << true << qint64(20 * 1000) << ""
                                        << ", countdown 1 minute";
    QTest::newRow("countdown, hours ahead") << false << false << true << 3 * h << ""
                                            << ", countdown set";
    QTest::newRow("overdue") << false << false << false << -2 * h << ""
                             << ", overdue";
    QTest::newRow("tentative") << false << false << false << 2 * h << "tentative"
                               << ", tentative";
    QTest::newRow("not answered") << false << false << false << 2 * h << "needs-action"
                                  << ", not answered";
    QTest::newRow("accepted: nothing more") << false << false << false << 2 * h << "accepted"
                                            << "";
}

// What a screen reader says of the task on its check box: "Title, date and time, state, calendar".
void TestTaskItem::spokenText()
{
    QFETCH(bool, checked);
    QFETCH(bool, pinned);
    QFETCH(bool, countdown);
    QFETCH(qint64, beginMs);
    QFETCH(QString, reply);
    QFETCH(QString, state);

    DayClock *clock = DataCenter::instance()->clock();
    const QDateTime at = QDateTime::currentDateTime();
    clock->setTimeSource([at] { return at; });
    const auto restore = qScopeGuard([clock] { clock->setTimeSource({}); });
    ScheduleDataInfo task = makeTask(0, beginMs + 3600 * 1000, -1, false, "Standup");
    task.setBeginDateTime(at.addMSecs(beginMs));
    EventDetails details;
    details.myReply = reply;
    task.setDetails(details);
    CalendarIdentity work;
    work.id = "work";
    work.name = "Work";
    task.setCalendar(work);
    storeFlags(task, checked, pinned, countdown);
    TaskItem item;
    item.setTask(task);
    item.onCountdown();

    const QLocale locale;
    const QDateTime begin = task.getBeginDateTime();
    const QString when = locale.toString(begin.date(), QLocale::LongFormat) + " " +
                         locale.toString(begin.time(), QLocale::ShortFormat);
    QCOMPARE(item.focusProxy()->accessibleName(), "Standup, " + when + state + ", Work");
    QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(item.focusProxy());
    QCOMPARE(accessible->role(), QAccessible::CheckBox);
    QCOMPARE(accessible->state().checked, checked);
}

// The countdown ticks a few times a second; a screen reader must hear it but once a minute.
void TestTaskItem::countdownSpokenOncePerMinute()
{
    DayClock *clock = DataCenter::instance()->clock();
    QDateTime at = QDateTime::currentDateTime();
    clock->setTimeSource([&at] { return at; });
    const auto restore = qScopeGuard([clock] { clock->setTimeSource({}); });
    ScheduleDataInfo counting = makeTask(0, 3600 * 1000);
    counting.setBeginDateTime(at.addSecs(12 * 60 - 30));
    storeFlags(counting, false, false, true);
    TaskItem item;
    item.setTask(counting);
    QStringList spoken;
    const auto tick = [&] {
        item.onCountdown();
        const QString name = item.focusProxy()->accessibleName();
        if (spoken.isEmpty() || spoken.constLast() != name)
            spoken << name;
    };
    tick();
    QCOMPARE(spoken.size(), 1);
    QVERIFY2(spoken.constFirst().contains(", countdown 12 minutes"), qPrintable(spoken.constFirst()));
    for (int n = 0; n < 60; ++n) {
        at = at.addMSecs(TaskList::countdownIntervalMs);
        tick();
    }
    QCOMPARE(spoken.size(), 1);
    // Past the minute: said once, anew.
    at = at.addSecs(10);
    tick();
    tick();
    QCOMPARE(spoken.size(), 2);
    QVERIFY2(spoken.constLast().contains(", countdown 11 minutes"), qPrintable(spoken.constLast()));
}

void TestTaskItem::band_data()
{
    QTest::addColumn<int>("alpha");
    QTest::addColumn<int>("top");
    QTest::addColumn<int>("bottom"); // rows covered by the band, inclusive

    QTest::newRow("alpha 180, full height") << 180 << 0 << 55;
    QTest::newRow("alpha 90, half height") << 90 << 14 << 41;
    QTest::newRow("alpha 0, nothing") << 0 << 1 << 0;
}

void TestTaskItem::band()
{
    QFETCH(int, alpha);
    QFETCH(int, top);
    QFETCH(int, bottom);

    TaskItem item;
    item.setTask(makeTask(3600 * 1000, 7200 * 1000));
    setBandAlpha(item, alpha);
    const QImage image = renderItem(item);
    for (int y = 0; y < item.height(); ++y) {
        const QRgb pixel = image.pixel(162, y);
        const bool inBand = y >= top && y <= bottom;
        QVERIFY2(qAlpha(pixel) == (inBand ? alpha : 0), qPrintable(QString("row %1").arg(y)));
    }
}

void TestTaskItem::textReadableOnBand_data()
{
    QTest::addColumn<int>("theme");
    QTest::newRow("dark") << int(ZGuiApplicationHelper::DarkType);
    QTest::newRow("light") << int(ZGuiApplicationHelper::LightType);
    QTest::newRow("unknown") << int(ZGuiApplicationHelper::UnknownType);
}

// The band follows the desktop's scheme, the application palette may not: dark text on the dark
// band made every task unreadable under a dark scheme with a light palette.
void TestTaskItem::textReadableOnBand()
{
    QFETCH(int, theme);

    TaskItem item;
    item.setTask(makeTask(3600 * 1000, 7200 * 1000));
    QVERIFY(QMetaObject::invokeMethod(
        &item, "onThemeChanged",
        Q_ARG(Zyk::Gui::ZGuiApplicationHelper::ColorType, ZGuiApplicationHelper::ColorType(theme))));
    const QImage band = renderItem(item);
    const int bandLightness = QColor(band.pixel(200, 50)).lightness();
    // What the box paints: the glyph pixel that stands out most from the band.
    const QImage shown = item.grab().toImage();
    int textLightness = bandLightness;
    for (int y = 5; y < 50; ++y) {
        for (int x = 40; x < 160; ++x) {
            const int lightness = QColor(shown.pixel(x, y)).lightness();
            if (qAbs(lightness - bandLightness) > qAbs(textLightness - bandLightness))
                textLightness = lightness;
        }
    }
    QVERIFY2(qAbs(bandLightness - textLightness) > 150,
             qPrintable(QString("band %1, text %2").arg(bandLightness).arg(textLightness)));
}

void TestTaskItem::calendarColour_data()
{
    QTest::addColumn<int>("theme");
    QTest::addColumn<QString>("id");
    QTest::addColumn<QString>("given");
    QTest::addColumn<QColor>("expected");

    const int dark = int(ZGuiApplicationHelper::DarkType);
    const int light = int(ZGuiApplicationHelper::LightType);
    QTest::newRow("its own colour, light") << light << "a1b2"
                                           << "#3366cc" << QColor("#3366cc");
    QTest::newRow("its own colour, dark") << dark << "a1b2"
                                          << "#3366cc" << QColor("#3366cc");
    QTest::newRow("a CSS name, dark") << dark << "a1b2"
                                      << "orange" << QColor(255, 165, 0);
    // The colour of the ID "work", as every start has drawn it: qHash's seed must not move it.
    QTest::newRow("none given, light") << light << "work"
                                       << "" << QColor::fromHsv(264, 178, 200);
    QTest::newRow("none given, dark") << dark << "work"
                                      << "" << QColor::fromHsv(264, 178, 200);
    QTest::newRow("no calendar known") << light << ""
                                       << "" << QColor();
}

// The bar beside the check box carries the calendar's colour, unmixed with the band in either theme.
void TestTaskItem::calendarColour()
{
    QFETCH(int, theme);
    QFETCH(QString, id);
    QFETCH(QString, given);
    QFETCH(QColor, expected);

    ScheduleDataInfo task = makeTask(3600 * 1000, 7200 * 1000);
    if (!id.isEmpty())
        task.setCalendar(CalendarIdentity{id, "Work", given, true, {}, {}});
    TaskItem item;
    item.setTask(task);
    QVERIFY(QMetaObject::invokeMethod(
        &item, "onThemeChanged",
        Q_ARG(Zyk::Gui::ZGuiApplicationHelper::ColorType, ZGuiApplicationHelper::ColorType(theme))));
    const QImage image = renderItem(item);
    const QColor bar = image.pixelColor(5, item.height() / 2);
    const QColor band = image.pixelColor(162, item.height() / 2);
    if (!expected.isValid()) {
        QCOMPARE(bar, band);
        return;
    }
    QCOMPARE(bar.name(QColor::HexArgb), expected.name(QColor::HexArgb));
    // Its rim sets it off from the band, which it leaves to the check box and the icons.
    const QColor rim = image.pixelColor(2, item.height() / 2);
    QVERIFY(rim != band);
    QCOMPARE(image.pixelColor(9, item.height() / 2), band);
    if (given.isEmpty()) {
        QVERIFY(expected.hsvSaturation() >= 170);
        QVERIFY(calendarColor(CalendarIdentity{"home", {}, {}, true, {}, {}}) != expected);
    }
}

void TestTaskItem::icons_data()
{
    QTest::addColumn<ScheduleDataInfo>("task");
    QTest::addColumn<bool>("pinned");
    QTest::addColumn<bool>("countdown");
    QTest::addColumn<bool>("checked");
    QTest::addColumn<int>("ticks");
    QTest::addColumn<QString>("modeIcon");
    QTest::addColumn<QString>("stateIcon");
    QTest::addColumn<QString>("repeatIcon");

    const qint64 m = 60 * 1000;
    ScheduleDataInfo repeating = makeTask(-120 * m, -60 * m);
    repeating.getRepetitionRule().setRuleId(RepetitionRule::Daily);

    // clang-format off
    QTest::newRow("normal, waiting")          << makeTask(30 * m, 60 * m)             << false << false << false << 0 << "" << "" << "";
    QTest::newRow("reminder, waiting")        << makeTask(30 * m, 60 * m, 15)         << false << false << false << 0 << "bell" << "" << "";
    QTest::newRow("reminder, reminded")       << makeTask(10 * m, 60 * m, 15)         << false << false << false << 0 << "bell" << "timer" << "";
    QTest::newRow("pinned with reminder")     << makeTask(10 * m, 60 * m, 15)         << true  << false << false << 0 << "pin" << "timer" << "";
    QTest::newRow("mode 3, reminded")         << makeTask(120 * m, 180 * m, 240)      << false << true  << false << 0 << "hot" << "" << "";
    QTest::newRow("mode 4, blink on")         << makeTask(30 * m + 30500, 90 * m, 60) << false << true  << false << 1 << "timer" << "" << "";
    QTest::newRow("mode 4, blink off")        << makeTask(30 * m + 30500, 90 * m, 60) << false << true  << false << 2 << "" << "" << "";
    QTest::newRow("mode 5, reminded")         << makeTask(30 * m + 4500, 90 * m, 60)  << false << true  << false << 1 << "timer" << "timer" << "";
    QTest::newRow("expired and repeating")    << repeating                            << false << false << false << 0 << "" << "warn" << "repeat";
    QTest::newRow("checked, reminded")        << makeTask(10 * m, 60 * m, 15)         << false << false << true  << 0 << "bell" << "" << "";
    // clang-format on
}

void TestTaskItem::icons()
{
    QFETCH(ScheduleDataInfo, task);
    QFETCH(bool, pinned);
    QFETCH(bool, countdown);
    QFETCH(bool, checked);
    QFETCH(int, ticks);
    QFETCH(QString, modeIcon);
    QFETCH(QString, stateIcon);
    QFETCH(QString, repeatIcon);

    storeFlags(task, checked, pinned, countdown);
    TaskItem item;
    item.setTask(task);
    for (int i = 0; i < ticks; ++i)
        item.onCountdown();
    // Without the band only the icons are left in their squares.
    setBandAlpha(item, 0);
    const QImage image = renderItem(item);
    QCOMPARE(iconAt(image, QPoint(190, 5)), modeIcon);
    QCOMPARE(iconAt(image, QPoint(165, 5)), stateIcon);
    QCOMPARE(iconAt(image, QPoint(190, 30)), repeatIcon);
}

void TestTaskItem::progressEnds_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<bool>("squareEnd");

    QTest::newRow("4: rounded") << 4 << false;
    QTest::newRow("7: rounded") << 7 << false;
    QTest::newRow("8: square") << 8 << true;
    QTest::newRow("100: square") << 100 << true;
    QTest::newRow("212: square") << 212 << true;
    QTest::newRow("213: rounded") << 213 << false;
    QTest::newRow("216: rounded") << 216 << false;
}

void TestTaskItem::progressEnds()
{
    QFETCH(int, width);
    QFETCH(bool, squareEnd);

    const ScheduleDataInfo task = makeTask(60 * 1000, 3600 * 1000);
    storeFlags(task, false, false, true);
    TaskItem item;
    item.setTask(task);
    item.progressAnimate();
    const qint64 total = item.progressDuration();
    QVERIFY(total > 0 && total <= 60 * 1000);
    // The middle of the pixel column `width` - 1 of the bar.
    item.showProgressAt((2 * qint64(width) + 1) * total / 440);

    const QImage image = renderItem(item);
    int green = 0;
    while (green < image.width() && isPureGreen(image.pixel(green, 28)))
        ++green;
    QCOMPARE(green, width);
    QCOMPARE(isPureGreen(image.pixel(width - 1, 0)), squareEnd);
    QCOMPARE(isPureGreen(image.pixel(width - 1, 55)), squareEnd);
    if (width >= 16)
        QVERIFY(!isPureGreen(image.pixel(0, 0)));
}

namespace {

struct PaintCounter : QObject
{
    int paints = 0;
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

// Width of the green bar along the middle of the band.
int barWidth(TaskItem &item)
{
    const QImage image = renderItem(item);
    int green = 0;
    while (green < image.width() && isPureGreen(image.pixel(green, 28)))
        ++green;
    return green;
}

} // namespace

void TestTaskItem::progressWakesPerPixel_data()
{
    QTest::addColumn<qint64>("beginMs");
    QTest::newRow("one hour: a pixel every 16 s") << 3600LL * 1000;
    QTest::newRow("ten seconds: a pixel every 45 ms") << 10LL * 1000;
}

// The bar is v * W / T wide after v of its T milliseconds, and the item sleeps until the next pixel.
void TestTaskItem::progressWakesPerPixel()
{
    QFETCH(qint64, beginMs);

    const ScheduleDataInfo task = makeTask(beginMs, beginMs + 3600 * 1000);
    storeFlags(task, false, false, true);
    TaskItem item;
    item.setTask(task);
    item.show();
    QVERIFY(QTest::qWaitForWindowExposed(&item));
    // The focus mark would cover the bar's left end.
    checkBoxOf(item)->clearFocus();
    item.progressAnimate();
    const qint64 total = item.progressDuration();
    const qint64 w = item.width();
    QVERIFY(total > 0 && total <= beginMs);
    auto *wakeUp = item.findChild<QTimer *>("progressTimer");
    QVERIFY(wakeUp);

    PaintCounter counter;
    item.installEventFilter(&counter);
    for (const qint64 at : {qint64(0), total / 7, total / 3, total / 2, total - 1}) {
        item.showProgressAt(at);
        QCOMPARE(barWidth(item), int(at * w / total));
        // Asleep until the first millisecond at which the formula gives one pixel more.
        QVERIFY(wakeUp->isActive());
        const qint64 next = at + wakeUp->interval();
        QCOMPARE(int(next * w / total), int(at * w / total) + 1);
        QCOMPARE(int((next - 1) * w / total), int(at * w / total));
    }
    item.showProgressAt(total);
    QCOMPARE(barWidth(item), int(w));
    QVERIFY(!wakeUp->isActive());

    // Within a pixel's time nothing is painted again.
    item.showProgressAt(0);
    QApplication::processEvents();
    const int before = counter.paints;
    for (qint64 at = 1; at * w < total; at += qMax<qint64>(1, total / w / 20)) {
        item.showProgressAt(at);
        QApplication::processEvents();
    }
    QCOMPARE(counter.paints, before);
}

void TestTaskItem::redFlash_data()
{
    QTest::addColumn<qint64>("beginMs");
    QTest::newRow("begin time already reached") << -2000LL;
    QTest::newRow("begin time just reached") << 0LL;
    QTest::newRow("begin time 400 ms away") << 400LL;
}

void TestTaskItem::redFlash()
{
    QFETCH(qint64, beginMs);

    const ScheduleDataInfo task = makeTask(beginMs, 3600 * 1000);
    storeFlags(task, false, false, true);
    TaskItem item;
    item.setTask(task);
    QCOMPARE(item.getMode(), int(TaskItem::ModeCountdown));
    const QRgb themed = renderItem(item).pixel(162, 28);
    QCOMPARE(qAlpha(themed), 180);
    const QRgb red = qRgba(200, 0, 0, 180);

    warnings.clear();
    const QtMessageHandler previous = qInstallMessageHandler(collectWarnings);
    item.progressAnimate();
    qInstallMessageHandler(previous);
    QCOMPARE(warnings, QStringList());

    if (beginMs <= 0) {
        QVERIFY(!item.isAnimating());
        QCOMPARE(renderItem(item).pixel(162, 28), red);
    } else {
        QVERIFY(item.isAnimating());
        QTRY_COMPARE(renderItem(item).pixel(162, 28), red);
    }
    if (beginMs < 0)
        QVERIFY(checkBoxOf(item)->text().startsWith("  00:00 => "));
    // No bar is left over the red band.
    QVERIFY(!isPureGreen(renderItem(item).pixel(0, 28)));

    // A theme change during the red phase takes over the band at once.
    Q_EMIT ZGuiApplicationHelper::instance()->themeTypeChanged(ZGuiApplicationHelper::DarkType);
    item.update();
    QCOMPARE(renderItem(item).pixel(162, 28), qRgba(0, 0, 0, 180));

    // Then the band returns to the current theme's colour.
    QTRY_COMPARE_WITH_TIMEOUT(renderItem(item).pixel(162, 28), themed, 2 * TaskItem::redFlashMs);
}

void TestTaskItem::fadeAndBloom()
{
    TaskItem item;
    item.setTask(makeTask(3600 * 1000, 7200 * 1000));
    QSignalSpy faded(&item, &TaskItem::faded);

    item.fadeAnimate();
    QVERIFY(item.isAnimating());
    QTRY_COMPARE(faded.count(), 1);
    QTRY_VERIFY(!item.isAnimating());
    QCOMPARE(faded.count(), 1);
    const QImage gone = renderItem(item);
    for (int y = 0; y < item.height(); ++y)
        QCOMPARE(qAlpha(gone.pixel(162, y)), 0);

    item.bloomAnimate();
    QVERIFY(item.isAnimating());
    QTRY_VERIFY(!item.isAnimating());
    QCOMPARE(faded.count(), 1);
    const QImage back = renderItem(item);
    QCOMPARE(qAlpha(back.pixel(162, 0)), 180);
    QCOMPARE(qAlpha(back.pixel(162, 55)), 180);
}

void TestTaskItem::countdownNotification_data()
{
    QTest::addColumn<bool>("service");
    QTest::newRow("notification service running") << true;
    QTest::newRow("no notification service") << false;
}

void TestTaskItem::countdownNotification()
{
    QFETCH(bool, service);
    const QString told = dataDir.filePath(QTest::currentDataTag()) + "/notified";
    QVERIFY(QDir().mkpath(QFileInfo(told).path()));
    const qint64 longAgo = QDateTime::currentMSecsSinceEpoch() - 10LL * 24 * 3600 * 1000;
    {
        QFile old(told);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("1 0 " + QByteArray::number(longAgo) + "\n");
    }
    DataCenter::instance()->loadData(QFileInfo(told).path() + "/data");

    FakeDBusService notifications("org.freedesktop.Notifications", "/org/freedesktop/Notifications",
                                  "org.freedesktop.Notifications");
    auto sentAt = std::make_shared<std::atomic<qint64>>(0);
    notifications.setHandler("Notify", [sentAt](const FakeDBusService::Call &) {
        sentAt->store(QDateTime::currentMSecsSinceEpoch());
        return FakeDBusService::Reply::value(5u);
    });
    if (service)
        QVERIFY(notifications.start());
    // Everything sent to the service before this has reached it once this returns.
    const auto roundTrip = [&] {
        QDBusConnection::sessionBus().call(QDBusMessage::createMethodCall(
            notifications.service, notifications.path, notifications.interface, "GetCapabilities"));
    };

    WarningSpy spy;
    const ScheduleDataInfo task = makeTask(400, 3600 * 1000, -1, false, "Launch & <b>go</b>");
    storeFlags(task, false, false, true);
    {
        TaskList list;
        TaskItem &item = listed(list, task);
        QSignalSpy ended(&item, &TaskItem::countdownEnded);
        item.onCountdown();
        QCOMPARE(item.getMode(), int(TaskItem::ModeCountdownFinal));
        roundTrip();
        QCOMPARE(notifications.calls("Notify").size(), 0);
        QTRY_COMPARE(renderItem(item).pixel(162, 28), qRgba(200, 0, 0, 180));
        QCOMPARE(ended.count(), 1);
    }
    roundTrip();
    if (service) {
        const QList<FakeDBusService::Call> calls = notifications.calls("Notify");
        QCOMPARE(calls.size(), 1);
        QVERIFY(sentAt->load() >= task.getBeginDateTime().toMSecsSinceEpoch());
        const FakeDBusService::Call call = calls.first();
        QCOMPARE(call.interface, QString("org.freedesktop.Notifications"));
        QCOMPARE(call.signature, QString("susssasa{sv}i"));
        const QVariantList expected{QString("nvx-calendar-desktop-widget"),
                                    0u,
                                    QString("nvx-calendar-desktop-widget"),
                                    task.getTitleName(),
                                    QLocale().toString(task.getBeginDateTime().time(), QLocale::ShortFormat),
                                    QStringList()};
        QCOMPARE(call.arguments.mid(0, 6), expected);
        QCOMPARE(qdbus_cast<QVariantMap>(call.arguments.at(6)),
                 QVariantMap({{"desktop-entry", QString("nvx-calendar-desktop-widget")}}));
        QCOMPARE(call.arguments.at(7), QVariant(-1));
    }

    // The list makes a new item for the same task at its next refresh.
    {
        TaskList list;
        TaskItem &again = listed(list, task);
        again.progressAnimate();
        QCOMPARE(renderItem(again).pixel(162, 28), qRgba(200, 0, 0, 180));
    }
    // After a restart: the occurrence is read back, another one of the same task is still told.
    CountdownNotifier restarted(told);
    QVERIFY(!restarted.countdownEnded(task));
    ScheduleDataInfo next = task;
    next.setRecurID(1);
    QVERIFY(restarted.countdownEnded(next));
    roundTrip();
    QCOMPARE(notifications.calls("Notify").size(), service ? 2 : 0);
    QCOMPARE(spy.warnings, QStringList());

    QFile kept(told);
    QVERIFY(kept.open(QIODevice::ReadOnly));
    QVERIFY(!kept.readAll().contains(QByteArray::number(longAgo)));
}

QTEST_MAIN(TestTaskItem)
#include "tst_taskitem.moc"
