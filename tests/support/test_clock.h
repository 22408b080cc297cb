// The clock the tests set: a local time and a monotonic count that move only when the
// test moves them, so that a time-out comes exactly when the test says.
#pragma once

#include "core/clock.h"

#include <QDate>
#include <QDateTime>
#include <QTime>

namespace tk70test {

class TestClock : public tk70::Clock {
public:
    QDateTime now() const override { return m_now; }
    qint64 monotonicMs() const override { return m_monotonicMs; }
    void set(const QDateTime &now) { m_now = now; }
    // Moves both the local time and the monotonic count on.
    void advance(int seconds) { advanceMs(qint64(seconds) * 1000); }
    void advanceMs(qint64 ms)
    {
        m_now = m_now.addMSecs(ms);
        m_monotonicMs += ms;
    }

private:
    QDateTime m_now{QDate(2024, 3, 7), QTime(13, 58, 0)};
    qint64 m_monotonicMs = 1'000'000;
};

}  // namespace tk70test
