// CCollectorApp, the application object: starts the program in its fixed order (settings,
// driver client, main window, start-up window, the start-up tag selection and the
// automatic collection start), owns the settings, the driver client, the current
// document's lifecycle and the book of its child windows, and carries out the
// application's commands.
#pragma once

#include "app/document/document_lifecycle.h"
#include "app/settings/app_settings.h"
#include "app/settings/command_state.h"
#include "app/view/shell/command_target.h"
#include "app/view/shell/file_dialogs.h"
#include "app/view/shell/window_book.h"
#include "collect/collection_control.h"
#include "core/clock.h"
#include "platform/view/print_setup.h"
#include "tags/tag_doc_host.h"

#include <QObject>
#include <QStringList>
#include <functional>
#include <map>
#include <memory>

namespace tk70 {

class CCiuDriver;
class CMainFrame;
class CTagDoc;
class DriverReadings;
class HistoricalFile;
class HistoricalFileSource;
class SettingsStore;

class CCollectorApp : public QObject,
                      public CommandTarget,
                      public CTagDocHost,
                      public CollectionHost,
                      public WindowBookHost {
    Q_OBJECT

public:
    explicit CCollectorApp(SettingsStore &store, QObject *parent = nullptr);
    ~CCollectorApp() override;

    // The start-up sequence; false ends the program.  arguments are the command line
    // without the program name, read as the program reads it: an optional tag selection
    // file and "--nologo".
    bool initInstance(const QStringList &arguments);

    CMainFrame *mainFrame() const { return m_mainFrame.get(); }
    CTagDoc *currentDocument() const override { return m_documents->document(); }
    CCiuDriver *driverClient() const { return m_driver.get(); }
    const AppSettings &settings() const { return m_settings; }
    bool firstStart() const { return m_firstStart; }
    bool autoStartPending() const { return m_autoStartPending; }
    QString versionText() const;
    // The child windows; tests reach the windows through it.
    const WindowBook &windows() const { return *m_windows; }

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
    bool hasCurrentDocument() const override { return currentDocument() != nullptr; }
    bool tagEditorOpen() const override { return m_windows->setupWindow(WindowBook::TagEditor) != nullptr; }
    bool trendSetupOpen() const override { return m_windows->setupWindow(WindowBook::TrendSetup) != nullptr; }
    bool tagEditorPageValid() override { return m_windows->pageValid(WindowBook::TagEditor); }
    bool trendSetupPageValid() override { return m_windows->pageValid(WindowBook::TrendSetup); }
    void copyOpenPagesIntoDocument() override { m_windows->commitOpenPages(); }
    void setLinkSettings(int comPort, int baudRate) override;

    // CollectionHost.
    bool commitSetupForms() override;
    void storeSetupForms() override;
    void setBusy(bool busy) override;
    void collectionStarted() override;
    void collectionStopped() override;

    // WindowBookHost.  The document is used by a collection or by the graphs of a
    // historical file.
    bool documentInUse() const override { return isCollecting() || m_graphing; }
    bool isHistorical() const override { return m_historyFile != nullptr; }
    QString documentTitle() const override { return m_documents->title(); }
    bool saveModified() override;
    void setupWindowClosed() override;
    void runCommand(int id) override { execute(id); }

private:
    // A command's handler; file is the file to open for Open (empty: ask for one).
    using Handler = std::function<void(const QString &file)>;

    void createHandlers();
    std::unique_ptr<WindowBook> createWindowBook();
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
    void chooseStartupFile(const QString &commandLineFile);
    void runAutoStartCountdown();
    void tuneBlock();
    void importTagList(int id);
    void fileClose();
    void showCurrentValues();
    void openCurrentValuesWindow();
    void openTrendGraphWindows();
    void openHistoricalFile(int id);
    void startGraphing();
    void stopGraphing();
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
    std::unique_ptr<WindowBook> m_windows;
    std::unique_ptr<DriverReadings> m_readings;             // what the graph windows read
    std::unique_ptr<HistoricalFile> m_historyFile;          // the data file of a historical document
    std::unique_ptr<HistoricalFileSource> m_historySource;  // its records for the graphs
    bool m_graphing = false;  // the historical document's graphs are shown (Start to Stop)
    std::map<int, Handler> m_handlers;
    PrintSetup m_printSetup;
};

}  // namespace tk70
