// The Windows-1252 code page, in which TSF texts are stored as bytes.  Our own table, so
// nothing depends on the converters the Qt build happens to carry.
//
// Every byte decodes to one character: the five bytes the code page leaves undefined
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) become the control characters of the same value, as
// the Windows converters do, so any byte string survives decode and encode unchanged.
// A character without a byte is encoded as '?' (one '?' per character, also for
// characters outside the Basic Multilingual Plane).
#pragma once

#include <QByteArray>
#include <QString>

namespace tk70::Windows1252 {

QString decode(QByteArrayView bytes);
QByteArray encode(QStringView text);

}  // namespace tk70::Windows1252
