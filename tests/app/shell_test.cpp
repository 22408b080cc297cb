// The program's shell: where the main window goes, the status bar clock, and start-up
// with its settings, start-up file and window bookkeeping, on real widgets offscreen.
#include "app/settings/command_ids.h"
#include "app/view/shell/collector_app.h"
#include "app/view/shell/frame_geometry.h"
#include "app/view/shell/main_frame.h"
#include "app/view/shell/menu_layout.h"
#include "platform/registry/settings_store.h"
#include "tags/tag_doc.h"
#include "tests/support/message_recorder.h"
#include "tests/support/wait_for_events.h"

#include <QApplication>
#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

using namespace tk70;

TEST(MainFrameGeometry, CentresAtMostEightHundredBySixHundred)
{
    EXPECT_EQ(mainFrameGeometry(QRect(0, 0, 1024, 768)), QRect(112, 84, 800, 600));
    EXPECT_EQ(mainFrameGeometry(QRect(0, 0, 640, 480)), QRect(0, 0, 640, 480));
    EXPECT_EQ(mainFrameGeometry(QRect(1920, 0, 1920, 1080)), QRect(1920 + 560, 240, 800, 600));
}

TEST(StatusClock, TwelveHourTimeWithItsHalfOfTheDay)
{
    EXPECT_EQ(statusTimeText(QTime(0, 5)), "12:05  AM ");
    EXPECT_EQ(statusTimeText(QTime(11, 59)), "11:59  AM ");
    EXPECT_EQ(statusTimeText(QTime(12, 0)), "12:00  PM ");
    EXPECT_EQ(statusTimeText(QTime(13, 7)), "01:07  PM ");
}

class ShellTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_store = std::make_unique<SettingsStore>(m_dir.filePath("registry"));
    }
    void TearDown() override { m_app.reset(); }

    CCollectorApp &start(const QStringList &arguments = {QStringLiteral("--nologo")})
    {
        m_app = std::make_unique<CCollectorApp>(*m_store);
        EXPECT_TRUE(m_app->initInstance(arguments));
        return *m_app;
    }
    void setProgramValue(const char *name, quint32 value) { ASSERT_TRUE(m_store->setDword(kProgramKey, name, value)); }

    QTemporaryDir m_dir;
    std::unique_ptr<SettingsStore> m_store;
    std::unique_ptr<CCollectorApp> m_app;
    tk70test::MessageRecorder m_messages;
};

TEST_F(ShellTest, AFirstStartCreatesTheStartUpValuesAndOpensAnEmptyTagEditor)
{
    CCollectorApp &app = start();
    EXPECT_TRUE(app.firstStart());
    EXPECT_EQ(m_store->dword(kProgramKey, "AutoStartDelayTime"), 5u);
    ASSERT_NE(app.currentDocument(), nullptr);
    EXPECT_EQ(app.currentDocument()->tagCount(), 0);
    ASSERT_NE(app.windows().setupWindow(WindowBook::TagEditor), nullptr);
    EXPECT_EQ(app.mainFrame()->mdiArea()->subWindowList().size(), 1);
    EXPECT_EQ(app.mainFrame()->currentMenu(), kMenuSetup);
    EXPECT_EQ(app.versionText(), "Version 1.02");
    EXPECT_TRUE(m_messages.messages().empty());
}

TEST_F(ShellTest, TheTagEditorOpensOnlyOnce)
{
    CCollectorApp &app = start();
    app.execute(cmd::TagSelection);
    app.execute(cmd::TagSelection);
    EXPECT_EQ(app.mainFrame()->mdiArea()->subWindowList().size(), 1);
}

TEST_F(ShellTest, NewOnADocumentWithTagsAsksAndCancelKeepsIt)
{
    CCollectorApp &app = start();
    TagRecord tag;
    tag.tagname = QStringLiteral("FIC-101");
    app.currentDocument()->setTag(0, tag);
    app.currentDocument()->tags().setCount(1);
    CTagDoc *before = app.currentDocument();
    m_messages.answer(MessageAnswer::Cancel);
    app.execute(cmd::FileNew);
    ASSERT_EQ(m_messages.texts(), QStringList{"Overwrite Existing Tag Selection & Trend Settings?"});
    EXPECT_EQ(m_messages.messages().front().defaultAnswer, MessageAnswer::Cancel);
    EXPECT_EQ(app.currentDocument(), before);
    EXPECT_EQ(app.currentDocument()->tagCount(), 1);
    m_messages.answer(MessageAnswer::Ok);
    app.execute(cmd::FileNew);
    EXPECT_EQ(app.currentDocument()->tagCount(), 0);
}

TEST_F(ShellTest, AMissingCommandLineFileLeavesAnEmptyDocument)
{
    CCollectorApp &app = start({QStringLiteral("--nologo"), m_dir.filePath("missing.tsf")});
    ASSERT_NE(app.currentDocument(), nullptr);
    EXPECT_TRUE(app.currentDocument()->pathName().isEmpty());
    EXPECT_FALSE(m_messages.messages().empty());  // the load failure was reported
    EXPECT_FALSE(app.autoStartPending());
}

TEST_F(ShellTest, ASpecificStartUpFileWithAnEmptyNameOpensNothing)
{
    CTagDoc saved;
    saved.newDocument();
    QString file = m_dir.filePath("plant.tsf");
    ASSERT_TRUE(saved.saveDocument(file));
    setProgramValue("SpecificAutoStartFile", 1);
    CCollectorApp &app = start({QStringLiteral("--nologo"), file});
    EXPECT_TRUE(app.currentDocument()->pathName().isEmpty());
}

