// The loads over a data file's samples: the Auto Fit step and its range limits, a file
// still being written, lines that are no sample, the line index against a scan from the
// start, and the replay's sequential read.  Sample i holds i in column 0, so each point names its record.
#include "tests/trend/history/history_fixture.h"
#include "trend/history/history_lines.h"

#include <QFile>
#include <QTime>
#include <gtest/gtest.h>
#include <numeric>

using tk70::HistoricalFile;
using tk70::HistoryFileKind;

namespace {

// first, first + step, ... while below last and within the samples, at most 240 of them.
std::vector<qint64> every(qint64 first, qint64 step, qint64 last, qint64 samples)
{
    std::vector<qint64> records;
    for (qint64 r = first; r < last && r < samples && records.size() < 240; r += step)
        records.push_back(r);
    return records;
}

void expectSamplesNamed(const std::vector<tk70::HistoryPoint> &points)
{
    for (const auto &point : points) {
        ASSERT_EQ(point.values.size(), 1u);
        EXPECT_EQ(point.values[0], (tk70::HistoryValue{double(point.record), false}));
    }
}

}  // namespace

TEST(HistoryLoad, AutoFitStepsAndLimits)
{
    struct Case {
        const char *name;
        HistoryFileKind kind;
        int samples;
        qint64 first, last;  // requested; last 0: to the end
        qint64 wantFirst, wantStep;
        qint64 wantLast;  // -1: the record count
    } cases[] = {
        {"1000 ASCII samples", HistoryFileKind::Ascii, 1000, 0, 0, 0, 5, -1},
        {"1000 DOS samples", HistoryFileKind::Dos, 1000, 0, 0, 0, 5, -1},
        {"fewer than 240", HistoryFileKind::Ascii, 100, 0, 0, 0, 1, -1},
        {"240 points at most", HistoryFileKind::Ascii, 1000, 0, 479, 0, 2, 479},
        {"last below first", HistoryFileKind::Ascii, 1000, 500, 100, 500, 1, 500},
        {"last past the end", HistoryFileKind::Dos, 1000, 10, 1'000'000, 10, 5, -1},
        {"first past the end", HistoryFileKind::Ascii, 100, 5000, 0, -1, 1, -1},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        tk70test::HistoryFiles files;
        const auto file = HistoricalFile::open(files.written(c.kind, 3, c.samples), c.kind);
        ASSERT_TRUE(file);
        const qint64 records = file->countRecords();
        EXPECT_EQ(records, c.samples);
        const tk70::HistoryLoad load = file->autoFitLoad(c.first, c.last, {0});
        const qint64 wantFirst = c.wantFirst < 0 ? records - 1 : c.wantFirst;
        const qint64 wantLast = c.wantLast < 0 ? records : c.wantLast;
        EXPECT_EQ(load.first, wantFirst);
        EXPECT_EQ(load.last, wantLast);
        EXPECT_EQ(load.step, c.wantStep);
        EXPECT_EQ(tk70test::recordsOf(load.points), every(wantFirst, c.wantStep, wantLast, c.samples));
        expectSamplesNamed(load.points);
    }
}

TEST(HistoryLoad, ALineStillBeingWrittenIsNoRecordYet)
{
    tk70test::HistoryFiles files;
    const QString path = files.written(HistoryFileKind::Ascii, 1, 10);
    tk70test::HistoryFiles::append(path, "12/06/96  14:00:10        10.0");
    const auto file = HistoricalFile::open(path, HistoryFileKind::Ascii);
    ASSERT_TRUE(file);
    EXPECT_EQ(file->autoFitLoad(0, 0, {0}).points.size(), 10u);
    tk70test::HistoryFiles::append(path, "000  \r\n");
    const tk70::HistoryLoad load = file->autoFitLoad(0, 0, {0});
    ASSERT_EQ(load.points.size(), 11u);
    EXPECT_EQ(load.points.back().time, "14:00:10");
    expectSamplesNamed(load.points);
}

