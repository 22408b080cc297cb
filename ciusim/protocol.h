// The CIU's protocol responder and the unit's state.  Given one decoded request payload
// (command code, 0, arguments) it updates the point table, the on-line flag or a function
// block and returns the reply payload, reply code first (framing adds the checksum).
// Pure: no I/O, no clock of its own and no locking; the caller passes the time.
#pragma once

#include "ciusim/blocks.h"
#include "ciusim/plant.h"
#include "ciusim/point_reports.h"
#include "ciusim/point_table.h"
#include "ciusim/sim_config.h"

#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <span>
#include <vector>

namespace ciusim {

// The last output value (command 10) the station wrote to one slot.
struct OutputRecord {
    int type = 0;
    std::uint8_t flags = 0;  // as sent: bit 7 bad, bits 6 and 5 limits or alarm, bit 0 state
    double value = 0.0;      // the 3-byte real (type 12) or bit 0 of the flags (type 13)
    bool bad = false;
};

class Responder {
public:
    explicit Responder(const SimConfig &config = {}, std::uint64_t seed = 1);

    // The reply payload, or nothing for a payload too short to name a command.
    std::optional<std::vector<std::uint8_t>> respond(std::span<const std::uint8_t> request, double now);

    // Back to the state after power-up: point table empty, restarted and on-line only
    // when the configuration says the unit starts that way.  The plant keeps its state.
    void powerUp();

    bool restarted() const { return m_restarted; }
    bool online() const { return m_online; }
    const Identity &identity() const { return m_identity; }
    const PointTable &points() const { return m_points; }
    std::optional<OutputRecord> lastOutput(int index) const;
    Plant &plant() { return m_plant; }
    const Plant &plant() const { return m_plant; }
    BlockTable &blocks() { return m_blocks; }
    const BlockTable &blocks() const { return m_blocks; }

private:
    using Request = std::span<const std::uint8_t>;
    using Reply = std::vector<std::uint8_t>;
    using Handler = Reply (Responder::*)(Request, double);

    struct Rule {
        std::uint8_t command;
        std::size_t minLength;  // whole payload, command code and zero byte included
        std::size_t maxLength;
        bool needsRestart;  // refused until the unit has been restarted
        Handler handler;
    };
    static const Rule *findRule(std::uint8_t command);

    Reply readStatus(Request request, double now);
    Reply restart(Request request, double now);
    Reply setOnline(Request request, double now);
    Reply establish(Request request, double now);
    Reply connectList(Request request, double now);
    Reply establishAndConnect(Request request, double now);
    Reply establishReport(Request request, double now);
    Reply readExceptions(Request request, double now);
    Reply readValueList(Request request, double now);
    Reply readStatusExceptions(Request request, double now);
    Reply readStatusList(Request request, double now);
    Reply readBlock(Request request, double now);
    Reply outputValue(Request request, double now);
    Reply readTuneSpecs(Request request, double now);
    Reply writeTuneSpecs(Request request, double now);

    Identity m_identity;
    bool m_startRestarted;
    bool m_restarted;
    bool m_online;
    Plant m_plant;
    BlockTable m_blocks;
    PointTable m_points;
    PointReports m_reports;
    std::map<int, OutputRecord> m_outputs;
};

}  // namespace ciusim
