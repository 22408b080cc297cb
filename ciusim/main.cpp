// tk70-ciusim: the CIU simulator program.  Serves a simulated CIU on a pseudo-terminal
// (with an optional device link and control socket) until SIGINT or SIGTERM, or sends
// one control command to a running simulator.
#include "ciusim/cli_options.h"
#include "ciusim/config.h"
#include "ciusim/control_client.h"
#include "ciusim/control_server.h"
#include "ciusim/pty_server.h"

#include <csignal>
#include <cstdio>
#include <iostream>
#include <pthread.h>

namespace {

using namespace ciusim;

int sendOne(const CliOptions &options)
{
    std::string answer;
    bool answered = sendControlCommand(options.controlPath, options.sendLine, answer);
    (answered ? std::cout : std::cerr) << answer << std::endl;
    return answered && answer.rfind("ok", 0) == 0 ? 0 : 1;
}

// Blocks SIGINT and SIGTERM in this thread and in every thread started after it, so
// that sigwait() alone receives them.
sigset_t blockStopSignals()
{
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGINT);
    sigaddset(&set, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &set, nullptr);
    std::signal(SIGPIPE, SIG_IGN);
    return set;
}

std::optional<SimConfig> readConfig(const CliOptions &options)
{
    if (options.configPath.empty())
        return SimConfig{};
    ConfigResult result = loadConfig(options.configPath);
    if (!result.config)
        std::cerr << "tk70-ciusim: " << result.error << std::endl;
    return result.config;
}

int serve(const CliOptions &options)
{
    std::optional<SimConfig> config = readConfig(options);
    if (!config)
        return 2;
    sigset_t stopSignals = blockStopSignals();
    std::uint64_t seed = options.seed.value_or(config->seed.value_or(1));
    config->seed = seed;
    if (options.line.baud != 0)
        config->line = options.line;
    PtyServer server(*config, seed);
    if (!server.start(options.linkPath)) {
        std::cerr << "tk70-ciusim: " << server.errorText() << std::endl;
        return 1;
    }
    // Pulled out and plugged in from the control channel: from its start on, only the
    // channel touches the server until it has stopped, so the device is named before.
    const std::string device = server.devicePath();
    server.unit().setAdapterSwitch([&server](bool in) { return in ? server.replugDevice() : server.unplugDevice(); });
    ControlServer control(server.unit());
    if (!options.controlPath.empty() && !control.start(options.controlPath)) {
        std::cerr << "tk70-ciusim: " << control.errorText() << std::endl;
        return 1;
    }
    std::cout << device << std::endl;
    int signal = 0;
    sigwait(&stopSignals, &signal);
    control.stop();
    server.stop();
    return 0;
}

}  // namespace

int main(int argc, char **argv)
{
    std::vector<std::string> args(argv + 1, argv + argc);
    CliParse parsed = parseCommandLine(args);
    if (!parsed.error.empty()) {
        std::cerr << "tk70-ciusim: " << parsed.error << "\n" << usageText("tk70-ciusim");
        return 2;
    }
    if (parsed.options.help) {
        std::cout << usageText("tk70-ciusim");
        return 0;
    }
    if (!parsed.options.sendLine.empty())
        return sendOne(parsed.options);
    return serve(parsed.options);
}
