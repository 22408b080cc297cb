// Which device "COM<n>" stands for on this machine.
//
// The driver keeps the name "COM<n>" in its log lines; the device opened is the path set
// with CiuSetPortDevice for that port, else the environment variable TK70_COM<n>, else
// /dev/ttyS<n-1>.
#pragma once

#include <string>

namespace vantor {

// "COM" followed by the port number.
std::string portName(int port);
// The device path for a port number.
std::string resolvePortDevice(int port);
// Sets (or, with an empty path, forgets) the device of a port; false when refused.
bool setPortDevice(int port, const char *path);

}  // namespace vantor
