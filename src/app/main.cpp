#include "datacenter.h"
#include "dbusnotify.h"
#include "mainwindow.h"
#include "quitsignals.h"
#include "settingswindow.h"
#include "windowplace.h"
#include "zapplication.h"
#include "zplatform.h"
#include "ztranslations.h"

#include <QDir>

int main(int argc, char **argv)
{
    // The log lines read as they always have, without their category's name in front: the
    // categories are there to be switched with QT_LOGGING_RULES. QT_MESSAGE_PATTERN still wins.
    qSetMessagePattern(QStringLiteral("%{message}"));
    // The widget paints with QPainter alone; loading OpenGL for it costs start-up time and memory.
    if (!qEnvironmentVariableIsSet("QT_XCB_GL_INTEGRATION"))
        qputenv("QT_XCB_GL_INTEGRATION", "none");
    // A running countdown repaints one item a few times a second. Through shared memory every such
    // repaint first waits for the X server to finish reading the last one (a round trip, and a
    // wake-up of two threads); a small item is cheaper sent over the socket.
    if (!qEnvironmentVariableIsSet("QT_XCB_NO_MITSHM"))
        qputenv("QT_XCB_NO_MITSHM", "1");

    // On Wayland: a layer surface on the bottom layer, or XWayland where the compositor has none.
    Zyk::Platform::choosePlatform();

    QGuiApplication::setQuitOnLastWindowClosed(false);
    Zyk::Widget::ZApplication app(argc, argv);
    Zyk::Widget::installTranslations(QStringLiteral("tasklist"));
    // Logging out or closing the terminal must save the state just as the close button does.
    quitEventLoopOnSignals();

    QDir(QDir::homePath()).mkpath(QStringLiteral("./.local/share/TaskList"));
    DataCenter::instance()->loadData(QDir::homePath() + QStringLiteral("/.local/share/TaskList/data"));
    WindowPlace::setFile(QDir::homePath() + QStringLiteral("/.local/share/TaskList/place"));
    applySettings(WidgetSettings());

    MainWindow window;
    window.show();
    window.lower();
    // For the README's picture of the settings (make screenshot).
    if (QCoreApplication::arguments().contains(QStringLiteral("--settings")))
        window.openSettings();

    notifyUser();

    const int status = app.exec();
    window.keepPlace();
    DataCenter::instance()->saveData();
    return status;
}
