// What the real-time and the historical trend windows share as views: the graph page
// switched to its print or export output around printing and "Save As Metafile...", and
// the "Edit Trace Scale" question for a trace.
#pragma once

#include "chart/view/qc_page_view.h"
#include "trend/realtime/trace_panel_row.h"
#include "trend/realtime/trend_graph_window.h"

#include <functional>
#include <optional>

namespace tk70 {

class TraceGraphView : public QCPageView {
    Q_OBJECT

public:
    using QCPageView::QCPageView;

    void beginExport(bool reverse) override;
    void endExport() override;

protected:
    // Shows the graph as output asks (screen, print, export, reverse export).
    virtual void setOutput(TrendOutput output) = 0;

    void beforePrinting() override;
    void afterPrinting() override;

    // "Edit Trace Scale" for trace: the scale entered, or autoFit()'s for "Auto Fit";
    // nothing on Cancel.
    std::optional<TraceScale> askTraceScale(const TraceDefinition &trace, const std::function<TraceScale()> &autoFit);
};

}  // namespace tk70
