#include "atspitree.h"
#include "serverprocess.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDataStream>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <functional>
#include <iterator>
#include <memory>
#include <vector>

#ifndef WIDGET_EXECUTABLE
#error "WIDGET_EXECUTABLE must name the program under test"
#endif

// The running panel as a screen reader such as Orca meets it: the program on an X display with Qt's
// AT-SPI bridge, the accessibility bus and its registry, and this test as another client of that
// bus, reading names, roles and states and hearing the focus move. What the widget tells Qt's
// accessibility classes is checked in tst_mainwindow and tst_taskitem; this is what comes out at
// the other end.
using AtSpi::Node;

namespace {
enum class Flag { None, Ticked, Countdown, Pinned };

// The calendars' events, each with the widget's state of it in the data file.
struct Event
{
    const char *title;
    const char *calendar;
    Flag flag;
    bool allDay;
};
const Event events[] = {
    {"Standup", "Work", Flag::Countdown, false},
    {"Dentist", "Family", Flag::Ticked, false},
    {"Pay rent", "Family", Flag::Pinned, true},
    {"Code review", "Work", Flag::None, false},
};

QString findProgram(const QString &name)
{
    for (const char *dir :
         {"/usr/libexec", "/usr/lib/at-spi2-core", "/usr/lib/x86_64-linux-gnu/at-spi2-core"}) {
        const QString path = QLatin1String(dir) + '/' + name;
        if (QFileInfo(path).isExecutable())
            return path;
    }
    return QStandardPaths::findExecutable(name);
}

QByteArray icsTime(const QDateTime &at)
{
    return at.toUTC().toString(QStringLiteral("yyyyMMdd'T'HHmmss'Z'")).toLatin1();
}

QByteArray calendarFile(const char *calendar, const QDateTime &begin)
{
    QByteArray ics = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//tasklist//atspi//EN\r\nX-WR-CALNAME:" +
                     QByteArray(calendar) + "\r\n";
    for (const Event &event : events) {
        if (qstrcmp(event.calendar, calendar) != 0)
            continue;
        ics += "BEGIN:VEVENT\r\nUID:" + QByteArray(event.title).replace(' ', '-') + "@atspi\r\n" +
               "DTSTAMP:20260101T000000Z\r\nSUMMARY:" + event.title + "\r\n";
        if (event.allDay)
            ics +=
                "DTSTART;VALUE=DATE:" + begin.toLocalTime().date().toString("yyyyMMdd").toLatin1() + "\r\n";
        else
            ics += "DTSTART:" + icsTime(begin) + "\r\nDURATION:PT1H\r\n";
        ics += "END:VEVENT\r\n";
    }
    return ics + "END:VCALENDAR\r\n";
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// The widget's data file as it writes it: its table of task states, then no float tasks.
QByteArray dataFile(const QVector<ScheduleDataInfo> &jobs, const QHash<QString, Flag> &flags)
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setVersion(QDataStream::Qt_5_6);
    out << quint32(jobs.size());
    for (const ScheduleDataInfo &job : jobs) {
        const Flag flag = flags.value(job.getTitleName());
        for (int i = 0; i < 2; ++i) // the key, then the record that repeats it
            out << qint32(job.getID()) << qint32(job.getRecurID()) << job.getTitleName();
        out << (flag == Flag::Ticked) << (flag == Flag::Pinned) << (flag == Flag::Countdown);
    }
    out << quint32(0);
    return bytes;
}

// A pattern of the date and time in the words of the C locale the test runs in, as a listener
// hears them; the C locale's short time may have the (zero) seconds too.
QString whenPattern(const QDateTime &begin, bool allDay)
{
    const QDateTime local = begin.toLocalTime();
    const QLocale c = QLocale::c();
    const QString day =
        QRegularExpression::escape(c.toString(local.date(), QStringLiteral("dddd, d MMMM yyyy")));
    return allDay ? day : day + ' ' + c.toString(local.time(), QStringLiteral("HH:mm")) + "(:00)?";
}

// The minutes left to the begin, rounded up as "in 31 minutes" is said until the 30th has begun.
qint64 minutesTo(const QDateTime &begin, const QDateTime &now)
{
    return (now.msecsTo(begin) + 59999) / 60000;
}

// Focus events as the bridge sends them to every client that asked the registry for them.
class FocusEvents : public QObject
{
    Q_OBJECT
public:
    QVector<Node> focused;

public Q_SLOTS:
    void stateChanged(const QDBusMessage &message)
    {
        const QVariantList arguments = message.arguments();
        if (arguments.size() >= 2 && arguments.at(0).toString() == QLatin1String("focused") &&
            arguments.at(1).toInt() == 1)
            focused.append({message.service(), message.path()});
    }
};

// What Orca reads out wherever the focus is: the objects that begin to show (of them it reads
// notifications) and, from Qt 6.8, announcements, in the order the bridge sent them. Each with its
// role as first read for its object path: Orca's AT-SPI library keeps a role once read.
class Notices : public QObject
{
    Q_OBJECT
public:
    struct Notice
    {
        QString event;
        Node source;
        uint role = 0;
        int detail = 0;
        QString text; // an announcement's
    };
    QVector<Notice> heard;
    const AtSpi::Reader *reader = nullptr;

public Q_SLOTS:
    void stateChanged(const QDBusMessage &message)
    {
        const QVariantList arguments = message.arguments();
        if (arguments.size() >= 2 && arguments.at(0).toString() == QLatin1String("showing") &&
            arguments.at(1).toInt() == 1)
            hear(QStringLiteral("object:state-changed:showing"), message, 1, QString());
    }
    void announcement(const QDBusMessage &message)
    {
        const QVariantList arguments = message.arguments();
        if (arguments.size() >= 4)
            hear(QStringLiteral("object:announcement"), message, arguments.at(1).toInt(),
                 arguments.at(3).value<QDBusVariant>().variant().toString());
    }

private:
    void hear(const QString &event, const QDBusMessage &message, int detail, const QString &text)
    {
        const Node source{message.service(), message.path()};
        const QString key = source.service + source.path;
        if (!roles.contains(key))
            roles.insert(key, reader->role(source));
        heard.append({event, source, roles.value(key), detail, text});
    }

