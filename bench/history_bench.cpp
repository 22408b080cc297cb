// Speed of the historical data file reader: writes a large ASCII data file (30 tags,
// 256 MB unless a size in MB is given) through the collection's ASCII layout, then times
// a plain sequential read of it, the open with the first Auto Fit load, a zoom into the
// middle 5 % and the Restore, and prints the rates against the plain read.
#include "bench_timer.h"
#include "historical_file.h"
#include "text_layout.h"

#include <QFile>
#include <QTemporaryDir>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <numeric>

namespace {

constexpr int kTags = 30;

// The header and an hour of samples (one a second), repeated until the file has bytes.
void writeFile(const QString &path, qint64 bytes)
{
    const auto layout = tk70::makeTextLayout(QStringLiteral("ASCII"));
    std::vector<tk70::DataColumn> columns;
    for (int k = 0; k < kTags; ++k)
        columns.push_back({k, QStringLiteral("TAG%1").arg(k), 1, 10, k, 1000 + k});
    const QDateTime start(QDate(2026, 12, 7), QTime(0, 0, 0));
    QByteArray hour;
    for (int s = 0; s < 3600; ++s) {
        hour += layout->stamp(start.addSecs(s));
        for (int k = 0; k < kTags; ++k)
            hour += layout->value({0, 50.0 + 40.0 * std::sin((s + 97 * k) / 300.0), (s + k) % 500 == 0});
        hour += "\r\n";
    }
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        std::exit(1);
    QByteArray header = layout->header({start, QStringLiteral("/bench/plant.tsf"), 1, {}}, columns);
    header.replace("\n", "\r\n");
    file.write(header);
    while (file.size() < bytes)
        file.write(hour);
}

// Seconds for a plain read of the whole file in 1 MiB blocks.
double plainRead(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        std::exit(1);
    QByteArray block(1 << 20, '\0');
    const tk70::bench::Stopwatch watch;
    while (file.read(block.data(), block.size()) > 0) {
    }
    return watch.microseconds() / 1e6;
}

void report(const char *what, double seconds, double megabytes, double plain, size_t points)
{
    std::printf("%-28s %8.3f s  %8.1f MB/s  %5.2f x plain read  %zu points\n", what, seconds, megabytes / seconds,
                seconds / plain, points);
}

}  // namespace

int main(int argc, char **argv)
{
    const qint64 megabytes = argc > 1 ? std::atoll(argv[1]) : 256;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("history.txt"));
    writeFile(path, megabytes << 20);
    const double size = double(QFile(path).size()) / (1 << 20);
    std::printf("history-bench: %.0f MB, %d tags\n", size, kTags);
    const double plain = plainRead(path);
    std::printf("%-28s %8.3f s  %8.1f MB/s\n", "plain sequential read", plain, size / plain);

    std::vector<int> columns(kTags);
    std::iota(columns.begin(), columns.end(), 0);
    tk70::bench::Stopwatch watch;
    const auto file = tk70::HistoricalFile::open(path, tk70::HistoryFileKind::Ascii);
    if (!file)
        return 1;
    size_t points = file->autoFitLoad(0, 0, columns).points.size();
    report("open + Auto Fit load", watch.microseconds() / 1e6, size, plain, points);

    const qint64 records = file->estimatedRecords();
    watch = {};
    points = file->autoFitLoad(records * 475 / 1000, records * 525 / 1000, columns).points.size();
    report("zoom into the middle 5 %", watch.microseconds() / 1e6, size, plain, points);

    watch = {};
    points = file->autoFitLoad(0, 0, columns).points.size();
    report("Restore", watch.microseconds() / 1e6, size, plain, points);
    return 0;
}
