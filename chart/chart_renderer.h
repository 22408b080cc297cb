// The one renderer of chart pages: draws a page through QPainter into a target rectangle
// on any paint device (the screen widget, QImage, QPrinter, QPdfWriter, QSvgGenerator,
// the metafile writers).  Page fractions map onto the target; text sizes scale with the
// target's height, down to a legible minimum where the renderer is given one (the
// screen).  Fonts and laid-out texts are cached per target, so a repaint of an
// unchanged page allocates nothing per object.  Keep one renderer per view (or per
// export) and reuse it.
#pragma once

#include "chart/chart_font_cache.h"
#include "chart/chart_page.h"

#include <QPen>
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
    // Texts are drawn at least this many pixels high however small the target is (0, the
    // default: they scale with the target, as on paper and in exported pictures).
    void setMinimumTextPixels(double pixels) { m_minimumTextPixels = pixels; }

private:
    // What was laid out for one object: its text (or title), and an axis's tick labels.
    struct TextCache {
        unsigned revision = ~0u;
        int fontKey = -1;
        double width = -1.0;  // device pixels the text was cut to (0: not cut)
        QStaticText text;
        unsigned labelRevision = ~0u;
        int labelFontKey = -1;
        ChartScale labelScale;
        std::vector<QStaticText> labels;
    };

    void beginFrame(QPainter &painter, const ChartPage &page, const QRectF &target);
    void fillBackground(QPainter &painter, const ChartPage &page);
    void drawObject(QPainter &painter, ChartHandle handle);
    void drawGraphWindow(QPainter &painter, ChartHandle handle);
    void drawAxis(QPainter &painter, ChartHandle handle);
    void drawAxisLabels(QPainter &painter, ChartHandle handle, const QRectF &plot);
    void drawAxisTitle(QPainter &painter, ChartHandle handle, const QRectF &plot);
    void prepareAxisLabels(ChartHandle handle, int fontKey);
    double axisLabelsBottom(ChartHandle axis);
    void setTextPen(QPainter &painter, const ChartTextStyle &style, int colour);
    void drawText(QPainter &painter, ChartHandle handle, const QPointF &anchor);
    void drawLine(QPainter &painter, const ChartObject &object);
    void drawRect(QPainter &painter, const ChartObject &object);
    void drawPlot(QPainter &painter, const ChartObject &object);
    void flushPolyline(QPainter &painter);
    void drawCursor(QPainter &painter, const ChartObject &object);
    void drawButton(QPainter &painter, ChartHandle handle);
    void drawBevel(QPainter &painter, const QRectF &rect, bool sunken);
    void drawScrollBar(QPainter &painter, const ChartObject &object);
    QStaticText &laidOut(ChartHandle handle, int fontKey);
    const QPen &pen(int colour);
    QRectF toDevice(const QRectF &pageRect) const;
    QPointF toDevice(const QPointF &pagePoint) const;
    QRectF toPage(const QRectF &deviceRect) const;
    double reference(double referencePixels) const { return referencePixels * m_fonts.scale(); }

    ChartFontCache m_fonts;
    std::vector<TextCache> m_texts;  // by handle
    std::vector<QPointF> m_points;   // the polyline being drawn
    std::vector<QPen> m_pens;        // one-pixel solid pens by palette index
    const ChartPage *m_page = nullptr;
    int m_objectCount = 0;
    QRectF m_target;
    QRectF m_clip;
    ChartRenderMode m_mode = ChartRenderMode::Screen;
    ChartHandle m_pressed = kNoChartHandle;
    double m_minimumTextPixels = 0.0;
};

}  // namespace tk70
