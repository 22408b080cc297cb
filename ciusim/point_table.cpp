// The CIU's point table: see point_table.h.
#include "ciusim/point_table.h"

#include "ciusim/point_kind.h"
#include "ciusim/reply_codes.h"

#include <algorithm>

namespace ciusim {

void PointTable::clear() { m_slots.fill(PointEntry{}); }

// The slot emptied and established anew with the type.
PointEntry &PointTable::freshEntry(int index, int type)
{
    PointEntry &entry = at(index);
    entry = PointEntry{};
    entry.established = true;
    entry.type = type;
    return entry;
}

std::uint8_t PointTable::establish(int index, int type, const PlantAddress &address)
{
    if (!isPointIndex(index))
        return reply::kBadIndex;
    PointKind kind = kindOfType(type);
    if (!isValuePoint(kind) && !isStatusPoint(kind))
        return reply::kBadType;
    freshEntry(index, type).address = address;
    return reply::kAccepted;
}

std::uint8_t PointTable::connect(int first, int last)
{
    if (!isPointIndex(first) || !isPointIndex(last) || first > last)
        return reply::kBadIndex;
    for (int i = first; i <= last; ++i) {
        if (!at(i).established)
            return reply::kNotEstablished;
    }
    for (int i = first; i <= last; ++i)
        at(i).connected = true;
    return reply::kAccepted;
}

std::uint8_t PointTable::establishReport(int index, int type, const OutputReport &report)
{
    if (!isPointIndex(index))
        return reply::kBadIndex;
    PointKind kind = kindOfType(type);
    if (kind != PointKind::AnalogOutput && kind != PointKind::DigitalOutput)
        return reply::kBadType;
    PointEntry &entry = freshEntry(index, type);
    entry.connected = true;
    entry.report = report;
    return reply::kAccepted;
}

std::uint8_t PointTable::checkOutput(int index) const
{
    if (!isPointIndex(index))
        return reply::kBadIndex;
    const PointEntry &entry = at(index);
    if (!entry.established)
        return reply::kNotEstablished;
    PointKind kind = kindOfType(entry.type);
    if (kind != PointKind::AnalogOutput && kind != PointKind::DigitalOutput)
        return reply::kBadType;
    return reply::kAccepted;
}

int PointTable::establishedCount() const
{
    return static_cast<int>(
        std::count_if(m_slots.begin() + 1, m_slots.end(), [](const PointEntry &e) { return e.established; }));
}

int PointTable::connectedCount() const
{
    return static_cast<int>(
        std::count_if(m_slots.begin() + 1, m_slots.end(), [](const PointEntry &e) { return e.connected; }));
}

}  // namespace ciusim
