#ifndef TESTS_FAKEDBUSSERVICE_H
#define TESTS_FAKEDBUSSERVICE_H

#include <QDBusMessage>
#include <QMutex>
#include <QString>
#include <QVariantList>
#include <functional>
#include <memory>

class QThread;
class FakeServiceObject;

// A fake desktop service on the test's private session bus. It owns a bus connection of its own,
// served by its own thread, so calls from the code under test really cross the bus: wrong wire
// types, missing services and time-outs behave as they do against the real service.
//
//     FakeDBusService fake("com.norvale.Calendar", "/com/norvale/Calendar", "com.norvale.Calendar");
//     QVERIFY(fake.start());
//     fake.setReply("GetJobs", FakeDBusService::Reply::value(QString("[]")));
//     ... code under test calls the service ...
//     QTRY_COMPARE(fake.calls().size(), 1);
//     QCOMPARE(fake.calls().first().signature, QString("uuuuuu"));
class FakeDBusService
{
public:
    struct Call
    {
        QString member;
        QString interface;
        QString signature;
        QVariantList arguments;
        QString sender;
    };

    struct Reply
    {
        enum Kind { Return, Error, NoReply, Echo };
        Kind kind = Return;
        QVariantList arguments;
        QString errorName;
        QString errorMessage;
        int delayMs = 0;

        static Reply value(const QVariant &v, int delayMs = 0) { return {Return, {v}, {}, {}, delayMs}; }
        static Reply values(const QVariantList &v) { return {Return, v, {}, {}, 0}; }
        static Reply empty() { return {Return, {}, {}, {}, 0}; }
        static Reply error(const QString &name, const QString &message = QStringLiteral("fake failure"))
        {
            return {Error, {}, name, message, 0};
        }
        static Reply never() { return {NoReply, {}, {}, {}, 0}; }
        static Reply echo() { return {Echo, {}, {}, {}, 0}; }
    };
    // Computes the reply from the call; runs on the service's thread.
    using Handler = std::function<Reply(const Call &)>;

    FakeDBusService(const QString &service, const QString &path, const QString &interface);
    ~FakeDBusService();

    // Connects, registers the object and takes the service name; false when there is no bus.
    bool start();
    void stop();
    bool isRunning() const;

    // The reply to every later call of `member`; members without a reply get an empty method return.
    void setReply(const QString &member, const Reply &reply);
    void setHandler(const QString &member, const Handler &handler);
    void clearReplies();

    QList<Call> calls() const;
    QList<Call> calls(const QString &member) const;
    void clearCalls();

    // Emits a signal of the service's interface from the service's own connection.
    void emitSignal(const QString &member, const QVariantList &arguments = {});
    // The same from another object of the service (a portal's request, a daemon's component).
    void emitSignalAt(const QString &objectPath, const QString &objectInterface, const QString &member,
                      const QVariantList &arguments = {});
    // The unique bus name of the service's connection.
    QString uniqueName() const;

    const QString service;
    const QString path;
    const QString interface;

private:
    friend class FakeServiceObject;
    Reply replyFor(const Call &call) const;
    void record(const Call &call);

    mutable QMutex mutex;
    QHash<QString, Reply> replies;
    QHash<QString, Handler> handlers;
    QList<Call> recorded;
    QString connectionName;
    QString unique;
    QThread *thread = nullptr;
    QObject *context = nullptr;
    FakeServiceObject *object = nullptr;
};

#endif
