#include "jobmapping.h"

#include "localtimes.h"

#include <KCalendarCore/Alarm>
#include <KCalendarCore/Recurrence>
#include <KCalendarCore/RecurrenceRule>

#include <QSet>

using namespace KCalendarCore;

namespace {

QDate dateIn(const QDateTime &value, const QDateTime &reference)
{
    switch (reference.timeSpec()) {
    case Qt::TimeZone:
        return value.toTimeZone(reference.timeZone()).date();
    case Qt::UTC:
        return value.toUTC().date();
    case Qt::OffsetFromUTC:
        return value.toOffsetFromUtc(reference.offsetFromUtc()).date();
    case Qt::LocalTime:
        break;
    }
    return value.toLocalTime().date();
}

bool subDaily(const Event &event)
{
    const RecurrenceRule *rule = event.recurrence()->defaultRRuleConst();
    return rule && rule->recurrenceType() != RecurrenceRule::rNone &&
           rule->recurrenceType() < RecurrenceRule::rDaily;
}

QDateTime moved(const QDateTime &from, const Duration &offset)
{
    return offset.isDaily() ? from.addDays(offset.asDays()) : from.addSecs(offset.asSeconds());
}

bool isWorkdays(const QList<RecurrenceRule::WDayPos> &days)
{
    if (days.size() != 5)
        return false;
    QSet<int> seen;
    for (const RecurrenceRule::WDayPos &day : days) {
        if (day.pos() != 0 || day.day() < 1 || day.day() > 5)
            return false;
        seen.insert(day.day());
    }
    return seen.size() == 5;
}

bool isOnly(const QList<int> &values, int value)
{
    return values.isEmpty() || (values.size() == 1 && values.first() == value);
}

} // namespace

