// The value columns of the three layouts: the format chosen by magnitude or range at
// and around every boundary, point errors, quality marks, and values no range holds.
#include "collect/datafile/ascii_layout.h"
#include "collect/datafile/csv_layout.h"
#include "collect/datafile/dos_layout.h"
#include "tests/collect/datafile/datafile_fixture.h"

#include <limits>

using namespace tk70;

namespace {

PointReading good(double value) { return PointReading{0, value, false}; }
PointReading bad(double value) { return PointReading{0, value, true}; }
PointReading error(int code, bool badQuality) { return PointReading{code, 1.0, badQuality}; }

constexpr double kNan = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

}  // namespace

TEST(AsciiValueTest, FormatFollowsTheFirstMatchingMagnitudeRow)
{
    const AsciiLayout ascii;
    EXPECT_EQ(ascii.value(good(1234.5)), "     1234.500  ");
    EXPECT_EQ(ascii.value(good(-1234.5)), "    -1234.500  ");
    EXPECT_EQ(ascii.value(good(999.9995)), "     1000.000  ") << "above 999.999: three decimals";
    EXPECT_EQ(ascii.value(good(999.999)), "     999.9990  ") << "999.999 itself: four decimals";
    EXPECT_EQ(ascii.value(good(99999999.999)), " 99999999.999  ");
    EXPECT_EQ(ascii.value(good(-5.0)), "      -5.0000  ");
    EXPECT_EQ(ascii.value(good(0.09999)), "       0.1000  ") << "0.0999 < a < 0.1 takes the second row";
    EXPECT_EQ(ascii.value(good(0.05)), "      0.05000  ");
    EXPECT_EQ(ascii.value(good(0.0)), "      0.00000  ");
    EXPECT_EQ(ascii.value(good(123456789.0)), "  1.23457e+08  ");
    EXPECT_EQ(ascii.value(good(-1e300)), "      -1e+300  ");
}

TEST(AsciiValueTest, ErrorsAndQualityMarks)
{
    const AsciiLayout ascii;
    EXPECT_EQ(ascii.value(bad(1234.5)), "     1234.500* ");
    EXPECT_EQ(ascii.value(error(12, false)), "    ERROR-012* ") << "an error is marked whatever the quality";
    EXPECT_EQ(ascii.value(error(12, true)), "    ERROR-012* ");
    EXPECT_EQ(ascii.value(PointReading{-3, 2.0, false}), "       2.0000  ") << "only a positive code is an error";
}

TEST(AsciiValueTest, ValuesWithoutANumberKeepTheColumnWidth)
{
    const AsciiLayout ascii;
    EXPECT_EQ(ascii.value(good(kNan)), "          nan  ");
    EXPECT_EQ(ascii.value(bad(kInf)), "          inf* ");
    EXPECT_EQ(ascii.value(good(-kInf)), "         -inf  ");
}

TEST(CsvValueTest, ValuesErrorsAndQualityColumns)
{
    const CsvLayout csv;
    EXPECT_EQ(csv.value(good(1234.5)), ",1234.5,\"\"");
    EXPECT_EQ(csv.value(bad(3.5)), ",3.5,\"*\"");
    EXPECT_EQ(csv.value(good(0.00001)), ",1e-05,\"\"");
    EXPECT_EQ(csv.value(good(-0.25)), ",-0.25,\"\"");
    EXPECT_EQ(csv.value(error(12, false)), ",\"ERROR-012\",\"*\"");
    EXPECT_EQ(csv.value(good(kNan)), ",nan,\"\"");
}

TEST(DosValueTest, FormatFollowsTheFirstSignedRangeWithBoundsIncluded)
{
    const DosLayout dos;
    EXPECT_EQ(dos.value(good(99999.999)), "99999.999  ");
    EXPECT_EQ(dos.value(good(-9999.999)), "-9999.999  ");
    EXPECT_EQ(dos.value(good(-12345.678)), "-12345.68  ");
    EXPECT_EQ(dos.value(good(999999.99)), "999999.99  ");
    EXPECT_EQ(dos.value(good(-99999.99)), "-99999.99  ");
    EXPECT_EQ(dos.value(good(9999999.9)), "9999999.9  ");
    EXPECT_EQ(dos.value(good(-999999.9)), "-999999.9  ");
    EXPECT_EQ(dos.value(good(999999999.0)), "999999999  ");
    EXPECT_EQ(dos.value(good(-99999999.0)), "-99999999  ");
    EXPECT_EQ(dos.value(good(-100000000.0)), "   -1e+08  ");
}

// Beyond the ranges "%9g" serves while its text fits the 9 characters; a wider text would
// shift every later column, so it loses significant digits until it fits.
TEST(DosValueTest, ValuesBeyondTheRangesKeepTheColumnWidth)
{
    const DosLayout dos;
    const struct {
        double value;
        const char *column;
    } cases[] = {
        {999999999.0, "999999999  "},                                  // the last value of the fixed ranges
        {1e9, "    1e+09  "},                                          // "%9g" fits: unchanged
        {1.5e9, "  1.5e+09  "},        {1234567890.0, "1.235e+09  "},  // "%9g" gives 1.23457e+09: four digits fit
        {-99999999.0, "-99999999  "},  {-123456789.0, "-1.23e+08  "},  // the sign costs one digit
        {-1.5e100, "-1.5e+100  "},                                     // fits as it is
        {1.23456e100, "1.23e+100  "},  {-1.23456e100, "-1.2e+100  "},
        {-9.87654e307, "-9.9e+307  "}, {-1.7976931348623157e308, "-1.8e+308  "},
    };
    for (const auto &c : cases)
        EXPECT_EQ(dos.value(good(c.value)), c.column) << c.value;
    EXPECT_EQ(dos.value(bad(-1.23456e100)), "-1.2e+100* ");
}

TEST(DosValueTest, ErrorsQualityMarksAndValuesWithoutANumber)
{
    const DosLayout dos;
    EXPECT_EQ(dos.value(error(7, true)), "ERROR-007  ");
    EXPECT_EQ(dos.value(bad(0.5)), "    0.500* ");
    EXPECT_EQ(dos.value(good(kNan)), "      nan  ");
    EXPECT_EQ(dos.value(good(-kInf)), "     -inf  ");
}
