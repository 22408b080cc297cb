// Whole connections against the CIU simulator on a pseudo-terminal: start-up through
// every state to the monitoring loop, values flowing, the restart strategies, a CIU
// that stops answering and comes back, closing at awkward moments, and the log.
#include "ciusim/pty_server.h"
#include "driver/driver_state.h"
#include "tests/support/driver_fixture.h"
#include "tests/support/pty_peer.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>

using namespace tk70test;
using ciusim::PlantAddress;

namespace {

// "Sun Dec 06 16:18:54  ": weekday, month, two-digit day, time, two blanks.
bool isLogStamp(const std::string &s)
{
    static const std::string days = "SunMonTueWedThuFriSat";
    static const std::string months = "JanFebMarAprMayJunJulAugSepOctNovDec";
    auto digits = [&](std::size_t at) {
        return std::isdigit(static_cast<unsigned char>(s[at])) && std::isdigit(static_cast<unsigned char>(s[at + 1]));
    };
    return s.size() >= 21 && days.find(s.substr(0, 3)) % 3 == 0 && days.find(s.substr(0, 3)) != std::string::npos &&
           s[3] == ' ' && months.find(s.substr(4, 3)) % 3 == 0 && months.find(s.substr(4, 3)) != std::string::npos &&
           s[7] == ' ' && digits(8) && s[10] == ' ' && digits(11) && s[13] == ':' && digits(14) && s[16] == ':' &&
           digits(17) && s.substr(19, 2) == "  ";
}

bool contains(const std::vector<std::string> &lines, const std::string &text)
{
    return std::find(lines.begin(), lines.end(), text) != lines.end();
}

// Points of one type in all thirty slots, at blocks firstBlock + 1 to firstBlock + 30.
std::vector<TestPoint> thirtyPoints(int module, int firstBlock, int type)
{
    std::vector<TestPoint> points;
    for (int i = 1; i <= 30; ++i)
        points.push_back(TestPoint{i, 1, 2, module, firstBlock + i, type});
    return points;
}

// The log line after the first one that reads text; empty when there is none.
std::string lineAfter(const std::vector<std::string> &lines, const std::string &text)
{
    auto at = std::find(lines.begin(), lines.end(), text);
    return at == lines.end() || at + 1 == lines.end() ? std::string() : *(at + 1);
}

std::vector<std::uint8_t> requestOf(const ciusim::RequestLog &log, int command, int nth = 0)
{
    for (const auto &r : log.all())
        if (r.valid && r.command() == command && nth-- == 0)
            return r.payload;
    return {};
}

}  // namespace

class ConnectionTest : public DriverTest {
protected:
    void SetUp() override
    {
        DriverTest::SetUp();
        startSimulator({});
    }

    void TearDown() override
    {
        CiuCloseConnection();
        m_sim.reset();
        DriverTest::TearDown();
    }

    void startSimulator(const ciusim::SimConfig &config)
    {
        m_sim = std::make_unique<ciusim::PtyServer>(config);
        ASSERT_TRUE(m_sim->start()) << m_sim->errorText();
        useDevice(m_sim->devicePath());
    }

    bool waitForState(int wanted)
    {
        return waitUntil([&] { return state() == wanted; });
    }
    bool waitForMonitoring()
    {
        return waitUntil([&] { return field(m_comm->Monitoring) == 1; });
    }
    ciusim::RequestLog &requests() { return m_sim->requests(); }

    std::unique_ptr<ciusim::PtyServer> m_sim;
};

TEST_F(ConnectionTest, StartsUpThroughEveryStateAndKeepsValuesCurrent)
{
    m_sim->unit().setPoint(PlantAddress{1, 2, 3, 10}, 42.5, false);
    m_sim->unit().setPoint(PlantAddress{1, 2, 3, 11}, 1.0, false);
    ASSERT_EQ(loadPoints({TestPoint{1, 1, 2, 3, 10, 5}, TestPoint{2, 1, 2, 3, 11, 7}, TestPoint{3, 1, 2, 3, 12, 6}}),
              1);
    std::vector<int> seen;
    ASSERT_EQ(CiuOpenConnection(), 1);
    EXPECT_EQ(CiuCheckConnected(), 1);
    ASSERT_TRUE(waitUntil([&] {
        int s = state();
        if (seen.empty() || seen.back() != s)
            seen.push_back(s);
        return field(m_comm->Monitoring) == 1;
    }));
    EXPECT_EQ(seen.back(), 5);
    EXPECT_TRUE(std::is_sorted(seen.begin(), seen.end()));
    EXPECT_EQ(field(m_comm->CiuModuleType), 4);
    EXPECT_EQ(field(m_comm->CiuLoop), 1);
    EXPECT_EQ(field(m_comm->CiuPcu), 2);
    EXPECT_EQ(readSlot(1).value, 42.5);
    EXPECT_EQ(readSlot(1).quality, 0);
    EXPECT_EQ(readSlot(1).establish, 0);
    EXPECT_EQ(readSlot(2).value, 1.0);
    EXPECT_EQ(readSlot(0).value, 3.0);  // the CIU's module status: execute

    m_sim->unit().setPoint(PlantAddress{1, 2, 3, 10}, 61.25, true);
    EXPECT_TRUE(waitUntil([] { return readSlot(1).value == 61.25; }));
    EXPECT_EQ(readSlot(1).quality, 1);
    EXPECT_EQ(field(m_comm->ErrorCount), 0);

    EXPECT_EQ(CiuCloseConnection(), 1);
    EXPECT_EQ(CiuCheckConnected(), 0);
    EXPECT_EQ(state(), 0);
    EXPECT_EQ(requests().all().back().payload, (std::vector<std::uint8_t>{44, 0, 0}));
}

