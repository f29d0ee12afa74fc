#include "fakedbusservice.h"
#include "globalshortcut.h"

#include <QDBusArgument>
#include <QDBusObjectPath>
#include <QKeySequence>
#include <QtTest>

Q_DECLARE_METATYPE(GlobalShortcut::Backend)

namespace {
const QString portalPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString portalInterface = QStringLiteral("org.freedesktop.portal.GlobalShortcuts");
const QString componentPath = QStringLiteral("/component/nvx_calendar_desktop_widget");
const QString component = QStringLiteral("nvx-calendar-desktop-widget");

// Where the portal answers a request of this test's connection: the path the handle token names.
QString requestPath(const FakeDBusService::Call &call)
{
    const QVariantMap options = qdbus_cast<QVariantMap>(call.arguments.constLast());
    QString sender = QDBusConnection::sessionBus().baseService().mid(1);
    sender.replace('.', '_');
    return portalPath + "/request/" + sender + "/" + options.value("handle_token").toString();
}

void answer(FakeDBusService &portal, const FakeDBusService::Call &call, uint response,
            const QVariantMap &results = {})
{
    portal.emitSignalAt(requestPath(call), "org.freedesktop.portal.Request", "Response", {response, results});
}

// The shortcuts BindShortcuts was given, as (id, preferred trigger).
QList<QPair<QString, QString>> boundShortcuts(const FakeDBusService::Call &call)
{
    QList<QPair<QString, QString>> shortcuts;
    const QDBusArgument argument = call.arguments.value(1).value<QDBusArgument>();
    argument.beginArray();
    while (!argument.atEnd()) {
        QString id;
        QVariantMap properties;
        argument.beginStructure();
        argument >> id >> properties;
        argument.endStructure();
        shortcuts.append({id, properties.value("preferred_trigger").toString()});
    }
    argument.endArray();
    return shortcuts;
}

int combined(const char *key)
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    return QKeySequence(QString::fromLatin1(key))[0].toCombined();
#else
    return QKeySequence(QString::fromLatin1(key))[0];
#endif
}
} // namespace

