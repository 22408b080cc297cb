// Trend graph definitions: see trend_graph.h.
#include "trend_graph.h"

#include <algorithm>

namespace tk70 {

TrendGraph TrendGraph::newGraph(int number)
{
    TrendGraph graph;
    graph.title = QString::asprintf("TK70 Pro Trend Graph #%d", number);
    return graph;
}

int TrendGraph::tracesInUse() const { return std::clamp(int(traceCount), 0, kMaxTraces); }

bool TrendGraph::usesTag(QStringView tagname) const
{
    const int used = tracesInUse();
    for (int t = 0; t < used; ++t) {
        if (traces[t].tagname == tagname)
            return true;
    }
    return false;
}

}  // namespace tk70
