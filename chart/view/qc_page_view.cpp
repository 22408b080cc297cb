// The widget that shows a chart page: see qc_page_view.h.
#include "chart/view/qc_page_view.h"

#include "chart/chart_palette.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPrinter>

namespace tk70 {

QCPageView::QCPageView(QWidget *parent) : QWidget(parent), m_pointer(m_page)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(false);
    m_renderer.setMinimumTextPixels(kMinimumTextPixels);
    connect(&m_page, &ChartPage::changed, this, &QCPageView::pageChanged);
}

QCPageView::~QCPageView() = default;

QPointF QCPageView::toPage(const QPointF &widgetPoint) const
{
    if (width() <= 0 || height() <= 0)
        return QPointF();
    return QPointF(widgetPoint.x() / width(), widgetPoint.y() / height());
}

QPointF QCPageView::toWidget(const QPointF &pagePoint) const
{
    return QPointF(pagePoint.x() * width(), pagePoint.y() * height());
}

void QCPageView::pageChanged(const QRectF &pageRect)
{
    if (pageRect.isEmpty()) {
        update();
        return;
    }
    // A text not drawn yet is estimated at its scaled size: one kept at the legible
    // minimum stands taller, so the area grows by that much.
    const QRectF area(toWidget(pageRect.topLeft()), toWidget(pageRect.bottomRight()));
    const int margin = static_cast<int>(kMinimumTextPixels) + 2;
    update(area.toAlignedRect().adjusted(-2, -margin, 2, margin));
}

void QCPageView::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    const QRect all = rect();
    const QRect dirty = event->rect();
    m_renderer.setPressedButton(m_pointer.pressedButton());
    m_renderer.render(painter, m_page, QRectF(all), ChartRenderMode::Screen, dirty == all ? QRectF() : QRectF(dirty));
    const QRectF band = m_pointer.rubberBand();
    if (!band.isEmpty()) {
        // White under black dashes: seen on the black plot area and on the grey page alike.
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(paletteColour(kPaletteWhite), 0.0, Qt::SolidLine));
        painter.drawRect(band);
        painter.setPen(QPen(paletteColour(kPaletteBlack), 0.0, Qt::DashLine));
        painter.drawRect(band);
    }
}

void QCPageView::act(const ChartPointer::Outcome &outcome)
{
    using Action = ChartPointer::Action;
    switch (outcome.action) {
    case Action::None: break;
    case Action::Repaint: {
        const QRectF band = m_pointer.rubberBand();
        if (outcome.handle != kNoChartHandle && m_page.isValid(outcome.handle))
            pageChanged(m_page.bounds(outcome.handle));
        if (!m_lastBand.isEmpty() || !band.isEmpty())
            update(m_lastBand.united(band).toAlignedRect().adjusted(-2, -2, 2, 2));
        m_lastBand = band;
        break;
    }
    case Action::ObjectClicked: emit objectClicked(outcome.handle, outcome.pagePoint); break;
    case Action::ObjectDoubleClicked: emit objectDoubleClicked(outcome.handle, outcome.pagePoint); break;
    case Action::LeftDragged: emit leftDragged(outcome.pagePoint); break;
    case Action::RubberBand:
        update(m_lastBand.toAlignedRect().adjusted(-2, -2, 2, 2));
        m_lastBand = QRectF();
        emit rubberBandSelected(outcome.handle, outcome.userRect);
        break;
    }
}

void QCPageView::mousePressEvent(QMouseEvent *event)
{
    forgetLostRelease(*event);
    act(m_pointer.press(event->button(), event->position(), QRectF(rect())));
}

// A press with no other button down ends whatever the pointer still holds: its release
// went to a dialog the last click opened.
void QCPageView::forgetLostRelease(const QMouseEvent &event)
{
    if ((event.buttons() & ~event.button()) != Qt::NoButton)
        return;
    m_pointer.forgetHold();
    if (!m_lastBand.isEmpty())
        update(m_lastBand.toAlignedRect().adjusted(-2, -2, 2, 2));
    m_lastBand = QRectF();
}

void QCPageView::mouseMoveEvent(QMouseEvent *event) { act(m_pointer.move(event->position(), QRectF(rect()))); }

void QCPageView::mouseReleaseEvent(QMouseEvent *event)
{
    act(m_pointer.release(event->button(), event->position(), QRectF(rect())));
}

void QCPageView::mouseDoubleClickEvent(QMouseEvent *event)
{
    forgetLostRelease(*event);
    act(m_pointer.doubleClick(event->button(), event->position(), QRectF(rect())));
}

void QCPageView::print(QPrinter *printer)
{
    if (printer)
        printOn(*printer);
}

void QCPageView::printOn(QPaintDevice &device)
{
    beforePrinting();
    {
        QPainter painter(&device);
        if (painter.isActive()) {
            ChartRenderer renderer;  // its fonts are the device's
            renderer.render(painter, m_page, QRectF(0, 0, device.width(), device.height()), ChartRenderMode::Print);
        }
    }
    afterPrinting();
    update();
}

}  // namespace tk70
