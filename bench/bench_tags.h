// The tag selection the benchmark programs run on: a new document whose first slots hold
// the tags they collect, trend or show.
#pragma once

#include "tags/tag_doc.h"

namespace tk70::bench {

// Makes document new and fills slots 0 to count - 1 with tagOf(slot).
template <typename TagOf>
void fillTags(tk70::CTagDoc &document, int count, TagOf tagOf)
{
    document.newDocument();
    for (int slot = 0; slot < count; ++slot)
        document.setTag(slot, tagOf(slot));
    document.tags().setCount(count);
}

// Tags named "TAG-1" onwards, nothing else set.
inline tk70::TagRecord numberedTag(int slot)
{
    tk70::TagRecord tag;
    tag.tagname = QStringLiteral("TAG-%1").arg(slot + 1);
    return tag;
}

}  // namespace tk70::bench
