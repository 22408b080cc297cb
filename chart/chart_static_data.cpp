// A static data set: see chart_static_data.h.
#include "chart/chart_static_data.h"

#include <algorithm>

namespace tk70 {

ChartStaticData::ChartStaticData(int columns, int rows)
    : m_columns(std::max(columns, 0)), m_rows(std::max(rows, 0)),
      m_values(static_cast<size_t>(m_columns) * static_cast<size_t>(m_rows), 0.0)
{
}

double ChartStaticData::value(int row, int column) const
{
    if (row < 0 || row >= m_rows || column < 0 || column >= m_columns)
        return 0.0;
    return m_values[static_cast<size_t>(row) * static_cast<size_t>(m_columns) + static_cast<size_t>(column)];
}

void ChartStaticData::setValue(int row, int column, double value)
{
    if (row < 0 || row >= m_rows || column < 0 || column >= m_columns)
        return;
    m_values[static_cast<size_t>(row) * static_cast<size_t>(m_columns) + static_cast<size_t>(column)] = value;
}

void ChartStaticData::setRowCount(int rows)
{
    m_rows = std::max(rows, 0);
    m_values.resize(static_cast<size_t>(m_rows) * static_cast<size_t>(m_columns), 0.0);
}

}  // namespace tk70
