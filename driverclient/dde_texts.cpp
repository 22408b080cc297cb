// The texts of the DDE server's live items: see dde_texts.h.
#include "driverclient/dde_texts.h"

#include <cmath>

namespace tk70 {

QString ddeValueText(double value)
{
    const double m = std::fabs(value);
    if (m > 999.999 && m <= 99999999.999)
        return QString::asprintf("%.3f", value);
    if (m > 0.0999 && m < 1000)
        return QString::asprintf("%.4f", value);
    if (m > 0.001 && m < 0.1)
        return QString::asprintf("%.5f", value);
    return QString::asprintf(value == 0.0 ? "%.4f" : "%13g", value);
}

QString ddeQualityText(bool bad) { return bad ? QStringLiteral("Bad") : QStringLiteral("Good"); }

QString ddeStatusText(int connectionState)
{
    switch (connectionState) {
    case 1: return QStringLiteral("Restatring CIU");
    case 2: return QStringLiteral("Initializing Points");
    case 3: return QStringLiteral("Reading Initial Values");
    case 4: return QStringLiteral("Initializing Complete");
    case 5: return QStringLiteral("Collection In-Progress");
    case 0:
    case -1: return QStringLiteral("CIU Off-Line");
    default: return QStringLiteral("Status Unknown");
    }
}

}  // namespace tk70
