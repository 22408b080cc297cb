// The historical graph window: see history_view.h.
#include "trend/historyview/view/history_view.h"

#include "trend/history/historical_file.h"

#include "tags/tag_doc.h"
#include "trend/historyview/history_source.h"

#include <QGuiApplication>
#include <algorithm>

namespace tk70 {

CHistoryView::CHistoryView(CTagDoc &document, int graphIndex, HistorySource &source, bool replay, int skip,
                           QWidget *parent)
    : TraceGraphView(parent), m_graphIndex(graphIndex), m_source(source), m_replay(replay), m_skip(std::max(0, skip))
{
    setWindowTitle(document.graph(graphIndex).title);
    m_graph = std::make_unique<HistoryGraphWindow>(page(), document, graphIndex, replay);
    m_graph->setRestoreAction([this] { restore(); });
    m_graph->setPauseAction([this] { togglePause(); });
    connect(this, &QCPageView::objectClicked, this, [this](ChartHandle, QPointF point) { moveCursor(point); });
    connect(this, &QCPageView::leftDragged, this, &CHistoryView::moveCursor);
    connect(this, &QCPageView::objectDoubleClicked, this,
            [this](ChartHandle handle, QPointF) { doubleClicked(handle); });
    connect(this, &QCPageView::rubberBandSelected, this, [this](ChartHandle, QRectF rect) {
        if (!m_replay)
            zoom(rect);
    });
    connect(&m_timer, &QTimer::timeout, this, &CHistoryView::tick);
    m_timer.start(kLoadPeriodMs);
}

CHistoryView::~CHistoryView() { m_timer.stop(); }

void CHistoryView::tick()
{
    if (!m_replay) {
        autoFitLoad();
        return;
    }
    if (m_paused)
        return;
    if (m_firstTick) {
        m_firstTick = false;
        m_timer.setInterval(kReplayPeriodMs);
        m_graph->hideCursor();
        m_graph->clearPoints();
        m_loaded = RecordRange{std::max(0LL, m_requested.first), m_requested.last};
        m_source.seek(m_loaded.first);
        return;
    }
    replayStep();
}

// --- Auto Fit ------------------------------------------------------------------------------

// The requested range limited to the records of the file, loaded as at most 240 points
// spread evenly over it.
void CHistoryView::autoFitLoad()
{
    m_timer.stop();
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    m_graph->hideCursor();
    const AutoFitRange range = autoFitRange(m_requested.first, m_requested.last, m_source.recordCount());
    m_loaded = RecordRange{range.first, range.last};
    m_source.seek(range.first);
    m_graph->loadAutoFit(m_source, range);
    QGuiApplication::restoreOverrideCursor();
}

void CHistoryView::zoom(const QRectF &userRect)
{
    const std::optional<RecordRange> range = m_graph->zoomRange(userRect, m_loaded);
    if (!range)
        return;
    m_requested = *range;
    autoFitLoad();
    const QRectF rect = userRect.normalized();
    m_graph->showZoom(rect.top(), rect.bottom());
}

void CHistoryView::restore()
{
    m_graph->showFull();
    m_requested = RecordRange{};
    autoFitLoad();
}

// --- Replay --------------------------------------------------------------------------------

// One record plotted, then the compression's records skipped; a range with last 0 runs
// to the end of the file (the record count is only an estimate).
void CHistoryView::replayStep()
{
    const bool inRange = m_loaded.last == 0 || m_source.position() < m_loaded.last;
    HistorySample point;
    if (!inRange || !m_source.read(m_graph->columns(), point)) {
        finishReplay();
        return;
    }
    m_graph->addPoint(point);
    m_source.skip(m_skip);
}

void CHistoryView::finishReplay()
{
    m_timer.stop();
    m_finished = true;
    pause();
    m_graph->placeCursor(m_graph->points().rowCount() - 1);
}

void CHistoryView::pause()
{
    m_paused = true;
    m_graph->showPaused(true);
}

void CHistoryView::togglePause()
{
    if (!m_replay)
        return;
    if (!m_paused) {
        pause();
        return;
    }
    if (m_finished)
        return;  // nothing left to replay: stays paused
    m_paused = false;
    m_graph->showPaused(false);
    m_graph->hideCursor();
}

// --- Mouse ---------------------------------------------------------------------------------

void CHistoryView::moveCursor(const QPointF &pagePoint)
{
    if (m_graph->positionCursor(pagePoint) && m_replay)
        pause();
}

void CHistoryView::doubleClicked(ChartHandle handle)
{
    const int trace = m_graph->rescaleTarget(handle);
    if (trace >= 0)
        rescaleTrace(trace);
}

void CHistoryView::rescaleTrace(int trace)
{
    if (!m_graph->mayRescale())
        return;
    if (m_replay)
        pause();
    const std::optional<TraceScale> scale =
        askTraceScale(m_graph->trace(trace), [this, trace] { return m_graph->autoFitScale(trace); });
    if (scale)
        m_graph->rescale(trace, *scale);
}

// --- Output --------------------------------------------------------------------------------

void CHistoryView::setOutput(TrendOutput output) { m_graph->setOutput(output); }

}  // namespace tk70
