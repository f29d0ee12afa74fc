#include "akonadiresource.h"
#include "serverprocess.h"

#include <Akonadi/Collection>
#include <Akonadi/CollectionFetchJob>
#include <Akonadi/CollectionFetchScope>
#include <Akonadi/CollectionModifyJob>
#include <Akonadi/Item>
#include <Akonadi/ItemCreateJob>
#include <Akonadi/ItemModifyJob>

#include <KCalendarCore/Event>
#include <KCalendarCore/ICalFormat>
#include <KCalendarCore/MemoryCalendar>
#include <KCalendarCore/OccurrenceIterator>
#include <KCalendarCore/Todo>

#include <QDBusInterface>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTest>

// A real Akonadi server on the test's private bus, with SQLite and an iCalendar file resource, and
// the data server following it as it does on a Plasma desktop.
class TestAkonadiCalendars : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void filesServedWhileAkonadiIsAbsent();
    void collectionServed();
    void liveChangeArrives();
    void editGoesBackToTheFile();
    void changeAndDeleteGoBack();
    void zonedItemServed_data();
    void zonedItemServed();
    void outsideChangeServed_data();
    void outsideChangeServed();
    void oneOccurrenceGoesBack();
    void todoCompletedInTheFile_data();
    void todoCompletedInTheFile();
    void readOnlyCollectionRefused();
    void akonadiStopsAndComesBack();
    void disabledCollectionLeaves();
    void cleanupTestCase();

private:
    QStringList titles() { return titlesOn(*m_client, QDate(2024, 3, 5)); }
    QString calendarIdOf(const QString &name);
    // The Work collection, as Akonadi lists it now.
    bool fetchWork(Akonadi::Collection *collection);
    // The titles of the events in the resource's file, as an independent reader sees them.
    QStringList titlesInFile();
    // The occurrences of the series `uid` in the resource's file in the first week of March 2024,
    // as an independent reader expands them: "start in UTC title" each.
    QStringList occurrencesInFile(const QString &uid);
    // A second iCalendar resource on `path`, read-only, named `name`.
    // The to-dos titled `title` in the resource's file: "SUMMARY", " @RECURRENCE-ID" for an
    // occurrence of its own, then " done" where it is completed and its PERCENT-COMPLETE.
    QStringList todosInFile(const QString &title);
    bool startAkonadi();

    ServerProcess m_server;
    std::unique_ptr<CScheduleDBus> m_client;
    QString m_resource;
    QString m_file;
    bool m_akonadi = false;
};

namespace {

bool writeFile(const QString &path, const QByteArray &text)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(text) == text.size() && file.flush();
}

QByteArray calendarOf(const QByteArray &uid, const QByteArray &summary)
{
    return "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Test//EN\r\nBEGIN:VEVENT\r\nUID:" + uid +
           "\r\nDTSTAMP:20240301T000000Z\r\nDTSTART:20240305T170000Z\r\nDTEND:20240305T180000Z\r\nSUMMARY:" +
           summary + "\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n";
}

using AkonadiResource::registered;

// A job's answer, through the event loop.
bool finished(KJob *job)
{
    QSignalSpy done(job, &KJob::result);
    if (!done.wait(20000))
        return false;
    if (job->error())
        qWarning().noquote() << job->errorString();
    return !job->error();
}

QString jsonOf(const ScheduleDataInfo &job)
{
    return ScheduleDataInfo::ScheduleToJsonStr(job);
}

const QString serverService = QStringLiteral("org.freedesktop.Akonadi");
const QString controlService = QStringLiteral("org.freedesktop.Akonadi.Control");
// A change passes Akonadi's server, its resource and the data server before the client sees it:
// once 26 s, under the sanitizers on a machine busy with a build besides.
constexpr int changeSeenMs = 40000;

} // namespace

QString TestAkonadiCalendars::calendarIdOf(const QString &name)
{
    QVector<CalendarIdentity> calendars;
    if (m_client->GetCalendars(calendars)) {
        for (const CalendarIdentity &calendar : std::as_const(calendars)) {
            if (calendar.name == name && calendar.kind == QLatin1String("akonadi"))
                return calendar.id;
        }
    }
    return {};
}

