// Tags for trend traces, without widgets: looking a typed tagname up in the tag list
// (exact, case-sensitive), the description a trace takes from its tag, and the rows
// and answer of the "Tag List" picker.
#pragma once

#include "tags/tag_table.h"

#include <QString>
#include <optional>
#include <vector>

namespace tk70::TrendTagLookup {

// The tag named exactly name among the document's tags, or nothing.
std::optional<TagRecord> findTag(const TagTable &tags, const QString &name);
// The description a trace takes from a tag description: its first 32 characters.
QString traceDescription(const QString &tagDescription);

// One row of the picker's list.
struct PickerRow {
    QString tagname;
    QString description;
    QString address;  // "%02d-%02d-%02d-%04d"

    bool operator==(const PickerRow &) const = default;
};
// Every tagname of the list, sorted ascending as a sorted list sorts (ignoring letter
// case); each row shows the description and address of the last tag of its name.
std::vector<PickerRow> pickerRows(const TagTable &tags);
// The description that goes with a chosen tagname: the first tag's of that name, or
// "Descrption of <name>" when no tag has it.
QString pickedDescription(const TagTable &tags, const QString &tagname);

}  // namespace tk70::TrendTagLookup
