#include "calendarstore.h"

#include "calendarstore_p.h"
#include "icsdocument.h"
#include "joblines.h"
#include "jobmapping.h"
#include "timezonenames.h"

#include <KCalendarCore/ICalFormat>
#include <KCalendarCore/MemoryCalendar>

// A to-do completed or reopened: its STATUS, COMPLETED and PERCENT-COMPLETE lines, nothing else, so
// that the phone and the account's server see the tick and every other line as it was. Reopened,
// it loses COMPLETED and PERCENT-COMPLETE (absent reads as none done), and is NEEDS-ACTION.
//
// An occurrence of a repeating to-do is completed in an override of its own (RECURRENCE-ID, as
// RFC 5545 has it for one occurrence), not by moving the series' DTSTART and DUE on to the next
// one: every other occurrence keeps its dates and its RecurID, which the widget keeps its own state
// of a job under; the completed occurrence stays on its day, ticked; and reopening it (the Undo of
// a tick) is the same three lines back, where moving the series back would have to guess from
// where it came.

using namespace KCalendarCore;
using namespace JobMapping;

namespace {

bool isTodoOf(const IcsNode &node, const QString &uid)
{
    return node.component && node.name == QLatin1String("VTODO") &&
           node.propertyValue(QStringLiteral("UID")).trimmed() == uid;
}

// One component read on its own, with the time zones of its file.
Todo::Ptr readTodo(const IcsDocument &document, const IcsNode &component)
{
    IcsDocument single = IcsDocument::newCalendar();
    for (const IcsNode &node : document.components()) {
        if (node.component && node.name == QLatin1String("VTIMEZONE"))
            single.components() << node;
    }
    single.components() << component;
    MemoryCalendar::Ptr calendar(new MemoryCalendar(QTimeZone::systemTimeZone()));
    ICalFormat format;
    QStringList floating; // said when the file was read
    QVector<IcsFault> refolded;
    const QByteArray text = IcsDocument::refold(single.toByteArray(), Ics::longestLine, &refolded);
    if (!format.fromRawString(calendar, TimeZoneNames::resolve(text, &floating)))
        return {};
    const Todo::List todos = calendar->rawTodos();
    return todos.isEmpty() ? Todo::Ptr() : todos.first();
}

bool isCompleted(const IcsNode &todo)
{
    return todo.propertyValue(QStringLiteral("STATUS"))
               .trimmed()
               .compare(QLatin1String("COMPLETED"), Qt::CaseInsensitive) == 0;
}

// True when a line changed.
bool setCompletion(IcsNode &todo, bool completed)
{
    const QString status = QStringLiteral("STATUS");
    const QString stamp = QStringLiteral("COMPLETED");
    const QString percent = QStringLiteral("PERCENT-COMPLETE");
    if (completed) {
        if (isCompleted(todo))
            return false; // it keeps the moment it was completed
        todo.setProperties(status, {IcsNode::property(QStringLiteral("STATUS:COMPLETED"))});
        todo.setProperties(stamp, {IcsNode::property(QStringLiteral("COMPLETED:") +
                                                     utcStamp(QDateTime::currentDateTimeUtc()))});
        todo.setProperties(percent, {IcsNode::property(QStringLiteral("PERCENT-COMPLETE:100"))});
        return true;
    }
    if (!isCompleted(todo) && !todo.find(stamp) &&
        todo.propertyValue(percent).trimmed() != QLatin1String("100"))
        return false;
    todo.setProperties(status, {IcsNode::property(QStringLiteral("STATUS:NEEDS-ACTION"))});
    todo.removeProperties(stamp);
    todo.removeProperties(percent);
    return true;
}

TimeStyle styleOf(const QDateTime &parsed, const IcsNode *line)
{
    if (line &&
        (line->parameter(QStringLiteral("VALUE")).compare(QLatin1String("DATE"), Qt::CaseInsensitive) == 0 ||
         line->value().trimmed().size() == 8)) {
        TimeStyle date;
        date.kind = TimeStyle::Date;
        return date;
    }
    return TimeStyle::of(parsed, line);
}

// The occurrence `recurId` of the series as an override of its own, its dates moved to it.
IcsNode overrideOf(const IcsNode &series, const Todo &master, const Event &served, int recurId)
{
    IcsNode occurrence = series;
    for (const char *name : {"RRULE", "RDATE", "EXRULE", "EXDATE"})
        occurrence.removeProperties(QLatin1String(name));
    // By its lines: the library gives a repeating to-do due alone a start of its own making.
    QVector<QPair<QString, QDateTime>> dates;
    if (series.find(QStringLiteral("DTSTART")))
        dates.push_back({QStringLiteral("DTSTART"), master.dtStart()});
    if (series.find(QStringLiteral("DUE")))
        dates.push_back({QStringLiteral("DUE"), master.dtDue(true)});
    for (const auto &date : std::as_const(dates)) {
        const IcsNode *line = series.find(date.first);
        occurrence.setProperties(date.first,
                                 {timeProperty(date.first, occurrenceOf(served, date.second, recurId),
                                               styleOf(date.second, line))});
    }
    // RFC 5545: the occurrence is named by its DTSTART, or its DUE where the series has no start.
    const auto &anchor = dates.first();
    const QString recurrenceId = QStringLiteral("RECURRENCE-ID");
    occurrence.insertBeforeComponents(timeProperty(recurrenceId, occurrenceOf(served, anchor.second, recurId),
                                                   styleOf(anchor.second, series.find(anchor.first))));
    return occurrence;
}

} // namespace

