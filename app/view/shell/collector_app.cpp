// CCollectorApp, the application object: see collector_app.h.
#include "app/view/shell/collector_app.h"

#include "app/launch/command_line.h"
#include "app/settings/command_ids.h"
#include "app/settings/database_output_settings.h"
#include "app/settings/historian_output_settings.h"
#include "app/settings/screen_size_rule.h"
#include "app/settings/system_figures.h"
#include "app/view/dialogs/about_box.h"
#include "app/view/dialogs/auto_start_countdown_dialog.h"
#include "app/view/dialogs/database_options_dialog.h"
#include "app/view/dialogs/dde_options_dialog.h"
#include "app/view/dialogs/startup_settings_dialog.h"
#include "app/view/dialogs/startup_window.h"
#include "app/view/shell/icon_arrangement.h"
#include "app/view/shell/main_frame.h"
#include "chart/chart_version.h"
#include "collect/driver_readings.h"
#include "core/product.h"
#include "driverclient/ciu_driver.h"
#include "driverclient/view/driver_status_dialog.h"
#include "platform/messages.h"
#include "platform/registry/settings_store.h"
#include "platform/registry/settings_warning.h"
#include "tags/import/dos_tsf_import.h"
#include "tags/import/tag_list_import.h"
#include "tags/tag_doc.h"
#include "trend/history/historical_file.h"
#include "trend/historyview/historical_file_source.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileInfo>
#include <QMdiArea>
#include <QScreen>
#include <QTimer>
#include <QUrl>

