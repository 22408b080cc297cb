// Fuzzes the historical data file reader with arbitrary bytes as a file, read as an
// ASCII and as a TK70 (DOS) data file: the header checks, the line scanner with its
// offset index, and both layouts' sample line parsers.  A refused file is fine; an
// opened one must keep at most 240 points in a load, each with one value per asked
// column, at strictly rising records within the load's range, and a zoom or a replay
// read after the first load must agree with the index it built.
#include "fuzz/silent_sink.h"
#include "trend/history/historical_file.h"

#include <QFile>
#include <QTemporaryDir>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <numeric>

namespace {

void require(bool sound)
{
    if (!sound)
        std::abort();
}

void checkLoad(const tk70::HistoryLoad &load, size_t columns)
{
    require(load.points.size() <= size_t(tk70::HistoricalFile::kMaxPoints));
    qint64 previous = -1;
    for (const tk70::HistoryPoint &point : load.points) {
        require(point.values.size() == columns);
        require(point.record > previous && point.record >= load.first && point.record < load.last);
        previous = point.record;
    }
}

void readFile(const QString &path, tk70::HistoryFileKind kind)
{
    const auto file = tk70::HistoricalFile::open(path, kind);
    if (!file)
        return;
    std::vector<int> columns(file->columns().size());
    std::iota(columns.begin(), columns.end(), 0);
    columns.push_back(int(columns.size()) + 3);  // a column past every line
    const tk70::HistoryLoad whole = file->autoFitLoad(0, 0, columns);
    checkLoad(whole, columns.size());
    // The second half again, now through the index the first load built.
    const qint64 records = file->countRecords();
    const tk70::HistoryLoad zoom = file->autoFitLoad(records / 2, records, columns);
    checkLoad(zoom, columns.size());
    // A 3:1 replay from the start.
    file->seekRecord(0);
    for (int step = 0; step < 64; ++step) {
        const auto point = file->readNext(columns);
        if (!point)
            break;
        require(point->values.size() == columns.size());
        file->skipRecords(2);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    tk70fuzz::silenceMessages();
    static QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("history.txt"));
    std::FILE *out = std::fopen(QFile::encodeName(path).constData(), "wb");
    if (!out)
        return 0;
    std::fwrite(data, 1, size, out);
    std::fclose(out);
    readFile(path, tk70::HistoryFileKind::Ascii);
    readFile(path, tk70::HistoryFileKind::Dos);
    return 0;
}
