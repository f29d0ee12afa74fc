#include "scheduledatainfo.h"

#include <QDebug>

const QVector<JobTypeJSON> globalPredefinedTypes{
    {1, QStringLiteral("Work"), QStringLiteral("#FF0000")},
    {2, QStringLiteral("Life"), QStringLiteral("#00FF00")},
    {3, QStringLiteral("Other"), QStringLiteral("#800080")},
    {4, QStringLiteral("Festival"), QStringLiteral("#FFFF00")},
};

namespace {

constexpr int FestivalType = 4;

bool isMultiDay(const ScheduleDataInfo &info)
{
    return info.getBeginDateTime().date() != info.getEndDateTime().date();
}

} // namespace

const EventDetails &ScheduleDataInfo::getDetails() const
{
    static const EventDetails none;
    return details ? *details : none;
}

void ScheduleDataInfo::setDetails(const EventDetails &value)
{
    if (value.isEmpty())
        details.reset();
    else
        details = std::make_shared<const EventDetails>(value);
}

QString ScheduleDataInfo::getScheudleRemind() const
{
    return RemindData::RemindDataToRemindString(remindData, allDay);
}

void ScheduleDataInfo::setScheudleRemind(const QString &text)
{
    remindData = RemindData::RemindStringToRemindData(text);
}

QString ScheduleDataInfo::getScheduleRRule() const
{
    return RepetitionRule::RuleDataToRuleString(repetitionRule);
}

void ScheduleDataInfo::setScheduleRRule(const QString &text)
{
    repetitionRule = RepetitionRule::RuleStringToRuleData(text);
}

bool ScheduleDataInfo::isValid() const
{
    return beginDateTime.isValid() && endDateTime.isValid() && type >= 1 && type <= 3;
}

bool ScheduleDataInfo::operator==(const ScheduleDataInfo &other) const
{
    // Occurrences of a festival share id and recurrence id; only the day tells them apart.
    if (other.type == FestivalType) {
        return id == other.id && recurID == other.recurID && titleName == other.titleName &&
               beginDateTime == other.beginDateTime;
    }
    return id == other.id && recurID == other.recurID && titleName == other.titleName;
}

bool ScheduleDataInfo::operator<(const ScheduleDataInfo &other) const
{
    const bool multiDay = isMultiDay(*this);
    const bool otherMultiDay = isMultiDay(other);
    if (multiDay != otherMultiDay)
        return multiDay;
    if (multiDay) {
        const QDate beginDate = beginDateTime.date();
        const QDate otherBeginDate = other.beginDateTime.date();
        if (beginDate != otherBeginDate)
            return beginDate < otherBeginDate;
        return beginDateTime.daysTo(endDateTime) > other.beginDateTime.daysTo(other.endDateTime);
    }
    // Two festival entries fall through to begin, title and id, so that the order stays strict
    // and std::sort may be used on any list of records.
    const bool festival = type == FestivalType;
    const bool otherFestival = other.type == FestivalType;
    if (festival != otherFestival)
        return festival;
    if (beginDateTime == other.beginDateTime) {
        if (titleName == other.titleName)
            return id < other.id;
        return titleName < other.titleName;
    }
    return beginDateTime < other.beginDateTime;
}

int ScheduleDataInfo::registerMetaType()
{
    return qRegisterMetaType<ScheduleDataInfo>("ScheduleDataInfo");
}

QDebug operator<<(QDebug debug, const ScheduleDataInfo &info)
{
    const QString comma = QStringLiteral(",");
    debug << "(" << QStringLiteral("ID:") << info.getID() << comma << QStringLiteral("IsAllDay:")
          << (info.getAllDay() ? "true" : "false") << comma << QStringLiteral("TitleName:")
          << info.getTitleName() << comma << QStringLiteral("BeginDateTime:") << info.getBeginDateTime()
          << comma << QStringLiteral("EndDateTime:") << info.getEndDateTime() << comma
          << QStringLiteral("Description:") << info.getDescription() << comma << QStringLiteral("Type:")
          << info.getType() << comma << QStringLiteral("RRule:") << info.getScheduleRRule() << comma
          << QStringLiteral("Remind:") << info.getScheudleRemind() << comma << QStringLiteral("RecurID:")
          << info.getRecurID() << ")";
    return debug;
}
