// When a change of the DDE server options needs a restart of the program: the server is
// set up once at start-up, so a changed enabled flag or name takes effect only then.  The
// refresh period alone does not.
#pragma once

#include <QString>

namespace tk70 {

struct AppSettings;

// True when the enabled flag or any of the four DDE names differ.
bool ddeRestartNeeded(const AppSettings &before, const AppSettings &after);
// The note shown when it does.
QString ddeRestartNote();

}  // namespace tk70
