// Status bar text of the connection state.
#include "collect/connection_state_text.h"

namespace tk70 {

QString ciuPaneText(int connectionState)
{
    switch (connectionState) {
    case -1:
    case 0: return QStringLiteral("CIU Off-Line");
    case 1: return QStringLiteral("Restatring CIU");
    case 2: return QStringLiteral("Initializing Points");
    case 3: return QStringLiteral("Reading Initial Values");
    case 4: return QStringLiteral("Initializing Complete");
    case 5: return QStringLiteral("Collection In-Progress");
    default: return QStringLiteral("Status Unknown");
    }
}

}  // namespace tk70
