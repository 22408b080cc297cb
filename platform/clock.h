// Where the collection takes "now" from: the local wall clock in the program, a clock
// the test sets in tests.
#pragma once

#include <QDateTime>

namespace tk70 {

class Clock {
public:
    virtual ~Clock() = default;
    // The current local time, to the second.
    virtual QDateTime now() const = 0;
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
