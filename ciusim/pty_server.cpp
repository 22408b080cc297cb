// The simulated CIU on a pseudo-terminal: see pty_server.h.
#include "ciusim/pty_server.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <ctime>
#include <poll.h>
#include <sys/prctl.h>
#include <unistd.h>

namespace ciusim {

namespace {

using SteadyClock = std::chrono::steady_clock;

constexpr int kHangupPauseMs = 20;  // poll pause while the line reports a hang-up

}  // namespace

PtyServer::PtyServer(SimConfig config, std::uint64_t seed) : m_unit(config, seed) {}

PtyServer::~PtyServer() { stop(); }

bool PtyServer::start(const std::string &linkPath)
{
    if (running()) {
        setError("the simulator is already serving");
        return false;
    }
    std::string error;
    bool ok = m_pty.open(error) && m_wake.open(error) &&
              (linkPath.empty() || m_link.create(linkPath, m_pty.slavePath(), error));
    if (!ok) {
        setError(error);
        m_pty.close();
        m_wake.close();
        return false;
    }
    m_devicePath = m_pty.slavePath();
    m_linkPath = linkPath;
    m_devicePulled = false;
    m_stopping.store(false);
    m_thread = std::thread([this] { serve(); });
    return true;
}

void PtyServer::stop()
{
    if (!running())
        return;
    m_stopping.store(true);
    m_wake.signal();
    m_thread.join();
    m_link.remove();
    m_pty.close();
    m_wake.close();
    m_splitter.clear();
    m_heard.clear();
    m_output.dropAll();
}

bool PtyServer::unplugDevice()
{
    if (!running())
        return false;
    m_unit.unplug();
    stop();
    m_devicePulled = true;
    return true;
}

bool PtyServer::replugDevice()
{
    if (!m_devicePulled || !start(m_linkPath))
        return false;
    m_unit.replug();
    return true;
}

std::string PtyServer::errorText() const
{
    std::lock_guard lock(m_errorMutex);
    return m_error;
}

void PtyServer::setError(const std::string &text)
{
    std::lock_guard lock(m_errorMutex);
    m_error = text;
}

void PtyServer::serve()
{
    // A line's timing wants timers that fire when asked, not up to the default 50 us
    // later: the server plays the CIU's hardware.
    ::prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL);
    bool hungUp = false;
    while (!m_stopping.load()) {
        followLineFormat();
        const Polled polled = pollOnce(hungUp);
        if (polled == Polled::Failed)
            return;
        hungUp = polled == Polled::HungUp;
        answerHeard(SteadyClock::now());
        flushOutput();
    }
}

// One wait for the line, the wake-up, the next frame heard or the next byte out; reads
// what came.  Failed (with the error set) when polling fails; HungUp when the line
// reports a hang-up.
PtyServer::Polled PtyServer::pollOnce(bool hungUp)
{
    const SteadyClock::time_point now = SteadyClock::now();
    std::array<pollfd, 2> fds{};
    fds[0] = {m_wake.fd(), POLLIN, 0};
    fds[1] = {m_pty.master(), static_cast<short>(m_output.canWrite(now) ? POLLOUT : 0), 0};
    if (!hungUp)
        fds[1].events |= POLLIN;
    std::chrono::nanoseconds wait = hungUp ? std::chrono::milliseconds(kHangupPauseMs) : m_output.timeout(now);
    if (!m_heard.empty() && (wait.count() < 0 || m_heard.front().at - now < wait))
        wait = std::max(std::chrono::nanoseconds(0), m_heard.front().at - now);
    timespec limit{};
    if (wait.count() >= 0) {
        wait = std::min<std::chrono::nanoseconds>(wait, std::chrono::seconds(60));
        limit.tv_sec = static_cast<time_t>(wait.count() / 1000000000);
        limit.tv_nsec = static_cast<long>(wait.count() % 1000000000);
    }
    const int rc = ::ppoll(fds.data(), hungUp ? 1 : 2, wait.count() >= 0 ? &limit : nullptr, nullptr);
    if (rc < 0 && errno != EINTR) {
        setError(std::string("poll failed: ") + std::strerror(errno));
        return Polled::Failed;
    }
    if (rc > 0 && (fds[0].revents & POLLIN))
        m_wake.drain();
    if (rc > 0 && (fds[1].revents & POLLIN))
        return readInput() ? Polled::Fine : Polled::HungUp;
    if (rc > 0 && (fds[1].revents & (POLLHUP | POLLERR)))
        return Polled::HungUp;
    return Polled::Fine;
}

// Reads what the line holds; false when the line reports a hang-up.
bool PtyServer::readInput()
{
    std::array<std::uint8_t, 4096> buffer{};
    for (;;) {
        ssize_t n = ::read(m_pty.master(), buffer.data(), buffer.size());
        if (n > 0) {
            takeBytes(std::span(buffer.data(), static_cast<std::size_t>(n)));
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        return n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK);
    }
}

// The line format the control channel set last, for what comes in and goes out from now.
void PtyServer::followLineFormat() { m_output.setCharacterTime(characterTime(m_unit.lineFormat())); }

// Bytes read now arrived one character time after another, from when the line was last
// free; a frame is heard when its 0x0D (or the byte that makes it over-long) arrived.
void PtyServer::takeBytes(std::span<const std::uint8_t> bytes)
{
    followLineFormat();
    const std::chrono::nanoseconds character = m_output.characterTime();
    const SteadyClock::time_point base = std::max(SteadyClock::now(), m_inputFree);
    std::size_t start = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] != 0x0D && i + 1 < bytes.size())
            continue;
        m_splitter.append(bytes.subspan(start, i + 1 - start));
        start = i + 1;
        const SteadyClock::time_point arrived = base + character * static_cast<long long>(i + 1);
        while (std::optional<std::vector<std::uint8_t>> frame = m_splitter.next())
            m_heard.push_back(Heard{arrived, std::move(*frame)});
    }
    m_inputFree = base + character * static_cast<long long>(bytes.size());
    m_bytesHeard += bytes.size();
}

// The reply's delay counts from when the request was heard.
void PtyServer::answerHeard(SteadyClock::time_point now)
{
    while (!m_heard.empty() && m_heard.front().at <= now) {
        const Heard heard = std::move(m_heard.front());
        m_heard.pop_front();
        if (std::optional<CiuUnit::Outgoing> out = m_unit.handleFrame(heard.frame))
            m_output.schedule(std::move(out->bytes), out->delayMs, heard.at);
    }
}

// An unplugged unit says nothing, not even what it meant to say before.
void PtyServer::flushOutput()
{
    if (!m_unit.pluggedIn()) {
        m_output.dropAll();
        return;
    }
    const std::uint64_t before = m_output.written();
    if (!m_output.writeDue(m_pty.master(), SteadyClock::now()))
        m_output.dropAll();
    m_bytesSent += m_output.written() - before;
}

}  // namespace ciusim
