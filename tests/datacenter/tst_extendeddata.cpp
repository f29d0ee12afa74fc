#include "datacenter.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <climits>

namespace {

ScheduleDataInfo schedule(int id, int recurID, const QString &title, const QDateTime &begin = {})
{
    ScheduleDataInfo info;
    info.setID(id);
    info.setRecurID(recurID);
    info.setTitleName(title);
    info.setBeginDateTime(begin);
    info.setEndDateTime(begin.addSecs(3600));
    return info;
}

ExtendedData checkedRecord(const ScheduleDataInfo &info)
{
    ExtendedData data;
    data.dataId = DataID{info.getID(), info.getRecurID(), info.getTitleName()};
    data.checked = true;
    return data;
}

} // namespace

class TestExtendedData : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir tempDir;
    int pathCount = 0;

    QString freshStore()
    {
        const QString path = tempDir.filePath(QString("data%1").arg(++pathCount));
        QFile file(path);
        if (file.open(QIODevice::WriteOnly))
            file.write(QByteArray(8, '\0'));
        file.close();
        DataCenter::instance()->loadData(path);
        return path;
    }

private Q_SLOTS:
    void initTestCase() { QVERIFY(tempDir.isValid()); }

    void hash_data()
    {
        QTest::addColumn<int>("id");
        QTest::addColumn<int>("recurID");
        QTest::addColumn<QString>("title");
        QTest::addColumn<uint>("seed");
        QTest::addColumn<uint>("expected");
        QTest::newRow("plain") << 1 << 2 << QString() << 0u << 102u;
        QTest::newRow("title") << 1 << 0 << QString("a") << 0u << 100u + uint(qHash(QString("a"), 0u));
        QTest::newRow("negative id wraps") << -1 << 0 << QString("") << 0u << 0xFFFFFF9Cu;
        QTest::newRow("overflowing id wraps") << INT_MIN << 5 << QString() << 0u << 5u;
        QTest::newRow("seed goes to the title")
            << 0 << 0 << QString("ab") << 7u << uint(qHash(QString("ab"), 7u));
    }

    void hash()
    {
        QFETCH(int, id);
        QFETCH(int, recurID);
        QFETCH(QString, title);
        QFETCH(uint, seed);
        QFETCH(uint, expected);
        QCOMPARE(qHash(DataID{id, recurID, title}, seed), expected);
    }

    void lookupInsertsDefaultAndSavePrunesIt()
    {
        const QString path = freshStore();
        const ExtendedData found = DataCenter::instance()->getExtendedData(schedule(11, 0, "never set"));
        QVERIFY(found.isDefault());
        QCOMPARE(found.dataId, DataID());
        QVERIFY(found.dataId.titleName.isNull());
        QVERIFY(DataCenter::instance()->saveData());
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray(8, '\0'));
    }

    void keys_data()
    {
        const QDateTime monday(QDate(2024, 3, 4), QTime(9, 0));
        QTest::addColumn<ScheduleDataInfo>("stored");
        QTest::addColumn<ScheduleDataInfo>("looked");
        QTest::addColumn<bool>("found");
        QTest::newRow("same occurrence")
            << schedule(1, 0, "a", monday) << schedule(1, 0, "a", monday) << true;
        QTest::newRow("other begin time")
            << schedule(1, 0, "a", monday) << schedule(1, 0, "a", monday.addDays(3)) << true;
        QTest::newRow("other occurrence")
            << schedule(1, 1, "a", monday) << schedule(1, 2, "a", monday) << false;
        QTest::newRow("title changed") << schedule(1, 0, "a", monday) << schedule(1, 0, "b", monday) << false;
        QTest::newRow("title case") << schedule(1, 0, "a", monday) << schedule(1, 0, "A", monday) << false;
        QTest::newRow("other id") << schedule(1, 0, "a", monday) << schedule(2, 0, "a", monday) << false;
        QTest::newRow("null and empty title")
            << schedule(1, 0, QString(), monday) << schedule(1, 0, QString(""), monday) << true;
    }

    void keys()
    {
        QFETCH(ScheduleDataInfo, stored);
        QFETCH(ScheduleDataInfo, looked);
        QFETCH(bool, found);
        freshStore();
        DataCenter::instance()->setExtendedData(stored, checkedRecord(stored));
        QCOMPARE(DataCenter::instance()->getExtendedData(looked).checked, found);
        QVERIFY(DataCenter::instance()->getExtendedData(stored).checked);
    }

    void occurrencesAreIndependent()
    {
        freshStore();
        const ScheduleDataInfo first = schedule(5, 1, "daily");
        const ScheduleDataInfo second = schedule(5, 2, "daily");
        DataCenter *center = DataCenter::instance();
        center->setExtendedData(first, checkedRecord(first));
        ExtendedData pinned = center->getExtendedData(second);
        pinned.pinned = true;
        center->setExtendedData(second, pinned);

        QVERIFY(center->getExtendedData(first).checked);
        QVERIFY(!center->getExtendedData(first).pinned);
        QVERIFY(!center->getExtendedData(second).checked);
        QVERIFY(center->getExtendedData(second).pinned);
    }

    void storedRecordIsKeptWhole()
    {
        freshStore();
        const ScheduleDataInfo info = schedule(8, 0, "key");
        ExtendedData data;
        data.dataId = DataID{99, 4, "not the key"};
        data.countdown = true;
        DataCenter::instance()->setExtendedData(info, data);
        QCOMPARE(DataCenter::instance()->getExtendedData(info), data);

        data.countdown = false;
        data.checked = true;
        DataCenter::instance()->setExtendedData(info, data);
        QCOMPARE(DataCenter::instance()->getExtendedData(info), data);
    }
};

QTEST_GUILESS_MAIN(TestExtendedData)

#include "tst_extendeddata.moc"
