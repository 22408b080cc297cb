// The collection thread: restarts the CIU, establishes the loaded points, reads their
// initial values and runs the exception monitoring loop, which keeps the value array
// current, writes output points and serves tuning requests.  When communication fails
// too often it drops back to the restart.  It runs until the running flag is cleared.
#pragma once

namespace vantor {

struct DriverState;

// The thread's body; returns when the running flag has been cleared.
void runCollection(DriverState &driver);

}  // namespace vantor
