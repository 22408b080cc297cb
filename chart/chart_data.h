// A data set of a chart: rows of double values in a fixed number of columns.  Line
// plots read it; many plots may share one (through std::shared_ptr).
#pragma once

namespace tk70 {

class ChartData {
public:
    virtual ~ChartData() = default;

    virtual int columnCount() const = 0;
    virtual int rowCount() const = 0;
    // The value at a row (0 = the oldest held) and column; 0 outside the data.
    virtual double value(int row, int column) const = 0;

    // The smallest and largest value of a column over the rows held; 0 when there are
    // no rows or the column does not exist.
    double columnMinimum(int column) const;
    double columnMaximum(int column) const;
};

}  // namespace tk70