bool TestAkonadiCalendars::fetchWork(Akonadi::Collection *collection)
{
    auto *job =
        new Akonadi::CollectionFetchJob(Akonadi::Collection::root(), Akonadi::CollectionFetchJob::Recursive);
    job->fetchScope().setResource(m_resource);
    job->fetchScope().setContentMimeTypes({KCalendarCore::Event::eventMimeType()});
    if (!finished(job))
        return false;
    const Akonadi::Collection::List found = job->collections();
    for (const Akonadi::Collection &c : found) {
        if (c.contentMimeTypes().contains(KCalendarCore::Event::eventMimeType())) {
            *collection = c;
            return true;
        }
    }
    return false;
}

QStringList TestAkonadiCalendars::titlesInFile()
{
    auto calendar = KCalendarCore::MemoryCalendar::Ptr::create(QTimeZone::utc());
    KCalendarCore::ICalFormat format;
    QStringList out;
    if (!format.load(calendar, m_file))
        return {QStringLiteral("unreadable")};
    const KCalendarCore::Event::List events = calendar->rawEvents();
    for (const KCalendarCore::Event::Ptr &event : events)
        out << event->summary();
    out.sort();
    return out;
}

QStringList TestAkonadiCalendars::occurrencesInFile(const QString &uid)
{
    auto calendar = KCalendarCore::MemoryCalendar::Ptr::create(QTimeZone::utc());
    KCalendarCore::ICalFormat format;
    if (!format.load(calendar, m_file))
        return {QStringLiteral("unreadable")};
    QStringList out;
    KCalendarCore::OccurrenceIterator it(*calendar, QDateTime(QDate(2024, 3, 1), QTime(0, 0), Qt::UTC),
                                         QDateTime(QDate(2024, 3, 9), QTime(0, 0), Qt::UTC));
    while (it.hasNext()) {
        it.next();
        if (it.incidence()->uid() == uid)
            out << it.occurrenceStartDate().toUTC().toString(Qt::ISODate) + QLatin1Char(' ') +
                       it.incidence()->summary();
    }
    out.sort();
    return out;
}

QStringList TestAkonadiCalendars::todosInFile(const QString &title)
{
    auto calendar = KCalendarCore::MemoryCalendar::Ptr::create(QTimeZone::utc());
    KCalendarCore::ICalFormat format;
    if (!format.load(calendar, m_file))
        return {QStringLiteral("unreadable")};
    QStringList out;
    const KCalendarCore::Todo::List todos = calendar->rawTodos();
    for (const KCalendarCore::Todo::Ptr &todo : todos) {
        if (todo->summary() != title)
            continue;
        QString line = todo->summary();
        if (todo->hasRecurrenceId())
            line += QStringLiteral(" @") + todo->recurrenceId().toUTC().toString(Qt::ISODate);
        if (todo->isCompleted())
            line += QStringLiteral(" done");
        out << line + QLatin1Char(' ') + QString::number(todo->percentComplete());
    }
    out.sort();
    return out;
}

bool TestAkonadiCalendars::startAkonadi()
{
    QProcess::startDetached(QStringLiteral(AKONADICTL_PROGRAM), {QStringLiteral("start")});
    return QTest::qWaitFor([] { return registered(serverService) && registered(controlService); }, 30000);
}

void TestAkonadiCalendars::initTestCase()
{
    QVERIFY(QDBusConnection::sessionBus().isConnected());
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    QVERIFY(writeFile(data + QStringLiteral("/files.ics"), calendarOf("tasklist-file", "From a file")));
    QVERIFY(writeFile(config + QStringLiteral("/tasklist-dataserver/calendars.conf"),
                      (data + QStringLiteral("/files.ics\n")).toUtf8()));
    m_file = data + QStringLiteral("/akonadi-work.ics");
    QVERIFY(writeFile(m_file, calendarOf("tasklist-akonadi-1", "Planning")));
    QVERIFY(AkonadiResource::prepareHome());

    QVERIFY(m_server.start({}));
    m_client = std::make_unique<CScheduleDBus>(ServerProcess::service(), QStringLiteral(DBUS_SERVER_PATH),
                                               QDBusConnection::sessionBus());
}

