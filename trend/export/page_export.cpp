// Saving a chart page as a file: see page_export.h.  Each format is drawn into memory
// first and written through QSaveFile, so a failure never leaves half a file behind.
#include "trend/export/page_export.h"

#include "chart/chart_page.h"
#include "chart/chart_renderer.h"
#include "trend/metafile/metafile_device.h"

#include <QBuffer>
#include <QDir>
#include <QImage>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QSvgGenerator>

namespace tk70 {

namespace {

const QRectF kExportRect(QPointF(0, 0), QSizeF(kExportPageSize));

// Draws the page filling target on device; false when the device cannot be painted on.
bool drawPage(const ChartPage &page, QPaintDevice &device, const QRectF &target)
{
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    ChartRenderer renderer;
    renderer.render(painter, page, target);
    return painter.end();
}

std::optional<QByteArray> encodeMetafile(const ChartPage &page, MetafileKind kind)
{
    MetafileDevice device(kind, kExportPageSize, kExportDotsPerInch);
    if (!drawPage(page, device, kExportRect))
        return std::nullopt;
    return device.bytes();
}

std::optional<QByteArray> encodeSvg(const ChartPage &page)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator generator;
    generator.setOutputDevice(&buffer);
    generator.setSize(kExportPageSize);
    generator.setViewBox(kExportRect);
    generator.setResolution(kExportDotsPerInch);
    if (!drawPage(page, generator, kExportRect))
        return std::nullopt;
    return buffer.data();
}

std::optional<QByteArray> encodePdf(const ChartPage &page)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape, QMarginsF(10, 10, 10, 10),
                                         QPageLayout::Millimeter));
        // The painter's device rectangle is the printable area inside the margins.
        if (!drawPage(page, writer, QRectF(0, 0, writer.width(), writer.height())))
            return std::nullopt;
    }
    return buffer.data();
}

std::optional<QByteArray> encodePng(const ChartPage &page)
{
    QImage image(kExportPageSize, QImage::Format_RGB32);
    image.setDotsPerMeterX(qRound(kExportDotsPerInch / 0.0254));
    image.setDotsPerMeterY(qRound(kExportDotsPerInch / 0.0254));
    if (!drawPage(page, image, kExportRect))
        return std::nullopt;
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG"))
        return std::nullopt;
    return buffer.data();
}

// The page in a format as the bytes of a file; nothing when it could not be drawn.
std::optional<QByteArray> encodePage(const ChartPage &page, ExportFormat format)
{
    if (const std::optional<MetafileKind> kind = metafileKindOf(format))
        return encodeMetafile(page, *kind);
    switch (format) {
    case ExportFormat::Svg: return encodeSvg(page);
    case ExportFormat::Pdf: return encodePdf(page);
    case ExportFormat::Png: return encodePng(page);
    case ExportFormat::Emf:
    case ExportFormat::PlaceableWmf:
    case ExportFormat::StandardWmf: break;
    }
    return std::nullopt;
}

}  // namespace

bool exportPage(const ChartPage &page, const QString &path, ExportFormat format, QString *error)
{
    const QString file = QDir::toNativeSeparators(path);
    const std::optional<QByteArray> bytes = encodePage(page, format);
    if (!bytes) {
        if (error)
            *error = QStringLiteral("Cannot save the graph to %1: the graph could not be drawn.").arg(file);
        return false;
    }
    QSaveFile out(path);
    if (out.open(QIODevice::WriteOnly) && out.write(*bytes) == bytes->size() && out.commit())
        return true;
    if (error)
        *error = QStringLiteral("Cannot save the graph to %1: %2").arg(file, out.errorString());
    return false;
}

}  // namespace tk70
