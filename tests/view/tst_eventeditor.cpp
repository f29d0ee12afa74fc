#include "cscheduledbus.h"
#include "datacenter.h"
#include "desktopcalendars.h"
#include "eventactions.h"
#include "eventeditor.h"
#include "fakedbusservice.h"
#include "feedserver.h"
#include "mainwindow.h"
#include "myaddresses.h"
#include "serverprocess.h"
#include "taskitem.h"
#include "tasklist.h"
#include "widgetsettings.h"

#include <KCalendarCore/ICalFormat>
#include <KCalendarCore/MemoryCalendar>

#include <QAccessible>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimeEdit>
#include <QTranslator>

using namespace KCalendarCore;

namespace {

const QDate day(2031, 3, 4); // a Tuesday
const QByteArray meetingLink = "https://meet.google.com/abc-defg-hij";

QByteArray vevent(const QString &uid, const QString &title, const QDateTime &start,
                  const QByteArray &extra = {})
{
    const QByteArray at = start.toString("yyyyMMdd'T'HHmmss").toUtf8();
    const QByteArray end = start.addSecs(3600).toString("yyyyMMdd'T'HHmmss").toUtf8();
    return "BEGIN:VEVENT\r\nUID:" + uid.toUtf8() +
           "\r\nDTSTAMP:20310101T000000Z\r\nDTSTART;TZID=Europe/Berlin:" + at +
           "\r\nDTEND;TZID=Europe/Berlin:" + end + "\r\nSUMMARY:" + title.toUtf8() + "\r\n" + extra +
           "END:VEVENT\r\n";
}

QByteArray calendar(const QByteArray &events)
{
    return "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//test//EN\r\n" + events + "END:VCALENDAR\r\n";
}

bool write(const QString &path, const QByteArray &data)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(data) == data.size();
}

// The file as another program reads it.
MemoryCalendar::Ptr parse(const QString &path)
{
    MemoryCalendar::Ptr calendar(new MemoryCalendar(QTimeZone("Europe/Berlin")));
    ICalFormat().load(calendar, path);
    return calendar;
}

Event::Ptr eventTitled(const MemoryCalendar::Ptr &calendar, const QString &title)
{
    for (const Event::Ptr &event : calendar->rawEvents()) {
        if (event->summary() == title && !event->hasRecurrenceId())
            return event;
    }
    return Event::Ptr();
}

TaskItem *itemOf(TaskList *list, const QString &title)
{
    for (TaskItem *item : list->taskItems()) {
        if (item->title() == title)
            return item;
    }
    return nullptr;
}

template<typename T> T *child(QWidget *window, const char *name)
{
    return window->findChild<T *>(QLatin1String(name));
}

void choose(QComboBox *box, int index)
{
    box->setFocus();
    QTest::keyClick(box, Qt::Key_Home);
    for (int i = 0; i < index; ++i)
        QTest::keyClick(box, Qt::Key_Down);
}

} // namespace

// The editor and the panel's Delete against the real data server, on a calendar file and a
// subscription of the test's own; the file is read back as another program reads it.
class TestEventEditor : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void tabReachesEveryControl_data();
    void tabReachesEveryControl();
    void newEvents_data();
    void newEvents();
    void repeatQuestionFits_data();
    void repeatQuestionFits();
    void changeRepeating_data();
    void changeRepeating();
    void refusalsKeepTheText_data();
    void refusalsKeepTheText();
    void pinnedStateFollowsTheTitle_data();
    void pinnedStateFollowsTheTitle();
    void deleteFromThePanel_data();
    void deleteFromThePanel();
    void completeFromThePanel();
    void detailsOfAnInvitation_data();
    void detailsOfAnInvitation();
    void cleanupTestCase();

private:
    ScheduleDataInfo jobOn(const QString &title, const QDate &on);
    QVector<CalendarIdentity> calendars();
    // Saves with Enter and waits for the window to close, or for its error.
    bool saveAndWait(EventEditor *editor);

    QTemporaryDir dir;
    QString home;
    FeedServer feed;
    ServerProcess server;
    std::unique_ptr<CScheduleDBus> client;
};

