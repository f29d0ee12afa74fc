#ifndef SCHEDULE_SCHEDULEDATAINFO_H
#define SCHEDULE_SCHEDULEDATAINFO_H

#include "calendaridentity.h"
#include "eventdetails.h"

#include <QDateTime>
#include <QMap>
#include <QMetaType>
#include <QString>
#include <QTime>
#include <QVector>

#include <memory>

class QDebug;
class QJsonArray;
class QJsonObject;

// When to remind the user of a schedule. remindNum counts days for an all-day schedule and
// minutes for a timed one; -1 means no reminder.
class RemindData
{
public:
    RemindData() = default;
    RemindData(int remindNum, const QTime &remindTime);

    int getRemindNum() const { return remindNum; }
    void setRemindNum(int num) { remindNum = num; }
    QTime getRemindTime() const { return remindTime; }
    void setRemindTime(const QTime &time) { remindTime = time; }

    // "15" for a timed schedule, "1;09:00" for an all-day one, "" without reminder.
    static QString RemindDataToRemindString(const RemindData &data, bool allDay);
    static RemindData RemindStringToRemindData(const QString &text);

private:
    int remindNum = -1;
    QTime remindTime = QTime(9, 0);
};

// How a schedule recurs, in the subset of RFC 5545 rules that the calendar data server uses.
class RepetitionRule
{
public:
    // A fixed underlying type: a value from outside that names no rule is then still a valid value.
    enum RRuleID : int { NoRepeat = 0, Daily = 1, Workdays = 2, Weekly = 3, Monthly = 4, Yearly = 5 };
    enum RRuleEndType : int { Never = 0, AfterCount = 1, UntilDate = 2 };

    RRuleID getRuleId() const { return ruleId; }
    void setRuleId(RRuleID id) { ruleId = id; }
    RRuleEndType getRuleType() const { return ruleType; }
    void setRuleType(const RRuleEndType &type) { ruleType = type; }
    QDateTime getEndDate() const { return endDate; }
    void setEndDate(const QDateTime &date) { endDate = date; }
    // Occurrences after the first; the rule text carries this number plus one.
    int getEndCount() const { return endCount; }
    void setEndCount(int count) { endCount = count; }

    // Forgets pattern and end kind; the end date and count stay for a later setRuleType.
    void clear();

    static QString RuleDataToRuleString(const RepetitionRule &rule);
    static RepetitionRule RuleStringToRuleData(const QString &text);
    static QString endDateToString(const QDateTime &dateTime);
    static QDateTime resolutionEndDate(const QString &text);

private:
    RRuleID ruleId = NoRepeat;
    RRuleEndType ruleType = Never;
    QDateTime endDate;
    int endCount = 0;
};

struct JobTypeJSON
{
    int typeNumber;
    QString typeName;
    QString typeColor;
};

extern const QVector<JobTypeJSON> globalPredefinedTypes;

// One occurrence of a schedule ("job") as the calendar data server delivers it.
class ScheduleDataInfo
{
public:
    ScheduleDataInfo() = default;

