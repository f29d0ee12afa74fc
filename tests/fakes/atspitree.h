#ifndef TESTS_FAKES_ATSPITREE_H
#define TESTS_FAKES_ATSPITREE_H

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusReply>
#include <QDBusVariant>
#include <QRect>
#include <QString>
#include <QVector>

// A program's accessible objects read as a screen reader reads them: plain calls on the
// accessibility bus (AT-SPI), never through the toolkit that made them.
namespace AtSpi {

// The numbers of AtspiRole and AtspiStateType, as at-spi2-core's clients and Orca know them.
enum Role : uint {
    RoleCheckBox = 7,
    RoleList = 31,
    RoleListItem = 32,
    RolePushButton = 43,
    RoleRadioButton = 44,
    RoleToggleButton = 62,
    RoleNotification = 101,
};
// An announcement's politeness (AtspiLive), in its event's first detail.
enum Live : int {
    LivePolite = 1,
    LiveAssertive = 2,
};
enum State : uint {
    StateActive = 1,
    StateChecked = 4,
    StateFocusable = 11,
    StateFocused = 12,
    StateShowing = 25,
};

inline QString registryService()
{
    return QStringLiteral("org.a11y.atspi.Registry");
}

// One accessible object: the bus name of its program and its object path.
struct Node
{
    QString service;
    QString path;

    bool isNull() const { return service.isEmpty() || path.isEmpty() || path == "/org/a11y/atspi/null"; }
    bool operator==(const Node &other) const { return service == other.service && path == other.path; }
};

inline const QDBusArgument &operator>>(const QDBusArgument &in, Node &node)
{
    QDBusObjectPath path;
    in.beginStructure();
    in >> node.service >> path;
    in.endStructure();
    node.path = path.path();
    return in;
}

// The accessibility bus's address, as the session bus's launcher gives it; empty while it has none.
inline QString busAddress(const QDBusConnection &session)
{
    const QDBusMessage call =
        QDBusMessage::createMethodCall(QStringLiteral("org.a11y.Bus"), QStringLiteral("/org/a11y/bus"),
                                       QStringLiteral("org.a11y.Bus"), QStringLiteral("GetAddress"));
    const QDBusReply<QString> reply = session.call(call, QDBus::Block, 2000);
    return reply.isValid() ? reply.value() : QString();
}

class Reader
{
public:
    explicit Reader(const QDBusConnection &bus)
        : bus(bus)
    {
    }

    // The registry's desktop, whose children are the programs that joined the bus.
    static Node desktop() { return {registryService(), QStringLiteral("/org/a11y/atspi/accessible/root")}; }

    QVector<Node> children(const Node &node) const
    {
        QVector<Node> nodes;
        const QDBusMessage reply = call(node, accessible(), QStringLiteral("GetChildren"));
        if (reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty()) {
            const QDBusArgument list = reply.arguments().constFirst().value<QDBusArgument>();
            list.beginArray();
            while (!list.atEnd()) {
                Node child;
                list >> child;
                nodes.append(child);
            }
            list.endArray();
        }
        return nodes;
    }

    Node childAt(const Node &node, int index) const
    {
        Node child;
        const QDBusMessage reply = call(node, accessible(), QStringLiteral("GetChildAtIndex"), {index});
        if (reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty())
            reply.arguments().constFirst().value<QDBusArgument>() >> child;
        return child;
    }

    int childCount(const Node &node) const { return property(node, QStringLiteral("ChildCount")).toInt(); }
    QString name(const Node &node) const { return property(node, QStringLiteral("Name")).toString(); }
    QString description(const Node &node) const
    {
        return property(node, QStringLiteral("Description")).toString();
    }

    uint role(const Node &node) const
    {
        return first(call(node, accessible(), QStringLiteral("GetRole"))).toUInt();
    }
    QString roleName(const Node &node) const
    {
        return first(call(node, accessible(), QStringLiteral("GetRoleName"))).toString();
    }

