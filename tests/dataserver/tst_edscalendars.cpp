#ifdef TASKLIST_EDS
#include <libecal/libecal.h> // before any Qt header: GLib names a struct member `signals`
#endif

#include "desktopcalendars.h"
#include "myaddresses.h"
#include "serverprocess.h"

#include <QDBusInterface>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTest>

#include <csignal>
#include <functional>
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
    void editsGoBackThroughEds();
    void replyGoesBackThroughEds();
    void todoCompletedThroughEds_data();
    void todoCompletedThroughEds();
    void readOnlyCalendarRefuses_data();
    void readOnlyCalendarRefuses();
    void registryStoppedAndBack();
    void switchedOffInTheSettings();
    void cleanupTestCase();

private:
    QStringList titles() { return titlesOn(*m_client, QDate(2024, 3, 5)); }
    QStringList calendarNames();
    QString calendarId(const QString &name);
    // The job of that title on the day, as GetJobs gives it; one with no ID when there is none.
    ScheduleDataInfo jobOn(const QDate &day, const QString &title);
    // A call of the server's interface, its reply or error as it came.
    QDBusMessage call(const QString &method, const QVariant &argument, const QVariant &second = {},
                      const QVariant &third = {});
    static QString jsonOf(const ScheduleDataInfo &job, bool thisOccurrenceOnly = false);

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
    // The Work calendar's components as EDS holds them: "SUMMARY", with " @RECURRENCE-ID" for an
    // occurrence of its own and " -N" for a series with N EXDATEs.
    QStringList workComponents();
    // The Chores task list's to-dos: "SUMMARY", " @RECURRENCE-ID" for an occurrence of its own,
    // then its STATUS, PERCENT-COMPLETE and " done" where it has a COMPLETED.
    QStringList choreComponents();
    // Each component of `client`, as `describe` tells it, sorted; an error's text instead.
    QStringList componentsOf(ECalClient *client, const std::function<QString(ICalComponent *)> &describe);
    ECalClient *connectTo(const char *uid, ECalClientSourceType type);

    ESourceRegistry *m_registry = nullptr;
    ECalClient *m_work = nullptr;
    ECalClient *m_chores = nullptr;
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

QString TestEdsCalendars::calendarId(const QString &name)
{
    QVector<CalendarIdentity> calendars;
    if (m_client->GetCalendars(calendars)) {
        for (const CalendarIdentity &calendar : std::as_const(calendars)) {
            if (calendar.name == name)
                return calendar.id;
        }
    }
    return {};
}

ScheduleDataInfo TestEdsCalendars::jobOn(const QDate &day, const QString &title)
{
    QMap<QDate, QVector<ScheduleDataInfo>> days;
    if (m_client->GetJobs(day, day, days)) {
        for (const ScheduleDataInfo &job : days.value(day)) {
            if (job.getTitleName() == title)
                return job;
        }
    }
    return {};
}

QDBusMessage TestEdsCalendars::call(const QString &method, const QVariant &argument, const QVariant &second,
                                    const QVariant &third)
{
    QDBusInterface server(ServerProcess::service(), QStringLiteral(DBUS_SERVER_PATH),
                          QStringLiteral(DBUS_SERVER_NAME));
    QVariantList arguments{argument};
    for (const QVariant &more : {second, third}) {
        if (more.isValid())
            arguments << more;
    }
    return server.callWithArgumentList(QDBus::Block, method, arguments);
}

QString TestEdsCalendars::jsonOf(const ScheduleDataInfo &job, bool thisOccurrenceOnly)
{
    QJsonObject json = QJsonDocument::fromJson(ScheduleDataInfo::ScheduleToJsonStr(job).toUtf8()).object();
    if (thisOccurrenceOnly)
        json.insert(QStringLiteral("ThisOccurrenceOnly"), true);
    return QString::fromUtf8(QJsonDocument(json).toJson());
}

#ifndef TASKLIST_EDS

