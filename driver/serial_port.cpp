// The serial port the CIU hangs on: see serial_port.h.
#include "driver/serial_port.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <linux/serial.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace vantor {

namespace {

long long monotonicMs()
{
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<long long>(ts.tv_sec) * 1000 + ts.tv_nsec / 1000000;
}

bool speedFor(int baudRate, speed_t &speed)
{
    static const struct {
        int rate;
        speed_t speed;
    } kSpeeds[] = {
        {50, B50},         {75, B75},         {110, B110},         {134, B134},       {150, B150},
        {200, B200},       {300, B300},       {600, B600},         {1200, B1200},     {1800, B1800},
        {2400, B2400},     {4800, B4800},     {9600, B9600},       {19200, B19200},   {38400, B38400},
        {57600, B57600},   {115200, B115200}, {230400, B230400},   {460800, B460800}, {500000, B500000},
        {576000, B576000}, {921600, B921600}, {1000000, B1000000},
    };
    for (const auto &entry : kSpeeds) {
        if (entry.rate == baudRate) {
            speed = entry.speed;
            return true;
        }
    }
    return false;
}

bool characterSize(int dataBits, tcflag_t &flag)
{
    switch (dataBits) {
    case 5: flag = CS5; return true;
    case 6: flag = CS6; return true;
    case 7: flag = CS7; return true;
    case 8: flag = CS8; return true;
    default: return false;
    }
}

bool parityFlags(int parity, tcflag_t &flags)
{
    switch (parity) {
    case 0: flags = 0; return true;
    case 1: flags = PARENB | PARODD; return true;
    case 2: flags = PARENB; return true;
    case 3: flags = PARENB | PARODD | CMSPAR; return true;
    case 4: flags = PARENB | CMSPAR; return true;
    default: return false;
    }
}

std::atomic<LineErrorSource> g_lineErrorSource{nullptr};

// The line's error count so far; false when the device keeps none (a pseudo-terminal).
bool lineErrorCount(int fd, long long &errors)
{
    if (LineErrorSource source = g_lineErrorSource.load())
        return source(fd, errors);
    serial_icounter_struct counts{};
    if (ioctl(fd, TIOCGICOUNT, &counts) != 0)
        return false;
    errors = static_cast<long long>(counts.frame) + counts.parity + counts.overrun + counts.buf_overrun + counts.brk;
    return true;
}

}  // namespace

bool applyLineSettings(const LineSettings &settings, termios &tio)
{
    speed_t speed{};
    tcflag_t size{};
    tcflag_t parity{};
    if (!speedFor(settings.baudRate, speed) || !characterSize(settings.dataBits, size) ||
        !parityFlags(settings.parity, parity) || settings.stopBits < 0 || settings.stopBits > 2)
        return false;
    cfmakeraw(&tio);
    tio.c_cflag &= ~(CSIZE | PARENB | PARODD | CMSPAR | CSTOPB | CRTSCTS);
    tio.c_cflag |= CLOCAL | CREAD | size | parity;
    if (settings.stopBits != 0)
        tio.c_cflag |= CSTOPB;
    tio.c_iflag &= ~(IXON | IXOFF | IXANY | IGNPAR | PARMRK);
    if (settings.parity != 0)
        tio.c_iflag |= INPCK;
    tio.c_cc[VMIN] = 0;
    tio.c_cc[VTIME] = 0;
    cfsetispeed(&tio, speed);
    cfsetospeed(&tio, speed);
    return true;
}

SerialPort::~SerialPort() { close(); }

bool SerialPort::open(const std::string &path, std::string &error)
{
    close();
    int wake = eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
    if (wake < 0) {
        error = std::strerror(errno);
        return false;
    }
    m_path = path;
    m_haveSettings = false;
    if (!openDevice(error)) {
        ::close(wake);
        return false;
    }
    m_wakeFd = wake;
    m_interrupted.store(false);
    return true;
}

bool SerialPort::openDevice(std::string &error)
{
    int fd = ::open(m_path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        error = std::strerror(errno);
        return false;
    }
    // The port is for this program alone: the terminal's exclusive mode refuses later opens
    // (except a privileged user's) and the advisory lock refuses anyone who asks for it as
    // well, privileged or not.  A port another program holds fails like any refused open.
    (void)ioctl(fd, TIOCEXCL);
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        error = std::strerror(errno == EWOULDBLOCK ? EBUSY : errno);
        ::close(fd);
        return false;
    }
    m_fd = fd;
    m_hungUp = false;
    m_lineErrors = -1;
    m_haveSavedSettings = tcgetattr(m_fd, &m_savedSettings) == 0;
    return true;
}

bool SerialPort::reopen(std::string &error)
{
    closeDevice();
    if (m_path.empty()) {
        error = std::strerror(ENOENT);
        return false;
    }
    if (!openDevice(error))
        return false;
    if (m_haveSettings && !configure(m_settings)) {
        error = "the line settings were refused";
        closeDevice();
        return false;
    }
    return true;
}