void TestAkonadiCalendars::filesServedWhileAkonadiIsAbsent()
{
    // At once, not after a wait for Akonadi; and Akonadi is not started for it.
    QCOMPARE(titles(), QStringList{QStringLiteral("From a file")});
    QVERIFY(!registered(controlService));
    QVERIFY(!registered(serverService));
}

void TestAkonadiCalendars::collectionServed()
{
    if (!startAkonadi())
        QSKIP("Akonadi does not start in this environment");
    m_akonadi = true;
    m_resource = AkonadiResource::addICalendar(m_file, QStringLiteral("Work"), false, 20000);
    QVERIFY(!m_resource.isEmpty());

    QTRY_VERIFY_WITH_TIMEOUT(titles().contains(QStringLiteral("Planning")), 30000);
    QVERIFY(titles().contains(QStringLiteral("From a file")));
    QMap<QDate, QVector<ScheduleDataInfo>> days;
    QVERIFY(m_client->GetJobs(QDate(2024, 3, 5), QDate(2024, 3, 5), days));
    for (const ScheduleDataInfo &job : days.value(QDate(2024, 3, 5))) {
        if (job.getTitleName() != QLatin1String("Planning"))
            continue;
        QCOMPARE(job.getCalendarName(), QStringLiteral("Work"));
        QVERIFY(job.getCalendarWritable());
        QCOMPARE(job.getBeginDateTime().toUTC(), QDateTime(QDate(2024, 3, 5), QTime(17, 0), Qt::UTC));
    }
    QVERIFY(!calendarIdOf(QStringLiteral("Work")).isEmpty());
}

void TestAkonadiCalendars::liveChangeArrives()
{
    if (!m_akonadi)
        QSKIP("Akonadi does not start in this environment");
    Akonadi::Collection work;
    QVERIFY(fetchWork(&work));
    auto event = KCalendarCore::Event::Ptr::create();
    event->setUid(QStringLiteral("tasklist-akonadi-2"));
    event->setSummary(QStringLiteral("Review"));
    event->setDtStart(QDateTime(QDate(2024, 3, 5), QTime(8, 0), Qt::UTC));
    event->setDtEnd(QDateTime(QDate(2024, 3, 5), QTime(9, 0), Qt::UTC));
    Akonadi::Item item;
    item.setMimeType(KCalendarCore::Event::eventMimeType());
    item.setPayload<KCalendarCore::Incidence::Ptr>(event);
    QVERIFY(finished(new Akonadi::ItemCreateJob(item, work)));
    QTRY_VERIFY_WITH_TIMEOUT(titles().contains(QStringLiteral("Review")), changeSeenMs);
}

void TestAkonadiCalendars::editGoesBackToTheFile()
{
    if (!m_akonadi)
        QSKIP("Akonadi does not start in this environment");
    ScheduleDataInfo job;
    job.setTitleName(QStringLiteral("Retro"));
    job.setType(1);
    job.setAllDay(false);
    job.setBeginDateTime(QDateTime(QDate(2024, 3, 5), QTime(14, 0)));
    job.setEndDateTime(QDateTime(QDate(2024, 3, 5), QTime(15, 0)));
    CalendarIdentity work;
    work.id = calendarIdOf(QStringLiteral("Work"));
    job.setCalendar(work);
    QDBusInterface server(ServerProcess::service(), QStringLiteral(DBUS_SERVER_PATH),
                          QStringLiteral(DBUS_SERVER_NAME));
    const QDBusMessage created = server.call(QStringLiteral("CreateJob"), jsonOf(job));
    QVERIFY2(created.type() == QDBusMessage::ReplyMessage, qPrintable(created.errorMessage()));
    QVERIFY(created.arguments().value(0).toLongLong() > 0);
    QVERIFY(titles().contains(QStringLiteral("Retro")));
    // The resource writes its file a little later.
    QTRY_COMPARE_WITH_TIMEOUT(
        titlesInFile(),
        QStringList({QStringLiteral("Planning"), QStringLiteral("Retro"), QStringLiteral("Review")}), 30000);
}

