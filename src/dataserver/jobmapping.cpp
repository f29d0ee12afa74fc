#include "jobmapping.h"

#include <KCalendarCore/Alarm>
#include <KCalendarCore/ICalFormat>
#include <KCalendarCore/MemoryCalendar>
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

const QString dateTimeFormat = QStringLiteral("yyyyMMdd'T'HHmmss");

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
    const QDateTime start = master.dtStart();
    return subDaily(master) ? start.addSecs(qint64(recurrenceNumber) * 60) : start.addDays(recurrenceNumber);
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
        result.setEndDate(rule->endDt().toLocalTime());
    }
    return result;
}

QVector<QDateTime> ignoreOf(const Event &event)
{
    QVector<QDateTime> result;
    if (!event.recurs())
        return result;
    const QTime time = event.allDay() ? QTime(0, 0) : event.dtStart().toLocalTime().time();
    for (const QDate &date : event.recurrence()->exDates())
        result << QDateTime(date, time);
    for (const QDateTime &dateTime : event.recurrence()->exDateTimes())
        result << (event.allDay() ? QDateTime(dateTime.date(), QTime(0, 0)) : dateTime.toLocalTime());
    std::sort(result.begin(), result.end());
    return result;
}

int typeOf(const Event &event)
{
    bool ok = false;
    const int type = event.nonKDECustomProperty(typeProperty().latin1()).toInt(&ok);
    return ok && type >= 1 && type <= todoType ? type : 1;
}

