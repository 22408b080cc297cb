// The control channel and the program: each command's effect and its refusals, the
// socket server, the command line, and tk70-ciusim run as a process.
#include "ciusim/cli_options.h"
#include "ciusim/commands.h"
#include "ciusim/control_client.h"
#include "ciusim/control_commands.h"
#include "ciusim/control_server.h"
#include "ciusim/reply_codes.h"
#include "tests/ciusim/sim_test_support.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

extern char **environ;

namespace ciusim {
namespace {

using namespace ciusim::test;
using namespace std::chrono_literals;
namespace cmd = ciusim::command;

class ControlCommandsTest : public ::testing::Test {
protected:
    std::string run(const std::string &line) { return executeControlCommand(m_unit, line); }

    Bytes ask(const Bytes &payload)
    {
        std::optional<CiuUnit::Outgoing> out = m_unit.handleFrame(frame(payload));
        return out ? unframe(out->bytes) : Bytes{0xEE};
    }

    CiuUnit m_unit;
};

TEST_F(ControlCommandsTest, CommandsSteerFaultsCableAndPlant)
{
    EXPECT_EQ(run("replycode 69 5 1"), "ok");
    EXPECT_EQ(ask({cmd::kReadStatus, 0}), Bytes{5});
    EXPECT_EQ(run("restart9"), "ok");
    EXPECT_EQ(ask(restartLong()), Bytes{reply::kRestartAgain});
    EXPECT_EQ(ask(restartLong()), Bytes{0});
    EXPECT_EQ(run("set 1-1-5-100 42 bad"), "ok");
    EXPECT_EQ(ask(establishAndConnect(1, 2, {1, 1, 5, 100})), Bytes{0});
    EXPECT_EQ(ask({cmd::kReadExceptions, 0, 0}), (Bytes{0, 1, 0, 1, 0x80, 0x0C, 0xA8, 0x00}));
    EXPECT_EQ(run("modulestatus 1"), "ok");
    EXPECT_EQ(ask(listRequest(cmd::kReadStatusList, 0, 0)), (Bytes{0, 0x20, 1, 0, 0, 0}));
    EXPECT_EQ(run("override 8 00 01 0000 00028000"), "ok");
    EXPECT_EQ(ask({cmd::kReadExceptions, 0, 0}), (Bytes{0, 1, 0, 0, 0, 2, 0x80, 0}));
    EXPECT_EQ(run("silence 69"), "ok");
    EXPECT_FALSE(m_unit.handleFrame(frame(Bytes{cmd::kReadStatus, 0})));
    EXPECT_EQ(ask({cmd::kReadStatus, 0}).size(), 9u);
    EXPECT_EQ(run("noreply on"), "ok");
    EXPECT_FALSE(m_unit.handleFrame(frame(Bytes{cmd::kReadStatus, 0})));
    EXPECT_EQ(run("clear"), "ok");
    EXPECT_EQ(run("unplug"), "ok");
    EXPECT_FALSE(m_unit.pluggedIn());
    EXPECT_EQ(run("replug"), "ok");
    EXPECT_EQ(run("status").rfind("ok plugged=1 restarted=0 online=0", 0), 0u) << run("status");
}

TEST_F(ControlCommandsTest, WireFaultCommandsCountTheirReplies)
{
    EXPECT_EQ(run("badchecksum 2"), "ok");
    EXPECT_EQ(run("garbage"), "ok");
    EXPECT_EQ(run("slow 15"), "ok");
    EXPECT_NE(run("status").find("badchecksum=2 garbage=1"), std::string::npos) << run("status");
    EXPECT_NE(run("status").find("slow=15"), std::string::npos);
}

TEST_F(ControlCommandsTest, TheLinesWireTimeChangesWhileRunning)
{
    EXPECT_NE(run("status").find(" line=off"), std::string::npos) << run("status");
    EXPECT_EQ(run("line 9600"), "ok line 9600 8N1");
    EXPECT_EQ(m_unit.lineFormat(), *lineFormatOf(9600, "8N1"));
    EXPECT_EQ(run("line 38400 7E1"), "ok line 38400 7E1");
    EXPECT_NE(run("status").find(" line=38400/7E1"), std::string::npos) << run("status");
    const std::string refusal =
        "error: line takes off, or a baud rate of 50 to 4000000 and a frame such as 8N1, 8E1 or 7E1";
    EXPECT_EQ(run("line 9600 9N1"), refusal);
    EXPECT_EQ(run("line 12"), refusal);
    EXPECT_EQ(run("line fast"), refusal);
    EXPECT_EQ(run("line off 8N1"), refusal);
    EXPECT_EQ(m_unit.lineFormat(), *lineFormatOf(38400, "7E1")) << "a refused line changed the rate";
    EXPECT_EQ(run("line off"), "ok line off");
    EXPECT_EQ(m_unit.lineFormat(), LineFormat{});
}

TEST_F(ControlCommandsTest, BadLinesAreRefusedWithAReason)
{
    EXPECT_EQ(run(""), "error: empty command");
    EXPECT_EQ(run("frobnicate"), "error: unknown command \"frobnicate\" (try help)");
    EXPECT_EQ(run("noreply maybe"), "error: noreply takes on or off");
    EXPECT_EQ(run("noreply"), "error: usage: noreply on|off");
    EXPECT_EQ(run("badchecksum 0"), "error: badchecksum takes a count of 1 or more");
    EXPECT_EQ(run("replycode 300 1"),
              "error: replycode takes a command 0-255, a code 0-255 and an optional count of 1 or more");
    EXPECT_EQ(run("slow -5"), "error: slow takes milliseconds 0-60000");
    EXPECT_EQ(run("silence 8 0"), "error: silence takes a command 0-255 and an optional count of 1 or more");
    EXPECT_EQ(run("set 1-1-5 42"), "error: set takes L-P-M-B, a value and optionally bad or good");
    EXPECT_EQ(run("set 1-1-5-100 forty"), "error: set takes L-P-M-B, a value and optionally bad or good");
    EXPECT_EQ(run("override 8 0"), "error: override takes a command 0-255 and the reply payload as hex bytes");
    EXPECT_EQ(run("modulestatus 4"), "error: modulestatus takes 0-3");
    EXPECT_EQ(run("endless 3"), "error: usage: endless");
    EXPECT_EQ(run("adapter sideways"), "error: adapter takes out or in");
    EXPECT_EQ(run("adapter out"), "error: this unit has no adapter to pull");
}

TEST(ControlServer, AnswersLinesOnAnOwnerOnlySocket)
{
    TempDir dir;
    CiuUnit unit;
    ControlServer server(unit);
    std::string path = dir.file("ctl");
    ASSERT_TRUE(server.start(path)) << server.errorText();
    struct stat info {};
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
    std::string answer;
    EXPECT_TRUE(sendControlCommand(path, "noreply on", answer));
    EXPECT_EQ(answer, "ok");
    EXPECT_TRUE(sendControlCommand(path, "bogus", answer));
    EXPECT_EQ(answer.rfind("error: unknown command", 0), 0u);
    ControlServer second(unit);
    EXPECT_FALSE(second.start(path));
    EXPECT_NE(second.errorText().find("another program listens"), std::string::npos);
    server.stop();
    EXPECT_FALSE(std::filesystem::exists(path));
    EXPECT_FALSE(sendControlCommand(path, "status", answer));
}

TEST(ControlServer, RefusesToReplaceAFileThatIsNoSocket)
{
    TempDir dir;
    std::ofstream(dir.file("ctl")) << "data";
    CiuUnit unit;
    ControlServer server(unit);
    EXPECT_FALSE(server.start(dir.file("ctl")));
    EXPECT_NE(server.errorText().find("not a socket"), std::string::npos);
}

TEST(CommandLine, ParsesBothModesAndRefusesNonsense)
{
    CliParse serve = parseCommandLine({"--link", "/tmp/ciu", "--config", "c.json", "--seed", "9", "--control", "s"});
    EXPECT_EQ(serve.error, "");
    EXPECT_EQ(serve.options.linkPath, "/tmp/ciu");
    EXPECT_EQ(serve.options.seed, 9u);
    EXPECT_TRUE(parseCommandLine({"--help"}).options.help);
    EXPECT_EQ(parseCommandLine({"--control", "s", "--send", "status"}).options.sendLine, "status");
    EXPECT_EQ(parseCommandLine({"--bogus"}).error, "unknown option --bogus");
    EXPECT_EQ(parseCommandLine({"--link"}).error, "--link needs a value");
    EXPECT_EQ(parseCommandLine({"--seed", "x"}).error, "--seed needs a whole number of 0 or more, not x");
    EXPECT_EQ(parseCommandLine({"--send", "status"}).error, "--send needs --control SOCKET");
    EXPECT_NE(usageText("tk70-ciusim").find("replycode CMD CODE [N]"), std::string::npos);
}

TEST(CommandLine, TheLinesRateAndFrameGiveWireTime)
{
    EXPECT_EQ(parseCommandLine({"--baud", "9600"}).options.line, *lineFormatOf(9600, "8N1"));
    EXPECT_EQ(parseCommandLine({"--frame", "7E1", "--baud", "19200"}).options.line, *lineFormatOf(19200, "7E1"));
    EXPECT_EQ(parseCommandLine({}).options.line, LineFormat{}) << "wire time is off by default";
    EXPECT_EQ(parseCommandLine({"--frame", "8E1"}).error, "--frame needs --baud");
    EXPECT_EQ(parseCommandLine({"--baud", "96OO"}).error,
              "--baud needs 50 to 4000000 and --frame a frame such as 8N1, 8E1 or 7E1, not 96OO");
    EXPECT_NE(parseCommandLine({"--baud", "9600", "--frame", "9N1"}).error, "");
    EXPECT_EQ(parseCommandLine({"--control", "s", "--send", "status", "--baud", "9600"}).error,
              "--send cannot be combined with --link, --config, --seed or --baud");
}

// tk70-ciusim as a child process with its stdout on a pipe.
class SimulatorProcess {
public:
    explicit SimulatorProcess(std::vector<std::string> args)
    {
        int out[2];
        if (::pipe(out) != 0)
            return;
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
        posix_spawn_file_actions_addclose(&actions, out[0]);
        args.insert(args.begin(), CIUSIM_PROGRAM);
        std::vector<char *> argv;
        for (std::string &a : args)
            argv.push_back(a.data());
        argv.push_back(nullptr);
        if (posix_spawn(&m_pid, CIUSIM_PROGRAM, &actions, nullptr, argv.data(), environ) != 0)
            m_pid = -1;
        posix_spawn_file_actions_destroy(&actions);
        ::close(out[1]);
        m_out = out[0];
    }

