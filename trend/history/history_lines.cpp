// Line scanning over large block reads, with the index of every kStride-th line offset.
#include "trend/history/history_lines.h"

#include <algorithm>
#include <cstring>

namespace tk70 {

HistoryLines::HistoryLines(const QString &path, qint64 origin) : m_file(path), m_offset(origin)
{
    // Unbuffered: the blocks read here are the buffer, and a read after the end sees what
    // a collection has appended since.
    if (m_file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        m_index.push_back(origin);
}

void HistoryLines::fill(qint64 offset, qsizetype minimum)
{
    const bool continuing = !m_buffer.isEmpty() && offset >= m_bufferStart && offset <= m_bufferStart + m_buffer.size();
    m_readSize = continuing ? std::min(2 * m_readSize, kBlock) : kSeekBlock;
    const qsizetype size = std::max(minimum, m_readSize);
    m_buffer.resize(size);
    qsizetype got = 0;
    if (m_file.seek(offset)) {
        while (got < size) {
            const qint64 n = m_file.read(m_buffer.data() + got, size - got);
            if (n <= 0)
                break;
            got += qsizetype(n);
        }
    }
    m_buffer.resize(got);
    m_bufferStart = offset;
}

qint64 HistoryLines::lineEnd(qint64 offset)
{
    qint64 searched = offset;  // the bytes before hold no line end
    for (;;) {
        if (!holds(searched)) {
            // Read again from the line's start, so that the whole line is in the buffer,
            // while it is short enough to be handed out whole; past that, read on from
            // where the search stands.
            if (searched - offset < kMaxLine)
                fill(offset, qsizetype(searched - offset) + 1);
            else
                fill(searched, 1);
            if (!holds(searched))
                return -1;
        }
        const char *start = m_buffer.constData() + (searched - m_bufferStart);
        const qint64 left = m_bufferStart + m_buffer.size() - searched;
        if (const void *hit = std::memchr(start, '\n', size_t(left)))
            return searched + (static_cast<const char *>(hit) - start);
        searched += left;
    }
}

void HistoryLines::advance(qint64 end)
{
    m_offset = end + 1;
    ++m_line;
    // Lines are passed in order from a kept offset, so the next kept one is exact.
    if (m_line == qint64(m_index.size()) * kStride)
        m_index.push_back(m_offset);
}

bool HistoryLines::stepLine()
{
    const qint64 end = lineEnd(m_offset);
    if (end < 0)
        return false;
    advance(end);
    return true;
}

bool HistoryLines::seekLine(qint64 number)
{
    if (!isOpen() || number < 0)
        return false;
    const qint64 slot = std::min(number / kStride, qint64(m_index.size()) - 1);
    // Go on from the read position when it lies between the kept offset and the line.
    if (m_line > number || m_line < slot * kStride)
        goToKept(slot);
    while (m_line < number) {
        if (!stepLine())
            return false;
    }
    return lineEnd(m_offset) >= 0;
}

void HistoryLines::goToKept(qint64 slot)
{
    m_line = slot * kStride;
    m_offset = m_index[size_t(slot)];
}

void HistoryLines::forgetIfCut()
{
    if (m_file.size() >= std::max(m_index.back(), m_offset))
        return;
    m_index.resize(1);
    m_buffer.clear();
    goToKept(0);
}

qint64 HistoryLines::countLines()
{
    if (!isOpen())
        return 0;
    forgetIfCut();
    const qint64 slot = qint64(m_index.size()) - 1;
    if (m_line < slot * kStride)
        goToKept(slot);
    while (stepLine()) {}
    return m_line;
}

bool HistoryLines::nextLine(QByteArrayView &line)
{
    if (!isOpen())
        return false;
    const qint64 start = m_offset;
    const qint64 end = lineEnd(start);
    if (end < 0)
        return false;
    // lineEnd leaves a line of up to kMaxLine bytes whole in the buffer; of a longer one
    // the first kMaxLine bytes are read again.
    const qint64 length = std::min<qint64>(end + 1 - start, kMaxLine);
    if (!holds(start) || !holds(start + length - 1))
        fill(start, qsizetype(length));
    line = QByteArrayView(m_buffer.constData() + (start - m_bufferStart),
                          std::min<qsizetype>(qsizetype(length), m_buffer.size() - qsizetype(start - m_bufferStart)));
    advance(end);
    return true;
}

}  // namespace tk70
