#include "datacenter.h"
#include "warningspy.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using Table = QHash<DataID, ExtendedData>;
using FloatList = QVector<ExtendedData>;
Q_DECLARE_METATYPE(Table)
Q_DECLARE_METATYPE(FloatList)

namespace {

ScheduleDataInfo schedule(int id, int recurID, const QString &title)
{
    ScheduleDataInfo info;
    info.setID(id);
    info.setRecurID(recurID);
    info.setTitleName(title);
    return info;
}

ExtendedData record(int id, int recurID, const QString &title, bool checked, bool pinned = false,
                    bool countdown = false)
{
    ExtendedData data;
    data.dataId = DataID{id, recurID, title};
    data.checked = checked;
    data.pinned = pinned;
    data.countdown = countdown;
    return data;
}

QByteArray readBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray plainStream(const Table &table, const FloatList &floats)
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setVersion(QDataStream::Qt_5_6);
    out << table << floats;
    return bytes;
}

// What another reader of the format makes of the file: Qt's own container streaming.
bool readPlain(const QString &path, Table &table, FloatList &floats)
{
    QDataStream in(readBytes(path));
    in.setVersion(QDataStream::Qt_5_6);
    in >> table >> floats;
    return in.status() == QDataStream::Ok && in.atEnd();
}

QByteArray be32(quint32 value)
{
    QByteArray bytes(4, '\0');
    qToBigEndian(value, bytes.data());
    return bytes;
}

// The title as the format spells it, written out by hand rather than by QDataStream.
QByteArray titleBytes(const QString &title)
{
    if (title.isNull())
        return be32(0xFFFFFFFFu);
    QByteArray bytes = be32(quint32(title.size() * 2));
    for (QChar c : title) {
        bytes.append(char(c.unicode() >> 8));
        bytes.append(char(c.unicode() & 0xFF));
    }
    return bytes;
}

struct FileStamp
{
    ino_t inode = 0;
    qint64 ctimeNs = -1;
    bool operator==(const FileStamp &other) const { return inode == other.inode && ctimeNs == other.ctimeNs; }
};

// A QSaveFile commit puts a new inode in place; inode plus change time tells one write from another.
FileStamp stamp(const QString &path)
{
    struct stat st;
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return {};
    return {st.st_ino, qint64(st.st_ctim.tv_sec) * 1000000000 + st.st_ctim.tv_nsec};
}

int modeOf(const QString &path)
{
    struct stat st;
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? int(st.st_mode & 07777) : -1;
}

const char childArgument[] = "--set-and-wait";

// Run in a child process: makes one change, says so, and waits to be killed.
int childMain(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    DataCenter::instance()->loadData(QString::fromLocal8Bit(argv[2]));
    DataCenter::instance()->setExtendedData(schedule(42, 3, "survives a kill"),
                                            record(42, 3, "survives a kill", true));
    QTextStream(stdout) << "changed" << Qt::endl;
    return app.exec();
}

} // namespace

class TestDataFile : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir tempDir;
    int pathCount = 0;

    // A new directory holding an empty data file, loaded: the store starts from nothing.
    QString freshStore()
    {
        const QString dir = tempDir.filePath(QString::number(++pathCount));
        QDir().mkpath(dir);
        const QString path = dir + "/data";
        writeBytes(path, QByteArray(8, '\0'));
        DataCenter::instance()->loadData(path);
        return path;
    }