    QHash<QString, uint> roles;
};
} // namespace

class TestAtSpi : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void controlsAreNamed_data();
    void controlsAreNamed();
    void taskListIsAList();
    void tasksRead_data();
    void tasksRead();
    void arrowKeysMoveFocus();
    void errorsHeard_data();
    void errorsHeard();

private:
    QProcess *start(const QString &program, const QStringList &arguments,
                    const QProcessEnvironment &environment = QProcessEnvironment::systemEnvironment());
    bool startDisplay();
    bool startAccessibilityBus();
    bool startServerAndWidget();
    Node findWidget() const;
    [[nodiscard]] QVector<Node> withRole(AtSpi::Role role) const;
    [[nodiscard]] QVector<Node> buttons() const;
    [[nodiscard]] QVector<Node> taskItems() const;
    [[nodiscard]] Node taskItem(const QString &title) const;
    [[nodiscard]] Node checkBoxOf(const Node &item) const;
    [[nodiscard]] Node window(const QString &name) const;
    [[nodiscard]] bool runStep(const QString &step);
    [[nodiscard]] bool xdotool(const QStringList &arguments) const;
    void closeWindows();
    QString said(const Notices::Notice &notice) const;
    QString dump(const Node &node, int depth = 0) const;

    QTemporaryDir dir;
    std::vector<std::unique_ptr<QProcess>> processes;
    QString display;
    std::unique_ptr<QDBusConnection> a11y;
    std::unique_ptr<AtSpi::Reader> reader;
    QProcess *widget = nullptr;
    Node app;
    FocusEvents focusEvents;
    Notices notices;
    QDateTime begin; // of every timed event
};

QProcess *TestAtSpi::start(const QString &program, const QStringList &arguments,
                           const QProcessEnvironment &environment)
{
    processes.push_back(std::make_unique<QProcess>());
    QProcess *process = processes.back().get();
    process->setProcessEnvironment(environment);
    process->setProcessChannelMode(QProcess::ForwardedChannels);
    process->start(program, arguments);
    return process->waitForStarted() ? process : nullptr;
}

