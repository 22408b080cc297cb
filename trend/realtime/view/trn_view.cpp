// The real-time trend window: see trn_view.h.
#include "trn_view.h"

#include "messages.h"
#include "tag_doc.h"
#include "trace_scale_dialog.h"
#include "view_beep.h"

#include <algorithm>
#include <cmath>

namespace tk70 {

CTrnView::CTrnView(CTagDoc &document, int graphIndex, const PointReadings &readings, const Clock &clock,
                   QWidget *parent)
    : QCPageView(parent), m_graphIndex(graphIndex)
{
    const TrendGraph &definition = document.graph(graphIndex);
    setWindowTitle(definition.title);
    m_graph = std::make_unique<TrendGraphWindow>(page(), document, graphIndex, readings, clock);
    m_graph->setBeep([] { ViewBeep::beep(); });
    connect(this, &QCPageView::objectDoubleClicked, this,
            [this](ChartHandle handle, QPointF) { doubleClicked(handle); });
    connect(&m_timer, &QTimer::timeout, this, &CTrnView::sampleNow);
    m_timer.start(static_cast<int>(std::lround(std::max(definition.sampleInterval, 1.0) * 1000.0)));
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
        Message question;
        question.text = QStringLiteral(
            "Changing the Scaling of a Trace will\nplace the graph in Real Time Mode.\n\nDo you want to continue?");
        question.title = QString::fromLatin1(kTitleProgram);
        question.icon = MessageIcon::Question;
        question.buttons = MessageButtons::YesNo;
        question.defaultAnswer = MessageAnswer::No;
        if (Messages::show(question) != MessageAnswer::Yes)
            return;
    }
    const TraceDefinition &definition = m_graph->trace(trace);
    CTraceScaleDialog dialog(definition.tagname, definition.scale, this);
    const int result = dialog.exec();
    if (result == QDialog::Rejected)
        return;
    m_graph->rescale(trace, result == CTraceScaleDialog::kAutoFit ? m_graph->autoFitScale(trace) : dialog.scale());
}

void CTrnView::print(QPrinter *printer) { QCPageView::print(printer); }

void CTrnView::beginExport(bool reverse)
{
    m_graph->setOutput(reverse ? TrendOutput::ReverseExport : TrendOutput::Export);
}

void CTrnView::endExport() { m_graph->setOutput(TrendOutput::Screen); }

void CTrnView::beforePrinting() { m_graph->setOutput(TrendOutput::Print); }

void CTrnView::afterPrinting() { m_graph->setOutput(TrendOutput::Screen); }

}  // namespace tk70
