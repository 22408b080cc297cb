// Appends the TSF's items (32-bit integers, doubles, length-prefixed Windows-1252
// strings) to a byte buffer, choosing the shortest length form for each string.
#pragma once

#include <QByteArray>
#include <QString>

namespace tk70 {

class TsfByteWriter {
public:
    void writeInt32(qint32 value);
    void writeDouble(double value);
    void writeRawString(QByteArrayView bytes);
    // The text encoded as Windows-1252 (characters without a byte become '?').
    void writeString(QStringView text);

    const QByteArray &bytes() const { return m_bytes; }

private:
    void writeLength(quint64 length);

    QByteArray m_bytes;
};

}  // namespace tk70