    // The state set, two 32-bit words of bits indexed by AtspiStateType.
    bool hasState(const Node &node, State state) const
    {
        const QDBusMessage reply = call(node, accessible(), QStringLiteral("GetState"));
        if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
            return false;
        QList<uint> words;
        reply.arguments().constFirst().value<QDBusArgument>() >> words;
        const int word = int(state / 32);
        return word < words.size() && (words.at(word) & (1u << (state % 32)));
    }

    // Where the object is on the screen (Component.GetExtents, in screen coordinates).
    QRect extents(const Node &node) const
    {
        const QDBusMessage reply =
            call(node, QStringLiteral("org.a11y.atspi.Component"), QStringLiteral("GetExtents"), {0u});
        QRect rect;
        if (reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty()) {
            int x = 0, y = 0, w = 0, h = 0;
            const QDBusArgument box = reply.arguments().constFirst().value<QDBusArgument>();
            box.beginStructure();
            box >> x >> y >> w >> h;
            box.endStructure();
            rect = QRect(x, y, w, h);
        }
        return rect;
    }

    // The names of the actions a screen reader offers for the object (Action interface).
    QStringList actions(const Node &node) const
    {
        QStringList names;
        const int count =
            property(node, QStringLiteral("NActions"), QStringLiteral("org.a11y.atspi.Action")).toInt();
        for (int i = 0; i < count; ++i)
            names << first(
                         call(node, QStringLiteral("org.a11y.atspi.Action"), QStringLiteral("GetName"), {i}))
                         .toString();
        return names;
    }

    // Does the object's first action (a button's click) and does not wait for it to be done: a button
    // that opens a dialog answers only once the dialog is closed.
    bool press(const Node &node) const
    {
        QDBusMessage message = QDBusMessage::createMethodCall(
            node.service, node.path, QStringLiteral("org.a11y.atspi.Action"), QStringLiteral("DoAction"));
        message << 0;
        return bus.send(message);
    }

    // The object and all below it, depth first, in the order of their parents' children.
    QVector<Node> descendants(const Node &node, int depth = 0) const
    {
        QVector<Node> nodes;
        if (depth > 30)
            return nodes;
        for (const Node &child : children(node)) {
            nodes << child;
            nodes << descendants(child, depth + 1);
        }
        return nodes;
    }

    // Asks the registry to have the programs send these events, as a screen reader does at start.
    bool registerEvent(const QString &event) const
    {
        QDBusMessage message = QDBusMessage::createMethodCall(
            registryService(), QStringLiteral("/org/a11y/atspi/registry"),
            QStringLiteral("org.a11y.atspi.Registry"), QStringLiteral("RegisterEvent"));
        // No program named: the events of every program.
        message << event << QStringList() << QString();
        return bus.call(message, QDBus::Block, 5000).type() == QDBusMessage::ReplyMessage;
    }

    bool hasRegistry() const
    {
        const QDBusReply<bool> owned = bus.interface()->isServiceRegistered(registryService());
        return owned.isValid() && owned.value();
    }

private:
    static QString accessible() { return QStringLiteral("org.a11y.atspi.Accessible"); }

    static QVariant first(const QDBusMessage &reply)
    {
        return reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty()
                   ? reply.arguments().constFirst()
                   : QVariant();
    }

    QDBusMessage call(const Node &node, const QString &interface, const QString &method,
                      const QVariantList &arguments = {}) const
    {
        QDBusMessage message = QDBusMessage::createMethodCall(node.service, node.path, interface, method);
        message.setArguments(arguments);
        return bus.call(message, QDBus::Block, 5000);
    }

    QVariant property(const Node &node, const QString &name, const QString &interface = accessible()) const
    {
        const QVariant value = first(call(node, QStringLiteral("org.freedesktop.DBus.Properties"),
                                          QStringLiteral("Get"), {interface, name}));
        return value.value<QDBusVariant>().variant();
    }

    QDBusConnection bus;
};

} // namespace AtSpi

#endif
