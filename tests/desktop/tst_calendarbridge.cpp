#include "calendardbusui.h"
#include "datacenter.h"
#include "fakedbusservice.h"
#include "mimeapps.h"
#include "warningspy.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QSemaphore>
#include <QTemporaryDir>
#include <QtTest>

#include <atomic>
#include <memory>

namespace {

void send(const QString &member, const QString &json)
{
    if (member == "RaiseWindow")
        DataCenter::instance()->raiseCalendarWindow();
    else
        DataCenter::instance()->OpenSchedule(json);
}

// Writes `files` (path relative to `root` -> text).
void makeTree(const QString &root, const QMap<QString, QString> &files)
{
    for (const char *dir : {"config", "etc", "data", "share"})
        QDir(root).mkpath(dir);
    for (auto it = files.cbegin(); it != files.cend(); ++it) {
        const QString path = root + '/' + it.key();
        QDir().mkpath(QFileInfo(path).path());
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(it.value().toUtf8());
    }
}

MimeApps::Directories treeDirectories(const QString &root)
{
    return {root + "/config", {root + "/etc"}, root + "/data", {root + "/share"}, {}};
}

void useTree(const QString &root)
{
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(root + "/config"));
    qputenv("XDG_CONFIG_DIRS", QFile::encodeName(root + "/etc"));
    qputenv("XDG_DATA_HOME", QFile::encodeName(root + "/data"));
    qputenv("XDG_DATA_DIRS", QFile::encodeName(root + "/share"));
}

QString app(const QString &mimeType, const QString &more = {})
{
    return "[Desktop Entry]\nType=Application\nName=App\nExec=true %U\nMimeType=" + mimeType + ";\n" + more;
}

QString defaults(const QString &group, const QString &ids)
{
    return "[" + group + "]\ntext/calendar=" + ids + "\n";
}

// A calendar application that writes how many arguments it was given into <root>/<name>.marker.
QString markerApp(const QString &root, const QString &name, const QString &more = {})
{
    return "[Desktop Entry]\nType=Application\nName=" + name + "\nMimeType=text/calendar;\n" +
           "Exec=sh -c \"echo started \\\\$# > " + root + "/" + name + ".marker\" " + name + " %U\n" + more;
}

QString readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

QStringList infos;
QtMessageHandler previousHandler = nullptr;
void collectInfos(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type == QtInfoMsg)
        infos << message;
    previousHandler(type, context, message);
}

using StringMap = QMap<QString, QString>;

} // namespace

class TestCalendarBridge : public QObject
{
    Q_OBJECT

private:
    FakeDBusService calendar{"com.norvale.Calendar", "/com/norvale/Calendar", "com.norvale.Calendar"};
    QTemporaryDir xdg;

private Q_SLOTS:
    void initTestCase()
    {
        if (!QDBusConnection::sessionBus().isConnected())
            QSKIP("no session bus");
        QVERIFY(xdg.isValid());
        makeTree(xdg.path(), {});
        useTree(xdg.path());
        qunsetenv("XDG_CURRENT_DESKTOP");
        previousHandler = qInstallMessageHandler(collectInfos);
    }

    // Runs first: the shared proxy is made while no calendar application is on the bus.
    void withoutApplicationThenWithIt()
    {
        {
            // No application handles the type either: each request says so, once.
            WarningSpy spy;
            DataCenter::instance()->raiseCalendarWindow();
            DataCenter::instance()->OpenSchedule("{}");
            QTRY_COMPARE(spy.warnings.size(), 2);
            QVERIFY(spy.warnings.first().contains("no application handles text/calendar"));
            QCOMPARE(spy.warnings.last(), spy.warnings.first());
        }
        CalendarDbusUI *proxy = CalendarDbusUI::instance();
        QCOMPARE(proxy->service(), QString("com.norvale.Calendar"));
        QCOMPARE(proxy->path(), QString("/com/norvale/Calendar"));
        QCOMPARE(proxy->interface(), QString("com.norvale.Calendar"));

        QVERIFY(calendar.start());
        DataCenter::instance()->raiseCalendarWindow();
        QTRY_COMPARE(calendar.calls().size(), 1);
        QCOMPARE(CalendarDbusUI::instance(), proxy);
    }

