#include "fakedbusservice.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusError>
#include <QDBusVirtualObject>
#include <QMetaObject>
#include <QThread>
#include <QTimer>
#include <QUuid>

// Receives every message for the path on the service's own connection, in the service's thread.
class FakeServiceObject : public QDBusVirtualObject
{
public:
    explicit FakeServiceObject(FakeDBusService *owner)
        : owner(owner)
    {
    }

    QString introspect(const QString &) const override { return {}; }

    bool handleMessage(const QDBusMessage &message, const QDBusConnection &connection) override
    {
        if (message.type() != QDBusMessage::MethodCallMessage)
            return false;
        // The bus's own interfaces (introspection by QDBusInterface, peer pings) are not the
        // service's calls: answer them plainly and keep them out of the record.
        if (message.interface().startsWith(QLatin1String("org.freedesktop.DBus."))) {
            const bool introspect = message.member() == QLatin1String("Introspect");
            QDBusConnection(connection)
                .send(introspect ? message.createReply(QStringLiteral("<node/>"))
                                 : message.createErrorReply(QDBusError::UnknownMethod, QString()));
            return true;
        }
        const FakeDBusService::Call call{message.member(), message.interface(), message.signature(),
                                         message.arguments(), message.service()};
        owner->record(call);
        const FakeDBusService::Reply reply = owner->replyFor(call);
        QDBusMessage answer;
        switch (reply.kind) {
        case FakeDBusService::Reply::NoReply:
            return true;
        case FakeDBusService::Reply::Error:
            answer = message.createErrorReply(reply.errorName, reply.errorMessage);
            break;
        case FakeDBusService::Reply::Echo:
            answer = message.createReply(message.arguments());
            break;
        case FakeDBusService::Reply::Return:
            answer = message.createReply(reply.arguments);
            break;
        }
        if (reply.delayMs > 0) {
            const QString name = connection.name();
            QTimer::singleShot(reply.delayMs, [name, answer] { QDBusConnection(name).send(answer); });
        } else {
            QDBusConnection(connection).send(answer);
        }
        return true;
    }

private:
    FakeDBusService *owner;
};

FakeDBusService::FakeDBusService(const QString &service, const QString &path, const QString &interface)
    : service(service)
    , path(path)
    , interface(interface)
{
}

FakeDBusService::~FakeDBusService()
{
    stop();
}

bool FakeDBusService::start()
{
    if (thread)
        return true;
    connectionName = QStringLiteral("fake-") + QUuid::createUuid().toString(QUuid::WithoutBraces);
    thread = new QThread;
    thread->setObjectName(QStringLiteral("fake ") + service);
    context = new QObject;
    context->moveToThread(thread);
    thread->start();
    bool ok = false;
    // The connection and the object are made in the service's thread, so that the calls are
    // handled there while the test's thread blocks in its own calls.
    QMetaObject::invokeMethod(
        context,
        [this, &ok] {
            QDBusConnection bus = QDBusConnection::connectToBus(QDBusConnection::SessionBus, connectionName);
            if (!bus.isConnected())
                return;
            object = new FakeServiceObject(this);
            ok = bus.registerVirtualObject(path, object, QDBusConnection::SingleNode) &&
                 bus.registerService(service);
            unique = bus.baseService();
        },
        Qt::BlockingQueuedConnection);
    if (!ok)
        stop();
    return ok;
}

void FakeDBusService::stop()
{
    if (!thread)
        return;
    QMetaObject::invokeMethod(
        context,
        [this] {
            QDBusConnection bus(connectionName);
            if (bus.isConnected()) {
                bus.unregisterService(service);
                bus.unregisterObject(path);
            }
            QDBusConnection::disconnectFromBus(connectionName);
            delete object;
            object = nullptr;
        },
        Qt::BlockingQueuedConnection);
    thread->quit();
    thread->wait();
    delete context;
    context = nullptr;
    delete thread;
    thread = nullptr;
}

bool FakeDBusService::isRunning() const
{
    return thread != nullptr;
}

void FakeDBusService::setReply(const QString &member, const Reply &reply)
{
    QMutexLocker lock(&mutex);
    handlers.remove(member);
    replies.insert(member, reply);
}

void FakeDBusService::setHandler(const QString &member, const Handler &handler)
{
    QMutexLocker lock(&mutex);
    replies.remove(member);
    handlers.insert(member, handler);
}

void FakeDBusService::clearReplies()
{
    QMutexLocker lock(&mutex);
    replies.clear();
    handlers.clear();
}

QList<FakeDBusService::Call> FakeDBusService::calls() const
{
    QMutexLocker lock(&mutex);
    return recorded;
}

QList<FakeDBusService::Call> FakeDBusService::calls(const QString &member) const
{
    QList<Call> matching;
    for (const Call &call : calls())
        if (call.member == member)
            matching << call;
    return matching;
}

void FakeDBusService::clearCalls()
{
    QMutexLocker lock(&mutex);
    recorded.clear();
}

void FakeDBusService::emitSignal(const QString &member, const QVariantList &arguments)
{
    emitSignalAt(path, interface, member, arguments);
}

void FakeDBusService::emitSignalAt(const QString &objectPath, const QString &objectInterface,
                                   const QString &member, const QVariantList &arguments)
{
    QDBusMessage signal = QDBusMessage::createSignal(objectPath, objectInterface, member);
    signal.setArguments(arguments);
    QDBusConnection(connectionName).send(signal);
}

QString FakeDBusService::uniqueName() const
{
    return unique;
}

FakeDBusService::Reply FakeDBusService::replyFor(const Call &call) const
{
    Handler handler;
    {
        QMutexLocker lock(&mutex);
        if (replies.contains(call.member))
            return replies.value(call.member);
        handler = handlers.value(call.member);
    }
    return handler ? handler(call) : Reply::empty();
}

void FakeDBusService::record(const Call &call)
{
    QMutexLocker lock(&mutex);
    recorded << call;
}