void TestEventEditor::initTestCase()
{
    QVERIFY(dir.isValid());
    home = dir.filePath("home.ics");
    const QDateTime today(QDate::currentDate(), QTime(12, 0));
    QVERIFY(write(
        home,
        calendar(vevent("course", "Course", QDateTime(day, QTime(10, 0)), "RRULE:FREQ=WEEKLY;COUNT=4\r\n") +
                 vevent("standup", "Standup", QDateTime(day, QTime(9, 0))) +
                 vevent("review", "Review", QDateTime(day, QTime(14, 0))) +
                 vevent("other", "Other", QDateTime(day, QTime(16, 0))) + vevent("lunch", "Lunch", today) +
                 vevent("tea", "Tea", today.addSecs(3600)) +
                 vevent("planning", "Planning", today.addSecs(2 * 3600),
                        "ORGANIZER;CN=Dana:mailto:dana@example.com\r\n"
                        "ATTENDEE;PARTSTAT=NEEDS-ACTION;RSVP=TRUE:mailto:me@example.org\r\n"
                        "X-GOOGLE-CONFERENCE:" +
                            meetingLink + "\r\n") +
                 vevent("pitch", "Pitch", today.addSecs(3 * 3600),
                        "ATTENDEE;PARTSTAT=TENTATIVE;CN=Me:mailto:me@example.org\r\n") +
                 "BEGIN:VTODO\r\nUID:bank\r\nDTSTAMP:20310101T000000Z\r\nDUE;VALUE=DATE:" +
                 today.date().toString("yyyyMMdd").toUtf8() + "\r\nSUMMARY:Call the bank\r\nEND:VTODO\r\n")));
    QString error;
    QDir().mkpath(QFileInfo(DesktopCalendars::filePath()).absolutePath());
    QVERIFY2(MyAddresses::setConfigured({"me@example.org"}, &error), qPrintable(error));
    feed.answer.body = calendar(vevent("holiday", "Holiday", QDateTime(day, QTime(8, 0))));
    QVERIFY(feed.listen());
    QVERIFY(server.start({home, feed.url()}));
    client = std::make_unique<CScheduleDBus>(ServerProcess::service(), QStringLiteral(DBUS_SERVER_PATH),
                                             QDBusConnection::sessionBus());
    QTRY_VERIFY_WITH_TIMEOUT(!jobOn("Holiday", day).getTitleName().isEmpty(), 15000);
}

void TestEventEditor::cleanupTestCase()
{
    server.stop();
}

ScheduleDataInfo TestEventEditor::jobOn(const QString &title, const QDate &on)
{
    QMap<QDate, QVector<ScheduleDataInfo>> days;
    client->GetJobs(on, on, days);
    for (const ScheduleDataInfo &job : days.value(on)) {
        if (job.getTitleName() == title)
            return job;
    }
    return ScheduleDataInfo();
}

QVector<CalendarIdentity> TestEventEditor::calendars()
{
    QVector<CalendarIdentity> out;
    client->GetCalendars(out);
    return out;
}

bool TestEventEditor::saveAndWait(EventEditor *editor)
{
    QPointer<EventEditor> open(editor);
    QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : editor, Qt::Key_Return);
    return QTest::qWaitFor([&] { return !open || !child<QLabel>(editor, "errorLabel")->isHidden(); }, 10000);
}

void TestEventEditor::tabReachesEveryControl_data()
{
    QTest::addColumn<bool>("allDay");
    QTest::addColumn<QStringList>("order");

    const QStringList timed{"titleEdit",   "allDayBox",       "startDateEdit", "startTimeEdit",
                            "endDateEdit", "endTimeEdit",     "reminderBox",   "repeatBox",
                            "calendarBox", "descriptionEdit", "cancelButton",  "saveButton",
                            "Close",       "titleEdit"};
    QStringList allDay = timed;
    allDay.removeAll("startTimeEdit");
    allDay.removeAll("endTimeEdit");
    allDay.insert(allDay.indexOf("reminderBox") + 1, "reminderTimeEdit");
    QTest::newRow("timed") << false << timed;
    QTest::newRow("all day") << true << allDay;
}

