// The control system's number formats, byte for byte, with their range limits.
#include "driver/number_format.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <vector>

using namespace vantor;
using Bytes = std::vector<std::uint8_t>;

namespace {

Bytes real3(double v, int *rc = nullptr)
{
    Bytes b(3);
    int r = encodeReal3(v, b.data());
    if (rc)
        *rc = r;
    return b;
}

Bytes real2(double v, int *rc = nullptr)
{
    Bytes b(2);
    int r = encodeReal2(v, b.data());
    if (rc)
        *rc = r;
    return b;
}

}  // namespace

TEST(Real3, KnownValuesEncodeAndDecodeBack)
{
    struct {
        double v;
        Bytes b;
    } cases[] = {
        {1.0, {0x02, 0x80, 0x00}}, {-0.5, {0x01, 0x80, 0x00}}, {100.0, {0x0E, 0xC8, 0x00}},
        {0.0, {0x00, 0x00, 0x00}}, {-0.0, {0x00, 0x00, 0x00}},
    };
    for (const auto &c : cases) {
        int rc = -9;
        EXPECT_EQ(real3(c.v, &rc), c.b) << c.v;
        EXPECT_EQ(rc, 0);
        EXPECT_EQ(decodeReal3(c.b.data()), c.v == 0.0 ? 0.0 : c.v);
    }
}

TEST(Real3, SmallValueTruncatesItsMantissa)
{
    int rc = -9;
    Bytes b = real3(0.001, &rc);
    EXPECT_EQ(b, (Bytes{0xEE, 0x83, 0x12}));
    EXPECT_EQ(rc, 0);
    EXPECT_NEAR(decodeReal3(b.data()), 0.0009999871, 1e-10);
    EXPECT_LT(decodeReal3(b.data()), 0.001);
}

TEST(Real3, OutOfRangeValuesAreWrittenAndReported)
{
    int rc = 0;
    real3(std::ldexp(1.0, 70), &rc);
    EXPECT_EQ(rc, 1);
    real3(std::ldexp(1.0, -70), &rc);
    EXPECT_EQ(rc, 1);
    real3(std::ldexp(0.75, 62), &rc);
    EXPECT_EQ(rc, 0);
    real3(std::numeric_limits<double>::infinity(), &rc);
    EXPECT_EQ(rc, 1);
    real3(std::numeric_limits<double>::quiet_NaN(), &rc);
    EXPECT_EQ(rc, 1);
}

TEST(Real2, KnownValuesEncodeAndDecodeBack)
{
    struct {
        double v;
        Bytes b;
    } cases[] = {
        {1.0, {0xD2, 0x00}},
        {-0.5, {0xCE, 0x00}},
        {100.0, {0x03, 0x20}},
        {0.0, {0xC8, 0x00}},
    };
    for (const auto &c : cases) {
        int rc = -9;
        EXPECT_EQ(real2(c.v, &rc), c.b) << c.v;
        EXPECT_EQ(rc, 0);
        EXPECT_EQ(decodeReal2(c.b.data()), c.v);
    }
}

// Ten mantissa bits: the nearest value is within a thousandth of any value in range, so a
// tuning write of it passes its read-back (truncated, 64.1 read back as 64.0).
TEST(Real2, ValuesEncodeToTheNearestAndReadBackWithinAThousandth)
{
    struct {
        double v;
        Bytes b;
        double back;
    } cases[] = {
        {64.1, {0x02, 0x01}, 64.125},
        {2.01, {0xDA, 0x03}, 2.01171875},
        {-2.01, {0xDE, 0x03}, -2.01171875},
        {1023.7, {0x22, 0x00}, 1024.0},  // rounds up into the next power of two
    };
    for (const auto &c : cases) {
        int rc = -9;
        EXPECT_EQ(real2(c.v, &rc), c.b) << c.v;
        EXPECT_EQ(rc, 0);
        EXPECT_EQ(decodeReal2(c.b.data()), c.back) << c.v;
    }
    for (double v = 0.0079; v < 2.0e6; v *= 1.0009) {
        for (double x : {v, -v}) {
            Bytes b = real2(x);
            EXPECT_LE(std::fabs(decodeReal2(b.data()) - x), std::fabs(x) * 0.001) << x;
        }
    }
}

