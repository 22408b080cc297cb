// The command line of tk70-ciusim: serve mode (--link, --config, --seed, --control,
// --baud, --frame) and client mode (--control with --send).
#pragma once

#include "ciusim/line_format.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace ciusim {

struct CliOptions {
    std::string linkPath;
    std::string configPath;
    std::string controlPath;
    std::string sendLine;  // client mode when set
    std::optional<std::uint64_t> seed;
    LineFormat line;  // --baud and --frame: wire time on the line; none without --baud
    bool help = false;
};

struct CliParse {
    CliOptions options;
    std::string error;  // empty when the command line is fine
};

// args without the program name.
CliParse parseCommandLine(const std::vector<std::string> &args);

std::string usageText(const std::string &program);

}  // namespace ciusim
