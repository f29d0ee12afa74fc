#ifndef TESTS_DATASERVER_SERVERPROCESS_H
#define TESTS_DATASERVER_SERVERPROCESS_H

#include "cscheduledbus.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTest>

// tasklist-dataserver as a child process on the test's private bus, awaited until it owns its name.
class ServerProcess
{
public:
    static QString service() { return QStringLiteral("com.norvale.dataserver.Calendar"); }

    ~ServerProcess() { stop(); }

    bool start(const QStringList &arguments)
    {
        stop();
        m_errors.clear();
        m_process.setProgram(QStringLiteral(DATASERVER_BINARY));
        m_process.setArguments(arguments);
        m_process.start();
        if (!m_process.waitForStarted())
            return false;
        for (int i = 0; i < 1000; ++i) {
            if (owned())
                return true;
            if (m_process.state() == QProcess::NotRunning)
                return false;
            QTest::qWait(10);
        }
        return false;
    }

    void stop()
    {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.terminate();
            m_process.waitForFinished(5000);
        }
        for (int i = 0; i < 500 && owned(); ++i)
            QTest::qWait(10);
    }

    QString errors()
    {
        m_errors += QString::fromLocal8Bit(m_process.readAllStandardError());
        return m_errors;
    }

    QProcess &process() { return m_process; }

    static bool owned()
    {
        const QDBusReply<bool> reply =
            QDBusConnection::sessionBus().interface()->isServiceRegistered(service());
        return reply.isValid() && reply.value();
    }

private:
    QProcess m_process;
    QString m_errors;
};

inline bool copyTestFile(const QString &name, const QString &target)
{
    QDir().mkpath(QFileInfo(target).absolutePath());
    return QFile::copy(QStringLiteral(TESTDATA_DIR "/") + name, target);
}

inline QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The job of that title the server answers for a day; a default record where there is none.
inline ScheduleDataInfo jobTitled(CScheduleDBus &client, const QString &title, const QDate &day)
{
    QMap<QDate, QVector<ScheduleDataInfo>> days;
    if (!client.GetJobs(day, day, days))
        return ScheduleDataInfo();
    for (const ScheduleDataInfo &job : days.value(day)) {
        if (job.getTitleName() == title)
            return job;
    }
    return ScheduleDataInfo();
}

// The titles of the jobs the server answers for a day, or "GetJobs failed".
inline QStringList titlesOn(CScheduleDBus &client, const QDate &day)
{
    QMap<QDate, QVector<ScheduleDataInfo>> days;
    if (!client.GetJobs(day, day, days))
        return {QStringLiteral("GetJobs failed")};
    QStringList titles;
    for (const ScheduleDataInfo &job : days.value(day))
        titles << job.getTitleName();
    return titles;
}

#endif
