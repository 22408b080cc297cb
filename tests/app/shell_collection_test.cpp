// Collection from the program's window against the CIU simulator: Start closes the tag
// editor and fills the status bar, Stop asks and reopens the editor, closing while
// connected asks, a failed connection undoes the start, and the automatic start runs
// after its countdown.
#include "app/settings/command_ids.h"
#include "app/view/shell/collector_app.h"
#include "app/view/shell/main_frame.h"
#include "ciusim/pty_server.h"
#include "driver/thread_control.h"
#include "driverclient/ciu_driver.h"
#include "driverclient/view/driver_status_dialog.h"
#include "platform/registry/settings_store.h"
#include "tags/tag_doc.h"
#include "tests/app/shell_plant_test.h"
#include "tests/support/message_recorder.h"
#include "tests/support/modal_helper.h"

#include <QLabel>
#include <QLineEdit>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

using namespace tk70;
using namespace tk70test;

namespace {

class ShellCollectionTest : public ShellPlantTest {
protected:
    QString pane(const char *name) const
    {
        return m_app->mainFrame()->statusBar()->findChild<QLabel *>(QString::fromLatin1(name))->text();
    }
    bool enabled(int id) const { return m_app->mainFrame()->action(id)->isEnabled(); }
    bool waitForCollection() const
    {
        return tk70test::waitFor([&] { return m_app->driverClient()->connectionState() == 5; }, 10000);
    }
};

}  // namespace

TEST_F(ShellCollectionTest, AnEmptyTagListRefusesTheStartAndKeepsTheEditor)
{
    CCollectorApp &app = start({});
    EXPECT_TRUE(enabled(cmd::Start));
    app.execute(cmd::Start);
    EXPECT_EQ(m_messages.texts(), QStringList{"No Tags Defined in Tag List!\n\nCan Not Continue."});
    EXPECT_FALSE(app.isCollecting());
    EXPECT_NE(app.windows().setupWindow(WindowBook::TagEditor), nullptr);
    EXPECT_EQ(pane("ciuPane"), "CIU Off-Line");
    EXPECT_EQ(pane("groupPane1"), "Coll 1");
    EXPECT_EQ(pane("groupPane2"), "");
}

TEST_F(ShellCollectionTest, StartCollectsAndStopAsksThenReopensTheEditor)
{
    CCollectorApp &app = start({writeSelection(m_dir)});
    app.execute(cmd::Start);
    ASSERT_TRUE(app.isCollecting()) << qPrintable(m_messages.texts().join("|"));
    EXPECT_EQ(app.windows().setupWindow(WindowBook::TagEditor), nullptr);
    EXPECT_NE(app.currentDocument(), nullptr);
    EXPECT_FALSE(enabled(cmd::Start));
    EXPECT_TRUE(enabled(cmd::Stop));
    ASSERT_TRUE(waitForCollection());
    ASSERT_TRUE(tk70test::waitFor([&] { return pane("ciuPane") == "Collection In-Progress"; }, 5000))
        << qPrintable(pane("ciuPane"));
    EXPECT_EQ(pane("groupPane3"), "Coll 3");

    m_messages.answer(MessageAnswer::No);
    app.execute(cmd::Stop);
    EXPECT_EQ(m_messages.texts().last(), "End Data Collection?");
    EXPECT_TRUE(app.isCollecting());

    m_messages.answer(MessageAnswer::Yes);
    app.execute(cmd::Stop);
    EXPECT_FALSE(app.isCollecting());
    EXPECT_FALSE(app.driverClient()->isRunning());
    EXPECT_NE(app.windows().setupWindow(WindowBook::TagEditor), nullptr);
    EXPECT_TRUE(enabled(cmd::Start));
    EXPECT_TRUE(
        fileBytes(m_dir.filePath("plant.DAT")).startsWith("                       TK70 DATA COLLECTION PROGRAM\r\n"));
}

TEST_F(ShellCollectionTest, ClosingWhileConnectedAsksFirst)
{
    CCollectorApp &app = start({writeSelection(m_dir)});
    app.execute(cmd::Start);
    ASSERT_TRUE(app.isCollecting());
    m_messages.answer(MessageAnswer::No);
    EXPECT_FALSE(app.mainFrame()->close());
    EXPECT_EQ(m_messages.texts().last(), "Data Collection Connection Established.\n\nTerminate Connection?");
    EXPECT_TRUE(app.driverClient()->isRunning());
    m_messages.answer(MessageAnswer::Yes);
    EXPECT_TRUE(app.mainFrame()->close());
    EXPECT_FALSE(app.driverClient()->isRunning());
    EXPECT_FALSE(app.isCollecting());
}

TEST_F(ShellCollectionTest, AFailedConnectionUndoesTheStart)
{
    m_store->setString(kDriverKey, "Com1Device", m_dir.filePath("no-such-port"));
    CCollectorApp &app = start({writeSelection(m_dir)});
    app.execute(cmd::Start);
    EXPECT_FALSE(app.isCollecting());
    EXPECT_EQ(m_messages.texts().last(), "Unable to Establish Serial Communications Connection.\n"
                                         "Ensure COM Port is Not Used by Another Process.");
    EXPECT_EQ(app.driverClient()->pointCount(), 0);
    EXPECT_EQ(app.collection()->run(), nullptr);
    EXPECT_NE(app.windows().setupWindow(WindowBook::TagEditor), nullptr);
    // The files were opened and closed again with their headers.
    EXPECT_TRUE(fileBytes(m_dir.filePath("plant.txt")).contains("TK70 Pro DATA COLLECTION PROGRAM"));
}

