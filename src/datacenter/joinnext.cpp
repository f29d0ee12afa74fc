#include "joinnext.h"

#include "cscheduledbus.h"
#include "taskrules.h"
#include "urlopener.h"

#include <QCoreApplication>
#include <QTextStream>

namespace JoinNext {

void run(QTextStream &out, QTextStream &err, const std::function<void(int)> &finished)
{
    const QDateTime now = QDateTime::currentDateTime();
    QMap<QDate, QVector<ScheduleDataInfo>> days;
    // From yesterday: a meeting that runs past midnight is listed under the day it began.
    if (!CScheduleDBus::getInstance()->GetJobs(now.date().addDays(-1), now.date().addDays(1), days)) {
        err << QCoreApplication::translate("JoinNext", "The calendar data server does not answer.") << '\n';
        finished(2);
        return;
    }
    QVector<ScheduleDataInfo> jobs;
    for (const QVector<ScheduleDataInfo> &day : std::as_const(days))
        jobs += day;
    const ScheduleDataInfo *meeting = TaskRules::meetingToJoin(jobs, now);
    if (!meeting) {
        out << QCoreApplication::translate("JoinNext",
                                           "No meeting is running or begins in the next 10 minutes.")
            << '\n';
        finished(1);
        return;
    }
    const QString link = meeting->getDetails().conference;
    out << QCoreApplication::translate("JoinNext", "Joining “%1”: %2").arg(meeting->getTitleName(), link)
        << '\n';
    out.flush();
    UrlOpener::open(link, QDBusConnection::sessionBus(), [finished, &err](bool opened) {
        if (!opened)
            err << QCoreApplication::translate("JoinNext", "No program opens the meeting's link.") << '\n';
        finished(opened ? 0 : 3);
    });
}

} // namespace JoinNext