// A job changed and another deleted through the server reach the resource's file.
void TestAkonadiCalendars::changeAndDeleteGoBack()
{
    if (!m_akonadi)
        QSKIP("Akonadi does not start in this environment");
    const QDate day(2024, 3, 5);
    ScheduleDataInfo retro = jobTitled(*m_client, QStringLiteral("Retro"), day);
    QCOMPARE(retro.getTitleName(), QStringLiteral("Retro"));
    retro.setTitleName(QStringLiteral("Retrospective"));
    QDBusInterface server(ServerProcess::service(), QStringLiteral(DBUS_SERVER_PATH),
                          QStringLiteral(DBUS_SERVER_NAME));
    const QDBusMessage changed = server.call(QStringLiteral("UpdateJob"), jsonOf(retro));
    QVERIFY2(changed.type() == QDBusMessage::ReplyMessage, qPrintable(changed.errorMessage()));
    QVERIFY(titles().contains(QStringLiteral("Retrospective")));

    const ScheduleDataInfo review = jobTitled(*m_client, QStringLiteral("Review"), day);
    QVERIFY(review.getID() > 0);
    const QDBusMessage deleted =
        server.call(QStringLiteral("DeleteJob"), QVariant::fromValue(qint64(review.getID())));
    QVERIFY2(deleted.type() == QDBusMessage::ReplyMessage, qPrintable(deleted.errorMessage()));
    QVERIFY(!titles().contains(QStringLiteral("Review")));
    QTRY_COMPARE_WITH_TIMEOUT(
        titlesInFile(), QStringList({QStringLiteral("Planning"), QStringLiteral("Retrospective")}), 30000);
}

void TestAkonadiCalendars::zonedItemServed_data()
{
    QTest::addColumn<QString>("zone");
    QTest::addColumn<QDateTime>("begin"); // in that zone
    QTest::addColumn<QDateTime>("utc");
    const auto in = [](const char *zone, int year, int month, int day, int hour, int minute) {
        return QDateTime(QDate(year, month, day), QTime(hour, minute), QTimeZone(zone));
    };
    QTest::newRow("New York, summer time")
        << QStringLiteral("America/New_York") << in("America/New_York", 2024, 7, 2, 8, 0)
        << QDateTime(QDate(2024, 7, 2), QTime(12, 0), Qt::UTC);
    QTest::newRow("the same zone in winter")
        << QStringLiteral("America/New_York") << in("America/New_York", 2024, 1, 9, 8, 0)
        << QDateTime(QDate(2024, 1, 9), QTime(13, 0), Qt::UTC);
    QTest::newRow("a half-hour zone")
        << QStringLiteral("Asia/Kolkata") << in("Asia/Kolkata", 2024, 3, 12, 9, 0)
        << QDateTime(QDate(2024, 3, 12), QTime(3, 30), Qt::UTC);
    // Before the transitions the zone's other items were written with; its offset as the system's
    // zone data has it, which for years before 1970 depends on how that data was built.
    const QDateTime old = in("America/New_York", 1965, 7, 6, 8, 0);
    QTest::newRow("the same zone in 1965") << QStringLiteral("America/New_York") << old << old.toUTC();
}

