// The claim of a collector on its output file: see output_lock.h.
#include "platform/output_lock.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#include <utility>

namespace tk70 {
namespace {

QString systemError() { return QString::fromLocal8Bit(std::strerror(errno)); }

// Opens the file, creating it only when it is missing; created tells which it was.
int openOrCreate(const QByteArray &name, bool &created)
{
    for (;;) {
        int fd = ::open(name.constData(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) {
            created = fd >= 0;
            return fd;
        }
        fd = ::open(name.constData(), O_RDWR | O_CLOEXEC);
        if (fd >= 0 || errno != ENOENT) {  // removed between the two opens: try again
            created = false;
            return fd;
        }
    }
}

}  // namespace

OutputLock::OutputLock(OutputLock &&other) noexcept
    : m_fd(std::exchange(other.m_fd, -1)), m_created(other.m_created), m_error(std::move(other.m_error))
{
}

OutputLock &OutputLock::operator=(OutputLock &&other) noexcept
{
    if (this != &other) {
        release();
        m_fd = std::exchange(other.m_fd, -1);
        m_created = other.m_created;
        m_error = std::move(other.m_error);
    }
    return *this;
}

OutputLock::Result OutputLock::acquire(const QString &path)
{
    release();
    m_error.clear();
    bool created = false;
    const int fd = openOrCreate(QFile::encodeName(path), created);
    if (fd < 0) {
        m_error = systemError();
        return Result::Failed;
    }
    int locked;
    do
        locked = ::flock(fd, LOCK_EX | LOCK_NB);
    while (locked != 0 && errno == EINTR);
    if (locked != 0) {
        const bool held = errno == EWOULDBLOCK;
        m_error = systemError();
        ::close(fd);
        return held ? Result::Held : Result::Failed;
    }
    m_fd = fd;
    m_created = created;
    return Result::Locked;
}

bool OutputLock::truncate()
{
    if (m_fd < 0) {
        errno = EBADF;
        return false;
    }
    int cut;
    do
        cut = ::ftruncate(m_fd, 0);
    while (cut != 0 && errno == EINTR);
    return cut == 0;
}

void OutputLock::release()
{
    if (m_fd >= 0)
        ::close(m_fd);  // the last descriptor of the open file: the lock goes with it
    m_fd = -1;
    m_created = false;
}

}  // namespace tk70
