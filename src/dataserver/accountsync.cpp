#include "accountsync.h"

#include "accountpaths.h"
#include "serverlog.h"

#include <QDBusConnection>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QSaveFile>
#if QT_VERSION >= QT_VERSION_CHECK(6, 3, 0) // loadDefaultBackend()
#include <QNetworkInformation>
#endif

namespace {

QByteArray readConfig(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// vdirsyncer's own words for what failed: its first "error:" line, without its log prefix.
QString errorOf(const QByteArray &output)
{
    const QList<QByteArray> lines = output.split('\n');
    for (const QByteArray &line : lines) {
        const QByteArray text = line.trimmed();
        if (text.startsWith("error:"))
            return QString::fromUtf8(text.mid(6).trimmed());
    }
    const QByteArray last = output.trimmed();
    return last.isEmpty() ? QStringLiteral("vdirsyncer failed") : QString::fromUtf8(last.split('\n').last());
}

// The collection ("pair/collection") vdirsyncer refuses to sync because its folder was emptied, as
// its message names it; empty for any other failure, and for a collection emptied on the server.
QString emptiedFolder(const QByteArray &output)
{
    static const QRegularExpression advice(
        QStringLiteral("Storage \"[A-Za-z0-9_]+_local/[^\"]+\" was completely emptied.*--force-delete "
                       "([A-Za-z0-9_]+/\\S+?)`"));
    return advice.match(QString::fromUtf8(output)).captured(1);
}

} // namespace

AccountSync::AccountSync(const QString &config, int periodMs, QObject *parent)
    : QObject(parent)
    , m_config(config)
{
    m_process.setProgram(QStringLiteral("vdirsyncer"));
    m_process.setStandardInputFile(QProcess::nullDevice()); // never a prompt that waits for nobody
    connect(&m_process, QOverload<int, QProcess::ExitStatus>::of(&QProcess::finished), this,
            &AccountSync::onFinished);
    connect(&m_process, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart) {
            record(m_pair, QStringLiteral("vdirsyncer cannot be started: %1").arg(m_process.errorString()));
            m_discovering = false;
            m_roundFailed = true;
            m_queue.clear();
            runNext();
        }
    });
    m_interval.setInterval(periodMs);
    connect(&m_interval, &QTimer::timeout, this, &AccountSync::syncNow);
    m_interval.start();
    m_soon.setSingleShot(true);
    connect(&m_soon, &QTimer::timeout, this, &AccountSync::syncNow);

    const QString directory = QFileInfo(m_config).absolutePath();
    QDir().mkpath(directory);
    m_watcher.addPath(directory);
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, this, [this, directory](const QString &path) {
        if (path == directory) {
            // Against the last round's too: switched off and on again, the file is what was
            // discovered, but vdirsyncer may have learnt the version in between.
            const QByteArray config = readConfig(m_config);
            if (config != m_discovered || config != m_roundConfig)
                m_soon.start(configDelayMs);
        } else {
            onFolderChanged();
        }
    });
    watchNetwork();
}

void AccountSync::syncNow()
{
    if (isRunning() || !m_queue.isEmpty()) {
        m_again = true;
        return;
    }
    startRound();
}

void AccountSync::startRound()
{
    m_roundConfig = readConfig(m_config);
    m_queue = AccountPaths::pairsOf(m_roundConfig);
    // A changed configuration may name new accounts or collections: vdirsyncer learns them first.
    m_needDiscover = m_roundConfig != m_discovered;
    m_roundFailed = false;
    m_forced.clear();
    m_rediscovered.clear();
    runNext();
}

void AccountSync::runNext()
{
    if (isRunning())
        return;
    if (m_queue.isEmpty()) {
        if (!m_roundFailed)
            m_discovered = m_roundConfig;
        // A change during the run may have been the server's as well as vdirsyncer's: one more round
        // tells, and finds nothing to do where it was vdirsyncer's alone.
        m_again = m_again || m_changedDuringRun;
        m_changedDuringRun = false;
        m_afterSync = snapshot();
        watchFolders();
        Q_EMIT synced();
        if (m_again) {
            m_again = false;
            startRound();
        }
        return;
    }
    m_pair = m_queue.takeFirst();
    m_discovering = m_needDiscover;
    m_process.setArguments({QStringLiteral("-c"), m_config,
                            m_discovering ? QStringLiteral("discover") : QStringLiteral("sync"), m_pair});
    m_process.start();
}

