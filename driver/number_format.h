// The control system's number formats and their conversion to and from doubles.
//   format 1: 2-byte real, format 2: 3-byte real, format 3: one bit, format 4: unsigned
//   byte, format 5: 16-bit two's complement (high byte first); any other format has no
//   bytes and reads as 9999.999.
#pragma once

#include <cstdint>

namespace vantor {

inline constexpr double kUnknownFormatValue = 9999.999;

// Bytes a value of the format occupies: 2, 3, 1, 1, 2 for formats 1 to 5, else 0.
int formatSize(int format);

// Encode a double as a 3-byte real (format 2, mantissa truncated) or a 2-byte real
// (format 1, mantissa rounded to the nearest, so that a value reads back within a
// thousandth of itself).  The bytes are written in every case.  Returns 0, or 1 when the
// value lies outside what the format can hold.
int encodeReal3(double value, std::uint8_t *out);
int encodeReal2(double value, std::uint8_t *out);

// Encode as format 1 or 2; returns -1 and writes nothing for any other format.
int encodeReal(int format, double value, std::uint8_t *out);

double decodeReal3(const std::uint8_t *bytes);
double decodeReal2(const std::uint8_t *bytes);

// Decode formatSize(format) bytes in the given format; 9999.999 for an unknown format.
double decodeValue(int format, const std::uint8_t *bytes);

// Range check of a value for a format, used before a tuning value is accepted or written:
// formats 1 and 2 take -999999.999 to 9999999.999, format 3 -0.01 to 1.01, format 4 0 to
// 255, format 5 -32767 to 32767; any other format refuses every value.
bool inFormatRange(int format, double value);

// Write a value in formats 1 to 5 as the tuning image holds it (format 3: 1 when not
// zero; format 4: low byte of the value truncated toward zero; format 5: truncated to 16
// bits).  Returns false when the value does not encode or fails the range check.
bool encodeSpecValue(int format, double value, std::uint8_t *out);

}  // namespace vantor
