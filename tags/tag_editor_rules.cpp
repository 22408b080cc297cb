// The tag editor's rules without widgets: see tag_editor_rules.h.
#include "tags/tag_editor_rules.h"

#include <algorithm>
#include <utility>

namespace tk70::TagEditorRules {

namespace {

constexpr int kGroupIdEnd = kGroupId + kRows * kCollectionGroupCount;

// The column id of an edit or the drop-down, or -1.
int columnOf(int id)
{
    for (int column : kColumnIds) {
        if (id >= column && id < column + kRows)
            return column;
    }
    return -1;
}

int nextOrSame(int id, int step) { return controlExists(id + step) ? id + step : id; }

}  // namespace

RowState rowState(const TagTable &tags, int slot)
{
    if (!tags.tagname(slot).isEmpty())
        return RowState::Enabled;
    if (slot == 0 || !tags.tagname(slot - 1).isEmpty())
        return RowState::TagnameOnly;
    return RowState::Disabled;
}

int recount(const TagTable &tags)
{
    int count = 0;
    for (int slot = 0; slot < tags.capacity(); ++slot)
        count += tags.tagname(slot).isEmpty() ? 0 : 1;
    return count;
}

int pageDownOffset(int offset, int tagCount)
{
    if (std::min(tagCount + 1, TagTable::kCapacity) < offset + 2 * kRows)
        return std::max(std::min(tagCount - (kRows - 1), kMaxOffset), 0);
    return std::min(offset + kRows, kMaxOffset);
}

int pageUpOffset(int offset) { return std::max(offset - kRows, 0); }

int lastPageOffset(int tagCount) { return std::max(std::min(tagCount + 1, TagTable::kCapacity) - kRows, 0); }

int lastPageFocusRow(int tagCount) { return tagCount >= 2 ? std::min(tagCount, kRows) - 1 : 0; }

int foundOffset(int slot, int tagCount)
{
    int offset = tagCount < slot + kRows ? std::max(tagCount - kRows, 0) : slot;
    return std::min(offset, kMaxOffset);
}

bool controlExists(int id) { return columnOf(id) >= 0 || (id >= kGroupId && id < kGroupIdEnd); }

int controlRow(int id)
{
    int column = columnOf(id);
    if (column >= 0)
        return id - column;
    return controlExists(id) ? (id - kGroupId) / kCollectionGroupCount : -1;
}

bool isEditOrDropDown(int id) { return columnOf(id) >= 0; }

FocusMove lineUp(int controlId, int offset)
{
    if (isEditOrDropDown(controlId) && controlRow(controlId) == 0)
        offset = std::max(offset - 1, 0);
    return {offset, nextOrSame(controlId, -1)};
}

FocusMove lineDown(int controlId, int offset, int tagCount)
{
    int row = controlRow(controlId);
    int slot = offset + row;
    if (slot + 1 >= tagCount)
        controlId = kTagnameId + row;
    if (slot >= tagCount)
        return {offset, controlId};
    if (isEditOrDropDown(controlId) && row == kRows - 1)
        offset = std::min(offset + 1, kMaxOffset);
    return {offset, nextOrSame(controlId, +1)};
}

TagnameChange classifyTagnameChange(const TagSelection &selection, const QString &storedName, const QString &text)
{
    if (storedName.isEmpty() || text == storedName)
        return TagnameChange::None;
    bool inTrendUse = selection.isTagInTrendUse(storedName);
    if (text.isEmpty())
        return inTrendUse ? TagnameChange::DeleteRefused : TagnameChange::None;
    return inTrendUse ? TagnameChange::RenameInTrendUse : TagnameChange::Rename;
}

TagnameOutcome tagnameOutcome(const QString &text, int slot, int tagCount)
{
    if (!text.isEmpty())
        return slot >= tagCount ? TagnameOutcome::NewTag : TagnameOutcome::EnableRow;
    return slot < tagCount ? TagnameOutcome::DeleteSlot : TagnameOutcome::Nothing;
}

int renameTraces(TagSelection &selection, const QString &oldName, const QString &newName)
{
    int renamed = 0;
    for (TrendGraph &graph : selection.graphs) {
        for (TrendTrace &trace : graph.traces) {
            if (trace.tagname == oldName) {
                trace.tagname = newName;
                ++renamed;
            }
        }
    }
    return renamed;
}

void renameTagAndTraces(TagSelection &selection, int slot, const QString &newName)
{
    TagRecord tag = selection.tags.record(slot);
    const QString oldName = std::exchange(tag.tagname, newName);
    selection.tags.setRecord(slot, tag);
    renameTraces(selection, oldName, newName);
}

void insertSlot(TagTable &tags, int slot)
{
    int last = tags.capacity() - 1;
    if (slot >= last) {
        tags.resetSlot(last);
        tags.setCount(recount(tags));
        return;
    }
    for (int from = last - 1; from >= slot; --from)
        tags.setRecord(from + 1, tags.record(from));
    tags.resetSlot(slot);
    tags.setCount(tags.count() + 1);
}

void deleteSlot(TagTable &tags, int slot)
{
    int last = tags.capacity() - 1;
    for (int to = slot; to < last; ++to)
        tags.setRecord(to, tags.record(to + 1));
    tags.resetSlot(last);
    // Recounted rather than decremented: the slot may already have been empty (a name
    // cleared, or an insert that got no name), and the count must stay the number of tags.
    tags.setCount(recount(tags));
}

bool insertLosesLastTag(const TagTable &tags) { return !tags.tagname(tags.capacity() - 1).isEmpty(); }

int findTag(const TagTable &tags, const FindQuery &query)
{
    if (query.byTagname) {
        for (int slot = 0; slot < tags.count() && !query.tagname.isEmpty(); ++slot) {
            if (tags.tagname(slot).compare(query.tagname, Qt::CaseInsensitive) == 0)
                return slot;
        }
        return -1;
    }
    for (int slot = 0; slot < tags.capacity(); ++slot) {
        TagRecord tag = tags.record(slot);
        if (tag.loop == query.loop && tag.pcu == query.pcu && tag.module == query.module && tag.block == query.block)
            return slot;
    }
    return -1;
}

bool findFailureShowsMessage(const FindQuery &query) { return !query.byTagname || !query.tagname.isEmpty(); }

}  // namespace tk70::TagEditorRules
