// The questions before a graph is saved: "Metafile Options" first, then the file, in a
// save dialog ("Save As Metafile") whose filters offer the three metafile kinds, with
// the kind chosen in the options preselected, and SVG, PDF and PNG.  The format follows
// the filter chosen; its suffix is added to a name that does not end in it.
#pragma once

#include "trend/export/export_format.h"

#include <optional>

class QWidget;

namespace tk70 {

// The format, file and background chosen; nothing when either dialog was cancelled.
std::optional<ExportRequest> askExport(QWidget *parent);

}  // namespace tk70
