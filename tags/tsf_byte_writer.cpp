// Writing TSF items to bytes: see tsf_byte_writer.h.
#include "tags/tsf_byte_writer.h"

#include "platform/windows1252.h"
#include "tags/tsf_format.h"

#include <QtEndian>
#include <cstring>

namespace tk70 {

namespace {

template <typename T>
void appendLittleEndian(QByteArray &bytes, T value)
{
    char raw[sizeof(T)];
    qToLittleEndian(value, raw);
    bytes.append(raw, sizeof raw);
}

}  // namespace

void TsfByteWriter::writeInt32(qint32 value) { appendLittleEndian(m_bytes, value); }

void TsfByteWriter::writeDouble(double value)
{
    quint64 bits;
    std::memcpy(&bits, &value, sizeof bits);
    appendLittleEndian(m_bytes, bits);
}

void TsfByteWriter::writeLength(quint64 length)
{
    if (length < Tsf::kLengthEscape8) {
        appendLittleEndian(m_bytes, quint8(length));
        return;
    }
    appendLittleEndian(m_bytes, Tsf::kLengthEscape8);
    if (length < Tsf::kLengthUnused16) {
        appendLittleEndian(m_bytes, quint16(length));
        return;
    }
    appendLittleEndian(m_bytes, Tsf::kLengthEscape16);
    appendLittleEndian(m_bytes, quint32(length));
}

void TsfByteWriter::writeRawString(QByteArrayView bytes)
{
    writeLength(quint64(bytes.size()));
    m_bytes.append(bytes);
}

void TsfByteWriter::writeString(QStringView text) { writeRawString(Windows1252::encode(text)); }

}  // namespace tk70
