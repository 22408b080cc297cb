// Block tuning: parsing a spec read, the program's request interface, and the
// exact write-back of the image against a scripted peer.
#include "driver/driver_state.h"
#include "driver/number_format.h"
#include "driver/tuning.h"
#include "tests/support/driver_fixture.h"
#include "tests/support/pty_peer.h"

#include <cmath>
#include <limits>

using namespace tk70test;

namespace {

// A block of function code 19 in five groups: two tunable 3-byte reals, a non-tunable
// 2-byte real, a tunable bit, a tunable byte and a tunable 16-bit word.
Bytes blockReply()
{
    Bytes reply{0, 5, 2, 0x82, 1, 0x01, 1, 0x83, 1, 0x84, 1, 0xD5, 19};
    Bytes values(8);
    vantor::encodeReal3(50.0, values.data());
    vantor::encodeReal3(-2.5, values.data() + 3);
    vantor::encodeReal2(1.0, values.data() + 6);
    reply.insert(reply.end(), values.begin(), values.end());
    reply.insert(reply.end(), {0x01, 0x07, 0xFF, 0xFE});
    return reply;
}

}  // namespace

TEST(TuneReply, GroupsNumberTheSpecsAcrossTheBlock)
{
    Bytes reply = blockReply();
    vantor::TuneImage image;
    ASSERT_TRUE(vantor::parseTuneReply(reply, image));
    EXPECT_EQ(image.functionCode, 19);
    ASSERT_EQ(image.specCount, 6);
    EXPECT_EQ(image.specs[0].value, 50.0);
    EXPECT_EQ(image.specs[1].value, -2.5);
    EXPECT_EQ(image.specs[1].tunable, 1);
    EXPECT_EQ(image.specs[2].tunable, 0);
    EXPECT_EQ(image.specs[2].format, 1);
    EXPECT_EQ(image.specs[3].format, 3);
    EXPECT_EQ(image.specs[3].value, 1.0);
    EXPECT_EQ(image.specs[4].value, 7.0);
    EXPECT_EQ(image.specs[5].attribute, 5);
    EXPECT_EQ(image.specs[5].value, -2.0);
    EXPECT_EQ(image.valueStart, 12);
    EXPECT_EQ(image.valueEnd, 24);
}

TEST(TuneReply, ShortOrOverfullRepliesAreRefused)
{
    Bytes reply = blockReply();
    vantor::TuneImage image;
    for (std::size_t cut = 1; cut < reply.size(); ++cut)
        EXPECT_FALSE(vantor::parseTuneReply(std::span(reply.data(), cut), image)) << cut;
    Bytes tooMany{0, 2, 100, 0x84, 26, 0x84, 1};
    tooMany.resize(tooMany.size() + 126, 0);
    EXPECT_FALSE(vantor::parseTuneReply(tooMany, image));
}

class TuneTest : public DriverTest {
protected:
    void SetUp() override
    {
        DriverTest::SetUp();
        openDirect(m_peer.devicePath());
    }
    PtyPeer m_peer;
};

TEST_F(TuneTest, RequestsAreRefusedWhileNotConnectedPendingOrUnread)
{
    EXPECT_EQ(CiuRequestReadTuneSpecs(1, 2, 3, 4), 0);  // not connected
    vantor::driver().connected.store(true);
    EXPECT_EQ(CiuRequestReadTuneSpecs(0, 0, 0, 0), 0);
    EXPECT_EQ(CiuRequestWriteTuneSpecs(), 0);  // no block read yet
    EXPECT_EQ(CiuRequestReadTuneSpecs(1, 2, 3, 4), 1);
    EXPECT_EQ(CiuIsTunePending(), 1);
    EXPECT_EQ(CiuRequestReadTuneSpecs(1, 2, 3, 4), 0);
    EXPECT_EQ(CiuGetTuneSpecType(1), -1);
    EXPECT_EQ(CiuGetTuneErrorStatus(), 1);
    EXPECT_EQ(CiuResetTuneRequest(), 0);
    EXPECT_EQ(CiuIsTunePending(), 0);
    EXPECT_EQ(CiuRequestWriteTuneSpecs(), 0);
    vantor::driver().connected.store(false);
}

