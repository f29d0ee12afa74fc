#include "cscheduledbus.h"
#include "datacenter.h"

namespace {

using DayMap = QMap<QDate, QVector<ScheduleDataInfo>>;

// A schedule is listed at most once per view, whatever its recurrence id.
void list(const ScheduleDataInfo &info, QVector<ScheduleDataInfo> &out, QSet<int> &listedIds)
{
    if (listedIds.contains(info.getID()))
        return;
    listedIds.insert(info.getID());
    out.append(info);
}

bool isNotable(const ScheduleDataInfo &info)
{
    if (info.getRemindData().getRemindNum() != -1)
        return true;
    const ExtendedData data = DataCenter::instance()->getExtendedData(info);
    return data.pinned || data.countdown;
}

DayMap fetch(int fromDays, int toDays)
{
    const QDate today = QDate::currentDate();
    DayMap days;
    // A failed fetch leaves the map empty, and the view simply shows less.
    CScheduleDBus::getInstance()->GetJobs(today.addDays(fromDays), today.addDays(toDays), days);
    return days;
}

} // namespace

void appendUncheckedTasks(QVector<ScheduleDataInfo> &out, QSet<int> &listedIds)
{
    const DayMap days = fetch(-3, 0);
    for (const QVector<ScheduleDataInfo> &day : days) {
        for (const ScheduleDataInfo &info : day) {
            if (listedIds.contains(info.getID()) || DataCenter::instance()->getExtendedData(info).checked)
                continue;
            list(info, out, listedIds);
        }
    }
}

void DataCenter::getJobs(DisplayInfo view, QVector<ScheduleDataInfo> &out)
{
    out.clear();
    QSet<int> listedIds;
    if (view == DisplayRecent) {
        const DayMap days = fetch(-3, 0);
        for (const QVector<ScheduleDataInfo> &day : days) {
            for (const ScheduleDataInfo &info : day)
                list(info, out, listedIds);
        }
    } else if (view == DisplayOverview) {
        appendUncheckedTasks(out, listedIds);
        const DayMap days = fetch(0, 6);
        bool anchored = false;
        for (const QVector<ScheduleDataInfo> &day : days) {
            // The first day of the week that has anything is shown whole.
            if (!anchored && !day.isEmpty()) {
                anchored = true;
                for (const ScheduleDataInfo &info : day)
                    list(info, out, listedIds);
            }
            for (const ScheduleDataInfo &info : day) {
                if (!listedIds.contains(info.getID()) && isNotable(info))
                    list(info, out, listedIds);
            }
        }
    } else if (view > 0) {
        const DayMap days = fetch(view, view);
        if (!days.isEmpty()) {
            for (const ScheduleDataInfo &info : days.first())
                list(info, out, listedIds);
        }
    }
}
