#include "datacenter.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <cstdio>
#include <initializer_list>
#include <linux/capability.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

using Table = QHash<DataID, ExtendedData>;
using FloatList = QVector<ExtendedData>;

namespace {

// Exit code of a child that could not set the fault up on this machine.
constexpr int cannotSimulate = 77;

ScheduleDataInfo schedule(int id, const QString &title)
{
    ScheduleDataInfo info;
    info.setID(id);
    info.setTitleName(title);
    return info;
}

ExtendedData record(int id, const QString &title)
{
    ExtendedData data;
    data.dataId = DataID{id, 0, title};
    data.checked = true;
    return data;
}

QByteArray readBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray plainStream(const Table &table)
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setVersion(QDataStream::Qt_5_6);
    out << table << FloatList();
    return bytes;
}

// What another reader of the format makes of the file; false unless it reads whole.
bool readPlain(const QString &path, Table &table)
{
    QDataStream in(readBytes(path));
    in.setVersion(QDataStream::Qt_5_6);
    FloatList floats;
    in >> table >> floats;
    return in.status() == QDataStream::Ok && in.atEnd();
}

// Whether process `pid` has a file open in the folder of `path`, other than `path` itself.
bool writesBeside(pid_t pid, const QString &path)
{
    const QString folder = QFileInfo(path).absolutePath() + '/';
    const QString fds = QString("/proc/%1/fd").arg(pid);
    for (const QString &fd : QDir(fds).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot)) {
        char target[4096];
        const ssize_t length =
            readlink(QFile::encodeName(fds + '/' + fd).constData(), target, sizeof target - 1);
        if (length <= 0)
            continue;
        const QString file = QFile::decodeName(QByteArray(target, int(length)));
        if (file.startsWith(folder) && file != path)
            return true;
    }
    return false;
}

QStringList childWarnings;

void keepWarnings(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type == QtWarningMsg || type == QtCriticalMsg)
        childWarnings << message;
}

// Root writes into read-only folders: a child that plays an ordinary user gives up that power.
bool dropFilePermissionOverride()
{
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct data[2]{};
    if (syscall(SYS_capget, &header, data) != 0)
        return false;
    for (int cap : {CAP_DAC_OVERRIDE, CAP_DAC_READ_SEARCH, CAP_FOWNER})
        data[cap / 32].effective &= ~(1u << (cap % 32));
    return syscall(SYS_capset, &header, data) == 0;
}

// Runs `body` in a forked child and returns its exit code; -signal when a signal ended it.
int inChild(const std::function<int()> &body, pid_t *childPid = nullptr,
            const std::function<void(pid_t)> &whileRunning = {})
{
    fflush(stdout);
    fflush(stderr);
    const pid_t pid = fork();
    if (pid == 0) {
        qInstallMessageHandler(keepWarnings);
        _exit(body());
    }
    if (childPid)
        *childPid = pid;
    if (whileRunning)
        whileRunning(pid);
    int status = 0;
    if (waitpid(pid, &status, 0) != pid)
        return -1000;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -WTERMSIG(status);
}

#define CHILD_CHECK(condition, code)                                                                         \
    do {                                                                                                     \
        if (!(condition)) {                                                                                  \
            fprintf(stderr, "child: %s failed (warnings: %s)\n", #condition,                                 \
                    qPrintable(childWarnings.join(" | ")));                                                  \
            return code;                                                                                     \
        }                                                                                                    \
    } while (false)

} // namespace

