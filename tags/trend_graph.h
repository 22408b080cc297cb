// Trend graph definitions of a tag selection: the ten graphs, each with up to twelve
// traces, their titles, sample interval and history length.
#pragma once

#include <QString>
#include <array>

namespace tk70 {

// One trace of a graph: the tag it draws and the value range shown as 0 to 100 %.
struct TrendTrace {
    QString tagname;
    double zero = 0.0;
    double span = 100.0;
    QString description;

    bool operator==(const TrendTrace &) const = default;
};

struct TrendGraph {
    static constexpr int kMaxTraces = 12;
    static constexpr int kGraphCount = 10;  // graphs per document

    qint32 historyLength = 600;   // samples
    // Traces in use are positions 0 to traceCount - 1.  Kept as a file stores it, even
    // outside 0 to 12; tracesInUse() is the number that may be touched.
    qint32 traceCount = 0;
    double sampleInterval = 5.0;  // seconds
    std::array<TrendTrace, kMaxTraces> traces;
    QString title;
    QString secondTitle;

    // The new-document graph with number 1 to 10: title "TK70 Pro Trend Graph #<number>".
    static TrendGraph newGraph(int number);

    // traceCount kept within 0 to 12.
    int tracesInUse() const;
    // Whether one of the traces in use draws tagname (exact, case-sensitive).
    bool usesTag(QStringView tagname) const;

    bool operator==(const TrendGraph &) const = default;
};

}  // namespace tk70
