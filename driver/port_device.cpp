// Which device "COM<n>" stands for: see port_device.h.
#include "driver/port_device.h"

#include "driver/vantor.h"

#include <cstdlib>
#include <cstring>
#include <map>
#include <mutex>

namespace vantor {

namespace {

constexpr int kMaxPort = 255;
constexpr std::size_t kMaxPath = 4096;

std::mutex g_mutex;
std::map<int, std::string> &devices()
{
    static std::map<int, std::string> table;
    return table;
}

}  // namespace

std::string portName(int port) { return "COM" + std::to_string(port); }

std::string resolvePortDevice(int port)
{
    {
        std::lock_guard lock(g_mutex);
        auto it = devices().find(port);
        if (it != devices().end())
            return it->second;
    }
    std::string variable = "TK70_COM" + std::to_string(port);
    if (const char *value = std::getenv(variable.c_str()); value && *value)
        return value;
    return "/dev/ttyS" + std::to_string(port - 1);
}

bool setPortDevice(int port, const char *path)
{
    if (port < 1 || port > kMaxPort)
        return false;
    std::size_t length = path ? strnlen(path, kMaxPath) : 0;
    if (length >= kMaxPath)
        return false;
    std::lock_guard lock(g_mutex);
    if (length == 0)
        devices().erase(port);
    else
        devices()[port] = std::string(path, length);
    return true;
}

}  // namespace vantor

extern "C" int CiuSetPortDevice(int port, const char *path) { return vantor::setPortDevice(port, path) ? 1 : 0; }
