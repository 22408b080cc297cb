// dde-bench: the driver client's DDE server under a full load.  The real driver collects
// 30 points from the CIU simulator whose values all change every second; 50 clients each
// hold advise loops on the 30 value and 30 quality items, with "DdeRefresh" 1.  Reports
// the CPU time of the program's thread (refresh, advise passes and all socket work) as a
// share of one core, and the worst delay from the start of an advise pass to a client
// reading an update of it.  Goals: below 1 % and 50 ms.
//
// With --hostile, 40 such clients share the server with the hostile ones of
// dde_hostile.h; it reports besides the slowest answer to a request of a well-behaved
// client (goal below 50 ms) and the memory the process holds at the first measured pass
// and at the end (goal: within a few MB).
//
//   dde-bench [SECONDS] [--hostile]     (default 10 seconds)
#include "bench/dde_hostile.h"
#include "ciusim/pty_server.h"
#include "driverclient/ciu_dde_server.h"
#include "driverclient/ciu_driver.h"
#include "platform/dde/dde_client.h"
#include "platform/registry/settings_store.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QTemporaryDir>
#include <QTimer>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <poll.h>
#include <string>
#include <sys/resource.h>
#include <thread>
#include <vector>

using namespace tk70;

namespace {

constexpr int kPoints = 30;
int g_clients = 50;
using Clock = std::chrono::steady_clock;

std::atomic<std::int64_t> g_passStartNs{0};
std::atomic<std::int64_t> g_worstDelayNs{0};
std::atomic<long> g_updates{0};
std::atomic<bool> g_measuring{false};
std::atomic<bool> g_done{false};

std::atomic<long> g_rssStartKb{0};

// The resident memory of the process, in kB.
long residentKb()
{
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmRSS:", 0) == 0)
            return std::stol(line.substr(6));
    return 0;
}

std::int64_t nowNs()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(Clock::now().time_since_epoch()).count();
}

double threadCpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_THREAD, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

QString tagName(int i) { return QStringLiteral("TAG%1").arg(i + 1); }

// One client's advise loops, opened before the clock starts.
bool openLoops(dde::DdeClient &client, const QString &path)
{
    if (!client.connectTo(path))
        return false;
    client.send({"CONNECT", "Value"});
    client.send({"CONNECT", "Quality"});
    for (int i = 0; i < kPoints; ++i) {
        client.send({"ADVISE", "Value", tagName(i)});
        client.send({"ADVISE", "Quality", tagName(i)});
    }
    for (int answers = 0; answers < 2 + 2 * kPoints; ++answers)
        if (!client.waitLine(5000))
            return false;
    return true;
}

// Reads every client's updates and keeps the worst delay after the pass they belong to.
void readUpdates(std::vector<std::unique_ptr<dde::DdeClient>> &clients)
{
    std::vector<pollfd> fds;
    for (auto &client : clients)
        fds.push_back({client->descriptor(), POLLIN, 0});
    while (!g_done) {
        if (::poll(fds.data(), fds.size(), 100) <= 0)
            continue;
        for (std::size_t k = 0; k < fds.size(); ++k) {
            if (!(fds[k].revents & POLLIN))
                continue;
            while (auto line = clients[k]->takeLine()) {
                const std::int64_t delay = nowNs() - g_passStartNs;
                if (g_measuring && line->front() == "DATA") {
                    ++g_updates;
                    std::int64_t worst = g_worstDelayNs;
                    while (delay > worst && !g_worstDelayNs.compare_exchange_weak(worst, delay)) {}
                }
            }
        }
    }
}

// The driver monitoring the simulator's kPoints points and serving them; false when the
// server or the start failed.
bool startServing(CCiuDriver &driver, ciusim::PtyServer &sim)
{
    driver.createEvents();
    for (int i = 0; i < kPoints; ++i) {
        sim.unit().setPoint(ciusim::PlantAddress{1, 2, 3, 101 + i}, i, false);
        driver.addPoint(tagName(i), 1, 2, 3, 101 + i, 99);
    }
    if (!driver.ddeServer() || !driver.start())
        return false;
    const QDeadlineTimer connecting(60000);
    while (driver.monitoring() != 1 && !connecting.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    return true;
}

// g_clients clients with their advise loops open.  They open them from their own thread
// while this one serves them.
std::vector<std::unique_ptr<dde::DdeClient>> openClients(const QString &path)
{
    std::vector<std::unique_ptr<dde::DdeClient>> clients;
    std::atomic<bool> opened{false};
    std::thread opener([&] {
        for (int k = 0; k < g_clients; ++k) {
            clients.push_back(std::make_unique<dde::DdeClient>());
            if (!openLoops(*clients.back(), path))
                std::fprintf(stderr, "dde-bench: client %d got no answers\n", k);
        }
        opened = true;
    });
    while (!opened)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    opener.join();
    return clients;
}

// One advise pass a second for `seconds` seconds with every point changed before it;
// the share of one core the serving thread used from the second pass on.
double servePasses(QCoreApplication &app, CCiuDriver &driver, ciusim::PtyServer &sim, int seconds)
{
    int tick = 0;
    double cpuStart = 0;
    Clock::time_point wallStart;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, &app, [&] {
        for (int i = 0; i < kPoints; ++i)
            sim.unit().setPoint(ciusim::PlantAddress{1, 2, 3, 101 + i}, tick * 1.5 + i, tick % 3 == i % 3);
        if (tick == 1) {
            cpuStart = threadCpuSeconds();
            wallStart = Clock::now();
            g_measuring = true;
            g_rssStartKb = residentKb();
        }
        g_passStartNs = nowNs();
        driver.refresh();
        if (++tick > seconds)
            app.quit();
    });
    timer.start(1000);
    app.exec();
    const double cpu = threadCpuSeconds() - cpuStart;
    return cpu / std::chrono::duration<double>(Clock::now() - wallStart).count();
}

