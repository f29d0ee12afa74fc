#include "datacenter.h"

#include "calendardbusui.h"
#include "countdownnotifier.h"
#include "cscheduledbus.h"
#include "datacenterlog.h"
#include "dayclock.h"
#include "reminderscheduler.h"
#include "reminderstore.h"
#include "savefile.h"

#include <QDBusPendingCallWatcher>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMetaMethod>
#include <QSaveFile>
#include <QTimer>

#include <utility>

namespace {

// Reads the float-task list the way QDataStream reads a QVector, except that a corrupt count cannot
// make it reserve gigabytes: a record takes at least 15 bytes on the stream.
void readFloatTasks(QDataStream &in, QVector<ExtendedData> &tasks)
{
    const QDataStream::Status before = in.status();
    in.resetStatus();
    tasks.clear();
    quint32 count = 0;
    in >> count;
    tasks.reserve(static_cast<int>(qMin<qint64>(count, in.device()->bytesAvailable() / 15)));
    for (quint32 i = 0; i < count; ++i) {
        ExtendedData task;
        in >> task;
        if (in.status() != QDataStream::Ok) {
            tasks.clear();
            break;
        }
        tasks.append(task);
    }
    if (before != QDataStream::Ok) {
        in.resetStatus();
        in.setStatus(before);
    }
}

const QFileDevice::Permissions ownerOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner;

} // namespace

DataCenter *DataCenter::instance()
{
    static DataCenter center;
    return &center;
}

DataCenter::DataCenter()
    : saveTimer(new QTimer(this))
{
    // Started by the first change and not restarted by later ones, so that a steady stream of
    // changes still reaches the disk every saveDelayMs.
    saveTimer->setSingleShot(true);
    saveTimer->setInterval(saveDelayMs);
    connect(saveTimer, &QTimer::timeout, this, [this] { saveData(); });
}

DataCenter::~DataCenter() = default;

ReminderStore *DataCenter::notifiedStore()
{
    if (!notified)
        notified = std::make_unique<ReminderStore>(
            dataFilePath.isEmpty() ? QString()
                                   : QFileInfo(dataFilePath).dir().filePath(QStringLiteral("notified")));
    return notified.get();
}

CountdownNotifier *DataCenter::countdownNotifier()
{
    if (!notifier)
        notifier = new CountdownNotifier(notifiedStore(), QDBusConnection::sessionBus(), this);
    return notifier;
}

ReminderScheduler *DataCenter::reminders()
{
    if (!reminderScheduler) {
        reminderScheduler =
            new ReminderScheduler(clock(), notifiedStore(), QDBusConnection::sessionBus(), this);
        reminderScheduler->setOptions(reminderOptions);
    }
    return reminderScheduler;
}

void DataCenter::setReminderOptions(const ReminderRules::Options &options)
{
    reminderOptions = options;
    reminderOptions.hiddenCalendars = hidden;
    if (reminderScheduler)
        reminderScheduler->setOptions(reminderOptions);
}

// A hidden calendar is not reminded of either: the user has said its tasks are not the widget's
// business, and a reminder of a task the panel does not list could not be found there. Whoever
// still wants them has the calendar's own program, or the desktop's alarm service.
void DataCenter::setHiddenCalendars(const QSet<QString> &ids)
{
    if (ids == hidden)
        return;
    hidden = ids;
    setReminderOptions(reminderOptions);
    Q_EMIT viewOptionsChanged();
}

void DataCenter::setDeclinedShown(TaskRules::DeclinedShown shown)
{
    if (std::exchange(declined, shown) != shown)
        Q_EMIT viewOptionsChanged();
}

void DataCenter::setUndatedShown(bool shown)
{
    if (std::exchange(undated, shown) != shown)
        Q_EMIT viewOptionsChanged();
}

void DataCenter::setTimeFormat(TaskRules::TimeFormat format)
{
    if (std::exchange(dateForm, format) != format)
        Q_EMIT viewOptionsChanged();
}

bool DataCenter::getCalendars(QVector<CalendarIdentity> &out)
{
    return CScheduleDBus::getInstance()->GetCalendars(out);
}

