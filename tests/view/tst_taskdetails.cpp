#include "calendarcontract.h"
#include "descriptiontext.h"
#include "taskdetails.h"
#include "zguiapplicationhelper.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>

namespace {

const QString meetLink = "https://meet.google.com/abc-defg-hij";

// 12 June 2026 in the test's zone (Europe/Berlin): 15:00 there is 09:00 in New York.
ScheduleDataInfo makeTask(const EventDetails &details = EventDetails(), bool writable = true)
{
    ScheduleDataInfo task;
    task.setID(7);
    task.setTitleName("Quarterly review");
    task.setAllDay(false);
    task.setBeginDateTime(QDateTime(QDate(2026, 6, 12), QTime(15, 0)));
    task.setEndDateTime(QDateTime(QDate(2026, 6, 12), QTime(16, 0)));
    CalendarIdentity calendar;
    calendar.id = "work";
    calendar.name = "Work";
    calendar.color = "#3366cc";
    calendar.writable = writable;
    task.setCalendar(calendar);
    task.setDetails(details);
    return task;
}

EventDetails invitedTo(const QString &myReply, int attendees = 2, const QString &conference = QString())
{
    EventDetails details;
    details.organizer = {"Ada Lovelace", "ada@example.com", QString(), QString()};
    for (int i = 1; i <= attendees; ++i)
        details.attendees << EventPerson{QString("Guest %1").arg(i), QString("g%1@example.com").arg(i),
                                         "required", i == 1 ? "accepted" : "needs-action"};
    details.myReply = myReply;
    details.conference = conference;
    return details;
}

template<typename T> T *child(const TaskDetails &details, const char *name)
{
    T *widget = details.findChild<T *>(QLatin1String(name));
    if (!widget)
        qFatal("no %s in the popover", name);
    return widget;
}

QString textOf(const TaskDetails &details, const char *name)
{
    return child<QLabel>(details, name)->text();
}

bool shown(const TaskDetails &details, const char *name)
{
    return child<QWidget>(details, name)->isVisibleTo(&details);
}

} // namespace

class TestTaskDetails : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void richText_data();
    void richText();
    void locationUrl_data();
    void locationUrl();
    void whenText_data();
    void whenText();
    void isoWeek_data();
    void isoWeek();
    void invitation_data();
    void invitation();
    void attendeesFolded();
    void joinEmitsTheLink();
    void acceptEmitsReply();
    void linksFiltered();
    void closesOnEscape();
    void closesOnClickElsewhere();
    void placedWithinScreen_data();
    void placedWithinScreen();
    void followsTheme();
};

void TestTaskDetails::initTestCase()
{
    qRegisterMetaType<ScheduleDataInfo>();
    QCOMPARE(QDateTime(QDate(2026, 6, 12), QTime(15, 0)).offsetFromUtc(), 2 * 3600);
}

