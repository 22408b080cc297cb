// The function blocks of the default plant, used when the config file does not turn
// them off: a PID controller, a two-input summer, a lead/lag and a real recipe table.
#pragma once

#include "ciusim/blocks.h"

#include <vector>

namespace ciusim {

std::vector<FunctionBlock> defaultBlocks();

}  // namespace ciusim
