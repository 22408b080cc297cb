// The texts of the driver status dialog: see driver_status_texts.h.
#include "driverclient/driver_status_texts.h"

#include <array>

namespace tk70 {

QString driverRevisionText(double revision) { return QString::asprintf("Driver Revision # %4.2f", revision); }

QString collectionStatusText(int connectionState)
{
    static const std::array<const char *, 6> kStates = {
        "Disconnected",           "Restatring CIU",        "Initializing Points",
        "Reading Initial Values", "Initializing Complete", "Collection In-Progress",
    };
    if (connectionState < 0 || connectionState >= static_cast<int>(kStates.size()))
        return QStringLiteral("Unknown");
    return QString::fromLatin1(kStates[static_cast<std::size_t>(connectionState)]);
}

QString readyStatusText(int monitoring)
{
    return monitoring == 1 ? QStringLiteral("Ready") : QStringLiteral("Not Ready");
}

}  // namespace tk70
