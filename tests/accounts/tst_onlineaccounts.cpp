#include "accountpaths.h"
#include "caldavdiscovery.h"
#include "cscheduledbus.h"
#include "serverprocess.h"
#include "settingswindow.h"

#include <QApplication>
#include <QDBusConnectionInterface>
#include <QDBusInterface>
#include <QDirIterator>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QNetworkAccessManager>
#include <QNetworkProxy>
#include <QNetworkReply>
#include <QPushButton>
#include <QSignalSpy>
#include <QSslCertificate>
#include <QSslKey>
#include <QSslSocket>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QtTest>

#include <memory>

namespace {
const QString user = QStringLiteral("tester");
const QString password = QStringLiteral("Pw-9f3kq-only-in-the-keyring");

QByteArray oneEvent(const QByteArray &uid, const QByteArray &start, const QByteArray &summary)
{
    return "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Test//Accounts//EN\r\nBEGIN:VEVENT\r\nUID:" + uid +
           "\r\nDTSTAMP:20240101T000000Z\r\nDTSTART:" + start + "\r\nDURATION:PT1H\r\nSUMMARY:" + summary +
           "\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n";
}

QByteArray mkcalendar(const QByteArray &name, const QByteArray &color, const QByteArray &component)
{
    return "<?xml version=\"1.0\"?><c:mkcalendar xmlns:d=\"DAV:\" xmlns:c=\"urn:ietf:params:xml:ns:caldav\" "
           "xmlns:a=\"http://apple.com/ns/ical/\"><d:set><d:prop><d:displayname>" +
           name + "</d:displayname><a:calendar-color>" + color +
           "</a:calendar-color><c:supported-calendar-component-set><c:comp name=\"" + component +
           "\"/></c:supported-calendar-component-set></d:prop></d:set></c:mkcalendar>";
}

// A web server that is no CalDAV server: every request gets the same page.
class PlainWebServer : public QTcpServer
{
public:
    PlainWebServer()
    {
        connect(this, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket *socket = nextPendingConnection()) {
                connect(socket, &QTcpSocket::readyRead, socket, [socket] {
                    socket->readAll();
                    socket->write("HTTP/1.1 200 OK\r\nContent-Type: text/html\r\nContent-Length: 13\r\n"
                                  "Connection: close\r\n\r\n<html></html>");
                    socket->disconnectFromHost();
                });
                connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
            }
        });
    }
};
// A server whose certificate nobody trusts: self-signed, made for the test.
class SelfSignedServer : public QTcpServer
{
public:
    bool start(const QString &dir)
    {
        QProcess openssl;
        openssl.start("openssl", {"req", "-x509", "-newkey", "rsa:2048", "-nodes", "-days", "1", "-subj",
                                  "/CN=127.0.0.1", "-keyout", dir + "/key.pem", "-out", dir + "/cert.pem"});
        if (!openssl.waitForFinished(30000) || openssl.exitCode() != 0)
            return false;
        QFile key(dir + "/key.pem"), cert(dir + "/cert.pem");
        if (!key.open(QIODevice::ReadOnly) || !cert.open(QIODevice::ReadOnly))
            return false;
        m_key = QSslKey(&key, QSsl::Rsa);
        m_cert = QSslCertificate(&cert);
        return !m_key.isNull() && !m_cert.isNull() && listen(QHostAddress::LocalHost);
    }

protected:
    void incomingConnection(qintptr descriptor) override
    {
        auto *socket = new QSslSocket(this);
        socket->setSocketDescriptor(descriptor);
        socket->setLocalCertificate(m_cert);
        socket->setPrivateKey(m_key);
        socket->startServerEncryption();
    }

private:
    QSslKey m_key;
    QSslCertificate m_cert;
};
} // namespace

// Online accounts from end to end: Radicale with a password on 127.0.0.1, behind
// /.well-known/caldav; GNOME Keyring unlocked on the test's private bus; the real data server, which
// syncs with vdirsyncer; the settings window driven by the keyboard. The test runs with
// TZ=Europe/Berlin.
class TestOnlineAccounts : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void discoveryParsesMultistatus();
    void addFails_data();
    void addFails();
    void addFromBareHost();
    void eventFromServerReachesClient();
    void editsReachServer();
    void calendarOffAndOn();
    void failingSyncKeepsCopy();
    void removeLeavesNothing();

