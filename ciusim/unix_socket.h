// Small helpers for the control channel's Unix stream sockets: the address of a path,
// a check for a path already taken, and a whole-buffer send.
#pragma once

#include <string>
#include <sys/un.h>

namespace ciusim {

// False when the path does not fit a socket address.
bool socketAddress(const std::string &path, sockaddr_un &address);

// True when a simulator (or anything) accepts connections at the path.
bool socketIsLive(const std::string &path);

// Sends all bytes, without SIGPIPE; false on error.
bool sendAll(int fd, const std::string &text);

}  // namespace ciusim
