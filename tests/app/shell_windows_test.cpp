// The program's windows around a collection against the CIU simulator: Start opens the
// current values window with the plant's live values coloured by state, File Close only
// minimises it, Stop closes it; and the trend setup window next to the tag editor.
#include "ciusim/pty_server.h"
#include "collection_setup.h"
#include "collector_app.h"
#include "command_ids.h"
#include "main_frame.h"
#include "message_recorder.h"
#include "tag_doc.h"
#include "txt_view.h"

#include <QDir>
#include <QLineEdit>
#include <QMdiArea>
#include <QTest>
#include <cmath>
#include <gtest/gtest.h>

using namespace tk70;
using namespace tk70test;

namespace {

class ShellWindowsTest : public SimulatedPlantTest {
protected:
    void TearDown() override
    {
        m_app.reset();
        SimulatedPlantTest::TearDown();
    }
    CCollectorApp &start(const QStringList &arguments)
    {
        m_app = std::make_unique<CCollectorApp>(*m_store);
        EXPECT_TRUE(m_app->initInstance(QStringList{"--nologo"} + arguments));
        return *m_app;
    }
    CTxtView *currentValues() const
    {
        CChildFrame *frame = m_app->currentValuesWindow();
        return frame ? qobject_cast<CTxtView *>(frame->widget()) : nullptr;
    }
    // Whether cell shows value (as the cell's text reads) in colour within three seconds.
    bool cellShows(int cell, double value, int colour) const
    {
        return QTest::qWaitFor(
            [&] {
                const CTxtView *view = currentValues();
                return view && std::abs(view->cellValueText(cell).toDouble() - value) < 1e-3
                       && view->cellColour(cell) == colour;
            },
            3000);
    }

    std::unique_ptr<CCollectorApp> m_app;
    MessageRecorder m_messages;
};

}  // namespace

TEST_F(ShellWindowsTest, StartShowsTheLiveValuesByStateUntilStop)
{
    CCollectorApp &app = start({writeSelection(m_dir)});
    EXPECT_FALSE(app.isEnabled(cmd::CurrentValues));
    app.execute(cmd::Start);
    ASSERT_TRUE(app.isCollecting()) << qPrintable(m_messages.texts().join("|"));
    ASSERT_NE(currentValues(), nullptr);
    EXPECT_EQ(app.currentValuesWindow()->windowTitle(), "Data Collection Output");
    for (int i = 0; i < int(kSimTags.size()); ++i)
        EXPECT_TRUE(cellShows(i, kSimTags[size_t(i)].value, 7)) << kSimTags[size_t(i)].name;
    ASSERT_TRUE(QDir().mkpath(TK70_SCREENSHOT_DIR));
    EXPECT_TRUE(app.mainFrame()->grab().save(TK70_SCREENSHOT_DIR "/shell-current-values.png"));

    m_sim.unit().setPoint(ciusim::PlantAddress{1, 2, 3, kSimTags[1].block}, 55.25, true);
    EXPECT_TRUE(cellShows(1, 55.25, 13));

    // File Close leaves the collection's window as an icon; Current Values brings it back.
    app.execute(cmd::FileClose);
    EXPECT_TRUE(app.currentValuesWindow()->isMinimized());
    EXPECT_NE(app.currentDocument(), nullptr);
    app.execute(cmd::CurrentValues);
    EXPECT_TRUE(app.currentValuesWindow()->isMaximized());

    m_messages.answer(MessageAnswer::Yes);
    app.execute(cmd::Stop);
    EXPECT_EQ(app.currentValuesWindow(), nullptr);
    EXPECT_NE(app.tagEditorWindow(), nullptr);
}

// Trend Setup opens only from a valid tag editor page; a trace typed into it is saved with
// the selection; the document stays while either setup window is open.
TEST_F(ShellWindowsTest, TrendSetupOpensBesideAValidTagEditorAndSavesItsTraces)
{
    CCollectorApp &app = start({writeSelection(m_dir)});
    auto *block = app.tagEditorWindow()->findChild<QLineEdit *>(QStringLiteral("5080"));
    ASSERT_NE(block, nullptr);
    block->setText(QStringLiteral("10000"));
    app.execute(cmd::TrendSetup);
    EXPECT_EQ(app.trendSetupWindow(), nullptr);
    ASSERT_FALSE(m_messages.texts().isEmpty());
    EXPECT_TRUE(m_messages.texts().last().contains("9999")) << qPrintable(m_messages.texts().last());
    block->setText(QStringLiteral("101"));
    app.execute(cmd::TrendSetup);
    ASSERT_NE(app.trendSetupWindow(), nullptr);
    EXPECT_EQ(app.mainFrame()->mdiArea()->activeSubWindow(), app.trendSetupWindow());

    auto *tagname = app.trendSetupWindow()->findChild<QLineEdit *>(QStringLiteral("5200"));
    ASSERT_NE(tagname, nullptr);
    tagname->setText(QStringLiteral("TT102"));
    const QString file = m_dir.filePath("traced.tsf");
    ASSERT_TRUE(app.currentDocument()->saveDocument(file));
    CTagDoc reread;
    ASSERT_TRUE(reread.openDocument(file));
    EXPECT_EQ(reread.graph(0).traceCount, 1);
    EXPECT_EQ(reread.graph(0).traces[0].tagname, "TT102");

    app.tagEditorWindow()->close();
    ASSERT_TRUE(QTest::qWaitFor([&] { return app.tagEditorWindow() == nullptr; }, 2000));
    QCoreApplication::processEvents();  // the check that closes a document without setup windows
    EXPECT_NE(app.currentDocument(), nullptr);
    EXPECT_TRUE(app.isEnabled(cmd::Start));
    app.execute(cmd::TagSelection);
    EXPECT_NE(app.tagEditorWindow(), nullptr);
    EXPECT_NE(app.trendSetupWindow(), nullptr);
}
