// A scripted CIU on a pseudo-terminal: see pty_peer.h.
#include "tests/support/pty_peer.h"

#include "driver/framing.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <stdexcept>
#include <termios.h>
#include <unistd.h>

namespace tk70test {

PtyPeer::PtyPeer()
{
    m_master = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (m_master < 0 || grantpt(m_master) != 0 || unlockpt(m_master) != 0)
        throw std::runtime_error("cannot open a pseudo-terminal");
    m_devicePath = ptsname(m_master);
    m_slaveKeeper = ::open(m_devicePath.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    termios tio{};
    tcgetattr(m_slaveKeeper, &tio);
    cfmakeraw(&tio);
    tcsetattr(m_slaveKeeper, TCSANOW, &tio);
    if (pipe2(m_wake, O_CLOEXEC) != 0)
        throw std::runtime_error("cannot create a pipe");
    m_thread = std::thread([this] { serve(); });
}

PtyPeer::~PtyPeer()
{
    (void)!::write(m_wake[1], "x", 1);
    m_thread.join();
    for (int fd : {m_master, m_slaveKeeper, m_wake[0], m_wake[1]})
        if (fd >= 0)
            ::close(fd);
}

void PtyPeer::replyPayload(Bytes payload)
{
    std::lock_guard lock(m_mutex);
    m_script.push_back(PeerReply{PeerReply::Payload, std::move(payload)});
}

void PtyPeer::replyRaw(Bytes raw)
{
    std::lock_guard lock(m_mutex);
    m_script.push_back(PeerReply{PeerReply::Raw, std::move(raw)});
}

void PtyPeer::replySilence()
{
    std::lock_guard lock(m_mutex);
    m_script.push_back(PeerReply{});
}

std::vector<PeerRequest> PtyPeer::requests() const
{
    std::lock_guard lock(m_mutex);
    return m_requests;
}

bool PtyPeer::waitForRequests(std::size_t count, std::chrono::milliseconds deadline) const
{
    std::unique_lock lock(m_mutex);
    return m_changed.wait_for(lock, deadline, [&] { return m_requests.size() >= count; });
}

void PtyPeer::answer(const Bytes &raw)
{
    PeerRequest request{raw, {}, false};
    Bytes decoded(vantor::kMaxDecodedReply);
    vantor::DecodedFrame f = vantor::decodeFrame(raw, decoded);
    if (f.error == vantor::FrameError::None) {
        request.payload.assign(decoded.begin(), decoded.begin() + static_cast<long>(f.length) - 1);
        request.valid = true;
    }
    PeerReply reply;
    {
        // The request is on record before its reply leaves, so a caller that has its reply
        // always finds its request.
        std::lock_guard lock(m_mutex);
        if (!m_script.empty()) {
            reply = std::move(m_script.front());
            m_script.pop_front();
        }
        m_requests.push_back(std::move(request));
        m_changed.notify_all();
    }
    Bytes out = reply.kind == PeerReply::Payload ? vantor::frameBytes(reply.bytes) : reply.bytes;
    if (!out.empty())
        (void)!::write(m_master, out.data(), out.size());
}

void PtyPeer::serve()
{
    Bytes pending;
    for (;;) {
        pollfd p[2] = {{m_master, POLLIN, 0}, {m_wake[0], POLLIN, 0}};
        if (poll(p, 2, -1) < 0 && errno == EINTR)
            continue;
        if (p[1].revents & POLLIN)
            return;
        std::uint8_t buffer[4096];
        ssize_t n = ::read(m_master, buffer, sizeof buffer);
        if (n <= 0) {
            poll(p + 1, 1, 20);  // the driver's side is closed for now
            continue;
        }
        for (ssize_t i = 0; i < n; ++i) {
            pending.push_back(buffer[i]);
            if (buffer[i] == vantor::kFrameEnd) {
                answer(pending);
                pending.clear();
            }
        }
    }
}

}  // namespace tk70test
