// The trend windows' shared view part: see trace_graph_view.h.
#include "trend/realtime/view/trace_graph_view.h"

#include "trend/realtime/view/trace_scale_dialog.h"

namespace tk70 {

void TraceGraphView::beginExport(bool reverse)
{
    setOutput(reverse ? TrendOutput::ReverseExport : TrendOutput::Export);
}

void TraceGraphView::endExport() { setOutput(TrendOutput::Screen); }

void TraceGraphView::beforePrinting() { setOutput(TrendOutput::Print); }

void TraceGraphView::afterPrinting() { setOutput(TrendOutput::Screen); }

std::optional<TraceScale> TraceGraphView::askTraceScale(const TraceDefinition &trace,
                                                        const std::function<TraceScale()> &autoFit)
{
    CTraceScaleDialog dialog(trace.tagname, trace.scale, this);
    const int result = dialog.exec();
    if (result == QDialog::Rejected)
        return std::nullopt;
    return result == CTraceScaleDialog::kAutoFit ? autoFit() : dialog.scale();
}

}  // namespace tk70