namespace tk70 {

CCollectorApp::CCollectorApp(SettingsStore &store, QObject *parent)
    : QObject(parent), m_store(store), m_files(std::make_unique<FileDialogs>([this] { return m_mainFrame.get(); }))
{
    m_windows = createWindowBook();
    DocumentHooks hooks{[this] { releaseDocument(); }, [this] { documentShown(); }, [this] { return documentInUse(); }};
    m_documents = std::make_unique<DocumentLifecycle>(*this, store, *m_files, std::move(hooks));
    createHandlers();
}

CCollectorApp::~CCollectorApp()
{
    m_collection.reset();
    m_mainFrame.reset();
    m_documents.reset();
    m_readings.reset();
    m_driver.reset();
}

QString CCollectorApp::versionText() const { return programVersionText(); }

bool CCollectorApp::initInstance(const QStringList &arguments)
{
    m_initIncomplete = true;
    const StartupSettings startup = startAppSettings(m_store);  // says once when the store lets us down
    m_firstStart = startup.firstStart;
    m_settings = startup.settings;
    applyDatabaseSettings(m_settings);
    applyHistorianSettings(m_settings, m_store.path());
    const LaunchRequest request = parseArguments(arguments);
    if (!checkChartComponent() || !createDriverClient())
        return false;
    createCollectionControl();
    m_initIncomplete = false;
    m_documents->recentFiles().load();
    m_mainFrame = std::make_unique<CMainFrame>(*this);
    m_documents->newDocument();
    m_mainFrame->show();
    if (request.showLogo)
        showStartupWindow();
    chooseStartupFile(request.file);
    return true;
}

// The start-up window closes by itself or at the first key or click; on a first start
// the screen size is checked once it has gone.
void CCollectorApp::showStartupWindow()
{
    auto *window = new StartupWindow;
    window->setAttribute(Qt::WA_DeleteOnClose);
    connect(window, &StartupWindow::closed, this, [this] {
        QScreen *screen = QGuiApplication::primaryScreen();
        if (m_firstStart && screen)
            noteLowResolution(screen->size());
    });
    window->show();
}

bool CCollectorApp::createDriverClient()
{
    m_driver = std::make_unique<CCiuDriver>(m_store);
    m_readings = std::make_unique<DriverReadings>(*m_driver);
    if (m_driver->createEvents())
        return true;
    Messages::note(QStringLiteral("Unable to Allocate Driver Event Handling.\nProgram Terminated."),
                   QString::fromLatin1(kTitleError), MessageIcon::Stop);
    return false;
}

// The start-up tag selection: the specific file when one is set up, else the command
// line's.  An empty choice ends start-up; a file that cannot be opened leaves an empty
// document and no automatic start.
void CCollectorApp::chooseStartupFile(const QString &commandLineFile)
{
    QString file = m_settings.specificAutoStartFile ? m_settings.autoStartTsfFilename : commandLineFile;
    if (file.isEmpty())
        return;
    if (!m_documents->openDocument(file)) {
        m_documents->newDocument();
        return;
    }
    if (m_settings.autoStartEnabled)
        runAutoStartCountdown();
}

void CCollectorApp::runAutoStartCountdown()
{
    m_autoStartPending = true;
    m_mainFrame->update();
    if (tk70::runAutoStartCountdown(m_mainFrame.get(), m_settings.autoStartDelayTime * 1000) != QDialog::Accepted) {
        m_autoStartPending = false;
        return;
    }
    // The start runs half a second after the countdown, from the event loop.
    QTimer::singleShot(500, this, &CCollectorApp::runAutomaticStart);
}

// The automatic start is the Start command: it runs only when Start is enabled then.
void CCollectorApp::runAutomaticStart()
{
    if (isEnabled(cmd::Start))
        startCollection(true);
    m_autoStartPending = false;
    stateChanged();
}

// The windows reading the document, and the historical file behind it, go before it.
void CCollectorApp::releaseDocument()
{
    m_graphing = false;
    m_windows->closeGraphWindows();
    m_windows->closeCurrentValuesWindow();
    m_windows->closeSetupWindows();
    m_historySource.reset();
    m_historyFile.reset();
}

void CCollectorApp::documentShown()
{
    m_windows->showSetupWindow(WindowBook::TagEditor);
    stateChanged();
}

void CCollectorApp::setLinkSettings(int comPort, int baudRate)
{
    if (m_driver) {
        m_driver->setComPort(comPort);
        m_driver->setBaudRate(baudRate);
    }
}

// The imports: the file, then New (with its question), then the tags read into the new
// document, which the tag editor shows.  A refused file leaves the new document empty.
void CCollectorApp::importTagList(int id)
{
    const bool dos = id == cmd::ImportDosTsf;
    const QString path = m_files->importToOpen(dos);
    if (path.isEmpty())
        return;
    m_documents->fileNew();
    if (!currentDocument() || currentDocument()->tagCount() > 0)
        return;  // the user kept the current selection
    const bool imported =
        dos ? importDosTsf(path, *currentDocument()) : importDelimitedTagList(path, *currentDocument());
    if (!imported)
        return;
    m_windows->closeSetupWindows();  // the editor shows the imported tags from its first row
    m_windows->showSetupWindow(WindowBook::TagEditor);
}

// While collecting, the document stays open and its output windows go to icons.
void CCollectorApp::fileClose()
{
    if (documentInUse()) {
        m_windows->minimizeGraphWindows();
        return;
    }
    m_documents->close();
}

// A file dropped on the window or handed over by the desktop: the user let go of it or
// double-clicked it, so a refusal says why instead of doing nothing.
void CCollectorApp::openDroppedFile(const QString &path)
{
    if (!isEnabled(cmd::FileOpen)) {
        Messages::note(QStringLiteral("Data Collection In-Progress.\n\n%1 was not opened.").arg(path),
                       QLatin1String(kTitleProgram), MessageIcon::Information);
        return;
    }
    run(cmd::FileOpen, path);
}

// Exit: a running collection is stopped after its question, then unsaved changes are
// offered.
bool CCollectorApp::mayExit()
{
    const bool mayClose = m_collection->confirmClose() && m_documents->saveModified();
    stateChanged();
    return mayClose;
}

void CCollectorApp::about()
{
    AboutBox box(m_mainFrame.get());
    connect(&box, &AboutBox::commStatusRequested, this, [this, &box] { driverStatus(&box); });
    box.exec();
}

void CCollectorApp::driverStatus(QWidget *parent)
{
    DriverStatusDialog status(*m_driver, parent);
    status.exec();
}

void CCollectorApp::startupSettings()
{
    if (runStartupSettings(m_mainFrame.get(), m_settings))
        saveSettings();
}

// The database choices apply to the outputs opened from now on.
void CCollectorApp::databaseOptions()
{
    if (!runDatabaseOptions(m_mainFrame.get(), m_settings))
        return;
    saveSettings();
    applyDatabaseSettings(m_settings);
}

void CCollectorApp::ddeServerOptions()
{
    if (runDdeServerOptions(m_mainFrame.get(), m_settings))
        saveSettings();
}

// The user guide: installed beside the program, or in the source tree of a build.
void CCollectorApp::helpContent()
{
    QString installed =
        QCoreApplication::applicationDirPath() + QStringLiteral("/../share/doc/TK70Pro/help/index.html");
    QString index = QFileInfo::exists(installed) ? installed : QStringLiteral(TK70_HELP_DIR "/index.html");
    QDesktopServices::openUrl(QUrl::fromLocalFile(index));
}

CommandState CCollectorApp::commandState() const
{
    CommandState state;
    state.hasDocument = currentDocument() != nullptr;
    state.setupOpen = m_windows->setupOpen();
    state.collecting = isCollecting();
    state.historical = isHistorical();
    state.replay = m_graphing;
    state.connected = m_driver && m_driver->isRunning();
    state.graphCount = m_windows->graphCount();
    state.monitoring = m_driver && m_driver->monitoring() == 1;
    state.tagEditorActive = m_windows->activeTagEditor() != nullptr;
    return state;
}

// The application's commands and what each does.  A command missing here has no handler
// and stays disabled.
void CCollectorApp::createHandlers()
{
    const auto on = [this](int id, std::function<void()> handler) {
        m_handlers[id] = [handler = std::move(handler)](const QString &) { handler(); };
    };
    on(cmd::FileNew, [this] { m_documents->fileNew(); });
    m_handlers[cmd::FileOpen] = [this](const QString &file) { m_documents->fileOpen(file); };
    on(cmd::FileClose, [this] { fileClose(); });
    on(cmd::FileSave, [this] { m_documents->fileSave(); });
    on(cmd::FileSaveAs, [this] { m_documents->fileSaveAs(); });
    for (int k = 0; k < cmd::RecentFileCount; ++k)
        on(cmd::RecentFile1 + k, [this, k] { m_documents->openRecent(k); });
    on(cmd::TagSelection, [this] { m_windows->showSetupWindow(WindowBook::TagEditor); });
    on(cmd::TrendSetup, [this] { m_windows->showSetupWindow(WindowBook::TrendSetup); });
    on(cmd::CurrentValues, [this] { showCurrentValues(); });
    on(cmd::SelectTrend, [this] { m_windows->selectTrend(m_mainFrame.get()); });
    on(cmd::HistoricalAscii, [this] { openHistoricalFile(cmd::HistoricalAscii); });
    on(cmd::HistoricalDos, [this] { openHistoricalFile(cmd::HistoricalDos); });
    on(cmd::SaveMetafile, [this] { saveAsMetafile(); });
    on(cmd::Exit, [this] { m_mainFrame->close(); });
    on(cmd::HelpContent, [this] { helpContent(); });
    on(cmd::About, [this] { about(); });
    on(cmd::StartupSettings, [this] { startupSettings(); });
    on(cmd::DdeServerOptions, [this] { ddeServerOptions(); });
    on(cmd::DatabaseOptions, [this] { databaseOptions(); });
    on(cmd::Start, [this] { startCollection(false); });
    on(cmd::Stop, [this] { stopCollection(); });
    on(cmd::CollectionSettings, [this] { collectionSettings(); });
    on(cmd::CommunicationStatus, [this] { driverStatus(m_mainFrame.get()); });
    on(cmd::Cascade, [this] { m_mainFrame->mdiArea()->cascadeSubWindows(); });
    on(cmd::Tile, [this] { m_mainFrame->mdiArea()->tileSubWindows(); });
    on(cmd::ArrangeIcons, [this] { arrangeIcons(m_mainFrame->mdiArea()); });
    on(cmd::PrintSetup, [this] { m_printSetup.setup(m_mainFrame.get()); });
    // While the tag editor is the active view, Tune Block is its Insert Tag.
    on(cmd::TuneBlock, [this] { tuneBlock(); });
    on(cmd::ImportDosTsf, [this] { importTagList(cmd::ImportDosTsf); });
    on(cmd::ImportDelimited, [this] { importTagList(cmd::ImportDelimited); });
    on(cmd::Print, [this] { printActiveWindow(false); });
    on(cmd::PrintPreview, [this] { printActiveWindow(true); });
}

bool CCollectorApp::isEnabled(int id) const { return m_handlers.count(id) != 0 && commandEnabled(id, commandState()); }

void CCollectorApp::execute(int id) { run(id, QString()); }

// The one place every command passes: it runs only when its rule allows it now, whatever
// the state the menus showed when they were last updated.
void CCollectorApp::run(int id, const QString &file)
{
    if (!isEnabled(id))
        return;
    m_handlers.at(id)(file);
    stateChanged();
}

void CCollectorApp::stateChanged()
{
    m_windows->setSetupTitles(documentTitle());
    if (m_mainFrame) {
        m_mainFrame->updateCommands();
        updateStatusPanes();
    }
}

// The program settings after an options dialog's OK; a refused save is reported.
void CCollectorApp::saveSettings()
{
    if (!saveAppSettings(m_store, m_settings))
        warnSettingsNotSaved(m_store);
}

}  // namespace tk70
