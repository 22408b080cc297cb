// Everything that shapes one simulated CIU and its plant: the unit's identity, its
// module status, whether it comes up already restarted, the exception deadband, fixed
// points and function blocks.  Filled from the config file or by tests directly.
#pragma once

#include "ciusim/blocks.h"
#include "ciusim/line_format.h"
#include "ciusim/plant.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace ciusim {

// What the status command reports about the unit itself.
struct Identity {
    int moduleType = 4;
    int mode = 4;
    int loop = 1;
    int pcu = 2;
};

struct SimConfig {
    Identity identity;
    int moduleStatus = kModuleExecute;  // the CIU's own module status, 0 to 3
    bool startRestarted = false;        // power up as if already restarted and on line
    double deadband = 0.5;              // analog change that makes an exception
    std::optional<std::uint64_t> seed;  // the plant model's seed; a seed given to the unit wins
    std::vector<PointFix> points;
    bool defaultBlocks = true;          // start from the default plant's blocks
    std::vector<FunctionBlock> blocks;  // added to the defaults, replacing any at the same address
    LineFormat line;                    // the wire time of the line; none by default
};

}  // namespace ciusim