TEST_F(ConnectionTest, TheLogTellsTheStoryOfAConnection)
{
    enableLog(false);
    ASSERT_EQ(loadPoints({TestPoint{1, 1, 2, 3, 10, 5}, TestPoint{2, 1, 2, 3, 11, 7}}), 1);
    ASSERT_EQ(CiuOpenConnection(), 1);
    ASSERT_TRUE(waitForMonitoring());
    CiuCloseConnection();
    std::vector<std::string> expected = {
        "Log File Created.",
        "Driver Revision 1.16",
        "COM1 Serial Port Initialized.",
        "Attempting to Restart CIU.",
        "CIU Restarted.",
        "CIU Module Type=4,  Mode=4,  Loop=1,  PCU=2",
        "Initializing CIU Point Table.",
        "2 Points Established.",
        "Reading Initial Values.",
        "3 Initial Values Read.",
        "Starting Data Exception Monitoring Loop.",
        "Disconnecting from CIU",
        "Disconnected from CIU",
        "Closing Log File.",
    };
    EXPECT_EQ(logLines(), expected);
    std::ifstream in(logPath(), std::ios::binary);
    std::string line;
    std::getline(in, line);
    EXPECT_TRUE(isLogStamp(line)) << line;
    EXPECT_EQ(line.substr(21), "Log File Created.\r");
}

TEST_F(ConnectionTest, DetailedLoggingAddsEverySuccessfulStep)
{
    enableLog(true);
    ASSERT_EQ(loadPoints({TestPoint{1, 1, 2, 3, 10, 5}}), 1);
    ASSERT_EQ(CiuOpenConnection(), 1);
    ASSERT_TRUE(waitUntil([&] { return requests().count(22) >= 2; }));
    CiuCloseConnection();
    auto lines = logLines();
    EXPECT_TRUE(contains(lines, "Index #1 Established OK."));
    EXPECT_TRUE(contains(lines, "Initial Value for Index #0 Read/Written."));
    EXPECT_TRUE(contains(lines, "Initial Value for Index #1 Read/Written."));
    EXPECT_TRUE(contains(lines, "0 Misc. Exceptions Read.") || contains(lines, "1 Misc. Exceptions Read."));
}

TEST_F(ConnectionTest, NoLogFileWhenLoggingIsOff)
{
    std::strcpy(m_comm->LogFileName, logPath().c_str());
    ASSERT_EQ(loadPoints({TestPoint{1, 1, 2, 3, 10, 5}}), 1);
    ASSERT_EQ(CiuOpenConnection(), 1);
    ASSERT_TRUE(waitForMonitoring());
    CiuCloseConnection();
    EXPECT_FALSE(std::ifstream(logPath()).good());
}

TEST_F(ConnectionTest, AMissingDeviceIsLoggedWithItsPath)
{
    enableLog(false);
    CiuSetPortDevice(1, "/nonexistent/tty-ciu");
    ASSERT_EQ(loadPoints({TestPoint{1, 1, 2, 3, 10, 5}}), 1);
    EXPECT_EQ(CiuOpenConnection(), 0);
    EXPECT_EQ(CiuCheckConnected(), 0);
    EXPECT_EQ(state(), 0);
    auto lines = logLines();
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[2], "Error Opening Serial Port COM1");
    EXPECT_EQ(lines[3], "Device /nonexistent/tty-ciu: No such file or directory");
}

