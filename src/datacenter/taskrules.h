#ifndef SCHEDULE_TASKRULES_H
#define SCHEDULE_TASKRULES_H

#include "extendeddata.h"
#include "scheduledatainfo.h"

#include <QDateTime>
#include <QLocale>
#include <QString>

// What a task is at a given moment: its display mode, its time state, the menu entries it offers and
// its texts, from the schedule, the widget's own flags of it and the time. No widget and no clock:
// the caller says what time it is, so that reminders, editing and the tests reuse the same answers.
namespace TaskRules {

// The numbers are compared by the list's display order and kept in nothing but memory.
enum Mode { ModeNormal = 0, ModeRemind, ModePinned, ModeCountdownWait, ModeCountdown, ModeCountdownFinal };
enum State { StateWaiting = 0, StateReminded, StateExpired, StateDone };

struct MenuEntries
{
    bool open = true;
    // Changing and deleting the event; not a to-do's, nor one of a calendar the server cannot write.
    bool edit = false;
    bool countdown = false;
    bool pin = false;
    bool normal = false;
    // Opening the online meeting; only where the event has a link to one.
    bool join = false;
};

// How the panel shows the invitations the user declined: left out of every view (the default),
// drawn faintly, or like any other task. Declined ones are never reminded of nor counted down to.
enum class DeclinedShown { Hidden = 0, Dimmed, Shown };
// The Join button of a counting-down task shows from so long before its begin until its end.
constexpr int joinLeadSecs = 10 * 60;

// How a task's date and time read: Fixed is "MM.dd  hh:mm" in every language, as the widget always
// showed it; Locale the language's short forms; Hours24 and Hours12 the language's day and month
// with that clock.
enum class TimeFormat { Fixed = 0, Locale, Hours24, Hours12 };

// What the list orders its items by.
struct SortKey
{
    bool checked = false;
    int mode = ModeNormal;
    QDateTime begin;
    // A to-do without a date of its own, which goes after the dated tasks of its mode.
    bool undated = false;
};

// The user declined the invitation.
[[nodiscard]] bool isDeclined(const ScheduleDataInfo &task);
// An invitation the user has not accepted yet: tentative or not answered.
[[nodiscard]] bool isUnsure(const ScheduleDataInfo &task);
// Whether the task offers its meeting's Join button now: from joinLeadSecs before it to its end.
[[nodiscard]] bool joinsNow(const ScheduleDataInfo &task, const QDateTime &now);

// Of the jobs, the online meeting to join now: running, or beginning within joinLeadSecs, and not
// declined. The latest to begin wins: whoever asks while one meeting runs on is off to the next.
// Null where there is none.
[[nodiscard]] const ScheduleDataInfo *meetingToJoin(const QVector<ScheduleDataInfo> &jobs,
                                                    const QDateTime &now);

// The begin time less the reminder's lead; the begin time itself without a reminder.
[[nodiscard]] QDateTime remindTime(const ScheduleDataInfo &task);
// One of ModeNormal to ModeCountdown: the final phase is entered only by a countdown tick.
[[nodiscard]] int modeAt(const ScheduleDataInfo &task, const ExtendedData &flags, const QDateTime &now);
[[nodiscard]] int stateAt(const ScheduleDataInfo &task, const ExtendedData &flags, const QDateTime &now);
[[nodiscard]] MenuEntries menuAt(const ScheduleDataInfo &task, const ExtendedData &flags,
                                 const QDateTime &now);
// The first moment after `now` at which modeAt, stateAt or menuAt may answer otherwise than at
// `now`; invalid when none ever will. A countdown's ticks are not among them.
[[nodiscard]] QDateTime nextChange(const ScheduleDataInfo &task, const ExtendedData &flags,
                                   const QDateTime &now);

// The mode after a countdown tick: a running countdown turns final once fewer than ten seconds of
// its current minute are left.
[[nodiscard]] int modeAfterTick(int mode, const QDateTime &begin, const QDateTime &now);
[[nodiscard]] int modeAfterTick(int mode, qint64 msecsToBegin);
// "  mm:ss => hh:mm::ss\n  title", rounded up to the second; 00:00 once the begin time has passed.
// In a form other than Fixed the begin time reads as timeText() has it.
[[nodiscard]] QString countdownText(const QDateTime &begin, const QString &title, const QDateTime &now,
                                    TimeFormat format = TimeFormat::Fixed, const QLocale &locale = QLocale());
// The same, measured by the countdown's own clock: a time zone conversion costs more than the rest.
[[nodiscard]] QString countdownText(const QDateTime &begin, const QString &title, qint64 msecsToBegin,
                                    TimeFormat format = TimeFormat::Fixed, const QLocale &locale = QLocale());
// "  MM.dd  hh:mm\n  title", or the date and time in the form asked for.
[[nodiscard]] QString dateText(const QDateTime &begin, const QString &title,
                               TimeFormat format = TimeFormat::Fixed, const QLocale &locale = QLocale());
// The QDateTime formats of a form: the day and month ("MM.dd"; the language's short date without
// its year), and the time of day ("hh:mm", the language's short time, "HH:mm", "h:mm AP").
[[nodiscard]] QString dayMonthFormat(TimeFormat format, const QLocale &locale = QLocale());
[[nodiscard]] QString timeFormat(TimeFormat format, const QLocale &locale = QLocale());
// The time of day in the form, in the language's digits and AM/PM words.
[[nodiscard]] QString timeText(const QTime &time, TimeFormat format, const QLocale &locale = QLocale());

// Unchecked first, then by mode rank (a reminder ranks as normal), then dated before undated, then
// by begin time.
[[nodiscard]] bool goesBefore(const SortKey &a, const SortKey &b);

} // namespace TaskRules

#endif
