// Waking a polling thread: see wake_event.h.
#include "ciusim/wake_event.h"

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <sys/eventfd.h>
#include <unistd.h>

namespace ciusim {

WakeEvent::~WakeEvent() { close(); }

bool WakeEvent::open(std::string &error)
{
    close();
    m_fd = ::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
    if (m_fd < 0)
        error = std::string("cannot create an event: ") + std::strerror(errno);
    return m_fd >= 0;
}

void WakeEvent::close()
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
}

void WakeEvent::signal()
{
    std::uint64_t one = 1;
    [[maybe_unused]] ssize_t n = ::write(m_fd, &one, sizeof one);
}

void WakeEvent::drain()
{
    std::uint64_t count = 0;
    [[maybe_unused]] ssize_t n = ::read(m_fd, &count, sizeof count);
}

}  // namespace ciusim
