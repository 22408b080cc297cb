// CCollectorApp, the application object: starts the program in its fixed order (settings,
// driver client, main window, start-up window, the start-up tag selection and the
// automatic collection start), owns the settings, the driver client and the current
// document's lifecycle, keeps the book of its child windows (at most one of each kind), and carries
// out the application's commands.
#pragma once

#include "app/document/document_lifecycle.h"
#include "app/settings/app_settings.h"
#include "app/settings/command_state.h"
#include "app/view/shell/child_frame.h"
#include "app/view/shell/command_target.h"
#include "app/view/shell/file_dialogs.h"
#include "collect/collection_control.h"
#include "core/clock.h"
#include "platform/view/print_setup.h"
#include "tags/tag_doc_host.h"
#include "tags/trend_graph.h"

#include <QObject>
#include <QPointer>
#include <QStringList>
#include <array>
#include <functional>
#include <map>
#include <memory>
#include <vector>

class QMdiSubWindow;

namespace tk70 {

class CCiuDriver;
class CMainFrame;
class CTagDoc;
class QCPageView;
class DriverReadings;
class HistoricalFile;
class HistoricalFileSource;
class SettingsStore;
class SetupPage;
class TagEditorPage;

class CCollectorApp : public QObject, public CommandTarget, public CTagDocHost, public CollectionHost {
    Q_OBJECT

public:
    explicit CCollectorApp(SettingsStore &store, QObject *parent = nullptr);
    ~CCollectorApp() override;

    // The start-up sequence; false ends the program.  arguments are the command line
    // without the program name, read as the program reads it: an optional tag selection
    // file and "--nologo".
    bool initInstance(const QStringList &arguments);

    CMainFrame *mainFrame() const { return m_mainFrame.get(); }
    CTagDoc *currentDocument() const { return m_documents->document(); }
    CCiuDriver *driverClient() const { return m_driver.get(); }
    const AppSettings &settings() const { return m_settings; }
    bool firstStart() const { return m_firstStart; }
    bool autoStartPending() const { return m_autoStartPending; }
    QString versionText() const;
    CChildFrame *tagEditorWindow() const { return m_setup[TagEditor].frame; }
    CChildFrame *trendSetupWindow() const { return m_setup[TrendSetup].frame; }
    CChildFrame *currentValuesWindow() const { return m_currentValuesWindow; }

    // Window operations.
    void showTagEditorWindow() { showSetupWindow(TagEditor); }
    void showTrendSetupWindow() { showSetupWindow(TrendSetup); }
    void closeSetupWindows();
    void openCurrentValuesWindow();
    void closeCurrentValuesWindow();
    void openTrendGraphWindows();
    void closeTrendGraphWindows();
    // The trend window of graph index; null when none is open.
    CChildFrame *trendGraphWindow(int index) const { return m_trendWindows.at(size_t(index)); }

    // CommandTarget: every command passes through run(), which consults isEnabled().
    bool isEnabled(int id) const override;
    void execute(int id) override;
    QStringList recentFiles() const override { return m_documents->recentFiles().files(); }
    void openDroppedFile(const QString &path) override;
    bool mayExit() override;
    // The state the enabling rules look at.
    CommandState commandState() const;

    // The collection run; tests reach the run and its timers through it.
    CollectionControl *collection() const { return m_collection.get(); }

    // CTagDocHost.
    bool isCollecting() const override { return m_collection && m_collection->collecting(); }
    bool isReplaying() const override { return m_graphing; }
    // The document is used by a collection or by the graphs of a historical file.
    bool documentInUse() const { return isCollecting() || m_graphing; }
    bool isHistorical() const { return m_historyFile != nullptr; }
    bool hasCurrentDocument() const override { return currentDocument() != nullptr; }
    bool tagEditorOpen() const override { return m_setup[TagEditor].frame != nullptr; }
    bool trendSetupOpen() const override { return m_setup[TrendSetup].frame != nullptr; }
    bool tagEditorPageValid() override { return pageValid(TagEditor); }
    bool trendSetupPageValid() override { return pageValid(TrendSetup); }
    void copyOpenPagesIntoDocument() override;
    void setLinkSettings(int comPort, int baudRate) override;

    // CollectionHost.
    bool commitSetupForms() override;
    void storeSetupForms() override;
    void setBusy(bool busy) override;
    void collectionStarted() override;
    void collectionStopped() override;

private:
    // The two setup windows, and what the application keeps of each.
    enum SetupKind { TagEditor, TrendSetup, SetupKindCount };
    struct SetupWindow {
        QPointer<CChildFrame> frame;
        SetupPage *page = nullptr;  // lives in frame
    };

    // A command's handler; file is the file to open for Open (empty: ask for one).
    using Handler = std::function<void(const QString &file)>;

    void createHandlers();
    void run(int id, const QString &file);
    void runAutomaticStart();
    bool createDriverClient();
    void createCollectionControl();
    void startCollection(bool automatic);
    void stopCollection();
    void collectionSettings();
    void advancedSettings();
    void updateStatusPanes();
    void showStartupWindow();
    QString documentTitle() const { return m_documents->title(); }
    void chooseStartupFile(const QString &commandLineFile);
    void runAutoStartCountdown();
    void tuneBlock();
    void importTagList(int id);
    void fileClose();
    TagEditorPage *activeTagEditor() const;
    void showSetupWindow(SetupKind kind);
    SetupPage *createSetupPage(SetupKind kind);
    void createSetupWindow(SetupKind kind);
    void setupWindowGone(SetupKind kind, SetupPage *page);
    bool pageValid(SetupKind kind);
    void showCurrentValues();
    void minimizeGraphWindows();
    bool createGraphWindow(int graphIndex, QWidget *view);
    void keepWhileCollecting(CChildFrame *frame);
    std::vector<int> openTrendGraphs() const;
    QCPageView *activeGraphView() const;
    void selectTrend();
    void openHistoricalFile(int id);
    void startGraphing();
    void stopGraphing();
    void openGraphWindows(const std::function<QWidget *(int)> &makeView, bool firstOnly);
    void saveAsMetafile();
    void printActiveWindow(bool preview);
    void about();
    void driverStatus(QWidget *parent);
    void helpContent();
    void startupSettings();
    void ddeServerOptions();
    void databaseOptions();
    void saveSettings();
    void releaseDocument();
    void documentShown();
    void stateChanged();

    SettingsStore &m_store;
    AppSettings m_settings;
    bool m_firstStart = false;
    bool m_initIncomplete = true;
    bool m_autoStartPending = false;
    std::unique_ptr<CCiuDriver> m_driver;
    SystemClock m_systemClock;
    std::unique_ptr<CollectionControl> m_collection;
    std::unique_ptr<CMainFrame> m_mainFrame;
    std::unique_ptr<FileDialogs> m_files;
    std::unique_ptr<DocumentLifecycle> m_documents;
    std::array<SetupWindow, SetupKindCount> m_setup;
    QPointer<CChildFrame> m_currentValuesWindow;
    std::array<QPointer<CChildFrame>, TrendGraph::kGraphCount> m_trendWindows;  // by graph index
    int m_graphCount = 0;                           // graphs with traces at the last opening of the trend windows
    std::unique_ptr<DriverReadings> m_readings;     // what the graph windows read
    std::unique_ptr<HistoricalFile> m_historyFile;  // the data file of a historical document
    std::unique_ptr<HistoricalFileSource> m_historySource;  // its records for the graphs
    bool m_graphing = false;  // the historical document's graphs are shown (Start to Stop)
    std::map<int, Handler> m_handlers;
    PrintSetup m_printSetup;
};

}  // namespace tk70
