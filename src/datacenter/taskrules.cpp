#include "taskrules.h"

#include "calendarcontract.h"

#include <QRegularExpression>
#include <QVector>

namespace TaskRules {

namespace {
// A countdown waits, with its own icon, until the last hour before the begin time.
constexpr qint64 countdownLeadSecs = 3600;
// It stops running this close to the end, so that an item does not count down past its task.
constexpr qint64 countdownTailSecs = 5;
// The last seconds of a minute in which the progress bar runs; tst_taskrules depends on 9.
constexpr qint64 finalPhaseSeconds = 9;

int rank(int mode)
{
    return mode == ModeRemind ? int(ModeNormal) : mode;
}
} // namespace

QDateTime remindTime(const ScheduleDataInfo &task)
{
    const QDateTime begin = task.getBeginDateTime();
    const int remindNum = task.getRemindData().getRemindNum();
    // Only -1 means "no reminder": a negative count is a reminder after the start, as the data
    // server and the overview's notable rule read it.
    if (remindNum == -1)
        return begin;
    return task.getAllDay() ? begin.addDays(-remindNum) : begin.addSecs(-60 * qint64(remindNum));
}

bool isDeclined(const ScheduleDataInfo &task)
{
    return task.getDetails().myReply == QLatin1String("declined");
}

bool isUnsure(const ScheduleDataInfo &task)
{
    const QString &reply = task.getDetails().myReply;
    return reply == QLatin1String("tentative") || reply == QLatin1String("needs-action");
}

bool joinsNow(const ScheduleDataInfo &task, const QDateTime &now)
{
    return !task.getDetails().conference.isEmpty() && now >= task.getBeginDateTime().addSecs(-joinLeadSecs) &&
           now < task.getEndDateTime();
}

const ScheduleDataInfo *meetingToJoin(const QVector<ScheduleDataInfo> &jobs, const QDateTime &now)
{
    const ScheduleDataInfo *chosen = nullptr;
    for (const ScheduleDataInfo &job : jobs) {
        if (!joinsNow(job, now) || isDeclined(job))
            continue;
        if (!chosen || job.getBeginDateTime() > chosen->getBeginDateTime())
            chosen = &job;
    }
    return chosen;
}

int modeAt(const ScheduleDataInfo &task, const ExtendedData &flags, const QDateTime &now)
{
    int mode = task.getRemindData().getRemindNum() != -1 ? ModeRemind : ModeNormal;
    if (flags.pinned)
        mode = ModePinned;
    // A meeting the user will not go to is not counted down to, whatever was chosen before.
    if (flags.countdown && !isDeclined(task)) {
        if (now < task.getBeginDateTime().addSecs(-countdownLeadSecs))
            mode = ModeCountdownWait;
        else if (now < task.getEndDateTime().addSecs(-countdownTailSecs))
            mode = ModeCountdown;
    }
    return mode;
}

int stateAt(const ScheduleDataInfo &task, const ExtendedData &flags, const QDateTime &now)
{
    if (flags.checked)
        return StateDone;
    if (task.getEndDateTime() < now)
        return StateExpired;
    if (remindTime(task) < now)
        return StateReminded;
    return StateWaiting;
}

MenuEntries menuAt(const ScheduleDataInfo &task, const ExtendedData &flags, const QDateTime &now)
{
    MenuEntries entries;
    entries.edit = task.getType() != DBUS_SERVER_TODO_TYPE && task.getCalendarWritable();
    entries.join = !task.getDetails().conference.isEmpty();
    if (flags.checked)
        return entries;
    entries.countdown = now < task.getBeginDateTime() && !flags.countdown && !isDeclined(task);
    entries.pin = !flags.countdown && !flags.pinned;
    entries.normal = flags.countdown || flags.pinned;
    return entries;
}

QDateTime nextChange(const ScheduleDataInfo &task, const ExtendedData &flags, const QDateTime &now)
{
    const QDateTime begin = task.getBeginDateTime();
    const QDateTime end = task.getEndDateTime();
    // modeAt and menuAt change as `now` reaches a moment; stateAt once `now` is past one, a
    // millisecond later.
    QVector<QDateTime> moments;
    if (flags.countdown && !isDeclined(task))
        moments << begin.addSecs(-countdownLeadSecs) << end.addSecs(-countdownTailSecs);
    if (!flags.checked) {
        moments << remindTime(task).addMSecs(1) << end.addMSecs(1);
        if (!flags.countdown && !isDeclined(task))
            moments << begin;
    }
    QDateTime next;
    for (const QDateTime &moment : std::as_const(moments)) {
        if (moment.isValid() && moment > now && (!next.isValid() || moment < next))
            next = moment;
    }
    return next;
}

int modeAfterTick(int mode, const QDateTime &begin, const QDateTime &now)
{
    return modeAfterTick(mode, now.msecsTo(begin));
}

int modeAfterTick(int mode, qint64 msecsToBegin)
{
    if (mode != ModeCountdown)
        return mode;
    const qint64 remaining = msecsToBegin + 1000;
    return remaining > 0 && (remaining / 1000) % 60 <= finalPhaseSeconds ? int(ModeCountdownFinal) : mode;
}

QString dayMonthFormat(TimeFormat format, const QLocale &locale)
{
    if (format == TimeFormat::Fixed)
        return QStringLiteral("MM.dd");
    // The year with the separator that joins it to the day or month, wherever it stands: "M/d/yy",
    // "dd.MM.yy", "yyyy/MM/dd", "yy. M. d.".
    static const QRegularExpression yearFirst(QStringLiteral("^y+[^dM]*"));
    static const QRegularExpression yearAfter(QStringLiteral("[^dM]*y+"));
    QString pattern = locale.dateFormat(QLocale::ShortFormat);
    pattern.remove(yearFirst);
    pattern.remove(yearAfter);
    return pattern.trimmed();
}

QString timeFormat(TimeFormat format, const QLocale &locale)
{
    switch (format) {
    case TimeFormat::Fixed:
        return QStringLiteral("hh:mm");
    case TimeFormat::Locale:
        break;
    case TimeFormat::Hours24:
        return QStringLiteral("HH:mm");
    case TimeFormat::Hours12:
        return QStringLiteral("h:mm AP");
    }
    return locale.timeFormat(QLocale::ShortFormat);
}

QString timeText(const QTime &time, TimeFormat format, const QLocale &locale)
{
    return locale.toString(time, timeFormat(format, locale));
}

QString countdownText(const QDateTime &begin, const QString &title, const QDateTime &now, TimeFormat format,
                      const QLocale &locale)
{
    return countdownText(begin, title, now.msecsTo(begin), format, locale);
}

QString countdownText(const QDateTime &begin, const QString &title, qint64 msecsToBegin, TimeFormat format,
                      const QLocale &locale)
{
    // The second under way counts as a whole one: 59.5 s before the begin time shows 01:00.
    const qint64 remaining = msecsToBegin + 1000;
    const qint64 minutes = remaining > 0 ? remaining / 60000 : 0;
    const qint64 seconds = remaining > 0 ? (remaining / 1000) % 60 : 0;
    // The doubled colon is what the widget has always shown; users read it as the target time.
    const QString at = format == TimeFormat::Fixed ? begin.toString(QStringLiteral("hh:mm::ss"))
                                                   : timeText(begin.time(), format, locale);
    return QStringLiteral("  %1:%2 => %3\n  %4")
        .arg(minutes, 2, 10, QLatin1Char('0'))
        .arg(seconds, 2, 10, QLatin1Char('0'))
        .arg(at, title);
}

QString dateText(const QDateTime &begin, const QString &title, TimeFormat format, const QLocale &locale)
{
    if (format == TimeFormat::Fixed)
        return QLatin1String("  ") + begin.toString(QStringLiteral("MM.dd  hh:mm")) + QLatin1String("\n  ") +
               title;
    return QLatin1String("  ") + locale.toString(begin.date(), dayMonthFormat(format, locale)) +
           QLatin1String("  ") + timeText(begin.time(), format, locale) + QLatin1String("\n  ") + title;
}

bool goesBefore(const SortKey &a, const SortKey &b)
{
    if (a.checked != b.checked)
        return !a.checked;
    const int rankA = rank(a.mode);
    const int rankB = rank(b.mode);
    if (rankA != rankB)
        return rankA > rankB;
    if (a.undated != b.undated)
        return !a.undated;
    return a.begin < b.begin;
}

} // namespace TaskRules
