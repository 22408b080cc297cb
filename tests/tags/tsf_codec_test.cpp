// Tests of the TSF codec over bytes: the exact file of a new document, the reading rules
// (tag limit, graph limit, trace limit, header and mark), the three string length forms,
// code page texts, and files that end early or claim impossible lengths.
#include "tags/tag_doc.h"
#include "tags/tsf_messages.h"
#include "tags/tsf_reader.h"
#include "tags/tsf_writer.h"
#include "tests/support/message_recorder.h"
#include "tests/tags/tsf_bytes.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sys/resource.h>
#include <unistd.h>

using namespace tk70;
using tk70::test::TsfBytes;
using tk70test::MessageRecorder;
using Status = TsfReadResult::Status;

namespace {

const QString kTagsLimited = QString::fromLatin1(TsfMessages::kTagsLimited);
const QString kInvalid = QString::fromLatin1(TsfMessages::kInvalidFormat);

// A file with every section filled: tags, two graphs with traces, changed groups.
QByteArray richFile()
{
    TsfBytes b;
    b.header().i32(2);
    b.tag("AEPT100A", "Ambient Pressure", 0, 12, 2, 3423, 1, 1, 0, 1, 0);
    b.tag("FI200", QByteArray(300, 'd'), 1, 2, 3, 4, 9, 0, 1, 0, 1);
    b.i32(2);
    b.graph(1200, 2, 2.5, "Pressures", "Unit 2").trace(-1.5, 50.0, "AEPT100A", "amb").trace(0, 10, "FI200", "");
    b.graph(360, 1, 600.0, "Flows", "").trace(0, 100, "FI200", "flow");
    b.group("C:\\DATA\\G1.CSV", 5, "01/02/99", "02/02/99", "FI200", 1, 8, "08:00", "17:30", 1, "CSV");
    b.emptyGroup();
    b.group("hist.mdb", 60, "", "", "", 0, 24, "", "", 1, "MS Access (*.mdb)");
    b.group("old.dat", 1, "", "", "", 0, 0, "", "", 0, "TK70 (DOS)");
    b.i32(2).i32(1);
    return b;
}

}  // namespace

TEST(TsfWriterTest, NewDocumentFileByteForByte)
{
    CTagDoc doc;
    doc.newDocument();
    EXPECT_EQ(doc.writeTsf(), test::newDocumentFileBytes());
    EXPECT_EQ(TsfWriter::write(TagSelection{}), test::newDocumentFileBytes());
}

TEST(TsfReaderTest, RichFileReadsEverySection)
{
    const TsfReadResult r = TsfReader::read(richFile());
    ASSERT_EQ(r.status, Status::Ok);
    EXPECT_FALSE(r.tagsLimited);
    const TagSelection &s = r.selection;
    ASSERT_EQ(s.tags.count(), 2);
    EXPECT_EQ(s.tags.record(0), (TagRecord{"AEPT100A", "Ambient Pressure", 0, 12, 2, 3423, 1, {1, 0, 1, 0}}));
    EXPECT_EQ(s.tags.record(1).description, QString(300, QLatin1Char('d')));
    EXPECT_EQ(s.tags.record(1).groups, (std::array<qint32, 4>{0, 1, 0, 1}));
    EXPECT_EQ(s.graphs[0].historyLength, 1200);
    EXPECT_EQ(s.graphs[0].sampleInterval, 2.5);
    EXPECT_EQ(s.graphs[0].secondTitle, QStringLiteral("Unit 2"));
    EXPECT_EQ(s.graphs[0].traces[0], (TrendTrace{"AEPT100A", -1.5, 50.0, "amb"}));
    EXPECT_EQ(s.graphs[1].title, QStringLiteral("Flows"));
    EXPECT_EQ(s.graphs[2], TrendGraph::newGraph(3));
    const CollectionGroup &g1 = s.groups[0];
    EXPECT_EQ(g1.fileName, QStringLiteral("C:\\DATA\\G1.CSV"));
    EXPECT_EQ(g1.sampleTime, 5);
    EXPECT_EQ(g1.startDate + g1.startTime + g1.endDate + g1.endTime, QStringLiteral("01/02/9908:0002/02/9917:30"));
    EXPECT_EQ(g1.saveInhibitTag, QStringLiteral("FI200"));
    EXPECT_EQ(g1.appendFile, 1);
    EXPECT_EQ(g1.rolloverHours, 8);
    EXPECT_EQ(g1.fileType, QStringLiteral("CSV"));
    EXPECT_EQ(s.groups[2].fileType, QStringLiteral("MS Access (*.mdb)"));
    EXPECT_EQ(s.groups[3].enabled, 0);
    EXPECT_EQ(s.baudRateIndex, 2);
    EXPECT_EQ(s.serialPortIndex, 1);
    EXPECT_EQ(TsfWriter::write(s), richFile()) << "a file of the original writes back unchanged";
}

