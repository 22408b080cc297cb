// Splitting the byte stream into frames: see frame_splitter.h.
#include "ciusim/frame_splitter.h"

#include "driver/framing.h"

#include <algorithm>

namespace ciusim {

void FrameSplitter::append(std::span<const std::uint8_t> bytes)
{
    m_buffer.insert(m_buffer.end(), bytes.begin(), bytes.end());
}

std::optional<std::vector<std::uint8_t>> FrameSplitter::next()
{
    auto end = std::find(m_buffer.begin(), m_buffer.end(), vantor::kFrameEnd);
    if (end != m_buffer.end()) {
        std::vector<std::uint8_t> frame(m_buffer.begin(), end + 1);
        m_buffer.erase(m_buffer.begin(), end + 1);
        return frame;
    }
    if (m_buffer.size() > m_limit) {
        std::vector<std::uint8_t> frame = std::move(m_buffer);
        m_buffer.clear();
        return frame;
    }
    return std::nullopt;
}

}  // namespace ciusim