void TestAtSpi::initTestCase()
{
    for (const char *program : {"at-spi-bus-launcher", "at-spi2-registryd", "Xvfb", "xdotool"}) {
        if (findProgram(program).isEmpty())
            QSKIP(qPrintable(QLatin1String(program) + " is not installed (at-spi2-core, xvfb, xdotool)"));
    }
    QVERIFY(QFileInfo::exists(WIDGET_EXECUTABLE));
    QVERIFY(QDBusConnection::sessionBus().isConnected());
    QVERIFY(dir.isValid());
    QVERIFY(startDisplay());
    QVERIFY(startAccessibilityBus());
    QVERIFY(startServerAndWidget());
    // The list fills once the first frame is on the screen and the server has answered.
    const auto listed = [this] {
        return std::all_of(std::begin(events), std::end(events),
                           [this](const Event &event) { return !taskItem(event.title).isNull(); });
    };
    QTRY_VERIFY2_WITH_TIMEOUT(listed(), qPrintable(dump(app)), 20000);
}

void TestAtSpi::cleanupTestCase()
{
    // Qt's bridge holds a copy of each key event until the registry has answered for it, 100 ms
    // at most, and frees it only then: a widget ended sooner leaked the last key release it held.
    // A question its main thread answers after that time shows the bridge's timer had its turn:
    // the time alone did not do on a machine busy enough to keep the widget waiting for it.
    QTest::qWait(500);
    if (reader && !app.isNull())
        (void)reader->childCount(app);
    // The widget first, so that it leaves the bus it joined; Xvfb last.
    for (auto process = processes.rbegin(); process != processes.rend(); ++process) {
        (*process)->terminate();
        if (!(*process)->waitForFinished(5000))
            (*process)->kill();
        (*process)->waitForFinished(1000);
    }
}

bool TestAtSpi::startDisplay()
{
    processes.push_back(std::make_unique<QProcess>());
    QProcess *xvfb = processes.back().get();
    xvfb->setStandardErrorFile(dir.filePath("xvfb.log"));
    // -displayfd: Xvfb takes a free display and tells its number once it accepts clients.
    xvfb->start(findProgram("Xvfb"),
                {"-displayfd", "1", "-screen", "0", "1280x1024x24", "-nolisten", "tcp", "-noreset"});
    if (!xvfb->waitForStarted())
        return false;
    while (xvfb->waitForReadyRead(10000) && !xvfb->canReadLine()) {
    }
    display = ':' + QString::fromLatin1(xvfb->readLine().trimmed());
    return display.size() > 1;
}

// at-spi-bus-launcher on the test's session bus starts the accessibility bus and says where it is;
// the registry on it keeps the list of programs and of the events their clients want.
bool TestAtSpi::startAccessibilityBus()
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("DISPLAY", display);
    if (!start(findProgram("at-spi-bus-launcher"), {"--launch-immediately"}, environment))
        return false;
    QString address;
    for (int i = 0; i < 100 && address.isEmpty(); ++i) {
        QTest::qWait(50);
        address = AtSpi::busAddress(QDBusConnection::sessionBus());
    }
    if (address.isEmpty())
        return false;
    environment.insert("AT_SPI_BUS_ADDRESS", address);
    if (!start(findProgram("at-spi2-registryd"), {}, environment))
        return false;
    a11y = std::make_unique<QDBusConnection>(QDBusConnection::connectToBus(address, "a11y"));
    reader = std::make_unique<AtSpi::Reader>(*a11y);
    notices.reader = reader.get();
    for (int i = 0; i < 100 && !reader->hasRegistry(); ++i)
        QTest::qWait(50);
    // As Orca does: without a listener the bridge sends no events at all.
    return reader->hasRegistry() && reader->registerEvent("object:state-changed:focused") &&
           reader->registerEvent("focus:") && reader->registerEvent("object:state-changed:showing") &&
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
           reader->registerEvent("object:announcement") &&
           a11y->connect(QString(), QString(), "org.a11y.atspi.Event.Object", "Announcement", &notices,
                         SLOT(announcement(QDBusMessage))) &&
#endif
           a11y->connect(QString(), QString(), "org.a11y.atspi.Event.Object", "StateChanged", &focusEvents,
                         SLOT(stateChanged(QDBusMessage))) &&
           a11y->connect(QString(), QString(), "org.a11y.atspi.Event.Object", "StateChanged", &notices,
                         SLOT(stateChanged(QDBusMessage)));
}

