// A static data set: columns of doubles the program fills and rewrites at will.
#pragma once

#include "chart/chart_data.h"

#include <vector>

namespace tk70 {

class ChartStaticData : public ChartData {
public:
    // columns x rows values, all 0.
    ChartStaticData(int columns, int rows);

    int columnCount() const override { return m_columns; }
    int rowCount() const override { return m_rows; }
    double value(int row, int column) const override;

    // Writes one value; ignored outside the data.
    void setValue(int row, int column, double value);
    // Changes the row count, keeping the values of the rows that remain (new rows are 0).
    void setRowCount(int rows);

private:
    int m_columns;
    int m_rows;
    std::vector<double> m_values;  // row-major
};

}  // namespace tk70
