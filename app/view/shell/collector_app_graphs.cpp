// CCollectorApp: the graph windows of a running collection.  One real-time trend window
// per graph with traces and the current values window open at Start and close at Stop;
// while collection runs, closing one only turns it into an icon.  Select Trend brings a
// trend window forward; Print and Save As Metafile work on the active graph page.
#include "app/view/shell/collector_app.h"

#include "app/view/shell/child_frame.h"
#include "app/view/shell/main_frame.h"
#include "app/view/shell/menu_layout.h"
#include "collect/driver_readings.h"
#include "platform/messages.h"
#include "tags/tag_doc.h"
#include "trend/export/page_export.h"
#include "trend/export/view/export_dialog.h"
#include "trend/export/view/trend_list_dialog.h"
#include "trend/realtime/view/trn_view.h"

#include <QMdiArea>
#include <QTimer>

namespace tk70 {

namespace {

// The trend window of graph index shows the graph's title, or its number without one.
QString trendWindowTitle(const TrendGraph &graph, int index)
{
    return graph.title.isEmpty() ? QStringLiteral("Trend Graph #%1").arg(index + 1) : graph.title;
}

// While another sub-window is maximised, the first minimise of an inactive one only
// activates it (and so maximises it); the second minimises it.
void minimizeFrame(CChildFrame *frame)
{
    frame->showMinimized();
    if (!frame->isMinimized())
        frame->showMinimized();
}

}  // namespace

// One real-time trend window per graph with traces, each made while the graph is the
// document's current one; the first comes to the front.
void CCollectorApp::openTrendGraphWindows()
{
    openGraphWindows([this](int graph) { return new CTrnView(*currentDocument(), graph, *m_readings, m_systemClock); },
                     false);
}

// A graph window per graph with traces (only the first when firstOnly), made by makeView
// while the graph is the document's current one; the first comes to the front.  A
// window that cannot be made ends the opening with its message.
void CCollectorApp::openGraphWindows(const std::function<QWidget *(int)> &makeView, bool firstOnly)
{
    closeTrendGraphWindows();
    if (!currentDocument() || !m_mainFrame)
        return;
    m_graphCount = currentDocument()->graphsWithTraces();
    for (int g = 0; g < TrendGraph::kGraphCount; ++g) {
        if (currentDocument()->graph(g).traceCount == 0)
            continue;
        currentDocument()->setCurrentGraphIndex(g);
        if (!createGraphWindow(g, makeView(g))) {
            Messages::note(QStringLiteral("Error - Could Not Create Trend Graph Window"), QLatin1String(kTitleProgram),
                           MessageIcon::Stop);
            break;
        }
        if (firstOnly)
            break;
    }
    for (CChildFrame *frame : m_trendWindows) {
        if (frame) {
            frame->showMaximized();
            m_mainFrame->mdiArea()->setActiveSubWindow(frame);
            break;
        }
    }
}

bool CCollectorApp::createGraphWindow(int graphIndex, QWidget *view)
{
    auto *frame = new CChildFrame(view, kMenuGraph);
    frame->setWindowTitle(trendWindowTitle(currentDocument()->graph(graphIndex), graphIndex));
    keepWhileCollecting(frame);
    if (!m_mainFrame->mdiArea()->addSubWindow(frame)) {
        delete frame;
        return false;
    }
    m_trendWindows[size_t(graphIndex)] = frame;
    frame->show();
    return true;
}

// Closing a graph window while collection runs turns it into an icon instead.
void CCollectorApp::keepWhileCollecting(CChildFrame *frame)
{
    frame->setCloseCheck([this, frame] {
        if (!documentInUse())
            return true;
        // The sub-window ignores a state change in the middle of its close event.
        QTimer::singleShot(0, frame, [frame] { minimizeFrame(frame); });
        return false;
    });
}

void CCollectorApp::closeTrendGraphWindows()
{
    for (QPointer<CChildFrame> &window : m_trendWindows) {
        if (CChildFrame *frame = window)
            frame->closeNow();
        window.clear();
    }
    m_graphCount = 0;
}

std::vector<int> CCollectorApp::openTrendGraphs() const
{
    std::vector<int> graphs;
    for (int g = 0; g < TrendGraph::kGraphCount; ++g) {
        if (m_trendWindows[size_t(g)])
            graphs.push_back(g);
    }
    return graphs;
}

void CCollectorApp::minimizeGraphWindows()
{
    if (m_currentValuesWindow)
        minimizeFrame(m_currentValuesWindow);
    for (CChildFrame *frame : m_trendWindows) {
        if (frame)
            minimizeFrame(frame);
    }
}

// Select Trend: with one graph the open trend windows come forward; otherwise the one
// chosen from the "Trend List".
void CCollectorApp::selectTrend()
{
    const std::vector<int> graphs = openTrendGraphs();
    if (m_graphCount == 1) {
        for (int g : graphs)
            m_trendWindows[size_t(g)]->showMaximized();
        return;
    }
    const std::optional<int> choice = CTrendListDialog::choose(currentDocument(), graphs, m_mainFrame.get());
    if (!choice || !m_trendWindows[size_t(*choice)])
        return;
    m_trendWindows[size_t(*choice)]->showMaximized();
    m_mainFrame->mdiArea()->setActiveSubWindow(m_trendWindows[size_t(*choice)]);
}

// Save As Metafile: the options and the file, then the active graph page drawn into the
// file in export mode.  A file that cannot be written is reported.
void CCollectorApp::saveAsMetafile()
{
    QCPageView *view = activeGraphView();
    if (!view)
        return;
    const std::optional<ExportRequest> request = askExport(m_mainFrame.get());
    if (!request)
        return;
    view->beginExport(request->reverse);
    QString error;
    const bool saved = exportPage(view->page(), request->path, request->format, &error);
    view->endExport();
    if (!saved)
        Messages::note(error, QLatin1String(kTitleProgram), MessageIcon::Stop);
}

// The graph page of the active window: a trend window or the current values window.
QCPageView *CCollectorApp::activeGraphView() const
{
    if (!m_mainFrame)
        return nullptr;
    QMdiSubWindow *active = m_mainFrame->mdiArea()->activeSubWindow();
    const bool graphWindow =
        active && (active == m_currentValuesWindow.data() ||
                   std::find(m_trendWindows.begin(), m_trendWindows.end(), active) != m_trendWindows.end());
    return graphWindow ? qobject_cast<QCPageView *>(active->widget()) : nullptr;
}

}  // namespace tk70
