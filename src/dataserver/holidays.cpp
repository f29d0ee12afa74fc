#include "holidays.h"

#include "almanac.h"

#include <KHolidays/HolidayRegion>

#include <QStringList>

using KHolidays::Holiday;
using KHolidays::HolidayRegion;

namespace {

// Day status in a festival's list: 1 a day off, 2 a day that is marked but worked.
constexpr qint8 dayOff = 1;
constexpr qint8 workday = 2;

const QString publicCategory = QStringLiteral("public");

} // namespace

Holidays::Holidays(const QString &regionCode)
    : m_code(regionCode)
{
}

const HolidayRegion *Holidays::region() const
{
    if (!m_looked) {
        m_looked = true;
        const QString code = m_code.isEmpty() ? HolidayRegion::defaultRegionCode() : m_code;
        if (!code.isEmpty() && code != QLatin1String("none") && HolidayRegion::isValid(code))
            m_region = std::make_unique<HolidayRegion>(code);
    }
    return m_region.get();
}

Holidays::~Holidays() = default;

QString Holidays::regionCode() const
{
    const HolidayRegion *region = this->region();
    return region ? region->regionCode() : QString();
}

QString Holidays::festivalMonthJson(int year, int month) const
{
    QVector<_tagFestivalInfo> festivals;
    const QDate first(year, month, 1);
    const HolidayRegion *region = this->region();
    if (region && first.isValid()) {
        const QDate last(year, month, first.daysInMonth());
        const Holiday::List holidays = region->rawHolidays(first, last, publicCategory);
        for (const Holiday &holiday : holidays) {
            _tagFestivalInfo festival;
            festival.id =
                holiday.observedStartDate().toString(Qt::ISODate) + QLatin1Char(' ') + holiday.name();
            festival.name = holiday.name();
            festival.description = holiday.description();
            festival.month = month;
            festival.year = year;
            const QDate end = qMin(last, holiday.observedEndDate());
            for (QDate day = qMax(first, holiday.observedStartDate()); day <= end; day = day.addDays(1))
                festival.list.append({day, holiday.dayType() == Holiday::NonWorkday ? dayOff : workday});
            festivals.append(festival);
        }
    }
    return _tagFestivalInfo::toJson(festivals);
}

QString Holidays::namesOn(const QDate &day) const
{
    QStringList names;
    if (const HolidayRegion *region = this->region()) {
        const Holiday::List holidays = region->rawHolidays(day, day, publicCategory);
        for (const Holiday &holiday : holidays)
            names << holiday.name();
    }
    return names.join(QLatin1Char(','));
}

QString Holidays::dayJson(const QDate &day) const
{
    CaHuangLiDayInfo info;
    if (day.isValid())
        info.mSolarFestival = namesOn(day);
    return info.toJson();
}

QString Holidays::monthJson(int year, int month, bool withDays) const
{
    CaHuangLiMonthInfo info;
    const QDate first(year, month, 1);
    if (first.isValid()) {
        info.mFirstDayWeek = first.dayOfWeek();
        info.mDays = first.daysInMonth();
        if (withDays) {
            for (int d = 0; d < info.mDays; ++d) {
                CaHuangLiDayInfo day;
                day.mSolarFestival = namesOn(first.addDays(d));
                info.mCaLunarDayInfo.append(day);
            }
        }
    }
    return info.toJson();
}
