// The column geometry that the historical viewer relies on when it reads the ASCII and
// TK70 (DOS) files back by position, for groups of 1 and 30 tags.
#include "tests/collect/datafile/datafile_fixture.h"

#include <limits>

using namespace tk70;
using namespace tk70test;

namespace {

// Readings that exercise every kind of column: each format row, errors, bad quality,
// and values without a number.
ReadingTable mixedReadings(int count)
{
    const double values[] = {1234.5,
                             -5.0,
                             0.05,
                             123456789.0,
                             std::numeric_limits<double>::quiet_NaN(),
                             -std::numeric_limits<double>::infinity(),
                             99999.999,
                             -12345.678};
    ReadingTable readings;
    for (int k = 0; k < count; ++k) {
        if (k % 9 == 4)
            readings.setError(k, k);
        else
            readings.set(k, values[k % 8], k % 2 == 1);
    }
    return readings;
}

class GeometryTest : public DataFileTest, public ::testing::WithParamInterface<int> {
protected:
    // The lines of a file of fileType with a header and one sample of GetParam() tags.
    QList<QByteArray> oneSampleLines(const QString &fileType, const ReadingTable &readings)
    {
        const std::vector<DataColumn> columns = numberedColumns(GetParam());
        auto output = openOutput(fileType, QStringLiteral("geometry"));
        output->writeHeader(plantFacts(QStringLiteral("T1")), columns);
        output->writeSample(onPlantDay(9, 5, 1), columns, readings);
        output->close();
        return fileLines(path(QStringLiteral("geometry")));
    }
};

QByteArray twoDigits(int n) { return QByteArray::number(n).rightJustified(2, '0'); }

}  // namespace

TEST_P(GeometryTest, AsciiColumnsAre15CharactersAfterTheirLeadingColumns)
{
    const int count = GetParam();
    const QList<QByteArray> lines = oneSampleLines(QStringLiteral("ASCII"), mixedReadings(count));
    ASSERT_EQ(lines.size(), 8);
    const QByteArray &names = lines[4];
    const QByteArray &addresses = lines[5];
    EXPECT_EQ((names.size() - 18) / 15, count);
    EXPECT_EQ(names.size(), 18 + 15 * count);
    EXPECT_EQ(addresses.size(), 19 + 15 * count);
    EXPECT_EQ(lines[6].size(), 19 + 15 * count);
    EXPECT_EQ(lines[7].size(), 20 + 15 * count) << lines[7].constData();
    EXPECT_TRUE(lines[7].startsWith("12/06/96  09:05:01  "));
    const std::vector<DataColumn> columns = numberedColumns(count);
    for (int k = 0; k < count; ++k) {
        const DataColumn &c = columns[size_t(k)];
        EXPECT_EQ(names.mid(17 + 15 * k, 15).trimmed(), c.tagname.toLatin1());
        EXPECT_EQ(addresses.mid(20 + 15 * k, 2), twoDigits(c.loop));
        EXPECT_EQ(addresses.mid(23 + 15 * k, 2), twoDigits(c.pcu));
        EXPECT_EQ(addresses.mid(26 + 15 * k, 2), twoDigits(c.module));
        EXPECT_EQ(addresses.mid(29 + 15 * k, 4), QByteArray::number(c.block));
    }
}

TEST_P(GeometryTest, DosColumnsAre11CharactersAfterTheirLeadingColumns)
{
    const int count = GetParam();
    const QList<QByteArray> lines = oneSampleLines(QStringLiteral("TK70 (DOS)"), mixedReadings(count));
    ASSERT_EQ(lines.size(), 8);
    const QByteArray &addresses = lines[4];
    const QByteArray &names = lines[5];
    EXPECT_EQ((addresses.size() - 12) / 11, count);
    EXPECT_EQ(addresses.size(), 12 + 11 * count);
    EXPECT_EQ(names.size(), 13 + 11 * count);
    EXPECT_EQ(lines[6].size(), 12 + 11 * count);
    EXPECT_EQ(lines[7].size(), 13 + 11 * count) << lines[7].constData();
    EXPECT_TRUE(lines[7].startsWith("09:05:01.00  "));
    const std::vector<DataColumn> columns = numberedColumns(count);
    for (int k = 0; k < count; ++k) {
        const DataColumn &c = columns[size_t(k)];
        EXPECT_EQ(addresses.mid(12 + 11 * k, 2).trimmed(), QByteArray::number(c.pcu % 100));
        EXPECT_EQ(addresses.mid(15 + 11 * k, 2), twoDigits(c.module));
        EXPECT_EQ(addresses.mid(18 + 11 * k, 4), QByteArray::number(c.block));
        EXPECT_EQ(names.mid(13 + 11 * k, 9).trimmed(), c.tagname.toLatin1());
    }
}

INSTANTIATE_TEST_SUITE_P(OneAndThirtyTags, GeometryTest, ::testing::Values(1, 30));
