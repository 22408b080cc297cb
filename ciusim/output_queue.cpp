// Replies waiting to go out: see output_queue.h.
#include "ciusim/output_queue.h"

#include <algorithm>
#include <cerrno>
#include <unistd.h>

namespace ciusim {

void OutputQueue::schedule(std::vector<std::uint8_t> bytes, int delayMs, TimePoint now)
{
    TimePoint due = now + std::chrono::milliseconds(std::max(delayMs, 0));
    if (!m_scheduled.empty())
        due = std::max(due, m_scheduled.back().due);
    m_scheduled.push_back(Scheduled{due, std::move(bytes)});
}

int OutputQueue::timeoutMs(TimePoint now) const
{
    if (m_scheduled.empty())
        return -1;
    auto wait = std::chrono::ceil<std::chrono::milliseconds>(m_scheduled.front().due - now).count();
    return static_cast<int>(std::clamp<long long>(wait, 0, 60000));
}

void OutputQueue::releaseDue(TimePoint now)
{
    while (!m_scheduled.empty() && m_scheduled.front().due <= now) {
        const std::vector<std::uint8_t> &bytes = m_scheduled.front().bytes;
        if (m_due.size() + bytes.size() <= kMaxPending)
            m_due.insert(m_due.end(), bytes.begin(), bytes.end());
        m_scheduled.pop_front();
    }
}

bool OutputQueue::writeDue(int fd, TimePoint now)
{
    releaseDue(now);
    while (!m_due.empty()) {
        ssize_t n = ::write(fd, m_due.data(), m_due.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return errno == EAGAIN || errno == EWOULDBLOCK;
        m_due.erase(m_due.begin(), m_due.begin() + n);
    }
    return true;
}

void OutputQueue::dropAll()
{
    m_scheduled.clear();
    m_due.clear();
}

}  // namespace ciusim