void TestTaskDetails::richText_data()
{
    QTest::addColumn<QString>("description");
    QTest::addColumn<QString>("expected");

    QTest::newRow("plain text escaped") << "Bring <laptop> & \"charger\""
                                        << "Bring &lt;laptop&gt; &amp; &quot;charger&quot;";
    QTest::newRow("plain entities kept") << "AT&amp;T"
                                         << "AT&amp;amp;T";
    QTest::newRow("plain lines") << "Agenda:\r\n1. Budget\n\n\n\n2. Plans\n"
                                 << "Agenda:<br>1. Budget<br><br>2. Plans";
    QTest::newRow("plain URL, trailing punctuation")
        << "See https://example.com/a_b. Or (https://example.org/x)."
        << "See <a href=\"https://example.com/a_b\">https://example.com/a_b</a>. Or "
           "(<a href=\"https://example.org/x\">https://example.org/x</a>).";
    QTest::newRow("plain URL with its own parentheses")
        << "https://en.wikipedia.org/wiki/Foo_(bar)!"
        << "<a href=\"https://en.wikipedia.org/wiki/Foo_(bar)\">https://en.wikipedia.org/wiki/Foo_(bar)</a>!";
    QTest::newRow("www and mailto")
        << "Notes at www.example.com/notes, or mailto:bob@example.com."
        << "Notes at <a href=\"https://www.example.com/notes\">www.example.com/notes</a>, "
           "or <a href=\"mailto:bob@example.com\">mailto:bob@example.com</a>.";
    QTest::newRow("plain javascript: not linked") << "javascript:alert(1)"
                                                  << "javascript:alert(1)";

    QTest::newRow("Google Meet block")
        << "<b>Quarterly review</b><br>Agenda in the doc.<br><br>-::~:~::~:~::-<br>Join with Google Meet: <a "
           "href=\"https://meet.google.com/abc-defg-hij\">meet.google.com/abc-defg-hij</a><br>Or dial: <a "
           "href=\"tel:+15550100,,123\">+1 555-0100</a> PIN: 123#<br>-::~:~::~:~::-"
        << "Quarterly review<br>Agenda in the doc.<br><br>-::~:~::~:~::-<br>Join with Google Meet: <a "
           "href=\"https://meet.google.com/abc-defg-hij\">meet.google.com/abc-defg-hij</a><br>Or dial: <a "
           "href=\"tel:+15550100,,123\">+1 555-0100</a> PIN: 123#<br>-::~:~::~:~::-";
    QTest::newRow("Outlook Teams block")
        << "<html>\r\n<head>\r\n<meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\">\r\n"
           "<style>p.MsoNormal {margin:0cm;} a:link {color:blue;}</style>\r\n</head>\r\n<body "
           "lang=\"EN-US\">\r\n"
           "<div class=\"WordSection1\"><p class=\"MsoNormal\">Hi all,<o:p></o:p></p>\r\n"
           "<p class=\"MsoNormal\">Let&#8217;s sync.<o:p></o:p></p></div>\r\n<div style=\"width:100%\"><span "
           "style=\"white-space:nowrap;color:#5F5F5F\">____________</span></div>\r\n<div><span "
           "style=\"font-size:24px;font-weight:700\">Microsoft Teams meeting</span></div>\r\n<div><span>Join "
           "on "
           "your computer, mobile app or room device</span></div>\r\n<a "
           "href=\"https://nam12.safelinks.protection.outlook.com/"
           "?url=https%3A%2F%2Fteams.microsoft.com%2Fl%2Fmeetup-join%2F19%253ameeting_abc%2540thread.v2%2F0&"
           "amp;"
           "data=05%7C01\" title=\"Meeting join link\" style=\"font-size:14px\">Click here to join the "
           "meeting</a>\r\n<div>Meeting ID: 123 456 789<br>Passcode: aB3cD4</div>\r\n</body>\r\n</html>\r\n"
        << "Hi all,<br>Let\u2019s sync.<br>____________<br>Microsoft Teams meeting<br>Join on your computer, "
           "mobile app or room device<br><a href=\"https://nam12.safelinks.protection.outlook.com/"
           "?url=https%3A%2F%2Fteams.microsoft.com%2Fl%2Fmeetup-join%2F19%253ameeting_abc%2540thread.v2%2F0&"
           "amp;"
           "data=05%7C01\">Click here to join the meeting</a><br>Meeting ID: 123 456 789<br>Passcode: aB3cD4";
    QTest::newRow("javascript: links dropped") << "<a href=\"javascript:alert(1)\">Click</a> and <a "
                                                  "href=\"JaVaScRiPt&#58;alert(1)\">me</a> <a href=\" "
                                                  "java&#x09;script:alert(2)\">too</a>"
                                               << "Click and me too";
    QTest::newRow("data: and file: links dropped")
        << "<p><a href=\"data:text/html;base64,PHNjcmlwdD4=\">x</a> <a href=\"file:///etc/passwd\">y</a></p>"
        << "x y";
    QTest::newRow("remote image dropped")
        << "<p>Logo: <img src=\"http://tracker.example.com/pixel.gif?id=42\" alt=\"logo\" "
           "width=\"1\"></p><p>Done</p>"
        << "Logo:<br>Done";
    QTest::newRow("script and style contents dropped")
        << "<style>body{color:red}</style><script "
           "type=\"text/javascript\">document.write(\"<b>hi</b>\")</script>"
           "<div>Shown</div><SCRIPT>alert('x')</SCRIPT>end<iframe src=\"https://example.com\">inner</iframe>"
        << "Shown<br>end";
    QTest::newRow("event handlers and styles dropped")
        << "<a href=\"https://example.com/agenda\" onclick=\"steal()\" style=\"color:red\">Agenda</a> <span "
           "onmouseover=\"x()\">here</span>"
        << "<a href=\"https://example.com/agenda\">Agenda</a> here";
    QTest::newRow("href hidden in another attribute")
        << "<a title=\"x href=javascript:alert(1)\" href=\"https://example.com/ok\">ok</a>"
        << "<a href=\"https://example.com/ok\">ok</a>";
    QTest::newRow("quote in href stays inside it")
        << "<a href='https://example.com/\"onmouseover=\"alert(1)'>x</a>"
        << "<a href=\"https://example.com/%22onmouseover=%22alert(1)\">x</a>";
    QTest::newRow("comment dropped") << "<!-- <a href=\"https://evil.example.com\">hidden</a> -->Visible"
                                     << "Visible";
    QTest::newRow("entities") << "<p>Tom &amp; Jerry&nbsp;&lt;3 &#8211; &#x263A; &bogus; &#0;</p>"
                              << "Tom &amp; Jerry\u00A0&lt;3 \u2013 \u263A &amp;bogus; \uFFFD";
    QTest::newRow("URL in HTML text linked")
        << "<div>Docs: https://example.com/doc.</div>"
        << "Docs: <a href=\"https://example.com/doc\">https://example.com/doc</a>.";
    QTest::newRow("Outlook's empty paragraphs and no-break spaces")
        << "<p>Hello&nbsp;<b>World</b></p><p>&nbsp;</p><p>Bye</p>"
        << "Hello World<br>Bye";
    QTest::newRow("list items") << "<ul>\n<li>One</li>\n<li>Two</li>\n</ul>"
                                << "One<br>Two";
    QTest::newRow("unterminated tag dropped") << "<b>bold</b> and <broken href=\"x"
                                              << "bold and";
}

