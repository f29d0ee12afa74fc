#ifdef TASKLIST_EDS
#include <libecal/libecal.h> // before any Qt header: GLib names a struct member `signals`
#endif

#include "serverprocess.h"

#include <QSignalSpy>
#include <QStandardPaths>
#include <QTest>

#include <memory>

// Evolution Data Server on the test's private bus, activated from copies of its own service files,
// with the server following it as it does on a GNOME desktop.
class TestEdsCalendars : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void eventsReachTheServer();
    void disabledSourceLeavesAndComesBack();
    void cleanupTestCase();

private:
    QStringList titles() { return titlesOn(*m_client, QDate(2024, 3, 5)); }
    QStringList calendarNames();

    ServerProcess m_server;
    std::unique_ptr<CScheduleDBus> m_client;
#ifdef TASKLIST_EDS
    // Waits for an asynchronous libecal call: its answer comes through the Qt event loop, GLib's.
    struct Wait
    {
        GAsyncResult *result = nullptr;
        static void ready(GObject *, GAsyncResult *result, gpointer data)
        {
            static_cast<Wait *>(data)->result = G_ASYNC_RESULT(g_object_ref(result));
        }
        bool wait()
        {
            return QTest::qWaitFor([this] { return result != nullptr; }, 30000);
        }
        ~Wait()
        {
            if (result)
                g_object_unref(result);
        }
    };
    void setEnabled(bool enabled);

    ESourceRegistry *m_registry = nullptr;
    ECalClient *m_work = nullptr;
#endif
};

QStringList TestEdsCalendars::calendarNames()
{
    QVector<CalendarIdentity> calendars;
    QStringList names;
    if (m_client->GetCalendars(calendars)) {
        for (const CalendarIdentity &calendar : std::as_const(calendars))
            names << calendar.name;
    }
    return names;
}

#ifndef TASKLIST_EDS

void TestEdsCalendars::initTestCase()
{
    QSKIP("built without libecal-2.0: Evolution Data Server's calendars are not served");
}
void TestEdsCalendars::eventsReachTheServer() {}
void TestEdsCalendars::disabledSourceLeavesAndComesBack() {}
void TestEdsCalendars::cleanupTestCase() {}

#else

namespace {

bool writeSource(const QString &name, const QString &displayName, const QString &color)
{
    const QString dir = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                        QStringLiteral("/evolution/sources");
    QDir().mkpath(dir);
    QFile file(dir + QLatin1Char('/') + name + QStringLiteral(".source"));
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(QStringLiteral("[Data Source]\nDisplayName=%1\nEnabled=true\nParent=local-stub\n\n"
                              "[Calendar]\nBackendName=local\nSelected=true\nColor=%2\n")
                   .arg(displayName, color)
                   .toUtf8());
    return file.flush();
}

} // namespace

void TestEdsCalendars::initTestCase()
{
    if (!QFile::exists(QStringLiteral(EDS_SERVICES_DIR "/org.gnome.evolution.dataserver.Sources5.service")))
        QSKIP("Evolution Data Server is not installed (its D-Bus service files were not found)");
    QVERIFY(QDBusConnection::sessionBus().isConnected());
    // Written before the registry starts, which reads them then.
    QVERIFY(writeSource(QStringLiteral("tasklist-work"), QStringLiteral("Work"), QStringLiteral("#3465A4")));
    QVERIFY(writeSource(QStringLiteral("tasklist-home"), QStringLiteral("Home"), QStringLiteral("#73d216")));

    QVERIFY(m_server.start({}));
    m_client = std::make_unique<CScheduleDBus>(ServerProcess::service(), QStringLiteral(DBUS_SERVER_PATH),
                                               QDBusConnection::sessionBus());

    Wait registry;
    e_source_registry_new(nullptr, &Wait::ready, &registry);
    QVERIFY(registry.wait());
    GError *error = nullptr;
    m_registry = e_source_registry_new_finish(registry.result, &error);
    QVERIFY2(m_registry, error ? error->message : "");
    ESource *source = e_source_registry_ref_source(m_registry, "tasklist-work");
    QVERIFY(source);
    Wait client;
    e_cal_client_connect(source, E_CAL_CLIENT_SOURCE_TYPE_EVENTS, 10, nullptr, &Wait::ready, &client);
    g_object_unref(source);
    QVERIFY(client.wait());
    m_work = E_CAL_CLIENT(e_cal_client_connect_finish(client.result, &error));
    QVERIFY2(m_work, error ? error->message : "");
}

