#include "calendaridentity.h"

#include <QJsonArray>
#include <QJsonDocument>

namespace {

// A value as QJsonDocument writes it, for keys added to a job it wrote.
QByteArray jsonValue(const QJsonValue &value)
{
    const QByteArray array = QJsonDocument(QJsonArray{value}).toJson(QJsonDocument::Compact);
    return array.mid(1, array.size() - 2);
}

} // namespace

bool CalendarIdentity::operator==(const CalendarIdentity &other) const
{
    return id == other.id && name == other.name && color == other.color && writable == other.writable &&
           kind == other.kind && location == other.location;
}

QByteArray CalendarIdentity::jobKeys() const
{
    if (isNull())
        return {};
    QByteArray keys = ",\"CalendarID\":" + jsonValue(id) + ",\"CalendarName\":" + jsonValue(name);
    if (!color.isEmpty())
        keys += ",\"CalendarColor\":" + jsonValue(color);
    keys += writable ? ",\"CalendarWritable\":true" : ",\"CalendarWritable\":false";
    return keys;
}

CalendarIdentity CalendarIdentity::fromJob(const QJsonObject &job)
{
    CalendarIdentity identity;
    const QJsonValue id = job.value(QLatin1String("CalendarID"));
    if (!id.isString())
        return identity;
    identity.id = id.toString();
    identity.name = job.value(QLatin1String("CalendarName")).toString();
    identity.color = job.value(QLatin1String("CalendarColor")).toString();
    identity.writable = job.value(QLatin1String("CalendarWritable")).toBool(true);
    return identity;
}

QJsonObject CalendarIdentity::toJson() const
{
    QJsonObject object;
    object.insert(QStringLiteral("ID"), id);
    object.insert(QStringLiteral("Name"), name);
    if (!color.isEmpty())
        object.insert(QStringLiteral("Color"), color);
    object.insert(QStringLiteral("Writable"), writable);
    object.insert(QStringLiteral("Kind"), kind);
    object.insert(QStringLiteral("Location"), location);
    return object;
}

CalendarIdentity CalendarIdentity::fromJson(const QJsonObject &object)
{
    CalendarIdentity identity;
    identity.id = object.value(QLatin1String("ID")).toString();
    identity.name = object.value(QLatin1String("Name")).toString();
    identity.color = object.value(QLatin1String("Color")).toString();
    identity.writable = object.value(QLatin1String("Writable")).toBool(true);
    identity.kind = object.value(QLatin1String("Kind")).toString();
    identity.location = object.value(QLatin1String("Location")).toString();
    return identity;
}

QString CalendarIdentity::listToJson(const QVector<CalendarIdentity> &calendars)
{
    QJsonArray array;
    for (const CalendarIdentity &calendar : calendars)
        array.append(calendar.toJson());
    return QString::fromUtf8(QJsonDocument(array).toJson(QJsonDocument::Compact));
}

bool CalendarIdentity::readList(const QString &text, QVector<CalendarIdentity> &out, QString &why)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(text.toUtf8(), &error);
    if (error.error != QJsonParseError::NoError) {
        why = QStringLiteral("not JSON: ") + error.errorString();
        return false;
    }
    if (!document.isArray()) {
        why = QStringLiteral("not an array of calendars");
        return false;
    }
    QVector<CalendarIdentity> calendars;
    const QJsonArray array = document.array();
    for (const QJsonValue &value : array) {
        if (!value.isObject() || !value.toObject().value(QLatin1String("ID")).isString()) {
            why = QStringLiteral("a calendar is not an object with an \"ID\"");
            return false;
        }
        calendars << fromJson(value.toObject());
    }
    out = calendars;
    return true;
}
