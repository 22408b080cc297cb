// Rescaling the selected tag's trend and its two-minute beat.
#include "collect/current_values/trend_scale.h"

namespace tk70 {
namespace {

constexpr int kRescaleEvery = 30;    // refreshes between regular rescales
constexpr int kSettleRefreshes = 5;  // refreshes before a value outside forces one
constexpr double kSelectionHalfSpan = 50.0;

}  // namespace

std::optional<ValueRange> rescaledRange(double plottedLow, double plottedHigh, double value, const ValueRange &current)
{
    if (plottedLow == plottedHigh) {
        // A flat trend outside the range would otherwise stay off the scale for good.
        if (current.contains(plottedLow))
            return std::nullopt;
        return selectionRange(plottedLow);
    }
    if (plottedHigh > plottedLow)
        return ValueRange{plottedLow, plottedHigh};
    return ValueRange{value - kSelectionHalfSpan, value};
}

ValueRange selectionRange(double value) { return {value - kSelectionHalfSpan, value + kSelectionHalfSpan}; }

double tickStep(const ValueRange &range) { return range.span() / 4.0; }

int labelDecimals(double span)
{
    if (span >= 40.0)
        return 0;
    if (span >= 10.0)
        return 1;
    if (span < 1.0)
        return 3;
    return 2;
}

void TrendScale::select(double value)
{
    m_range = selectionRange(value);
    m_refreshes = 0;
    m_beat = 0;
}

bool TrendScale::countRefresh(double value)
{
    ++m_refreshes;
    const bool due = m_refreshes >= kRescaleEvery || (!m_range.contains(value) && m_refreshes > kSettleRefreshes);
    if (due)
        m_refreshes = 0;
    return due;
}

bool TrendScale::clickSelected()
{
    if (m_refreshes < kSettleRefreshes)
        return false;
    m_refreshes = 0;
    return true;
}

void TrendScale::rescale(double plottedLow, double plottedHigh, double value)
{
    if (const auto range = rescaledRange(plottedLow, plottedHigh, value, m_range))
        m_range = *range;
}

bool TrendScale::countTimeShift()
{
    if (++m_beat < kTrendShift)
        return false;
    m_beat = 0;
    return true;
}

}  // namespace tk70