private:
    bool startKeyring();
    bool startRadicale();
    int http(const QByteArray &verb, const QString &path, const QByteArray &body = {},
             const QByteArray &type = "text/calendar");
    QString addThroughWindow(const QString &address, const QString &pass, bool expectAdded);
    QByteArray remoteItem(const QString &collection, const QString &uid) const;
    QString keyring(const QString &account);
    QStringList leftBehind();
    QString accountId();
    QString calendarIdOf(const QString &name);
    QString syncTime(const QString &account);

    QTemporaryDir m_dir;
    QProcess m_keyring;
    QProcess m_radicale;
    quint16 m_port = 0;
    QNetworkAccessManager m_network;
    ServerProcess m_server;
    std::unique_ptr<CScheduleDBus> m_client;
    std::unique_ptr<SettingsWindow> m_window;
};

// The keyring, started unlocked on this test's bus and in its HOME.
bool TestOnlineAccounts::startKeyring()
{
    m_keyring.start("gnome-keyring-daemon", {"--foreground", "--unlock", "--components=secrets"});
    if (!m_keyring.waitForStarted())
        return false;
    m_keyring.write("unlock-for-the-test");
    m_keyring.closeWriteChannel();
    return QTest::qWaitFor(
        [] {
            return QDBusConnection::sessionBus()
                .interface()
                ->isServiceRegistered("org.freedesktop.secrets")
                .value();
        },
        20000);
}

bool TestOnlineAccounts::startRadicale()
{
    m_radicale.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_radicale.start("radicale", {"--server-hosts", QStringLiteral("127.0.0.1:%1").arg(m_port),
                                  "--storage-filesystem-folder", m_dir.filePath("radicale"), "--auth-type",
                                  "htpasswd", "--auth-htpasswd-filename", m_dir.filePath("htpasswd"),
                                  "--auth-htpasswd-encryption", "plain"});
    if (!m_radicale.waitForStarted())
        return false;
    for (int i = 0; i < 200; ++i) {
        if (http("OPTIONS", "/") != 0)
            return true;
        QTest::qWait(100);
    }
    return false;
}

int TestOnlineAccounts::http(const QByteArray &verb, const QString &path, const QByteArray &body,
                             const QByteArray &type)
{
    QNetworkRequest request(QUrl(QStringLiteral("http://127.0.0.1:%1%2").arg(m_port).arg(path)));
    request.setRawHeader("Authorization", "Basic " + (user + ":" + password).toUtf8().toBase64());
    request.setHeader(QNetworkRequest::ContentTypeHeader, type);
    std::unique_ptr<QNetworkReply> reply(m_network.sendCustomRequest(request, verb, body));
    QSignalSpy finished(reply.get(), &QNetworkReply::finished);
    if (!reply->isFinished() && !finished.wait(10000))
        return 0;
    return reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
}

QByteArray TestOnlineAccounts::remoteItem(const QString &collection, const QString &uid) const
{
    const QDir store(m_dir.filePath("radicale/collection-root/" + user + "/" + collection));
    for (const QString &item : store.entryList({"*.ics"}, QDir::Files)) {
        const QByteArray text = readAll(store.filePath(item));
        if (text.contains("UID:" + uid.toUtf8() + "\r\n"))
            return text;
    }
    return {};
}

// The password secret-tool finds for the account, as vdirsyncer asks it.
QString TestOnlineAccounts::keyring(const QString &account)
{
    QProcess lookup;
    lookup.start("secret-tool", {"lookup", "service", AccountPaths::keyringService, "account", account});
    lookup.waitForFinished(10000);
    return QString::fromUtf8(lookup.readAllStandardOutput());
}

// What an add leaves behind: accounts, folders, keyring entries, lines of calendars.conf.
QStringList TestOnlineAccounts::leftBehind()
{
    QStringList left;
    QFile accounts(AccountPaths::accountsFile());
    if (accounts.open(QIODevice::ReadOnly) && !QJsonDocument::fromJson(accounts.readAll()).array().isEmpty())
        left << "an account in accounts.json";
    if (!AccountPaths::pairsOf(readAll(AccountPaths::vdirsyncerConfig())).isEmpty())
        left << "a vdirsyncer pair";
    const QDir folders(QFileInfo(AccountPaths::accountFolder("x")).absolutePath() + "/..");
    if (!QDir(folders.absolutePath()).entryList(QDir::Dirs | QDir::NoDotAndDotDot).isEmpty())
        left << "a synced folder";
    QProcess search;
    search.start("secret-tool", {"search", "--all", "service", AccountPaths::keyringService});
    search.waitForFinished(10000);
    if (!search.readAllStandardOutput().trimmed().isEmpty() ||
        !search.readAllStandardError().trimmed().isEmpty())
        left << "a keyring entry";
    if (readAll(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                "/tasklist-dataserver/calendars.conf")
            .contains("accounts/"))
        left << "a line in calendars.conf";
    return left;
}