    void messages_data()
    {
        QTest::addColumn<QString>("member");
        QTest::addColumn<QString>("json");
        QTest::newRow("raise window") << "RaiseWindow" << QString();
        QTest::newRow("plain") << "OpenSchedule"
                               << "{\"AllDay\":true,\"ID\":7,\"RecurID\":0,\"Title\":\"Dentist\",\"Type\":1}";
        QTest::newRow("quotes") << "OpenSchedule"
                                << "{\"ID\":8,\"Title\":\"say \\\"hi\\\" to 'them'\"}";
        QTest::newRow("line breaks") << "OpenSchedule"
                                     << "{\"ID\":9,\"Title\":\"a\\nb\"}\n\r\n";
        QTest::newRow("non-Latin") << "OpenSchedule"
                                   << QString::fromUtf8("{\"ID\":10,\"Title\":\"周会 — Ünïcode 📅\"}");
        QTest::newRow("empty text") << "OpenSchedule" << QString("");
    }

    void messages()
    {
        QFETCH(QString, member);
        QFETCH(QString, json);
        QVERIFY(calendar.isRunning() || calendar.start());
        calendar.clearCalls();
        calendar.clearReplies();
        send(member, json);
        QTRY_COMPARE(calendar.calls().size(), 1);
        const FakeDBusService::Call call = calendar.calls().first();
        QCOMPARE(call.member, member);
        QCOMPARE(call.interface, QString("com.norvale.Calendar"));
        if (member == "RaiseWindow") {
            QCOMPARE(call.signature, QString(""));
            QCOMPARE(call.arguments, QVariantList());
        } else {
            QCOMPARE(call.signature, QString("s"));
            QCOMPARE(call.arguments.size(), 1);
            QCOMPARE(call.arguments.first().toString(), json);
        }
    }

    // Every reply the widget dropped must have come back before the next test: a round trip to
    // the application on the same connection is answered only after the replies sent before it.
    void cleanup()
    {
        if (!calendar.isRunning())
            return;
        const QDBusMessage ping = QDBusMessage::createMethodCall(
            "com.norvale.Calendar", "/com/norvale/Calendar", "org.freedesktop.DBus.Peer", "Ping");
        QCOMPARE(QDBusConnection::sessionBus().call(ping).type(), QDBusMessage::ReplyMessage);
    }

    void applicationAnswersLate_data()
    {
        QTest::addColumn<QString>("member");
        QTest::newRow("raise window") << "RaiseWindow";
        QTest::newRow("open schedule") << "OpenSchedule";
    }

    // The application holds each call until the slot has returned, then refuses it. A slot that
    // waited for the answer would return only after the application gave up waiting for it.
    void applicationAnswersLate()
    {
        QFETCH(QString, member);
        QVERIFY(calendar.isRunning() || calendar.start());
        calendar.clearCalls();
        auto slotReturned = std::make_shared<QSemaphore>();
        auto handled = std::make_shared<QSemaphore>();
        auto returnedFirst = std::make_shared<std::atomic_bool>(false);
        calendar.setHandler(member, [=](const FakeDBusService::Call &) {
            returnedFirst->store(slotReturned->tryAcquire(1, 2500));
            handled->release();
            return FakeDBusService::Reply::error("com.norvale.Calendar.Error.Busy");
        });

        WarningSpy spy;
        send(member, "{\"ID\":1}");
        slotReturned->release();
        QVERIFY(handled->tryAcquire(1, 10000));
        QVERIFY(returnedFirst->load());
        QCOMPARE(calendar.calls(member).size(), 1);
        cleanup();
        QCoreApplication::processEvents();
        QCOMPARE(spy.warnings, QStringList());
    }

