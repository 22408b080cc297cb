// Counts how often a file is written anew, the way the settings store writes it: renamed
// into its folder over the old one, or linked or created there when there was none.  An
// inotify watch on the folder, read without waiting (the kernel queues each event before
// the call that caused it returns).
#pragma once

#include <QFile>
#include <QFileInfo>
#include <QString>

#include <sys/inotify.h>
#include <unistd.h>

class FileReplacements {
public:
    explicit FileReplacements(const QString &path) : m_name(QFile::encodeName(QFileInfo(path).fileName()))
    {
        m_fd = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
        if (m_fd >= 0)
            ::inotify_add_watch(m_fd, QFile::encodeName(QFileInfo(path).absolutePath()).constData(),
                                IN_MOVED_TO | IN_CREATE);
    }
    ~FileReplacements()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    FileReplacements(const FileReplacements &) = delete;
    FileReplacements &operator=(const FileReplacements &) = delete;

    // The replacements since the last call (or since the watch began); -1 when there is
    // no watch.
    int take()
    {
        if (m_fd < 0)
            return -1;
        int count = 0;
        alignas(inotify_event) char buffer[4096];
        for (ssize_t n; (n = ::read(m_fd, buffer, sizeof buffer)) > 0;) {
            for (char *p = buffer; p < buffer + n;) {
                const auto *event = reinterpret_cast<const inotify_event *>(p);
                if (event->len > 0 && m_name == event->name)
                    ++count;
                p += sizeof(inotify_event) + event->len;
            }
        }
        return count;
    }

private:
    QByteArray m_name;
    int m_fd = -1;
};