void TestEventEditor::tabReachesEveryControl()
{
    QFETCH(bool, allDay);
    QFETCH(QStringList, order);

    EventEditor editor(day, calendars());
    editor.show();
    QVERIFY(QTest::qWaitForWindowActive(&editor));
    child<QCheckBox>(&editor, "allDayBox")->setChecked(allDay);
    // The control that has the focus, by its name for screen readers; a date's or a spin box's
    // line edit is part of it.
    const auto focused = [] {
        QWidget *focus = QApplication::focusWidget();
        while (focus && focus->accessibleName().isEmpty())
            focus = focus->parentWidget();
        return !focus                          ? QString()
               : focus->objectName().isEmpty() ? focus->accessibleName()
                                               : focus->objectName();
    };
    QStringList visited{focused()};
    // Tab also steps through a date's day, month and year before it leaves the date.
    for (int presses = 0; visited.size() < order.size() && presses < 4 * order.size(); ++presses) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        if (focused() != visited.last())
            visited << focused();
    }
    QCOMPARE(visited, order);
}

void TestEventEditor::newEvents_data()
{
    QTest::addColumn<QString>("title");
    QTest::addColumn<bool>("allDay");
    QTest::addColumn<int>("reminder"); // the reminder box's row
    QTest::addColumn<int>("repeat");   // the repeat box's row
    QTest::addColumn<int>("times");    // 0: repeats for ever
    QTest::addColumn<int>("alarmOffsetS");

    QTest::newRow("timed, no reminder") << "Dentist" << false << 0 << 0 << 0 << 0;
    QTest::newRow("all day, a day before at 09:00") << "Holidays" << true << 2 << 0 << 0 << -15 * 3600;
    QTest::newRow("weekly, 5 times, 15 minutes before") << "Course B" << false << 4 << 3 << 5 << -15 * 60;
}

void TestEventEditor::newEvents()
{
    QFETCH(QString, title);
    QFETCH(bool, allDay);
    QFETCH(int, reminder);
    QFETCH(int, repeat);
    QFETCH(int, times);
    QFETCH(int, alarmOffsetS);

    auto *editor = new EventEditor(day, calendars());
    editor->setAttribute(Qt::WA_DeleteOnClose);
    editor->show();
    QVERIFY(QTest::qWaitForWindowActive(editor));
    QCOMPARE(child<QComboBox>(editor, "calendarBox")->count(), 1); // the subscription is read-only
    QTest::keyClicks(QApplication::focusWidget(), title);
    if (allDay) {
        child<QCheckBox>(editor, "allDayBox")->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    }
    choose(child<QComboBox>(editor, "reminderBox"), reminder);
    choose(child<QComboBox>(editor, "repeatBox"), repeat);
    if (times > 0) {
        choose(child<QComboBox>(editor, "repeatEndBox"), 1);
        auto *count = child<QSpinBox>(editor, "repeatCountBox");
        count->setFocus();
        count->selectAll();
        QTest::keyClicks(count, QString::number(times));
    }
    const QTime start = child<QTimeEdit>(editor, "startTimeEdit")->time();
    QVERIFY(saveAndWait(editor));

    const Event::Ptr written = eventTitled(parse(home), title);
    QVERIFY2(written, "not in the file");
    // Offered first next time.
    QCOMPARE(WidgetSettings().lastCalendar(), calendars().first().id);
    QCOMPARE(written->allDay(), allDay);
    QCOMPARE(written->dtStart().toTimeZone(QTimeZone("Europe/Berlin")).date(), day);
    if (!allDay) {
        QCOMPARE(written->dtStart().toTimeZone(QTimeZone("Europe/Berlin")).time(), start);
        QCOMPARE(written->dtStart().secsTo(written->dtEnd()), 3600);
    }
    QCOMPARE(written->alarms().size(), alarmOffsetS ? 1 : 0);
    if (alarmOffsetS)
        QCOMPARE(written->alarms().first()->startOffset().asSeconds(), alarmOffsetS);
    QCOMPARE(written->recurs(), repeat > 0);
    if (repeat > 0) {
        QCOMPARE(written->recurrence()->recurrenceType(), ushort(Recurrence::rWeekly));
        QCOMPARE(written->recurrence()->duration(), times);
    }
}

