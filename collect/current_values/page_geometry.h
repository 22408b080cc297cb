// Where things stand on the current-values page, in page fractions (0..1 both ways, y
// down): the 64 cells in four columns of sixteen, each a selector button, a name and a
// value field; the grid rules around them; the page, date and title texts; the page
// buttons; and the band of the selected tag's trend.
#pragma once

#include <QPointF>
#include <QRectF>

namespace tk70 {

inline constexpr int kCellsPerPage = 64;
inline constexpr int kRowsPerColumn = 16;
inline constexpr int kColumnsPerPage = kCellsPerPage / kRowsPerColumn;
inline constexpr int kVerticalRules = kColumnsPerPage + 1;
inline constexpr int kHorizontalRules = kRowsPerColumn + 1;

// The parts of cell k (0..63) of a page.
struct CellGeometry {
    QRectF band;    // the whole cell: from its left edge to the end of the value field
    QRectF button;  // the selector button
    QPointF name;   // where the name text starts (left end, middle of the band)
    QRectF value;   // the value field
    // The widths the name and the value text may take: a longer one is cut, so the
    // field never covers the name and the value never leaves its field.
    double nameWidth = 0.0;
    double valueWidth = 0.0;
};

// The gap between the value text and either edge of its field, and between the name
// and the field.
inline constexpr double kCellTextMargin = 0.003;

CellGeometry cellGeometry(int cell);

// Grid rule k as a line from p1 to p2: vertical rules k = 0..4, horizontal k = 0..16.
struct Rule {
    QPointF p1;
    QPointF p2;
};
Rule verticalRule(int k);
Rule horizontalRule(int k);

// The texts above the grid and the page buttons below it.
QPointF titlePosition();     // centre of "Data Collection Output"
QPointF pageTextPosition();  // left end of "Page %d of %d"
QPointF datePosition();      // left end of the date
QRectF prevPageButtonRect();
QRectF nextPageButtonRect();

// The trend of the selected tag: its band and the title line above it (centred).
QRectF trendBand();
QPointF trendTitlePosition();

}  // namespace tk70
