// The points of a historical graph from an opened data file: see historical_file_source.h.
#include "trend/historyview/historical_file_source.h"

#include "trend/history/historical_file.h"

#include <cstddef>
#include <limits>

namespace tk70 {

long long HistoricalFileSource::recordCount() { return m_file.countRecords(); }

void HistoricalFileSource::seek(long long record) { m_file.seekRecord(record); }

long long HistoricalFileSource::position() const { return m_file.currentRecord(); }

bool HistoricalFileSource::skip(long long records)
{
    m_file.skipRecords(records);
    return true;
}

// A trace without a file column is read as no value (its line breaks), never bad; the
// reader is asked for the other columns only.
bool HistoricalFileSource::read(const std::vector<int> &columns, HistorySample &sample)
{
    std::vector<int> fileColumns;
    for (const int column : columns) {
        if (column >= 0)
            fileColumns.push_back(column);
    }
    const std::optional<HistoryPoint> point = m_file.readNext(fileColumns);
    if (!point)
        return false;
    sample.record = point->record;
    sample.date = point->date;
    sample.time = point->time;
    sample.values.assign(columns.size(), std::numeric_limits<double>::quiet_NaN());
    sample.bad.assign(columns.size(), false);
    size_t read = 0;
    for (size_t trace = 0; trace < columns.size() && read < point->values.size(); ++trace) {
        if (columns[trace] < 0)
            continue;
        sample.values[trace] = point->values[read].raw;
        sample.bad[trace] = point->values[read].bad;
        ++read;
    }
    return true;
}

}  // namespace tk70
