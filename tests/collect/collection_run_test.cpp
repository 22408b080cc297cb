// The decisions of a running collection, with a clock the test sets and real data files
// in a temporary folder: the rollover instants and file names (also across the changes
// of the local clock), the save inhibit tag across a rollover, the collection window, a
// group finishing while another goes on, and outputs that cannot be opened.
#include "collect/collection_run.h"
#include "tags/tag_doc.h"
#include "tests/collect/berlin_time.h"
#include "tests/support/message_recorder.h"
#include "tests/support/test_clock.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <algorithm>
#include <gtest/gtest.h>
#include <map>

using namespace tk70;

namespace {

class TestReadings : public PointReadings {
public:
    PointReading reading(int position) const override { return m_readings.at(size_t(position)); }
    std::array<PointReading, 30> m_readings{};
};

const QDate kDay(2026, 12, 7);

class CollectionRunTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        m_doc.newDocument();
        const char *names[] = {"FT101", "TT102", "PT103", "LT104", "AT105"};
        for (int i = 0; i < 5; ++i) {
            TagRecord tag;
            tag.tagname = QString::fromLatin1(names[i]);
            tag.loop = 1;
            tag.pcu = 2;
            tag.module = 3;
            tag.block = 10 * (i + 1);
            tag.groups = {1, i % 2, 0, 0};
            m_doc.setTag(i, tag);
            m_readings.m_readings[size_t(i)] = {0, 1.5 * (i + 1), false};
        }
        m_doc.tags().setCount(5);
        m_doc.group(0).fileName = path("run.txt");
    }
    void TearDown() override { QLocale::setDefault(QLocale::system()); }

    QString path(const QString &name) const { return m_dir.filePath(name); }
    void at(int hour, int minute, int second = 0) { m_clock.set(QDateTime(kDay, QTime(hour, minute, second))); }
    // Sample lines of a file: those that begin with the date (MM/DD/YY).
    int sampleLines(const QString &name, const QByteArray &date = "12/07/26") const
    {
        QFile file(path(name));
        if (!file.open(QIODevice::ReadOnly))
            return -1;
        const QList<QByteArray> lines = file.readAll().split('\n');
        return int(std::ranges::count_if(
            lines, [&](const QByteArray &line) { return line.startsWith(date) || line.startsWith('"' + date + '"'); }));
    }
    // A file of the folder holding bytes, as an earlier run would have left it.
    bool writeFile(const QString &name, const QByteArray &bytes) const
    {
        QFile file(path(name));
        return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
    }
    int headerBlocks(const QString &name) const
    {
        QFile file(path(name));
        return file.open(QIODevice::ReadOnly) ? int(file.readAll().count("DATA COLLECTION PROGRAM")) : -1;
    }

    QTemporaryDir m_dir;
    CTagDoc m_doc;
    tk70test::TestClock m_clock;
    TestReadings m_readings;
};

}  // namespace

TEST_F(CollectionRunTest, AStartAt1327WithFourHourRolloverRollsAt1700)
{
    m_doc.group(0).rolloverHours = 4;
    at(13, 27, 12);
    CollectionRun run(m_doc, m_readings, m_clock);
    ASSERT_TRUE(run.openOutputs(OverwritePolicy::Ask));
    EXPECT_EQ(run.group(0).nextRollover, QDateTime(kDay, QTime(17, 0)));
    at(16, 59, 59);
    run.sampleTick(0);
    at(17, 0, 9);
    EXPECT_EQ(run.sampleTick(0), CollectionRun::Tick::KeepRunning);
    EXPECT_EQ(run.group(0).nextRollover, QDateTime(kDay, QTime(21, 0)));
    run.closeAll();
    EXPECT_EQ(sampleLines("run-26120713.txt"), 1);
    EXPECT_EQ(headerBlocks("run-26120717.txt"), 1);
    EXPECT_EQ(sampleLines("run-26120717.txt"), 1);
}

