// 16-bit numbers in CIU messages travel high byte first; these read and append them.
#pragma once

#include <cstdint>
#include <vector>

namespace ciusim {

inline int read16(const std::uint8_t *bytes) { return (bytes[0] << 8) | bytes[1]; }

inline void append16(std::vector<std::uint8_t> &out, int value)
{
    out.push_back(static_cast<std::uint8_t>((value >> 8) & 0xFF));
    out.push_back(static_cast<std::uint8_t>(value & 0xFF));
}

}  // namespace ciusim
