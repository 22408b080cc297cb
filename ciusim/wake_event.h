// An eventfd that wakes a thread blocked in poll(): one side signals, the polling side
// drains it.
#pragma once

#include <string>

namespace ciusim {

class WakeEvent {
public:
    WakeEvent() = default;
    ~WakeEvent();
    WakeEvent(const WakeEvent &) = delete;
    WakeEvent &operator=(const WakeEvent &) = delete;

    bool open(std::string &error);
    void close();
    int fd() const { return m_fd; }
    void signal();
    void drain();

private:
    int m_fd = -1;
};

}  // namespace ciusim