TEST(TsfReaderTest, MoreThanThirtyTagsKeepsTheFirstAndReadsOn)
{
    TsfBytes b;
    b.header().i32(35);
    for (int i = 1; i <= 35; ++i)
        b.tag("T" + QByteArray::number(i), "tag " + QByteArray::number(i), i, 0, 0, i, i % 10);
    b.i32(1).graph(600, 1, 5.0, "After the tags", "").trace(0, 100, "T1", "");
    b.group("g1.txt", 3, "", "", "", 0, 0, "", "", 0, "CSV").emptyGroup().emptyGroup().emptyGroup();
    b.i32(4).i32(1);

    MessageRecorder recorder;
    CTagDoc doc;
    ASSERT_TRUE(doc.loadTsf(b, QStringLiteral("big.tsf")));
    ASSERT_EQ(recorder.messages().size(), 1);
    EXPECT_EQ(recorder.messages()[0].text, kTagsLimited);
    EXPECT_EQ(recorder.messages()[0].icon, MessageIcon::Warning);
    EXPECT_EQ(recorder.messages()[0].title, QStringLiteral("TK70 Pro Warning"));
    EXPECT_EQ(doc.tagCount(), 30);
    EXPECT_EQ(doc.tag(29).tagname, QStringLiteral("T30"));
    EXPECT_EQ(doc.tag(29).block, 30);
    EXPECT_EQ(doc.graph(0).title, QStringLiteral("After the tags"));
    EXPECT_EQ(doc.group(0).fileName, QStringLiteral("g1.txt"));
    EXPECT_EQ(doc.group(0).enabled, 0);
    EXPECT_EQ(doc.baudRateIndex(), 4);
    EXPECT_EQ(doc.serialPortIndex(), 1);
}

TEST(TsfReaderTest, ElevenGraphsKeepTheTagsAndResetTheRest)
{
    TsfBytes b;
    b.header().i32(2).tag("A", "", 1, 1, 1, 1, 1).tag("B", "", 2, 2, 2, 2, 2);
    b.i32(11).graph(600, 1, 5.0, "ignored", "").trace(0, 100, "A", "");

    MessageRecorder recorder;
    CTagDoc doc;
    doc.group(1).enabled = 1;
    ASSERT_TRUE(doc.loadTsf(b, QStringLiteral("eleven.tsf")));
    EXPECT_EQ(recorder.texts(), QStringList{kInvalid});
    EXPECT_EQ(recorder.messages()[0].icon, MessageIcon::Warning);
    EXPECT_EQ(doc.tagCount(), 2);
    EXPECT_EQ(doc.tag(1).tagname, QStringLiteral("B"));
    EXPECT_EQ(doc.selection().graphs, TagSelection{}.graphs);
    EXPECT_EQ(doc.selection().groups, TagSelection{}.groups);
    EXPECT_EQ(doc.baudRateIndex(), 1);
    EXPECT_EQ(doc.serialPortIndex(), 0);
}

TEST(TsfReaderTest, WrongHeaderOrMarkIsInvalidWithNoTags)
{
    const auto check = [](const QByteArray &bytes, const char *what) {
        MessageRecorder recorder;
        CTagDoc doc;
        doc.setTag(0, test::namedTag("OLD"));
        doc.tags().setCount(1);
        doc.setBaudRateIndex(3);
        ASSERT_TRUE(doc.loadTsf(bytes, QStringLiteral("x.tsf"))) << what;
        EXPECT_EQ(recorder.texts(), QStringList{kInvalid}) << what;
        EXPECT_EQ(doc.selection(), TagSelection{}) << what;
    };
    const QByteArray rest = TsfBytes().i32(0).i32(0).newDocumentGroups().i32(1).i32(0);
    check(TsfBytes().str("TK70 TAG SELECTION FILE").i32(3546).raw(rest), "header in other case");
    check(TsfBytes().str("TK70 Tag Selection File ").i32(3546).raw(rest), "header with a trailing blank");
    check(TsfBytes().str("TK70 Tag Selection File").i32(3547).raw(rest), "wrong mark");
    check(TsfBytes().str("").i32(0), "empty header");
}