// An item in a zone of its own is served at its moment, with each zone's definition written once
// for all the items that name it.
void TestAkonadiCalendars::zonedItemServed()
{
    if (!m_akonadi)
        QSKIP("Akonadi does not start in this environment");
    QFETCH(QString, zone);
    QFETCH(QDateTime, begin);
    QFETCH(QDateTime, utc);
    QVERIFY(begin.timeZone().isValid());
    Akonadi::Collection work;
    QVERIFY(fetchWork(&work));
    auto event = KCalendarCore::Event::Ptr::create();
    const QString title = QStringLiteral("Call at ") + begin.toString(Qt::ISODate) + QLatin1Char(' ') + zone;
    event->setSummary(title);
    event->setDtStart(begin);
    event->setDtEnd(begin.addSecs(1800));
    Akonadi::Item item;
    item.setMimeType(KCalendarCore::Event::eventMimeType());
    item.setPayload<KCalendarCore::Incidence::Ptr>(event);
    QVERIFY(finished(new Akonadi::ItemCreateJob(item, work)));
    const QDate day = utc.toLocalTime().date();
    QTRY_VERIFY_WITH_TIMEOUT(titlesOn(*m_client, day).contains(title), changeSeenMs);
    QCOMPARE(jobTitled(*m_client, title, day).getBeginDateTime().toUTC(), utc);
}

void TestAkonadiCalendars::outsideChangeServed_data()
{
    QTest::addColumn<bool>("repeats");
    QTest::newRow("an event") << false;
    QTest::newRow("a series") << true;
}

// An item changed in KOrganizer after the server answered for its day: the answer is the changed
// item, not what the server worked out of it before.
void TestAkonadiCalendars::outsideChangeServed()
{
    if (!m_akonadi)
        QSKIP("Akonadi does not start in this environment");
    QFETCH(bool, repeats);
    Akonadi::Collection work;
    QVERIFY(fetchWork(&work));
    const QString kind = repeats ? QStringLiteral("series") : QStringLiteral("event");
    const QDate first(2024, 4, 2);
    const QDate day = repeats ? first.addDays(2) : first;
    const QString before = QStringLiteral("Before, ") + kind;
    const QString retitled = QStringLiteral("After, ") + kind;
    auto event = KCalendarCore::Event::Ptr::create();
    event->setUid(QStringLiteral("tasklist-akonadi-outside-") + kind);
    event->setSummary(before);
    event->setDtStart(QDateTime(first, QTime(9, 0), Qt::UTC));
    event->setDtEnd(QDateTime(first, QTime(9, 30), Qt::UTC));
    if (repeats) {
        event->recurrence()->setDaily(1);
        event->recurrence()->setDuration(10);
    }
    Akonadi::Item item;
    item.setMimeType(KCalendarCore::Event::eventMimeType());
    item.setPayload<KCalendarCore::Incidence::Ptr>(event);
    auto *create = new Akonadi::ItemCreateJob(item, work);
    Akonadi::Item changed; // taken before the job deletes itself
    connect(create, &KJob::result, this, [&changed, create] { changed = create->item(); });
    QVERIFY(finished(create));
    QTRY_VERIFY_WITH_TIMEOUT(titlesOn(*m_client, day).contains(before), changeSeenMs);

    // As KOrganizer changes it: the item's payload, retitled and an hour later.
    KCalendarCore::Event::Ptr after(event->clone());
    after->setSummary(retitled);
    after->setDtStart(event->dtStart().addSecs(3600));
    after->setDtEnd(event->dtEnd().addSecs(3600));
    changed.setPayload<KCalendarCore::Incidence::Ptr>(after);
    QVERIFY(finished(new Akonadi::ItemModifyJob(changed)));
    QTRY_VERIFY_WITH_TIMEOUT(titlesOn(*m_client, day).contains(retitled), changeSeenMs);
    QVERIFY(!titlesOn(*m_client, day).contains(before));
    QCOMPARE(jobTitled(*m_client, retitled, day).getBeginDateTime().toUTC(),
             QDateTime(day, QTime(10, 0), Qt::UTC));
}