QString TestOnlineAccounts::accountId()
{
    const QStringList pairs = AccountPaths::pairsOf(readAll(AccountPaths::vdirsyncerConfig()));
    return pairs.size() == 1 ? pairs.first() : QString();
}

QString TestOnlineAccounts::calendarIdOf(const QString &name)
{
    QDBusInterface server(ServerProcess::service(), DBUS_SERVER_PATH, DBUS_SERVER_INTERFACE);
    const QDBusReply<QString> reply = server.call("GetCalendars");
    for (const QJsonValue &value : QJsonDocument::fromJson(reply.value().toUtf8()).array()) {
        if (value.toObject().value("Name").toString() == name)
            return value.toObject().value("ID").toString();
    }
    return {};
}

QString TestOnlineAccounts::syncTime(const QString &account)
{
    const QJsonObject all = QJsonDocument::fromJson(readAll(AccountPaths::syncStatusFile())).object();
    return all.value(account).toObject().value("time").toString();
}

// Types into the settings window's fields and presses Enter; answers the status line once the add
// has ended (after the first sync where it succeeded).
QString TestOnlineAccounts::addThroughWindow(const QString &address, const QString &pass, bool expectAdded)
{
    auto *field = m_window->findChild<QLineEdit *>("accountAddress");
    auto *status = m_window->findChild<QLabel *>("accountStatus");
    auto *add = m_window->findChild<QPushButton *>("addAccountButton");
    if (!field || !status || !add)
        return "no accounts section";
    m_window->activateWindow();
    field->setFocus();
    if (QApplication::focusWidget() != field)
        return "the address field takes no focus";
    // A failed add keeps what was typed, for the user to correct: each field is typed over.
    for (const QString &text : {address, user, pass}) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(QApplication::focusWidget(), text);
        QTest::keyClick(QApplication::focusWidget(), text == pass ? Qt::Key_Return : Qt::Key_Tab);
    }
    // The button reads "Cancel" while adding.
    if (!QTest::qWaitFor([&] { return add->text() != "Cancel"; }, 60000))
        return "still adding";
    if (expectAdded &&
        !QTest::qWaitFor(
            [&] { return status->text().contains("synced") || status->text().contains("failed"); }, 60000))
        return "no first sync: " + status->text();
    return status->text();
}

void TestOnlineAccounts::initTestCase()
{
    if (!QDBusConnection::sessionBus().isConnected())
        QSKIP("no session bus");
    QCOMPARE(qgetenv("TZ"), QByteArray("Europe/Berlin"));
    QVERIFY(m_dir.isValid());
    m_network.setProxy(QNetworkProxy::NoProxy);

    QVERIFY(startKeyring());

    {
        QTcpServer probe;
        QVERIFY(probe.listen(QHostAddress::LocalHost));
        m_port = probe.serverPort();
    }
    QFile htpasswd(m_dir.filePath("htpasswd"));
    QVERIFY(htpasswd.open(QIODevice::WriteOnly));
    htpasswd.write((user + ":" + password + "\n").toUtf8());
    htpasswd.close();
    QVERIFY(startRadicale());
    QCOMPARE(
        http("MKCALENDAR", "/tester/work/", mkcalendar("Work", "#1e90ffff", "VEVENT"), "application/xml"),
        201);
    QCOMPARE(
        http("MKCALENDAR", "/tester/home/", mkcalendar("Home", "#ff8c00ff", "VEVENT"), "application/xml"),
        201);
    QCOMPARE(
        http("MKCALENDAR", "/tester/chores/", mkcalendar("Chores", "#228b22ff", "VTODO"), "application/xml"),
        201);

    // The data server as the bus starts it, on calendars.conf. Its quarter-hour sync stays out of
    // the way until failingSyncKeepsCopy: each other sync here has a cause of its own.
    QVERIFY(m_server.start({"--sync-interval", "600"}));
    m_client = std::make_unique<CScheduleDBus>(ServerProcess::service(), QStringLiteral(DBUS_SERVER_PATH),
                                               QDBusConnection::sessionBus());
    m_window = std::make_unique<SettingsWindow>();
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
}