void TestEventEditor::repeatQuestionFits_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<int>("pointSize");

    for (const char *language : {"en", "de", "fr", "es", "pt_BR", "ru", "ja", "zh_CN"}) {
        for (int size : {9, 13, 20})
            QTest::addRow("%s, %d pt", language, size) << language << size;
    }
}

// The question was drawn over the bottom of the Description box: the window did not grow for its
// wrapped lines.
void TestEventEditor::repeatQuestionFits()
{
    QFETCH(QString, language);
    QFETCH(int, pointSize);

    QTranslator translator;
    QVERIFY(translator.load(":/translations/tasklist_" + language + ".qm"));
    QCoreApplication::installTranslator(&translator);
    const QFont defaultFont = QApplication::font();
    const auto restore = qScopeGuard([&] {
        QCoreApplication::removeTranslator(&translator);
        QApplication::setFont(defaultFont);
    });
    QFont font = defaultFont;
    font.setPointSize(pointSize);
    QApplication::setFont(font);

    const ScheduleDataInfo occurrence = jobOn("Course", day);
    QVERIFY(occurrence.getID() > 0);
    QPointer<EventEditor> editor = new EventEditor(occurrence, calendars());
    editor->setAttribute(Qt::WA_DeleteOnClose);
    const auto closeEditor = qScopeGuard([&] {
        if (editor)
            editor->close();
    });
    editor->adjustSize();
    editor->show();
    QVERIFY(QTest::qWaitForWindowActive(editor));
    QTest::keyClicks(QApplication::focusWidget(), "Course, renamed");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QWidget *bar = child<QWidget>(editor, "scopeBar");
    QVERIFY(bar->isVisible());
    auto *question = bar->findChild<QLabel *>();
    QVERIFY(question->text().contains(QRegularExpression("\\S")));
    QCOMPARE(question->text() == "This event repeats. Change only this occurrence, or all of them?",
             language == "en");
    auto *description = child<QWidget>(editor, "descriptionEdit");
    const auto inWindow = [&](QWidget *widget) {
        return QRect(widget->mapTo(editor, QPoint()), widget->size());
    };
    const auto text = [](const QRect &r) {
        return QString("%1,%2 %3x%4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
    };
    // What is wrong with the layout, or nothing.
    const auto overlaps = [&] {
        const QRect window = editor->rect();
        QStringList found;
        if (inWindow(question).intersects(inWindow(description)))
            found << "question " + text(inWindow(question)) + " over the description " +
                         text(inWindow(description));
        // The whole question shows: the label is as tall as its wrapped lines.
        if (question->height() < question->heightForWidth(question->width()))
            found << QString("question %1 px high for %2 px of text")
                         .arg(question->height())
                         .arg(question->heightForWidth(question->width()));
        QList<QWidget *> shown{question, description};
        for (QPushButton *button : bar->findChildren<QPushButton *>()) {
            shown << button;
            if (inWindow(button).intersects(inWindow(question)))
                found << button->text() + " " + text(inWindow(button)) + " over the question";
        }
        for (QWidget *widget : shown) {
            if (!window.contains(inWindow(widget)))
                found << widget->objectName() + " " + text(inWindow(widget)) + " outside the window " +
                             text(window);
        }
        return found.join("; ");
    };
    // Laid out once the events posted by the question's showing are handled.
    QTRY_COMPARE(overlaps(), QString());
}

void TestEventEditor::changeRepeating_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<int>("week"); // the occurrence edited
    QTest::addColumn<bool>("wholeSeries");
    QTest::addColumn<QString>("title");
    QTest::addColumn<int>("renamed"); // occurrences of the four with the new title

    QTest::newRow("whole series, from its first") << "Course" << 0 << true << "Course (all)" << 4;
    QTest::newRow("this occurrence") << "Course (all)" << 1 << false << "Course (once)" << 1;
}

