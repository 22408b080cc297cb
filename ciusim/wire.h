// The bytes a reply payload becomes on the line: a proper frame, or one spoilt the way a
// wire fault says.
#pragma once

#include "ciusim/faults.h"

#include <cstdint>
#include <random>
#include <span>
#include <vector>

namespace ciusim {

inline constexpr std::size_t kEndlessReplyBytes = 5000;     // more than a 4096-byte receive buffer
inline constexpr std::size_t kOversizeReplyPayload = 4100;  // more than 4094 decoded bytes

// Frames the payload (escaped payload, escaped checksum, 0x0D) and applies the fault;
// random choices (garbage) come from rng.
std::vector<std::uint8_t> wireReply(std::span<const std::uint8_t> payload, WireFault fault, std::mt19937_64 &rng);

}  // namespace ciusim
