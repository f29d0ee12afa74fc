#include "autostart.h"
#include "calendarsconf.h"
#include "cscheduledbus.h"
#include "datacenter.h"
#include "desktopcalendars.h"
#include "fakedbusservice.h"
#include "serverprocess.h"
#include "settingswindow.h"
#include "warningspy.h"
#include "windowplace.h"
#include "zguiapplicationhelper.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QInputDialog>
#include <QKeySequenceEdit>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScopeGuard>
#include <QSettings>
#include <QSignalSpy>
#include <QSlider>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using Zyk::Gui::ZGuiApplicationHelper;

namespace {
bool writeFile(const QString &path, const QByteArray &data)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(data) == data.size();
}

// What desktop-file-validate says against the entry; empty when it has nothing to say.
QString validate(const QString &entry)
{
    QProcess validator;
    validator.setProcessChannelMode(QProcess::MergedChannels);
    validator.start("desktop-file-validate", {entry});
    if (!validator.waitForFinished(10000))
        return "desktop-file-validate did not run";
    const QString said = QString::fromUtf8(validator.readAll()).trimmed();
    return validator.exitCode() == 0 && !said.contains("error") ? QString() : said;
}

QPalette paletteWithWindow(const QColor &color)
{
    QPalette palette = QApplication::palette();
    palette.setColor(QPalette::Window, color);
    return palette;
}

QByteArray calendarWith(const QString &title, const QDate &day)
{
    return "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//test//EN\r\nBEGIN:VEVENT\r\nUID:" + title.toUtf8() +
           "\r\nDTSTAMP:20260101T000000Z\r\nDTSTART:" + day.toString("yyyyMMdd").toUtf8() +
           "T100000\r\nDTEND:" + day.toString("yyyyMMdd").toUtf8() + "T110000\r\nSUMMARY:" + title.toUtf8() +
           "\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n";
}
} // namespace

// The settings window as the user works it, each case with a configuration directory of its own.
class TestSettingsWindow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();
    void autostart_data();
    void autostart();
    void savedSettings_data();
    void savedSettings();
    void colours_data();
    void colours();
    void calendarsFollowedByRunningServer();
    void calendarsAddedThroughDialogs_data();
    void calendarsAddedThroughDialogs();
    void calendarNote_data();
    void calendarNote();
    void lookSettings_data();
    void lookSettings();
    void keyAndWeekSettings_data();
    void keyAndWeekSettings();
    void keyAndWeekControls();
    void hideCalendar();
    void desktopCalendarEntries_data();
    void desktopCalendarEntries();

private:
    std::unique_ptr<QTemporaryDir> dir;
    QPalette lightPalette;
};

void TestSettingsWindow::initTestCase()
{
    QVERIFY2(!QStandardPaths::findExecutable("desktop-file-validate").isEmpty(),
             "desktop-file-utils missing");
    lightPalette = QApplication::palette();
}

void TestSettingsWindow::init()
{
    dir = std::make_unique<QTemporaryDir>(QDir::home().filePath("caseXXXXXX"));
    QVERIFY(dir->isValid());
    qputenv("XDG_CONFIG_HOME", dir->filePath("config").toUtf8());
    qputenv("XDG_CONFIG_DIRS", dir->filePath("system").toUtf8());
}

void TestSettingsWindow::cleanup()
{
    QApplication::setPalette(lightPalette);
    ZGuiApplicationHelper::instance()->setPaletteType(ZGuiApplicationHelper::UnknownType);
    WindowPlace::setKeeping(true);
}

void TestSettingsWindow::autostart_data()
{
    QTest::addColumn<bool>("systemEntry");
    QTest::addColumn<QByteArray>("userEntry");
    QTest::addColumn<bool>("initiallyOn");

    const QByteArray entry = "[Desktop Entry]\nType=Application\nName=Calendar Desktop Widget\n"
                             "Exec=/usr/bin/nvx-calendar-desktop-widget\nNoDisplay=true\n";
    QTest::newRow("installed: off, then on") << true << QByteArray() << true;
    QTest::newRow("turned off before: on, then off") << true << entry + "Hidden=true\n" << false;
    QTest::newRow("from the build tree: on, then off") << false << QByteArray() << false;
    QTest::newRow("own entry from before: off, then on") << false << entry << true;
}

