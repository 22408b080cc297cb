// The trend setup's rules without widgets: rows closing up, row enabling, history
// lengths, graph steps, key moves, Clear Graph, tag lookups and the picker's rows.
#include "tags/tag_table.h"
#include "trend/setup/trend_setup_keys.h"
#include "trend/setup/trend_setup_rules.h"
#include "trend/setup/trend_tag_lookup.h"

#include <gtest/gtest.h>

using namespace tk70;
using namespace tk70::TrendSetupRules;

namespace {

Tagnames names(std::initializer_list<const char *> list)
{
    Tagnames out;
    int row = 0;
    for (const char *name : list)
        out[row++] = QString::fromLatin1(name);
    return out;
}

}  // namespace

TEST(TrendSetupRules, ClearingAMiddleTagnameClosesTheGap)
{
    TrendGraph graph;
    for (int row = 0; row < 4; ++row)
        graph.traces[row] =
            TrendTrace{QStringLiteral("T%1").arg(row), row * 10.0, 50.0 + row, QStringLiteral("d%1").arg(row)};
    RowTexts rows = rowTextsOf(graph);
    closeUpRows(rows, 1);
    EXPECT_EQ(rows[0], (RowText{"T0", "0", "50", "d0"}));
    EXPECT_EQ(rows[1], (RowText{"T2", "20", "52", "d2"}));
    EXPECT_EQ(rows[2], (RowText{"T3", "30", "53", "d3"}));
    EXPECT_EQ(rows[3], (RowText{"", "0", "100", ""}));  // what row 4 showed
    EXPECT_EQ(rows[11], (RowText{"", "0.0", "100.0", ""}));

    Tagnames tagnames = names({"A", "B", "C"});
    closeUpRows(tagnames, 0);
    EXPECT_EQ(tagnames, names({"B", "C"}));
}

TEST(TrendSetupRules, RowsOpenBelowEveryNamedRow)
{
    struct Case {
        Tagnames tagnames;
        QString tagnameOpen;  // per row, for the first five rows: 1 open, 0 closed
        QString valuesOpen;
        int named;
        int leading;
    };
    const Case cases[] = {
        {names({}), "10000", "00000", 0, 0},
        {names({"A", "B"}), "11100", "11000", 2, 2},
        {names({"A", "", "C"}), "11110", "10100", 2, 1},  // a gap from a file
    };
    for (const Case &c : cases) {
        const auto enabling = rowEnabling(c.tagnames);
        for (int row = 0; row < 5; ++row) {
            EXPECT_EQ(enabling[row].tagname, c.tagnameOpen[row] == u'1')
                << row << " of " << c.tagnameOpen.toStdString();
            EXPECT_EQ(enabling[row].values, c.valuesOpen[row] == u'1') << row << " of " << c.valuesOpen.toStdString();
        }
        EXPECT_FALSE(enabling[11].tagname);
        EXPECT_EQ(namedRowCount(c.tagnames), c.named);
        EXPECT_EQ(leadingTraceCount(c.tagnames), c.leading);
    }
    Tagnames full;
    full.fill(QStringLiteral("X"));
    EXPECT_EQ(leadingTraceCount(full), 12);
}

TEST(TrendSetupRules, StoredHistoryLengthsAreShownAsOneOfTheFiveButtons)
{
    const std::pair<qint32, qint32> cases[] = {{-5, 360},    {0, 360},     {360, 360},   {361, 600},
                                               {600, 600},   {900, 1200},  {1200, 1200}, {1201, 1800},
                                               {1800, 1800}, {2400, 2400}, {2401, 600},  {3000, 600}};
    for (auto [stored, shown] : cases)
        EXPECT_EQ(TrendGraph::normalHistoryLength(stored), shown) << stored;
    EXPECT_EQ(historyButton(900), 2);
    EXPECT_EQ(historyButton(3000), 1);
    EXPECT_EQ(historyCaption(4), "2400 Samples");
}

TEST(TrendSetupRules, StepsPastTheFirstOrLastGraphOnlyBeep)
{
    EXPECT_EQ(graphAfterStep(9, +1), std::nullopt);
    EXPECT_EQ(graphAfterStep(0, -1), std::nullopt);
    EXPECT_EQ(graphAfterStep(8, +1), 9);
    EXPECT_EQ(graphAfterStep(1, -1), 0);
}

TEST(TrendSetupRules, ArrowsAndEnterMoveWithinTheColumns)
{
    using namespace TrendSetupKeys;
    struct Case {
        int id;
        int traces;
        int up;
        int down;
    };
    const Case cases[] = {
        {5240, 3, -1, 5241},    // first row's zero: nothing above
        {5261, 3, 5260, 5262},  // a trace other than the last: same column
        {5262, 3, 5261, 5203},  // the last trace: the next row's tagname
        {5285, 3, 5284, 5205},  // a row without a trace: its own tagname
        {5211, 12, 5210, -1},   // the last row
        {1013, 3, -1, -1},      // not a row control
    };
    for (const Case &c : cases) {
        EXPECT_EQ(upTarget(c.id), c.up) << c.id;
        EXPECT_EQ(downTarget(c.id, c.traces), c.down) << c.id;
    }
    EXPECT_EQ(enterTarget(5291), 5211);
    EXPECT_EQ(enterTarget(5290), -1);
}

TEST(TrendSetupRules, ClearGraphTitleHasTheBlankTheNewDocumentTitleLacks)
{
    TrendGraph cleared = clearedGraph(3);
    EXPECT_EQ(cleared.title, "TK70 Pro Trend Graph # 3");
    EXPECT_EQ(TrendGraph::newGraph(3).title, "TK70 Pro Trend Graph #3");
    cleared.title = TrendGraph::newGraph(3).title;
    EXPECT_EQ(cleared, TrendGraph::newGraph(3));
}

TEST(TrendTagLookup, TagsAreFoundExactlyAndListedSortedIgnoringCase)
{
    TagTable tags;
    const char *rows[][2] = {
        {"tic-201", "Outlet temperature"}, {"FIC-101", "first"}, {"PIC-301", "Drum pressure"}, {"FIC-101", "second"}};
    for (int slot = 0; slot < 4; ++slot) {
        TagRecord tag;
        tag.tagname = rows[slot][0];
        tag.description = rows[slot][1];
        tag.block = slot;
        tags.setRecord(slot, tag);
    }
    tags.setCount(4);
    EXPECT_FALSE(TrendTagLookup::findTag(tags, "TIC-201"));
    EXPECT_EQ(TrendTagLookup::findTag(tags, "tic-201")->description, "Outlet temperature");
    EXPECT_EQ(TrendTagLookup::traceDescription(QString(40, u'x')), QString(32, u'x'));

    const auto list = TrendTagLookup::pickerRows(tags);
    ASSERT_EQ(list.size(), 4u);
    EXPECT_EQ(list[0], (TrendTagLookup::PickerRow{"FIC-101", "second", "00-00-00-0003"}));  // the last of its name
    EXPECT_EQ(list[1], list[0]);
    EXPECT_EQ(list[2].tagname, "PIC-301");
    EXPECT_EQ(list[3].tagname, "tic-201");
    EXPECT_EQ(TrendTagLookup::pickedDescription(tags, "FIC-101"), "first");  // the first of its name
    EXPECT_EQ(TrendTagLookup::pickedDescription(tags, "XV-1"), "Descrption of XV-1");
}
