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

// A failed fetch leaves the map empty and clears `ok`.
DayMap fetch(int fromDays, int toDays, bool &ok)
{
    const QDate today = QDate::currentDate();
    DayMap days;
    if (!CScheduleDBus::getInstance()->GetJobs(today.addDays(fromDays), today.addDays(toDays), days))
        ok = false;
    return days;
}

} // namespace

bool appendUncheckedTasks(QVector<ScheduleDataInfo> &out, QSet<int> &listedIds)
{
    bool ok = true;
    const DayMap days = fetch(-3, 0, ok);
    for (const QVector<ScheduleDataInfo> &day : days) {
        for (const ScheduleDataInfo &info : day) {
            if (listedIds.contains(info.getID()) || DataCenter::instance()->getExtendedData(info).checked)
                continue;
            list(info, out, listedIds);
        }
    }
    return ok;
}

bool DataCenter::getJobs(DisplayInfo view, QVector<ScheduleDataInfo> &out)
{
    out.clear();
    QSet<int> listedIds;
    bool ok = true;
    if (view == DisplayRecent) {
        const DayMap days = fetch(-3, 0, ok);
        for (const QVector<ScheduleDataInfo> &day : days) {
            for (const ScheduleDataInfo &info : day)
                list(info, out, listedIds);
        }
    } else if (view == DisplayOverview) {
        ok = appendUncheckedTasks(out, listedIds);
        // The caller drops a failed view; a server that does not answer should not freeze it twice.
        const DayMap days = ok ? fetch(0, 6, ok) : DayMap();
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
        const DayMap days = fetch(view, view, ok);
        if (!days.isEmpty()) {
            for (const ScheduleDataInfo &info : days.first())
                list(info, out, listedIds);
        }
    }
    return ok;
}
