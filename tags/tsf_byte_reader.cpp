// Reading TSF items from bytes: see tsf_byte_reader.h.
#include "tags/tsf_byte_reader.h"

#include "platform/windows1252.h"
#include "tags/tsf_format.h"

#include <QtEndian>
#include <cstring>

namespace tk70 {

QByteArrayView TsfByteReader::take(qint64 n)
{
    if (n < 0 || n > remaining())
        throw TsfDataEnd{};
    const QByteArrayView part = m_bytes.sliced(m_pos, n);
    m_pos += n;
    return part;
}

qint32 TsfByteReader::readInt32() { return qFromLittleEndian<qint32>(take(4).data()); }

double TsfByteReader::readDouble()
{
    const quint64 bits = qFromLittleEndian<quint64>(take(8).data());
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

quint64 TsfByteReader::readLength()
{
    const quint8 length8 = quint8(take(1)[0]);
    if (length8 != Tsf::kLengthEscape8)
        return length8;
    const quint16 length16 = qFromLittleEndian<quint16>(take(2).data());
    if (length16 == Tsf::kLengthUnused16)
        throw TsfDataEnd{};
    if (length16 != Tsf::kLengthEscape16)
        return length16;
    return qFromLittleEndian<quint32>(take(4).data());
}

QByteArrayView TsfByteReader::takeString()
{
    // take() refuses a length beyond the remaining bytes before anything is copied.
    return take(qint64(readLength()));
}

QByteArray TsfByteReader::readRawString() { return takeString().toByteArray(); }

QString TsfByteReader::readString() { return Windows1252::decode(takeString()); }

}  // namespace tk70
