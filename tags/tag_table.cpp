// The tag table: see tag_table.h.
#include "tags/tag_table.h"

#include <algorithm>

namespace tk70 {

void TagTable::setCount(int count) { m_count = std::clamp(count, 0, kCapacity); }

TagRecord TagTable::record(int slot) const
{
    TagRecord tag;
    tag.tagname = m_tagnames.at(slot);
    tag.description = m_descriptions.at(slot);
    tag.loop = m_loops.at(slot);
    tag.pcu = m_pcus.at(slot);
    tag.module = m_modules.at(slot);
    tag.block = m_blocks.at(slot);
    tag.pointType = m_pointTypes.at(slot);
    tag.groups = m_groups.at(slot);
    return tag;
}

void TagTable::setRecord(int slot, const TagRecord &tag)
{
    m_tagnames.at(slot) = tag.tagname;
    m_descriptions.at(slot) = tag.description;
    m_loops.at(slot) = tag.loop;
    m_pcus.at(slot) = tag.pcu;
    m_modules.at(slot) = tag.module;
    m_blocks.at(slot) = tag.block;
    m_pointTypes.at(slot) = tag.pointType;
    m_groups.at(slot) = tag.groups;
}

void TagTable::resetSlot(int slot) { setRecord(slot, TagRecord{}); }

void TagTable::reset()
{
    for (int slot = 0; slot < kCapacity; ++slot)
        resetSlot(slot);
    m_count = 0;
}

int TagTable::find(QStringView name) const
{
    if (name.isEmpty())
        return -1;
    for (int slot = 0; slot < m_count; ++slot) {
        if (m_tagnames[slot] == name)
            return slot;
    }
    return -1;
}

}  // namespace tk70
