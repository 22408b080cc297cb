// Reply frames on the line, proper or spoilt: see wire.h.
#include "ciusim/wire.h"

#include "driver/framing.h"

#include <algorithm>
#include <cstddef>
#include <iterator>

namespace ciusim {

namespace {

// Replaces the checksum (one byte, or two when escaped) with checksum + 1, or + 3 when
// + 1 would need an escape.
std::vector<std::uint8_t> badChecksumFrame(std::span<const std::uint8_t> payload)
{
    std::vector<std::uint8_t> frame = vantor::frameBytes(payload);
    std::uint8_t sum = vantor::checksum(payload);
    bool escaped = sum == vantor::kFrameEnd || sum == vantor::kEscape;
    // The frame always ends in the checksum and the frame end; erasing them can only
    // shrink it (a resize would also have a path that grows it).
    auto tail = static_cast<std::ptrdiff_t>(escaped ? 3 : 2);
    frame.erase(frame.end() - tail, frame.end());
    auto wrong = static_cast<std::uint8_t>(sum + 1);
    if (wrong == vantor::kFrameEnd || wrong == vantor::kEscape)
        wrong = static_cast<std::uint8_t>(sum + 3);
    frame.push_back(wrong);
    frame.push_back(vantor::kFrameEnd);
    return frame;
}

std::vector<std::uint8_t> badEscapeFrame(std::span<const std::uint8_t> payload)
{
    std::vector<std::uint8_t> frame = vantor::frameBytes(payload);
    const std::uint8_t bad[] = {vantor::kEscape, 0x41};
    frame.insert(frame.begin() + 1, std::begin(bad), std::end(bad));
    return frame;
}

// 3 to 24 random bytes without 0x0D, then 0x0D; drawn again in the rare case they form a
// valid frame.
std::vector<std::uint8_t> garbageFrame(std::mt19937_64 &rng)
{
    std::vector<std::uint8_t> decoded(vantor::kMaxDecodedReply);
    for (;;) {
        std::vector<std::uint8_t> bytes(3 + rng() % 22);
        for (std::uint8_t &b : bytes) {
            do
                b = static_cast<std::uint8_t>(rng());
            while (b == vantor::kFrameEnd);
        }
        bytes.push_back(vantor::kFrameEnd);
        if (vantor::decodeFrame(bytes, decoded).error != vantor::FrameError::None)
            return bytes;
    }
}

std::vector<std::uint8_t> oversizeFrame(std::span<const std::uint8_t> payload)
{
    std::vector<std::uint8_t> big(payload.begin(), payload.end());
    big.resize(std::max(big.size(), kOversizeReplyPayload), 0x55);
    return vantor::frameBytes(big);
}

}  // namespace

std::vector<std::uint8_t> wireReply(std::span<const std::uint8_t> payload, WireFault fault, std::mt19937_64 &rng)
{
    switch (fault) {
    case WireFault::BadChecksum: return badChecksumFrame(payload);
    case WireFault::BadEscape: return badEscapeFrame(payload);
    case WireFault::Garbage: return garbageFrame(rng);
    case WireFault::Truncate: {
        std::vector<std::uint8_t> frame = vantor::frameBytes(payload);
        frame.pop_back();
        return frame;
    }
    case WireFault::Endless: return std::vector<std::uint8_t>(kEndlessReplyBytes, 0x55);
    case WireFault::Oversize: return oversizeFrame(payload);
    case WireFault::None: break;
    }
    return vantor::frameBytes(payload);
}

}  // namespace ciusim
