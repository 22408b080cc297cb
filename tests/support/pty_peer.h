// A scripted CIU on a pseudo-terminal, for tests that check the driver's bytes exactly.
//
// The peer opens a pseudo-terminal in raw mode, serves on its own thread, records every
// request frame it receives (raw bytes and decoded payload) and answers each with the
// next scripted reply: a payload to frame, raw bytes to send as they are, or silence.
// With the script empty it stays silent.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace tk70test {

using Bytes = std::vector<std::uint8_t>;

struct PeerReply {
    enum Kind { Payload, Raw, Silence } kind = Silence;
    Bytes bytes;
};

struct PeerRequest {
    Bytes raw;      // as received, frame end included
    Bytes payload;  // decoded, checksum removed (empty when the frame did not decode)
    bool valid = false;
};

class PtyPeer {
public:
    PtyPeer();
    ~PtyPeer();
    PtyPeer(const PtyPeer &) = delete;
    PtyPeer &operator=(const PtyPeer &) = delete;

    const std::string &devicePath() const { return m_devicePath; }

    // Queues the answer to the next request that has none yet.
    void replyPayload(Bytes payload);
    void replyRaw(Bytes raw);
    void replySilence();

    // Requests received so far.
    std::vector<PeerRequest> requests() const;
    // Waits until at least count requests have arrived; false at the deadline.
    bool waitForRequests(std::size_t count, std::chrono::milliseconds deadline = std::chrono::seconds(5)) const;

private:
    void serve();
    void answer(const Bytes &frame);

    int m_master = -1;
    int m_slaveKeeper = -1;
    int m_wake[2] = {-1, -1};
    std::string m_devicePath;
    mutable std::mutex m_mutex;
    mutable std::condition_variable m_changed;
    std::deque<PeerReply> m_script;
    std::vector<PeerRequest> m_requests;
    std::thread m_thread;
};

}  // namespace tk70test
