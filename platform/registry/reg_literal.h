// Quoted literals of the settings file: a name or a value's data between double quotes,
// byte for byte.  Printable ASCII and well-formed UTF-8 text stand for themselves; a
// backslash starts an escape for everything a text editor could lose or change:
//   \\  \"  \0  \r  \n  \t  and \xHH (two hex digits) for any other byte.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace tk70::reg {

// Length (2 to 4) of the well-formed UTF-8 sequence that starts at pos, or 0 when the
// byte there does not start one.
int utf8SequenceLength(QByteArrayView bytes, qsizetype pos);
// Whether the bytes are well-formed UTF-8 (plain ASCII included).
bool isValidUtf8(QByteArrayView bytes);
// UTF-8 bytes as text, every character kept: a leading byte order mark stays in the text
// (QString::fromUtf8 would drop it, and a name would then not read back as written).
QString decodeUtf8(QByteArrayView bytes);

// The bytes as a literal, quotes included.
QByteArray quote(QByteArrayView bytes);

// Reads the literal whose opening quote is at pos into out.  On success returns an empty
// text and leaves pos just past the closing quote; otherwise returns what is wrong.
QString unquote(QByteArrayView line, qsizetype &pos, QByteArray &out);

}  // namespace tk70::reg
