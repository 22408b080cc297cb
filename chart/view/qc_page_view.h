// A widget that shows one chart page filling its client area and turns mouse events
// into page events: a left click on a button runs its callback, a click on any other
// object (or on none) is reported with its handle, a double-click likewise, a left drag
// reports the page points it passes, and a right-button drag draws a rubber band and
// reports the rectangle in user units of the graph window it started in.  Only the
// changed objects' areas are repainted.  Texts never shrink below a legible size however
// small the window is.  Graph views (current values, real-time trend,
// historical viewer) derive from it and build their page through page().
#pragma once

#include "chart/chart_page.h"
#include "chart/chart_pointer.h"
#include "chart/chart_renderer.h"

#include <QPointF>
#include <QRectF>
#include <QWidget>

class QPaintDevice;
class QPrinter;

namespace tk70 {

class QCPageView : public QWidget {
    Q_OBJECT

public:
    // The smallest text drawn on screen, in pixels (paper and pictures scale freely).
    static constexpr double kMinimumTextPixels = 9.0;

    explicit QCPageView(QWidget *parent = nullptr);
    ~QCPageView() override;

    ChartPage &page() { return m_page; }
    const ChartPage &page() const { return m_page; }

    // Prints the page on a printer, scaled to its printable area (see printOn).
    void print(QPrinter *printer);
    // Draws the page as it prints onto any paint device, filling it: beforePrinting()
    // first, the page rendered for print, afterPrinting() last.  An image of the printed
    // page, a PDF or an SVG come out the same way as paper.
    void printOn(QPaintDevice &device);

    // Export mode, for drawing page() into a picture file between the two calls: a view
    // hides its interactive elements and, with reverse, takes its print colours on a
    // white background.  A view without such elements does nothing.
    virtual void beginExport(bool reverse) { static_cast<void>(reverse); }
    virtual void endExport() {}

    // A widget point in page fractions, and back.
    QPointF toPage(const QPointF &widgetPoint) const;
    QPointF toWidget(const QPointF &pagePoint) const;

signals:
    // A left click on an object that is no button (kNoChartHandle: on no object).
    void objectClicked(tk70::ChartHandle handle, QPointF pagePoint);
    void objectDoubleClicked(tk70::ChartHandle handle, QPointF pagePoint);
    // The left button moved while held down after a press that was not on a button or a
    // scroll bar.
    void leftDragged(QPointF pagePoint);
    // A finished right-button drag: the rectangle in user units of its graph window.
    void rubberBandSelected(tk70::ChartHandle window, QRectF userRect);

protected:
    // Called before the first and after the last printed page: a derived view switches
    // to its print colours and back here.
    virtual void beforePrinting() {}
    virtual void afterPrinting() {}

    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    void pageChanged(const QRectF &pageRect);
    void act(const ChartPointer::Outcome &outcome);
    void forgetLostRelease(const QMouseEvent &event);
    QRectF rubberBandOnWidget() const;

    ChartPage m_page;
    ChartRenderer m_renderer;
    ChartPointer m_pointer;
    QRectF m_lastBand;  // widget rectangle of the band last drawn
};

}  // namespace tk70