// A port is used by one program at a time: while another holds it the open fails like
// any other, and once it lets go the port opens.  The same holds the other way round.
TEST_F(ConnectionTest, APortHeldByAnotherProgramIsNotShared)
{
    enableLog(false);
    ASSERT_EQ(loadPoints({TestPoint{1, 1, 2, 3, 10, 5}}), 1);
    auto other = std::make_unique<vantor::SerialPort>();
    std::string error;
    ASSERT_TRUE(other->open(m_sim->devicePath(), error)) << error;
    EXPECT_EQ(CiuOpenConnection(), 0);
    EXPECT_EQ(CiuCheckConnected(), 0);
    auto lines = logLines();
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[2], "Error Opening Serial Port COM1");
    EXPECT_EQ(lines[3], "Device " + m_sim->devicePath() + ": Device or resource busy");

    other->close();
    ASSERT_EQ(CiuOpenConnection(), 1);
    ASSERT_TRUE(waitForMonitoring());
    EXPECT_FALSE(other->open(m_sim->devicePath(), error));
    EXPECT_EQ(error, "Device or resource busy");
}

TEST_F(ConnectionTest, ModeSevenNeverSendsARestartCommand)
{
    enableLog(false);
    m_comm->CiuMode = 7;
    ASSERT_EQ(loadPoints({TestPoint{1, 1, 2, 3, 10, 5}}), 1);
    ASSERT_EQ(CiuOpenConnection(), 1);
    ASSERT_TRUE(waitForMonitoring());
    EXPECT_EQ(requests().count(19), 0);
    EXPECT_EQ(lineAfter(logLines(), "Attempting to Restart CIU."), "CIU Restarted.");
}

TEST_F(ConnectionTest, RestartFormsFollowTheMode)
{
    m_comm->CiuMode = 0;
    m_comm->AddOption = 5;
    ASSERT_EQ(loadPoints({TestPoint{1, 1, 2, 3, 10, 5}}), 1);
    ASSERT_EQ(CiuOpenConnection(), 1);
    ASSERT_TRUE(waitForMonitoring());
    EXPECT_EQ(requestOf(requests(), 19), (std::vector<std::uint8_t>{19, 0, 10, 2, 0}));
    CiuCloseConnection();

    requests().clear();
    m_comm->CiuMode = 1;
    ASSERT_EQ(CiuOpenConnection(), 1);
    ASSERT_TRUE(waitForMonitoring());
    EXPECT_EQ(requestOf(requests(), 19), (std::vector<std::uint8_t>{19, 0, 10, 2, 0, 5}));
    CiuCloseConnection();

    // Mode 8 asks the CIU first: module mode 4 takes the long form.
    requests().clear();
    m_comm->CiuMode = 8;
    ASSERT_EQ(CiuOpenConnection(), 1);
    ASSERT_TRUE(waitForMonitoring());
    auto all = requests().all();
    ASSERT_GE(all.size(), 2u);
    EXPECT_EQ(all[0].command(), 69);
    EXPECT_EQ(all[1].payload, (std::vector<std::uint8_t>{19, 0, 10, 2, 0, 5}));
}

TEST_F(ConnectionTest, ModeEightLeavesARunningCiuAlone)
{
    ciusim::SimConfig config;
    config.startRestarted = true;
    startSimulator(config);
    m_comm->CiuMode = 9;
    ASSERT_EQ(loadPoints({TestPoint{1, 1, 2, 3, 10, 5}}), 1);
    ASSERT_EQ(CiuOpenConnection(), 1);
    ASSERT_TRUE(waitForMonitoring());
    EXPECT_EQ(requests().count(19), 0);
    EXPECT_EQ(requests().count(69), 2);  // the decision, then the identity after the restart
}

// Modes 8 and 9 ask the CIU first: the long form only for a CIU in module mode 4 that is
// not yet running, the short form when the status read fails or the mode is another.
TEST_F(ConnectionTest, ModesEightAndNineChooseTheRestartFormFromTheStatus)
{
    struct Case {
        int ciuMode, identityMode;
        bool statusRefused;
        std::vector<std::uint8_t> restart;
    };
    const Case cases[] = {
        {8, 4, true, {19, 0, 10, 2, 0}},
        {9, 3, false, {19, 0, 10, 2, 0}},
        {9, 4, false, {19, 0, 10, 2, 0, 5}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << "mode " << c.ciuMode << ", module mode " << c.identityMode);
        ciusim::SimConfig config;
        config.identity.mode = c.identityMode;
        startSimulator(config);
        if (c.statusRefused)
            m_sim->faults().replyCode(69, 5, 1);
        m_comm->CiuMode = c.ciuMode;
        m_comm->AddOption = 5;
        ASSERT_EQ(loadPoints({TestPoint{1, 1, 2, 3, 10, 5}}), 1);
        ASSERT_EQ(CiuOpenConnection(), 1);
        ASSERT_TRUE(waitForMonitoring());
        EXPECT_EQ(readSlot(1).establish, 0);
        CiuCloseConnection();
        auto all = requests().all();
        ASSERT_GE(all.size(), 2u);
        EXPECT_EQ(all[0].command(), 69);
        EXPECT_EQ(all[1].payload, c.restart);
    }
}

