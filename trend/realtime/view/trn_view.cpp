// The real-time trend window: see trn_view.h.
#include "trend/realtime/view/trn_view.h"

#include "platform/messages.h"
#include "platform/view/view_beep.h"
#include "tags/tag_doc.h"

#include <algorithm>
#include <cmath>

namespace tk70 {

CTrnView::CTrnView(CTagDoc &document, int graphIndex, const PointReadings &readings, const Clock &clock,
                   QWidget *parent)
    : TraceGraphView(parent), m_graphIndex(graphIndex)
{
    const TrendGraph &definition = document.graph(graphIndex);
    setWindowTitle(definition.title);
    m_graph = std::make_unique<TrendGraphWindow>(page(), document, graphIndex, readings, clock);
    m_graph->setBeep([] { ViewBeep::beep(); });
    connect(this, &QCPageView::objectDoubleClicked, this,
            [this](ChartHandle handle, QPointF) { doubleClicked(handle); });
    connect(&m_timer, &QTimer::timeout, this, &CTrnView::sampleNow);
    m_timer.start(static_cast<int>(std::lround(definition.sampleIntervalInUse() * 1000.0)));
}

CTrnView::~CTrnView() { m_timer.stop(); }

void CTrnView::sampleNow() { m_graph->sample(); }

void CTrnView::doubleClicked(ChartHandle handle)
{
    const int trace = m_graph->rescaleTarget(handle);
    if (trace >= 0)
        rescaleTrace(trace);
}

void CTrnView::rescaleTrace(int trace)
{
    if (m_graph->timeline().isScrolledBack()) {
        const QString question = QStringLiteral(
            "Changing the Scaling of a Trace will\nplace the graph in Real Time Mode.\n\nDo you want to continue?");
        if (!Messages::askYesNo(question, QString::fromLatin1(kTitleProgram)))
            return;
    }
    const std::optional<TraceScale> scale =
        askTraceScale(m_graph->trace(trace), [this, trace] { return m_graph->autoFitScale(trace); });
    if (scale)
        m_graph->rescale(trace, *scale);
}

void CTrnView::setOutput(TrendOutput output) { m_graph->setOutput(output); }

}  // namespace tk70
