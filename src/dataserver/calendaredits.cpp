#include "calendarstore.h"

#include "calendarsources.h"
#include "calendarstore_p.h"
#include "icsdocument.h"
#include "joblines.h"
#include "jobmapping.h"
#include "occurrences.h"
#include "timezonenames.h"

#include <KCalendarCore/ICalFormat>
#include <KCalendarCore/MemoryCalendar>

#include <QDir>
#include <QUuid>

#include <algorithm>
#include <utility>

using namespace KCalendarCore;
using namespace JobMapping;

namespace {

bool isEvent(const IcsNode &node, const QString &uid)
{
    return node.component && node.name == QLatin1String("VEVENT") &&
           node.propertyValue(QStringLiteral("UID")).trimmed() == uid;
}

bool holdsIncidences(const IcsDocument &document)
{
    for (const IcsNode &node : document.components()) {
        if (node.component && (node.name == QLatin1String("VEVENT") || node.name == QLatin1String("VTODO") ||
                               node.name == QLatin1String("VJOURNAL")))
            return true;
    }
    return false;
}

// One component read on its own, with the time zones of its file, to learn its RECURRENCE-ID.
Event::Ptr readComponent(const IcsDocument &document, const IcsNode &component)
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
        return Event::Ptr();
    const Event::List events = calendar->rawEvents();
    return events.isEmpty() ? Event::Ptr() : events.first();
}

// A component's text as its file writes it.
QByteArray componentText(const IcsDocument &document, const IcsNode &component)
{
    IcsDocument single;
    single.eol = document.eol;
    single.top << component;
    return single.toByteArray();
}

bool isDisplayAlarm(const IcsNode &node)
{
    return node.component && node.name == QLatin1String("VALARM") &&
           node.propertyValue(QStringLiteral("ACTION"))
                   .trimmed()
                   .compare(QLatin1String("DISPLAY"), Qt::CaseInsensitive) == 0;
}

void setTimes(IcsNode &component, const QDateTime &begin, const QDateTime &end, bool allDay,
              const TimeStyle &startStyle, const TimeStyle &endStyle, bool useDuration)
{
    IcsNode startLine;
    IcsNode endLine;
    if (allDay) {
        const QDate first = begin.date();
        QDate last = end.date();
        // An end at midnight closes the day before, as an exclusive DTEND would.
        if (end.time() == QTime(0, 0) && last > first)
            last = last.addDays(-1);
        last = qMax(first, last);
        TimeStyle date;
        date.kind = TimeStyle::Date;
        startLine = timeProperty(QStringLiteral("DTSTART"), QDateTime(first, QTime(0, 0)), date);
        endLine = useDuration
                      ? IcsNode::property(QStringLiteral("DURATION:P%1D").arg(first.daysTo(last) + 1))
                      : timeProperty(QStringLiteral("DTEND"), QDateTime(last.addDays(1), QTime(0, 0)), date);
    } else {
        startLine = timeProperty(QStringLiteral("DTSTART"), begin, startStyle);
        endLine = useDuration
                      ? IcsNode::property(QStringLiteral("DURATION:") + durationText(begin.secsTo(end)))
                      : timeProperty(QStringLiteral("DTEND"), end, endStyle);
    }
    component.setProperties(QStringLiteral("DTSTART"), {startLine});
    component.removeProperties(useDuration ? QStringLiteral("DTEND") : QStringLiteral("DURATION"));
    component.setProperties(useDuration ? QStringLiteral("DURATION") : QStringLiteral("DTEND"), {endLine});
}

void stamp(IcsNode &component)
{
    const QString now = utcStamp(QDateTime::currentDateTimeUtc());
    component.setProperties(QStringLiteral("DTSTAMP"), {IcsNode::property(QStringLiteral("DTSTAMP:") + now)});
    component.setProperties(QStringLiteral("LAST-MODIFIED"),
                            {IcsNode::property(QStringLiteral("LAST-MODIFIED:") + now)});
}

QVector<qint64> instants(const QVector<QDateTime> &dateTimes, bool allDay)
{
    QVector<qint64> result;
    for (const QDateTime &dateTime : dateTimes)
        result << (allDay ? dateTime.date().toJulianDay() : dateTime.toMSecsSinceEpoch());
    std::sort(result.begin(), result.end());
    return result;
}