TEST_F(ShellTest, TheCommandLineFileOpensAtStartUp)
{
    CTagDoc saved;
    saved.newDocument();
    TagRecord tag;
    tag.tagname = QStringLiteral("TIC-102");
    saved.setTag(0, tag);
    saved.tags().setCount(1);
    QString file = m_dir.filePath("plant.tsf");
    ASSERT_TRUE(saved.saveDocument(file));
    CCollectorApp &app = start({QStringLiteral("--nologo"), file});
    EXPECT_EQ(app.currentDocument()->pathName(), file);
    EXPECT_EQ(app.currentDocument()->tagCount(), 1);
    EXPECT_EQ(app.recentFiles().value(0), file);
}

TEST_F(ShellTest, CommandsFollowTheirRules)
{
    CCollectorApp &app = start();
    CMainFrame *frame = app.mainFrame();
    frame->updateCommands();
    EXPECT_TRUE(frame->action(cmd::FileSave)->isEnabled());
    EXPECT_FALSE(frame->action(cmd::CurrentValues)->isEnabled());
    EXPECT_FALSE(frame->action(cmd::EditPaste)->isEnabled());
    EXPECT_EQ(frame->action(cmd::FileNew)->statusTip(), "Create a new Tag Selection File");
    app.execute(cmd::FileClose);
    EXPECT_EQ(app.currentDocument(), nullptr);
    EXPECT_FALSE(frame->action(cmd::FileSave)->isEnabled());
    EXPECT_TRUE(frame->action(cmd::FileNew)->isEnabled());
}

// Renders the main window with the tag editor for review (build/screenshots/main-frame.png).
TEST_F(ShellTest, MainWindowScreenshot)
{
    CTagDoc doc;
    doc.newDocument();
    const char *names[] = {"FIC-101", "TIC-102", "PIC-103", "LIC-104", "XV-105", "P-106"};
    for (int k = 0; k < 6; ++k) {
        TagRecord tag;
        tag.tagname = QString::fromLatin1(names[k]);
        tag.loop = 1;
        tag.pcu = 2;
        tag.module = 3;
        tag.block = 101 + k;
        tag.pointType = k % 3 + 1;
        tag.description = QStringLiteral("Unit 4 boiler feed %1").arg(k + 1);
        doc.setTag(k, tag);
    }
    doc.tags().setCount(6);
    QString file = m_dir.filePath("Unit4.tsf");
    ASSERT_TRUE(doc.saveDocument(file));
    CCollectorApp &app = start({QStringLiteral("--nologo"), file});
    QDir().mkpath(QStringLiteral(TK70_SCREENSHOT_DIR));
    app.mainFrame()->resize(1000, 720);
    QApplication::processEvents();
    EXPECT_TRUE(app.mainFrame()->grab().save(QStringLiteral(TK70_SCREENSHOT_DIR "/main-frame.png")));
    QMenu *fileMenu = app.mainFrame()->menuBar()->actions().first()->menu();
    fileMenu->popup(app.mainFrame()->mapToGlobal(QPoint(0, 20)));
    EXPECT_TRUE(fileMenu->grab().save(QStringLiteral(TK70_SCREENSHOT_DIR "/file-menu.png")));
    fileMenu->hide();
}

TEST_F(ShellTest, ClosingTheTagEditorWindowClosesTheDocument)
{
    CCollectorApp &app = start();
    ASSERT_NE(app.windows().setupWindow(WindowBook::TagEditor), nullptr);
    app.windows().setupWindow(WindowBook::TagEditor)->close();
    ASSERT_TRUE(tk70test::waitFor([&] { return app.currentDocument() == nullptr; }, 5000));
    EXPECT_EQ(app.windows().setupWindow(WindowBook::TagEditor), nullptr);
    EXPECT_FALSE(app.mainFrame()->action(cmd::FileSave)->isEnabled());
    app.execute(cmd::FileNew);
    EXPECT_NE(app.currentDocument(), nullptr);
    EXPECT_NE(app.windows().setupWindow(WindowBook::TagEditor), nullptr);
}

// A tag typed into the editor is saved through the document's host (page validated and
// copied in) and read back by the command-line tool.
TEST_F(ShellTest, ATagTypedInTheEditorIsSavedAndReadBackByTheTool)
{
    CCollectorApp &app = start();
    auto *name = app.windows().setupWindow(WindowBook::TagEditor)->findChild<QLineEdit *>(QStringLiteral("5000"));
    ASSERT_NE(name, nullptr);
    app.mainFrame()->activateWindow();
    name->setFocus();
    QTest::keyClicks(name, QStringLiteral("FIC-101"));
    auto *block = app.windows().setupWindow(WindowBook::TagEditor)->findChild<QLineEdit *>(QStringLiteral("5080"));
    ASSERT_NE(block, nullptr);
    block->setFocus();  // leaving the tagname adds the tag and enables its row
    block->setText(QStringLiteral("3423"));
    QString file = m_dir.filePath("typed.tsf");
    ASSERT_TRUE(app.currentDocument()->saveDocument(file));

    QProcess tool;
    tool.start(QStringLiteral(TK70_TOOL_PROGRAM), {QStringLiteral("dump"), QStringLiteral("--json"), file});
    ASSERT_TRUE(tool.waitForFinished(10000));
    EXPECT_EQ(tool.exitCode(), 0);
    QJsonObject dump = QJsonDocument::fromJson(tool.readAllStandardOutput()).object();
    QJsonArray tags = dump.value(QStringLiteral("tags")).toArray();
    ASSERT_EQ(tags.size(), 1);
    EXPECT_EQ(tags[0].toObject().value(QStringLiteral("tagname")).toString(), "FIC-101");
    EXPECT_EQ(tags[0].toObject().value(QStringLiteral("block")).toInt(), 3423);
}
