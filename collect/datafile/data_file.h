// One text data file while a group writes it: a buffered C stream on the file the
// group's lock claims, truncated ("w+") or appended to ("a+"), written as a Windows
// text-mode stream writes (every '\n' as "\r\n"), and flushed every 11 values so that
// an abnormal end loses at most the last 10.
#pragma once

#include "platform/output_lock.h"

#include <QByteArrayView>
#include <QString>
#include <cstdio>
#include <memory>

namespace tk70 {

class DataFile {
public:
    // Opens the file lock has claimed, appending when append is set, else cutting it
    // to no bytes; a file still open is closed first.  The file keeps the lock until it
    // closes.  Returns false (errno tells why, the lock given up) when the stream cannot
    // be made or the file cut.
    bool open(OutputLock lock, bool append);
    bool isOpen() const { return m_stream != nullptr; }
    // Writes text, each '\n' as "\r\n".  Does nothing when the file is closed.  A failed
    // write (a full disk) is not reported here: the collection goes on, later writes are
    // tried again, and takeFailure() tells.
    void write(QByteArrayView text);
    // Whether a write or flush has failed since the last call (or the open); the mark is
    // cleared, so that the next writes are judged on their own.
    bool takeFailure();
    // Counts one value written; every 11th value flushes the stream to the kernel.  The
    // count lives as long as the object, across closes and opens.  Nothing when closed.
    void countValue();
    // Hands what is buffered to the kernel.  Returns false when that fails (a full disk)
    // or an earlier write of this file failed, or when the file is closed.
    bool flush();
    // Flushes and closes the file, then gives up its lock; nothing happens when it is
    // not open.
    void close();

private:
    struct StreamCloser {
        void operator()(std::FILE *stream) const { std::fclose(stream); }
    };

    std::unique_ptr<std::FILE, StreamCloser> m_stream;
    OutputLock m_lock;
    int m_flushCounter = 0;  // values written since the last periodic flush
};

}  // namespace tk70
