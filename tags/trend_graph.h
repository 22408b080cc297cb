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

    // The history lengths a graph runs with, and the sample intervals it takes.
    static constexpr std::array<qint32, 5> kHistoryLengths{360, 600, 1200, 1800, 2400};
    static constexpr double kMinSampleInterval = 1.0;
    static constexpr double kMaxSampleInterval = 600.0;

    // Kept as a file stores it; historyLengthInUse() is the length a graph runs with.
    qint32 historyLength = 600;  // samples
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
    // A stored history length as a graph runs it: the first of the five lengths that is
    // not below it, and 600 for one above 2400.
    static qint32 normalHistoryLength(qint32 stored);
    qint32 historyLengthInUse() const { return normalHistoryLength(historyLength); }
    // Whether the stored sample interval is one a graph may run at: a number of 1 to 600
    // seconds (a file from elsewhere may hold anything).
    bool sampleIntervalUsable() const;
    // The sample interval as a graph runs it: kept within 1 to 600 seconds, and 5 for
    // one that is no number.
    double sampleIntervalInUse() const;
    // Whether one of the traces in use draws tagname (exact, case-sensitive).
    bool usesTag(QStringView tagname) const;

    bool operator==(const TrendGraph &) const = default;
};

}  // namespace tk70
