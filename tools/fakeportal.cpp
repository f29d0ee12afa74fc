// Owns org.freedesktop.portal.Desktop on the session bus and answers its Settings interface with
// one colour scheme, until it is ended.
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDBusAbstractAdaptor>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusVariant>
#include <QDebug>

using SettingsMap = QMap<QString, QVariantMap>;
Q_DECLARE_METATYPE(SettingsMap)

namespace {
const QString appearance = QStringLiteral("org.freedesktop.appearance");
const QString colorSchemeKey = QStringLiteral("color-scheme");
} // namespace

class PortalSettings : public QDBusAbstractAdaptor
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.portal.Settings")
    Q_PROPERTY(uint version READ version CONSTANT)
public:
    PortalSettings(uint scheme, QObject *parent)
        : QDBusAbstractAdaptor(parent)
        , m_scheme(scheme)
    {
    }

    uint version() const { return 2; }

public Q_SLOTS:
    // The older call wraps the value in one more variant than ReadOne does.
    QDBusVariant Read(const QString &nameSpace, const QString &key, const QDBusMessage &message)
    {
        const QDBusVariant value = ReadOne(nameSpace, key, message);
        return QDBusVariant(QVariant::fromValue(value));
    }

    QDBusVariant ReadOne(const QString &nameSpace, const QString &key, const QDBusMessage &message)
    {
        if (nameSpace != appearance || key != colorSchemeKey) {
            message.setDelayedReply(true);
            QDBusConnection::sessionBus().send(
                message.createErrorReply(QStringLiteral("org.freedesktop.portal.Error.NotFound"),
                                         QStringLiteral("Requested setting not found")));
            return {};
        }
        return QDBusVariant(QVariant::fromValue(m_scheme));
    }

    SettingsMap ReadAll(const QStringList &namespaces)
    {
        SettingsMap all;
        if (namespaces.isEmpty() || namespaces.contains(appearance))
            all.insert(appearance, {{colorSchemeKey, QVariant::fromValue(m_scheme)}});
        return all;
    }

Q_SIGNALS:
    void SettingChanged(const QString &nameSpace, const QString &key, const QDBusVariant &value);

private:
    uint m_scheme;
};

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Answers the desktop portal's colour scheme on the session bus: dark, light or none."));
    parser.addHelpOption();
    parser.addPositionalArgument(QStringLiteral("scheme"), QStringLiteral("dark, light or none"));
    parser.process(app);

    const QStringList arguments = parser.positionalArguments();
    const QStringList schemes{QStringLiteral("none"), QStringLiteral("dark"), QStringLiteral("light")};
    const int scheme = arguments.size() == 1 ? schemes.indexOf(arguments.first()) : -1;
    if (scheme < 0)
        parser.showHelp(2);

    qDBusRegisterMetaType<SettingsMap>();
    QDBusConnection bus = QDBusConnection::sessionBus();
    QObject portal;
    new PortalSettings(uint(scheme), &portal);
    if (!bus.registerObject(QStringLiteral("/org/freedesktop/portal/desktop"), &portal) ||
        !bus.registerService(QStringLiteral("org.freedesktop.portal.Desktop"))) {
        qCritical().noquote()
            << QStringLiteral("fakeportal: cannot own the portal: %1").arg(bus.lastError().message());
        return 1;
    }
    return app.exec();
}

#include "fakeportal.moc"