// The updates the clients had not read yet when the passes ended (the final pass of the
// stop included), so that the count says whether every update arrived.
long drainUpdates(std::vector<std::unique_ptr<dde::DdeClient>> &clients)
{
    long updates = 0;
    for (auto &client : clients)
        while (auto line = client->waitLine(200))
            updates += line->front() == "DATA" ? 1 : 0;
    return updates;
}

QStringList tagNames()
{
    QStringList names;
    for (int i = 0; i < kPoints; ++i)
        names << tagName(i);
    return names;
}

void report(int seconds, double share)
{
    std::printf("dde-bench: %d clients x %d advise loops, %d passes and the final one, %ld updates (%.1f per client "
                "and pass)\n",
                g_clients, 2 * kPoints, seconds, g_updates.load(), double(g_updates) / g_clients / (seconds + 1));
    std::printf("server CPU %.3f %% of one core%s\n", 100.0 * share,
                g_clients == 50 ? " (goal below 1 %)" : ", most of it the batching clients' answers");
    std::printf("worst delivery delay %.1f ms after the advise pass (goal below 50 ms)\n", g_worstDelayNs / 1e6);
}

void reportHostile(const tk70bench::HostileCrowd &crowd, int seconds, long rssEndKb)
{
    using Crowd = tk70bench::HostileCrowd;
    std::printf("hostile: %d never reading (%d dropped), %d batching (%ld answers), %d x 192 loops on unknown names, "
                "%ld churn rounds, overlong lines\n",
                Crowd::kNeverReading, crowd.neverReadingDropped(), Crowd::kBatching, crowd.batchAnswers(),
                Crowd::kGhostLoops, crowd.churnRounds());
    std::printf("batching clients answered at %.0f lines a second\n", double(crowd.batchAnswers()) / seconds);
    std::printf("slowest answer to a request %.1f ms of %ld (goal below 50 ms)\n", crowd.worstProbeMs(),
                crowd.probes());
    std::printf("resident memory %.1f MB at the first pass, %.1f MB at the end\n", g_rssStartKb / 1024.0,
                rssEndKb / 1024.0);
}

}  // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    const bool hostile = args.contains(QStringLiteral("--hostile"));
    const int seconds = !args.isEmpty() && args.front() != "--hostile" ? std::max(2, args.front().toInt()) : 10;
    g_clients = hostile ? 40 : 50;
    QTemporaryDir dir;
    qputenv("TK70_DDE_DIR", dir.filePath("dde").toLocal8Bit());
    SettingsStore store(dir.filePath("registry"));
    store.setDword(kProgramKey, "DdeRefresh", 1);
    ciusim::PtyServer sim;
    if (!sim.start())
        return std::fprintf(stderr, "dde-bench: no simulator\n"), 1;
    CiuSetPortDevice(1, sim.devicePath().c_str());
    CCiuDriver driver(store);
    driver.setLogSettings(false, false, dir.filePath("TK70Pro.LOG"));
    if (!startServing(driver, sim))
        return std::fprintf(stderr, "dde-bench: no server or no start\n"), 1;
    const QString path = driver.ddeServer()->server().socketPath();
    std::vector<std::unique_ptr<dde::DdeClient>> clients = openClients(path);
    tk70bench::HostileCrowd crowd(path, tagNames());
    if (hostile)
        crowd.start();
    std::thread reader(readUpdates, std::ref(clients));
    const double share = servePasses(app, driver, sim, seconds);
    const long rssEndKb = residentKb();
    g_done = true;
    reader.join();
    crowd.stop();
    driver.stop();
    g_updates += drainUpdates(clients);
    report(seconds, share);
    if (hostile)
        reportHostile(crowd, seconds, rssEndKb);
    sim.stop();
    return 0;
}