// iCalendar text holds no control character but TAB and the line break, which is escaped: a NUL
// written raw made the whole file unreadable, and a lone surrogate cannot be written as UTF-8.
CalendarStore::Result checkText(const char *field, const QString &text)
{
    auto refuse = [field](const QString &why) {
        return CalendarStore::Result::failure(
            CalendarStore::Status::InvalidArgument,
            QStringLiteral("the %1 %2, which a calendar file cannot hold").arg(QLatin1String(field), why));
    };
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        const ushort u = c.unicode();
        if ((u < 0x20 && u != '\t' && u != '\n' && u != '\r') || u == 0x7f)
            return refuse(QStringLiteral("holds the control character U+%1")
                              .arg(QStringLiteral("%1").arg(uint(u), 4, 16, QLatin1Char('0')).toUpper()));
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
            ++i;
        else if (c.isSurrogate())
            return refuse(QStringLiteral("holds half of a UTF-16 surrogate pair"));
    }
    return {};
}

CalendarStore::Result checkJob(const ScheduleDataInfo &info)
{
    const CalendarStore::Result title = checkText("title", info.getTitleName());
    if (!title.ok())
        return title;
    const CalendarStore::Result description = checkText("description", info.getDescription());
    if (!description.ok())
        return description;
    if (!info.isValid())
        return CalendarStore::Result::failure(
            CalendarStore::Status::InvalidArgument,
            QStringLiteral("a job needs a valid Start and End and a Type from 1 to 3"));
    if (info.getEndDateTime() < info.getBeginDateTime())
        return CalendarStore::Result::failure(CalendarStore::Status::InvalidArgument,
                                              QStringLiteral("the job ends before it starts"));
    return {};
}

bool ensureTimezone(IcsDocument &document, const TimeStyle &style)
{
    if (style.kind != TimeStyle::Zone)
        return true;
    QVector<IcsNode> &components = document.components();
    int insertAt = components.size();
    for (int i = 0; i < components.size(); ++i) {
        const IcsNode &node = components.at(i);
        if (!node.component)
            continue;
        if (node.name == QLatin1String("VTIMEZONE")) {
            if (node.propertyValue(QStringLiteral("TZID")).trimmed() == style.tzid)
                return true;
        } else if (insertAt == components.size()) {
            insertAt = i;
        }
    }
    const IcsNode timezone = timezoneComponent(style.zone, style.tzid);
    if (timezone.name.isEmpty())
        return false;
    components.insert(insertAt, timezone);
    return true;
}

// The VEVENT of a new job, its times written in `style`.
IcsNode newEvent(const ScheduleDataInfo &info, const QString &uid, const TimeStyle &style)
{
    IcsNode event = IcsNode::makeComponent(QStringLiteral("VEVENT"));
    const QString now = utcStamp(QDateTime::currentDateTimeUtc());
    event.children << IcsNode::property(QStringLiteral("UID:") + uid)
                   << IcsNode::property(QStringLiteral("DTSTAMP:") + now)
                   << IcsNode::property(QStringLiteral("CREATED:") + now)
                   << IcsNode::property(QStringLiteral("LAST-MODIFIED:") + now)
                   << textProperty(QStringLiteral("SUMMARY"), info.getTitleName());
    if (!info.getDescription().isEmpty())
        event.children << textProperty(QStringLiteral("DESCRIPTION"), info.getDescription());
    setTimes(event, info.getBeginDateTime(), info.getEndDateTime(), info.getAllDay(), style, style, false);
    event.children << ruleLines(info.getRepetitionRule(), info.getAllDay());
    if (info.getRepetitionRule().getRuleId() != RepetitionRule::NoRepeat)
        event.children << exceptionLines(info.getIgnoreTime(), info.getAllDay());
    if (info.getType() != 1)
        event.children << IcsNode::property(typeProperty() + QLatin1Char(':') +
                                            QString::number(info.getType()));
    if (info.getRemindData().getRemindNum() >= 0)
        event.children << displayAlarm(info.getRemindData(), info.getAllDay(), info.getTitleName());
    return event;
}

} // namespace

CalendarStore::Result CalendarStore::Private::write(const FilePtr &old, const QString &path,
                                                    const IcsDocument &document, int source, bool inDirectory)
{
    const Result written = files.write(old, path, document, source, inDirectory);
    if (written.ok())
        changed();
    return written;
}

CalendarStore::Result CalendarStore::Private::write(const FilePtr &file, FilePart part)
{
    const Result written = files.write(file, std::move(part));
    if (written.ok())
        changed();
    return written;
}