void TestTaskDetails::richText()
{
    QFETCH(QString, description);
    QFETCH(QString, expected);
    QCOMPARE(DescriptionText::toRichText(description), expected);
}

void TestTaskDetails::locationUrl_data()
{
    QTest::addColumn<QString>("location");
    QTest::addColumn<QString>("expected");

    QTest::newRow("coordinates") << " 52.5200, 13.4050 "
                                 << "geo:52.5200,13.4050";
    QTest::newRow("negative coordinates") << "-33.86,151.21"
                                          << "geo:-33.86,151.21";
    QTest::newRow("out of range: an address") << "95.0, 13.0"
                                              << "geo:0,0?q=95.0%2C%2013.0";
    QTest::newRow("address") << "Main St 1, Berlin"
                             << "geo:0,0?q=Main%20St%201%2C%20Berlin";
    QTest::newRow("geo: as given") << "geo:52.52,13.405"
                                   << "geo:52.52,13.405";
    QTest::newRow("web link") << "https://maps.example.com/?q=1"
                              << "https://maps.example.com/?q=1";
    QTest::newRow("script: an address") << "javascript:alert(1)"
                                        << "geo:0,0?q=javascript%3Aalert%281%29";
    QTest::newRow("empty") << "  "
                           << "";
}

void TestTaskDetails::locationUrl()
{
    QFETCH(QString, location);
    QFETCH(QString, expected);
    QCOMPARE(QString::fromLatin1(DescriptionText::locationUrl(location).toEncoded()), expected);
}