bool TestAtSpi::startServerAndWidget()
{
    // On a whole minute, as events are, in the hour in which a countdown runs.
    begin = QDateTime::currentDateTime().addSecs(31 * 60);
    begin.setTime(QTime(begin.time().hour(), begin.time().minute()));
    const QString work = dir.filePath("work.ics");
    const QString family = dir.filePath("family.ics");
    if (!writeFile(work, calendarFile("Work", begin)) || !writeFile(family, calendarFile("Family", begin)))
        return false;
    start(DATASERVER_BINARY, {"--holiday-region", "none", work, family});
    for (int i = 0; i < 500 && !ServerProcess::owned(); ++i)
        QTest::qWait(10);

    // The states are the data file's, written before the widget reads it, keyed by the server's ids.
    const QDate day = begin.toLocalTime().date();
    QMap<QDate, QVector<ScheduleDataInfo>> days;
    CScheduleDBus server(ServerProcess::service(), DBUS_SERVER_PATH, QDBusConnection::sessionBus());
    if (!server.GetJobs(day, day, days) || days.value(day).size() != int(std::size(events)))
        return false;
    QHash<QString, Flag> flags;
    for (const Event &event : events)
        flags.insert(event.title, event.flag);
    if (!writeFile(QDir::homePath() + "/.local/share/TaskList/data", dataFile(days.value(day), flags)))
        return false;

    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("DISPLAY", display);
    // The bridge works on X11 (and Wayland), not on the offscreen platform the other tests use.
    environment.insert("QT_QPA_PLATFORM", "xcb");
    environment.insert("QT_ACCESSIBILITY", "1");
    environment.insert("QT_LINUX_ACCESSIBILITY_ALWAYS_ON", "1");
    widget = start(WIDGET_EXECUTABLE, {}, environment);
    if (!widget)
        return false;
    for (int i = 0; i < 200 && app.isNull(); ++i) {
        QTest::qWait(100);
        app = findWidget();
    }
    return !app.isNull();
}

// The program among those the registry lists whose bus connection is the widget process's.
Node TestAtSpi::findWidget() const
{
    for (const Node &program : reader->children(AtSpi::Reader::desktop())) {
        const QDBusReply<uint> pid = a11y->interface()->servicePid(program.service);
        if (pid.isValid() && qint64(pid.value()) == widget->processId())
            return program;
    }
    return {};
}

QVector<Node> TestAtSpi::withRole(AtSpi::Role role) const
{
    QVector<Node> found;
    for (const Node &node : reader->descendants(app)) {
        if (reader->role(node) == role)
            found.append(node);
    }
    return found;
}

// The shown buttons of the panel's rows of them (the days, the tools), in the order of the tree:
// the children of each object that has three or more, all of them buttons of some role. (A task
// has two at most, its check box and Join.)
QVector<Node> TestAtSpi::buttons() const
{
    const auto isButton = [this](const Node &node) {
        const uint role = reader->role(node);
        return role == AtSpi::RolePushButton || role == AtSpi::RoleToggleButton ||
               role == AtSpi::RoleRadioButton || role == AtSpi::RoleCheckBox;
    };
    QVector<Node> found;
    for (const Node &node : reader->descendants(app)) {
        const QVector<Node> children = reader->children(node);
        if (children.size() < 3 || !std::all_of(children.cbegin(), children.cend(), isButton))
            continue;
        for (const Node &child : children) {
            if (reader->hasState(child, AtSpi::StateShowing))
                found.append(child);
        }
    }
    return found;
}

QVector<Node> TestAtSpi::taskItems() const
{
    const QVector<Node> lists = withRole(AtSpi::RoleList);
    return lists.size() == 1 ? reader->children(lists.constFirst()) : QVector<Node>();
}

// The object named after the task's title, whatever its role: the failing row names a wrong one.
Node TestAtSpi::taskItem(const QString &title) const
{
    for (const Node &node : reader->descendants(app)) {
        if (reader->name(node) == title)
            return node;
    }
    return {};
}

Node TestAtSpi::checkBoxOf(const Node &item) const
{
    for (const Node &child : reader->children(item)) {
        if (reader->role(child) == AtSpi::RoleCheckBox)
            return child;
    }
    return {};
}

// The program's window of that title; the panel's is untitled.
Node TestAtSpi::window(const QString &name) const
{
    for (const Node &node : reader->children(app)) {
        if (reader->name(node) == name)
            return node;
    }
    return {};
}

