// The plain beep of the tag editor: see view_beep.h.
#include "platform/view/view_beep.h"

#include <QApplication>
#include <utility>

namespace tk70::ViewBeep {

namespace {
Hook &installedHook()
{
    static Hook hook;
    return hook;
}
}  // namespace

void beep()
{
    if (installedHook())
        installedHook()();
    else
        QApplication::beep();
}

Hook setHook(Hook hook) { return std::exchange(installedHook(), std::move(hook)); }

}  // namespace tk70::ViewBeep
