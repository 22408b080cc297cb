// The trace colour table of the trend graphs: per trace position the palette colours of
// its line, button and labels on screen and on paper, and its line style.  The real-time
// and historical graphs and their printouts share it.
#pragma once

#include <Qt>

namespace tk70 {

struct TraceColours {
    int line = 0;
    int linePrinted = 0;
    int button = 0;
    int buttonPrinted = 0;
    int label = 0;
    int labelPrinted = 0;
    int style = 0;  // pen style number: 0 solid, 1 dashed, 2 dotted

    int lineColour(bool printed) const { return printed ? linePrinted : line; }
    int buttonColour(bool printed) const { return printed ? buttonPrinted : button; }
    int labelColour(bool printed) const { return printed ? labelPrinted : label; }
};

// The colours of trace position 0 to 11 (a position outside wraps into the table).
const TraceColours &traceColours(int trace);
// The pen of a style number: 0 solid, 1 dashed, 2 dotted, anything else solid.
Qt::PenStyle tracePenStyle(int style);

}  // namespace tk70
