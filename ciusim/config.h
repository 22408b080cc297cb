// The simulator's config file: JSON that fixes points, the unit's identity and module
// status, and function blocks.  Every error names the line (syntax) or the field
// (content) it is about; loading never throws.
#pragma once

#include "ciusim/sim_config.h"

#include <optional>
#include <string>
#include <string_view>

namespace ciusim {

struct ConfigResult {
    std::optional<SimConfig> config;  // set on success
    std::string error;                // set on failure
};

// Parses the text of a config file; source names it in error messages.
ConfigResult parseConfig(std::string_view text, const std::string &source = "config");
ConfigResult loadConfig(const std::string &path);

}  // namespace ciusim
