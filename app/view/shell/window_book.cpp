// WindowBook: the application's child windows, made, found, brought forward and closed.
#include "app/view/shell/window_book.h"

#include "app/settings/command_ids.h"
#include "app/view/shell/menu_layout.h"
#include "app/view/shell/tag_editor_page.h"
#include "app/view/shell/trend_setup_page.h"
#include "chart/view/qc_page_view.h"
#include "platform/messages.h"
#include "tags/tag_doc.h"
#include "trend/export/view/trend_list_dialog.h"

#include <QMdiArea>
#include <QTimer>
#include <algorithm>

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

WindowBook::SetupKind otherKind(WindowBook::SetupKind kind)
{
    return kind == WindowBook::TagEditor ? WindowBook::TrendSetup : WindowBook::TagEditor;
}

}  // namespace

WindowBook::WindowBook(WindowBookHost &host, std::function<QMdiArea *()> area, QObject *parent)
    : QObject(parent), m_host(host), m_area(std::move(area))
{
}

void WindowBook::bringForward(CChildFrame *frame)
{
    frame->showMaximized();
    m_area()->setActiveSubWindow(frame);
}

void WindowBook::showSetupWindow(SetupKind kind)
{
    if (!m_host.currentDocument() || !m_area())
        return;
    if (!pageValid(otherKind(kind)))
        return;
    commitOpenPages();
    if (CChildFrame *frame = m_setup[kind].frame)
        bringForward(frame);
    else
        createSetupWindow(kind);
}

SetupPage *WindowBook::createSetupPage(SetupKind kind)
{
    CTagDoc &document = *m_host.currentDocument();
    if (kind == TrendSetup)
        return new TrendSetupPage(document, m_host.isHistorical());
    auto *page = new TagEditorPage(document);
    connect(page, &TagEditorPage::collectionSettingsRequested, this,
            [this] { m_host.runCommand(cmd::CollectionSettings); });
    connect(page, &TagEditorPage::trendSetupRequested, this, [this] { m_host.runCommand(cmd::TrendSetup); });
    // An open trend setup shows the renamed traces, or its next store would undo the rename.
    connect(page, &TagEditorPage::tagRenamed, this, [this](const QString &oldName, const QString &newName) {
        if (auto *trendSetup = static_cast<TrendSetupPage *>(m_setup[TrendSetup].page))
            trendSetup->renameTag(oldName, newName);
    });
    return page;
}

// The document closes with its last setup window: unsaved changes are offered first.
void WindowBook::createSetupWindow(SetupKind kind)
{
    SetupPage *page = createSetupPage(kind);
    auto *frame = new CChildFrame(page->widget(), kMenuSetup);
    frame->setWindowTitle(m_host.documentTitle());
    m_area()->addSubWindow(frame);
    m_setup[kind] = SetupWindow{frame, page};
    page->setParent(frame);  // the page goes with its window
    connect(frame, &CChildFrame::closing, this, [this, kind] { m_setup[kind] = SetupWindow{}; });
    connect(frame, &QObject::destroyed, this, [this, kind, page] { setupWindowGone(kind, page); });
    frame->setCloseCheck([this, other = otherKind(kind)] {
        return !m_host.documentInUse() && (m_setup[other].frame || m_host.saveModified());
    });
    frame->showMaximized();
}

// A closed setup window is forgotten; the host hears of it once the window and its view
// are completely gone (the view reads the document to its end).
void WindowBook::setupWindowGone(SetupKind kind, SetupPage *page)
{
    if (m_setup[kind].page == page)
        m_setup[kind] = SetupWindow{};
    QTimer::singleShot(0, this, [this] { m_host.setupWindowClosed(); });
}

void WindowBook::closeSetupWindows()
{
    for (SetupWindow &window : m_setup) {
        if (CChildFrame *frame = window.frame)
            frame->closeNow();
        window = SetupWindow{};
    }
}

bool WindowBook::pageValid(SetupKind kind) { return !m_setup[kind].page || m_setup[kind].page->validate(); }

void WindowBook::commitOpenPages()
{
    for (const SetupWindow &window : m_setup) {
        if (window.page)
            window.page->commit();
    }
}

TagEditorPage *WindowBook::activeTagEditor() const
{
    const CChildFrame *frame = m_setup[TagEditor].frame;
    const bool active = frame && activeWindow() == frame;
    return active ? static_cast<TagEditorPage *>(m_setup[TagEditor].page) : nullptr;
}

void WindowBook::setSetupTitles(const QString &title)
{
    for (const SetupWindow &window : m_setup) {
        if (window.frame)
            window.frame->setWindowTitle(title);
    }
}

