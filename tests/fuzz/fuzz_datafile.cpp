// The widget's data file, read back at start-up: whatever is on the disk, damaged files included.
#include "datacenter.h"
#include "fuzzcommon.h"

#include <QFile>
#include <QTemporaryDir>

namespace {

QTemporaryDir *folder = nullptr;

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    Fuzz::startApplication(argc, argv);
    folder = new QTemporaryDir;
    return folder->isValid() ? 0 : 1;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString path = folder->filePath(QStringLiteral("data"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        __builtin_trap();
    file.write(reinterpret_cast<const char *>(data), static_cast<qint64>(size));
    file.close();

    // loadData replaces both tables, so the previous input leaves nothing behind.
    DataCenter *center = DataCenter::instance();
    center->loadData(path);
    QVector<ExtendedData> floatTasks;
    center->getFloatTask(floatTasks);
    for (const ExtendedData &task : std::as_const(floatTasks))
        (void)center->setFloatTask(task.dataId.titleName, !task.checked);
    return 0;
}