// Hourly files across both clock changes, sampled every ten minutes from 00:30 to 04:00
// local time: each rollover comes once.  The skipped hour has no file; the repeated
// hour's file is named twice and goes on, its first pass kept, without a question.
TEST_F(CollectionRunTest, HourlyFilesAcrossTheClockChangesRollOnceEachHour)
{
    const tk70test::BerlinTime berlin;
    const struct {
        QDate day;
        const char *date;                // as the sample lines carry it
        const char *suffix;              // of the files: -YYMMDD and the hour
        std::map<QString, int> samples;  // hour -> sample lines of its file
    } cases[] = {
        {QDate(2026, 3, 29), "03/29/26", "-260329", {{"00", 2}, {"01", 6}, {"03", 6}, {"04", 1}}},
        {QDate(2026, 10, 25), "10/25/26", "-261025", {{"00", 2}, {"01", 6}, {"02", 12}, {"03", 6}, {"04", 1}}},
    };
    m_doc.group(0).rolloverHours = 1;
    for (const auto &c : cases) {
        tk70test::MessageRecorder recorder;
        m_clock.set(QDateTime(c.day, QTime(0, 30)));
        CollectionRun run(m_doc, m_readings, m_clock);
        ASSERT_TRUE(run.openOutputs(OverwritePolicy::Ask));
        while (m_clock.now().time() != QTime(4, 0)) {
            m_clock.advance(600);
            run.sampleTick(0);
            ASSERT_GT(run.group(0).nextRollover, m_clock.now()) << c.date;
        }
        run.closeAll();
        EXPECT_TRUE(recorder.messages().empty()) << c.date;
        const QString stem = "run" + QString::fromLatin1(c.suffix);
        EXPECT_EQ(QDir(m_dir.path()).entryList({stem + "*"}, QDir::Files).size(), qsizetype(c.samples.size()));
        for (const auto &[hour, lines] : c.samples) {
            EXPECT_EQ(headerBlocks(stem + hour + ".txt"), 1) << c.date << " " << qPrintable(hour);
            EXPECT_EQ(sampleLines(stem + hour + ".txt", c.date), lines) << c.date << " " << qPrintable(hour);
        }
    }
}

TEST_F(CollectionRunTest, AnInhibitedGroupStartsItsNextFileAtTheFirstTickAfterTheTagWakes)
{
    m_doc.group(0).rolloverHours = 1;
    m_doc.group(0).saveInhibitTag = "AT105";  // the last tag of the list
    at(16, 10);
    CollectionRun run(m_doc, m_readings, m_clock);
    ASSERT_TRUE(run.openOutputs(OverwritePolicy::Ask));
    EXPECT_EQ(run.group(0).inhibitTagPosition, 5);
    m_readings.m_readings[4].value = 0.0;
    at(17, 0, 5);
    run.sampleTick(0);
    at(17, 20);
    run.sampleTick(0);
    EXPECT_FALSE(QFile::exists(path("run-26120717.txt")));
    m_readings.m_readings[4].value = 2.0;
    at(17, 21);
    run.sampleTick(0);
    run.closeAll();
    EXPECT_EQ(sampleLines("run-26120716.txt"), 0);
    EXPECT_EQ(sampleLines("run-26120717.txt"), 1);
}

TEST_F(CollectionRunTest, AnUnknownInhibitTagMeansNoGating)
{
    m_doc.group(0).saveInhibitTag = "ft101";  // names compare case-sensitively
    m_readings.m_readings[0].value = 0.0;
    at(9, 0);
    CollectionRun run(m_doc, m_readings, m_clock);
    ASSERT_TRUE(run.openOutputs(OverwritePolicy::Ask));
    EXPECT_EQ(run.group(0).inhibitTagPosition, 0);
    run.sampleTick(0);
    run.closeAll();
    EXPECT_EQ(sampleLines("run.txt"), 1);
}

TEST_F(CollectionRunTest, AWindowInTheFutureWritesAHeaderAndWaits)
{
    m_doc.group(0).startDate = "12/7/2026";
    m_doc.group(0).startTime = "10:00";
    at(9, 59, 59);
    CollectionRun run(m_doc, m_readings, m_clock);
    ASSERT_TRUE(run.openOutputs(OverwritePolicy::Ask));
    EXPECT_EQ(run.sampleTick(0), CollectionRun::Tick::KeepRunning);
    EXPECT_EQ(sampleLines("run.txt"), 0);
    at(10, 0);
    run.sampleTick(0);
    run.closeAll();
    EXPECT_EQ(headerBlocks("run.txt"), 1);
    EXPECT_EQ(sampleLines("run.txt"), 1);
}

TEST_F(CollectionRunTest, PastItsWindowEndAGroupClosesWhileAnotherGoesOn)
{
    m_doc.group(0).endDate = "12/7/2026";
    m_doc.group(0).endTime = "14:00";
    m_doc.group(1).enabled = 1;
    m_doc.group(1).fileName = path("second.csv");
    m_doc.group(1).fileType = "CSV";
    at(13, 59);
    CollectionRun run(m_doc, m_readings, m_clock);
    ASSERT_TRUE(run.openOutputs(OverwritePolicy::Ask));
    EXPECT_EQ(run.group(1).columns.size(), 2u);  // TT102 and LT104
    at(14, 0, 1);
    EXPECT_EQ(run.sampleTick(0), CollectionRun::Tick::StopTimer);
    EXPECT_FALSE(run.group(0).output->isOpen());
    EXPECT_EQ(run.sampleTick(1), CollectionRun::Tick::KeepRunning);
    EXPECT_EQ(run.sampleTick(0), CollectionRun::Tick::StopTimer);
    run.closeAll();
    EXPECT_EQ(sampleLines("run.txt"), 0);
    QFile csv(path("second.csv"));
    ASSERT_TRUE(csv.open(QIODevice::ReadOnly));
    EXPECT_TRUE(csv.readAll().contains("\"12/07/26\",\"14:00:01\""));
}