TEST_F(ShellCollectionTest, TheAutomaticStartRunsAfterItsCountdownWithoutQuestions)
{
    const QString selection = writeSelection(m_dir);
    QFile existing(m_dir.filePath("plant.csv"));
    ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
    existing.close();
    m_store->setDword(kProgramKey, "InhibitDaoDllCheck", 0);
    m_store->setDword(kProgramKey, "AutoStartEnabled", 1);
    m_store->setDword(kProgramKey, "AutoStartDelayTime", 1);
    m_store->setDword(kProgramKey, "AutoOverwriteAckOnAutoStart", 1);
    CCollectorApp &app = start({selection});
    ASSERT_TRUE(tk70test::waitFor([&] { return app.isCollecting(); }, 10000));
    EXPECT_FALSE(app.autoStartPending());
    EXPECT_TRUE(m_messages.messages().empty()) << qPrintable(m_messages.texts().join("|"));
    m_messages.answer(MessageAnswer::Yes);
    app.execute(cmd::Stop);
    EXPECT_TRUE(fileBytes(m_dir.filePath("plant.csv")).startsWith("\"TK70 Pro DATA COLLECTION PROGRAM\""));
}

TEST_F(ShellCollectionTest, CommunicationStatusShowsTheDriversState)
{
    CCollectorApp &app = start({});
    QString state;
    whenModal<DriverStatusDialog>([&](DriverStatusDialog *dialog) {
        const auto edits = dialog->findChildren<QLineEdit *>();
        for (QLineEdit *edit : edits)
            if (edit->text() == "Disconnected")
                state = edit->text();
        dialog->accept();
    });
    app.execute(cmd::CommunicationStatus);
    EXPECT_EQ(state, "Disconnected");
}

// Whatever the source of a command that would replace or close the document, it does not
// run while the collection holds the document: the entries of the recent list, a dropped
// file (or one handed over by a second start), New, Open, Close.
TEST_F(ShellCollectionTest, WhileCollectingNoCommandSourceReplacesTheDocument)
{
    const QString selection = writeSelection(m_dir);
    CCollectorApp &app = start({selection});
    ASSERT_EQ(app.recentFiles().value(0), selection);
    app.execute(cmd::Start);
    ASSERT_TRUE(app.isCollecting());
    const CTagDoc *collected = app.currentDocument();
    m_messages.clear();
    const std::vector<std::pair<const char *, std::function<void()>>> sources = {
        {"recent file", [&] { app.execute(cmd::RecentFile1); }},
        {"dropped file", [&] { app.openDroppedFile(selection); }},
        {"New", [&] { app.execute(cmd::FileNew); }},
        {"Open", [&] { app.execute(cmd::FileOpen); }},
        {"Close", [&] { app.execute(cmd::FileClose); }},
    };
    for (const auto &[name, run] : sources) {
        run();
        EXPECT_EQ(app.currentDocument(), collected) << name;
        EXPECT_TRUE(app.isCollecting()) << name;
    }
    EXPECT_FALSE(enabled(cmd::RecentFile1));
    // Only the dropped file, which the user just let go of, says why nothing opened.
    EXPECT_EQ(m_messages.texts(), QStringList{"Data Collection In-Progress.\n\n" + selection + " was not opened."});
    ASSERT_TRUE(waitForCollection());  // the run still samples into the document it holds
    m_messages.answer(MessageAnswer::Yes);
    app.execute(cmd::Stop);
    EXPECT_EQ(app.currentDocument(), collected);
}

// A historian group shows its state beside its number, refreshed with the values: a server
// that cannot be reached is "offline since" the first attempt, its samples waiting.
TEST_F(ShellCollectionTest, AHistorianGroupsPaneSaysWhetherTheServerTakesItsSamples)
{
    const QString tsf = writeSelectionWithGroup4(m_dir, kFileTypeHistorian, "host=/nonexistent/folder dbname=x");
    CCollectorApp &app = start({tsf});
    app.execute(cmd::Start);
    ASSERT_TRUE(app.isCollecting()) << qPrintable(m_messages.texts().join("|"));
    ASSERT_TRUE(
        tk70test::waitFor([&] { return pane("groupPane4").startsWith("Coll 4 - historian: offline since "); }, 15000))
        << qPrintable(pane("groupPane4"));
    EXPECT_TRUE(tk70test::waitFor([&] { return !pane("groupPane4").endsWith(", 0 waiting"); }, 15000))
        << qPrintable(pane("groupPane4"));
    EXPECT_EQ(pane("groupPane1"), "Coll 1");
    m_messages.answer(MessageAnswer::Yes);
    app.execute(cmd::Stop);
    EXPECT_FALSE(app.isCollecting());
}
