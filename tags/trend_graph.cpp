// Trend graph definitions: see trend_graph.h.
#include "tags/trend_graph.h"

#include <algorithm>
#include <cmath>

namespace tk70 {

TrendGraph TrendGraph::newGraph(int number)
{
    TrendGraph graph;
    graph.title = QString::asprintf("TK70 Pro Trend Graph #%d", number);
    return graph;
}

int TrendGraph::tracesInUse() const { return std::clamp(int(traceCount), 0, kMaxTraces); }

qint32 TrendGraph::normalHistoryLength(qint32 stored)
{
    for (qint32 length : kHistoryLengths) {
        if (stored <= length)
            return length;
    }
    return 600;
}

bool TrendGraph::sampleIntervalUsable() const
{
    return sampleInterval >= kMinSampleInterval && sampleInterval <= kMaxSampleInterval;  // false for NaN
}

double TrendGraph::sampleIntervalInUse() const
{
    if (std::isnan(sampleInterval))
        return 5.0;
    return std::clamp(sampleInterval, kMinSampleInterval, kMaxSampleInterval);
}

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