TEST_F(ConnectionTest, ReplyCodeNineToARestartIsAnsweredWithWatchdogZero)
{
    m_sim->faults().restart9();
    ASSERT_EQ(loadPoints({TestPoint{1, 1, 2, 3, 10, 5}}), 1);
    ASSERT_EQ(CiuOpenConnection(), 1);
    ASSERT_TRUE(waitForMonitoring());
    EXPECT_EQ(requestOf(requests(), 19, 0), (std::vector<std::uint8_t>{19, 0, 10, 2, 0, 0}));
    EXPECT_EQ(requestOf(requests(), 19, 1), (std::vector<std::uint8_t>{19, 0, 0, 2, 0, 0}));
    EXPECT_EQ(field(m_comm->RestartCount), 1);
    EXPECT_EQ(field(m_comm->ErrorCount), 0);
}

TEST_F(ConnectionTest, CompatibilityModeEstablishesAndConnectsSeparately)
{
    enableLog(false);
    m_comm->ForceCiu01Mode = 1;
    ASSERT_EQ(loadPoints({TestPoint{1, 1, 2, 3, 10, 5}, TestPoint{2, 1, 2, 3, 11, 7}}), 1);
    ASSERT_EQ(CiuOpenConnection(), 1);
    ASSERT_TRUE(waitForMonitoring());
    EXPECT_EQ(requests().count(49), 0);
    EXPECT_EQ(requests().count(1), 2);
    EXPECT_EQ(requestOf(requests(), 4, 1), (std::vector<std::uint8_t>{4, 0, 0, 2, 0, 2}));
    EXPECT_TRUE(contains(logLines(), "Using CIU01 Compatability Mode."));
}

TEST_F(ConnectionTest, ARefusedPointIsLoggedAndNotRead)
{
    enableLog(false);
    m_sim->faults().replyCode(49, 35, 1);
    ASSERT_EQ(loadPoints({TestPoint{1, 1, 2, 3, 10, 5}, TestPoint{2, 1, 2, 3, 11, 5}}), 1);
    ASSERT_EQ(CiuOpenConnection(), 1);
    ASSERT_TRUE(waitForMonitoring());
    EXPECT_EQ(readSlot(1).establish, 35);
    EXPECT_EQ(readSlot(2).establish, 0);
    EXPECT_EQ(requestOf(requests(), 6), (std::vector<std::uint8_t>{6, 0, 0, 2, 0, 2}));
    EXPECT_TRUE(contains(logLines(), "Error # 35 Establishing Index #1"));
}

TEST_F(ConnectionTest, AnUnpluggedCiuIsRestartedAndRecoversWhenPluggedBackIn)
{
    enableLog(false);
    ASSERT_EQ(loadPoints({TestPoint{1, 1, 2, 3, 10, 5}}), 1);
    ASSERT_EQ(CiuOpenConnection(), 1);
    ASSERT_TRUE(waitForMonitoring());
    ASSERT_TRUE(waitUntil([] { return readSlot(1).quality == 0; }));
    setField(m_comm->RxTimeout, 50);  // short from here on, so the unplugged CIU is noticed at once

    m_sim->unit().unplug();
    ASSERT_TRUE(waitForState(1));
    EXPECT_EQ(field(m_comm->Monitoring), 0);
    EXPECT_EQ(readSlot(1).quality, 1);
    EXPECT_EQ(readSlot(1).establish, -1);
    EXPECT_EQ(CiuCheckConnected(), 1);
    ASSERT_TRUE(waitUntil([&] { return field(m_comm->RestartCount) >= 3; }));  // failed restarts go on

    m_sim->unit().replug();
    ASSERT_TRUE(waitForMonitoring());
    EXPECT_TRUE(waitUntil([] { return readSlot(1).quality == 0; }));
    auto lines = logLines();
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "?? Exceptions Read."), 6);
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "?? Misc. Exceptions Read."), 6);
    EXPECT_TRUE(contains(lines, "Error Receiving CIU Command"));
}

