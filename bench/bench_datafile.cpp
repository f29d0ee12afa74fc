// saveData and loadData of 100,000 records against a bare QSaveFile + QDataStream write and a bare
// QDataStream read of the same QHash and QVector.
#include "benchutil.h"
#include "datacenter.h"

#include <QCoreApplication>
#include <QSaveFile>
#include <QTemporaryDir>

namespace {

bool bareSave(const QString &path, const QHash<DataID, ExtendedData> &table,
              const QVector<ExtendedData> &tasks)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    QDataStream out(&file);
    out.setVersion(QDataStream::Qt_5_6);
    out << table << tasks;
    return out.status() == QDataStream::Ok && file.flush() && file.commit();
}

// Into containers that hold the records of the previous read, as loadData's table does.
int bareLoad(const QString &path)
{
    static QHash<DataID, ExtendedData> table;
    static QVector<ExtendedData> tasks;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    QDataStream in(&file);
    in.setVersion(QDataStream::Qt_5_6);
    in >> table >> tasks;
    return in.status() == QDataStream::Ok ? table.size() + tasks.size() : -1;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QString productPath = dir.filePath(QStringLiteral("data"));
    const QString barePath = dir.filePath(QStringLiteral("bare"));
    const int count = 100000;

    // The records as the widget stores them: every one has a flag set (saveData drops the others).
    QHash<DataID, ExtendedData> table;
    DataCenter *center = DataCenter::instance();
    center->loadData(productPath);
    for (int i = 0; i < count; ++i) {
        ScheduleDataInfo info;
        info.setID(100000 + i);
        info.setRecurID(i % 7);
        info.setTitleName(QStringLiteral("Weekly planning of project %1").arg(i));
        ExtendedData data;
        data.dataId = DataID{info.getID(), info.getRecurID(), info.getTitleName()};
        data.checked = i % 2 == 0;
        data.pinned = i % 2 == 1;
        data.countdown = i % 5 == 0;
        center->setExtendedData(info, data);
        table.insert(data.dataId, data);
    }
    const QVector<ExtendedData> tasks;

    if (!center->saveData() || !bareSave(barePath, table, tasks)) {
        Bench::note(QStringLiteral("cannot write into %1").arg(dir.path()));
        return 1;
    }
    Bench::note(
        QStringLiteral("data file: %1 records, %2 bytes").arg(count).arg(QFileInfo(productPath).size()));

    QVector<double> bareWrite;
    QVector<double> productWrite;
    QVector<double> bareRead;
    QVector<double> productRead;
    int sink = 0;
    const int runs = Bench::runs(9);
    for (int i = 0; i < runs; ++i) {
        bareWrite << Bench::elapsedMs([&] { sink += bareSave(barePath, table, tasks); });
        productWrite << Bench::elapsedMs([&] { sink += center->saveData(); });
        bareRead << Bench::elapsedMs([&] { sink += bareLoad(barePath); });
        productRead << Bench::elapsedMs([&] { center->loadData(productPath); });
    }
    Bench::note(QStringLiteral("(sink %1)").arg(sink));
    Bench::ratioRow(QStringLiteral("saveData, 100,000 records"), Bench::median(productWrite),
                    Bench::median(bareWrite), QStringLiteral("ms"), 1.3);
    Bench::ratioRow(QStringLiteral("loadData, 100,000 records"), Bench::median(productRead),
                    Bench::median(bareRead), QStringLiteral("ms"), 1.3);
    return 0;
}
