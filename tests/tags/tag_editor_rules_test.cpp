// The tag editor's rules without widgets: row enabling, paging offsets, arrow-key focus
// moves, tagname decisions, the slot moves of insert and delete, find, and the printed
// tag list's lines and page arithmetic.
#include "tags/tag_editor_rules.h"
#include "tags/tag_list_print.h"

#include <gtest/gtest.h>

using namespace tk70;
using namespace tk70::TagEditorRules;

namespace {

TagTable tableWith(int count)
{
    TagTable tags;
    for (int slot = 0; slot < count; ++slot) {
        TagRecord tag;
        tag.tagname = QStringLiteral("TAG%1").arg(slot + 1);
        tag.block = slot + 1;
        tags.setRecord(slot, tag);
    }
    tags.setCount(count);
    return tags;
}

}  // namespace

TEST(TagEditorRules, RowEnablingFollowsTheSlotAndTheOneBefore)
{
    TagTable empty;
    EXPECT_EQ(rowState(empty, 0), RowState::TagnameOnly);
    EXPECT_EQ(rowState(empty, 1), RowState::Disabled);
    TagTable two = tableWith(2);
    EXPECT_EQ(rowState(two, 1), RowState::Enabled);
    EXPECT_EQ(rowState(two, 2), RowState::TagnameOnly);
    EXPECT_EQ(rowState(two, 3), RowState::Disabled);
    EXPECT_EQ(recount(two), 2);
}

TEST(TagEditorRules, PagingOffsets)
{
    EXPECT_EQ(pageDownOffset(10, 25), 16);
    EXPECT_EQ(pageDownOffset(0, 25), 10);
    EXPECT_EQ(pageDownOffset(0, 5), 0);
    EXPECT_EQ(pageDownOffset(10, 30), 20);
    EXPECT_EQ(pageUpOffset(16), 6);
    EXPECT_EQ(pageUpOffset(6), 0);
    EXPECT_EQ(lastPageOffset(25), 16);
    EXPECT_EQ(lastPageOffset(30), 20);
    EXPECT_EQ(lastPageOffset(4), 0);
    EXPECT_EQ(lastPageFocusRow(25), 9);
    EXPECT_EQ(lastPageFocusRow(4), 3);
    EXPECT_EQ(lastPageFocusRow(1), 0);
    EXPECT_EQ(foundOffset(3, 25), 3);
    EXPECT_EQ(foundOffset(20, 25), 15);
    EXPECT_EQ(foundOffset(2, 5), 0);
}

TEST(TagEditorRules, ArrowKeysMoveBetweenControlIds)
{
    // Row 1's edits scroll up and keep the focus; other rows go one row up.
    EXPECT_EQ(lineUp(kLoopId, 5).offset, 4);
    EXPECT_EQ(lineUp(kLoopId, 5).controlId, kLoopId);
    EXPECT_EQ(lineUp(kBlockId + 3, 5).controlId, kBlockId + 2);
    EXPECT_EQ(lineUp(kBlockId + 3, 5).offset, 5);
    // A group check box goes to the previous check box and never scrolls.
    EXPECT_EQ(lineUp(kGroupId + 2, 5).controlId, kGroupId + 1);
    EXPECT_EQ(lineUp(kGroupId + 2, 5).offset, 5);
    // Down from a tag with tags below: the same column one row down; row 10 scrolls.
    EXPECT_EQ(lineDown(kPcuId + 2, 0, 25).controlId, kPcuId + 3);
    EXPECT_EQ(lineDown(kPcuId + 9, 0, 25).offset, 1);
    EXPECT_EQ(lineDown(kPcuId + 9, 0, 25).controlId, kPcuId + 9);
    EXPECT_EQ(lineDown(kPcuId + 9, 20, 30).offset, 20);
    // From the last tag the focus goes through its tagname to the new row's tagname.
    EXPECT_EQ(lineDown(kPcuId + 2, 0, 3).controlId, kTagnameId + 3);
    // From the empty row nothing but the row's own tagname.
    EXPECT_EQ(lineDown(kDescriptionId + 3, 0, 3).controlId, kTagnameId + 3);
    EXPECT_FALSE(controlExists(kTagnameId + 10));
    EXPECT_EQ(controlRow(kGroupId + 4 * 7 + 3), 7);
}

TEST(TagEditorRules, LeavingATagnameEdit)
{
    TagSelection selection;
    selection.tags = tableWith(3);
    selection.graphs[4].traceCount = 2;
    selection.graphs[4].traces[1].tagname = QStringLiteral("TAG2");
    EXPECT_EQ(classifyTagnameChange(selection, "TAG1", "NEW"), TagnameChange::Rename);
    EXPECT_EQ(classifyTagnameChange(selection, "TAG2", "NEW"), TagnameChange::RenameInTrendUse);
    EXPECT_EQ(classifyTagnameChange(selection, "TAG2", ""), TagnameChange::DeleteRefused);
    EXPECT_EQ(classifyTagnameChange(selection, "TAG1", ""), TagnameChange::None);
    EXPECT_EQ(classifyTagnameChange(selection, "", "NEW"), TagnameChange::None);
    EXPECT_EQ(tagnameOutcome("NEW", 3, 3), TagnameOutcome::NewTag);
    EXPECT_EQ(tagnameOutcome("NEW", 1, 3), TagnameOutcome::EnableRow);
    EXPECT_EQ(tagnameOutcome("", 1, 3), TagnameOutcome::DeleteSlot);
    EXPECT_EQ(tagnameOutcome("", 3, 3), TagnameOutcome::Nothing);
    EXPECT_EQ(renameTraces(selection, "TAG2", "PUMP2"), 1);
    EXPECT_EQ(selection.graphs[4].traces[1].tagname, "PUMP2");
}

