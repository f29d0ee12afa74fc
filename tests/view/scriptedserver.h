#ifndef SCHEDULE_TESTS_SCRIPTEDSERVER_H
#define SCHEDULE_TESTS_SCRIPTEDSERVER_H

#include "fakedbusservice.h"
#include "scheduledatainfo.h"

#include <QMutex>

#include <memory>

// A fake calendar data server for whole-window tests: it answers "GetJobs" from a calendar that
// the test changes at will, or misbehaves in the way the test asks for.
class ScriptedServer
{
public:
    using DayMap = QMap<QDate, QVector<ScheduleDataInfo>>;
    enum Mode { Answer, Error, NeverAnswer, LateAnswer, WrongType, Garbage };

    ScriptedServer()
    {
        const std::shared_ptr<Script> shared = script;
        fake.setHandler("GetJobs", [shared](const FakeDBusService::Call &call) {
            const QVariantList &a = call.arguments;
            if (a.size() != 6)
                return FakeDBusService::Reply::error("org.freedesktop.DBus.Error.InvalidArgs");
            const QDate start(a[0].toInt(), a[1].toInt(), a[2].toInt());
            const QDate end(a[3].toInt(), a[4].toInt(), a[5].toInt());
            QMutexLocker lock(&shared->mutex);
            switch (shared->mode) {
            case Error:
                return FakeDBusService::Reply::error("com.norvale.Error.Failed", "the calendar is broken");
            case NeverAnswer:
                return FakeDBusService::Reply::never();
            case WrongType:
                return FakeDBusService::Reply::value(42);
            case Garbage:
                return FakeDBusService::Reply::value(QString("<html>\x01 not a range [{"));
            case Answer:
            case LateAnswer:
                break;
            }
            DayMap range;
            for (auto it = shared->days.cbegin(); it != shared->days.cend(); ++it) {
                if (it.key() >= start && it.key() <= end)
                    range.insert(it.key(), it.value());
            }
            // Late, but within the bus's reply timeout of 3 s.
            return FakeDBusService::Reply::value(ScheduleDataInfo::RangeInfoToStrJson(range),
                                                 shared->mode == LateAnswer ? 1500 : 0);
        });
    }

    bool start() { return fake.isRunning() || fake.start(); }
    void stop() { fake.stop(); }
    bool isRunning() const { return fake.isRunning(); }

    void setDays(const DayMap &days)
    {
        QMutexLocker lock(&script->mutex);
        script->days = days;
    }
    DayMap days() const
    {
        QMutexLocker lock(&script->mutex);
        return script->days;
    }
    void setMode(Mode mode)
    {
        QMutexLocker lock(&script->mutex);
        script->mode = mode;
    }
    int fetches() const { return fake.calls("GetJobs").size(); }
    void clearCalls() { fake.clearCalls(); }
    void announceChange() { fake.emitSignal("JobsUpdated"); }

    FakeDBusService fake{"com.norvale.dataserver.Calendar", "/com/norvale/dataserver/Calendar",
                         "com.norvale.dataserver.Calendar"};

private:
    struct Script
    {
        QMutex mutex;
        DayMap days;
        Mode mode = Answer;
    };
    std::shared_ptr<Script> script = std::make_shared<Script>();
};

inline ScheduleDataInfo scriptedJob(int id, const QString &title, const QDate &day, int hour,
                                    const QString &description = QString())
{
    ScheduleDataInfo info;
    info.setID(id);
    info.setTitleName(title);
    info.setDescription(description);
    info.setAllDay(false);
    info.setBeginDateTime(QDateTime(day, QTime(hour, 0)));
    info.setEndDateTime(QDateTime(day, QTime(hour, 30)));
    info.setRemindData(RemindData(-1, QTime(9, 0)));
    return info;
}

#endif
