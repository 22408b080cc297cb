// The simulator on a real pseudo-terminal, driven by a raw client as the station would:
// requests and replies, the device link, faults on the wire, the cable, and prompt stops.
#include "ciusim/commands.h"
#include "ciusim/frame_splitter.h"
#include "ciusim/pty_server.h"
#include "driver/framing.h"
#include "tests/ciusim/sim_test_support.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace ciusim {
namespace {

using namespace ciusim::test;
using namespace std::chrono_literals;
namespace cmd = ciusim::command;

const Bytes kStatus{cmd::kReadStatus, 0};
const Bytes kUnrestartedStatus{0, 4, 4, 0, 0, 0, 0, 2, 1};

class PtyServerTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_server.start()) << m_server.errorText(); }

    PtyServer m_server;
};

TEST_F(PtyServerTest, AnswersTheStationsRequestsInOrder)
{
    RawClient client(m_server.devicePath());
    ASSERT_TRUE(client.isOpen());
    EXPECT_EQ(client.exchange(kStatus), kUnrestartedStatus);
    EXPECT_EQ(client.exchange(restartLong()), Bytes{0});
    EXPECT_EQ(client.exchange(establishAndConnect(1, 2, {1, 1, 5, 100})), Bytes{0});
    EXPECT_TRUE(m_server.unit().point(1).connected);
    std::vector<RequestRecord> seen = m_server.requests().all();
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(seen[1].payload, restartLong());
    EXPECT_TRUE(seen[2].valid);
}

TEST_F(PtyServerTest, RequestsSplitAcrossWritesAndBackToBackAreEachAnswered)
{
    RawClient client(m_server.devicePath());
    Bytes wire = frame(kStatus);
    ASSERT_TRUE(client.send(std::span(wire).first(2)));
    ASSERT_TRUE(client.send(std::span(wire).subspan(2)));
    EXPECT_EQ(unframe(client.receive(2s)), kUnrestartedStatus);
    Bytes two = frame(kStatus);
    Bytes second = frame(restartLong());
    two.insert(two.end(), second.begin(), second.end());
    ASSERT_TRUE(client.send(two));
    Bytes replies = client.receive(2s, frame(kUnrestartedStatus).size() + frame(Bytes{0}).size());
    EXPECT_EQ(replies.back(), vantor::kFrameEnd);
    EXPECT_TRUE(m_server.requests().waitForRequests(cmd::kRestart, 1, 2s));
}

TEST_F(PtyServerTest, BadFramesAreRecordedAndTheNextGoodOneAnswered)
{
    RawClient client(m_server.devicePath());
    Bytes spoilt = frame(kStatus);
    spoilt[spoilt.size() - 2] ^= 0x01;
    ASSERT_TRUE(client.send(spoilt));
    ASSERT_TRUE(m_server.requests().waitUntil([&] { return m_server.requests().invalidCount() == 1; }, 2s));
    EXPECT_EQ(client.exchange(kStatus), kUnrestartedStatus);
}

TEST_F(PtyServerTest, WireFaultsReachTheStation)
{
    RawClient client(m_server.devicePath());
    m_server.faults().badChecksum(1);
    ASSERT_TRUE(client.send(frame(kStatus)));
    Bytes spoilt = client.receive(2s);
    ASSERT_FALSE(spoilt.empty());
    EXPECT_TRUE(unframe(spoilt).empty());
    m_server.faults().endless();
    ASSERT_TRUE(client.send(frame(kStatus)));
    Bytes endless = client.receive(5s, vantor::kSerialBufferSize + 1);
    EXPECT_GT(endless.size(), vantor::kSerialBufferSize);
    EXPECT_EQ(std::count(endless.begin(), endless.end(), vantor::kFrameEnd), 0);
}

TEST_F(PtyServerTest, ASlowReplyComesAfterItsDelay)
{
    RawClient client(m_server.devicePath());
    m_server.faults().slow(60);
    auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(client.exchange(kStatus), kUnrestartedStatus);
    EXPECT_GE(std::chrono::steady_clock::now() - start, 60ms);
}

TEST_F(PtyServerTest, UnpluggedTheUnitIsSilentAndReturnsUnrestarted)
{
    RawClient client(m_server.devicePath());
    ASSERT_EQ(client.exchange(restartLong()), Bytes{0});
    m_server.unit().unplug();
    ASSERT_TRUE(client.send(frame(kStatus)));
    ASSERT_TRUE(m_server.requests().waitUntil([&] { return m_server.unit().ignoredFrames() == 1; }, 2s));
    m_server.unit().replug();
    EXPECT_EQ(client.exchange(kStatus), kUnrestartedStatus);
}

