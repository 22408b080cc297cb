// The waiting samples of a database output: see waiting_samples.h.
#include "collect/database/waiting_samples.h"

#include <algorithm>

namespace tk70 {

bool WaitingSamples::push(SampleRow row)
{
    bool droppedOne = false;
    if (m_rows.size() >= m_limit) {
        m_rows.pop_front();
        ++m_dropped;
        droppedOne = true;
    }
    m_rows.push_back(std::move(row));
    return droppedOne;
}

void WaitingSamples::removeOldest(std::size_t count)
{
    const auto n = std::min(count, m_rows.size());
    m_rows.erase(m_rows.begin(), m_rows.begin() + std::ptrdiff_t(n));
}

void WaitingSamples::dropAll()
{
    m_dropped += qint64(m_rows.size());
    m_rows.clear();
}

}  // namespace tk70
