// The control channel's commands: one text line each, steering the faults, the cable and
// the plant of a running simulator, answered with "ok", "ok <details>" or "error: <why>".
#pragma once

#include "ciusim/ciu_unit.h"

#include <string>
#include <string_view>

namespace ciusim {

std::string executeControlCommand(CiuUnit &unit, std::string_view line);

// The commands with their arguments, one per line, for usage texts.
std::string controlCommandUsage();

}  // namespace ciusim
