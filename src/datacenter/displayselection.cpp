#include "displayselection.h"

#include "cscheduledbus.h"
#include "datacenter.h"
#include "dayclock.h"

#include <QSet>

namespace {

// The days of the carry-forward rule, relative to today.
constexpr int recentFirstDay = -3;
constexpr int weekLastDay = 6;

// Collects a view's tasks; a schedule is listed at most once, whatever its recurrence id.
class Selection
{
public:
    explicit Selection(QVector<ListedTask> &out, QSet<int> &listedIds)
        : out(out)
        , listedIds(listedIds)
    {
    }

    bool isListed(const ScheduleDataInfo &info) const { return listedIds.contains(info.getID()); }

    static ExtendedData stateOf(const ScheduleDataInfo &info)
    {
        return DataCenter::instance()->getExtendedData(info);
    }

    void list(const ScheduleDataInfo &info) { list(info, stateOf(info)); }
    void list(const ScheduleDataInfo &info, const ExtendedData &state)
    {
        if (isListed(info))
            return;
        listedIds.insert(info.getID());
        out.append(ListedTask{info, state});
    }

    // The unchecked tasks of the last three days and today.
    void carryForward(const DayMap &days)
    {
        for (const QVector<ScheduleDataInfo> &day : days) {
            for (const ScheduleDataInfo &info : day) {
                if (isListed(info))
                    continue;
                const ExtendedData state = stateOf(info);
                if (!state.checked)
                    list(info, state);
            }
        }
    }

    void listAll(const DayMap &days)
    {
        for (const QVector<ScheduleDataInfo> &day : days) {
            for (const ScheduleDataInfo &info : day)
                list(info);
        }
    }

    // The first day of the week that has anything whole, then what matters of every day.
    void week(const DayMap &days)
    {
        bool anchored = false;
        for (const QVector<ScheduleDataInfo> &day : days) {
            if (!anchored && !day.isEmpty()) {
                anchored = true;
                for (const ScheduleDataInfo &info : day)
                    list(info);
            }
            for (const ScheduleDataInfo &info : day) {
                if (isListed(info))
                    continue;
                const ExtendedData state = stateOf(info);
                if (info.getRemindData().getRemindNum() != -1 || state.pinned || state.countdown)
                    list(info, state);
            }
        }
    }

private:
    QVector<ListedTask> &out;
    QSet<int> &listedIds;
};

// The days without the tasks of hidden calendars and, unless the user wants them, the invitations
// the user declined, so that the overview's first day with anything is one with something shown.
DayMap shownOf(const DayMap &days)
{
    const DataCenter *center = DataCenter::instance();
    const QSet<QString> &hidden = center->hiddenCalendars();
    const bool declinedHidden = center->declinedShown() == TaskRules::DeclinedShown::Hidden;
    const bool undatedHidden = !center->undatedShown();
    if (hidden.isEmpty() && !declinedHidden && !undatedHidden)
        return days;
    DayMap shown;
    for (auto day = days.cbegin(); day != days.cend(); ++day) {
        QVector<ScheduleDataInfo> &tasks = shown[day.key()];
        for (const ScheduleDataInfo &info : day.value()) {
            if (!hidden.contains(info.getCalendarId()) && !(declinedHidden && TaskRules::isDeclined(info)) &&
                !(undatedHidden && info.getNoDate()))
                tasks.append(info);
        }
        if (tasks.isEmpty())
            shown.remove(day.key());
    }
    return shown;
}

// The days without the to-dos that have no date of their own, which the server puts on today's:
// they are listed with the overview's first day, whichever it is, and do not make today that day.
DayMap datedOf(const DayMap &days, QVector<ScheduleDataInfo> *undated = nullptr)
{
    DayMap dated;
    for (auto day = days.cbegin(); day != days.cend(); ++day) {
        QVector<ScheduleDataInfo> tasks;
        for (const ScheduleDataInfo &info : day.value()) {
            if (!info.getNoDate())
                tasks.append(info);
            else if (undated)
                undated->append(info);
        }
        if (!tasks.isEmpty())
            dated.insert(day.key(), tasks);
    }
    return dated;
}

} // namespace

QVector<DayRange> rangesOf(DisplayInfo view, const QDate &today)
{
    if (view == DisplayRecent)
        return {{today.addDays(recentFirstDay), today}};
    if (view == DisplayOverview)
        return {{today.addDays(recentFirstDay), today}, {today, today.addDays(weekLastDay)}};
    if (view > 0)
        return {{today.addDays(view), today.addDays(view)}};
    return {};
}

QVector<ListedTask> selectTasks(DisplayInfo view, const QVector<DayMap> &answers)
{
    QVector<ListedTask> out;
    QSet<int> listedIds;
    Selection selection(out, listedIds);
    const DayMap first = shownOf(answers.value(0));
    if (view == DisplayRecent) {
        selection.listAll(first);
    } else if (view == DisplayOverview) {
        QVector<ScheduleDataInfo> undated;
        selection.carryForward(datedOf(first));
        selection.week(datedOf(shownOf(answers.value(1)), &undated));
        for (const ScheduleDataInfo &info : std::as_const(undated))
            selection.list(info);
    } else if (view > 0 && !first.isEmpty()) {
        // Only the first day of the answer: a server that sends more days than asked for adds nothing.
        for (const ScheduleDataInfo &info : first.first())
            selection.list(info);
    }
    return out;
}

bool appendUncheckedTasks(QVector<ScheduleDataInfo> &out, QSet<int> &listedIds)
{
    const QDate today = DataCenter::instance()->clock()->today();
    DayMap days;
    const bool ok = CScheduleDBus::getInstance()->GetJobs(today.addDays(recentFirstDay), today, days);
    QVector<ListedTask> listed;
    Selection(listed, listedIds).carryForward(shownOf(days));
    for (const ListedTask &task : std::as_const(listed))
        out.append(task.info);
    return ok;
}

bool DataCenter::getJobs(DisplayInfo view, QVector<ScheduleDataInfo> &out)
{
    out.clear();
    const QVector<DayRange> ranges = rangesOf(view, clock()->today());
    QVector<DayMap> answers;
    bool ok = true;
    // The caller drops a failed view; a server that does not answer should not freeze it twice.
    for (int i = 0; i < ranges.size() && ok; ++i) {
        answers.append(DayMap());
        ok = CScheduleDBus::getInstance()->GetJobs(ranges.at(i).first, ranges.at(i).last, answers.last());
    }
    const QVector<ListedTask> tasks = selectTasks(view, answers);
    out.reserve(tasks.size());
    for (const ListedTask &task : tasks)
        out.append(task.info);
    return ok;
}