TEST_F(PtyServerTest, TheDeviceCanBeClosedAndReopenedByTheStation)
{
    {
        RawClient first(m_server.devicePath());
        EXPECT_EQ(first.exchange(kStatus), kUnrestartedStatus);
    }
    RawClient again(m_server.devicePath());
    EXPECT_EQ(again.exchange(kStatus), kUnrestartedStatus);
}

TEST_F(PtyServerTest, StoppingIsPromptWhileAClientHoldsTheDevice)
{
    RawClient client(m_server.devicePath());
    ASSERT_EQ(client.exchange(kStatus), kUnrestartedStatus);
    m_server.faults().slow(60000);
    ASSERT_TRUE(client.send(frame(kStatus)));
    ASSERT_TRUE(m_server.requests().waitForRequests(cmd::kReadStatus, 2, 2s));
    auto start = std::chrono::steady_clock::now();
    m_server.stop();
    EXPECT_LT(std::chrono::steady_clock::now() - start, 1s);
    EXPECT_FALSE(m_server.running());
    EXPECT_TRUE(client.waitForHangup(2s));
}

TEST(FrameSplitter, SplitsAtEachFrameEndAndHandsOverRunsWithoutOne)
{
    FrameSplitter splitter(8);
    splitter.append(Bytes{1, 2});
    EXPECT_FALSE(splitter.next());
    splitter.append(Bytes{3, 0x0D, 4, 0x0D, 5});
    EXPECT_EQ(splitter.next(), (Bytes{1, 2, 3, 0x0D}));
    EXPECT_EQ(splitter.next(), (Bytes{4, 0x0D}));
    EXPECT_FALSE(splitter.next());
    splitter.append(Bytes(8, 0x55));
    EXPECT_EQ(splitter.next()->size(), 9u);
    EXPECT_EQ(splitter.buffered(), 0u);
}

TEST(PtyServerLink, TheLinkNamesTheDeviceAndGoesAwayOnStop)
{
    TempDir dir;
    std::string link = dir.file("ciu");
    std::filesystem::create_symlink("/nonexistent/stale", link);
    PtyServer server;
    ASSERT_TRUE(server.start(link)) << server.errorText();
    EXPECT_EQ(std::filesystem::read_symlink(link), server.devicePath());
    RawClient client(link);
    EXPECT_EQ(client.exchange(kStatus), kUnrestartedStatus);
    server.stop();
    EXPECT_FALSE(std::filesystem::is_symlink(link));
}

TEST(PtyServerLink, APulledDeviceHangsUpAndComesBackUnderItsLink)
{
    TempDir dir;
    std::string link = dir.file("ciu");
    PtyServer server;
    EXPECT_FALSE(server.replugDevice());
    ASSERT_TRUE(server.start(link)) << server.errorText();
    RawClient client(link);
    EXPECT_EQ(client.exchange(restartLong()), Bytes{0});
    std::string first = server.devicePath();

    ASSERT_TRUE(server.unplugDevice());
    EXPECT_TRUE(client.waitForHangup(2s));
    EXPECT_FALSE(std::filesystem::is_symlink(link));
    EXPECT_FALSE(server.unplugDevice());

    ASSERT_TRUE(server.replugDevice()) << server.errorText();
    EXPECT_NE(server.devicePath(), first);
    EXPECT_EQ(std::filesystem::read_symlink(link), server.devicePath());
    RawClient again(link);
    EXPECT_EQ(again.exchange(kStatus), kUnrestartedStatus);  // the unit forgot its restart
    EXPECT_FALSE(server.replugDevice());
}

TEST(PtyServerLink, ARegularFileIsNeverReplaced)
{
    TempDir dir;
    std::string path = dir.file("ciu");
    std::ofstream(path) << "keep me";
    PtyServer server;
    EXPECT_FALSE(server.start(path));
    EXPECT_NE(server.errorText().find("not a symbolic link"), std::string::npos) << server.errorText();
    EXPECT_FALSE(server.running());
    EXPECT_TRUE(std::filesystem::is_regular_file(path));
}

}  // namespace
}  // namespace ciusim