void TestTaskDetails::whenText_data()
{
    QTest::addColumn<bool>("allDay");
    QTest::addColumn<int>("days");
    QTest::addColumn<QString>("zone");
    QTest::addColumn<QString>("expected");

    QTest::newRow("local") << false << 0 << ""
                           << "06.12  15:00–16:00";
    QTest::newRow("own zone") << false << 0 << "America/New_York"
                              << "06.12  15:00–16:00 (09:00 New York)";
    QTest::newRow("own zone, another day") << false << 0 << "Pacific/Auckland"
                                           << "06.12  15:00–16:00 (06.13 01:00 Auckland)";
    QTest::newRow("zone of the same clock") << false << 0 << "Europe/Paris"
                                            << "06.12  15:00–16:00";
    QTest::newRow("unknown zone") << false << 0 << "Mars/Olympus_Mons"
                                  << "06.12  15:00–16:00";
    QTest::newRow("over days") << false << 1 << ""
                               << "06.12 15:00 – 06.13 16:00";
    QTest::newRow("all day") << true << 0 << "America/New_York"
                             << "06.12";
    QTest::newRow("all days") << true << 2 << ""
                              << "06.12 – 06.14";
}

void TestTaskDetails::whenText()
{
    QFETCH(bool, allDay);
    QFETCH(int, days);
    QFETCH(QString, zone);
    QFETCH(QString, expected);

    EventDetails details;
    details.timeZone = zone;
    details.location = "Room 4";
    ScheduleDataInfo task = makeTask(details);
    task.setAllDay(allDay);
    if (allDay) {
        task.setBeginDateTime(QDateTime(task.getBeginDateTime().date(), QTime(0, 0)));
        task.setEndDateTime(QDateTime(task.getBeginDateTime().date().addDays(days), QTime(23, 59, 59)));
    } else {
        task.setEndDateTime(task.getEndDateTime().addDays(days));
    }
    TaskDetails popover;
    popover.setTask(task);
    QCOMPARE(textOf(popover, "whenLabel"), expected + ", week 24");
    QCOMPARE(popover.accessibleDescription(), "Quarterly review, " + expected + ", week 24, Room 4");
}

void TestTaskDetails::isoWeek_data()
{
    QTest::addColumn<QDate>("day");
    QTest::addColumn<int>("week");
    QTest::newRow("a Wednesday in December") << QDate(2026, 12, 9) << 50;
    // 2026 begins on a Thursday: it has a 53rd week, which runs into 2027.
    QTest::newRow("the last day of a 53-week year") << QDate(2026, 12, 31) << 53;
    QTest::newRow("New Year's Day in the 53rd week") << QDate(2027, 1, 1) << 53;
    QTest::newRow("December in the next year's first week") << QDate(2025, 12, 29) << 1;
    QTest::newRow("a Sunday ends its week") << QDate(2027, 1, 3) << 53;
}

// The ISO week, Monday to Sunday, the week of the year's first Thursday its first.
void TestTaskDetails::isoWeek()
{
    QFETCH(QDate, day);
    QFETCH(int, week);
    ScheduleDataInfo task = makeTask();
    task.setBeginDateTime(QDateTime(day, QTime(9, 0)));
    task.setEndDateTime(QDateTime(day, QTime(10, 0)));
    TaskDetails popover;
    popover.setTask(task);
    QVERIFY2(textOf(popover, "whenLabel").endsWith(QString(", week %1").arg(week)),
             qPrintable(textOf(popover, "whenLabel")));
}

void TestTaskDetails::invitation_data()
{
    QTest::addColumn<QString>("myReply");
    QTest::addColumn<bool>("writable");
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("conference");
    QTest::addColumn<QString>("replyLine");
    QTest::addColumn<QString>("checked"); // the object name of the checked reply button
    QTest::addColumn<bool>("join");
    QTest::addColumn<bool>("edit");

    QTest::newRow("no invitation") << "" << true << 1 << ""
                                   << ""
                                   << "" << false << true;
    QTest::newRow("accepted") << "accepted" << true << 1 << meetLink << "You accepted"
                              << "acceptButton" << true << true;
    QTest::newRow("tentative") << "tentative" << true << 1 << ""
                               << "You said maybe"
                               << "maybeButton" << false << true;
    QTest::newRow("declined") << "declined" << true << 1 << ""
                              << "You declined"
                              << "declineButton" << false << true;
    QTest::newRow("not answered") << "needs-action" << true << 1 << meetLink << "You have not answered"
                                  << "" << true << true;
    QTest::newRow("read-only calendar") << "needs-action" << false << 1 << ""
                                        << "You have not answered"
                                        << "" << false << false;
    QTest::newRow("to-do") << "" << true << DBUS_SERVER_TODO_TYPE << ""
                           << ""
                           << "" << false << false;
}

