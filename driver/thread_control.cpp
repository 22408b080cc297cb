// Thread priorities, pauses and the beep: see thread_control.h.
#include "driver/thread_control.h"

#include <atomic>
#include <chrono>
#include <sys/resource.h>
#include <thread>
#include <unistd.h>

namespace vantor {

namespace {

// Win32 thread priority to a nice value: 15 -> -20, 2 -> -10, 1 -> -5, 0 -> 0,
// -1 -> 5, -2 -> 10, -15 -> 19; values between map to the nearest level below.
int niceFor(int win32Priority)
{
    if (win32Priority >= 15)
        return -20;
    if (win32Priority >= 2)
        return -10;
    if (win32Priority == 1)
        return -5;
    if (win32Priority == 0)
        return 0;
    if (win32Priority == -1)
        return 5;
    if (win32Priority > -15)
        return 10;
    return 19;
}

std::atomic<int> g_closeSettle{300};
std::atomic<int> g_afterEstablish{3000};
std::atomic<int> g_afterInitial{2000};
std::atomic<int> g_stepPoll{70};

}  // namespace

void setThreadPriority(int win32Priority)
{
    // On Linux a thread id names the thread for setpriority; a refusal is of no consequence.
    (void)setpriority(PRIO_PROCESS, static_cast<id_t>(gettid()), niceFor(win32Priority));
}

void sleepMs(int milliseconds)
{
    if (milliseconds <= 0)
        std::this_thread::yield();
    else
        std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

void beep(int frequencyHz, int durationMs)
{
    (void)frequencyHz;
    (void)durationMs;
}

PhaseWaits phaseWaits()
{
    return PhaseWaits{g_closeSettle.load(), g_afterEstablish.load(), g_afterInitial.load(), g_stepPoll.load()};
}

void setPhaseWaits(const PhaseWaits &waits)
{
    g_closeSettle.store(waits.closeSettle);
    g_afterEstablish.store(waits.afterEstablish);
    g_afterInitial.store(waits.afterInitial);
    g_stepPoll.store(waits.stepPoll);
}

}  // namespace vantor
