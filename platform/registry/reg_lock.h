// Takes turns between programs that write the same settings file: an exclusive lock on a
// lock file beside it ("<file>.lock"), held from the re-read to the rename of a write.
// The lock goes with the process, so a program that dies holds nobody up.
#pragma once

#include <QString>

namespace tk70::reg {

class FileLock {
public:
    // Waits for the lock up to a few seconds.
    explicit FileLock(const QString &path);
    ~FileLock();
    FileLock(const FileLock &) = delete;
    FileLock &operator=(const FileLock &) = delete;

    bool isLocked() const { return m_locked; }
    QString errorText() const { return m_error; }

private:
    int m_fd = -1;
    bool m_locked = false;
    QString m_error;
};

}  // namespace tk70::reg