// Lines that are no sample (a blank line, a header a restarted collection wrote, a
// line of garbage megabytes long) are passed over, but never carry a load to or past its last
// record; the long one is handed out cut to the line buffer, read in one pass.
TEST(HistoryLoad, LinesThatAreNoSampleArePassedOver)
{
    tk70test::HistoryFiles files;
    QFile written(files.written(HistoryFileKind::Ascii, 1, 10));
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    QList<QByteArray> lines = written.readAll().split('\n');
    lines.insert(7 + 5, "\r");  // after five samples
    lines.insert(7 + 6, "                       TK70 Pro DATA COLLECTION PROGRAM\r");
    lines.insert(7 + 7, QByteArray(4 << 20, 'x'));
    const QString path = files.raw(lines.join('\n'));
    const auto file = HistoricalFile::open(path, HistoryFileKind::Ascii);
    ASSERT_TRUE(file);
    EXPECT_EQ(tk70test::recordsOf(file->autoFitLoad(2, 5, {0}).points), (std::vector<qint64>{2, 3, 4}));
    EXPECT_EQ(tk70test::recordsOf(file->autoFitLoad(2, 8, {0}).points), (std::vector<qint64>{2, 3, 4}));
    EXPECT_EQ(tk70test::recordsOf(file->autoFitLoad(2, 9, {0}).points), (std::vector<qint64>{2, 3, 4, 8}));
    const tk70::HistoryLoad after = file->autoFitLoad(8, 20, {0});
    EXPECT_EQ(tk70test::recordsOf(after.points), (std::vector<qint64>{8, 9, 10, 11, 12}));
    EXPECT_EQ(after.points.back().values[0].raw, 9.0);

    tk70::HistoryLines scanner(path, 0);
    QByteArrayView line;
    qsizetype longest = 0, buffer = 0;
    while (scanner.nextLine(line)) {
        longest = std::max(longest, line.size());
        buffer = std::max(buffer, scanner.bufferSize());
    }
    EXPECT_EQ(longest, tk70::HistoryLines::kMaxLine);
    EXPECT_LE(buffer, tk70::HistoryLines::kBlock + tk70::HistoryLines::kMaxLine);
}

TEST(HistoryLoad, TheIndexGivesWhatAScanFromTheStartGives)
{
    tk70test::HistoryFiles files;
    const QString path = files.written(HistoryFileKind::Ascii, 2, 5000);
    const auto indexed = HistoricalFile::open(path, HistoryFileKind::Ascii);
    ASSERT_TRUE(indexed);
    const tk70::HistoryLoad whole = indexed->autoFitLoad(0, 0, {1, 0});
    // Zooms and the Restore on the indexed file against fresh files that scan from the start.
    const std::pair<qint64, qint64> ranges[] = {{2400, 2650}, {100, 4000}, {4990, 5000}, {0, 0}};
    for (const auto &[first, last] : ranges) {
        SCOPED_TRACE(first);
        const tk70::HistoryLoad zoom = indexed->autoFitLoad(first, last, {1, 0});
        const tk70::HistoryLoad scan =
            HistoricalFile::open(path, HistoryFileKind::Ascii)->autoFitLoad(first, last, {1, 0});
        ASSERT_FALSE(zoom.points.empty());
        EXPECT_EQ(tk70test::recordsOf(zoom.points), tk70test::recordsOf(scan.points));
        for (size_t i = 0; i < zoom.points.size(); ++i)
            ASSERT_EQ(zoom.points[i].values, scan.points[i].values);
    }
    EXPECT_EQ(tk70test::recordsOf(indexed->autoFitLoad(0, 0, {0}).points), tk70test::recordsOf(whole.points));
}

TEST(HistoryLoad, ReplayReadsOneSampleAfterAnother)
{
    tk70test::HistoryFiles files;
    const auto file = HistoricalFile::open(files.written(HistoryFileKind::Dos, 1, 100), HistoryFileKind::Dos);
    ASSERT_TRUE(file);
    // A 20:1 replay from record 15.
    std::vector<tk70::HistoryPoint> points;
    file->seekRecord(15);
    while (auto point = file->readNext({0})) {
        points.push_back(*point);
        file->skipRecords(19);
    }
    EXPECT_EQ(tk70test::recordsOf(points), (std::vector<qint64>{15, 35, 55, 75, 95}));
    expectSamplesNamed(points);
}

namespace {

// The lines after a file's seven header lines: record r is line r.
QList<QByteArray> recordLines(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QList<QByteArray> lines = file.readAll().split('\n');
    lines.removeLast();  // after the last line end
    return lines.mid(7);
}

// Every point is the line it claims to be: that line holds the point's time stamp, and
// the values are those the writer gave the sample of that time (sample i at 14:00:00 + i
// seconds holds i + k / 10 in column k; the time of day repeats after a day).
void expectPointsAreTheirLines(const QString &path, const tk70::HistoryLoad &load, int tags)
{
    const QList<QByteArray> lines = recordLines(path);
    const QTime start(14, 0, 0);
    for (const tk70::HistoryPoint &point : load.points) {
        ASSERT_LT(point.record, lines.size());
        ASSERT_TRUE(lines[qsizetype(point.record)].contains(point.time.toLatin1())) << point.record;
        constexpr int kDay = 24 * 3600;
        const int secondOfDay = (start.secsTo(QTime::fromString(point.time, QStringLiteral("HH:mm:ss"))) + kDay) % kDay;
        ASSERT_EQ(point.values.size(), size_t(tags));
        const double sample = point.values[0].raw;
        ASSERT_EQ(std::llround(sample) % kDay, secondOfDay) << point.record;
        for (int k = 0; k < tags; ++k)
            ASSERT_DOUBLE_EQ(point.values[size_t(k)].raw, sample + k / 10.0) << point.record << " column " << k;
    }
}

std::vector<int> firstColumns(int count)
{
    std::vector<int> columns(static_cast<size_t>(count));
    std::iota(columns.begin(), columns.end(), 0);
    return columns;
}

}  // namespace

