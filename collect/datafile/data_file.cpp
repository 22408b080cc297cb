// The text data file stream: see data_file.h.
#include "collect/datafile/data_file.h"

#include <QByteArray>

#include <unistd.h>

namespace tk70 {
namespace {

// The flush counter runs from 0 to this value; the value after it flushes.
constexpr int kUnflushedValueLimit = 10;

}  // namespace

bool DataFile::open(OutputLock lock, bool append)
{
    close();
    if (!lock.isLocked() || (!append && !lock.truncate()))
        return false;
    // The stream has a descriptor of its own on the same open file: closing it leaves
    // the lock to the lock's descriptor.
    const int streamFd = ::dup(lock.fd());
    if (streamFd < 0)
        return false;
    m_stream.reset(::fdopen(streamFd, append ? "a+" : "w+"));
    if (!m_stream) {
        ::close(streamFd);
        return false;
    }
    m_lock = std::move(lock);
    return true;
}

void DataFile::write(QByteArrayView text)
{
    if (!isOpen())
        return;
    const QByteArray bytes = text.toByteArray().replace('\n', "\r\n");
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), m_stream.get());
}

void DataFile::countValue()
{
    if (!isOpen())
        return;
    if (++m_flushCounter > kUnflushedValueLimit) {
        m_flushCounter = 0;
        std::fflush(m_stream.get());
    }
}

bool DataFile::flush() { return isOpen() && std::fflush(m_stream.get()) == 0 && !std::ferror(m_stream.get()); }

bool DataFile::takeFailure()
{
    if (!isOpen() || std::ferror(m_stream.get()) == 0)
        return false;
    std::clearerr(m_stream.get());
    return true;
}

void DataFile::close()
{
    m_stream.reset();
    m_lock.release();
}

}  // namespace tk70