void TestSettingsWindow::autostart()
{
    QFETCH(bool, systemEntry);
    QFETCH(QByteArray, userEntry);
    QFETCH(bool, initiallyOn);

    const QString system = dir->filePath("system/autostart/nvx-calendar-desktop-widget.desktop");
    const QString user = dir->filePath("config/autostart/nvx-calendar-desktop-widget.desktop");
    if (systemEntry) {
        QVERIFY(writeFile(
            system, "[Desktop Entry]\nType=Application\nVersion=1.4\nName=Calendar Desktop Widget\n"
                    "Exec=/usr/bin/nvx-calendar-desktop-widget\nNoDisplay=true\n"
                    "X-GNOME-Autostart-enabled=true\nActions=x;\n\n[Desktop Action x]\nName=X\nExec=true\n"));
    }
    if (!userEntry.isEmpty())
        QVERIFY(writeFile(user, userEntry));

    // Turned over and back again, each time in a window that reads the state anew.
    for (const bool on : {initiallyOn, !initiallyOn}) {
        SettingsWindow window;
        auto *box = window.findChild<QCheckBox *>("autostartBox");
        QCOMPARE(box->isChecked(), on);
        // Loaded from the accounts module, not said to be missing.
        QVERIFY(window.findChild<QLineEdit *>("accountAddress"));
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        box->setFocus();
        QTest::keyClick(box, Qt::Key_Space);
        QCOMPARE(Autostart::enabled(), !on);

        if (!on && !systemEntry) {
            // An entry of its own starts the program that is running now.
            QVERIFY(readAll(user).contains("Exec=" + QCoreApplication::applicationFilePath().toUtf8()));
            QCOMPARE(validate(user), QString());
        } else if (on && systemEntry) {
            // The copy the desktops expect: the installed entry, whole, with Hidden=true.
            const QByteArray copy = readAll(user);
            QVERIFY2(copy.contains("Actions=x;\nHidden=true\n\n[Desktop Action x]\n"), copy.constData());
            QCOMPARE(validate(user), QString());
        } else {
            QVERIFY(!QFile::exists(user));
        }
    }
}

void TestSettingsWindow::savedSettings_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("colours");
    QTest::addColumn<bool>("keepPlace");
    QTest::addColumn<int>("warnings");

    QTest::newRow("none") << QByteArray() << 0 << true << 0;
    QTest::newRow("dark, place not kept")
        << QByteArray("[Appearance]\ncolours=dark\n[Window]\nkeepPlace=false\n") << 2 << false << 0;
    QTest::newRow("unknown colours") << QByteArray(
                                            "[Appearance]\ncolours=purple\n[Window]\nkeepPlace=false\n")
                                     << 0 << true << 1;
    QTest::newRow("keepPlace no boolean")
        << QByteArray("[Appearance]\ncolours=light\n[Window]\nkeepPlace=maybe\n") << 0 << true << 1;
    QTest::newRow("not an INI file") << QByteArray("\x00\xff\xfe[Window\nkeepPlace=false\n", 25) << 0 << true
                                     << 1;
}

// A damaged file is told of once and gives the defaults; the next change writes it clean.
void TestSettingsWindow::savedSettings()
{
    QFETCH(QByteArray, file);
    QFETCH(int, colours);
    QFETCH(bool, keepPlace);
    QFETCH(int, warnings);

    const QString path = WidgetSettings::defaultPath();
    QCOMPARE(path, dir->filePath("config/TaskList/settings.conf"));
    if (!file.isEmpty())
        QVERIFY(writeFile(path, file));
    {
        WarningSpy spy;
        SettingsWindow window;
        QCOMPARE(spy.warnings.size(), warnings);
        if (warnings)
            QVERIFY2(spy.warnings.first().contains(path), qPrintable(spy.warnings.first()));
        auto *box = window.findChild<QCheckBox *>("keepPlaceBox");
        QCOMPARE(window.findChild<QComboBox *>("coloursBox")->currentIndex(), colours);
        QCOMPARE(box->isChecked(), keepPlace);

        applySettings(WidgetSettings());
        QCOMPARE(WindowPlace::keeping(), keepPlace);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        box->setFocus();
        QTest::keyClick(box, Qt::Key_Space);
        QCOMPARE(WindowPlace::keeping(), !keepPlace);
    }
    WarningSpy spy;
    const WidgetSettings saved;
    QCOMPARE(spy.warnings, QStringList());
    QCOMPARE(saved.keepPlace(), !keepPlace);
    QCOMPARE(int(saved.colours()), colours);
}

