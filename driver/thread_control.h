// Thread priorities, pauses and the beep of the collection thread.
//
// Priorities are given in the Win32 scale the configuration record uses (15 time
// critical, 2 highest, 0 normal, -15 idle) and mapped, best effort, onto the calling
// thread's nice value.  Raising priority needs privileges most users do not have; a
// refusal is ignored, never fatal.
#pragma once

namespace vantor {

// Sets the calling thread's priority; failures are ignored.
void setThreadPriority(int win32Priority);

// Sleeps the calling thread; 0 or less yields once.
void sleepMs(int milliseconds);

// The beep a failed CIU restart sounds (2000 Hz, 200 ms).  No sound device is assumed on
// a station, so it is silent; the restart calls it where the beep belongs.
void beep(int frequencyHz, int durationMs);

// Fixed pauses of the connection's life, in milliseconds.  A host never changes them;
// tests shorten them so that a full start-up takes milliseconds instead of seconds.
struct PhaseWaits {
    int closeSettle = 300;      // after clearing the running flag, and before a reopen
    int afterEstablish = 3000;  // after " Points Established."
    int afterInitial = 2000;    // after " Initial Values Read."
    int stepPoll = 70;          // while waiting for StepRequest
};
PhaseWaits phaseWaits();
void setPhaseWaits(const PhaseWaits &waits);

}  // namespace vantor