// One occurrence of a series moved and another deleted through the server: an item of its own for
// the first, an EXDATE in the series' item for the second, as KOrganizer writes them.
void TestAkonadiCalendars::oneOccurrenceGoesBack()
{
    if (!m_akonadi)
        QSKIP("Akonadi does not start in this environment");
    Akonadi::Collection work;
    QVERIFY(fetchWork(&work));
    const QString uid = QStringLiteral("tasklist-akonadi-series");
    auto event = KCalendarCore::Event::Ptr::create();
    event->setUid(uid);
    event->setSummary(QStringLiteral("Standup"));
    event->setDtStart(QDateTime(QDate(2024, 3, 4), QTime(8, 0), Qt::UTC));
    event->setDtEnd(QDateTime(QDate(2024, 3, 4), QTime(8, 15), Qt::UTC));
    event->recurrence()->setDaily(1);
    event->recurrence()->setDuration(5);
    Akonadi::Item item;
    item.setMimeType(KCalendarCore::Event::eventMimeType());
    item.setPayload<KCalendarCore::Incidence::Ptr>(event);
    QVERIFY(finished(new Akonadi::ItemCreateJob(item, work)));
    const QDate moved(2024, 3, 6), skipped(2024, 3, 7);
    QTRY_VERIFY_WITH_TIMEOUT(titlesOn(*m_client, skipped).contains(QStringLiteral("Standup")), changeSeenMs);

    ScheduleDataInfo third = jobTitled(*m_client, QStringLiteral("Standup"), moved);
    third.setTitleName(QStringLiteral("Standup, later"));
    third.setBeginDateTime(QDateTime(moved, QTime(10, 0), Qt::UTC).toLocalTime());
    third.setEndDateTime(QDateTime(moved, QTime(10, 15), Qt::UTC).toLocalTime());
    QJsonObject json = ScheduleDataInfo::ScheduleToJson(third);
    json.insert(QStringLiteral("ThisOccurrenceOnly"), true);
    QDBusInterface server(ServerProcess::service(), QStringLiteral(DBUS_SERVER_PATH),
                          QStringLiteral(DBUS_SERVER_NAME));
    const QDBusMessage changed =
        server.call(QStringLiteral("UpdateJob"), QString::fromUtf8(QJsonDocument(json).toJson()));
    QVERIFY2(changed.type() == QDBusMessage::ReplyMessage, qPrintable(changed.errorMessage()));
    QTRY_COMPARE_WITH_TIMEOUT(titlesOn(*m_client, moved).filter(QStringLiteral("Standup")),
                              QStringList{QStringLiteral("Standup, later")}, 10000);

    ScheduleDataInfo fourth = jobTitled(*m_client, QStringLiteral("Standup"), skipped);
    fourth.getIgnoreTime() << fourth.getBeginDateTime();
    QVERIFY(m_client->UpdateJob(fourth));
    QTRY_VERIFY_WITH_TIMEOUT(!titlesOn(*m_client, skipped).contains(QStringLiteral("Standup")), changeSeenMs);
    QVERIFY(titlesOn(*m_client, QDate(2024, 3, 8)).contains(QStringLiteral("Standup")));

    QTRY_COMPARE_WITH_TIMEOUT(occurrencesInFile(uid),
                              QStringList({QStringLiteral("2024-03-04T08:00:00Z Standup"),
                                           QStringLiteral("2024-03-05T08:00:00Z Standup"),
                                           QStringLiteral("2024-03-06T10:00:00Z Standup, later"),
                                           QStringLiteral("2024-03-08T08:00:00Z Standup")}),
                              30000);
}

void TestAkonadiCalendars::todoCompletedInTheFile_data()
{
    QTest::addColumn<bool>("repeats");
    QTest::addColumn<QStringList>("completed");
    QTest::addColumn<QStringList>("reopened");
    QTest::newRow("a to-do") << false << QStringList{QStringLiteral("Pay the rent done 100")}
                             << QStringList{QStringLiteral("Pay the rent 0")};
    // The occurrence completed alone, in an override of its own; the series stays open.
    QTest::newRow("a repeating to-do")
        << true
        << QStringList({QStringLiteral("Water the plants 0"),
                        QStringLiteral("Water the plants @2024-03-11T08:00:00Z done 100")})
        << QStringList({QStringLiteral("Water the plants 0"),
                        QStringLiteral("Water the plants @2024-03-11T08:00:00Z 0")});
}