// A rollover file that cannot be opened is tried again at every tick, its message shown
// once, so a brief failure costs only the ticks it lasted.
TEST_F(CollectionRunTest, ARolloverFileThatCannotBeOpenedIsRetriedAtEveryTick)
{
    m_doc.group(0).rolloverHours = 4;
    m_doc.group(0).appendFile = 1;
    QDir dir(m_dir.path());
    ASSERT_TRUE(dir.mkdir("run-26120717.txt"));  // a folder where the file should go
    at(13, 27);
    tk70test::MessageRecorder recorder;
    CollectionRun run(m_doc, m_readings, m_clock);
    ASSERT_TRUE(run.openOutputs(OverwritePolicy::Ask));
    at(17, 0);
    run.sampleTick(0);
    ASSERT_EQ(recorder.messages().size(), 1u);
    EXPECT_EQ(recorder.messages()[0].text, "Error Opening Output Data File\n" + path("run-26120717.txt") + ".");
    at(17, 0, 10);
    run.sampleTick(0);
    ASSERT_TRUE(dir.rmdir("run-26120717.txt"));
    at(18, 5);
    run.sampleTick(0);
    at(18, 5, 10);
    run.sampleTick(0);
    EXPECT_EQ(recorder.messages().size(), 1u);
    EXPECT_EQ(run.group(0).nextRollover, QDateTime(kDay, QTime(21, 0)));
    at(21, 0);
    run.sampleTick(0);
    run.closeAll();
    EXPECT_EQ(sampleLines("run-26120713.txt"), 0);
    EXPECT_EQ(headerBlocks("run-26120717.txt"), 1);
    EXPECT_EQ(sampleLines("run-26120717.txt"), 2);
    EXPECT_EQ(sampleLines("run-26120721.txt"), 1);
}

// The automatic start may replace the files it opens without asking; its rollovers ask
// as any run's do, and a No keeps the file.
TEST_F(CollectionRunTest, TheStartsOverwriteAcknowledgementDoesNotReachItsRollovers)
{
    m_doc.group(0).rolloverHours = 4;
    for (const char *name : {"run-26120713.txt", "run-26120717.txt"})
        ASSERT_TRUE(writeFile(name, "keep me\r\n"));
    at(13, 27);
    tk70test::MessageRecorder recorder;
    CollectionRun run(m_doc, m_readings, m_clock);
    ASSERT_TRUE(run.openOutputs(OverwritePolicy::Overwrite));
    EXPECT_TRUE(recorder.messages().empty());
    EXPECT_EQ(headerBlocks("run-26120713.txt"), 1);
    at(17, 0);
    run.sampleTick(0);  // the question's default answer is No
    at(17, 0, 10);
    run.sampleTick(0);  // a No stands until the next rollover
    EXPECT_EQ(recorder.texts(),
              QStringList{"File " + path("run-26120717.txt") + " Already Exists\n\nDo you want to overwrite ?"});
    run.closeAll();
    EXPECT_EQ(sampleLines("run-26120713.txt"), 2);  // the file open at the question took them
    QFile kept(path("run-26120717.txt"));
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), "keep me\r\n");
}

// The rollover's question does not hold the group: until it is answered the samples go
// to the file open before, after Yes to the replaced file; an answer after the stop, or
// after the run has gone, changes nothing.
TEST_F(CollectionRunTest, ARolloverQuestionLeavesTheGroupSampling)
{
    m_doc.group(0).rolloverHours = 1;
    for (const char *name : {"run-26120709.txt", "run-26120710.txt"})
        ASSERT_TRUE(writeFile(name, "old\r\n"));
    tk70test::MessageRecorder recorder;
    recorder.holdQuestions(true);
    auto run = std::make_unique<CollectionRun>(m_doc, m_readings, m_clock);
    at(8, 59, 58);
    ASSERT_TRUE(run->openOutputs(OverwritePolicy::Ask));
    for (int s = 59; s < 64; ++s) {
        at(8 + s / 60, s % 60 == 59 ? 59 : 0, s % 60);
        run->sampleTick(0);
    }
    ASSERT_EQ(recorder.heldQuestions(), 1);
    EXPECT_EQ(sampleLines("run-26120708.txt"), 5);
    recorder.answerHeld(MessageAnswer::Yes);
    at(9, 0, 4);
    run->sampleTick(0);
    EXPECT_EQ(headerBlocks("run-26120709.txt"), 1);

    at(10, 0, 0);
    run->sampleTick(0);
    ASSERT_EQ(recorder.heldQuestions(), 1);
    run->closeAll();
    recorder.answerHeld(MessageAnswer::Yes);
    at(10, 0, 1);
    run->sampleTick(0);
    at(11, 0, 0);
    run->sampleTick(0);  // stopped: no question
    EXPECT_EQ(recorder.heldQuestions(), 0);
    run.reset();
    QFile kept(path("run-26120710.txt"));
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), "old\r\n");
    EXPECT_EQ(sampleLines("run-26120709.txt"), 2);  // 09:00:04, and 10:00:00 under the question
}

