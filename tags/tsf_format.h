// Constants of the Tag Selection File (TSF) byte layout.  All integers are 32-bit signed
// little-endian, doubles 8-byte IEEE 754 little-endian, texts length-prefixed
// Windows-1252 byte strings (see tsf_byte_reader.h).  Sections in order: header text,
// file mark, tag count and tag records, graph count and graph records (each followed by
// its trace records), four group records, baud-rate index, serial port index.
#pragma once

#include <QByteArrayView>
#include <QtGlobal>

namespace tk70::Tsf {

// The header text, compared byte for byte (case-sensitive).
inline constexpr QByteArrayView kHeader("TK70 Tag Selection File");
inline constexpr qint32 kFileMark = 3546;  // 0x0DDA
inline constexpr qint32 kMaxGraphRecords = 10;

// String length prefixes: one byte below 255; else 0xFF and 16 bits below 65534; else
// 0xFF, 0xFFFF and 32 bits.  0xFFFE is none of the three forms.
inline constexpr quint8 kLengthEscape8 = 0xFF;
inline constexpr quint16 kLengthEscape16 = 0xFFFF;
inline constexpr quint16 kLengthUnused16 = 0xFFFE;

// The largest TSF the program reads into memory.  A real selection is a few kilobytes.
inline constexpr qint64 kMaxFileBytes = 64 * 1024 * 1024;

// The document type registered for TSF files: file dialog filter, default extension and
// the whole template string (window title, document name, filter, extension, file type
// identifier, file type name).
inline const char *const kFileFilter = "TK70 Pro Tag Selection Files (*.tsf)";
inline const char *const kDefaultExtension = ".TSF";
inline const char *const kDocumentTemplate =
    "\nTK70 Pro\nTK70 Pro\nTK70 Pro Tag Selection Files (*.tsf)\n.TSF\nTK70ProTag.Document\n"
    "TK70 Pro Tag Selection Document";

}  // namespace tk70::Tsf