TEST(TagEditorRules, RenamingATagTakesItsTracesAlong)
{
    TagSelection selection;
    selection.tags = tableWith(3);
    selection.graphs[0].traceCount = 1;
    selection.graphs[0].traces[0].tagname = QStringLiteral("TAG2");
    selection.graphs[7].traceCount = 3;
    selection.graphs[7].traces[2].tagname = QStringLiteral("TAG2");
    selection.graphs[7].traces[1].tagname = QStringLiteral("TAG1");
    renameTagAndTraces(selection, 1, QStringLiteral("PUMP2"));
    EXPECT_EQ(selection.tags.tagname(1), "PUMP2");
    EXPECT_EQ(selection.tags.record(1).block, 2);
    EXPECT_EQ(selection.graphs[0].traces[0].tagname, "PUMP2");
    EXPECT_EQ(selection.graphs[7].traces[2].tagname, "PUMP2");
    EXPECT_EQ(selection.graphs[7].traces[1].tagname, "TAG1");
}

TEST(TagEditorRules, InsertAndDeleteMoveTheSlots)
{
    TagTable tags = tableWith(5);
    insertSlot(tags, 2);
    EXPECT_EQ(tags.count(), 6);
    EXPECT_TRUE(tags.tagname(2).isEmpty());
    EXPECT_EQ(tags.tagname(3), "TAG3");
    EXPECT_EQ(tags.record(2), TagRecord{});
    deleteSlot(tags, 2);
    EXPECT_EQ(tags.count(), 5);
    EXPECT_EQ(tags.tagname(2), "TAG3");
    deleteSlot(tags, 0);
    EXPECT_EQ(tags.count(), 4);
    EXPECT_EQ(tags.tagname(0), "TAG2");
    EXPECT_TRUE(tags.tagname(4).isEmpty());

    TagTable full = tableWith(30);
    EXPECT_TRUE(insertLosesLastTag(full));
    insertSlot(full, 0);
    EXPECT_EQ(full.count(), 30);
    EXPECT_EQ(full.tagname(29), "TAG29");
    // Slot 0 is the free one just inserted; at slot 29 nothing moves and the slot is freed.
    insertSlot(full, 29);
    EXPECT_TRUE(full.tagname(29).isEmpty());
    EXPECT_EQ(full.count(), 28);
}

TEST(TagEditorRules, FindByNameIgnoresCaseAndByAddressMatchesAllFour)
{
    TagTable tags = tableWith(5);
    FindQuery byName;
    byName.tagname = QStringLiteral("tag4");
    EXPECT_EQ(findTag(tags, byName), 3);
    byName.tagname.clear();
    EXPECT_EQ(findTag(tags, byName), -1);
    EXPECT_FALSE(findFailureShowsMessage(byName));
    FindQuery byAddress;
    byAddress.byTagname = false;
    byAddress.block = 3;
    EXPECT_EQ(findTag(tags, byAddress), 2);
    byAddress.module = 1;
    EXPECT_EQ(findTag(tags, byAddress), -1);
    EXPECT_TRUE(findFailureShowsMessage(byAddress));
}

TEST(TagListPrint, TagLineWithGroupDigits)
{
    TagRecord tag;
    tag.tagname = QStringLiteral("FIC-101");
    tag.loop = 1;
    tag.pcu = 12;
    tag.module = 2;
    tag.block = 3423;
    tag.pointType = 9;
    tag.groups = {1, 0, 1, 0};
    tag.description = QStringLiteral("Feed flow");
    EXPECT_EQ(TagListPrint::tagLine(4, tag), "   5 FIC-101           1  12   2 3423 M/A Status        1 3  Feed flow");
    EXPECT_EQ(TagListPrint::columnHeaderLine(),
              "Tag# Tagname         Lp  PCU Mod Blk  Point Type        Grp  Tag Description");
}

TEST(TagListPrint, HeaderRulerAndPages)
{
    EXPECT_EQ(TagListPrint::ruler().size(), 81);
    QString header = TagListPrint::headerLine("/plant/unit1.tsf", "unit1.tsf", 2);
    EXPECT_EQ(header.size(), 81);
    EXPECT_TRUE(header.startsWith("/plant/unit1.tsf "));
    EXPECT_TRUE(header.endsWith(" Page 2"));
    QString longPath = "/" + QString(68, u'x');
    EXPECT_TRUE(TagListPrint::headerLine(longPath, "unit1.tsf", 1).startsWith("unit1.tsf "));
    QString longTitle(80, u'y');
    EXPECT_EQ(TagListPrint::headerLine(longPath, longTitle, 1), longTitle + "Page 1");
    // 66 lines of paper less 7 reserved.
    EXPECT_EQ(TagListPrint::linesPerPage(66 * 50 + 20, 50), 59);
    EXPECT_EQ(TagListPrint::pageCount(0, 59), 1);
    EXPECT_EQ(TagListPrint::pageCount(30, 12), 3);
    EXPECT_EQ(TagListPrint::firstTagOfPage(3, 12), 24);
    EXPECT_EQ(TagListPrint::endTagOfPage(3, 12, 30), 30);
}