namespace JobMapping {

int stableId(const QString &text)
{
    // FNV-1a: qHash may change with the Qt version and the CPU, and the widget keeps its local
    // state of a job under this number.
    quint32 hash = 2166136261u;
    for (const char byte : text.toUtf8()) {
        hash ^= quint8(byte);
        hash *= 16777619u;
    }
    return int(hash & 0x7fffffffu);
}

QDateTime endOf(const Event &event)
{
    const QDateTime end = event.dtEnd();
    const bool known = event.hasEndDate() || event.hasDuration();
    return known && end.isValid() && end >= event.dtStart() ? end : event.dtStart();
}

int recurrenceNumber(const Event &master, const QDateTime &originalStart)
{
    const QDateTime start = master.dtStart();
    if (subDaily(master))
        return int(start.secsTo(originalStart) / 60);
    // Exchange and Google write the day an all-day occurrence replaces as a midnight in UTC or in
    // a zone of theirs: the day is the one written, wherever that midnight falls here.
    if (master.allDay())
        return int(start.date().daysTo(originalStart.date()));
    return int(start.date().daysTo(dateIn(originalStart, start)));
}

QDateTime occurrenceStart(const Event &master, int recurrenceNumber)
{
    return occurrenceOf(master, master.dtStart(), recurrenceNumber);
}

QDateTime occurrenceOf(const Event &master, const QDateTime &instant, int recurrenceNumber)
{
    return subDaily(master) ? instant.addSecs(qint64(recurrenceNumber) * 60)
                            : instant.addDays(recurrenceNumber);
}

RemindData remindOf(const Event &event)
{
    const Alarm::List alarms = event.alarms();
    for (const Alarm::Ptr &alarm : alarms) {
        if (alarm->type() != Alarm::Display || !alarm->enabled())
            continue;
        if (event.allDay()) {
            // Alarms of all-day events are relative to a floating midnight: count on the clock.
            const QDateTime start(event.dtStart().date(), QTime(0, 0), Qt::UTC);
            QDateTime moment = start;
            if (alarm->hasTime()) {
                const QDateTime local = alarm->time().toLocalTime();
                moment = QDateTime(local.date(), local.time(), Qt::UTC);
            } else if (alarm->hasStartOffset()) {
                moment = moved(start, alarm->startOffset());
            } else if (alarm->hasEndOffset()) {
                moment = moved(QDateTime(event.dtEnd().date().addDays(1), QTime(0, 0), Qt::UTC),
                               alarm->endOffset());
            }
            const int days = int(moment.date().daysTo(start.date()));
            const QTime time(moment.time().hour(), moment.time().minute());
            return RemindData(qMax(0, days), time);
        }
        // An offset in seconds is the answer itself: worked out on the zoned start, it cost three
        // of the zone's conversions.
        if (alarm->hasStartOffset() && !alarm->startOffset().isDaily() && event.dtStart().isValid())
            return RemindData(int(qMax<qint64>(0, -alarm->startOffset().asSeconds() / 60)), QTime(9, 0));
        const QDateTime start = event.dtStart();
        QDateTime moment = start;
        if (alarm->hasTime())
            moment = alarm->time();
        else if (alarm->hasStartOffset())
            moment = moved(start, alarm->startOffset());
        else if (alarm->hasEndOffset())
            moment = moved(endOf(event), alarm->endOffset());
        // An alarm after the start cannot be told in minutes before it; -1 would read as "none".
        return RemindData(int(qMax<qint64>(0, moment.secsTo(start) / 60)), QTime(9, 0));
    }
    return RemindData();
}

RepetitionRule ruleOf(const Event &event)
{
    RepetitionRule result;
    const Recurrence *recurrence = event.recurrence();
    if (!event.recurs() || recurrence->rRules().size() != 1 || !recurrence->exRules().isEmpty() ||
        !recurrence->rDateTimes().isEmpty() || !recurrence->rDates().isEmpty())
        return result;
    const RecurrenceRule *rule = recurrence->rRules().first();
    if (rule->frequency() != 1 || !rule->bySeconds().isEmpty() || !rule->byMinutes().isEmpty() ||
        !rule->byHours().isEmpty() || !rule->byYearDays().isEmpty() || !rule->byWeekNumbers().isEmpty() ||
        !rule->bySetPos().isEmpty())
        return result;
    const QDate start = event.dtStart().date();
    const bool noDays = rule->byDays().isEmpty();
    RepetitionRule::RRuleID id = RepetitionRule::NoRepeat;
    switch (rule->recurrenceType()) {
    case RecurrenceRule::rDaily:
        if (rule->byMonthDays().isEmpty() && rule->byMonths().isEmpty())
            id = noDays ? RepetitionRule::Daily : isWorkdays(rule->byDays()) ? RepetitionRule::Workdays : id;
        break;
    case RecurrenceRule::rWeekly:
        if (rule->byMonthDays().isEmpty() && rule->byMonths().isEmpty()) {
            if (isWorkdays(rule->byDays()))
                id = RepetitionRule::Workdays;
            else if (noDays || (rule->byDays().size() == 1 && rule->byDays().first().pos() == 0 &&
                                rule->byDays().first().day() == start.dayOfWeek()))
                id = RepetitionRule::Weekly;
        }
        break;
    case RecurrenceRule::rMonthly:
        if (noDays && rule->byMonths().isEmpty() && isOnly(rule->byMonthDays(), start.day()))
            id = RepetitionRule::Monthly;
        break;
    case RecurrenceRule::rYearly:
        if (noDays && isOnly(rule->byMonths(), start.month()) && isOnly(rule->byMonthDays(), start.day()))
            id = RepetitionRule::Yearly;
        break;
    default:
        break;
    }
    if (id == RepetitionRule::NoRepeat)
        return result;
    result.setRuleId(id);
    if (rule->duration() > 0) {
        result.setRuleType(RepetitionRule::AfterCount);
        result.setEndCount(rule->duration() - 1);
    } else if (rule->duration() == 0) {
        result.setRuleType(RepetitionRule::UntilDate);
        // An all-day series ends on a date, which is the date in the event's own zone: KF5 gives it
        // as local midnight in UTC, KF6 as midnight in UTC.
        const QDateTime until = rule->endDt();
        result.setEndDate(event.allDay()
                              ? QDateTime(until.toTimeZone(event.dtStart().timeZone()).date(), QTime(0, 0))
                              : LocalTimes::at(until.toMSecsSinceEpoch()));
    }
    return result;
}

QVector<QDateTime> ignoreOf(const Event &event)
{
    QVector<QDateTime> result;
    if (!event.recurs())
        return result;
    const QTime time =
        event.allDay() ? QTime(0, 0) : LocalTimes::at(event.dtStart().toMSecsSinceEpoch()).time();
    for (const QDate &date : event.recurrence()->exDates())
        result << QDateTime(date, time);
    for (const QDateTime &dateTime : event.recurrence()->exDateTimes())
        result << (event.allDay() ? QDateTime(dateTime.date(), QTime(0, 0))
                                  : LocalTimes::at(dateTime.toMSecsSinceEpoch()));
    std::sort(result.begin(), result.end());
    return result;
}

int typeOf(const Event &event)
{
    bool ok = false;
    const int type = event.nonKDECustomProperty(typeProperty().latin1()).toInt(&ok);
    return ok && type >= 1 && type <= todoType ? type : 1;
}

qint64 todoShift(const Todo &master)
{
    if (!master.hasDueDate() || !master.hasStartDate())
        return 0;
    return master.dtStart().secsTo(master.dtDue(true));
}

Event::Ptr eventOf(const Todo &todo, const QDate &today, const Todo *master)
{
    if (todo.status() == Incidence::StatusCanceled || (todo.hasRecurrenceId() && !master))
        return {};
    // The day it is due, else the day it starts; a timed one at that moment.
    QDateTime when = todo.hasDueDate()     ? todo.dtDue(true)
                     : todo.hasStartDate() ? todo.dtStart()
                                           : QDateTime();
    bool undated = false;
    if (!when.isValid() && !todo.hasRecurrenceId()) {
        const QDate day = !todo.isCompleted()       ? today
                          : todo.hasCompletedDate() ? todo.completed().toLocalTime().date()
                                                    : QDate();
        if (!day.isValid())
            return {};
        when = QDateTime(day, QTime(0, 0));
        undated = true;
    }
    if (!when.isValid())
        return {};
    Event::Ptr event(new Event);
    event->setUid(todo.uid());
    event->setSummary(todo.summary());
    event->setDescription(todo.description());
    event->setDtStart(when);
    event->setAllDay(undated || todo.allDay());
    if (!event->allDay())
        event->setDtEnd(when);
    if (todo.hasRecurrenceId())
        event->setRecurrenceId(todo.recurrenceId().addSecs(todoShift(*master)));
    if (todo.isCompleted())
        event->setNonKDECustomProperty(completedProperty().latin1(), QStringLiteral("1"));
    if (undated)
        event->setNonKDECustomProperty(noDateProperty().latin1(), QStringLiteral("1"));
    const Alarm::List alarms = todo.alarms();
    for (const Alarm::Ptr &alarm : alarms) {
        Alarm::Ptr copy(new Alarm(*alarm));
        copy->setParent(event.data());
        event->addAlarm(copy);
    }
    if (todo.recurs() && !undated) {
        const Recurrence *from = todo.recurrence();
        Recurrence *to = event->recurrence();
        const RecurrenceRule::List rules = from->rRules();
        for (const RecurrenceRule *rule : rules)
            to->addRRule(new RecurrenceRule(*rule));
        to->setExDates(from->exDates());
        to->setExDateTimes(from->exDateTimes());
        to->setRDates(from->rDates());
        to->setRDateTimes(from->rDateTimes());
        to->setStartDateTime(when, todo.allDay());
    }
    event->setNonKDECustomProperty(typeProperty().latin1(), QString::number(todoType));
    return event;
}

} // namespace JobMapping
