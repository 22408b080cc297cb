// Where a historical graph gets its points: the data records of a collection's file,
// read for the graph's traces.  The file reader implements it; tests give a table.
// Records are counted from the start of data (record 0 is the first data line), so a
// reader that keeps an index can seek a zoom range without reading the file again.
#pragma once

#include <QString>
#include <vector>

namespace tk70 {

// One data record for the traces: its time stamp and per trace the raw value and
// whether its quality is bad.
struct HistorySample {
    long long record = 0;  // counted from the start of data
    QString date;          // "MM/DD/YY"; empty for a file without dates
    QString time;          // "HH:MM:SS"
    std::vector<double> values;
    std::vector<bool> bad;
};

class HistorySource {
public:
    virtual ~HistorySource() = default;

    // The number of records the file holds now: counted again at each call, so that a
    // whole-file load shows what a running collection has appended since.
    virtual long long recordCount() = 0;
    // Clears the end-of-file state and goes to record `record`.
    virtual void seek(long long record) = 0;
    // The record the next read starts from.
    virtual long long position() const = 0;
    // Skips `records` records; false when the file ended first.
    virtual bool skip(long long records) = 0;
    // Reads the next record for the traces' file columns (-1: a trace without a column,
    // read as no value); false at the end of the file.
    virtual bool read(const std::vector<int> &columns, HistorySample &point) = 0;
};

}  // namespace tk70
