// What the main window asks of the program behind it: which commands are enabled, carrying
// them out, and the recent file list.  The application object implements it; tests may
// give the window their own.
//
// Every command reaches the program through execute() or openDroppedFile(), whatever its
// source (menu, toolbar, key, recent list, a view's button, a dropped file, a second
// start), and runs only when isEnabled() says so at that moment.
#pragma once

#include <QStringList>

namespace tk70 {

class CommandTarget {
public:
    virtual ~CommandTarget() = default;
    // Whether the command has a handler and its enabling rule allows it now.
    virtual bool isEnabled(int id) const = 0;
    // Runs the command when it is enabled; does nothing otherwise.  The recent files are
    // the commands cmd::RecentFile1 and on, in the order of recentFiles().
    virtual void execute(int id) = 0;
    virtual QStringList recentFiles() const = 0;
    // A file dropped on the window or handed over by the desktop: opened by the rules of
    // Open, when Open is enabled.
    virtual void openDroppedFile(const QString &path) = 0;
    // Whether the window may close (false keeps it open).
    virtual bool mayExit() = 0;
};

}  // namespace tk70
