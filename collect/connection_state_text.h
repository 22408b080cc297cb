// The status bar's text for the driver's connection state.
#pragma once

#include <QString>

namespace tk70 {

// 1 "Restatring CIU", 2 "Initializing Points", 3 "Reading Initial Values",
// 4 "Initializing Complete", 5 "Collection In-Progress", 0 and -1 "CIU Off-Line",
// anything else "Status Unknown".
QString ciuPaneText(int connectionState);

}  // namespace tk70
