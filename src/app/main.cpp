#include "commandline.h"
#include "datacenter.h"
#include "dayclock.h"
#include "dbusnotify.h"
#include "eventactions.h"
#include "instance.h"
#include "joinnext.h"
#include "mainwindow.h"
#include "quitsignals.h"
#include "reminderscheduler.h"
#include "settingswindow.h"
#include "singleinstance.h"
#include "windowplace.h"
#include "zapplication.h"
#include "zguiapplicationhelper.h"
#include "zplatform.h"
#include "ztranslations.h"

#include <QDir>
#include <QTextStream>
#include <QTimer>

#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace {

// No panel and no display: the data server's answer, and the link handed to the desktop.
int joinNext(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    Zyk::Widget::installTranslations(QStringLiteral("tasklist"));
    QTextStream out(stdout);
    QTextStream err(stderr);
    QTimer::singleShot(0, &app, [&out, &err] { JoinNext::run(out, err, &QCoreApplication::exit); });
    return app.exec();
}

} // namespace

int main(int argc, char **argv)
{
    // Before anything else: --help, --version and a wrong argument need no display, bus or file.
    const CommandLine commandLine(argc, argv);
    if (const std::optional<int> exitCode = commandLine.exitCode())
        return *exitCode;
    // The log lines read as they always have, without their category's name in front: the
    // categories are there to be switched with QT_LOGGING_RULES. QT_MESSAGE_PATTERN still wins.
    qSetMessagePattern(QStringLiteral("%{message}"));
    if (commandLine.isSet("join-next"))
        return joinNext(argc, argv);
    // The widget paints with QPainter alone; loading OpenGL for it costs start-up time and memory.
    if (!qEnvironmentVariableIsSet("QT_XCB_GL_INTEGRATION"))
        qputenv("QT_XCB_GL_INTEGRATION", "none");
    // A running countdown repaints one item a few times a second. Through shared memory every such
    // repaint first waits for the X server to finish reading the last one (a round trip, and a
    // wake-up of two threads); a small item is cheaper sent over the socket.
    if (!qEnvironmentVariableIsSet("QT_XCB_NO_MITSHM"))
        qputenv("QT_XCB_NO_MITSHM", "1");
#ifdef __GLIBC__
    // All the panel's work is on its GUI thread; Qt's D-Bus and X event threads allocate a few
    // messages. An arena of their own would keep a heap of 128 KiB and more resident for them.
    mallopt(M_ARENA_MAX, 1);
#endif

    // On Wayland: a layer surface on the bottom layer, or XWayland where the compositor has none.
    Zyk::Platform::choosePlatform();

    QGuiApplication::setQuitOnLastWindowClosed(false);
    Zyk::Widget::ZApplication app(argc, argv);
    Instance::setName(commandLine.instance());
    SingleInstance single(Instance::busName());
    const bool focus = commandLine.isSet("focus");
    if (!single.claim(focus ? SingleInstance::Request::Focus : SingleInstance::Request::Show))
        return 0;
    Zyk::Widget::installTranslations(QStringLiteral("tasklist"));
    // Logging out or closing the terminal must save the state just as the close button does.
    quitEventLoopOnSignals();

    const QDir data(Instance::dataDirectory());
    data.mkpath(QStringLiteral("."));
    DataCenter::instance()->loadData(data.filePath(QStringLiteral("data")));
    WindowPlace::setFile(data.filePath(QStringLiteral("place")));
    applySettings(WidgetSettings());

    MainWindow window;
    QObject::connect(&single, &SingleInstance::showRequested, &window, [&window] {
        window.showNormal();
        window.activateWindow();
    });
    QObject::connect(&single, &SingleInstance::focusRequested, &window, &MainWindow::focusPanel);
    window.show();
    window.lower();
    if (focus)
        window.focusPanel();
    // For the README's pictures of the settings and the editor (make screenshot).
    if (commandLine.isSet("settings"))
        window.openSettings();
    if (commandLine.isSet("new-event"))
        window.eventActions()->newEvent();

    // The system bus (suspend, resume and a new time zone), the notification, the reminders' jobs
    // and calendars, the desktop's colour scheme where its portal has yet to start, and the focus
    // shortcut (a session with the portal, or KGlobalAccel, and calls that wait for the bus): none
    // of them is in the first frame, which would wait for their work.
    QObject::connect(&window, &MainWindow::firstFrameShown, &app, [&window, &commandLine] {
        DataCenter::instance()->clock()->setSystemBus(QDBusConnection::systemBus());
        window.bindFocusShortcut(
            QStringLiteral("nvx-calendar-desktop-widget") +
            (commandLine.instance().isEmpty() ? QString() : QLatin1Char('-') + commandLine.instance()));
        notifyUser();
        DataCenter::instance()->reminders()->start();
        Zyk::Gui::ZGuiApplicationHelper::instance()->askDesktop();
    });

    const int status = app.exec();
    window.keepPlace();
    window.finishPendingChanges();
    DataCenter::instance()->saveData();
    return status;
}
