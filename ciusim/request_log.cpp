// The record of received requests: see request_log.h.
#include "ciusim/request_log.h"

#include <algorithm>

namespace ciusim {

void RequestLog::record(RequestRecord request)
{
    {
        std::lock_guard lock(m_mutex);
        m_requests.push_back(std::move(request));
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
}

std::vector<RequestRecord> RequestLog::all() const
{
    std::lock_guard lock(m_mutex);
    return m_requests;
}

std::size_t RequestLog::size() const
{
    std::lock_guard lock(m_mutex);
    return m_requests.size();
}

int RequestLog::count(int command) const
{
    std::lock_guard lock(m_mutex);
    return static_cast<int>(std::count_if(m_requests.begin(), m_requests.end(), [command](const RequestRecord &r) {
        return r.valid && r.command() == command;
    }));
}

int RequestLog::invalidCount() const
{
    std::lock_guard lock(m_mutex);
    return static_cast<int>(
        std::count_if(m_requests.begin(), m_requests.end(), [](const RequestRecord &r) { return !r.valid; }));
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
