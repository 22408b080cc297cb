// vantor-bench: what the driver costs.
//   1. an uncontested CiuReadFromValueArray, in ns per call;
//   2. the same read while another thread stores into the same slot without pause, as
//      the collection thread does when exception reports pour in;
//   3. exception monitoring cycles per second against the CIU simulator (tk70-ciusim,
//      spawned on a pseudo-terminal) with CommandPace 10, ExpDelay 0 and 30 points;
//   4. the same at 9600, 19200 and 38400 baud 8N1 with the simulator's wire time, for 30
//      exception points and for 30 polled (non-exception) points: each cycle's time
//      against its floor, the wire time of the bytes the cycle exchanged plus the pauses
//      the driver's settings demand (the command pace before each command, the exception
//      delay after each cycle).
#include "ciusim/line_format.h"
#include "ciusim/pty_server.h"
#include "driver/comm_access.h"
#include "driver/driver_state.h"
#include "driver/thread_control.h"
#include "driver/vantor.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <signal.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char **environ;

namespace {

using Clock = std::chrono::steady_clock;

double nsPerCall(Clock::duration elapsed, long calls)
{
    return std::chrono::duration<double, std::nano>(elapsed).count() / static_cast<double>(calls);
}

void loadThirtyPoints(int everyType = 0)
{
    int idx[30], loops[30], pcus[30], mods[30], blocks[30], types[30], states[30] = {};
    double zeros[30] = {};
    for (int i = 0; i < 30; ++i) {
        idx[i] = i + 1;
        loops[i] = 1;
        pcus[i] = 2;
        mods[i] = 3;
        blocks[i] = 100 + i;
        types[i] = everyType != 0 ? everyType : i % 5 == 4 ? 7 : 5;
    }
    CiuLoadPointList(30, idx, loops, pcus, mods, blocks, types, states, zeros, zeros, zeros, zeros);
}

double readCost(long calls)
{
    double value;
    int q, e, n, p;
    auto start = Clock::now();
    for (long i = 0; i < calls; ++i)
        CiuReadFromValueArray(1 + static_cast<int>(i % 30), &value, &q, &e, &n, &p);
    return nsPerCall(Clock::now() - start, calls);
}

double contendedReadCost(long calls)
{
    std::atomic<bool> stop{false};
    std::thread storer([&] {
        for (long i = 0; !stop.load(std::memory_order_relaxed); ++i)
            vantor::driver().points.store(1, static_cast<double>(i), 0);
    });
    double value;
    int q, e, n, p;
    auto start = Clock::now();
    for (long i = 0; i < calls; ++i)
        CiuReadFromValueArray(1, &value, &q, &e, &n, &p);
    double cost = nsPerCall(Clock::now() - start, calls);
    stop.store(true);
    storer.join();
    return cost;
}

// Starts the simulator and returns its device path, or an empty string.
std::string startSimulator(const std::string &bin, pid_t &pid)
{
    int out[2];
    if (pipe(out) != 0)
        return {};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], 1);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    std::string program = bin + "/tk70-ciusim";
    char *argv[] = {program.data(), nullptr};
    int rc = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    char line[256] = {};
    FILE *reader = fdopen(out[0], "r");
    if (rc != 0 || !reader || !fgets(line, sizeof line, reader))
        line[0] = '\0';
    if (reader)
        fclose(reader);
    return std::string(line, strcspn(line, "\n"));
}