void TestEdsCalendars::eventsReachTheServer()
{
    QTRY_VERIFY_WITH_TIMEOUT(calendarNames().contains(QStringLiteral("Work")), 30000);
    QVERIFY(calendarNames().contains(QStringLiteral("Home")));
    QSignalSpy updated(m_client.get(), &CScheduleDBus::jobsUpdate);

    ICalComponent *event = i_cal_component_new_from_string(
        "BEGIN:VEVENT\r\nUID:tasklist-eds-1\r\nDTSTAMP:20240301T000000Z\r\n"
        "DTSTART;TZID=Europe/Berlin:20240305T100000\r\nDTEND;TZID=Europe/Berlin:20240305T110000\r\n"
        "SUMMARY:Planning\r\nEND:VEVENT\r\n");
    QVERIFY(event);
    Wait created;
    e_cal_client_create_object(m_work, event, E_CAL_OPERATION_FLAG_NONE, nullptr, &Wait::ready, &created);
    g_object_unref(event);
    QVERIFY(created.wait());
    GError *error = nullptr;
    QVERIFY2(e_cal_client_create_object_finish(m_work, created.result, nullptr, &error),
             error ? error->message : "");

    QTRY_VERIFY_WITH_TIMEOUT(titles().contains(QStringLiteral("Planning")), 10000);
    // The signal may still sit behind the blocking call's reply: let the loop deliver it.
    QTRY_VERIFY(updated.count() >= 1);
    QMap<QDate, QVector<ScheduleDataInfo>> days;
    QVERIFY(m_client->GetJobs(QDate(2024, 3, 5), QDate(2024, 3, 5), days));
    const ScheduleDataInfo job = days.value(QDate(2024, 3, 5)).value(0);
    QCOMPARE(job.getCalendarName(), QStringLiteral("Work"));
    QCOMPARE(job.getCalendarColor(), QStringLiteral("#3465a4"));
    QVERIFY(job.getCalendarWritable());
    // The zone EDS names is the event's own: 10:00 in Berlin.
    QCOMPARE(job.getBeginDateTime().toUTC(), QDateTime(QDate(2024, 3, 5), QTime(9, 0), Qt::UTC));
}

void TestEdsCalendars::setEnabled(bool enabled)
{
    ESource *source = e_source_registry_ref_source(m_registry, "tasklist-work");
    QVERIFY(source);
    e_source_set_enabled(source, enabled);
    Wait written;
    e_source_write(source, nullptr, &Wait::ready, &written);
    QVERIFY(written.wait());
    GError *error = nullptr;
    const bool ok = e_source_write_finish(source, written.result, &error);
    g_object_unref(source);
    QVERIFY2(ok, error ? error->message : "");
}

void TestEdsCalendars::disabledSourceLeavesAndComesBack()
{
    QTRY_VERIFY_WITH_TIMEOUT(titles().contains(QStringLiteral("Planning")), 10000);
    setEnabled(false);
    QTRY_VERIFY_WITH_TIMEOUT(!titles().contains(QStringLiteral("Planning")), 10000);
    QVERIFY(!calendarNames().contains(QStringLiteral("Work")));
    QVERIFY(calendarNames().contains(QStringLiteral("Home")));
    setEnabled(true);
    QTRY_VERIFY_WITH_TIMEOUT(titles().contains(QStringLiteral("Planning")), 10000);
}

void TestEdsCalendars::cleanupTestCase()
{
    m_server.stop();
    if (m_work)
        g_object_unref(m_work);
    if (m_registry)
        g_object_unref(m_registry);
}

#endif

QTEST_GUILESS_MAIN(TestEdsCalendars)
#include "tst_edscalendars.moc"
