// Replies waiting to go out on the line: each is due after its delay (in order), and
// due bytes are written without blocking as the line takes them.  With a character time
// (the simulator's wire time), the line takes one character per character time: a
// byte is written when its last bit would have left, so the station receives the reply
// at the line's pace.
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

    // The time one character takes on the line; zero (the default) writes due bytes at
    // once.
    void setCharacterTime(std::chrono::nanoseconds time) { m_characterTime = time; }
    std::chrono::nanoseconds characterTime() const { return m_characterTime; }

    void schedule(std::vector<std::uint8_t> bytes, int delayMs, TimePoint now);
    // How long until the next reply falls due or (with wire time) the next character has
    // left; zero when one is due, negative when nothing waits.
    std::chrono::nanoseconds timeout(TimePoint now) const;
    // Milliseconds until the next reply falls due (or the next character has left),
    // rounded up; 0 when one is due, -1 when none waits.
    int timeoutMs(TimePoint now) const;
    // Writes what is due to a non-blocking fd; false on a write error other than "try again".
    bool writeDue(int fd, TimePoint now);
    bool hasDueBytes() const { return !m_due.empty(); }
    // The bytes written to the line since the queue was made.
    std::uint64_t written() const { return m_written; }
    // True when a byte may be written now (with wire time, when its time has come).
    bool canWrite(TimePoint now) const;
    void dropAll();

private:
    struct Scheduled {
        TimePoint due;
        std::vector<std::uint8_t> bytes;
    };

    void releaseDue(TimePoint now);
    std::size_t charactersSent(TimePoint now) const;

    std::deque<Scheduled> m_scheduled;
    std::vector<std::uint8_t> m_due;
    std::chrono::nanoseconds m_characterTime{0};
    std::uint64_t m_written = 0;
    TimePoint m_lineFree{};  // with wire time: when the first due byte began to leave
};

}  // namespace ciusim
