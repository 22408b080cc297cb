// historian-bench: what the central historian costs and how fast it catches up, against a
// throwaway PostgreSQL server on this machine (or the one TK70_BENCH_HISTORIAN names).
//  1. 20 stations of 30 tags at 1 s, one spool and worker each, for 20 s: the values
//     that reached the server, and how long a sample took to get there.
//  2. The catch-up after an outage: one hour of one station's samples (108,000 values)
//     in its spool, forwarded; values per second.
//  3. The tick of a collection group of 30 tags (an ASCII file), alone and beside a
//     historian group while that catch-up runs: the historian must not slow collection.
#include "collect/datafile/group_output.h"
#include "collect/historian/historian_clock.h"
#include "collect/historian/historian_forwarder.h"
#include "collect/historian/historian_group_output.h"
#include "tools/pg_cluster.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
using tk70::utcMicroseconds;

constexpr int kTags = 30;
constexpr int kStations = 20;
constexpr int kLoadSeconds = 20;
constexpr std::int64_t kOutageValues = 108000;

double secondsSince(Clock::time_point start) { return std::chrono::duration<double>(Clock::now() - start).count(); }

tk70::HistorianSamples tick(const std::string &station, std::int64_t tsUs)
{
    tk70::HistorianSamples samples;
    for (int t = 0; t < kTags; ++t)
        samples.push_back({station, "TAG-" + std::to_string(t + 1), tsUs, 100.0 + t, t % 7 == 0, 0});
    return samples;
}

tk70::HistorianOptions optionsFor(const std::string &conninfo, const QTemporaryDir &dir, const std::string &name)
{
    tk70::HistorianOptions options;
    options.conninfo = conninfo;
    options.spoolPath = dir.filePath(QString::fromStdString(name) + ".spool").toStdString();
    return options;
}

