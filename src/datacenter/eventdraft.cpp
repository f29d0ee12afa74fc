#include "eventdraft.h"

#include <algorithm>

namespace {
// An all-day event's times as the data server reads them: its first day's midnight to its last
// day's end.
const QTime endOfDay(23, 59);
} // namespace

EventDraft EventDraft::newOn(const QDate &day, const QDateTime &now)
{
    EventDraft draft;
    // The next full hour would leave the chosen day in its last hour: that hour then.
    draft.begin = QDateTime(day, QTime(std::min(now.time().hour() + 1, 23), 0));
    draft.end = draft.begin.addSecs(3600);
    return draft;
}

EventDraft EventDraft::fromJob(const ScheduleDataInfo &job)
{
    EventDraft draft;
    draft.title = job.getTitleName();
    draft.description = job.getDescription();
    draft.allDay = job.getAllDay();
    draft.begin = job.getBeginDateTime().toLocalTime();
    draft.end = job.getEndDateTime().toLocalTime();
    draft.remind = job.getRemindData();
    draft.rule = job.getRepetitionRule();
    draft.calendarId = job.getCalendarId();
    return draft;
}

QVector<int> EventDraft::remindChoices(bool allDay)
{
    if (allDay)
        return {-1, 0, 1, 2, 7};
    return {-1, 0, 5, 10, 15, 30, 60, 24 * 60};
}

EventDraft::Problem EventDraft::problem() const
{
    if (title.trimmed().isEmpty())
        return Problem::NoTitle;
    if (allDay ? end.date() < begin.date() : end < begin)
        return Problem::EndsBeforeStart;
    if (rule.getRuleId() != RepetitionRule::NoRepeat && rule.getRuleType() == RepetitionRule::UntilDate &&
        rule.getEndDate().date() < begin.date())
        return Problem::UntilBeforeStart;
    return Problem::None;
}

ScheduleDataInfo EventDraft::toJob(const ScheduleDataInfo &base) const
{
    ScheduleDataInfo job = base;
    job.setTitleName(title.trimmed());
    job.setDescription(description);
    job.setAllDay(allDay);
    if (allDay) {
        job.setBeginDateTime(QDateTime(begin.date(), QTime(0, 0)));
        job.setEndDateTime(QDateTime(end.date(), endOfDay));
    } else {
        job.setBeginDateTime(begin);
        job.setEndDateTime(end);
    }
    job.setRemindData(remind);
    RepetitionRule repeat = rule;
    if (repeat.getRuleId() == RepetitionRule::NoRepeat)
        repeat.clear();
    job.setRepetitionRule(repeat);
    CalendarIdentity calendar = base.getCalendar();
    if (calendar.id != calendarId) {
        calendar = CalendarIdentity();
        calendar.id = calendarId;
    }
    job.setCalendar(calendar);
    return job;
}
