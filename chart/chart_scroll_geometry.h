// Where the parts of a horizontal scroll bar lie in device pixels (arrows, trough,
// thumb), which part a point is on, and the value a dragged thumb stands for.  The
// renderer draws from it and the page view's mouse handling reads it, so both agree.
#pragma once

#include "chart/chart_object.h"

#include <QPointF>
#include <QRectF>

namespace tk70 {

enum class ChartScrollPartKind { None, LeftArrow, RightArrow, PageLeft, PageRight, Thumb };

class ChartScrollGeometry {
public:
    ChartScrollGeometry(const QRectF &deviceRect, const ChartScrollPart &state);

    QRectF leftArrow() const { return m_leftArrow; }
    QRectF rightArrow() const { return m_rightArrow; }
    QRectF trough() const { return m_trough; }
    QRectF thumb() const { return m_thumb; }
    ChartScrollPartKind partAt(const QPointF &point) const;
    // The value after clicking a part (arrows move by one, the trough by a page step),
    // limited to the range.
    int valueAfter(ChartScrollPartKind part) const;
    // The value when the thumb's left edge stands at x (device pixels), limited.
    int valueForThumbAt(double thumbLeft) const;

private:
    int m_minimum;
    int m_maximum;
    int m_pageStep;
    int m_value;
    QRectF m_leftArrow;
    QRectF m_rightArrow;
    QRectF m_trough;
    QRectF m_thumb;
};

}  // namespace tk70
