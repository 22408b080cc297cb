// What the program tells the user when its settings store lets it down: the file cannot be
// read (the defaults are used and nothing is written to it until it is mended), it cannot
// be written, or a save was refused.  Each is a warning box titled "TK70 Pro Warning"
// through the message service, the store's errorText() after a blank line; a program
// without a screen gets the same text on standard error.  No widgets.
#pragma once

#include <QString>

namespace tk70 {

class SettingsStore;

// At start-up: when the store cannot be read, or else cannot be written, shows why.
// Returns whether it showed a warning.
bool warnIfSettingsUnusable(const SettingsStore &store);
// When the store cannot be read, shows why (for a program that only reads it).  Returns
// whether it showed a warning.
bool warnIfSettingsUnreadable(const SettingsStore &store);
// After a save the store refused: shows why, from its errorText(), so call it before the
// store is used again.  A file that cannot be read gets the unreadable text.
void warnSettingsNotSaved(const SettingsStore &store);

}  // namespace tk70
