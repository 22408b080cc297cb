// The one renderer of chart pages: draws a page through QPainter into a target rectangle
// on any paint device (the screen widget, QImage, QPrinter, QPdfWriter, QSvgGenerator,
// the metafile writers).  Page fractions map onto the target; text sizes scale with the
// target's height.  Fonts and laid-out texts are cached per target, so a repaint of an
// unchanged page allocates nothing per object.  Keep one renderer per view (or per
// export) and reuse it.
#pragma once

#include "chart_font_cache.h"
#include "chart_page.h"

#include <QPointF>
#include <QRectF>
#include <QSize>
#include <QStaticText>
#include <vector>

class QImage;
class QPainter;

namespace tk70 {

enum class ChartRenderMode {
    Screen,  // as shown
    Print,   // for paper: the page and graph window backgrounds are left white (the
             // caller switches the other colours itself), pressed looks are not drawn
};

class ChartRenderer {
public:
    // Draws the page into target (device coordinates of the painter).  With a non-empty
    // clip only the objects meeting it are drawn (a partial repaint).
    void render(QPainter &painter, const ChartPage &page, const QRectF &target,
                ChartRenderMode mode = ChartRenderMode::Screen, const QRectF &clip = QRectF());
    // The page drawn into a new image of a size (96 dpi unless dotsPerInch says otherwise).
    QImage renderImage(const ChartPage &page, const QSize &size, ChartRenderMode mode = ChartRenderMode::Screen,
                       int dotsPerInch = 96);

    // Shows a button as pressed (kNoChartHandle: none); the widget sets it while the
    // mouse holds a button down.
    void setPressedButton(ChartHandle button) { m_pressed = button; }

private:
    struct TextCache {
        unsigned revision = ~0u;
        int fontKey = -1;
        QStaticText text;
    };

    void beginFrame(QPainter &painter, const ChartPage &page, const QRectF &target);
    void drawObject(QPainter &painter, const ChartPage &page, ChartHandle handle);
    void drawGraphWindow(QPainter &painter, const ChartObject &object);
    void drawAxis(QPainter &painter, const ChartPage &page, const ChartObject &object);
    void drawAxisTicks(QPainter &painter, const ChartPage &page, const ChartObject &object, const QRectF &plot);
    void drawText(QPainter &painter, const ChartPage &page, ChartHandle handle, const QPointF &anchor);
    void drawLine(QPainter &painter, const ChartObject &object);
    void drawRect(QPainter &painter, const ChartObject &object);
    void drawPlot(QPainter &painter, const ChartPage &page, const ChartObject &object);
    void drawCursor(QPainter &painter, const ChartPage &page, const ChartObject &object);
    void drawButton(QPainter &painter, const ChartPage &page, ChartHandle handle);
    void drawScrollBar(QPainter &painter, const ChartObject &object);
    QStaticText &laidOut(ChartHandle handle, const ChartObject &object, int fontKey);
    QPointF alignedTopLeft(const QPointF &anchor, const QSizeF &size, Qt::Alignment alignment, double ascent) const;
    QRectF toDevice(const QRectF &pageRect) const;
    QPointF toDevice(const QPointF &pagePoint) const;
    QRectF toPage(const QRectF &deviceRect) const;
    QRectF plotRect(const ChartPage &page, ChartHandle window) const;
    double penWidth(double referencePixels) const;

    ChartFontCache m_fonts;
    std::vector<TextCache> m_texts;  // by handle
    std::vector<QPointF> m_points;   // the polyline being drawn
    const ChartPage *m_page = nullptr;
    QRectF m_target;
    QRectF m_clip;
    ChartRenderMode m_mode = ChartRenderMode::Screen;
    ChartHandle m_pressed = kNoChartHandle;
};

}  // namespace tk70
