// The texts the DDE server gives for live items: a tag's value by its magnitude, its
// quality, and the connection state of the driver.
#pragma once

#include <QString>

namespace tk70 {

// 999.999 < |v| <= 99999999.999: "%.3f"; 0.0999 < |v| < 1000: "%.4f"; 0.001 < |v| < 0.1:
// "%.5f"; otherwise "%.4f" for zero and "%13g" for anything else.
QString ddeValueText(double value);
QString ddeQualityText(bool bad);
QString ddeStatusText(int connectionState);

}  // namespace tk70
