// The persistent content of a tag selection: everything a TSF stores (tag table, the ten
// trend graphs, the four collection groups, serial port and baud-rate indexes), with the
// new-document values and the reset operations.  Plain data: the document wraps it with
// its file handling, the TSF codec reads and writes it.
#pragma once

#include "tags/collection_group.h"
#include "tags/tag_table.h"
#include "tags/trend_graph.h"

#include <array>

namespace tk70 {

struct TagSelection {
    TagTable tags;
    std::array<TrendGraph, TrendGraph::kGraphCount> graphs;
    std::array<CollectionGroup, kCollectionGroupCount> groups;
    qint32 serialPortIndex = kDefaultSerialPortIndex;
    qint32 baudRateIndex = kDefaultBaudRateIndex;

    // Constructed with the new-document values.
    TagSelection();

    // Every tag slot free, tag count 0.
    void resetTags() { tags.reset(); }
    // Every graph back to its new-document values.
    void resetGraphs();
    // Groups and the two serial link indexes back to their new-document values.
    void resetGroupsAndLink();

    // Whether one of the ten graphs draws tagname among its traces in use.
    bool isTagInTrendUse(QStringView tagname) const;

    bool operator==(const TagSelection &) const = default;
};

}  // namespace tk70
