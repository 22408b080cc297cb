// The record of received requests: see request_log.h.
#include "ciusim/request_log.h"

namespace ciusim {

void RequestLog::record(RequestRecord request)
{
    {
        std::lock_guard lock(m_mutex);
        if (!request.valid)
            ++m_invalid;
        else if (request.command() >= 0)
            ++m_validByCommand[static_cast<std::size_t>(request.command())];
        ++m_total;
        m_requests.push_back(std::move(request));
        if (m_requests.size() > m_keep)
            m_requests.pop_front();
        ++m_generation;
    }
    m_changed.notify_all();
}

void RequestLog::touch()
{
    {
        std::lock_guard lock(m_mutex);
        ++m_generation;
    }
    m_changed.notify_all();
}

void RequestLog::clear()
{
    std::lock_guard lock(m_mutex);
    m_requests.clear();
    m_total = 0;
    m_validByCommand.fill(0);
    m_invalid = 0;
}

std::vector<RequestRecord> RequestLog::all() const
{
    std::lock_guard lock(m_mutex);
    return std::vector<RequestRecord>(m_requests.begin(), m_requests.end());
}

std::size_t RequestLog::size() const
{
    std::lock_guard lock(m_mutex);
    return m_total;
}

int RequestLog::count(int command) const
{
    std::lock_guard lock(m_mutex);
    return command >= 0 && command < 256 ? m_validByCommand[static_cast<std::size_t>(command)] : 0;
}

int RequestLog::invalidCount() const
{
    std::lock_guard lock(m_mutex);
    return m_invalid;
}

bool RequestLog::waitForRequests(int command, int count, std::chrono::milliseconds timeout) const
{
    return waitUntil([&] { return this->count(command) >= count; }, timeout);
}

bool RequestLog::waitUntil(const std::function<bool()> &condition, std::chrono::milliseconds timeout) const
{
    auto deadline = std::chrono::steady_clock::now() + timeout;
    std::unique_lock lock(m_mutex);
    for (;;) {
        std::uint64_t seen = m_generation;
        lock.unlock();
        if (condition())
            return true;
        lock.lock();
        if (!m_changed.wait_until(lock, deadline, [&] { return m_generation != seen; }))
            return false;
    }
}

}  // namespace ciusim
