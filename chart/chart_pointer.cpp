// The mouse on a shown chart page: see chart_pointer.h.
#include "chart/chart_pointer.h"

namespace tk70 {

namespace {

ChartPointer::Outcome result(ChartPointer::Action action, ChartHandle handle = kNoChartHandle,
                             const QPointF &page = QPointF(), const QRectF &user = QRectF())
{
    ChartPointer::Outcome outcome;
    outcome.action = action;
    outcome.handle = handle;
    outcome.pagePoint = page;
    outcome.userRect = user;
    return outcome;
}

}  // namespace

QPointF ChartPointer::toPage(const QPointF &device, const QRectF &target)
{
    if (target.width() <= 0 || target.height() <= 0)
        return QPointF();
    return QPointF((device.x() - target.left()) / target.width(), (device.y() - target.top()) / target.height());
}

QRectF ChartPointer::deviceRect(ChartHandle handle, const QRectF &target) const
{
    const QRectF rect = m_page.object(handle).rect;
    return QRectF(target.left() + rect.left() * target.width(), target.top() + rect.top() * target.height(),
                  rect.width() * target.width(), rect.height() * target.height());
}

ChartPointer::Outcome ChartPointer::press(Qt::MouseButton button, const QPointF &device, const QRectF &target)
{
    if (m_hold != Hold::None)
        return {};
    if (button == Qt::LeftButton)
        return pressLeft(device, target);
    if (button != Qt::RightButton)
        return {};
    m_button = m_page.graphWindowAt(toPage(device, target));
    if (m_button == kNoChartHandle)
        return {};
    m_hold = Hold::Band;
    m_bandStart = m_bandEnd = device;
    return result(Action::Repaint);
}

ChartPointer::Outcome ChartPointer::pressLeft(const QPointF &device, const QRectF &target)
{
    const QPointF page = toPage(device, target);
    const ChartHandle handle = m_page.objectAt(page);
    const ChartObjectKind kind = m_page.kind(handle);
    if (handle != kNoChartHandle && kind == ChartObjectKind::Button) {
        m_hold = Hold::Button;
        m_button = handle;
        m_overButton = true;
        return result(Action::Repaint, handle, page);
    }
    if (handle != kNoChartHandle && kind == ChartObjectKind::ScrollBar)
        return pressScroll(handle, device, target);
    m_hold = Hold::LeftDrag;
    return result(Action::ObjectClicked, handle, page);
}

ChartPointer::Outcome ChartPointer::pressScroll(ChartHandle bar, const QPointF &device, const QRectF &target)
{
    const ChartScrollGeometry geometry(deviceRect(bar, target), *m_page.scrollBar(bar));
    const ChartScrollPartKind part = geometry.partAt(device);
    if (part == ChartScrollPartKind::Thumb) {
        m_hold = Hold::Scroll;
        m_button = bar;
        m_thumbGrab = device.x() - geometry.thumb().left();
        return {};
    }
    if (part != ChartScrollPartKind::None)
        m_page.setScrollValue(bar, geometry.valueAfter(part), true);
    return {};
}

ChartPointer::Outcome ChartPointer::dragThumb(const QPointF &device, const QRectF &target)
{
    if (!m_page.isValid(m_button) || m_page.kind(m_button) != ChartObjectKind::ScrollBar)
        return {};
    const ChartScrollGeometry geometry(deviceRect(m_button, target), *m_page.scrollBar(m_button));
    m_page.setScrollValue(m_button, geometry.valueForThumbAt(device.x() - m_thumbGrab), true);
    return {};
}

ChartPointer::Outcome ChartPointer::move(const QPointF &device, const QRectF &target)
{
    const QPointF page = toPage(device, target);
    switch (m_hold) {
    case Hold::Button: {
        const bool over = m_page.isValid(m_button) && m_page.bounds(m_button).contains(page);
        if (over == m_overButton)
            return {};
        m_overButton = over;
        return result(Action::Repaint, m_button, page);
    }
    case Hold::Scroll: return dragThumb(device, target);
    case Hold::LeftDrag: return result(Action::LeftDragged, kNoChartHandle, page);
    case Hold::Band: m_bandEnd = device; return result(Action::Repaint);
    case Hold::None: break;
    }
    return {};
}

ChartPointer::Outcome ChartPointer::release(Qt::MouseButton button, const QPointF &device, const QRectF &target)
{
    const Hold hold = m_hold;
    const bool left = button == Qt::LeftButton;
    if ((left && hold == Hold::Band) || (!left && hold != Hold::Band) || hold == Hold::None)
        return {};
    m_hold = Hold::None;
    const QPointF page = toPage(device, target);
    if (hold == Hold::Band) {
        m_bandEnd = device;
        const QRectF user = m_page.userRect(m_button, toPage(m_bandStart, target), page);
        return result(Action::RubberBand, m_button, page, user);
    }
    if (hold == Hold::Button) {
        const ChartHandle pressed = m_button;
        const bool over = m_overButton && m_page.isValid(pressed) && m_page.bounds(pressed).contains(page);
        m_overButton = false;
        m_button = kNoChartHandle;
        if (over)
            m_page.clickButton(pressed);
        return result(Action::Repaint, pressed, page);
    }
    return {};
}

ChartPointer::Outcome ChartPointer::doubleClick(Qt::MouseButton button, const QPointF &device, const QRectF &target)
{
    if (button != Qt::LeftButton)
        return {};
    const QPointF page = toPage(device, target);
    const ChartHandle handle = m_page.objectAt(page);
    const ChartObjectKind kind = m_page.kind(handle);
    if (handle != kNoChartHandle && (kind == ChartObjectKind::Button || kind == ChartObjectKind::ScrollBar))
        return press(button, device, target);  // a fast second click on a button is a click
    m_hold = Hold::LeftDrag;
    return result(Action::ObjectDoubleClicked, handle, page);
}

void ChartPointer::forgetHold()
{
    m_hold = Hold::None;
    m_button = kNoChartHandle;
    m_overButton = false;
}

QRectF ChartPointer::rubberBand() const
{
    return m_hold == Hold::Band ? QRectF(m_bandStart, m_bandEnd).normalized() : QRectF();
}

}  // namespace tk70
