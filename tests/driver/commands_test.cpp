// The CIU commands against a scripted peer on a real pseudo-terminal: the exact request
// bytes of each command, how each reply is applied, and every way a reply can fail.
#include "driver/driver_state.h"
#include "driver/number_format.h"
#include "driver/serial_port.h"
#include "tests/support/driver_fixture.h"
#include "tests/support/pty_peer.h"

#include <atomic>
#include <fcntl.h>
#include <unistd.h>

using namespace tk70test;

namespace {

Bytes real3(double v)
{
    Bytes b(3);
    vantor::encodeReal3(v, b.data());
    return b;
}

Bytes cat(std::initializer_list<Bytes> parts)
{
    Bytes out;
    for (const Bytes &p : parts)
        out.insert(out.end(), p.begin(), p.end());
    return out;
}

double valueOf(int index) { return readSlot(index).value; }
int qualityOf(int index) { return readSlot(index).quality; }

}  // namespace

class CommandTest : public DriverTest {
protected:
    void SetUp() override
    {
        DriverTest::SetUp();
        openDirect(m_peer.devicePath());
        ASSERT_EQ(loadPoints({TestPoint{1, 1, 2, 3, 4, 5}, TestPoint{2, 1, 2, 3, 5, 7}, TestPoint{3, 1, 2, 3, 6, 6},
                              TestPoint{4, 1, 2, 3, 7, 80}, TestPoint{5, 1, 2, 3, 8, 99},
                              TestPoint{6, 0, 0, 0, 0, 12, 0, 0, 0, 80, 20}, TestPoint{7, 0, 0, 0, 0, 13, 1}}),
                  1);
    }

    Bytes lastRequest() const
    {
        auto requests = m_peer.requests();
        return requests.empty() ? Bytes{} : requests.back().payload;
    }

    PtyPeer m_peer;
};

TEST_F(CommandTest, RequestsCarryTheirArgumentsHighByteFirst)
{
    for (int k = 0; k < 6; ++k)
        m_peer.replyPayload({0});
    EXPECT_EQ(CiuEstablishPoint(0x0102, 3, 0x1234, 5, 7), 0);
    EXPECT_EQ(lastRequest(), (Bytes{1, 0, 0, 5, 7, 1, 2, 0, 3, 0x12, 0x34}));
    EXPECT_EQ(CiuEstablishAndConnectPoint(0x0A0B, 31, 9999, 30, 19), 0);
    EXPECT_EQ(lastRequest(), (Bytes{49, 0, 0, 30, 19, 10, 11, 0, 31, 0x27, 0x0F, 0}));
    EXPECT_EQ(CiuConnectPointList(1, 300), 0);
    EXPECT_EQ(lastRequest(), (Bytes{4, 0, 0, 1, 1, 44}));
    EXPECT_EQ(CiuOnline(7), 0);
    EXPECT_EQ(lastRequest(), (Bytes{44, 0, 1}));
    EXPECT_EQ(CiuEstablishReport(6, 12, 0x1FF, 1.0, -0.5, 100.0, 0.0), 0);
    EXPECT_EQ(lastRequest(),
              cat({{2, 0, 0, 6, 12, 0xFF}, real3(1.0), real3(-0.5), real3(100.0), real3(0), real3(0), real3(0), {0}}));
    EXPECT_EQ(CiuEstablishReport(7, 13, 1, 1.0, 2.0, 3.0, 4.0), 0);
    EXPECT_EQ(lastRequest(), cat({{2, 0, 0, 7, 13, 1}, Bytes(18, 0), {0}}));
}

TEST_F(CommandTest, ReplyCodesAreReturnedAsEachCommandSays)
{
    m_peer.replyPayload({35});
    EXPECT_EQ(CiuEstablishAndConnectPoint(0x0102, 3, 4, 1, 5), 35);
    EXPECT_EQ(field(m_comm->ErrorCount), 0);  // a reply code is not a failure here
    m_peer.replyPayload({12});
    EXPECT_EQ(CiuEstablishPoint(0x0102, 3, 4, 1, 5), -3);
    EXPECT_EQ(field(m_comm->ErrorCount), 1);
    m_peer.replyPayload({3});
    EXPECT_EQ(CiuOnline(0), 1);
    m_peer.replyPayload({8});
    EXPECT_EQ(CiuEstablishReport(6, 12, 0, 0, 0, 0, 0), 8);
    EXPECT_EQ(field(m_comm->ErrorCount), 3);
    EXPECT_EQ(field(m_comm->CommandCount), 4);
}

