#include "almanac.h"

#include <QDBusArgument>
#include <QDBusMetaType>
#include <QDebug>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

const QString holidayDateFormat = QStringLiteral("yyyy-M-d");

// The replies are UTF-8 JSON; going through the local 8-bit encoding would mangle the
// non-Latin festival and almanac names on a machine with a Latin-1 locale.
QJsonDocument parseJson(const QString &text, bool &ok)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(text.toUtf8(), &error);
    ok = error.error == QJsonParseError::NoError;
    return document;
}

template<typename List> void writeDayList(QDBusArgument &argument, const List &days)
{
    argument.beginArray(qMetaTypeId<typename List::value_type>());
    for (const auto &day : days)
        argument << day;
    argument.endArray();
}

template<typename List> void readDayList(const QDBusArgument &argument, List &days)
{
    days.clear();
    argument.beginArray();
    while (!argument.atEnd()) {
        typename List::value_type day;
        argument >> day;
        days.append(day);
    }
    argument.endArray();
}

// Blanks between the fields only: inside a container a trailing blank would land before the ", ".
template<typename First, typename... Rest>
void printFields(QDebug &debug, const First &first, const Rest &...rest)
{
    debug << first;
    ((debug << ' ' << rest), ...);
}

// A month's days in the form Qt 5 gives its containers, whichever Qt prints them: Qt 6 calls
// every list a "QList(".
template<typename Days> void printDays(QDebug &debug, const char *name, const Days &days)
{
    debug << ' ' << name << '(';
    for (int i = 0; i < int(days.size()); ++i) {
        if (i > 0)
            debug << ", ";
        debug << days.at(i);
    }
    debug << ')';
}

} // namespace

bool _tagFestivalInfo::appendFromJson(const QString &text, int year, QVector<_tagFestivalInfo> &festivals)
{
    bool ok = false;
    const QJsonDocument document = parseJson(text, ok);
    if (!ok)
        return false;
    const QJsonArray array = document.array();
    for (const QJsonValue &element : array) {
        const QJsonObject object = element.toObject();
        _tagFestivalInfo festival;
        if (object.contains(QLatin1String("id")))
            festival.id = object.value(QLatin1String("id")).toString();
        if (object.contains(QLatin1String("name")))
            festival.name = object.value(QLatin1String("name")).toString();
        if (object.contains(QLatin1String("description")))
            festival.description = object.value(QLatin1String("description")).toString();
        if (object.contains(QLatin1String("rest")))
            festival.rest = object.value(QLatin1String("rest")).toString();
        if (object.contains(QLatin1String("month")))
            festival.month = object.value(QLatin1String("month")).toInt();
        if (object.contains(QLatin1String("list"))) {
            const QJsonArray list = object.value(QLatin1String("list")).toArray();
            for (const QJsonValue &entry : list) {
                const QJsonObject day = entry.toObject();
                _tagHolidayInfo holiday;
                if (day.contains(QLatin1String("status")))
                    holiday.status = static_cast<qint8>(day.value(QLatin1String("status")).toInt() & 0xff);
                if (day.contains(QLatin1String("date")))
                    holiday.date =
                        QDate::fromString(day.value(QLatin1String("date")).toString(), holidayDateFormat);
                festival.list.append(holiday);
            }
        }
        festival.year = year;
        festivals.append(festival);
    }
    return true;
}

QString _tagFestivalInfo::toJson(const QVector<_tagFestivalInfo> &festivals)
{
    QJsonArray array;
    for (const _tagFestivalInfo &festival : festivals) {
        QJsonArray list;
        for (const _tagHolidayInfo &holiday : festival.list) {
            list.append(QJsonObject{{QStringLiteral("date"), holiday.date.toString(holidayDateFormat)},
                                    {QStringLiteral("status"), int(holiday.status)}});
        }
        array.append(QJsonObject{{QStringLiteral("id"), festival.id},
                                 {QStringLiteral("name"), festival.name},
                                 {QStringLiteral("description"), festival.description},
                                 {QStringLiteral("rest"), festival.rest},
                                 {QStringLiteral("month"), festival.month},
                                 {QStringLiteral("list"), list}});
    }
    return QString::fromUtf8(QJsonDocument(array).toJson(QJsonDocument::Compact));
}

void CaLunarDayInfo::registerMetaType()
{
    qRegisterMetaType<CaLunarDayInfo>("CaLunarDayInfo");
    qDBusRegisterMetaType<CaLunarDayInfo>();
}

void CaLunarMonthInfo::registerMetaType()
{
    // A month travels as an array of days, which D-Bus can only write once the day type is known.
    CaLunarDayInfo::registerMetaType();
    qRegisterMetaType<CaLunarMonthInfo>("CaLunarMonthInfo");
    qDBusRegisterMetaType<CaLunarMonthInfo>();
}