bool TestAtSpi::xdotool(const QStringList &arguments) const
{
    QProcess xdotool;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("DISPLAY", display);
    xdotool.setProcessEnvironment(environment);
    xdotool.start(findProgram("xdotool"), arguments);
    return xdotool.waitForFinished(10000) && xdotool.exitCode() == 0;
}

// One step of a person at the keyboard, waited for where the widget answers it: "focus" (the
// panel takes the keyboard, as by its shortcut), "key KEYS" and "type TEXT" on the display,
// "press NAME" (the button so named, as a screen reader's user presses it), "window TITLE" (until
// that window has the keyboard; the panel's is untitled) and "showing NAME" (until the object so
// named shows).
bool TestAtSpi::runStep(const QString &step)
{
    const QString verb = step.section(' ', 0, 0);
    const QString argument = step.section(' ', 1);
    // The bridge sent the events of a change before it answered for the state the change led to:
    // they are in, and taken in turn in a moment more.
    const auto until = [](const std::function<bool()> &reached) {
        return QTest::qWaitFor(reached, 10000) && (QTest::qWait(100), true);
    };
    if (verb == QLatin1String("focus")) {
        QProcess again;
        again.setProcessEnvironment(widget->processEnvironment());
        again.start(WIDGET_EXECUTABLE, {"--focus"});
        return again.waitForFinished(10000) && runStep("window ");
    }
    if (verb == QLatin1String("key") || verb == QLatin1String("type"))
        return xdotool({verb, argument});
    if (verb == QLatin1String("press")) {
        for (const Node &node : reader->descendants(app)) {
            if (reader->role(node) == AtSpi::RolePushButton && reader->name(node) == argument)
                return reader->press(node);
        }
        return false;
    }
    if (verb == QLatin1String("window")) {
        return until([&] {
            const Node shown = window(argument);
            return !shown.isNull() && reader->hasState(shown, AtSpi::StateActive);
        });
    }
    if (verb == QLatin1String("showing")) {
        return until([&] {
            const QVector<Node> nodes = reader->descendants(app);
            return std::any_of(nodes.cbegin(), nodes.cend(), [&](const Node &node) {
                return reader->name(node) == argument && reader->hasState(node, AtSpi::StateShowing);
            });
        });
    }
    return false;
}

// The editor and the settings closed with Esc, as their user closes them, until the panel is left.
void TestAtSpi::closeWindows()
{
    for (int i = 0; i < 4; ++i) {
        const QVector<Node> windows = reader->children(app);
        const auto open = std::find_if(windows.cbegin(), windows.cend(), [this](const Node &node) {
            return !reader->name(node).isEmpty() && reader->hasState(node, AtSpi::StateShowing);
        });
        if (open == windows.cend())
            return;
        const Node shown = *open;
        if (!runStep("window " + reader->name(shown)) || !xdotool({"key", "Escape"}))
            return;
        if (!QTest::qWaitFor([&] { return !reader->hasState(shown, AtSpi::StateShowing); }, 5000))
            return;
    }
}

QString TestAtSpi::said(const Notices::Notice &notice) const
{
    return notice.event + " role " + QString::number(notice.role) + " (now " +
           reader->roleName(notice.source) + ") \"" + reader->name(notice.source) + "\" " +
           QString::number(notice.detail) + " \"" + notice.text + '"';
}

// The tree for a failure's message: role, name and description of each object.
QString TestAtSpi::dump(const Node &node, int depth) const
{
    QString text = QString(depth * 2, ' ') + reader->roleName(node) + " \"" + reader->name(node) + "\" \"" +
                   reader->description(node) + "\"\n";
    for (const Node &child : reader->children(node))
        text += dump(child, depth + 1);
    return text;
}

void TestAtSpi::controlsAreNamed_data()
{
    QTest::addColumn<int>("index"); // among the shown buttons, in the tree's order
    QTest::addColumn<QString>("name");
    QTest::addColumn<QList<uint>>("roles"); // any of them
    QTest::addColumn<int>("daysAhead");     // a day button's: its description reads that date; -1 none
    QTest::addColumn<bool>("checked");

    // One of the day buttons is the view shown: a choice of several, whose chosen one is said, as
    // a radio button's or a toggle button's is (Qt gives exclusive buttons the first).
    const QList<uint> choice{AtSpi::RoleRadioButton, AtSpi::RoleToggleButton};
    const QList<uint> push{AtSpi::RolePushButton};
    QTest::newRow("overview day button") << 0 << "Overview" << choice << -1 << true;
    for (int day = 1; day <= 6; ++day)
        QTest::addRow("day button %d", day) << day << QString("D%1").arg(day) << choice << day << false;
    const char *tools[] = {"Open calendar", "Settings", "Overview", "Recent days", "Close"};
    for (int i = 0; i < 5; ++i)
        QTest::addRow("tool button %s", tools[i]) << 7 + i << tools[i] << push << -1 << false;
}

