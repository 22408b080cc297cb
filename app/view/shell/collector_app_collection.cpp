// CCollectorApp: the collection commands (Start, Stop, Collection Settings), the
// collection's window operations and the status bar panes it fills.
#include "app/view/shell/collector_app.h"

#include "app/view/shell/main_frame.h"
#include "app/view/shell/tag_editor_page.h"
#include "collect/collection_run.h"
#include "collect/connection_state_text.h"
#include "collect/historian/historian_settings.h"
#include "collect/view/collection_settings_dialog.h"
#include "driverclient/ciu_driver.h"
#include "driverclient/view/advanced_settings_dialog.h"
#include "tags/collection_group.h"
#include "tags/tag_doc.h"

#include <QApplication>

namespace tk70 {

void CCollectorApp::createCollectionControl()
{
    m_collection = std::make_unique<CollectionControl>(*m_driver, *this, m_systemClock);
    connect(m_collection.get(), &CollectionControl::runStateChanged, this, &CCollectorApp::stateChanged);
    connect(m_collection.get(), &CollectionControl::refreshed, this, &CCollectorApp::updateStatusPanes);
}

// Start, by the command or half a second after the automatic start's countdown.  The
// automatic start answers its questions itself and ends the pending automatic start,
// whatever the outcome.
void CCollectorApp::startCollection(bool automatic)
{
    if (isHistorical()) {
        startGraphing();
        stateChanged();
        return;
    }
    if (currentDocument()) {
        StartOptions options{automatic, m_settings.autoOverwriteAckOnAutoStart};
        m_collection->start(*currentDocument(), options);
    }
    m_autoStartPending = false;
    stateChanged();
}

void CCollectorApp::stopCollection()
{
    if (isHistorical()) {
        stopGraphing();
        stateChanged();
        return;
    }
    m_autoStartPending = false;
    m_collection->stop(true);
    stateChanged();
}

// The settings dialog works on the document directly, after the open setup forms have
// committed their edits into it.
void CCollectorApp::collectionSettings()
{
    if (!currentDocument() || !commitSetupForms())
        return;
    storeSetupForms();
    CollectionSettingsDialog dialog(
        *currentDocument(), *m_driver, [this] { advancedSettings(); }, m_mainFrame.get());
    dialog.setStationName(effectiveStationName(currentHistorianSettings()));
    dialog.exec();
    stateChanged();
}

// Opened from the collection settings, after their caution question.
void CCollectorApp::advancedSettings()
{
    AdvancedSettingsDialog dialog(*m_driver, m_store, QApplication::activeModalWidget());
    dialog.exec();
}

// The trend setup commits first, then the tag editor (Start and Collection Settings).
bool CCollectorApp::commitSetupForms() { return trendSetupPageValid() && tagEditorPageValid(); }

void CCollectorApp::storeSetupForms() { copyOpenPagesIntoDocument(); }

void CCollectorApp::setBusy(bool busy)
{
    if (busy)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}

// The current values and trend graph windows open; the setup windows close, which keeps
// the settings as they are while collection uses them.
void CCollectorApp::collectionStarted()
{
    openCurrentValuesWindow();
    openTrendGraphWindows();
    m_windows->closeSetupWindows();
}

void CCollectorApp::collectionStopped()
{
    m_windows->showSetupWindow(WindowBook::TagEditor);
    m_windows->closeGraphWindows();
    m_windows->closeCurrentValuesWindow();
    if (m_mainFrame)
        m_mainFrame->restorePlacement();
}

// Pane 108 shows the connection state while there is a document; panes 109 to 112 show
// the groups that collect, a historian group with its state ("Coll 4 - historian: online,
// 0 waiting"), refreshed with the values.
void CCollectorApp::updateStatusPanes()
{
    if (!m_mainFrame)
        return;
    const bool document = currentDocument() != nullptr;
    m_mainFrame->setCiuPane(document && m_driver ? ciuPaneText(m_driver->connectionState()) : QString());
    const CollectionRun *run = m_collection ? m_collection->run() : nullptr;
    for (int g = 0; g < kCollectionGroupCount; ++g) {
        QString text;
        if (document && currentDocument()->group(g).enabled) {
            text = QStringLiteral("Coll %1").arg(g + 1);
            const GroupOutput *output = run ? run->group(g).output.get() : nullptr;
            if (const QString state = output ? output->stateText() : QString(); !state.isEmpty())
                text += QStringLiteral(" - ") + state;
        }
        m_mainFrame->setGroupPane(g + 1, text);
    }
}

}  // namespace tk70