void TestTaskDetails::invitation()
{
    QFETCH(QString, myReply);
    QFETCH(bool, writable);
    QFETCH(int, type);
    QFETCH(QString, conference);
    QFETCH(QString, replyLine);
    QFETCH(QString, checked);
    QFETCH(bool, join);
    QFETCH(bool, edit);

    ScheduleDataInfo task = makeTask(invitedTo(myReply, 2, conference), writable);
    task.setType(type);
    TaskDetails popover;
    // Filled twice, as a popover kept for the next task is: nothing of the first may stay.
    popover.setTask(makeTask(invitedTo("accepted", 9, meetLink), true));
    popover.setTask(task);

    const bool invited = !myReply.isEmpty();
    QCOMPARE(shown(popover, "ownReplyLabel"), invited);
    if (invited)
        QCOMPARE(textOf(popover, "ownReplyLabel"), replyLine);
    for (const char *name : {"acceptButton", "maybeButton", "declineButton"}) {
        auto *button = child<QPushButton>(popover, name);
        QCOMPARE(button->isVisibleTo(&popover), invited);
        QCOMPARE(button->isChecked(), checked == QLatin1String(name));
        QCOMPARE(button->isEnabled(), writable);
        QVERIFY(!button->accessibleName().isEmpty());
    }
    QCOMPARE(shown(popover, "readOnlyLabel"), invited && !writable);
    QCOMPARE(shown(popover, "joinButton"), join);
    QCOMPARE(shown(popover, "editButton"), edit);
    QVERIFY(shown(popover, "openButton"));
    QCOMPARE(popover.accessibleDescription().endsWith(replyLine), true);
    QCOMPARE(textOf(popover, "calendarLabel"), "Work");
}

void TestTaskDetails::attendeesFolded()
{
    TaskDetails popover;
    popover.setTask(makeTask(invitedTo("accepted", 7)));
    const QString folded = textOf(popover, "peopleLabel");
    QCOMPARE(folded, "Organizer: Ada Lovelace\nGuest 1 – Accepted\nGuest 2 – Not answered\nGuest 3 – Not "
                     "answered\nGuest 4 – Not answered\nGuest 5 – Not answered");
    auto *showAll = child<QPushButton>(popover, "showAllButton");
    QVERIFY(showAll->isVisibleTo(&popover));
    QCOMPARE(showAll->text(), "Show all 7");

    popover.showBeside(QRect(10, 10, 200, 40));
    QVERIFY(QTest::qWaitForWindowExposed(&popover));
    QTest::mouseClick(showAll, Qt::LeftButton, {}, showAll->rect().center());
    QCOMPARE(textOf(popover, "peopleLabel"), folded + "\nGuest 6 – Not answered\nGuest 7 – Not answered");
    QVERIFY(!showAll->isVisibleTo(&popover));

    // Five or fewer are all shown, with no button.
    popover.setTask(makeTask(invitedTo("accepted", TaskDetails::foldedAttendees)));
    QVERIFY(textOf(popover, "peopleLabel").endsWith("Guest 5 – Not answered"));
    QVERIFY(!showAll->isVisibleTo(&popover));
}

void TestTaskDetails::joinEmitsTheLink()
{
    TaskDetails popover;
    const QString link = "https://example.zoom.us/j/85512345678?pwd=Ab1Cd2";
    popover.setTask(makeTask(invitedTo("accepted", 2, link)));
    QSignalSpy joined(&popover, &TaskDetails::joinRequested);
    popover.showBeside(QRect(10, 10, 200, 40));
    QVERIFY(QTest::qWaitForWindowExposed(&popover));
    auto *join = child<QPushButton>(popover, "joinButton");
    QTest::mouseClick(join, Qt::LeftButton, {}, join->rect().center());
    QCOMPARE(joined.count(), 1);
    QCOMPARE(joined.at(0).at(0).toUrl(), QUrl(link));
    QCOMPARE(joined.at(0).at(0).toUrl().toString(QUrl::FullyEncoded), link);
    QTRY_VERIFY(!popover.isVisible());
}

