// CCollectorApp: the window operations.  The two setup windows (tag editor, trend setup)
// show the current document's pages, at most one of each; the document closes with the
// last of them.  The current values window shows the running collection.
#include "app/view/shell/collector_app.h"

#include "app/settings/command_ids.h"
#include "app/view/shell/child_frame.h"
#include "app/view/shell/main_frame.h"
#include "app/view/shell/menu_layout.h"
#include "app/view/shell/tag_editor_page.h"
#include "app/view/shell/trend_setup_page.h"
#include "collect/current_values/view/txt_view.h"
#include "collect/driver_readings.h"
#include "platform/view/print_setup.h"
#include "tags/tag_doc.h"
#include "trend/history/historical_file.h"
#include "trend/historyview/historical_file_source.h"

#include <QMdiArea>
#include <QTimer>

namespace tk70 {

// Shows the setup window of kind, after the other setup page validated and both pages
// were copied into the document; the window is made when it does not exist yet.
void CCollectorApp::showSetupWindow(SetupKind kind)
{
    if (!currentDocument() || !m_mainFrame)
        return;
    const SetupKind other = kind == TagEditor ? TrendSetup : TagEditor;
    if (!pageValid(other))
        return;
    copyOpenPagesIntoDocument();
    if (CChildFrame *frame = m_setup[kind].frame) {
        frame->showMaximized();
        m_mainFrame->mdiArea()->setActiveSubWindow(frame);
        return;
    }
    createSetupWindow(kind);
}

SetupPage *CCollectorApp::createSetupPage(SetupKind kind)
{
    if (kind == TrendSetup)
        return new TrendSetupPage(*currentDocument(), isHistorical());
    auto *page = new TagEditorPage(*currentDocument());
    connect(page, &TagEditorPage::collectionSettingsRequested, this, [this] { execute(cmd::CollectionSettings); });
    connect(page, &TagEditorPage::trendSetupRequested, this, [this] { execute(cmd::TrendSetup); });
    // An open trend setup shows the renamed traces, or its next store would undo the rename.
    connect(page, &TagEditorPage::tagRenamed, this, [this](const QString &oldName, const QString &newName) {
        if (auto *trendSetup = static_cast<TrendSetupPage *>(m_setup[TrendSetup].page))
            trendSetup->renameTag(oldName, newName);
    });
    return page;
}

void CCollectorApp::createSetupWindow(SetupKind kind)
{
    SetupPage *page = createSetupPage(kind);
    auto *frame = new CChildFrame(page->widget(), kMenuSetup);
    frame->setWindowTitle(documentTitle());
    m_mainFrame->mdiArea()->addSubWindow(frame);
    m_setup[kind] = SetupWindow{frame, page};
    page->setParent(frame);  // the page goes with its window
    connect(frame, &CChildFrame::closing, this, [this, kind] { m_setup[kind] = SetupWindow{}; });
    connect(frame, &QObject::destroyed, this, [this, kind, page] { setupWindowGone(kind, page); });
    // The document closes with its last setup window: unsaved changes are offered first.
    const SetupKind other = kind == TagEditor ? TrendSetup : TagEditor;
    frame->setCloseCheck(
        [this, other] { return !documentInUse() && (m_setup[other].frame || m_documents->saveModified()); });
    frame->showMaximized();
}

// A closed setup window is forgotten; with no setup window left and no collection using
// it, the document closes, once the window and its view are completely gone (the view
// reads the document to its end).
void CCollectorApp::setupWindowGone(SetupKind kind, SetupPage *page)
{
    if (m_setup[kind].page == page)
        m_setup[kind] = SetupWindow{};
    QTimer::singleShot(0, this, [this] {
        if (!tagEditorOpen() && !trendSetupOpen() && !documentInUse())
            m_documents->forget();
        stateChanged();
    });
}

bool CCollectorApp::pageValid(SetupKind kind) { return !m_setup[kind].page || m_setup[kind].page->validate(); }

// The tag editor page, then the trend setup page.
void CCollectorApp::copyOpenPagesIntoDocument()
{
    for (const SetupWindow &window : m_setup) {
        if (window.page)
            window.page->commit();
    }
}

// The windows go at once, not later: their views point into the document that is about
// to be replaced.
void CCollectorApp::closeSetupWindows()
{
    for (SetupWindow &window : m_setup) {
        if (CChildFrame *frame = window.frame)
            frame->closeNow();
        window = SetupWindow{};
    }
}

// Shows the existing current values window maximised, or makes one over the driver
// client's readings of the current document.
void CCollectorApp::openCurrentValuesWindow()
{
    if (!currentDocument() || !m_mainFrame)
        return;
    if (!m_currentValuesWindow) {
        auto *frame = new CChildFrame(new CTxtView(*currentDocument(), *m_readings), kMenuGraph);
        frame->setWindowTitle(QStringLiteral("Data Collection Output"));
        m_mainFrame->mdiArea()->addSubWindow(frame);
        m_currentValuesWindow = frame;
        keepWhileCollecting(frame);
        m_mainFrame->showMaximized();
    }
    m_currentValuesWindow->showMaximized();
    m_mainFrame->mdiArea()->setActiveSubWindow(m_currentValuesWindow);
}

void CCollectorApp::closeCurrentValuesWindow()
{
    if (CChildFrame *frame = m_currentValuesWindow)
        frame->closeNow();
}

// Current Values: the window of the running collection comes forward.
void CCollectorApp::showCurrentValues()
{
    if (isCollecting())
        openCurrentValuesWindow();
}

TagEditorPage *CCollectorApp::activeTagEditor() const
{
    const CChildFrame *frame = m_setup[TagEditor].frame;
    const bool active = frame && m_mainFrame->mdiArea()->activeSubWindow() == frame;
    return active ? static_cast<TagEditorPage *>(m_setup[TagEditor].page) : nullptr;
}

// Print and Print Preview print the active window's page: a setup form's printout or a
// graph page.
void CCollectorApp::printActiveWindow(bool preview)
{
    QMdiSubWindow *active = m_mainFrame->mdiArea()->activeSubWindow();
    PrintSetup::Painter paint;
    for (const SetupWindow &window : m_setup) {
        if (window.frame && active == window.frame)
            paint = [page = window.page](QPrinter *printer) { page->paint(printer); };
    }
    if (QCPageView *view = activeGraphView())
        paint = [view](QPrinter *printer) { view->print(printer); };
    if (!paint)
        return;
    if (preview)
        m_printSetup.preview(active, paint);
    else
        m_printSetup.print(active, paint);
}

}  // namespace tk70