TEST_F(TuneTest, ReadSetAndWriteSendsBackTheImageWithNewValues)
{
    m_peer.replyPayload(blockReply());
    ASSERT_EQ(CiuReadTuneSpecs(1, 2, 3, 0x0456), 0);
    EXPECT_EQ(m_peer.requests().back().payload, (Bytes{13, 0, 1, 2, 0, 3, 0x04, 0x56}));
    EXPECT_EQ(CiuGetTuneErrorStatus(), 0);
    EXPECT_EQ(CiuGetTuneFunctionCode(), 19);
    EXPECT_EQ(CiuGetTuneSpecCount(), 6);
    EXPECT_EQ(CiuGetTuneSpecType(7), 0);
    EXPECT_EQ(CiuGetTuneSpecValue(7), 0.0);
    EXPECT_EQ(CiuSetTuneSpecValue(1, 100.0), 1);
    EXPECT_EQ(CiuSetTuneSpecValue(6, 40000), 0);
    EXPECT_EQ(CiuSetTuneSpecValue(6, -300), 1);
    EXPECT_EQ(CiuSetTuneSpecValue(7, 1), 0);

    m_peer.replyPayload({0});
    ASSERT_EQ(CiuWriteTuneSpecs(), 0);
    Bytes expected{17, 0, 1, 2, 0, 3, 0x04, 0x56, 19, 0x0E, 0xC8, 0x00};
    Bytes reply = blockReply();
    expected.insert(expected.end(), reply.begin() + 16, reply.begin() + 21);  // specs 2 and 3 as read
    expected.insert(expected.end(), {0x01, 0x07, 0xFE, 0xD4});
    EXPECT_EQ(m_peer.requests().back().payload, expected);
}

TEST_F(TuneTest, AFormatFourSpecRefusesValuesBeyondAByte)
{
    Bytes reply{0, 1, 1, 0x84, 33, 200};
    m_peer.replyPayload(reply);
    ASSERT_EQ(CiuReadTuneSpecs(1, 1, 1, 1), 0);
    EXPECT_EQ(CiuSetTuneSpecValue(1, 300), 0);
    EXPECT_EQ(CiuGetTuneSpecValue(1), 200.0);
}

TEST_F(TuneTest, FailedReadsLeaveNothingToWrite)
{
    enableLog(true);
    ASSERT_TRUE(vantor::driver().log.create(logPath().c_str()));
    m_peer.replyPayload({5});
    EXPECT_EQ(CiuReadTuneSpecs(1, 2, 3, 4), -3);
    EXPECT_EQ(CiuGetTuneSpecCount(), 0);
    EXPECT_EQ(CiuWriteTuneSpecs(), -1);
    m_peer.replyPayload({0, 3, 1});  // groups announced, not sent
    EXPECT_EQ(CiuReadTuneSpecs(1, 2, 3, 4), -2);
    CiuResetTuneRequest();
    EXPECT_EQ(CiuWriteTuneSpecs(), -1);
    vantor::driver().log.close();
    auto lines = logLines();
    EXPECT_EQ(lines, (std::vector<std::string>{
                         "Error Reading Tune Specs - Blk:01-02-03-0004.",
                         "CIU Reply Code Error #5",
                         "Attempting to Tune Unread Block",
                         "Error Reading Tune Specs - Blk:01-02-03-0004.",
                         "Error Receiving CIU Command",
                         "Attempting to Tune Unread Block",
                     }));
}

