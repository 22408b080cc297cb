// The points of one load of a historical graph, at most 240: per point its time stamp
// text and per trace the raw value, the plotted value (percent of the trace's span) and
// the quality flag.  It is the plotted data set of the graph's line plots; raw() gives
// the raw values as a data set of their own for Auto Fit.
#pragma once

#include "chart/chart_data.h"
#include "trend/historyview/history_source.h"
#include "trend/realtime/trace_scale.h"

#include <deque>
#include <vector>

namespace tk70 {

class HistoryPoints : public ChartData {
public:
    explicit HistoryPoints(int traces) : m_raw(*this), m_traces(traces) {}
    HistoryPoints(const HistoryPoints &) = delete;
    HistoryPoints &operator=(const HistoryPoints &) = delete;

    int columnCount() const override { return m_traces; }
    int rowCount() const override { return static_cast<int>(m_points.size()); }
    // The plotted value.
    double value(int row, int column) const override;

    double raw(int row, int column) const;
    bool isBad(int row, int column) const;
    const QString &date(int row) const { return m_points.at(static_cast<size_t>(row)).point.date; }
    const QString &time(int row) const { return m_points.at(static_cast<size_t>(row)).point.time; }
    // The record (counted from the start of data) the point came from.
    long long record(int row) const { return m_points.at(static_cast<size_t>(row)).point.record; }
    const ChartData &raw() const { return m_raw; }

    void clear() { m_points.clear(); }
    // Appends a point plotted with the traces' scales.
    void append(const HistorySample &point, const std::vector<TraceScale> &scales);
    // Drops the oldest points (the replay's scrolling).
    void dropOldest(int count);
    // Recomputes one trace's plotted values from its raw values.
    void replot(int column, const TraceScale &scale);

private:
    struct Stored {
        HistorySample point;
        std::vector<double> plotted;
    };
    class RawView : public ChartData {
    public:
        explicit RawView(const HistoryPoints &points) : m_points(points) {}
        int columnCount() const override { return m_points.columnCount(); }
        int rowCount() const override { return m_points.rowCount(); }
        double value(int row, int column) const override { return m_points.raw(row, column); }

    private:
        const HistoryPoints &m_points;
    };

    bool contains(int row, int column) const;

    RawView m_raw;
    int m_traces;
    std::deque<Stored> m_points;
};

}  // namespace tk70