CalendarStore::Result CalendarStore::Private::refuseReadOnly(const CalendarFile &file, qint64 id) const
{
    const CalendarFiles::Source &source = files.sourceOf(file);
    if (CalendarSources::fromDesktop(source.kind) && !source.identity.writable)
        return Result::failure(Status::ReadOnly,
                               QStringLiteral("job %1 belongs to the %2 calendar %3, which is read-only")
                                   .arg(id)
                                   .arg(CalendarSources::serviceName(source.kind), source.identity.name));
    if (source.kind != CalendarSources::Kind::Subscription)
        return {};
    return Result::failure(Status::ReadOnly,
                           QStringLiteral("job %1 belongs to the subscription %2, which is read-only")
                               .arg(id)
                               .arg(source.location));
}

CalendarStore::Result CalendarStore::Private::targetOf(const QString &calendarId,
                                                       const CalendarFiles::Source **target) const
{
    const QVector<CalendarFiles::Source> &sources = files.sources();
    if (sources.isEmpty())
        return Result::failure(Status::NoCalendar, QStringLiteral("no calendar to create the job in"));
    const auto writable = [](const CalendarFiles::Source &source) {
        return source.kind == CalendarSources::Kind::File || source.kind == CalendarSources::Kind::Folder ||
               (CalendarSources::fromDesktop(source.kind) && source.identity.writable);
    };
    if (calendarId.isEmpty()) {
        const auto first = std::find_if(sources.cbegin(), sources.cend(), writable);
        if (first == sources.cend())
            return Result::failure(Status::ReadOnly,
                                   QStringLiteral("every calendar is a subscription, which is read-only"));
        *target = &*first;
        return {};
    }
    const auto named =
        std::find_if(sources.cbegin(), sources.cend(),
                     [&](const CalendarFiles::Source &source) { return source.identity.id == calendarId; });
    if (named == sources.cend())
        return Result::failure(Status::NotFound, QStringLiteral("no calendar with ID %1").arg(calendarId));
    if (!writable(*named))
        return Result::failure(Status::ReadOnly,
                               QStringLiteral("the calendar %1 is read-only here").arg(named->identity.name));
    *target = &*named;
    return {};
}

CalendarStore::Private::Outcome CalendarStore::Private::create(const ScheduleDataInfo &info, const Done &done)
{
    Result check = checkJob(info);
    if (!check.ok())
        return check;
    const CalendarFiles::Source *found = nullptr;
    if (const Result chosen = targetOf(info.getCalendarId(), &found); !chosen.ok())
        return chosen;
    const CalendarFiles::Source &target = *found;
    const bool eds = CalendarSources::fromDesktop(target.kind);
    if (const auto turn = edsTurn(target, done, [this, info, done] { return create(info, done); }))
        return *turn;
    const QString uid = QUuid::createUuid().toString(QUuid::WithoutBraces);
    const TimeStyle style = TimeStyle::system();
    const IcsNode event = newEvent(info, uid, style);

    if (eds) {
        IcsDocument single;
        single.top << event;
        sendToEds(target, {{DesktopSource::Change::Create, single.toByteArray(), {}}}, uid, done);
        return std::nullopt;
    }

    FilePtr file;
    QString path;
    IcsDocument document;
    FilePart part;
    if (target.directory) {
        path = QDir(target.path).filePath(uid + QLatin1String(".ics"));
        document = IcsDocument::newCalendar();
    } else {
        path = target.path;
        file = files.fileAt(path);
        if (file && !file->readable)
            return Result::failure(Status::Unreadable,
                                   QStringLiteral("%1 could not be read; it is left alone").arg(path));
        if (file) {
            const Result read = files.documentOf(*file, uid, &document, &part);
            if (!read.ok())
                return read;
        }
        if (document.top.isEmpty())
            document = IcsDocument::newCalendar();
        document.wrapInCalendar();
    }
    const int count = document.components().size();
    if (!info.getAllDay() && !ensureTimezone(document, style))
        return Result::failure(Status::WriteFailed,
                               QStringLiteral("no time zone definition for %1").arg(style.tzid));
    // A zone definition the file lacks goes among the calendar's own components: the whole file
    // is written.
    if (part.cut() && document.components().size() != count) {
        part = FilePart();
        const Result read = files.documentOf(*file, &document);
        if (!read.ok())
            return read;
        if (!ensureTimezone(document, style))
            return Result::failure(Status::WriteFailed,
                                   QStringLiteral("no time zone definition for %1").arg(style.tzid));
    }
    document.components() << event;
    Result result;
    if (part.cut()) {
        part.added = {componentText(document, event)};
        result = write(file, std::move(part));
    } else {
        result = write(file, path, document, 0, target.directory);
    }
    if (!result.ok())
        return result;
    if (const FilePtr written = files.fileAt(path))
        if (const OccurrenceIndex::Series *series = OccurrenceIndex::find(written->series, uid))
            result.id = series->id;
    if (result.id == 0)
        return Result::failure(
            Status::WriteFailed,
            QStringLiteral("the job was written to %1 but is not read back from it").arg(path));
    return result;
}

