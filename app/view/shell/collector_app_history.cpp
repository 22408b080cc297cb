// CCollectorApp: historical data files.  Opening one makes a historical document whose
// tags are the file's columns, edited in the trend setup; Start shows its graphs (Auto
// Fit, or a replay of the first graph) and Stop returns to the trend setup.
#include "app/view/shell/collector_app.h"

#include "app/settings/command_ids.h"
#include "app/view/shell/main_frame.h"
#include "platform/messages.h"
#include "tags/tag_doc.h"
#include "trend/history/historical_file.h"
#include "trend/historyview/historical_file_source.h"
#include "trend/historyview/view/history_selection_dialog.h"
#include "trend/historyview/view/history_view.h"

#include <QDialog>

namespace tk70 {

// The file, then New (with its question), then the file's header read into the new
// document; the trend setup shows it and the tag editor goes.
void CCollectorApp::openHistoricalFile(int id)
{
    if (!m_driver) {
        Messages::note(QStringLiteral("Historical Data Files may not be Graphed due to software error."),
                       QLatin1String(kTitleProgram), MessageIcon::Information);
        return;
    }
    const bool dos = id == cmd::HistoricalDos;
    const QString path = m_files->historicalFileToOpen(dos);
    if (path.isEmpty())
        return;
    m_documents->fileNew();
    if (!currentDocument() || currentDocument()->tagCount() > 0)
        return;  // the user kept the current selection
    std::unique_ptr<HistoricalFile> file = HistoricalFile::open(
        path, dos ? HistoryFileKind::Dos : HistoryFileKind::Ascii, currentDocument()->tagCapacity());
    if (!file)
        return;
    file->fillTagList(*currentDocument());
    m_historyFile = std::move(file);
    m_historySource = std::make_unique<HistoricalFileSource>(*m_historyFile);
    m_windows->closeSetupWindows();  // the tag editor of the new document; the trend setup takes over
    m_windows->showSetupWindow(WindowBook::TrendSetup);
}

// Start on a historical document: the graph mode, then one graph window per graph with
// traces (the first only in a replay) reading the file.
void CCollectorApp::startGraphing()
{
    if (!trendSetupPageValid())
        return;
    copyOpenPagesIntoDocument();
    const int graphs = currentDocument()->graphsWithTraces();
    if (graphs == 0) {
        Messages::note(QStringLiteral("No Tags Selected for Trending."), QLatin1String(kTitleProgram),
                       MessageIcon::Warning);
        return;
    }
    CHistorySelectionDialog selection(m_mainFrame.get());
    if (selection.exec() != QDialog::Accepted)
        return;
    const HistoryMode mode = selection.mode();
    if (mode.replay && graphs > 1)
        Messages::note(QStringLiteral("Only first graph will be display when\nAuto Fit mode is not choosen."),
                       QLatin1String(kTitleProgram), MessageIcon::Information);
    m_historySource->seek(0);
    m_graphing = true;
    m_windows->openGraphWindows(
        [this, mode](int graph) {
            return new CHistoryView(*currentDocument(), graph, *m_historySource, mode.replay, mode.skip);
        },
        mode.replay);
    m_windows->closeSetupWindows();
}

void CCollectorApp::stopGraphing()
{
    m_graphing = false;
    m_windows->closeGraphWindows();
    m_windows->showSetupWindow(WindowBook::TrendSetup);
}

}  // namespace tk70
