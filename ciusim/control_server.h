// The control channel of a running simulator: a Unix stream socket, readable and
// writable by its owner only, that takes text lines and answers each with one line (see
// control_commands.h).  Serves on its own thread; stopping is prompt.
#pragma once

#include "ciusim/ciu_unit.h"
#include "ciusim/wake_event.h"

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace ciusim {

class ControlServer {
public:
    explicit ControlServer(CiuUnit &unit) : m_unit(unit) {}
    ~ControlServer();
    ControlServer(const ControlServer &) = delete;
    ControlServer &operator=(const ControlServer &) = delete;

    // Listens at the path; a stale socket there is replaced, anything else refused.
    bool start(const std::string &socketPath);
    // Stops serving, closes every connection and removes the socket.
    void stop();
    std::string errorText() const;

    static constexpr std::size_t kMaxLine = 4096;
    static constexpr std::size_t kMaxClients = 16;

private:
    struct Client {
        int fd;
        std::string pending;
    };

    bool listenAt(const std::string &socketPath, std::string &error);
    void serve();
    void acceptClient();
    bool serveClient(Client &client);
    void closeAll();
    void setError(const std::string &text);

    CiuUnit &m_unit;
    int m_listen = -1;
    std::string m_path;
    WakeEvent m_wake;
    std::vector<Client> m_clients;
    std::atomic<bool> m_stopping{false};
    std::thread m_thread;
    mutable std::mutex m_errorMutex;
    std::string m_error;
};

}  // namespace ciusim
