// Tick labels of chart axes: numbers with a fixed count of decimals, and times of day
// "HH:MM:SS" for time axes.
#pragma once

#include <QString>

namespace tk70 {

// The value with a number of decimals ("-0" shows as "0").
QString decimalLabel(double value, int decimals);
// A time of day from seconds (wrapping into 0..86399) as "HH:MM:SS".
QString timeOfDayLabel(double secondsOfDay);

}  // namespace tk70
