// collect-bench: what writing data costs.  For each text file type, the time to write
// one sample line of 30 tags (values of every magnitude, some bad quality, one point
// error) into a real file in a temporary folder, flushes included, in microseconds per
// line; the time of one whole sample tick of a group through the collection run; and
// the tick of a database group, free and while another connection holds the file's
// write lock (mean and worst: the worst is what the event loop waits), with the tick
// that writes what waited once the lock goes.
#include "bench/bench_tags.h"
#include "bench/bench_timer.h"
#include "collect/collection_run.h"
#include "collect/datafile/group_output.h"
#include "core/clock.h"
#include "tags/tag_doc.h"

#include <QCoreApplication>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <algorithm>
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

// Stands still unless advanced, a second at a time.
class BenchClock : public tk70::Clock {
public:
    QDateTime now() const override { return m_now; }
    void advance() { m_now = m_now.addSecs(1); }

private:
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
    const BenchClock clock;
    tk70::CollectionRun run(doc, readings, clock);
    if (!run.openOutputs(tk70::OverwritePolicy::Overwrite))
        return -1;
    const tk70::bench::Stopwatch stopwatch;
    for (int n = 0; n < kLines; ++n)
        run.sampleTick(0);
    run.closeAll();
    return stopwatch.microseconds() / kLines;
}

struct TickTimes {
    double meanMs = -1;
    double worstMs = -1;
};

// Times ticks sample ticks of group 1, in milliseconds.
TickTimes timeTicks(tk70::CollectionRun &run, BenchClock &clock, int ticks)
{
    TickTimes times{0, 0};
    for (int n = 0; n < ticks; ++n) {
        clock.advance();
        const tk70::bench::Stopwatch stopwatch;
        run.sampleTick(0);
        const double ms = stopwatch.microseconds() / 1000.0;
        times.meanMs += ms / ticks;
        times.worstMs = std::max(times.worstMs, ms);
    }
    return times;
}

// Another program's write transaction on path while it lives.
class ForeignLock {
public:
    explicit ForeignLock(const QString &path)
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("foreign"));
        db.setDatabaseName(path);
        m_held = db.open() && QSqlQuery(db).exec(QStringLiteral("BEGIN IMMEDIATE"));
    }
    ~ForeignLock()
    {
        {
            QSqlDatabase db = QSqlDatabase::database(QStringLiteral("foreign"), false);
            QSqlQuery(db).exec(QStringLiteral("COMMIT"));
            db.close();
        }
        QSqlDatabase::removeDatabase(QStringLiteral("foreign"));
    }
    bool held() const { return m_held; }

private:
    bool m_held = false;
};

constexpr int kDatabaseTicks = 2000;
constexpr int kLockedTicks = 300;

// A database group of 30 tags: free ticks, ticks under a foreign lock, the catch-up.
void databaseTicks(const QString &folder)
{
    tk70::CTagDoc doc;
    tk70::bench::fillTags(doc, kTags, tk70::bench::numberedTag);
    doc.group(0).fileType = QStringLiteral("SQLite");
    doc.group(0).fileName = folder + QStringLiteral("/run.db");
    const BenchReadings readings;
    BenchClock clock;
    tk70::CollectionRun run(doc, readings, clock);
    if (!run.openOutputs(tk70::OverwritePolicy::Overwrite))
        return;
    const TickTimes free = timeTicks(run, clock, kDatabaseTicks);
    std::printf("Database sample tick, %d tags: mean %.2f ms, worst %.2f ms\n", kTags, free.meanMs, free.worstMs);
    TickTimes locked;
    {
        const ForeignLock lock(doc.group(0).fileName);
        if (!lock.held())
            return;
        locked = timeTicks(run, clock, kLockedTicks);
    }
    std::printf("Database sample tick while another program holds the write lock: mean %.2f ms, worst %.2f ms "
                "(%lld waiting)\n",
                locked.meanMs, locked.worstMs, static_cast<long long>(run.group(0).counts.waiting));
    const TickTimes catchUp = timeTicks(run, clock, 1);
    std::printf("The tick after the lock goes, writing %d waiting samples: %.2f ms; %lld stored, %lld lost\n",
                kLockedTicks + 1, catchUp.worstMs, static_cast<long long>(run.group(0).counts.stored),
                static_cast<long long>(run.group(0).counts.lost));
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
    databaseTicks(dir.path());
    return 0;
}