    void lookup_data()
    {
        QTest::addColumn<QMap<QString, QString>>("files");
        QTest::addColumn<QString>("desktop");
        QTest::addColumn<QString>("expected");

        const QString a = "share/applications/a.desktop";
        const QString b = "share/applications/b.desktop";
        const QString c = "share/applications/c.desktop";
        const QString cal = "text/calendar";
        const QString user = "config/mimeapps.list";
        const QString system = "etc/mimeapps.list";
        const QString dflt = "Default Applications";
        // clang-format off
        QTest::newRow("declared by one desktop file") << QMap<QString, QString>{{a, app(cal)}, {b, app("text/plain")}} << "" << a;
        QTest::newRow("declared by none") << QMap<QString, QString>{{b, app("text/plain")}} << "" << "";
        QTest::newRow("declared by two: the first id") << QMap<QString, QString>{{a, app(cal)}, {b, app(cal)}} << "" << a;
        QTest::newRow("user's default") << QMap<QString, QString>{{a, app(cal)}, {b, app(cal)}, {user, defaults(dflt, "b.desktop")}} << "" << b;
        QTest::newRow("default not installed: the next") << QMap<QString, QString>{{a, app(cal)}, {b, app(cal)}, {user, defaults(dflt, "gone.desktop;b.desktop;")}} << "" << b;
        QTest::newRow("default not declaring the type") << QMap<QString, QString>{{a, app(cal)}, {b, app("text/plain")}, {user, defaults(dflt, "b.desktop")}} << "" << b;
        QTest::newRow("default hidden") << QMap<QString, QString>{{a, app(cal)}, {b, app(cal, "Hidden=true\n")}, {user, defaults(dflt, "b.desktop")}} << "" << a;
        QTest::newRow("no display is still shown") << QMap<QString, QString>{{a, app(cal, "NoDisplay=true\n")}, {b, app(cal)}} << "" << a;
        QTest::newRow("TryExec not found") << QMap<QString, QString>{{a, app(cal, "TryExec=/nonexistent/cal\n")}, {b, app(cal)}} << "" << b;
        QTest::newRow("TryExec found") << QMap<QString, QString>{{a, app(cal, "TryExec=sh\n")}, {b, app(cal)}} << "" << a;
        QTest::newRow("not an application") << QMap<QString, QString>{{a, app(cal).replace("=Application", "=Link")}, {b, app(cal)}} << "" << b;
        QTest::newRow("desktop's own list first") << QMap<QString, QString>{{a, app(cal)}, {b, app(cal)}, {"config/sway-mimeapps.list", defaults(dflt, "b.desktop")}, {user, defaults(dflt, "a.desktop")}} << "sway" << b;
        QTest::newRow("other desktop's list ignored") << QMap<QString, QString>{{a, app(cal)}, {b, app(cal)}, {"config/kde-mimeapps.list", defaults(dflt, "b.desktop")}} << "sway" << a;
        QTest::newRow("user's list over the system's") << QMap<QString, QString>{{a, app(cal)}, {b, app(cal)}, {system, defaults(dflt, "b.desktop")}, {user, defaults(dflt, "a.desktop")}} << "" << a;
        QTest::newRow("system's list") << QMap<QString, QString>{{a, app(cal)}, {b, app(cal)}, {system, defaults(dflt, "b.desktop")}} << "" << b;
        QTest::newRow("list in a data directory") << QMap<QString, QString>{{a, app(cal)}, {b, app(cal)}, {"share/applications/mimeapps.list", defaults(dflt, "b.desktop")}} << "" << b;
        QTest::newRow("removed association") << QMap<QString, QString>{{a, app(cal)}, {b, app(cal)}, {user, defaults("Removed Associations", "a.desktop")}} << "" << b;
        QTest::newRow("added association") << QMap<QString, QString>{{a, app("text/plain")}, {user, defaults("Added Associations", "a.desktop")}} << "" << a;
        QTest::newRow("removal below an addition") << QMap<QString, QString>{{a, app("text/plain")}, {user, defaults("Added Associations", "a.desktop")}, {system, defaults("Removed Associations", "a.desktop")}} << "" << a;
        QTest::newRow("removal above a default") << QMap<QString, QString>{{b, app(cal)}, {c, app(cal)}, {user, defaults("Removed Associations", "b.desktop")}, {system, defaults(dflt, "b.desktop")}} << "" << c;
        QTest::newRow("id of a subdirectory") << QMap<QString, QString>{{a, app(cal)}, {"share/applications/vendor/cal.desktop", app(cal)}, {user, defaults(dflt, "vendor-cal.desktop")}} << "" << "share/applications/vendor/cal.desktop";
        QTest::newRow("user's file hides the system's") << QMap<QString, QString>{{"data/applications/a.desktop", app(cal, "Hidden=true\n")}, {a, app(cal)}, {b, app(cal)}} << "" << b;
        // clang-format on
    }

    void lookup()
    {
        QFETCH(StringMap, files);
        QFETCH(QString, desktop);
        QFETCH(QString, expected);
        QTemporaryDir root;
        makeTree(root.path(), files);
        MimeApps::Directories dirs = treeDirectories(root.path());
        if (!desktop.isEmpty())
            dirs.desktops << desktop;
        const QString found = MimeApps::preferredDesktopFile("text/calendar", dirs);
        QCOMPARE(found, expected.isEmpty() ? QString() : root.path() + '/' + expected);
    }

    void execArguments_data()
    {
        QTest::addColumn<QString>("exec");
        QTest::addColumn<QString>("icon");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("file codes") << "cal %f %F %u %U --new"
                                    << "" << QStringList{"cal", "--new"};
        QTest::newRow("deprecated codes") << "cal %d %D %n %N %v %m"
                                          << "" << QStringList{"cal"};
        QTest::newRow("icon") << "cal %i"
                              << "x-cal" << QStringList{"cal", "--icon", "x-cal"};
        QTest::newRow("no icon") << "cal %i"
                                 << "" << QStringList{"cal"};
        QTest::newRow("name and location")
            << "cal --title=%c %k"
            << "" << QStringList{"cal", "--title=Cal App", "/apps/cal.desktop"};
        QTest::newRow("percent") << "date +%%s"
                                 << "" << QStringList{"date", "+%s"};
        QTest::newRow("quoted") << "\"/opt/my cal/cal\" -c \"say \\\"hi\\\" \\$HOME \\\\ `x`\""
                                << "" << QStringList{"/opt/my cal/cal", "-c", "say \"hi\" $HOME \\ `x`"};
        QTest::newRow("empty quoted argument") << "cal \"\" %U"
                                               << "" << QStringList{"cal", ""};
        QTest::newRow("blanks") << "  cal\t-x  "
                                << "" << QStringList{"cal", "-x"};
        QTest::newRow("unclosed quote") << "cal \"-x"
                                        << "" << QStringList();
    }

