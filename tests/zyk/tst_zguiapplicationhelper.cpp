#include "fakedbusservice.h"
#include "zguiapplicationhelper.h"

#include <QApplication>
#include <QDBusConnection>
#include <QDBusPendingCallWatcher>
#include <QDBusVariant>
#include <QPalette>
#include <QSignalSpy>
#include <QTest>

using Zyk::Gui::ZGuiApplicationHelper;
using ColorType = ZGuiApplicationHelper::ColorType;

namespace {
const char *portalService = "org.freedesktop.portal.Desktop";
const char *portalPath = "/org/freedesktop/portal/desktop";
const char *portalInterface = "org.freedesktop.portal.Settings";

// A helper of the test's own, so that every case starts from a fresh one.
class Helper : public ZGuiApplicationHelper
{
public:
    Helper() = default;
    bool portalCallPending() const
    {
        const auto watchers = findChildren<QDBusPendingCallWatcher *>();
        return std::any_of(watchers.cbegin(), watchers.cend(), [](auto *w) { return !w->isFinished(); });
    }
    bool portalCallDone() const { return findChildren<QDBusPendingCallWatcher *>().isEmpty(); }
};

QPalette paletteWithWindow(const QColor &window)
{
    QPalette palette = QApplication::palette();
    palette.setColor(QPalette::Window, window);
    return palette;
}

QVariant variant(const QVariant &value)
{
    return QVariant::fromValue(QDBusVariant(value));
}

// Signals of the portal sent before this call are queued for delivery when it returns.
void syncWith(const FakeDBusService &portal)
{
    QDBusConnection::sessionBus().call(
        QDBusMessage::createMethodCall(portal.service, portal.path, portal.interface, "Ping"));
    QCoreApplication::processEvents();
}

FakeDBusService::Call portalCall(const FakeDBusService &portal)
{
    const QList<FakeDBusService::Call> calls = portal.calls("Read");
    return calls.isEmpty() ? FakeDBusService::Call() : calls.first();
}
} // namespace

class TestZGuiApplicationHelper : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void cleanup();
    void followsPalette();
    void portalAnswer_data();
    void portalAnswer();
    void startupDoesNotWaitForPortal();
    void portalSettingChanged();

private:
    QPalette lightPalette;
};

void TestZGuiApplicationHelper::initTestCase()
{
    if (!QDBusConnection::sessionBus().isConnected())
        QSKIP("no session bus");
    lightPalette = QApplication::palette();
    QVERIFY(lightPalette.color(QPalette::Window).lightness() >= 128);
}

void TestZGuiApplicationHelper::cleanup()
{
    QApplication::setPalette(lightPalette);
}

void TestZGuiApplicationHelper::followsPalette()
{
    ZGuiApplicationHelper *helper = ZGuiApplicationHelper::instance();
    QCOMPARE(ZGuiApplicationHelper::instance(), helper);
    QCOMPARE(helper->themeType(), ZGuiApplicationHelper::LightType);
    QSignalSpy spy(helper, &ZGuiApplicationHelper::themeTypeChanged);

    QApplication::setPalette(paletteWithWindow(QColor(35, 35, 38)));
    QTRY_COMPARE(spy.count(), 1);
    QCOMPARE(spy.last().first().value<ColorType>(), ZGuiApplicationHelper::DarkType);
    QCOMPARE(helper->themeType(), ZGuiApplicationHelper::DarkType);

    // Another dark palette is no change of theme.
    QApplication::setPalette(paletteWithWindow(QColor(60, 50, 70)));
    QApplication::setPalette(lightPalette);
    QTRY_COMPARE(spy.count(), 2);
    QCOMPARE(spy.last().first().value<ColorType>(), ZGuiApplicationHelper::LightType);
    QCOMPARE(helper->themeType(), ZGuiApplicationHelper::LightType);
}

void TestZGuiApplicationHelper::portalAnswer_data()
{
    QTest::addColumn<QString>("answer"); // vv, v, error, absent
    QTest::addColumn<uint>("scheme");
    QTest::addColumn<bool>("darkPalette");
    QTest::addColumn<ColorType>("expected");

    QTest::newRow("prefer dark (v in v), light palette")
        << "vv" << 1u << false << ZGuiApplicationHelper::DarkType;
    QTest::newRow("prefer dark (v), light palette") << "v" << 1u << false << ZGuiApplicationHelper::DarkType;
    QTest::newRow("prefer light, dark palette") << "vv" << 2u << true << ZGuiApplicationHelper::LightType;
    QTest::newRow("no preference, dark palette") << "vv" << 0u << true << ZGuiApplicationHelper::DarkType;
    QTest::newRow("no preference, light palette") << "vv" << 0u << false << ZGuiApplicationHelper::LightType;
    QTest::newRow("unknown value, dark palette") << "vv" << 7u << true << ZGuiApplicationHelper::DarkType;
    QTest::newRow("error reply, dark palette") << "error" << 0u << true << ZGuiApplicationHelper::DarkType;
    QTest::newRow("error reply, light palette") << "error" << 0u << false << ZGuiApplicationHelper::LightType;
    QTest::newRow("no portal, dark palette") << "absent" << 0u << true << ZGuiApplicationHelper::DarkType;
}

