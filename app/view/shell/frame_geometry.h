// Where the main window goes: the screen's size but at most 800 x 600, centred, never
// above or left of the screen's corner.
#pragma once

#include <QRect>
#include <QString>
#include <QTime>

namespace tk70 {

QRect mainFrameGeometry(const QRect &screen);

// The status bar's date and time panes: the date in the user's short form, the time as
// "%I:%M  " followed by "AM " or "PM ".
QString statusTimeText(const QTime &time);

}  // namespace tk70