void TestSettingsWindow::colours_data()
{
    QTest::addColumn<bool>("darkDesktop");
    QTest::addColumn<int>("choice");
    QTest::addColumn<QColor>("tint");

    const QColor dark(0, 0, 0, 80);
    const QColor light(255, 255, 255, 80);
    QTest::newRow("dark chosen on a light desktop") << false << 2 << dark;
    QTest::newRow("light chosen on a dark desktop") << true << 1 << light;
    QTest::newRow("following a dark desktop") << true << 0 << dark;
    QTest::newRow("following a light desktop") << false << 0 << light;
}

void TestSettingsWindow::colours()
{
    QFETCH(bool, darkDesktop);
    QFETCH(int, choice);
    QFETCH(QColor, tint);

    if (darkDesktop)
        QApplication::setPalette(paletteWithWindow(QColor(20, 20, 20)));
    SettingsWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    auto *box = window.findChild<QComboBox *>("coloursBox");
    box->setFocus();
    // Up to the first entry and down to the chosen one, as the keyboard does it.
    QTest::keyClick(box, Qt::Key_Home);
    for (int i = 0; i < choice; ++i)
        QTest::keyClick(box, Qt::Key_Down);
    QCOMPARE(box->currentIndex(), choice);

    QCOMPARE(ZGuiApplicationHelper::instance()->themeType() == ZGuiApplicationHelper::DarkType,
             tint == QColor(0, 0, 0, 80));
    const QImage shot = window.grab().toImage();
    // The margin beside the sections, which scroll.
    const QColor painted = shot.pixelColor(4, shot.height() / 2);
    QVERIFY2(qAbs(painted.red() - tint.red()) <= 2 && painted.alpha() == tint.alpha(),
             qPrintable(painted.name(QColor::HexArgb)));
    QCOMPARE(int(WidgetSettings().colours()), choice);
}

// Adding and removing calendars edits calendars.conf, and the server running on it follows.
void TestSettingsWindow::calendarsFollowedByRunningServer()
{
    const QDate day = QDate::currentDate().addDays(1);
    const QString first = QDir::home().filePath(QFileInfo(dir->path()).fileName() + "/first.ics");
    const QString second = dir->filePath("second.ics");
    QVERIFY(writeFile(first, calendarWith("First", day)));
    QVERIFY(writeFile(second, calendarWith("Second", day)));
    const QString conf = dir->filePath("config/tasklist-dataserver/calendars.conf");
    QVERIFY(writeFile(conf, "# the user's own comment\n" + first.toUtf8() + "\n"));

    ServerProcess server;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    server.process().setProcessEnvironment(environment);
    QVERIFY(server.start({}));
    CScheduleDBus client(ServerProcess::service(), DBUS_SERVER_PATH, QDBusConnection::sessionBus());
    QCOMPARE(titlesOn(client, day), QStringList{"First"});

    SettingsWindow window;
    auto *list = window.findChild<QListWidget *>("calendarList");
    QVERIFY(list->isEnabled());
    QVERIFY(window.findChild<QLabel *>("calendarNote")->text().contains("at once"));
    QCOMPARE(list->count(), 1);

    window.addCalendar(second);
    const QString secondEntry = "~/" + QDir::home().relativeFilePath(second);
    QCOMPARE(readAll(conf),
             "# the user's own comment\n" + first.toUtf8() + "\n" + secondEntry.toUtf8() + "\n");
    QCOMPARE(list->count(), 2);
    QTRY_COMPARE_WITH_TIMEOUT(titlesOn(client, day), (QStringList{"First", "Second"}), 10000);

    window.removeCalendar(first);
    QCOMPARE(readAll(conf), "# the user's own comment\n" + secondEntry.toUtf8() + "\n");
    QTRY_COMPARE_WITH_TIMEOUT(titlesOn(client, day), QStringList{"Second"}, 10000);
    QVERIFY(server.process().state() == QProcess::Running);
}

