#ifndef SCHEDULE_JOINNEXT_H
#define SCHEDULE_JOINNEXT_H

#include <functional>

class QTextStream;

// `nvx-calendar-desktop-widget --join-next`, for a key of the desktop's: joins the online meeting
// running now or beginning within ten minutes (TaskRules::meetingToJoin), says what it opened or
// that there is none, and tells `finished` the exit status once the link is handed on.
namespace JoinNext {

void run(QTextStream &out, QTextStream &err, const std::function<void(int status)> &finished);

} // namespace JoinNext

#endif
