// Replies waiting to go out: see output_queue.h.
#include "ciusim/output_queue.h"

#include <algorithm>
#include <cerrno>
#include <unistd.h>

namespace ciusim {

namespace {

using std::chrono::nanoseconds;

}  // namespace

void OutputQueue::schedule(std::vector<std::uint8_t> bytes, int delayMs, TimePoint now)
{
    TimePoint due = now + std::chrono::milliseconds(std::max(delayMs, 0));
    if (!m_scheduled.empty())
        due = std::max(due, m_scheduled.back().due);
    m_scheduled.push_back(Scheduled{due, std::move(bytes)});
}

nanoseconds OutputQueue::timeout(TimePoint now) const
{
    // Due bytes without wire time wait for the line to take them (the caller polls for
    // that); with it, for the next character's last bit.
    if (!m_due.empty() && m_characterTime.count() != 0) {
        const TimePoint next = m_lineFree + m_characterTime * (charactersSent(now) + 1);
        return std::max(nanoseconds(0), next - now);
    }
    if (m_scheduled.empty())
        return nanoseconds(-1);
    return std::max(nanoseconds(0), m_scheduled.front().due - now);
}

int OutputQueue::timeoutMs(TimePoint now) const
{
    const nanoseconds wait = timeout(now);
    if (wait.count() < 0)
        return -1;
    const long long ms = std::chrono::ceil<std::chrono::milliseconds>(wait).count();
    return static_cast<int>(std::clamp<long long>(ms, 0, 60000));
}

// A reply that falls due on an idle line starts leaving then; one that falls due while
// the line is busy follows the bytes before it without a gap.
void OutputQueue::releaseDue(TimePoint now)
{
    while (!m_scheduled.empty() && m_scheduled.front().due <= now) {
        const std::vector<std::uint8_t> &bytes = m_scheduled.front().bytes;
        if (m_due.empty())
            m_lineFree = std::max(m_lineFree, m_scheduled.front().due);
        if (m_due.size() + bytes.size() <= kMaxPending)
            m_due.insert(m_due.end(), bytes.begin(), bytes.end());
        m_scheduled.pop_front();
    }
}

// The due bytes whose last bit has left by now.
std::size_t OutputQueue::charactersSent(TimePoint now) const
{
    if (m_characterTime.count() == 0)
        return m_due.size();
    if (now < m_lineFree)
        return 0;
    const auto sent = static_cast<std::size_t>((now - m_lineFree) / m_characterTime);
    return std::min(sent, m_due.size());
}

bool OutputQueue::canWrite(TimePoint now) const
{
    return !m_due.empty() && (m_characterTime.count() == 0 || charactersSent(now) > 0);
}

bool OutputQueue::writeDue(int fd, TimePoint now)
{
    releaseDue(now);
    for (std::size_t ready = charactersSent(now); ready > 0; ready = charactersSent(now)) {
        ssize_t n = ::write(fd, m_due.data(), ready);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return errno == EAGAIN || errno == EWOULDBLOCK;
        m_due.erase(m_due.begin(), m_due.begin() + n);
        m_written += static_cast<std::uint64_t>(n);
        if (m_characterTime.count() != 0)
            m_lineFree += m_characterTime * n;
    }
    return true;
}

void OutputQueue::dropAll()
{
    m_scheduled.clear();
    m_due.clear();
}

}  // namespace ciusim
