// The protocol responder: reply layouts byte for byte, the refusals and their codes,
// exception reporting of changes only, restart and output points.
#include "ciusim/commands.h"
#include "ciusim/protocol.h"
#include "ciusim/reply_codes.h"
#include "tests/ciusim/sim_test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>

namespace ciusim {
namespace {

using namespace ciusim::test;
namespace cmd = ciusim::command;

const PlantAddress kFlow{1, 1, 5, 100};
const PlantAddress kPump{1, 1, 5, 101};
const PlantAddress kValve{1, 1, 5, 102};
const PlantAddress kModule{1, 1, 6, 1};

class ProtocolTest : public ::testing::Test {
protected:
    ProtocolTest()
    {
        m_unit.plant().setValue(kFlow, 42.0, false);
        m_unit.plant().setValue(kPump, 1.0, false);
        m_unit.plant().setValue(kValve, 2.0, false);
    }

    Bytes ask(const Bytes &request) { return m_unit.respond(request, m_now).value_or(Bytes{0xEE}); }

    void restart() { ASSERT_EQ(ask(restartLong()), Bytes{0}); }

    Responder m_unit;
    double m_now = 10.0;
};

TEST_F(ProtocolTest, StatusReportsIdentityAndRestartAndOnlineState)
{
    EXPECT_EQ(ask({cmd::kReadStatus, 0}), (Bytes{0, 4, 4, 0, 0, 0, 0, 2, 1}));
    restart();
    ASSERT_EQ(ask(establishAndConnect(1, 2, kFlow)), Bytes{0});
    EXPECT_EQ(ask({cmd::kReadStatus, 0}), (Bytes{0, 4, 4, 1, 1, 1, 1, 2, 1}));
    EXPECT_EQ(ask({cmd::kOnline, 0, 0}), Bytes{0});
    EXPECT_EQ(ask({cmd::kReadStatus, 0})[6], 0);
    EXPECT_FALSE(m_unit.online());
}

TEST_F(ProtocolTest, WrongRequestsGetTheirReplyCodes)
{
    EXPECT_FALSE(m_unit.respond(Bytes{}, m_now).has_value());
    EXPECT_EQ(ask({99, 0}), Bytes{reply::kUnknownCommand});
    EXPECT_EQ(ask({cmd::kReadStatus, 1}), Bytes{reply::kMalformed});
    EXPECT_EQ(ask({cmd::kReadStatus}), Bytes{reply::kMalformed});
    EXPECT_EQ(ask({cmd::kRestart, 0, 10, 2}), Bytes{reply::kMalformed});
    EXPECT_EQ(ask({cmd::kReadExceptions, 0, 0}), Bytes{reply::kNotRestarted});
    EXPECT_EQ(ask(addressRequest(cmd::kReadTuneSpecs, {1, 1, 2, 10})), Bytes{reply::kNotRestarted});
    restart();
    EXPECT_EQ(ask(establishAndConnect(0, 2, kFlow)), Bytes{reply::kBadIndex});
    EXPECT_EQ(ask(establishAndConnect(31, 2, kFlow)), Bytes{reply::kBadIndex});
    EXPECT_EQ(ask(establishAndConnect(1, 12, kFlow)), Bytes{reply::kBadType});
    EXPECT_EQ(ask(establishAndConnect(1, 99, kFlow)), Bytes{reply::kBadType});
    EXPECT_EQ(ask(listRequest(cmd::kConnectPointList, 3, 3)), Bytes{reply::kNotEstablished});
    EXPECT_EQ(ask(listRequest(cmd::kConnectPointList, 4, 3)), Bytes{reply::kBadIndex});
    EXPECT_EQ(ask(listRequest(cmd::kReadValueList, 0, 1)), Bytes{reply::kBadIndex});
    EXPECT_EQ(ask(listRequest(cmd::kReadStatusList, 0, 31)), Bytes{reply::kBadIndex});
}

TEST_F(ProtocolTest, BothRestartFormsAreAcceptedAndClearThePointTable)
{
    restart();
    ASSERT_EQ(ask(establish(1, 2, kFlow)), Bytes{0});
    ASSERT_EQ(ask(listRequest(cmd::kConnectPointList, 1, 1)), Bytes{0});
    EXPECT_TRUE(m_unit.points().at(1).connected);
    EXPECT_EQ(ask({cmd::kRestart, 0, 0, 2, 0}), Bytes{0});
    EXPECT_FALSE(m_unit.points().at(1).established);
    EXPECT_EQ(ask(listRequest(cmd::kConnectPointList, 1, 1)), Bytes{reply::kNotEstablished});
    EXPECT_EQ(ask({cmd::kReadExceptions, 0, 0}), (Bytes{0, 0}));
}

TEST_F(ProtocolTest, ExceptionReportCarriesOnlyChangesBeyondTheDeadband)
{
    restart();
    ASSERT_EQ(ask(establishAndConnect(1, 2, kFlow)), Bytes{0});
    ASSERT_EQ(ask(establishAndConnect(2, 7, kPump)), Bytes{0});
    EXPECT_EQ(ask({cmd::kReadExceptions, 0, 0}),
              (Bytes{0, 2, 0, 1, 0x00, 0x0C, 0xA8, 0x00, 0, 2, 0x01, 0x02, 0x80, 0x00}));
    EXPECT_EQ(ask({cmd::kReadExceptions, 0, 0}), (Bytes{0, 0}));
    m_unit.plant().setValue(kFlow, 42.4, false);
    EXPECT_EQ(ask({cmd::kReadExceptions, 0, 0}), (Bytes{0, 0}));
    m_unit.plant().setValue(kFlow, 100.0, false);
    EXPECT_EQ(ask({cmd::kReadExceptions, 0, 0}), (Bytes{0, 1, 0, 1, 0x00, 0x0E, 0xC8, 0x00}));
    m_unit.plant().setValue(kFlow, 100.0, true);
    m_unit.plant().setValue(kPump, 0.0, false);
    EXPECT_EQ(ask({cmd::kReadExceptions, 0, 0}),
              (Bytes{0, 2, 0, 1, 0x80, 0x0E, 0xC8, 0x00, 0, 2, 0x00, 0x00, 0x00, 0x00}));
}

TEST_F(ProtocolTest, ValueListAnswersEveryIndexAndCountsAsReported)
{
    restart();
    ASSERT_EQ(ask(establishAndConnect(1, 2, kFlow)), Bytes{0});
    ASSERT_EQ(ask(establish(3, 2, kFlow)), Bytes{0});
    EXPECT_EQ(ask(listRequest(cmd::kReadValueList, 1, 3)),
              (Bytes{0, 0x00, 0x0C, 0xA8, 0x00, 0x80, 0, 0, 0, 0x80, 0, 0, 0}));
    EXPECT_EQ(ask({cmd::kReadExceptions, 0, 0}), (Bytes{0, 0}));
}

TEST_F(ProtocolTest, StatusReportsCoverTheUnitItselfAndStatusPoints)
{
    restart();
    EXPECT_EQ(ask(listRequest(cmd::kReadStatusList, 0, 0)), (Bytes{0, 0x60, 3, 0, 0, 0}));
    EXPECT_EQ(ask({cmd::kReadStatusExceptions, 0, 0}), (Bytes{0, 0}));
    ASSERT_EQ(ask(establishAndConnect(4, 6, kValve)), Bytes{0});
    ASSERT_EQ(ask(establishAndConnect(5, 14, kModule)), Bytes{0});
    m_unit.plant().setCiuModuleStatus(2);
    EXPECT_EQ(ask({cmd::kReadStatusExceptions, 0, 0}),
              (Bytes{0, 3, 0, 0, 0x40, 2, 0, 0, 0, 0, 4, 0x00, 2, 0, 0, 0, 0, 5, 0x60, 3, 0, 0, 0}));
    EXPECT_EQ(ask({cmd::kReadStatusExceptions, 0, 0}), (Bytes{0, 0}));
    m_unit.plant().setValue(kValve, 3.0, true);
    EXPECT_EQ(ask({cmd::kReadStatusExceptions, 0, 0}), (Bytes{0, 1, 0, 4, 0x81, 3, 0, 0, 0}));
}

TEST_F(ProtocolTest, OutputPointsKeepTheLastValueWritten)
{
    restart();
    ASSERT_EQ(ask(establishReport(7, 12, 0)), Bytes{0});
    ASSERT_EQ(ask(establishReport(8, 13, 1)), Bytes{0});
    ASSERT_EQ(ask(establish(9, 2, kFlow)), Bytes{0});
    EXPECT_EQ(m_unit.points().at(7).report.values[2], 90.0);
    EXPECT_EQ(ask(outputValue(7, 0x40, 100.0)), Bytes{0});
    EXPECT_EQ(ask(outputValue(8, 0x81, 0.0)), Bytes{0});
    EXPECT_EQ(ask(outputValue(9, 0, 1.0)), Bytes{reply::kBadType});
    EXPECT_EQ(ask(outputValue(10, 0, 1.0)), Bytes{reply::kNotEstablished});
    EXPECT_EQ(ask(establishReport(9, 2, 0)), Bytes{reply::kBadType});
    ASSERT_TRUE(m_unit.lastOutput(7));
    EXPECT_EQ(m_unit.lastOutput(7)->value, 100.0);
    EXPECT_EQ(m_unit.lastOutput(7)->flags, 0x40);
    EXPECT_EQ(m_unit.lastOutput(8)->value, 1.0);
    EXPECT_TRUE(m_unit.lastOutput(8)->bad);
    EXPECT_FALSE(m_unit.lastOutput(9));
}

TEST_F(ProtocolTest, ReadBlockAnswersInTheFormatAndCodeTheAddressHolds)
{
    restart();
    EXPECT_EQ(ask(addressRequest(cmd::kReadBlock, kFlow)), (Bytes{0, 2, 0x00, 0x0C, 0xA8, 0x00}));
    m_unit.plant().fix({kPump, 17.0, std::nullopt, 4, std::nullopt});
    EXPECT_EQ(ask(addressRequest(cmd::kReadBlock, kPump)), (Bytes{0, 4, 0x00, 17}));
    m_unit.plant().fix({kPump, -2.0, true, 5, std::nullopt});
    EXPECT_EQ(ask(addressRequest(cmd::kReadBlock, kPump)), (Bytes{0, 5, 0x80, 0xFF, 0xFE}));
    m_unit.plant().fix({kPump, 1.0, false, 3, std::nullopt});
    EXPECT_EQ(ask(addressRequest(cmd::kReadBlock, kPump)), (Bytes{0, 3, 0x01, 0x01}));
    m_unit.plant().fix({kValve, std::nullopt, std::nullopt, std::nullopt, 39});
    EXPECT_EQ(ask(addressRequest(cmd::kReadBlock, kValve)), Bytes{39});
    EXPECT_EQ(ask(addressRequest(cmd::kReadBlock, {1, 1, 40, 5})), Bytes{reply::kNoBlock});
    EXPECT_EQ(ask(addressRequest(cmd::kReadBlock, {1, 1, 5, 0})), Bytes{reply::kNoBlock});
}

TEST_F(ProtocolTest, PowerUpForgetsEverythingButThePlant)
{
    restart();
    ASSERT_EQ(ask(establishAndConnect(1, 2, kFlow)), Bytes{0});
    m_unit.powerUp();
    EXPECT_FALSE(m_unit.restarted());
    EXPECT_FALSE(m_unit.online());
    EXPECT_FALSE(m_unit.points().at(1).established);
    EXPECT_EQ(ask({cmd::kReadExceptions, 0, 0}), Bytes{reply::kNotRestarted});
    EXPECT_EQ(m_unit.plant().analog(kFlow, 0).value, 42.0);
}

TEST(ProtocolStartup, AUnitConfiguredToStartRestartedAnswersAtOnce)
{
    SimConfig config;
    config.startRestarted = true;
    config.identity = Identity{7, 1, 3, 9};
    Responder unit(config);
    EXPECT_EQ(unit.respond(Bytes{cmd::kReadStatus, 0}, 0), (Bytes{0, 7, 1, 0, 0, 1, 1, 9, 3}));
    EXPECT_EQ(unit.respond(Bytes{cmd::kReadExceptions, 0, 0}, 0), (Bytes{0, 0}));
}

// Requests of any command code and any length, restarted or not, always get a reply
// whose first byte is a reply code, and never read beyond the request.
TEST(ProtocolRobustness, RandomRequestsAlwaysGetAReplyCode)
{
    const std::uint8_t commands[] = {1, 2, 4, 6, 8, 10, 13, 17, 19, 20, 21, 22, 44, 49, 69, 0, 255};
    std::mt19937 random(5);
    Responder unit;
    for (int i = 0; i < 20000; ++i) {
        const std::size_t usualLengths[] = {2, 3, 5, 6, 8, 11, 12, 25, 55};
        Bytes request(random() % 2 ? usualLengths[random() % std::size(usualLengths)] : random() % 40);
        for (std::uint8_t &b : request)
            b = static_cast<std::uint8_t>(random() % 4 == 0 ? random() : random() % 32);
        if (!request.empty())
            request[0] = commands[random() % std::size(commands)];
        if (request.size() > 1 && random() % 2)
            request[1] = 0;
        std::optional<Bytes> reply = unit.respond(request, i * 0.01);
        ASSERT_EQ(reply.has_value(), !request.empty());
        ASSERT_TRUE(!reply || !reply->empty());
    }
}

// The three faces of an M/A station at one address: over ten minutes the set point
// steps in tens, the process value wanders about it, and the output acts against the
// difference; none lies on another.  A fix pins them all.
TEST(PlantStation, TheFacesOfOneStationTellThreeStories)
{
    const Plant plant(7);
    const PlantAddress fic{1, 1, 2, 10};
    int apart = 0;
    for (double t = 0; t < 600; t += 0.5) {
        const double pv = plant.station(fic, t, StationFace::ProcessValue).value;
        const double sp = plant.station(fic, t, StationFace::SetPoint).value;
        const double co = plant.station(fic, t, StationFace::Output).value;
        ASSERT_EQ(pv, plant.analog(fic, t).value);
        ASSERT_EQ(std::fmod(sp, 10.0), 0.0) << sp;
        ASSERT_NEAR(co, std::clamp(50.0 + 2.0 * (sp - pv), 0.0, 100.0), 1e-9);
        apart += std::fabs(pv - sp) > 1.0 && std::fabs(co - pv) > 1.0 && std::fabs(co - sp) > 1.0;
    }
    EXPECT_GT(apart, 600) << "the faces lie on top of each other";
    Plant pinned(7);
    pinned.setValue(fic, 42.0, false);
    for (StationFace face : {StationFace::ProcessValue, StationFace::SetPoint, StationFace::Output})
        EXPECT_EQ(pinned.station(fic, 30, face).value, 42.0);
}

}  // namespace
}  // namespace ciusim
