// Reads the TSF's items (32-bit integers, doubles, length-prefixed strings) from a byte
// buffer, never past its end.  Running out of bytes, or a string prefix in none of the
// three length forms, throws TsfDataEnd; a length prefix is checked against the bytes
// that remain before anything is allocated, so a hostile length costs nothing.
#pragma once

#include <QByteArray>
#include <QString>

namespace tk70 {

// The buffer ended before an item (or an item's prefix is not valid).
struct TsfDataEnd {};

class TsfByteReader {
public:
    explicit TsfByteReader(QByteArrayView bytes) : m_bytes(bytes) {}

    qint32 readInt32();
    double readDouble();
    // The string's bytes as stored.
    QByteArray readRawString();
    // The string decoded from Windows-1252.
    QString readString();

    qsizetype remaining() const { return m_bytes.size() - m_pos; }

private:
    // The next n bytes, or TsfDataEnd when fewer remain.
    QByteArrayView take(qint64 n);
    quint64 readLength();
    QByteArrayView takeString();

    QByteArrayView m_bytes;
    qsizetype m_pos = 0;
};

}  // namespace tk70
