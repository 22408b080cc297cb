// HistorianForwarder: see historian_forwarder.h.
#include "collect/historian/historian_forwarder.h"

#include "collect/historian/historian_clock.h"

#include <algorithm>
#include <chrono>
#include <sys/eventfd.h>
#include <sys/resource.h>
#include <unistd.h>

namespace tk70 {

namespace {

// Samples kept in memory while the spool refuses them (a full disk): an hour of 30 tags
// at one second.  Past it the oldest go, counted as dropped.
constexpr std::size_t kUnspooledLimit = 108000;

// The worker's niceness (0 is the program's; 19 the lowest).
constexpr int kWorkerNice = 10;

}  // namespace

int nextRetryMs(int currentMs, const HistorianOptions &options)
{
    if (currentMs <= 0)
        return options.firstRetryMs;
    return currentMs >= options.longestRetryMs / 2 ? options.longestRetryMs : currentMs * 2;
}

HistorianForwarder::HistorianForwarder(HistorianOptions options) : m_options(std::move(options)) {}

HistorianForwarder::~HistorianForwarder() { stop(); }

bool HistorianForwarder::start()
{
    if (!m_spool.open(m_options.spoolPath)) {
        m_error = "The spool " + m_options.spoolPath + " cannot be opened: " + m_spool.error();
        return false;
    }
    m_wakeFd = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (m_wakeFd < 0) {
        m_error = "The historian output cannot make its wake-up descriptor.";
        m_spool.close();
        return false;
    }
    m_spooled = m_spool.count();
    m_link.setWakeFd(m_wakeFd);
    m_link.setTimeoutMs(m_options.timeoutMs);
    m_state = HistorianState{};
    m_state.offlineSinceUs = utcMicroseconds();
    m_state.waiting = m_spooled;
    m_stopping = false;
    m_thread = std::thread([this] { run(); });
    return true;
}

void HistorianForwarder::stop()
{
    if (!m_thread.joinable())
        return;
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        m_stopping = true;
    }
    m_wake.notify_all();
    const std::uint64_t one = 1;
    [[maybe_unused]] const ssize_t written = ::write(m_wakeFd, &one, sizeof one);
    m_thread.join();
    m_link.close();
    m_spool.close();
    ::close(m_wakeFd);
    m_wakeFd = -1;
}

void HistorianForwarder::sendTags(std::vector<HistorianTag> tags)
{
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        m_handedTags = std::move(tags);
    }
    m_wake.notify_all();
}

void HistorianForwarder::add(HistorianSamples samples)
{
    const std::int64_t count = std::int64_t(samples.size());
    const std::lock_guard<std::mutex> lock(m_mutex);
    if (m_handed.empty())
        m_handed.swap(samples);  // the usual case: the worker took the last tick already
    else
        m_handed.insert(m_handed.end(), std::make_move_iterator(samples.begin()),
                        std::make_move_iterator(samples.end()));
    m_state.waiting += count;
}

void HistorianForwarder::add(HistorianTick tick)
{
    const std::int64_t count = tick.tags ? std::int64_t(std::min(tick.tags->size(), tick.values.size())) : 0;
    const std::lock_guard<std::mutex> lock(m_mutex);
    m_handedTicks.push_back(std::move(tick));
    m_state.waiting += count;
}

HistorianState HistorianForwarder::state() const
{
    const std::lock_guard<std::mutex> lock(m_mutex);
    return m_state;
}

// The worker: spool what was handed, connect when due, forward while there is a
// batch, sleep until there is work or the next attempt is due.  On stop, what was
// handed is spooled and the worker ends.
void HistorianForwarder::run()
{
    // Below the program's threads: a catch-up that keeps this thread busy must not take
    // the processor from a sample tick.  Failing that, it runs as it is.
    ::setpriority(PRIO_PROCESS, static_cast<id_t>(::gettid()), kWorkerNice);
    HistorianSamples unspooled;
    std::optional<std::vector<HistorianTag>> tags;
    for (;;) {
        const bool stopping = takeHanded(unspooled, tags);
        spoolHanded(unspooled, tags);
        if (stopping)
            return;
        if (connectIfDue() && forwardBatch())
            continue;
        sleepUntilDue();
    }
}

// What the program handed over, as samples; the ticks' samples are made here, outside
// the lock.  True when the worker is to stop.
bool HistorianForwarder::takeHanded(HistorianSamples &samples, std::optional<std::vector<HistorianTag>> &tags)
{
    std::vector<HistorianTick> ticks;
    bool stopping = false;
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        samples.insert(samples.end(), std::make_move_iterator(m_handed.begin()),
                       std::make_move_iterator(m_handed.end()));
        m_handed.clear();
        ticks.swap(m_handedTicks);
        if (m_handedTags)
            tags = std::move(m_handedTags);
        m_handedTags.reset();
        stopping = m_stopping;
    }
    for (const HistorianTick &tick : ticks)
        appendSamples(tick, samples);
    return stopping;
}

