// A symbolic link that names the simulator's device at a fixed path (for example the
// path a driver's port setting points at).  A stale link there is replaced; anything
// that is not a symbolic link is left alone and refused.  The link is removed again when
// it still points at the device.
#pragma once

#include <string>

namespace ciusim {

class DeviceLink {
public:
    DeviceLink() = default;
    ~DeviceLink();
    DeviceLink(const DeviceLink &) = delete;
    DeviceLink &operator=(const DeviceLink &) = delete;

    bool create(const std::string &linkPath, const std::string &target, std::string &error);
    void remove();

private:
    std::string m_path;
    std::string m_target;
};

}  // namespace ciusim