void TestOnlineAccounts::cleanupTestCase()
{
    m_window.reset();
    m_client.reset();
    m_server.stop();
    for (QProcess *process : {&m_radicale, &m_keyring}) {
        if (process->state() != QProcess::NotRunning) {
            process->terminate();
            process->waitForFinished(5000);
        }
    }
}

void TestOnlineAccounts::discoveryParsesMultistatus()
{
    // As iCloud and Nextcloud answer: Apple's colour with alpha, a journal-only collection left out.
    const QByteArray xml =
        "<d:multistatus xmlns:d=\"DAV:\" xmlns:c=\"urn:ietf:params:xml:ns:caldav\" "
        "xmlns:a=\"http://apple.com/ns/ical/\">"
        "<d:response><d:href>/cal/me/</d:href><d:propstat><d:prop><d:resourcetype><d:collection/></"
        "d:resourcetype>"
        "</d:prop></d:propstat></d:response>"
        "<d:response><d:href>/cal/me/work%20shared/</"
        "d:href><d:propstat><d:prop><d:resourcetype><d:collection/>"
        "<c:calendar/></d:resourcetype><d:displayname>Work</d:displayname><a:calendar-color>#FF8800CC"
        "</a:calendar-color><c:supported-calendar-component-set><c:comp name=\"VEVENT\"/><c:comp "
        "name=\"VTODO\"/>"
        "</c:supported-calendar-component-set></d:prop></d:propstat></d:response>"
        "<d:response><d:href>/cal/me/p/</d:href><d:propstat><d:prop><d:current-user-principal><d:href>/p/me/"
        "</d:href></d:current-user-principal><c:calendar-home-set><d:href>/cal/me/</d:href></"
        "c:calendar-home-set>"
        "</d:prop></d:propstat></d:response></d:multistatus>";
    QVector<DavXml::Response> responses;
    QVERIFY(DavXml::parse(xml, responses));
    QCOMPARE(responses.size(), 3);
    QVERIFY(!responses[0].calendar);
    QVERIFY(responses[1].calendar);
    QCOMPARE(responses[1].href, QString("/cal/me/work%20shared/"));
    QCOMPARE(responses[1].name, QString("Work"));
    QCOMPARE(responses[1].color, QString("#ff8800"));
    QCOMPARE(responses[1].components, QStringList({"VEVENT", "VTODO"}));
    QCOMPARE(responses[2].principal, QString("/p/me/"));
    QCOMPARE(responses[2].home, QString("/cal/me/"));
    QVERIFY(!DavXml::parse("<html><body>Not here</body></html>", responses));
}

void TestOnlineAccounts::addFails_data()
{
    QTest::addColumn<QString>("address");
    QTest::addColumn<QString>("pass");
    QTest::addColumn<QString>("message");
    QTest::newRow("no Secret Service")
        << QStringLiteral("127.0.0.1:%1").arg(m_port) << password << "No keyring (Secret Service) runs";
    QTest::newRow("no secret-tool") << QStringLiteral("127.0.0.1:%1").arg(m_port) << password
                                    << "through secret-tool, which is not installed";
    QTest::newRow("wrong password") << QStringLiteral("127.0.0.1:%1").arg(m_port) << "not-the-password"
                                    << "Wrong user name or password";
    quint16 closed = 0;
    {
        QTcpServer probe;
        probe.listen(QHostAddress::LocalHost);
        closed = probe.serverPort();
    }
    QTest::newRow("unreachable port")
        << QStringLiteral("127.0.0.1:%1").arg(closed) << password << "cannot be reached";
    QTest::newRow("not a CalDAV server") << "WEB" << password << "it is not a CalDAV server";
    QTest::newRow("untrusted certificate") << "TLS" << password << "TLS certificate";
    QTest::newRow("plain http to another host") << "http://calendar.invalid" << password << "not encrypted";
}

