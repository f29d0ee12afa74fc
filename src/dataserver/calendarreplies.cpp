#include "calendarstore.h"

#include "calendarstore_p.h"
#include "eventinfo.h"
#include "icsdocument.h"
#include "myaddresses.h"

// The user's answer to an invitation: the PARTSTAT of the user's own ATTENDEE line in every
// component of the event (the series and its moved occurrences alike), and nothing else, so that
// the organizer's copy and the account's server see exactly the answer. Sending it to the organizer
// is the calendar's part: a CalDAV server's scheduling (RFC 6638) or EDS's backend.

namespace {

bool isEventOf(const IcsNode &node, const QString &uid)
{
    return node.component && node.name == QLatin1String("VEVENT") &&
           node.propertyValue(QStringLiteral("UID")).trimmed() == uid;
}

// True when the component names the user among its attendees; `changed` when the answer differs.
bool answer(IcsNode &component, const QStringList &myAddresses, const QString &partStat, bool *changed)
{
    bool invited = false;
    for (IcsNode &line : component.children) {
        if (line.component || line.name != QLatin1String("ATTENDEE") ||
            !myAddresses.contains(MyAddresses::normalized(line.value())))
            continue;
        invited = true;
        if (line.parameter(QStringLiteral("PARTSTAT")).compare(partStat, Qt::CaseInsensitive) == 0)
            continue;
        line = IcsNode::property(line.withParameter(QStringLiteral("PARTSTAT"), partStat));
        *changed = true;
    }
    return invited;
}

} // namespace

CalendarStore::Private::Outcome CalendarStore::Private::reply(qint64 id, const QString &reply,
                                                              const Done &done)
{
    const QString partStat = EventInfo::partStatOf(reply);
    if (partStat.isEmpty())
        return Result::failure(Status::InvalidArgument,
                               QStringLiteral("\"%1\" is no answer: accepted, tentative, declined or "
                                              "needs-action")
                                   .arg(reply));
    FilePtr file;
    KCalendarCore::Event::Ptr master;
    if (!findEvent(id, &file, &master))
        return Result::failure(Status::NotFound, QStringLiteral("no job with ID %1").arg(id));
    if (const Result refused = refuseReadOnly(*file, id); !refused.ok())
        return refused;
    const CalendarFiles::Source source = files.sourceOf(*file);
    const bool eds = CalendarSources::fromDesktop(source.kind);
    if (const auto turn =
            edsTurn(source, done, [this, id, reply, done] { return this->reply(id, reply, done); }))
        return *turn;
    IcsDocument document;
    if (const Result read = files.documentOf(*file, &document); !read.ok())
        return read;
    bool invited = false;
    bool changed = false;
    QVector<DesktopSource::Change> edsChanges;
    for (IcsNode &component : document.components()) {
        if (!isEventOf(component, master->uid()))
            continue;
        bool changedHere = false;
        invited |= answer(component, source.myAddresses, partStat, &changedHere);
        if (changedHere && eds) {
            IcsDocument single;
            single.top << component;
            const bool occurrence = component.find(QStringLiteral("RECURRENCE-ID")) != nullptr;
            edsChanges.push_back(
                {occurrence ? DesktopSource::Change::ModifyOccurrence : DesktopSource::Change::ModifySeries,
                 single.toByteArray(),
                 {}});
        }
        changed |= changedHere;
    }
    if (!invited)
        return Result::failure(Status::InvalidArgument,
                               QStringLiteral("job %1 does not name you among its attendees").arg(id));
    if (!changed)
        return Result();
    if (eds) {
        sendToEds(source, edsChanges, {}, done);
        return std::nullopt;
    }
    return write(file, file->path, document, file->source, file->inDirectory);
}

void CalendarStore::replyToJob(qint64 id, const QString &reply, const Done &done)
{
    if (const Private::Outcome now = d->reply(id, reply, done))
        done(*now);
}

CalendarStore::Result CalendarStore::replyToJob(qint64 id, const QString &reply)
{
    return *d->reply(id, reply, {});
}
