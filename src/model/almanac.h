#ifndef SCHEDULE_ALMANAC_H
#define SCHEDULE_ALMANAC_H

#include <QDate>
#include <QList>
#include <QMetaType>
#include <QString>
#include <QVector>

class QDBusArgument;
class QDebug;
class QJsonObject;

// One day of a festival's holiday list.
struct _tagHolidayInfo
{
    QDate date;
    qint8 status = 0;
};

// One festival or holiday period of a month, as the data server's "GetFestivalMonth" reports it.
struct _tagFestivalInfo
{
    QString id;
    QString name;
    QString description;
    QString rest;
    int month = 0;
    int year = 0;
    QVector<_tagHolidayInfo> list;

    // Appends the festivals of a "GetFestivalMonth" reply to `festivals`, each carrying `year`.
    // False, and `festivals` unchanged, when the text is not JSON.
    static bool appendFromJson(const QString &text, int year, QVector<_tagFestivalInfo> &festivals);
    // The reply text a data server sends: an array of festival objects.
    static QString toJson(const QVector<_tagFestivalInfo> &festivals);
};

struct CaLunarDayInfo
{
    QString mGanZhiYear;
    QString mGanZhiMonth;
    QString mGanZhiDay;
    QString mLunarMonthName;
    QString mLunarDayName;
    int mLunarLeapMonth = 0;
    QString mZodiac;
    QString mTerm;
    QString mSolarFestival;
    QString mLunarFestival;
    int mWorktime = 0;

    static void registerMetaType();
};

struct CaLunarMonthInfo
{
    int mFirstDayWeek = 0;
    int mDays = 0;
    QList<CaLunarDayInfo> mCaLunarDayInfo;

    static void registerMetaType();
};

struct CaHuangLiDayInfo
{
    QString mGanZhiYear;
    QString mGanZhiMonth;
    QString mGanZhiDay;
    QString mLunarMonthName;
    QString mLunarDayName;
    int mLunarLeapMonth = 0;
    QString mZodiac;
    QString mTerm;
    QString mSolarFestival;
    QString mLunarFestival;
    int mWorktime = 0;
    QString mSuit;
    QString mAvoid;

    static void registerMetaType();
    QString toJson() const;
    QJsonObject toJsonObject() const;
    // Copies the members the object holds; missing members leave their fields as they were.
    void jsonObjectToInfo(const QJsonObject &object);
    void strJsonToInfo(const QString &text, bool &isVaild);
};

struct CaHuangLiMonthInfo
{
    int mFirstDayWeek = 0;
    int mDays = 0;
    QVector<CaHuangLiDayInfo> mCaLunarDayInfo;

    static void registerMetaType();
    QString toJson() const;
    // Appends the text's days to those already held.
    void strJsonToInfo(const QString &text, bool &isVaild);
    // Days 0 and no day records; FirstDayWeek stays.
    void clear();
};

QDBusArgument &operator<<(QDBusArgument &argument, const CaLunarDayInfo &info);
const QDBusArgument &operator>>(const QDBusArgument &argument, CaLunarDayInfo &info);
QDBusArgument &operator<<(QDBusArgument &argument, const CaLunarMonthInfo &info);
const QDBusArgument &operator>>(const QDBusArgument &argument, CaLunarMonthInfo &info);
QDBusArgument &operator<<(QDBusArgument &argument, const CaHuangLiDayInfo &info);
const QDBusArgument &operator>>(const QDBusArgument &argument, CaHuangLiDayInfo &info);
QDBusArgument &operator<<(QDBusArgument &argument, const CaHuangLiMonthInfo &info);
const QDBusArgument &operator>>(const QDBusArgument &argument, CaHuangLiMonthInfo &info);

QDebug operator<<(QDebug debug, const CaLunarDayInfo &info);
QDebug operator<<(QDebug debug, const CaLunarMonthInfo &info);
QDebug operator<<(QDebug debug, const CaHuangLiDayInfo &info);
QDebug operator<<(QDebug debug, const CaHuangLiMonthInfo &info);

Q_DECLARE_METATYPE(CaLunarDayInfo)
Q_DECLARE_METATYPE(CaLunarMonthInfo)
Q_DECLARE_METATYPE(CaHuangLiDayInfo)
Q_DECLARE_METATYPE(CaHuangLiMonthInfo)

#endif
