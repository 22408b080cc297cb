// The simulated CIU on a pseudo-terminal: see pty_server.h.
#include "ciusim/pty_server.h"

#include <array>
#include <cerrno>
#include <cstring>
#include <poll.h>
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
    bool hungUp = false;
    while (!m_stopping.load()) {
        std::array<pollfd, 2> fds{};
        fds[0] = {m_wake.fd(), POLLIN, 0};
        fds[1] = {m_pty.master(), static_cast<short>(m_output.hasDueBytes() ? POLLOUT : 0), 0};
        if (!hungUp)
            fds[1].events |= POLLIN;
        int timeout = hungUp ? kHangupPauseMs : m_output.timeoutMs(SteadyClock::now());
        int rc = ::poll(fds.data(), hungUp ? 1 : 2, timeout);
        if (rc < 0 && errno != EINTR) {
            setError(std::string("poll failed: ") + std::strerror(errno));
            return;
        }
        if (rc > 0 && (fds[0].revents & POLLIN))
            m_wake.drain();
        hungUp = false;
        if (rc > 0 && (fds[1].revents & POLLIN))
            hungUp = !readInput();
        else if (rc > 0 && (fds[1].revents & (POLLHUP | POLLERR)))
            hungUp = true;
        flushOutput();
    }
}

// Reads what the line holds; false when the line reports a hang-up.
bool PtyServer::readInput()
{
    std::array<std::uint8_t, 4096> buffer{};
    for (;;) {
        ssize_t n = ::read(m_pty.master(), buffer.data(), buffer.size());
        if (n > 0) {
            m_splitter.append(std::span(buffer.data(), static_cast<std::size_t>(n)));
            answerFrames();
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        return n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK);
    }
}

void PtyServer::answerFrames()
{
    while (std::optional<std::vector<std::uint8_t>> frame = m_splitter.next()) {
        if (std::optional<CiuUnit::Outgoing> out = m_unit.handleFrame(*frame))
            m_output.schedule(std::move(out->bytes), out->delayMs, SteadyClock::now());
    }
}

// An unplugged unit says nothing, not even what it meant to say before.
void PtyServer::flushOutput()
{
    if (!m_unit.pluggedIn()) {
        m_output.dropAll();
        return;
    }
    if (!m_output.writeDue(m_pty.master(), SteadyClock::now()))
        m_output.dropAll();
}

}  // namespace ciusim