// A value its format cannot hold (in two bytes 0.001 and 3,000,000, both within the range
// check) is refused when it is offered, and the old value stays, so that no write starts
// that its encoding would stop; the encoder still refuses it as a last guard.
TEST_F(TuneTest, ValuesThatDoNotEncodeAreRefusedWhenOffered)
{
    m_peer.replyPayload(blockReply());
    ASSERT_EQ(CiuReadTuneSpecs(1, 2, 3, 4), 0);
    const double infinity = std::numeric_limits<double>::infinity();
    for (double value : {0.001, 3000000.0, infinity, -infinity, std::nan("")}) {
        EXPECT_EQ(CiuSetTuneSpecValue(3, value), 0) << value;
        EXPECT_EQ(CiuGetTuneSpecValue(3), 1.0) << value;
    }
    EXPECT_EQ(CiuSetTuneSpecValue(3, 0.75), 1);
    vantor::TuneImage image;
    ASSERT_TRUE(vantor::parseTuneReply(blockReply(), image));
    image.specs[2].value = 0.001;
    image.specs[2].changed = true;
    EXPECT_FALSE(vantor::encodeTuneValues(image));
}

// 40 three-byte values: 120 bytes, two past what one write request carries.  The request
// for the write is refused, and the write itself sends nothing.
TEST_F(TuneTest, ABlockTooLargeToSendIsRefusedWithoutSending)
{
    Bytes reply{0, 1, 40, 0x82, 19};
    reply.resize(reply.size() + 120, 0);
    m_peer.replyPayload(reply);
    ASSERT_EQ(CiuReadTuneSpecs(1, 2, 3, 4), 0);
    EXPECT_EQ(CiuGetTuneSpecCount(), 40);
    vantor::driver().connected.store(true);
    EXPECT_EQ(CiuRequestWriteTuneSpecs(), 0);
    vantor::driver().connected.store(false);
    EXPECT_EQ(CiuWriteTuneSpecs(), -1);
    EXPECT_EQ(m_peer.requests().size(), 1u);
}

// A spec the program leaves alone goes back exactly as it was read, whatever it holds:
// only the changed spec (a tunable 3-byte real, 1.0 set to 7.5) is encoded.
TEST_F(TuneTest, UntouchedSpecsAreSentBackAsReadWhateverTheyHold)
{
    struct Row {
        const char *what;
        std::uint8_t attributes;
        Bytes bytes;
    };
    Bytes huge(3), tiny(2);
    vantor::encodeReal3(2.5e7, huge.data());  // above 9,999,999.999
    vantor::encodeReal2(0.004, tiny.data());  // below what two bytes hold
    const Row rows[] = {
        {"format 2 above the range", 0x82, huge},     {"small format 1", 0x81, tiny},
        {"format 5 -32768", 0x85, {0x80, 0x00}},      {"unknown format", 0x86, {}},
        {"format 3 with bits 1-7 set", 0x83, {0xF1}}, {"untunable format 3 with bits 1-7 set", 0x03, {0xFE}},
    };
    Bytes one(3);
    vantor::encodeReal3(1.0, one.data());
    Bytes changed(3);
    vantor::encodeReal3(7.5, changed.data());
    for (const Row &row : rows) {
        Bytes reply{0, 2, 1, row.attributes, 1, 0x82, 19};
        reply.insert(reply.end(), row.bytes.begin(), row.bytes.end());
        reply.insert(reply.end(), one.begin(), one.end());
        m_peer.replyPayload(reply);
        ASSERT_EQ(CiuReadTuneSpecs(1, 2, 3, 4), 0) << row.what;
        EXPECT_EQ(CiuSetTuneSpecValue(1, CiuGetTuneSpecValue(1)), 1) << row.what;  // offered back as read
        EXPECT_EQ(CiuSetTuneSpecValue(2, 7.5), 1);
        m_peer.replyPayload({0});
        EXPECT_EQ(CiuWriteTuneSpecs(), 0) << row.what;
        Bytes expected{17, 0, 1, 2, 0, 3, 0, 4, 19};
        expected.insert(expected.end(), row.bytes.begin(), row.bytes.end());
        expected.insert(expected.end(), changed.begin(), changed.end());
        EXPECT_EQ(m_peer.requests().back().payload, expected) << row.what;
    }
}
