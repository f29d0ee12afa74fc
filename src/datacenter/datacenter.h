#ifndef SCHEDULE_DATACENTER_H
#define SCHEDULE_DATACENTER_H

#include "displayselection.h"
#include "extendeddata.h"
#include "reminderrules.h"
#include "scheduledatainfo.h"
#include "taskrules.h"

#include <QHash>
#include <QObject>
#include <QSet>
#include <QVector>

#include <functional>
#include <memory>

class CountdownNotifier;
class DayClock;
class ReminderScheduler;
class ReminderStore;
class QTimer;

// Owner of the widget's own state of each task (ticked, pinned, countdown) and of its data file,
// the choice of the tasks of a view, the clock that says which day it is, and the requests to the
// calendar application. The view learns of the data server's changes from here (jobsChanged).
class DataCenter : public QObject
{
    Q_OBJECT
public:
    static DataCenter *instance();

    // Remembers `path` for every later save and reads the file, if there is one. A missing file
    // leaves memory as it is; a file that cannot be read whole is first copied to `path`.bak.
    void loadData(const QString &path);
    // Drops all-false records and writes the file atomically; false (and one warning) on failure.
    bool saveData();

    ExtendedData getExtendedData(const ScheduleDataInfo &info);
    void setExtendedData(const ScheduleDataInfo &info, const ExtendedData &data);

    // The widget's state of a task follows an edit of its title: of one occurrence, or of every
    // occurrence of its series. A deleted task's state leaves with it.
    void renameTasks(const ScheduleDataInfo &task, const QString &newTitle, bool wholeSeries);
    void forgetTasks(const ScheduleDataInfo &task, bool wholeSeries);

    bool createFloatTask(const QString &title);
    bool setFloatTask(const QString &title, bool checked);
    void getFloatTask(QVector<ExtendedData> &out) const;
    bool removeFloatTask(const QString &title);

    // The tasks of `view`. False when a fetch from the data server failed; `out` then holds only
    // what the other fetches gave, and a view already shown is better kept than replaced by it.
    bool getJobs(DisplayInfo view, QVector<ScheduleDataInfo> &out);

    // Today, and the news of a new day; created on first use.
    DayClock *clock();
    // The desktop notification at the end of a countdown; created on first use.
    CountdownNotifier *countdownNotifier();
    // The reminders of the coming days' jobs; created on first use, started by whoever wires the
    // program. They share their store (beside the data file) with the countdown notifier.
    ReminderScheduler *reminders();
    // The user's choices for the reminders; kept for a scheduler not made yet.
    void setReminderOptions(const ReminderRules::Options &options);
    // The calendars, by ID, whose tasks every view and the reminders leave out. A change that
    // matters says viewOptionsChanged().
    void setHiddenCalendars(const QSet<QString> &ids);
    const QSet<QString> &hiddenCalendars() const { return hidden; }
    // How the views show the invitations the user declined; a change says viewOptionsChanged().
    void setDeclinedShown(TaskRules::DeclinedShown shown);
    TaskRules::DeclinedShown declinedShown() const { return declined; }
    // Whether the overview lists the to-dos without a date; a change says viewOptionsChanged().
    void setUndatedShown(bool shown);
    bool undatedShown() const { return undated; }
    // The form of the tasks' dates and times; a change says viewOptionsChanged().
    void setTimeFormat(TaskRules::TimeFormat format);
    TaskRules::TimeFormat timeFormat() const { return dateForm; }
    // The data server's calendars as it lists them (GetCalendars); false when it cannot say.
    bool getCalendars(QVector<CalendarIdentity> &out);
    // The same, handed to `done` when the server answers,
    // unless `context` is gone by then; `ok` false when it cannot say.
    void fetchCalendars(QObject *context,
                        const std::function<void(bool ok, const QVector<CalendarIdentity> &)> &done);

    // Delay between a change and its save; a burst of changes within it costs one write.
    // When changing 2000 ms, update tst_datafile, which waits for it.
    static constexpr int saveDelayMs = 2000;

Q_SIGNALS:
    // The data server has changed jobs, or has just started.
    void jobsChanged();
    // What the views show of the same jobs has changed: a calendar hidden or shown again, the form of
    // the dates.
    void viewOptionsChanged();

public Q_SLOTS:
    void raiseCalendarWindow();
    void OpenSchedule(const QString &strjson);

protected:
    void connectNotify(const QMetaMethod &signal) override;

private:
    DataCenter();
    ~DataCenter() override;

    void scheduleSave();
    [[nodiscard]] bool writeFile(QString *error) const;
    void keepUnreadableCopy(const QByteArray &bytes) const;

    QString dataFilePath;
    QHash<DataID, ExtendedData> extendedDataTable;
    QVector<ExtendedData> floatTasks;
    QTimer *saveTimer = nullptr;
    DayClock *dayClock = nullptr;
    ReminderStore *notifiedStore();

    std::unique_ptr<ReminderStore> notified;
    CountdownNotifier *notifier = nullptr;
    ReminderScheduler *reminderScheduler = nullptr;
    ReminderRules::Options reminderOptions;
    QSet<QString> hidden;
    TaskRules::TimeFormat dateForm = TaskRules::TimeFormat::Fixed;
    TaskRules::DeclinedShown declined = TaskRules::DeclinedShown::Hidden;
    bool undated = true;
    bool forwardingJobChanges = false;
};

// Appends the unchecked tasks of the last three days and today whose ids are not yet listed; false
// when they could not be fetched.
bool appendUncheckedTasks(QVector<ScheduleDataInfo> &out, QSet<int> &listedIds);

#endif
