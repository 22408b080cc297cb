// One simulated CIU as a whole, safe to use from several threads: the responder with the
// plant, the fault injection and the request log.  It takes raw frames as they come off
// the line and gives back the bytes to send and when, so that everything but the I/O can
// be tested without a terminal.  Tests and the control channel steer the plant and the
// cable through it.
#pragma once

#include "ciusim/faults.h"
#include "ciusim/protocol.h"
#include "ciusim/request_log.h"
#include "ciusim/sim_config.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <random>
#include <span>
#include <string>
#include <vector>

namespace ciusim {

class CiuUnit {
public:
    // Seconds since some fixed start; the plant model's time.
    using Clock = std::function<double()>;

    struct Outgoing {
        std::vector<std::uint8_t> bytes;
        int delayMs = 0;
    };

    explicit CiuUnit(const SimConfig &config = {}, std::uint64_t seed = 1);

    // One frame off the line, its closing 0x0D included (an over-long run of bytes
    // without one is an invalid frame).  Records it and returns the reply to send, if any.
    std::optional<Outgoing> handleFrame(std::span<const std::uint8_t> raw);

    // Replaces the clock (tests use a manual one); the default counts from construction.
    void setClock(Clock clock);

    Faults &faults() { return m_faults; }
    RequestLog &requests() { return m_log; }
    const RequestLog &requests() const { return m_log; }

    // The cable: unplugged, the unit hears nothing and forgets its state; plugged in
    // again it is as after power-up (not restarted).
    void unplug();
    void replug();
    bool pluggedIn() const { return m_plugged.load(); }
    // Frames that arrived while unplugged (and were not heard).
    int ignoredFrames() const { return m_ignoredFrames.load(); }

    // The line's speed and frame, which the pseudo-terminal server gives every byte's
    // wire time; a baud rate of 0 for none.
    void setLineFormat(const LineFormat &format);
    LineFormat lineFormat() const;

    // The serial adapter, which the program serving the unit owns: a switch that pulls it
    // out (false: the device closes and its path goes) or plugs it in again (true: a new
    // device under the same path).  It answers whether it could; without one the adapter
    // cannot be pulled.  Set before the control channel starts.
    using AdapterSwitch = std::function<bool(bool in)>;
    void setAdapterSwitch(AdapterSwitch adapterSwitch) { m_adapterSwitch = std::move(adapterSwitch); }
    bool switchAdapter(bool in) const { return m_adapterSwitch && m_adapterSwitch(in); }
    bool hasAdapterSwitch() const { return static_cast<bool>(m_adapterSwitch); }

    // Plant control.
    void setPoint(const PlantAddress &address, double value, bool bad);
    void fixPoint(const PointFix &fix);
    void releasePoint(const PlantAddress &address);
    void setModuleStatus(int status);

    // Observation of the unit's state.
    bool online() const;
    bool restarted() const;
    std::optional<OutputRecord> lastOutput(int index) const;
    PointEntry point(int index) const;
    std::optional<FunctionBlock> block(const PlantAddress &address) const;
    // Sets spec n of the block at address; false when there is no such block or spec, or
    // the value does not fit its format.
    bool setBlockSpec(const PlantAddress &address, int n, double value);
    // Adds a function block, replacing one at the same address.
    void putBlock(FunctionBlock block);
    // "plugged=1 restarted=1 online=1 established=N connected=N requests=N invalid=N".
    std::string statusLine() const;

private:
    std::optional<Outgoing> answer(std::span<const std::uint8_t> payload);
    double now() const;

    mutable std::mutex m_mutex;  // guards the responder, the clock and the random numbers
    Responder m_responder;
    Clock m_clock;
    std::mt19937_64 m_random;
    std::atomic<bool> m_plugged{true};
    std::atomic<int> m_ignoredFrames{0};
    LineFormat m_line;  // guarded by m_mutex
    AdapterSwitch m_adapterSwitch;
    Faults m_faults;
    RequestLog m_log;
};

}  // namespace ciusim
