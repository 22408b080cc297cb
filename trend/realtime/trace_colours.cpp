// The trace colour table: see trace_colours.h.
#include "trend/realtime/trace_colours.h"

#include <array>

namespace tk70 {

namespace {

// Line, line printed, button, button printed, label, label printed, style.  Traces 7 to
// 12 repeat the line colours of 1 to 6 dotted; white and yellow become black and cyan on
// paper.
constexpr std::array<TraceColours, 12> kTable = {{
    {12, 12, 12, 12, 12, 12, 0},
    {10, 10, 10, 10, 10, 10, 0},
    {13, 13, 13, 13, 13, 13, 0},
    {15, 0, 15, 0, 0, 0, 0},
    {9, 9, 9, 9, 9, 9, 0},
    {14, 11, 14, 11, 6, 11, 0},
    {12, 12, 4, 4, 4, 4, 2},
    {10, 10, 2, 2, 2, 2, 2},
    {13, 13, 5, 5, 5, 5, 2},
    {15, 0, 8, 8, 8, 0, 2},
    {9, 9, 1, 1, 1, 1, 2},
    {14, 11, 6, 3, 6, 3, 2},
}};

}  // namespace

const TraceColours &traceColours(int trace)
{
    const int count = static_cast<int>(kTable.size());
    return kTable[static_cast<size_t>(((trace % count) + count) % count)];
}

Qt::PenStyle tracePenStyle(int style)
{
    switch (style) {
    case 1: return Qt::DashLine;
    case 2: return Qt::DotLine;
    default: return Qt::SolidLine;
    }
}

}  // namespace tk70
