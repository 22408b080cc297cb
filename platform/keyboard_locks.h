// The state of the keyboard's Caps Lock, Num Lock and Scroll Lock, for the status bar's
// indicators.  Read from the keyboard LEDs the kernel exposes under /sys/class/leds
// ("input3::capslock" and the like), which follow the locks of the keyboard in use on
// this seat.  Without such LEDs (remote sessions, containers) every lock reads off.
#pragma once

#include <QString>

namespace tk70 {

struct KeyboardLocks {
    bool caps = false;
    bool num = false;
    bool scroll = false;
    bool operator==(const KeyboardLocks &) const = default;
};

// The locks as the LEDs under root show them: a lock is on when any LED of its kind has a
// brightness above 0.
KeyboardLocks readKeyboardLocks(const QString &root = QStringLiteral("/sys/class/leds"));

}  // namespace tk70