private Q_SLOTS:
    void initTestCase() { QVERIFY(tempDir.isValid()); }

    void emptyStoreIsEightZeroBytes()
    {
        const QString path = freshStore();
        QFile::remove(path);
        DataCenter::instance()->getExtendedData(schedule(1, 0, "looked up only"));
        QVERIFY(DataCenter::instance()->saveData());
        QCOMPARE(readBytes(path), QByteArray(8, '\0'));
    }

    void missingFileKeepsMemory()
    {
        const QString path = freshStore();
        DataCenter::instance()->setExtendedData(schedule(5, 0, "kept"), record(5, 0, "kept", true));
        DataCenter::instance()->loadData(path + ".missing");
        QVERIFY(DataCenter::instance()->getExtendedData(schedule(5, 0, "kept")).checked);
    }

    void titleEncoding_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QByteArray>("encodedTitle");
        QTest::newRow("null title") << QString() << QByteArray::fromHex("ffffffff");
        QTest::newRow("empty title") << QString("") << QByteArray::fromHex("00000000");
        QTest::newRow("latin") << QString("Ab") << QByteArray::fromHex("0000000400410062");
        QTest::newRow("chinese") << QString::fromUtf8("开会") << QByteArray::fromHex("000000045f004f1a");
        QTest::newRow("outside the BMP")
            << QString::fromUtf8("\xF0\x9F\x93\x85") << QByteArray::fromHex("00000004d83ddcc5");
    }

    void titleEncoding()
    {
        QFETCH(QString, title);
        QFETCH(QByteArray, encodedTitle);
        QCOMPARE(titleBytes(title), encodedTitle);

        const QString path = freshStore();
        DataCenter::instance()->setExtendedData(schedule(7, 2, title),
                                                record(7, 2, title, true, false, true));
        DataCenter::instance()->createFloatTask(title);
        QVERIFY(DataCenter::instance()->saveData());

        const QByteArray dataId = QByteArray::fromHex("0000000700000002") + encodedTitle;
        const QByteArray expected = be32(1) + dataId + dataId + QByteArray::fromHex("010001") + be32(1) +
                                    QByteArray::fromHex("0000000000000000") + encodedTitle +
                                    QByteArray::fromHex("000000");
        QCOMPARE(readBytes(path), expected);

        // Reading and writing again must not turn a null title into an empty one, nor the reverse.
        DataCenter::instance()->loadData(path);
        QVector<ExtendedData> floats;
        DataCenter::instance()->getFloatTask(floats);
        QCOMPARE(floats.size(), 1);
        QCOMPARE(floats.first().dataId.titleName.isNull(), title.isNull());
        QCOMPARE(floats.first().dataId.titleName, title);
        QVERIFY(DataCenter::instance()->saveData());
        QCOMPARE(readBytes(path), expected);
    }

    void pruning()
    {
        const QString path = freshStore();
        DataCenter *center = DataCenter::instance();
        center->setExtendedData(schedule(1, 0, "checked"), record(1, 0, "checked", true));
        center->setExtendedData(schedule(2, 0, "pinned"), record(2, 0, "pinned", false, true));
        center->setExtendedData(schedule(3, 0, "countdown"), record(3, 0, "countdown", false, false, true));
        center->setExtendedData(schedule(4, 0, "reset"), record(4, 0, "reset", true));
        center->setExtendedData(schedule(4, 0, "reset"), record(4, 0, "reset", false));
        center->getExtendedData(schedule(5, 0, "looked up"));
        center->createFloatTask("float, all false");
        QVERIFY(center->saveData());

        Table table;
        FloatList floats;
        QVERIFY(readPlain(path, table, floats));
        const Table expected{{DataID{1, 0, "checked"}, record(1, 0, "checked", true)},
                             {DataID{2, 0, "pinned"}, record(2, 0, "pinned", false, true)},
                             {DataID{3, 0, "countdown"}, record(3, 0, "countdown", false, false, true)}};
        QCOMPARE(table, expected);
        QCOMPARE(floats, FloatList{record(0, 0, "float, all false", false)});
    }

    void unreadableFile_data()
    {
        const Table table{{DataID{1, 0, "first"}, record(1, 0, "first", true)}};
        const FloatList floats{record(0, 0, "float", true)};
        const QByteArray good = plainStream(table, floats);
        const int floatCountAt = good.size() - plainStream({}, floats).size() + 4;

        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<Table>("expectedTable");
        QTest::addColumn<FloatList>("expectedFloats");
        QTest::newRow("cut in the table") << good.left(20) << Table() << FloatList();
        QTest::newRow("cut after the count") << good.left(4) << Table() << FloatList();
        QTest::newRow("empty file") << QByteArray() << Table() << FloatList();
        QTest::newRow("cut in the float list") << good.left(good.size() - 2) << table << FloatList();
        // An odd string length is corrupt, not short: the rest of the file is then read as garbage.
        QByteArray oddLength = good;
        oddLength[15] = 0x09;
        QTest::newRow("odd title length") << oddLength << Table() << FloatList();
        // Regression: a huge float-task count used to be reserved before any record was read.
        QTest::newRow("huge float count")
            << good.left(floatCountAt) + be32(0x7FFFFFF0u) << table << FloatList();
        QTest::newRow("trailing bytes") << good + QByteArray("xyz") << table << floats;
    }

    void unreadableFile()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(Table, expectedTable);
        QFETCH(FloatList, expectedFloats);

        const QString path = freshStore();
        QVERIFY(writeBytes(path, bytes));
        {
            WarningSpy spy;
            DataCenter::instance()->loadData(path);
            QCOMPARE(spy.warnings.size(), 1);
            QVERIFY2(spy.warnings.first().contains(path), qPrintable(spy.warnings.first()));
        }
        QCOMPARE(readBytes(path + ".bak"), bytes);
        QCOMPARE(modeOf(path + ".bak"), 0600);

        QVERIFY(DataCenter::instance()->saveData());
        Table table;
        FloatList floats;
        QVERIFY(readPlain(path, table, floats));
        QCOMPARE(table, expectedTable);
        QCOMPARE(floats, expectedFloats);
        QCOMPARE(readBytes(path + ".bak"), bytes);
    }

    void wholeFileMakesNoBackup()
    {
        const QString path = freshStore();
        QVERIFY(writeBytes(path, plainStream({{DataID{1, 0, "x"}, record(1, 0, "x", true)}}, {})));
        WarningSpy spy;
        DataCenter::instance()->loadData(path);
        QVERIFY(spy.warnings.isEmpty());
        QVERIFY(!QFile::exists(path + ".bak"));
    }

    void floatTasks()
    {
        const QString path = freshStore();
        DataCenter *center = DataCenter::instance();
        QVERIFY(center->createFloatTask("one"));
        QVERIFY(center->createFloatTask("two"));
        QVERIFY(center->createFloatTask("three"));
        QVERIFY(!center->createFloatTask("two"));
        QVERIFY(center->setFloatTask("three", true));
        QVERIFY(!center->setFloatTask("four", true));
        QVERIFY(center->removeFloatTask("one"));
        QVERIFY(!center->removeFloatTask("one"));
        const FloatList expected{record(0, 0, "two", false), record(0, 0, "three", true)};
        FloatList floats;
        center->getFloatTask(floats);
        QCOMPARE(floats, expected);

        QVERIFY(center->saveData());
        center->loadData(path);
        center->getFloatTask(floats);
        QCOMPARE(floats, expected);
    }

    void plainStreamIsRead()
    {
        const Table table{{DataID{1, 0, QString()}, record(1, 0, QString(), true)},
                          {DataID{1, 1, QString::fromUtf8("每日站会")},
                           record(1, 1, QString::fromUtf8("每日站会"), false, true)},
                          {DataID{-3, 7, "x"}, record(9, 9, "not the key", false, false, true)}};
        const FloatList floats{record(0, 0, "a", true), record(0, 0, QString(), false)};
        const QString path = freshStore();
        QVERIFY(writeBytes(path, plainStream(table, floats)));
        DataCenter::instance()->loadData(path);

        for (auto it = table.cbegin(); it != table.cend(); ++it) {
            const ScheduleDataInfo info = schedule(it.key().id, it.key().recurID, it.key().titleName);
            QCOMPARE(DataCenter::instance()->getExtendedData(info), it.value());
        }
        FloatList loaded;
        DataCenter::instance()->getFloatTask(loaded);
        QCOMPARE(loaded, floats);
        QVERIFY(loaded.last().dataId.titleName.isNull());
    }

    void plainStreamReadsOurs()
    {
        const QString path = freshStore();
        DataCenter *center = DataCenter::instance();
        const QString title = QString::fromUtf8("引号\"与\n换行");
        center->setExtendedData(schedule(3, 0, title), record(3, 0, title, true));
        center->setExtendedData(schedule(3, 1, title), record(3, 1, title, false, true));
        center->createFloatTask("float");
        QVERIFY(center->saveData());

        Table table;
        FloatList floats;
        QVERIFY(readPlain(path, table, floats));
        QCOMPARE(table, (Table{{DataID{3, 0, title}, record(3, 0, title, true)},
                               {DataID{3, 1, title}, record(3, 1, title, false, true)}}));
        QCOMPARE(floats, FloatList{record(0, 0, "float", false)});
    }

    void failedSave_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("path is a directory") << "directory";
        QTest::newRow("parent is a file") << "parent file";
        QTest::newRow("directory not writable") << "read-only directory";
        QTest::newRow("file size limit") << "size limit";
    }

    void failedSave()
    {
        QFETCH(QString, kind);
        const QString path = freshStore();
        const QByteArray old = plainStream({{DataID{1, 0, "old"}, record(1, 0, "old", true)}}, {});
        QVERIFY(writeBytes(path, old));
        DataCenter *center = DataCenter::instance();
        center->loadData(path);

        QString target = path;
        const QString dir = QFileInfo(path).absolutePath();
        rlimit oldLimit{};
        if (kind == "directory") {
            target = dir;
        } else if (kind == "parent file") {
            target = path + "/data";
        } else if (kind == "read-only directory") {
            if (::geteuid() == 0)
                QSKIP("root writes to read-only directories");
            QVERIFY(QFile::setPermissions(dir, QFileDevice::ReadOwner | QFileDevice::ExeOwner));
        } else {
            // Makes the write itself fail half-way, as a full disk would.
            std::signal(SIGXFSZ, SIG_IGN);
            QCOMPARE(::getrlimit(RLIMIT_FSIZE, &oldLimit), 0);
            rlimit small = oldLimit;
            small.rlim_cur = 1024;
            QCOMPARE(::setrlimit(RLIMIT_FSIZE, &small), 0);
        }
        if (target != path)
            center->loadData(target); // unreadable as a file: the memory stays as it is
        const QString longTitle(600, QChar('t'));
        center->setExtendedData(schedule(2, 0, longTitle), record(2, 0, longTitle, true));
        center->setExtendedData(schedule(3, 0, longTitle), record(3, 0, longTitle, true));

        bool saved = true;
        {
            WarningSpy spy;
            saved = center->saveData();
            if (kind == "size limit")
                ::setrlimit(RLIMIT_FSIZE, &oldLimit);
            if (kind == "read-only directory")
                QFile::setPermissions(dir, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                               QFileDevice::ExeOwner);
            QCOMPARE(spy.warnings.size(), 1);
            QVERIFY2(spy.warnings.first().contains(target), qPrintable(spy.warnings.first()));
        }
        QVERIFY(!saved);
        QCOMPARE(readBytes(path), old);
        QCOMPARE(QDir(dir).entryList(QDir::Files), QStringList{"data"});
        QVERIFY(center->getExtendedData(schedule(1, 0, "old")).checked);
        QVERIFY(center->getExtendedData(schedule(2, 0, longTitle)).checked);
    }

    void fileMode_data()
    {
        QTest::addColumn<int>("existingMode");
        QTest::addColumn<int>("expectedMode");
        QTest::newRow("new file") << -1 << 0600;
        QTest::newRow("existing 0644") << 0644 << 0644;
        QTest::newRow("existing 0600") << 0600 << 0600;
    }

    void fileMode()
    {
        QFETCH(int, existingMode);
        QFETCH(int, expectedMode);
        const QString path = freshStore();
        if (existingMode < 0)
            QFile::remove(path);
        else
            QCOMPARE(::chmod(QFile::encodeName(path).constData(), mode_t(existingMode)), 0);
        const mode_t oldMask = ::umask(0);
        const bool saved = DataCenter::instance()->saveData();
        ::umask(oldMask);
        QVERIFY(saved);
        QCOMPARE(modeOf(path), expectedMode);
    }

    void changesAreSavedSoon()
    {
        const QString path = freshStore();
        DataCenter *center = DataCenter::instance();
        const FileStamp before = stamp(path);
        QVERIFY(before.ctimeNs >= 0);
        center->setExtendedData(schedule(1, 0, "first"), record(1, 0, "first", true));
        QCOMPARE(stamp(path), before); // deferred, not written per change
        // The rest of the burst comes while the first change waits for its save.
        for (int i = 2; i <= 4; ++i) {
            QTest::qWait(200);
            const QString title = QString("change %1").arg(i);
            center->setExtendedData(schedule(i, 0, title), record(i, 0, title, true));
        }
        QTRY_VERIFY_WITH_TIMEOUT(!(stamp(path) == before), 10000);
        const FileStamp written = stamp(path);
        Table table;
        FloatList floats;
        QVERIFY(readPlain(path, table, floats));
        QCOMPARE(table.size(), 4);

        QTest::qWait(DataCenter::saveDelayMs + 1000);
        QCOMPARE(stamp(path), written); // the burst cost one write
    }

    void steadyChangesStillReachTheDisk()
    {
        const QString path = freshStore();
        const FileStamp before = stamp(path);
        bool written = false;
        for (int i = 1; i <= 40 && !written; ++i) {
            const QString title = QString("steady %1").arg(i);
            DataCenter::instance()->setExtendedData(schedule(i, 0, title), record(i, 0, title, true));
            QTest::qWait(250);
            written = !(stamp(path) == before);
        }
        QVERIFY2(written, "a steady stream of changes postponed the save forever");
        QVERIFY(DataCenter::instance()->saveData());
    }

    void changeSurvivesKill()
    {
        const QString path = freshStore();
        QProcess child;
        child.start(QCoreApplication::applicationFilePath(), {childArgument, path});
        QVERIFY(child.waitForStarted());
        QVERIFY(child.waitForReadyRead(10000));
        QCOMPARE(child.readLine().trimmed(), QByteArray("changed"));
        QTest::qWait(3000);
        child.kill();
        QVERIFY(child.waitForFinished());
        QCOMPARE(child.exitStatus(), QProcess::CrashExit);

        Table table;
        FloatList floats;
        QVERIFY(readPlain(path, table, floats));
        QCOMPARE(table.value(DataID{42, 3, "survives a kill"}), record(42, 3, "survives a kill", true));
    }
};

int main(int argc, char **argv)
{
    if (argc == 3 && qstrcmp(argv[1], childArgument) == 0)
        return childMain(argc, argv);
    QCoreApplication app(argc, argv);
    TestDataFile test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_datafile.moc"