double monitoringCyclesPerSecond(const std::string &device, int seconds)
{
    CiuCommStruct *comm = CiuInitializeCommStruct();
    comm->CommandPace = 10;
    comm->ExpDelay = 0;
    comm->DtrPulse = 1;
    comm->RestartDelay = 1;
    vantor::setPhaseWaits(vantor::PhaseWaits{300, 0, 0, 70});
    CiuSetPortDevice(1, device.c_str());
    CiuCreateEvents();
    loadThirtyPoints();
    if (!CiuOpenConnection())
        return -1;
    auto deadline = Clock::now() + std::chrono::seconds(30);
    while (vantor::loadField(comm->Monitoring) != 1 && Clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    int before = vantor::loadField(comm->CommandCount);
    auto start = Clock::now();
    std::this_thread::sleep_for(std::chrono::seconds(seconds));
    int commands = vantor::loadField(comm->CommandCount) - before;
    double elapsed = std::chrono::duration<double>(Clock::now() - start).count();
    CiuCloseConnection();
    CiuDestroyEvents();
    return commands / 2.0 / elapsed;  // each cycle reads exceptions and status exceptions
}

// One way of collecting 30 points: the point type, and the commands of one cycle.
struct Scenario {
    const char *name;
    int pointType;     // 0: analog and digital exception points
    int nonExpPoints;  // polled per cycle
    int commandsPerCycle;
};

constexpr Scenario kScenarios[] = {
    {"exception monitoring, 30 points", 0, 0, 2},
    {"polling, 30 non-exception points", 99, 30, 32},
};

struct LineRun {
    double cycleMs = 0;
    double floorMs = 0;
    double wireMs = 0;
};

// The driver started on the server's line with the scenario's points and the fastest
// pace (CommandPace 10, ExpDelay 0): its settings, or null when monitoring did not begin.
CiuCommStruct *startDriver(const ciusim::PtyServer &server, const Scenario &scenario)
{
    CiuCommStruct *comm = CiuInitializeCommStruct();
    comm->CommandPace = 10;
    comm->ExpDelay = 0;
    comm->DtrPulse = 1;
    comm->RestartDelay = 1;
    comm->NonExpEnabled = scenario.nonExpPoints > 0 ? 1 : 0;
    comm->NonExpPoints = scenario.nonExpPoints;
    vantor::setPhaseWaits(vantor::PhaseWaits{300, 0, 0, 70});
    CiuSetPortDevice(1, server.devicePath().c_str());
    CiuCreateEvents();
    loadThirtyPoints(scenario.pointType);
    if (!CiuOpenConnection())
        return nullptr;
    const auto deadline = Clock::now() + std::chrono::seconds(120);
    while (vantor::loadField(comm->Monitoring) != 1 && Clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    return vantor::loadField(comm->Monitoring) == 1 ? comm : nullptr;
}

// The driver's cycles over one window: their mean time, and the floor the line and the
// pauses set for the bytes and commands they had.
LineRun lineWindow(const ciusim::PtyServer &server, const CiuCommStruct &comm, const Scenario &scenario,
                   std::chrono::nanoseconds character, std::chrono::milliseconds window)
{
    const int commandsBefore = vantor::loadField(comm.CommandCount);
    const ciusim::PtyServer::LineCounts before = server.lineCounts();
    const auto start = Clock::now();
    std::this_thread::sleep_for(window);
    const int commands = vantor::loadField(comm.CommandCount) - commandsBefore;
    const ciusim::PtyServer::LineCounts after = server.lineCounts();
    const double elapsedMs = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    const double cycles = double(commands) / scenario.commandsPerCycle;
    const double bytes = double((after.heard - before.heard) + (after.sent - before.sent));
    LineRun run;
    run.wireMs = bytes * std::chrono::duration<double, std::milli>(character).count() / cycles;
    run.floorMs = run.wireMs + 10.0 * scenario.commandsPerCycle;  // the pace before each command; no delay
    run.cycleMs = elapsedMs / cycles;
    return run;
}

// Five windows of the scenario at baud, sorted by their ratio to the floor (the machine's
// other work only ever adds to a window); empty when the driver did not begin monitoring.
std::vector<LineRun> lineRuns(int baud, const Scenario &scenario)
{
    ciusim::SimConfig config;
    config.line = *ciusim::lineFormatOf(baud, "8N1");
    ciusim::PtyServer server(config);
    std::vector<LineRun> runs;
    CiuCommStruct *comm = server.start() ? startDriver(server, scenario) : nullptr;
    if (!comm)
        return runs;
    std::this_thread::sleep_for(std::chrono::seconds(1));  // past the first full reports
    const std::chrono::milliseconds window(scenario.nonExpPoints > 0 ? 4000 : 2000);
    for (int k = 0; k < 5; ++k)
        runs.push_back(lineWindow(server, *comm, scenario, ciusim::characterTime(config.line), window));
    CiuCloseConnection();
    CiuDestroyEvents();
    server.stop();
    std::sort(runs.begin(), runs.end(),
              [](const LineRun &a, const LineRun &b) { return a.cycleMs / a.floorMs < b.cycleMs / b.floorMs; });
    return runs;
}

void lineFloors()
{
    for (const Scenario &scenario : kScenarios) {
        std::printf("%s, CommandPace 10, ExpDelay 0, wire time 8N1 (the median of 5 windows):\n", scenario.name);
        for (int baud : {9600, 19200, 38400}) {
            const std::vector<LineRun> runs = lineRuns(baud, scenario);
            if (runs.empty()) {
                std::printf("  %5d baud: the driver did not begin monitoring\n", baud);
                continue;
            }
            const LineRun &median = runs[runs.size() / 2];
            std::printf("  %5d baud: cycle %7.1f ms, floor %7.1f ms (wire %6.1f ms): %.3f x the floor, best %.3f "
                        "(goal 1.05)\n",
                        baud, median.cycleMs, median.floorMs, median.wireMs, median.cycleMs / median.floorMs,
                        runs.front().cycleMs / runs.front().floorMs);
        }
    }
}

}  // namespace

int main(int argc, char **argv)
{
    std::string bin = argc > 1 ? argv[1] : std::string(argv[0]).substr(0, std::string(argv[0]).rfind('/'));
    CiuInitializeCommStruct();
    CiuCreateEvents();
    loadThirtyPoints();
    const long calls = 20'000'000;
    readCost(calls / 10);  // warm up
    std::printf("CiuReadFromValueArray, uncontested:           %6.1f ns/call\n", readCost(calls));
    std::printf("CiuReadFromValueArray, thread storing slot:   %6.1f ns/call\n", contendedReadCost(calls / 4));

    pid_t sim = -1;
    std::string device = startSimulator(bin, sim);
    if (device.empty()) {
        std::printf("monitoring cycles: the simulator did not start\n");
        return 1;
    }
    double cycles = monitoringCyclesPerSecond(device, 5);
    std::printf("Exception monitoring, 30 points, CommandPace 10, ExpDelay 0: %.1f cycles/s\n", cycles);
    kill(sim, SIGTERM);
    waitpid(sim, nullptr, 0);
    lineFloors();
    return cycles > 0 ? 0 : 1;
}
