// Tags for trend traces: see trend_tag_lookup.h.
#include "trend/setup/trend_tag_lookup.h"

#include "trend/setup/trend_setup_rules.h"

#include <algorithm>

namespace tk70::TrendTagLookup {

std::optional<TagRecord> findTag(const TagTable &tags, const QString &name)
{
    const int slot = tags.find(name);
    if (slot < 0)
        return std::nullopt;
    return tags.record(slot);
}

QString traceDescription(const QString &tagDescription)
{
    return tagDescription.left(TrendSetupRules::kDescriptionMaxChars);
}

std::vector<PickerRow> pickerRows(const TagTable &tags)
{
    std::vector<PickerRow> rows;
    for (int slot = 0; slot < tags.count(); ++slot) {
        if (!tags.tagname(slot).isEmpty())
            rows.push_back(PickerRow{tags.tagname(slot), {}, {}});
    }
    std::stable_sort(rows.begin(), rows.end(), [](const PickerRow &a, const PickerRow &b) {
        return a.tagname.compare(b.tagname, Qt::CaseInsensitive) < 0;
    });
    for (PickerRow &row : rows) {
        for (int slot = 0; slot < tags.count(); ++slot) {
            if (tags.tagname(slot) != row.tagname)
                continue;
            const TagRecord tag = tags.record(slot);
            row.description = tag.description;
            row.address = tag.addressText();
        }
    }
    return rows;
}

QString pickedDescription(const TagTable &tags, const QString &tagname)
{
    const auto tag = findTag(tags, tagname);
    return tag ? tag->description : QStringLiteral("Descrption of ") + tagname;
}

}  // namespace tk70::TrendTagLookup
