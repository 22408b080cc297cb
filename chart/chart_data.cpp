// Column minimum and maximum of any data set: see chart_data.h.
#include "chart/chart_data.h"

#include <algorithm>

namespace tk70 {

namespace {

template <typename Pick>
double columnExtreme(const ChartData &data, int column, Pick pick)
{
    const int rows = data.rowCount();
    if (rows == 0 || column < 0 || column >= data.columnCount())
        return 0.0;
    double extreme = data.value(0, column);
    for (int row = 1; row < rows; ++row)
        extreme = pick(extreme, data.value(row, column));
    return extreme;
}

}  // namespace

double ChartData::columnMinimum(int column) const
{
    return columnExtreme(*this, column, [](double a, double b) { return std::min(a, b); });
}

double ChartData::columnMaximum(int column) const
{
    return columnExtreme(*this, column, [](double a, double b) { return std::max(a, b); });
}

}  // namespace tk70
