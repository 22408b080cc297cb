// Little-endian byte output of the metafile records: integers appended in the byte order
// both metafile formats use, and patched in place once a size is known.
#pragma once

#include <QByteArray>
#include <cstdint>

namespace tk70 {

class MetafileBuffer {
public:
    void u8(std::uint8_t value) { m_bytes.append(static_cast<char>(value)); }
    void u16(std::uint16_t value)
    {
        u8(static_cast<std::uint8_t>(value));
        u8(static_cast<std::uint8_t>(value >> 8));
    }
    void i16(int value) { u16(static_cast<std::uint16_t>(static_cast<std::int16_t>(value))); }
    void u32(std::uint32_t value)
    {
        u16(static_cast<std::uint16_t>(value));
        u16(static_cast<std::uint16_t>(value >> 16));
    }
    void i32(int value) { u32(static_cast<std::uint32_t>(value)); }
    void bytes(const QByteArray &data) { m_bytes.append(data); }
    // Zero bytes up to the next multiple of `alignment` bytes.
    void pad(int alignment)
    {
        while (m_bytes.size() % alignment != 0)
            u8(0);
    }

    void patchU16(qsizetype offset, std::uint16_t value)
    {
        m_bytes[offset] = static_cast<char>(value);
        m_bytes[offset + 1] = static_cast<char>(value >> 8);
    }
    void patchU32(qsizetype offset, std::uint32_t value)
    {
        patchU16(offset, static_cast<std::uint16_t>(value));
        patchU16(offset + 2, static_cast<std::uint16_t>(value >> 16));
    }

    qsizetype size() const { return m_bytes.size(); }
    const QByteArray &data() const { return m_bytes; }
    void clear() { m_bytes.clear(); }

private:
    QByteArray m_bytes;
};

}  // namespace tk70
