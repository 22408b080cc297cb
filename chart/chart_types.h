// Small types shared by every part of the chart component: object handles, the text
// style of text objects and axis labels, the scale of a graph window.
#pragma once

#include <QString>
#include <Qt>
#include <cstdint>

namespace tk70 {

// An object of a chart page (graph window, axis, text, line, rect, plot, cursor,
// button, scroll bar) as the program keeps it: a small integer, stable for the page's
// life, and kNoChartHandle for "none" (a refused creation, no object under a point).
using ChartHandle = std::int16_t;
inline constexpr ChartHandle kNoChartHandle = -1;

// Palette colour index meaning "nothing drawn" (no fill, no frame, no text box).
inline constexpr int kNoColour = -1;

// How a text is drawn.  pointSize is in points of the reference page (1024 x 768
// pixels at 96 dpi, so 576 points high); the renderer scales it to the target, so a
// page looks the same on screen, on paper and in an image of any resolution.
// alignment places the text relative to its anchor point: AlignLeft puts the anchor at
// the text's left edge, AlignRight at its right edge, AlignHCenter in its middle;
// AlignTop, AlignVCenter, AlignBottom likewise (AlignBaseline puts it on the baseline).
// maxWidth (page fractions) cuts a longer text with an ellipsis, so it never runs into
// what stands beside it.  legibleColour lets the screen draw a colour that would be
// nearly invisible on its ground (the text's box, else the page) in a deeper shade of
// the same hue; the object keeps its palette colour, and paper is drawn as given.
struct ChartTextStyle {
    QString face = QStringLiteral("Arial");  // "Arial" or "Courier New" (metric-compatible faces)
    double pointSize = 10.0;
    int colour = 0;              // palette index of the text
    int background = kNoColour;  // palette index of a box behind the text
    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignTop;
    bool bold = false;
    double maxWidth = 0.0;  // 0: as wide as the text is
    bool legibleColour = false;
};

// The user units of a graph window's plot area: x grows to the right, y upwards.
struct ChartScale {
    double xMin = 0.0;
    double xMax = 1.0;
    double yMin = 0.0;
    double yMax = 1.0;
};

// What an object is.
enum class ChartObjectKind : std::uint8_t {
    GraphWindow,
    Axis,
    Text,        // at a page-fraction position
    WindowText,  // at user coordinates of a graph window
    Line,
    Rect,
    LinePlot,
    Cursor,
    Button,
    ScrollBar,
};

}  // namespace tk70
