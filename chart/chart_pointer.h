// The mouse on a shown chart page, without widgets: which button is held pressed, the
// scroll bar being clicked or dragged, the left drag and the right-button rubber band.
// The page view feeds it device points and the target rectangle the page fills, and
// acts on the outcome it returns (signals, repaints).  Button and scroll bar callbacks
// run from here.
#pragma once

#include "chart/chart_page.h"
#include "chart/chart_scroll_geometry.h"

#include <QPointF>
#include <QRectF>

namespace tk70 {

class ChartPointer {
public:
    enum class Action {
        None,
        Repaint,        // only the look changed (a pressed button, the rubber band)
        ObjectClicked,  // a left press on an object that is no button or scroll bar
        ObjectDoubleClicked,
        LeftDragged,  // the left button moved while held
        RubberBand,   // a right drag finished inside a graph window
    };
    struct Outcome {
        Action action = Action::None;
        ChartHandle handle = kNoChartHandle;  // the object, or the rubber band's window
        QPointF pagePoint;
        QRectF userRect;  // the rubber band in user units
    };

    explicit ChartPointer(ChartPage &page) : m_page(page) {}

    Outcome press(Qt::MouseButton button, const QPointF &device, const QRectF &target);
    Outcome move(const QPointF &device, const QRectF &target);
    Outcome release(Qt::MouseButton button, const QPointF &device, const QRectF &target);
    Outcome doubleClick(Qt::MouseButton button, const QPointF &device, const QRectF &target);
    // Drops a hold whose release never came: a dialog a click or double-click opened took
    // the button's release.  Called when a press finds no other button down.
    void forgetHold();

    // The button held down with the mouse over it (drawn pressed), or kNoChartHandle.
    ChartHandle pressedButton() const { return m_overButton ? m_button : kNoChartHandle; }
    // The rubber band being drawn, in device pixels (empty when none).
    QRectF rubberBand() const;

private:
    enum class Hold { None, Button, Scroll, LeftDrag, Band };

    static QPointF toPage(const QPointF &device, const QRectF &target);
    QRectF deviceRect(ChartHandle handle, const QRectF &target) const;
    Outcome pressLeft(const QPointF &device, const QRectF &target);
    Outcome pressScroll(ChartHandle bar, const QPointF &device, const QRectF &target);
    Outcome dragThumb(const QPointF &device, const QRectF &target);

    ChartPage &m_page;
    Hold m_hold = Hold::None;
    ChartHandle m_button = kNoChartHandle;  // the button or scroll bar held, the band's window
    bool m_overButton = false;
    double m_thumbGrab = 0.0;  // distance of the grab point from the thumb's left edge
    QPointF m_bandStart;       // device
    QPointF m_bandEnd;
};

}  // namespace tk70
