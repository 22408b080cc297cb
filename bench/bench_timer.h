// The clocks the benchmark programs read: a stopwatch on the steady clock for the wall
// time of an operation, and the processor time the program has used so far.
#pragma once

#include <chrono>
#include <ctime>

namespace tk70::bench {

class Stopwatch {
public:
    // Microseconds since the stopwatch was made.
    double microseconds() const
    {
        return std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - m_start).count();
    }

private:
    std::chrono::steady_clock::time_point m_start = std::chrono::steady_clock::now();
};

// Processor seconds used by the program so far.
inline double cpuSeconds() { return static_cast<double>(std::clock()) / CLOCKS_PER_SEC; }

}  // namespace tk70::bench
