// The file formats a graph page can be saved in, and how the save dialog names them:
// the three Windows metafile kinds of the chart component, and SVG, PDF and PNG.  The
// dialog's filters map to formats one to one (the two WMF kinds share "*.wmf" and are told
// apart by their filter's text).  Widget-free, so the shell and the tests use it alike.
#pragma once

#include "trend/metafile/metafile_kind.h"

#include <QString>
#include <QStringList>
#include <optional>

namespace tk70 {

enum class ExportFormat { Emf, PlaceableWmf, StandardWmf, Svg, Pdf, Png };

// What the save dialog hands to the export: the format, the file and whether the graph
// is drawn in its printer colours on white.
struct ExportRequest {
    ExportFormat format = ExportFormat::Emf;
    QString path;
    bool reverse = false;

    bool operator==(const ExportRequest &) const = default;
};

// The format of a chart component metafile kind (2 enhanced, 1 placeable, 0 standard).
ExportFormat exportFormatForKind(MetafileKind kind);
// The metafile kind a format is written as; nothing for SVG, PDF and PNG.
std::optional<MetafileKind> metafileKindOf(ExportFormat format);

// The dialog filter of a format, e.g. "Enhanced Metafile (*.emf)".
QString exportFileFilter(ExportFormat format);
// Every filter in the dialog's order: the metafile kinds, then SVG, PDF and PNG.
QStringList exportFileFilters();
// The format whose filter this is; nothing for a text that is no filter of ours.
std::optional<ExportFormat> exportFormatForFilter(const QString &filter);
// The suffix without its dot, e.g. "emf".
QString exportSuffix(ExportFormat format);
// path with ".<suffix>" appended unless its name already ends in it (any case), so the
// file's name always tells what is in it.
QString withExportSuffix(const QString &path, ExportFormat format);

}  // namespace tk70
