#include "joblines.h"

#include <KCalendarCore/ICalFormat>
#include <KCalendarCore/MemoryCalendar>

#include <algorithm>

using namespace KCalendarCore;

namespace {
const QString dateTimeFormat = QStringLiteral("yyyyMMdd'T'HHmmss");

// A zone that is UTC by another name (Etc/UTC, Universal, Zulu, Etc/GMT, as containers and servers
// have): times in it are written as UTC, as a zone definition of it would have no part to describe.
bool isUtcFromNowOn(const QTimeZone &zone)
{
    const QDateTime now = QDateTime::currentDateTimeUtc();
    return zone.offsetFromUtc(now) == 0 && !zone.nextTransition(now).atUtc.isValid();
}

QString offsetText(int seconds)
{
    const int minutes = qAbs(seconds) / 60;
    return QString::asprintf("%c%02d%02d", seconds < 0 ? '-' : '+', minutes / 60, minutes % 60);
}

bool hasObservance(const IcsNode &timezone)
{
    return std::any_of(timezone.children.cbegin(), timezone.children.cend(), [](const IcsNode &child) {
        return child.component &&
               (child.name == QLatin1String("STANDARD") || child.name == QLatin1String("DAYLIGHT"));
    });
}

// KCalendarCore describes only the changes of offset since 1970, so a zone that has kept its offset
// since then (Asia/Tokyo, Etc/GMT-3) gets no STANDARD or DAYLIGHT part, which a VTIMEZONE must have.
IcsNode fixedOffsetPart(const QTimeZone &zone)
{
    const QDateTime now = QDateTime::currentDateTimeUtc();
    const QString offset = offsetText(zone.offsetFromUtc(now));
    IcsNode standard = IcsNode::makeComponent(QStringLiteral("STANDARD"));
    standard.children << IcsNode::property(QStringLiteral("DTSTART:19700101T000000"))
                      << IcsNode::property(QStringLiteral("TZOFFSETFROM:") + offset)
                      << IcsNode::property(QStringLiteral("TZOFFSETTO:") + offset);
    const QString name = zone.abbreviation(now);
    if (!name.isEmpty())
        standard.children << JobMapping::textProperty(QStringLiteral("TZNAME"), name);
    return standard;
}
} // namespace

namespace JobMapping {

TimeStyle TimeStyle::system()
{
    TimeStyle style;
    const QTimeZone zone = QTimeZone::systemTimeZone();
    const QString id = QString::fromUtf8(zone.id());
    if (zone.isValid() && !id.isEmpty() && zone != QTimeZone::utc() && id != QLatin1String("UTC") &&
        !isUtcFromNowOn(zone)) {
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
            if (!hasObservance(node))
                node.children << fixedOffsetPart(zone);
            return node;
        }
    }
    return IcsNode();
}

} // namespace JobMapping
