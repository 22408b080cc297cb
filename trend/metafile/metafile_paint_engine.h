// The paint engine behind MetafileDevice: turns what QPainter draws into metafile records.
// It takes the painter's world transform itself (every point is mapped to device pixels
// and rounded), so lines, rectangles, texts and clip rectangles land where they would on
// an image of the same size.  What a metafile cannot express degrades: paths become
// polygons (filled) or polylines, gradients their first colour, clip regions and paths
// their bounding rectangle; images are left out.
#pragma once

#include "trend/metafile/metafile_gdi.h"
#include "trend/metafile/metafile_kind.h"

#include <QBrush>
#include <QByteArray>
#include <QPaintEngine>
#include <QPen>
#include <QRect>
#include <QSize>
#include <QTransform>
#include <memory>
#include <optional>
#include <vector>

namespace tk70 {

class MetafileRecorder;

class MetafilePaintEngine : public QPaintEngine {
public:
    MetafilePaintEngine(MetafileKind kind, QSize size, int dotsPerInch);
    ~MetafilePaintEngine() override;

    // The metafile of the last painting that ended; an empty picture before the first.
    const QByteArray &bytes() const { return m_bytes; }

    bool begin(QPaintDevice *device) override;
    bool end() override;
    void updateState(const QPaintEngineState &state) override;

    using QPaintEngine::drawLines;
    using QPaintEngine::drawPoints;
    using QPaintEngine::drawPolygon;
    using QPaintEngine::drawRects;
    void drawRects(const QRectF *rects, int count) override;
    void drawLines(const QLineF *lines, int count) override;
    void drawPoints(const QPointF *points, int count) override;
    void drawPolygon(const QPointF *points, int count, PolygonDrawMode mode) override;
    void drawPath(const QPainterPath &path) override;
    void drawTextItem(const QPointF &position, const QTextItem &item) override;
    void drawPixmap(const QRectF &target, const QPixmap &pixmap, const QRectF &source) override;
    void drawImage(const QRectF &target, const QImage &image, const QRectF &source,
                   Qt::ImageConversionFlags flags) override;
    Type type() const override { return User; }

private:
    std::unique_ptr<MetafileRecorder> newRecorder() const;
    void updateClip(const QPainterPath &path, Qt::ClipOperation operation);
    // Hands the current pen and brush to the recorder; false while not painting.
    bool prepare();
    gdi::Pen pen() const;
    gdi::Brush brush() const;
    gdi::Font font(const QFont &font) const;
    std::vector<int> advances(const QFont &font, const QString &text) const;
    static std::vector<QPoint> toDevice(const QPointF *points, qsizetype count, const QTransform &transform);

    MetafileKind m_kind;
    QSize m_size;
    int m_dpi;
    QPaintDevice *m_device = nullptr;
    std::unique_ptr<MetafileRecorder> m_recorder;
    QByteArray m_bytes;
    QTransform m_transform;
    QPen m_pen;
    QBrush m_brush;
    std::optional<QRect> m_clip;
    bool m_clipEnabled = false;
};

}  // namespace tk70
