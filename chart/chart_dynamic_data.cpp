// A dynamic data set, a ring of rows: see chart_dynamic_data.h.
#include "chart/chart_dynamic_data.h"

#include <algorithm>

namespace tk70 {

ChartDynamicData::ChartDynamicData(int columns, int capacity)
    : m_columns(std::max(columns, 0)), m_capacity(std::max(capacity, 1)),
      m_values(static_cast<size_t>(m_columns) * static_cast<size_t>(m_capacity), 0.0)
{
}

double ChartDynamicData::value(int row, int column) const
{
    if (row < 0 || row >= m_count || column < 0 || column >= m_columns)
        return 0.0;
    return m_values[static_cast<size_t>(slot(row)) * static_cast<size_t>(m_columns) + static_cast<size_t>(column)];
}

void ChartDynamicData::append(std::span<const double> row)
{
    int target;
    if (m_count < m_capacity) {
        target = slot(m_count);
        ++m_count;
    } else {
        target = m_first;  // the oldest row makes way
        m_first = (m_first + 1) % m_capacity;
    }
    double *values = m_values.data() + static_cast<size_t>(target) * static_cast<size_t>(m_columns);
    const size_t given = std::min(row.size(), static_cast<size_t>(m_columns));
    std::copy_n(row.begin(), given, values);
    std::fill(values + given, values + m_columns, 0.0);
    ++m_appended;
}

void ChartDynamicData::setValue(int row, int column, double value)
{
    if (row < 0 || row >= m_count || column < 0 || column >= m_columns)
        return;
    m_values[static_cast<size_t>(slot(row)) * static_cast<size_t>(m_columns) + static_cast<size_t>(column)] = value;
}

void ChartDynamicData::clear()
{
    m_first = 0;
    m_count = 0;
    m_appended = 0;
}

}  // namespace tk70