bool SerialPort::configure(const LineSettings &settings)
{
    m_settings = settings;
    m_haveSettings = true;
    termios tio{};
    if (m_fd < 0 || tcgetattr(m_fd, &tio) != 0)
        return false;
    if (!applyLineSettings(settings, tio))
        return false;
    return tcsetattr(m_fd, TCSANOW, &tio) == 0;
}

void SerialPort::closeDevice()
{
    if (m_fd >= 0) {
        if (m_haveSavedSettings)
            (void)tcsetattr(m_fd, TCSANOW, &m_savedSettings);
        (void)ioctl(m_fd, TIOCNXCL);
        ::close(m_fd);
    }
    m_fd = -1;
    m_haveSavedSettings = false;
}

void SerialPort::close()
{
    closeDevice();
    if (m_wakeFd >= 0)
        ::close(m_wakeFd);
    m_wakeFd = -1;
    m_hungUp = false;
}

void SerialPort::setControlLines(bool on)
{
    if (m_fd < 0)
        return;
    int lines = TIOCM_DTR | TIOCM_RTS;
    (void)ioctl(m_fd, on ? TIOCMBIS : TIOCMBIC, &lines);
}

void SerialPort::purge()
{
    if (m_fd < 0)
        return;
    (void)tcflush(m_fd, TCIOFLUSH);
    clearLineErrors();
}

bool SerialPort::write(const std::uint8_t *data, std::size_t size, int timeoutMs)
{
    if (m_fd < 0 || m_hungUp)
        return false;
    long long deadline = monotonicMs() + (timeoutMs < 0 ? 0 : timeoutMs);
    while (size > 0) {
        ssize_t n = ::write(m_fd, data, size);
        if (n > 0) {
            data += n;
            size -= static_cast<std::size_t>(n);
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno != EAGAIN)
            return noteFailure(errno);
        long long left = deadline - monotonicMs();
        pollfd p{m_fd, POLLOUT, 0};
        if (left <= 0 || (poll(&p, 1, static_cast<int>(left)) < 0 && errno != EINTR))
            return false;
        if (p.revents & (POLLERR | POLLHUP | POLLNVAL)) {
            m_hungUp = true;
            return false;
        }
    }
    (void)tcdrain(m_fd);
    return true;
}

void setLineErrorSource(LineErrorSource source) { g_lineErrorSource.store(source); }

bool SerialPort::lineErrorSinceLastCheck()
{
    long long errors = 0;
    if (!lineErrorCount(m_fd, errors))
        return false;
    bool changed = m_lineErrors >= 0 && errors != m_lineErrors;
    m_lineErrors = errors;
    return changed;
}

void SerialPort::clearLineErrors()
{
    long long errors = 0;
    m_lineErrors = lineErrorCount(m_fd, errors) ? errors : -1;
}

bool SerialPort::waitReadable(long long deadlineMs, bool watchWake)
{
    for (;;) {
        long long left = deadlineMs - monotonicMs();
        if (left <= 0)
            return false;
        pollfd p[2] = {{m_fd, POLLIN, 0}, {m_wakeFd, POLLIN, 0}};
        int rc = poll(p, watchWake ? 2 : 1, static_cast<int>(left));
        if (rc < 0 && errno == EINTR)
            continue;
        if (rc <= 0)
            return false;
        // Data already here is taken even when a wake-up is pending; otherwise the wake-up,
        // a hang-up or an error ends the wait.
        if ((p[0].revents & POLLIN) != 0)
            return true;
        if ((p[0].revents & (POLLHUP | POLLERR | POLLNVAL)) != 0)
            m_hungUp = true;
        return false;
    }
}

std::size_t SerialPort::readFrame(std::uint8_t *buffer, std::size_t capacity, int timeoutMs)
{
    if (m_fd < 0 || m_hungUp || capacity == 0)
        return 0;
    if (lineErrorSinceLastCheck()) {
        purge();
        return 0;
    }
    bool interrupted = m_interrupted.load();
    if (interrupted)
        timeoutMs = std::min(timeoutMs, kGraceAfterInterruptMs);
    long long deadline = monotonicMs() + (timeoutMs < 0 ? 0 : timeoutMs);
    std::size_t held = 0;
    while (held < capacity) {
        if (!waitReadable(deadline, !interrupted))
            return 0;
        ssize_t n = ::read(m_fd, buffer + held, capacity - held);
        if (n < 0 && (errno == EINTR || errno == EAGAIN))
            continue;
        if (n <= 0) {
            m_hungUp = true;  // end of file or an error such as EIO: the device has gone
            return 0;
        }
        bool ended = std::memchr(buffer + held, 0x0D, static_cast<std::size_t>(n)) != nullptr;
        held += static_cast<std::size_t>(n);
        if (ended)
            return held;
    }
    return held;
}

bool SerialPort::noteFailure(int error)
{
    if (error == EIO || error == ENXIO || error == ENODEV || error == EBADF)
        m_hungUp = true;
    return false;
}

void SerialPort::interrupt()
{
    m_interrupted.store(true);
    if (m_wakeFd >= 0) {
        std::uint64_t one = 1;
        (void)::write(m_wakeFd, &one, sizeof one);
    }
}

}  // namespace vantor