void TestSettingsWindow::calendarsAddedThroughDialogs_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("answer"); // "@" is the case's directory; empty: the dialog is cancelled
    QTest::addColumn<QString>("entry");  // the line calendars.conf gains, if any
    QTest::addColumn<QString>("error");

    QTest::newRow("a file") << "Add file…"
                            << "@/calendar.ics"
                            << "@/calendar.ics" << QString();
    QTest::newRow("a folder") << "Add folder…"
                              << "@/folder"
                              << "@/folder" << QString();
    QTest::newRow("a file, cancelled") << "Add file…" << QString() << QString() << QString();
    QTest::newRow("a subscription, spaces around") << "Add URL…"
                                                   << "  webcal://example.org/holidays.ics "
                                                   << "webcal://example.org/holidays.ics" << QString();
    QTest::newRow("not an address") << "Add URL…"
                                    << "holidays" << QString()
                                    << "holidays is not an https://, http:// or webcal:// address";
    QTest::newRow("a subscription, cancelled") << "Add URL…" << QString() << QString() << QString();
}

// Each dialog is the settings' own, window-modal, answered while the settings go on running, and
// gone once answered.
void TestSettingsWindow::calendarsAddedThroughDialogs()
{
    QFETCH(QString, button);
    QFETCH(QString, answer);
    QFETCH(QString, entry);
    QFETCH(QString, error);

    QVERIFY(writeFile(dir->filePath("calendar.ics"), calendarWith("One", QDate::currentDate())));
    QVERIFY(QDir(dir->path()).mkdir("folder"));
    const QString conf = dir->filePath("config/tasklist-dataserver/calendars.conf");
    QVERIFY(writeFile(conf, "# mine\n"));
    const QString home = "~/" + QDir::home().relativeFilePath(dir->path());
    SettingsWindow window;
    window.show();
    const QList<QPushButton *> buttons = window.findChildren<QPushButton *>();
    const auto pressed = std::find_if(buttons.cbegin(), buttons.cend(),
                                      [&](const QPushButton *each) { return each->text() == button; });
    QVERIFY(pressed != buttons.cend());
    QTest::mouseClick(*pressed, Qt::LeftButton);

    const QList<QDialog *> dialogs = window.findChildren<QDialog *>();
    QCOMPARE(dialogs.size(), 1);
    QDialog *dialog = dialogs.constFirst();
    QVERIFY(dialog->isVisible());
    QCOMPARE(dialog->windowModality(), Qt::WindowModal);
    if (answer.isEmpty()) {
        dialog->reject();
    } else if (auto *files = qobject_cast<QFileDialog *>(dialog)) {
        files->selectFile(QString(answer).replace("@", dir->path()));
        dialog->accept(); // QFileDialog makes its own accept() protected
    } else {
        auto *input = qobject_cast<QInputDialog *>(dialog);
        QVERIFY(input);
        input->setTextValue(answer);
        input->accept();
    }
    QTRY_VERIFY(window.findChildren<QDialog *>().isEmpty());
    QCOMPARE(readAll(conf), entry.isEmpty() ? QByteArray("# mine\n")
                                            : "# mine\n" + QString(entry).replace("@", home).toUtf8() + '\n');
    const auto *label = window.findChild<QLabel *>("errorLabel");
    QCOMPARE(label->isVisible(), !error.isEmpty());
    if (!error.isEmpty())
        QCOMPARE(label->text(), error);
}

