// Where the parts of a real-time trend page stand, in page fractions (y down): the
// titles across the top, the plot area with its value axis on the left and its time axis
// below, the history controls under it, and the trace panel on the right.
#pragma once

#include <QPointF>
#include <QRectF>
#include <QSizeF>

namespace tk70::TrendLayout {

inline constexpr QRectF kWindow(0.0, 0.0, 0.999, 0.999);
inline constexpr QRectF kPlotArea(0.09, 0.125, 0.63, 0.665);  // fractions of the window

inline constexpr QPointF kTitle(0.405, 0.008);
inline constexpr QPointF kHintLine(0.405, 0.048);
inline constexpr QRectF kSelectedBox(0.09, 0.079, 0.63, 0.03);
inline constexpr QPointF kSelectedText(0.096, 0.0825);
inline constexpr QPointF kDate(0.012, 0.805);  // kept below the time labels, however large they are

inline constexpr QRectF kScrollBar(0.09, 0.865, 0.63, 0.03);
inline constexpr QRectF kRealTimeButton(0.75, 0.86, 0.1, 0.04);
inline constexpr QPointF kHistoryCaption(0.87, 0.858);
inline constexpr QPointF kHistoryValue(0.87, 0.883);

// The trace panel: one row per trace from the top.
inline constexpr double kPanelLeft = 0.75;
inline constexpr double kPanelTop = 0.125;
inline constexpr double kRowHeight = 0.0554;
inline constexpr QSizeF kTraceButton(0.016, 0.02);
inline constexpr double kNameLeft = 0.772;
inline constexpr double kSpanLeft = 0.87;
inline constexpr double kBadLeft = 0.95;
inline constexpr double kScaleLine = 0.023;  // zero and span below the name

inline constexpr double kTitlePoints = 14.0;
inline constexpr double kTextPoints = 10.0;
inline constexpr double kPanelPoints = 9.0;
inline constexpr double kScalePoints = 8.0;

}  // namespace tk70::TrendLayout