// A to-do ticked through the server is completed in its Akonadi item, and so in the resource's
// file; unticked, it is open again.
void TestAkonadiCalendars::todoCompletedInTheFile()
{
    if (!m_akonadi)
        QSKIP("Akonadi does not start in this environment");
    QFETCH(bool, repeats);
    QFETCH(QStringList, completed);
    QFETCH(QStringList, reopened);
    Akonadi::Collection work;
    QVERIFY(fetchWork(&work));
    const QString title = repeats ? QStringLiteral("Water the plants") : QStringLiteral("Pay the rent");
    auto todo = KCalendarCore::Todo::Ptr::create();
    todo->setUid(QStringLiteral("tasklist-akonadi-todo-") + QString::number(repeats));
    todo->setSummary(title);
    const QDateTime due(QDate(2024, 3, 11), QTime(8, 0), Qt::UTC);
    todo->setDtStart(due);
    todo->setDtDue(due);
    if (repeats) {
        todo->recurrence()->setWeekly(1);
        todo->recurrence()->setDuration(4);
    }
    Akonadi::Item item;
    item.setMimeType(KCalendarCore::Todo::todoMimeType());
    item.setPayload<KCalendarCore::Incidence::Ptr>(todo);
    QVERIFY(finished(new Akonadi::ItemCreateJob(item, work)));
    const QDate day = due.toLocalTime().date();
    QTRY_VERIFY_WITH_TIMEOUT(titlesOn(*m_client, day).contains(title), changeSeenMs);
    const ScheduleDataInfo job = jobTitled(*m_client, title, day);
    QVERIFY(!job.getCompleted());

    QDBusInterface server(ServerProcess::service(), QStringLiteral(DBUS_SERVER_PATH),
                          QStringLiteral(DBUS_SERVER_NAME));
    const QVariant id = QVariant::fromValue(qint64(job.getID()));
    const QDBusMessage ticked = server.call(QStringLiteral("SetJobCompleted"), id, job.getRecurID(), true);
    QVERIFY2(ticked.type() == QDBusMessage::ReplyMessage, qPrintable(ticked.errorMessage()));
    QTRY_COMPARE_WITH_TIMEOUT(todosInFile(title), completed, 30000);
    QTRY_VERIFY_WITH_TIMEOUT(jobTitled(*m_client, title, day).getCompleted(), changeSeenMs);
    if (repeats)
        QVERIFY(!jobTitled(*m_client, title, day.addDays(7)).getCompleted());

    const QDBusMessage unticked = server.call(QStringLiteral("SetJobCompleted"), id, job.getRecurID(), false);
    QVERIFY2(unticked.type() == QDBusMessage::ReplyMessage, qPrintable(unticked.errorMessage()));
    QTRY_COMPARE_WITH_TIMEOUT(todosInFile(title), reopened, 30000);
    QTRY_VERIFY_WITH_TIMEOUT(!jobTitled(*m_client, title, day).getCompleted(), changeSeenMs);
}