void CaHuangLiDayInfo::registerMetaType()
{
    qRegisterMetaType<CaHuangLiDayInfo>("CaHuangLiDayInfo");
    qDBusRegisterMetaType<CaHuangLiDayInfo>();
}

void CaHuangLiMonthInfo::registerMetaType()
{
    CaHuangLiDayInfo::registerMetaType();
    qRegisterMetaType<CaHuangLiMonthInfo>("CaHuangLiMonthInfo");
    qDBusRegisterMetaType<CaHuangLiMonthInfo>();
}

QString CaHuangLiDayInfo::toJson() const
{
    return QString::fromUtf8(QJsonDocument(toJsonObject()).toJson(QJsonDocument::Compact));
}

QJsonObject CaHuangLiDayInfo::toJsonObject() const
{
    return QJsonObject{
        {QStringLiteral("Suit"), mSuit},
        {QStringLiteral("Avoid"), mAvoid},
        {QStringLiteral("Worktime"), mWorktime},
        {QStringLiteral("LunarFestival"), mLunarFestival},
        {QStringLiteral("SolarFestival"), mSolarFestival},
        {QStringLiteral("Term"), mTerm},
        {QStringLiteral("Zodiac"), mZodiac},
        {QStringLiteral("LunarLeapMonth"), mLunarLeapMonth},
        {QStringLiteral("LunarDayName"), mLunarDayName},
        {QStringLiteral("LunarMonthName"), mLunarMonthName},
        {QStringLiteral("GanZhiDay"), mGanZhiDay},
        {QStringLiteral("GanZhiMonth"), mGanZhiMonth},
        {QStringLiteral("GanZhiYear"), mGanZhiYear},
    };
}

void CaHuangLiDayInfo::jsonObjectToInfo(const QJsonObject &object)
{
    const auto readString = [&object](QLatin1String key, QString &field) {
        if (object.contains(key))
            field = object.value(key).toString();
    };
    const auto readInt = [&object](QLatin1String key, int &field) {
        if (object.contains(key))
            field = object.value(key).toInt();
    };
    readString(QLatin1String("Suit"), mSuit);
    readString(QLatin1String("Avoid"), mAvoid);
    readInt(QLatin1String("Worktime"), mWorktime);
    readString(QLatin1String("LunarFestival"), mLunarFestival);
    readString(QLatin1String("SolarFestival"), mSolarFestival);
    readString(QLatin1String("Term"), mTerm);
    readString(QLatin1String("Zodiac"), mZodiac);
    readInt(QLatin1String("LunarLeapMonth"), mLunarLeapMonth);
    readString(QLatin1String("LunarDayName"), mLunarDayName);
    readString(QLatin1String("LunarMonthName"), mLunarMonthName);
    readString(QLatin1String("GanZhiDay"), mGanZhiDay);
    readString(QLatin1String("GanZhiMonth"), mGanZhiMonth);
    readString(QLatin1String("GanZhiYear"), mGanZhiYear);
}

void CaHuangLiDayInfo::strJsonToInfo(const QString &text, bool &isVaild)
{
    const QJsonDocument document = parseJson(text, isVaild);
    if (isVaild)
        jsonObjectToInfo(document.object());
}

QString CaHuangLiMonthInfo::toJson() const
{
    QJsonArray days;
    for (const CaHuangLiDayInfo &day : mCaLunarDayInfo)
        days.append(day.toJsonObject());
    const QJsonObject object{{QStringLiteral("Days"), mDays},
                             {QStringLiteral("FirstDayWeek"), mFirstDayWeek},
                             {QStringLiteral("Datas"), days}};
    return QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Compact));
}

void CaHuangLiMonthInfo::strJsonToInfo(const QString &text, bool &isVaild)
{
    const QJsonDocument document = parseJson(text, isVaild);
    if (!isVaild)
        return;
    const QJsonObject object = document.object();
    if (object.contains(QLatin1String("Days")))
        mDays = object.value(QLatin1String("Days")).toInt();
    if (object.contains(QLatin1String("FirstDayWeek")))
        mFirstDayWeek = object.value(QLatin1String("FirstDayWeek")).toInt();
    if (object.contains(QLatin1String("Datas"))) {
        const QJsonArray days = object.value(QLatin1String("Datas")).toArray();
        for (const QJsonValue &value : days) {
            CaHuangLiDayInfo day;
            day.jsonObjectToInfo(value.toObject());
            mCaLunarDayInfo.append(day);
        }
    }
}

void CaHuangLiMonthInfo::clear()
{
    mDays = 0;
    mCaLunarDayInfo.clear();
}

