#ifndef SCHEDULE_TESTS_WARNINGCATCHER_H
#define SCHEDULE_TESTS_WARNINGCATCHER_H

#include <QStringList>
#include <QtGlobal>

// Collects the warnings logged while it lives, so a test can assert that nothing was logged
// (QTest::ignoreMessage only checks that an expected message came).
class WarningCatcher
{
public:
    WarningCatcher()
    {
        current() = this;
        previous = qInstallMessageHandler(&WarningCatcher::handle);
    }
    ~WarningCatcher()
    {
        qInstallMessageHandler(previous);
        current() = nullptr;
    }
    WarningCatcher(const WarningCatcher &) = delete;
    WarningCatcher &operator=(const WarningCatcher &) = delete;

    QStringList warnings;

private:
    static WarningCatcher *&current()
    {
        static WarningCatcher *catcher = nullptr;
        return catcher;
    }
    static void handle(QtMsgType type, const QMessageLogContext &context, const QString &message)
    {
        WarningCatcher *catcher = current();
        if (type == QtWarningMsg)
            catcher->warnings << message;
        else if (catcher->previous)
            catcher->previous(type, context, message);
    }

    QtMessageHandler previous = nullptr;
};

#endif
