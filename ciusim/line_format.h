// The serial line's speed and character frame, for the simulator's wire time: a
// character costs its start bit, its data bits, its parity bit if any and its stop
// bits at the line's baud rate.  A baud rate of 0 means no wire time at all (bytes move
// as fast as the pseudo-terminal takes them), which is the default.
#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

namespace ciusim {

inline constexpr int kLowestBaud = 50;
inline constexpr int kHighestBaud = 4000000;

struct LineFormat {
    int baud = 0;  // 0: no wire time
    int dataBits = 8;
    char parity = 'N';  // 'N', 'E', 'O', 'M' or 'S'
    int stopBits = 1;
    bool operator==(const LineFormat &) const = default;
};

// The frame of a text such as "8N1", "8E1", "7E1" or "8O2" (data bits 5 to 8; parity N,
// E, O, M or S; 1 or 2 stop bits) at baud; nothing when either is out of range.
std::optional<LineFormat> lineFormatOf(int baud, std::string_view frame);
// The bits one character takes on the line: 10 for 8N1, 11 for 8E1.
int bitsPerCharacter(const LineFormat &format);
// The time one character takes on the line; zero without wire time.
std::chrono::nanoseconds characterTime(const LineFormat &format);
// "9600 8N1", or "off".
std::string describe(const LineFormat &format);
// The same as one word, for a status line: "9600/8N1", or "off".
std::string lineWord(const LineFormat &format);

}  // namespace ciusim
