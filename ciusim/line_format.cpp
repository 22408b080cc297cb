// The serial line's speed and frame: see line_format.h.
#include "ciusim/line_format.h"

#include <algorithm>

namespace ciusim {

namespace {

bool knownParity(char parity)
{
    return parity == 'N' || parity == 'E' || parity == 'O' || parity == 'M' || parity == 'S';
}

}  // namespace

std::optional<LineFormat> lineFormatOf(int baud, std::string_view frame)
{
    if (baud < kLowestBaud || baud > kHighestBaud || frame.size() != 3)
        return std::nullopt;
    LineFormat format{baud, frame[0] - '0', frame[1], frame[2] - '0'};
    if (format.dataBits < 5 || format.dataBits > 8 || !knownParity(format.parity) ||
        (format.stopBits != 1 && format.stopBits != 2))
        return std::nullopt;
    return format;
}

int bitsPerCharacter(const LineFormat &format)
{
    return 1 + format.dataBits + (format.parity == 'N' ? 0 : 1) + format.stopBits;
}

std::chrono::nanoseconds characterTime(const LineFormat &format)
{
    if (format.baud <= 0)
        return std::chrono::nanoseconds(0);
    // Rounded up: the line is never faster than its rate.
    const long long bitNs = 1000000000LL * bitsPerCharacter(format);
    return std::chrono::nanoseconds((bitNs + format.baud - 1) / format.baud);
}

std::string describe(const LineFormat &format)
{
    if (format.baud <= 0)
        return "off";
    return std::to_string(format.baud) + " " + std::to_string(format.dataBits) + format.parity +
           std::to_string(format.stopBits);
}

std::string lineWord(const LineFormat &format)
{
    std::string word = describe(format);
    std::replace(word.begin(), word.end(), ' ', '/');
    return word;
}

}  // namespace ciusim
