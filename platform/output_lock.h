// The exclusive claim of a collector on the output file it writes: an advisory lock
// (flock) on the file itself, taken without waiting when an output opens and held until
// it closes.  A second collector — another group of this program or another TK70 —
// finds the file claimed and refuses it before truncating or writing a byte.  The lock
// is the open file's, so a collector that dies holds nobody up; it does not touch the
// record locks SQLite takes on a database file, which are of the other kind.
#pragma once

#include <QString>

namespace tk70 {

class OutputLock {
public:
    enum class Result {
        Locked,  // the file is ours until release
        Held,    // another open of the file holds its lock
        Failed   // the file could not be opened or created (errorText says why)
    };

    OutputLock() = default;
    ~OutputLock() { release(); }
    OutputLock(OutputLock &&other) noexcept;
    OutputLock &operator=(OutputLock &&other) noexcept;
    OutputLock(const OutputLock &) = delete;
    OutputLock &operator=(const OutputLock &) = delete;

    // Opens path for reading and writing, creating it (as an empty file) when it is
    // missing, and takes the lock without waiting; a lock held before is released first.
    Result acquire(const QString &path);
    bool isLocked() const { return m_fd >= 0; }
    // Whether the acquire made the file: it did not exist before.
    bool createdFile() const { return m_created; }
    // The locked file's descriptor; -1 when not locked.  It stays the lock's.
    int fd() const { return m_fd; }
    // Cuts the locked file to no bytes; false (errno set) when that fails or nothing is
    // locked.
    bool truncate();
    // Gives the lock up and closes the descriptor.
    void release();
    QString errorText() const { return m_error; }

private:
    int m_fd = -1;
    bool m_created = false;
    QString m_error;
};

}  // namespace tk70
