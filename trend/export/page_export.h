// Saving a chart page as a file: the page drawn by the chart renderer into the format's
// paint device at a fixed size, so a saved graph does not depend on the window's size.
// EMF, WMF, SVG and PNG are 1024 x 768 pixels at 96 dpi (the chart component's reference
// page); PDF is an A4 landscape sheet with the page filling its printable area.  The page
// is drawn as it stands: a view switches to its export colours around the call.  The
// file is replaced only once it is written in full.
#pragma once

#include "trend/export/export_format.h"

#include <QSize>
#include <QString>

namespace tk70 {

class ChartPage;

inline constexpr QSize kExportPageSize(1024, 768);
inline constexpr int kExportDotsPerInch = 96;

// Writes the page to path in format.  False with a message naming the file in *error
// (when given) if it cannot be drawn or written; an existing file is then left as it was.
bool exportPage(const ChartPage &page, const QString &path, ExportFormat format, QString *error);

}  // namespace tk70