// A question still open when the run is gone is answered into nothing.
TEST_F(CollectionRunTest, AnAnswerAfterTheRunHasGoneIsIgnored)
{
    m_doc.group(0).rolloverHours = 1;
    ASSERT_TRUE(writeFile("run-26120709.txt", ""));
    tk70test::MessageRecorder recorder;
    recorder.holdQuestions(true);
    {
        CollectionRun run(m_doc, m_readings, m_clock);
        at(8, 59, 59);
        ASSERT_TRUE(run.openOutputs(OverwritePolicy::Ask));
        at(9, 0, 0);
        run.sampleTick(0);
    }
    ASSERT_EQ(recorder.heldQuestions(), 1);
    recorder.answerHeld(MessageAnswer::Yes);
    EXPECT_EQ(QFileInfo(path("run-26120709.txt")).size(), 0);
}

TEST_F(CollectionRunTest, AGroupThatCannotOpenClosesTheGroupsOpenedBefore)
{
    m_doc.group(2).enabled = 1;
    m_doc.group(2).fileName = path("missing/folder/run3.txt");
    at(8, 0);
    tk70test::MessageRecorder recorder;
    CollectionRun run(m_doc, m_readings, m_clock);
    EXPECT_FALSE(run.openOutputs(OverwritePolicy::Ask));
    EXPECT_EQ(recorder.texts(),
              QStringList{"Error Opening Output Data File\n" + path("missing/folder/run3.txt") + "."});
    EXPECT_EQ(run.group(0).output, nullptr);
    EXPECT_EQ(headerBlocks("run.txt"), 1);
}

TEST_F(CollectionRunTest, DecliningToOverwriteRefusesTheStartSilently)
{
    QFile existing(path("run.txt"));
    ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
    existing.write("keep me\r\n");
    existing.close();
    at(8, 0);
    tk70test::MessageRecorder recorder;
    recorder.answer(MessageAnswer::No);
    CollectionRun run(m_doc, m_readings, m_clock);
    EXPECT_FALSE(run.openOutputs(OverwritePolicy::Ask));
    EXPECT_EQ(recorder.messages().size(), 1u);
    ASSERT_TRUE(existing.open(QIODevice::ReadOnly));
    EXPECT_EQ(existing.readAll(), "keep me\r\n");
    existing.close();
    recorder.clear();
    EXPECT_TRUE(run.openOutputs(OverwritePolicy::Overwrite));
    EXPECT_TRUE(recorder.messages().empty());
}

TEST_F(CollectionRunTest, AGroupWithoutAnOutputIsRefusedWithItsType)
{
    m_doc.group(0).fileType = "MS Access (*.mdb)";
    at(8, 0);
    tk70test::MessageRecorder recorder;
    CollectionRun run(m_doc, m_readings, m_clock, [](const QString &) { return std::unique_ptr<GroupOutput>(); });
    EXPECT_FALSE(run.openOutputs(OverwritePolicy::Ask));
    ASSERT_EQ(recorder.messages().size(), 1u);
    EXPECT_TRUE(recorder.messages()[0].text.contains("MS Access (*.mdb)"));
}

TEST_F(CollectionRunTest, AFullDiskRefusesTheStartAndClosesWhatWasOpened)
{
    if (!QFile::exists("/dev/full"))
        GTEST_SKIP() << "no /dev/full here";
    m_doc.group(1).enabled = 1;
    m_doc.group(1).fileName = "/dev/full";
    at(8, 0);
    tk70test::MessageRecorder recorder;
    CollectionRun run(m_doc, m_readings, m_clock);
    EXPECT_FALSE(run.openOutputs(OverwritePolicy::Overwrite));
    EXPECT_EQ(recorder.texts(), QStringList{"Error Opening Output Data File\n/dev/full."});
    EXPECT_EQ(run.group(0).output, nullptr);
    EXPECT_FALSE(run.group(1).fileOpen);
}
