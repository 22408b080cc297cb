// The points of a historical graph from an opened data file: the file reader behind the
// view's source interface.  Seeking goes through the reader's line index, so a zoom or
// a Restore does not read the file from its start again.
#pragma once

#include "trend/historyview/history_source.h"

namespace tk70 {

class HistoricalFile;

class HistoricalFileSource : public HistorySource {
public:
    explicit HistoricalFileSource(HistoricalFile &file) : m_file(file) {}

    long long recordCount() override;
    void seek(long long record) override;
    long long position() const override;
    // The reader only counts skipped records; an end of file inside them shows at the
    // next read, so this reports none.
    bool skip(long long records) override;
    bool read(const std::vector<int> &columns, HistorySample &sample) override;

private:
    HistoricalFile &m_file;
};

}  // namespace tk70
