// The scaling rules of a trend trace: see trace_scale.h.
#include "trend/realtime/trace_scale.h"

#include "chart/chart_data.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace tk70 {

double usableSpan(double span) { return span == 0.0 ? 1.0 : span; }

double plottedValue(double value, const TraceScale &scale)
{
    if (std::isnan(value))
        return value;
    const double percent = (value - scale.zero) / usableSpan(scale.span) * 100.0;
    return std::clamp(percent, 0.0, 100.0);
}

QString valueAxisLabel(double percent, const TraceScale &scale)
{
    // The size of the range's upper end picks the decimals; a negative range is sized by
    // its magnitude like a positive one.
    const double size = std::fabs(scale.zero + scale.span);
    const char *format = size >= 100.0  ? "%-7.0f"
                         : size >= 10.0 ? "%-7.1f"
                         : size >= 1.0  ? "%-7.2f"
                         : size >= 0.1  ? "%-7.3f"
                                        : "%-7.4f";
    return QString::asprintf(format, scale.zero + percent / 100.0 * scale.span);
}

std::optional<TraceScale> autoFit(const ChartData &raw, int column)
{
    double lowest = std::numeric_limits<double>::infinity();
    double highest = -lowest;
    for (int row = 0; row < raw.rowCount(); ++row) {
        const double value = raw.value(row, column);
        if (std::isnan(value))
            continue;
        lowest = std::min(lowest, value);
        highest = std::max(highest, value);
    }
    if (!(highest - lowest > 0.001))
        return std::nullopt;
    return TraceScale{lowest, std::max(highest - lowest, kMinTraceSpan)};
}

}  // namespace tk70