// The panel's key reaches it through the portal, else KGlobalAccel, else nothing (--focus remains).
class TestGlobalShortcut : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        if (!QDBusConnection::sessionBus().isConnected())
            QSKIP("no session bus");
        qRegisterMetaType<GlobalShortcut::Backend>();
        qunsetenv("XDG_CURRENT_DESKTOP");
    }

    void portalTrigger_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("trigger");
        QTest::newRow("the default") << "Meta+Alt+C"
                                     << "ALT+LOGO+c";
        QTest::newRow("a function key") << "Ctrl+Shift+F5"
                                        << "CTRL+SHIFT+F5";
        QTest::newRow("space") << "Meta+Space"
                               << "LOGO+space";
        QTest::newRow("a digit") << "Ctrl+Alt+1"
                                 << "CTRL+ALT+1";
        QTest::newRow("none") << ""
                              << "";
    }

    void portalTrigger()
    {
        QFETCH(QString, key);
        QFETCH(QString, trigger);
        QCOMPARE(GlobalShortcut::portalTrigger(key), trigger);
    }

    void throughThePortal()
    {
        FakeDBusService portal(GlobalShortcut::portalService, portalPath, portalInterface);
        QVERIFY(portal.start());
        GlobalShortcut shortcut(component);
        QSignalSpy activated(&shortcut, &GlobalShortcut::activated);
        shortcut.bind("Meta+Alt+C");

        QTRY_COMPARE(portal.calls("CreateSession").size(), 1);
        // Before it, the program says which it is.
        const FakeDBusService::Call registered = portal.calls().constFirst();
        QCOMPARE(registered.member, QString("Register"));
        QCOMPARE(registered.interface, QString("org.freedesktop.host.portal.Registry"));
        QCOMPARE(registered.arguments.constFirst().toString(), QString("nvx-calendar-desktop-widget"));
        const QString session = portalPath + "/session/test/1";
        answer(portal, portal.calls("CreateSession").constFirst(), 0, {{"session_handle", session}});
        QTRY_COMPARE(portal.calls("BindShortcuts").size(), 1);
        const FakeDBusService::Call bind = portal.calls("BindShortcuts").constFirst();
        QCOMPARE(bind.signature, QString("oa(sa{sv})sa{sv}"));
        QCOMPARE(bind.arguments.constFirst().value<QDBusObjectPath>().path(), session);
        QCOMPARE(boundShortcuts(bind), (QList<QPair<QString, QString>>{{"focus", "ALT+LOGO+c"}}));
        QCOMPARE(shortcut.backend(), GlobalShortcut::Backend::Pending);
        answer(portal, bind, 0);
        QTRY_COMPARE(shortcut.backend(), GlobalShortcut::Backend::Portal);

        // Another session's or another shortcut's activation is not this one's.
        portal.emitSignal("Activated", {QVariant::fromValue(QDBusObjectPath(portalPath + "/session/other/1")),
                                        QString("focus"), qulonglong(1), QVariantMap()});
        portal.emitSignal("Activated", {QVariant::fromValue(QDBusObjectPath(session)), QString("other"),
                                        qulonglong(2), QVariantMap()});
        portal.emitSignal("Activated", {QVariant::fromValue(QDBusObjectPath(session)), QString("focus"),
                                        qulonglong(3), QVariantMap()});
        QTRY_COMPARE(activated.size(), 1);
        QTest::qWait(50);
        QCOMPARE(activated.size(), 1);

        // A new key from the settings: a new session, which binds it.
        shortcut.bind("Ctrl+Alt+K");
        QTRY_COMPARE(portal.calls("CreateSession").size(), 2);
        answer(portal, portal.calls("CreateSession").constLast(), 0,
               {{"session_handle", portalPath + "/session/test/2"}});
        QTRY_COMPARE(portal.calls("BindShortcuts").size(), 2);
        QCOMPARE(boundShortcuts(portal.calls("BindShortcuts").constLast()),
                 (QList<QPair<QString, QString>>{{"focus", "CTRL+ALT+k"}}));
    }

    void portalRefuses()
    {
        FakeDBusService portal(GlobalShortcut::portalService, portalPath, portalInterface);
        QVERIFY(portal.start());
        GlobalShortcut shortcut(component);
        shortcut.bind("Meta+Alt+C");
        QTRY_COMPARE(portal.calls("CreateSession").size(), 1);
        answer(portal, portal.calls("CreateSession").constFirst(), 1);
        QTRY_COMPARE(shortcut.backend(), GlobalShortcut::Backend::None);
        QVERIFY(portal.calls("BindShortcuts").isEmpty());
    }

    void throughKGlobalAccel_data()
    {
        QTest::addColumn<QString>("portal"); // "" none on the bus, or the error it answers with
        QTest::newRow("no portal") << "";
        QTest::newRow("a portal without global shortcuts") << "org.freedesktop.DBus.Error.UnknownMethod";
    }

    void throughKGlobalAccel()
    {
        QFETCH(QString, portal);
        FakeDBusService portalService(GlobalShortcut::portalService, portalPath, portalInterface);
        if (!portal.isEmpty()) {
            portalService.setReply("CreateSession", FakeDBusService::Reply::error(portal));
            QVERIFY(portalService.start());
        }
        FakeDBusService daemon(GlobalShortcut::kglobalaccelService, "/kglobalaccel", "org.kde.KGlobalAccel");
        daemon.setReply("getComponent",
                        FakeDBusService::Reply::value(QVariant::fromValue(QDBusObjectPath(componentPath))));
        daemon.setReply("setShortcut", FakeDBusService::Reply::value(QVariant::fromValue(QList<int>())));
        QVERIFY(daemon.start());

        GlobalShortcut shortcut(component);
        QSignalSpy activated(&shortcut, &GlobalShortcut::activated);
        shortcut.bind("Meta+Alt+C");
        QTRY_COMPARE(shortcut.backend(), GlobalShortcut::Backend::KGlobalAccel);
        QTRY_COMPARE(daemon.calls("setShortcut").size(), 1);
        const QStringList actionId =
            daemon.calls("doRegister").constFirst().arguments.constFirst().toStringList();
        QCOMPARE(actionId.mid(0, 2), (QStringList{component, "focus"}));
        QCOMPARE(daemon.calls("getComponent").constFirst().arguments, QVariantList{component});
        FakeDBusService::Call set = daemon.calls("setShortcut").constFirst();
        QCOMPARE(set.signature, QString("asaiu"));
        QCOMPARE(qdbus_cast<QList<int>>(set.arguments.at(1)), QList<int>{combined("Meta+Alt+C")});
        // In use at once, whatever key the daemon kept from an earlier run.
        QCOMPARE(set.arguments.at(2).toUInt(), 6u);

        daemon.emitSignalAt(componentPath, "org.kde.kglobalaccel.Component", "globalShortcutPressed",
                            {QString("another-program"), QString("focus"), qlonglong(1)});
        daemon.emitSignalAt(componentPath, "org.kde.kglobalaccel.Component", "globalShortcutPressed",
                            {component, QString("focus"), qlonglong(2)});
        QTRY_COMPARE(activated.size(), 1);
        QTest::qWait(50);
        QCOMPARE(activated.size(), 1);

        shortcut.bind("Ctrl+Alt+K");
        QTRY_COMPARE(daemon.calls("setShortcut").size(), 2);
        set = daemon.calls("setShortcut").constLast();
        QCOMPARE(qdbus_cast<QList<int>>(set.arguments.at(1)), QList<int>{combined("Ctrl+Alt+K")});
        QCOMPARE(daemon.calls("doRegister").size(), 1);
    }

    void neither()
    {
        GlobalShortcut shortcut(component);
        QSignalSpy changed(&shortcut, &GlobalShortcut::backendChanged);
        shortcut.bind("Meta+Alt+C");
        QTRY_COMPARE(changed.size(), 1);
        QCOMPARE(shortcut.backend(), GlobalShortcut::Backend::None);
    }
};

QTEST_GUILESS_MAIN(TestGlobalShortcut)
#include "tst_globalshortcut.moc"