// Into the spool, and the spool back within its bound.  What the spool refuses stays in
// memory, bounded, for the next round.
void HistorianForwarder::spoolHanded(HistorianSamples &samples, std::optional<std::vector<HistorianTag>> &tags)
{
    std::int64_t dropped = 0;
    if (tags && m_spool.putTags(*tags))
        tags.reset();
    const bool appended = !samples.empty() && m_spool.append(samples);
    if (appended) {
        m_spooled += std::int64_t(samples.size());
        samples.clear();
    } else if (samples.size() > kUnspooledLimit) {
        dropped += std::int64_t(samples.size() - kUnspooledLimit);
        samples.erase(samples.begin(), samples.end() - std::ptrdiff_t(kUnspooledLimit));
    }
    const std::int64_t trimmed = appended ? m_spool.trimTo(m_options.spoolLimitBytes) : 0;
    if (trimmed > 0) {
        dropped += trimmed;
        m_spooled -= trimmed;
    }
    const std::lock_guard<std::mutex> lock(m_mutex);
    m_state.dropped += dropped;
    m_state.waiting -= dropped;
    if (!samples.empty() || tags)
        m_state.lastError = "The spool refuses samples: " + m_spool.error();
}

// True when the server is connected, after connecting now when an attempt is due.
bool HistorianForwarder::connectIfDue()
{
    if (m_link.isOpen())
        return true;
    if (monotonicMs() < m_nextAttemptMs)
        return false;
    if (!m_link.open(m_options.conninfo))
        return wentOffline();
    m_retryMs = 0;
    m_refusedSinceMs = 0;
    const std::lock_guard<std::mutex> lock(m_mutex);
    m_state.online = true;
    m_state.offlineSinceUs = 0;
    m_state.refusal.clear();
    return true;
}

// Always false: the server is not connected any more, for the link's last failure.
bool HistorianForwarder::wentOffline()
{
    const std::string why = m_link.error();
    m_link.close();
    m_retryMs = nextRetryMs(m_retryMs, m_options);
    m_nextAttemptMs = monotonicMs() + m_retryMs;
    const std::lock_guard<std::mutex> lock(m_mutex);
    if (m_state.online || m_state.offlineSinceUs == 0)
        m_state.offlineSinceUs = utcMicroseconds();
    m_state.online = false;
    m_state.lastError = why;
    if (!m_link.refused()) {
        m_refusedSinceMs = 0;
    } else if (m_refusedSinceMs == 0) {
        m_refusedSinceMs = monotonicMs();
    } else if (monotonicMs() - m_refusedSinceMs >= m_options.refusalShownAfterMs) {
        m_state.refusal = why;
    }
    return false;
}

// The waiting tags, then one batch of the oldest samples.  True when a batch went and
// more may wait.
bool HistorianForwarder::forwardBatch()
{
    std::vector<HistorianTag> tags;
    if (m_spool.pendingTags(tags) && !tags.empty()) {
        if (!m_link.upsertTags(tags))
            return wentOffline();
        m_spool.clearTags();
    }
    HistorianSamples batch;
    std::int64_t lastKey = 0;
    if (!m_spool.oldest(m_options.batchRows, batch, lastKey) || batch.empty())
        return false;
    if (!m_link.insertSamples(batch))
        return wentOffline();
    // A removal that fails sends the batch again later; the server skips what it holds.
    if (!m_spool.removeThrough(lastKey))
        return false;
    m_spooled -= std::int64_t(batch.size());
    const std::lock_guard<std::mutex> lock(m_mutex);
    m_state.forwarded += std::int64_t(batch.size());
    m_state.waiting -= std::int64_t(batch.size());
    return batch.size() == m_options.batchRows;
}

// Until the next look for handed samples, tags are handed over, the worker is told to
// stop, or the next attempt to connect (or to forward the spool again) is due.
void HistorianForwarder::sleepUntilDue()
{
    std::unique_lock<std::mutex> lock(m_mutex);
    const auto woken = [this] { return m_stopping || m_handedTags; };
    long long pause = m_options.handOverMs;
    if (!m_link.isOpen() && m_nextAttemptMs != 0)
        pause = std::min<long long>(pause, m_nextAttemptMs - monotonicMs());
    if (pause > 0)
        m_wake.wait_for(lock, std::chrono::milliseconds(pause), woken);
}

}  // namespace tk70
