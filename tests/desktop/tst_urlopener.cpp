#include "fakedbusservice.h"
#include "urlopener.h"

#include <QDBusObjectPath>
#include <QDesktopServices>
#include <QtTest>

// Links reach the desktop's handler through the portal where one answers, else through
// QDesktopServices, and links that would run something here reach neither.
class TestUrlOpener : public QObject
{
    Q_OBJECT

public Q_SLOTS:
    void handle(const QUrl &url) { handled << url.toString(); }

private Q_SLOTS:
    void initTestCase()
    {
        if (!QDBusConnection::sessionBus().isConnected())
            QSKIP("no session bus");
        for (const char *scheme : {"https", "http", "mailto", "geo", "zoommtg", "file", "javascript"})
            QDesktopServices::setUrlHandler(QLatin1String(scheme), this, "handle");
    }

    void open_data()
    {
        QTest::addColumn<QString>("url");
        QTest::addColumn<QString>("portal"); // "", "answers" or "fails"
        QTest::addColumn<QString>("toPortal");
        QTest::addColumn<QString>("here");

        const QString teams = QStringLiteral("https://teams.microsoft.com/l/meetup-join/"
                                             "19%3ameeting_N2E3@thread.v2/0?context=%7b%22Tid%22%7d");
        QTest::newRow("the portal opens exactly the link") << teams << "answers" << teams << "";
        QTest::newRow("no portal: QDesktopServices") << teams << ""
                                                     << "" << teams;
        QTest::newRow("a portal that fails: QDesktopServices") << "zoommtg://zoom.us/join?confno=8512345678"
                                                               << "fails"
                                                               << "zoommtg://zoom.us/join?confno=8512345678"
                                                               << "zoommtg://zoom.us/join?confno=8512345678";
        QTest::newRow("a map") << "geo:0,0?q=1%20Main%20Street"
                               << ""
                               << ""
                               << "geo:0,0?q=1%20Main%20Street";
        QTest::newRow("a local file is not a link to open") << "file:///etc/passwd"
                                                            << "answers"
                                                            << ""
                                                            << "";
        QTest::newRow("script") << "javascript:alert(1)"
                                << "answers"
                                << ""
                                << "";
        QTest::newRow("relative") << "meet.google.com/abc"
                                  << ""
                                  << ""
                                  << "";
    }

    void open()
    {
        QFETCH(QString, url);
        QFETCH(QString, portal);
        QFETCH(QString, toPortal);
        QFETCH(QString, here);

        handled.clear();
        FakeDBusService fake(QStringLiteral("org.freedesktop.portal.Desktop"),
                             QStringLiteral("/org/freedesktop/portal/desktop"),
                             QStringLiteral("org.freedesktop.portal.OpenURI"));
        if (!portal.isEmpty()) {
            QVERIFY(fake.start());
            fake.setReply(
                QStringLiteral("OpenURI"),
                portal == QLatin1String("answers")
                    ? FakeDBusService::Reply::value(
                          QVariant::fromValue(QDBusObjectPath(QStringLiteral("/request/1"))))
                    : FakeDBusService::Reply::error(QStringLiteral("org.freedesktop.DBus.Error.Failed")));
        }
        UrlOpener::open(url);
        // QUrl writes the escapes of what it hands on in capitals: the same link.
        if (!here.isEmpty())
            here = QUrl(here).toString();
        if (!here.isEmpty())
            QTRY_COMPARE(handled, QStringList{here});
        if (!toPortal.isEmpty()) {
            QTRY_COMPARE(fake.calls(QStringLiteral("OpenURI")).size(), 1);
            const FakeDBusService::Call call = fake.calls(QStringLiteral("OpenURI")).first();
            QCOMPARE(call.signature, QStringLiteral("ssa{sv}"));
            QCOMPARE(call.arguments.value(1).toString(), toPortal);
        }
        // Whatever was not to be opened has had its time to arrive.
        QTest::qWait(50);
        QCOMPARE(handled, here.isEmpty() ? QStringList() : QStringList{here});
        if (toPortal.isEmpty() && fake.isRunning())
            QVERIFY(fake.calls(QStringLiteral("OpenURI")).isEmpty());
    }

private:
    QStringList handled;
};

QTEST_MAIN(TestUrlOpener)
#include "tst_urlopener.moc"