void TestEventEditor::changeRepeating()
{
    QFETCH(QString, before);
    QFETCH(int, week);
    QFETCH(bool, wholeSeries);
    QFETCH(QString, title);
    QFETCH(int, renamed);

    const ScheduleDataInfo occurrence = jobOn(before, day.addDays(7 * week));
    QVERIFY(occurrence.getID() > 0);
    auto *editor = new EventEditor(occurrence, calendars());
    editor->setAttribute(Qt::WA_DeleteOnClose);
    editor->show();
    QVERIFY(QTest::qWaitForWindowActive(editor));
    QTest::keyClicks(QApplication::focusWidget(), title); // replaces the selected title
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QVERIFY(!child<QWidget>(editor, "scopeBar")->isHidden());
    QCOMPARE(QApplication::focusWidget()->objectName(), QString("thisOccurrenceButton"));
    if (wholeSeries)
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QVERIFY(saveAndWait(editor));

    int count = 0;
    for (int week = 0; week < 4; ++week)
        count += jobOn(title, day.addDays(7 * week)).getID() > 0;
    QCOMPARE(count, renamed);
    const MemoryCalendar::Ptr written = parse(home);
    const Event::List occurrences = written->rawEvents();
    const bool overridden = std::any_of(occurrences.cbegin(), occurrences.cend(), [&](const Event::Ptr &e) {
        return e->hasRecurrenceId() && e->summary() == title;
    });
    QCOMPARE(overridden, !wholeSeries);
}

void TestEventEditor::refusalsKeepTheText_data()
{
    QTest::addColumn<QString>("title");
    QTest::addColumn<bool>("changeOnDisk");
    QTest::addColumn<QString>("said");

    QTest::newRow("read-only subscription") << "Holiday" << false << "read-only";
    QTest::newRow("file changed by another program, then saved again")
        << "Review" << true << "Another program changed";
}

void TestEventEditor::refusalsKeepTheText()
{
    QFETCH(QString, title);
    QFETCH(bool, changeOnDisk);
    QFETCH(QString, said);

    const ScheduleDataInfo job = jobOn(title, day);
    QVERIFY(job.getID() > 0);
    auto *editor = new EventEditor(job, calendars());
    editor->setAttribute(Qt::WA_DeleteOnClose);
    editor->show();
    QVERIFY(QTest::qWaitForWindowActive(editor));
    QTest::keyClicks(QApplication::focusWidget(), "Typed by hand");
    if (changeOnDisk) {
        QFile file(home);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray changed = file.readAll().replace("SUMMARY:Other", "SUMMARY:Other\\, changed");
        file.close();
        QVERIFY(write(home, changed));
    }
    QPointer<EventEditor> open(editor);
    QVERIFY(saveAndWait(editor));
    QVERIFY(open);
    QVERIFY2(child<QLabel>(editor, "errorLabel")->text().contains(said),
             qPrintable(child<QLabel>(editor, "errorLabel")->text()));
    // Read out to a screen reader as a notification of its text (tst_atspi hears it on the bus).
    QAccessibleInterface *notice = QAccessible::queryAccessibleInterface(child<QLabel>(editor, "errorLabel"));
    QVERIFY(notice);
    QCOMPARE(notice->role(), QAccessible::Notification);
    QCOMPARE(notice->text(QAccessible::Name), child<QLabel>(editor, "errorLabel")->text());
    QCOMPARE(child<QLineEdit>(editor, "titleEdit")->text(), QString("Typed by hand"));
    if (!changeOnDisk) {
        editor->close();
        return;
    }
    // Once the server has read the file again, the same Save goes through.
    QTRY_VERIFY_WITH_TIMEOUT(jobOn("Other, changed", day).getID() > 0, 10000);
    QVERIFY(saveAndWait(editor));
    QVERIFY(!open);
    QVERIFY(eventTitled(parse(home), "Typed by hand"));
}

