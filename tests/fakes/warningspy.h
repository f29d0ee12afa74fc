#ifndef SCHEDULE_TESTS_WARNINGSPY_H
#define SCHEDULE_TESTS_WARNINGSPY_H

#include <QStringList>
#include <QtGlobal>

// Records the warnings logged while it lives and passes every message on to the previous handler,
// so QTest::ignoreMessage keeps working and a test can also assert that nothing was logged.
class WarningSpy
{
public:
    WarningSpy()
    {
        current() = this;
        previous = qInstallMessageHandler(&WarningSpy::handle);
    }
    ~WarningSpy()
    {
        qInstallMessageHandler(previous);
        current() = nullptr;
    }
    WarningSpy(const WarningSpy &) = delete;
    WarningSpy &operator=(const WarningSpy &) = delete;

    QStringList warnings;

private:
    static WarningSpy *&current()
    {
        static WarningSpy *spy = nullptr;
        return spy;
    }
    static void handle(QtMsgType type, const QMessageLogContext &context, const QString &message)
    {
        WarningSpy *spy = current();
        // Qt's D-Bus keeps its own books of a name's owner, and says when a fake service that
        // the test restarted outran them: that is Qt's, not the program's, to tell. Qt 6.8 logs
        // it in its own category, Qt 5 as a plain warning.
        const bool qtsOwn = (context.category && qstrncmp(context.category, "qt.dbus.", 8) == 0) ||
                            message.startsWith(QLatin1String("QDBusConnection: name '"));
        if (type == QtWarningMsg && !qtsOwn)
            spy->warnings << message;
        if (spy->previous)
            spy->previous(type, context, message);
    }

    QtMessageHandler previous = nullptr;
};

#endif