void TestEdsCalendars::initTestCase()
{
    QSKIP("built without libecal-2.0: Evolution Data Server's calendars are not served");
}
void TestEdsCalendars::eventsReachTheServer()
{
}
void TestEdsCalendars::disabledSourceLeavesAndComesBack()
{
}
void TestEdsCalendars::editsGoBackThroughEds()
{
}
void TestEdsCalendars::replyGoesBackThroughEds()
{
}
void TestEdsCalendars::todoCompletedThroughEds_data()
{
}
void TestEdsCalendars::todoCompletedThroughEds()
{
}
void TestEdsCalendars::readOnlyCalendarRefuses_data()
{
}
void TestEdsCalendars::readOnlyCalendarRefuses()
{
}
void TestEdsCalendars::registryStoppedAndBack()
{
}
void TestEdsCalendars::switchedOffInTheSettings()
{
}
void TestEdsCalendars::cleanupTestCase()
{
}

#else

namespace {

bool writeFile(const QString &path, const QByteArray &text)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(text) == text.size() && file.flush();
}

// `local`: the [Local Backend] group of a calendar kept in a file of its own.
// `group`: "Calendar" or "Task List".
bool writeSource(const QString &name, const QString &displayName, const QString &color,
                 const QString &local = QString(), const QString &group = QStringLiteral("Calendar"))
{
    const QString path = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                         QStringLiteral("/evolution/sources/") + name + QStringLiteral(".source");
    return writeFile(path, QStringLiteral("[Data Source]\nDisplayName=%1\nEnabled=true\nParent=local-stub\n\n"
                                          "[%4]\nBackendName=local\nSelected=true\nColor=%2\n%3")
                               .arg(displayName, color, local, group)
                               .toUtf8());
}

QByteArray calendarOf(const QByteArray &uid, const QByteArray &summary)
{
    return "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Test//EN\r\nBEGIN:VEVENT\r\nUID:" + uid +
           "\r\nDTSTAMP:20240301T000000Z\r\nDTSTART:20240305T170000Z\r\nDTEND:20240305T180000Z\r\nSUMMARY:" +
           summary + "\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n";
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
    QVERIFY(writeSource(QStringLiteral("tasklist-chores"), QStringLiteral("Chores"),
                        QStringLiteral("#f57900"), QString(), QStringLiteral("Task List")));
    // EDS takes a calendar file marked not writable as read-only, whoever may write the file.
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    QVERIFY(writeFile(data + QStringLiteral("/holidays.ics"), calendarOf("tasklist-closed", "Closed")));
    QVERIFY(writeSource(
        QStringLiteral("tasklist-holidays"), QStringLiteral("Holidays"), QStringLiteral("#cc0000"),
        QStringLiteral("\n[Local Backend]\nCustomFile=file://%1/holidays.ics\nWritable=false\n").arg(data)));
    // The files of calendars.conf, served beside EDS's calendars and without them while EDS is away.
    QVERIFY(writeFile(data + QStringLiteral("/files.ics"), calendarOf("tasklist-file", "From a file")));
    QVERIFY(writeFile(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                          QStringLiteral("/tasklist-dataserver/calendars.conf"),
                      (data + QStringLiteral("/files.ics\n")).toUtf8()));

    QString why;
    QVERIFY2(MyAddresses::setConfigured({QStringLiteral("me@example.org")}, &why), qPrintable(why));
    QVERIFY(m_server.start({}));
    m_client = std::make_unique<CScheduleDBus>(ServerProcess::service(), QStringLiteral(DBUS_SERVER_PATH),
                                               QDBusConnection::sessionBus());

    Wait registry;
    e_source_registry_new(nullptr, &Wait::ready, &registry);
    QVERIFY(registry.wait());
    GError *error = nullptr;
    m_registry = e_source_registry_new_finish(registry.result, &error);
    QVERIFY2(m_registry, error ? error->message : "");
    m_work = connectTo("tasklist-work", E_CAL_CLIENT_SOURCE_TYPE_EVENTS);
    QVERIFY(m_work);
    m_chores = connectTo("tasklist-chores", E_CAL_CLIENT_SOURCE_TYPE_TASKS);
    QVERIFY(m_chores);
}