namespace {

// The occurrence an edit is about: the event it is (the master or its override), and its job as
// GetJobs delivered it, to tell what the edit changes.
struct Edited
{
    Event::Ptr master;
    Event::Ptr event;
    int recurId = 0;
    ScheduleDataInfo current;
    // The occurrence was taken out of its series for this edit: its times move it alone.
    bool detached = false;
};

// `events`: the master and its overrides, as the file's series holds them.
Edited editedOf(const Event::List &events, const Event::Ptr &master, const ScheduleDataInfo &info)
{
    Edited edited;
    edited.master = master;
    edited.event = master;
    edited.recurId = master->recurs() ? info.getRecurID() : 0;
    if (master->recurs()) {
        for (const Event::Ptr &exception : events) {
            if (exception != master && exception->hasRecurrenceId() &&
                recurrenceNumber(*master, exception->recurrenceId()) == edited.recurId)
                edited.event = exception;
        }
    }
    const QDateTime start = edited.event == master && master->recurs()
                                ? occurrenceStart(*master, edited.recurId)
                                : edited.event->dtStart();
    edited.current =
        Occurrences::jobOf(Occurrences::at(master, edited.event, start, int(info.getID()), edited.recurId));
    return edited;
}

// Where the series' component and the occurrence's are among the document's; -1 for none.
void locate(const IcsDocument &document, const Edited &edited, int *masterAt, int *targetAt)
{
    const QVector<IcsNode> &components = document.components();
    const Event &master = *edited.master;
    *masterAt = -1;
    *targetAt = -1;
    for (int i = 0; i < components.size(); ++i) {
        if (!isEvent(components.at(i), master.uid()))
            continue;
        const bool isException = components.at(i).find(QStringLiteral("RECURRENCE-ID")) != nullptr;
        if (!isException || !master.recurs()) {
            if (*masterAt < 0)
                *masterAt = i;
        } else if (edited.event != edited.master) {
            const Event::Ptr parsed = readComponent(document, components.at(i));
            if (parsed && recurrenceNumber(master, parsed->recurrenceId()) == edited.recurId)
                *targetAt = i;
        }
    }
    if (edited.event == edited.master)
        *targetAt = *masterAt;
}

// The occurrence as a component of its own (an override, with the series' RECURRENCE-ID for it),
// placed after the series: what it holds is the series' own until the edit changes it.
int detach(QVector<IcsNode> &components, int masterAt, Edited &edited)
{
    const IcsNode &series = components.at(masterAt);
    const Event &master = *edited.master;
    IcsNode occurrence = series;
    for (const char *name : {"RRULE", "RDATE", "EXRULE", "EXDATE"})
        occurrence.removeProperties(QLatin1String(name));
    TimeStyle style;
    style.kind = TimeStyle::Date;
    if (!master.allDay())
        style = TimeStyle::of(master.dtStart(), series.find(QStringLiteral("DTSTART")));
    const QString recurrenceId = QStringLiteral("RECURRENCE-ID");
    occurrence.setProperties(recurrenceId,
                             {timeProperty(recurrenceId, occurrenceStart(master, edited.recurId), style)});
    const ScheduleDataInfo &current = edited.current;
    const IcsNode *endLine = series.find(QStringLiteral("DTEND"));
    const TimeStyle endStyle = master.allDay() || !endLine ? style : TimeStyle::of(master.dtEnd(), endLine);
    setTimes(occurrence, current.getBeginDateTime(), current.getEndDateTime(), current.getAllDay(), style,
             endStyle, series.find(QStringLiteral("DURATION")) && !endLine);
    components.insert(masterAt + 1, occurrence);
    edited.detached = true;
    return masterAt + 1;
}

bool editTexts(IcsNode &node, const ScheduleDataInfo &info, const ScheduleDataInfo &current)
{
    bool touched = false;
    if (info.getTitleName() != current.getTitleName()) {
        node.setProperties(QStringLiteral("SUMMARY"),
                           {textProperty(QStringLiteral("SUMMARY"), info.getTitleName())});
        touched = true;
    }
    if (info.getDescription() != current.getDescription()) {
        QVector<IcsNode> lines;
        if (!info.getDescription().isEmpty())
            lines << textProperty(QStringLiteral("DESCRIPTION"), info.getDescription());
        node.setProperties(QStringLiteral("DESCRIPTION"), lines);
        touched = true;
    }
    return touched;
}

// `zoneNeeded`: the zone the new times are written in, whose definition the file must hold.
bool editTimes(IcsNode &node, const Edited &edited, const ScheduleDataInfo &info, TimeStyle *zoneNeeded)
{
    const ScheduleDataInfo &current = edited.current;
    const bool sameTimes =
        info.getAllDay() == current.getAllDay() &&
        (info.getAllDay() ? info.getBeginDateTime().date() == current.getBeginDateTime().date() &&
                                info.getEndDateTime().date() == current.getEndDateTime().date()
                          : info.getBeginDateTime() == current.getBeginDateTime() &&
                                info.getEndDateTime() == current.getEndDateTime());
    if (sameTimes)
        return false;
    const Event &master = *edited.master;
    const Event &target = *edited.event;
    QDateTime begin = info.getBeginDateTime();
    QDateTime end = info.getEndDateTime();
    if (edited.event == edited.master && master.recurs() && !edited.detached) {
        // Moving one occurrence of a series moves the series by as much.
        if (info.getAllDay()) {
            const qint64 days = current.getBeginDateTime().date().daysTo(master.dtStart().date());
            begin = begin.addDays(days);
            end = end.addDays(days);
        } else {
            const qint64 seconds = current.getBeginDateTime().secsTo(master.dtStart());
            begin = begin.addSecs(seconds);
            end = end.addSecs(seconds);
        }
    }
    const TimeStyle startStyle = target.allDay()
                                     ? TimeStyle::system()
                                     : TimeStyle::of(target.dtStart(), node.find(QStringLiteral("DTSTART")));
    const IcsNode *endLine = node.find(QStringLiteral("DTEND"));
    const TimeStyle endStyle =
        target.allDay() || !endLine ? startStyle : TimeStyle::of(target.dtEnd(), endLine);
    const bool useDuration = node.find(QStringLiteral("DURATION")) && !endLine;
    setTimes(node, begin, end, info.getAllDay(), startStyle, endStyle, useDuration);
    if (!info.getAllDay())
        *zoneNeeded = startStyle;
    return true;
}

bool editReminder(IcsNode &node, const ScheduleDataInfo &info, const ScheduleDataInfo &current)
{
    if (info.getScheudleRemind() == current.getScheudleRemind())
        return false;
    int first = -1;
    for (int i = 0; i < node.children.size() && first < 0; ++i) {
        if (isDisplayAlarm(node.children.at(i)))
            first = i;
    }
    if (info.getRemindData().getRemindNum() < 0) {
        node.children.erase(std::remove_if(node.children.begin(), node.children.end(), isDisplayAlarm),
                            node.children.end());
    } else if (first >= 0) {
        node.children[first].setProperties(
            QStringLiteral("TRIGGER"),
            {IcsNode::property(QStringLiteral("TRIGGER:") +
                               triggerText(info.getRemindData(), info.getAllDay()))});
    } else {
        node.children << displayAlarm(info.getRemindData(), info.getAllDay(), info.getTitleName());
    }
    return true;
}

// What belongs to the whole series: its rule, its exceptions and its job type.
bool editSeries(IcsNode &series, const Edited &edited, const ScheduleDataInfo &info)
{
    const ScheduleDataInfo &current = edited.current;
    bool touched = false;
    const bool allDayChanged = info.getAllDay() != current.getAllDay();
    const bool ruleChanged = info.getScheduleRRule() != current.getScheduleRRule();
    if (ruleChanged) {
        const QVector<IcsNode> lines = ruleLines(info.getRepetitionRule(), info.getAllDay());
        series.setProperties(QStringLiteral("RRULE"), lines);
        if (lines.isEmpty()) {
            series.removeProperties(QStringLiteral("RDATE"));
            series.removeProperties(QStringLiteral("EXRULE"));
            series.removeProperties(QStringLiteral("EXDATE"));
        }
        touched = true;
    }
    const bool recurs = ruleChanged ? info.getRepetitionRule().getRuleId() != RepetitionRule::NoRepeat
                                    : edited.master->recurs();
    if (recurs && (allDayChanged || instants(info.getIgnoreTime(), info.getAllDay()) !=
                                        instants(current.getIgnoreTime(), current.getAllDay()))) {
        series.setProperties(QStringLiteral("EXDATE"),
                             exceptionLines(info.getIgnoreTime(), info.getAllDay()));
        touched = true;
    }
    if (info.getType() != current.getType()) {
        QVector<IcsNode> lines;
        if (info.getType() != 1)
            lines << IcsNode::property(typeProperty() + QLatin1Char(':') + QString::number(info.getType()));
        series.setProperties(typeProperty(), lines);
        touched = true;
    }
    return touched;
}

// Where an edit found the series and the component it changed, and which of them it changed.
struct Touched
{
    int masterAt = -1;
    int targetAt = -1;
    bool master = false;
    bool target = false;
};

// An edit as the desktop's calendars take it: the series' own component for what belongs to the
// series, the occurrence's for it alone.
QVector<DesktopSource::Change> desktopChanges(const QVector<IcsNode> &components, const Touched &touched)
{
    const auto textOf = [](const IcsNode &component) {
        IcsDocument single;
        single.top << component;
        return single.toByteArray();
    };
    QVector<DesktopSource::Change> changes;
    if (touched.master || (touched.target && touched.targetAt == touched.masterAt))
        changes.push_back({DesktopSource::Change::ModifySeries, textOf(components.at(touched.masterAt)), {}});
    if (touched.target && touched.targetAt != touched.masterAt)
        changes.push_back(
            {DesktopSource::Change::ModifyOccurrence, textOf(components.at(touched.targetAt)), {}});
    return changes;
}

// Each component cut from the file goes back in its place, written anew where the edit changed it,
// an occurrence taken out of the series right after the series.
void putBack(FilePart &part, const IcsDocument &document, bool detached, const Touched &touched)
{
    const QVector<IcsNode> &components = document.components();
    for (int i = 0; i < part.replaced.size(); ++i) {
        int at = part.firstComponent + i;
        if (detached && at > touched.masterAt)
            ++at;
        if ((at == touched.masterAt && touched.master) || (at == touched.targetAt && touched.target))
            part.replaced[i] = {componentText(document, components.at(at))};
        if (detached && at == touched.masterAt)
            part.replaced[i] << componentText(document, components.at(touched.targetAt));
    }
}

} // namespace