TEST_F(CommandTest, ExceptionReportStoresAnalogAndDigitalValues)
{
    m_peer.replyPayload(cat({{0, 2, 0, 1, 0x00}, real3(100.0), {0, 2, 0x81}, real3(0)}));
    EXPECT_EQ(CiuReadExceptions(), 2);
    EXPECT_EQ(lastRequest(), (Bytes{8, 0, 0}));
    EXPECT_EQ(valueOf(1), 100.0);
    EXPECT_EQ(qualityOf(1), 0);
    EXPECT_EQ(valueOf(2), 1.0);
    EXPECT_EQ(qualityOf(2), 1);
}

TEST_F(CommandTest, BadRecordsDoNotStopTheScanAndTheLastOneDecides)
{
    // Index 0, a status point (type 6) and index 40 around one good record.
    m_peer.replyPayload(
        cat({{0, 4, 0, 0, 0}, real3(1), {0, 3, 0}, real3(2), {0, 1, 0}, real3(55.5), {0, 40, 0}, real3(4)}));
    EXPECT_EQ(CiuReadExceptions(), -4);
    EXPECT_EQ(valueOf(1), 55.5);
    EXPECT_EQ(field(m_comm->ErrorCount), 1);
    m_peer.replyPayload(cat({{0, 2, 0, 40, 0}, real3(1), {0, 3, 0}, real3(2)}));
    EXPECT_EQ(CiuReadExceptions(), -5);
}

TEST_F(CommandTest, ValueListRecordsFollowTheRequestedIndexes)
{
    m_peer.replyPayload(cat({{0, 0x00}, real3(12.5), {0x01}, real3(0)}));
    EXPECT_EQ(CiuReadValueList(1, 2), 0);
    EXPECT_EQ(lastRequest(), (Bytes{6, 0, 0, 1, 0, 2}));
    EXPECT_EQ(valueOf(1), 12.5);
    EXPECT_EQ(valueOf(2), 1.0);
    m_peer.replyPayload(cat({{0, 0x00}, real3(1)}));
    EXPECT_EQ(CiuReadValueList(0, 0), -4);
}

TEST_F(CommandTest, MiscellaneousStatusFollowsEachPointTypesRule)
{
    m_comm->StatusMask = 1;
    m_comm->Status80Mask = 3;
    // Slot 0 (module status 3 from bits 5 and 6), slot 3 (type 6), slot 4 (loaded as 80).
    m_peer.replyPayload({0, 3, 0, 0, 0xE0, 0x00, 0, 0, 0, 0, 3, 0x80, 0x07, 0, 0, 0, 0, 4, 0x00, 0x07, 0, 0, 0});
    EXPECT_EQ(CiuReadMiscellaneousStatusExceptions(), 3);
    EXPECT_EQ(valueOf(0), 3.0);
    EXPECT_EQ(qualityOf(0), 0);
    EXPECT_EQ(valueOf(3), 1.0);
    EXPECT_EQ(qualityOf(3), 1);
    EXPECT_EQ(valueOf(4), 3.0);
    m_peer.replyPayload({0, 0x00, 0x02, 0, 0, 0});
    EXPECT_EQ(CiuReadMiscellaneousStatusList(3, 3), 0);
    EXPECT_EQ(lastRequest(), (Bytes{21, 0, 0, 3, 0, 3}));
    EXPECT_EQ(valueOf(3), 0.0);
    m_peer.replyPayload({0, 1, 0, 1, 0, 0, 0, 0, 0});  // an analog point has no status
    EXPECT_EQ(CiuReadMiscellaneousStatusExceptions(), -5);
}

TEST_F(CommandTest, ReadBlockDecodesItsFormatAndHandlesItsReplyCodes)
{
    m_peer.replyPayload(cat({{0, 2, 0x00}, real3(-7.25)}));
    EXPECT_EQ(CiuReadBlock(0x0102, 3, 8, 5), 0);
    EXPECT_EQ(lastRequest(), (Bytes{20, 0, 1, 2, 0, 3, 0, 8}));
    EXPECT_EQ(valueOf(5), -7.25);
    EXPECT_EQ(qualityOf(5), 0);
    m_peer.replyPayload({0, 3, 0x01});
    EXPECT_EQ(CiuReadBlock(0x0102, 3, 8, 5), 0);
    EXPECT_EQ(valueOf(5), 1.0);
    m_peer.replyPayload({39});  // the point is bad and keeps its value
    EXPECT_EQ(CiuReadBlock(0x0102, 3, 8, 5), 0);
    EXPECT_EQ(valueOf(5), 1.0);
    EXPECT_EQ(qualityOf(5), 1);
    m_peer.replyPayload({40});
    EXPECT_EQ(CiuReadBlock(0x0102, 3, 8, 5), 0);
    m_peer.replyPayload({33});
    EXPECT_EQ(CiuReadBlock(0x0102, 3, 8, 5), -3);
    m_peer.replyPayload({0, 5, 0x00, 0xFF});  // a format-5 value needs two bytes
    EXPECT_EQ(CiuReadBlock(0x0102, 3, 8, 5), -2);
}

