// Where the program takes the time from: the local wall clock for sample stamps, windows
// and file names, and a monotonic clock for time-outs; a clock the test sets in tests.
#pragma once

#include <QDateTime>
#include <QtGlobal>
#include <chrono>

namespace tk70 {

class Clock {
public:
    virtual ~Clock() = default;
    // The current local time, to the second.
    virtual QDateTime now() const = 0;
    // Milliseconds on a clock that never goes back (whatever the wall clock does), for
    // the time-outs of waits.
    virtual qint64 monotonicMs() const
    {
        const auto since = std::chrono::steady_clock::now().time_since_epoch();
        return std::chrono::duration_cast<std::chrono::milliseconds>(since).count();
    }
};

class SystemClock : public Clock {
public:
    QDateTime now() const override
    {
        const QDateTime current = QDateTime::currentDateTime();
        return current.addMSecs(-current.time().msec());
    }
};

}  // namespace tk70
