// Framing of CIU messages: see framing.h.
#include "driver/framing.h"

namespace vantor {

std::uint8_t checksum(std::span<const std::uint8_t> bytes)
{
    unsigned sum = 0;
    for (std::uint8_t b : bytes)
        sum += b;
    return static_cast<std::uint8_t>(sum & 0xFF);
}

namespace {

std::size_t putEscaped(std::uint8_t byte, std::uint8_t *out)
{
    if (byte == kFrameEnd) {
        out[0] = kEscape;
        out[1] = kEscapedFrameEnd;
        return 2;
    }
    if (byte == kEscape) {
        out[0] = kEscape;
        out[1] = kEscape;
        return 2;
    }
    out[0] = byte;
    return 1;
}

}  // namespace

std::size_t encodeFrame(std::span<const std::uint8_t> payload, std::span<std::uint8_t> out)
{
    if (out.size() < maxFrameSize(payload.size()))
        return 0;
    std::size_t n = 0;
    for (std::uint8_t b : payload)
        n += putEscaped(b, out.data() + n);
    n += putEscaped(checksum(payload), out.data() + n);
    out[n++] = kFrameEnd;
    return n;
}

std::vector<std::uint8_t> frameBytes(std::span<const std::uint8_t> payload)
{
    std::vector<std::uint8_t> frame(maxFrameSize(payload.size()));
    frame.resize(encodeFrame(payload, frame));
    return frame;
}

DecodedFrame decodeFrame(std::span<const std::uint8_t> raw, std::span<std::uint8_t> out)
{
    DecodedFrame result;
    std::size_t n = 0;
    for (std::size_t i = 0; i < raw.size(); ++i) {
        std::uint8_t b = raw[i];
        if (b == kFrameEnd) {
            result.consumed = i + 1;
            result.length = n;
            if (n == 0)
                result.error = FrameError::Empty;
            else if (checksum(out.first(n - 1)) != out[n - 1])
                result.error = FrameError::BadChecksum;
            return result;
        }
        if (n >= out.size()) {
            result.error = FrameError::TooLong;
            result.length = n;
            return result;
        }
        if (b == kEscape && i + 1 < raw.size()) {
            std::uint8_t next = raw[++i];
            if (next == kEscapedFrameEnd) {
                b = kFrameEnd;
            } else if (next != kEscape) {
                result.error = FrameError::BadEscape;
                result.length = n;
                result.consumed = next == kFrameEnd ? i + 1 : 0;
                return result;
            }
        }
        out[n++] = b;
        if (n >= kMaxDecodedReply) {
            result.error = FrameError::TooLong;
            result.length = n;
            return result;
        }
    }
    result.error = FrameError::NoEnd;
    result.length = n;
    return result;
}

}  // namespace vantor
