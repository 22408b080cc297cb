// Plant addresses (Loop, PCU, Module, Block) of points and function blocks: their text
// form "L-P-M-B" used by the config file and the control channel, and their byte form
// in CIU requests.
#pragma once

#include <compare>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace ciusim {

struct PlantAddress {
    int loop = 0;
    int pcu = 0;
    int module = 0;
    int block = 0;

    auto operator<=>(const PlantAddress &) const = default;
};

// Parses "L-P-M-B": four decimal numbers separated by '-', loop and PCU 0 to 255, module
// and block 0 to 65535 (the widths a request carries).  Empty for any other text.
std::optional<PlantAddress> parseAddress(std::string_view text);

// "LL-PP-MM-BBBB", the form the station shows addresses in.
std::string formatAddress(const PlantAddress &address);

// Loop (1 byte), PCU (1 byte), Module (2 bytes) and Block (2 bytes), high bytes first.
PlantAddress addressFromBytes(const std::uint8_t *bytes);

}  // namespace ciusim
