// The paint engine behind MetafileDevice: see metafile_paint_engine.h.
#include "trend/metafile/metafile_paint_engine.h"

#include "trend/metafile/emf_recorder.h"
#include "trend/metafile/wmf_recorder.h"

#include <QFontMetricsF>
#include <QPainterPath>
#include <QTextItem>
#include <algorithm>
#include <cmath>
#include <numbers>

namespace tk70 {

namespace {

int penStyle(Qt::PenStyle style)
{
    switch (style) {
    case Qt::DashLine:
    case Qt::CustomDashLine: return gdi::kPenDash;
    case Qt::DotLine: return gdi::kPenDot;
    case Qt::DashDotLine: return gdi::kPenDashDot;
    case Qt::DashDotDotLine: return gdi::kPenDashDotDot;
    default: return gdi::kPenSolid;
    }
}

int rounded(double value) { return static_cast<int>(std::lround(value)); }

}  // namespace

MetafilePaintEngine::MetafilePaintEngine(MetafileKind kind, QSize size, int dotsPerInch)
    : QPaintEngine(AllFeatures), m_kind(kind), m_size(size), m_dpi(dotsPerInch), m_bytes(newRecorder()->finish())
{
}

MetafilePaintEngine::~MetafilePaintEngine() = default;

std::unique_ptr<MetafileRecorder> MetafilePaintEngine::newRecorder() const
{
    if (m_kind == MetafileKind::Enhanced)
        return std::make_unique<EmfRecorder>(m_size, m_dpi);
    return std::make_unique<WmfRecorder>(m_size, m_dpi, m_kind == MetafileKind::Placeable);
}

bool MetafilePaintEngine::begin(QPaintDevice *device)
{
    m_device = device;
    m_recorder = newRecorder();
    m_transform = QTransform();
    m_pen = QPen();
    m_brush = QBrush();
    m_clip.reset();
    m_clipEnabled = false;
    return true;
}

bool MetafilePaintEngine::end()
{
    if (m_recorder)
        m_bytes = m_recorder->finish();
    m_recorder.reset();
    return true;
}

void MetafilePaintEngine::updateState(const QPaintEngineState &state)
{
    const DirtyFlags flags = state.state();
    if (flags & DirtyTransform)
        m_transform = state.transform();
    if (flags & DirtyPen)
        m_pen = state.pen();
    if (flags & DirtyBrush)
        m_brush = state.brush();
    if (flags & DirtyClipEnabled)
        m_clipEnabled = state.isClipEnabled();
    if (flags & DirtyClipPath) {
        updateClip(state.clipPath(), state.clipOperation());
    } else if (flags & DirtyClipRegion) {
        QPainterPath path;
        path.addRegion(state.clipRegion());
        updateClip(path, state.clipOperation());
    }
    if (m_recorder)
        m_recorder->setClip(m_clipEnabled ? m_clip : std::nullopt);
}

// The clip as the painter gives it (in its coordinates at the time) becomes a device
// rectangle, intersected with the one before when asked to.
void MetafilePaintEngine::updateClip(const QPainterPath &path, Qt::ClipOperation operation)
{
    if (operation == Qt::NoClip) {
        m_clip.reset();
        return;
    }
    const QRectF bounds = m_transform.map(path).boundingRect();
    const int left = rounded(bounds.left());
    const int top = rounded(bounds.top());
    const QRect rect(left, top, rounded(bounds.right()) - left, rounded(bounds.bottom()) - top);
    m_clip = operation == Qt::IntersectClip && m_clip ? m_clip->intersected(rect) : rect;
    m_clipEnabled = true;
}

bool MetafilePaintEngine::prepare()
{
    if (!m_recorder)
        return false;
    m_recorder->setPen(pen());
    m_recorder->setBrush(brush());
    return true;
}

gdi::Pen MetafilePaintEngine::pen() const
{
    const QColor colour = m_pen.color();
    if (m_pen.style() == Qt::NoPen || colour.alpha() == 0)
        return gdi::Pen{gdi::kPenNull, 1, 0};
    double width = m_pen.widthF();
    if (!m_pen.isCosmetic())
        width *= std::sqrt(std::abs(m_transform.determinant()));
    return gdi::Pen{penStyle(m_pen.style()), std::max(1, rounded(width)), colour.rgb()};
}

gdi::Brush MetafilePaintEngine::brush() const
{
    QColor colour = m_brush.color();
    switch (m_brush.style()) {
    case Qt::NoBrush:
    case Qt::TexturePattern: return gdi::Brush{gdi::kBrushNull, 0};
    case Qt::LinearGradientPattern:
    case Qt::RadialGradientPattern:
    case Qt::ConicalGradientPattern: {
        const QGradientStops stops = m_brush.gradient()->stops();
        colour = stops.isEmpty() ? QColor(Qt::black) : stops.front().second;
        break;
    }
    default: break;
    }
    if (colour.alpha() == 0)
        return gdi::Brush{gdi::kBrushNull, 0};
    return gdi::Brush{gdi::kBrushSolid, colour.rgb()};
}

gdi::Font MetafilePaintEngine::font(const QFont &qfont) const
{
    const double pixels = qfont.pixelSize() > 0 ? qfont.pixelSize() : qfont.pointSizeF() * m_dpi / 72.0;
    gdi::Font result;
    result.face = qfont.family();
    result.height = std::max(1, rounded(pixels * std::hypot(m_transform.m21(), m_transform.m22())));
    result.weight = qfont.weight();  // Qt's weights are the Windows ones (400 normal, 700 bold)
    result.italic = qfont.italic();
    result.underline = qfont.underline();
    result.strikeOut = qfont.strikeOut();
    // Device y runs down, so a clockwise turn on the page is a negative escapement.
    result.escapement = rounded(-std::atan2(m_transform.m12(), m_transform.m11()) * 1800.0 / std::numbers::pi);
    return result;
}

// Device widths of each UTF-16 unit, rounded so that their sum stays on the exact one.
std::vector<int> MetafilePaintEngine::advances(const QFont &qfont, const QString &text) const
{
    const QFontMetricsF metrics(qfont, m_device);
    const double scale = std::hypot(m_transform.m11(), m_transform.m12());
    std::vector<int> result;
    result.reserve(static_cast<size_t>(text.size()));
    double position = 0.0;
    int written = 0;
    for (QChar c : text) {
        position += metrics.horizontalAdvance(c) * scale;
        result.push_back(rounded(position) - written);
        written = rounded(position);
    }
    return result;
}

std::vector<QPoint> MetafilePaintEngine::toDevice(const QPointF *points, qsizetype count, const QTransform &transform)
{
    std::vector<QPoint> result;
    result.reserve(static_cast<size_t>(count));
    for (qsizetype i = 0; i < count; ++i) {
        const QPointF p = transform.map(points[i]);
        result.emplace_back(rounded(p.x()), rounded(p.y()));
    }
    return result;
}

// --- Drawing -------------------------------------------------------------------------------

void MetafilePaintEngine::drawRects(const QRectF *rects, int count)
{
    if (!prepare())
        return;
    for (int i = 0; i < count; ++i) {
        if (m_transform.type() > QTransform::TxScale) {  // turned: a polygon of the corners
            const QPolygonF corners(rects[i]);
            m_recorder->polygon(toDevice(corners.constData(), corners.size() - 1, m_transform), false);
            continue;
        }
        // The painter covers both edges of a framed rectangle and the inside of a filled
        // one, which the GDI rectangle covers one pixel further right and down.
        const QRectF r = m_transform.mapRect(rects[i]);
        const int left = rounded(r.left());
        const int top = rounded(r.top());
        m_recorder->rectangle(QRect(left, top, rounded(r.right()) - left + 1, rounded(r.bottom()) - top + 1));
    }
}

void MetafilePaintEngine::drawLines(const QLineF *lines, int count)
{
    if (!prepare())
        return;
    for (int i = 0; i < count; ++i) {
        const QPointF ends[2] = {lines[i].p1(), lines[i].p2()};
        m_recorder->polyline(toDevice(ends, 2, m_transform));
    }
}

void MetafilePaintEngine::drawPoints(const QPointF *points, int count)
{
    if (!prepare())
        return;
    for (const QPoint &point : toDevice(points, count, m_transform))
        m_recorder->polyline({point, point + QPoint(1, 0)});
}

void MetafilePaintEngine::drawPolygon(const QPointF *points, int count, PolygonDrawMode mode)
{
    if (!prepare())
        return;
    std::vector<QPoint> device = toDevice(points, count, m_transform);
    if (mode == PolylineMode)
        m_recorder->polyline(device);
    else
        m_recorder->polygon(device, mode == WindingMode);
}

void MetafilePaintEngine::drawPath(const QPainterPath &path)
{
    if (!prepare())
        return;
    const bool filled = brush().style != gdi::kBrushNull;
    for (const QPolygonF &polygon : path.toSubpathPolygons(m_transform)) {
        std::vector<QPoint> device = toDevice(polygon.constData(), polygon.size(), QTransform());
        if (filled)
            m_recorder->polygon(device, path.fillRule() == Qt::WindingFill);
        else
            m_recorder->polyline(device);
    }
}

void MetafilePaintEngine::drawTextItem(const QPointF &position, const QTextItem &item)
{
    const QString text = item.text();
    if (!m_recorder || text.isEmpty())
        return;
    const QFont qfont = item.font();
    m_recorder->setFont(font(qfont));
    m_recorder->setTextColour(m_pen.color().rgb());
    const QPointF baseline = m_transform.map(position);
    m_recorder->text(QPoint(rounded(baseline.x()), rounded(baseline.y())), text, advances(qfont, text));
}

// Pictures are not carried into the metafile: the chart pages draw none.
void MetafilePaintEngine::drawPixmap(const QRectF &, const QPixmap &, const QRectF &) {}

void MetafilePaintEngine::drawImage(const QRectF &, const QImage &, const QRectF &, Qt::ImageConversionFlags) {}

}  // namespace tk70
