// CCollectorApp: what the child windows show and the commands on the active one.  The
// current values window and one real-time trend window per graph with traces show a
// running collection (they open at Start and close at Stop); Print and Save As Metafile
// work on the active window's page.  Which windows exist is the window book's.
#include "app/view/shell/collector_app.h"

#include "app/view/shell/main_frame.h"
#include "app/view/shell/tag_editor_page.h"
#include "chart/view/qc_page_view.h"
#include "collect/current_values/view/txt_view.h"
#include "collect/driver_readings.h"
#include "platform/messages.h"
#include "tags/tag_doc.h"
#include "trend/export/page_export.h"
#include "trend/export/view/export_dialog.h"
#include "trend/realtime/view/trn_view.h"
#include "tune/view/tuning_dialog.h"

#include <QMdiArea>

namespace tk70 {

// The window book's area: the main window's, once it exists.
std::unique_ptr<WindowBook> CCollectorApp::createWindowBook()
{
    return std::make_unique<WindowBook>(*this, [this] { return m_mainFrame ? m_mainFrame->mdiArea() : nullptr; });
}

// The document may go with its last setup window: unsaved changes are offered first.
bool CCollectorApp::saveModified() { return m_documents->saveModified(); }

// With no setup window left and no collection using it, the document closes.
void CCollectorApp::setupWindowClosed()
{
    if (!m_windows->setupOpen() && !documentInUse())
        m_documents->forget();
    stateChanged();
}

// The current values window over the driver client's readings of the current document.
void CCollectorApp::openCurrentValuesWindow()
{
    m_windows->showCurrentValuesWindow([this] { return new CTxtView(*currentDocument(), *m_readings); });
}

// Current Values: the window of the running collection comes forward.
void CCollectorApp::showCurrentValues()
{
    if (isCollecting())
        openCurrentValuesWindow();
}

void CCollectorApp::openTrendGraphWindows()
{
    m_windows->openGraphWindows(
        [this](int graph) { return new CTrnView(*currentDocument(), graph, *m_readings, m_systemClock); }, false);
}

// Save As Metafile: the options and the file, then the active graph page drawn into the
// file in export mode.  A file that cannot be written is reported.
void CCollectorApp::saveAsMetafile()
{
    QCPageView *view = m_windows->activeGraphView();
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

// Print and Print Preview print the active window's page: a setup form's printout or a
// graph page.
void CCollectorApp::printActiveWindow(bool preview)
{
    const PrintSetup::Painter paint = m_windows->activePainter();
    if (!paint)
        return;
    if (preview)
        m_printSetup.preview(m_windows->activeWindow(), paint);
    else
        m_printSetup.print(m_windows->activeWindow(), paint);
}

// Tune Block: in an active tag editor it inserts a tag; otherwise the tuning dialog.
void CCollectorApp::tuneBlock()
{
    if (TagEditorPage *editor = m_windows->activeTagEditor())
        editor->insertTag();
    else
        runTuningDialog(*m_driver, m_store, m_systemClock, m_mainFrame.get());
}

}  // namespace tk70