QDBusArgument &operator<<(QDBusArgument &argument, const CaLunarDayInfo &info)
{
    argument.beginStructure();
    argument << info.mGanZhiYear << info.mGanZhiMonth << info.mGanZhiDay << info.mLunarMonthName
             << info.mLunarDayName << info.mLunarLeapMonth << info.mZodiac << info.mTerm
             << info.mSolarFestival << info.mLunarFestival << info.mWorktime;
    argument.endStructure();
    return argument;
}

const QDBusArgument &operator>>(const QDBusArgument &argument, CaLunarDayInfo &info)
{
    argument.beginStructure();
    argument >> info.mGanZhiYear >> info.mGanZhiMonth >> info.mGanZhiDay >> info.mLunarMonthName >>
        info.mLunarDayName >> info.mLunarLeapMonth >> info.mZodiac >> info.mTerm >> info.mSolarFestival >>
        info.mLunarFestival >> info.mWorktime;
    argument.endStructure();
    return argument;
}

QDBusArgument &operator<<(QDBusArgument &argument, const CaLunarMonthInfo &info)
{
    argument.beginStructure();
    argument << info.mFirstDayWeek << info.mDays;
    writeDayList(argument, info.mCaLunarDayInfo);
    argument.endStructure();
    return argument;
}

const QDBusArgument &operator>>(const QDBusArgument &argument, CaLunarMonthInfo &info)
{
    argument.beginStructure();
    argument >> info.mFirstDayWeek >> info.mDays;
    readDayList(argument, info.mCaLunarDayInfo);
    argument.endStructure();
    return argument;
}

QDBusArgument &operator<<(QDBusArgument &argument, const CaHuangLiDayInfo &info)
{
    argument.beginStructure();
    argument << info.mSuit << info.mAvoid << info.mWorktime << info.mLunarFestival << info.mSolarFestival
             << info.mTerm << info.mZodiac << info.mLunarLeapMonth << info.mLunarDayName
             << info.mLunarMonthName << info.mGanZhiDay << info.mGanZhiMonth << info.mGanZhiYear;
    argument.endStructure();
    return argument;
}

const QDBusArgument &operator>>(const QDBusArgument &argument, CaHuangLiDayInfo &info)
{
    argument.beginStructure();
    argument >> info.mSuit >> info.mAvoid >> info.mWorktime >> info.mLunarFestival >> info.mSolarFestival >>
        info.mTerm >> info.mZodiac >> info.mLunarLeapMonth >> info.mLunarDayName >> info.mLunarMonthName >>
        info.mGanZhiDay >> info.mGanZhiMonth >> info.mGanZhiYear;
    argument.endStructure();
    return argument;
}

QDBusArgument &operator<<(QDBusArgument &argument, const CaHuangLiMonthInfo &info)
{
    argument.beginStructure();
    argument << info.mDays << info.mFirstDayWeek;
    writeDayList(argument, info.mCaLunarDayInfo);
    argument.endStructure();
    return argument;
}

const QDBusArgument &operator>>(const QDBusArgument &argument, CaHuangLiMonthInfo &info)
{
    argument.beginStructure();
    argument >> info.mDays >> info.mFirstDayWeek;
    readDayList(argument, info.mCaLunarDayInfo);
    argument.endStructure();
    return argument;
}

QDebug operator<<(QDebug debug, const CaLunarDayInfo &info)
{
    QDebugStateSaver saver(debug);
    printFields(debug.nospace(), info.mGanZhiYear, info.mGanZhiMonth, info.mGanZhiDay, info.mLunarMonthName,
                info.mLunarDayName, info.mLunarLeapMonth, info.mZodiac, info.mTerm, info.mSolarFestival,
                info.mLunarFestival, info.mWorktime);
    return debug;
}

QDebug operator<<(QDebug debug, const CaLunarMonthInfo &info)
{
    QDebugStateSaver saver(debug);
    printFields(debug.nospace(), info.mFirstDayWeek, info.mDays);
    printDays(debug, "", info.mCaLunarDayInfo);
    return debug;
}

QDebug operator<<(QDebug debug, const CaHuangLiDayInfo &info)
{
    QDebugStateSaver saver(debug);
    printFields(debug.nospace(), info.mSuit, info.mAvoid, info.mWorktime, info.mLunarFestival,
                info.mSolarFestival, info.mTerm, info.mZodiac, info.mLunarLeapMonth, info.mLunarDayName,
                info.mLunarMonthName, info.mGanZhiDay, info.mGanZhiMonth, info.mGanZhiYear);
    return debug;
}

QDebug operator<<(QDebug debug, const CaHuangLiMonthInfo &info)
{
    QDebugStateSaver saver(debug);
    printFields(debug.nospace(), info.mDays, info.mFirstDayWeek);
    printDays(debug, "QVector", info.mCaLunarDayInfo);
    return debug;
}
