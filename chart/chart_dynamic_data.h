// A dynamic data set: a ring of a fixed row capacity.  Rows are appended at the end;
// appending past the capacity drops the oldest row, so row 0 is always the oldest held.
#pragma once

#include "chart/chart_data.h"

#include <initializer_list>
#include <span>
#include <vector>

namespace tk70 {

class ChartDynamicData : public ChartData {
public:
    ChartDynamicData(int columns, int capacity);

    int columnCount() const override { return m_columns; }
    int rowCount() const override { return m_count; }
    double value(int row, int column) const override;

    int capacity() const { return m_capacity; }
    // Appends one row; missing columns are 0, extra values are ignored.
    void append(std::span<const double> row);
    void append(std::initializer_list<double> row) { append(std::span<const double>(row.begin(), row.size())); }
    // Rewrites a value held (row 0 = the oldest); ignored outside the data.
    void setValue(int row, int column, double value);
    // Drops every row.
    void clear();
    // How many rows were appended since creation or the last clear (dropped ones included).
    long long appendedCount() const { return m_appended; }

private:
    int slot(int row) const { return (m_first + row) % m_capacity; }

    int m_columns;
    int m_capacity;
    int m_first = 0;  // slot of row 0
    int m_count = 0;
    long long m_appended = 0;
    std::vector<double> m_values;  // capacity x columns, row-major by slot
};

}  // namespace tk70