void TestSettingsWindow::calendarNote_data()
{
    QTest::addColumn<QString>("server");        // none, fake, ours
    QTest::addColumn<QStringList>("arguments"); // ours; "@" is the case's directory
    QTest::addColumn<bool>("editable");
    QTest::addColumn<QString>("note");

    QTest::newRow("no server") << "none" << QStringList() << true << "when it starts";
    QTest::newRow("calendars on its command line")
        << "ours" << QStringList{"@/calendar.ics"} << true << "command line";
    QTest::newRow("a calendar after its options")
        << "ours" << QStringList{"--sync-interval", "300", "@/calendar.ics"} << true << "command line";
    QTest::newRow("a demo") << "ours" << QStringList{"--demo=@/demo"} << true << "command line";
    // Their values were taken for calendars.
    QTest::newRow("options only") << "ours" << QStringList{"--sync-interval", "300", "--holiday-region", "de"}
                                  << true << "changes apply at once";
    QTest::newRow("options only, with =")
        << "ours" << QStringList{"--sync-interval=300"} << true << "changes apply at once";
    QTest::newRow("another program") << "fake" << QStringList() << false
                                     << QFileInfo(QCoreApplication::applicationFilePath()).fileName();
}

void TestSettingsWindow::calendarNote()
{
    QFETCH(QString, server);
    QFETCH(QStringList, arguments);
    QFETCH(bool, editable);
    QFETCH(QString, note);

    FakeDBusService other(ServerProcess::service(), DBUS_SERVER_PATH, DBUS_SERVER_NAME);
    ServerProcess ours;
    if (server == "fake")
        QVERIFY(other.start());
    if (server == "ours")
        QVERIFY(ours.start(arguments.replaceInStrings("@", dir->path())));
    SettingsWindow window;
    QCOMPARE(window.findChild<QListWidget *>("calendarList")->isEnabled(), editable);
    const QString shown = window.findChild<QLabel *>("calendarNote")->text();
    QVERIFY2(shown.contains(note), qPrintable(shown));
}

void TestSettingsWindow::lookSettings_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("timeFormat");
    QTest::addColumn<int>("opacity");
    QTest::addColumn<int>("textSize");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QStringList>("hidden");
    QTest::addColumn<int>("warnings");

    const QSize panel = WidgetSettings::defaultPanelSize;
    QTest::newRow("none: as ever") << QByteArray() << 0 << 80 << 0 << panel << QStringList() << 0;
    QTest::newRow("all chosen")
        << QByteArray(
               "[Appearance]\ntimeFormat=12h\nopacity=200\ntextSize=14\n[Window]\nwidth=600\nheight=700\n"
               "[Calendars]\nhidden=a%2Cb,c%0Ad\n")
        << 3 << 200 << 14 << QSize(600, 700) << QStringList{"a,b", "c\nd"} << 0;
    QTest::newRow("text as the desktop's")
        << QByteArray("[Appearance]\ntextSize=desktop\n") << 0 << 80 << 0 << panel << QStringList() << 0;
    QTest::newRow("unknown time format") << QByteArray("[Appearance]\ntimeFormat=weekly\nopacity=10\n") << 0
                                         << 80 << 0 << panel << QStringList() << 1;
    QTest::newRow("opacity beyond 255")
        << QByteArray("[Appearance]\nopacity=300\n") << 0 << 80 << 0 << panel << QStringList() << 1;
    QTest::newRow("panel smaller than the least")
        << QByteArray("[Window]\nwidth=100\nheight=400\n") << 0 << 80 << 0 << panel << QStringList() << 1;
    QTest::newRow("text size no number")
        << QByteArray("[Appearance]\ntextSize=huge\n") << 0 << 80 << 0 << panel << QStringList() << 1;
}

// What the file says, or the defaults with one warning; what is saved reads back the same.
void TestSettingsWindow::lookSettings()
{
    QFETCH(QByteArray, file);
    QFETCH(int, timeFormat);
    QFETCH(int, opacity);
    QFETCH(int, textSize);
    QFETCH(QSize, size);
    QFETCH(QStringList, hidden);
    QFETCH(int, warnings);

    const QString path = WidgetSettings::defaultPath();
    if (!file.isEmpty())
        QVERIFY(writeFile(path, file));
    WarningSpy spy;
    WidgetSettings settings;
    QCOMPARE(spy.warnings.size(), warnings);
    QCOMPARE(int(settings.timeFormat()), timeFormat);
    QCOMPARE(settings.opacity(), opacity);
    QCOMPARE(settings.textSize(), textSize);
    QCOMPARE(settings.panelSize(), size);
    QCOMPARE(settings.hiddenCalendars(), hidden);

    QString error;
    QVERIFY2(settings.setOpacity(opacity, &error), qPrintable(error));
    const WidgetSettings again;
    QCOMPARE(spy.warnings.size(), warnings);
    QCOMPARE(int(again.timeFormat()), timeFormat);
    QCOMPARE(again.textSize(), textSize);
    QCOMPARE(again.panelSize(), size);
    QCOMPARE(again.hiddenCalendars(), hidden);
}

