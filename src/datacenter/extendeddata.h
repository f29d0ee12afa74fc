#ifndef SCHEDULE_EXTENDEDDATA_H
#define SCHEDULE_EXTENDEDDATA_H

#include <QDataStream>
#include <QString>

class ScheduleDataInfo;

// The key of one schedule occurrence. A schedule whose title changes gets a new key.
struct DataID
{
    qint32 id = 0;
    qint32 recurID = 0;
    QString titleName;

    bool operator==(const DataID &other) const
    {
        return id == other.id && recurID == other.recurID && titleName == other.titleName;
    }
    bool operator!=(const DataID &other) const { return !(*this == other); }
};

uint qHash(const DataID &key, uint seed = 0);

// The key under which the widget keeps its state of one schedule occurrence.
DataID taskKey(const ScheduleDataInfo &info);

// The widget's own state of one task: ticked off, pinned, in countdown.
struct ExtendedData
{
    DataID dataId;
    bool checked = false;
    bool pinned = false;
    bool countdown = false;

    bool isDefault() const { return !checked && !pinned && !countdown; }
    bool operator==(const ExtendedData &other) const
    {
        return dataId == other.dataId && checked == other.checked && pinned == other.pinned &&
               countdown == other.countdown;
    }
};

QDataStream &operator<<(QDataStream &out, const DataID &id);
QDataStream &operator>>(QDataStream &in, DataID &id);
QDataStream &operator<<(QDataStream &out, const ExtendedData &data);
QDataStream &operator>>(QDataStream &in, ExtendedData &data);

#endif
