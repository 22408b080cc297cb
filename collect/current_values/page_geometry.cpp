// The current-values page layout in page fractions.
#include "collect/current_values/page_geometry.h"

namespace tk70 {
namespace {

constexpr double kLeft = 0.05;  // left edge of column 0
constexpr double kColumnStep = 0.225;
constexpr double kTop = 0.075;  // top of row 0
constexpr double kRowStep = 0.04;
constexpr double kRowHeight = 0.03;
constexpr double kRuleLeft = 0.038;
constexpr double kRuleTop = 0.07;

}  // namespace

CellGeometry cellGeometry(int cell)
{
    const double x = kLeft + kColumnStep * (cell / kRowsPerColumn);
    const double top = kTop + kRowStep * (cell % kRowsPerColumn);
    CellGeometry geometry;
    geometry.band = QRectF(QPointF(x, top), QPointF(x + 0.205, top + kRowHeight));
    geometry.button = QRectF(QPointF(x, top), QPointF(x + 0.018, top + kRowHeight));
    geometry.name = QPointF(x + 0.03, top + kRowHeight / 2);
    geometry.value = QRectF(QPointF(x + 0.135, top), QPointF(x + 0.205, top + kRowHeight));
    geometry.nameWidth = geometry.value.left() - kCellTextMargin - geometry.name.x();
    geometry.valueWidth = geometry.value.width() - 2 * kCellTextMargin;
    return geometry;
}

Rule verticalRule(int k)
{
    const double x = kRuleLeft + kColumnStep * k;
    return {QPointF(x, kRuleTop), QPointF(x, kRuleTop + kRowStep * kRowsPerColumn)};
}

Rule horizontalRule(int k)
{
    const double y = kRuleTop + kRowStep * k;
    return {QPointF(kRuleLeft, y), QPointF(kRuleLeft + kColumnStep * kColumnsPerPage, y)};
}

QPointF titlePosition() { return {0.5, 0.025}; }

QPointF pageTextPosition() { return {0.05, 0.025}; }

QPointF datePosition() { return {0.9, 0.025}; }

QRectF prevPageButtonRect() { return QRectF(QPointF(0.66, 0.72), QPointF(0.79, 0.752)); }

QRectF nextPageButtonRect() { return QRectF(QPointF(0.805, 0.72), QPointF(0.935, 0.752)); }

QRectF trendBand() { return QRectF(QPointF(0.075, 0.8), QPointF(0.875, 0.95)); }

QPointF trendTitlePosition() { return {0.475, 0.765}; }

}  // namespace tk70