void WindowBook::showCurrentValuesWindow(const std::function<QWidget *()> &makeView)
{
    QMdiArea *area = m_area();
    if (!m_host.currentDocument() || !area)
        return;
    if (!m_currentValuesWindow) {
        auto *frame = new CChildFrame(makeView(), kMenuGraph);
        frame->setWindowTitle(QStringLiteral("Data Collection Output"));
        area->addSubWindow(frame);
        m_currentValuesWindow = frame;
        keepWhileInUse(frame);
        area->window()->showMaximized();
    }
    bringForward(m_currentValuesWindow);
}

void WindowBook::closeCurrentValuesWindow()
{
    if (CChildFrame *frame = m_currentValuesWindow)
        frame->closeNow();
}

void WindowBook::openGraphWindows(const ViewMaker &makeView, bool firstOnly)
{
    closeGraphWindows();
    CTagDoc *document = m_host.currentDocument();
    if (!document || !m_area())
        return;
    m_graphCount = document->graphsWithTraces();
    for (int g = 0; g < TrendGraph::kGraphCount; ++g) {
        if (document->graph(g).traceCount == 0)
            continue;
        document->setCurrentGraphIndex(g);
        if (!createGraphWindow(g, makeView(g))) {
            Messages::note(QStringLiteral("Error - Could Not Create Trend Graph Window"), QLatin1String(kTitleProgram),
                           MessageIcon::Stop);
            break;
        }
        if (firstOnly)
            break;
    }
    const std::vector<int> open = openTrendGraphs();
    if (!open.empty())
        bringForward(m_trendWindows[size_t(open.front())]);
}

bool WindowBook::createGraphWindow(int graphIndex, QWidget *view)
{
    auto *frame = new CChildFrame(view, kMenuGraph);
    frame->setWindowTitle(trendWindowTitle(m_host.currentDocument()->graph(graphIndex), graphIndex));
    keepWhileInUse(frame);
    if (!m_area()->addSubWindow(frame)) {
        delete frame;
        return false;
    }
    m_trendWindows[size_t(graphIndex)] = frame;
    frame->show();
    return true;
}

// Closing a graph window while the document is in use turns it into an icon instead.
void WindowBook::keepWhileInUse(CChildFrame *frame)
{
    frame->setCloseCheck([this, frame] {
        if (!m_host.documentInUse())
            return true;
        // The sub-window ignores a state change in the middle of its close event.
        QTimer::singleShot(0, frame, [frame] { minimizeFrame(frame); });
        return false;
    });
}

void WindowBook::closeGraphWindows()
{
    for (QPointer<CChildFrame> &window : m_trendWindows) {
        if (CChildFrame *frame = window)
            frame->closeNow();
        window.clear();
    }
    m_graphCount = 0;
}

std::vector<int> WindowBook::openTrendGraphs() const
{
    std::vector<int> graphs;
    for (int g = 0; g < TrendGraph::kGraphCount; ++g) {
        if (m_trendWindows[size_t(g)])
            graphs.push_back(g);
    }
    return graphs;
}

void WindowBook::minimizeGraphWindows()
{
    if (m_currentValuesWindow)
        minimizeFrame(m_currentValuesWindow);
    for (CChildFrame *frame : m_trendWindows) {
        if (frame)
            minimizeFrame(frame);
    }
}

// With one graph the open trend windows come forward without a question.
void WindowBook::selectTrend(QWidget *dialogParent)
{
    const std::vector<int> graphs = openTrendGraphs();
    if (m_graphCount == 1) {
        for (int g : graphs)
            m_trendWindows[size_t(g)]->showMaximized();
        return;
    }
    const std::optional<int> choice = CTrendListDialog::choose(m_host.currentDocument(), graphs, dialogParent);
    if (choice && m_trendWindows[size_t(*choice)])
        bringForward(m_trendWindows[size_t(*choice)]);
}

QMdiSubWindow *WindowBook::activeWindow() const
{
    QMdiArea *area = m_area();
    return area ? area->activeSubWindow() : nullptr;
}

QCPageView *WindowBook::activeGraphView() const
{
    QMdiSubWindow *active = activeWindow();
    const bool graphWindow =
        active && (active == m_currentValuesWindow.data() ||
                   std::find(m_trendWindows.begin(), m_trendWindows.end(), active) != m_trendWindows.end());
    return graphWindow ? qobject_cast<QCPageView *>(active->widget()) : nullptr;
}

PrintSetup::Painter WindowBook::activePainter() const
{
    if (QCPageView *view = activeGraphView())
        return [view](QPrinter *printer) { view->print(printer); };
    QMdiSubWindow *active = activeWindow();
    for (const SetupWindow &window : m_setup) {
        if (window.frame && active == window.frame)
            return [page = window.page](QPrinter *printer) { page->paint(printer); };
    }
    return {};
}

}  // namespace tk70
