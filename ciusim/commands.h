// Command codes of the CIU requests the station sends.
#pragma once

#include <cstdint>

namespace ciusim::command {

inline constexpr std::uint8_t kEstablishPoint = 1;
inline constexpr std::uint8_t kEstablishReport = 2;
inline constexpr std::uint8_t kConnectPointList = 4;
inline constexpr std::uint8_t kReadValueList = 6;
inline constexpr std::uint8_t kReadExceptions = 8;
inline constexpr std::uint8_t kOutputValue = 10;
inline constexpr std::uint8_t kReadTuneSpecs = 13;
inline constexpr std::uint8_t kWriteTuneSpecs = 17;
inline constexpr std::uint8_t kRestart = 19;
inline constexpr std::uint8_t kReadBlock = 20;
inline constexpr std::uint8_t kReadStatusList = 21;
inline constexpr std::uint8_t kReadStatusExceptions = 22;
inline constexpr std::uint8_t kOnline = 44;
inline constexpr std::uint8_t kEstablishAndConnect = 49;
inline constexpr std::uint8_t kReadStatus = 69;

}  // namespace ciusim::command