TEST(TsfReaderTest, FifteenTracesReadTwelveAndKeepTheCount)
{
    TsfBytes b;
    b.header().i32(0).i32(1).graph(2400, 15, 1.0, "Many", "");
    for (int t = 1; t <= 12; ++t)
        b.trace(t, 10.0 * t, "TR" + QByteArray::number(t), "");
    b.group("after.txt", 7, "", "", "", 0, 0, "", "", 1, "ASCII").emptyGroup().emptyGroup().emptyGroup();
    b.i32(0).i32(1);

    const TsfReadResult r = TsfReader::read(b);
    ASSERT_EQ(r.status, Status::Ok);
    const TrendGraph &graph = r.selection.graphs[0];
    EXPECT_EQ(graph.traceCount, 15);
    EXPECT_EQ(graph.traces[11], (TrendTrace{"TR12", 12.0, 120.0, ""}));
    EXPECT_EQ(r.selection.groups[0].fileName, QStringLiteral("after.txt")) << "exactly 12 trace records consumed";
    EXPECT_EQ(r.selection.serialPortIndex, 1);
    EXPECT_EQ(TsfWriter::write(r.selection), b.bytes()) << "count kept, 12 traces written";
}

TEST(TsfReaderTest, CountsOutsideTheirRange)
{
    TsfBytes b;
    b.header().i32(-7).i32(-2).newDocumentGroups().i32(0).i32(0);
    b.raw("trailing bytes are ignored");
    const TsfReadResult r = TsfReader::read(b);
    ASSERT_EQ(r.status, Status::Ok);
    EXPECT_EQ(r.selection.tags.count(), 0) << "a negative tag count reads as no tags";
    EXPECT_EQ(r.selection.graphs, TagSelection{}.graphs);

    TsfBytes negativeTraces;
    negativeTraces.header().i32(0).i32(1).graph(600, -3, 5.0, "Neg", "").newDocumentGroups().i32(1).i32(0);
    const TsfReadResult n = TsfReader::read(negativeTraces);
    ASSERT_EQ(n.status, Status::Ok);
    EXPECT_EQ(n.selection.graphs[0].traceCount, -3);
    EXPECT_EQ(n.selection.graphs[0].tracesInUse(), 0);
    EXPECT_EQ(TsfWriter::write(n.selection), negativeTraces.bytes());
}

TEST(TsfStrings, ThreeLengthFormsRoundTrip)
{
    struct Case {
        qsizetype length;
        QByteArray prefix;
    };
    const Case cases[] = {
        {254, QByteArray("\xFE", 1)},
        {255, QByteArray("\xFF\xFF\x00", 3)},
        {65533, QByteArray("\xFF\xFD\xFF", 3)},
        {65534, QByteArray("\xFF\xFF\xFF\xFE\xFF\x00\x00", 7)},
        {70000, QByteArray("\xFF\xFF\xFF\x70\x11\x01\x00", 7)},
    };
    for (const Case &c : cases) {
        TagSelection s;
        s.graphs[0].title = QString(c.length, QLatin1Char('t'));
        s.graphs[0].traceCount = 1;
        const QByteArray bytes = TsfWriter::write(s);
        EXPECT_TRUE(bytes.contains(c.prefix + QByteArray(c.length, 't'))) << c.length;
        const TsfReadResult r = TsfReader::read(bytes);
        ASSERT_EQ(r.status, Status::Ok) << c.length;
        EXPECT_EQ(r.selection.graphs[0].title.size(), c.length);
    }
}

TEST(TsfStrings, LongerFormsForShortStringsAreRead)
{
    TsfBytes b;
    b.raw(QByteArray("\xFF\x17\x00", 3)).raw("TK70 Tag Selection File").i32(3546).i32(1);
    b.raw(QByteArray("\xFF\xFF\xFF\x02\x00\x00\x00", 7)).raw("AB").str("").i32(0).i32(0).i32(0).i32(0).i32(0);
    b.i32(1).i32(0).i32(0).i32(0).i32(0).newDocumentGroups().i32(1).i32(0);
    const TsfReadResult r = TsfReader::read(b);
    ASSERT_EQ(r.status, Status::Ok);
    EXPECT_EQ(r.selection.tags.tagname(0), QStringLiteral("AB"));
}

TEST(TsfStrings, CodePageTextsRoundTripAndUnmappableBecomeQuestionMarks)
{
    TagSelection s;
    s.tags.setRecord(0, TagRecord{QString::fromUtf8("Café"), QString::fromUtf8("€ ‰ naïve – Ω😀")});
    s.tags.setCount(1);
    const QByteArray bytes = TsfWriter::write(s);
    EXPECT_TRUE(bytes.contains(QByteArray("\x04"
                                          "Caf\xE9")));
    EXPECT_TRUE(bytes.contains(QByteArray("\x0E\x80 \x89 na\xEFve \x96 ??")));
    const TsfReadResult r = TsfReader::read(bytes);
    ASSERT_EQ(r.status, Status::Ok);
    EXPECT_EQ(r.selection.tags.tagname(0), QString::fromUtf8("Café"));
    EXPECT_EQ(r.selection.tags.record(0).description, QString::fromUtf8("€ ‰ naïve – ??"));
}

