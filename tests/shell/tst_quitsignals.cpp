#include "quitsignals.h"

#include <QProcess>
#include <QTest>

#include <csignal>
#include <cstdio>

namespace {
// The child: the event loop that the signals have to end.
int runChild(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    quitEventLoopOnSignals();
    if (qstrcmp(argv[2], "early") == 0)
        std::raise(SIGTERM); // as if it came during the blocking start-up
    std::puts("ready");
    std::fflush(stdout);
    const int status = app.exec();
    std::printf("loop ended %d\n", status);
    std::fflush(stdout);
    return status;
}
} // namespace

class TestQuitSignals : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void endsEventLoop_data();
    void endsEventLoop();
};

void TestQuitSignals::endsEventLoop_data()
{
    QTest::addColumn<QString>("mode");
    QTest::addColumn<QList<int>>("quitSignals");
    QTest::newRow("SIGTERM") << "wait" << QList<int>{SIGTERM};
    QTest::newRow("SIGINT") << "wait" << QList<int>{SIGINT};
    QTest::newRow("SIGHUP") << "wait" << QList<int>{SIGHUP};
    QTest::newRow("SIGTERM then SIGINT") << "wait" << QList<int>{SIGTERM, SIGINT};
    QTest::newRow("SIGTERM before the loop runs") << "early" << QList<int>{};
}

void TestQuitSignals::endsEventLoop()
{
    QFETCH(QString, mode);
    QFETCH(QList<int>, quitSignals);

    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.start(QCoreApplication::applicationFilePath(), {"--child", mode});
    QVERIFY(child.waitForStarted());
    QByteArray output;
    while (!output.contains("ready\n") && child.waitForReadyRead(10000))
        output += child.readAllStandardOutput();
    QVERIFY2(output.contains("ready\n"), output.constData());

    const pid_t pid = pid_t(child.processId());
    for (int i = 0; i < quitSignals.size(); ++i) {
        const int result = ::kill(pid, quitSignals.at(i));
        // A later signal may find the child already gone.
        if (i == 0)
            QCOMPARE(result, 0);
    }
    QVERIFY(child.waitForFinished(10000));
    output += child.readAllStandardOutput();
    QCOMPARE(child.exitStatus(), QProcess::NormalExit);
    QCOMPARE(child.exitCode(), 0);
    QVERIFY2(output.endsWith("loop ended 0\n"), output.constData());
}

int main(int argc, char **argv)
{
    if (argc == 3 && qstrcmp(argv[1], "--child") == 0)
        return runChild(argc, argv);
    QCoreApplication app(argc, argv);
    TestQuitSignals test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_quitsignals.moc"
