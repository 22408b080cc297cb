// Faults and observation on the whole unit, without a terminal: each wire fault spoils
// exactly the replies it should, protocol faults replace replies, the cable can be
// pulled, and every request is recorded.
#include "ciusim/ciu_unit.h"
#include "ciusim/commands.h"
#include "ciusim/reply_codes.h"
#include "driver/framing.h"
#include "tests/ciusim/sim_test_support.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace ciusim {
namespace {

using namespace ciusim::test;
namespace cmd = ciusim::command;
using vantor::FrameError;

const Bytes kStatus{cmd::kReadStatus, 0};

class UnitFaultsTest : public ::testing::Test {
protected:
    // The bytes the unit sends back for one request, or none.
    std::optional<Bytes> wire(const Bytes &payload)
    {
        std::optional<CiuUnit::Outgoing> out = m_unit.handleFrame(frame(payload));
        return out ? std::optional<Bytes>(out->bytes) : std::nullopt;
    }

    FrameError errorOf(const Bytes &bytes)
    {
        Bytes decoded(vantor::kMaxDecodedReply);
        return vantor::decodeFrame(bytes, decoded).error;
    }

    CiuUnit m_unit;
};

TEST_F(UnitFaultsTest, WireFaultsSpoilTheNextRepliesOnly)
{
    m_unit.faults().badChecksum(2);
    EXPECT_EQ(errorOf(*wire(kStatus)), FrameError::BadChecksum);
    EXPECT_EQ(errorOf(*wire(kStatus)), FrameError::BadChecksum);
    EXPECT_EQ(unframe(*wire(kStatus)), (Bytes{0, 4, 4, 0, 0, 0, 0, 2, 1}));

    m_unit.faults().badEscape(1);
    EXPECT_EQ(errorOf(*wire(kStatus)), FrameError::BadEscape);

    m_unit.faults().garbage(3);
    for (int i = 0; i < 3; ++i) {
        Bytes garbage = *wire(kStatus);
        EXPECT_EQ(garbage.back(), vantor::kFrameEnd);
        EXPECT_NE(errorOf(garbage), FrameError::None);
    }

    m_unit.faults().truncate(1);
    Bytes truncated = *wire(kStatus);
    EXPECT_EQ(errorOf(truncated), FrameError::NoEnd);
    EXPECT_EQ(unframe(*wire(kStatus)).size(), 9u);
}

TEST_F(UnitFaultsTest, EndlessAndOversizeRepliesOverrunTheStationsBuffer)
{
    m_unit.faults().endless();
    Bytes endless = *wire(kStatus);
    EXPECT_GT(endless.size(), vantor::kSerialBufferSize);
    EXPECT_EQ(std::count(endless.begin(), endless.end(), vantor::kFrameEnd), 0);

    m_unit.faults().oversize();
    Bytes oversize = *wire(kStatus);
    EXPECT_EQ(oversize.back(), vantor::kFrameEnd);
    EXPECT_EQ(errorOf(oversize), FrameError::TooLong);
    EXPECT_EQ(errorOf(*wire(kStatus)), FrameError::None);
}

TEST_F(UnitFaultsTest, ReplyCodesForACommandLastTheirCountOrUntilCleared)
{
    m_unit.faults().replyCode(cmd::kReadStatus, 7, 2);
    EXPECT_EQ(unframe(*wire(kStatus)), Bytes{7});
    EXPECT_EQ(unframe(*wire(kStatus)), Bytes{7});
    EXPECT_EQ(unframe(*wire(kStatus)).size(), 9u);

    m_unit.faults().replyCode(cmd::kRestart, 12);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(unframe(*wire(restartLong())), Bytes{12});
    EXPECT_FALSE(m_unit.restarted());
    m_unit.faults().clear();
    EXPECT_EQ(unframe(*wire(restartLong())), Bytes{0});
    EXPECT_TRUE(m_unit.restarted());
}

TEST_F(UnitFaultsTest, Restart9RefusesTheFirstRestartWithAWatchdogOnly)
{
    m_unit.faults().restart9();
    EXPECT_EQ(unframe(*wire(restartLong(0))), Bytes{0});
    EXPECT_EQ(unframe(*wire(restartLong(10))), Bytes{reply::kRestartAgain});
    EXPECT_EQ(unframe(*wire(restartLong(0))), Bytes{0});
    EXPECT_EQ(unframe(*wire(restartLong(10))), Bytes{0});
}

TEST_F(UnitFaultsTest, AnOverrideIsTheNextReplyToItsCommandExactly)
{
    ASSERT_EQ(unframe(*wire(restartLong())), Bytes{0});
    const Bytes record40{0, 1, 0, 40, 0x00, 0x02, 0x80, 0x00};
    m_unit.faults().overrideNext(cmd::kReadExceptions, record40);
    EXPECT_EQ(unframe(*wire(kStatus)).size(), 9u);
    EXPECT_EQ(unframe(*wire({cmd::kReadExceptions, 0, 0})), record40);
    EXPECT_EQ(unframe(*wire({cmd::kReadExceptions, 0, 0})), (Bytes{0, 0}));
}

TEST_F(UnitFaultsTest, NoReplySilenceAndSlowRepliesAreRecordedAsUsual)
{
    m_unit.faults().setNoReply(true);
    EXPECT_FALSE(wire(kStatus));
    m_unit.faults().setNoReply(false);
    m_unit.faults().slow(250);
    std::optional<CiuUnit::Outgoing> out = m_unit.handleFrame(frame(kStatus));
    ASSERT_TRUE(out);
    EXPECT_EQ(out->delayMs, 250);
    EXPECT_EQ(m_unit.requests().count(cmd::kReadStatus), 2);
    m_unit.faults().clear();
    m_unit.faults().silence(cmd::kReadStatus, 2);
    EXPECT_NE(m_unit.faults().describe().find("silence69=2"), std::string::npos);
    EXPECT_FALSE(wire(kStatus));
    EXPECT_TRUE(wire(restartLong())) << "another command is answered";
    EXPECT_FALSE(wire(kStatus));
    EXPECT_TRUE(wire(kStatus)) << "the count is spent";
    EXPECT_EQ(m_unit.requests().count(cmd::kReadStatus), 5);
}

TEST_F(UnitFaultsTest, InvalidFramesAreRecordedButNotAnswered)
{
    Bytes spoilt = frame(kStatus);
    spoilt[spoilt.size() - 2] ^= 0x01;  // the checksum
    EXPECT_FALSE(m_unit.handleFrame(spoilt));
    EXPECT_FALSE(m_unit.handleFrame(Bytes{vantor::kFrameEnd}));
    std::vector<RequestRecord> seen = m_unit.requests().all();
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_FALSE(seen[0].valid);
    EXPECT_EQ(seen[0].error, FrameError::BadChecksum);
    EXPECT_EQ(seen[0].command(), cmd::kReadStatus);
    EXPECT_EQ(m_unit.requests().invalidCount(), 2);
    EXPECT_EQ(m_unit.requests().count(cmd::kReadStatus), 0);
}

TEST_F(UnitFaultsTest, UnpluggedTheUnitHearsNothingAndComesBackUnrestarted)
{
    ASSERT_EQ(unframe(*wire(restartLong())), Bytes{0});
    ASSERT_TRUE(m_unit.online());
    m_unit.unplug();
    EXPECT_FALSE(wire(kStatus));
    EXPECT_EQ(m_unit.ignoredFrames(), 1);
    EXPECT_EQ(m_unit.requests().size(), 1u);
    m_unit.replug();
    EXPECT_EQ(unframe(*wire(kStatus)), (Bytes{0, 4, 4, 0, 0, 0, 0, 2, 1}));
    EXPECT_EQ(unframe(*wire({cmd::kReadExceptions, 0, 0})), Bytes{reply::kNotRestarted});
}

TEST_F(UnitFaultsTest, WaitsEndWhenTheRequestsArriveOrTheDeadlinePasses)
{
    EXPECT_FALSE(m_unit.requests().waitForRequests(cmd::kReadStatus, 1, std::chrono::milliseconds(20)));
    std::thread sender([this] {
        for (int i = 0; i < 3; ++i)
            m_unit.handleFrame(frame(kStatus));
    });
    EXPECT_TRUE(m_unit.requests().waitForRequests(cmd::kReadStatus, 3, std::chrono::seconds(5)));
    sender.join();
}

TEST(RequestLog, CountsEveryRequestButKeepsOnlyTheRecentOnes)
{
    RequestLog log(3);
    for (std::uint8_t i = 0; i < 5; ++i)
        log.record(RequestRecord{{cmd::kReadExceptions, 0, i}, true, FrameError::None});
    log.record(RequestRecord{{cmd::kReadStatus}, false, FrameError::BadChecksum});
    EXPECT_EQ(log.size(), 6u);
    EXPECT_EQ(log.count(cmd::kReadExceptions), 5);
    EXPECT_EQ(log.count(cmd::kReadStatus), 0);
    EXPECT_EQ(log.invalidCount(), 1);
    std::vector<RequestRecord> kept = log.all();
    ASSERT_EQ(kept.size(), 3u);
    EXPECT_EQ(kept[0].payload, (Bytes{cmd::kReadExceptions, 0, 3}));
    log.clear();
    EXPECT_EQ(log.size(), 0u);
    EXPECT_EQ(log.count(cmd::kReadExceptions), 0);
}

// Faults and plant changes from one thread while another serves requests (run under
// the thread sanitizer, this finds unguarded state).
TEST_F(UnitFaultsTest, FaultsAndPlantChangeSafelyWhileRequestsAreServed)
{
    std::atomic<bool> done{false};
    std::thread server([&] {
        m_unit.handleFrame(frame(restartLong()));
        m_unit.handleFrame(frame(establishAndConnect(1, 2, {1, 1, 5, 100})));
        while (!done.load()) {
            m_unit.handleFrame(frame(Bytes{cmd::kReadExceptions, 0, 0}));
            m_unit.handleFrame(frame(Bytes{cmd::kReadStatusExceptions, 0, 0}));
        }
    });
    for (int i = 0; i < 200; ++i) {
        m_unit.faults().badChecksum(1);
        m_unit.faults().replyCode(cmd::kReadExceptions, 5, 1);
        m_unit.setPoint({1, 1, 5, 100}, i, i % 2 == 0);
        m_unit.setModuleStatus(i % 4);
        (void)m_unit.statusLine();
    }
    EXPECT_TRUE(m_unit.requests().waitForRequests(cmd::kReadExceptions, 50, std::chrono::seconds(10)));
    done.store(true);
    server.join();
}

}  // namespace
}  // namespace ciusim
