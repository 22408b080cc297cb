// The plain beep of the tag editor (a beep without a message; a message beeps by
// itself).  Tests replace the sound with a counter.
#pragma once

#include <functional>

namespace tk70::ViewBeep {

using Hook = std::function<void()>;

// Beeps through the hook when one is set, else with the system's beep.
void beep();
// Sets the hook (empty: the system's beep again); returns the one it replaces.
Hook setHook(Hook hook);

}  // namespace tk70::ViewBeep
