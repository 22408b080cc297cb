// Fault injection for the simulated CIU, safe to change from any thread while the
// server runs.  Protocol faults decide a reply before the unit sees the request (no
// reply at all or to one command, a forced reply code, restart refused with 9, an exact
// payload); wire faults
// spoil how the next replies travel (bad checksum, bad escape, garbage, no frame end,
// an endless or an oversize reply); a delay slows every reply.
#pragma once

#include <cstdint>
#include <map>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace ciusim {

enum class WireFault {
    None,
    BadChecksum,  // checksum byte off by one
    BadEscape,    // 0x1B followed by a byte that is neither 0x0E nor 0x1B
    Garbage,      // random bytes that are no valid frame, ending in 0x0D
    Truncate,     // the frame without its closing 0x0D
    Endless,      // more than 4096 bytes without a 0x0D
    Oversize,     // more than 4094 decoded bytes, then 0x0D
};

// The wire fault a control command or status word names ("badchecksum", "garbage", ...);
// nothing for any other name.
std::optional<WireFault> wireFaultNamed(std::string_view name);

// How to answer one request, as the protocol faults decide it.
struct ReplyPlan {
    bool silent = false;                               // send nothing at all
    std::optional<std::vector<std::uint8_t>> payload;  // this reply instead of the unit's
    int delayMs = 0;                                   // wait before the reply goes out
};

class Faults {
public:
    // While on, every request is received and recorded but never answered.
    void setNoReply(bool on);
    // The next count replies carry the wire fault (counts of one kind add up).
    void addWireFault(WireFault fault, int count);
    void badChecksum(int count);
    void badEscape(int count);
    void garbage(int count);
    void truncate(int count);
    void endless();
    void oversize();
    // The next count requests of command are received and recorded but never answered
    // (a CIU that took a request and went silent on it).
    void silence(std::uint8_t command, int count = 1);
    // Command gets the reply code count times, or until cleared when count is negative.
    void replyCode(std::uint8_t command, std::uint8_t code, int count = -1);
    // Every reply waits this long before it goes out.
    void slow(int ms);
    // The next restart command with a nonzero watchdog byte is answered with reply code 9.
    void restart9();
    // The next reply to command is exactly this payload.
    void overrideNext(std::uint8_t command, std::vector<std::uint8_t> payload);
    // Takes every fault away.
    void clear();

    // Consumes the protocol faults that apply to one request.
    ReplyPlan plan(std::span<const std::uint8_t> request);
    // Consumes the wire fault for one reply that is going out.  When several kinds are
    // pending the first of endless, oversize, truncate, garbage, bad escape, bad checksum
    // is taken.
    WireFault takeWireFault();

    // The pending faults as "name=value" words, for the control channel's status.
    std::string describe() const;

private:
    struct CodeFault {
        std::uint8_t code;
        int remaining;  // negative: until cleared
    };

    std::optional<std::vector<std::uint8_t>> takeProtocolPayload(std::span<const std::uint8_t> request);
    bool takeSilence(std::span<const std::uint8_t> request);

    mutable std::mutex m_mutex;
    bool m_noReply = false;
    int m_delayMs = 0;
    bool m_restart9 = false;
    std::map<WireFault, int> m_wire;
    std::map<std::uint8_t, CodeFault> m_codes;
    std::map<std::uint8_t, int> m_silenced;
    std::map<std::uint8_t, std::vector<std::uint8_t>> m_overrides;
};

}  // namespace ciusim
