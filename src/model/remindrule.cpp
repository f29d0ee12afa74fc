#include "scheduledatainfo.h"

#include "modellog.h"

#include <QDebug>
#include <QLocale>
#include <QStringList>

#include <limits>

namespace {

// The C locale keeps the digits ASCII whatever the user's locale is; the data server expects them so.
const QString remindTimeFormat = QStringLiteral("hh:mm");
const QString endDateFormat = QStringLiteral("yyyyMMddThhmmss");
const QString workdaysPart = QStringLiteral("BYDAY=MO,TU,WE,TH,FR");

} // namespace

RemindData::RemindData(int remindNum, const QTime &remindTime)
    : remindNum(remindNum)
    , remindTime(remindTime)
{
}

QString RemindData::RemindDataToRemindString(const RemindData &data, bool allDay)
{
    if (data.remindNum == -1)
        return QString();
    QString text = QString::number(data.remindNum);
    if (allDay)
        text += QLatin1Char(';') + QLocale::c().toString(data.remindTime, remindTimeFormat);
    return text;
}

RemindData RemindData::RemindStringToRemindData(const QString &text)
{
    RemindData data;
    const QStringList parts = text.split(QLatin1Char(';'), Qt::SkipEmptyParts);
    if (parts.isEmpty())
        return data;
    data.remindNum = parts.at(0).toInt();
    if (parts.size() >= 2)
        data.remindTime = QLocale::c().toTime(parts.at(1), remindTimeFormat);
    return data;
}

void RepetitionRule::clear()
{
    ruleId = NoRepeat;
    ruleType = Never;
}

QString RepetitionRule::RuleDataToRuleString(const RepetitionRule &rule)
{
    QString text;
    switch (rule.ruleId) {
    case NoRepeat:
        break;
    case Daily:
        text = QStringLiteral("FREQ=DAILY");
        break;
    case Workdays:
        text = QStringLiteral("FREQ=DAILY;") + workdaysPart;
        break;
    case Weekly:
        text = QStringLiteral("FREQ=WEEKLY");
        break;
    case Monthly:
        text = QStringLiteral("FREQ=MONTHLY");
        break;
    case Yearly:
        text = QStringLiteral("FREQ=YEARLY");
        break;
    }
    if (rule.ruleType == AfterCount)
        text += QStringLiteral(";COUNT=") + QString::number(qint64(rule.endCount) + 1);
    else if (rule.ruleType == UntilDate)
        text += QStringLiteral(";UNTIL=") + endDateToString(rule.endDate);
    return text;
}

RepetitionRule RepetitionRule::RuleStringToRuleData(const QString &text)
{
    RepetitionRule rule;
    const QStringList parts = text.split(QLatin1Char(';'), Qt::SkipEmptyParts);
    if (parts.isEmpty())
        return rule;

    if (parts.contains(QStringLiteral("FREQ=DAILY")) && parts.contains(workdaysPart))
        rule.ruleId = Workdays;
    else if (parts.contains(QStringLiteral("FREQ=DAILY")))
        rule.ruleId = Daily;
    else if (parts.contains(QStringLiteral("FREQ=WEEKLY")))
        rule.ruleId = Weekly;
    else if (parts.contains(QStringLiteral("FREQ=MONTHLY")))
        rule.ruleId = Monthly;
    else if (parts.contains(QStringLiteral("FREQ=YEARLY")))
        rule.ruleId = Yearly;

    for (const QString &part : parts) {
        if (part.contains(QLatin1String("COUNT="))) {
            const QStringList pieces = part.split(QLatin1Char('='), Qt::SkipEmptyParts);
            // "COUNT=" without a number says nothing, so it changes nothing.
            if (pieces.size() >= 2) {
                rule.ruleType = AfterCount;
                // Saturated: a count of INT_MIN from outside must not overflow.
                const int count = pieces.at(1).toInt();
                rule.endCount = count == std::numeric_limits<int>::min() ? count : count - 1;
            }
        }
        if (part.contains(QLatin1String("UNTIL="))) {
            const QStringList pieces = part.split(QLatin1Char('='), Qt::SkipEmptyParts);
            if (pieces.size() < 2) {
                qCWarning(lcModel).noquote() << "Recurrence Rule Err," << text;
            } else {
                rule.ruleType = UntilDate;
                rule.endDate = resolutionEndDate(pieces.at(1));
            }
        }
    }
    return rule;
}

QString RepetitionRule::endDateToString(const QDateTime &dateTime)
{
    // The clock time is kept as it is: the trailing "Z" is part of the format the data server
    // writes and reads, not a conversion to UTC.
    return QLocale::c().toString(dateTime, endDateFormat) + QLatin1Char('Z');
}

QDateTime RepetitionRule::resolutionEndDate(const QString &text)
{
    return QLocale::c().toDateTime(text.left(text.size() - 1), endDateFormat);
}
