// The text data file stream: see data_file.h.
#include "data_file.h"

#include <QByteArray>
#include <QFile>

namespace tk70 {
namespace {

// The flush counter runs from 0 to this value; the value after it flushes.
constexpr int kUnflushedValueLimit = 10;

}  // namespace

bool DataFile::open(const QString &path, bool append)
{
    close();
    m_stream.reset(std::fopen(QFile::encodeName(path).constData(), append ? "a+" : "w+"));
    return isOpen();
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

bool DataFile::flush()
{
    return isOpen() && std::fflush(m_stream.get()) == 0 && !std::ferror(m_stream.get());
}

void DataFile::close() { m_stream.reset(); }

}  // namespace tk70