// Each control that takes the focus says what it is and does; none is left to be read as "button".
void TestAtSpi::controlsAreNamed()
{
    QFETCH(int, index);
    QFETCH(QString, name);
    QFETCH(QList<uint>, roles);
    QFETCH(int, daysAhead);
    QFETCH(bool, checked);

    const QVector<Node> shown = buttons();
    QStringList names;
    for (const Node &node : shown)
        names << reader->name(node);
    QVERIFY2(shown.size() == 12, qPrintable(names.join(", ")));
    const Node button = shown.at(index);
    QCOMPARE(reader->name(button), name);
    QVERIFY2(roles.contains(reader->role(button)), qPrintable(reader->roleName(button)));
    QCOMPARE(reader->hasState(button, AtSpi::StateChecked), checked);
    QVERIFY(reader->hasState(button, AtSpi::StateFocusable));
    QVERIFY2(!reader->actions(button).isEmpty(), "no action a screen reader could offer");
    QVERIFY(!reader->extents(button).isEmpty());
    if (daysAhead > 0) {
        const QDate date = QDate::currentDate().addDays(daysAhead);
        const QString description = reader->description(button);
        QVERIFY2(description.startsWith(QLocale::c().toString(date, QStringLiteral("dddd, d MMMM yyyy"))),
                 qPrintable(description));
        QVERIFY2(description.endsWith(QString("week %1").arg(date.weekNumber())), qPrintable(description));
    }
}

// A list of the tasks, each an item of it, so that a screen reader can say "3 of 4".
void TestAtSpi::taskListIsAList()
{
    const QVector<Node> lists = withRole(AtSpi::RoleList);
    QVERIFY2(lists.size() == 1, qPrintable(dump(app)));
    QCOMPARE(reader->childCount(lists.constFirst()), int(std::size(events)));
    for (const Node &item : reader->children(lists.constFirst())) {
        QCOMPARE(reader->role(item), uint(AtSpi::RoleListItem));
        QVERIFY(!checkBoxOf(item).isNull());
    }
    QCOMPARE(reader->childAt(lists.constFirst(), 1), reader->children(lists.constFirst()).at(1));
}

void TestAtSpi::tasksRead_data()
{
    QTest::addColumn<QString>("title");
    QTest::addColumn<bool>("allDay");
    QTest::addColumn<QString>("state"); // as said after the date; %1 the minutes left
    QTest::addColumn<QString>("calendar");
    QTest::addColumn<bool>("checked");

    QTest::newRow("counting down") << "Standup" << false << ", countdown %1 minutes"
                                   << "Work" << false;
    QTest::newRow("ticked") << "Dentist" << false << ", ticked"
                            << "Family" << true;
    QTest::newRow("pinned, all day") << "Pay rent" << true << ", pinned"
                                     << "Family" << false;
    QTest::newRow("plain") << "Code review" << false << QString() << "Work" << false;
}

// Each task reads as its title, date and time, state and calendar, on the check box that takes
// the focus; a ticked one is checked.
void TestAtSpi::tasksRead()
{
    QFETCH(QString, title);
    QFETCH(bool, allDay);
    QFETCH(QString, state);
    QFETCH(QString, calendar);
    QFETCH(bool, checked);

    const Node item = taskItem(title);
    QVERIFY2(!item.isNull(), qPrintable(dump(app)));
    const Node box = checkBoxOf(item);
    QVERIFY(!box.isNull());
    // The widget says the minutes anew at its next tick, a fraction of a second after they change.
    const QDateTime before = QDateTime::currentDateTime().addSecs(-1);
    const QString name = reader->name(box);
    const QString minutes =
        QString("(%1|%2)").arg(minutesTo(begin, before)).arg(minutesTo(begin, QDateTime::currentDateTime()));
    const QRegularExpression spoken('^' + QRegularExpression::escape(title + ", ") +
                                    whenPattern(begin, allDay) +
                                    (state.contains("%1") ? state.arg(minutes) : state) +
                                    QRegularExpression::escape(", " + calendar) + '$');
    QVERIFY2(spoken.match(name).hasMatch(), qPrintable(name));
    QCOMPARE(reader->hasState(box, AtSpi::StateChecked), checked);
    QVERIFY(reader->hasState(box, AtSpi::StateFocusable));
}

