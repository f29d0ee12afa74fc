#include "cscheduledbus.h"
#include "fakedbusservice.h"

#include <QDBusConnection>
#include <QtTest>

#include <memory>

namespace {

const QString service = QStringLiteral(DBUS_SERVER_NAME);
const QString objectPath = QStringLiteral(DBUS_SERVER_PATH);

// The client's failure lines, as "W GetJobs" (warning) or "D GetJobs" (debug).
class FailureLog
{
public:
    FailureLog()
    {
        current = this;
        previous = qInstallMessageHandler(&FailureLog::handle);
    }
    ~FailureLog()
    {
        qInstallMessageHandler(previous);
        current = nullptr;
    }
    QStringList lines;

private:
    static void handle(QtMsgType type, const QMessageLogContext &context, const QString &message)
    {
        const int at = message.indexOf(QLatin1String(" err , QDBusMessage("));
        if (at > 0 && (type == QtWarningMsg || type == QtDebugMsg)) {
            current->lines << QString(type == QtWarningMsg ? "W " : "D ") + message.left(at);
            return;
        }
        current->previous(type, context, message);
    }
    static FailureLog *current;
    QtMessageHandler previous = nullptr;
};
FailureLog *FailureLog::current = nullptr;

} // namespace

// A data server that stays away fails every reload the same way; the log says so once, and again
// only after the server has answered in between or fails in another way.
class TestRepeatedFailures : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        if (!QDBusConnection::sessionBus().isConnected())
            QSKIP("no session bus");
    }

    void cleanup() { fake.reset(); }

    void sequence_data()
    {
        QTest::addColumn<QStringList>("steps"); // "member:answer"
        QTest::addColumn<QStringList>("logged");

        QTest::newRow("same error three times")
            << QStringList{"GetJobs:refused", "GetJobs:refused", "GetJobs:refused"}
            << QStringList{"W GetJobs", "D GetJobs", "D GetJobs"};
        QTest::newRow("another error is news")
            << QStringList{"GetJobs:refused", "GetJobs:failed"} << QStringList{"W GetJobs", "W GetJobs"};
        QTest::newRow("same error, other message")
            << QStringList{"GetJobs:refused", "GetJobs:refused otherwise"}
            << QStringList{"W GetJobs", "W GetJobs"};
        QTest::newRow("an answer in between starts over")
            << QStringList{"GetJobs:refused", "GetJobs:ok", "GetJobs:refused", "GetJobs:refused"}
            << QStringList{"W GetJobs", "W GetJobs", "D GetJobs"};
        QTest::newRow("server gone") << QStringList{"GetJobs:gone", "GetJobs:gone", "DeleteJob:gone"}
                                     << QStringList{"W GetJobs", "D GetJobs", "W DeleteJob"};
        QTest::newRow("each member on its own")
            << QStringList{"GetJobs:refused", "QueryJobs:refused", "GetJobs:refused", "QueryJobs:ok",
                           "QueryJobs:refused"}
            << QStringList{"W GetJobs", "W QueryJobs", "D GetJobs", "W QueryJobs"};
        QTest::newRow("gone, back, gone again")
            << QStringList{"GetJobs:gone", "GetJobs:ok", "GetJobs:gone", "GetJobs:gone"}
            << QStringList{"W GetJobs", "W GetJobs", "D GetJobs"};
    }

    void sequence()
    {
        QFETCH(QStringList, steps);
        QFETCH(QStringList, logged);

        fake = std::make_unique<FakeDBusService>(service, objectPath, service);
        QVERIFY(fake->start());
        CScheduleDBus client(service, objectPath, QDBusConnection::sessionBus());
        FailureLog log;
        for (const QString &step : std::as_const(steps)) {
            const QString member = step.section(':', 0, 0);
            const QString answer = step.section(':', 1);
            if (answer == "gone") {
                fake->stop();
            } else {
                QVERIFY(fake->isRunning() || fake->start());
                if (answer == "ok")
                    fake->setReply(member, FakeDBusService::Reply::value(QString("[]")));
                else if (answer == "refused")
                    fake->setReply(member, FakeDBusService::Reply::error("com.norvale.Error.Refused"));
                else if (answer == "refused otherwise")
                    fake->setReply(member,
                                   FakeDBusService::Reply::error("com.norvale.Error.Refused", "other text"));
                else
                    fake->setReply(member, FakeDBusService::Reply::error("com.norvale.Error.Failed"));
            }
            bool ok = false;
            if (member == "GetJobs") {
                QMap<QDate, QVector<ScheduleDataInfo>> days;
                ok = client.GetJobs(QDate(2024, 3, 5), QDate(2024, 3, 11), days);
            } else if (member == "QueryJobs") {
                QString text;
                ok = client.QueryJobs("key", QDateTime(QDate(2024, 3, 5), QTime(0, 0)),
                                      QDateTime(QDate(2024, 3, 6), QTime(0, 0)), text);
            } else {
                ok = client.DeleteJob(1);
            }
            QCOMPARE(ok, answer == "ok");
        }
        QCOMPARE(log.lines, logged);
    }

private:
    std::unique_ptr<FakeDBusService> fake;
};

QTEST_GUILESS_MAIN(TestRepeatedFailures)
#include "tst_repeatedfailures.moc"
