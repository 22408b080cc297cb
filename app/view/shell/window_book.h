// The book of the application's child windows: the two setup windows (the tag editor and
// the trend setup, at most one of each, showing the current document's pages), the
// current values window and one trend window per graph.  The book makes, finds, brings
// forward and closes them; what they show, and when the document may go with its last
// setup window, is its host's to say.
#pragma once

#include "app/view/shell/child_frame.h"
#include "platform/view/print_setup.h"
#include "tags/trend_graph.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <array>
#include <functional>
#include <vector>

class QMdiArea;
class QMdiSubWindow;

namespace tk70 {

class CTagDoc;
class QCPageView;
class SetupPage;
class TagEditorPage;

// What the book asks of the application that keeps it.
class WindowBookHost {
public:
    // The document the windows show; null when there is none.
    virtual CTagDoc *currentDocument() const = 0;
    // The document's tags are the columns of a historical data file.
    virtual bool isHistorical() const = 0;
    // A collection or a historical file's graphs use the document: its graph windows
    // only turn into icons when closed, and its last setup window stays.
    virtual bool documentInUse() const = 0;
    // The title of the setup windows.
    virtual QString documentTitle() const = 0;
    // The question about unsaved changes before the last setup window closes; false keeps
    // the window.
    virtual bool saveModified() = 0;
    // A setup window has gone, after the event that closed it.
    virtual void setupWindowClosed() = 0;
    // A command a setup page asked for (Collection Settings, Trend Setup).
    virtual void runCommand(int id) = 0;

protected:
    ~WindowBookHost() = default;
};

class WindowBook : public QObject {
    Q_OBJECT

public:
    enum SetupKind { TagEditor, TrendSetup, SetupKindCount };
    // Makes a graph window's view of graph index.
    using ViewMaker = std::function<QWidget *(int graph)>;

    // area returns the main window's sub-window area, or null before it exists (when every
    // operation does nothing).
    WindowBook(WindowBookHost &host, std::function<QMdiArea *()> area, QObject *parent = nullptr);

    // The setup windows.  showSetupWindow brings the window of kind forward, or makes it,
    // after the other page validated and both pages were copied into the document.
    void showSetupWindow(SetupKind kind);
    // Closes both at once: their views point into a document that is about to go.
    void closeSetupWindows();
    CChildFrame *setupWindow(SetupKind kind) const { return m_setup[kind].frame; }
    bool setupOpen() const { return setupWindow(TagEditor) || setupWindow(TrendSetup); }
    // True when the page of kind is not open or its fields are valid (a refusal is shown).
    bool pageValid(SetupKind kind);
    // The open pages into the document: the tag editor's, then the trend setup's.
    void commitOpenPages();
    // The tag editor page when its window is the active one; else null.
    TagEditorPage *activeTagEditor() const;
    void setSetupTitles(const QString &title);

    // The current values window: shows it maximised, made by makeView when there is none.
    void showCurrentValuesWindow(const std::function<QWidget *()> &makeView);
    void closeCurrentValuesWindow();
    CChildFrame *currentValuesWindow() const { return m_currentValuesWindow; }

    // The trend windows: one per graph with traces (only the first when firstOnly), each
    // made while its graph is the document's current one; the first comes to the front.
    // A window that cannot be made ends the opening with its message.
    void openGraphWindows(const ViewMaker &makeView, bool firstOnly);
    void closeGraphWindows();
    // The trend window of graph index; null when none is open.
    CChildFrame *trendGraphWindow(int index) const { return m_trendWindows.at(size_t(index)); }
    // The graphs with traces at the last opening of the trend windows.
    int graphCount() const { return m_graphCount; }
    // File Close while the document is in use: the graph windows go to icons.
    void minimizeGraphWindows();
    // Select Trend: the trend window chosen from the "Trend List" comes forward.
    void selectTrend(QWidget *dialogParent);

    // The graph page of the active window (a trend or the current values window); or null.
    QCPageView *activeGraphView() const;
    // What Print paints for the active window (its setup form or its graph page); empty
    // when the active window prints nothing.
    PrintSetup::Painter activePainter() const;
    QMdiSubWindow *activeWindow() const;

private:
    struct SetupWindow {
        QPointer<CChildFrame> frame;
        SetupPage *page = nullptr;  // lives in frame
    };

    SetupPage *createSetupPage(SetupKind kind);
    void createSetupWindow(SetupKind kind);
    void setupWindowGone(SetupKind kind, SetupPage *page);
    bool createGraphWindow(int graphIndex, QWidget *view);
    void keepWhileInUse(CChildFrame *frame);
    std::vector<int> openTrendGraphs() const;
    void bringForward(CChildFrame *frame);

    WindowBookHost &m_host;
    std::function<QMdiArea *()> m_area;
    std::array<SetupWindow, SetupKindCount> m_setup;
    QPointer<CChildFrame> m_currentValuesWindow;
    std::array<QPointer<CChildFrame>, TrendGraph::kGraphCount> m_trendWindows;  // by graph index
    int m_graphCount = 0;
};

}  // namespace tk70