void TestEventEditor::pinnedStateFollowsTheTitle_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("after");
    QTest::addColumn<bool>("escapeWhileSaving");

    QTest::newRow("saved") << "Standup"
                           << "Stand-up" << false;
    // The window hides at once; the change still lands and the state still follows.
    QTest::newRow("Esc while the change is on its way") << "Typed by hand"
                                                        << "Typed again" << true;
}

void TestEventEditor::pinnedStateFollowsTheTitle()
{
    QFETCH(QString, before);
    QFETCH(QString, after);
    QFETCH(bool, escapeWhileSaving);

    const ScheduleDataInfo job = jobOn(before, day);
    QVERIFY(job.getID() > 0);
    ExtendedData pinned;
    pinned.dataId = taskKey(job);
    pinned.pinned = true;
    DataCenter::instance()->setExtendedData(job, pinned);

    QPointer<EventEditor> editor = new EventEditor(job, calendars());
    editor->setAttribute(Qt::WA_DeleteOnClose);
    editor->show();
    QVERIFY(QTest::qWaitForWindowActive(editor));
    QTest::keyClicks(QApplication::focusWidget(), after);
    if (escapeWhileSaving) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QTest::keyClick(editor, Qt::Key_Escape);
        QVERIFY(!editor || editor->isHidden());
        QTRY_VERIFY(!editor);
    } else {
        QVERIFY(saveAndWait(editor));
    }
    const ScheduleDataInfo renamed = jobOn(after, day);
    QCOMPARE(renamed.getID(), job.getID());
    QVERIFY(DataCenter::instance()->getExtendedData(renamed).pinned);
    QVERIFY(!DataCenter::instance()->getExtendedData(job).pinned);
}

void TestEventEditor::deleteFromThePanel_data()
{
    QTest::addColumn<QString>("title");
    QTest::addColumn<bool>("undo");

    QTest::newRow("undone") << "Lunch" << true;
    QTest::newRow("deleted once Undo has gone") << "Tea" << false;
}

void TestEventEditor::deleteFromThePanel()
{
    QFETCH(QString, title);
    QFETCH(bool, undo);

    MainWindow window;
    window.show();
    TaskList *list = window.findChild<TaskList *>();
    const auto itemTitled = [list, &title] { return itemOf(list, title); };
    QTRY_VERIFY_WITH_TIMEOUT(itemTitled() && !list->isReplacing(), 10000);
    itemTitled()->taskMenu()->editEntries().deleteAction.trigger();
    QTRY_VERIFY(!itemTitled() && !list->isReplacing());
    QWidget *bar = window.eventActions()->undoBar();
    QVERIFY(bar->isVisible());
    QVERIFY(parse(home)->event(title.toLower()));
    if (undo) {
        QTest::mouseClick(child<QPushButton>(bar, "undoButton"), Qt::LeftButton);
        QTRY_VERIFY(itemTitled() && !list->isReplacing());
        QVERIFY(!bar->isVisible());
        QTest::qWait(EventActions::undoMs + 500);
        QVERIFY(parse(home)->event(title.toLower()));
    } else {
        QTRY_VERIFY_WITH_TIMEOUT(!parse(home)->event(title.toLower()), EventActions::undoMs + 5000);
        QVERIFY(!itemTitled());
    }
}

