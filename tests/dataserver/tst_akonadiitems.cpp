#include "akonadiitems.h"

#include <KCalendarCore/Event>

#include <QtTest>

using namespace KCalendarCore;

// One Akonadi collection's items as the server holds them: which of Akonadi's change notices
// change what is served. Each that does makes the server read the collection again and refuse an
// edit until it has, so a notice that changes nothing must not count.
class TestAkonadiItems : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void takeTellsChanges_data();
    void takeTellsChanges();
};

namespace {

Event::Ptr standup()
{
    auto event = Event::Ptr::create();
    event->setUid(QStringLiteral("tasklist-akonadi-standup"));
    event->setSummary(QStringLiteral("Standup"));
    event->setDtStart(QDateTime(QDate(2024, 3, 5), QTime(9, 0), Qt::UTC));
    event->setDtEnd(QDateTime(QDate(2024, 3, 5), QTime(9, 15), Qt::UTC));
    return event;
}

Akonadi::Item itemOf(Akonadi::Item::Id id, int revision, const Incidence::Ptr &incidence)
{
    Akonadi::Item item(id);
    item.setMimeType(Event::eventMimeType());
    item.setRevision(revision);
    if (incidence)
        item.setPayload<Incidence::Ptr>(incidence);
    return item;
}

} // namespace

void TestAkonadiItems::takeTellsChanges_data()
{
    QTest::addColumn<Akonadi::Item>("notice");
    QTest::addColumn<bool>("changed");
    QTest::addColumn<int>("revision"); // the one the next edit names
    QTest::addColumn<QStringList>("served");

    const Incidence::Ptr same = standup();
    Akonadi::Item committed = itemOf(1, 0, same);
    committed.setRemoteId(QStringLiteral("standup.ics"));
    QTest::newRow("the resource's remote ID, the same incidence")
        << committed << false << 0 << QStringList{"Standup"};
    QTest::newRow("a new revision of the same incidence")
        << itemOf(1, 1, same) << false << 1 << QStringList{"Standup"};

    const Incidence::Ptr retitled = standup();
    retitled->setSummary(QStringLiteral("Daily"));
    QTest::newRow("a new title") << itemOf(1, 1, retitled) << true << 1 << QStringList{"Daily"};
    const Incidence::Ptr moved = standup();
    moved->setDtStart(moved->dtStart().addSecs(3600));
    QTest::newRow("a new time") << itemOf(1, 1, moved) << true << 1 << QStringList{"Standup"};
    QTest::newRow("the incidence gone") << itemOf(1, 1, {}) << true << -1 << QStringList();
    const Incidence::Ptr other = standup();
    other->setUid(QStringLiteral("tasklist-akonadi-other"));
    QTest::newRow("another item") << itemOf(2, 0, other) << true << 0 << QStringList{"Standup", "Standup"};
}

void TestAkonadiItems::takeTellsChanges()
{
    QFETCH(Akonadi::Item, notice);
    QFETCH(bool, changed);
    QFETCH(int, revision);
    QFETCH(QStringList, served);

    AkonadiItems items;
    QVERIFY(items.take(itemOf(1, 0, standup())));
    const quint64 before = items.parsed().version;

    QCOMPARE(items.take(notice), changed);
    QCOMPARE(items.parsed().version != before, changed);
    const Akonadi::Item edited = items.itemOf(*standup());
    QCOMPARE(edited.isValid() ? edited.revision() : -1, revision);
    const QStringList titles = [&] {
        QStringList out;
        for (const Incidence::Ptr &incidence : items.parsed().incidences)
            out << incidence->summary();
        return out;
    }();
    QCOMPARE(titles, served);
    QCOMPARE(items.text().count("BEGIN:VEVENT"), served.size());
    for (const QString &title : served)
        QVERIFY(items.text().contains("SUMMARY:" + title.toUtf8()));
}

QTEST_GUILESS_MAIN(TestAkonadiItems)
#include "tst_akonadiitems.moc"