// The whole-file load counts records exactly: every record of a file below 240 records,
// every second one at 240 and 241, 240 points spread over 100,000; 1 and 30 tags, both
// layouts.
TEST(HistoryLoad, RecordsAreCountedExactly)
{
    const struct {
        int samples, tags;
        size_t points;
        qint64 step;
    } cases[] = {
        {100, 1, 100, 1},  {230, 1, 230, 1},  {239, 30, 239, 1},      {240, 1, 120, 2},
        {241, 30, 121, 2}, {230, 30, 230, 1}, {100'000, 1, 240, 417},
    };
    for (const HistoryFileKind kind : {HistoryFileKind::Ascii, HistoryFileKind::Dos}) {
        for (const auto &c : cases) {
            SCOPED_TRACE(testing::Message() << c.samples << " samples, " << c.tags << " tags");
            tk70test::HistoryFiles files;
            const QString path = files.written(kind, c.tags, c.samples);
            const auto file = HistoricalFile::open(path, kind);
            ASSERT_TRUE(file);
            EXPECT_EQ(file->countRecords(), c.samples);
            const tk70::HistoryLoad load = file->autoFitLoad(0, 0, firstColumns(c.tags));
            EXPECT_EQ(load.step, c.step);
            ASSERT_EQ(load.points.size(), c.points);
            EXPECT_EQ(load.points.back().record, qint64(c.points - 1) * c.step);
            expectPointsAreTheirLines(path, load, c.tags);
        }
    }
}

// Records appended after the open, behind the header block of a restarted collection,
// are counted at the next whole-file load; the header's lines keep their record numbers
// and no point is drawn for them.
TEST(HistoryLoad, AppendedRecordsAndARepeatedHeaderAreCounted)
{
    tk70test::HistoryFiles files;
    const QString path = files.written(HistoryFileKind::Ascii, 2, 230);
    const auto file = HistoricalFile::open(path, HistoryFileKind::Ascii);
    ASSERT_TRUE(file);
    ASSERT_EQ(file->autoFitLoad(0, 0, {0, 1}).points.size(), 230u);

    QFile longer(files.written(HistoryFileKind::Ascii, 2, 240));
    ASSERT_TRUE(longer.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = longer.readAll().split('\n');
    tk70test::HistoryFiles::append(path, lines.mid(0, 7).join('\n') + '\n' + lines.mid(7 + 230, 10).join('\n') + '\n');
    EXPECT_EQ(file->countRecords(), 230 + 7 + 10);
    const tk70::HistoryLoad load = file->autoFitLoad(0, 0, {0, 1});
    EXPECT_EQ(load.step, 2);
    ASSERT_EQ(load.points.size(), 115u + 5u);
    EXPECT_EQ(load.points[115].record, 237);  // the first sample after the header block
    EXPECT_EQ(load.points.back().record, 245);
    EXPECT_EQ(load.points.back().time, "14:03:58");
    expectPointsAreTheirLines(path, load, 2);
}

// A collection started over on the file being viewed cuts it and writes it anew: the
// next whole-file load counts the new file from its start, not the lines kept of the
// old one.
TEST(HistoryLoad, AFileCutAndWrittenAnewIsCountedAgain)
{
    tk70test::HistoryFiles files;
    const QString path = files.written(HistoryFileKind::Ascii, 1, 1000);
    const auto file = HistoricalFile::open(path, HistoryFileKind::Ascii);
    ASSERT_TRUE(file);
    ASSERT_EQ(file->autoFitLoad(0, 0, {0}).points.size(), 200u);

    QFile shorter(files.written(HistoryFileKind::Ascii, 1, 100));
    ASSERT_TRUE(shorter.open(QIODevice::ReadOnly));
    QFile rewritten(path);
    ASSERT_TRUE(rewritten.open(QIODevice::WriteOnly | QIODevice::Truncate));
    rewritten.write(shorter.readAll());
    rewritten.close();

    EXPECT_EQ(file->countRecords(), 100);
    const tk70::HistoryLoad load = file->autoFitLoad(0, 0, {0});
    EXPECT_EQ(tk70test::recordsOf(load.points), every(0, 1, 100, 100));
    expectSamplesNamed(load.points);
}
