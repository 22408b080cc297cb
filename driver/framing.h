// Framing of CIU messages on the serial line: escaping, checksum and frame end.
// Pure functions over byte buffers; both the driver and the CIU simulator frame with them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace vantor {

inline constexpr std::size_t kSerialBufferSize = 4096;  // transmit, receive and reply buffers
inline constexpr std::size_t kMaxRequestPayload = 127;  // the request count byte is signed 8-bit
inline constexpr std::size_t kMaxDecodedReply = 4094;   // decoded bytes before an end: an error
inline constexpr std::uint8_t kFrameEnd = 0x0D;
inline constexpr std::uint8_t kEscape = 0x1B;
inline constexpr std::uint8_t kEscapedFrameEnd = 0x0E;

// Size of the largest frame a payload of n bytes can become: every payload byte and the
// checksum escaped, plus the frame end.
constexpr std::size_t maxFrameSize(std::size_t payloadSize) { return 2 * (payloadSize + 1) + 1; }

// The low 8 bits of the sum of the bytes.
std::uint8_t checksum(std::span<const std::uint8_t> bytes);

// Writes the frame of a payload into out: each payload byte escaped, the checksum
// escaped, then 0x0D.  Returns the number of bytes written, or 0 when out is smaller
// than maxFrameSize(payload.size()).
std::size_t encodeFrame(std::span<const std::uint8_t> payload, std::span<std::uint8_t> out);

// The frame of a payload in a buffer of its own, for callers that keep no fixed buffer
// (the CIU simulator and the tests' peers).
std::vector<std::uint8_t> frameBytes(std::span<const std::uint8_t> payload);

enum class FrameError {
    None,
    BadEscape,    // 0x1B followed by a byte other than 0x0E or 0x1B
    BadChecksum,  // the last byte before the end is not the sum of those before it
    NoEnd,        // the bytes hold no 0x0D
    TooLong,      // 4094 decoded bytes before an end
    Empty,        // a frame end with nothing before it
};

struct DecodedFrame {
    FrameError error = FrameError::None;
    std::size_t length = 0;    // decoded bytes before the end: payload and checksum
    std::size_t consumed = 0;  // raw bytes up to and including the end (0 without an end)
};

// Decodes raw bytes up to the first unescaped 0x0D into out (payload followed by the
// checksum byte) and checks the checksum.  out must hold kMaxDecodedReply bytes for the
// TooLong rule to apply; a smaller out reports TooLong once it is full.
DecodedFrame decodeFrame(std::span<const std::uint8_t> raw, std::span<std::uint8_t> out);

}  // namespace vantor
