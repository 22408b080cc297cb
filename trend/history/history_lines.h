// The lines of a data file from a given offset on, numbered from 0, read in large blocks
// and found by scanning for line ends.  The offsets of every kStride-th line are kept as
// they are first passed, so going back to a line seeks to the nearest kept offset at or
// before it instead of reading from the start.  Only complete lines (ending in '\n')
// count: a line still being written is not there yet, and is seen once it is complete.
// A line is handed out with at most its first kMaxLine bytes (the reading rules' line
// buffer), so a file without line ends costs one pass and no more memory than a block.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QFile>
#include <vector>

namespace tk70 {

class HistoryLines {
public:
    static constexpr qint64 kStride = 128;
    // Reads start at kSeekBlock bytes after a jump and double, up to kBlock, while they
    // go on where the buffer ends: a long scan reads large blocks, a seek reads little.
    static constexpr qsizetype kBlock = 1 << 20;
    static constexpr qsizetype kSeekBlock = 64 << 10;
    static constexpr qsizetype kMaxLine = 8192;

    // Opens the file for reading; lines are counted from offset origin.
    HistoryLines(const QString &path, qint64 origin);

    bool isOpen() const { return m_file.isOpen(); }
    // Puts the read position on line number; false when that line is not (yet) complete.
    bool seekLine(qint64 number);
    // The line at the read position with its line end (its first kMaxLine bytes when it
    // is longer), valid until the next call, and the read position moved to the next
    // line; false when no complete line is there.
    bool nextLine(QByteArrayView &line);
    // The number of the line at the read position.
    qint64 position() const { return m_line; }
    // The number of complete lines the file holds now, counted on from the furthest line
    // passed so far (so a recount reads only what was appended since; a file cut since
    // is counted again from its start); the read position is left at the end.
    qint64 countLines();
    // How many line offsets are kept.
    qsizetype indexSize() const { return qsizetype(m_index.size()); }
    // The bytes the read buffer holds.
    qsizetype bufferSize() const { return m_buffer.size(); }

private:
    // The offset of the '\n' ending the line that starts at offset, or -1.
    qint64 lineEnd(qint64 offset);
    // Makes the buffer hold the bytes from offset on, at least minimum of them when the
    // file has them.
    void fill(qint64 offset, qsizetype minimum);
    bool holds(qint64 at) const { return at >= m_bufferStart && at < m_bufferStart + m_buffer.size(); }
    // Moves the read position past the line ending at end.
    void advance(qint64 end);
    // Moves over the line at the read position; false when it is not complete.
    bool stepLine();
    // Puts the read position on the line of kept offset slot.
    void goToKept(qint64 slot);
    // Forgets every kept offset but the origin's when the file has been cut below what
    // was read of it (a collection started over on it): the lines are counted afresh.
    void forgetIfCut();

    QFile m_file;
    std::vector<qint64> m_index;  // offset of line i * kStride
    QByteArray m_buffer;
    qint64 m_bufferStart = 0;
    qsizetype m_readSize = kSeekBlock;
    qint64 m_line = 0;    // read position: line number ...
    qint64 m_offset = 0;  // ... and its offset
};

}  // namespace tk70