void TestOnlineAccounts::addFails()
{
    QFETCH(QString, address);
    QFETCH(QString, pass);
    QFETCH(QString, message);
    PlainWebServer web;
    QVERIFY(web.listen(QHostAddress::LocalHost));
    SelfSignedServer tls;
    if (address == "WEB")
        address = QStringLiteral("127.0.0.1:%1").arg(web.serverPort());
    if (address == "TLS") {
        QVERIFY(tls.start(m_dir.path()));
        address = QStringLiteral("https://127.0.0.1:%1").arg(tls.serverPort());
    }
    const bool noKeyring = QByteArray(QTest::currentDataTag()) == "no Secret Service";
    if (noKeyring) {
        m_keyring.terminate();
        QVERIFY(m_keyring.waitForFinished(10000));
    }
    // secret-tool is looked up in PATH at each store.
    const QByteArray path = qgetenv("PATH");
    const bool noTool = QByteArray(QTest::currentDataTag()) == "no secret-tool";
    if (noTool)
        qputenv("PATH", m_dir.filePath("no-programs").toLocal8Bit());
    const QString said = addThroughWindow(address, pass, false);
    qputenv("PATH", path);
    if (noKeyring)
        QVERIFY(startKeyring()); // the next adds find it again
    QVERIFY2(said.contains(message), qPrintable(said));
    QCOMPARE(leftBehind(), QStringList());
}

void TestOnlineAccounts::addFromBareHost()
{
    const QString said = addThroughWindow(QStringLiteral("127.0.0.1:%1").arg(m_port), password, true);
    QVERIFY2(said.contains("3 calendar"), qPrintable(said));
    const QString id = accountId();
    QVERIFY(!id.isEmpty());

    auto *list = m_window->findChild<QTreeWidget *>("accountList");
    QVERIFY(list);
    QCOMPARE(list->topLevelItemCount(), 1);
    QStringList names;
    for (int i = 0; i < list->topLevelItem(0)->childCount(); ++i) {
        names << list->topLevelItem(0)->child(i)->text(0);
        QCOMPARE(list->topLevelItem(0)->child(i)->checkState(0), Qt::Checked);
    }
    names.sort();
    QCOMPARE(names, QStringList({"Chores (to-dos)", "Home", "Work"}));
    // Both calendars served, named and coloured by the server.
    QTRY_VERIFY_WITH_TIMEOUT(!calendarIdOf("Work").isEmpty() && !calendarIdOf("Home").isEmpty(), 10000);

    QCOMPARE(keyring(id), password);
    QStringList holding;
    for (const char *location :
         {"HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME", "XDG_STATE_HOME"}) {
        QDirIterator files(qEnvironmentVariable(location), QDir::Files | QDir::Hidden,
                           QDirIterator::Subdirectories);
        while (files.hasNext()) {
            const QString path = files.next();
            if (readAll(path).contains(password.toUtf8()))
                holding << path;
        }
    }
    QCOMPARE(holding, QStringList());
}

void TestOnlineAccounts::eventFromServerReachesClient()
{
    QCOMPARE(http("PUT", "/tester/work/from-phone.ics",
                  oneEvent("from-phone", "20240305T090000Z", "Planned on the phone")),
             201);
    QVERIFY(m_server.start({"--sync-interval", "600"})); // syncs at start
    QTRY_COMPARE_WITH_TIMEOUT(::titlesOn(*m_client, QDate(2024, 3, 5)), QStringList{"Planned on the phone"},
                              30000);
}

void TestOnlineAccounts::editsReachServer()
{
    ScheduleDataInfo job;
    job.setTitleName("Made at the desk");
    job.setAllDay(false);
    job.setBeginDateTime(QDateTime(QDate(2024, 3, 6), QTime(10, 0)));
    job.setEndDateTime(QDateTime(QDate(2024, 3, 6), QTime(11, 0)));
    CalendarIdentity home;
    home.id = calendarIdOf("Home");
    job.setCalendar(home);
    const qint64 id = m_client->CreateJob(job);
    QVERIFY(id > 0);
    QString uid;
    const QString folder = AccountPaths::accountFolder(accountId()) + "home";
    QTRY_VERIFY_WITH_TIMEOUT(!(uid = QDir(folder).entryList({"*.ics"}).value(0).chopped(4)).isEmpty(), 5000);
    QTRY_VERIFY_WITH_TIMEOUT(remoteItem("home", uid).contains("SUMMARY:Made at the desk\r\n"), 30000);

    QVERIFY(m_client->GetJob(id, job));
    job.setTitleName("Moved at the desk");
    QVERIFY(m_client->UpdateJob(job));
    QTRY_VERIFY_WITH_TIMEOUT(remoteItem("home", uid).contains("SUMMARY:Moved at the desk\r\n"), 30000);

    QVERIFY(m_client->DeleteJob(id));
    QTRY_VERIFY_WITH_TIMEOUT(remoteItem("home", uid).isEmpty(), 30000);
}