class TestPersistenceFaults : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QVERIFY(tempDir.isValid()); }

    void faultKeepsOldFile_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::newRow("full disk") << "full disk";
        QTest::newRow("read-only data directory") << "read-only directory";
        QTest::newRow("data file replaced by a directory") << "directory";
        QTest::newRow("data file replaced by a dangling link") << "dangling link";
    }

    // The fault comes while the widget runs: its saves fail with a warning each, the file on disk
    // and the state in memory stay as they were, and the first save after the fault has gone
    // writes everything.
    void faultKeepsOldFile()
    {
        QFETCH(QString, fault);
        const QString dir = tempDir.filePath(QString::number(++runs));
        QVERIFY(QDir().mkpath(dir));
        const QString path = dir + "/data";
        const QByteArray old = plainStream({{DataID{1, 0, "old"}, record(1, "old")}});
        {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            QCOMPARE(file.write(old), qint64(old.size()));
        }
        const QString bigTitle(20000, QChar('t'));

        const int code = inChild([&]() -> int {
            DataCenter *center = DataCenter::instance();
            center->loadData(path);
            CHILD_CHECK(center->getExtendedData(schedule(1, "old")).checked, 10);
            rlimit oldLimit{};
            QString kept; // what the fault must leave untouched
            if (fault == "full disk") {
                std::signal(SIGXFSZ, SIG_IGN);
                getrlimit(RLIMIT_FSIZE, &oldLimit);
                rlimit small = oldLimit;
                small.rlim_cur = 4096;
                CHILD_CHECK(setrlimit(RLIMIT_FSIZE, &small) == 0, cannotSimulate);
                kept = path;
            } else if (fault == "read-only directory") {
                if (geteuid() == 0 && !dropFilePermissionOverride())
                    return cannotSimulate;
                CHILD_CHECK(QFile::setPermissions(dir, QFileDevice::ReadOwner | QFileDevice::ExeOwner), 11);
                QFile probe(dir + "/probe");
                if (probe.open(QIODevice::WriteOnly))
                    return cannotSimulate;
                kept = path;
            } else if (fault == "directory") {
                CHILD_CHECK(QFile::remove(path) && QDir().mkpath(path + "/inside"), 11);
            } else {
                CHILD_CHECK(QFile::remove(path) && QFile::link(dir + "/gone/data", path), 11);
            }

            for (int change = 1; change <= 2; ++change) {
                center->setExtendedData(schedule(1 + change, bigTitle), record(1 + change, bigTitle));
                childWarnings.clear();
                CHILD_CHECK(!center->saveData(), 20 + change);
                CHILD_CHECK(childWarnings.size() == 1 && childWarnings.first().contains(path), 30 + change);
                if (!kept.isEmpty())
                    CHILD_CHECK(readBytes(kept) == old, 40 + change);
            }
            CHILD_CHECK(center->getExtendedData(schedule(1, "old")).checked, 50);
            CHILD_CHECK(center->getExtendedData(schedule(3, bigTitle)).checked, 51);
            if (fault == "directory")
                CHILD_CHECK(QFileInfo(path + "/inside").isDir(), 52);
            if (fault == "dangling link")
                CHILD_CHECK(QFileInfo(path).isSymLink() && !QFileInfo::exists(path), 53);

            // The fault goes away.
            if (fault == "full disk")
                setrlimit(RLIMIT_FSIZE, &oldLimit);
            else if (fault == "read-only directory")
                QFile::setPermissions(dir, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                               QFileDevice::ExeOwner);
            else if (fault == "directory")
                QDir(path).removeRecursively();
            else
                QDir().mkpath(dir + "/gone");
            childWarnings.clear();
            CHILD_CHECK(center->saveData(), 60);
            CHILD_CHECK(childWarnings.isEmpty(), 61);
            return 0;
        });
        QFile::setPermissions(dir, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        if (code == cannotSimulate)
            QSKIP("this machine cannot simulate the fault");
        QCOMPARE(code, 0);

        Table table;
        QVERIFY(readPlain(path, table));
        QCOMPARE(table, (Table{{DataID{1, 0, "old"}, record(1, "old")},
                               {DataID{2, 0, bigTitle}, record(2, bigTitle)},
                               {DataID{3, 0, bigTitle}, record(3, bigTitle)}}));
        // No half-written temporary file is left beside it.
        QStringList expected{"data"};
        if (fault == "dangling link")
            expected << "gone";
        QCOMPARE(QDir(dir).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System), expected);
        if (fault == "dangling link") {
            // The link was followed, as a link into a synced or shared folder must be.
            QVERIFY(QFileInfo(path).isSymLink());
            QVERIFY(QFileInfo(dir + "/gone/data").isFile());
            QCOMPARE(QFileInfo(dir + "/gone/data").permissions() & 0x0077, QFileDevice::Permissions());
        }
    }

    void killedInTheMiddleOfASave()
    {
        const QString dir = tempDir.filePath(QString::number(++runs));
        QVERIFY(QDir().mkpath(dir));
        const QString path = dir + "/data";
        const Table oldTable{{DataID{1, 0, "old"}, record(1, "old")}};
        {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(plainStream(oldTable));
        }

        int killedMidWrite = 0;
        for (int attempt = 0; attempt < 5 && killedMidWrite < 2; ++attempt) {
            bool sawTemporary = false;
            const int code = inChild(
                [&]() -> int {
                    DataCenter *center = DataCenter::instance();
                    center->loadData(path);
                    // A save of several megabytes, over and over, each one a whole new version.
                    for (int version = 1;; ++version) {
                        for (int id = 0; id < 100000; ++id) {
                            const QString title = QString("task %1 of version %2").arg(id).arg(version);
                            center->setExtendedData(schedule(id + 10, title), record(id + 10, title));
                        }
                        center->saveData();
                    }
                },
                nullptr,
                [&](pid_t pid) {
                    // SIGKILL as soon as a save is under way: the child holds its temporary file
                    // open, named or (O_TMPFILE) not.
                    for (int i = 0; i < 20000 && !sawTemporary; ++i) {
                        sawTemporary = writesBeside(pid, path);
                        if (!sawTemporary)
                            usleep(500);
                    }
                    kill(pid, SIGKILL);
                });
            QCOMPARE(code, -SIGKILL);
            QVERIFY(sawTemporary);

            // Either the file from before or one whole version, never a part of one.
            Table table;
            QVERIFY2(readPlain(path, table), "the data file does not read whole");
            QVERIFY(table.contains(DataID{1, 0, "old"}));
            if (table == oldTable)
                ++killedMidWrite;
            else
                QVERIFY(table.size() > 100000 && table.size() % 100000 == 1);
            QFile::remove(path + ".bak");
        }
        QVERIFY2(killedMidWrite > 0, "no kill hit a save in the middle");

        // The next run loads the file whole and saves beside what the killed one left behind.
        const int code = inChild([&]() -> int {
            DataCenter *center = DataCenter::instance();
            center->loadData(path);
            CHILD_CHECK(childWarnings.isEmpty(), 10);
            CHILD_CHECK(center->getExtendedData(schedule(1, "old")).checked, 11);
            center->setExtendedData(schedule(2, "after"), record(2, "after"));
            CHILD_CHECK(center->saveData(), 12);
            return 0;
        });
        QCOMPARE(code, 0);
        Table table;
        QVERIFY(readPlain(path, table));
        QVERIFY(table.contains(DataID{2, 0, "after"}));
        QVERIFY(!QFileInfo::exists(path + ".bak"));
    }

    void danglingLink_data()
    {
        QTest::addColumn<QString>("target"); // relative to the data folder
        QTest::addColumn<bool>("staysLink");
        QTest::newRow("target in an existing folder") << "elsewhere/real" << true;
        QTest::newRow("link to itself") << "data" << false;
        QTest::newRow("link loop of two") << "other" << false;
    }

    // A data file that is a link to nothing yet: loading finds no data, saving creates the target.
    void danglingLink()
    {
        QFETCH(QString, target);
        QFETCH(bool, staysLink);
        const QString dir = tempDir.filePath(QString::number(++runs));
        QVERIFY(QDir().mkpath(dir + "/elsewhere"));
        const QString path = dir + "/data";
        QVERIFY(QFile::link(dir + "/" + target, path));
        if (target == "other")
            QVERIFY(QFile::link(path, dir + "/other"));

        const int id = 100 + runs;
        DataCenter *center = DataCenter::instance();
        center->loadData(path);
        QVERIFY(!center->getExtendedData(schedule(id, "linked")).checked);
        center->setExtendedData(schedule(id, "linked"), record(id, "linked"));
        QVERIFY(center->saveData());

        QCOMPARE(QFileInfo(path).isSymLink(), staysLink);
        Table table;
        QVERIFY(readPlain(path, table));
        QCOMPARE(table.value(DataID{id, 0, "linked"}), record(id, "linked"));
        if (staysLink) {
            QVERIFY(QFileInfo(dir + "/" + target).isFile());
            QCOMPARE(QFileInfo(dir + "/" + target).permissions() & 0x0077, QFileDevice::Permissions());
        }
    }

private:
    QTemporaryDir tempDir;
    int runs = 0;
};

QTEST_GUILESS_MAIN(TestPersistenceFaults)
#include "tst_persistencefaults.moc"
