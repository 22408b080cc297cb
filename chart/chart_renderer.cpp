// The one renderer of chart pages: see chart_renderer.h.
#include "chart/chart_renderer.h"

#include "chart/chart_axis_labels.h"
#include "chart/chart_palette.h"
#include "chart/chart_scroll_geometry.h"

#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cmath>

namespace tk70 {

namespace {

constexpr int kMaxTicks = 200;

bool darkColour(int colour) { return qGray(paletteRgb(colour)) < 110; }

// The first tick at or above the minimum, and how many fit up to the maximum.
int tickCount(double minimum, double maximum, double spacing)
{
    if (spacing <= 0 || maximum < minimum)
        return 0;
    return std::min(static_cast<int>(std::floor((maximum - minimum) / spacing + 1e-9)) + 1, kMaxTicks);
}

}  // namespace

void ChartRenderer::render(QPainter &painter, const ChartPage &page, const QRectF &target, ChartRenderMode mode,
                           const QRectF &clip)
{
    painter.save();
    m_mode = mode;
    beginFrame(painter, page, target);
    m_clip = clip.isEmpty() ? target : clip.intersected(target);
    painter.setClipRect(m_clip);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setBrush(Qt::NoBrush);
    fillBackground(painter, page);
    const bool partial = !clip.isEmpty();
    for (int i = 0; i < m_objectCount; ++i) {
        const auto handle = static_cast<ChartHandle>(i);
        if (!page.isShown(handle))
            continue;
        if (partial && !toDevice(page.bounds(handle)).intersects(m_clip))
            continue;
        drawObject(painter, handle);
    }
    painter.restore();
}

QImage ChartRenderer::renderImage(const ChartPage &page, const QSize &size, ChartRenderMode mode, int dotsPerInch)
{
    QImage image(size, QImage::Format_RGB32);
    const int dotsPerMetre = static_cast<int>(std::lround(dotsPerInch / 0.0254));
    image.setDotsPerMeterX(dotsPerMetre);
    image.setDotsPerMeterY(dotsPerMetre);
    QPainter painter(&image);
    render(painter, page, QRectF(QPointF(0, 0), QSizeF(size)), mode);
    return image;
}

void ChartRenderer::beginFrame(QPainter &painter, const ChartPage &page, const QRectF &target)
{
    const int count = page.objectCount();
    const bool fontsChanged = m_fonts.setTarget(painter.device(), target.height(), m_minimumTextPixels);
    if (fontsChanged || m_page != &page || count < m_objectCount)
        m_texts.assign(static_cast<size_t>(count), TextCache{});
    else
        m_texts.resize(static_cast<size_t>(count));
    m_page = &page;
    m_objectCount = count;
    m_target = target;
    if (m_pens.empty()) {
        for (int colour = 0; colour < kPaletteSize; ++colour)
            m_pens.emplace_back(paletteColour(colour), 0.0);
    }
}

void ChartRenderer::fillBackground(QPainter &painter, const ChartPage &page)
{
    const int colour = m_mode == ChartRenderMode::Print ? kPaletteWhite : page.background();
    painter.fillRect(m_clip, paletteColour(colour));
}

const QPen &ChartRenderer::pen(int colour)
{
    return m_pens[static_cast<size_t>(std::clamp(colour, 0, kPaletteSize - 1))];
}

QRectF ChartRenderer::toDevice(const QRectF &pageRect) const
{
    return QRectF(m_target.left() + pageRect.left() * m_target.width(),
                  m_target.top() + pageRect.top() * m_target.height(), pageRect.width() * m_target.width(),
                  pageRect.height() * m_target.height());
}

QPointF ChartRenderer::toDevice(const QPointF &pagePoint) const
{
    return QPointF(m_target.left() + pagePoint.x() * m_target.width(),
                   m_target.top() + pagePoint.y() * m_target.height());
}

QRectF ChartRenderer::toPage(const QRectF &deviceRect) const
{
    if (m_target.width() <= 0 || m_target.height() <= 0)
        return QRectF();
    return QRectF((deviceRect.left() - m_target.left()) / m_target.width(),
                  (deviceRect.top() - m_target.top()) / m_target.height(), deviceRect.width() / m_target.width(),
                  deviceRect.height() / m_target.height());
}

void ChartRenderer::drawObject(QPainter &painter, ChartHandle handle)
{
    const ChartObject &object = m_page->object(handle);
    switch (object.kind) {
    case ChartObjectKind::GraphWindow: drawGraphWindow(painter, handle); break;
    case ChartObjectKind::Axis: drawAxis(painter, handle); break;
    case ChartObjectKind::Text: drawText(painter, handle, toDevice(object.position)); break;
    case ChartObjectKind::WindowText:
        drawText(painter, handle, toDevice(m_page->userToPage(object.window, object.position)));
        break;
    case ChartObjectKind::Line: drawLine(painter, object); break;
    case ChartObjectKind::Rect: drawRect(painter, object); break;
    case ChartObjectKind::LinePlot: drawPlot(painter, object); break;
    case ChartObjectKind::Cursor: drawCursor(painter, object); break;
    case ChartObjectKind::Button: drawButton(painter, handle); break;
    case ChartObjectKind::ScrollBar: drawScrollBar(painter, object); break;
    }
}

// --- Graph windows and axes ------------------------------------------------------------

void ChartRenderer::drawGraphWindow(QPainter &painter, ChartHandle handle)
{
    const ChartObject &window = m_page->object(handle);
    const bool screen = m_mode == ChartRenderMode::Screen;
    if (screen && window.fill != kNoColour)
        painter.fillRect(toDevice(window.rect), paletteColour(window.fill));
    const QRectF plot = toDevice(m_page->plotAreaOnPage(handle));
    if (screen && window.windowPart.plotBackground != kNoColour)
        painter.fillRect(plot, paletteColour(window.windowPart.plotBackground));
    if (window.windowPart.frame != kNoColour) {
        painter.setPen(pen(window.windowPart.frame));
        painter.drawRect(plot);
    }
}

void ChartRenderer::drawAxis(QPainter &painter, ChartHandle handle)
{
    const ChartObject &axis = m_page->object(handle);
    const QRectF plot = toDevice(m_page->plotAreaOnPage(axis.window));
    const ChartScale scale = m_page->scale(axis.window);
    const bool horizontal = axis.axis.orientation == Qt::Horizontal;
    const double minimum = horizontal ? scale.xMin : scale.yMin;
    const double span = (horizontal ? scale.xMax : scale.yMax) - minimum;
    const int ticks = span == 0 ? 0 : tickCount(minimum, minimum + span, axis.axis.tickSpacing);
    const double tick = reference(4.0);
    const bool grid = axis.axis.gridColour != kNoColour;
    const QPen gridPen = grid ? QPen(paletteColour(axis.axis.gridColour), 0.0, axis.penStyle) : QPen();
    for (int i = 0; i < ticks; ++i) {
        const double share = i * axis.axis.tickSpacing / span;
        const double x = plot.left() + share * plot.width();
        const double y = plot.bottom() - share * plot.height();
        if (grid && i > 0) {
            painter.setPen(gridPen);
            painter.drawLine(horizontal ? QLineF(x, plot.top(), x, plot.bottom())
                                        : QLineF(plot.left(), y, plot.right(), y));
        }
        painter.setPen(pen(axis.colour));
        painter.drawLine(horizontal ? QLineF(x, plot.bottom(), x, plot.bottom() + tick)
                                    : QLineF(plot.left() - tick, y, plot.left(), y));
    }
    drawAxisLabels(painter, handle, plot);
    drawAxisTitle(painter, handle, plot);
}

void ChartRenderer::prepareAxisLabels(ChartHandle handle, int fontKey)
{
    const ChartObject &axis = m_page->object(handle);
    TextCache &cache = m_texts[static_cast<size_t>(handle)];
    const ChartScale scale = m_page->scale(axis.window);
    const bool same = cache.labelRevision == axis.revision && cache.labelFontKey == fontKey &&
                      scale.xMin == cache.labelScale.xMin && scale.xMax == cache.labelScale.xMax &&
                      scale.yMin == cache.labelScale.yMin && scale.yMax == cache.labelScale.yMax;
    if (same)
        return;
    const bool horizontal = axis.axis.orientation == Qt::Horizontal;
    const double minimum = horizontal ? scale.xMin : scale.yMin;
    const double maximum = horizontal ? scale.xMax : scale.yMax;
    const int ticks = tickCount(minimum, maximum, axis.axis.tickSpacing);
    cache.labels.resize(static_cast<size_t>(ticks));
    for (int i = 0; i < ticks; ++i) {
        const double value = minimum + i * axis.axis.tickSpacing;
        QStaticText &label = cache.labels[static_cast<size_t>(i)];
        label.setTextFormat(Qt::PlainText);
        label.setText(axis.axis.label ? axis.axis.label(value) : decimalLabel(value, axis.axis.decimals));
        label.prepare(QTransform(), m_fonts.font(fontKey));
    }
    cache.labelRevision = axis.revision;
    cache.labelFontKey = fontKey;
    cache.labelScale = scale;
}

void ChartRenderer::drawAxisLabels(QPainter &painter, ChartHandle handle, const QRectF &plot)
{
    const ChartObject &axis = m_page->object(handle);
    const int fontKey = m_fonts.key(axis.style);
    prepareAxisLabels(handle, fontKey);
    const auto &labels = m_texts[static_cast<size_t>(handle)].labels;
    const ChartScale scale = m_page->scale(axis.window);
    const bool horizontal = axis.axis.orientation == Qt::Horizontal;
    const double span = horizontal ? scale.xMax - scale.xMin : scale.yMax - scale.yMin;
    if (span == 0)
        return;
    painter.setFont(m_fonts.font(fontKey));
    setTextPen(painter, axis.style, axis.colour);
    const double gap = reference(6.0);
    QRectF drawn;
    for (size_t i = 0; i < labels.size(); ++i) {
        const double share = static_cast<double>(i) * axis.axis.tickSpacing / span;
        const QSizeF size = labels[i].size();
        const QPointF topLeft =
            horizontal
                ? QPointF(plot.left() + share * plot.width() - size.width() / 2, plot.bottom() + gap)
                : QPointF(plot.left() - gap - size.width(), plot.bottom() - share * plot.height() - size.height() / 2);
        painter.drawStaticText(topLeft, labels[i]);
        drawn = drawn.united(QRectF(topLeft, size));
    }
    axis.drawnBounds = toPage(drawn);
}

// Where the line under a horizontal axis's tick labels begins (device pixels): its
// title stands there, and so do the texts kept below the labels.
double ChartRenderer::axisLabelsBottom(ChartHandle axis)
{
    const ChartObject &object = m_page->object(axis);
    const QRectF plot = toDevice(m_page->plotAreaOnPage(object.window));
    const int fontKey = m_fonts.key(object.style);
    prepareAxisLabels(axis, fontKey);
    double height = m_fonts.metrics(fontKey).height();
    for (const QStaticText &label : m_texts[static_cast<size_t>(axis)].labels)
        height = std::max(height, label.size().height());
    return plot.bottom() + reference(6.0) + height;
}

// The pen of a text: its palette colour, or on screen the legible shade of it on the
// text's ground when the style asks for one.
void ChartRenderer::setTextPen(QPainter &painter, const ChartTextStyle &style, int colour)
{
    if (!style.legibleColour || m_mode != ChartRenderMode::Screen) {
        painter.setPen(pen(colour));
        return;
    }
    const int ground = style.background != kNoColour ? style.background : m_page->background();
    painter.setPen(QPen(QColor::fromRgb(legibleShade(paletteRgb(colour), paletteRgb(ground))), 0.0));
}

void ChartRenderer::drawAxisTitle(QPainter &painter, ChartHandle handle, const QRectF &plot)
{
    const ChartObject &axis = m_page->object(handle);
    if (axis.text.isEmpty())
        return;
    const int fontKey = m_fonts.key(axis.style);
    const QStaticText &title = laidOut(handle, fontKey);
    const QSizeF size = title.size();
    const double gap = reference(6.0);
    const QPointF topLeft = axis.axis.orientation == Qt::Horizontal
                                ? QPointF(plot.center().x() - size.width() / 2, axisLabelsBottom(handle))
                                : QPointF(plot.left(), plot.top() - gap / 2 - size.height());
    painter.setFont(m_fonts.font(fontKey));
    setTextPen(painter, axis.style, axis.colour);
    painter.drawStaticText(topLeft, title);
}

// --- Texts, lines, rects ----------------------------------------------------------------

QStaticText &ChartRenderer::laidOut(ChartHandle handle, int fontKey)
{
    const ChartObject &object = m_page->object(handle);
    TextCache &cache = m_texts[static_cast<size_t>(handle)];
    const double width = std::max(object.style.maxWidth, 0.0) * m_target.width();
    if (cache.revision != object.revision || cache.fontKey != fontKey || cache.width != width) {
        cache.text.setTextFormat(Qt::PlainText);
        cache.text.setPerformanceHint(QStaticText::AggressiveCaching);
        cache.text.setText(width > 0 ? m_fonts.metrics(fontKey).elidedText(object.text, Qt::ElideRight, width)
                                     : object.text);
        cache.text.prepare(QTransform(), m_fonts.font(fontKey));
        cache.revision = object.revision;
        cache.fontKey = fontKey;
        cache.width = width;
    }
    return cache.text;
}

void ChartRenderer::drawText(QPainter &painter, ChartHandle handle, const QPointF &anchor)
{
    const ChartObject &object = m_page->object(handle);
    const int fontKey = m_fonts.key(object.style);
    const QStaticText &text = laidOut(handle, fontKey);
    const QSizeF size = text.size();
    const Qt::Alignment alignment = object.style.alignment;
    QPointF topLeft = anchor;
    if (alignment & Qt::AlignRight)
        topLeft.rx() -= size.width();
    else if (alignment & Qt::AlignHCenter)
        topLeft.rx() -= size.width() / 2;
    if (alignment & Qt::AlignBottom)
        topLeft.ry() -= size.height();
    else if (alignment & Qt::AlignVCenter)
        topLeft.ry() -= size.height() / 2;
    else if (alignment & Qt::AlignBaseline)
        topLeft.ry() -= m_fonts.metrics(fontKey).ascent();
    if (m_page->isValid(object.belowAxis))
        topLeft.ry() = std::max(topLeft.y(), axisLabelsBottom(object.belowAxis));
    const QRectF box(topLeft, size);
    if (object.style.background != kNoColour)
        painter.fillRect(box, paletteColour(object.style.background));
    painter.setFont(m_fonts.font(fontKey));
    setTextPen(painter, object.style, object.colour);
    painter.drawStaticText(topLeft, text);
    object.drawnBounds = toPage(box);
}

void ChartRenderer::drawLine(QPainter &painter, const ChartObject &object)
{
    const QLineF line(toDevice(object.rect.topLeft()), toDevice(object.rect.bottomRight()));
    if (object.penStyle == Qt::SolidLine && object.penWidth == 0.0)
        painter.setPen(pen(object.colour));
    else
        painter.setPen(QPen(paletteColour(object.colour), reference(object.penWidth), object.penStyle));
    painter.drawLine(line);
}

void ChartRenderer::drawRect(QPainter &painter, const ChartObject &object)
{
    const QRectF rect = toDevice(object.rect);
    if (object.fill != kNoColour)
        painter.fillRect(rect, paletteColour(object.fill));
    if (object.colour != kNoColour) {
        painter.setPen(pen(object.colour));
        painter.drawRect(rect);
    }
}

// --- Plots and cursors -------------------------------------------------------------------

void ChartRenderer::drawPlot(QPainter &painter, const ChartObject &object)
{
    const ChartPlotPart &plot = object.plot;
    const ChartScale scale = m_page->scale(object.window);
    const QRectF area = toDevice(m_page->plotAreaOnPage(object.window));
    const double spanX = scale.xMax - scale.xMin;
    const double spanY = scale.yMax - scale.yMin;
    if (!plot.data || spanX == 0 || spanY == 0)
        return;
    const int rows = plot.data->rowCount();
    int first = plot.firstRow;
    int last = rows - 1;
    if (plot.xColumn < 0) {  // only the rows inside the x range (and one either side)
        first = std::max(first, plot.firstRow + static_cast<int>(std::floor(scale.xMin)) - 1);
        last = std::min(last, plot.firstRow + static_cast<int>(std::ceil(scale.xMax)) + 1);
    }
    painter.save();
    painter.setClipRect(area.intersected(m_clip));
    if (object.penStyle == Qt::SolidLine)
        painter.setPen(pen(object.colour));
    else
        painter.setPen(QPen(paletteColour(object.colour), 0.0, object.penStyle));
    m_points.clear();
    for (int row = first; row <= last; ++row) {
        const double x = plot.xColumn < 0 ? row - plot.firstRow : plot.data->value(row, plot.xColumn);
        const double y = plot.data->value(row, plot.yColumn);
        if (std::isnan(x) || std::isnan(y)) {
            flushPolyline(painter);
            continue;
        }
        m_points.emplace_back(area.left() + (x - scale.xMin) / spanX * area.width(),
                              area.bottom() - (y - scale.yMin) / spanY * area.height());
    }
    flushPolyline(painter);
    painter.restore();
}

void ChartRenderer::flushPolyline(QPainter &painter)
{
    if (m_points.size() == 1)
        painter.drawPoint(m_points.front());
    else if (m_points.size() > 1)
        painter.drawPolyline(m_points.data(), static_cast<int>(m_points.size()));
    m_points.clear();
}

void ChartRenderer::drawCursor(QPainter &painter, const ChartObject &object)
{
    const QRectF area = toDevice(m_page->plotAreaOnPage(object.window));
    const double x = toDevice(m_page->userToPage(object.window, QPointF(object.position.x(), 0.0))).x();
    if (x < area.left() || x > area.right())
        return;
    if (object.penStyle == Qt::SolidLine)
        painter.setPen(pen(object.colour));
    else
        painter.setPen(QPen(paletteColour(object.colour), 0.0, object.penStyle));
    painter.drawLine(QLineF(x, area.top(), x, area.bottom()));
}

// --- Buttons and scroll bars --------------------------------------------------------------

void ChartRenderer::drawBevel(QPainter &painter, const QRectF &rect, bool sunken)
{
    const QRectF edge = rect.adjusted(0, 0, -1, -1);
    painter.setPen(pen(sunken ? 8 : kPaletteWhite));
    painter.drawLine(QLineF(edge.topLeft(), edge.topRight()));
    painter.drawLine(QLineF(edge.topLeft(), edge.bottomLeft()));
    painter.setPen(pen(sunken ? kPaletteWhite : kPaletteBlack));
    painter.drawLine(QLineF(edge.bottomLeft(), edge.bottomRight()));
    painter.drawLine(QLineF(edge.topRight(), edge.bottomRight()));
}

void ChartRenderer::drawButton(QPainter &painter, ChartHandle handle)
{
    const ChartObject &button = m_page->object(handle);
    const QRectF rect = toDevice(button.rect);
    const bool sunken = m_mode == ChartRenderMode::Screen && handle == m_pressed;
    painter.fillRect(rect, paletteColour(button.colour));
    drawBevel(painter, rect, sunken);
    button.drawnBounds = button.rect;
    if (button.text.isEmpty())
        return;
    const int fontKey = m_fonts.key(button.style);
    const QStaticText &caption = laidOut(handle, fontKey);
    const QSizeF size = caption.size();
    const double shift = sunken ? 1.0 : 0.0;
    painter.setFont(m_fonts.font(fontKey));
    painter.setPen(pen(darkColour(button.colour) ? kPaletteWhite : kPaletteBlack));
    painter.drawStaticText(
        QPointF(rect.center().x() - size.width() / 2 + shift, rect.center().y() - size.height() / 2 + shift), caption);
}

void ChartRenderer::drawScrollBar(QPainter &painter, const ChartObject &object)
{
    const ChartScrollGeometry geometry(toDevice(object.rect), object.scroll);
    painter.fillRect(geometry.trough(), paletteColour(kPaletteLightGrey));
    for (const QRectF &part : {geometry.leftArrow(), geometry.rightArrow(), geometry.thumb()}) {
        painter.fillRect(part, paletteColour(kPaletteLightGrey));
        drawBevel(painter, part, false);
    }
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(Qt::NoPen);
    painter.setBrush(paletteColour(kPaletteBlack));
    for (const QRectF &arrow : {geometry.leftArrow(), geometry.rightArrow()}) {
        const double d = arrow.height() / 4;
        const double direction = arrow == geometry.leftArrow() ? -1.0 : 1.0;
        const QPointF c = arrow.center();
        const QPointF triangle[3] = {c + QPointF(direction * d * 0.7, 0), c + QPointF(-direction * d * 0.5, -d),
                                     c + QPointF(-direction * d * 0.5, d)};
        painter.drawPolygon(triangle, 3);
    }
    painter.setBrush(Qt::NoBrush);
    painter.setRenderHint(QPainter::Antialiasing, false);
}

}  // namespace tk70