void TestTaskDetails::acceptEmitsReply()
{
    TaskDetails popover;
    popover.setTask(makeTask(invitedTo("needs-action")));
    QSignalSpy replied(&popover, &TaskDetails::replyRequested);
    popover.showBeside(QRect(10, 10, 200, 40));
    QVERIFY(QTest::qWaitForWindowExposed(&popover));
    auto *accept = child<QPushButton>(popover, "acceptButton");
    QTest::mouseClick(accept, Qt::LeftButton, {}, accept->rect().center());
    QCOMPARE(replied.count(), 1);
    QCOMPARE(replied.at(0).at(0).value<ScheduleDataInfo>().getID(), 7);
    QCOMPARE(replied.at(0).at(1).toString(), "accepted");
    QVERIFY(accept->isChecked());
    QCOMPARE(textOf(popover, "ownReplyLabel"), "You accepted");

    // Maybe after Accept: one answer checked at a time.
    auto *maybe = child<QPushButton>(popover, "maybeButton");
    QTest::mouseClick(maybe, Qt::LeftButton, {}, maybe->rect().center());
    QCOMPARE(replied.at(1).at(1).toString(), "tentative");
    QVERIFY(!accept->isChecked());
    QVERIFY(maybe->isChecked());
}

void TestTaskDetails::linksFiltered()
{
    EventDetails details;
    details.location = "Main St 1, Berlin";
    ScheduleDataInfo task = makeTask(details);
    task.setDescription("Agenda: https://example.com/agenda");
    TaskDetails popover;
    popover.setTask(task);
    QSignalSpy links(&popover, &TaskDetails::linkRequested);

    auto *location = child<QLabel>(popover, "locationLabel");
    QCOMPARE(location->textFormat(), Qt::RichText);
    QVERIFY(!location->openExternalLinks());
    Q_EMIT location->linkActivated("ignored");
    QCOMPARE(links.count(), 1);
    QCOMPARE(links.at(0).at(0).toUrl(), QUrl("geo:0,0?q=Main%20St%201%2C%20Berlin"));

    auto *description = child<QLabel>(popover, "descriptionLabel");
    QVERIFY(!description->openExternalLinks());
    QCOMPARE(description->text(),
             "Agenda: <a href=\"https://example.com/agenda\">https://example.com/agenda</a>");
    Q_EMIT description->linkActivated("https://example.com/agenda");
    QCOMPARE(links.count(), 2);
    QCOMPARE(links.at(1).at(0).toUrl(), QUrl("https://example.com/agenda"));
    // The label forwards what it is given; a link not made by the filter is still not followed.
    Q_EMIT description->linkActivated("javascript:alert(1)");
    Q_EMIT description->linkActivated("file:///etc/passwd");
    QCOMPARE(links.count(), 2);
}

void TestTaskDetails::closesOnEscape()
{
    TaskDetails popover;
    popover.setTask(makeTask(invitedTo("accepted", 2, meetLink)));
    popover.showBeside(QRect(10, 10, 200, 40));
    QVERIFY(QTest::qWaitForWindowExposed(&popover));
    QTRY_VERIFY(popover.isActiveWindow());
    QCOMPARE(QApplication::activePopupWidget(), &popover);
    QVERIFY(QApplication::focusWidget());
    QCOMPARE(QApplication::focusWidget()->window(), &popover);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    QTRY_VERIFY(!popover.isVisible());
}

