// What the simulated CIU received, for tests to observe: every request in order with
// its payload and whether its frame was valid, counts per command, and waits with a
// deadline for requests or any condition that requests bring about.  Counts cover every
// request ever received; only the most recent records are kept, so a simulator that runs
// for days does not grow without bound.
#pragma once

#include "driver/framing.h"

#include <array>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <vector>

namespace ciusim {

struct RequestRecord {
    std::vector<std::uint8_t> payload;  // decoded payload without checksum; for an invalid
                                        // frame, the bytes decoded before the error
    bool valid = true;
    vantor::FrameError error = vantor::FrameError::None;

    // The command code, or -1 for an empty payload.
    int command() const { return payload.empty() ? -1 : payload[0]; }
};

class RequestLog {
public:
    explicit RequestLog(std::size_t keep = 100000) : m_keep(keep) {}

    void record(RequestRecord request);
    // Wakes the waiters so they test their condition again (after a state change).
    void touch();
    void clear();

    // The records kept, oldest first.
    std::vector<RequestRecord> all() const;
    // Requests received in all.
    std::size_t size() const;
    // Valid requests with the command code.
    int count(int command) const;
    int invalidCount() const;

    // Waits until count valid requests of the command have arrived; false on time-out.
    bool waitForRequests(int command, int count, std::chrono::milliseconds timeout) const;
    // Waits until condition() holds; it is tested at once and again after every request
    // or touch().  The condition is called without the log's lock held.
    bool waitUntil(const std::function<bool()> &condition, std::chrono::milliseconds timeout) const;

private:
    mutable std::mutex m_mutex;
    mutable std::condition_variable m_changed;
    std::uint64_t m_generation = 0;
    std::size_t m_keep;
    std::deque<RequestRecord> m_requests;
    std::size_t m_total = 0;
    std::array<int, 256> m_validByCommand{};
    int m_invalid = 0;
};

}  // namespace ciusim
