// The device's symbolic link: see device_link.h.
#include "ciusim/device_link.h"

#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace ciusim {

namespace {

// The target a symbolic link points at, or empty.
std::string linkTarget(const std::string &path)
{
    std::vector<char> buffer(4096);
    ssize_t n = ::readlink(path.c_str(), buffer.data(), buffer.size());
    return n > 0 ? std::string(buffer.data(), static_cast<std::size_t>(n)) : std::string();
}

}  // namespace

DeviceLink::~DeviceLink() { remove(); }

bool DeviceLink::create(const std::string &linkPath, const std::string &target, std::string &error)
{
    remove();
    struct stat info {};
    if (::lstat(linkPath.c_str(), &info) == 0) {
        if (!S_ISLNK(info.st_mode)) {
            error = "refusing to replace " + linkPath + ": it exists and is not a symbolic link";
            return false;
        }
        ::unlink(linkPath.c_str());
    }
    if (::symlink(target.c_str(), linkPath.c_str()) != 0) {
        error = "cannot create the link " + linkPath + ": " + std::strerror(errno);
        return false;
    }
    m_path = linkPath;
    m_target = target;
    return true;
}

void DeviceLink::remove()
{
    if (!m_path.empty() && linkTarget(m_path) == m_target)
        ::unlink(m_path.c_str());
    m_path.clear();
    m_target.clear();
}

}  // namespace ciusim
