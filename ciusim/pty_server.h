// The simulated CIU on a pseudo-terminal: opens the pty (optionally naming its device
// with a symbolic link) and serves on its own thread: collects bytes, splits frames at
// 0x0D, hands them to the unit and writes the replies, delayed or spoilt as the faults
// say.  Stopping is prompt, also while a client holds the device open.
//
// With the unit's line format set, every byte costs its wire time in both directions,
// as on a serial line: a request is heard when its last byte would have arrived, and a
// reply's bytes leave at the line's pace (see OutputQueue).
#pragma once

#include "ciusim/ciu_unit.h"
#include "ciusim/device_link.h"
#include "ciusim/frame_splitter.h"
#include "ciusim/output_queue.h"
#include "ciusim/pseudo_terminal.h"
#include "ciusim/sim_config.h"
#include "ciusim/wake_event.h"

#include <atomic>
#include <chrono>
#include <cstdint>
#include <deque>
#include <mutex>
#include <string>
#include <thread>

namespace ciusim {

class PtyServer {
public:
    explicit PtyServer(SimConfig config = {}, std::uint64_t seed = 1);
    ~PtyServer();
    PtyServer(const PtyServer &) = delete;
    PtyServer &operator=(const PtyServer &) = delete;

    // Opens the pty and starts serving; with a link path, that path becomes a symbolic
    // link to the device.  False (see errorText) when any step fails.
    bool start(const std::string &linkPath = {});
    // Stops serving, closes the pty and removes the link.  Safe to call more than once.
    void stop();
    bool running() const { return m_thread.joinable(); }

    // The serial adapter pulled out: the unit is unplugged, the pty closed (a client that
    // holds the device sees a hang-up) and the link removed.  Plugged in again: a new pty
    // serves (devicePath() changes) under the same link, and the unit is plugged in.  Like
    // start and stop, not for two threads at once.  False when there is nothing to pull
    // (not serving) or to plug in (not pulled), or the new pty cannot be set up.
    bool unplugDevice();
    bool replugDevice();

    // The slave device the driver opens (empty before the first start).
    const std::string &devicePath() const { return m_devicePath; }
    std::string errorText() const;

    // The bytes the line has carried since the start: heard from the station, and sent
    // to it.  Any thread may ask.
    struct LineCounts {
        std::uint64_t heard = 0;
        std::uint64_t sent = 0;
    };
    LineCounts lineCounts() const { return {m_bytesHeard.load(), m_bytesSent.load()}; }

    CiuUnit &unit() { return m_unit; }
    Faults &faults() { return m_unit.faults(); }
    RequestLog &requests() { return m_unit.requests(); }

private:
    void serve();
    bool readInput();
    void followLineFormat();
    void takeBytes(std::span<const std::uint8_t> bytes);
    void answerHeard(std::chrono::steady_clock::time_point now);
    enum class Polled { Failed, HungUp, Fine };
    Polled pollOnce(bool hungUp);
    void flushOutput();
    void setError(const std::string &text);

    CiuUnit m_unit;
    PseudoTerminal m_pty;
    DeviceLink m_link;
    WakeEvent m_wake;
    FrameSplitter m_splitter;
    OutputQueue m_output;
    // Frames off the line with the instant their last byte arrived (with wire time, later
    // than it was read), answered in order once that instant has come.
    struct Heard {
        std::chrono::steady_clock::time_point at;
        std::vector<std::uint8_t> frame;
    };
    std::deque<Heard> m_heard;
    std::chrono::steady_clock::time_point m_inputFree{};  // when the line's last byte in has arrived
    std::string m_devicePath;
    std::string m_linkPath;
    bool m_devicePulled = false;
    std::atomic<bool> m_stopping{false};
    std::atomic<std::uint64_t> m_bytesHeard{0};
    std::atomic<std::uint64_t> m_bytesSent{0};
    std::thread m_thread;
    mutable std::mutex m_errorMutex;
    std::string m_error;
};

}  // namespace ciusim