CalendarStore::Private::Outcome CalendarStore::Private::update(const ScheduleDataInfo &info, Scope scope,
                                                               const Done &done)
{
    Result check = checkJob(info);
    if (!check.ok())
        return check;
    FilePtr file;
    Event::Ptr master;
    if (!findEvent(info.getID(), &file, &master))
        return Result::failure(Status::NotFound, QStringLiteral("no job with ID %1").arg(info.getID()));
    if (const Result refused = refuseReadOnly(*file, info.getID()); !refused.ok())
        return refused;
    const CalendarFiles::Source source = files.sourceOf(*file);
    const bool eds = CalendarSources::fromDesktop(source.kind);
    if (const auto turn =
            edsTurn(source, done, [this, info, scope, done] { return update(info, scope, done); }))
        return *turn;
    if (typeOf(*master) == todoType && file->calendar->todo(master->uid()))
        return Result::failure(
            Status::InvalidArgument,
            QStringLiteral("job %1 is a to-do, which is changed where it was made").arg(info.getID()));
    const OccurrenceIndex::Series *series = OccurrenceIndex::find(file->series, master->uid());
    const Edited found = editedOf(series ? series->events : Event::List{master}, master, info);

    // The event's components alone are edited where the file allows it, unless the edit needs a
    // time zone definition the file lacks: that goes among the calendar's own components.
    for (const bool whole : {false, true}) {
        Edited edited = found;
        IcsDocument document;
        FilePart part;
        const Result read = whole ? files.documentOf(*file, &document)
                                  : files.documentOf(*file, master->uid(), &document, &part);
        if (!read.ok())
            return read;
        int masterAt = -1;
        int targetAt = -1;
        locate(document, edited, &masterAt, &targetAt);
        if (masterAt < 0 || targetAt < 0)
            return Result::failure(
                Status::WriteFailed,
                QStringLiteral("the event %1 was not found in %2").arg(master->uid(), file->path));

        QVector<IcsNode> &components = document.components();
        if (scope == Scope::ThisOccurrence && master->recurs() && edited.event == master)
            targetAt = detach(components, masterAt, edited);
        IcsNode &target = components[targetAt];
        TimeStyle zoneNeeded;
        bool touchedTarget = editTexts(target, info, edited.current);
        touchedTarget |= editTimes(target, edited, info, &zoneNeeded);
        touchedTarget |= editReminder(target, info, edited.current);
        const bool touchedMaster = editSeries(components[masterAt], edited, info);
        if (!touchedMaster && !touchedTarget)
            return Result(); // not {}: an empty Outcome would mean that EDS answers later
        if (touchedTarget)
            stamp(components[targetAt]);
        if (touchedMaster)
            stamp(components[masterAt]);
        const int count = components.size();
        if (!ensureTimezone(document, zoneNeeded))
            return Result::failure(Status::WriteFailed,
                                   QStringLiteral("no time zone definition for %1").arg(zoneNeeded.tzid));
        if (part.cut() && components.size() != count)
            continue;
        const Touched touched{masterAt, targetAt, touchedMaster, touchedTarget};
        if (eds) {
            sendToEds(source, desktopChanges(components, touched), {}, done);
            return std::nullopt;
        }
        if (!part.cut())
            return write(file, file->path, document, file->source, file->inDirectory);
        putBack(part, document, edited.detached, touched);
        return write(file, std::move(part));
    }
    return Result::failure(
        Status::WriteFailed,
        QStringLiteral("the event %1 could not be edited in %2").arg(master->uid(), file->path));
}

