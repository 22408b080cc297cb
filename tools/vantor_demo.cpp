// vantor-demo: a console look at the driver at work.  Loads a handful of points through
// the driver's exports, opens the connection on COM1 and prints the connection state
// and the live values once a second, until interrupted or --seconds have passed.
//
//   vantor-demo [--device PATH] [--seconds N] [--log FILE] [--quick]
//
// --quick shortens the line pulse and the wait after a restart, for a simulated CIU.
#include "driver/vantor.h"

#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>

namespace {

std::atomic<bool> g_stop{false};

void onSignal(int) { g_stop.store(true); }

struct DemoPoint {
    const char *name;
    int loop, pcu, module, block, type;
};

// Tags of every kind the driver collects by exception: analog, digital and status points.
const DemoPoint kPoints[] = {
    {"FIC-101 flow", 1, 2, 3, 101, 5},   {"TIC-102 temp", 1, 2, 3, 102, 1}, {"PIC-103 press", 1, 2, 3, 103, 2},
    {"LIC-104 level", 1, 2, 4, 104, 19}, {"XV-105 valve", 1, 2, 4, 105, 7}, {"P-106 pump", 1, 2, 4, 106, 7},
    {"HS-107 status", 1, 2, 5, 107, 15}, {"MA-108 mode", 1, 2, 5, 108, 80},
};
constexpr int kCount = static_cast<int>(sizeof kPoints / sizeof kPoints[0]);

const char *stateText(int state)
{
    switch (state) {
    case 1: return "Restatring CIU";
    case 2: return "Initializing Points";
    case 3: return "Reading Initial Values";
    case 4: return "Initializing Complete";
    case 5: return "Collection In-Progress";
    case 0:
    case -1: return "CIU Off-Line";
    default: return "Status Unknown";
    }
}

bool loadDemoPoints()
{
    int idx[kCount], loops[kCount], pcus[kCount], mods[kCount], blocks[kCount], types[kCount], states[kCount] = {};
    double zeros[kCount] = {};
    for (int i = 0; i < kCount; ++i) {
        idx[i] = i + 1;
        loops[i] = kPoints[i].loop;
        pcus[i] = kPoints[i].pcu;
        mods[i] = kPoints[i].module;
        blocks[i] = kPoints[i].block;
        types[i] = kPoints[i].type;
    }
    return CiuLoadPointList(kCount, idx, loops, pcus, mods, blocks, types, states, zeros, zeros, zeros, zeros) == 1;
}

void printValues(const CiuCommStruct *comm)
{
    int state = std::atomic_ref<const int32_t>(comm->ConnectionState).load();
    std::printf("%s  (commands %d, errors %d, restarts %d)\n", stateText(state),
                std::atomic_ref<const int32_t>(comm->CommandCount).load(),
                std::atomic_ref<const int32_t>(comm->ErrorCount).load(),
                std::atomic_ref<const int32_t>(comm->RestartCount).load());
    for (int i = 0; i <= kCount; ++i) {
        double value = 0;
        int quality = 0, established = 0, fresh = 0, pending = 0;
        CiuReadFromValueArray(i, &value, &quality, &established, &fresh, &pending);
        const char *name = i == 0 ? "CIU module status" : kPoints[i - 1].name;
        std::printf("  %2d %-18s %12.3f  %s%s\n", i, name, value, quality ? "BAD" : "good",
                    established == 0 ? "" : "  (not established)");
    }
    std::fflush(stdout);
}

int usage()
{
    std::fprintf(stderr, "usage: vantor-demo [--device PATH] [--seconds N] [--log FILE] [--quick]\n");
    return 2;
}

}  // namespace

int main(int argc, char **argv)
{
    std::string device, log;
    int seconds = 0;
    bool quick = false;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg == "--quick") {
            quick = true;
            continue;
        }
        if (i + 1 >= argc)
            return usage();
        if (arg == "--device")
            device = argv[++i];
        else if (arg == "--seconds")
            seconds = std::atoi(argv[++i]);
        else if (arg == "--log")
            log = argv[++i];
        else
            return usage();
    }
    std::signal(SIGINT, onSignal);
    std::signal(SIGTERM, onSignal);

    CiuCommStruct *comm = CiuInitializeCommStruct();
    comm->ComPort = 1;
    if (quick) {
        comm->DtrPulse = 100;
        comm->RestartDelay = 500;
    }
    if (!device.empty())
        CiuSetPortDevice(1, device.c_str());
    if (!log.empty() && log.size() < sizeof comm->LogFileName) {
        comm->LogFileEnabled = 1;
        std::strcpy(comm->LogFileName, log.c_str());
    }
    CiuCreateEvents();
    if (!loadDemoPoints() || !CiuOpenConnection()) {
        std::fprintf(stderr, "vantor-demo: the connection could not be opened (see the driver log)\n");
        CiuDestroyEvents();
        return 1;
    }
    auto end = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    while (!g_stop.load() && (seconds == 0 || std::chrono::steady_clock::now() < end)) {
        printValues(comm);
        for (int tick = 0; tick < 10 && !g_stop.load(); ++tick)
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    CiuCloseConnection();
    CiuDestroyEvents();
    std::printf("Disconnected.\n");
    return 0;
}
