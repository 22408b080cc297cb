// The COPY text of a sample, byte by byte: the escapes that keep a hostile name in one
// field, NULL for a point error, and numbers that read back exactly.
#include "collect/historian/copy_text.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

using namespace tk70;

namespace {

std::string field(std::string_view text)
{
    std::string line;
    appendCopyField(line, text);
    return line;
}

std::string number(std::optional<double> value)
{
    std::string line;
    appendCopyNumber(line, value);
    return line;
}

TEST(CopyText, EscapesKeepEveryByteOfAFieldInItsField)
{
    EXPECT_EQ(field("FT101"), "FT101");
    EXPECT_EQ(field("a\tb"), "a\\tb");
    EXPECT_EQ(field("a\nb\rc"), "a\\nb\\rc");
    EXPECT_EQ(field("C:\\plant\\N"), "C:\\\\plant\\\\N") << "a backslash would start an escape";
    EXPECT_EQ(field("\\N"), "\\\\N") << "a tag named \\N is not NULL";
    EXPECT_EQ(field("'; DROP TABLE tk70_samples; --"), "'; DROP TABLE tk70_samples; --");
    EXPECT_EQ(field(std::string_view("a\0b", 3)), "ab") << "no PostgreSQL text holds a NUL";
    EXPECT_EQ(field("Durchfluß °C"), "Durchfluß °C");
    EXPECT_EQ(field(""), "");
}

TEST(CopyText, NumbersReadBackExactlyAndWithoutAValueAreNull)
{
    for (const double value : {0.1, -273.15, 1e308, 5e-324, 123456789.123456789, 0.0}) {
        const std::string text = number(value);
        EXPECT_EQ(std::strtod(text.c_str(), nullptr), value) << text;
    }
    EXPECT_EQ(number(std::nullopt), "\\N");
    EXPECT_EQ(number(std::numeric_limits<double>::quiet_NaN()), "\\N");
    EXPECT_EQ(number(std::numeric_limits<double>::infinity()), "\\N");
    EXPECT_EQ(number(1.5), "1.5") << "a comma in a German locale would break the field";
}

TEST(CopyText, ALineHoldsTheSixColumnsInOrder)
{
    HistorianSample sample{"unit 2", "FT\t101", 1765180800000000, 42.5, true, 0};
    std::string out;
    appendCopyLine(out, sample);
    EXPECT_EQ(out, "unit 2\tFT\\t101\t1765180800000000\t42.5\tt\t0\n");
    sample.value.reset();
    sample.badQuality = false;
    sample.pointError = 3;
    out.clear();
    appendCopyLine(out, sample);
    EXPECT_EQ(out, "unit 2\tFT\\t101\t1765180800000000\t\\N\tf\t3\n");
}

}  // namespace