CalendarStore::Private::Outcome CalendarStore::Private::remove(qint64 id, const Done &done)
{
    FilePtr file;
    Event::Ptr master;
    if (!findEvent(id, &file, &master))
        return Result::failure(Status::NotFound, QStringLiteral("no job with ID %1").arg(id));
    if (const Result refused = refuseReadOnly(*file, id); !refused.ok())
        return refused;
    const CalendarFiles::Source source = files.sourceOf(*file);
    const bool eds = CalendarSources::fromDesktop(source.kind);
    if (const auto turn = edsTurn(source, done, [this, id, done] { return remove(id, done); }))
        return *turn;
    if (typeOf(*master) == todoType && file->calendar->todo(master->uid()))
        return Result::failure(
            Status::InvalidArgument,
            QStringLiteral("job %1 is a to-do, which is changed where it was made").arg(id));
    if (eds) {
        sendToEds(source, {{DesktopSource::Change::RemoveSeries, {}, master->uid()}}, {}, done);
        return std::nullopt;
    }
    IcsDocument document;
    FilePart part;
    const QString uid = master->uid();
    const Result read = files.documentOf(*file, uid, &document, &part);
    if (!read.ok())
        return read;
    if (part.cut()) {
        if (part.incidences.isEmpty())
            return Result::failure(Status::WriteFailed,
                                   QStringLiteral("the event %1 was not found in %2").arg(uid, file->path));
        for (QVector<QByteArray> &replaced : part.replaced)
            replaced.clear();
        return write(file, std::move(part));
    }
    QVector<IcsNode> &components = document.components();
    components.erase(std::remove_if(components.begin(), components.end(),
                                    [&](const IcsNode &node) { return isEvent(node, uid); }),
                     components.end());
    if (file->inDirectory && !holdsIncidences(document)) {
        const Result removed = files.remove(file);
        if (removed.ok())
            changed();
        return removed;
    }
    return write(file, file->path, document, file->source, file->inDirectory);
}

