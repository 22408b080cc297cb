// Splits the byte stream from the line into frames at each 0x0D.  Bytes that pile up
// without a frame end are handed over as one over-long frame, so that a stream of noise
// cannot grow the buffer without bound.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace ciusim {

class FrameSplitter {
public:
    explicit FrameSplitter(std::size_t limit = 8192) : m_limit(limit) {}

    void append(std::span<const std::uint8_t> bytes);
    // The next frame with its 0x0D, or more than limit bytes without one; else nothing.
    std::optional<std::vector<std::uint8_t>> next();
    void clear() { m_buffer.clear(); }
    std::size_t buffered() const { return m_buffer.size(); }

private:
    std::size_t m_limit;
    std::vector<std::uint8_t> m_buffer;
};

}  // namespace ciusim
