#ifndef DATASERVER_ACCOUNTSYNC_H
#define DATASERVER_ACCOUNTSYNC_H

#include "warnonce.h"

#include <QFileSystemWatcher>
#include <QHash>
#include <QObject>
#include <QProcess>
#include <QStringList>
#include <QTimer>

// Keeps the online accounts of the server's own vdirsyncer configuration (written by the widget's
// settings) in step with their CalDAV servers, one vdirsyncer run per account and never two at once:
// at start, every quarter of an hour, soon after a change in an account's folders that no sync
// made (a job created, changed or deleted through the server), when the configuration changes and
// when the network comes back. A failing sync leaves the folders as vdirsyncer left them, the last
// synced copy, and is said once until it succeeds; the last result of each account is written to
// the sync status file for the settings window.
class AccountSync : public QObject
{
    Q_OBJECT
public:
    AccountSync(const QString &config, int periodMs = defaultIntervalMs, QObject *parent = nullptr);

    // Syncs now, or right after the run in progress.
    void syncNow();
    bool isRunning() const { return m_process.state() != QProcess::NotRunning; }

    static constexpr int defaultIntervalMs = 15 * 60 * 1000;
    // A change through the server comes as a burst of file writes; so long after the last one.
    static constexpr int afterChangeMs = 2000;
    // The settings replace the configuration in several steps.
    static constexpr int configDelayMs = 300;

Q_SIGNALS:
    // One round over all accounts ended.
    void synced();

private Q_SLOTS:
    void onNetworkState(uint state);

private:
    void startRound();
    void runNext();
    void onFinished(int exitCode, QProcess::ExitStatus status);
    void record(const QString &pair, const QString &error);
    void watchFolders();
    void onFolderChanged();
    void watchNetwork();
    [[nodiscard]] QHash<QString, QStringList> snapshot() const;

    QString m_config;
    QProcess m_process;
    QStringList m_queue;        // pairs still to sync in this round
    QString m_pair;             // the pair being synced; empty during a forced sync of one collection
    QStringList m_forced;       // collections synced with --force-delete in this round
    QStringList m_rediscovered; // pairs discovered again in this round at vdirsyncer's request
    bool m_discovering = false;
    bool m_needDiscover = false;
    bool m_roundFailed = false;
    bool m_again = false;
    bool m_changedDuringRun = false;
    QByteArray m_roundConfig;
    QByteArray m_discovered; // the configuration of the last round that discovered without a failure
    QHash<QString, QStringList> m_afterSync; // the folders as the last sync left them
    QFileSystemWatcher m_watcher;
    QTimer m_interval;
    QTimer m_soon;
    WarnOnce m_said;
};

#endif