void AccountSync::onFinished(int exitCode, QProcess::ExitStatus status)
{
    const QByteArray output = m_process.readAllStandardError() + m_process.readAllStandardOutput();
    const QString emptied = emptiedFolder(output);
    const int slash = emptied.indexOf(QLatin1Char('/'));
    const QString folder =
        slash < 0 ? QString() : AccountPaths::accountFolder(emptied.left(slash)) + emptied.mid(slash + 1);
    if (status == QProcess::NormalExit && exitCode != 0 && !m_discovering && !emptied.isEmpty() &&
        !m_forced.contains(emptied) && QFileInfo::exists(folder)) {
        // The last event of a calendar deleted here: vdirsyncer guards against a folder wiped by
        // mistake (a disk not mounted), but this folder is the server's own and there, and the
        // settings clear vdirsyncer's memory of a calendar whenever they make its folder anew. A
        // calendar emptied on the server stays a failure to look at: its events here are not
        // deleted on a guess. The pair is synced whole again after.
        m_forced << emptied;
        qCInfo(lcDataServer).noquote()
            << QStringLiteral("%1 was emptied on one side; syncing its deletions").arg(emptied);
        m_queue.prepend(m_pair);
        m_process.setArguments({QStringLiteral("-c"), m_config, QStringLiteral("sync"),
                                QStringLiteral("--force-delete"), emptied});
        m_pair.clear();
        m_process.start();
        return;
    }
    if (m_pair.isEmpty() && status == QProcess::NormalExit && exitCode == 0) {
        runNext(); // the forced sync; the pair's own follows
        return;
    }
    if (m_pair.isEmpty())
        m_pair = m_queue.takeFirst(); // the forced sync failed: its pair failed
    if (status == QProcess::NormalExit && exitCode != 0 && !m_discovering &&
        !m_rediscovered.contains(m_pair) && output.contains("vdirsyncer discover")) {
        // The file changed between this round's discover and its sync (the settings switched a
        // calendar off and on): vdirsyncer asks for a discover of what the file says now, once.
        m_rediscovered << m_pair;
        m_discovering = true;
        m_process.setArguments({QStringLiteral("-c"), m_config, QStringLiteral("discover"), m_pair});
        m_process.start();
        return;
    }
    if (status != QProcess::NormalExit || exitCode != 0) {
        m_discovering = false;
        m_roundFailed = true;
        record(m_pair, errorOf(output));
    } else if (m_discovering) {
        m_discovering = false;
        m_process.setArguments({QStringLiteral("-c"), m_config, QStringLiteral("sync"), m_pair});
        m_process.start();
        return;
    } else {
        record(m_pair, QString());
    }
    runNext();
}

void AccountSync::record(const QString &pair, const QString &error)
{
    if (pair.isEmpty())
        return;
    // Once until it succeeds, whatever vdirsyncer's words on each try.
    if (error.isEmpty())
        m_said.forget(pair);
    else if (m_said.firstTime(pair, QStringLiteral("failing")))
        qCWarning(lcDataServer).noquote()
            << QStringLiteral("cannot sync the account %1, its last synced copy stays: %2").arg(pair, error);

    const QString path = AccountPaths::syncStatusFile();
    QFile current(path);
    QJsonObject all = current.open(QIODevice::ReadOnly) ? QJsonDocument::fromJson(current.readAll()).object()
                                                        : QJsonObject();
    current.close();
    // Accounts removed since leave the file with their next sync round.
    const QStringList pairs = AccountPaths::pairsOf(readConfig(m_config));
    for (const QString &key : all.keys()) {
        if (!pairs.contains(key))
            all.remove(key);
    }
    QJsonObject entry{{QStringLiteral("time"), QDateTime::currentDateTimeUtc().toString(Qt::ISODate)}};
    if (!error.isEmpty())
        entry.insert(QStringLiteral("error"), error);
    all.insert(pair, entry);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile file(path);
    const QByteArray text = QJsonDocument(all).toJson();
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size() || !file.commit())
        qCWarning(lcDataServer).noquote()
            << QStringLiteral("cannot write %1: %2").arg(path, file.errorString());
}

QHash<QString, QStringList> AccountSync::snapshot() const
{
    QHash<QString, QStringList> folders;
    const QStringList pairs = AccountPaths::pairsOf(readConfig(m_config));
    for (const QString &pair : pairs) {
        const QDir account(AccountPaths::accountFolder(pair));
        const QStringList collections = account.entryList(QDir::Dirs | QDir::NoDotAndDotDot);
        for (const QString &collection : collections) {
            const QDir folder(account.filePath(collection));
            QStringList files;
            const QFileInfoList entries =
                folder.entryInfoList({QStringLiteral("*.ics")}, QDir::Files, QDir::Name);
            for (const QFileInfo &file : entries)
                files << file.fileName() + QLatin1Char(' ') +
                             QString::number(file.lastModified().toMSecsSinceEpoch()) + QLatin1Char(' ') +
                             QString::number(file.size());
            folders.insert(folder.path(), files);
        }
    }
    return folders;
}

void AccountSync::watchFolders()
{
    const QString directory = QFileInfo(m_config).absolutePath();
    const QStringList watched = m_watcher.directories();
    for (const QString &path : watched) {
        if (path != directory && !m_afterSync.contains(path))
            m_watcher.removePath(path);
    }
    for (auto it = m_afterSync.cbegin(); it != m_afterSync.cend(); ++it) {
        if (!watched.contains(it.key()))
            m_watcher.addPath(it.key());
    }
}

void AccountSync::onFolderChanged()
{
    // Changes after a run are the server's (or another program's) where the folders are no longer
    // as the run left them.
    if (isRunning() || !m_queue.isEmpty()) {
        m_changedDuringRun = true;
        return;
    }
    if (snapshot() == m_afterSync)
        return;
    m_soon.start(afterChangeMs);
}

void AccountSync::watchNetwork()
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 3, 0) // loadDefaultBackend()
    if (QNetworkInformation::loadDefaultBackend() && QNetworkInformation::instance()) {
        connect(QNetworkInformation::instance(), &QNetworkInformation::reachabilityChanged, this,
                [this](QNetworkInformation::Reachability reachability) {
                    if (reachability == QNetworkInformation::Reachability::Online)
                        syncNow();
                });
    }
#else
    // NetworkManager's state 70: connected, with a route to the internet.
    QDBusConnection::systemBus().connect(QStringLiteral("org.freedesktop.NetworkManager"),
                                         QStringLiteral("/org/freedesktop/NetworkManager"),
                                         QStringLiteral("org.freedesktop.NetworkManager"),
                                         QStringLiteral("StateChanged"), this, SLOT(onNetworkState(uint)));
#endif
}

void AccountSync::onNetworkState(uint state)
{
    if (state == 70)
        syncNow();
}
