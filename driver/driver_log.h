// The driver's log file: one line per event, a time stamp and a text ending in "\r\n".
//
// The time stamp is the local time as "Sun Dec 06 16:18:54" followed by two blanks (no
// year).  Lines are written only while the file is open and LogFileEnabled is set;
// detailed lines only when LogFileDetailed is set as well.  Both driver threads write;
// each line goes out in one write, so lines never interleave.  Write failures are ignored.
#pragma once

#include "driver/vantor.h"

#include <cstdarg>
#include <cstddef>
#include <ctime>
#include <mutex>

namespace vantor {

class DriverLog {
public:
    explicit DriverLog(const CiuCommStruct &comm) : m_comm(comm) {}
    DriverLog(const DriverLog &) = delete;
    DriverLog &operator=(const DriverLog &) = delete;

    // Creates (or empties) the file for writing, readable by others.  Returns false when it
    // cannot be created; the log then stays closed.
    bool create(const char *path);
    void close();

    // Writes a line when enabled.  text must carry its own "\r\n".
    void line(const char *text);
    // printf-style forms of line(); detailed() writes only when LogFileDetailed is set.
    void format(const char *fmt, ...) __attribute__((format(printf, 2, 3)));
    void detailed(const char *fmt, ...) __attribute__((format(printf, 2, 3)));

    bool detailedEnabled() const;

private:
    void vformat(const char *fmt, va_list args);

    const CiuCommStruct &m_comm;
    std::mutex m_mutex;
    int m_fd = -1;
};

// The time stamp of a log line for a local time: "Sun Dec 06 16:18:54  " (21 bytes and a
// NUL).  Returns the number of bytes written before the NUL.
std::size_t formatLogStamp(const std::tm &local, char (&out)[32]);

}  // namespace vantor
