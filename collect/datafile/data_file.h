// One text data file while a group writes it: a buffered C stream opened "w+" or "a+",
// written as a Windows text-mode stream writes (every '\n' as "\r\n"), and flushed every
// 11 values so that an abnormal end loses at most the last 10.
#pragma once

#include <QByteArrayView>
#include <QString>
#include <cstdio>
#include <memory>

namespace tk70 {

class DataFile {
public:
    // Opens path, appending when append is set ("a+"), else creating or truncating it
    // ("w+"); a file still open is closed first.  Returns false when the file cannot be
    // opened (errno tells why).
    bool open(const QString &path, bool append);
    bool isOpen() const { return m_stream != nullptr; }
    // Writes text, each '\n' as "\r\n".  Does nothing when the file is closed.  A failed
    // write (a full disk) is not reported: the collection goes on and later writes are
    // tried again.
    void write(QByteArrayView text);
    // Counts one value written; every 11th value flushes the stream to the kernel.  The
    // count lives as long as the object, across closes and opens.  Nothing when closed.
    void countValue();
    // Hands what is buffered to the kernel.  Returns false when that fails (a full disk)
    // or an earlier write of this file failed, or when the file is closed.
    bool flush();
    // Flushes and closes the file; nothing happens when it is not open.
    void close();

private:
    struct StreamCloser {
        void operator()(std::FILE *stream) const { std::fclose(stream); }
    };

    std::unique_ptr<std::FILE, StreamCloser> m_stream;
    int m_flushCounter = 0;  // values written since the last periodic flush
};

}  // namespace tk70