void TestOnlineAccounts::calendarOffAndOn()
{
    auto *list = m_window->findChild<QTreeWidget *>("accountList");
    QVERIFY(list && list->topLevelItemCount() == 1);
    auto toggleHome = [list] {
        for (int i = 0; i < list->topLevelItem(0)->childCount(); ++i) {
            if (list->topLevelItem(0)->child(i)->text(0) == "Home") {
                list->setCurrentItem(list->topLevelItem(0)->child(i));
                list->setFocus();
                QTest::keyClick(list, Qt::Key_Space);
                return list->topLevelItem(0)->child(i)->checkState(0);
            }
        }
        return Qt::PartiallyChecked;
    };
    const QString folder = AccountPaths::accountFolder(accountId()) + "home";
    QCOMPARE(toggleHome(), Qt::Unchecked);
    QTRY_VERIFY_WITH_TIMEOUT(calendarIdOf("Home").isEmpty(), 10000);
    QVERIFY(!QFileInfo::exists(folder));
    QVERIFY(!calendarIdOf("Work").isEmpty());
    QVERIFY(!readAll(AccountPaths::vdirsyncerConfig()).contains("\"home\""));

    QCOMPARE(http("PUT", "/tester/home/while-off.ics",
                  oneEvent("while-off", "20240308T090000Z", "Planned while off")),
             201);
    QCOMPARE(toggleHome(), Qt::Checked);
    QTRY_COMPARE_WITH_TIMEOUT(::titlesOn(*m_client, QDate(2024, 3, 8)), QStringList{"Planned while off"},
                              30000);
    QVERIFY(!calendarIdOf("Home").isEmpty());
}

void TestOnlineAccounts::failingSyncKeepsCopy()
{
    auto *list = m_window->findChild<QTreeWidget *>("accountList");
    QVERIFY(list);
    QVERIFY(m_server.start({"--sync-interval", "2"}));
    m_radicale.terminate();
    QVERIFY(m_radicale.waitForFinished(10000));
    QTRY_VERIFY_WITH_TIMEOUT(
        list->topLevelItemCount() == 1 && list->topLevelItem(0)->text(0).contains("sync failed"), 30000);
    const QString failedAt = syncTime(accountId());
    QTRY_VERIFY_WITH_TIMEOUT(syncTime(accountId()) != failedAt, 30000); // failed again, said once
    QCOMPARE(m_server.errors().count("cannot sync the account"), 1);
    QCOMPARE(::titlesOn(*m_client, QDate(2024, 3, 5)), QStringList{"Planned on the phone"});

    QVERIFY(startRadicale());
    QTRY_VERIFY2_WITH_TIMEOUT(list->topLevelItemCount() == 1 &&
                                  !list->topLevelItem(0)->text(0).contains("sync failed"),
                              qPrintable(list->topLevelItem(0)->text(0)), 30000);
    QCOMPARE(::titlesOn(*m_client, QDate(2024, 3, 5)), QStringList{"Planned on the phone"});
}

void TestOnlineAccounts::removeLeavesNothing()
{
    const QString id = accountId();
    auto *list = m_window->findChild<QTreeWidget *>("accountList");
    auto *remove = m_window->findChild<QPushButton *>("removeAccountButton");
    QVERIFY(list && remove);
    list->setCurrentItem(list->topLevelItem(0));
    list->setFocus();
    QVERIFY(remove->isEnabled());
    remove->setFocus();
    QTest::keyClick(remove, Qt::Key_Space);
    QTRY_COMPARE_WITH_TIMEOUT(leftBehind(), QStringList(), 10000);
    QCOMPARE(keyring(id), QString());
    QCOMPARE(list->topLevelItemCount(), 0);
    QTRY_COMPARE_WITH_TIMEOUT(::titlesOn(*m_client, QDate(2024, 3, 5)), QStringList(), 10000);
}

QTEST_MAIN(TestOnlineAccounts)
#include "tst_onlineaccounts.moc"
