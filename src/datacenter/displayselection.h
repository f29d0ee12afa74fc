#ifndef SCHEDULE_DISPLAYSELECTION_H
#define SCHEDULE_DISPLAYSELECTION_H

#include "extendeddata.h"
#include "scheduledatainfo.h"

#include <QDate>
#include <QMap>
#include <QVector>

// The selected view: -1 the last three days and today, 0 the overview, N > 0 the day N days ahead.
enum DisplayInfo : int { DisplayRecent = -1, DisplayOverview = 0 };

using DayMap = QMap<QDate, QVector<ScheduleDataInfo>>;

// Days from `first` to `last`, both included, as the data server is asked for them.
struct DayRange
{
    QDate first;
    QDate last;
    bool operator==(const DayRange &other) const { return first == other.first && last == other.last; }
};

// A task of a view with the widget's own state of it, as it was when the view was chosen.
struct ListedTask
{
    ScheduleDataInfo info;
    ExtendedData state;
};

// The ranges a view needs, in the order selectTasks reads their answers; none for a view that
// shows nothing.
QVector<DayRange> rangesOf(DisplayInfo view, const QDate &today);

// The tasks of `view` from the data server's answers for rangesOf(view): the carry-forward, anchor
// day and notable rules, each schedule listed once. A missing answer counts as an empty range.
QVector<ListedTask> selectTasks(DisplayInfo view, const QVector<DayMap> &answers);

#endif