void TestZGuiApplicationHelper::portalAnswer()
{
    QFETCH(QString, answer);
    QFETCH(uint, scheme);
    QFETCH(bool, darkPalette);
    QFETCH(ColorType, expected);

    if (darkPalette)
        QApplication::setPalette(paletteWithWindow(QColor(20, 20, 20)));
    FakeDBusService portal(portalService, portalPath, portalInterface);
    if (answer != "absent") {
        QVERIFY(portal.start());
        if (answer == "vv")
            portal.setReply("Read", FakeDBusService::Reply::value(variant(variant(scheme))));
        else if (answer == "v")
            portal.setReply("Read", FakeDBusService::Reply::value(variant(scheme)));
        else
            portal.setReply("Read", FakeDBusService::Reply::error("org.freedesktop.portal.Error.NotFound"));
    }

    Helper helper;
    QTRY_VERIFY(helper.portalCallDone());
    QCOMPARE(helper.themeType(), expected);
    if (answer == "absent")
        return;
    const FakeDBusService::Call call = portalCall(portal);
    QCOMPARE(portal.calls("Read").size(), 1);
    QCOMPARE(call.interface, QString(portalInterface));
    QCOMPARE(call.signature, QString("ss"));
    QCOMPARE(call.arguments, QVariantList({"org.freedesktop.appearance", "color-scheme"}));
}

void TestZGuiApplicationHelper::startupDoesNotWaitForPortal()
{
    FakeDBusService portal(portalService, portalPath, portalInterface);
    QVERIFY(portal.start());
    // Answers only well after the constructor has returned, and must still be heard: a call left
    // unanswered would also outlive the test.
    portal.setReply("Read", FakeDBusService::Reply::value(variant(variant(2u)), 1000));
    QApplication::setPalette(paletteWithWindow(QColor(20, 20, 20)));

    Helper helper;
    // The constructor has returned while the portal still owes its answer.
    QVERIFY(helper.portalCallPending());
    QCOMPARE(helper.themeType(), ZGuiApplicationHelper::DarkType);
    QTRY_VERIFY(helper.portalCallDone());
    QCOMPARE(helper.themeType(), ZGuiApplicationHelper::LightType);
    QCOMPARE(portal.calls("Read").size(), 1);
}

void TestZGuiApplicationHelper::portalSettingChanged()
{
    FakeDBusService portal(portalService, portalPath, portalInterface);
    QVERIFY(portal.start());
    portal.setReply("Read", FakeDBusService::Reply::value(variant(variant(0u))));
    Helper helper;
    QTRY_VERIFY(helper.portalCallDone());
    QCOMPARE(helper.themeType(), ZGuiApplicationHelper::LightType);
    QSignalSpy spy(&helper, &ZGuiApplicationHelper::themeTypeChanged);

    auto change = [&portal](const QString &nameSpace, const QString &key, uint value) {
        portal.emitSignal("SettingChanged", {nameSpace, key, variant(value)});
    };
    change("org.freedesktop.appearance", "color-scheme", 1);
    QTRY_COMPARE(spy.count(), 1);
    QCOMPARE(spy.last().first().value<ColorType>(), ZGuiApplicationHelper::DarkType);

    // The desktop's preference outranks the palette.
    QApplication::setPalette(lightPalette);
    QCOMPARE(helper.themeType(), ZGuiApplicationHelper::DarkType);

    // Other settings are none of the helper's business.
    change("org.freedesktop.appearance", "accent-color", 2);
    change("org.other.appearance", "color-scheme", 2);
    syncWith(portal);
    QCOMPARE(spy.count(), 1);
    QCOMPARE(helper.themeType(), ZGuiApplicationHelper::DarkType);

    change("org.freedesktop.appearance", "color-scheme", 2);
    QTRY_COMPARE(spy.count(), 2);
    QCOMPARE(spy.last().first().value<ColorType>(), ZGuiApplicationHelper::LightType);

    // Back to no preference: the palette decides again.
    QApplication::setPalette(paletteWithWindow(QColor(20, 20, 20)));
    QCOMPARE(helper.themeType(), ZGuiApplicationHelper::LightType);
    change("org.freedesktop.appearance", "color-scheme", 0);
    QTRY_COMPARE(spy.count(), 3);
    QCOMPARE(spy.last().first().value<ColorType>(), ZGuiApplicationHelper::DarkType);
    QCOMPARE(helper.themeType(), ZGuiApplicationHelper::DarkType);
}

QTEST_MAIN(TestZGuiApplicationHelper)
#include "tst_zguiapplicationhelper.moc"