void DataCenter::fetchCalendars(QObject *context,
                                const std::function<void(bool, const QVector<CalendarIdentity> &)> &done)
{
    const auto read = [done](const QDBusMessage &reply) {
        QVector<CalendarIdentity> calendars;
        const bool ok = CScheduleDBus::getInstance()->readCalendarsReply(reply, calendars);
        done(ok, calendars);
    };
    const QDBusPendingCall call = CScheduleDBus::getInstance()->GetCalendarsAsync();
    if (call.isFinished()) {
        // Without a bus the call fails before it is sent, and a watcher would never hear of it.
        QTimer::singleShot(0, context, [read, reply = call.reply()] { read(reply); });
        return;
    }
    auto *watcher = new QDBusPendingCallWatcher(call, context);
    connect(watcher, &QDBusPendingCallWatcher::finished, context, [read](QDBusPendingCallWatcher *w) {
        w->deleteLater();
        read(w->reply());
    });
}

DayClock *DataCenter::clock()
{
    if (!dayClock)
        dayClock = new DayClock(this);
    return dayClock;
}

// The client is made only once someone listens: the data file alone needs no bus.
void DataCenter::connectNotify(const QMetaMethod &signal)
{
    if (forwardingJobChanges || signal != QMetaMethod::fromSignal(&DataCenter::jobsChanged))
        return;
    forwardingJobChanges = true;
    connect(CScheduleDBus::getInstance(), &CScheduleDBus::jobsUpdate, this, &DataCenter::jobsChanged);
}

void DataCenter::scheduleSave()
{
    if (!dataFilePath.isEmpty() && !saveTimer->isActive())
        saveTimer->start();
}

void DataCenter::loadData(const QString &path)
{
    // Changes still waiting for their save belong to the file they were made with.
    if (saveTimer->isActive())
        saveData();
    dataFilePath = path;
    // The notified countdowns and reminders are kept beside the data file: made anew on first use.
    delete std::exchange(notifier, nullptr);
    delete std::exchange(reminderScheduler, nullptr);
    notified.reset();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return;

    // Read straight from the file into fresh containers, as a bare QDataStream read does: going
    // through a copy of the whole file, into a table that still holds the old records, took twice
    // as long (see bench_datafile).
    QDataStream in(&file);
    in.setVersion(QDataStream::Qt_5_6);
    QHash<DataID, ExtendedData> table;
    in >> table;
    const bool tableWhole = in.status() == QDataStream::Ok;
    QVector<ExtendedData> tasks;
    readFloatTasks(in, tasks);
    const bool whole =
        tableWhole && in.status() == QDataStream::Ok && in.atEnd() && file.error() == QFileDevice::NoError;
    extendedDataTable.swap(table);
    floatTasks.swap(tasks);
    if (!whole && file.seek(0))
        keepUnreadableCopy(file.readAll());
}

void DataCenter::keepUnreadableCopy(const QByteArray &bytes) const
{
    const QString backupPath = dataFilePath + QLatin1String(".bak");
    QString error;
    const bool kept = saveFileAtomically(backupPath, bytes, &error, ownerOnly);
    if (kept)
        qCWarning(lcDataCenter).noquote()
            << QStringLiteral("The task data file \"%1\" could not be read whole; "
                              "a copy of it is kept in \"%2\".")
                   .arg(dataFilePath, backupPath);
    else
        qCWarning(lcDataCenter).noquote()
            << QStringLiteral("The task data file \"%1\" could not be read whole, "
                              "and keeping a copy in \"%2\" failed: %3")
                   .arg(dataFilePath, backupPath, error);
}

bool DataCenter::saveData()
{
    saveTimer->stop();
    for (auto it = extendedDataTable.begin(); it != extendedDataTable.end();) {
        if (it->isDefault())
            it = extendedDataTable.erase(it);
        else
            ++it;
    }
    QString error;
    if (!writeFile(&error)) {
        qCWarning(lcDataCenter).noquote()
            << QStringLiteral("Cannot save the task data to \"%1\": %2").arg(dataFilePath, error);
        return false;
    }
    return true;
}