void TestSettingsWindow::keyAndWeekSettings_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<bool>("weekNumbers");
    QTest::addColumn<QString>("key");
    QTest::addColumn<int>("warnings");
    QTest::addColumn<QByteArray>("saved"); // a line the saved file has; empty: neither key is written

    QTest::newRow("defaults: neither written") << QByteArray() << false << "Meta+Alt+C" << 0 << QByteArray();
    QTest::newRow("week numbers") << QByteArray("[Appearance]\nweekNumbers=true\n") << true << "Meta+Alt+C"
                                  << 0 << QByteArray("\nweekNumbers=true\n");
    QTest::newRow("week numbers off, as by default")
        << QByteArray("[Appearance]\nweekNumbers=false\n") << false << "Meta+Alt+C" << 0 << QByteArray();
    QTest::newRow("another key") << QByteArray("[Keyboard]\nfocusShortcut=Ctrl+Alt+K\n") << false
                                 << "Ctrl+Alt+K" << 0 << QByteArray("[Keyboard]\nfocusShortcut=Ctrl+Alt+K\n");
    QTest::newRow("no key at all") << QByteArray("[Keyboard]\nfocusShortcut=\n") << false << "" << 0
                                   << QByteArray("[Keyboard]\nfocusShortcut=\n");
    QTest::newRow("week numbers no boolean")
        << QByteArray("[Appearance]\nweekNumbers=often\n") << false << "Meta+Alt+C" << 1 << QByteArray();
}

// Written only when chosen, as the declined invitations: the file of a panel that never changed
// them stays as it was.
void TestSettingsWindow::keyAndWeekSettings()
{
    QFETCH(QByteArray, file);
    QFETCH(bool, weekNumbers);
    QFETCH(QString, key);
    QFETCH(int, warnings);
    QFETCH(QByteArray, saved);

    const QString path = WidgetSettings::defaultPath();
    if (!file.isEmpty())
        QVERIFY(writeFile(path, file));
    WarningSpy spy;
    WidgetSettings settings;
    QCOMPARE(spy.warnings.size(), warnings);
    QCOMPARE(settings.weekNumbers(), weekNumbers);
    QCOMPARE(settings.focusShortcut(), key);
    QString error;
    QVERIFY2(settings.setOpacity(90, &error), qPrintable(error));
    const QByteArray written = readAll(path);
    if (saved.isEmpty()) {
        QVERIFY2(!written.contains("weekNumbers") && !written.contains("[Keyboard]"), written.constData());
    } else {
        QVERIFY2(written.contains(saved), written.constData());
    }
    const WidgetSettings again;
    QCOMPARE(again.weekNumbers(), weekNumbers);
    QCOMPARE(again.focusShortcut(), key);
}

void TestSettingsWindow::keyAndWeekControls()
{
    SettingsWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    auto *weekBox = window.findChild<QCheckBox *>("weekNumbersBox");
    QVERIFY(weekBox);
    QVERIFY(!weekBox->isChecked());
    weekBox->click();
    QVERIFY(WidgetSettings().weekNumbers());

    auto *edit = window.findChild<QKeySequenceEdit *>("shortcutEdit");
    QVERIFY(edit);
    QCOMPARE(edit->keySequence(), QKeySequence(Qt::META | Qt::ALT | Qt::Key_C));
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_K, Qt::ControlModifier | Qt::AltModifier);
    // The edit ends a second after the last key.
    QTRY_COMPARE(WidgetSettings().focusShortcut(), QString("Ctrl+Alt+K"));
    QVERIFY(WidgetSettings().weekNumbers());
}