// The serial adapter pulled out while collecting: the line hangs up, the thread opens the
// device again at each restart attempt and collects again once it is back, whether the
// simulator plugs its device back in or a new simulator links a new device at the path.
TEST_F(ConnectionTest, CollectionResumesWhenTheDeviceComesBackAfterAHangUp)
{
    const std::string link = m_dir + "/ciu";
    for (bool newSimulator : {false, true}) {
        SCOPED_TRACE(newSimulator ? "a new simulator at the path" : "the device plugged back in");
        std::filesystem::remove(logPath());
        enableLog(false);
        m_sim = std::make_unique<ciusim::PtyServer>();
        ASSERT_TRUE(m_sim->start(link)) << m_sim->errorText();
        useDevice(link);
        ASSERT_EQ(loadPoints({TestPoint{1, 1, 2, 3, 10, 5}}), 1);
        ASSERT_EQ(CiuOpenConnection(), 1);
        ASSERT_TRUE(waitForMonitoring());

        int restarts = field(m_comm->RestartCount);
        if (newSimulator)
            m_sim->stop();
        else
            ASSERT_TRUE(m_sim->unplugDevice());
        ASSERT_TRUE(waitUntil([&] { return state() == 1 && field(m_comm->RestartCount) >= restarts + 2; }));
        if (newSimulator) {
            m_sim = std::make_unique<ciusim::PtyServer>();
            ASSERT_TRUE(m_sim->start(link)) << m_sim->errorText();
        } else {
            ASSERT_TRUE(m_sim->replugDevice()) << m_sim->errorText();
        }
        ASSERT_TRUE(waitForMonitoring());
        EXPECT_TRUE(waitUntil([] { return readSlot(1).quality == 0 && readSlot(1).establish == 0; }));
        EXPECT_EQ(CiuCheckConnected(), 1);
        CiuCloseConnection();
        auto lines = logLines();
        EXPECT_TRUE(contains(lines, "Error Reopening Serial Port COM1"));
        EXPECT_EQ(std::count(lines.begin(), lines.end(), "COM1 Serial Port Reopened."), 1);
    }
}

// The CIU goes silent while the points are being established: after eleven slots that
// failed the thread reads no initial values but restarts, and once the CIU is back it
// establishes every point and collects.
TEST_F(ConnectionTest, ACiuThatDiesWhileEstablishingIsRestartedAndRecovers)
{
    enableLog(false);
    m_comm->RxTimeout = 20;
    m_comm->CommandPace = 30;
    ASSERT_EQ(loadPoints(thirtyPoints(3, 100, 5)), 1);
    ASSERT_EQ(CiuOpenConnection(), 1);
    ASSERT_TRUE(requests().waitForRequests(49, 2, std::chrono::seconds(5)));
    m_sim->unit().unplug();
    ASSERT_TRUE(waitUntil([&] { return field(m_comm->RestartCount) >= 3; }));
    EXPECT_EQ(state(), 1);
    EXPECT_EQ(field(m_comm->Monitoring), 0);

    m_sim->unit().replug();
    ASSERT_TRUE(waitForMonitoring());
    for (int s = 1; s <= 30; ++s)
        EXPECT_EQ(readSlot(s).establish, 0) << s;
    EXPECT_TRUE(waitUntil([] { return readSlot(30).quality == 0; }));
    CiuCloseConnection();
    auto lines = logLines();
    EXPECT_EQ(std::count_if(lines.begin(), lines.end(),
                            [](const std::string &l) { return l.rfind("Error Establishing Index #", 0) == 0; }),
              11);
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "30 Points Established."), 1);
    EXPECT_EQ(lineAfter(lines, "Reading Initial Values."), "Attempting to Restart CIU.");
}

// With exception reads off nothing is established or read by exception, the CIU's own
// status is not collected, and non-exception points are polled all the same.
TEST_F(ConnectionTest, CollectingWithExceptionReadsOffPollsOnlyNonExceptionPoints)
{
    m_comm->ExpReadsEnabled = 0;
    m_comm->NonExpEnabled = 1;
    m_sim->unit().setPoint(PlantAddress{1, 2, 7, 501}, 12.5, false);
    ASSERT_EQ(loadPoints({TestPoint{1, 1, 2, 3, 10, 5}, TestPoint{2, 1, 2, 7, 501, 99}}), 1);
    ASSERT_EQ(CiuOpenConnection(), 1);
    ASSERT_TRUE(waitForMonitoring());
    ASSERT_TRUE(requests().waitForRequests(20, 3, std::chrono::seconds(5)));
    EXPECT_EQ(readSlot(2).value, 12.5);
    EXPECT_EQ(readSlot(2).quality, 0);
    EXPECT_EQ(readSlot(1).establish, -1);
    EXPECT_EQ(readSlot(1).quality, 1);
    EXPECT_EQ(readSlot(0).establish, -1);
    EXPECT_EQ(vantor::driver().points.type(0), 0);
    for (int command : {1, 4, 6, 8, 21, 22, 49})
        EXPECT_EQ(requests().count(command), 0) << command;
    EXPECT_EQ(field(m_comm->ErrorCount), 0);
}

TEST_F(ConnectionTest, AStatusRequestRejectedTwentyOneTimesRestartsTheCiu)
{
    enableLog(false);
    m_sim->faults().replyCode(22, 5, 21);
    ASSERT_EQ(loadPoints({TestPoint{1, 1, 2, 3, 10, 5}}), 1);
    ASSERT_EQ(CiuOpenConnection(), 1);
    ASSERT_TRUE(waitUntil([&] { return field(m_comm->RestartCount) == 2 && field(m_comm->Monitoring) == 1; }));
    auto lines = logLines();
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "CIU Reply Code Error #5"), 21);
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "Starting Data Exception Monitoring Loop."), 2);
}

