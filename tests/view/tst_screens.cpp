#include "mainwindow.h"
#include "windowplace.h"

#include <QApplication>
#include <QFile>
#include <QProcess>
#include <QScreen>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

// The panel on X11 while monitors come and go: an X server of the test's own whose dummy driver
// has RandR outputs that xrandr switches on and off, as monitors plugged in and out are.
namespace {
QTemporaryDir *serverDir = nullptr;
QProcess *xServer = nullptr;
QString noServer; // why there is none

// Before the application object exists: Qt connects to the display only then.
void startXServer()
{
    for (const char *program : {"Xorg", "xrandr"}) {
        if (QStandardPaths::findExecutable(program).isEmpty()) {
            noServer = QStringLiteral("%1 is not installed").arg(program);
            return;
        }
    }
    if (!QFile::exists(QStringLiteral("/usr/lib/xorg/modules/drivers/dummy_drv.so"))) {
        noServer = QStringLiteral("the X server's dummy driver is not installed");
        return;
    }
    serverDir = new QTemporaryDir;
    QFile config(serverDir->filePath(QStringLiteral("xorg.conf")));
    if (!config.open(QIODevice::WriteOnly) ||
        config.write("Section \"Device\"\n  Identifier \"dummy\"\n  Driver \"dummy\"\n  VideoRam 64000\n"
                     "EndSection\n") < 0) {
        noServer = QStringLiteral("cannot write the X server's configuration");
        return;
    }
    config.close();
    xServer = new QProcess;
    xServer->setStandardErrorFile(serverDir->filePath(QStringLiteral("stderr")));
    // -displayfd: the server takes a free display and tells its number once it accepts clients.
    xServer->start(QStringLiteral("Xorg"),
                   {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-config"),
                    config.fileName(), QStringLiteral("-noreset"), QStringLiteral("-nolisten"),
                    QStringLiteral("tcp"), QStringLiteral("-logfile"),
                    serverDir->filePath(QStringLiteral("xorg.log"))});
    while (xServer->waitForReadyRead(10000) && !xServer->canReadLine()) {
    }
    const QByteArray display = xServer->readLine().trimmed();
    if (display.isEmpty()) {
        // Only root may start Xorg on a machine where nobody sits at the console.
        noServer = QStringLiteral("Xorg did not start (see its log)");
        return;
    }
    qputenv("DISPLAY", ":" + display);
    qputenv("QT_QPA_PLATFORM", "xcb");
}

bool xrandr(const QStringList &arguments)
{
    QProcess process;
    process.start(QStringLiteral("xrandr"), arguments);
    return process.waitForFinished(10000) && process.exitCode() == 0;
}

// The dummy driver tells an output connected only when it is asked again, as a server asks a
// monitor on hot-plug: the question (xrandr alone) brings the event that Qt adds a screen for.
bool plugIn()
{
    return xrandr({"--output", "DUMMY1", "--mode", "1024x768", "--pos", "1024x0"}) && xrandr({});
}
} // namespace

class TestScreens : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void followsMonitors();

private:
    QTemporaryDir dataDir;
};

void TestScreens::initTestCase()
{
    if (!noServer.isEmpty())
        QSKIP(qPrintable(noServer));
    QVERIFY(dataDir.isValid());
    WindowPlace::setFile(dataDir.filePath(QStringLiteral("place")));
    QVERIFY(xrandr({"--output", "DUMMY0", "--mode", "1024x768", "--pos", "0x0"}));
    QVERIFY(xrandr({"--addmode", "DUMMY1", "1024x768"}));
    QTRY_COMPARE(QGuiApplication::screens().size(), 1);
}

void TestScreens::cleanupTestCase()
{
    if (xServer) {
        xServer->terminate();
        xServer->waitForFinished(5000);
    }
}

// At login the second monitor may come after the widget has started.
void TestScreens::followsMonitors()
{
    const QPoint onSecond(1300, 200);
    const QPoint nearest(1024 - 350, 200);
    {
        QFile place(dataDir.filePath(QStringLiteral("place")));
        QVERIFY(place.open(QIODevice::WriteOnly) && place.write("1300 200\n") > 0);
    }
    auto window = std::make_unique<MainWindow>();
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    QCOMPARE(window->pos(), nearest);

    QVERIFY(plugIn());
    QTRY_COMPARE(window->pos(), onSecond);
    QVERIFY(xrandr({"--output", "DUMMY1", "--off"}));
    QTRY_COMPARE(window->pos(), nearest);
    QVERIFY(plugIn());
    QTRY_COMPARE(window->pos(), onSecond);
    // Below the first, the second monitor no longer holds the place.
    QVERIFY(xrandr({"--output", "DUMMY1", "--pos", "0x768"}));
    QTRY_COMPARE(window->pos(), nearest);

    // The place chosen for want of a screen is not the user's: the kept one stays.
    window->keepPlace();
    window.reset();
    QCOMPARE(WindowPlace::kept().value_or(QPoint()), onSecond);
}

int main(int argc, char **argv)
{
    startXServer();
    QApplication app(argc, argv);
    TestScreens test;
    const int status = QTest::qExec(&test, argc, argv);
    delete xServer;
    delete serverDir;
    return status;
}

#include "tst_screens.moc"
