// Waiting with a deadline, the one way the tests wait for something to happen: a
// condition tried again and again, a step between two tries, and failure when the
// deadline passes first.  No Qt, so the driver's tests use it as well.
#pragma once

#include <chrono>
#include <functional>
#include <thread>

namespace tk70test {

// Waits until condition() holds, calling step() between two tries (a pause of one
// millisecond when there is none); false when the deadline passed first.
inline bool waitUntil(const std::function<bool()> &condition,
                      std::chrono::milliseconds deadline = std::chrono::seconds(10),
                      const std::function<void()> &step = {})
{
    const auto end = std::chrono::steady_clock::now() + deadline;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > end)
            return false;
        if (step)
            step();
        else
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

}  // namespace tk70test
