// The enabling rules of the commands over the program's state.
#include "app/settings/command_ids.h"
#include "app/settings/command_state.h"

#include <gtest/gtest.h>

using namespace tk70;

TEST(CommandState, SavingAndEditingNeedAnIdleDocumentWithASetupWindow)
{
    CommandState s{true, false, false, true, false, 0};
    for (int id : {cmd::TagSelection, cmd::CollectionSettings, cmd::FileSave, cmd::TrendSetup, cmd::FileSaveAs})
        EXPECT_TRUE(commandEnabled(id, s)) << id;
    s.collecting = true;
    for (int id : {cmd::TagSelection, cmd::FileSave, cmd::FileSaveAs, cmd::FileNew, cmd::FileOpen})
        EXPECT_FALSE(commandEnabled(id, s)) << id;
    EXPECT_TRUE(commandEnabled(cmd::CurrentValues, s));
    s = CommandState{true, true, false, true, false, 0};  // a historical document
    EXPECT_FALSE(commandEnabled(cmd::FileSave, s));
    EXPECT_TRUE(commandEnabled(cmd::FileSaveAs, s));
}

TEST(CommandState, NewAndOpenWaitForAReplayToEnd)
{
    CommandState s{true, true, true, false, false, 2};
    EXPECT_FALSE(commandEnabled(cmd::FileNew, s));
    EXPECT_FALSE(commandEnabled(cmd::FileOpen, s));
    EXPECT_TRUE(commandEnabled(cmd::SelectTrend, s));
    s.replay = false;
    EXPECT_TRUE(commandEnabled(cmd::FileNew, s));
    EXPECT_FALSE(commandEnabled(cmd::SelectTrend, s));
}

TEST(CommandState, StartNeedsASetupWindowAndNoConnectionStopNeedsAConnection)
{
    CommandState s{true, false, false, true, false, 0};
    EXPECT_TRUE(commandEnabled(cmd::Start, s));
    EXPECT_FALSE(commandEnabled(cmd::Stop, s));
    s.connected = true;
    EXPECT_FALSE(commandEnabled(cmd::Start, s));
    EXPECT_TRUE(commandEnabled(cmd::Stop, s));
    s = CommandState{true, false, false, false, false, 0};  // collection closed the setup windows
    EXPECT_FALSE(commandEnabled(cmd::Start, s));
    s = CommandState{true, true, false, false, false, 0};  // a historical document, not graphed
    EXPECT_TRUE(commandEnabled(cmd::Start, s));
    EXPECT_FALSE(commandEnabled(cmd::Stop, s));
    s.replay = true;
    EXPECT_FALSE(commandEnabled(cmd::Start, s));
    EXPECT_TRUE(commandEnabled(cmd::Stop, s));
    EXPECT_FALSE(commandEnabled(cmd::Start, CommandState{}));
    EXPECT_FALSE(commandEnabled(cmd::Stop, CommandState{}));
}

// Tune Block tunes while the monitoring loop runs, and inserts a tag in an active tag
// editor; the imports wait for a collection or a replay to end.
TEST(CommandState, TuningNeedsMonitoringAndImportsAnIdleProgram)
{
    const struct {
        CommandState state;
        bool tune;
        bool import;
    } cases[] = {
        {CommandState{true, false, false, true, false, 0, false, false, false}, false, true},
        {CommandState{true, false, false, true, false, 0, false, false, true}, true, true},
        {CommandState{true, false, false, false, true, 0, true, false, false}, false, false},
        {CommandState{true, false, false, false, true, 0, true, true, false}, true, false},
        {CommandState{true, true, true, false, false, 1, false, false, false}, false, false},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(commandEnabled(cmd::TuneBlock, c.state), c.tune);
        EXPECT_EQ(commandEnabled(cmd::ImportDosTsf, c.state), c.import);
        EXPECT_EQ(commandEnabled(cmd::ImportDelimited, c.state), c.import);
    }
}

TEST(CommandState, AnEmptyProgramOffersOnlyWhatNeedsNoDocument)
{
    CommandState s;
    EXPECT_TRUE(commandEnabled(cmd::FileNew, s));
    EXPECT_FALSE(commandEnabled(cmd::FileSave, s));
    EXPECT_FALSE(commandEnabled(cmd::CurrentValues, s));
    EXPECT_FALSE(commandEnabled(cmd::SelectTrend, s));
    EXPECT_FALSE(commandEnabled(cmd::EditPaste, s));
    EXPECT_TRUE(commandEnabled(cmd::ImportDelimited, s));
}

TEST(CommandPrompts, SplitIntoStatusTextAndToolTip)
{
    EXPECT_EQ(commandPrompt(cmd::FileNew).status, "Create a new Tag Selection File");
    EXPECT_EQ(commandPrompt(cmd::FileNew).tip, "New");
    EXPECT_EQ(commandPrompt(cmd::TuneBlock).tip, "Tune Block");
    EXPECT_TRUE(commandPrompt(cmd::Print).status.isEmpty());
}