    int getID() const { return id; }
    void setID(int value) { id = value; }
    QDateTime getBeginDateTime() const { return beginDateTime; }
    QDateTime &getBeginDateTime() { return beginDateTime; }
    void setBeginDateTime(const QDateTime &value) { beginDateTime = value; }
    QDateTime getEndDateTime() const { return endDateTime; }
    QDateTime &getEndDateTime() { return endDateTime; }
    void setEndDateTime(const QDateTime &value) { endDateTime = value; }
    QVector<QDateTime> getIgnoreTime() const { return ignoreTime; }
    QVector<QDateTime> &getIgnoreTime() { return ignoreTime; }
    void setIgnoreTime(const QVector<QDateTime> &value) { ignoreTime = value; }
    QString getTitleName() const { return titleName; }
    void setTitleName(const QString &value) { titleName = value; }
    QString getDescription() const { return description; }
    void setDescription(const QString &value) { description = value; }
    bool getAllDay() const { return allDay; }
    void setAllDay(bool value) { allDay = value; }
    int getType() const { return type; }
    void setType(int value) { type = value; }
    int getRecurID() const { return recurID; }
    void setRecurID(int value) { recurID = value; }
    RemindData getRemindData() const { return remindData; }
    void setRemindData(const RemindData &value) { remindData = value; }
    RepetitionRule getRepetitionRule() const { return repetitionRule; }
    RepetitionRule &getRepetitionRule() { return repetitionRule; }
    void setRepetitionRule(const RepetitionRule &value) { repetitionRule = value; }
    bool getIsMoveInfo() const { return isMoveInfo; }
    void setIsMoveInfo(const bool &value) { isMoveInfo = value; }
    // The calendar the job comes from, as the data server says; null from a server that does not.
    const CalendarIdentity &getCalendar() const { return calendar; }
    void setCalendar(const CalendarIdentity &value) { calendar = value; }
    QString getCalendarId() const { return calendar.id; }
    QString getCalendarName() const { return calendar.name; }
    QString getCalendarColor() const { return calendar.color; }
    bool getCalendarWritable() const { return calendar.writable; }
    // Where, who and how to join; empty details for a job that says none, as most do.
    const EventDetails &getDetails() const;
    void setDetails(const EventDetails &value);
    // A to-do its calendar holds completed ("Completed"), and one without a date of its own,
    // served on the day it is asked for ("NoDate"); each key written only where true.
    bool getCompleted() const { return completed; }
    void setCompleted(bool value) { completed = value; }
    bool getNoDate() const { return noDate; }
    void setNoDate(bool value) { noDate = value; }

    // The reminder as text; its form follows the all-day flag.
    QString getScheudleRemind() const;
    void setScheudleRemind(const QString &text);
    QString getScheduleRRule() const;
    void setScheduleRRule(const QString &text);

    // Valid begin and end, and a type a job may be created with (1 to 3).
    bool isValid() const;
    bool operator==(const ScheduleDataInfo &other) const;
    bool operator<(const ScheduleDataInfo &other) const;

    static int registerMetaType();

    // JSON forms shared with the calendar data server and the calendar application.
    static QString DateTimeToStringDate(const QDateTime &dateTime);
    static QDateTime StringDateToDateTime(const QString &text);
    static QString ScheduleToJsonStr(const ScheduleDataInfo &info);
    static QJsonObject ScheduleToJson(const ScheduleDataInfo &info);
    // ScheduleToJson() as QJsonDocument writes it compact, with `keys` (`,"Key":value` each, as
    // CalendarIdentity::jobKeys() writes them) sorted in among the job's own, without the object.
    static QByteArray ScheduleToJsonText(const ScheduleDataInfo &info, const QByteArray &keys = {});
    static ScheduleDataInfo JsonToSchedule(const QJsonObject &object);
    static ScheduleDataInfo JsonStrToSchedule(const QString &text);
    static QMap<QDate, QVector<ScheduleDataInfo>> JsonArrayDataToScheduleMapData(const QJsonArray &array);
    static QMap<QDate, QVector<ScheduleDataInfo>> StrJsonToRangeInfo(const QString &text);
    // As StrJsonToRangeInfo, for a reader that must tell an empty range from a text that is no
    // range at all: false, with the reason in `why`, for text that is not JSON or not an array of
    // day objects with a "Date" text and a "Jobs" array. Logs nothing.
    static bool readRangeInfo(const QString &text, QMap<QDate, QVector<ScheduleDataInfo>> &out, QString &why);
    // The range form written by a data server: one day object per map entry, in date order.
    static QString RangeInfoToStrJson(const QMap<QDate, QVector<ScheduleDataInfo>> &range);

private:
    int id = 0;
    QDateTime beginDateTime;
    QDateTime endDateTime;
    QVector<QDateTime> ignoreTime;
    QString titleName = QLatin1String("");
    QString description = QLatin1String("");
    bool allDay = true;
    int type = 1;
    int recurID = 0;
    RemindData remindData;
    RepetitionRule repetitionRule;
    bool isMoveInfo = false;
    bool completed = false;
    bool noDate = false;
    CalendarIdentity calendar;
    // Shared and null for none: a panel keeps thousands of jobs, few of them invitations.
    std::shared_ptr<const EventDetails> details;
};

QDebug operator<<(QDebug debug, const ScheduleDataInfo &info);

Q_DECLARE_METATYPE(ScheduleDataInfo)

#endif
