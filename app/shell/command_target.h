// What the main window asks of the program behind it: the state that decides which
// commands are enabled, which commands it handles, carrying them out, and the recent
// file list.  The application object implements it; tests may give the window their own.
#pragma once

#include "command_state.h"

#include <QStringList>

namespace tk70 {

class CommandTarget {
public:
    virtual ~CommandTarget() = default;
    virtual CommandState commandState() const = 0;
    // Whether the program has a handler for the command; commands without one stay disabled.
    virtual bool handles(int id) const = 0;
    virtual void execute(int id) = 0;
    virtual QStringList recentFiles() const = 0;
    virtual void openRecentFile(const QString &path) = 0;
    // A file dropped on the window or named by the desktop.
    virtual void openDroppedFile(const QString &path) = 0;
    // Whether the window may close (false keeps it open).
    virtual bool mayExit() = 0;
};

}  // namespace tk70
