// collect-bench: what writing data costs.  For each text file type, the time to write
// one sample line of 30 tags (values of every magnitude, some bad quality, one point
// error) into a real file in a temporary folder, flushes included, in microseconds per
// line; and the time of one whole sample tick of a group through the collection run.
#include "bench_tags.h"
#include "bench_timer.h"
#include "clock.h"
#include "collection_run.h"
#include "group_output.h"
#include "tag_doc.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <cstdio>

namespace {

constexpr int kTags = 30;
constexpr int kLines = 100000;

class BenchReadings : public tk70::PointReadings {
public:
    tk70::PointReading reading(int position) const override
    {
        static const double values[] = {1234.5, 0.05, -5.0, 123456789.0, 42.125, 0.0};
        return {position == 7 ? 12 : 0, values[position % 6] * (1 + position), position % 5 == 0};
    }
};

std::vector<tk70::DataColumn> columns()
{
    std::vector<tk70::DataColumn> out;
    for (int i = 0; i < kTags; ++i)
        out.push_back({i, QStringLiteral("TAG-%1").arg(i + 1), 1, 2, 3, 100 + i});
    return out;
}

double microsecondsPerLine(const char *type, const QString &path)
{
    auto output = tk70::makeTextGroupOutput(QString::fromLatin1(type));
    if (!output || !output->open(path, false, tk70::OverwritePolicy::Overwrite))
        return -1;
    const auto cols = columns();
    const BenchReadings readings;
    output->writeHeader({QDateTime::currentDateTime(), QStringLiteral("/plant/unit4.tsf"), 1, {}}, cols);
    const QDateTime stamp = QDateTime::currentDateTime();
    const tk70::bench::Stopwatch stopwatch;
    for (int n = 0; n < kLines; ++n)
        output->writeSample(stamp, cols, readings);
    output->close();
    return stopwatch.microseconds() / kLines;
}

class FixedClock : public tk70::Clock {
public:
    QDateTime now() const override { return m_now; }
    QDateTime m_now = QDateTime::currentDateTime();
};

// A group of 30 tags sampled through the run: window, inhibit and rollover decisions
// plus the line itself.
double microsecondsPerTick(const QString &folder)
{
    tk70::CTagDoc doc;
    tk70::bench::fillTags(doc, kTags, tk70::bench::numberedTag);
    doc.group(0).fileName = folder + QStringLiteral("/run.txt");
    doc.group(0).rolloverHours = 4;
    doc.group(0).saveInhibitTag = QStringLiteral("TAG-29");
    const BenchReadings readings;
    const FixedClock clock;
    tk70::CollectionRun run(doc, readings, clock);
    if (!run.openOutputs(tk70::OverwritePolicy::Overwrite))
        return -1;
    const tk70::bench::Stopwatch stopwatch;
    for (int n = 0; n < kLines; ++n)
        run.sampleTick(0);
    run.closeAll();
    return stopwatch.microseconds() / kLines;
}

}  // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    if (!dir.isValid())
        return 1;
    for (const char *type : {"ASCII", "CSV", "TK70 (DOS)"})
        std::printf("%-11s sample line, %d tags: %7.2f us/line\n", type, kTags,
                    microsecondsPerLine(type, dir.filePath(QStringLiteral("bench.txt"))));
    std::printf("Sample tick through the collection run, ASCII, %d tags: %7.2f us/tick\n", kTags,
                microsecondsPerTick(dir.path()));
    return 0;
}