void CalendarStore::createJob(const ScheduleDataInfo &info, const Done &done)
{
    if (const Private::Outcome now = d->create(info, done))
        done(*now);
}

void CalendarStore::updateJob(const ScheduleDataInfo &info, Scope scope, const Done &done)
{
    if (const Private::Outcome now = d->update(info, scope, done))
        done(*now);
}

void CalendarStore::deleteJob(qint64 id, const Done &done)
{
    if (const Private::Outcome now = d->remove(id, done))
        done(*now);
}

// Without a Done every outcome is one of now: an EDS calendar's edit is refused.
CalendarStore::Result CalendarStore::createJob(const ScheduleDataInfo &info)
{
    return *d->create(info, {});
}

CalendarStore::Result CalendarStore::updateJob(const ScheduleDataInfo &info, Scope scope)
{
    return *d->update(info, scope, {});
}

CalendarStore::Result CalendarStore::deleteJob(qint64 id)
{
    return *d->remove(id, {});
}

std::optional<CalendarStore::Private::Outcome>
CalendarStore::Private::edsTurn(const CalendarFiles::Source &source, const Done &done,
                                std::function<Outcome()> again)
{
    if (!CalendarSources::fromDesktop(source.kind))
        return std::nullopt;
    if (!done)
        return Outcome(Result::failure(
            Status::WriteFailed, QStringLiteral("the %1 calendar %2 answers later")
                                     .arg(CalendarSources::serviceName(source.kind), source.identity.name)));
    if (queuedForEds([again = std::move(again), done] {
            if (const Outcome now = again())
                done(*now);
        }))
        return std::optional<Outcome>(std::in_place); // answered when its turn comes
    return std::nullopt;
}

