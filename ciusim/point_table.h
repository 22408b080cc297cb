// The CIU's point table: slots 1 to 30 that the station establishes (plant address and
// type, or output report settings) and connects, each with the sample last reported for
// it.  Slot 0 is the CIU's own module status; only its last report is kept.
#pragma once

#include "ciusim/address.h"

#include <array>
#include <cstdint>
#include <optional>

namespace ciusim {

inline constexpr int kPointSlots = 31;  // slot 0 and slots 1 to 30

// One point as the unit reports it: status byte, value byte (status points) and 3-byte real.
struct PointSample {
    std::uint8_t status = 0;
    std::uint8_t valueByte = 0;
    std::array<std::uint8_t, 3> real{};

    bool operator==(const PointSample &) const = default;
};

// Output report settings of an analog or digital output point (command 2).
struct OutputReport {
    int state = 0;
    std::array<double, 4> values{};  // report value 1, report value 2, high limit, low limit
};

struct PointEntry {
    bool established = false;
    bool connected = false;
    int type = 0;
    PlantAddress address;
    OutputReport report;
    std::optional<PointSample> reported;  // the sample last sent to the station
};

class PointTable {
public:
    static bool isPointIndex(int index) { return index >= 1 && index < kPointSlots; }

    // Forgets every point and every report (a restart or power-up).
    void clear();

    // Establishes slot index as an exception point of type at address; returns a reply code.
    std::uint8_t establish(int index, int type, const PlantAddress &address);
    // Connects slots first to last, all of which must be established; returns a reply code.
    std::uint8_t connect(int first, int last);
    // Establishes slot index as an output point (types 12 and 13); returns a reply code.
    std::uint8_t establishReport(int index, int type, const OutputReport &report);
    // Checks that slot index is an established output point of the type; returns a reply code.
    std::uint8_t checkOutput(int index) const;

    // Slot 0 to 30; anything else is clamped away by the caller's checks.
    PointEntry &at(int index) { return m_slots.at(static_cast<std::size_t>(index)); }
    const PointEntry &at(int index) const { return m_slots.at(static_cast<std::size_t>(index)); }

    int establishedCount() const;
    int connectedCount() const;

private:
    PointEntry &freshEntry(int index, int type);
    std::array<PointEntry, kPointSlots> m_slots;
};

}  // namespace ciusim