// The focus asked for by a second start (--focus) lands on the first task; the arrow keys, typed
// on the display, move it down and up the list, and each move reaches a client of the bus.
void TestAtSpi::arrowKeysMoveFocus()
{
    const QVector<Node> items = taskItems();
    QVERIFY(items.size() >= 2);
    const Node first = checkBoxOf(items.at(0));
    const Node second = checkBoxOf(items.at(1));

    QProcess again;
    again.setProcessEnvironment(widget->processEnvironment());
    again.start(WIDGET_EXECUTABLE, {"--focus"});
    QVERIFY(again.waitForFinished(10000));
    QTRY_VERIFY_WITH_TIMEOUT(!focusEvents.focused.isEmpty() && focusEvents.focused.constLast() == first,
                             10000);
    QVERIFY(reader->hasState(first, AtSpi::StateFocused));

    for (const auto &[key, expected] : {std::pair<const char *, Node>{"Down", second}, {"Up", first}}) {
        focusEvents.focused.clear();
        QProcess xdotool;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("DISPLAY", display);
        xdotool.setProcessEnvironment(environment);
        xdotool.start(findProgram("xdotool"), {"key", key});
        QVERIFY(xdotool.waitForFinished(10000) && xdotool.exitCode() == 0);
        QTRY_VERIFY_WITH_TIMEOUT(!focusEvents.focused.isEmpty(), 10000);
        QVERIFY2(focusEvents.focused.constLast() == expected,
                 qPrintable(reader->name(focusEvents.focused.constLast())));
        QVERIFY(reader->hasState(expected, AtSpi::StateFocused));
    }
}

void TestAtSpi::errorsHeard_data()
{
    QTest::addColumn<QStringList>("steps"); // of runStep(); the notices are listened to at the last
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("event");

    const QString title = "Give the event a title.";
    const QString showing = "object:state-changed:showing";
    QTest::newRow("editor, no title")
        << QStringList{"focus", "key ctrl+n", "window New event", "key Return"} << title << showing;
    // The error shown already is not shown anew: a notification's text that changes is not read.
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    const QString again = "object:announcement";
#else
    const QString again = showing;
#endif
    QTest::newRow("editor, the same error again")
        << QStringList{"focus",      "key ctrl+n",       "window New event",
                       "key Return", "showing " + title, "key Return"}
        << title << again;
    QTest::newRow("settings, not a web address")
        << QStringList{"press Settings", "window Settings",
                       "press Add URL…", "window Subscribe to a calendar",
                       "type nonsense",  "key Return"}
        << "nonsense is not an https://, http:// or webcal:// address" << showing;
}

// An error the editor or the settings show is read out to a screen reader's user at once, though
// the focus stays where it was: as a notification of its text (Orca reads no label that shows).
void TestAtSpi::errorsHeard()
{
    QFETCH(QStringList, steps);
    QFETCH(QString, text);
    QFETCH(QString, event);

    closeWindows();
    for (const QString &step : steps.mid(0, steps.size() - 1))
        QVERIFY2(runStep(step), qPrintable(step));
    notices.heard.clear();
    QVERIFY2(runStep(steps.constLast()), qPrintable(steps.constLast()));
    const auto heard = [&] {
        return std::any_of(notices.heard.cbegin(), notices.heard.cend(), [&](const Notices::Notice &notice) {
            return notice.event == event && notice.role == AtSpi::RoleNotification &&
                   reader->name(notice.source) == text &&
                   (event != QLatin1String("object:announcement") ||
                    (notice.text == text && notice.detail == AtSpi::LiveAssertive));
        });
    };
    const bool read = QTest::qWaitFor(heard, 10000);
    QStringList said;
    for (const Notices::Notice &notice : std::as_const(notices.heard))
        said << this->said(notice);
    QVERIFY2(read, qPrintable(said.join('\n')));
    closeWindows();
}

QTEST_GUILESS_MAIN(TestAtSpi)

#include "tst_atspi.moc"
