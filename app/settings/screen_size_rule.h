// The screen-size rule of the first start: a screen below 800 x 600 gets a note that a
// higher resolution is recommended.
#pragma once

#include <QSize>
#include <QString>

namespace tk70 {

// True when the screen is less than 800 pixels wide or less than 600 pixels high.
bool screenBelowRecommended(const QSize &screen);
// The note shown for such a screen.
QString lowResolutionNote();
// Shows the note (OK only) when the screen is below the recommended size; returns
// whether it was shown.
bool noteLowResolution(const QSize &screen);

}  // namespace tk70