void TestTaskDetails::closesOnClickElsewhere()
{
    QWidget panel;
    panel.setGeometry(20, 20, 300, 400);
    panel.show();
    QVERIFY(QTest::qWaitForWindowExposed(&panel));
    TaskDetails popover(&panel);
    popover.setTask(makeTask());
    popover.showBeside(QRect(panel.mapToGlobal(QPoint(0, 50)), QSize(300, 40)));
    QVERIFY(QTest::qWaitForWindowExposed(&popover));
    QVERIFY(popover.x() > panel.geometry().right());
    QCOMPARE(QApplication::activePopupWidget(), &popover);
    // A press outside the popup arrives at the popup's window, as the window system delivers it.
    const QPoint onPanel = popover.mapFromGlobal(panel.mapToGlobal(QPoint(150, 200)));
    QTest::mouseClick(popover.windowHandle(), Qt::LeftButton, {}, onPanel);
    QTRY_VERIFY(!popover.isVisible());
}

void TestTaskDetails::placedWithinScreen_data()
{
    QTest::addColumn<QRect>("taskRect");
    QTest::addColumn<bool>("toTheRight");

    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    QTest::newRow("room on the right") << QRect(screen.left() + 10, screen.top() + 100, 200, 40) << true;
    QTest::newRow("panel at the right edge")
        << QRect(screen.right() - 220, screen.top() + 100, 200, 40) << false;
    QTest::newRow("task at the bottom") << QRect(screen.left() + 10, screen.bottom() - 30, 200, 40) << true;
}

void TestTaskDetails::placedWithinScreen()
{
    QFETCH(QRect, taskRect);
    QFETCH(bool, toTheRight);

    TaskDetails popover;
    EventDetails details = invitedTo("accepted", 3, meetLink);
    details.timeZone = "America/New_York";
    ScheduleDataInfo task = makeTask(details);
    task.setDescription(QString("A line long enough to be wrapped within the popover's width. ").repeated(3));
    popover.setTask(task);
    popover.showBeside(taskRect);
    QVERIFY(QTest::qWaitForWindowExposed(&popover));
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    const QRect placed = popover.frameGeometry();
    QVERIFY2(
        screen.contains(placed),
        qPrintable(
            QString("%1,%2 %3x%4").arg(placed.x()).arg(placed.y()).arg(placed.width()).arg(placed.height())));
    // Tall enough for its wrapped lines: the scrolling part ends above the buttons.
    const QWidget *open = child<QWidget>(popover, "openButton");
    QVERIFY(child<QWidget>(popover, "bodyArea")->geometry().bottom() < open->geometry().top());
    QVERIFY(open->geometry().bottom() < popover.height());
    QCOMPARE(placed.left() > taskRect.right(), toTheRight);
    QCOMPARE(placed.right() < taskRect.left(), !toTheRight);
    popover.close();
}

void TestTaskDetails::followsTheme()
{
    using Zyk::Gui::ZGuiApplicationHelper;
    TaskDetails popover;
    popover.setTask(makeTask(invitedTo("accepted", 2)));
    Q_EMIT ZGuiApplicationHelper::instance()->themeTypeChanged(ZGuiApplicationHelper::DarkType);
    const QColor dark = popover.palette().color(QPalette::WindowText);
    // The scrolling part too: a scroll area's content is drawn in a text field's colours otherwise.
    auto *people = child<QLabel>(popover, "peopleLabel");
    QCOMPARE(people->palette().color(people->foregroundRole()), dark);
    Q_EMIT ZGuiApplicationHelper::instance()->themeTypeChanged(ZGuiApplicationHelper::LightType);
    const QColor light = popover.palette().color(QPalette::WindowText);
    QVERIFY2(dark.lightness() > 128 && light.lightness() < 128, qPrintable(dark.name() + " " + light.name()));

    // The tint is painted behind the controls, translucent as the panel's.
    popover.setTask(makeTask());
    popover.adjustSize();
    QImage image(popover.size(), QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    popover.render(&image, QPoint(), QRegion(), QWidget::DrawWindowBackground);
    const QColor middle = image.pixelColor(popover.width() / 2, popover.height() - 3);
    QVERIFY2(middle.alpha() > 0 && middle.alpha() < 255, qPrintable(middle.name(QColor::HexArgb)));
    QVERIFY(qAlpha(image.pixel(0, 0)) < middle.alpha()); // a rounded corner
}

QTEST_MAIN(TestTaskDetails)
#include "tst_taskdetails.moc"
