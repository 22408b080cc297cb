// Replies waiting to go out on the line: each is due after its delay (in order), and
// due bytes are written without blocking as the line takes them.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <vector>

namespace ciusim {

class OutputQueue {
public:
    using TimePoint = std::chrono::steady_clock::time_point;

    // Bytes beyond this many waiting to be written are dropped (nobody reads the line).
    static constexpr std::size_t kMaxPending = 1 << 20;

    void schedule(std::vector<std::uint8_t> bytes, int delayMs, TimePoint now);
    // Milliseconds until the next reply falls due, 0 when one is due, -1 when none waits.
    int timeoutMs(TimePoint now) const;
    // Writes what is due to a non-blocking fd; false on a write error other than "try again".
    bool writeDue(int fd, TimePoint now);
    bool hasDueBytes() const { return !m_due.empty(); }
    void dropAll();

private:
    struct Scheduled {
        TimePoint due;
        std::vector<std::uint8_t> bytes;
    };

    void releaseDue(TimePoint now);

    std::deque<Scheduled> m_scheduled;
    std::vector<std::uint8_t> m_due;
};

}  // namespace ciusim