    ~SimulatorProcess()
    {
        if (m_pid > 0) {
            ::kill(m_pid, SIGKILL);
            ::waitpid(m_pid, nullptr, 0);
        }
        if (m_out >= 0)
            ::close(m_out);
    }

    // The first line the program prints.
    std::string firstLine()
    {
        std::string line;
        char c = 0;
        while (::read(m_out, &c, 1) == 1 && c != '\n')
            line.push_back(c);
        return line;
    }

    int stop()
    {
        int status = 0;
        ::kill(m_pid, SIGTERM);
        ::waitpid(m_pid, &status, 0);
        m_pid = -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    // Runs the program once to completion (client mode).
    static int runToEnd(std::vector<std::string> args)
    {
        SimulatorProcess p(std::move(args));
        int status = 0;
        ::waitpid(p.m_pid, &status, 0);
        p.m_pid = -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

private:
    pid_t m_pid = -1;
    int m_out = -1;
};

TEST(Program, ServesOnItsLinkTakesControlCommandsAndCleansUpOnSigterm)
{
    TempDir dir;
    std::string link = dir.file("ciu");
    std::string control = dir.file("ctl");
    SimulatorProcess sim({"--link", link, "--control", control, "--seed", "3"});
    std::string device = sim.firstLine();
    ASSERT_EQ(device.rfind("/dev/pts/", 0), 0u) << device;
    EXPECT_EQ(std::filesystem::read_symlink(link), device);
    RawClient client(link);
    EXPECT_EQ(client.exchange(Bytes{cmd::kReadStatus, 0}), (Bytes{0, 4, 4, 0, 0, 0, 0, 2, 1}));
    EXPECT_EQ(SimulatorProcess::runToEnd({"--control", control, "--send", "replycode 69 7 1"}), 0);
    EXPECT_EQ(client.exchange(Bytes{cmd::kReadStatus, 0}), Bytes{7});
    EXPECT_EQ(SimulatorProcess::runToEnd({"--control", control, "--send", "bogus"}), 1);
    EXPECT_EQ(sim.stop(), 0);
    EXPECT_FALSE(std::filesystem::is_symlink(link));
    EXPECT_FALSE(std::filesystem::exists(control));
}

// The serial adapter pulled out from the control channel: the station's device hangs up
// and the path goes; plugged in again, a new device answers under the same path.
TEST(Program, TheAdapterIsPulledOutAndPluggedInFromTheControlChannel)
{
    TempDir dir;
    std::string link = dir.file("ciu");
    std::string control = dir.file("ctl");
    SimulatorProcess sim({"--link", link, "--control", control});
    std::string device = sim.firstLine();
    ASSERT_EQ(device.rfind("/dev/pts/", 0), 0u) << device;
    {
        RawClient client(link);
        ASSERT_TRUE(client.isOpen());
        EXPECT_EQ(SimulatorProcess::runToEnd({"--control", control, "--send", "adapter out"}), 0);
        EXPECT_TRUE(client.waitForHangup(2s));
    }
    EXPECT_FALSE(std::filesystem::is_symlink(link));
    EXPECT_EQ(SimulatorProcess::runToEnd({"--control", control, "--send", "adapter out"}), 1) << "out twice";
    EXPECT_EQ(SimulatorProcess::runToEnd({"--control", control, "--send", "adapter in"}), 0);
    ASSERT_TRUE(std::filesystem::is_symlink(link));
    RawClient again(link);
    EXPECT_EQ(again.exchange(Bytes{cmd::kReadStatus, 0}), (Bytes{0, 4, 4, 0, 0, 0, 0, 2, 1}));
    EXPECT_EQ(sim.stop(), 0);
    EXPECT_FALSE(std::filesystem::is_symlink(link));
    EXPECT_FALSE(std::filesystem::exists(control));
}

TEST(Program, ABadConfigFileStopsItWithAMessage)
{
    TempDir dir;
    std::ofstream(dir.file("bad.json")) << "{\"seed\": true}";
    EXPECT_EQ(SimulatorProcess::runToEnd({"--config", dir.file("bad.json")}), 2);
    EXPECT_EQ(SimulatorProcess::runToEnd({"--help"}), 0);
}

}  // namespace
}  // namespace ciusim
