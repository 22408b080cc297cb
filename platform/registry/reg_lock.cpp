// Takes turns between programs that write the same settings file: see reg_lock.h.
#include "platform/registry/reg_lock.h"

#include <QFile>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <thread>
#include <unistd.h>

namespace tk70::reg {

namespace {

constexpr auto kLockWait = std::chrono::seconds(5);
constexpr auto kRetryPause = std::chrono::milliseconds(2);

QString systemError() { return QString::fromLocal8Bit(std::strerror(errno)); }

}  // namespace

FileLock::FileLock(const QString &path)
{
    const QString lockPath = path + QStringLiteral(".lock");
    m_fd = ::open(QFile::encodeName(lockPath).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (m_fd < 0) {
        m_error = QStringLiteral("cannot open the lock file %1: %2").arg(lockPath, systemError());
        return;
    }
    const auto deadline = std::chrono::steady_clock::now() + kLockWait;
    while (::flock(m_fd, LOCK_EX | LOCK_NB) != 0) {
        if (errno != EWOULDBLOCK && errno != EINTR) {
            m_error = QStringLiteral("cannot lock %1: %2").arg(lockPath, systemError());
            return;
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            m_error = QStringLiteral("another program has kept %1 locked for too long").arg(lockPath);
            return;
        }
        std::this_thread::sleep_for(kRetryPause);
    }
    m_locked = true;
}

FileLock::~FileLock()
{
    if (m_fd >= 0)
        ::close(m_fd);  // releases the lock
}

}  // namespace tk70::reg
