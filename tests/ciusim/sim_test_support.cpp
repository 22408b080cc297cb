// Helpers for the simulator's tests: see sim_test_support.h.
#include "tests/ciusim/sim_test_support.h"

#include "ciusim/byte_order.h"
#include "ciusim/commands.h"
#include "driver/framing.h"
#include "driver/number_format.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

namespace ciusim::test {

namespace {

void appendAddress(Bytes &out, const PlantAddress &a)
{
    out.push_back(static_cast<std::uint8_t>(a.loop));
    out.push_back(static_cast<std::uint8_t>(a.pcu));
    append16(out, a.module);
    append16(out, a.block);
}

}  // namespace

Bytes restartLong(std::uint8_t watchdog) { return {command::kRestart, 0, watchdog, 2, 0, 0}; }

Bytes establish(int index, int type, const PlantAddress &address)
{
    Bytes out{command::kEstablishPoint, 0};
    append16(out, index);
    out.push_back(static_cast<std::uint8_t>(type));
    appendAddress(out, address);
    return out;
}

Bytes establishAndConnect(int index, int type, const PlantAddress &address)
{
    Bytes out = establish(index, type, address);
    out[0] = command::kEstablishAndConnect;
    out.push_back(0);
    return out;
}

Bytes listRequest(std::uint8_t command, int first, int last)
{
    Bytes out{command, 0};
    append16(out, first);
    append16(out, last);
    return out;
}

Bytes addressRequest(std::uint8_t command, const PlantAddress &address)
{
    Bytes out{command, 0};
    appendAddress(out, address);
    return out;
}

Bytes establishReport(int index, int type, int state)
{
    Bytes out{command::kEstablishReport, 0};
    append16(out, index);
    out.push_back(static_cast<std::uint8_t>(type));
    out.push_back(static_cast<std::uint8_t>(state));
    for (double v : {10.0, 20.0, 90.0, 5.0, 0.0, 0.0}) {
        Bytes r = real3(v);
        out.insert(out.end(), r.begin(), r.end());
    }
    out.push_back(0);
    return out;
}

Bytes outputValue(int index, std::uint8_t flags, double value)
{
    Bytes out{command::kOutputValue, 0};
    append16(out, index);
    out.push_back(flags);
    Bytes r = real3(value);
    out.insert(out.end(), r.begin(), r.end());
    return out;
}

Bytes tuneWrite(const PlantAddress &address, int functionCode, std::span<const std::uint8_t> values)
{
    Bytes out = addressRequest(command::kWriteTuneSpecs, address);
    out.push_back(static_cast<std::uint8_t>(functionCode));
    out.insert(out.end(), values.begin(), values.end());
    return out;
}

Bytes frame(std::span<const std::uint8_t> payload) { return vantor::frameBytes(payload); }

Bytes unframe(std::span<const std::uint8_t> wire)
{
    Bytes decoded(vantor::kMaxDecodedReply);
    vantor::DecodedFrame f = vantor::decodeFrame(wire, decoded);
    if (f.error != vantor::FrameError::None)
        return {};
    decoded.resize(f.length - 1);
    return decoded;
}

Bytes real3(double value)
{
    Bytes out(3);
    vantor::encodeReal3(value, out.data());
    return out;
}

TempDir::TempDir()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "ciusim-test-XXXXXX").string();
    if (::mkdtemp(pattern.data()))
        m_path = pattern;
}

TempDir::~TempDir()
{
    std::error_code ignored;
    if (!m_path.empty())
        std::filesystem::remove_all(m_path, ignored);
}

RawClient::RawClient(const std::string &device)
{
    m_fd = ::open(device.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC | O_NONBLOCK);
    termios settings{};
    if (m_fd >= 0 && ::tcgetattr(m_fd, &settings) == 0) {
        ::cfmakeraw(&settings);
        ::tcsetattr(m_fd, TCSANOW, &settings);
    }
}

RawClient::~RawClient()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

bool RawClient::send(std::span<const std::uint8_t> bytes)
{
    return ::write(m_fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
}

Bytes RawClient::receive(std::chrono::milliseconds timeout, std::size_t minBytes)
{
    auto deadline = std::chrono::steady_clock::now() + timeout;
    Bytes got;
    auto done = [&] {
        return minBytes ? got.size() >= minBytes : std::find(got.begin(), got.end(), 0x0D) != got.end();
    };
    while (!done()) {
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        pollfd pfd{m_fd, POLLIN, 0};
        if (left.count() <= 0 || ::poll(&pfd, 1, static_cast<int>(left.count())) <= 0)
            break;
        std::uint8_t buffer[8192];
        ssize_t n = ::read(m_fd, buffer, sizeof buffer);
        if (n <= 0 && errno != EAGAIN && errno != EINTR)
            break;
        if (n > 0)
            got.insert(got.end(), buffer, buffer + n);
    }
    return got;
}

Bytes RawClient::exchange(std::span<const std::uint8_t> payload, std::chrono::milliseconds timeout)
{
    if (!send(frame(payload)))
        return {};
    return unframe(receive(timeout));
}

bool RawClient::waitForHangup(std::chrono::milliseconds timeout)
{
    pollfd pfd{m_fd, POLLIN, 0};
    if (::poll(&pfd, 1, static_cast<int>(timeout.count())) <= 0)
        return false;
    std::uint8_t byte = 0;
    ssize_t n = ::read(m_fd, &byte, 1);
    return (pfd.revents & (POLLHUP | POLLERR)) || n == 0 || (n < 0 && errno == EIO);
}

}  // namespace ciusim::test