TEST_F(ConnectionTest, ClosingDuringTheRestartWaitWaitsItOutAndTakesTheCiuOffLine)
{
    m_comm->RestartDelay = 400;
    ASSERT_EQ(loadPoints({TestPoint{1, 1, 2, 3, 10, 5}}), 1);
    ASSERT_EQ(CiuOpenConnection(), 1);
    ASSERT_TRUE(requests().waitForRequests(19, 1, std::chrono::seconds(5)));
    EXPECT_EQ(CiuCloseConnection(), 1);
    EXPECT_EQ(CiuCheckConnected(), 0);
    EXPECT_EQ(state(), 0);
    EXPECT_EQ(requests().count(49), 0);  // nothing was established after the close
    EXPECT_EQ(requests().all().back().payload, (std::vector<std::uint8_t>{44, 0, 0}));
}

TEST_F(ConnectionTest, ClosingEndsAPendingReceiveAtOnce)
{
    m_comm->RxTimeout = 600000;
    ASSERT_EQ(loadPoints({TestPoint{1, 1, 2, 3, 10, 5}}), 1);
    ASSERT_EQ(CiuOpenConnection(), 1);
    ASSERT_TRUE(waitForMonitoring());
    m_sim->faults().setNoReply(true);
    int before = requests().count(8) + requests().count(22);
    ASSERT_TRUE(waitUntil([&] { return requests().count(8) + requests().count(22) > before; }));
    // The thread now waits for a reply that never comes; the close must not wait it out
    // (it would run into the test's own time limit).
    EXPECT_EQ(CiuCloseConnection(), 1);
    EXPECT_EQ(CiuCheckConnected(), 0);
}

TEST_F(ConnectionTest, ReopeningARunningConnectionStartsItAnew)
{
    ASSERT_EQ(loadPoints({TestPoint{1, 1, 2, 3, 10, 5}}), 1);
    ASSERT_EQ(CiuOpenConnection(), 1);
    ASSERT_TRUE(waitForMonitoring());
    ASSERT_EQ(loadPoints({TestPoint{1, 1, 2, 3, 10, 5}, TestPoint{2, 1, 2, 3, 20, 7}}), 1);
    ASSERT_EQ(CiuOpenConnection(), 1);
    ASSERT_TRUE(waitUntil([] { return readSlot(2).establish == 0; }));
    EXPECT_EQ(requests().count(19), 2);
    EXPECT_TRUE(waitForMonitoring());
}

TEST_F(ConnectionTest, StepModeRunsOneCycleForEachStepRequest)
{
    m_comm->RunContinuous = 0;
    ASSERT_EQ(loadPoints({TestPoint{1, 1, 2, 3, 10, 5}}), 1);
    ASSERT_EQ(CiuOpenConnection(), 1);
    ASSERT_TRUE(waitUntil([&] { return field(m_comm->StepRequest) == 0; }));
    int cycles = requests().count(8);
    EXPECT_EQ(cycles, 1);
    setField(m_comm->StepRequest, 1);
    ASSERT_TRUE(requests().waitForRequests(8, 2, std::chrono::seconds(5)));
    ASSERT_TRUE(waitUntil([&] { return field(m_comm->StepRequest) == 0; }));
    EXPECT_EQ(requests().count(8), 2);
    setField(m_comm->RunContinuous, 1);
    EXPECT_TRUE(requests().waitForRequests(8, 5, std::chrono::seconds(5)));
}

TEST_F(ConnectionTest, NonExceptionPointsArePolledInTurnUpToTheLastSlot)
{
    m_comm->NonExpEnabled = 1;
    m_comm->NonExpPoints = 1;
    ASSERT_EQ(loadPoints(thirtyPoints(7, 500, 99)), 1);
    m_sim->unit().setPoint(PlantAddress{1, 2, 7, 530}, 17.5, false);
    ASSERT_EQ(CiuOpenConnection(), 1);
    ASSERT_TRUE(waitForMonitoring());
    int initial = requests().count(20);
    EXPECT_EQ(initial, 30);  // every slot's initial value
    ASSERT_TRUE(requests().waitForRequests(20, initial + 31, std::chrono::seconds(10)));
    std::vector<int> blocks;
    for (const auto &r : requests().all())
        if (r.command() == 20)
            blocks.push_back((r.payload[6] << 8) | r.payload[7]);
    for (int k = 0; k < 31; ++k)
        EXPECT_EQ(blocks[static_cast<std::size_t>(initial + k)], 501 + k % 30) << k;
    EXPECT_EQ(readSlot(30).value, 17.5);
}