ECalClient *TestEdsCalendars::connectTo(const char *uid, ECalClientSourceType type)
{
    ESource *source = e_source_registry_ref_source(m_registry, uid);
    if (!source)
        return nullptr;
    Wait client;
    e_cal_client_connect(source, type, 10, nullptr, &Wait::ready, &client);
    g_object_unref(source);
    if (!client.wait())
        return nullptr;
    GError *error = nullptr;
    EClient *connected = e_cal_client_connect_finish(client.result, &error);
    if (!connected) {
        qWarning() << uid << error->message;
        g_error_free(error);
    }
    return connected ? E_CAL_CLIENT(connected) : nullptr;
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
    const ScheduleDataInfo job = jobOn(QDate(2024, 3, 5), QStringLiteral("Planning"));
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

QStringList TestEdsCalendars::componentsOf(ECalClient *client,
                                           const std::function<QString(ICalComponent *)> &describe)
{
    Wait listed;
    e_cal_client_get_object_list(client, "#t", nullptr, &Wait::ready, &listed);
    if (!listed.wait())
        return {QStringLiteral("no answer")};
    GSList *components = nullptr;
    GError *error = nullptr;
    if (!e_cal_client_get_object_list_finish(client, listed.result, &components, &error)) {
        const QString why = QString::fromUtf8(error->message);
        g_error_free(error);
        return {why};
    }
    QStringList out;
    for (GSList *link = components; link; link = link->next)
        out << describe(static_cast<ICalComponent *>(link->data));
    g_slist_free_full(components, g_object_unref);
    out.sort();
    return out;
}

namespace {

QString summaryAndRecurrenceId(ICalComponent *component)
{
    QString text = QString::fromUtf8(i_cal_component_get_summary(component));
    if (ICalProperty *rid = i_cal_component_get_first_property(component, I_CAL_RECURRENCEID_PROPERTY)) {
        gchar *value = i_cal_property_get_value_as_string(rid);
        text += QStringLiteral(" @") + QString::fromUtf8(value);
        g_free(value);
        g_object_unref(rid);
    }
    return text;
}

} // namespace

QStringList TestEdsCalendars::workComponents()
{
    return componentsOf(m_work, [](ICalComponent *component) {
        QString text = summaryAndRecurrenceId(component);
        const int exdates = i_cal_component_count_properties(component, I_CAL_EXDATE_PROPERTY);
        if (exdates)
            text += QStringLiteral(" -%1").arg(exdates);
        return text;
    });
}

QStringList TestEdsCalendars::choreComponents()
{
    return componentsOf(m_chores, [](ICalComponent *component) {
        QString text = summaryAndRecurrenceId(component);
        const ICalPropertyStatus status = i_cal_component_get_status(component);
        if (status == I_CAL_STATUS_COMPLETED)
            text += QStringLiteral(" COMPLETED");
        else if (status == I_CAL_STATUS_NEEDSACTION)
            text += QStringLiteral(" NEEDS-ACTION");
        if (ICalProperty *percent =
                i_cal_component_get_first_property(component, I_CAL_PERCENTCOMPLETE_PROPERTY)) {
            text += QStringLiteral(" %1%").arg(i_cal_property_get_percentcomplete(percent));
            g_object_unref(percent);
        }
        if (ICalProperty *done = i_cal_component_get_first_property(component, I_CAL_COMPLETED_PROPERTY)) {
            text += QStringLiteral(" done");
            g_object_unref(done);
        }
        return text;
    });
}

void TestEdsCalendars::editsGoBackThroughEds()
{
    QTRY_VERIFY_WITH_TIMEOUT(!calendarId(QStringLiteral("Work")).isEmpty(), 30000);
    ScheduleDataInfo series;
    series.setTitleName(QStringLiteral("Standup"));
    series.setType(1);
    series.setAllDay(false);
    series.setBeginDateTime(QDateTime(QDate(2024, 3, 11), QTime(9, 30)));
    series.setEndDateTime(QDateTime(QDate(2024, 3, 11), QTime(9, 45)));
    series.setScheduleRRule(QStringLiteral("FREQ=WEEKLY;COUNT=4"));
    CalendarIdentity work;
    work.id = calendarId(QStringLiteral("Work"));
    series.setCalendar(work);
    const QDBusMessage created = call(QStringLiteral("CreateJob"), jsonOf(series));
    QVERIFY2(created.type() == QDBusMessage::ReplyMessage, qPrintable(created.errorMessage()));
    QVERIFY(created.arguments().value(0).toLongLong() > 0);
    QCOMPARE(workComponents(), QStringList({QStringLiteral("Planning"), QStringLiteral("Standup")}));
    // Answered once EDS's view has told the server: the job is served from the answer on.
    ScheduleDataInfo second = jobOn(QDate(2024, 3, 18), QStringLiteral("Standup"));
    QCOMPARE(second.getID(), created.arguments().value(0).toLongLong());
    QCOMPARE(second.getCalendarName(), QStringLiteral("Work"));

    second.setTitleName(QStringLiteral("Standup, moved"));
    second.setBeginDateTime(QDateTime(QDate(2024, 3, 18), QTime(11, 0)));
    second.setEndDateTime(QDateTime(QDate(2024, 3, 18), QTime(11, 15)));
    const QDBusMessage moved = call(QStringLiteral("UpdateJob"), jsonOf(second, true));
    QVERIFY2(moved.type() == QDBusMessage::ReplyMessage, qPrintable(moved.errorMessage()));
    QCOMPARE(workComponents(), QStringList({QStringLiteral("Planning"), QStringLiteral("Standup"),
                                            QStringLiteral("Standup, moved @20240318T093000")}));
    QCOMPARE(jobOn(QDate(2024, 3, 18), QStringLiteral("Standup, moved")).getBeginDateTime().time(),
             QTime(11, 0));

    // The whole series, one occurrence left out: the occurrence moved before stays as it is.
    ScheduleDataInfo first = jobOn(QDate(2024, 3, 11), QStringLiteral("Standup"));
    first.setTitleName(QStringLiteral("Team standup"));
    first.setIgnoreTime({QDateTime(QDate(2024, 3, 25), QTime(9, 30))});
    const QDBusMessage renamed = call(QStringLiteral("UpdateJob"), jsonOf(first));
    QVERIFY2(renamed.type() == QDBusMessage::ReplyMessage, qPrintable(renamed.errorMessage()));
    QCOMPARE(workComponents(),
             QStringList({QStringLiteral("Planning"), QStringLiteral("Standup, moved @20240318T093000"),
                          QStringLiteral("Team standup -1")}));
    QVERIFY(jobOn(QDate(2024, 3, 25), QStringLiteral("Team standup")).getTitleName().isEmpty());
    QCOMPARE(jobOn(QDate(2024, 4, 1), QStringLiteral("Team standup")).getID(), first.getID());

    const QDBusMessage deleted =
        call(QStringLiteral("DeleteJob"), QVariant::fromValue(qint64(first.getID())));
    QVERIFY2(deleted.type() == QDBusMessage::ReplyMessage, qPrintable(deleted.errorMessage()));
    QCOMPARE(workComponents(), QStringList({QStringLiteral("Planning")}));
    QVERIFY(!titlesOn(*m_client, QDate(2024, 3, 18)).contains(QStringLiteral("Standup, moved")));
}

// A local Evolution calendar names no owner: the user is found by the settings' addresses, and the
// answer goes to EDS as the event's own component, its PARTSTAT alone changed.
void TestEdsCalendars::replyGoesBackThroughEds()
{
    QTRY_VERIFY_WITH_TIMEOUT(!calendarId(QStringLiteral("Work")).isEmpty(), 30000);
    ICalComponent *event = i_cal_component_new_from_string(
        "BEGIN:VEVENT\r\nUID:tasklist-eds-invitation\r\nDTSTAMP:20240301T000000Z\r\n"
        "DTSTART:20240305T140000Z\r\nDTEND:20240305T150000Z\r\nSUMMARY:Review\r\n"
        "ORGANIZER:mailto:dana@example.com\r\n"
        "ATTENDEE;PARTSTAT=NEEDS-ACTION;RSVP=TRUE:mailto:me@example.org\r\nEND:VEVENT\r\n");
    QVERIFY(event);
    Wait created;
    e_cal_client_create_object(m_work, event, E_CAL_OPERATION_FLAG_NONE, nullptr, &Wait::ready, &created);
    g_object_unref(event);
    QVERIFY(created.wait());
    GError *error = nullptr;
    QVERIFY2(e_cal_client_create_object_finish(m_work, created.result, nullptr, &error),
             error ? error->message : "");
    QTRY_COMPARE_WITH_TIMEOUT(jobOn(QDate(2024, 3, 5), QStringLiteral("Review")).getDetails().myReply,
                              QStringLiteral("needs-action"), 10000);
    const ScheduleDataInfo job = jobOn(QDate(2024, 3, 5), QStringLiteral("Review"));

    const QDBusMessage replied = call(QStringLiteral("ReplyToJob"), QVariant::fromValue(qint64(job.getID())),
                                      QStringLiteral("tentative"));
    QVERIFY2(replied.type() == QDBusMessage::ReplyMessage, qPrintable(replied.errorMessage()));
    // Answered once EDS's view told the server of it.
    QCOMPARE(jobOn(QDate(2024, 3, 5), QStringLiteral("Review")).getDetails().myReply,
             QStringLiteral("tentative"));
    ICalComponent *stored = nullptr;
    QVERIFY2(
        e_cal_client_get_object_sync(m_work, "tasklist-eds-invitation", nullptr, &stored, nullptr, &error),
        error ? error->message : "");
    gchar *text = i_cal_component_as_ical_string(stored);
    const QString ical = QString::fromUtf8(text).remove(QStringLiteral("\r\n "));
    g_free(text);
    g_object_unref(stored);
    QVERIFY2(ical.contains(QStringLiteral("PARTSTAT=TENTATIVE")), qPrintable(ical));
    QVERIFY2(ical.contains(QStringLiteral("RSVP=TRUE")), qPrintable(ical));
    QVERIFY(!ical.contains(QStringLiteral("NEEDS-ACTION")));
}

void TestEdsCalendars::todoCompletedThroughEds_data()
{
    QTest::addColumn<QByteArray>("todo");
    QTest::addColumn<QDate>("day");             // of the occurrence ticked
    QTest::addColumn<QStringList>("completed"); // the task list's to-dos once it is ticked
    QTest::addColumn<QStringList>("reopened");  // and once it is unticked again

    QTest::newRow("a to-do")
        << QByteArray("UID:tasklist-eds-todo\r\nDUE:20240305T160000Z\r\nSUMMARY:Pay the rent\r\n"
                      "STATUS:IN-PROCESS\r\nPERCENT-COMPLETE:40\r\n")
        << QDate(2024, 3, 5) << QStringList{QStringLiteral("Pay the rent COMPLETED 100% done")}
        << QStringList{QStringLiteral("Pay the rent NEEDS-ACTION")};
    // Its second occurrence completed alone in an override; the series and the next one stay open.
    QTest::newRow("a repeating to-do")
        << QByteArray("UID:tasklist-eds-chore\r\nDTSTART:20240304T080000Z\r\nDUE:20240304T090000Z\r\n"
                      "RRULE:FREQ=DAILY;COUNT=3\r\nSUMMARY:Water the plants\r\n")
        << QDate(2024, 3, 5)
        << QStringList({QStringLiteral("Water the plants"),
                        QStringLiteral("Water the plants @20240305T080000Z COMPLETED 100% done")})
        << QStringList({QStringLiteral("Water the plants"),
                        QStringLiteral("Water the plants @20240305T080000Z NEEDS-ACTION")});
}

// Ticked off in the widget, a to-do of an Evolution task list is completed in EDS, where the
// user's phone and Evolution see it; unticked, it is open again.
void TestEdsCalendars::todoCompletedThroughEds()
{
    QFETCH(QByteArray, todo);
    QFETCH(QDate, day);
    QFETCH(QStringList, completed);
    QFETCH(QStringList, reopened);
    const QString title = QString::fromUtf8(todo.mid(todo.indexOf("SUMMARY:") + 8).split('\r').first());
    ICalComponent *component = i_cal_component_new_from_string(
        ("BEGIN:VTODO\r\nDTSTAMP:20240301T000000Z\r\n" + todo + "END:VTODO\r\n").constData());
    QVERIFY(component);
    Wait created;
    e_cal_client_create_object(m_chores, component, E_CAL_OPERATION_FLAG_NONE, nullptr, &Wait::ready,
                               &created);
    g_object_unref(component);
    QVERIFY(created.wait());
    GError *error = nullptr;
    QVERIFY2(e_cal_client_create_object_finish(m_chores, created.result, nullptr, &error),
             error ? error->message : "");
    QTRY_VERIFY_WITH_TIMEOUT(jobOn(day, title).getID() > 0, 30000);
    const ScheduleDataInfo job = jobOn(day, title);
    QCOMPARE(job.getCalendarName(), QStringLiteral("Chores"));
    QVERIFY(!job.getCompleted());

    const QVariant id = QVariant::fromValue(qint64(job.getID()));
    const QDBusMessage ticked = call(QStringLiteral("SetJobCompleted"), id, job.getRecurID(), true);
    QVERIFY2(ticked.type() == QDBusMessage::ReplyMessage, qPrintable(ticked.errorMessage()));
    QCOMPARE(choreComponents().filter(title), completed);
    QVERIFY(jobOn(day, title).getCompleted());
    QVERIFY(!jobOn(day.addDays(1), title).getCompleted());

    const QDBusMessage unticked = call(QStringLiteral("SetJobCompleted"), id, job.getRecurID(), false);
    QVERIFY2(unticked.type() == QDBusMessage::ReplyMessage, qPrintable(unticked.errorMessage()));
    QCOMPARE(choreComponents().filter(title), reopened);
    QVERIFY(!jobOn(day, title).getCompleted());
}

void TestEdsCalendars::readOnlyCalendarRefuses_data()
{
    QTest::addColumn<QString>("method");
    QTest::newRow("create in it") << QStringLiteral("CreateJob");
    QTest::newRow("change its job") << QStringLiteral("UpdateJob");
    QTest::newRow("delete its job") << QStringLiteral("DeleteJob");
}

void TestEdsCalendars::readOnlyCalendarRefuses()
{
    QFETCH(QString, method);
    QTRY_VERIFY2_WITH_TIMEOUT(titles().contains(QStringLiteral("Closed")), qPrintable(m_server.errors()),
                              30000);
    ScheduleDataInfo job = jobOn(QDate(2024, 3, 5), QStringLiteral("Closed"));
    QVERIFY(!job.getCalendarWritable());
    job.setTitleName(QStringLiteral("Open after all"));
    const QDBusMessage reply = method == QLatin1String("DeleteJob")
                                   ? call(method, QVariant::fromValue(qint64(job.getID())))
                                   : call(method, jsonOf(job));
    QCOMPARE(reply.errorName(), QStringLiteral(DBUS_SERVER_ERROR "ReadOnly"));
    QVERIFY(reply.errorMessage().contains(QStringLiteral("Holidays")));
    QCOMPARE(titles().count(QStringLiteral("Closed")), 1);
}

void TestEdsCalendars::registryStoppedAndBack()
{
    QTRY_VERIFY_WITH_TIMEOUT(titles().contains(QStringLiteral("Planning")), 30000);
    const QString registry = QStringLiteral("org.gnome.evolution.dataserver.Sources5");
    const QDBusReply<uint> pid = QDBusConnection::sessionBus().interface()->servicePid(registry);
    QVERIFY(pid.isValid());
    QCOMPARE(::kill(pid_t(pid.value()), SIGTERM), 0);
    QTRY_VERIFY_WITH_TIMEOUT(!titles().contains(QStringLiteral("Planning")), 10000);
    QVERIFY(titles().contains(QStringLiteral("From a file")));
    // Asked again, the bus starts the registry anew, and the server follows it.
    QTRY_VERIFY_WITH_TIMEOUT(titles().contains(QStringLiteral("Planning")), 30000);
    QVERIFY(titles().contains(QStringLiteral("From a file")));
    QCOMPARE(m_server.errors().count(QStringLiteral("Evolution Data Server stopped")), 1);
}

void TestEdsCalendars::switchedOffInTheSettings()
{
    QTRY_VERIFY_WITH_TIMEOUT(calendarNames().contains(QStringLiteral("Work")), 30000);
    QString error;
    QVERIFY2(DesktopCalendars::setEnabled(false, &error), qPrintable(error));
    QTRY_VERIFY_WITH_TIMEOUT(!calendarNames().contains(QStringLiteral("Work")), 10000);
    QVERIFY(!titles().contains(QStringLiteral("Planning")));
    QVERIFY(titles().contains(QStringLiteral("From a file")));
    QVERIFY2(DesktopCalendars::setEnabled(true, &error), qPrintable(error));
    QTRY_VERIFY_WITH_TIMEOUT(titles().contains(QStringLiteral("Planning")), 30000);
}

void TestEdsCalendars::cleanupTestCase()
{
    m_server.stop();
    if (m_work)
        g_object_unref(m_work);
    if (m_chores)
        g_object_unref(m_chores);
    if (m_registry)
        g_object_unref(m_registry);
}

#endif

QTEST_GUILESS_MAIN(TestEdsCalendars)
#include "tst_edscalendars.moc"
