#include "scheduledatainfo.h"

#include "jsontext.h"
#include "modellog.h"

#include <QDebug>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>

#include <cmath>
#include <cstdlib>
#include <limits>

namespace {

const QString dateTimeFormat = QStringLiteral("yyyy-MM-ddThh:mm:ss");
const QString dayFormat = QStringLiteral("yyyy-MM-dd");

[[nodiscard]] int jsonInt(const QJsonValue &value)
{
    if (!value.isDouble())
        return 0;
    const double number = value.toDouble();
    if (std::trunc(number) != number || number < std::numeric_limits<int>::min() ||
        number > std::numeric_limits<int>::max())
        return 0;
    return static_cast<int>(number);
}

// JSON is UTF-8 whatever the locale says; a local 8-bit encoding would turn non-Latin titles into
// question marks under a C locale.
[[nodiscard]] QJsonDocument parseJson(const QString &text, QJsonParseError *error)
{
    return QJsonDocument::fromJson(text.toUtf8(), error);
}

// `value`'s last `count` decimal digits at `out`, `value` not negative.
void putDigits(char *out, int count, int value)
{
    for (int i = count - 1; i >= 0; --i, value /= 10)
        out[i] = char('0' + value % 10);
}

} // namespace

QString ScheduleDataInfo::DateTimeToStringDate(const QDateTime &dateTime)
{
    const int offset = dateTime.offsetFromUtc();
    const int absOffset = std::abs(offset);
    const QDate date = dateTime.date();
    if (dateTime.isValid() && date.year() >= 0 && date.year() <= 9999) {
        // Written for every job of every answer: QLocale's pattern formatting, which parses its
        // pattern anew each time, cost a fifth of a large answer, and snprintf() still a twentieth.
        const QTime time = dateTime.time();
        char text[] = "0000-00-00T00:00:00+00:00";
        putDigits(text, 4, date.year());
        putDigits(text + 5, 2, date.month());
        putDigits(text + 8, 2, date.day());
        putDigits(text + 11, 2, time.hour());
        putDigits(text + 14, 2, time.minute());
        putDigits(text + 17, 2, time.second());
        text[19] = offset < 0 ? '-' : '+';
        putDigits(text + 20, 2, absOffset / 3600);
        putDigits(text + 23, 2, absOffset % 3600 / 60);
        return QString::fromLatin1(text, int(sizeof text) - 1);
    }
    return QLocale::c().toString(dateTime, dateTimeFormat) +
           (offset < 0 ? QLatin1Char('-') : QLatin1Char('+')) +
           QStringLiteral("%1:%2")
               .arg(absOffset / 3600, 2, 10, QLatin1Char('0'))
               .arg(absOffset % 3600 / 60, 2, 10, QLatin1Char('0'));
}

QDateTime ScheduleDataInfo::StringDateToDateTime(const QString &text)
{
    return QDateTime::fromString(text, Qt::ISODate);
}

QByteArray ScheduleDataInfo::ScheduleToJsonText(const ScheduleDataInfo &info, const QByteArray &keys)
{
    QByteArray ignore = "[";
    for (const QDateTime &dateTime : info.ignoreTime) {
        if (ignore.size() > 1)
            ignore += ',';
        ignore += JsonText::string(DateTimeToStringDate(dateTime));
    }
    ignore += ']';

    JsonText::Object object;
    object.add(QLatin1String("ID"), info.id);
    object.add(QLatin1String("AllDay"), info.allDay);
    object.add(QLatin1String("Remind"), info.getScheudleRemind());
    object.add(QLatin1String("RRule"), info.getScheduleRRule());
    object.add(QLatin1String("Title"), info.titleName);
    object.add(QLatin1String("Description"), info.description);
    object.add(QLatin1String("Type"), info.type);
    object.add(QLatin1String("Start"), DateTimeToStringDate(info.beginDateTime));
    object.add(QLatin1String("End"), DateTimeToStringDate(info.endDateTime));
    object.add(QLatin1String("RecurID"), info.recurID);
    object.add(QLatin1String("Ignore"), ignore);
    if (info.completed)
        object.add(QLatin1String("Completed"), true);
    if (info.noDate)
        object.add(QLatin1String("NoDate"), true);
    if (info.details)
        info.details->writeTo(object);
    if (!keys.isEmpty() && !object.addKeys(keys))
        qCWarning(lcModel) << "keys that are no JSON members left out of a job:" << keys;
    return object.text();
}

QJsonObject ScheduleDataInfo::ScheduleToJson(const ScheduleDataInfo &info)
{
    // The keys are listed once, in the text: the object is what QJsonDocument reads of it.
    return QJsonDocument::fromJson(ScheduleToJsonText(info)).object();
}

QString ScheduleDataInfo::ScheduleToJsonStr(const ScheduleDataInfo &info)
{
    QByteArray text = ScheduleToJsonText(info);
    // After the job's own keys, which a QJsonObject would sort them in among.
    const QByteArray calendar = info.calendar.jobKeys();
    if (!calendar.isEmpty())
        text.insert(text.size() - 1, calendar);
    return QString::fromUtf8(text);
}