bool CalendarStore::Private::queuedForEds(std::function<void()> again)
{
    if (!edsEdit && (edsQueue.empty() || edsDraining))
        return false;
    edsQueue.push_back(std::move(again));
    return true;
}

void CalendarStore::Private::sendToEds(const CalendarFiles::Source &source,
                                       const QVector<DesktopSource::Change> &changes,
                                       const QString &createdUid, const Done &done)
{
    const FilePtr file = files.fileAt(source.path);
    EdsEdit edit;
    edit.done = done;
    edit.path = source.path;
    edit.name = source.identity.name;
    edit.service = CalendarSources::serviceName(source.kind);
    edit.digest = file ? file->digest : 0;
    edit.createdUid = createdUid;
    edsEdit = std::move(edit);
    DesktopSource *service = files.desktopOf(source.kind);
    if (!service) {
        finishEdsEdit(Result::failure(
            Status::WriteFailed,
            QStringLiteral("the %1 calendar %2 is no longer served").arg(edsEdit->service, edsEdit->name)));
        return;
    }
    service->write(source.desktopId, changes, [this](DesktopSource::Failure failure, const QString &message) {
        edsAnswered(failure, message);
    });
}

void CalendarStore::Private::edsAnswered(DesktopSource::Failure failure, const QString &message)
{
    if (!edsEdit)
        return;
    if (failure != DesktopSource::Failure::None) {
        const Status status = failure == DesktopSource::Failure::ReadOnly   ? Status::ReadOnly
                              : failure == DesktopSource::Failure::NotFound ? Status::NotFound
                                                                            : Status::WriteFailed;
        finishEdsEdit(Result::failure(status, QStringLiteral("the %1 calendar %2 did not take the change: %3")
                                                  .arg(edsEdit->service, edsEdit->name, message)));
        return;
    }
    edsEdit->taken = true;
    edsViewTimer.start();
    checkEdsEdit();
}

void CalendarStore::Private::checkEdsEdit()
{
    if (!edsEdit || !edsEdit->taken)
        return;
    const FilePtr file = files.fileAt(edsEdit->path);
    if (!file || file->digest == edsEdit->digest)
        return;
    Result result;
    if (!edsEdit->createdUid.isEmpty()) {
        const OccurrenceIndex::Series *series = OccurrenceIndex::find(file->series, edsEdit->createdUid);
        if (!series || series->id == 0)
            return; // another change of the calendar came first
        result.id = series->id;
    }
    finishEdsEdit(result);
}

void CalendarStore::Private::finishEdsEdit(const Result &result)
{
    const Done done = std::move(edsEdit->done);
    edsEdit.reset();
    edsViewTimer.stop();
    done(result);
    // Not from here: this may be inside the step of another edit.
    QTimer::singleShot(0, q, [this] { runEdsQueue(); });
}

void CalendarStore::Private::runEdsQueue()
{
    edsDraining = true;
    while (!edsEdit && !edsQueue.empty()) {
        const std::function<void()> again = std::move(edsQueue.front());
        edsQueue.pop_front();
        again();
    }
    edsDraining = false;
}
