// The tag table of a tag selection: 30 slots kept as parallel fixed arrays (tagnames,
// descriptions, loops, PCUs, modules, blocks, point types, and four membership flags per
// slot), the tag count and the capacity.  Tags occupy slots from the first; slot i
// (0-based) is driver slot i + 1 and the user's tag number i + 1.
#pragma once

#include "core/product.h"
#include "tags/tag_record.h"

#include <QString>
#include <array>

namespace tk70 {

class TagTable {
public:
    static constexpr int kCapacity = kTagCapacity;

    TagTable() { reset(); }

    int count() const { return m_count; }
    // Sets the tag count, kept within 0 to the capacity.
    void setCount(int count);
    int capacity() const { return kCapacity; }

    // Slots are 0-based, 0 to capacity - 1; a slot outside that range throws
    // std::out_of_range (a programming error, never a file's fault).
    TagRecord record(int slot) const;
    void setRecord(int slot, const TagRecord &record);
    const QString &tagname(int slot) const { return m_tagnames.at(slot); }
    // Puts the free-slot values into one slot; the count is left alone.
    void resetSlot(int slot);
    // Every slot free, count 0.
    void reset();

    // The first slot below the count whose tagname equals name exactly (case-sensitive),
    // or -1; an empty name is never found.
    int find(QStringView name) const;

    bool operator==(const TagTable &) const = default;

private:
    template <typename T>
    using Slots = std::array<T, kCapacity>;

    Slots<QString> m_tagnames;
    Slots<QString> m_descriptions;
    Slots<qint32> m_loops{};
    Slots<qint32> m_pcus{};
    Slots<qint32> m_modules{};
    Slots<qint32> m_blocks{};
    Slots<qint32> m_pointTypes{};
    Slots<std::array<qint32, kCollectionGroupCount>> m_groups{};
    int m_count = 0;
};

}  // namespace tk70
