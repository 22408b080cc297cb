// Read replies of the point table: see point_reports.h.
#include "ciusim/point_reports.h"

#include "ciusim/byte_order.h"
#include "ciusim/point_kind.h"
#include "ciusim/reply_codes.h"
#include "driver/number_format.h"

#include <cmath>

namespace ciusim {

namespace {

constexpr std::size_t kMaxRecords = 255;
constexpr PointSample kNoPoint{0x80, 0, {}};  // a slot that holds nothing to report: bad

bool reportsValues(const PointEntry &entry) { return entry.connected && isValuePoint(kindOfType(entry.type)); }

bool reportsStatus(int index, const PointEntry &entry)
{
    return index == 0 || (entry.connected && isStatusPoint(kindOfType(entry.type)));
}

void appendValueRecord(std::vector<std::uint8_t> &reply, const PointSample &sample)
{
    reply.push_back(sample.status);
    reply.insert(reply.end(), sample.real.begin(), sample.real.end());
}

void appendStatusRecord(std::vector<std::uint8_t> &reply, const PointSample &sample)
{
    reply.push_back(sample.status);
    reply.push_back(sample.valueByte);
    reply.insert(reply.end(), 3, 0);
}

PointSample valueSample(const Reading &reading, bool digital)
{
    PointSample s;
    s.status = static_cast<std::uint8_t>((reading.bad ? 0x80 : 0) | (digital && reading.value != 0.0 ? 1 : 0));
    s.valueByte = digital && reading.value != 0.0 ? 1 : 0;
    vantor::encodeReal3(reading.value, s.real.data());
    return s;
}

PointSample statusSample(const StatusBytes &bytes) { return PointSample{bytes.status, bytes.value, {}}; }

// Types 1, 2 and 3 are an M/A station's process value, set point and output.
Reading analogReading(const PointEntry &entry, const Plant &plant, double now)
{
    switch (entry.type) {
    case 1: return plant.station(entry.address, now, StationFace::ProcessValue);
    case 2: return plant.station(entry.address, now, StationFace::SetPoint);
    case 3: return plant.station(entry.address, now, StationFace::Output);
    default: return plant.analog(entry.address, now);
    }
}

}  // namespace

PointSample PointReports::sample(int index, const PointEntry &entry, const Plant &plant, double now)
{
    if (index == 0)
        return statusSample(plant.ciuStatus());
    switch (kindOfType(entry.type)) {
    case PointKind::Analog: return valueSample(analogReading(entry, plant, now), false);
    case PointKind::Digital: return valueSample(plant.digital(entry.address, now), true);
    case PointKind::Status: return statusSample(plant.status(entry.address, now));
    case PointKind::ModuleStatus: return statusSample(plant.moduleStatus(entry.address));
    default: return kNoPoint;
    }
}

bool PointReports::changed(const std::optional<PointSample> &previous, const PointSample &current) const
{
    if (!previous || previous->status != current.status || previous->valueByte != current.valueByte)
        return true;
    double before = vantor::decodeReal3(previous->real.data());
    double now = vantor::decodeReal3(current.real.data());
    return std::fabs(now - before) > m_deadband;
}

// An exception reply: a count, then a record for every slot from first on that qualifies
// and whose sample changed since it was last reported (at most 255 records).
std::vector<std::uint8_t> PointReports::changedRecords(PointTable &table, const Plant &plant, double now, int first,
                                                       bool (*qualifies)(int, const PointEntry &),
                                                       void (*append)(std::vector<std::uint8_t> &,
                                                                      const PointSample &)) const
{
    std::vector<std::uint8_t> reply{reply::kAccepted, 0};
    for (int i = first; i < kPointSlots && reply[1] < kMaxRecords; ++i) {
        PointEntry &entry = table.at(i);
        if (!qualifies(i, entry))
            continue;
        PointSample s = sample(i, entry, plant, now);
        if (!changed(entry.reported, s))
            continue;
        entry.reported = s;
        append16(reply, i);
        append(reply, s);
        ++reply[1];
    }
    return reply;
}

std::vector<std::uint8_t> PointReports::exceptions(PointTable &table, const Plant &plant, double now) const
{
    return changedRecords(
        table, plant, now, 1, [](int, const PointEntry &e) { return reportsValues(e); }, appendValueRecord);
}

std::vector<std::uint8_t> PointReports::valueList(PointTable &table, const Plant &plant, double now, int first,
                                                  int last) const
{
    if (!PointTable::isPointIndex(first) || !PointTable::isPointIndex(last) || first > last)
        return {reply::kBadIndex};
    std::vector<std::uint8_t> reply{reply::kAccepted};
    for (int i = first; i <= last; ++i) {
        PointEntry &entry = table.at(i);
        PointSample s = kNoPoint;
        if (reportsValues(entry))
            entry.reported = s = sample(i, entry, plant, now);
        appendValueRecord(reply, s);
    }
    return reply;
}

std::vector<std::uint8_t> PointReports::statusExceptions(PointTable &table, const Plant &plant, double now) const
{
    return changedRecords(table, plant, now, 0, reportsStatus, appendStatusRecord);
}

std::vector<std::uint8_t> PointReports::statusList(PointTable &table, const Plant &plant, double now, int first,
                                                   int last) const
{
    if (first < 0 || last >= kPointSlots || first > last)
        return {reply::kBadIndex};
    std::vector<std::uint8_t> reply{reply::kAccepted};
    for (int i = first; i <= last; ++i) {
        PointEntry &entry = table.at(i);
        PointSample s = kNoPoint;
        if (reportsStatus(i, entry))
            entry.reported = s = sample(i, entry, plant, now);
        appendStatusRecord(reply, s);
    }
    return reply;
}

}  // namespace ciusim