TEST_F(ConnectionTest, OutputPointsAreWrittenWhenTheProgramHandsThemOver)
{
    m_comm->WriteEnabled = 1;
    ASSERT_EQ(loadPoints({TestPoint{1, 0, 0, 0, 0, 12, 0, 5.0, 6.0, 90.0, 10.0}, TestPoint{2, 0, 0, 0, 0, 13, 1}}), 1);
    ASSERT_EQ(CiuOpenConnection(), 1);
    ASSERT_TRUE(waitForMonitoring());
    EXPECT_EQ(requests().count(2), 2);
    EXPECT_EQ(readSlot(1).establish, 0);
    int establish = 9, pending = 9;
    CiuWriteToValueArray(1, 95.0, 0, &establish, &pending);
    EXPECT_EQ(establish, 0);
    EXPECT_EQ(pending, 0);
    CiuWriteToValueArray(2, 1.0, 0, &establish, &pending);
    ASSERT_TRUE(requests().waitForRequests(10, 2, std::chrono::seconds(5)));
    auto analog = m_sim->unit().lastOutput(1);
    ASSERT_TRUE(analog.has_value());
    EXPECT_EQ(analog->value, 95.0);
    EXPECT_EQ(requestOf(requests(), 10, 1), (std::vector<std::uint8_t>{10, 0, 0, 2, 0x41, 0, 0, 0}));
    EXPECT_TRUE(waitUntil([] { return readSlot(1).pending == 0; }));
}

TEST_F(ConnectionTest, ABlockIsReadTunedAndReadBackThroughTheThread)
{
    ciusim::SimConfig config;
    config.blocks.push_back(ciusim::FunctionBlock(
        PlantAddress{1, 2, 5, 300}, 19,
        {ciusim::SpecGroup{2, true, 0, 2}, ciusim::SpecGroup{1, false, 0, 4}, ciusim::SpecGroup{1, true, 0, 5}}));
    startSimulator(config);
    ASSERT_TRUE(m_sim->unit().setBlockSpec(PlantAddress{1, 2, 5, 300}, 3, 12));
    ASSERT_EQ(loadPoints({TestPoint{1, 1, 2, 3, 10, 5}}), 1);
    ASSERT_EQ(CiuOpenConnection(), 1);
    ASSERT_TRUE(waitForMonitoring());

    CiuResetTuneRequest();
    ASSERT_EQ(CiuRequestReadTuneSpecs(1, 2, 5, 300), 1);
    ASSERT_TRUE(waitUntil([] { return CiuIsTunePending() == 0; }));
    ASSERT_EQ(CiuGetTuneErrorStatus(), 0);
    EXPECT_EQ(CiuGetTuneFunctionCode(), 19);
    ASSERT_EQ(CiuGetTuneSpecCount(), 4);
    EXPECT_EQ(CiuGetTuneSpecValue(3), 12.0);
    EXPECT_EQ(CiuGetTuneSpecTunable(3), 0);
    EXPECT_EQ(CiuSetTuneSpecValue(1, 37.5), 1);
    EXPECT_EQ(CiuSetTuneSpecValue(4, -120), 1);

    ASSERT_EQ(CiuRequestWriteTuneSpecs(), 1);
    ASSERT_TRUE(waitUntil([] { return CiuIsTunePending() == 0; }));
    auto block = m_sim->unit().block(PlantAddress{1, 2, 5, 300});
    ASSERT_TRUE(block.has_value());
    EXPECT_EQ(block->specValue(1), 37.5);
    EXPECT_EQ(block->specValue(4), -120.0);

    ASSERT_EQ(CiuRequestReadTuneSpecs(1, 2, 5, 300), 1);
    ASSERT_TRUE(waitUntil([] { return CiuIsTunePending() == 0; }));
    EXPECT_EQ(CiuGetTuneSpecValue(1), 37.5);
    EXPECT_EQ(CiuGetTuneSpecValue(4), -120.0);
    EXPECT_EQ(field(m_comm->ErrorCount), 0);
}

