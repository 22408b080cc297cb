// Parts of a horizontal scroll bar: see chart_scroll_geometry.h.
#include "chart/chart_scroll_geometry.h"

#include <algorithm>
#include <cmath>

namespace tk70 {

ChartScrollGeometry::ChartScrollGeometry(const QRectF &deviceRect, const ChartScrollPart &state)
    : m_minimum(state.minimum), m_maximum(std::max(state.minimum, state.maximum)),
      m_pageStep(std::max(state.pageStep, 1)), m_value(std::clamp(state.value, m_minimum, m_maximum))
{
    const double arrow = std::min(deviceRect.height(), deviceRect.width() / 3);
    m_leftArrow = QRectF(deviceRect.left(), deviceRect.top(), arrow, deviceRect.height());
    m_rightArrow = QRectF(deviceRect.right() - arrow, deviceRect.top(), arrow, deviceRect.height());
    m_trough = QRectF(m_leftArrow.right(), deviceRect.top(), deviceRect.width() - 2 * arrow, deviceRect.height());
    // The thumb's share of the trough is the page step's share of everything scrolled
    // over, but never narrower than an arrow.
    const double total = static_cast<double>(m_maximum - m_minimum) + m_pageStep;
    const double width =
        std::clamp(m_trough.width() * m_pageStep / total, std::min(arrow, m_trough.width()), m_trough.width());
    const double travel = m_trough.width() - width;
    const double share = m_maximum > m_minimum ? double(m_value - m_minimum) / (m_maximum - m_minimum) : 0.0;
    m_thumb = QRectF(m_trough.left() + travel * share, m_trough.top(), width, m_trough.height());
}

ChartScrollPartKind ChartScrollGeometry::partAt(const QPointF &point) const
{
    if (m_leftArrow.contains(point))
        return ChartScrollPartKind::LeftArrow;
    if (m_rightArrow.contains(point))
        return ChartScrollPartKind::RightArrow;
    if (m_thumb.contains(point))
        return ChartScrollPartKind::Thumb;
    if (!m_trough.contains(point))
        return ChartScrollPartKind::None;
    return point.x() < m_thumb.left() ? ChartScrollPartKind::PageLeft : ChartScrollPartKind::PageRight;
}

int ChartScrollGeometry::valueAfter(ChartScrollPartKind part) const
{
    int value = m_value;
    switch (part) {
    case ChartScrollPartKind::LeftArrow: value -= 1; break;
    case ChartScrollPartKind::RightArrow: value += 1; break;
    case ChartScrollPartKind::PageLeft: value -= m_pageStep; break;
    case ChartScrollPartKind::PageRight: value += m_pageStep; break;
    default: break;
    }
    return std::clamp(value, m_minimum, m_maximum);
}

int ChartScrollGeometry::valueForThumbAt(double thumbLeft) const
{
    const double travel = m_trough.width() - m_thumb.width();
    if (travel <= 0)
        return m_minimum;
    const double share = std::clamp((thumbLeft - m_trough.left()) / travel, 0.0, 1.0);
    return m_minimum + static_cast<int>(std::lround(share * (m_maximum - m_minimum)));
}

}  // namespace tk70
