// The graph export formats and their dialog filters: see export_format.h.
#include "trend/export/export_format.h"

#include <array>

namespace tk70 {

namespace {

struct FormatName {
    ExportFormat format;
    const char *filter;
    const char *suffix;
};

// In the order the save dialog lists them.
constexpr std::array<FormatName, 6> kFormats{{
    {ExportFormat::Emf, "Enhanced Metafile (*.emf)", "emf"},
    {ExportFormat::PlaceableWmf, "Placeable Metafile (*.wmf)", "wmf"},
    {ExportFormat::StandardWmf, "Standard Windows Metafile (*.wmf)", "wmf"},
    {ExportFormat::Svg, "Scalable Vector Graphics (*.svg)", "svg"},
    {ExportFormat::Pdf, "PDF Document (*.pdf)", "pdf"},
    {ExportFormat::Png, "PNG Image (*.png)", "png"},
}};

const FormatName &nameOf(ExportFormat format)
{
    for (const FormatName &name : kFormats) {
        if (name.format == format)
            return name;
    }
    return kFormats.front();
}

}  // namespace

ExportFormat exportFormatForKind(MetafileKind kind)
{
    switch (kind) {
    case MetafileKind::Enhanced: return ExportFormat::Emf;
    case MetafileKind::Placeable: return ExportFormat::PlaceableWmf;
    case MetafileKind::Standard: return ExportFormat::StandardWmf;
    }
    return ExportFormat::Emf;
}

std::optional<MetafileKind> metafileKindOf(ExportFormat format)
{
    switch (format) {
    case ExportFormat::Emf: return MetafileKind::Enhanced;
    case ExportFormat::PlaceableWmf: return MetafileKind::Placeable;
    case ExportFormat::StandardWmf: return MetafileKind::Standard;
    case ExportFormat::Svg:
    case ExportFormat::Pdf:
    case ExportFormat::Png: break;
    }
    return std::nullopt;
}

QString exportFileFilter(ExportFormat format) { return QString::fromLatin1(nameOf(format).filter); }

QStringList exportFileFilters()
{
    QStringList filters;
    for (const FormatName &name : kFormats)
        filters << QString::fromLatin1(name.filter);
    return filters;
}

std::optional<ExportFormat> exportFormatForFilter(const QString &filter)
{
    for (const FormatName &name : kFormats) {
        if (filter == QLatin1String(name.filter))
            return name.format;
    }
    return std::nullopt;
}

QString exportSuffix(ExportFormat format) { return QString::fromLatin1(nameOf(format).suffix); }

QString withExportSuffix(const QString &path, ExportFormat format)
{
    const QString ending = QLatin1Char('.') + exportSuffix(format);
    if (path.endsWith(ending, Qt::CaseInsensitive))
        return path;
    return path + ending;
}

}  // namespace tk70
