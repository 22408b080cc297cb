// Waiting with a deadline while the program's events are processed: what a test of
// timers, sockets, signals and widgets waits with.
#pragma once

#include "tests/support/wait_until.h"

#include <QCoreApplication>
#include <QEvent>
#include <QEventLoop>
#include <functional>

namespace tk70test {

// Processes events until condition holds or deadlineMs have passed; whether it held.
inline bool waitFor(const std::function<bool()> &condition, int deadlineMs = 10000)
{
    return waitUntil(condition, std::chrono::milliseconds(deadlineMs), [] {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    });
}

}  // namespace tk70test