TEST(Real2, OutOfRangeValuesAreWrittenAndReported)
{
    int rc = 0;
    EXPECT_EQ(real2(0.001, &rc), (Bytes{0x82, 0x0C}));
    EXPECT_EQ(rc, 1);
    real2(std::ldexp(1.0, 21), &rc);  // n = 22
    EXPECT_EQ(rc, 1);
    real2(std::ldexp(0.75, 21), &rc);  // n = 21
    EXPECT_EQ(rc, 0);
    real2(std::numeric_limits<double>::infinity(), &rc);
    EXPECT_EQ(rc, 1);
}

TEST(ValueFormats, DecodeEveryFormat)
{
    const std::uint8_t minusTwo[] = {0xFF, 0xFE};
    const std::uint8_t maxWord[] = {0x7F, 0xFF};
    const std::uint8_t bitSet[] = {0x03};
    const std::uint8_t byte200[] = {200};
    EXPECT_EQ(decodeValue(5, minusTwo), -2.0);
    EXPECT_EQ(decodeValue(5, maxWord), 32767.0);
    EXPECT_EQ(decodeValue(3, bitSet), 1.0);
    EXPECT_EQ(decodeValue(4, byte200), 200.0);
    EXPECT_EQ(decodeValue(9, byte200), kUnknownFormatValue);
    EXPECT_EQ(formatSize(0), 0);
    EXPECT_EQ(encodeReal(3, 1.0, nullptr), -1);
}

TEST(ValueFormats, RangeChecksPerFormat)
{
    EXPECT_TRUE(inFormatRange(1, -999999.999));
    EXPECT_FALSE(inFormatRange(2, -1000000.0));
    EXPECT_TRUE(inFormatRange(2, 9999999.999));
    EXPECT_FALSE(inFormatRange(2, 10000000.0));
    EXPECT_TRUE(inFormatRange(3, 1.01));
    EXPECT_FALSE(inFormatRange(3, 1.02));
    EXPECT_TRUE(inFormatRange(4, 255));
    EXPECT_FALSE(inFormatRange(4, 300));
    EXPECT_FALSE(inFormatRange(4, -1));
    EXPECT_TRUE(inFormatRange(5, -32767));
    EXPECT_TRUE(inFormatRange(5, 32767));
    // 32768 would wrap to -32768 in sixteen bits: refused rather than written wrong.
    EXPECT_FALSE(inFormatRange(5, 32768));
    EXPECT_FALSE(inFormatRange(6, 0));
    EXPECT_FALSE(inFormatRange(2, std::numeric_limits<double>::quiet_NaN()));
}

TEST(ValueFormats, SpecValuesEncodeAsTheImageHoldsThem)
{
    std::uint8_t b[3] = {};
    ASSERT_TRUE(encodeSpecValue(5, -2.7, b));
    EXPECT_EQ(b[0], 0xFF);
    EXPECT_EQ(b[1], 0xFE);
    ASSERT_TRUE(encodeSpecValue(4, 200.9, b));
    EXPECT_EQ(b[0], 200);
    ASSERT_TRUE(encodeSpecValue(3, 0.5, b));
    EXPECT_EQ(b[0], 1);
    ASSERT_TRUE(encodeSpecValue(3, 0.0, b));
    EXPECT_EQ(b[0], 0);
    EXPECT_FALSE(encodeSpecValue(1, 0.001, b));  // below what two bytes hold
    EXPECT_FALSE(encodeSpecValue(4, 300, b));
    EXPECT_FALSE(encodeSpecValue(7, 1, b));
}
