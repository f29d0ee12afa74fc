#include "calendarstore.h"

#include <QJsonDocument>
#include <QSaveFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

// The store answers GetJobs from an index of occurrences kept across queries and re-reads; every
// answer must be what a store that has just read the same files gives.
class TestOccurrenceIndex : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void sameAsFreshStore_data();
    void sameAsFreshStore();
    void answerIsCompactJson();

private:
    bool writeCalendar(const QByteArray &events);
    QString fresh(const QDate &first, const QDate &last) const;

    QTemporaryDir m_dir;
    QString m_path;
};

namespace {

const QByteArray daily = "BEGIN:VEVENT\r\nUID:daily\r\nDTSTART;TZID=Europe/Berlin:20240102T090000\r\n"
                         "DURATION:PT30M\r\nRRULE:FREQ=DAILY\r\nSUMMARY:Stand-up\r\nEND:VEVENT\r\n";
const QByteArray single =
    "BEGIN:VEVENT\r\nUID:single\r\nDTSTART:20240305T120000Z\r\nDTEND:20240305T130000Z\r\n"
    "SUMMARY:Lunch\r\nEND:VEVENT\r\n";
const QByteArray weekly = "BEGIN:VEVENT\r\nUID:weekly\r\nDTSTART;VALUE=DATE:20240101\r\n"
                          "RRULE:FREQ=WEEKLY;COUNT=30\r\nSUMMARY:Bins\r\nEND:VEVENT\r\n"
                          "BEGIN:VEVENT\r\nUID:weekly\r\nRECURRENCE-ID;VALUE=DATE:20240304\r\n"
                          "DTSTART;VALUE=DATE:20240306\r\nSUMMARY:Bins, moved\r\nEND:VEVENT\r\n";

QStringList titles(const QString &json)
{
    QStringList out;
    const QJsonArray days = QJsonDocument::fromJson(json.toUtf8()).array();
    for (const QJsonValue &day : days) {
        for (const QJsonValue &job : day.toObject().value("Jobs").toArray())
            out << day.toObject().value("Date").toString() + ' ' + job.toObject().value("Title").toString();
    }
    return out;
}

} // namespace

bool TestOccurrenceIndex::writeCalendar(const QByteArray &events)
{
    QSaveFile file(m_path);
    const QByteArray text =
        "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Test//Index//EN\r\n" + events + "END:VCALENDAR\r\n";
    return file.open(QIODevice::WriteOnly) && file.write(text) == text.size() && file.commit();
}

QString TestOccurrenceIndex::fresh(const QDate &first, const QDate &last) const
{
    CalendarStore store({m_path});
    store.load();
    return store.jobsJson(first, last);
}

void TestOccurrenceIndex::initTestCase()
{
    QCOMPARE(qgetenv("TZ"), QByteArray("Europe/Berlin"));
    QVERIFY(m_dir.isValid());
    m_path = m_dir.filePath("calendar.ics");
}

void TestOccurrenceIndex::sameAsFreshStore_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QByteArray>("after");
    QTest::addColumn<QString>("expectedTitle");

    QTest::newRow("unchanged file") << daily + single + weekly << daily + single + weekly << "Lunch";
    QTest::newRow("one event retitled")
        << daily + single + weekly << daily + QByteArray(single).replace("Lunch", "Brunch") + weekly
        << "Brunch";
    QTest::newRow("series moved") << daily + single + weekly
                                  << QByteArray(daily).replace("T090000", "T100000") + single + weekly
                                  << "Stand-up";
    QTest::newRow("override removed")
        << daily + single + weekly << daily + single + weekly.left(weekly.indexOf("BEGIN:VEVENT", 10))
        << "Bins";
    QTest::newRow("event added") << daily + weekly << daily + single + weekly << "Lunch";
    QTest::newRow("event removed") << daily + single + weekly << daily + weekly << "Stand-up";
}

void TestOccurrenceIndex::sameAsFreshStore()
{
    QFETCH(QByteArray, before);
    QFETCH(QByteArray, after);
    QFETCH(QString, expectedTitle);

    QVERIFY(writeCalendar(before));
    CalendarStore store({m_path});
    store.load();
    // Ranges inside one window, far from it, and across its edge: all served from the index.
    const QList<QPair<QDate, QDate>> ranges{{QDate(2024, 3, 4), QDate(2024, 3, 10)},
                                            {QDate(2024, 3, 1), QDate(2024, 3, 7)},
                                            {QDate(2024, 7, 1), QDate(2024, 7, 7)},
                                            {QDate(2024, 2, 20), QDate(2024, 3, 31)}};
    for (const auto &range : ranges)
        QCOMPARE(store.jobsJson(range.first, range.second), fresh(range.first, range.second));

    QSignalSpy changed(&store, &CalendarStore::jobsChanged);
    QVERIFY(writeCalendar(after));
    if (before != after)
        QVERIFY(changed.wait(5000));
    for (const auto &range : ranges) {
        const QString json = store.jobsJson(range.first, range.second);
        QCOMPARE(json, fresh(range.first, range.second));
    }
    QVERIFY(titles(store.jobsJson(QDate(2024, 3, 4), QDate(2024, 3, 10))).join('\n').contains(expectedTitle));
}

void TestOccurrenceIndex::answerIsCompactJson()
{
    // The answer is written from the jobs' own texts; it must be what QJsonDocument writes.
    QVERIFY(writeCalendar(daily + single + weekly));
    CalendarStore store({m_path});
    store.load();
    const QString json = store.jobsJson(QDate(2024, 3, 3), QDate(2024, 3, 9));
    const QJsonDocument document = QJsonDocument::fromJson(json.toUtf8());
    QVERIFY(document.isArray());
    QCOMPARE(document.array().size(), 7);
    QCOMPARE(QString::fromUtf8(document.toJson(QJsonDocument::Compact)), json);
    QCOMPARE(titles(json).filter("Bins"), QStringList{"2024-03-06 Bins, moved"});
    QCOMPARE(titles(json).filter("Stand-up").size(), 7);
}

QTEST_GUILESS_MAIN(TestOccurrenceIndex)
#include "tst_occurrenceindex.moc"