    void execArguments()
    {
        QFETCH(QString, exec);
        QFETCH(QString, icon);
        QFETCH(QStringList, expected);
        MimeApps::DesktopEntry entry;
        entry.path = "/apps/cal.desktop";
        entry.name = "Cal App";
        entry.icon = icon;
        entry.exec = exec;
        QCOMPARE(MimeApps::execArguments(entry), expected);
    }

    void calendarApplication_data()
    {
        QTest::addColumn<QString>("member");
        QTest::addColumn<QString>("userChoice");
        QTest::addColumn<bool>("service");
        QTest::addColumn<QString>("expected");
        QTest::newRow("raise: the one for the type") << "RaiseWindow"
                                                     << "" << false << "alpha";
        QTest::newRow("open: the one for the type") << "OpenSchedule"
                                                    << "" << false << "alpha";
        QTest::newRow("open: the user's choice") << "OpenSchedule"
                                                 << "beta.desktop" << false << "beta";
        QTest::newRow("raise: activated over the bus") << "RaiseWindow"
                                                       << "org.example.Cal.desktop" << false << "activated";
        QTest::newRow("open: activatable, not on the bus")
            << "OpenSchedule"
            << "org.example.Cal.desktop" << false << "org.example.Cal";
        QTest::newRow("raise: calendar service present") << "RaiseWindow"
                                                         << "beta.desktop" << true << "service";
        QTest::newRow("open: calendar service present") << "OpenSchedule"
                                                        << "" << true << "service";
    }

    void calendarApplication()
    {
        QFETCH(QString, member);
        QFETCH(QString, userChoice);
        QFETCH(bool, service);
        QFETCH(QString, expected);

        QTemporaryDir dir;
        const QString root = dir.path();
        QMap<QString, QString> files;
        for (const QString name : {"alpha", "beta"})
            files.insert("share/applications/" + name + ".desktop", markerApp(root, name));
        files.insert("share/applications/org.example.Cal.desktop",
                     markerApp(root, "org.example.Cal", "DBusActivatable=true\n"));
        if (!userChoice.isEmpty())
            files.insert("config/mimeapps.list", defaults("Default Applications", userChoice));
        makeTree(root, files);
        useTree(root);
        if (service)
            QVERIFY(calendar.start());
        else
            calendar.stop();
        calendar.clearCalls();
        FakeDBusService activatable("org.example.Cal", "/org/example/Cal", "org.freedesktop.Application");
        if (expected == "activated")
            QVERIFY(activatable.start());
        infos.clear();

        send(member, "{\"ID\":7,\"Title\":\"Dentist\"}");
        if (expected == "service") {
            QTRY_COMPARE(calendar.calls(member).size(), 1);
            // Answered by the application after the request: the request's answer is in by then.
            QDBusConnection::sessionBus().call(
                QDBusMessage::createMethodCall(calendar.service, calendar.path, calendar.interface, "Sync"));
            QCoreApplication::processEvents();
        } else if (expected == "activated") {
            QTRY_COMPARE(activatable.calls("Activate").size(), 1);
            QCOMPARE(activatable.calls().first().signature, QString("a{sv}"));
            QTRY_COMPARE(infos.size(), 1);
            QVERIFY(infos.first().contains("show itself"));
        } else {
            // Started with no argument at all: neither the task nor a file made of it.
            QTRY_COMPARE(readAll(root + '/' + expected + ".marker"), QString("started 0\n"));
            QCOMPARE(infos.size(), 1);
            QVERIFY2(infos.first().contains("started the calendar application \"" + expected + "\""),
                     qPrintable(infos.first()));
        }
        const QStringList markers = QDir(root).entryList({"*.marker"});
        QCOMPARE(markers, expected == "service" || expected == "activated"
                              ? QStringList()
                              : QStringList{expected + ".marker"});
        if (expected == "service")
            QCOMPARE(infos, QStringList());
        useTree(xdg.path());
    }
};

QTEST_GUILESS_MAIN(TestCalendarBridge)

#include "tst_calendarbridge.moc"
