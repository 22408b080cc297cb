// The points of one historical load: see history_points.h.
#include "trend/historyview/history_points.h"

#include <algorithm>

namespace tk70 {

bool HistoryPoints::contains(int row, int column) const
{
    return row >= 0 && row < rowCount() && column >= 0 && column < m_traces;
}

double HistoryPoints::value(int row, int column) const
{
    return contains(row, column) ? m_points[static_cast<size_t>(row)].plotted[static_cast<size_t>(column)] : 0.0;
}

double HistoryPoints::raw(int row, int column) const
{
    if (!contains(row, column))
        return 0.0;
    const std::vector<double> &values = m_points[static_cast<size_t>(row)].point.values;
    return static_cast<size_t>(column) < values.size() ? values[static_cast<size_t>(column)] : 0.0;
}

bool HistoryPoints::isBad(int row, int column) const
{
    if (!contains(row, column))
        return false;
    const std::vector<bool> &bad = m_points[static_cast<size_t>(row)].point.bad;
    return static_cast<size_t>(column) < bad.size() && bad[static_cast<size_t>(column)];
}

void HistoryPoints::append(const HistorySample &point, const std::vector<TraceScale> &scales)
{
    Stored stored{point, std::vector<double>(static_cast<size_t>(m_traces), 0.0)};
    stored.point.values.resize(static_cast<size_t>(m_traces), 0.0);
    stored.point.bad.resize(static_cast<size_t>(m_traces), false);
    for (size_t trace = 0; trace < stored.plotted.size() && trace < scales.size(); ++trace)
        stored.plotted[trace] = plottedValue(stored.point.values[trace], scales[trace]);
    m_points.push_back(std::move(stored));
}

void HistoryPoints::dropOldest(int count)
{
    const auto drop = static_cast<std::ptrdiff_t>(std::clamp(count, 0, rowCount()));
    m_points.erase(m_points.begin(), m_points.begin() + drop);
}

void HistoryPoints::replot(int column, const TraceScale &scale)
{
    if (column < 0 || column >= m_traces)
        return;
    for (Stored &stored : m_points)
        stored.plotted[static_cast<size_t>(column)] =
            plottedValue(stored.point.values[static_cast<size_t>(column)], scale);
}

}  // namespace tk70
