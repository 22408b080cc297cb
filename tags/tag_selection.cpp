// Tag selection content: see tag_selection.h.
#include "tags/tag_selection.h"

namespace tk70 {

TagSelection::TagSelection()
{
    resetGraphs();
    resetGroupsAndLink();
}

void TagSelection::resetGraphs()
{
    for (int g = 0; g < TrendGraph::kGraphCount; ++g)
        graphs[g] = TrendGraph::newGraph(g + 1);
}

void TagSelection::resetGroupsAndLink()
{
    for (int g = 0; g < kCollectionGroupCount; ++g)
        groups[g] = CollectionGroup::newGroup(g);
    serialPortIndex = kDefaultSerialPortIndex;
    baudRateIndex = kDefaultBaudRateIndex;
}

bool TagSelection::isTagInTrendUse(QStringView tagname) const
{
    for (const TrendGraph &graph : graphs) {
        if (graph.usesTag(tagname))
            return true;
    }
    return false;
}

}  // namespace tk70