bool waitDrained(const tk70::HistorianForwarder &forwarder, double limitSeconds)
{
    const auto start = Clock::now();
    while (secondsSince(start) < limitSeconds) {
        const tk70::HistorianState state = forwarder.state();
        if (state.online && state.waiting == 0)
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return false;
}

// Twenty stations at one tick a second each: every second, each hands over its tick.
void stationsAtOneSecond(const std::string &conninfo, const QTemporaryDir &dir)
{
    std::vector<std::unique_ptr<tk70::HistorianForwarder>> stations;
    for (int s = 0; s < kStations; ++s) {
        stations.push_back(
            std::make_unique<tk70::HistorianForwarder>(optionsFor(conninfo, dir, "load" + std::to_string(s))));
        if (!stations.back()->start()) {
            std::printf("station %d: %s\n", s, stations.back()->error().c_str());
            return;
        }
    }
    double worstLagMs = 0;
    const auto start = Clock::now();
    for (int second = 0; second < kLoadSeconds; ++second) {
        const std::int64_t ts = utcMicroseconds();
        for (int s = 0; s < kStations; ++s)
            stations[size_t(s)]->add(tick("unit" + std::to_string(s), ts));
        const auto handed = Clock::now();
        for (const auto &station : stations)
            waitDrained(*station, 10.0);
        worstLagMs = std::max(worstLagMs, secondsSince(handed) * 1000.0);
        std::this_thread::sleep_until(start + std::chrono::seconds(second + 1));
    }
    std::int64_t forwarded = 0;
    for (const auto &station : stations) {
        forwarded += station->state().forwarded;
        station->stop();
    }
    std::printf("%d stations x %d tags at 1 s for %d s: %lld values on the server (%lld sent), every tick "
                "there within %.0f ms\n",
                kStations, kTags, kLoadSeconds, static_cast<long long>(forwarded),
                static_cast<long long>(std::int64_t(kStations) * kTags * kLoadSeconds), worstLagMs);
}

// One hour of one station in its spool, as an outage leaves it.
bool fillSpool(const std::string &path)
{
    tk70::HistorianSpool spool;
    if (!spool.open(path))
        return false;
    const std::int64_t hourAgo = utcMicroseconds() - std::int64_t(3600) * 1000000;
    tk70::HistorianSamples batch;
    for (std::int64_t second = 0; second < kOutageValues / kTags; ++second) {
        const tk70::HistorianSamples one = tick("catchup", hourAgo + second * 1000000);
        batch.insert(batch.end(), one.begin(), one.end());
        if (batch.size() >= 30000) {
            if (!spool.append(batch))
                return false;
            batch.clear();
        }
    }
    return batch.empty() || spool.append(batch);
}

class FixedReadings : public tk70::PointReadings {
public:
    tk70::PointReading reading(int position) const override { return {0, 100.0 + position, false}; }
};

std::vector<tk70::DataColumn> columns()
{
    std::vector<tk70::DataColumn> out;
    for (int i = 0; i < kTags; ++i)
        out.push_back({i, QStringLiteral("TAG-%1").arg(i + 1), 1, 2, 3, 100 + i});
    return out;
}

// The median and the 99th percentile of n ticks of the outputs, in microseconds.
std::pair<double, double> tickTimes(const std::vector<tk70::GroupOutput *> &outputs, int n)
{
    const auto cols = columns();
    const FixedReadings readings;
    std::vector<double> times;
    QDateTime stamp = QDateTime::currentDateTime();
    for (int k = 0; k < n; ++k) {
        stamp = stamp.addSecs(1);
        const auto start = Clock::now();
        for (tk70::GroupOutput *output : outputs)
            output->writeSample(stamp, cols, readings);
        times.push_back(secondsSince(start) * 1e6);
        std::this_thread::sleep_for(std::chrono::milliseconds(1));  // a tick is not back to back
    }
    std::sort(times.begin(), times.end());
    return {times[times.size() / 2], times[times.size() * 99 / 100]};
}

std::unique_ptr<tk70::GroupOutput> openAscii(const QTemporaryDir &dir)
{
    auto ascii = tk70::makeTextGroupOutput(QStringLiteral("ASCII"));
    if (!ascii->open(dir.filePath("tick.txt"), false, tk70::OverwritePolicy::Overwrite))
        return nullptr;
    ascii->writeHeader({QDateTime::currentDateTime(), QStringLiteral("/plant/unit4.tsf"), 1, {}}, columns());
    return ascii;
}

// The catch-up, measured while a collection group of 30 tags ticks beside it.
void catchUpBesideCollection(const std::string &conninfo, const QTemporaryDir &dir)
{
    tk70::HistorianSettings settings;
    settings.stationName = QStringLiteral("catchup");
    settings.spoolFolder = dir.path();
    const QString connection = QString::fromStdString(conninfo);
    const auto ascii = openAscii(dir);
    if (!ascii)
        return;
    const auto alone = tickTimes({ascii.get()}, 2000);
    std::pair<double, double> idle;
    std::pair<double, double> own;
    {
        tk70::HistorianGroupOutput online(settings);
        online.open(connection, false, tk70::OverwritePolicy::Overwrite);
        online.writeHeader({QDateTime::currentDateTime(), QStringLiteral("/plant/unit4.tsf"), 3, {}}, columns());
        idle = tickTimes({ascii.get(), &online}, 2000);
        own = tickTimes({&online}, 2000);
        online.close();
    }
    const std::string spool = tk70::HistorianGroupOutput::spoolPath(dir.path(), connection, 2).toStdString();
    if (!fillSpool(spool)) {
        std::printf("the spool could not be filled\n");
        return;
    }

    tk70::HistorianGroupOutput historian(settings);
    historian.open(connection, false, tk70::OverwritePolicy::Overwrite);
    const auto start = Clock::now();
    historian.writeHeader({QDateTime::currentDateTime(), QStringLiteral("/plant/unit4.tsf"), 2, {}}, columns());
    const auto beside = tickTimes({ascii.get(), &historian}, 2000);
    while (historian.state().waiting > 0 && secondsSince(start) < 600)
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    const double seconds = secondsSince(start);
    const std::int64_t values = historian.state().forwarded;
    historian.close();
    ascii->close();
    std::printf("catch-up: %lld values of an hour's outage (and %d ticks beside) forwarded in %.2f s: %.0f values/s "
                "(goal: 50000)\n",
                static_cast<long long>(values), 2000, seconds, double(values) / seconds);
    std::printf("tick of a 30-tag ASCII group alone: median %.1f us, p99 %.1f us\n", alone.first, alone.second);
    std::printf("  with a historian group of the same tags, server up: median %.1f us, p99 %.1f us (%.0f %%)\n",
                idle.first, idle.second, 100.0 * idle.first / alone.first);
    std::printf("  the historian group's own sample: median %.1f us, p99 %.1f us\n", own.first, own.second);
    std::printf("  with that historian group catching up: median %.1f us, p99 %.1f us (%.0f %%; goal: within 110 %%)\n",
                beside.first, beside.second, 100.0 * beside.first / alone.first);
}

}  // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    std::unique_ptr<tk70test::PgCluster> cluster;
    std::string conninfo = qEnvironmentVariable("TK70_BENCH_HISTORIAN").toStdString();
    if (conninfo.empty()) {
        cluster = std::make_unique<tk70test::PgCluster>();
        if (!cluster->ok()) {
            std::printf("no PostgreSQL server: %s\n", cluster->error().c_str());
            return 1;
        }
        conninfo = cluster->connectionString();
        std::printf("a throwaway PostgreSQL server on a Unix socket (fsync off)\n");
    }
    stationsAtOneSecond(conninfo, dir);
    catchUpBesideCollection(conninfo, dir);
    return 0;
}