TEST(TsfDamagedFiles, EveryCutIsReportedAndLeavesTheDocumentAlone)
{
    const QByteArray whole = richFile();
    CTagDoc doc;
    doc.setTag(0, test::namedTag("KEEP"));
    doc.tags().setCount(1);
    const TagSelection before = doc.selection();
    const QStringList expected{QStringLiteral("Error Loading TK70 Tag Selection File.\nFilename : cut.tsf"),
                               QStringLiteral("Unexpected file format.")};
    for (qsizetype cut = 0; cut < whole.size(); ++cut) {
        const QByteArray part = whole.left(cut);
        EXPECT_EQ(TsfReader::read(part).status, Status::DataEnded) << cut;
        MessageRecorder recorder;
        ASSERT_FALSE(doc.loadTsf(part, QStringLiteral("cut.tsf"))) << cut;
        ASSERT_EQ(recorder.texts(), expected) << cut;
        EXPECT_EQ(recorder.messages()[0].icon, MessageIcon::Warning);
        ASSERT_EQ(doc.selection(), before) << cut;
    }
}

TEST(TsfDamagedFiles, TagLimitWarningComesBeforeTheFileError)
{
    TsfBytes b;
    b.header().i32(31);
    for (int i = 0; i < 31; ++i)
        b.tag("T", "", 0, 0, 0, 0, 0);
    MessageRecorder recorder;
    CTagDoc doc;
    EXPECT_FALSE(doc.loadTsf(b, QStringLiteral("short.tsf")));
    ASSERT_EQ(recorder.texts().size(), 3);
    EXPECT_EQ(recorder.texts()[0], kTagsLimited);
    EXPECT_EQ(recorder.texts()[2], QStringLiteral("Unexpected file format."));
}

TEST(TsfDamagedFiles, MalformedLengthPrefixes)
{
    const auto status = [](const QByteArray &prefix) {
        return TsfReader::read(TsfBytes().header().i32(1).raw(prefix).raw(QByteArray(64, 'x'))).status;
    };
    EXPECT_EQ(status(QByteArray("\xFF\xFE\xFF\x03", 4)), Status::DataEnded) << "0xFFFE is no length form";
    EXPECT_EQ(status(QByteArray("\xFF\xFF\xFF\xFF\xFF\xFF\xFF", 7)), Status::DataEnded);
    EXPECT_EQ(status(QByteArray("\xFF\x00\x10", 3)), Status::DataEnded);
    EXPECT_EQ(status(QByteArray("\xFF\xFF", 2)), Status::DataEnded);
    // A huge tag count with little behind it ends without reading forever.
    EXPECT_EQ(TsfReader::read(TsfBytes().header().i32(0x7FFFFFFF).tag("A", "", 0, 0, 0, 0, 0)).status,
              Status::DataEnded);
}

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
#define TK70_SANITIZED 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(thread_sanitizer)
#define TK70_SANITIZED 1
#endif
#endif

#ifndef TK70_SANITIZED
namespace {

// The process's current virtual size, from /proc/self/statm.
rlim_t virtualBytes()
{
    std::ifstream statm("/proc/self/statm");
    unsigned long pages = 0;
    statm >> pages;
    return rlim_t(pages) * rlim_t(sysconf(_SC_PAGESIZE));
}

}  // namespace
#endif

TEST(TsfDamagedFilesDeathTest, FourGigabyteLengthIsRefusedWithoutAllocating)
{
#ifdef TK70_SANITIZED
    GTEST_SKIP() << "a sanitizer's shadow memory does not live under an address space limit";
#else
    const QByteArray hostile =
        TsfBytes().header().i32(1).raw(QByteArray("\xFF\xFF\xFF\xFF\xFF\xFF\xFF", 7)).raw(QByteArray(100, 'x'));
    // In a child process whose address space cannot grow by more than 256 MiB, a
    // 4 GiB allocation would end in std::bad_alloc and a crash.
    const auto readUnderLimit = [&hostile] {
        const rlim_t limit = virtualBytes() + (rlim_t(256) << 20);
        const rlimit rl{limit, limit};
        setrlimit(RLIMIT_AS, &rl);
        std::exit(TsfReader::read(hostile).status == Status::DataEnded ? 0 : 3);
    };
    EXPECT_EXIT(readUnderLimit(), ::testing::ExitedWithCode(0), "");
#endif
}
