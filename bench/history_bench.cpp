// Speed of the historical data file reader against `wc -l`: writes a large ASCII data
// file of 30 tags through the collection's own ASCII layout (1 GB unless a size in MB is
// given; the folder comes from TMPDIR), then in one run times `wc -l` on it, the open with
// the Auto Fit load of the whole file, a zoom into its last tenth and the Restore, and
// prints each against its goal, with the size of the line index and the memory the open
// file holds besides it.
#include "bench/bench_timer.h"
#include "collect/datafile/text_layout.h"
#include "trend/history/historical_file.h"

#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <numeric>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char **environ;

namespace {

constexpr int kTags = 30;
constexpr int kRuns = 3;  // the best of three, so a stray disk or scheduler stall does not count

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
    if (!file.open(QIODevice::WriteOnly)) {
        std::fprintf(stderr, "history-bench: cannot write %s\n", qPrintable(path));
        std::exit(1);
    }
    QByteArray header = layout->header({start, QStringLiteral("/bench/plant.tsf"), 1, {}}, columns);
    header.replace("\n", "\r\n");
    file.write(header);
    while (file.size() < bytes)
        file.write(hour);
}

// Seconds `wc -l` takes on the file, its output sent to /dev/null.
double wcLines(const QString &path)
{
    const QByteArray file = QFile::encodeName(path);
    char wc[] = "wc", lines[] = "-l";
    char *argv[] = {wc, lines, const_cast<char *>(file.constData()), nullptr};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    const tk70::bench::Stopwatch watch;
    pid_t pid = 0;
    int status = 0;
    if (posix_spawnp(&pid, "wc", &actions, nullptr, argv, environ) != 0 || waitpid(pid, &status, 0) != pid ||
        !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "history-bench: wc -l failed\n");
        std::exit(1);
    }
    const double seconds = watch.microseconds() / 1e6;
    posix_spawn_file_actions_destroy(&actions);
    return seconds;
}

// The program's resident memory now, in MB; 0 when the system does not tell.
double residentMegabytes()
{
    std::FILE *statm = std::fopen("/proc/self/statm", "r");
    long pages = 0, resident = 0;
    const bool read = statm && std::fscanf(statm, "%ld %ld", &pages, &resident) == 2;
    if (statm)
        std::fclose(statm);
    return read ? double(resident) * double(sysconf(_SC_PAGESIZE)) / (1 << 20) : 0.0;
}

// The best of kRuns runs of a timed step, in seconds.
template <typename Step>
double best(Step step)
{
    double seconds = 1e9;
    for (int run = 0; run < kRuns; ++run) {
        const tk70::bench::Stopwatch watch;
        step();
        seconds = std::min(seconds, watch.microseconds() / 1e6);
    }
    return seconds;
}

void report(const char *what, double seconds, const char *goal, bool met, size_t points)
{
    std::printf("%-34s %8.3f s  %-24s %-4s %zu points\n", what, seconds, goal, met ? "met" : "MISSED", points);
}

}  // namespace

int main(int argc, char **argv)
{
    const qint64 megabytes = argc > 1 ? std::atoll(argv[1]) : 1024;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("history.txt"));
    writeFile(path, megabytes << 20);
    const double size = double(QFile(path).size()) / (1 << 20);
    std::printf("history-bench: %.0f MB ASCII data file, %d tags\n", size, kTags);

    wcLines(path);  // the file into the page cache, for both the same
    const double wc = best([&] { wcLines(path); });
    std::printf("%-34s %8.3f s  %8.1f MB/s\n", "wc -l", wc, size / wc);

    std::vector<int> columns(kTags);
    std::iota(columns.begin(), columns.end(), 0);
    const double memoryBefore = residentMegabytes();
    std::unique_ptr<tk70::HistoricalFile> file;
    size_t points = 0;
    const double autoFit = best([&] {
        file = tk70::HistoricalFile::open(path, tk70::HistoryFileKind::Ascii);
        points = file ? file->autoFitLoad(0, 0, columns).points.size() : 0;
    });
    if (!file)
        return 1;
    char goal[64];
    std::snprintf(goal, sizeof goal, "%.2f x wc -l (<= 1.5)", autoFit / wc);
    report("open + Auto Fit of the whole file", autoFit, goal, autoFit <= 1.5 * wc, points);

    const qint64 records = file->countRecords();
    const double zoom = best([&] { points = file->autoFitLoad(records * 9 / 10, records, columns).points.size(); });
    report("zoom into the last tenth", zoom, "< 0.2 s", zoom < 0.2, points);
    const double restore = best([&] { points = file->autoFitLoad(0, 0, columns).points.size(); });
    report("Restore", restore, "< 0.2 s", restore < 0.2, points);

    const double indexBytes = double(file->indexBytes());
    const double perRecords = indexBytes / (double(records) / 64.0);
    std::printf("line index: %.2f MB, %.2f bytes per 64 records (goal <= 8: %s)\n", indexBytes / (1 << 20), perRecords,
                perRecords <= 8.0 ? "met" : "MISSED");
    std::printf("memory the open file holds beyond its index: %.1f MB\n",
                residentMegabytes() - memoryBefore - indexBytes / (1 << 20));
    return 0;
}
