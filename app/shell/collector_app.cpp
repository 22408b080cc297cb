// CCollectorApp, the application object: see collector_app.h.
#include "collector_app.h"

#include "chart/chart_version.h"
#include "about_box.h"
#include "driver_status_dialog.h"
#include "auto_start_countdown_dialog.h"
#include "dde_options_dialog.h"
#include "screen_size_rule.h"
#include "startup_settings_dialog.h"
#include "startup_window.h"
#include "system_figures.h"
#include "child_frame.h"
#include "ciu_driver.h"
#include "main_frame.h"
#include "menu_layout.h"
#include "messages.h"
#include "registry/settings_store.h"
#include "command_ids.h"
#include "tag_doc.h"
#include "tag_editor_page.h"
#include "tsf_format.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QMdiArea>
#include <QScreen>
#include <QTimer>
#include <QUrl>

namespace tk70 {

namespace {

const char *const kRecentKey = "SOFTWARE\\Kestrane\\TK70 Pro\\Recent File List";
constexpr int kRecentCount = 4;

}  // namespace

CCollectorApp::CCollectorApp(SettingsStore &store, QObject *parent) : QObject(parent), m_store(store) {}

CCollectorApp::~CCollectorApp()
{
    m_collection.reset();
    m_mainFrame.reset();
    m_document.reset();
    m_driver.reset();
}

QString CCollectorApp::versionText() const { return programVersionText(); }

bool CCollectorApp::initInstance(const QStringList &arguments)
{
    m_initIncomplete = true;
    m_firstStart = createDefaultAppSettings(m_store);
    m_settings = loadAppSettings(m_store);
    QString commandLineFile;
    for (const QString &argument : arguments) {
        if (argument == QLatin1String("--nologo"))
            m_showLogo = false;
        else if (!argument.startsWith(QLatin1String("--")) && commandLineFile.isEmpty())
            commandLineFile = argument;
    }
    if (!checkChartComponent() || !createDriverClient())
        return false;
    createCollectionControl();
    m_initIncomplete = false;
    loadRecentFiles();
    m_mainFrame = std::make_unique<CMainFrame>(*this);
    newDocument();
    m_mainFrame->show();
    if (m_showLogo)
        showStartupWindow();
    chooseStartupFile(commandLineFile);
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
    if (!openDocument(file)) {
        newDocument();
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
    QTimer::singleShot(500, this, [this] { startCollection(true); });
}

void CCollectorApp::forgetDocument()
{
    closeSetupWindows();
    m_document.reset();
}

void CCollectorApp::newDocument()
{
    forgetDocument();
    m_document = std::make_unique<CTagDoc>(this);
    m_document->newDocument();
    showTagEditorWindow();
    stateChanged();
}

bool CCollectorApp::openDocument(const QString &path)
{
    auto document = std::make_unique<CTagDoc>(this);
    if (!document->openDocument(path))
        return false;
    forgetDocument();
    m_document = std::move(document);
    addRecentFile(path);
    showTagEditorWindow();
    stateChanged();
    return true;
}

void CCollectorApp::showTagEditorWindow()
{
    if (!m_document || !m_mainFrame)
        return;
    copyOpenPagesIntoDocument();
    if (m_tagEditorWindow) {
        m_tagEditorWindow->showMaximized();
        m_mainFrame->mdiArea()->setActiveSubWindow(m_tagEditorWindow);
        return;
    }
    auto *page = new TagEditorPage(*m_document, nullptr);
    connect(page, &TagEditorPage::collectionSettingsRequested, this, [this] { execute(cmd::CollectionSettings); });
    connect(page, &TagEditorPage::trendSetupRequested, this, [this] { execute(cmd::TrendSetup); });
    auto *frame = new CChildFrame(page->widget(), kMenuSetup);
    frame->setWindowTitle(documentTitle());
    m_mainFrame->mdiArea()->addSubWindow(frame);
    m_tagEditorWindow = frame;
    m_tagEditor = page;
    page->setParent(frame);  // the page goes with its window
    connect(frame, &CChildFrame::closing, this, [this] {
        m_tagEditor = nullptr;
        m_tagEditorWindow.clear();
    });
    // A closed setup window is forgotten; with no setup window left and no collection
    // using it, the document closes, once the window and its view are completely gone
    // (the view reads the document to its end).
    connect(frame, &QObject::destroyed, this, [this, page] {
        if (m_tagEditor == page)
            m_tagEditor = nullptr;
        QTimer::singleShot(0, this, [this] {
            if (!m_tagEditorWindow && !trendSetupOpen() && !isCollecting())
                m_document.reset();
            stateChanged();
        });
    });
    frame->setCloseCheck([this] { return !isCollecting() && (!m_tagEditor || m_tagEditor->validate()); });
    frame->showMaximized();
}

// The document's name in window titles: its file's name, or the product's for a new one.
QString CCollectorApp::documentTitle() const
{
    if (!m_document || m_document->pathName().isEmpty())
        return QStringLiteral("TK70 Pro");
    return QFileInfo(m_document->pathName()).fileName();
}

// The windows go at once, not later: their views point into the document that is about
// to be replaced.
void CCollectorApp::closeSetupWindows()
{
    if (CChildFrame *frame = m_tagEditorWindow) {
        frame->setCloseCheck({});
        frame->close();
        delete frame;
    }
}

bool CCollectorApp::tagEditorPageValid() { return !m_tagEditor || m_tagEditor->validate(); }

void CCollectorApp::copyOpenPagesIntoDocument()
{
    if (m_tagEditor)
        m_tagEditor->commit();
}

void CCollectorApp::setLinkSettings(int comPort, int baudRate)
{
    if (m_driver) {
        m_driver->setComPort(comPort);
        m_driver->setBaudRate(baudRate);
    }
}

bool CCollectorApp::confirmOverwrite()
{
    if (!m_document || m_document->tagCount() < 1)
        return true;
    return Messages::show(Message{QStringLiteral("Overwrite Existing Tag Selection & Trend Settings?"),
                                  QLatin1String(kTitleProgram), MessageIcon::Question, MessageButtons::OkCancel,
                                  MessageAnswer::Cancel}) == MessageAnswer::Ok;
}

void CCollectorApp::fileOpen()
{
    if (!confirmOverwrite())
        return;
    QString path = QFileDialog::getOpenFileName(m_mainFrame.get(), QStringLiteral("Open"), QString(),
                                                QString::fromLatin1(Tsf::kFileFilter));
    if (path.isEmpty())
        return;
    if (!openDocument(path))
        newDocument();
}

void CCollectorApp::fileSave()
{
    if (!m_document)
        return;
    if (m_document->pathName().isEmpty())
        return fileSaveAs();
    if (m_document->saveDocument(m_document->pathName()))
        addRecentFile(m_document->pathName());
}

void CCollectorApp::fileSaveAs()
{
    if (!m_document)
        return;
    QString path = QFileDialog::getSaveFileName(m_mainFrame.get(), QStringLiteral("Save As"), m_document->pathName(),
                                                QString::fromLatin1(Tsf::kFileFilter));
    if (path.isEmpty())
        return;
    if (QFileInfo(path).suffix().isEmpty())
        path += QLatin1String(Tsf::kDefaultExtension);
    if (m_document->saveDocument(path))
        addRecentFile(path);
    stateChanged();
}

void CCollectorApp::fileClose()
{
    if (isCollecting())
        return;
    forgetDocument();
    stateChanged();
}

void CCollectorApp::openRecentFile(const QString &path)
{
    if (!confirmOverwrite())
        return;
    if (!openDocument(path)) {
        m_recentFiles.removeAll(path);
        saveRecentFiles();
        newDocument();
    }
}

void CCollectorApp::openDroppedFile(const QString &path)
{
    if (isCollecting() || !confirmOverwrite())
        return;
    if (!openDocument(path))
        newDocument();
}

bool CCollectorApp::mayExit()
{
    if (!m_collection->confirmClose())
        return false;
    stateChanged();
    return true;
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
        saveAppSettings(m_store, m_settings);
}

void CCollectorApp::ddeServerOptions()
{
    if (runDdeServerOptions(m_mainFrame.get(), m_settings))
        saveAppSettings(m_store, m_settings);
}

// The user guide: installed beside the program, or in the source tree of a build.
void CCollectorApp::helpContent()
{
    QString installed = QCoreApplication::applicationDirPath() + QStringLiteral("/../share/doc/TK70Pro/help/index.html");
    QString index = QFileInfo::exists(installed) ? installed : QStringLiteral(TK70_HELP_DIR "/index.html");
    QDesktopServices::openUrl(QUrl::fromLocalFile(index));
}

CommandState CCollectorApp::commandState() const
{
    CommandState state;
    state.hasDocument = m_document != nullptr;
    state.setupOpen = m_tagEditorWindow != nullptr;
    state.collecting = isCollecting();
    state.connected = m_driver && m_driver->isRunning();
    return state;
}

bool CCollectorApp::handles(int id) const
{
    switch (id) {
    case cmd::FileNew: case cmd::FileOpen: case cmd::FileClose: case cmd::FileSave: case cmd::FileSaveAs:
    case cmd::TagSelection: case cmd::Exit: case cmd::HelpContent: case cmd::Cascade: case cmd::Tile:
    case cmd::ArrangeIcons: case cmd::TuneBlock: case cmd::Print: case cmd::PrintPreview: case cmd::About:
    case cmd::StartupSettings: case cmd::DdeServerOptions: case cmd::Start: case cmd::Stop:
    case cmd::CollectionSettings: case cmd::CommunicationStatus:
        return true;
    default:
        return false;
    }
}

void CCollectorApp::execute(int id)
{
    QMdiArea *mdi = m_mainFrame->mdiArea();
    bool editorActive = m_tagEditorWindow && mdi->activeSubWindow() == m_tagEditorWindow;
    switch (id) {
    case cmd::FileNew:
        if (confirmOverwrite())
            newDocument();
        break;
    case cmd::FileOpen: fileOpen(); break;
    case cmd::FileClose: fileClose(); break;
    case cmd::FileSave: fileSave(); break;
    case cmd::FileSaveAs: fileSaveAs(); break;
    case cmd::TagSelection: showTagEditorWindow(); break;
    case cmd::Exit: m_mainFrame->close(); break;
    case cmd::HelpContent: helpContent(); break;
    case cmd::About: about(); break;
    case cmd::StartupSettings: startupSettings(); break;
    case cmd::DdeServerOptions: ddeServerOptions(); break;
    case cmd::Start: startCollection(false); break;
    case cmd::Stop: stopCollection(); break;
    case cmd::CollectionSettings: collectionSettings(); break;
    case cmd::CommunicationStatus: driverStatus(m_mainFrame.get()); break;
    case cmd::Cascade: mdi->cascadeSubWindows(); break;
    case cmd::Tile: mdi->tileSubWindows(); break;
    case cmd::ArrangeIcons: mdi->tileSubWindows(); break;
    case cmd::TuneBlock: if (editorActive) m_tagEditor->insertTag(); break;
    case cmd::Print: if (editorActive) m_tagEditor->print(); break;
    case cmd::PrintPreview: if (editorActive) m_tagEditor->printPreview(); break;
    default: break;
    }
    stateChanged();
}

void CCollectorApp::stateChanged()
{
    if (m_tagEditorWindow)
        m_tagEditorWindow->setWindowTitle(documentTitle());
    if (m_mainFrame) {
        m_mainFrame->updateCommands();
        updateStatusPanes();
    }
}

void CCollectorApp::addRecentFile(const QString &path)
{
    QString absolute = QFileInfo(path).absoluteFilePath();
    m_recentFiles.removeAll(absolute);
    m_recentFiles.prepend(absolute);
    while (m_recentFiles.size() > kRecentCount)
        m_recentFiles.removeLast();
    saveRecentFiles();
}

void CCollectorApp::loadRecentFiles()
{
    m_recentFiles.clear();
    for (int k = 1; k <= kRecentCount; ++k)
        if (auto file = m_store.string(kRecentKey, QStringLiteral("File%1").arg(k)); file && !file->isEmpty())
            m_recentFiles << *file;
}

void CCollectorApp::saveRecentFiles() const
{
    for (int k = 1; k <= kRecentCount; ++k) {
        QString file = k <= m_recentFiles.size() ? m_recentFiles[k - 1] : QString();
        if (file.isEmpty())
            m_store.removeValue(kRecentKey, QStringLiteral("File%1").arg(k));
        else
            m_store.setString(kRecentKey, QStringLiteral("File%1").arg(k), file);
    }
}

}  // namespace tk70
