// The tag editor's rules without widgets: which controls of a row are enabled, the page
// offsets of every paging movement, the control ids that the arrow keys move between,
// what leaving a tagname edit means, the slot moves of insert and delete, and find.
// The editor form exchanges its fields and asks these functions what to do.
#pragma once

#include "tags/tag_selection.h"

#include <QString>

namespace tk70::TagEditorRules {

inline constexpr int kRows = 10;  // rows on one page
inline constexpr int kMaxOffset = TagTable::kCapacity - kRows;

// Control ids of the form, per row r: tagname kTagnameId + r and so on; the four group
// check boxes of row r are kGroupId + 4r .. kGroupId + 4r + 3.
inline constexpr int kTagnameId = 5000;
inline constexpr int kLoopId = 5020;
inline constexpr int kPcuId = 5040;
inline constexpr int kModuleId = 5060;
inline constexpr int kBlockId = 5080;
inline constexpr int kPointTypeId = 5100;
inline constexpr int kDescriptionId = 5120;
inline constexpr int kGroupId = 5400;
inline constexpr int kColumnIds[] = {kTagnameId, kLoopId, kPcuId, kModuleId, kBlockId, kPointTypeId, kDescriptionId};

// Which controls of a row are enabled.
enum class RowState { Disabled, TagnameOnly, Enabled };

// The enabling rule for the row that shows slot.
RowState rowState(const TagTable &tags, int slot);
// The number of slots whose tagname is not empty.
int recount(const TagTable &tags);

// Page offsets (the slot shown in row 1) after each movement.
int pageDownOffset(int offset, int tagCount);
int pageUpOffset(int offset);
int lastPageOffset(int tagCount);
// The row (0-based) whose tagname takes the focus after End.
int lastPageFocusRow(int tagCount);
// The offset that shows a slot found by Find.
int foundOffset(int slot, int tagCount);

// Control ids: whether one exists, its row, and whether it is an edit or the drop-down
// (as opposed to a group check box).
bool controlExists(int id);
int controlRow(int id);
bool isEditOrDropDown(int id);

// Where an arrow key leaves the page and the focus.
struct FocusMove {
    int offset;
    int controlId;
};
FocusMove lineUp(int controlId, int offset);
FocusMove lineDown(int controlId, int offset, int tagCount);

// What leaving a tagname edit with stored name n and new text t asks for first.
enum class TagnameChange {
    None,              // nothing to decide before the row is brought up to date
    Rename,            // a plain rename
    RenameInTrendUse,  // ask whether the traces are renamed too
    DeleteRefused,     // a name in trend use may not be cleared
};
TagnameChange classifyTagnameChange(const TagSelection &selection, const QString &storedName, const QString &text);
// After that first step, with the text the edit then holds.
enum class TagnameOutcome {
    Nothing,
    EnableRow,   // enable the row and the next row's tagname
    NewTag,      // as EnableRow, and the page is committed so that the count grows
    DeleteSlot,  // the name was cleared: the slot goes
};
TagnameOutcome tagnameOutcome(const QString &text, int slot, int tagCount);
// Renames every trace of every graph that draws oldName; returns how many were renamed.
int renameTraces(TagSelection &selection, const QString &oldName, const QString &newName);
// Renames the tag in slot to newName, and every trace that drew its old name with it.
void renameTagAndTraces(TagSelection &selection, int slot, const QString &newName);

// Insert before slot: slots slot..28 move one down (slot 29's tag is lost), slot becomes
// free and the count grows by one.  At slot 29 nothing moves: the slot becomes free.
void insertSlot(TagTable &tags, int slot);
// Delete slot: the slots below move one up, slot 29 becomes free, and the count is the
// number of named slots again.
void deleteSlot(TagTable &tags, int slot);
// Whether inserting loses a tag (slot 29 holds one).
bool insertLosesLastTag(const TagTable &tags);

// Find: by tagname (ignoring case, among the tags) or by block address (every slot).
struct FindQuery {
    bool byTagname = true;
    QString tagname;
    int loop = 0;
    int pcu = 0;
    int module = 0;
    int block = 0;
};
// The first matching slot, or -1.
int findTag(const TagTable &tags, const FindQuery &query);
// Whether a failed search also shows the message (else it only beeps).
bool findFailureShowsMessage(const FindQuery &query);

}  // namespace tk70::TagEditorRules
