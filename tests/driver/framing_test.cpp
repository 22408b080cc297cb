// Frames on the wire: escaping, checksum, frame end, and every way a reply can be broken.
#include "driver/framing.h"

#include <gtest/gtest.h>
#include <vector>

using namespace vantor;
using Bytes = std::vector<std::uint8_t>;

namespace {

Bytes encode(const Bytes &payload)
{
    Bytes out(maxFrameSize(payload.size()));
    out.resize(encodeFrame(payload, out));
    return out;
}

DecodedFrame decode(const Bytes &raw, Bytes &out)
{
    out.assign(kMaxDecodedReply, 0);
    return decodeFrame(raw, out);
}

}  // namespace

TEST(FrameEncoding, StatusRequestIsPayloadChecksumAndEnd)
{
    EXPECT_EQ(encode({69, 0}), (Bytes{0x45, 0x00, 0x45, 0x0D}));
}

TEST(FrameEncoding, EscapesFrameEndAndEscapeInPayloadAndChecksum)
{
    EXPECT_EQ(encode({0x0D}), (Bytes{0x1B, 0x0E, 0x1B, 0x0E, 0x0D}));
    EXPECT_EQ(encode({0x1B}), (Bytes{0x1B, 0x1B, 0x1B, 0x1B, 0x0D}));
    // 0x0C + 0x01 sums to 0x0D: the checksum itself is escaped.
    EXPECT_EQ(encode({0x0C, 0x01}), (Bytes{0x0C, 0x01, 0x1B, 0x0E, 0x0D}));
    // 0x1A + 0x01 sums to 0x1B.
    EXPECT_EQ(encode({0x1A, 0x01}), (Bytes{0x1A, 0x01, 0x1B, 0x1B, 0x0D}));
    // The checksum is the low byte of the sum.
    EXPECT_EQ(encode({0xFF, 0x02}), (Bytes{0xFF, 0x02, 0x01, 0x0D}));
}

TEST(FrameEncoding, RefusesTooSmallOutput)
{
    Bytes payload(127, 0x0D);
    Bytes out(maxFrameSize(127) - 1);
    EXPECT_EQ(encodeFrame(payload, out), 0u);
    out.resize(maxFrameSize(127));
    EXPECT_EQ(encodeFrame(payload, out), 2 * 127 + 2u);  // the checksum 0x73 needs no escape
}

TEST(FrameDecoding, EveryByteValueRoundTrips)
{
    Bytes payload;
    for (int b = 0; b < 256; ++b)
        payload.push_back(static_cast<std::uint8_t>(b));
    Bytes out;
    DecodedFrame f = decode(encode(payload), out);
    ASSERT_EQ(f.error, FrameError::None);
    ASSERT_EQ(f.length, payload.size() + 1);
    EXPECT_TRUE(std::equal(payload.begin(), payload.end(), out.begin()));
}

TEST(FrameDecoding, ReplyCodeAndChecksumOnlyGivesTwoBytes)
{
    Bytes out;
    DecodedFrame f = decode({0x00, 0x00, 0x0D}, out);
    EXPECT_EQ(f.error, FrameError::None);
    EXPECT_EQ(f.length, 2u);
    EXPECT_EQ(f.consumed, 3u);
}

TEST(FrameDecoding, BytesAfterTheEndAreNotPartOfTheFrame)
{
    Bytes out;
    DecodedFrame f = decode({0x05, 0x05, 0x0D, 0x99, 0x98}, out);
    EXPECT_EQ(f.error, FrameError::None);
    EXPECT_EQ(f.length, 2u);
    EXPECT_EQ(f.consumed, 3u);
}

TEST(FrameDecoding, BrokenFramesAreReportedWithTheirCause)
{
    Bytes out;
    EXPECT_EQ(decode({0x00, 0x01, 0x0D}, out).error, FrameError::BadChecksum);
    EXPECT_EQ(decode({0x1B, 0x41, 0x00, 0x0D}, out).error, FrameError::BadEscape);
    EXPECT_EQ(decode({0x01, 0x1B, 0x0D}, out).error, FrameError::BadEscape);
    EXPECT_EQ(decode({0x00, 0x00}, out).error, FrameError::NoEnd);
    EXPECT_EQ(decode({0x00, 0x1B}, out).error, FrameError::NoEnd);
    EXPECT_EQ(decode({0x0D}, out).error, FrameError::Empty);
    EXPECT_EQ(decode({}, out).error, FrameError::NoEnd);
}

TEST(FrameDecoding, FourThousandNinetyFourBytesBeforeTheEndAreTooLong)
{
    Bytes raw(kMaxDecodedReply, 0x01);
    raw.push_back(0x0D);
    Bytes out;
    EXPECT_EQ(decode(raw, out).error, FrameError::TooLong);
    // One byte fewer is a frame (its checksum is wrong, but it ends).
    raw.erase(raw.begin());
    EXPECT_EQ(decode(raw, out).error, FrameError::BadChecksum);
}

TEST(FrameDecoding, NeverWritesPastASmallOutput)
{
    Bytes out(4, 0xEE);
    Bytes raw(64, 0x02);
    raw.push_back(0x0D);
    DecodedFrame f = decodeFrame(raw, std::span<std::uint8_t>(out.data(), 3));
    EXPECT_EQ(f.error, FrameError::TooLong);
    EXPECT_EQ(out[3], 0xEE);
}
