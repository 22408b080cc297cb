// Tick labels of chart axes: see chart_axis_labels.h.
#include "chart/chart_axis_labels.h"

#include <algorithm>
#include <cmath>

namespace tk70 {

QString decimalLabel(double value, int decimals)
{
    QString text = QString::number(value, 'f', decimals < 0 ? 0 : decimals);
    const bool zero = std::all_of(text.begin(), text.end(), [](QChar c) {
        return c == QLatin1Char('-') || c == QLatin1Char('0') || c == QLatin1Char('.');
    });
    if (zero && text.startsWith(QLatin1Char('-')))
        text.remove(0, 1);
    return text;
}

QString timeOfDayLabel(double secondsOfDay)
{
    constexpr long long kDay = 86400;
    long long seconds = std::llround(secondsOfDay) % kDay;
    if (seconds < 0)
        seconds += kDay;
    return QStringLiteral("%1:%2:%3")
        .arg(seconds / 3600, 2, 10, QLatin1Char('0'))
        .arg(seconds / 60 % 60, 2, 10, QLatin1Char('0'))
        .arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

}  // namespace tk70