// A read-only collection is served as such; a change to it is refused in plain words, and its
// file stays as it was.
void TestAkonadiCalendars::readOnlyCollectionRefused()
{
    if (!m_akonadi)
        QSKIP("Akonadi does not start in this environment");
    const QString path = QFileInfo(m_file).absolutePath() + QStringLiteral("/akonadi-holidays.ics");
    const QByteArray text =
        calendarOf("tasklist-akonadi-holiday", "Spring holiday").replace("20240305T", "20240308T");
    QVERIFY(writeFile(path, text));
    QVERIFY(!AkonadiResource::addICalendar(path, QStringLiteral("Holidays"), true, 20000).isEmpty());
    const QDate day(2024, 3, 8);
    QTRY_VERIFY_WITH_TIMEOUT(titlesOn(*m_client, day).contains(QStringLiteral("Spring holiday")), 30000);
    ScheduleDataInfo holiday = jobTitled(*m_client, QStringLiteral("Spring holiday"), day);
    QVERIFY(!holiday.getCalendarWritable());
    QCOMPARE(holiday.getCalendarName(), QStringLiteral("Holidays"));

    QDBusInterface server(ServerProcess::service(), QStringLiteral(DBUS_SERVER_PATH),
                          QStringLiteral(DBUS_SERVER_NAME));
    holiday.setTitleName(QStringLiteral("Renamed"));
    const QDBusMessage changed = server.call(QStringLiteral("UpdateJob"), jsonOf(holiday));
    QCOMPARE(changed.type(), QDBusMessage::ErrorMessage);
    QCOMPARE(changed.errorName(), QStringLiteral(DBUS_SERVER_ERROR "ReadOnly"));
    QVERIFY2(changed.errorMessage().contains(QStringLiteral("Holidays")), qPrintable(changed.errorMessage()));

    ScheduleDataInfo fresh;
    fresh.setTitleName(QStringLiteral("Not here"));
    fresh.setType(1);
    fresh.setBeginDateTime(QDateTime(day, QTime(9, 0)));
    fresh.setEndDateTime(QDateTime(day, QTime(10, 0)));
    CalendarIdentity holidays;
    holidays.id = holiday.getCalendar().id;
    fresh.setCalendar(holidays);
    const QDBusMessage created = server.call(QStringLiteral("CreateJob"), jsonOf(fresh));
    QCOMPARE(created.errorName(), QStringLiteral(DBUS_SERVER_ERROR "ReadOnly"));
    QVERIFY(server.call(QStringLiteral("DeleteJob"), QVariant::fromValue(qint64(holiday.getID()))).type() ==
            QDBusMessage::ErrorMessage);

    QCOMPARE(titlesOn(*m_client, day).filter(QStringLiteral("holiday")),
             QStringList{QStringLiteral("Spring holiday")});
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), text);
}

// Akonadi stopped: its calendars leave, the files stay served; started again: they come back.
void TestAkonadiCalendars::akonadiStopsAndComesBack()
{
    if (!m_akonadi)
        QSKIP("Akonadi does not start in this environment");
    QVERIFY(titles().contains(QStringLiteral("Planning")));
    QProcess::execute(QStringLiteral(AKONADICTL_PROGRAM), {QStringLiteral("stop")});
    QTRY_VERIFY_WITH_TIMEOUT(!registered(serverService), 20000);
    QTRY_COMPARE_WITH_TIMEOUT(titles(), QStringList{QStringLiteral("From a file")}, changeSeenMs);
    QVERIFY(calendarIdOf(QStringLiteral("Work")).isEmpty());

    QVERIFY(startAkonadi());
    QTRY_VERIFY_WITH_TIMEOUT(titles().contains(QStringLiteral("Planning")), 30000);
    QVERIFY(titles().contains(QStringLiteral("From a file")));
    QVERIFY(!calendarIdOf(QStringLiteral("Work")).isEmpty());
}

void TestAkonadiCalendars::disabledCollectionLeaves()
{
    if (!m_akonadi)
        QSKIP("Akonadi does not start in this environment");
    Akonadi::Collection work;
    QVERIFY(fetchWork(&work));
    work.setEnabled(false);
    QVERIFY(finished(new Akonadi::CollectionModifyJob(work)));
    QTRY_COMPARE_WITH_TIMEOUT(titles(), QStringList{QStringLiteral("From a file")}, changeSeenMs);
    QVERIFY(calendarIdOf(QStringLiteral("Work")).isEmpty());
}

void TestAkonadiCalendars::cleanupTestCase()
{
    m_server.stop();
    if (registered(QStringLiteral("org.freedesktop.Akonadi.Control"))) {
        QProcess::execute(QStringLiteral(AKONADICTL_PROGRAM), {QStringLiteral("stop")});
        QTRY_VERIFY_WITH_TIMEOUT(!registered(QStringLiteral("org.freedesktop.Akonadi.Control")), 15000);
    }
}

QTEST_GUILESS_MAIN(TestAkonadiCalendars)
#include "tst_akonadicalendars.moc"
