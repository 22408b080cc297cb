// The scale of the selected tag's trend on the current-values page: its value range,
// tick step and label decimals, the decisions when to rescale it to the plotted values,
// and the two-minute beat that moves its time axis on.
#pragma once

#include <optional>

namespace tk70 {

// Refreshes (one a second) the trend shows, and how far its time axis moves on at each
// two-minute beat: the newest kTrendShift values stay.
inline constexpr int kTrendSpan = 240;
inline constexpr int kTrendShift = 120;

struct ValueRange {
    double low = 0.0;
    double high = 100.0;
    double span() const { return high - low; }
    bool contains(double value) const { return value >= low && value <= high; }
    bool operator==(const ValueRange &) const = default;
};

// The range a rescale sets from the lowest and highest plotted values and the selected
// value: nothing when the plotted values are all one (unless that value lies outside
// current, then the range centres on it as a selection does); the plotted extremes
// otherwise, or value - 50 to value when they leave no room (nothing plotted).
std::optional<ValueRange> rescaledRange(double plottedLow, double plottedHigh, double value, const ValueRange &current);
// The range a selection starts with: value - 50 to value + 50.
ValueRange selectionRange(double value);
// The axis tick step: a quarter of the range.
double tickStep(const ValueRange &range);
// Label decimals: 0 for a range of at least 40, 1 from 10, 2 from 1, 3 below.
int labelDecimals(double span);

class TrendScale {
public:
    // A new selection with its current value: the range centres on it and the counters
    // restart.
    void select(double value);
    // Counts one refresh showing value.  True when the trend is to be rescaled now: after
    // 30 refreshes, or when value lies outside the range and more than 5 refreshes have
    // passed since the selection and the last rescale.  The count restarts then.
    bool countRefresh(double value);
    // A click on the selected cell: true (and the count restarts) when it rescales, which
    // it does from the fifth refresh on.
    bool clickSelected();
    // Takes the range rescaledRange() gives, when it gives one.
    void rescale(double plottedLow, double plottedHigh, double value);
    // Counts the two-minute beat; true every kTrendShift refreshes.
    bool countTimeShift();

    const ValueRange &range() const { return m_range; }
    double tick() const { return tickStep(m_range); }
    int decimals() const { return labelDecimals(m_range.span()); }

private:
    ValueRange m_range;
    int m_refreshes = 0;  // since the selection or the last rescale
    int m_beat = 0;       // refreshes since the time axis last moved
};

}  // namespace tk70
