#ifndef DATASERVER_HOLIDAYS_H
#define DATASERVER_HOLIDAYS_H

#include <QDate>
#include <QString>

#include <memory>

namespace KHolidays {
class HolidayRegion;
}

// Public holidays of one region, in the festival and almanac forms of the widget's data model.
class Holidays
{
public:
    // An empty code takes the region of the locale; "none" (or an unknown code) gives no holidays.
    explicit Holidays(const QString &regionCode = QString());
    ~Holidays();

    QString regionCode() const;
    QString festivalMonthJson(int year, int month) const;
    QString dayJson(const QDate &day) const;
    QString monthJson(int year, int month, bool withDays) const;

private:
    QString namesOn(const QDate &day) const;
    // The region, looked up when first asked for: finding the locale's region reads every holiday
    // file, which kept the server from its bus name, and from the desktop's calendars, for 10-20 ms.
    const KHolidays::HolidayRegion *region() const;

    QString m_code;
    mutable bool m_looked = false;
    mutable std::unique_ptr<KHolidays::HolidayRegion> m_region;
};

#endif
