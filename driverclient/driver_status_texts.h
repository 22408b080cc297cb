// The texts of the driver status dialog: the driver's revision, its connection state and
// whether the CIU is ready.  No widgets.
#pragma once

#include <QString>

namespace tk70 {

// "Driver Revision # 1.16".
QString driverRevisionText(double revision);
// The connection state in words: 0 "Disconnected" up to 5 "Collection In-Progress",
// "Unknown" for any other value.
QString collectionStatusText(int connectionState);
// "Ready" while the driver monitors the CIU (monitoring 1), else "Not Ready".
QString readyStatusText(int monitoring);

}  // namespace tk70