// The served calendars with their colours; one unticked is hidden from the widget, and kept so.
void TestSettingsWindow::hideCalendar()
{
    FakeDBusService server(ServerProcess::service(), DBUS_SERVER_PATH, DBUS_SERVER_NAME);
    server.setReply("GetCalendars", FakeDBusService::Reply::value(
                                        QString(R"([{"ID":"w1","Name":"Work","Color":"#3366cc",)"
                                                R"("Writable":true,"Kind":"file","Location":"/w.ics"},)"
                                                R"({"ID":"h2","Name":"Home","Writable":true,)"
                                                R"("Kind":"file","Location":"/h.ics"}])")));
    QVERIFY(server.start());
    auto shownAgain = qScopeGuard([] { DataCenter::instance()->setHiddenCalendars({}); });
    SettingsWindow window;
    auto *list = window.findChild<QListWidget *>("shownCalendarList");
    QTRY_COMPARE(list->count(), 2);
    QCOMPARE(list->item(0)->text(), "Work");
    QCOMPARE(list->item(0)->icon().pixmap(12, 12).toImage().pixelColor(6, 6), QColor("#3366cc"));
    QCOMPARE(list->item(1)->checkState(), Qt::Checked);

    QSignalSpy changed(DataCenter::instance(), &DataCenter::viewOptionsChanged);
    list->item(1)->setCheckState(Qt::Unchecked);
    QCOMPARE(changed.count(), 1);
    QCOMPARE(DataCenter::instance()->hiddenCalendars(), QSet<QString>{"h2"});
    QCOMPARE(WidgetSettings().hiddenCalendars(), QStringList{"h2"});

    SettingsWindow reopened;
    auto *again = reopened.findChild<QListWidget *>("shownCalendarList");
    QTRY_COMPARE(again->count(), 2);
    QCOMPARE(again->item(1)->checkState(), Qt::Unchecked);
}

void TestSettingsWindow::desktopCalendarEntries_data()
{
    QTest::addColumn<QStringList>("services"); // on the bus
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<QString>("key"); // server.conf's switch of the last entry

    const QString evolution = "The desktop's calendars: GNOME (Evolution)";
    const QString kde = "The desktop's calendars: KDE (Akonadi)";
    QTest::newRow("neither installed") << QStringList() << QStringList() << QString();
    QTest::newRow("GNOME") << QStringList{"org.gnome.evolution.dataserver.Sources5"} << QStringList{evolution}
                           << "Evolution/Enabled";
    QTest::newRow("KDE") << QStringList{"org.freedesktop.Akonadi.Control"} << QStringList{kde}
                         << "Akonadi/Enabled";
    QTest::newRow("both, each its own switch")
        << QStringList{"org.gnome.evolution.dataserver.Sources5", "org.freedesktop.Akonadi.Control"}
        << QStringList{evolution, kde} << "Akonadi/Enabled";
}

// Each desktop's calendars where it is installed, on by default, switched in server.conf.
void TestSettingsWindow::desktopCalendarEntries()
{
    QFETCH(QStringList, services);
    QFETCH(QStringList, entries);
    QFETCH(QString, key);

    std::vector<std::unique_ptr<FakeDBusService>> fakes;
    for (const QString &service : services) {
        fakes.push_back(std::make_unique<FakeDBusService>(service, "/", service));
        QVERIFY(fakes.back()->start());
    }
    const QString conf = DesktopCalendars::filePath();
    QFile::remove(conf);
    SettingsWindow window;
    auto *list = window.findChild<QListWidget *>("calendarList");
    QStringList shown;
    for (int i = 0; i < list->count(); ++i) {
        if (list->item(i)->flags() & Qt::ItemIsUserCheckable) {
            shown << list->item(i)->text();
            QCOMPARE(list->item(i)->checkState(), Qt::Checked);
        }
    }
    QCOMPARE(shown, entries);
    if (entries.isEmpty())
        return;
    list->item(list->count() - 1)->setCheckState(Qt::Unchecked);
    QSettings written(conf, QSettings::IniFormat);
    QCOMPARE(written.value(key).toString(), QString("false"));
    const QString other = key == "Evolution/Enabled" ? "Akonadi/Enabled" : "Evolution/Enabled";
    QVERIFY(!written.contains(other));
    QFile::remove(conf);
}

QTEST_MAIN(TestSettingsWindow)
#include "tst_settingswindow.moc"