bool DataCenter::writeFile(QString *error) const
{
    if (dataFilePath.isEmpty()) {
        *error = QStringLiteral("no data file was loaded");
        return false;
    }
    // Task titles are private: a new file is the owner's alone, an existing one keeps its mode.
    const bool isNew = !QFileInfo::exists(dataFilePath);
    QSaveFile file(dataFilePath);
    if (!file.open(QIODevice::WriteOnly) || (isNew && !file.setPermissions(ownerOnly))) {
        *error = file.errorString();
        return false;
    }
    QDataStream out(&file);
    out.setVersion(QDataStream::Qt_5_6);
    out << extendedDataTable << floatTasks;
    // flush: a full disk is not always reported otherwise
    if (out.status() != QDataStream::Ok || !file.flush()) {
        *error = file.errorString();
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        *error = file.errorString();
        return false;
    }
    return true;
}

ExtendedData DataCenter::getExtendedData(const ScheduleDataInfo &info)
{
    const DataID key = taskKey(info);
    auto it = extendedDataTable.find(key);
    if (it == extendedDataTable.end())
        it = extendedDataTable.insert(key, ExtendedData());
    // A to-do its calendar holds completed is ticked, ticked here or not: completed elsewhere, it
    // comes back ticked. The widget's own tick is kept as the user left it.
    if (info.getCompleted() && !it->checked) {
        ExtendedData ticked = *it;
        ticked.checked = true;
        return ticked;
    }
    return *it;
}

void DataCenter::setExtendedData(const ScheduleDataInfo &info, const ExtendedData &data)
{
    extendedDataTable.insert(taskKey(info), data);
    scheduleSave();
}

namespace {
// The records of `task`'s occurrence, or of every occurrence of its series, under its title.
bool isRecordOf(const DataID &key, const DataID &task, bool wholeSeries)
{
    return key.id == task.id && key.titleName == task.titleName &&
           (wholeSeries || key.recurID == task.recurID);
}
} // namespace

void DataCenter::renameTasks(const ScheduleDataInfo &task, const QString &newTitle, bool wholeSeries)
{
    const DataID old = taskKey(task);
    QVector<ExtendedData> moved;
    for (auto it = extendedDataTable.begin(); it != extendedDataTable.end();) {
        if (isRecordOf(it.key(), old, wholeSeries)) {
            moved << it.value();
            moved.last().dataId = it.key();
            it = extendedDataTable.erase(it);
        } else {
            ++it;
        }
    }
    for (ExtendedData &record : moved) {
        record.dataId.titleName = newTitle;
        extendedDataTable.insert(record.dataId, record);
    }
    if (!moved.isEmpty())
        scheduleSave();
}

void DataCenter::forgetTasks(const ScheduleDataInfo &task, bool wholeSeries)
{
    const DataID old = taskKey(task);
    const auto before = extendedDataTable.size();
    for (auto it = extendedDataTable.begin(); it != extendedDataTable.end();)
        it = isRecordOf(it.key(), old, wholeSeries) ? extendedDataTable.erase(it) : std::next(it);
    if (extendedDataTable.size() != before)
        scheduleSave();
}

bool DataCenter::createFloatTask(const QString &title)
{
    for (const ExtendedData &task : std::as_const(floatTasks)) {
        if (task.dataId.titleName == title)
            return false;
    }
    ExtendedData task;
    task.dataId.titleName = title;
    floatTasks.append(task);
    scheduleSave();
    return true;
}

bool DataCenter::setFloatTask(const QString &title, bool checked)
{
    for (ExtendedData &task : floatTasks) {
        if (task.dataId.titleName == title) {
            task.checked = checked;
            scheduleSave();
            return true;
        }
    }
    return false;
}

void DataCenter::getFloatTask(QVector<ExtendedData> &out) const
{
    out = floatTasks;
}

bool DataCenter::removeFloatTask(const QString &title)
{
    for (int i = 0; i < floatTasks.size(); ++i) {
        if (floatTasks.at(i).dataId.titleName == title) {
            floatTasks.remove(i);
            scheduleSave();
            return true;
        }
    }
    return false;
}

void DataCenter::raiseCalendarWindow()
{
    // One-way: the calendar application may not be running, and the widget never waits for it.
    CalendarDbusUI::instance()->request(QStringLiteral("RaiseWindow"), {});
}

void DataCenter::OpenSchedule(const QString &strjson)
{
    CalendarDbusUI::instance()->request(QStringLiteral("OpenSchedule"), {QVariant::fromValue(strjson)});
}
