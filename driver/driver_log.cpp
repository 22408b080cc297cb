// The driver's log file: see driver_log.h.
#include "driver/driver_log.h"

#include "driver/comm_access.h"

#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <fcntl.h>
#include <string>
#include <unistd.h>

namespace vantor {

namespace {

const char *const kWeekdays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
const char *const kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

void writeAll(int fd, const char *data, std::size_t size)
{
    while (size > 0) {
        ssize_t n = ::write(fd, data, size);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return;
        data += n;
        size -= static_cast<std::size_t>(n);
    }
}

}  // namespace

std::size_t formatLogStamp(const std::tm &local, char (&out)[32])
{
    int n =
        std::snprintf(out, sizeof out, "%s %s %02d %02d:%02d:%02d  ", kWeekdays[(local.tm_wday % 7 + 7) % 7],
                      kMonths[(local.tm_mon % 12 + 12) % 12], local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec);
    return n < 0 ? 0 : static_cast<std::size_t>(n);
}

bool DriverLog::create(const char *path)
{
    std::lock_guard lock(m_mutex);
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = ::open(path, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    return m_fd >= 0;
}

void DriverLog::close()
{
    std::lock_guard lock(m_mutex);
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
}

bool DriverLog::detailedEnabled() const { return loadField(m_comm.LogFileDetailed) != 0; }

void DriverLog::line(const char *text)
{
    if (loadField(m_comm.LogFileEnabled) == 0)
        return;
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char stamp[32];
    std::string out(stamp, formatLogStamp(local, stamp));
    out += text;
    std::lock_guard lock(m_mutex);
    if (m_fd >= 0)
        writeAll(m_fd, out.data(), out.size());
}

void DriverLog::vformat(const char *fmt, va_list args)
{
    char text[512];
    std::vsnprintf(text, sizeof text, fmt, args);
    line(text);
}

void DriverLog::format(const char *fmt, ...)
{
    va_list args;
    va_start(args, fmt);
    vformat(fmt, args);
    va_end(args);
}

void DriverLog::detailed(const char *fmt, ...)
{
    if (!detailedEnabled())
        return;
    va_list args;
    va_start(args, fmt);
    vformat(fmt, args);
    va_end(args);
}

}  // namespace vantor