TEST_F(CommandTest, OutputValueFlagsFollowLimitsAndAlarmState)
{
    for (int k = 0; k < 4; ++k)
        m_peer.replyPayload({0});
    EXPECT_EQ(CiuOutputValue(6, 12, 0, 85.0), 0);
    EXPECT_EQ(lastRequest(), cat({{10, 0, 0, 6, 0x40}, real3(85.0)}));
    EXPECT_EQ(CiuOutputValue(6, 12, 1, 20.0), 0);
    EXPECT_EQ(lastRequest(), cat({{10, 0, 0, 6, 0xA0}, real3(20.0)}));
    EXPECT_EQ(CiuOutputValue(7, 13, 0, 1.0), 0);
    EXPECT_EQ(lastRequest(), (Bytes{10, 0, 0, 7, 0x41, 0, 0, 0}));
    EXPECT_EQ(CiuOutputValue(7, 13, 0, 0.0), 0);
    EXPECT_EQ(lastRequest(), (Bytes{10, 0, 0, 7, 0x00, 0, 0, 0}));
}

TEST_F(CommandTest, GarbledTruncatedAndEndlessRepliesAreReceiveFailures)
{
    m_peer.replyRaw({0x02, 0x00, 0x05, 0x0D});  // wrong checksum
    EXPECT_EQ(CiuReadExceptions(), -2);
    m_peer.replyRaw({0x00, 0x1B, 0x41, 0x00, 0x0D});  // bad escape
    EXPECT_EQ(CiuReadExceptions(), -2);
    m_peer.replyRaw({0x00, 0x00});  // no frame end
    EXPECT_EQ(CiuReadExceptions(), -2);
    m_peer.replyRaw(Bytes(5000, 0x01));  // endless
    EXPECT_EQ(CiuReadExceptions(), -2);
    Bytes oversize(4095, 0x00);
    oversize.push_back(0x0D);
    m_peer.replyRaw(oversize);
    EXPECT_EQ(CiuReadExceptions(), -2);
    m_peer.replyPayload({0, 3, 0, 1, 0});  // three records announced, part of one sent
    EXPECT_EQ(CiuReadExceptions(), -2);
    m_peer.replyPayload({});  // only a checksum
    EXPECT_EQ(CiuReadExceptions(), -2);
    EXPECT_EQ(valueOf(1), 0.0);
    EXPECT_EQ(field(m_comm->ErrorCount), 7);
}

TEST_F(CommandTest, ALateReplyIsThrownAwayByTheNextRequest)
{
    m_peer.replySilence();
    EXPECT_EQ(CiuReadExceptions(), -2);  // times out after RxTimeout
    m_peer.replyPayload({0, 0});
    EXPECT_EQ(CiuReadExceptions(), 0);
}

namespace {

// The line's error counts (framing, parity, overrun, break) as a noisy line would report
// them: a pseudo-terminal keeps none.
std::atomic<long long> g_lineErrors{0};
std::atomic<bool> g_noisyLine{false};
bool countedLineErrors(int, long long &errors)
{
    errors = g_noisyLine.load() ? ++g_lineErrors : g_lineErrors.load();
    return true;
}

}  // namespace

// A noise burst spoils the exchange it falls into and no more: each request starts with
// the line's error state cleared.  Errors counted while a reply is awaited discard it.
TEST_F(CommandTest, ANoiseBurstFailsOnlyTheExchangeItFallsInto)
{
    vantor::setLineErrorSource(countedLineErrors);
    m_peer.replyRaw({0x00, 0x1B, 0x41, 0x00, 0x0D});  // the reply the burst garbled
    EXPECT_EQ(CiuReadExceptions(), -2);
    g_lineErrors += 3;  // the burst as the port counted it
    m_peer.replyPayload({0, 0});
    EXPECT_EQ(CiuReadExceptions(), 0);

    g_noisyLine.store(true);
    m_peer.replyPayload({0, 0});
    EXPECT_EQ(CiuReadExceptions(), -2);
    g_noisyLine.store(false);
    vantor::setLineErrorSource(nullptr);
}

// The other side closing the line is a failure at once, not a wait for the time-out (a
// wait would run into the test's own time limit).
TEST_F(DriverTest, AHungUpLineFailsAtOnce)
{
    int master = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    ASSERT_GE(master, 0);
    ASSERT_EQ(grantpt(master), 0);
    ASSERT_EQ(unlockpt(master), 0);
    openDirect(ptsname(master));
    ::close(master);
    m_comm->RxTimeout = 600000;
    m_comm->TxTimeout = 600000;
    EXPECT_EQ(CiuReadExceptions(), -1);
    EXPECT_EQ(CiuReadValueList(1, 1), -1);
}
