// The periodic flush: every 11th value written pushes the stream's bytes to the kernel,
// counted across sample lines and across the files one output opens, so another reader
// (or what survives a killed process) sees all but the last 10 values at most.
#include "tests/collect/datafile/datafile_fixture.h"

using namespace tk70;
using namespace tk70test;

class FlushTest : public DataFileTest {
protected:
    void writeSamples(int count)
    {
        for (int s = 0; s < count; ++s)
            m_output->writeSample(onPlantDay(10, 0, m_nextSecond++), m_columns, firstSample());
    }
    // What another handle reads of name while the output still has it open.
    QByteArray onDisk(const QString &name) const { return fileBytes(path(name)); }

    const std::vector<DataColumn> m_columns = threeOfFiveColumns();  // 3 values a line
    std::unique_ptr<GroupOutput> m_output = makeTextGroupOutput(QStringLiteral("ASCII"));
    int m_nextSecond = 0;
    static constexpr qsizetype kAsciiColumn = 15;
    static constexpr qsizetype kLineEnd = 2;
};

TEST_F(FlushTest, TheEleventhValueFlushesEverythingWrittenUpToIt)
{
    const QString name = QStringLiteral("flush.txt");
    ASSERT_TRUE(m_output->open(path(name), false, OverwritePolicy::Overwrite));
    ASSERT_TRUE(m_output->writeHeader(plantFacts(), m_columns));
    const QByteArray header = onDisk(name);  // a header goes to the disk at once
    writeSamples(3);
    EXPECT_EQ(onDisk(name), header) << "9 values: nothing flushed yet";

    writeSamples(1);  // values 10, 11 (flush) and 12
    const QByteArray flushed = onDisk(name);
    writeSamples(4);  // values 13 to 24: the 22nd flushes
    const QByteArray flushedAgain = onDisk(name);
    m_output->close();
    const QByteArray whole = onDisk(name);

    const qsizetype fourLines = whole.indexOf("12/06/96  10:00:04");
    ASSERT_GT(fourLines, 0);
    EXPECT_EQ(flushed, whole.left(fourLines - kAsciiColumn - kLineEnd)) << "all but the 12th value";
    EXPECT_EQ(flushedAgain, whole.left(whole.size() - 2 * kAsciiColumn - kLineEnd)) << "up to the 22nd value";
}

TEST_F(FlushTest, TheCountGoesOnAcrossTheFilesOfOneOutput)
{
    ASSERT_TRUE(m_output->open(path(QStringLiteral("first.txt")), false, OverwritePolicy::Overwrite));
    writeSamples(2);  // 6 values
    const QString name = QStringLiteral("second.txt");
    ASSERT_TRUE(m_output->open(path(name), false, OverwritePolicy::Overwrite)) << "reopening closes the first";
    EXPECT_EQ(onDisk(QStringLiteral("first.txt")).count('\n'), 2);
    writeSamples(1);  // 9 values
    EXPECT_EQ(onDisk(name), QByteArray());
    writeSamples(1);  // values 10, 11 (flush) and 12
    const QByteArray flushed = onDisk(name);
    m_output->close();
    const QByteArray whole = onDisk(name);
    EXPECT_EQ(flushed, whole.left(whole.size() - kAsciiColumn - kLineEnd));
}
