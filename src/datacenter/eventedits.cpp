#include "eventedits.h"

#include "cscheduledbus.h"
#include "datacenter.h"
#include "datacenterlog.h"
#include "jobwriter.h"

namespace {

EventEdits::Outcome outcomeOf(JobWriter::Failure failure)
{
    switch (failure) {
    case JobWriter::Failure::None:
        return EventEdits::Outcome::Done;
    case JobWriter::Failure::ReadOnly:
        return EventEdits::Outcome::ReadOnly;
    case JobWriter::Failure::ChangedOnDisk:
        return EventEdits::Outcome::ChangedOnDisk;
    case JobWriter::Failure::NotFound:
        return EventEdits::Outcome::Gone;
    case JobWriter::Failure::NoServer:
        return EventEdits::Outcome::NoServer;
    case JobWriter::Failure::Refused:
        return EventEdits::Outcome::Refused;
    case JobWriter::Failure::Other:
        break;
    }
    return EventEdits::Outcome::Failed;
}

// One occurrence of a series is deleted as a date the series skips.
ScheduleDataInfo skipping(const ScheduleDataInfo &occurrence)
{
    ScheduleDataInfo series = occurrence;
    series.getIgnoreTime() << occurrence.getBeginDateTime();
    return series;
}

bool isOccurrence(const ScheduleDataInfo &task, EventEdits::Scope scope)
{
    return scope == EventEdits::Scope::ThisOccurrence &&
           task.getRepetitionRule().getRuleId() != RepetitionRule::NoRepeat;
}

} // namespace

EventEdits::EventEdits(QObject *parent)
    : QObject(parent)
    , writer(new JobWriter(this))
{
    connect(writer, &JobWriter::finished, this, [this](const JobWriter::Answer &answer) {
        if (answer.ok() && kind == Kind::Change && newTitle != before.getTitleName())
            DataCenter::instance()->renameTasks(before, newTitle, wholeSeries);
        else if (answer.ok() && kind == Kind::Remove)
            DataCenter::instance()->forgetTasks(before, wholeSeries);
        if (!answer.ok())
            qCWarning(lcDataCenter).noquote() << "the data server refused a change:" << answer.detail;
        Q_EMIT finished(outcomeOf(answer.failure), answer.detail);
    });
}

bool EventEdits::isBusy() const
{
    return writer->isBusy();
}

bool EventEdits::reply(const ScheduleDataInfo &task, const QString &answer)
{
    if (!writer->reply(task.getID(), answer))
        return false;
    kind = Kind::Reply;
    before = task;
    return true;
}

bool EventEdits::complete(const ScheduleDataInfo &todo, bool completed)
{
    if (!writer->complete(todo.getID(), todo.getRecurID(), completed))
        return false;
    kind = Kind::Complete;
    before = todo;
    return true;
}

bool EventEdits::create(const ScheduleDataInfo &job)
{
    if (!writer->create(job))
        return false;
    kind = Kind::Create;
    return true;
}

bool EventEdits::change(const ScheduleDataInfo &task, const ScheduleDataInfo &after, Scope scope)
{
    const bool alone = isOccurrence(task, scope);
    if (!writer->update(after, alone))
        return false;
    kind = Kind::Change;
    before = task;
    newTitle = after.getTitleName();
    wholeSeries = !alone;
    return true;
}

bool EventEdits::remove(const ScheduleDataInfo &task, Scope scope)
{
    const bool alone = isOccurrence(task, scope);
    if (!(alone ? writer->update(skipping(task), false) : writer->remove(task.getID())))
        return false;
    kind = Kind::Remove;
    before = task;
    wholeSeries = !alone;
    return true;
}

bool EventEdits::removeNow(const ScheduleDataInfo &task, Scope scope)
{
    const bool alone = isOccurrence(task, scope);
    CScheduleDBus *server = CScheduleDBus::getInstance();
    if (!(alone ? server->UpdateJob(skipping(task)) : server->DeleteJob(task.getID())))
        return false;
    DataCenter::instance()->forgetTasks(task, !alone);
    return true;
}
