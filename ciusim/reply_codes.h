// Reply codes of the simulated CIU: byte 0 of every reply.  0 accepts the request; each
// refusal has its own code so a test or a log line tells at once what was wrong.
#pragma once

#include <cstdint>

namespace ciusim::reply {

inline constexpr std::uint8_t kAccepted = 0;
inline constexpr std::uint8_t kUnknownCommand = 1;         // no such command code
inline constexpr std::uint8_t kMalformed = 2;              // wrong length, or the second byte is not 0
inline constexpr std::uint8_t kNotRestarted = 3;           // point or block command before a restart
inline constexpr std::uint8_t kBadIndex = 4;               // index or index range outside the point table
inline constexpr std::uint8_t kBadType = 5;                // point type not allowed for the command or slot
inline constexpr std::uint8_t kNotEstablished = 6;         // connect or output of a slot not established
inline constexpr std::uint8_t kRestartAgain = 9;           // restart with watchdog refused: repeat with watchdog 0
inline constexpr std::uint8_t kNoBlock = 32;               // the block address holds nothing
inline constexpr std::uint8_t kFunctionCodeMismatch = 33;  // tune write names another function code
inline constexpr std::uint8_t kByteCountMismatch = 34;     // tune write value bytes do not fit the block
inline constexpr std::uint8_t kNotTunable = 36;            // tune write changes a non-tunable spec
inline constexpr std::uint8_t kBadValue = 37;              // tune write value bytes not a valid encoding
inline constexpr std::uint8_t kBlockTooLarge = 38;         // block too large to be written in one request

}  // namespace ciusim::reply
