// The scaling rules of a trend trace: a value as a percentage of the trace's span, the
// engineering labels of the value axis for a selected trace, and Auto Fit over the
// values a trace has buffered.
#pragma once

#include <QString>
#include <optional>

namespace tk70 {

class ChartData;

struct TraceScale {
    double zero = 0.0;
    double span = 100.0;
};

inline constexpr double kMinTraceSpan = 0.0001;
inline constexpr double kMaxTraceSpan = 100000000.0;

// The span a trace is drawn with: a span of 0 would divide by zero, so it is 1.0.
double usableSpan(double span);
// (value - zero) / span * 100 limited to 0..100; NaN stays NaN (a trace without data).
double plottedValue(double value, const TraceScale &scale);
// The label of the value axis at percent (0..100) for a trace scaled so: the engineering
// value zero + percent / 100 * span, with decimals chosen by the size of zero + span
// ("%-7.0f" from 100, "%-7.1f" from 10, "%-7.2f" from 1, "%-7.3f" from 0.1, else "%-7.4f").
QString valueAxisLabel(double percent, const TraceScale &scale);
// Auto Fit of a data column: zero = the smallest value, span = largest - smallest, when
// the largest exceeds the smallest by more than 0.001 (NaN values are skipped); nothing
// otherwise, so the old scale stays.
std::optional<TraceScale> autoFit(const ChartData &raw, int column);

}  // namespace tk70