CalendarStore::Private::Outcome CalendarStore::Private::complete(qint64 id, int recurId, bool completed,
                                                                 const Done &done)
{
    FilePtr file;
    KCalendarCore::Event::Ptr served;
    if (!findEvent(id, &file, &served))
        return Result::failure(Status::NotFound, QStringLiteral("no job with ID %1").arg(id));
    const Todo::Ptr master = file->calendar->todo(served->uid());
    if (typeOf(*served) != todoType || !master)
        return Result::failure(Status::InvalidArgument, QStringLiteral("job %1 is no to-do").arg(id));
    if (const Result refused = refuseReadOnly(*file, id); !refused.ok())
        return refused;
    const CalendarFiles::Source source = files.sourceOf(*file);
    const bool eds = CalendarSources::fromDesktop(source.kind);
    if (const auto turn = edsTurn(source, done, [this, id, recurId, completed, done] {
            return complete(id, recurId, completed, done);
        }))
        return *turn;
    IcsDocument document;
    if (const Result read = files.documentOf(*file, &document); !read.ok())
        return read;

    QVector<IcsNode> &components = document.components();
    const bool recurs = served->recurs();
    int masterAt = -1;
    int targetAt = -1;
    for (int i = 0; i < components.size(); ++i) {
        if (!isTodoOf(components.at(i), master->uid()))
            continue;
        if (!components.at(i).find(QStringLiteral("RECURRENCE-ID"))) {
            if (masterAt < 0)
                masterAt = i;
            continue;
        }
        const Todo::Ptr exception = recurs ? readTodo(document, components.at(i)) : Todo::Ptr();
        const KCalendarCore::Event::Ptr mapped =
            exception ? eventOf(*exception, QDate::currentDate(), master.data())
                      : KCalendarCore::Event::Ptr();
        if (mapped && recurrenceNumber(*served, mapped->recurrenceId()) == recurId)
            targetAt = i;
    }
    if (masterAt < 0)
        return Result::failure(
            Status::WriteFailed,
            QStringLiteral("the to-do %1 was not found in %2").arg(master->uid(), file->path));
    // An occurrence without an override of its own is as its series is: it needs one to be
    // completed alone, and none to be reopened with the series.
    if (targetAt < 0 && recurs && completed && !isCompleted(components.at(masterAt)) &&
        (components.at(masterAt).find(QStringLiteral("DTSTART")) ||
         components.at(masterAt).find(QStringLiteral("DUE")))) {
        components.insert(masterAt + 1, overrideOf(components.at(masterAt), *master, *served, recurId));
        targetAt = masterAt + 1;
    }
    if (targetAt < 0)
        targetAt = masterAt;
    if (!setCompletion(components[targetAt], completed))
        return Result(); // not {}: an empty Outcome would mean that EDS answers later
    if (eds) {
        IcsDocument single;
        single.top << components.at(targetAt);
        sendToEds(source,
                  {{targetAt == masterAt ? DesktopSource::Change::ModifySeries
                                         : DesktopSource::Change::ModifyOccurrence,
                    single.toByteArray(),
                    {}}},
                  {}, done);
        return std::nullopt;
    }
    return write(file, file->path, document, file->source, file->inDirectory);
}

void CalendarStore::setJobCompleted(qint64 id, int recurId, bool completed, const Done &done)
{
    if (const Private::Outcome now = d->complete(id, recurId, completed, done))
        done(*now);
}

CalendarStore::Result CalendarStore::setJobCompleted(qint64 id, int recurId, bool completed)
{
    return *d->complete(id, recurId, completed, {});
}
