#include "extendeddata.h"

#include "scheduledatainfo.h"

#include <QHashFunctions>

uint qHash(const DataID &key, uint seed)
{
    // Unsigned arithmetic: the wrap-around is part of the key's hash, as the data file's readers expect.
    return static_cast<uint>(key.id) * 100u + static_cast<uint>(key.recurID) + qHash(key.titleName, seed);
}

DataID taskKey(const ScheduleDataInfo &info)
{
    return DataID{info.getID(), info.getRecurID(), info.getTitleName()};
}

QDataStream &operator<<(QDataStream &out, const DataID &id)
{
    return out << id.id << id.recurID << id.titleName;
}

QDataStream &operator>>(QDataStream &in, DataID &id)
{
    return in >> id.id >> id.recurID >> id.titleName;
}

QDataStream &operator<<(QDataStream &out, const ExtendedData &data)
{
    return out << data.dataId << data.checked << data.pinned << data.countdown;
}

QDataStream &operator>>(QDataStream &in, ExtendedData &data)
{
    return in >> data.dataId >> data.checked >> data.pinned >> data.countdown;
}
