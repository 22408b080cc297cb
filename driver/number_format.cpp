// The control system's number formats: see number_format.h.
#include "driver/number_format.h"

#include <cmath>

namespace vantor {

int formatSize(int format)
{
    switch (format) {
    case 1: return 2;
    case 2: return 3;
    case 3: return 1;
    case 4: return 1;
    case 5: return 2;
    default: return 0;
    }
}

namespace {

struct Normalised {
    int sign;  // 1 for negative
    double m;  // 0.5 <= m < 1 unless the exponent limits were reached
    int n;     // value = +-m * 2^n
};

// Halves or doubles the magnitude until 0.5 <= m < 1, keeping the exponent within +-64.
Normalised normalise(double value)
{
    Normalised r{value < 0 ? 1 : 0, std::fabs(value), 0};
    while (r.m >= 1.0 && r.n < 64) {
        r.m /= 2.0;
        ++r.n;
    }
    while (r.m < 0.5 && r.n > -64) {
        r.m *= 2.0;
        --r.n;
    }
    return r;
}

// Truncates toward zero into an unsigned range; a NaN or an infinite magnitude gives 0.
unsigned truncatedMantissa(double scaled, unsigned limit)
{
    if (!(scaled >= 0.0) || scaled >= static_cast<double>(limit))
        return scaled >= static_cast<double>(limit) ? limit - 1 : 0;
    return static_cast<unsigned>(scaled);
}

// The nearest whole number within an unsigned range, for the 2-byte real: its ten
// mantissa bits are too few to truncate (64.1 would read back as 64.0).
unsigned roundedMantissa(double scaled, unsigned limit) { return truncatedMantissa(std::floor(scaled + 0.5), limit); }

}  // namespace

int encodeReal3(double value, std::uint8_t *out)
{
    if (value == 0.0 || std::isnan(value)) {
        out[0] = out[1] = out[2] = 0;
        return std::isnan(value) ? 1 : 0;
    }
    Normalised v = normalise(value);
    unsigned mantissa = truncatedMantissa(v.m * 65536.0, 65536);
    out[0] = static_cast<std::uint8_t>(((v.n & 0x7F) << 1) | v.sign);
    out[1] = static_cast<std::uint8_t>(mantissa >> 8);
    out[2] = static_cast<std::uint8_t>(mantissa & 0xFF);
    return (v.n >= 63 || v.n <= -63) ? 1 : 0;
}

int encodeReal2(double value, std::uint8_t *out)
{
    if (value == 0.0 || std::isnan(value)) {
        out[0] = 0xC8;
        out[1] = 0x00;
        return std::isnan(value) ? 1 : 0;
    }
    Normalised v = normalise(value);
    unsigned mantissa = roundedMantissa(v.m * 1024.0, 1024 * 64);
    if (mantissa == 1024 && v.m < 1.0) {  // rounded up to the next power of two
        mantissa = 512;
        ++v.n;
    }
    int e = v.n - 7;
    out[0] = static_cast<std::uint8_t>(((e & 0x1F) << 3) | (v.sign << 2) | ((mantissa >> 8) & 0x03));
    out[1] = static_cast<std::uint8_t>(mantissa & 0xFF);
    bool outOfRange = v.n >= 22 || v.n <= -7 || (mantissa >> 8) > 3;
    return outOfRange ? 1 : 0;
}

int encodeReal(int format, double value, std::uint8_t *out)
{
    if (format == 1)
        return encodeReal2(value, out);
    if (format == 2)
        return encodeReal3(value, out);
    return -1;
}

double decodeReal3(const std::uint8_t *bytes)
{
    int e = bytes[0] >> 1;
    if (e & 0x40)
        e -= 0x80;
    double mantissa = static_cast<double>((bytes[1] << 8) | bytes[2]) / 65536.0;
    double magnitude = std::ldexp(mantissa, e);
    return (bytes[0] & 0x01) ? -magnitude : magnitude;
}

double decodeReal2(const std::uint8_t *bytes)
{
    int e = bytes[0] >> 3;
    if (e & 0x10)
        e -= 0x20;
    double mantissa = static_cast<double>(((bytes[0] & 0x03) << 8) | bytes[1]) / 1024.0;
    double magnitude = std::ldexp(mantissa, e + 7);
    return (bytes[0] & 0x04) ? -magnitude : magnitude;
}

double decodeValue(int format, const std::uint8_t *bytes)
{
    switch (format) {
    case 1: return decodeReal2(bytes);
    case 2: return decodeReal3(bytes);
    case 3: return (bytes[0] & 0x01) ? 1.0 : 0.0;
    case 4: return static_cast<double>(bytes[0]);
    case 5: return static_cast<double>(static_cast<std::int16_t>((bytes[0] << 8) | bytes[1]));
    default: return kUnknownFormatValue;
    }
}

bool inFormatRange(int format, double value)
{
    switch (format) {
    case 1:
    case 2: return value >= -999999.999 && value <= 9999999.999;
    case 3: return value >= -0.01 && value <= 1.01;
    case 4: return value >= 0.0 && value <= 255.0;
    case 5: return value >= -32767.0 && value <= 32767.0;
    default: return false;
    }
}

bool encodeSpecValue(int format, double value, std::uint8_t *out)
{
    if (!inFormatRange(format, value))
        return false;
    switch (format) {
    case 1:
    case 2: return encodeReal(format, value, out) == 0;
    case 3: out[0] = value != 0.0 ? 1 : 0; return true;
    case 4: out[0] = static_cast<std::uint8_t>(static_cast<int>(std::trunc(value)) & 0xFF); return true;
    case 5: {
        auto word = static_cast<std::uint16_t>(static_cast<int>(std::trunc(value)) & 0xFFFF);
        out[0] = static_cast<std::uint8_t>(word >> 8);
        out[1] = static_cast<std::uint8_t>(word & 0xFF);
        return true;
    }
    default: return false;
    }
}

}  // namespace vantor
