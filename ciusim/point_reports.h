// The four read replies of the point table: exception report (8), value list (6),
// miscellaneous status exceptions (22) and miscellaneous status list (21).  Samples each
// connected point from the plant, and remembers what was reported so that the exception
// forms carry only what changed since.
#pragma once

#include "ciusim/plant.h"
#include "ciusim/point_table.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace ciusim {

class PointReports {
public:
    explicit PointReports(double deadband = 0.5) : m_deadband(deadband) {}

    // Each returns the whole reply payload, reply code first.
    std::vector<std::uint8_t> exceptions(PointTable &table, const Plant &plant, double now) const;
    std::vector<std::uint8_t> valueList(PointTable &table, const Plant &plant, double now, int first, int last) const;
    std::vector<std::uint8_t> statusExceptions(PointTable &table, const Plant &plant, double now) const;
    std::vector<std::uint8_t> statusList(PointTable &table, const Plant &plant, double now, int first, int last) const;

    // The sample a point would report now: analog and digital points as status byte and
    // 3-byte real, status points as status and value byte, slot 0 as the CIU's status.
    static PointSample sample(int index, const PointEntry &entry, const Plant &plant, double now);
    // True when a sample differs from the one last reported: a new status or value byte,
    // or a real that moved by more than the deadband.
    bool changed(const std::optional<PointSample> &previous, const PointSample &current) const;

private:
    std::vector<std::uint8_t> changedRecords(PointTable &table, const Plant &plant, double now, int first,
                                             bool (*qualifies)(int, const PointEntry &),
                                             void (*append)(std::vector<std::uint8_t> &, const PointSample &)) const;

    double m_deadband;
};

}  // namespace ciusim