ScheduleDataInfo ScheduleDataInfo::JsonToSchedule(const QJsonObject &object)
{
    ScheduleDataInfo info;
    auto has = [&object](const char *key) { return object.contains(QLatin1String(key)); };
    auto value = [&object](const char *key) { return object.value(QLatin1String(key)); };
    // An empty rather than a null text, like a default record.
    const QString empty = QLatin1String("");

    if (has("ID"))
        info.id = jsonInt(value("ID"));
    if (has("AllDay"))
        info.allDay = value("AllDay").toBool();
    if (has("Remind"))
        info.setScheudleRemind(value("Remind").toString());
    if (has("Title"))
        info.titleName = value("Title").toString(empty);
    if (has("Description"))
        info.description = value("Description").toString(empty);
    if (has("Type"))
        info.type = jsonInt(value("Type"));
    if (has("Start"))
        info.beginDateTime = StringDateToDateTime(value("Start").toString());
    if (has("End"))
        info.endDateTime = StringDateToDateTime(value("End").toString());
    if (has("RecurID"))
        info.recurID = jsonInt(value("RecurID"));
    if (has("RRule"))
        info.setScheduleRRule(value("RRule").toString());
    if (has("Ignore")) {
        const QJsonArray ignore = value("Ignore").toArray();
        for (const QJsonValue &entry : ignore)
            info.ignoreTime.append(StringDateToDateTime(entry.toString()));
    }
    info.completed = value("Completed").toBool();
    info.noDate = value("NoDate").toBool();
    info.calendar = CalendarIdentity::fromJob(object);
    info.setDetails(EventDetails::fromJob(object));
    return info;
}

ScheduleDataInfo ScheduleDataInfo::JsonStrToSchedule(const QString &text)
{
    QJsonParseError error;
    const QJsonDocument document = parseJson(text, &error);
    if (error.error != QJsonParseError::NoError)
        qCWarning(lcModel).noquote() << error.errorString();
    return JsonToSchedule(document.object());
}

QMap<QDate, QVector<ScheduleDataInfo>>
ScheduleDataInfo::JsonArrayDataToScheduleMapData(const QJsonArray &array)
{
    QMap<QDate, QVector<ScheduleDataInfo>> range;
    QVector<ScheduleDataInfo> jobs;
    QDate date; // a day object without "Date" continues the previous one's day
    for (const QJsonValue &element : array) {
        const QJsonObject day = element.toObject();
        jobs.clear();
        if (day.contains(QLatin1String("Date")))
            date = QLocale::c().toDate(day.value(QLatin1String("Date")).toString(), dayFormat);
        if (day.contains(QLatin1String("Jobs"))) {
            const QJsonArray dayJobs = day.value(QLatin1String("Jobs")).toArray();
            jobs.reserve(dayJobs.size());
            for (const QJsonValue &job : dayJobs)
                jobs.append(JsonToSchedule(job.toObject()));
        }
        range.insert(date, jobs);
    }
    return range;
}

QMap<QDate, QVector<ScheduleDataInfo>> ScheduleDataInfo::StrJsonToRangeInfo(const QString &text)
{
    QJsonParseError error;
    const QJsonDocument document = parseJson(text, &error);
    if (error.error != QJsonParseError::NoError) {
        qCWarning(lcModel).noquote() << error.errorString();
        return {};
    }
    return JsonArrayDataToScheduleMapData(document.array());
}

bool ScheduleDataInfo::readRangeInfo(const QString &text, QMap<QDate, QVector<ScheduleDataInfo>> &out,
                                     QString &why)
{
    QJsonParseError error;
    const QJsonDocument document = parseJson(text, &error);
    if (error.error != QJsonParseError::NoError) {
        why = QStringLiteral("not JSON: ") + error.errorString();
        return false;
    }
    if (!document.isArray()) {
        why = QStringLiteral("not an array of days");
        return false;
    }
    const QJsonArray days = document.array();
    for (const QJsonValue &day : days) {
        const QJsonObject object = day.toObject();
        if (!day.isObject() || !object.value(QLatin1String("Date")).isString() ||
            !object.value(QLatin1String("Jobs")).isArray()) {
            why = QStringLiteral("a day is not an object with \"Date\" and \"Jobs\"");
            return false;
        }
        if (!QLocale::c().toDate(object.value(QLatin1String("Date")).toString(), dayFormat).isValid()) {
            why = QStringLiteral("a day has no valid \"Date\"");
            return false;
        }
    }
    out = JsonArrayDataToScheduleMapData(days);
    return true;
}

QString ScheduleDataInfo::RangeInfoToStrJson(const QMap<QDate, QVector<ScheduleDataInfo>> &range)
{
    QJsonArray days;
    for (auto it = range.cbegin(); it != range.cend(); ++it) {
        QJsonArray jobs;
        for (const ScheduleDataInfo &info : it.value())
            jobs.append(ScheduleToJson(info));
        QJsonObject day;
        day.insert(QStringLiteral("Date"), QLocale::c().toString(it.key(), dayFormat));
        day.insert(QStringLiteral("Jobs"), jobs);
        days.append(day);
    }
    return QString::fromUtf8(QJsonDocument(days).toJson(QJsonDocument::Compact));
}