Event::Ptr eventOf(const Todo &todo)
{
    if (todo.isCompleted() || todo.status() == Incidence::StatusCanceled || todo.hasRecurrenceId())
        return {};
    // The day it is due, else the day it starts; a timed one at that moment.
    const QDateTime when = todo.hasDueDate()     ? todo.dtDue(true)
                           : todo.hasStartDate() ? todo.dtStart()
                                                 : QDateTime();
    if (!when.isValid())
        return {};
    Event::Ptr event(new Event);
    event->setUid(todo.uid());
    event->setSummary(todo.summary());
    event->setDescription(todo.description());
    event->setDtStart(when);
    event->setAllDay(todo.allDay());
    if (!todo.allDay())
        event->setDtEnd(when);
    const Alarm::List alarms = todo.alarms();
    for (const Alarm::Ptr &alarm : alarms) {
        Alarm::Ptr copy(new Alarm(*alarm));
        copy->setParent(event.data());
        event->addAlarm(copy);
    }
    if (todo.recurs()) {
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

TimeStyle TimeStyle::system()
{
    TimeStyle style;
    const QTimeZone zone = QTimeZone::systemTimeZone();
    const QString id = QString::fromUtf8(zone.id());
    if (zone.isValid() && !id.isEmpty() && zone != QTimeZone::utc() && id != QLatin1String("UTC")) {
        style.kind = Zone;
        style.tzid = id;
        style.zone = zone;
    }
    return style;
}

TimeStyle TimeStyle::of(const QDateTime &parsed, const IcsNode *line)
{
    TimeStyle style;
    if (!parsed.isValid())
        return system();
    const QString tzid = line ? line->parameter(QStringLiteral("TZID")) : QString();
    switch (parsed.timeSpec()) {
    case Qt::LocalTime:
        style.kind = Floating;
        break;
    case Qt::TimeZone:
        if (!tzid.isEmpty()) {
            style.kind = Zone;
            style.tzid = tzid;
            style.zone = parsed.timeZone();
        }
        break;
    case Qt::UTC:
    case Qt::OffsetFromUTC:
        break;
    }
    return style;
}

IcsNode timeProperty(const QString &name, const QDateTime &value, const TimeStyle &style)
{
    switch (style.kind) {
    case TimeStyle::Date:
        return IcsNode::property(name + QLatin1String(";VALUE=DATE:") +
                                 value.date().toString(QStringLiteral("yyyyMMdd")));
    case TimeStyle::Floating:
        return IcsNode::property(name + QLatin1Char(':') + value.toLocalTime().toString(dateTimeFormat));
    case TimeStyle::Zone: {
        const bool quote = style.tzid.contains(QLatin1Char(':')) || style.tzid.contains(QLatin1Char(';')) ||
                           style.tzid.contains(QLatin1Char(','));
        const QString tzid = quote ? QLatin1Char('"') + style.tzid + QLatin1Char('"') : style.tzid;
        return IcsNode::property(name + QLatin1String(";TZID=") + tzid + QLatin1Char(':') +
                                 value.toTimeZone(style.zone).toString(dateTimeFormat));
    }
    case TimeStyle::Utc:
        break;
    }
    return IcsNode::property(name + QLatin1Char(':') + utcStamp(value));
}

IcsNode textProperty(const QString &name, const QString &text)
{
    return IcsNode::property(name + QLatin1Char(':') + Ics::escapeText(text));
}

QString utcStamp(const QDateTime &dateTime)
{
    return dateTime.toUTC().toString(dateTimeFormat) + QLatin1Char('Z');
}

QString durationText(qint64 seconds)
{
    if (seconds == 0)
        return QStringLiteral("PT0S");
    QString text = seconds < 0 ? QStringLiteral("-P") : QStringLiteral("P");
    qint64 rest = qAbs(seconds);
    if (rest % 86400 == 0)
        return text + QString::number(rest / 86400) + QLatin1Char('D');
    text += QLatin1Char('T');
    if (rest >= 3600)
        text += QString::number(rest / 3600) + QLatin1Char('H');
    rest %= 3600;
    if (rest >= 60)
        text += QString::number(rest / 60) + QLatin1Char('M');
    if (rest % 60)
        text += QString::number(rest % 60) + QLatin1Char('S');
    return text;
}

QVector<IcsNode> ruleLines(const RepetitionRule &rule, bool allDay)
{
    QString text;
    switch (rule.getRuleId()) {
    case RepetitionRule::NoRepeat:
        return {};
    case RepetitionRule::Daily:
        text = QStringLiteral("FREQ=DAILY");
        break;
    case RepetitionRule::Workdays:
        text = QStringLiteral("FREQ=DAILY;BYDAY=MO,TU,WE,TH,FR");
        break;
    case RepetitionRule::Weekly:
        text = QStringLiteral("FREQ=WEEKLY");
        break;
    case RepetitionRule::Monthly:
        text = QStringLiteral("FREQ=MONTHLY");
        break;
    case RepetitionRule::Yearly:
        text = QStringLiteral("FREQ=YEARLY");
        break;
    }
    if (rule.getRuleType() == RepetitionRule::AfterCount) {
        text += QLatin1String(";COUNT=") + QString::number(qMax(1, rule.getEndCount() + 1));
    } else if (rule.getRuleType() == RepetitionRule::UntilDate && rule.getEndDate().isValid()) {
        text +=
            QLatin1String(";UNTIL=") + (allDay ? rule.getEndDate().date().toString(QStringLiteral("yyyyMMdd"))
                                               : utcStamp(rule.getEndDate()));
    }
    return {IcsNode::property(QStringLiteral("RRULE:") + text)};
}

QVector<IcsNode> exceptionLines(const QVector<QDateTime> &ignore, bool allDay)
{
    QVector<IcsNode> lines;
    for (const QDateTime &dateTime : ignore) {
        if (!dateTime.isValid())
            continue;
        lines << (allDay ? IcsNode::property(QStringLiteral("EXDATE;VALUE=DATE:") +
                                             dateTime.date().toString(QStringLiteral("yyyyMMdd")))
                         : IcsNode::property(QStringLiteral("EXDATE:") + utcStamp(dateTime)));
    }
    return lines;
}

QString triggerText(const RemindData &remind, bool allDay)
{
    if (!allDay) {
        // In hours and minutes, never days: a day before a timed event is 24 hours, also across a
        // daylight-saving change.
        const qint64 seconds = -qint64(remind.getRemindNum()) * 60;
        if (seconds % 86400 == 0 && seconds != 0)
            return (seconds < 0 ? QStringLiteral("-PT") : QStringLiteral("PT")) +
                   QString::number(qAbs(seconds) / 3600) + QLatin1Char('H');
        return durationText(seconds);
    }
    const QTime time = remind.getRemindTime().isValid() ? remind.getRemindTime() : QTime(9, 0);
    return durationText(-qint64(remind.getRemindNum()) * 86400 + QTime(0, 0).secsTo(time));
}

IcsNode displayAlarm(const RemindData &remind, bool allDay, const QString &summary)
{
    IcsNode alarm = IcsNode::makeComponent(QStringLiteral("VALARM"));
    alarm.children << IcsNode::property(QStringLiteral("ACTION:DISPLAY"))
                   << IcsNode::property(QStringLiteral("TRIGGER:") + triggerText(remind, allDay))
                   << textProperty(QStringLiteral("DESCRIPTION"),
                                   summary.isEmpty() ? QStringLiteral("Reminder") : summary);
    return alarm;
}

IcsNode timezoneComponent(const QTimeZone &zone, const QString &tzid)
{
    MemoryCalendar::Ptr calendar(new MemoryCalendar(zone));
    Event::Ptr event(new Event);
    event->setDtStart(QDateTime(QDate::currentDate(), QTime(12, 0), zone));
    calendar->addEvent(event);
    ICalFormat format;
    IcsDocument document;
    if (!document.parse(format.toString(calendar).toUtf8()))
        return IcsNode();
    for (IcsNode &node : document.components()) {
        if (node.component && node.name == QLatin1String("VTIMEZONE")) {
            node.setProperties(QStringLiteral("TZID"), {IcsNode::property(QStringLiteral("TZID:") + tzid)});
            return node;
        }
    }
    return IcsNode();
}

} // namespace JobMapping