// A to-do ticked in the panel is completed in its file by the real server, and Undo reopens it.
void TestEventEditor::completeFromThePanel()
{
    MainWindow window;
    window.show();
    TaskList *list = window.findChild<TaskList *>();
    const auto bank = [list]() -> TaskItem * {
        for (TaskItem *item : list->taskItems()) {
            if (item->title() == QLatin1String("Call the bank"))
                return item;
        }
        return nullptr;
    };
    const auto completed = [this] {
        const Todo::Ptr todo = parse(home)->todo(QStringLiteral("bank"));
        return todo && todo->isCompleted();
    };
    QTRY_VERIFY_WITH_TIMEOUT(bank() && !list->isReplacing(), 10000);
    QVERIFY(!bank()->isChecked());
    QCheckBox *box = bank()->findChild<QCheckBox *>();
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
    QTRY_VERIFY(completed());
    QWidget *bar = window.eventActions()->undoBar();
    QVERIFY(bar->isVisible());
    QVERIFY(child<QPushButton>(bar, "undoButton")->isVisible());

    QTest::mouseClick(child<QPushButton>(bar, "undoButton"), Qt::LeftButton);
    QTRY_VERIFY(!completed());
    QVERIFY(!bar->isVisible());
    QTRY_VERIFY(bank() && !list->isReplacing() && !bank()->isChecked());

    // Completed and left so: ticked from the calendar, its local tick taken away.
    // The list has new items since: the box of the one ticked before is gone.
    box = bank()->findChild<QCheckBox *>();
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
    QTRY_VERIFY(completed());
    ScheduleDataInfo served = jobOn(QStringLiteral("Call the bank"), QDate::currentDate());
    QVERIFY(served.getCompleted());
    ExtendedData state = DataCenter::instance()->getExtendedData(served);
    state.checked = false;
    served.setCompleted(false);
    DataCenter::instance()->setExtendedData(served, state);
    QVERIFY(!DataCenter::instance()->getExtendedData(served).checked);
    served.setCompleted(true);
    QVERIFY(DataCenter::instance()->getExtendedData(served).checked);
}

void TestEventEditor::detailsOfAnInvitation_data()
{
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("partStat"); // the user's in the file afterwards
    QTest::addColumn<bool>("listed");      // afterwards

    QTest::newRow("accept") << "Planning"
                            << "acceptButton"
                            << "ACCEPTED" << true;
    QTest::newRow("join") << "Planning"
                          << "joinButton"
                          << "ACCEPTED" << true;
    QTest::newRow("decline: the task leaves the panel") << "Pitch"
                                                        << "declineButton"
                                                        << "DECLINED" << false;
}

// The popover from the task's menu, its answer written into the file by the real server.
void TestEventEditor::detailsOfAnInvitation()
{
    QFETCH(QString, title);
    QFETCH(QString, button);
    QFETCH(QString, partStat);
    QFETCH(bool, listed);

    FakeDBusService portal("org.freedesktop.portal.Desktop", "/org/freedesktop/portal/desktop",
                           "org.freedesktop.portal.OpenURI");
    QVERIFY(portal.start());
    MainWindow window;
    window.show();
    TaskList *list = window.findChild<TaskList *>();
    const auto itemTitled = [list, &title] { return itemOf(list, title); };
    QTRY_VERIFY_WITH_TIMEOUT(itemTitled() && !list->isReplacing(), 10000);
    itemTitled()->taskMenu()->editEntries().detailsAction.trigger();
    QWidget *details = nullptr;
    QTRY_VERIFY((details = QApplication::activePopupWidget()) && details->isVisible());
    auto *pressed = child<QPushButton>(details, button.toLatin1().constData());
    QVERIFY(pressed && pressed->isVisible());
    QTest::mouseClick(pressed, Qt::LeftButton);
    if (button == "joinButton") {
        QTRY_COMPARE(portal.calls("OpenURI").size(), 1);
        QCOMPARE(portal.calls("OpenURI").first().arguments.value(1).toString(),
                 QString::fromLatin1(meetingLink));
    }
    const QString uid = title.toLower();
    QTRY_COMPARE_WITH_TIMEOUT(int(parse(home)->event(uid)->attendeeByMail("me@example.org").status()),
                              int(partStat == "ACCEPTED" ? Attendee::Accepted : Attendee::Declined), 10000);
    QVERIFY(readAll(home).contains("PARTSTAT=" + partStat.toLatin1() + ";") ||
            readAll(home).contains("PARTSTAT=" + partStat.toLatin1() + ":"));
    QTRY_VERIFY_WITH_TIMEOUT(bool(itemTitled()) == listed && !list->isReplacing(), 10000);
}

QTEST_MAIN(TestEventEditor)
#include "tst_eventeditor.moc"
