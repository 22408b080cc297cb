// The control channel's socket server: see control_server.h.
#include "ciusim/control_server.h"

#include "ciusim/control_commands.h"
#include "ciusim/unix_socket.h"

#include <cerrno>
#include <cstring>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

namespace ciusim {

ControlServer::~ControlServer() { stop(); }

bool ControlServer::start(const std::string &socketPath)
{
    std::string error;
    if (m_thread.joinable())
        error = "the control channel is already open";
    else if (m_wake.open(error) && listenAt(socketPath, error)) {
        m_stopping.store(false);
        m_thread = std::thread([this] { serve(); });
        return true;
    }
    setError(error);
    m_wake.close();
    return false;
}

bool ControlServer::listenAt(const std::string &socketPath, std::string &error)
{
    sockaddr_un address{};
    struct stat info {};
    if (!socketAddress(socketPath, address))
        error = "the socket path is empty or too long: " + socketPath;
    else if (::lstat(socketPath.c_str(), &info) == 0 && !S_ISSOCK(info.st_mode))
        error = "refusing to replace " + socketPath + ": it exists and is not a socket";
    else if (socketIsLive(socketPath))
        error = "another program listens at " + socketPath;
    if (!error.empty())
        return false;
    ::unlink(socketPath.c_str());
    m_listen = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    mode_t previous = ::umask(0177);  // the socket is created for its owner only
    bool bound = m_listen >= 0 && ::bind(m_listen, reinterpret_cast<sockaddr *>(&address), sizeof address) == 0;
    ::umask(previous);
    if (!bound || ::chmod(socketPath.c_str(), 0600) != 0 || ::listen(m_listen, 8) != 0) {
        error = "cannot listen at " + socketPath + ": " + std::strerror(errno);
        closeAll();
        return false;
    }
    m_path = socketPath;
    return true;
}

void ControlServer::stop()
{
    if (m_thread.joinable()) {
        m_stopping.store(true);
        m_wake.signal();
        m_thread.join();
    }
    closeAll();
    m_wake.close();
}

void ControlServer::closeAll()
{
    for (const Client &client : m_clients)
        ::close(client.fd);
    m_clients.clear();
    if (m_listen >= 0)
        ::close(m_listen);
    m_listen = -1;
    if (!m_path.empty())
        ::unlink(m_path.c_str());
    m_path.clear();
}

std::string ControlServer::errorText() const
{
    std::lock_guard lock(m_errorMutex);
    return m_error;
}

void ControlServer::setError(const std::string &text)
{
    std::lock_guard lock(m_errorMutex);
    m_error = text;
}

void ControlServer::serve()
{
    while (!m_stopping.load()) {
        std::vector<pollfd> fds{{m_wake.fd(), POLLIN, 0}, {m_listen, POLLIN, 0}};
        for (const Client &client : m_clients)
            fds.push_back({client.fd, POLLIN, 0});
        if (::poll(fds.data(), fds.size(), -1) < 0) {
            if (errno == EINTR)
                continue;
            setError(std::string("poll failed: ") + std::strerror(errno));
            return;
        }
        if (fds[0].revents)
            m_wake.drain();
        for (std::size_t i = m_clients.size(); i-- > 0;) {
            if (fds[i + 2].revents && !serveClient(m_clients[i])) {
                ::close(m_clients[i].fd);
                m_clients.erase(m_clients.begin() + static_cast<std::ptrdiff_t>(i));
            }
        }
        if (fds[1].revents & POLLIN)
            acceptClient();
    }
}

void ControlServer::acceptClient()
{
    int fd = ::accept4(m_listen, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
    if (fd < 0)
        return;
    if (m_clients.size() >= kMaxClients) {
        sendAll(fd, "error: too many control connections\n");
        ::close(fd);
        return;
    }
    m_clients.push_back(Client{fd, {}});
}

// Reads what the client sent and answers each complete line; false when the connection
// is to be closed (end of input, error, or a line too long).
bool ControlServer::serveClient(Client &client)
{
    char buffer[1024];
    ssize_t n = ::recv(client.fd, buffer, sizeof buffer, 0);
    if (n < 0)
        return errno == EINTR || errno == EAGAIN || errno == EWOULDBLOCK;
    if (n == 0)
        return false;
    client.pending.append(buffer, static_cast<std::size_t>(n));
    for (std::size_t end; (end = client.pending.find('\n')) != std::string::npos;) {
        std::string line = client.pending.substr(0, end);
        client.pending.erase(0, end + 1);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!sendAll(client.fd, executeControlCommand(m_unit, line) + "\n"))
            return false;
    }
    if (client.pending.size() > kMaxLine) {
        sendAll(client.fd, "error: line too long\n");
        return false;
    }
    return true;
}

}  // namespace ciusim
