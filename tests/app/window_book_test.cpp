// The window book on its own, over a sub-window area and a host that is not the
// application: at most one window of each setup kind, the question before the last
// setup window goes, graph windows that only turn into icons while the document is in
// use, and what Print finds in the active window.
#include "app/settings/command_ids.h"
#include "app/view/shell/window_book.h"
#include "tags/tag_doc.h"
#include "tests/support/wait_for_events.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <gtest/gtest.h>
#include <vector>

using namespace tk70;

namespace {

class BookHost : public WindowBookHost {
public:
    CTagDoc *currentDocument() const override { return document; }
    bool isHistorical() const override { return false; }
    bool documentInUse() const override { return inUse; }
    QString documentTitle() const override { return QStringLiteral("Untitled"); }
    bool saveModified() override
    {
        ++questions;
        return answer;
    }
    void setupWindowClosed() override { ++closedReports; }
    void runCommand(int id) override { commands.push_back(id); }

    CTagDoc *document = nullptr;
    bool inUse = false;
    bool answer = true;
    int questions = 0;
    int closedReports = 0;
    std::vector<int> commands;
};

class WindowBookTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_area.resize(800, 600);
        m_area.show();
        m_host.document = &m_document;
    }

    // Gives graph index one trace, so that it gets a trend window.
    void giveTrace(int index) { m_document.graph(index).traceCount = 1; }

    CTagDoc m_document;
    QMdiArea m_area;
    BookHost m_host;
    WindowBook m_book{m_host, [this] { return &m_area; }};
};

TEST_F(WindowBookTest, OneWindowOfEachSetupKindAndTheQuestionBeforeTheLastGoes)
{
    m_book.showSetupWindow(WindowBook::TagEditor);
    CChildFrame *editor = m_book.setupWindow(WindowBook::TagEditor);
    ASSERT_NE(editor, nullptr);
    m_book.showSetupWindow(WindowBook::TagEditor);
    EXPECT_EQ(m_book.setupWindow(WindowBook::TagEditor), editor) << "a second window of one kind";
    EXPECT_EQ(m_area.subWindowList().size(), 1);

    m_book.showSetupWindow(WindowBook::TrendSetup);
    ASSERT_NE(m_book.setupWindow(WindowBook::TrendSetup), nullptr);
    m_book.setupWindow(WindowBook::TrendSetup)->close();
    EXPECT_EQ(m_host.questions, 0) << "the tag editor still shows the document";
    ASSERT_TRUE(tk70test::waitFor([this] { return m_host.closedReports == 1; }));

    m_host.answer = false;  // Cancel at the question about unsaved changes
    editor->close();
    EXPECT_EQ(m_host.questions, 1);
    EXPECT_EQ(m_book.setupWindow(WindowBook::TagEditor), editor) << "a refused question closed the window";
    m_host.answer = true;
    editor->close();
    EXPECT_FALSE(m_book.setupOpen());
    EXPECT_TRUE(tk70test::waitFor([this] { return m_host.closedReports == 2; }));
}

TEST_F(WindowBookTest, GraphWindowsTurnIntoIconsWhileTheDocumentIsInUse)
{
    giveTrace(0);
    giveTrace(2);
    std::vector<int> made;
    m_book.openGraphWindows(
        [&made](int graph) {
            made.push_back(graph);
            return new QWidget;
        },
        false);
    EXPECT_EQ(made, (std::vector<int>{0, 2}));
    EXPECT_EQ(m_book.graphCount(), 2);
    EXPECT_EQ(m_book.trendGraphWindow(1), nullptr);
    ASSERT_NE(m_book.trendGraphWindow(2), nullptr);
    EXPECT_EQ(m_area.activeSubWindow(), m_book.trendGraphWindow(0)) << "the first graph comes to the front";

    m_host.inUse = true;
    CChildFrame *second = m_book.trendGraphWindow(2);
    second->close();
    EXPECT_EQ(m_book.trendGraphWindow(2), second);
    EXPECT_TRUE(tk70test::waitFor([second] { return second->isMinimized(); }));

    m_host.inUse = false;
    m_book.closeGraphWindows();
    EXPECT_EQ(m_book.trendGraphWindow(0), nullptr);
    EXPECT_EQ(m_book.graphCount(), 0);
    EXPECT_TRUE(tk70test::waitFor([this] { return m_area.subWindowList().isEmpty(); }));
}

TEST_F(WindowBookTest, AReplayOpensTheFirstGraphOnlyAndNothingOpensWithoutADocument)
{
    giveTrace(1);
    giveTrace(3);
    m_book.openGraphWindows([](int) { return new QWidget; }, true);
    EXPECT_NE(m_book.trendGraphWindow(1), nullptr);
    EXPECT_EQ(m_book.trendGraphWindow(3), nullptr);

    m_book.closeGraphWindows();
    m_host.document = nullptr;
    m_book.showSetupWindow(WindowBook::TagEditor);
    m_book.openGraphWindows([](int) { return new QWidget; }, false);
    m_book.showCurrentValuesWindow([] { return new QWidget; });
    EXPECT_FALSE(m_book.setupOpen());
    EXPECT_EQ(m_book.trendGraphWindow(1), nullptr);
    EXPECT_EQ(m_book.currentValuesWindow(), nullptr);
}

TEST_F(WindowBookTest, PrintFindsTheActiveSetupFormAndNothingInAnotherWindow)
{
    EXPECT_FALSE(m_book.activePainter()) << "no window is open";
    m_book.showSetupWindow(WindowBook::TagEditor);
    m_area.setActiveSubWindow(m_book.setupWindow(WindowBook::TagEditor));
    EXPECT_TRUE(m_book.activePainter());
    EXPECT_NE(m_book.activeTagEditor(), nullptr);

    QMdiSubWindow *other = m_area.addSubWindow(new QWidget);
    other->show();
    m_area.setActiveSubWindow(other);
    EXPECT_FALSE(m_book.activePainter()) << "a window of no kind the book keeps";
    EXPECT_EQ(m_book.activeTagEditor(), nullptr);
    EXPECT_EQ(m_book.activeGraphView(), nullptr);
}

}  // namespace
