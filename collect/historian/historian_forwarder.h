// The historian output's worker: the one thread that writes the spool and talks to the
// central server.  The program hands it samples and tags (add, sendTags) and reads its
// state; those calls only take a short lock, so a sample tick costs the same whether the
// server is up or down.  A sample does not wake the worker, which looks for handed
// samples every handOverMs: waking a sleeping thread costs the ticking thread more than
// its samples do.  Tags and a stop wake it at once.  The worker commits every sample to the spool first, then
// forwards the spool's oldest samples in batches and forgets them once the server has
// committed them.  An unreachable server is tried again after a pause that doubles from
// the first to the longest.
#pragma once

#include "collect/historian/historian_link.h"
#include "collect/historian/historian_rows.h"
#include "collect/historian/historian_spool.h"

#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

namespace tk70 {

struct HistorianOptions {
    std::string conninfo;  // libpq connection string, URI or service
    std::string spoolPath;
    std::int64_t spoolLimitBytes = std::int64_t(1) << 30;
    std::size_t batchRows = 5000;
    int firstRetryMs = 1000;
    int longestRetryMs = 60000;
    int timeoutMs = 30000;  // one connect, statement or COPY
    int handOverMs = 100;   // the longest a handed sample waits for the spool
    int refusalShownAfterMs = 5000;
};

// What the status bar and the summary say of the output.
struct HistorianState {
    bool online = false;
    std::int64_t offlineSinceUs = 0;  // UTC, when it went (or started) offline; 0 while online
    std::int64_t waiting = 0;         // samples not yet on the server
    std::int64_t forwarded = 0;       // committed by the server since the start
    std::int64_t dropped = 0;         // gone past the spool's bound since the start
    std::string lastError;            // the latest failure, the server's own words
    // The server's refusal (see HistorianLink::refused) when it has refused every attempt
    // for refusalShownAfterMs: a login or database that is not there, which waiting will
    // not mend, unlike a server starting up.  Empty otherwise.
    std::string refusal;
};

// The pause before the next attempt after one of currentMs failed.
int nextRetryMs(int currentMs, const HistorianOptions &options);

class HistorianForwarder {
public:
    explicit HistorianForwarder(HistorianOptions options);
    ~HistorianForwarder();
    HistorianForwarder(const HistorianForwarder &) = delete;
    HistorianForwarder &operator=(const HistorianForwarder &) = delete;

    // Opens the spool (a local file, on the caller's thread, so that a spool that cannot
    // be opened refuses the start) and starts the worker.  False, with error().
    bool start();
    // Ends the worker: what it was handed goes into the spool, and a wait on the network
    // ends at once.  Samples not on the server stay in the spool for the next start.
    void stop();

    // The tags of this start, sent before the samples that follow.
    void sendTags(std::vector<HistorianTag> tags);
    void add(HistorianSamples samples);
    // A tick costs the caller no copy of a name: the worker makes its samples (a value
    // past the tick's tags is neither counted nor stored).
    void add(HistorianTick tick);
    HistorianState state() const;
    const std::string &error() const { return m_error; }

private:
    void run();
    bool takeHanded(HistorianSamples &samples, std::optional<std::vector<HistorianTag>> &tags);
    void spoolHanded(HistorianSamples &samples, std::optional<std::vector<HistorianTag>> &tags);
    bool connectIfDue();
    bool forwardBatch();
    bool wentOffline();
    void sleepUntilDue();

    const HistorianOptions m_options;
    std::string m_error;

    // Handed over under m_mutex.
    mutable std::mutex m_mutex;
    std::condition_variable m_wake;
    HistorianSamples m_handed;
    std::vector<HistorianTick> m_handedTicks;
    std::optional<std::vector<HistorianTag>> m_handedTags;
    bool m_stopping = false;
    HistorianState m_state;

    // The worker's own.
    HistorianSpool m_spool;
    HistorianLink m_link;
    int m_wakeFd = -1;
    std::int64_t m_spooled = 0;
    int m_retryMs = 0;
    long long m_refusedSinceMs = 0;  // the first of the refusals in a row; 0 for none
    long long m_nextAttemptMs = 0;
    std::thread m_thread;
};

}  // namespace tk70