TEST_F(ConnectionTest, ARefusedTuneWriteIsLoggedAndKeepsTheImage)
{
    enableLog(false);
    ciusim::SimConfig config;
    config.blocks.push_back(ciusim::FunctionBlock(PlantAddress{1, 2, 5, 301}, 19, {ciusim::SpecGroup{1, false, 0, 2}}));
    startSimulator(config);
    ASSERT_EQ(loadPoints({TestPoint{1, 1, 2, 3, 10, 5}}), 1);
    ASSERT_EQ(CiuOpenConnection(), 1);
    ASSERT_TRUE(waitForMonitoring());
    ASSERT_EQ(CiuRequestReadTuneSpecs(1, 2, 5, 301), 1);
    ASSERT_TRUE(waitUntil([] { return CiuIsTunePending() == 0; }));
    EXPECT_EQ(CiuSetTuneSpecValue(1, 5.0), 1);  // a spec that is not tunable: the CIU refuses
    ASSERT_EQ(CiuRequestWriteTuneSpecs(), 1);
    ASSERT_TRUE(waitUntil([] { return CiuIsTunePending() == 0; }));
    EXPECT_EQ(CiuGetTuneSpecValue(1), 5.0);
    EXPECT_EQ(m_sim->unit().block(PlantAddress{1, 2, 5, 301})->specValue(1), 0.0);
    CiuCloseConnection();
    auto lines = logLines();
    EXPECT_TRUE(std::any_of(lines.begin(), lines.end(),
                            [](const std::string &l) { return l.rfind("CIU Reply Code Error #", 0) == 0; }));
    EXPECT_TRUE(contains(lines, "Error Tuning Block 01-02-05-0301  FC 19."));
}

// The program gives up on a slow read (reset) and asks for another block while the
// thread still waits for the first reply: the late reply is dropped, and the second
// request is served and answered with its own block.
TEST_F(ConnectionTest, ALateTuneReplyIsNotTakenForTheNextRequest)
{
    ASSERT_EQ(loadPoints({TestPoint{1, 1, 2, 3, 10, 5}}), 1);
    ASSERT_EQ(CiuOpenConnection(), 1);
    ASSERT_TRUE(waitForMonitoring());
    m_sim->faults().slow(150);
    ASSERT_EQ(CiuRequestReadTuneSpecs(1, 1, 2, 10), 1);  // PID, FC 19
    ASSERT_TRUE(requests().waitForRequests(13, 1, std::chrono::seconds(5)));
    CiuResetTuneRequest();
    ASSERT_EQ(CiuRequestReadTuneSpecs(1, 1, 2, 20), 1);  // Summer, FC 15
    m_sim->faults().slow(0);
    ASSERT_TRUE(waitUntil([] { return CiuIsTunePending() == 0; }));
    EXPECT_EQ(CiuGetTuneErrorStatus(), 0);
    EXPECT_EQ(CiuGetTuneFunctionCode(), 15);
    EXPECT_EQ(CiuGetTuneSpecCount(), 4);
    EXPECT_EQ(requests().count(13), 2);
}

namespace {

const Bytes kRunningStatus{0, 4, 4, 0, 0, 1, 1, 2, 1};
const Bytes kGarbled{0x00, 0x01, 0x0D};  // a checksum that does not match

}  // namespace

// An establish attempt that fails on the line is made once more, the same request again
// (in compatibility mode the establish and the connect both); a second failure is kept as
// the point's establish status.  The scripted CIU answers each request in turn.
TEST_F(DriverTest, AFailedEstablishIsTriedOnceMore)
{
    struct Case {
        const char *name;
        bool compatibility;
        std::vector<PeerReply> replies;  // after the status read
        std::vector<int> commands;       // the requests, status read first
        int status;
    };
    const PeerReply ok{PeerReply::Payload, {0}}, garbled{PeerReply::Raw, kGarbled};
    const Case cases[] = {
        {"establish and connect fails once", false, {garbled, ok}, {69, 49, 49}, 0},
        {"establish and connect fails twice", false, {garbled, garbled}, {69, 49, 49}, -2},
        {"the connect fails once", true, {ok, garbled, ok, ok}, {69, 1, 4, 1, 4}, 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        PtyPeer peer;
        useDevice(peer.devicePath());
        m_comm->CiuMode = 7;  // no restart command: the status read comes first
        m_comm->ForceCiu01Mode = c.compatibility ? 1 : 0;
        m_comm->RxTimeout = 50;
        peer.replyPayload(kRunningStatus);
        for (const PeerReply &reply : c.replies) {
            if (reply.kind == PeerReply::Payload)
                peer.replyPayload(reply.bytes);
            else
                peer.replyRaw(reply.bytes);
        }
        ASSERT_EQ(loadPoints({TestPoint{1, 1, 2, 3, 10, 5}}), 1);
        ASSERT_EQ(CiuOpenConnection(), 1);
        ASSERT_TRUE(waitUntil([&] { return readSlot(1).establish != -1; }));
        EXPECT_EQ(readSlot(1).establish, c.status);
        CiuCloseConnection();
        auto requests = peer.requests();
        ASSERT_GE(requests.size(), c.commands.size());
        std::size_t first = c.commands.size() / 2 + 1;  // where the second attempt begins
        for (std::size_t i = 0; i < c.commands.size(); ++i) {
            EXPECT_EQ(requests[i].payload.at(0), c.commands[i]) << i;
            if (i >= first) {
                EXPECT_EQ(requests[i].payload, requests[i - first + 1].payload) << i;
            }
        }
    }
}
