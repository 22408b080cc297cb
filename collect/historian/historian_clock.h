// The two clocks of the historian: a monotonic count for its deadlines and pauses, and
// the UTC instant its rows and states carry.  No Qt: the worker thread reads them.
#pragma once

#include <chrono>
#include <cstdint>

namespace tk70 {

// Milliseconds of the steady clock: for deadlines, never for instants.
inline long long monotonicMs()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

// Microseconds since 1970-01-01 00:00 UTC.
inline std::int64_t utcMicroseconds()
{
    using namespace std::chrono;
    return duration_cast<microseconds>(system_clock::now().time_since_epoch()).count();
}

}  // namespace tk70
