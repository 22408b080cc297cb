// What the real-time trend tests build on: a document with tags and one trend graph, a
// table of readings the test fills per tag position, and a clock the test sets.
#pragma once

#include "collect/datafile/group_output.h"
#include "tags/tag_doc.h"
#include "tests/support/test_clock.h"

#include <QDateTime>
#include <vector>

namespace tk70test {

class TableReadings : public tk70::PointReadings {
public:
    explicit TableReadings(int tags) : m_readings(static_cast<size_t>(tags)) {}
    tk70::PointReading reading(int position) const override { return m_readings.at(static_cast<size_t>(position)); }
    void set(int position, double value, bool bad = false)
    {
        m_readings.at(static_cast<size_t>(position)) = tk70::PointReading{0, value, bad};
    }

private:
    std::vector<tk70::PointReading> m_readings;
};

// A document with tags TAG-1 .. TAG-<tags> and graph 1 drawing the named tags (a name
// missing from the list is kept as a trace), history length and interval as given.
inline void setUpDocument(tk70::CTagDoc &doc, int tags, const std::vector<QString> &traces, int history = 600,
                          double interval = 5.0)
{
    doc.newDocument();
    for (int i = 0; i < tags; ++i) {
        tk70::TagRecord tag;
        tag.tagname = QStringLiteral("TAG-%1").arg(i + 1);
        tag.description = QStringLiteral("Tag number %1").arg(i + 1);
        doc.setTag(i, tag);
    }
    doc.tags().setCount(tags);
    tk70::TrendGraph &graph = doc.graph(0);
    graph.historyLength = history;
    graph.sampleInterval = interval;
    graph.secondTitle = QStringLiteral("Boiler 2 feed");
    graph.traceCount = static_cast<int>(traces.size());
    for (size_t i = 0; i < traces.size(); ++i)
        graph.traces[i].tagname = traces[i];
}

}  // namespace tk70test
