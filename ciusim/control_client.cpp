// Sending one control command: see control_client.h.
#include "ciusim/control_client.h"

#include "ciusim/unix_socket.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace ciusim {

namespace {

// Reads up to the first newline or until the deadline.
bool readLine(int fd, std::string &line, std::chrono::steady_clock::time_point deadline)
{
    line.clear();
    for (;;) {
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        pollfd pfd{fd, POLLIN, 0};
        int rc = ::poll(&pfd, 1, static_cast<int>(std::max<long long>(left.count(), 0)));
        if (rc < 0 && errno == EINTR)
            continue;
        if (rc <= 0)
            return false;
        char c = 0;
        ssize_t n = ::recv(fd, &c, 1, 0);
        if (n <= 0)
            return false;
        if (c == '\n')
            return true;
        line.push_back(c);
    }
}

}  // namespace

bool sendControlCommand(const std::string &socketPath, const std::string &line, std::string &answer,
                        std::chrono::milliseconds timeout)
{
    sockaddr_un address{};
    if (!socketAddress(socketPath, address)) {
        answer = "the socket path is empty or too long: " + socketPath;
        return false;
    }
    int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0 || ::connect(fd, reinterpret_cast<sockaddr *>(&address), sizeof address) != 0) {
        answer = "cannot connect to " + socketPath + ": " + std::strerror(errno);
        if (fd >= 0)
            ::close(fd);
        return false;
    }
    bool ok = sendAll(fd, line + "\n") && readLine(fd, answer, std::chrono::steady_clock::now() + timeout);
    if (!ok)
        answer = "no answer from " + socketPath;
    ::close(fd);
    return ok;
}

}  // namespace ciusim
